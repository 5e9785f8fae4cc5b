// The stacking game played through the driver as a child plays it: in from
// the title screen at every difficulty, each loop won by the automated player
// from the level's objects, the sticker, and back to free play.
//
// Set QDL_GAME_SCREENSHOT_DIR to a folder to keep pictures of each
// difficulty and of a held object.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerMode.h"
#include "qdl/Tests/Driver/WinFromTheTitle.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"
#include "qdl/Tests/TollerStacker/TollerStackerTestSupport.h"

using namespace TollerStackerTest;
using FrontEndPlay::Top;

namespace
{

class TollerStackerWin : public GameDriver::WinFromTheTitle
{
};

TEST_P(TollerStackerWin, FromTheTitleEveryLoopIsStackedThenTheStickerAndFreePlay)
{
    GameModeDifficulty const difficulty = GetParam();
    std::string const name = DifficultyName();
    Win("TollerStacker", [&](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen("TollerStackerMode"));
        EXPECT_EQ(FrontEndPlay::Screens{"TollerStackerMode"}, child.Screens());
        int const loops = 1 + child.Look([] { return Top<TollerStackerMode>()->getRoundsLeft(); });
        auto const roundsLeft = [] {
            TollerStackerMode const* const mode = Top<TollerStackerMode>();
            return mode && !mode->isOutroStarted() ? mode->getRoundsLeft() : -1;
        };
        GameDriver::PlayEveryLoop(child, kGameModeType_TollerStacker, difficulty, loops, roundsLeft,
                                  [&](int loop, std::vector<Corvane::Label> const& levels) {
                                      ASSERT_TRUE(WaitUntilSettled(child));
                                      sTable const table = ReadTable(child);
                                      EXPECT_NE(levels.end(), std::find(levels.begin(), levels.end(), table.level));
                                      if (loop == 0)
                                      {
                                          SaveGameScreenshot(child, "TollerStacker_" + name);
                                          // Mid-answer: an object held over its platform.
                                          sObject const& first = table.objects.front();
                                          ASSERT_TRUE(ClickAt(child, first.centre));
                                          ASSERT_TRUE(child.MoveMouseTo(PlatformOf(table, first.color)->click.x,
                                                                        PlatformOf(table, first.color)->click.y));
                                          // Two frames to follow the mouse there.
                                          ASSERT_TRUE(child.Frames(2));
                                          SaveGameScreenshot(child, "TollerStacker_" + name + "_held");
                                          EXPECT_EQ(first.id, ReadTable(child).held);
                                          ASSERT_TRUE(ClickAt(child, kEmptySpot));
                                          sTable const dropped = ReadTable(child);
                                          EXPECT_EQ(Corvane::kInvalidObjectID, dropped.held);
                                          EXPECT_EQ(first.place, FindObject(dropped, first.id)->place);
                                          EXPECT_TRUE(FindObject(dropped, first.id)->clickable);
                                      }
                                      size_t const before = child.Sounds().size();
                                      StackEverything(child);
                                      if (HasFatalFailure())
                                          return;
                                      std::vector<std::string> const sounds = SoundsSince(child, before);
                                      EXPECT_EQ(1, CountOf(sounds, "VO_TollerTada"));
                                      // Every platform judges its stack in the same frame: one fall is heard.
                                      EXPECT_EQ(1, CountOf(sounds, "SFX_GirderFall"));
                                      EXPECT_TRUE(ReadTable(child).outroStarted);
                                      if (loop == 0)
                                          SaveGameScreenshot(child, "TollerStacker_" + name + "_stacked");
                                  });
    });
}

PLAY_AT_EVERY_DIFFICULTY(TollerStackerWin);

} // namespace
