#pragma once

// One play of the game as the driver runs it: the engine's set-up for a test,
// the stepped clock, the meeting of the loop and the script at each frame
// boundary, the input pushed into the platform's queue and the pictures kept.
// Only the driver's own files use it.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/EngineHooks.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/SystemServices.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Tests/Driver/GameDriver.h"

union SDL_Event;

namespace GameDriver
{

class RecordingAudioPlatform;

// The class name of a mode, "" for none.
std::string ClassName(Corvane::ApplicationMode const* mode);
std::string EscapeXML(std::string const& text);

// Everything one play needs; the loop's side runs on the test's thread, the
// script's on its own, and they meet only under mLock.
class Session : public Corvane::ISystemServices, public Corvane::IQuitHandler
{
public:
    Session();
    ~Session() override;
    Session(Session const&) = delete;
    Session& operator=(Session const&) = delete;

    // Set-up, before the play.
    std::vector<std::pair<std::string, std::string> > accountValues;
    std::function<Corvane::ApplicationMode*()> startWith;
    // Set: the play runs over a copy of the content, edited by this first.
    std::function<void(std::string const& folder)> contentEdit;
    bool allowQuit = true;
    // A user folder whose account files this play starts over; empty for a fresh account.
    std::string accountsFrom;
    struct sAccountFile
    {
        std::string name;
        std::string text;
        int secondsAgo;
    };
    std::vector<sAccountFile> accountFiles;

    // Results, written on the loop's thread; read by the script through RunOnLoop.
    std::vector<sSoundPlay> plays;
    int quitRequests = 0;
    bool endedByQuit = false;
    RecordingAudioPlatform* audio = nullptr;

    std::string const& UserFolder() const { return mUserFolder; }
    // What the game has logged so far.
    std::string Log() const;
    // Every account file of the per-user folder.
    std::string AccountFile() const;
    // "title: text" of each message box the game showed.
    std::vector<std::string> Notifications() const;
    uint64_t GameTimeMS() const { return (mNowUS.load() - kStartUS) / 1000; }

    bool HasDisplay(std::string* reason);

    void Play(std::function<void(Child&)> const& script);

    // ISystemServices: time moves by the sleeps after drawn frames only.
    uint64_t GetTimeUS() override { return mNowUS.load(); }
    void Sleep(uint32_t milliseconds) override;
    std::wstring GetCommandLine() override { return L""; }

    // IQuitHandler
    bool AllowQuit() override
    {
        ++quitRequests;
        return allowQuit;
    }

    // The script's side.
    bool Step();
    void RunOnLoop(std::function<void()> const& function);
    bool HasEnded()
    {
        std::lock_guard<std::mutex> guard(mLock);
        return mLoopEnded;
    }

    // Input, on the loop's thread.
    void PushMouseMove(int x, int y);
    void PushMouseButton(bool down);
    bool PushKey(std::string const& name, bool down);
    int mouseX = -1;
    int mouseY = -1;

    // Pictures, on the loop's thread: the next frame that goes on screen is
    // kept at capturePath (when set) and read into captureInto (when set).
    void OnFramePresented();
    std::string capturePath;
    bool captured = false;
    sPicture* captureInto = nullptr;
    // The game's picture as the display shows it in the window; false when it cannot be read.
    static bool ReadWindow(sPicture* picture);

private:
    static constexpr uint64_t kStartUS = 1000000;

    void Serve();
    void ServeAfterEnd();
    void SetUpEngine();
    // The content folder of the play: the build's, or the edited copy.
    std::string PrepareContent();
    void TearDownEngine();
    void PushSynthetic(SDL_Event* event);
    static int AdmitEvent(void* session, SDL_Event* event);

    FileTestSupport::ScratchFolder mFolder;
    std::string mUserFolder;
    std::string mLogPath;
    std::atomic<uint64_t> mNowUS{kStartUS};
    std::thread::id mLoopThread;

    std::mutex mLock;
    std::condition_variable mChanged;
    bool mServing = false;
    bool mLoopEnded = false;
    bool mScriptDone = false;
    bool mResume = false;
    bool mExitedForScript = false;
    bool mHung = false;
    uint64_t mFrame = 0;
    std::function<void()> mRequest;
    uint64_t mRequestsPosted = 0;
    uint64_t mRequestsServed = 0;

    bool mPushing = false;
    int mSavedStderr = -1;
    Corvane::MainLoop::Internal::sEngineHooks mSavedEngineHooks;
    sGameScreenHooks mSavedScreens;
    Corvane::ISystemServices* mSavedServices = nullptr;
};

} // namespace GameDriver
