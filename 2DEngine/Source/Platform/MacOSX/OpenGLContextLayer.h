#ifndef CORVANE_PLATFORM_MACOSX_OPENGLCONTEXTLAYER_H
#define CORVANE_PLATFORM_MACOSX_OPENGLCONTEXTLAYER_H

// The services the OpenGL graphics platform needs of the windowing system:
// display modes, capturing the display for full screen, pixel formats,
// contexts, their drawable, clipping and buffer swaps. Built over SDL2's
// OpenGL support; the window itself belongs to the application platform,
// which hands it over with SetRenderWindow.

#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;

namespace MacOSX
{

// The window the OpenGL context draws into; null when there is none. Not owned.
void SetRenderWindow(SDL_Window* window);
SDL_Window* GetRenderWindow();

// Asks for the software renderer. Mesa reads the request when the display is
// opened, so it only takes effect when made before the video subsystem starts;
// returns whether it was in time.
bool RequestSoftwareRenderer();
// Asks for the software renderer when the command line holds "-software"; the
// application platform calls it before it starts the video subsystem. Returns
// whether the switch was present and the request in time.
bool ApplySoftwareSwitch();

namespace GLLayer
{

// Error codes, kept until read by GetError.
enum eError : uint32_t
{
    kError_None = 0,
    kError_BadDisplay = 10001,
    kError_BadPixelFormat = 10002,
    kError_BadContext = 10003,
    kError_BadDrawable = 10004,
    kError_BadFullScreen = 10005,
    kError_BadCurrent = 10006,
    kError_BadMode = 10007
};

// The last error, which is then cleared.
uint32_t GetError();
// The fixed text of a code.
std::string GetErrorString(uint32_t code);

struct sDisplayMode
{
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;
    int32_t refreshRate;
};

// The display the game uses.
int GetMainDisplay();
// The display's modes; false for a display that does not exist.
bool GetDisplayModes(int display, std::vector<sDisplayMode>* modes);
// The first mode of exactly that depth and size; -1 when there is none.
int FindExactDisplayMode(std::vector<sDisplayMode> const& modes, int bitsPerPixel, int width, int height);

// Full screen: the render window takes the display. False when there is no window to take it.
bool CaptureAllDisplays();
bool SwitchToMode(int display, sDisplayMode const& mode);
// The display the render window is on, as the device a full-screen pixel format is bound to.
bool GetDisplayDevice(int display, int* device);
// Gives the display back to the desktop; harmless when it was not taken.
void ReleaseAllDisplays();
// Whether the render window already covers the display as the desktop's own
// full-screen window: the display keeps its mode and the picture is scaled
// into it, so no exact mode of the picture's size is needed.
bool HoldsDesktopFullScreen(int display);

// Pixel-format attributes, each list ended by kAttribute_None.
enum eAttribute : int32_t
{
    kAttribute_None = 0,
    kAttribute_RGBA = 4,
    kAttribute_DoubleBuffer = 5,
    kAttribute_FullScreen = 54,
    kAttribute_RendererID = 70,
    kAttribute_Accelerated = 73,
    kAttribute_NoRecovery = 72
};
// The generic floating-point software renderer, the value of kAttribute_RendererID.
constexpr int32_t kRendererGenericFloatID = 0x00020400;

struct sPixelFormat
{
    bool doubleBuffer;
    bool fullScreen;
    bool accelerated;
    bool software;
    int device;
};

// Reads an attribute list for a device (-1: any); false when there is no
// OpenGL window to draw into or the list asks for nothing RGBA.
bool ChoosePixelFormat(int32_t const* attributes, int device, sPixelFormat* format);

// Contexts are opaque handles; null means none.
typedef void* Context;

Context CreateContext(sPixelFormat const& format);
void DestroyContext(Context context);
// Binds the context to the render window, windowed; false without a window or while it is full screen.
bool SetDrawable(Context context);
// Binds the context to the render window in full screen; false unless the window took the display.
bool SetFullScreen(Context context);
void ClearDrawable(Context context);
// Makes the context current on the render window; null makes no context current.
bool SetCurrentContext(Context context);
bool UpdateContext(Context context);
// The render window's drawable size in pixels; (0, 0) without a window.
void GetDrawableSize(int* width, int* height);
// Restricts drawing, clears included, to the rectangle (GL coordinates,
// origin bottom-left), or lifts the restriction.
void SetClipRect(bool enabled, int x, int y, int width, int height);
// Clears the colour of the whole drawable, the parts outside the clip
// rectangle included, and leaves the clip as it was.
void ClearWholeDrawable();
// The clip last set: whether it is on, and its rectangle.
bool GetClipRect(int* x, int* y, int* width, int* height);
// Sets the clip last set again, after drawing clipped to something else.
void RestoreClipRect();
// The window's contents were lost (exposed, resized, the picture moved): the
// next kept frame is drawn and shown whole.
void InvalidateScreen();
// Whether the screen was invalidated since the last call.
bool TakeScreenInvalidated();
void SwapBuffers(Context context);

} // namespace GLLayer
} // namespace MacOSX

#endif
