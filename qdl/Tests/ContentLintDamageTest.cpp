// Each content-lint check finds its kind of damage in a copy of the build's
// content that carries it, and names where it is.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "Core/Tests/FileTestSupport.h"
#include "qdl/Tests/ContentLintChecks.h"

namespace
{

namespace fs = std::filesystem;
using ContentLintChecks::Findings;

// The build's content with its text files copied and everything else linked.
void CopyContent(std::string const& to)
{
    for (auto const& entry : fs::directory_iterator(CORVANE_TEST_RESOURCES_DIR))
    {
        fs::path const target = fs::path(to) / entry.path().filename();
        std::string const extension = entry.path().extension().string();
        if (extension == ".xml" || extension == ".tsv")
            fs::copy_file(entry.path(), target);
        else
            fs::create_symlink(entry.path(), target);
    }
}

bool Replace(std::string const& path, std::string const& from, std::string const& to)
{
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t const at = text.find(from);
    if (at == std::string::npos)
        return false;
    text.replace(at, from.size(), to);
    std::ofstream(path) << text;
    return true;
}

struct sDamage
{
    char const* what;
    Findings (*check)(std::string const& folder);
    // Breaks the copy in the folder.
    std::function<void(std::string const& folder)> damage;
    // What a finding must hold.
    char const* found;
};

std::function<void(std::string const&)> ReplaceIn(std::string const& file, std::string const& from,
                                                  std::string const& to)
{
    return [=](std::string const& folder) { ASSERT_TRUE(Replace(folder + "/" + file, from, to)) << from; };
}

std::function<void(std::string const&)> Remove(std::string const& file)
{
    return [=](std::string const& folder) { ASSERT_TRUE(fs::remove(folder + "/" + file)) << file; };
}

TEST(ContentLintDamage, EachCheckFindsItsDamageAndNamesWhereItIs)
{
    using namespace ContentLintChecks;
    std::string const moveTime = "name=\"UI_PopupWindow_MoveTime\" value=\"0.35\"";
    std::vector<sDamage> const damages = {
        {"a time that is not a number", NumberFindings,
         ReplaceIn("GlobalConstants.xml", moveTime, "name=\"UI_PopupWindow_MoveTime\" value=\"NaN\""),
         "GlobalConstants.xml:5 <float UI_PopupWindow_MoveTime> of UI_PopupWindow_MoveTime: \"value\" is \"NaN\""},
        {"a time no wait can take", NumberFindings,
         ReplaceIn("GlobalConstants.xml", moveTime, "name=\"UI_PopupWindow_MoveTime\" value=\"-0.5\""),
         "\"value\" is \"-0.5\", which a time cannot take"},
        {"a layout position that is not a number", NumberFindings,
         ReplaceIn("TitleMainMenu.xml", "x=\"290\" y=\"320\"", "x=\"NaN\" y=\"320\""),
         "<buttonnode PlayButton> of Title_YarrowfeteLayout: \"x\" is \"NaN\", which a position cannot take"},
        {"a layout size below zero", NumberFindings,
         ReplaceIn("TitleMainMenu.xml", "width=\"800\" height=\"600\"", "width=\"-800\" height=\"600\""),
         "\"width\" is \"-800\", which a size cannot take"},
        {"an animation rate that is not finite", NumberFindings,
         ReplaceIn("PileOfLeavesMode.xml", "frameList=\"1-2\" fps=\"6\"", "frameList=\"1-2\" fps=\"inf\""),
         "PileOfLeavesMode.xml:27 <animation Correct>: \"fps\" is \"inf\", which a frame rate cannot take"},
        {"the Play sign scaled to nothing", NumberFindings,
         ReplaceIn("TitleMainMenu.xml", "x=\"290\" y=\"320\"", "x=\"290\" y=\"320\" scaleX=\"0\""),
         "TitleMainMenu.xml:22 <buttonnode PlayButton> of Title_YarrowfeteLayout: \"scaleX\" is \"0\", which hides "
         "the node"},
        {"a level number with trailing text", NumberFindings,
         ReplaceIn("CountTheMaterialsMode.xml", "<Request material=\"LogRed\" number=\"2\"/>",
                   "<Request material=\"LogRed\" number=\"3abc\"/>"),
         "<Request> of CountTheMaterials_Easy_1: \"number\" is \"3abc\", which is not a whole number"},
        {"a level's decimal with trailing text", NumberFindings,
         ReplaceIn("HideAndSeekMode.xml", "runSpeed=\"170\"", "runSpeed=\"170km\""),
         "<HideAndSeekLevel HideAndSeek_Easy_1> of HideAndSeek_Easy_1: \"runSpeed\" is \"170km\", which is not a "
         "number"},
        {"an animation without frames", FramelessAnimationFindings,
         ReplaceIn("PileOfLeavesMode.xml", "frameList=\"1-2\" fps=\"6\"", "frameList=\"\" fps=\"6\""),
         "PileOfLeavesMode.xml:27 <animation Correct>"},
        {"an animation whose frame elements are gone", FramelessAnimationFindings,
         ReplaceIn("PileOfLeavesMode.xml", "frameList=\"1-2\" fps=\"6\" numPlays=\"0\"/>",
                   "numPlays=\"0\"><sound/></animation>"),
         "<animation Correct> of "},
        {"an attribute given twice", DuplicateAttributeFindings,
         ReplaceIn("TitleMainMenu.xml", "x=\"290\" y=\"320\"", "x=\"290\" y=\"40\" y=\"196\""),
         "TitleMainMenu.xml:22 <buttonnode PlayButton> gives \"y\" twice"},
        {"sounds that no manifest declares", UndeclaredNameFindings,
         ReplaceIn("TitleMainMenu.xml", "sounds=\"UIButtonSounds\" x=\"290\"", "sounds=\"UIButtonSoundz\" x=\"290\""),
         "\"sounds\" names \"UIButtonSoundz\", which no manifest declares"},
        {"images that no manifest declares", UndeclaredNameFindings,
         ReplaceIn("TitleMainMenu.xml", "images=\"Button_Title_Quit\"", "images=\"Button_Title_Quiet\""),
         "\"images\" names \"Button_Title_Quiet\", which no manifest declares"},
        {"a frame of an image list gone", MissingPictureFindings, Remove("Button_Title_Quit_2.png"),
         "<imagelist Button_Title_Quit>: frame 2 (Button_Title_Quit_2) is missing"},
        {"a picture gone", MissingPictureFindings, Remove("Title_Background.png"),
         "<image Title_Background>: its picture Title_Background is missing"},
        {"a sound's file gone", MissingSoundFileFindings, Remove("Music_TitleTheme.ogg"),
         "its file Music_TitleTheme is missing"},
        {"a spoken line's Spanish file gone", MissingSoundFileFindings,
         [](std::string const& folder) {
             std::ofstream(folder + "/VoiceOver.tsv", std::ios::app) << "SFX_NoSuchLine\tHello\tHola\n";
         },
         "SFX_NoSuchLine: VO_SP_SFX_NoSuchLine.ogg is missing"},
    };
    for (sDamage const& damage : damages)
    {
        SCOPED_TRACE(damage.what);
        FileTestSupport::ScratchFolder folder;
        CopyContent(folder.Path());
        damage.damage(folder.Path());
        Findings const findings = damage.check(folder.Path());
        std::string all;
        for (std::string const& finding : findings)
            all += finding + "\n";
        EXPECT_NE(std::string::npos, all.find(damage.found)) << all;
    }
}

TEST(ContentLintDamage, NumbersReadAsTheEngineReadsThemAndFitTheirUse)
{
    struct sCase
    {
        char const* text;
        Corvane::NumberRange const* range;
        bool fits;
    };
    using namespace Corvane::NumberRanges;
    sCase const cases[] = {
        {"0.35", &kTime, true},   {"60", &kTime, true},      {"60.5", &kTime, false},  {"-0", &kTime, true},
        {"inf", &kFinite, false}, {"1e39", &kFinite, false}, {" 12 ", &kSize, true},   {"-1", &kSize, false},
        {"12px", &kSize, false},  {"", &kPosition, false},   {"1.5", &kFraction, false}, {"-420", &kPosition, true},
    };
    for (sCase const& c : cases)
    {
        Findings findings;
        ContentLintChecks::CheckNumber("here", "x", c.text, *c.range, findings);
        EXPECT_EQ(c.fits, findings.empty()) << "\"" << c.text << "\" as " << c.range->what;
    }
}

} // namespace
