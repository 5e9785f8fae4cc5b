#include "2DEngine/Source/Graphics/Brush.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Graphics/PixelMath.h"

namespace Corvane
{
namespace Graphics
{

namespace
{

int CheckList(IImageList const* list, int first, int count)
{
    if (!list)
        return kNothingToDraw;
    if (first < 0 || int64_t(list->GetNumImages()) < int64_t(first) + count)
        return kBrushIndexOutOfRange;
    return kDrawn;
}

int64_t FloorToInt64(float value)
{
    return Internal::TruncToInt64(std::floor(value));
}

// The part of one axis that can show anything: canvas bounds and clip.
struct sVisibleSpan
{
    int64_t start;
    int64_t end;
};

sVisibleSpan GetVisibleSpan(ICanvas* canvas, sDrawState const& state, bool vertical)
{
    Rect<int> const& bounds = canvas->GetBounds();
    sVisibleSpan span;
    if (vertical)
    {
        span.start = std::max<int64_t>(bounds.y, state.clip.y);
        span.end = std::min<int64_t>(int64_t(bounds.y) + bounds.height, int64_t(state.clip.y) + state.clip.height);
    }
    else
    {
        span.start = std::max<int64_t>(bounds.x, state.clip.x);
        span.end = std::min<int64_t>(int64_t(bounds.x) + bounds.width, int64_t(state.clip.x) + state.clip.width);
    }
    return span;
}

// Calls piece(pen, length) for each repetition of a middle piece of size m
// over rest pixels from pen on, length being m for whole pieces and the
// remainder for the last. A middle piece without size repeats nothing.
// Repetitions wholly outside the visible span are skipped without a call.
template <class Piece>
void RepeatMiddle(int64_t pen, int64_t rest, int64_t m, sVisibleSpan const& visible, Piece piece)
{
    if (m <= 0)
        return;
    while (rest > 0 && pen < visible.end)
    {
        if (pen + m <= visible.start)
        {
            int64_t const skip = std::min(rest, std::max<int64_t>(1, (visible.start - pen) / m) * m);
            pen += skip;
            rest -= skip;
            continue;
        }
        piece(pen, std::min(rest, m));
        rest -= m;
        pen += m;
    }
}

int DrawThreeBrushAlong(IImageList const* list, int first, float x, float y, float length, bool vertical,
                        sDrawState const& state, ICanvas* canvas)
{
    int const check = CheckList(list, first, 3);
    if (check != kDrawn)
        return check;
    int64_t const left = FloorToInt64(x);
    int64_t const top = FloorToInt64(y);
    int64_t span = vertical ? FloorToInt64(y + length) - top : FloorToInt64(x + length) - left;

    auto size = [&](int index) {
        return int64_t(vertical ? list->GetImageHeight(index) : list->GetImageWidth(index));
    };
    auto draw = [&](int index, int64_t along, sDrawState const& pieceState) {
        if (vertical)
            DrawImageList(list, index, float(left), float(along), pieceState, canvas);
        else
            DrawImageList(list, index, float(along), float(top), pieceState, canvas);
    };

    int64_t pen = vertical ? top : left;
    draw(first, pen, state);
    pen += size(first);
    span -= size(first);
    draw(first + 2, pen + span - size(first + 2), state);

    int64_t const rest = span - size(first + 2);
    int64_t const m = size(first + 1);
    if (!canvas)
        return kDrawn;
    RepeatMiddle(pen, rest, m, GetVisibleSpan(canvas, state, vertical), [&](int64_t along, int64_t piece) {
        if (piece >= m)
        {
            draw(first + 1, along, state);
            return;
        }
        DrawStateNPI cut(state);
        if (vertical)
            cut.SourceRect(0, 0, list->GetImageWidth(first + 1), int(piece));
        else
            cut.SourceRect(0, 0, int(piece), list->GetImageHeight(first + 1));
        draw(first + 1, along, cut);
    });
    return kDrawn;
}

} // namespace

int DrawThreeBrush(IImageList const* list, int first, float x, float y, float width, sDrawState const& state,
                   ICanvas* canvas)
{
    return DrawThreeBrushAlong(list, first, x, y, width, false, state, canvas);
}

int DrawThreeBrush(IImageList const* list, float x, float y, float width, sDrawState const& state, ICanvas* canvas)
{
    return DrawThreeBrush(list, 0, x, y, width, state, canvas);
}

int DrawThreeBrushVertical(IImageList const* list, int first, float x, float y, float height,
                           sDrawState const& state, ICanvas* canvas)
{
    return DrawThreeBrushAlong(list, first, x, y, height, true, state, canvas);
}

int DrawThreeBrushVertical(IImageList const* list, float x, float y, float height, sDrawState const& state,
                           ICanvas* canvas)
{
    return DrawThreeBrushVertical(list, 0, x, y, height, state, canvas);
}

int DrawNineBrush(IImageList const* list, int first, float x, float y, float width, float height,
                  sDrawState const& state, ICanvas* canvas)
{
    int const check = CheckList(list, first, 9);
    if (check != kDrawn)
        return check;
    int64_t const left = FloorToInt64(x);
    int64_t const top = FloorToInt64(y);
    int64_t const w = FloorToInt64(x + width) - left;
    int64_t h = FloorToInt64(y + height) - top;

    DrawThreeBrush(list, first, float(left), float(top), float(w), state, canvas);
    int64_t pen = top + list->GetImageHeight(first);
    h -= list->GetImageHeight(first);
    DrawThreeBrush(list, first + 6, float(left), float(pen + h - list->GetImageHeight(first + 6)), float(w), state,
                   canvas);

    int64_t const rest = h - list->GetImageHeight(first + 6);
    int64_t const m = list->GetImageHeight(first + 3);
    if (!canvas)
        return kDrawn;
    RepeatMiddle(pen, rest, m, GetVisibleSpan(canvas, state, true), [&](int64_t along, int64_t piece) {
        if (piece >= m)
        {
            DrawThreeBrush(list, first + 3, float(left), float(along), float(w), state, canvas);
            return;
        }
        // The last row is cut to the remaining height, within the caller's own clip.
        sDrawState cut(state);
        int64_t const clipLeft = std::max<int64_t>(left, state.clip.x);
        int64_t const clipTop = std::max<int64_t>(along, state.clip.y);
        int64_t const clipRight = std::min<int64_t>(left + w, int64_t(state.clip.x) + state.clip.width);
        int64_t const clipBottom = std::min<int64_t>(along + piece, int64_t(state.clip.y) + state.clip.height);
        if (clipRight <= clipLeft || clipBottom <= clipTop)
            return;
        cut.clip = Rect<int>(Internal::ClampToInt(clipLeft), Internal::ClampToInt(clipTop),
                             Internal::ClampToInt(clipRight - clipLeft), Internal::ClampToInt(clipBottom - clipTop));
        DrawThreeBrush(list, first + 3, float(left), float(along), float(w), cut, canvas);
    });
    return kDrawn;
}

int DrawNineBrush(IImageList const* list, float x, float y, float width, float height, sDrawState const& state,
                  ICanvas* canvas)
{
    return DrawNineBrush(list, 0, x, y, width, height, state, canvas);
}

int GetThreeBrushPixelAlpha(IImageList const* list, int first, int x, int y, float width)
{
    if (CheckList(list, first, 3) != kDrawn)
        return 0;
    if (x < 0 || !(float(x) < width) || y < 0 || y >= list->GetImageHeight(first))
        return 0;
    int const leftWidth = list->GetImageWidth(first);
    if (x < leftWidth)
        return list->GetImagePixelAlpha(first, x, y);
    int const rightWidth = list->GetImageWidth(first + 2);
    if (float(x) >= width - float(rightWidth))
        return list->GetImagePixelAlpha(first + 2, Internal::ClampToInt(int64_t(x) - (Internal::TruncToInt64(width) - rightWidth)), y);
    int const middleWidth = list->GetImageWidth(first + 1);
    if (middleWidth <= 0)
        return 0;
    return list->GetImagePixelAlpha(first + 1, (x - leftWidth) % middleWidth, y);
}

} // namespace Graphics
} // namespace Corvane
