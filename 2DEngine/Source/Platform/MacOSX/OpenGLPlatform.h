#ifndef CORVANE_PLATFORM_MACOSX_OPENGLPLATFORM_H
#define CORVANE_PLATFORM_MACOSX_OPENGLPLATFORM_H

// The graphics platform over OpenGL 1.x immediate mode: it owns the rendering
// context of the game window, fixes the GL state for alpha-blended 2D drawing,
// makes the screen canvas and the textures of images, and brackets each frame.

#include <cstdint>
#include <string>
#include <vector>

#include "Core/Source/Error.h"
#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"

namespace Corvane
{
class OpenGLScreenCanvas;
}

namespace MacOSX
{

// A failure of the OpenGL context layer: the caller's text, a line break, the
// layer's text for the code, then " (OpenGL Error <code>)".
class AglError : public Corvane::RuntimeError
{
public:
    AglError(uint32_t code, std::string const& message, char const* file, int line, char const* function);

    uint32_t GetCode() const { return mCode; }

    static std::string FormatError(uint32_t code, std::string const& message);

private:
    uint32_t mCode;
};

class OpenGLGraphicsPlatform : public Corvane::IGraphicsPlatform
{
public:
    // Registers itself as the process's graphics platform.
    explicit OpenGLGraphicsPlatform(unsigned long caps);
    // Unregisters itself; releases whatever Cleanup has not.
    ~OpenGLGraphicsPlatform() override;
    OpenGLGraphicsPlatform(OpenGLGraphicsPlatform const&) = delete;
    OpenGLGraphicsPlatform& operator=(OpenGLGraphicsPlatform const&) = delete;

    // "MacOSX::GraphicsPlatform"
    Corvane::Label GetName() override;
    // Every configuration is supported as asked.
    void GetSupportedWindowConfig(Corvane::sWindowConfig* config) override;
    unsigned long GetCaps() override;
    // Takes the display for full screen (the desktop's own full-screen window
    // as it is, or else an exact mode of the size at 32, 24 or 16 bits), makes
    // the context for the render window, fixes the GL state and makes the
    // screen canvas. Throws on failure.
    void Setup(Corvane::sWindowConfig const& config) override;
    // Drops the GL names of all textures (they upload again after the next
    // Setup), destroys the screen canvas and the context and gives the display back.
    void Cleanup() override;
    // -1 when there is no screen canvas to draw (before Setup); otherwise
    // clears the whole drawable and the picture, and 0.
    int BeginScene() override;
    // Shows the frame (a kept frame where it changed, else by a swap); 0.
    int EndScene() override;
    Corvane::Graphics::ICanvas* GetScreenCanvas() override;
    // A new texture for the image, attached to it, with the caller's reference;
    // the rectangle is not used.
    Corvane::ITexture* CreateTexture(Corvane::Image const* image, Corvane::Rect<int> const* rect) override;

    // Binds the context to the window or the full screen and sets the
    // viewport (and clip) from the platform's render rectangles; called again
    // whenever the window's size changes. Throws on failure.
    void UpdateRenderContext(Corvane::sWindowConfig const& config);

    bool HasContext() const { return mContext != nullptr; }

    // Whether the screen canvas keeps each frame and repaints only what
    // changed (see OpenGLScreenCanvas); the engine's own platform does, code
    // that reads pixels in the middle of a frame does not. Off by default.
    void SetRetainedFrames(bool retained);

    // The pixel-format attributes for the target and capability bits; bit 2
    // asks for hardware acceleration, without it the software renderer is asked for.
    static std::vector<int32_t> GetPixelFormatAttributes(bool fullScreen, unsigned long caps);
    // The mode of exactly that size at 32 bits per pixel, else 24, else 16.
    // Throws "Could not find a display mode suitable for full screen mode." when none matches.
    static GLLayer::sDisplayMode ChooseFullScreenMode(std::vector<GLLayer::sDisplayMode> const& modes, int width,
                                                     int height);

protected:
    // In EndScene, once the frame is in the back buffer as it goes on screen
    // and before any swap: the moment to read it back.
    virtual void OnFramePresented() {}

private:
    unsigned long mCaps;
    GLLayer::Context mContext;
    Corvane::OpenGLScreenCanvas* mScreenCanvas;
    bool mRetainedFrames;
};

} // namespace MacOSX

#endif
