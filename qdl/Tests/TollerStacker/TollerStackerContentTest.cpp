// The stacking game over a copy of the content whose Hard levels are all
// broken: the child is told once that the level is missing, sees an empty
// playfield with Help and Quit, earns nothing, and can leave.

#include <string>

#include <gtest/gtest.h>

#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"
#include "qdl/Tests/TollerStacker/TollerStackerTestSupport.h"

using namespace TollerStackerTest;

namespace
{

class TollerStackerContent : public FrontEndPlay::FrontEndPlayTest
{
};

TEST_F(TollerStackerContent, WithoutAHardLevelTheChildIsToldOnceAndCanLeave)
{
    StartGame(driver, kGameModeDifficulty_Hard, true);
    driver.UseContentCopy([](std::string const& folder) {
        // A difficulty in other letters matches none of the three names.
        ASSERT_TRUE(GameDriver::EditTextFile(folder + "/TollerStackerMode.xml", [](std::string& text) {
            for (size_t at = text.find("difficulty=\"Hard\""); at != std::string::npos;
                 at = text.find("difficulty=\"Hard\"", at))
                text.replace(at, 17, "difficulty=\"HARD\"");
        }));
    });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TollerStackerMode"));
        int const stickers = child.Look([] { return GetStickerManager()->getStickerCount(); });
        ASSERT_TRUE(child.Wait(3.0f));
        // No overlay, nothing to stack, but a way out.
        EXPECT_EQ(FrontEndPlay::Screens{"TollerStackerMode"}, child.Screens());
        sTable const table = ReadTable(child);
        EXPECT_TRUE(table.objects.empty());
        EXPECT_TRUE(table.platforms.empty());
        EXPECT_TRUE(child.IsShown("HelpButton"));
        EXPECT_TRUE(child.IsShown("QuitButton"));
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(FrontEndPlay::WaitForPopup(child, "QuitConfirmMode"));
        ASSERT_TRUE(child.Click("YesButton"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode", 200));
        EXPECT_EQ(stickers, child.Look([] { return GetStickerManager()->getStickerCount(); }));
    });
    std::vector<std::string> const notes = driver.Notifications();
    ASSERT_EQ(1u, notes.size());
    EXPECT_NE(std::string::npos,
              notes[0].find("Difficulty Level Not Found for TollerStackerMode. Fix the problem and press F5 to reload"));
}

} // namespace
