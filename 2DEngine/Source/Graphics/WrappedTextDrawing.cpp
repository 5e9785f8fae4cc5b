#include "2DEngine/Source/Graphics/Drawing.h"

#include <cmath>
#include <vector>

#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/StyledText.h"

namespace Corvane
{
namespace Graphics
{

namespace
{

// Whole pixels; widths that are not numbers or beyond the int range are limited to it.
int WidthInPixels(float width)
{
    if (!(width == width))
        return 0;
    if (width >= 2147483520.0f)
        return 2147483647;
    if (width <= -2147483520.0f)
        return -2147483647;
    return int(width);
}

} // namespace

int DrawWrappedText(wchar_t const* text, float x, float y, float width, Rect<float>* bounds, sDrawState const& state,
                    ICanvas* canvas)
{
    if (!state.font || !text)
        return kNothingToDraw;

    LineBreakList breaks;
    ComputeLineBreaks(&breaks, text, WidthInPixels(width), state.font, nullptr);
    int32_t const lineCount = breaks.GetLineCount();
    float const lineHeight = float(state.font->GetGlyphHeight());
    float const totalHeight = float(lineCount) * lineHeight;
    if (state.vAlign == kVAlignment_Bottom)
        y -= totalHeight;
    else if (state.vAlign == kVAlignment_Middle)
        y -= totalHeight * 0.5f;
    float const top = y;

    sDrawState lineState = state;
    lineState.hAlign = kHAlignment_Left;
    lineState.vAlign = kVAlignment_Top;

    int result = kNothingToDraw;
    std::vector<wchar_t> line;
    for (int32_t i = 0; i < lineCount; ++i)
    {
        wchar_t const* const start = text + breaks.GetLineStart(i);
        line.assign(start, start + breaks.GetLineLength(i));
        line.push_back(0);
        float const lineWidth = float(state.font->GetStringWidth(line.data()));
        float lineX = x;
        if (state.hAlign == kHAlignment_Right)
            lineX -= lineWidth;
        else if (state.hAlign == kHAlignment_Center)
            lineX = std::floor(lineX - lineWidth * 0.5f);
        if (state.vAlign == kVAlignment_Middle)
            y = std::floor(y);
        result = DrawText(line.data(), lineX, y, lineState, canvas);
        y += lineHeight;
    }

    if (bounds)
    {
        float const widest = float(breaks.GetWidestWidth());
        float left = x;
        if (state.hAlign == kHAlignment_Right)
            left -= widest;
        else if (state.hAlign == kHAlignment_Center)
            left -= widest * 0.5f;
        *bounds = Rect<float>(left, top, widest, totalHeight);
    }
    return result;
}

int DrawWrappedText(wchar_t const* text, float x, float y, float width, sDrawState const& state, ICanvas* canvas)
{
    return DrawWrappedText(text, x, y, width, nullptr, state, canvas);
}

} // namespace Graphics
} // namespace Corvane
