#include "2DEngine/Source/Graphics/Drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"

namespace Corvane
{
namespace Graphics
{

namespace
{

// Rounds half up and truncates toward zero, as line end points are placed.
int RoundEndPoint(float value)
{
    return static_cast<int>(value + 0.5f);
}

bool IsUsableLineCoordinate(float value)
{
    return std::isfinite(value) && std::fabs(value) <= kMaxLineCoordinate;
}

// Canvas bounds and clip, intersected in 64 bits so that large clips cannot overflow.
struct sVisibleArea
{
    int64_t left;
    int64_t top;
    int64_t right;
    int64_t bottom;

    bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

sVisibleArea GetVisibleArea(ICanvas* canvas, sDrawState const& state)
{
    Rect<int> const& bounds = canvas->GetBounds();
    sVisibleArea area;
    area.left = std::max<int64_t>(bounds.x, state.clip.x);
    area.top = std::max<int64_t>(bounds.y, state.clip.y);
    area.right = std::min<int64_t>(int64_t(bounds.x) + bounds.width, int64_t(state.clip.x) + state.clip.width);
    area.bottom = std::min<int64_t>(int64_t(bounds.y) + bounds.height, int64_t(state.clip.y) + state.clip.height);
    return area;
}

void RasteriseLine(int ix0, int iy0, int ix1, int iy1, sDrawState const& state, ICanvas* canvas,
                   IPixelSettingCanvas* pixels)
{
    sVisibleArea const area = GetVisibleArea(canvas, state);
    int const dx = ix1 - ix0;
    int const dy = iy1 - iy0;
    int const sx = dx < 0 ? -1 : 1;
    int const sy = dy < 0 ? -1 : 1;
    int const adx = std::abs(dx);
    int const ady = std::abs(dy);
    int x = ix0;
    int y = iy0;
    int e = 0;
    if (adx >= ady)
    {
        while (x != ix1)
        {
            if (area.Contains(x, y))
                FillPixel(x, y, state, pixels);
            e += ady;
            if (adx <= 2 * e)
            {
                y += sy;
                e -= adx;
            }
            x += sx;
        }
    }
    else
    {
        while (y != iy1)
        {
            if (area.Contains(x, y))
                FillPixel(x, y, state, pixels);
            e += adx;
            if (ady <= 2 * e)
            {
                x += sx;
                e -= ady;
            }
            y += sy;
        }
    }
    if (area.Contains(ix1, iy1))
        FillPixel(ix1, iy1, state, pixels);
}

// The size alignment works with: the source rectangle's with DRAW_FLAG_SOURCE_RECT.
void GetAlignmentSize(IImage const* image, sDrawState const& state, int* width, int* height)
{
    if (state.flags & DRAW_FLAG_SOURCE_RECT)
    {
        *width = state.sourceRect.width;
        *height = state.sourceRect.height;
    }
    else
    {
        *width = image->GetWidth();
        *height = image->GetHeight();
    }
}

} // namespace

int DrawLine(float x0, float y0, float x1, float y1, sDrawState const& state, ICanvas* canvas)
{
    if (!canvas)
        return kNothingToDraw;
    if (ILineDrawingCanvas* const lines = QueryCanvasInterface<ILineDrawingCanvas>(canvas))
        return lines->DrawLine(x0, y0, x1, y1, state);
    IPixelSettingCanvas* const pixels = QueryCanvasInterface<IPixelSettingCanvas>(canvas);
    if (!pixels)
        return kMissingInterface;
    if (!IsUsableLineCoordinate(x0) || !IsUsableLineCoordinate(y0) || !IsUsableLineCoordinate(x1) ||
        !IsUsableLineCoordinate(y1))
        return kNothingToDraw;
    RasteriseLine(RoundEndPoint(x0), RoundEndPoint(y0), RoundEndPoint(x1), RoundEndPoint(y1), state, canvas, pixels);
    return kDrawn;
}

int DrawLineRect(Rect<float> const& rect, sDrawState const& state, ICanvas* canvas)
{
    if (!canvas)
        return kNothingToDraw;
    float const right = rect.x + rect.width - 1.0f;
    float const bottom = rect.y + rect.height - 1.0f;
    DrawLine(rect.x, rect.y, right, rect.y, state, canvas);
    DrawLine(right, rect.y, right, bottom, state, canvas);
    DrawLine(right, bottom, rect.x, bottom, state, canvas);
    return DrawLine(rect.x, bottom, rect.x, rect.y, state, canvas);
}

int DrawFilledRect(Rect<int> const& rect, sDrawState const& state, ICanvas* canvas)
{
    if (!canvas)
        return kNothingToDraw;
    IQuadDrawingCanvas* const quads = QueryCanvasInterface<IQuadDrawingCanvas>(canvas);
    return quads ? quads->DrawFilledRect(rect, state) : kMissingInterface;
}

int DrawFilledRect(Rect<float> const& rect, sDrawState const& state, ICanvas* canvas)
{
    if (!canvas)
        return kNothingToDraw;
    IQuadDrawingCanvas* const quads = QueryCanvasInterface<IQuadDrawingCanvas>(canvas);
    return quads ? quads->DrawFilledRect(rect, state) : kMissingInterface;
}

int DrawLineEllipse(Rect<float> const& rect, sDrawState const& state, ICanvas* canvas)
{
    if (!canvas)
        return kNothingToDraw;
    IEllipseDrawingCanvas* const ellipses = QueryCanvasInterface<IEllipseDrawingCanvas>(canvas);
    return ellipses ? ellipses->DrawLineEllipse(rect, state) : kMissingInterface;
}

int DrawFilledEllipse(Rect<float> const& rect, sDrawState const& state, ICanvas* canvas)
{
    if (!canvas)
        return kNothingToDraw;
    IEllipseDrawingCanvas* const ellipses = QueryCanvasInterface<IEllipseDrawingCanvas>(canvas);
    return ellipses ? ellipses->DrawFilledEllipse(rect, state) : kMissingInterface;
}

int DrawImage(IImage const* image, float x, float y, sDrawState const& state, ICanvas* canvas)
{
    if (!canvas || !image)
        return kNothingToDraw;
    if (state.hAlign != kHAlignment_Left || state.vAlign != kVAlignment_Top)
    {
        int width = 0;
        int height = 0;
        GetAlignmentSize(image, state, &width, &height);
        if (state.hAlign == kHAlignment_Center)
            x -= float(width / 2);
        else if (state.hAlign == kHAlignment_Right)
            x -= float(width);
        if (state.vAlign == kVAlignment_Middle)
            y -= float(height / 2);
        else if (state.vAlign == kVAlignment_Bottom)
            y -= float(height);
    }
    IQuadDrawingCanvas* const quads = QueryCanvasInterface<IQuadDrawingCanvas>(canvas);
    return quads ? quads->DrawImage(image, x, y, state) : kMissingInterface;
}

int DrawRotatedImage(IImage const* image, float x, float y, Angle angle, sDrawState const& state, ICanvas* canvas)
{
    if (!canvas || !image)
        return kNothingToDraw;
    if (state.hAlign != kHAlignment_Center || state.vAlign != kVAlignment_Middle)
    {
        int width = 0;
        int height = 0;
        GetAlignmentSize(image, state, &width, &height);
        float ox = float(width) * 0.5f;
        float oy = float(height) * 0.5f;
        if (state.hAlign == kHAlignment_Center)
            ox = 0.0f;
        else if (state.hAlign == kHAlignment_Right)
            ox = -float(width) * 0.5f;
        if (state.vAlign == kVAlignment_Middle)
            oy = 0.0f;
        else if (state.vAlign == kVAlignment_Bottom)
            oy = -float(height) * 0.5f;
        Vector2<float> const offset = angle.Rotate(Vector2<float>(ox, oy));
        x += offset.x;
        y += offset.y;
    }
    IQuadDrawingCanvas* const quads = QueryCanvasInterface<IQuadDrawingCanvas>(canvas);
    return quads ? quads->DrawRotatedImage(image, x, y, angle, state) : kMissingInterface;
}

int DrawStretchedImage(IImage const* image, Rect<int> const& dest, sDrawState const& state, ICanvas* canvas)
{
    if (!canvas)
        return kNothingToDraw;
    Rect<int> shifted = dest;
    if (state.hAlign == kHAlignment_Center)
        shifted.x -= dest.width / 2;
    else if (state.hAlign == kHAlignment_Right)
        shifted.x -= dest.width;
    if (state.vAlign == kVAlignment_Middle)
        shifted.y -= dest.height / 2;
    else if (state.vAlign == kVAlignment_Bottom)
        shifted.y -= dest.height;
    IQuadDrawingCanvas* const quads = QueryCanvasInterface<IQuadDrawingCanvas>(canvas);
    return quads ? quads->DrawStretchedImage(image, shifted, state) : kMissingInterface;
}

int DrawImageList(IImageList const* list, int index, float x, float y, sDrawState const& state, ICanvas* canvas)
{
    if (!list)
        return kNothingToDraw;
    return list->DrawImage(index, x, y, state, canvas);
}

int DrawStretchedImageList(IImageList const* list, int index, Rect<float>& rect, sDrawState const& state,
                           ICanvas* canvas)
{
    if (!list)
        return kNothingToDraw;
    return list->DrawStretchedImage(index, rect, state, canvas);
}

Color32 BlendColors(Color32 source, Color32 destination)
{
    uint32_t const sourceAlpha = source.GetAlpha();
    if (sourceAlpha == 0)
        return destination;
    if (sourceAlpha == 255)
        return Color32(source.value | 0xFF000000u);
    uint32_t const a = sourceAlpha + 1;
    uint32_t const b = 256 - a;
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8)
    {
        uint32_t const s = (source.value >> shift) & 0xFF;
        uint32_t const d = (destination.value >> shift) & 0xFF;
        result |= (((a * s + b * d) >> 8) & 0xFF) << shift;
    }
    return Color32(result);
}

Color32 ApplyTintToPixel(Color32 tint, Color32 pixel)
{
    if (tint.value == 0xFFFFFFFFu)
        return pixel;
    if (tint.value == 0)
        return Color32(0);
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8)
    {
        uint32_t const t = (tint.value >> shift) & 0xFF;
        uint32_t const p = (pixel.value >> shift) & 0xFF;
        result |= ((((t + 1) * p) >> 8) & 0xFF) << shift;
    }
    return Color32(result);
}

void FillPixel(int x, int y, sDrawState const& state, IPixelSettingCanvas* canvas)
{
    if (!canvas)
        return;
    Color32 color = state.color.ToColor32();
    if (state.flags & DRAW_FLAG_ALPHA)
        color = BlendColors(color, canvas->GetPixel(float(x), float(y)));
    canvas->SetPixel(float(x), float(y), color);
}

} // namespace Graphics
} // namespace Corvane
