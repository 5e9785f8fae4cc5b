#ifndef CORVANE_GRAPHICS_BRUSH_H
#define CORVANE_GRAPHICS_BRUSH_H

// Brushes draw strips and frames of any size from a few frames of an image
// list: a three-part brush is a leading cap, a middle piece repeated (never
// scaled, the last repetition cut to fit) and a trailing cap; a nine-part
// brush is three rows of three-part brushes. The pieces are consecutive frames
// from a first index.
//
// Results: 0 drawn, 1 when the list is null, -1 when first is negative or the
// list has too few frames. The results of the single pieces are not reported.

#include "2DEngine/Source/Graphics/Canvas.h"
#include "2DEngine/Source/Graphics/DrawState.h"

namespace Corvane
{

class IImageList;

namespace Graphics
{

constexpr int kBrushIndexOutOfRange = -1;

// Horizontal: frames first (left cap), first + 1 (middle), first + 2 (right cap).
int DrawThreeBrush(IImageList const* list, int first, float x, float y, float width, sDrawState const& state,
                   ICanvas* canvas);
int DrawThreeBrush(IImageList const* list, float x, float y, float width, sDrawState const& state, ICanvas* canvas);
// Vertical: top cap, middle, bottom cap.
int DrawThreeBrushVertical(IImageList const* list, int first, float x, float y, float height,
                           sDrawState const& state, ICanvas* canvas);
int DrawThreeBrushVertical(IImageList const* list, float x, float y, float height, sDrawState const& state,
                           ICanvas* canvas);
// Frames first .. first + 8: top, middle and bottom rows of three.
int DrawNineBrush(IImageList const* list, int first, float x, float y, float width, float height,
                  sDrawState const& state, ICanvas* canvas);
int DrawNineBrush(IImageList const* list, float x, float y, float width, float height, sDrawState const& state,
                  ICanvas* canvas);

// Alpha (0..255) of the horizontal three-part brush of that width at (x, y)
// relative to its top-left corner; 0 outside it or for a list that cannot
// make the brush.
int GetThreeBrushPixelAlpha(IImageList const* list, int first, int x, int y, float width);

} // namespace Graphics
} // namespace Corvane

#endif
