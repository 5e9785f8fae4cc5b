#ifndef CORVANE_PLATFORM_MACOSX_APPLICATIONPLATFORM_H
#define CORVANE_PLATFORM_MACOSX_APPLICATIONPLATFORM_H

// The stand-alone desktop application: turns the window system's events into
// the engine's input events (mouse positions in the picture's own
// coordinates, whatever the window's size), follows the window's focus,
// answers close and quit requests and the menu commands reached by key
// chords, and shows or hides the system cursor over the window.

#include <cstdint>
#include <string>

#include "2DEngine/Source/Platform/MacOSX/MacOSXPlatform.h"

struct SDL_Cursor;

namespace MacOSX
{

class ApplicationPlatform : public Platform
{
public:
    enum eCursorBits : uint8_t
    {
        kCursor_MouseInside = 1,
        kCursor_MouseCaptured = 2,
        kCursor_HardwareEnabled = 4,
        kCursor_HardwareShown = 8
    };

    ApplicationPlatform();
    ~ApplicationPlatform() override;

    // The common set-up, then the window system's event handling.
    // Throws MacOSXError "Could not install application event handler.".
    void Setup() override;
    // The common window, then the cursor state for a mouse not yet seen over it.
    void CreateWindow(Corvane::sWindowConfig const& config) override;
    void DestroyWindow() override;
    void EnsureWindowVisible() override;
    void EnableHardwareCursor(bool enable) override;
    void SetHardwareCursor(Corvane::eCursor cursor) override;
    Corvane::IImage const* GetCustomCursorImage(Corvane::eCursor cursor) const override;
    Corvane::Vector2<int> GetCustomCursorHotSpot(Corvane::eCursor cursor) const override;
    void CaptureMouse() override { mCursor |= kCursor_MouseCaptured; }
    void ReleaseMouse() override { mCursor &= uint8_t(~kCursor_MouseCaptured); }

    // Opens "license.txt" or "readme.txt" from the resources folder's "redist"
    // folder when there is one, else from the resources folder, after
    // switching to windowed mode; nothing when the file is missing.
    void LaunchDocument(std::wstring const& name);
    // What a menu item does; false for a command this platform does not handle.
    bool ProcessCommand(uint32_t command);

    uint8_t GetCursorState() const { return mCursor; }

protected:
    void DispatchEvent(SDL_Event const& event) override;

private:
    void OnWindowEvent(SDL_Event const& event);
    void OnKey(SDL_Event const& event, bool down);
    void OnTextInput(SDL_Event const& event);
    void OnMouseButton(SDL_Event const& event, bool down);
    void OnMouseMoved(int x, int y, bool inside);
    void OnResized(int width, int height);
    void OnSizeChanged(int width, int height);
    void Activate(bool active);
    void RequestQuitAndWake();
    void ShowAboutBox();
    void UpdateHardwareCursor();
    // A window position in the picture's coordinates; true when it counts as
    // inside the window.
    bool ToPicture(int windowX, int windowY, int* x, int* y) const;

    uint8_t mCursor;
    // The system cursor of each shape, made on first use.
    SDL_Cursor* mSystemCursors[9];
    // The key whose press was a menu chord: its release is not delivered either.
    int32_t mSwallowedKeyUp;
    int mLastWidth;
    int mLastHeight;
};

} // namespace MacOSX

#endif
