#ifndef CORVANE_PLATFORM_MACOSX_MACOSXPLATFORM_H
#define CORVANE_PLATFORM_MACOSX_MACOSXPLATFORM_H

// What every desktop variant of the platform shares: the window, the event
// pump with the active, quit-pending and repaint-pending state, the keyboard
// mapping, and the set-up that mounts the file partitions and registers the
// image and font resource factories. The SDL layer stays behind this header.

#include <cstdint>
#include <string>

#include "2DEngine/Source/Framework/Platform.h"

struct SDL_Window;
union SDL_Event;

namespace MacOSX
{

// The application as the system sees it: its folder and the "Resources"
// folder beside it.
struct sBundle
{
    std::wstring folder;
    std::wstring resourcesFolder;
};

class Platform : public Corvane::IPlatform
{
public:
    enum eStateBits : uint8_t
    {
        kState_Active = 1,
        kState_QuitPending = 2,
        kState_RepaintPending = 4
    };

    // Registers itself as the process-wide platform.
    Platform();
    // Unregisters itself and closes the window if one is left.
    ~Platform() override;
    Platform(Platform const&) = delete;
    Platform& operator=(Platform const&) = delete;

    // Partition 0 is the bundle's folder, 1 its resources folder, 2 the
    // per-user folder of the company and product; each is left out, without a
    // message, when its folder is missing or cannot be made. Then the resource
    // factories and the network platform.
    void Setup() override;
    void Destroy() override {}
    bool EnforceSingleInstance() override { return false; }
    // Opens and shows the window, windowed (centred) or on the whole desktop.
    // Throws MacOSXError "Could not create a window.".
    void CreateWindow(Corvane::sWindowConfig const& config) override;
    void DestroyWindow() override;
    void GetSupportedWindowConfig(Corvane::sWindowConfig*) override {}
    bool IsActive() const override { return (mState & kState_Active) != 0; }
    // A termination signal (SIGTERM, SIGINT, SIGHUP) counts as a quit that no
    // quit handler is asked about.
    bool IsQuitPending() const override;
    bool IsEventPending() const override;
    bool IsRepaintPending() const override { return (mState & kState_RepaintPending) != 0; }
    void ClearPendingRepaint() override { mState &= uint8_t(~kState_RepaintPending); }
    // Takes at most 16 waiting events, delivering input to the sink.
    void HandleEvents(Corvane::IInputEventSink* sink) override;
    // Throws MacOSXError "An infinite wait for an event failed.".
    void WaitForEvent() override;
    void SetApplicationTitle(wchar_t const* title) override;
    // The bundle (an sBundle), or null when the executable's folder is unknown.
    void* GetBundle() const override;
    // Where the picture is drawn in the window, in drawable pixels: all of it
    // unless the window's shape differs from the configuration's, then
    // letterboxed.
    Corvane::sPlatformRect GetRenderRect() const override;
    Corvane::sPlatformRect GetRenderClipRect() const override { return GetRenderRect(); }

    SDL_Window* GetWindowRef() const { return mWindow; }
    // Whether a window manager ran on the display when the window was made.
    // Without one nobody hands out the focus: a shown window counts as active.
    bool HasWindowManager() const { return mWindowManager; }
    // Replaces the display's answer (tests).
    void SetWindowManagerRunning(bool running) { mWindowManager = running; }
    uint8_t GetState() const { return mState; }

    // The engine key code of a typed character and virtual key; 0 when the key
    // has none.
    static int ToKeyCode(char character, unsigned long virtualKey);

protected:
    // One event taken from the queue, while the sink is set.
    virtual void DispatchEvent(SDL_Event const& event) = 0;

    void SendEvent(Corvane::sInputEvent const& event);
    void SetStateBit(uint8_t bit, bool set);
    // The window has had the focus at least once since it was made.
    void NoteFocusGained() { mFocusSeen = true; }
    // Ends the current HandleEvents after the event being dispatched.
    void StopEventBatch() { mStopBatch = true; }
    // Whether the event belongs to this platform's window.
    bool IsOwnWindow(uint32_t windowID) const;

    // Starts SDL's video and event subsystems once. False when they cannot start.
    bool StartVideo();

private:
    void MountPartitions();
    void RetryFocus();
    void RegisterResourceFactories();

    SDL_Window* mWindow;
    Corvane::IInputEventSink* mSink;
    uint8_t mState;
    bool mStopBatch;
    bool mFocusSeen;
    bool mWindowManager;
    // SDL ticks of the window's creation and of the last request for the focus.
    uint32_t mWindowMadeAt;
    uint32_t mFocusAskedAt;
};

// The registered platform when it is a desktop one, else null.
Platform* GetPlatform();

namespace Internal
{
// Points the bundle at other folders (tests); empty folders go back to the
// executable's folder and the "Resources" folder beside it.
void SetBundleFolders(std::wstring const& folder, std::wstring const& resourcesFolder);
} // namespace Internal

} // namespace MacOSX

#endif
