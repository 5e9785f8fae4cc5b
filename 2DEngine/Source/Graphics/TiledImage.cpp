#include <algorithm>
#include <cstdint>

#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Graphics/PixelMath.h"

namespace Corvane
{
namespace Graphics
{

namespace
{

// value wrapped into 0..size-1; size must be positive.
int64_t WrapInto(int64_t value, int64_t size)
{
    if (value >= 0 && value < size)
        return value;
    int64_t wrapped = value % size;
    if (wrapped < 0)
        wrapped += size;
    return wrapped;
}

// One axis of a tiling: pieces of a run of length total, starting at source
// offset first, each at most size long. Whole tiles that end before the
// visible start are skipped in one step, and the walk stops at the visible
// end, so that a huge area costs no more than the pieces that can be seen.
template <class Piece>
void WalkAxis(int64_t start, int64_t total, int64_t size, int64_t first, int64_t visibleStart, int64_t visibleEnd,
              Piece piece)
{
    int64_t position = start;
    int64_t left = total;
    int64_t source = first;
    while (left >= 1 && position < visibleEnd)
    {
        int64_t const length = std::min(left, size - source);
        if (source == 0 && position + length <= visibleStart)
        {
            int64_t const skip = std::max<int64_t>(1, (visibleStart - position) / size);
            int64_t const skipped = std::min(left, skip * size);
            position += skipped;
            left -= skipped;
            continue;
        }
        if (position + length > visibleStart)
            piece(position, source, length);
        position += length;
        left -= length;
        source = 0;
    }
}

} // namespace

int DrawTiledImageHV(IImage const* image, Rect<float> const& dest, Vector2<int> offset, sDrawState const& state,
                     ICanvas* canvas)
{
    if (!image || !canvas)
        return kNothingToDraw;
    int64_t const w = image->GetWidth();
    int64_t const h = image->GetHeight();
    int64_t const destWidth = Internal::TruncToInt64(dest.width);
    int64_t const destHeight = Internal::TruncToInt64(dest.height);
    // An empty image would make every piece empty and the walk endless.
    if (w <= 0 || h <= 0 || !(dest.width > 0.0f) || !(dest.height > 0.0f))
        return kNothingToDraw;

    int64_t const offsetX = WrapInto(offset.x, w);
    int64_t const offsetY = WrapInto(offset.y, h);

    Rect<int> const& bounds = canvas->GetBounds();
    int64_t const visibleLeft = std::max<int64_t>(bounds.x, state.clip.x);
    int64_t const visibleTop = std::max<int64_t>(bounds.y, state.clip.y);
    int64_t const visibleRight =
        std::min<int64_t>(int64_t(bounds.x) + bounds.width, int64_t(state.clip.x) + state.clip.width);
    int64_t const visibleBottom =
        std::min<int64_t>(int64_t(bounds.y) + bounds.height, int64_t(state.clip.y) + state.clip.height);

    int64_t const startX = Internal::TruncToInt64(dest.x);
    int64_t const startY = Internal::TruncToInt64(dest.y);
    WalkAxis(startY, destHeight, h, offsetY, visibleTop, visibleBottom,
             [&](int64_t y, int64_t sy, int64_t bandHeight) {
                 WalkAxis(startX, destWidth, w, offsetX, visibleLeft, visibleRight,
                          [&](int64_t x, int64_t sx, int64_t pieceWidth) {
                              sDrawState piece(state);
                              if (sx != 0 || sy != 0 || pieceWidth != w || bandHeight != h)
                              {
                                  piece.sourceRect =
                                      Rect<int>(int(sx), int(sy), int(pieceWidth), int(bandHeight));
                                  piece.flags |= DRAW_FLAG_SOURCE_RECT;
                              }
                              DrawImage(image, float(x), float(y), piece, canvas);
                          });
             });
    return kDrawn;
}

int DrawTiledImageH(IImage const* image, float x, float y, float width, int offsetX, sDrawState const& state,
                    ICanvas* canvas)
{
    if (!image)
        return kNothingToDraw;
    return DrawTiledImageHV(image, Rect<float>(x, y, width, float(image->GetHeight())), Vector2<int>(offsetX, 0),
                            state, canvas);
}

int DrawTiledImageV(IImage const* image, float x, float y, float height, int offsetY, sDrawState const& state,
                    ICanvas* canvas)
{
    if (!image)
        return kNothingToDraw;
    return DrawTiledImageHV(image, Rect<float>(x, y, float(image->GetWidth()), height), Vector2<int>(0, offsetY),
                            state, canvas);
}

int DrawTiledImageV(IImage const* image, float x, float y, float height, sDrawState const& state, ICanvas* canvas)
{
    return DrawTiledImageV(image, x, y, height, 0, state, canvas);
}

int32_t GetTiledImageHVPixel(IImage const* image, Vector2<float> const& size, Vector2<int> const& offset, int x,
                             int y)
{
    if (!image)
        return -1;
    int64_t const w = image->GetWidth();
    int64_t const h = image->GetHeight();
    if (w <= 0 || h <= 0)
        return -1;
    if (x < 0 || y < 0 || x >= Internal::TruncToInt64(size.x) || y >= Internal::TruncToInt64(size.y))
        return -1;
    int64_t const sx = WrapInto(int64_t(x) + offset.x, w);
    int64_t const sy = WrapInto(int64_t(y) + offset.y, h);
    return int32_t(image->GetPixel(int(sx), int(sy)).value);
}

int GetTiledImageHVAlpha(IImage const* image, Vector2<float> const& size, Vector2<int> const& offset, int x, int y)
{
    return int(uint32_t(GetTiledImageHVPixel(image, size, offset, x, y)) >> 24);
}

} // namespace Graphics
} // namespace Corvane
