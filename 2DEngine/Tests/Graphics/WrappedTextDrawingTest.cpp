#include <gtest/gtest.h>

#include <limits>

#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Tests/Graphics/RecordingCanvas.h"

using namespace FacadeTesting;

namespace
{
    // Every character below 256 is 3 pixels wide and advances 4; lines are 10 high.
    class EvenFont : public Font
    {
    public:
        EvenFont() : atlas(256, 10) {}
        void GetGlyph(wchar_t c, sGlyph* out) const override
        {
            *out = c < 256 ? sGlyph{&atlas, int32_t(c), 0, 3, 10} : sGlyph{nullptr, 0, 0, 0, 0};
        }
        int32_t GetGlyphHeight() const override { return 10; }
        int32_t GetKernedLetterWidth(wchar_t c, wchar_t) const override { return c < 256 ? 4 : 0; }

        SizedImage atlas;
    };

    class WrappedTextDrawingTest : public ::testing::Test
    {
    protected:
        WrappedTextDrawingTest() : canvas(300, 300)
        {
            canvas.offersQuads = true;
            state = sDrawState::GetDefaults();
            state.font = &font;
        }

        // The x and y of the first glyph of each drawn line, in drawing order.
        std::vector<std::pair<float, float>> LineStarts() const
        {
            std::vector<std::pair<float, float>> starts;
            float lastY = std::numeric_limits<float>::quiet_NaN();
            for (sImageCall const& call : canvas.images)
            {
                if (!(call.y == lastY))
                    starts.push_back(std::make_pair(call.x, call.y));
                lastY = call.y;
            }
            return starts;
        }

        EvenFont font;
        RecordingCanvas canvas;
        sDrawState state;
    };

    typedef std::vector<std::pair<float, float>> Starts;
}

// ---- Normal case ------------------------------------------------------------------------------

TEST_F(WrappedTextDrawingTest, LinesStackDownwardFromTheTopLeft)
{
    // "Señor\n" is 24 wide (the line feed stays on its line), "mundo" 20.
    Rect<float> bounds;
    EXPECT_EQ(kDrawn, DrawWrappedText(L"Señor\nmundo", 100, 50, 200, &bounds, state, &canvas));
    EXPECT_EQ((Starts{{100, 50}, {100, 60}}), LineStarts());
    EXPECT_EQ(11u, canvas.images.size());
    EXPECT_EQ(Rect<float>(100, 50, 24, 20), bounds);
}

TEST_F(WrappedTextDrawingTest, WordsWrapAtTheWidth)
{
    // Each word with its blank is 16 wide; two fit in 35 pixels.
    DrawWrappedText(L"uno dos tres", 0, 0, 35.9f, state, &canvas);
    EXPECT_EQ((Starts{{0, 0}, {0, 10}}), LineStarts());
}

TEST_F(WrappedTextDrawingTest, LinesAlignWithinTheBlock)
{
    state.hAlign = kHAlignment_Right;
    state.vAlign = kVAlignment_Bottom;
    Rect<float> bounds;
    DrawWrappedText(L"Señor\nmundo", 100, 50, 200, &bounds, state, &canvas);
    EXPECT_EQ((Starts{{76, 30}, {80, 40}}), LineStarts());
    EXPECT_EQ(Rect<float>(76, 30, 24, 20), bounds);
    // Each glyph is placed from its top-left corner.
    EXPECT_EQ(kHAlignment_Left, canvas.images[0].state.hAlign);
    EXPECT_EQ(kVAlignment_Top, canvas.images[0].state.vAlign);
}

TEST_F(WrappedTextDrawingTest, CentredLinesAndMiddleRowsRoundDown)
{
    state.hAlign = kHAlignment_Center;
    state.vAlign = kVAlignment_Middle;
    Rect<float> bounds;
    // "mundo\n" is 24 wide, "sí" 8: centred on 100.5 they start at 88 and 96.
    DrawWrappedText(L"mundo\nsí", 100.5f, 50.5f, 200, &bounds, state, &canvas);
    EXPECT_EQ((Starts{{88, 40}, {96, 50}}), LineStarts());
    EXPECT_FLOAT_EQ(40.5f, bounds.y);
    EXPECT_FLOAT_EQ(100.5f - 12.0f, bounds.x);
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST_F(WrappedTextDrawingTest, NothingWithoutFontOrText)
{
    Rect<float> bounds(1, 2, 3, 4);
    EXPECT_EQ(kNothingToDraw, DrawWrappedText(nullptr, 0, 0, 100, &bounds, state, &canvas));
    sDrawState noFont = state;
    noFont.font = nullptr;
    EXPECT_EQ(kNothingToDraw, DrawWrappedText(L"Hola", 0, 0, 100, &bounds, noFont, &canvas));
    EXPECT_EQ(Rect<float>(1, 2, 3, 4), bounds);
    EXPECT_EQ(kNothingToDraw, DrawWrappedText(L"", 0, 0, 100, state, &canvas));
    EXPECT_TRUE(canvas.images.empty());
}

TEST_F(WrappedTextDrawingTest, WidthsThatAreNotNumbersStillDrawEveryCharacter)
{
    EXPECT_EQ(kDrawn, DrawWrappedText(L"ab", 0, 0, std::numeric_limits<float>::quiet_NaN(), state, &canvas));
    EXPECT_EQ(kDrawn, DrawWrappedText(L"ab", 0, 0, std::numeric_limits<float>::infinity(), state, &canvas));
    EXPECT_EQ(4u, canvas.images.size());
}
