#ifndef CORVANE_GRAPHICS_DRAWING_H
#define CORVANE_GRAPHICS_DRAWING_H

// The drawing facade: lines, rectangles, ellipses, images, image-list frames
// and text drawn onto a canvas under a draw state. Each call asks the canvas for
// the interface it needs and returns 0 when it drew, 1 when there was nothing
// to draw (no canvas, image, list, font or text) and -2 when the canvas lacks
// the interface. Drawing never throws.

#include "Core/Source/Angle.h"
#include "Core/Source/Color.h"
#include "Core/Source/Rect.h"
#include "2DEngine/Source/Graphics/Canvas.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/DrawState.h"

namespace Corvane
{

class IImage;
class IImageList;

namespace Graphics
{

// On a canvas without a line interface the line is rasterised through its
// pixel interface, clipped to the canvas bounds and the state's clip. End
// points that are not finite, or lie beyond kMaxLineCoordinate, draw nothing.
int DrawLine(float x0, float y0, float x1, float y1,
             sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());
constexpr float kMaxLineCoordinate = 16777216.0f;

// Four lines along the edges of the pixels the rectangle covers (right edge at
// x + width - 1); returns the result of the last.
int DrawLineRect(Rect<float> const& rect, sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());

int DrawFilledRect(Rect<int> const& rect, sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());
int DrawFilledRect(Rect<float> const& rect, sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());

int DrawLineEllipse(Rect<float> const& rect, sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());
int DrawFilledEllipse(Rect<float> const& rect, sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());

// (x, y) is placed by the state's alignments: the image's width (or the source
// rectangle's, with DRAW_FLAG_SOURCE_RECT) is taken whole for Right and halved,
// in whole pixels, for Center; likewise the height.
int DrawImage(IImage const* image, float x, float y,
              sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());
// (x, y) is the point the alignments name (the centre for Center/Middle); the
// image turns about its centre.
int DrawRotatedImage(IImage const* image, float x, float y, Angle angle,
                     sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());
int DrawStretchedImage(IImage const* image, Rect<int> const& dest,
                       sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());

int DrawImageList(IImageList const* list, int index, float x, float y,
                  sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());
int DrawStretchedImageList(IImageList const* list, int index, Rect<float>& rect,
                           sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());

// Text in the state's font, aligned by the state, with its outline (eight
// copies around it) or drop shadow in the effect colour, whose alpha is scaled
// by the alpha of the colour. The canvas must not be null.
int DrawText(wchar_t const* text, float x, float y,
             sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());

// Text broken into lines of at most width pixels (truncated to whole pixels)
// and drawn line under line, each line aligned by the state within the width's
// anchor at x; the block is aligned vertically by the state. Bounds, when asked
// for, receive the block's left, top, widest line and total height. Returns the
// result of the last line, 1 when there is no font or text.
int DrawWrappedText(wchar_t const* text, float x, float y, float width, Rect<float>* bounds,
                    sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());
int DrawWrappedText(wchar_t const* text, float x, float y, float width,
                    sDrawState const& state = GetDrawState(), ICanvas* canvas = GetCanvas());

// Source-over blend of two 0xAARRGGBB colours, alpha channel included.
Color32 BlendColors(Color32 source, Color32 destination);
// Each channel of the pixel scaled by the tint's.
Color32 ApplyTintToPixel(Color32 tint, Color32 pixel);
// Sets one pixel to the state's colour, blended over the pixel there when
// DRAW_FLAG_ALPHA is set.
void FillPixel(int x, int y, sDrawState const& state, IPixelSettingCanvas* canvas);

} // namespace Graphics
} // namespace Corvane

#endif
