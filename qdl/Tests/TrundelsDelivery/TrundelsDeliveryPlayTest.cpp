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
#include "qdl/Tests/Driver/WinFromTheTitle.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"
#include "qdl/Tests/TrundelsDelivery/TrundelsDeliveryTestSupport.h"

using namespace TrundelsDeliveryTest;
using FrontEndPlay::Top;

namespace
{

class TrundelsDeliveryWin : public GameDriver::WinFromTheTitle
{
};

TEST_P(TrundelsDeliveryWin, FromTheTitleEveryLoopIsDeliveredThenTheStickerAndFreePlay)
{
    GameModeDifficulty const difficulty = GetParam();
    std::string const name = DifficultyName();
    Win("FarmerBrambold", [&](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen("TrundelsDeliveryMode"));
        int const loops = 1 + ReadYard(child).loopsLeft;
        auto const loopsLeft = [] {
            TrundelsDeliveryMode const* const mode = Top<TrundelsDeliveryMode>();
            return mode && !mode->isOutroStarted() ? mode->getLoopsLeft() : -1;
        };
        GameDriver::PlayEveryLoop(
            child, kGameModeType_TrundelsDelivery, difficulty, loops, loopsLeft,
            [&](int loop, std::vector<Corvane::Label> const& levels) {
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
                    // The picture of the cargo lifted, at its moment of the answer.
                    ASSERT_TRUE(child.Wait(2.2f));
                    SaveGameScreenshot(child, "TrundelsDelivery_" + name + "_lifted");
                }
                ASSERT_TRUE(
                    child.WaitUntil([] { return Top<TrundelsDeliveryMode>()->isOutroStarted(); }, "the game's outro"));
                sYard const done = ReadYard(child);
                EXPECT_TRUE(done.carts[5].cargoShown);
                EXPECT_EQ(0u, done.cartsToFill);
                EXPECT_TRUE(done.maskShown);
                std::vector<std::string> const sounds = SoundsSince(child, before);
                EXPECT_EQ(1, CountOf(sounds, "SFX_TollerArm"));
                EXPECT_EQ(1, CountOf(sounds, "General_CorrectAnswer"));
                ASSERT_TRUE(child.WaitForSound("TrundelsDelivery_GameComplete", before));
                EXPECT_EQ(1, CountOf(SoundsSince(child, before), "TrundelsDelivery_GameComplete"));
            });
    });
}

PLAY_AT_EVERY_DIFFICULTY(TrundelsDeliveryWin);

} // namespace
