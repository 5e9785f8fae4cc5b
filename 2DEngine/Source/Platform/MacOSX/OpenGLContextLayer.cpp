#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"

#include <cstdlib>

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/SystemServices.h"

namespace MacOSX
{

namespace
{

SDL_Window* gRenderWindow = nullptr;
uint32_t gLastError = GLLayer::kError_None;
// Whether this layer switched the window to full screen (and must switch it back).
bool gDisplayTaken = false;

bool Fail(uint32_t code, char const* what)
{
    gLastError = code;
    char const* const detail = SDL_GetError();
    Corvane::Internal::LogWrite("OpenGL: %s failed: %s\n", what, (detail && *detail) ? detail : "no detail");
    return false;
}

bool IsOpenGLWindow(SDL_Window* window)
{
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL) != 0;
}

bool IsFullScreen(SDL_Window* window)
{
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) == SDL_WINDOW_FULLSCREEN;
}

} // namespace

void SetRenderWindow(SDL_Window* window)
{
    if (window != gRenderWindow)
        gDisplayTaken = false;
    gRenderWindow = window;
}

SDL_Window* GetRenderWindow()
{
    return gRenderWindow;
}

bool RequestSoftwareRenderer()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        return false;
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    return true;
}

bool ApplySoftwareSwitch()
{
    if (Corvane::GetCommandLine().find(L"-software") == std::wstring::npos)
        return false;
    return RequestSoftwareRenderer();
}

namespace GLLayer
{

uint32_t GetError()
{
    uint32_t const code = gLastError;
    gLastError = kError_None;
    return code;
}

std::string GetErrorString(uint32_t code)
{
    switch (code)
    {
    case kError_None:
        return "no error";
    case kError_BadDisplay:
        return "invalid display";
    case kError_BadPixelFormat:
        return "invalid pixel format";
    case kError_BadContext:
        return "invalid context";
    case kError_BadDrawable:
        return "invalid drawable";
    case kError_BadFullScreen:
        return "invalid full screen drawable";
    case kError_BadCurrent:
        return "context cannot be made current";
    case kError_BadMode:
        return "invalid display mode";
    default:
        return "unknown error";
    }
}

int GetMainDisplay()
{
    return 0;
}

bool GetDisplayModes(int display, std::vector<sDisplayMode>* modes)
{
    modes->clear();
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return Fail(kError_BadDisplay, "reading the display modes");
    int const count = SDL_GetNumDisplayModes(display);
    if (count < 0)
        return Fail(kError_BadDisplay, "reading the display modes");
    for (int i = 0; i < count; ++i)
    {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(display, i, &mode) != 0)
            continue;
        modes->push_back(sDisplayMode{mode.w, mode.h, int32_t(SDL_BITSPERPIXEL(mode.format)), mode.refresh_rate});
    }
    return true;
}

int FindExactDisplayMode(std::vector<sDisplayMode> const& modes, int bitsPerPixel, int width, int height)
{
    for (size_t i = 0; i < modes.size(); ++i)
    {
        if (modes[i].bitsPerPixel == bitsPerPixel && modes[i].width == width && modes[i].height == height)
            return int(i);
    }
    return -1;
}

bool CaptureAllDisplays()
{
    if (!gRenderWindow)
    {
        SDL_SetError("there is no window to take the display");
        return Fail(kError_BadDisplay, "capturing the display");
    }
    return true;
}

bool SwitchToMode(int display, sDisplayMode const& wanted)
{
    if (!gRenderWindow)
    {
        SDL_SetError("there is no window to switch");
        return Fail(kError_BadMode, "switching the display mode");
    }
    int const count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i)
    {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(display, i, &mode) != 0)
            continue;
        if (mode.w != wanted.width || mode.h != wanted.height || int(SDL_BITSPERPIXEL(mode.format)) != wanted.bitsPerPixel)
            continue;
        if (SDL_SetWindowDisplayMode(gRenderWindow, &mode) != 0 ||
            SDL_SetWindowFullscreen(gRenderWindow, SDL_WINDOW_FULLSCREEN) != 0)
            return Fail(kError_BadMode, "switching the display mode");
        gDisplayTaken = true;
        return true;
    }
    SDL_SetError("the display has no such mode");
    return Fail(kError_BadMode, "switching the display mode");
}

bool GetDisplayDevice(int display, int* device)
{
    int const index = gRenderWindow ? SDL_GetWindowDisplayIndex(gRenderWindow) : -1;
    if (index < 0 || index != display)
        return Fail(kError_BadDisplay, "finding the full screen display");
    *device = index;
    return true;
}

void ReleaseAllDisplays()
{
    if (gDisplayTaken && gRenderWindow && IsFullScreen(gRenderWindow))
        SDL_SetWindowFullscreen(gRenderWindow, 0);
    gDisplayTaken = false;
}

bool HoldsDesktopFullScreen(int display)
{
    if (!IsOpenGLWindow(gRenderWindow))
        return false;
    Uint32 const flags = SDL_GetWindowFlags(gRenderWindow);
    return (flags & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP &&
           SDL_GetWindowDisplayIndex(gRenderWindow) == display;
}

bool ChoosePixelFormat(int32_t const* attributes, int device, sPixelFormat* format)
{
    sPixelFormat chosen = {false, false, false, false, device};
    bool rgba = false;
    for (int32_t const* attribute = attributes; attribute && *attribute != kAttribute_None; ++attribute)
    {
        switch (*attribute)
        {
        case kAttribute_RGBA:
            rgba = true;
            break;
        case kAttribute_DoubleBuffer:
            chosen.doubleBuffer = true;
            break;
        case kAttribute_FullScreen:
            chosen.fullScreen = true;
            break;
        case kAttribute_Accelerated:
            chosen.accelerated = true;
            break;
        case kAttribute_RendererID:
            ++attribute;
            if (*attribute == kRendererGenericFloatID)
                chosen.software = true;
            break;
        default:
            break;
        }
        if (*attribute == kAttribute_None)
            break;
    }
    if (!rgba)
    {
        SDL_SetError("only RGBA pixel formats are offered");
        return Fail(kError_BadPixelFormat, "choosing a pixel format");
    }
    if (!IsOpenGLWindow(gRenderWindow))
    {
        SDL_SetError("there is no OpenGL window to draw into");
        return Fail(kError_BadPixelFormat, "choosing a pixel format");
    }
    if (chosen.fullScreen && device >= 0 && SDL_GetWindowDisplayIndex(gRenderWindow) != device)
    {
        SDL_SetError("the window is not on the full screen display");
        return Fail(kError_BadPixelFormat, "choosing a pixel format");
    }
    *format = chosen;
    return true;
}

Context CreateContext(sPixelFormat const& format)
{
    if (!IsOpenGLWindow(gRenderWindow))
    {
        SDL_SetError("there is no OpenGL window to draw into");
        Fail(kError_BadContext, "creating an OpenGL context");
        return nullptr;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, format.doubleBuffer ? 1 : 0);
    // The software renderer itself is chosen before the display opens
    // (RequestSoftwareRenderer); here it only means not insisting on hardware.
    SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, format.accelerated && !format.software ? 1 : -1);
    SDL_GLContext const context = SDL_GL_CreateContext(gRenderWindow);
    if (!context)
    {
        Fail(kError_BadContext, "creating an OpenGL context");
        return nullptr;
    }
    return context;
}

void DestroyContext(Context context)
{
    if (context)
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
}

bool SetDrawable(Context context)
{
    if (!context)
    {
        SDL_SetError("no context");
        return Fail(kError_BadContext, "attaching the context to the window");
    }
    if (!IsOpenGLWindow(gRenderWindow))
    {
        SDL_SetError("there is no OpenGL window to draw into");
        return Fail(kError_BadDrawable, "attaching the context to the window");
    }
    return true;
}

bool SetFullScreen(Context context)
{
    if (!context)
    {
        SDL_SetError("no context");
        return Fail(kError_BadContext, "attaching the context to the full screen");
    }
    if (!IsOpenGLWindow(gRenderWindow) || !IsFullScreen(gRenderWindow))
    {
        SDL_SetError("the window does not hold the full screen");
        return Fail(kError_BadFullScreen, "attaching the context to the full screen");
    }
    return true;
}

void ClearDrawable(Context)
{
}

bool SetCurrentContext(Context context)
{
    if (!context)
    {
        if (SDL_GL_GetCurrentContext())
            SDL_GL_MakeCurrent(gRenderWindow, nullptr);
        return true;
    }
    if (!gRenderWindow || SDL_GL_MakeCurrent(gRenderWindow, static_cast<SDL_GLContext>(context)) != 0)
        return Fail(kError_BadCurrent, "making the OpenGL context current");
    return true;
}

bool UpdateContext(Context context)
{
    if (!context || SDL_GL_GetCurrentContext() != static_cast<SDL_GLContext>(context))
    {
        SDL_SetError("the context is not current");
        return Fail(kError_BadCurrent, "updating the OpenGL context");
    }
    return true;
}

void GetDrawableSize(int* width, int* height)
{
    *width = 0;
    *height = 0;
    if (gRenderWindow)
        SDL_GL_GetDrawableSize(gRenderWindow, width, height);
}

namespace
{
struct sClip
{
    bool enabled = false;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
sClip gClip;
bool gScreenInvalidated = true;

void ApplyClip()
{
    if (!gClip.enabled)
    {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    glScissor(gClip.x, gClip.y, gClip.width, gClip.height);
    glEnable(GL_SCISSOR_TEST);
}
} // namespace

void SetClipRect(bool enabled, int x, int y, int width, int height)
{
    gClip = sClip{enabled, x, y, width < 0 ? 0 : width, height < 0 ? 0 : height};
    // The picture moved within the window.
    gScreenInvalidated = true;
    ApplyClip();
}

bool GetClipRect(int* x, int* y, int* width, int* height)
{
    *x = gClip.x;
    *y = gClip.y;
    *width = gClip.width;
    *height = gClip.height;
    return gClip.enabled;
}

void RestoreClipRect()
{
    ApplyClip();
}

void InvalidateScreen()
{
    gScreenInvalidated = true;
}

bool TakeScreenInvalidated()
{
    bool const invalidated = gScreenInvalidated;
    gScreenInvalidated = false;
    return invalidated;
}

void ClearWholeDrawable()
{
    // Without a clip the frame's own clear already reaches every pixel.
    if (!glIsEnabled(GL_SCISSOR_TEST))
        return;
    glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
}

void SwapBuffers(Context context)
{
    if (context && gRenderWindow)
        SDL_GL_SwapWindow(gRenderWindow);
}

} // namespace GLLayer
} // namespace MacOSX
