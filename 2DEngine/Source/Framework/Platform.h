#ifndef CORVANE_FRAMEWORK_PLATFORM_H
#define CORVANE_FRAMEWORK_PLATFORM_H

// The two interfaces through which the engine reaches the operating system
// (IPlatform) and the graphics hardware (IGraphicsPlatform), the input record
// the platform hands to the main loop, and the window configuration.

#include <cstdint>

#include "Core/Source/Label.h"
#include "Core/Source/Rect.h"
#include "Core/Source/Vector2.h"
// RegisterSingleton, GetPlatform, GetGraphicsPlatform and their kin.
#include "Core/Source/Singleton.h"

namespace Corvane
{

class IImage;
class Image;
class ITexture;
namespace Graphics
{
class ICanvas;
}

// The button number carried in a mouse event's code.
typedef int MouseButton;
constexpr MouseButton kMouseButtonPrimary = 0;
constexpr MouseButton kMouseButtonSecondary = 1;
constexpr MouseButton kMouseButtonTertiary = 2;

enum eInputEventType : uint32_t
{
    kInputEvent_MouseMove = 0,
    kInputEvent_MouseUp = 1,
    kInputEvent_MouseDown = 2,
    kInputEvent_KeyUp = 3,
    kInputEvent_KeyDown = 4,
    kInputEvent_MouseLeave = 5,
    kInputEvent_Activate = 6,
    kInputEvent_Deactivate = 7,
    kInputEvent_TextInput = 8,
    kInputEvent_MouseWheel = 9,
    kInputEvent_Last = kInputEvent_MouseWheel
};

// One input event. code is the key code, the mouse button or the wheel amount;
// data is, for text input, the address of a zero-terminated wide string valid
// during the call, and for the wheel, the divisor of the amount. data is
// pointer-sized so that the text address survives on a 64-bit machine.
struct sInputEvent
{
    uint32_t type;
    int32_t x;
    int32_t y;
    int32_t code;
    intptr_t data;
};

sInputEvent MakeTextInputEvent(wchar_t const* text);
sInputEvent MakeMouseWheelEvent(int32_t amount, int32_t divisor, int32_t x, int32_t y);
// The text of a text-input event; the empty string when data is null.
wchar_t const* GetInputEventText(sInputEvent const& event);
// The wheel amount divided by the divisor; a divisor of 0 counts as 1.
float GetInputEventWheelDelta(sInputEvent const& event);

// The receiver of the events that IPlatform::HandleEvents dispatches.
class IInputEventSink
{
public:
    virtual ~IInputEventSink() {}
    virtual void HandleEvent(sInputEvent const& event) = 0;
};

enum eWindowMode : int32_t
{
    kWindowMode_None = -1,
    kWindowMode_Windowed = 0,
    kWindowMode_FullScreen = 1
};

// aspectLock: 0 freely resizable, 1 resizing keeps the aspect ratio, 2 or more fixed size.
struct sWindowConfig
{
    eWindowMode mode;
    uint32_t aspectLock;
    int32_t width;
    int32_t height;
};

enum eCursor : int32_t
{
    kCursor_None = 0,
    kCursor_Arrow = 1,
    // The shapes of the layout designer's moves and resizes.
    kCursor_Move = 2,
    kCursor_SizeHorizontal = 3,
    kCursor_SizeVertical = 4,
    kCursor_SizeTopLeft = 5,
    kCursor_SizeTopRight = 6,
    kCursor_SizeBottomLeft = 7,
    kCursor_SizeBottomRight = 8
};

// A rectangle in window coordinates, y down, as the window system gives it.
struct sPlatformRect
{
    int32_t top;
    int32_t left;
    int32_t bottom;
    int32_t right;
};

class IPlatform
{
public:
    virtual ~IPlatform() {}

    // Mounts the file partitions, registers the platform's resource factories,
    // installs the system handlers and builds the menus.
    virtual void Setup() = 0;
    virtual void Destroy() = 0;
    // True when another instance of the program already runs.
    virtual bool EnforceSingleInstance() = 0;
    virtual void CreateWindow(sWindowConfig const& config) = 0;
    virtual void DestroyWindow() = 0;
    virtual void EnsureWindowVisible() = 0;
    virtual void EnableHardwareCursor(bool enable) = 0;
    virtual void SetHardwareCursor(eCursor cursor) = 0;
    // Null when the shape has no software image.
    virtual IImage const* GetCustomCursorImage(eCursor cursor) const = 0;
    virtual Vector2<int> GetCustomCursorHotSpot(eCursor cursor) const = 0;
    virtual void GetSupportedWindowConfig(sWindowConfig* config) = 0;
    virtual bool IsActive() const = 0;
    virtual bool IsQuitPending() const = 0;
    virtual bool IsEventPending() const = 0;
    // The window needs a redraw while the application is inactive.
    virtual bool IsRepaintPending() const = 0;
    virtual void ClearPendingRepaint() = 0;
    virtual void HandleEvents(IInputEventSink* sink) = 0;
    virtual void WaitForEvent() = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    virtual void SetApplicationTitle(wchar_t const* title);
    // The application bundle as the platform's own handle, or null.
    virtual void* GetBundle() const = 0;
    virtual sPlatformRect GetRenderRect() const = 0;
    virtual sPlatformRect GetRenderClipRect() const = 0;

    // Makes the platform of the build; its constructor registers it. Defined by
    // the desktop platform library.
    static IPlatform* Create();
};

enum eGraphicsPlatformCapabilities : unsigned long
{
    kGraphicsPlatformCaps_Software = 1,
    kGraphicsPlatformCaps_Hardware = 2
};

class IGraphicsPlatform
{
public:
    virtual ~IGraphicsPlatform() {}

    virtual Label GetName() = 0;
    virtual void GetSupportedWindowConfig(sWindowConfig* config) = 0;
    virtual unsigned long GetCaps() = 0;
    // Creates the rendering context and the screen canvas; throws on failure.
    virtual void Setup(sWindowConfig const& config) = 0;
    virtual void Cleanup() = 0;
    // 0 when the frame may be drawn; the main loop skips the frame otherwise.
    virtual int BeginScene() = 0;
    virtual int EndScene() = 0;
    // Null before Setup.
    virtual Graphics::ICanvas* GetScreenCanvas() = 0;
    virtual ITexture* CreateTexture(Image const* image, Rect<int> const* rect) = 0;

    // Makes a graphics platform with the given capability bits; its constructor
    // registers it and the caller owns it. Defined by the graphics platform library.
    static IGraphicsPlatform* Create(unsigned long caps);
};

} // namespace Corvane

#endif
