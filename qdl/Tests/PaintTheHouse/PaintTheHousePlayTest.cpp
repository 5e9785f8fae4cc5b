// The fence-painting game as a child reaches and plays it: the title, a
// profile, free play, a difficulty, the overlay, every round painted as the
// level's pattern says, the sticker and back to free play.

#include <string>

#include <gtest/gtest.h>

#include "qdl/Tests/Driver/WinFromTheTitle.h"
#include "qdl/Tests/PaintTheHouse/PaintTheHouseTestSupport.h"

using namespace PaintTheHouseTest;

namespace
{

class PaintTheHouseWin : public GameDriver::WinFromTheTitle
{
};

TEST_P(PaintTheHouseWin, FromTheTitleEveryRoundIsPaintedAsThePatternSaysThenTheStickerAndFreePlay)
{
    GameModeDifficulty const difficulty = GetParam();
    std::string const name = DifficultyName();
    Win("PaintTheHouse", [difficulty, name](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_EQ((Screens{kGame, "FennInstructionMode"}), child.Screens());
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen(kGame));
        // The clean brush until a bucket is chosen.
        EXPECT_TRUE(child.Look([] {
            Corvane::AutoResource<Corvane::IImage> const clean("cursor_brush_clean");
            return clean && Corvane::Window::GetCustomCursorImage() == clean.Get();
        }));
        std::vector<Corvane::Label> const levels =
            child.Look([difficulty] { return GetLevelManager()->getLevels(kGameModeType_PaintIt, difficulty); });
        Corvane::Label const level = child.Look([] { return Top<PaintTheHouseMode>()->getLevelName(); });
        EXPECT_NE(levels.end(), std::find(levels.begin(), levels.end(), level)) << level.GetString();
        SaveGameScreenshot(child, "PaintTheHouse_" + name + "_Start");

        // Two stripes, then a picture mid-play, then the rest of the game.
        std::vector<int> const planned = child.Look([] { return plannedColors(); });
        ASSERT_EQ(4u, planned.size());
        paintNextStripe(child, planned[0]);
        paintNextStripe(child, planned[1]);
        EXPECT_EQ(2, stripesLeft(child));
        ASSERT_TRUE(child.MoveMouseTo(kFence));
        SaveGameScreenshot(child, "PaintTheHouse_" + name + "_MidPlay");
        paintNextStripe(child, planned[2]);
        paintNextStripe(child, planned[3]);
        EXPECT_EQ(0, stripesLeft(child));
        winEveryRound(child);
    });
}

PLAY_AT_EVERY_DIFFICULTY(PaintTheHouseWin);

} // namespace
