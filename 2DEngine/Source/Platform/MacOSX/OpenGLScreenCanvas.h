#ifndef CORVANE_PLATFORM_MACOSX_OPENGLSCREENCANVAS_H
#define CORVANE_PLATFORM_MACOSX_OPENGLSCREENCANVAS_H

// The screen's canvas: lines, circles, ellipses, filled rectangles and images
// in OpenGL immediate mode, every image one textured, tinted quad. It offers
// no pixel access.
//
// A kept (retained) canvas draws nothing during the frame: it keeps the frame
// as data and, when the frame is presented, draws only the parts of the window
// that differ from the frame on screen, clipped to them, and shows just those
// parts where the driver can; a frame like the one on screen costs nothing.
// The pixels are those of a full repaint. Drawing at once stays the default,
// for code that reads pixels back in the middle of a frame. Reference drawing
// (Graphics::SetReferenceDrawing) draws a kept canvas's frames at once and
// whole while it is on. Repainted parts start from a picture of the batches
// beneath everything that changes, once those have stayed the same a while
// (OpenGLBackdrop), or from the last opaque batch that covers them. At a
// frame unit to the window pixel, pictures drawn texel for pixel sample their
// nearest texel and opaque ones are not blended, which gives the same pixels.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "2DEngine/Source/Graphics/Canvas.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLBackdrop.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLFrame.h"

namespace Corvane
{

class ITexture;

class OpenGLScreenCanvas : public Graphics::IScreen,
                           public Graphics::ICanvas,
                           public Graphics::ILineDrawingCanvas,
                           public Graphics::IEllipseDrawingCanvas,
                           public Graphics::IQuadDrawingCanvas
{
public:
    // bounds: (0, 0, window width, window height).
    explicit OpenGLScreenCanvas(Rect<int> const& bounds);
    ~OpenGLScreenCanvas() override;

    // Clears the buffers (kept: at presentation) and sets a projection in
    // window pixels, y down.
    int BeginFrame() override;
    int EndFrame() override;

    void SetRetained(bool retained);
    bool IsRetained() const { return mRetained; }
    // Whether the next frame is kept: retained and not drawn for reference.
    bool KeepsFrames() const;
    // Draws the kept frame where it differs from the one on screen. True when
    // the buffers must still be swapped to show it (always when not kept).
    bool PresentFrame();

    // "OpenGLScreenCanvas"
    Label GetKind() override;
    Rect<int> const& GetBounds() override { return mBounds; }
    bool QueryInterface(Label name, void** out) override;

    int DrawLine(float x0, float y0, float x1, float y1, Graphics::sDrawState const& state) override;

    int DrawLineCircle(float cx, float cy, float radius, Graphics::sDrawState const& state) override;
    int DrawFilledCircle(float cx, float cy, float radius, Graphics::sDrawState const& state) override;
    int DrawLineEllipse(Rect<float> const& rect, Graphics::sDrawState const& state) override;
    int DrawFilledEllipse(Rect<float> const& rect, Graphics::sDrawState const& state) override;

    int DrawFilledRect(Rect<int> const& rect, Graphics::sDrawState const& state) override;
    int DrawFilledRect(Rect<float> const& rect, Graphics::sDrawState const& state) override;
    int DrawImage(IImage const* image, float x, float y, Graphics::sDrawState const& state) override;
    int DrawStretchedImage(IImage const* image, Rect<int> const& dest, Graphics::sDrawState const& state) override;
    int DrawRotatedImage(IImage const* image, float x, float y, Angle angle,
                         Graphics::sDrawState const& state) override;
    int DrawStretchedRotatedImage(IImage const* image, Rect<int> const& dest, Angle angle,
                                  Graphics::sDrawState const& state) override;
    int DrawPrimitive(PrimitiveKind kind, IImage const* image, int count, Graphics::sPrimitiveVertex const* vertices,
                      Graphics::sDrawState const& state) override;

    // The window pixels repainted so far, by every kept canvas, without clearing them first: over
    // the picture of the layers beneath, or under an opaque batch that covers them (for measuring).
    static uint64_t PixelsRepaintedUncleared();

    // The texture an image draws with: its own, or a new one for an Image;
    // null for no image or another kind of image, which draws untextured.
    static ITexture* GetTextureOfImage(IImage const* image);

private:
    OpenGLFrame* Recording() { return mKeeping ? &mFrame : nullptr; }
    void RepaintWhole(int const viewport[4]);
    // Clears the window for a whole repaint, but not its colour when the frame's batches cover it opaque.
    void ClearUnlessCovered(bool covered, int const viewport[4]);
    // Whether a unit of the frame is a pixel of the window.
    bool UnitPixels(int const viewport[4]) const;
    // Whether a backdrop of the frame's first batches is worth its whole repaint.
    bool BackdropPaysFor(std::size_t beneath, std::vector<Rect<float>> const& parts) const;
    // Draws the frame's first batches whole, keeps them as the backdrop, draws
    // the rest and shows the changed parts.
    void RepaintWholeOverBackdrop(std::size_t beneath, std::vector<Rect<float>> const& parts, int const viewport[4]);
    // What parts cost in the frame's coordinates, drawn into that viewport.
    sRepaintCosts RepaintCosts(int const viewport[4]) const;
    // Repaints the changed parts, given in the frame's coordinates, and shows them.
    void RepaintParts(std::vector<Rect<float>> const& parts, int const viewport[4]);
    // Repaints one part within its box in the window (PartInWindow).
    void RepaintPart(Rect<float> const& part, int const viewport[4], int const box[4]);
    // The part's rectangle in window pixels (x, y from the bottom left, width,
    // height), every pixel it reaches; false when none of it is on screen.
    bool PartInWindow(Rect<float> const& part, int const viewport[4], int box[4]) const;

    Rect<int> mBounds;
    bool mRetained = false;
    // Whether the frame being drawn is kept, fixed when it begins.
    bool mKeeping = false;
    OpenGLFrame mFrame;
    OpenGLFrame mShown;
    bool mShownValid = false;
    // The window under the kept frames' changing batches.
    OpenGLBackdrop mBackdrop;
    int mShownViewport[4] = {0, 0, 0, 0};
};

} // namespace Corvane

#endif
