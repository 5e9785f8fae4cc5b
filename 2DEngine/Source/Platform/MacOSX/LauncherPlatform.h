#ifndef CORVANE_PLATFORM_MACOSX_LAUNCHERPLATFORM_H
#define CORVANE_PLATFORM_MACOSX_LAUNCHERPLATFORM_H

// The desktop platform for running the game inside a host program that owns
// the window and the event loop. The host gives the window, the bundle and the
// drawing rectangles, and feeds classic event records in; the platform turns
// them into input events for the main loop and keeps the application's
// activity from the host's, the window's and the focus's. The program itself
// never makes it: IPlatform::Create makes the stand-alone variant.

#include <cstdint>

#include "2DEngine/Source/Platform/MacOSX/MacOSXPlatform.h"

struct SDL_Window;

namespace Corvane
{

// Implemented by the host program.
class ILauncherHost
{
public:
    virtual ~ILauncherHost() {}
    // The bundle the file partitions are mounted from (a MacOSX::sBundle), or null.
    virtual void* GetBundle() = 0;
    // The host's window, which the game draws into; the host keeps owning it.
    virtual SDL_Window* CreateWindow() = 0;
    // In window coordinates.
    virtual void GetRenderRect(int* x, int* y, int* width, int* height) = 0;
    virtual void GetRenderClipRect(int* x, int* y, int* width, int* height) = 0;
};

} // namespace Corvane

namespace MacOSX
{

// A position as the classic event record carries it: vertical first.
struct Point
{
    int16_t v;
    int16_t h;
};

// The classic event record, with its fields in their order.
struct EventRecord
{
    uint16_t what;
    // For keys, the low byte is the character and the next one the virtual key code.
    uint32_t message;
    uint32_t when;
    Point where;
    // Bit 0 is the activation flag of an activate event.
    uint16_t modifiers;
};

// The values of EventRecord::what that the platform reads.
enum eEventKind : uint16_t
{
    kEvent_MouseDown = 1,
    kEvent_MouseUp = 2,
    kEvent_KeyDown = 3,
    kEvent_KeyUp = 4,
    kEvent_Update = 6,
    kEvent_Activate = 8,
    kEvent_GetFocus = 31,
    kEvent_LoseFocus = 32,
    kEvent_Consumed = 33
};

constexpr uint16_t kActivationFlag = 1;

class LauncherPlatform : public Platform
{
public:
    enum eActivityBits : uint8_t
    {
        kActivity_HostActive = 1,
        // The window is active and not minimised.
        kActivity_WindowActive = 2,
        kActivity_Focus = 4,
        kActivity_ReportPending = 8
    };

    // The host is not owned. Input goes to the main loop; a test may give its
    // own sink instead.
    explicit LauncherPlatform(Corvane::ILauncherHost* host, Corvane::IInputEventSink* sink = nullptr);
    // Forgets the host's window without touching it.
    ~LauncherPlatform() override;

    // The window is the host's.
    void CreateWindow(Corvane::sWindowConfig const& config) override;
    void DestroyWindow() override;
    void EnsureWindowVisible() override {}
    void EnableHardwareCursor(bool) override {}
    void SetHardwareCursor(Corvane::eCursor cursor) override;
    Corvane::IImage const* GetCustomCursorImage(Corvane::eCursor cursor) const override;
    Corvane::Vector2<int> GetCustomCursorHotSpot(Corvane::eCursor cursor) const override;
    // Windowed, at the size the host gives.
    void GetSupportedWindowConfig(Corvane::sWindowConfig* config) override;
    // The host delivers the events.
    bool IsEventPending() const override { return false; }
    void HandleEvents(Corvane::IInputEventSink*) override {}
    void WaitForEvent() override {}
    void CaptureMouse() override {}
    void ReleaseMouse() override {}
    void SetApplicationTitle(wchar_t const*) override {}
    void* GetBundle() const override;
    Corvane::sPlatformRect GetRenderRect() const override;
    Corvane::sPlatformRect GetRenderClipRect() const override;

    // Entry points for the host.
    // Whether the event was consumed (only get-focus and kind 33 are).
    bool OnEvent(EventRecord* event);
    // Re-reads the window's state and the mouse.
    void OnUpdate();
    // Screen coordinates.
    void OnMouseDown(Point point, Corvane::MouseButton button);
    void OnMouseUp(Point point, Corvane::MouseButton button);
    // Window coordinates.
    void OnMouseMove(Point point);
    void OnKeyDown(char character, char virtualKey);
    void OnKeyUp(char character, char virtualKey);

    // From screen coordinates to the picture's: less the window's content
    // origin and the render rectangle's.
    Corvane::Vector2<int> ScreenToWindow(Point point) const;
    // From window coordinates to the picture's.
    Corvane::Vector2<int> WindowToGameWindow(Point point) const;

    SDL_Window* GetHostWindow() const { return mHostWindow; }
    uint8_t GetActivity() const { return mActivity; }

protected:
    void DispatchEvent(SDL_Event const&) override {}

private:
    // Recomputes the application's activity; logs and reports it when it
    // changed or a report is pending.
    void UpdateActive(char const* source);
    void SetActivityBit(uint8_t bit, bool set);
    void Send(Corvane::sInputEvent const& event);
    void SendKey(uint32_t type, char character, char virtualKey);
    bool IsWindowActive() const;

    Corvane::ILauncherHost* mHost;
    uint8_t mActivity;
    Corvane::IInputEventSink* mInputSink;
    SDL_Window* mHostWindow;
};

// Each writes its name to the log; the shared platform constructor calls
// them, so that the host-embedding platform is part of every program.
void forceLauncherPlatformToLink();
void forceLauncherEntryPointToLink();

} // namespace MacOSX

#endif
