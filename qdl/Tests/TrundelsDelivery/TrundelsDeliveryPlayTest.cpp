// The delivery game played through the driver as a child plays it: in from
// the title screen at every difficulty, each loop won by the automated
// player from the pattern on the carts, the sticker, and back to free play.
//
// Set QDL_GAME_SCREENSHOT_DIR to a folder to keep pictures of each
// difficulty and of an answer on its way.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"
#include "qdl/Tests/Driver/FreePlayRoute.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"
#include "qdl/Tests/TrundelsDelivery/TrundelsDeliveryTestSupport.h"

using namespace TrundelsDeliveryTest;
using FrontEndPlay::Top;

namespace
{

class TrundelsDeliveryWin : public GameDriver::DifficultyPlayTest
{
};

TEST_P(TrundelsDeliveryWin, FromTheTitleEveryLoopIsDeliveredThenTheStickerAndFreePlay)
{
    GameModeDifficulty const difficulty = GetParam();
    std::string const name = kGameModeDifficultyNames[difficulty];
    driver.Play([&](Child& child) {
        ASSERT_TRUE(GameDriver::ComeToGameThroughFreePlay(child, "FarmerBrambold", difficulty));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode", 100));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen("TrundelsDeliveryMode", 100));
        int const stickers = GameDriver::StickerCount(child);
        int const loops = 1 + ReadYard(child).loopsLeft;
        std::vector<Corvane::Label> const levels = child.Look(
            [difficulty] { return GetLevelManager()->getLevels(kGameModeType_TrundelsDelivery, difficulty); });
        EXPECT_GE(levels.size(), 3u);

        for (int loop = 0; loop < loops; ++loop)
        {
            SCOPED_TRACE("loop " + std::to_string(loop + 1) + " of " + std::to_string(loops));
            ASSERT_TRUE(child.WaitUntil(
                [loops, loop] {
                    TrundelsDeliveryMode const* const mode = Top<TrundelsDeliveryMode>();
                    return mode && !mode->isOutroStarted() && mode->getLoopsLeft() == loops - 1 - loop;
                },
                300));
            ASSERT_TRUE(WaitUntilReady(child));
            sYard const yard = ReadYard(child);
            EXPECT_NE(levels.end(), std::find(levels.begin(), levels.end(), yard.level));
            // Five different choices, among them the three letters' types.
            ASSERT_EQ(5u, yard.choices.size());
            for (int k = 0; k < 3; ++k)
                EXPECT_NE(nullptr, ChoiceOfType(yard, yard.mapping[static_cast<size_t>(k)]));
            if (loop == 0)
                SaveGameScreenshot(child, "TrundelsDelivery_" + name);
            size_t const before = child.Sounds().size();
            DeliverTheRightCargo(child);
            if (HasFatalFailure())
                return;
            if (loop == 0)
            {
                ASSERT_TRUE(child.Wait(2.2f));
                SaveGameScreenshot(child, "TrundelsDelivery_" + name + "_lifted");
            }
            ASSERT_TRUE(child.WaitUntil([] { return Top<TrundelsDeliveryMode>()->isOutroStarted(); }, 400));
            sYard const done = ReadYard(child);
            EXPECT_TRUE(done.carts[5].cargoShown);
            EXPECT_EQ(0u, done.cartsToFill);
            EXPECT_TRUE(done.maskShown);
            std::vector<std::string> const sounds = SoundsSince(child, before);
            EXPECT_EQ(1, CountOf(sounds, "SFX_TollerArm"));
            EXPECT_EQ(1, CountOf(sounds, "General_CorrectAnswer"));
            ASSERT_TRUE(child.Frames(2));
            EXPECT_EQ(1, CountOf(SoundsSince(child, before), "TrundelsDelivery_GameComplete"));
        }

        GameDriver::ExpectStickerThenFreePlay(child, stickers);
    });
    EXPECT_TRUE(driver.Notifications().empty());
}

PLAY_AT_EVERY_DIFFICULTY(TrundelsDeliveryWin);

} // namespace
