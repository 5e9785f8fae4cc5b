// Centred texts stand in the middle of the box their layout gives them, on
// every front-end screen that has one, in both languages: the profiles, new
// game or continue, the options, the difficulty choice and the quit question.
// Each line's ink is read from the window as the display shows it and its
// middle compared with the middle of the box.

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <string>
#include <vector>

#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/MainMenuMode.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"

using namespace FrontEndPlay;

namespace
{

class CentredTextPlay : public FrontEndPlayTest, public ::testing::WithParamInterface<bool>
{
protected:
    void SetUp() override
    {
        FrontEndPlayTest::SetUp();
        driver.SetAccountValue("EnglishLanguage", GetParam() ? "true" : "false");
    }
    std::string Language() const { return GetParam() ? "english" : "spanish"; }
};

// A line of a centred text: its box across and its rows, the text's colour, and
// whether it is the last of a text broken over several lines.
struct sCentredLine
{
    std::string node;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    int rgb[3] = {0, 0, 0};
    std::wstring text;
    bool endsABrokenText = false;
};

int CountWords(std::wstring const& text)
{
    int words = 0;
    bool inWord = false;
    for (wchar_t const c : text)
    {
        bool const blank = std::iswspace(c) != 0;
        words += !blank && !inWord;
        inWord = !blank;
    }
    return words;
}

void CollectCentredLines(SceneNode* node, std::vector<sCentredLine>* lines)
{
    for (SceneNode* const child : node->GetChildren())
        CollectCentredLines(child, lines);
    StyledTextSpriteNode const* const text = dynamic_cast<StyledTextSpriteNode*>(node);
    if (!text || !text->GlobalIsVisible() || text->GetTextJustification() != Corvane::kHAlignment_Center ||
        !(text->GetTextWidth() > 0.0f) || text->GetRuns().empty())
        return;
    Corvane::Rect<float> const bounds = text->GlobalGetBounds();
    Corvane::ColorF const colour = text->GetRuns().front().style.color;
    std::wstring characters;
    for (Corvane::Graphics::StyleRun const& run : text->GetRuns())
        characters += run.text;
    std::vector<Corvane::Graphics::LineDimension> const& dimensions = text->GetLineDimensions().lines;
    std::size_t start = 0;
    int top = static_cast<int>(bounds.y);
    for (Corvane::Graphics::LineDimension const& dimension : dimensions)
    {
        sCentredLine line;
        line.node = node->GetNodeName().GetString() + std::string(" line ") + std::to_string(lines->size());
        line.left = static_cast<int>(bounds.x);
        line.right = static_cast<int>(bounds.x + text->GetTextWidth());
        line.top = top;
        line.bottom = top + dimension.height;
        line.rgb[0] = static_cast<int>(colour.r * 255.0f + 0.5f);
        line.rgb[1] = static_cast<int>(colour.g * 255.0f + 0.5f);
        line.rgb[2] = static_cast<int>(colour.b * 255.0f + 0.5f);
        line.text = characters.substr(std::min(start, characters.size()), dimension.count);
        line.endsABrokenText = dimensions.size() > 1 && &dimension == &dimensions.back();
        start += dimension.count;
        lines->push_back(line);
        top = line.bottom;
    }
}

// Every line of every centred text of the top screen has its ink (the pixels
// of the text's own colour) centred in its box, within a few pixels that the
// glyphs' own side bearings may take, and a text broken over lines leaves no
// word alone on its last; the number of lines checked.
int ExpectCentredText(Child& child, std::string const& screen)
{
    SCOPED_TRACE(screen);
    std::vector<sCentredLine> const lines = child.Look([] {
        std::vector<sCentredLine> found;
        if (SceneApplicationMode* const mode = Top<SceneApplicationMode>())
            CollectCentredLines(mode->GetRootNode(), &found);
        return found;
    });
    GameDriver::sPicture shown;
    GameDriver::sPicture reference;
    EXPECT_TRUE(child.DrawOptimisedAndReference(&shown, &reference));
    int checked = 0;
    for (sCentredLine const& line : lines)
    {
        if (line.endsABrokenText)
        {
            EXPECT_GE(CountWords(line.text), 2) << line.node << ": one word alone on the last line";
        }
        int inkLeft = shown.width;
        int inkRight = -1;
        for (int y = std::max(line.top, 0); y < std::min(line.bottom, shown.height); ++y)
            for (int x = std::max(line.left, 0); x < std::min(line.right, shown.width); ++x)
            {
                unsigned char const* const pixel = &shown.rgba[(std::size_t(y) * std::size_t(shown.width) + x) * 4];
                int const distance = std::abs(pixel[0] - line.rgb[0]) + std::abs(pixel[1] - line.rgb[1]) +
                                     std::abs(pixel[2] - line.rgb[2]);
                if (distance < 48)
                {
                    inkLeft = std::min(inkLeft, x);
                    inkRight = std::max(inkRight, x);
                }
            }
        if (inkRight < 0)
            continue;
        ++checked;
        EXPECT_NEAR((line.left + line.right) / 2.0, (inkLeft + inkRight + 1) / 2.0, 4.0)
            << line.node << ": ink " << inkLeft << " to " << inkRight << " in the box " << line.left << " to "
            << line.right;
    }
    Screenshot(child, "centred_" + screen);
    return checked;
}

TEST_P(CentredTextPlay, TheProfilesAndNewGameOrContinue)
{
    std::string const language = Language();
    driver.Play([&](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.Click("PlayButton"));
        ASSERT_TRUE(WaitForPopup(child, "MyAccountMode"));
        EXPECT_GE(ExpectCentredText(child, "profiles_" + language), 1);
        ASSERT_TRUE(child.Click("PondoButton"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(WaitForPopup(child, "AccountConfirmMode"));
        EXPECT_GE(ExpectCentredText(child, "profile_confirm_" + language), 1);
    });
}

TEST_P(CentredTextPlay, TheOptionsTheDifficultyAndTheQuitQuestion)
{
    std::string const language = Language();
    driver.SetAccountValue("AccountID", "PondoButton");
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new MainMenuMode(); });
    driver.Play([&](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        ASSERT_TRUE(child.Wait(0.2f));
        ASSERT_TRUE(child.Click("OptionsButton"));
        ASSERT_TRUE(WaitForPopup(child, "MyOptionsMode"));
        // "Sound" and "Language".
        EXPECT_EQ(2, ExpectCentredText(child, "options_" + language));
        ASSERT_TRUE(child.Click("CancelButton"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));

        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(WaitForPopup(child, "QuitConfirmMode"));
        EXPECT_GE(ExpectCentredText(child, "quit_" + language), 1);
        ASSERT_TRUE(child.Click("NoButton"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));

        // The longest text, on two lines.
        ASSERT_TRUE(child.Click("StoryButton"));
        ASSERT_TRUE(WaitForPopup(child, "DifficultySelectMode"));
        EXPECT_GE(ExpectCentredText(child, "difficulty_" + language), 1);
    });
}

std::string LanguageName(::testing::TestParamInfo<bool> const& info)
{
    return info.param ? "English" : "Spanish";
}

INSTANTIATE_TEST_SUITE_P(Languages, CentredTextPlay, ::testing::Bool(), LanguageName);

} // namespace
