// The stacking game over a copy of the content whose Hard levels are all
// broken: the child is told once that the level is missing, sees an empty
// playfield with Help and Quit, earns nothing, and can leave.

#include <string>

#include <gtest/gtest.h>

#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/TollerStacker/TollerStackerTestSupport.h"

using namespace TollerStackerTest;

namespace
{

class TollerStackerContent : public GameDriver::PlayTest
{
};

TEST_F(TollerStackerContent, WithoutAHardLevelTheChildIsToldOnceAndCanLeave)
{
    StartGame(driver, kGameModeDifficulty_Hard, true);
    GameDriver::WithoutLevelsOf(driver, "TollerStackerMode.xml");
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TollerStackerMode"));
        int const stickers = GameDriver::StickerCount(child);
        ASSERT_TRUE(child.Wait(3.0f));
        // No overlay, nothing to stack, but a way out.
        EXPECT_EQ(std::vector<std::string>{"TollerStackerMode"}, child.Screens());
        sTable const table = ReadTable(child);
        EXPECT_TRUE(table.objects.empty());
        EXPECT_TRUE(table.platforms.empty());
        EXPECT_TRUE(child.IsShown("HelpButton"));
        EXPECT_TRUE(child.IsShown("QuitButton"));
        ASSERT_TRUE(GameDriver::QuitToMainMenu(child));
        EXPECT_EQ(stickers, GameDriver::StickerCount(child));
    });
    EXPECT_TRUE(GameDriver::IsOnlyLevelNotFound(driver.Notifications(), driver.Log(), "TollerStackerMode", "Hard"));
}

} // namespace
