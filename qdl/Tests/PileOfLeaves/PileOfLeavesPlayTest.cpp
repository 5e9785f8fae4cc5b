// The leaf-blowing game as a child reaches and plays it: the title, a profile,
// free play, a difficulty, the gust of leaves and the overlay, every tool asked
// for found under the leaves, the sticker and back to free play.

#include <string>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Constant.h"
#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"
#include "qdl/Tests/PileOfLeaves/PileOfLeavesTestSupport.h"

using namespace PileOfLeavesTest;

namespace
{

class PileOfLeavesWin : public ::testing::TestWithParam<GameModeDifficulty>
{
protected:
    void SetUp() override
    {
        std::string reason;
        if (!driver.HasDisplay(&reason))
            GTEST_SKIP() << "no display: " << reason;
        GetLevelManager()->setDifficulty(kGameModeDifficulty_Medium);
        GetLevelManager()->setFreePlay(true);
    }

    GameDriver::Driver driver;
};

TEST_P(PileOfLeavesWin, FromTheTitleEveryToolAskedForIsBlownFreeAndFoundThenTheStickerAndFreePlay)
{
    GameModeDifficulty const difficulty = GetParam();
    std::string const name = kGameModeDifficultyNames[difficulty];
    driver.Play([difficulty, name](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.Click("PlayButton"));
        ASSERT_TRUE(waitForPopup(child, "MyAccountMode"));
        ASSERT_TRUE(child.Click("PondoButton"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(waitForPopup(child, "AccountConfirmMode"));
        ASSERT_TRUE(child.Click("NewGame"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode", 10));
        ASSERT_TRUE(child.Click("FreePlayButton"));
        ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode", 10));
        ASSERT_TRUE(child.Click("PileOfLeaves"));
        ASSERT_TRUE(waitForPopup(child, "DifficultySelectMode"));
        ASSERT_TRUE(child.Click(name + "Button"));
        ASSERT_TRUE(child.Click("OkButton"));

        // The gust first; the overlay once every leaf has landed.
        ASSERT_TRUE(child.WaitForScreen(kGame, 20));
        EXPECT_EQ(1, countPlays(child, "SFX_BlowLeaves"));
        EXPECT_TRUE(maskShown(child));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode", 300));
        EXPECT_EQ(0, child.Look([] { return leavesNotLanded(); }));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen(kGame, 50));
        // Named again, colour then tool, once the overlay has closed.
        QuarrydaleTool const wanted = child.Look([] { return Top<PileOfLeavesMode>()->getToolToFind(); });
        std::string const toolWord = std::string("Word_Tool_") + kQuarrydaleToolNames[wanted];
        for (int frame = 0; frame < 200 && countPlays(child, toolWord) == 0; ++frame)
            ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(1, countPlays(child, toolWord));

        int const asked = 1 + child.Look([difficulty] {
            std::vector<int> const loops = Corvane::Constant<std::vector<int> >("RepeatedGameNumLoops");
            return loops.at(static_cast<size_t>(difficulty));
        });
        int const made = child.Look([] { return static_cast<int>(Top<PileOfLeavesMode>()->getTools().size()); });
        EXPECT_EQ(asked - 1, child.Look([] { return Top<PileOfLeavesMode>()->getToolsLeftToFind(); }));
        int const stickersBefore = child.Look([] { return GetStickerManager()->getStickerCount(); });
        saveScreenshot(child, "PileOfLeaves_" + name + "_Start");

        ASSERT_TRUE(waitForSearch(child));
        sWanted const first = child.Look([] { return findWanted(); });
        ASSERT_TRUE(child.MoveMouseTo(first.centre.x, first.centre.y));
        ASSERT_TRUE(child.Frames(2));
        saveScreenshot(child, "PileOfLeaves_" + name + "_MidPlay");
        findEveryTool(child);
        EXPECT_EQ(made - asked, child.Look([] { return static_cast<int>(Top<PileOfLeavesMode>()->getTools().size()); }));
        EXPECT_FALSE(child.IsShown("GameScreenRoot/UI_attach/ToolToPick"));

        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode", 400));
        EXPECT_EQ(1, countPlays(child, "PileOfLeaves_GameComplete"));
        EXPECT_EQ(stickersBefore + 1, child.Look([] { return GetStickerManager()->getStickerCount(); }));
        EXPECT_EQ(std::to_string(stickersBefore + 1),
                  GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount"));
        ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode", 300));
        EXPECT_EQ(Screens{"FreePlaySelectMode"}, child.Screens());
    });
}

INSTANTIATE_TEST_SUITE_P(EveryDifficulty, PileOfLeavesWin,
                         ::testing::Values(kGameModeDifficulty_Easy, kGameModeDifficulty_Medium,
                                           kGameModeDifficulty_Hard),
                         [](::testing::TestParamInfo<GameModeDifficulty> const& info) {
                             return std::string(kGameModeDifficultyNames[info.param]);
                         });

} // namespace
