// Text sprites as screens use them: sizes that follow the text, font and wrap
// width, justification, text modes and colours, run-time captions from constants,
// and styled text whose run-time text always shows literally.

#include "CorvaneExtensions/Tests/Scene/ControlTestSupport.h"

#include "CorvaneExtensions/Source/TextAlignment.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <map>
#include <string>

using namespace Corvane;
using namespace ControlTesting;

namespace
{

class TextSpriteNodesTest : public ControlFixture
{
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        LoadManifest(L"<testfont name=\"Fuente\" glyphWidth=\"10\" glyphHeight=\"16\"/>"
                     L"<testfont name=\"Grande\" glyphWidth=\"20\" glyphHeight=\"30\"/>"
                     L"<string name=\"Saludo\" value=\"\u00a1Hola, se\u00f1or!\"/>",
                     L"Fuentes");
    }

    static Font const* FontNamed(char const* name) { return AutoResource<Font>(name).Get(); }

    // Builds a one-node layout under the scene root.
    template <class T>
    T* FromLayout(std::wstring const& element)
    {
        // Each layout under a name of its own: a manifest loads only once.
        std::wstring const name = L"Texto" + std::to_wstring(++mLayouts);
        LoadLayout(name, element);
        return dynamic_cast<T*>(Instantiate(name.c_str()));
    }

    // The glyph calls of one draw of the node.
    static std::vector<sDrawCall> Glyphs(SceneNode* node)
    {
        DrawRecordingCanvas canvas;
        node->DrawNode();
        return canvas.calls;
    }

    // The left edge of the first glyph and the right edge of the last.
    static std::pair<float, float> Extent(std::vector<sDrawCall> const& glyphs)
    {
        float left = 1e9f;
        float right = -1e9f;
        for (sDrawCall const& glyph : glyphs)
        {
            left = std::min(left, glyph.x);
            right = std::max(right, glyph.x + static_cast<float>(glyph.state.sourceRect.width));
        }
        return std::make_pair(left, right);
    }

    int mLayouts = 0;
};

} // namespace

// --- plain text sprites ---------------------------------------------------------

TEST_F(TextSpriteNodesTest, ASpriteTakesTheSizeOfItsTextAndFollowsItsFont)
{
    TextSpriteNode* text =
        Add(new TextSpriteNode(Vector2<float>(5, 5), L"abc", FontNamed("Fuente"), ColorF(1, 1, 1, 1), 0.0f));
    EXPECT_EQ(30.0f, text->GetWidth());
    EXPECT_EQ(16.0f, text->GetHeight());

    text->SetFont(FontNamed("Grande"));
    EXPECT_EQ(60.0f, text->GetWidth());
    EXPECT_EQ(30.0f, text->GetHeight());

    text->SetText(L"abcd");
    EXPECT_EQ(80.0f, text->GetWidth());

    // Without a font there is nothing to measure or to draw.
    text->SetFont(nullptr);
    EXPECT_EQ(0.0f, text->GetWidth());
    EXPECT_EQ(0.0f, text->GetHeight());
    EXPECT_TRUE(Glyphs(text).empty());
}

TEST_F(TextSpriteNodesTest, EmptyTextMeasuresNothingAndDrawsNothing)
{
    TextSpriteNode* text = FromLayout<TextSpriteNode>(L"<textspritenode font=\"Fuente\" text=\"\"/>");
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(0.0f, text->GetWidth());
    EXPECT_EQ(0.0f, text->GetHeight());
    EXPECT_TRUE(Glyphs(text).empty());
}

TEST_F(TextSpriteNodesTest, AWrapWidthBreaksTheTextIntoLines)
{
    TextSpriteNode* text =
        Add(new TextSpriteNode(Vector2<float>(0, 0), L"aaa bbb ccc", FontNamed("Fuente"), ColorF(1, 1, 1, 1), 75.0f));
    // "aaa bbb" is 70 wide and fits; "ccc" goes to a second line.
    EXPECT_EQ(32.0f, text->GetHeight());
    EXPECT_LE(text->GetWidth(), 80.0f);
    EXPECT_GE(text->GetWidth(), 70.0f);

    text->SetTextWidth(0.0f);
    EXPECT_EQ(16.0f, text->GetHeight());
    EXPECT_EQ(110.0f, text->GetWidth());

    // Every glyph of the wrapped text is drawn, line under line.
    text->SetTextWidth(45.0f);
    std::vector<sDrawCall> const glyphs = Glyphs(text);
    EXPECT_EQ(48.0f, text->GetHeight());
    float lowest = 0.0f;
    for (sDrawCall const& glyph : glyphs)
        lowest = std::max(lowest, glyph.y);
    EXPECT_EQ(32.0f, lowest);
}

TEST_F(TextSpriteNodesTest, JustificationAnchorsTheTextInTheNodesBox)
{
    TextSpriteNode* right = FromLayout<TextSpriteNode>(
        L"<textspritenode x=\"20\" y=\"7\" font=\"Fuente\" text=\"0123456789\" textJustify=\"right\"/>");
    ASSERT_NE(nullptr, right);
    EXPECT_EQ(kHAlignment_Right, right->GetTextJustification());
    EXPECT_EQ(100.0f, right->GetWidth());
    std::pair<float, float> const extent = Extent(Glyphs(right));
    EXPECT_EQ(20.0f, extent.first);
    EXPECT_EQ(120.0f, extent.second);

    // A centred wrapped text centres each line on the middle of its wrap box,
    // 45 wide, at 42 (not on the node's own width: the first line keeps its
    // closing blank, so the node is 50 wide).
    right->SetTextJustification(kHAlignment_Center);
    right->SetText(L"aaaa bb");
    right->SetTextWidth(45.0f);
    EXPECT_EQ(50.0f, right->GetWidth());
    std::vector<sDrawCall> const glyphs = Glyphs(right);
    std::vector<sDrawCall> secondLine;
    for (sDrawCall const& glyph : glyphs)
    {
        if (glyph.y > 7.0f)
            secondLine.push_back(glyph);
    }
    ASSERT_EQ(2u, secondLine.size());
    std::pair<float, float> const line = Extent(secondLine);
    EXPECT_EQ(32.0f, line.first);
    EXPECT_EQ(52.0f, line.second);
}

TEST_F(TextSpriteNodesTest, TextModesAreMatchedExactlyAndDrawInTheBackgroundColour)
{
    LoadLayout(L"Modos", L"<scenenode>"
                         L"<textspritenode nodeName=\"contorno\" font=\"Fuente\" text=\"a\" textMode=\"outline\" "
                         L"bgColor=\"#00ff00\"/>"
                         L"<textspritenode nodeName=\"mayusculas\" font=\"Fuente\" text=\"a\" textMode=\"Outline\"/>"
                         L"<textspritenode nodeName=\"sombra\" font=\"Fuente\" text=\"a\" textMode=\"dropShadow\"/>"
                         L"</scenenode>");
    SceneNode* root = Instantiate(L"Modos");
    ASSERT_NE(nullptr, root);
    TextSpriteNode* outline = dynamic_cast<TextSpriteNode*>(root->GetChildByName(Label::GetUniqueString("contorno")));
    TextSpriteNode* capital = dynamic_cast<TextSpriteNode*>(root->GetChildByName(Label::GetUniqueString("mayusculas")));
    TextSpriteNode* shadow = dynamic_cast<TextSpriteNode*>(root->GetChildByName(Label::GetUniqueString("sombra")));
    ASSERT_TRUE(outline && capital && shadow);
    EXPECT_EQ(kTextMode_Outline, outline->GetTextMode());
    EXPECT_EQ(kTextMode_Normal, capital->GetTextMode());
    EXPECT_EQ(kTextMode_DropShadow, shadow->GetTextMode());
    // The text-mode role reads the node's own mode.
    EXPECT_EQ(kTextMode_Outline, dynamic_cast<ITextModeComponent*>(static_cast<SceneNode*>(outline))->GetTextMode());

    // Plain text is one glyph call; an outline adds copies in the background colour.
    EXPECT_EQ(1u, Glyphs(capital).size());
    std::vector<sDrawCall> const glyphs = Glyphs(outline);
    ASSERT_GT(glyphs.size(), 1u);
    int green = 0;
    for (sDrawCall const& glyph : glyphs)
    {
        if (glyph.state.tint == ColorF(0, 1, 0, 1))
            ++green;
    }
    EXPECT_EQ(static_cast<int>(glyphs.size()) - 1, green);
}

TEST_F(TextSpriteNodesTest, TheTextTakesTheNodesColourAndItsParentsAlpha)
{
    LoadLayout(L"Colores", L"<scenenode alpha=\"0.5\"><textspritenode x=\"10.6\" y=\"3.4\" font=\"Fuente\" "
                           L"text=\"a\" color=\"#ff000080\" noBlur=\"true\"/></scenenode>");
    SceneNode* root = Instantiate(L"Colores");
    ASSERT_NE(nullptr, root);
    std::vector<sDrawCall> const glyphs = Glyphs(root->GetChildren().front());
    ASSERT_EQ(1u, glyphs.size());
    EXPECT_FLOAT_EQ(1.0f, glyphs[0].state.tint.r);
    EXPECT_FLOAT_EQ(0.0f, glyphs[0].state.tint.g);
    EXPECT_NEAR(0.5f * 128.0f / 255.0f, glyphs[0].state.tint.a, 0.002f);
    // Snapped to whole pixels.
    EXPECT_EQ(11.0f, glyphs[0].x);
    EXPECT_EQ(3.0f, glyphs[0].y);
}

TEST_F(TextSpriteNodesTest, AHiddenSpriteDrawsNothing)
{
    TextSpriteNode* text = FromLayout<TextSpriteNode>(L"<textspritenode font=\"Fuente\" text=\"a\" visible=\"false\"/>");
    ASSERT_NE(nullptr, text);
    EXPECT_TRUE(Glyphs(text).empty());
    EXPECT_EQ(10.0f, text->GetWidth());
}

TEST_F(TextSpriteNodesTest, ATextResourceReplacesTheTextAndAMissingOneSaysSo)
{
    TextSpriteNode* greeting = FromLayout<TextSpriteNode>(
        L"<textspritenode font=\"Fuente\" text=\"nada\" textResource=\"Saludo\"/>");
    ASSERT_NE(nullptr, greeting);
    EXPECT_EQ(std::wstring(L"\u00a1Hola, se\u00f1or!"), greeting->GetText());
    EXPECT_EQ(130.0f, greeting->GetWidth());

    greeting->SetTextFromResource(Label::GetUniqueString("Despedida"));
    EXPECT_EQ(std::wstring(L"Missing: \"Despedida\""), greeting->GetText());
    EXPECT_EQ(200.0f, greeting->GetWidth());
}

TEST_F(TextSpriteNodesTest, AMissingFontGivesAnEmptyNodeThatDrawsNothing)
{
    TextSpriteNode* text = FromLayout<TextSpriteNode>(L"<textspritenode font=\"NoExiste\" text=\"abc\" width=\"40\"/>");
    ASSERT_NE(nullptr, text);
    EXPECT_FALSE(text->HasFont());
    EXPECT_EQ(0.0f, text->GetWidth());
    EXPECT_EQ(0.0f, text->GetHeight());
    EXPECT_TRUE(Glyphs(text).empty());
}

TEST_F(TextSpriteNodesTest, TheTextRoleReachesTheNodesOwnSetters)
{
    TextSpriteNode* text =
        Add(new TextSpriteNode(Vector2<float>(0, 0), L"", FontNamed("Fuente"), ColorF(1, 1, 1, 1), 0.0f));
    IText* role = dynamic_cast<IText*>(static_cast<SceneNode*>(text));
    ASSERT_NE(nullptr, role);
    role->SetText(L"cami\u00f3n");
    EXPECT_EQ(60.0f, text->GetWidth());
    IFontComponent* font = dynamic_cast<IFontComponent*>(static_cast<SceneNode*>(text));
    ASSERT_NE(nullptr, font);
    font->SetFont(FontNamed("Grande"));
    EXPECT_EQ(120.0f, text->GetWidth());
}

// --- styled text sprites --------------------------------------------------------

TEST_F(TextSpriteNodesTest, RunTimeTextShowsAngleBracketsWhileLayoutTextIsMarkup)
{
    StyledTextSpriteNode* styled = FromLayout<StyledTextSpriteNode>(
        L"<styledtextspritenode font=\"Fuente\" color=\"#0000ff\" "
        L"text=\"&lt;style color=&quot;#ff0000&quot;&gt;ab&lt;/style&gt;c\"/>");
    ASSERT_NE(nullptr, styled);
    Graphics::StyleRunList const& runs = styled->GetRuns();
    ASSERT_EQ(2u, runs.size());
    EXPECT_EQ(std::wstring(L"ab"), runs.front().text);
    EXPECT_EQ(ColorF(1, 0, 0, 1), runs.front().style.color);
    EXPECT_EQ(std::wstring(L"c"), runs.back().text);
    EXPECT_EQ(ColorF(0, 0, 1, 1), runs.back().style.color);
    EXPECT_EQ(30.0f, styled->GetWidth());

    styled->SetText(L"a < b & \"c\"");
    ASSERT_EQ(1u, styled->GetRuns().size());
    EXPECT_EQ(std::wstring(L"a < b & \"c\""), styled->GetRuns().front().text);
    EXPECT_EQ(110.0f, styled->GetWidth());
    EXPECT_EQ(std::wstring(L"a &lt; b &amp; &quot;c&quot;"), styled->GetText());
}

TEST_F(TextSpriteNodesTest, StyledTextWrapsOnlyWithAWidth)
{
    StyledTextSpriteNode* styled =
        FromLayout<StyledTextSpriteNode>(L"<styledtextspritenode font=\"Fuente\" text=\"uno dos tres cuatro\"/>");
    ASSERT_NE(nullptr, styled);
    EXPECT_EQ(1u, styled->GetLineDimensions().lines.size());
    EXPECT_EQ(190.0f, styled->GetWidth());
    EXPECT_EQ(16.0f, styled->GetHeight());

    styled->SetTextWidth(80.0f);
    EXPECT_GT(styled->GetLineDimensions().lines.size(), 1u);
    EXPECT_LE(styled->GetWidth(), 80.0f);
    EXPECT_EQ(16.0f * static_cast<float>(styled->GetLineDimensions().lines.size()), styled->GetHeight());
    EXPECT_EQ(styled->GetTotalHeight(), static_cast<int>(styled->GetHeight()));
}

// Every line of a centred styled text, the widest first one too, stands in the
// middle of the box the layout gives it, with or without wrapping; right
// justification ends each line at the box's right edge.
TEST_F(TextSpriteNodesTest, StyledTextIsJustifiedInItsWrapBox)
{
    struct sCase
    {
        wchar_t const* attributes;
        float middle;
        float right;
    } const cases[] = {
        {L"width=\"300\" textJustify=\"center\"", 190.0f, -1.0f},
        {L"width=\"90\" textJustify=\"center\"", 85.0f, -1.0f},
        {L"width=\"300\" textJustify=\"right\"", -1.0f, 340.0f},
    };
    for (sCase const& c : cases)
    {
        SCOPED_TRACE(testing::Message() << std::string(c.attributes, c.attributes + wcslen(c.attributes)));
        StyledTextSpriteNode* styled = FromLayout<StyledTextSpriteNode>(
            std::wstring(L"<styledtextspritenode x=\"40\" font=\"Fuente\" text=\"uno dos tres, cuatro\" ") +
            c.attributes + L"/>");
        ASSERT_NE(nullptr, styled);
        std::map<float, std::vector<sDrawCall>> lines;
        for (sDrawCall const& glyph : Glyphs(styled))
            lines[glyph.y].push_back(glyph);
        EXPECT_EQ(styled->GetLineDimensions().lines.size(), lines.size());
        for (auto const& line : lines)
        {
            std::pair<float, float> const extent = Extent(line.second);
            if (c.middle >= 0.0f)
                EXPECT_NEAR(c.middle, (extent.first + extent.second) / 2.0f, 5.0f) << line.first;
            else
                EXPECT_EQ(c.right, extent.second) << line.first;
        }
    }
}

TEST_F(TextSpriteNodesTest, StyledTextDrawsEachRunInItsColourAtTheNodesAlpha)
{
    LoadLayout(L"Estilo", L"<scenenode alpha=\"0.5\"><styledtextspritenode x=\"4\" font=\"Fuente\" "
                          L"color=\"#00ff00\" text=\"a&lt;style color=&quot;#ff0000&quot;&gt;b&lt;/style&gt;\" "
                          L"textJustify=\"right\"/></scenenode>");
    SceneNode* root = Instantiate(L"Estilo");
    ASSERT_NE(nullptr, root);
    std::vector<sDrawCall> const glyphs = Glyphs(root->GetChildren().front());
    ASSERT_EQ(2u, glyphs.size());
    EXPECT_EQ(4.0f, glyphs[0].x);
    EXPECT_EQ(ColorF(0, 1, 0, 0.5f), glyphs[0].state.tint);
    EXPECT_EQ(14.0f, glyphs[1].x);
    EXPECT_EQ(ColorF(1, 0, 0, 0.5f), glyphs[1].state.tint);
}

TEST_F(TextSpriteNodesTest, StyledTextFromAResourceIsEscapedAndBrokenMarkupShowsNothing)
{
    LoadManifest(L"<string name=\"Flecha\" value=\"a&lt;b\"/>", L"Flechas");
    StyledTextSpriteNode* styled = FromLayout<StyledTextSpriteNode>(
        L"<styledtextspritenode font=\"Fuente\" text=\"x\" textResource=\"Flecha\"/>");
    ASSERT_NE(nullptr, styled);
    ASSERT_EQ(1u, styled->GetRuns().size());
    EXPECT_EQ(std::wstring(L"a<b"), styled->GetRuns().front().text);

    // Layout text that is not well-formed markup gives no runs: an empty node.
    StyledTextSpriteNode broken(Vector2<float>(0, 0), L"a<b", Graphics::TextStyle(), 0.0f);
    EXPECT_TRUE(broken.GetRuns().empty());
    EXPECT_EQ(0.0f, broken.GetWidth());
    DrawRecordingCanvas canvas;
    broken.DrawNode();
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(TextSpriteNodesTest, StyledTextWithoutAFontDrawsNothing)
{
    StyledTextSpriteNode* styled =
        FromLayout<StyledTextSpriteNode>(L"<styledtextspritenode font=\"NoExiste\" text=\"hola\"/>");
    ASSERT_NE(nullptr, styled);
    EXPECT_EQ(0.0f, styled->GetWidth());
    EXPECT_EQ(0.0f, styled->GetHeight());
    EXPECT_TRUE(Glyphs(styled).empty());
}

// --- helpers --------------------------------------------------------------------

TEST(TextSpriteHelpersTest, EncodeForXMLEscapesTheFourMarkupCharactersOnly)
{
    EXPECT_EQ(std::wstring(L"&lt;&amp;&gt;&quot;'\u00f1"), encodeForXML(L"<&>\"'\u00f1"));
    EXPECT_EQ(std::wstring(), encodeForXML(nullptr));
}

TEST(TextSpriteHelpersTest, AlignmentWordsAreExactWithADefault)
{
    EXPECT_EQ(kHAlignment_Center, StringToHAlignment(L"center", kHAlignment_Right));
    EXPECT_EQ(kHAlignment_Right, StringToHAlignment(L"Center", kHAlignment_Right));
    EXPECT_EQ(kHAlignment_Left, StringToHAlignment(L"left", kHAlignment_Right));
    EXPECT_EQ(kVAlignment_Bottom, StringToVAlignment(L"bottom", kVAlignment_Top));
    EXPECT_EQ(kVAlignment_Middle, StringToVAlignment(L"centre", kVAlignment_Middle));
}
