// Content numbers that no use can take, played from the title: each is
// refused where it is read, with a log line naming the file, the node or
// constant and the attribute, and the child still reaches the profile
// selection after Play. An attribute given twice keeps its last value and is
// logged with its file and line.

#include <string>
#include <vector>

#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"

using namespace FrontEndPlay;

namespace
{

typedef FrontEndPlayTest DamagedNumbersPlay;

struct sDamage
{
    char const* what;
    char const* file;
    char const* from;
    char const* to;
    // What the log must hold.
    char const* logged;
};

TEST_F(DamagedNumbersPlay, ANumberNoUseCanTakeIsLoggedAndPlayStillOpensTheProfiles)
{
    std::vector<sDamage> const damages = {
        {"a move time that is not a number", "GlobalConstants.xml", "name=\"UI_PopupWindow_MoveTime\" value=\"0.35\"",
         "name=\"UI_PopupWindow_MoveTime\" value=\"NaN\"",
         "GlobalConstants.xml: UI_PopupWindow_MoveTime: \"value\" is \"NaN\", which a number cannot take"},
        {"a move time of ten thousand years", "GlobalConstants.xml",
         "name=\"UI_PopupWindow_MoveTime\" value=\"0.35\"", "name=\"UI_PopupWindow_MoveTime\" value=\"3e11\"",
         "UI_PopupWindow_MoveTime: \"value\" is \"3e+11\", which a time cannot take"},
        {"a bounce time below zero", "GlobalConstants.xml", "name=\"UI_PopupWindow_BounceTime\" value=\"0.12\"",
         "name=\"UI_PopupWindow_BounceTime\" value=\"-4\"",
         "UI_PopupWindow_BounceTime: \"value\" is \"-4\", which a time cannot take"},
        {"the play button placed nowhere", "TitleMainMenu.xml", "x=\"290\" y=\"320\"", "x=\"NaN\" y=\"320\"",
         "TitleMainMenu.xml: Title_YarrowfeteLayout/TitleMainMenu/UI/PlayButton: \"x\" is \"NaN\", which a "
         "position cannot take"},
        {"the play button at an infinite place", "TitleMainMenu.xml", "x=\"290\" y=\"320\"",
         "x=\"290\" y=\"-inf\"", "UI/PlayButton: \"y\" is \"-inf\", which a position cannot take"},
        {"the play button's y given twice", "TitleMainMenu.xml", "x=\"290\" y=\"320\"",
         "x=\"290\" y=\"40\" y=\"320\"", "<buttonnode> gives the attribute \"y\" twice; the last value is used."},
    };
    for (sDamage const& damage : damages)
    {
        SCOPED_TRACE(damage.what);
        GameDriver::Driver play;
        play.UseContentCopy([&damage](std::string const& folder) {
            ASSERT_TRUE(GameDriver::ReplaceInTextFile(folder + "/" + damage.file, damage.from, damage.to));
        });
        play.Play([](Child& child) {
            ASSERT_TRUE(child.WaitForScreen("TitleMode"));
            ASSERT_TRUE(child.Click("PlayButton"));
            EXPECT_TRUE(WaitForPopup(child, "MyAccountMode"));
            EXPECT_TRUE(child.IsShown("PondoButton"));
        });
        EXPECT_NE(std::string::npos, play.Log().find(damage.logged)) << play.Log();
        EXPECT_TRUE(play.Notifications().empty());
    }
}

} // namespace
