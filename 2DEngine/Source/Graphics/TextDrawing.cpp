#include "2DEngine/Source/Graphics/Drawing.h"

#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"

namespace Corvane
{
namespace Graphics
{

namespace
{

// One pass of the text in one colour: through the canvas's own text drawing
// when it has it, otherwise glyph by glyph, each glyph image tinted by the colour.
int DrawTextRun(wchar_t const* text, float x, float y, ColorF const& color, sDrawState const& state,
                ICanvas* canvas)
{
    if (ITextDrawingCanvas* const textCanvas = QueryCanvasInterface<ITextDrawingCanvas>(canvas))
    {
        sDrawState runState = state;
        runState.color = color;
        return textCanvas->DrawText(text, x, y, runState);
    }

    sDrawState glyphState = state;
    glyphState.tint = color;
    glyphState.flags |= DRAW_FLAG_SOURCE_RECT;
    glyphState.hAlign = kHAlignment_Left;
    glyphState.vAlign = kVAlignment_Top;

    int result = kNothingToDraw;
    float penX = x;
    for (wchar_t const* c = text; *c; ++c)
    {
        Font::sGlyph glyph = {nullptr, 0, 0, 0, 0};
        state.font->GetGlyph(c[0], &glyph);
        glyphState.sourceRect = Rect<int>(glyph.x, glyph.y, glyph.width, glyph.height);
        result = DrawImage(glyph.image, penX, y, glyphState, canvas);
        if (result < 0)
            break;
        penX += float(state.font->GetKernedLetterWidth(c[0], c[1]));
    }
    return result;
}

} // namespace

int DrawText(wchar_t const* text, float x, float y, sDrawState const& state, ICanvas* canvas)
{
    if (!state.font || !text || !canvas)
        return kNothingToDraw;

    if (state.hAlign == kHAlignment_Center)
        x -= float(state.font->GetStringWidth(text) / 2);
    else if (state.hAlign == kHAlignment_Right)
        x -= float(state.font->GetStringWidth(text));
    if (state.vAlign == kVAlignment_Middle)
        y -= float(state.font->GetGlyphHeight() / 2);
    else if (state.vAlign == kVAlignment_Bottom)
        y -= float(state.font->GetGlyphHeight());

    ColorF effect = state.effectColor;
    effect.a *= state.color.a;
    float const ox = float(state.effectOffsetX);
    float const oy = float(state.effectOffsetY);

    if (state.textMode == kTextMode_Outline)
    {
        float const around[8][2] = {{-ox, -oy}, {-ox, 0.0f}, {-ox, oy}, {0.0f, -oy},
                                    {0.0f, oy}, {ox, -oy},   {ox, 0.0f}, {ox, oy}};
        for (auto const& offset : around)
            DrawTextRun(text, x + offset[0], y + offset[1], effect, state, canvas);
    }
    else if (state.textMode == kTextMode_DropShadow)
    {
        DrawTextRun(text, x + ox, y + oy, effect, state, canvas);
    }
    return DrawTextRun(text, x, y, state.color, state, canvas);
}

} // namespace Graphics
} // namespace Corvane
