#ifndef CORVANE_GRAPHICS_SOFTWARECANVAS_H
#define CORVANE_GRAPHICS_SOFTWARECANVAS_H

// Drawing into an Image in memory: the software canvas, with integer pixel
// arithmetic, and the blitters that copy an image into a pixel buffer under
// the draw state's tint, opacity, alpha, source rectangle, flips and clip.

#include <cstdint>

#include "Core/Source/Color.h"
#include "Core/Source/Rect.h"
#include "2DEngine/Source/Graphics/Canvas.h"
#include "2DEngine/Source/Graphics/DrawState.h"

namespace Corvane
{

class Image;

namespace Graphics
{

// A pixel buffer, rows top first; the pitch is the width.
struct BLIT_TARGET
{
    Color32* pixels;
    int32_t width;
    int32_t height;
};

// A new canvas over the image ("ImageCanvas"), offering ICanvas,
// IQuadDrawingCanvas, IPixelSettingCanvas and IEllipseDrawingCanvas. It must
// not outlive the image. Destroy it with DestroyImageCanvas.
ICanvas* CreateImageCanvas(Image* image);
// Null, and canvases not made by CreateImageCanvas, are ignored.
void DestroyImageCanvas(ICanvas* canvas);

// Copies the image with its top-left corner (or its source rectangle's, with
// DRAW_FLAG_SOURCE_RECT) at (x, y). 0 when drawn, 1 when nothing was.
int BlitImage(Image const* source, int x, int y, BLIT_TARGET* target, sDrawState const& state);
// Scales the image (or its source rectangle) into dest, nearest pixel,
// mirrored by the flip flags. 0 when drawn, 1 when nothing was.
int BlitStretchedImage(Image const* source, Rect<int> const& dest, BLIT_TARGET* target, sDrawState const& state);

} // namespace Graphics
} // namespace Corvane

#endif
