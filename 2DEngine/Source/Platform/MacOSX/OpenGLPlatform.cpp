#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"

#include <string>

#include <SDL2/SDL_opengl.h>

#include "Core/Source/MacOSX/MacOSXError.h"
#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLScreenCanvas.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLSubBuffer.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLTexture.h"

namespace MacOSX
{

namespace
{

// Errors of this platform carry fixed locations so that the logs of a failed
// set-up read the same on every build.
char const* const kErrorFile = "Source/Platform/MacOSX/MacOSXOpenGLGraphicsPlatform";
char const* const kBestModeFunction =
    "const __CFDictionary*<unnamed>::CGDisplayBestModeForParametersExact(_CGDirectDisplayID*, size_t, size_t, size_t)";
char const* const kUpdateFunction =
    "void MacOSX::OpenGLGraphicsPlatform::UpdateRenderContext(const Corvane::sWindowConfig&)";
char const* const kSetupFunction = "virtual void MacOSX::OpenGLGraphicsPlatform::Setup(const Corvane::sWindowConfig&)";

[[noreturn]] void ThrowAglError(char const* message, int line, char const* function)
{
    throw AglError(GLLayer::GetError(), message, kErrorFile, line, function);
}

[[noreturn]] void ThrowMacOSXError(char const* message, int line)
{
    throw MacOSXError(int(GLLayer::GetError()), message, kErrorFile, line, kSetupFunction);
}

bool IsSameRect(Corvane::sPlatformRect const& a, Corvane::sPlatformRect const& b)
{
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

} // namespace

AglError::AglError(uint32_t code, std::string const& message, char const* file, int line, char const* function)
    : Corvane::RuntimeError(FormatError(code, message), file, line, function), mCode(code)
{
}

std::string AglError::FormatError(uint32_t code, std::string const& message)
{
    return message + "\n" + GLLayer::GetErrorString(code) + " (OpenGL Error " + std::to_string(code) + ")";
}

OpenGLGraphicsPlatform::OpenGLGraphicsPlatform(unsigned long caps)
    : mCaps(caps), mContext(nullptr), mScreenCanvas(nullptr), mRetainedFrames(false)
{
    Corvane::RegisterSingleton(this);
}

OpenGLGraphicsPlatform::~OpenGLGraphicsPlatform()
{
    if (mContext || mScreenCanvas)
        Cleanup();
    Corvane::UnregisterSingleton(this);
}

Corvane::Label OpenGLGraphicsPlatform::GetName()
{
    static Corvane::Label const name = Corvane::Label::GetUniqueString("MacOSX::GraphicsPlatform");
    return name;
}

void OpenGLGraphicsPlatform::GetSupportedWindowConfig(Corvane::sWindowConfig*)
{
}

unsigned long OpenGLGraphicsPlatform::GetCaps()
{
    return mCaps;
}

std::vector<int32_t> OpenGLGraphicsPlatform::GetPixelFormatAttributes(bool fullScreen, unsigned long caps)
{
    std::vector<int32_t> attributes;
    attributes.push_back(GLLayer::kAttribute_RGBA);
    if (fullScreen)
        attributes.push_back(GLLayer::kAttribute_FullScreen);
    attributes.push_back(GLLayer::kAttribute_DoubleBuffer);
    if (caps & Corvane::kGraphicsPlatformCaps_Hardware)
    {
        attributes.push_back(GLLayer::kAttribute_Accelerated);
        attributes.push_back(GLLayer::kAttribute_NoRecovery);
    }
    else
    {
        attributes.push_back(GLLayer::kAttribute_RendererID);
        attributes.push_back(GLLayer::kRendererGenericFloatID);
    }
    attributes.push_back(GLLayer::kAttribute_None);
    return attributes;
}

GLLayer::sDisplayMode OpenGLGraphicsPlatform::ChooseFullScreenMode(std::vector<GLLayer::sDisplayMode> const& modes,
                                                                   int width, int height)
{
    for (int bitsPerPixel : {32, 24, 16})
    {
        int const index = GLLayer::FindExactDisplayMode(modes, bitsPerPixel, width, height);
        if (index >= 0)
            return modes[size_t(index)];
    }
    throw Corvane::RuntimeError("Could not find a display mode suitable for full screen mode.", kErrorFile, 178,
                                kSetupFunction);
}

void OpenGLGraphicsPlatform::Setup(Corvane::sWindowConfig const& config)
{
    // A second Setup starts over rather than leaking the first context.
    if (mContext || mScreenCanvas)
        Cleanup();

    bool const fullScreen = config.mode == Corvane::kWindowMode_FullScreen;
    int device = -1;
    if (fullScreen)
    {
        int const display = GLLayer::GetMainDisplay();
        std::vector<GLLayer::sDisplayMode> modes;
        if (!GLLayer::GetDisplayModes(display, &modes))
            throw Corvane::RuntimeError("Attempted to enter full screen mode on an invalid display.", kErrorFile, 95,
                                        kBestModeFunction);
        // Desktops rarely offer a mode of exactly the picture's size: a window
        // that already covers the desktop keeps the desktop's mode, and the
        // viewport scales the picture into it.
        bool const desktop = GLLayer::HoldsDesktopFullScreen(display);
        GLLayer::sDisplayMode mode = {0, 0, 0, 0};
        if (!desktop)
            mode = ChooseFullScreenMode(modes, config.width, config.height);
        if (!GLLayer::CaptureAllDisplays())
            ThrowMacOSXError("Could not capture the display before entering full screen mode.", 188);
        if (!desktop && !GLLayer::SwitchToMode(display, mode))
            ThrowMacOSXError("Could not switch the display into full screen mode.", 192);
        if (!GLLayer::GetDisplayDevice(display, &device))
            ThrowMacOSXError("Could not get the display ID for the full screen display.", 196);
    }

    std::vector<int32_t> const attributes = GetPixelFormatAttributes(fullScreen, mCaps);
    GLLayer::sPixelFormat format;
    if (!GLLayer::ChoosePixelFormat(attributes.data(), device, &format))
        ThrowAglError("Could not choose a pixel format.", 236, kSetupFunction);
    mContext = GLLayer::CreateContext(format);
    if (!mContext)
        ThrowAglError("Could not create an OpenGL context.", 240, kSetupFunction);
    GLLayer::ResetSubBufferSupport();

    UpdateRenderContext(config);

    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    mScreenCanvas = new Corvane::OpenGLScreenCanvas(Corvane::Rect<int>(0, 0, config.width, config.height));
    mScreenCanvas->SetRetained(mRetainedFrames);
    GLLayer::InvalidateScreen();
}

void OpenGLGraphicsPlatform::SetRetainedFrames(bool retained)
{
    mRetainedFrames = retained;
    if (mScreenCanvas)
        mScreenCanvas->SetRetained(retained);
}

void OpenGLGraphicsPlatform::UpdateRenderContext(Corvane::sWindowConfig const& config)
{
    if (!mContext)
        return;

    int portWidth = 0;
    int portHeight = 0;
    GLLayer::GetDrawableSize(&portWidth, &portHeight);
    Corvane::sPlatformRect const port = {0, 0, portHeight, portWidth};
    Corvane::IPlatform* const platform = Corvane::GetPlatform();

    bool const fullScreen = config.mode == Corvane::kWindowMode_FullScreen;
    bool clipped = false;
    Corvane::sPlatformRect clip = port;
    if (!fullScreen)
    {
        if (!GLLayer::SetDrawable(mContext))
            ThrowAglError("Could not set the OpenGL context drawable.", 116, kUpdateFunction);
        if (platform)
        {
            clip = platform->GetRenderClipRect();
            clipped = !IsSameRect(clip, port);
        }
    }
    else if (!GLLayer::SetFullScreen(mContext))
    {
        ThrowAglError("Could not set the OpenGL context to full screen.", 141, kUpdateFunction);
    }

    if (!GLLayer::SetCurrentContext(mContext))
        ThrowAglError("Could not set the OpenGL context current.", 145, kUpdateFunction);
    if (!GLLayer::UpdateContext(mContext))
        ThrowAglError("Could not set the OpenGL context current.", 148, kUpdateFunction);

    // The clip needs the context current, so it follows the binding here.
    GLLayer::SetClipRect(clipped, clip.left - port.left, port.bottom - clip.bottom, clip.right - clip.left,
                         clip.bottom - clip.top);

    // The full screen can be larger than the picture: the platform's render
    // rectangle places the picture in it as it does in a resized window.
    if (fullScreen && !platform)
    {
        glViewport(0, 0, config.width, config.height);
    }
    else
    {
        Corvane::sPlatformRect const render = platform ? platform->GetRenderRect() : port;
        glViewport(render.left - port.left, port.bottom - render.bottom, render.right - render.left,
                   render.bottom - render.top);
    }
}

void OpenGLGraphicsPlatform::Cleanup()
{
    // Texture names belong to this context: make sure it is the one they leave.
    if (mContext)
        GLLayer::SetCurrentContext(mContext);
    Corvane::OpenGLTexture::DeleteAll();

    delete mScreenCanvas;
    mScreenCanvas = nullptr;

    if (mContext)
    {
        GLLayer::SetCurrentContext(nullptr);
        GLLayer::ClearDrawable(mContext);
        GLLayer::DestroyContext(mContext);
        mContext = nullptr;
    }
    GLLayer::ReleaseAllDisplays();
    GLLayer::GetError();
}

int OpenGLGraphicsPlatform::BeginScene()
{
    if (!mScreenCanvas)
        return -1;
    // The canvas clears only inside the clip; the bars beside a letterboxed
    // picture would otherwise keep whatever the buffer held. A kept frame
    // clears when it is presented.
    if (!mScreenCanvas->IsRetained())
        GLLayer::ClearWholeDrawable();
    mScreenCanvas->BeginFrame();
    return 0;
}

int OpenGLGraphicsPlatform::EndScene()
{
    if (!mScreenCanvas)
        return 0;
    mScreenCanvas->EndFrame();
    if (mScreenCanvas->PresentFrame())
        GLLayer::SwapBuffers(mContext);
    // Drawn and shown: nothing holds a pixel pointer or needs an idle texture now.
    Corvane::OpenGLTexture::EndFrame();
    Corvane::Image::EndFrame();
    return 0;
}

Corvane::Graphics::ICanvas* OpenGLGraphicsPlatform::GetScreenCanvas()
{
    return mScreenCanvas;
}

Corvane::ITexture* OpenGLGraphicsPlatform::CreateTexture(Corvane::Image const* image, Corvane::Rect<int> const*)
{
    if (!image)
        return nullptr;
    return new Corvane::OpenGLTexture(image);
}

} // namespace MacOSX

namespace Corvane
{

IGraphicsPlatform* IGraphicsPlatform::Create(unsigned long caps)
{
    MacOSX::OpenGLGraphicsPlatform* const platform = new MacOSX::OpenGLGraphicsPlatform(caps);
    // The engine draws whole frames between BeginScene and EndScene and reads
    // nothing back in between, so only what changed need be drawn.
    platform->SetRetainedFrames(true);
    return platform;
}

} // namespace Corvane
