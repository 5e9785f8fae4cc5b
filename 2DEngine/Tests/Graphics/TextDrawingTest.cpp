#include <gtest/gtest.h>

#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Tests/Graphics/RecordingCanvas.h"

using namespace FacadeTesting;

namespace
{
    // Each character's glyph sits at x = its code in a 300-wide atlas; 'i' is
    // 1 pixel wide, 'l' 2, every other character 3, and each advances by its
    // width plus 1, plus 2 more before an 'A'.
    class TestFont : public Font
    {
    public:
        TestFont() : atlas(300, 10) {}

        void GetGlyph(wchar_t c, sGlyph* out) const override
        {
            if (c >= 256)
            {
                *out = sGlyph{nullptr, 0, 0, 0, 0};
                return;
            }
            *out = sGlyph{&atlas, int32_t(c), 0, Width(c), 10};
        }
        int32_t GetGlyphHeight() const override { return 10; }
        int32_t GetKernedLetterWidth(wchar_t c, wchar_t next) const override
        {
            if (c >= 256)
                return 0;
            return Width(c) + 1 + (next == L'A' ? 2 : 0);
        }

        SizedImage atlas;

    private:
        static int32_t Width(wchar_t c) { return c == L'i' ? 1 : (c == L'l' ? 2 : 3); }
    };

    class TextDrawingTest : public ::testing::Test
    {
    protected:
        TextDrawingTest() : canvas(200, 200)
        {
            canvas.offersQuads = true;
            state = sDrawState::GetDefaults();
            state.font = &font;
            state.color = ColorF(1, 0, 0, 1);
        }

        TestFont font;
        RecordingCanvas canvas;
        sDrawState state;
    };
}

// ---- Normal case ------------------------------------------------------------------------------

TEST_F(TextDrawingTest, GlyphsAreTintedSourceRectsAlongTheKernedPen)
{
    EXPECT_EQ(kDrawn, DrawText(L"ab", 10, 20, state, &canvas));
    ASSERT_EQ(2u, canvas.images.size());
    sImageCall const& a = canvas.images[0];
    EXPECT_EQ(&font.atlas, a.image);
    EXPECT_FLOAT_EQ(10.0f, a.x);
    EXPECT_FLOAT_EQ(20.0f, a.y);
    EXPECT_EQ(Rect<int>(L'a', 0, 3, 10), a.state.sourceRect);
    EXPECT_TRUE(a.state.flags & DRAW_FLAG_SOURCE_RECT);
    EXPECT_FLOAT_EQ(0.0f, a.state.tint.g);
    EXPECT_FLOAT_EQ(1.0f, a.state.tint.r);
    EXPECT_FLOAT_EQ(14.0f, canvas.images[1].x);
}

TEST_F(TextDrawingTest, KerningAgainstTheNextCharacterMovesThePen)
{
    DrawText(L"aAb", 0, 0, state, &canvas);
    ASSERT_EQ(3u, canvas.images.size());
    EXPECT_FLOAT_EQ(6.0f, canvas.images[1].x);
    EXPECT_FLOAT_EQ(10.0f, canvas.images[2].x);
}

TEST_F(TextDrawingTest, CenteringAnOddWidthShiftsByItsWholeHalf)
{
    ASSERT_EQ(7, font.GetStringWidth(L"bl"));
    state.hAlign = kHAlignment_Center;
    state.vAlign = kVAlignment_Middle;
    DrawText(L"bl", 50, 50, state, &canvas);
    ASSERT_FALSE(canvas.images.empty());
    EXPECT_FLOAT_EQ(47.0f, canvas.images[0].x);
    EXPECT_FLOAT_EQ(45.0f, canvas.images[0].y);
    // Glyphs are drawn top-left whatever the text's alignment.
    EXPECT_EQ(kHAlignment_Left, canvas.images[0].state.hAlign);
    EXPECT_EQ(kVAlignment_Top, canvas.images[0].state.vAlign);

    canvas.images.clear();
    state.hAlign = kHAlignment_Right;
    state.vAlign = kVAlignment_Bottom;
    DrawText(L"bl", 50, 50, state, &canvas);
    EXPECT_FLOAT_EQ(43.0f, canvas.images[0].x);
    EXPECT_FLOAT_EQ(40.0f, canvas.images[0].y);
}

TEST_F(TextDrawingTest, OutlineDrawsEightEffectRunsThenTheText)
{
    state.textMode = kTextMode_Outline;
    state.effectColor = ColorF(0, 0, 1, 1);
    state.effectOffsetX = 2;
    state.effectOffsetY = 3;
    EXPECT_EQ(kDrawn, DrawText(L"b", 10, 10, state, &canvas));
    ASSERT_EQ(9u, canvas.images.size());
    float const expected[9][2] = {{8, 7}, {8, 10}, {8, 13}, {10, 7}, {10, 13}, {12, 7}, {12, 10}, {12, 13}, {10, 10}};
    for (int i = 0; i < 9; ++i)
    {
        EXPECT_FLOAT_EQ(expected[i][0], canvas.images[i].x) << i;
        EXPECT_FLOAT_EQ(expected[i][1], canvas.images[i].y) << i;
        EXPECT_FLOAT_EQ(i < 8 ? 1.0f : 0.0f, canvas.images[i].state.tint.b) << i;
    }
}

TEST_F(TextDrawingTest, DropShadowDrawsTwoRuns)
{
    state.textMode = kTextMode_DropShadow;
    DrawText(L"b", 10, 10, state, &canvas);
    ASSERT_EQ(2u, canvas.images.size());
    EXPECT_FLOAT_EQ(12.0f, canvas.images[0].x);
    EXPECT_FLOAT_EQ(12.0f, canvas.images[0].y);
    EXPECT_FLOAT_EQ(0.0f, canvas.images[0].state.tint.r);
    EXPECT_FLOAT_EQ(10.0f, canvas.images[1].x);
}

TEST_F(TextDrawingTest, EffectAlphaIsScaledByTheColoursAlpha)
{
    state.textMode = kTextMode_Outline;
    state.color.a = 0.5f;
    state.effectColor = ColorF(0, 0, 0, 1);
    DrawText(L"b", 0, 0, state, &canvas);
    ASSERT_EQ(9u, canvas.images.size());
    EXPECT_FLOAT_EQ(0.5f, canvas.images[0].state.tint.a);
    EXPECT_FLOAT_EQ(0.5f, canvas.images[8].state.tint.a);
}

TEST_F(TextDrawingTest, TextCanvasDrawsWholeRunsInTheRunColour)
{
    canvas.offersText = true;
    state.textMode = kTextMode_DropShadow;
    state.effectColor = ColorF(0, 1, 0, 1);
    EXPECT_EQ(kDrawn, DrawText(L"Hola", 5, 6, state, &canvas));
    ASSERT_EQ(2u, canvas.texts.size());
    EXPECT_EQ(L"Hola", canvas.texts[1].text);
    EXPECT_FLOAT_EQ(1.0f, canvas.texts[0].state.color.g);
    EXPECT_FLOAT_EQ(1.0f, canvas.texts[1].state.color.r);
    EXPECT_TRUE(canvas.images.empty());
}

// ---- Non-ASCII text ---------------------------------------------------------------------------

TEST_F(TextDrawingTest, SpanishLettersUseTheirOwnGlyphs)
{
    DrawText(L"Señal", 0, 0, state, &canvas);
    ASSERT_EQ(5u, canvas.images.size());
    EXPECT_EQ(0xF1, canvas.images[2].state.sourceRect.x);
    // A character the font cannot show draws nothing and moves nothing, and the run goes on.
    canvas.images.clear();
    EXPECT_EQ(kDrawn, DrawText(L"a\u20ACb", 0, 0, state, &canvas));
    ASSERT_EQ(2u, canvas.images.size());
    EXPECT_FLOAT_EQ(4.0f, canvas.images[1].x);
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST_F(TextDrawingTest, NoFontNoTextOrNoCharactersDrawNothing)
{
    EXPECT_EQ(kNothingToDraw, DrawText(nullptr, 0, 0, state, &canvas));
    EXPECT_EQ(kNothingToDraw, DrawText(L"", 0, 0, state, &canvas));
    sDrawState noFont = state;
    noFont.font = nullptr;
    EXPECT_EQ(kNothingToDraw, DrawText(L"Hola", 0, 0, noFont, &canvas));
    EXPECT_EQ(kNothingToDraw, DrawText(L"Hola", 0, 0, state, nullptr));
    EXPECT_TRUE(canvas.images.empty());
}

TEST_F(TextDrawingTest, AFailingGlyphEndsTheRun)
{
    canvas.imageResult = -7;
    EXPECT_EQ(-7, DrawText(L"Hola", 0, 0, state, &canvas));
    EXPECT_EQ(1u, canvas.images.size());

    RecordingCanvas bare(10, 10);
    EXPECT_EQ(kMissingInterface, DrawText(L"Hola", 0, 0, state, &bare));
}
