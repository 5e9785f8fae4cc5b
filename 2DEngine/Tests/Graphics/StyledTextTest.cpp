#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Graphics/StyledText.h"
#include "2DEngine/Tests/Graphics/FontTestSupport.h"
#include "2DEngine/Tests/Graphics/RecordingCanvas.h"

using namespace Corvane;
using namespace Corvane::Graphics;
using FontTesting::AdvanceFont;
using FontTesting::StderrCapture;

namespace
{

std::vector<int32_t> Breaks(wchar_t const* text, int width, Font const& font, ILineWidths* widths = nullptr)
{
    LineBreakList list;
    ComputeLineBreaks(&list, text, width, &font, widths);
    return list.GetPositions();
}

std::vector<std::string> SplitLines(std::string const& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line))
        lines.push_back(line);
    return lines;
}

class NarrowFirstLine : public ILineWidths
{
public:
    int GetLineWidth(int line, int defaultWidth) override
    {
        asked.push_back(line);
        return line == 0 ? 30 : defaultWidth;
    }
    std::vector<int> asked;
};

} // namespace

// ---------------------------------------------------------------------------
// Plain line breaks

TEST(LineBreakTest, EmptyTextIsOneEmptyLine)
{
    AdvanceFont font;
    EXPECT_EQ((std::vector<int32_t>{0, 0}), Breaks(L"", 100, font));
    EXPECT_EQ((std::vector<int32_t>{0, 0}), Breaks(nullptr, 100, font));
}

TEST(LineBreakTest, ALineFeedBelongsToItsLine)
{
    AdvanceFont font;
    EXPECT_EQ((std::vector<int32_t>{0, 2, 3}), Breaks(L"a\nb", 100, font));
}

TEST(LineBreakTest, WordsMoveWholeAndBlanksEndingALineStayOnIt)
{
    AdvanceFont font(10);
    // "one two " is 80 wide: the blank after "two" overflows 75, and "three" starts line 2.
    LineBreakList list;
    ComputeLineBreaks(&list, L"one two three", 75, &font, nullptr);
    EXPECT_EQ((std::vector<int32_t>{0, 8, 13}), list.GetPositions());
    EXPECT_EQ(8, list.GetLineLength(0));
    EXPECT_EQ(80, list.GetWidestWidth());
}

TEST(LineBreakTest, BlanksAtTheStartOfAWrappedLineAreSkipped)
{
    AdvanceFont font(10);
    // The first blank ends line 1 and stays on it; the second starts line 2 and is skipped.
    EXPECT_EQ((std::vector<int32_t>{0, 6, 8}), Breaks(L"abcd  ef", 40, font));
}

TEST(LineBreakTest, LongWordsAreCutFirstInPlaceThenAfterMovingDown)
{
    AdvanceFont font(10);
    // The first word is cut inside itself.
    EXPECT_EQ((std::vector<int32_t>{0, 4, 6}), Breaks(L"abcdef", 40, font));
    // A later long word first moves to its own line, then is cut there.
    EXPECT_EQ((std::vector<int32_t>{0, 3, 7, 9}), Breaks(L"ab cdefgh", 40, font));
}

TEST(LineBreakTest, AWidthNarrowerThanOneCharacterStillMakesProgress)
{
    AdvanceFont font(10);
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3}), Breaks(L"abc", 5, font));
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3}), Breaks(L"abc", 0, font));
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2}), Breaks(L"ab", -20, font));
}

TEST(LineBreakTest, TokensLongerThanTwoHundredFiftyFiveCharactersAreMeasuredWhole)
{
    AdvanceFont font(1);
    std::wstring const word(1000, L'x');
    std::vector<int32_t> const one = Breaks((word + L" y").c_str(), 2000, font);
    EXPECT_EQ((std::vector<int32_t>{0, 1002}), one);
    // Cut every 400 characters.
    EXPECT_EQ((std::vector<int32_t>{0, 400, 800, 1000}), Breaks(word.c_str(), 400, font));
}

TEST(LineBreakTest, ThePolicyIsAskedOncePerLine)
{
    AdvanceFont font(10);
    NarrowFirstLine widths;
    EXPECT_EQ((std::vector<int32_t>{0, 3, 10}), Breaks(L"ab cdefghi", 100, font, &widths));
    EXPECT_EQ((std::vector<int>{0, 1}), widths.asked);
}

TEST(LineBreakTest, NonASCIITextBreaksLikeAnyOther)
{
    AdvanceFont font(10);
    EXPECT_EQ((std::vector<int32_t>{0, 6, 11}), Breaks(L"Señor Ñandú", 60, font));
}

// ---------------------------------------------------------------------------
// Style markup

TEST(StyleRunsTest, TheExampleGivesThreeRuns)
{
    TextStyle base;
    base.font = Label::GetUniqueString("Base");
    StyleRunList const runs =
        ComputeStyleRuns(L"Hello <style color=\"#ff0000\" textMode=\"outline\">red</style> world", base);
    ASSERT_EQ(3u, runs.size());
    auto it = runs.begin();
    EXPECT_EQ(L"Hello ", it->text);
    EXPECT_EQ(kTextMode_Normal, it->style.textMode);
    EXPECT_EQ(nullptr, it->font);
    EXPECT_EQ(-1, it->reserved);
    ++it;
    EXPECT_EQ(L"red", it->text);
    EXPECT_FLOAT_EQ(1.0f, it->style.color.r);
    EXPECT_FLOAT_EQ(0.0f, it->style.color.g);
    EXPECT_EQ(kTextMode_Outline, it->style.textMode);
    EXPECT_EQ(base.font, it->style.font);
    ++it;
    EXPECT_EQ(L" world", it->text);
    EXPECT_FLOAT_EQ(1.0f, it->style.color.g);
}

TEST(StyleRunsTest, StylesNestAndUnknownAttributesAndModesAreIgnored)
{
    TextStyle base;
    StyleRunList const runs = ComputeStyleRuns(
        L"<style color=\"#00ff00\" size=\"9\" font=\"Grande\"><style textMode=\"Outline\" bgColor=\"#0000ff\">a</style>"
        L"<style textMode=\"dropShadow\">b</style></style>",
        base);
    ASSERT_EQ(2u, runs.size());
    EXPECT_EQ(L"a", runs.front().text);
    EXPECT_FLOAT_EQ(1.0f, runs.front().style.color.g);
    EXPECT_FLOAT_EQ(1.0f, runs.front().style.backgroundColor.b);
    EXPECT_FLOAT_EQ(0.0f, runs.front().style.backgroundColor.r);
    EXPECT_EQ(Label::GetUniqueString("Grande"), runs.front().style.font);
    // Mode names compare with case: "Outline" is not "outline".
    EXPECT_EQ(kTextMode_Normal, runs.front().style.textMode);
    EXPECT_EQ(kTextMode_DropShadow, runs.back().style.textMode);
}

TEST(StyleRunsTest, OtherElementsLeaveTheCurrentRunGoing)
{
    StyleRunList const runs = ComputeStyleRuns(L"Señor <b>Ñandú</b> <Style>y</Style>", TextStyle());
    ASSERT_EQ(1u, runs.size());
    EXPECT_EQ(L"Señor Ñandú y", runs.front().text);
}

TEST(StyleRunsTest, MarkupThatIsNotWellFormedIsLoggedInThreeLinesAndGivesNoRuns)
{
    StderrCapture log;
    // The reader reports elements as they come, so an unclosed element is no error, but a
    // style tag cut off by the end of the markup is.
    StyleRunList const runs = ComputeStyleRuns(L"abc <style color", TextStyle());
    std::vector<std::string> const lines = SplitLines(log.Take());
    EXPECT_TRUE(runs.empty());
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ("StyledTextGraphics::Graphics::ComputeStyleRuns: There is an error in the XML style data:", lines[0]);
    EXPECT_EQ("abc <style color", lines[1]);
    EXPECT_EQ(typeid(XMLError).name(), lines[2]);
    EXPECT_EQ(0u, lines[3].find("\tMessage:\t"));
}

// ---------------------------------------------------------------------------
// Styled line dimensions

namespace
{

class StyledTextTest : public FontTesting::FontResourceFixture
{
protected:
    void SetUp() override
    {
        FontResourceFixture::SetUp();
        FontTesting::LoadManifestText(L"Fonts", L"<testfont name=\"Small\" advance=\"10\" height=\"16\"/>\n"
                                                L"<testfont name=\"Big\" advance=\"20\" height=\"30\"/>");
    }

    StyleRunList Runs(std::wstring const& markup)
    {
        TextStyle style;
        style.font = Label::GetUniqueString("Small");
        return ComputeStyleRuns(markup, style);
    }

    static std::vector<std::vector<int32_t>> Lines(LineDimensionList const& list)
    {
        std::vector<std::vector<int32_t>> lines;
        for (LineDimension const& line : list.lines)
            lines.push_back({line.count, line.width, line.height});
        return lines;
    }
};

} // namespace

TEST_F(StyledTextTest, BlanksBetweenWordsCountButNotAtTheEndOfALine)
{
    StyleRunList runs = Runs(L"ab cd");
    LineDimensionList const one = ComputeStyledTextLineDimensions(runs, 100, nullptr);
    EXPECT_EQ((std::vector<std::vector<int32_t>>{{5, 50, 16}}), Lines(one));

    LineDimensionList const two = ComputeStyledTextLineDimensions(runs, 35, nullptr);
    EXPECT_EQ((std::vector<std::vector<int32_t>>{{3, 20, 16}, {2, 20, 16}}), Lines(two));
    EXPECT_EQ(20, two.widest);
    EXPECT_EQ(32, two.totalHeight);
    ASSERT_FALSE(runs.empty());
    EXPECT_NE(nullptr, runs.front().font);
}

TEST_F(StyledTextTest, ABlankRunBetweenWordsCountsInTheWidth)
{
    StyleRunList runs = Runs(L"ab<style font=\"Big\"> </style>cd");
    ASSERT_EQ(3u, runs.size());
    LineDimensionList const list = ComputeStyledTextLineDimensions(runs, 200, nullptr);
    EXPECT_EQ((std::vector<std::vector<int32_t>>{{5, 20 + 20 + 20, 30}}), Lines(list));
}

TEST_F(StyledTextTest, LineFeedsEndLinesAndLongWordsAreCut)
{
    StyleRunList runs = Runs(L"ab\nabcdef");
    LineDimensionList const list = ComputeStyledTextLineDimensions(runs, 35, nullptr);
    EXPECT_EQ((std::vector<std::vector<int32_t>>{{3, 30, 16}, {3, 30, 16}, {3, 30, 16}}), Lines(list));
}

TEST_F(StyledTextTest, ASingleCharacterAlwaysFitsAnEmptyLine)
{
    StyleRunList runs = Runs(L"<style font=\"Big\">ab</style>");
    LineDimensionList const list = ComputeStyledTextLineDimensions(runs, 5, nullptr);
    EXPECT_EQ((std::vector<std::vector<int32_t>>{{1, 20, 30}, {1, 20, 30}}), Lines(list));
}

TEST_F(StyledTextTest, RunsWithoutAFontAreSkipped)
{
    StyleRunList runs = Runs(L"ab<style font=\"Nadie\">zzzz</style>cd");
    LineDimensionList const list = ComputeStyledTextLineDimensions(runs, 200, nullptr);
    EXPECT_EQ((std::vector<std::vector<int32_t>>{{4, 40, 16}}), Lines(list));
    auto middle = std::next(runs.begin());
    EXPECT_EQ(nullptr, middle->font);

    // A last run without a font still lets the last line out.
    StyleRunList tail = Runs(L"ab<style font=\"Nadie\">zz</style>");
    EXPECT_EQ((std::vector<std::vector<int32_t>>{{2, 20, 16}}), Lines(ComputeStyledTextLineDimensions(tail, 200, nullptr)));
}

TEST_F(StyledTextTest, DrawsEachPieceOnTheLineBottomInItsRunsStyle)
{
    StyleRunList runs = Runs(L"ab <style font=\"Big\" color=\"#ff0000\" textMode=\"dropShadow\">cd</style> e");
    LineDimensionList const list = ComputeStyledTextLineDimensions(runs, 1000, nullptr);
    ASSERT_EQ(1u, list.lines.size());

    FacadeTesting::RecordingCanvas canvas(800, 600);
    canvas.offersText = true;
    sDrawState state = sDrawState::GetDefaults();
    state.color.a = 0.5f;
    state.hAlign = kHAlignment_Center;
    Rect<float> bounds;
    EXPECT_EQ(0, DrawWrappedStyledText(runs, list, 400.0f, 100.0f, &bounds, state, &canvas));
    // The middle piece is drawn twice: its shadow, then itself.
    ASSERT_EQ(4u, canvas.texts.size());
    // Width: "ab " 30, "cd" 40, " e" 20 = 90; centred on 400.
    EXPECT_FLOAT_EQ(355.0f, canvas.texts[0].x);
    EXPECT_FLOAT_EQ(100.0f + 30 - 16, canvas.texts[0].y);
    EXPECT_EQ(L"cd", canvas.texts[2].text);
    EXPECT_FLOAT_EQ(385.0f, canvas.texts[2].x);
    EXPECT_FLOAT_EQ(100.0f, canvas.texts[2].y);
    EXPECT_EQ(kTextMode_DropShadow, canvas.texts[2].state.textMode);
    EXPECT_FLOAT_EQ(1.0f, canvas.texts[2].state.color.r);
    EXPECT_FLOAT_EQ(0.0f, canvas.texts[2].state.color.g);
    EXPECT_FLOAT_EQ(0.5f, canvas.texts[2].state.color.a);
    EXPECT_EQ(kHAlignment_Left, canvas.texts[2].state.hAlign);
    // After "d" the small font's own advance replaces the big one's: 385 + 40 - 20 + 10.
    EXPECT_EQ(L" e", canvas.texts[3].text);
    EXPECT_FLOAT_EQ(415.0f, canvas.texts[3].x);
    EXPECT_FLOAT_EQ(355.0f, bounds.x);
    EXPECT_FLOAT_EQ(90.0f, bounds.width);
    EXPECT_FLOAT_EQ(30.0f, bounds.height);
}

TEST_F(StyledTextTest, DimensionsThatDoNotMatchTheRunsEndTheDrawingWithALogLine)
{
    StyleRunList runs = Runs(L"ab");
    LineDimensionList list = ComputeStyledTextLineDimensions(runs, 100, nullptr);
    list.lines.push_back(LineDimension{4, 40, 16});
    FacadeTesting::RecordingCanvas canvas(800, 600);
    canvas.offersText = true;
    StderrCapture log;
    EXPECT_EQ(0, DrawWrappedStyledText(runs, list, 0.0f, 0.0f, sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ("StyledTextGraphics::Graphics::DrawWrappedStyledText: ran out of style runs (malformed "
              "LineDimensionList?)\n",
              log.Take());
    EXPECT_EQ(1u, canvas.texts.size());
}

TEST_F(StyledTextTest, NothingToDrawIsNotAnError)
{
    StyleRunList runs;
    LineDimensionList list;
    FacadeTesting::RecordingCanvas canvas(8, 8);
    EXPECT_EQ(0, DrawWrappedStyledText(runs, list, 0.0f, 0.0f, sDrawState::GetDefaults(), &canvas));
}
