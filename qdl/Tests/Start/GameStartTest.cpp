// The real game started on the desktop platform over the build's content: the
// 30 manifests load behind the loading screen, the window opens in the mode
// kept in the account, the title screen is asked for when loading ends, and a
// quit saves the window and audio settings back into the account.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <atomic>

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/EngineHooks.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/SystemServices.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "2DEngine/Source/Platform/MacOSX/MacOSXPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"
#include "qdl/Source/Game/Application.h"
#include "qdl/Source/Game/DesktopEngine.h"
#include "qdl/Source/Game/GameScreenHooks.h"

using namespace Corvane;

namespace
{

// Time moves only when the loop sleeps, so the splash screens pass in no real time.
class SteppedClock : public ISystemServices
{
public:
    uint64_t GetTimeUS() override { return mNowUS.load(); }
    void Sleep(uint32_t milliseconds) override
    {
        mNowUS += uint64_t(milliseconds) * 1000;
        std::this_thread::yield();
    }
    std::wstring GetCommandLine() override { return L""; }

private:
    std::atomic<uint64_t> mNowUS{1000000};
};

struct sSeen
{
    int titles = 0;
    int windowMode = -1;
    std::wstring voiceManifest;
};

// Stands for the title screen: notes what the game looks like when it starts, then asks to quit.
class QuittingTitleMode : public ApplicationMode
{
public:
    QuittingTitleMode(sSeen* seen, Label voice) : mSeen(seen), mVoice(voice) {}

    void Setup() override
    {
        ++mSeen->titles;
        mSeen->windowMode = Window::GetConfig().mode;
        if (IResourceDescriptor const* voice = Internal::FindResource(mVoice))
            mSeen->voiceManifest = voice->GetManifest();
    }
    void Update(float) override { MainLoop::RequestQuit(); }

private:
    sSeen* mSeen;
    Label mVoice;
};

std::string ReadFile(std::string const& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Record(std::string const& name, std::string const& value)
{
    return "<record name=\"" + name + "\" value=\"" + value + "\"/>\n";
}

class GameStartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv(MacOSX::kLogMessageBoxesVariable, "1", 1);
        setenv("XDG_DATA_HOME", mFolder.Join("datos").c_str(), 1);
        mUserFolder = mFolder.Join("datos/Plenwick/Quarrydale Yarrowfete");
        std::filesystem::create_directories(mUserFolder);
        std::filesystem::create_directories(mFolder.Join("app"));
        MacOSX::Internal::SetBundleFolders(Wide(mFolder.Join("app")), Wide(CORVANE_TEST_RESOURCES_DIR));

        MacOSX::RequestSoftwareRenderer();
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            GTEST_SKIP() << "no display: " << SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);

        mSavedHooks = MainLoop::Internal::GetEngineHooks();
        mSavedScreens = GetGameScreenHooks();
        installDesktopEngine();
        // Labels stay valid for whatever runs after this test in the process.
        MainLoop::Internal::GetEngineHooks().shutdownLabels = nullptr;
        mSavedServices = Internal::SetSystemServices(&mClock);
    }

    void TearDown() override
    {
        Internal::SetSystemServices(mSavedServices);
        MainLoop::Internal::GetEngineHooks() = mSavedHooks;
        GetGameScreenHooks() = mSavedScreens;
        Window::Internal::SetGraphicsPlatformFactory(nullptr);
        Window::Internal::Reset();
        MacOSX::Internal::SetBundleFolders(L"", L"");
        unsetenv(MacOSX::kLogMessageBoxesVariable);
    }

    static std::wstring Wide(std::string const& utf8) { return std::wstring(utf8.begin(), utf8.end()); }

    // The first resource name declared in a manifest of the content.
    static std::string FirstName(char const* manifest)
    {
        std::string const text = ReadFile(std::string(CORVANE_TEST_RESOURCES_DIR) + "/" + manifest + ".xml");
        std::smatch match;
        if (std::regex_search(text, match, std::regex("name=\"([^\"]+)\"")))
            return match[1];
        return std::string();
    }

    FileTestSupport::ScratchFolder mFolder;
    std::string mUserFolder;
    MainLoop::Internal::sEngineHooks mSavedHooks;
    sGameScreenHooks mSavedScreens;
    SteppedClock mClock;
    ISystemServices* mSavedServices = nullptr;
};

TEST_F(GameStartTest, TheGameLoadsEveryManifestOpensItsWindowAsTheAccountSaysAndSavesItsSettings)
{
    std::string const voice = FirstName("AudioResources_SP");
    ASSERT_FALSE(voice.empty());
    std::string const accountFile = mUserFolder + "/Jugadora.act";
    {
        std::ofstream file(accountFile, std::ios::binary);
        file << "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<account>\n"
             << Record("Corvane::AccountManager::Name", "Jugadora \xc3\x91")
             << Record("Corvane::AccountManager::IsCurrent", "true") << Record("Corvane::Window::Mode", "0")
             << Record("EnglishLanguage", "false") << Record("Corvane::Audio::MusicControls::Volume", "0.25")
             << "</account>\n";
    }

    sSeen seen;
    Label const voiceLabel = Label::GetUniqueString(voice.c_str());
    GetGameScreenHooks().createTitleMode = [&seen, voiceLabel]() -> ApplicationMode* {
        return new QuittingTitleMode(&seen, voiceLabel);
    };

    Application application;
    MainLoop::Execute();

    EXPECT_EQ(1, seen.titles);
    EXPECT_EQ(kWindowMode_Windowed, seen.windowMode);
    // The Spanish voices were loaded, as the account asks.
    EXPECT_EQ(L"AudioResources_SP", seen.voiceManifest);

    std::string const saved = ReadFile(accountFile);
    EXPECT_NE(std::string::npos, saved.find("name=\"Corvane::Window::Mode\" value=\"0\"")) << saved;
    EXPECT_NE(std::string::npos, saved.find("Corvane::Window::IsCustomCursorEnabled")) << saved;
    EXPECT_NE(std::string::npos, saved.find("Corvane::Audio::MasterControls::Volume")) << saved;
    std::smatch music;
    ASSERT_TRUE(std::regex_search(saved, music,
                                  std::regex("Corvane::Audio::MusicControls::Volume\" value=\"([0-9.]+)\"")))
        << saved;
    EXPECT_NEAR(0.25, std::stod(music[1]), 1e-4);
}

} // namespace
