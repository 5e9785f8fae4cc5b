// The leaf-blowing game as a child reaches and plays it: the title, a profile,
// free play, a difficulty, the gust of leaves and the overlay, every tool asked
// for found under the leaves, the sticker and back to free play.

#include <string>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Constant.h"
#include "qdl/Tests/Driver/WinFromTheTitle.h"
#include "qdl/Tests/PileOfLeaves/PileOfLeavesTestSupport.h"

using namespace PileOfLeavesTest;

namespace
{

class PileOfLeavesWin : public GameDriver::WinFromTheTitle
{
};

TEST_P(PileOfLeavesWin, FromTheTitleEveryToolAskedForIsBlownFreeAndFoundThenTheStickerAndFreePlay)
{
    GameModeDifficulty const difficulty = GetParam();
    std::string const name = DifficultyName();
    Win("PileOfLeaves", [difficulty, name](Child& child) {
        // The gust first; the overlay once every leaf has landed.
        ASSERT_TRUE(child.WaitForScreen(kGame));
        EXPECT_EQ(1, CountPlays(child, "SFX_BlowLeaves"));
        EXPECT_TRUE(maskShown(child));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_EQ(0, child.Look([] { return leavesNotLanded(); }));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen(kGame));
        // Named again, colour then tool, once the overlay has closed.
        QuarrydaleTool const wanted = child.Look([] { return Top<PileOfLeavesMode>()->getToolToFind(); });
        std::string const toolWord = std::string("Word_Tool_") + kQuarrydaleToolNames[wanted];
        ASSERT_TRUE(child.WaitForSound(toolWord));
        EXPECT_EQ(1, CountPlays(child, toolWord));

        int const asked = 1 + child.Look([difficulty] {
            std::vector<int> const loops = Corvane::Constant<std::vector<int> >("RepeatedGameNumLoops");
            return loops.at(static_cast<size_t>(difficulty));
        });
        int const made = child.Look([] { return static_cast<int>(Top<PileOfLeavesMode>()->getTools().size()); });
        EXPECT_EQ(asked - 1, child.Look([] { return Top<PileOfLeavesMode>()->getToolsLeftToFind(); }));
        SaveGameScreenshot(child, "PileOfLeaves_" + name + "_Start");

        ASSERT_TRUE(waitForSearch(child));
        sWanted const first = child.Look([] { return findWanted(); });
        ASSERT_TRUE(child.MoveMouseTo(first.centre.x, first.centre.y));
        ASSERT_TRUE(child.Frames(2));
        SaveGameScreenshot(child, "PileOfLeaves_" + name + "_MidPlay");
        findEveryTool(child);
        EXPECT_EQ(made - asked, child.Look([] { return static_cast<int>(Top<PileOfLeavesMode>()->getTools().size()); }));
        EXPECT_FALSE(child.IsShown("GameScreenRoot/UI_attach/ToolToPick"));
    });
    EXPECT_EQ(1, CountPlays(driver.Sounds(), "PileOfLeaves_GameComplete"));
}

PLAY_AT_EVERY_DIFFICULTY(PileOfLeavesWin);

} // namespace
