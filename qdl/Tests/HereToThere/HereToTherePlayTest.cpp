// The animal-delivery game played through the driver as a child plays it, at
// every difficulty, from the title through a profile, a new game, free play
// and the difficulty selection: the automated player reads the flags off the
// screen and delivers each animal; then the outro, once, the sticker screen,
// the sticker saved for the profile, and the free-play selection again. And
// the game as the story's step that follows HammerTheNail.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/HereToThere/HereToThereMode.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"
#include "qdl/Tests/HereToThere/HereToThereSupport.h"

using GameDriver::Child;
using namespace HereToThereSupport;

namespace
{

class HereToTherePlay : public GameDriver::PlayTest, public ::testing::WithParamInterface<int>
{
};

using GameDriver::CountPlays;

// The sticker screen's Resume when it is shown, until the named screen is up.
bool ContinuePastTheSticker(Child& child, std::string const& next)
{
    for (int frame = 0; frame < 1500; ++frame)
    {
        std::string const top = child.TopScreen();
        if (top == next)
            return true;
        if (top == "StickerUnlockMode" && child.IsShown("ResumeGame"))
            child.Click("ResumeGame");
        else if (!child.Frames(1))
            return false;
    }
    return false;
}

// The level's end after the last delivery: the outro's voice once, the sticker screen 3.0 s (150
// frames) after the truck came home, a sticker more for the profile, then the next screen.
void ExpectTheLevelsEnd(Child& child, std::string const& profile, int stickersBefore, std::string const& next)
{
    int const outro =
        child.FramesUntil([] { return Corvane::MainLoop::GetTopMostMode(0) && !Game(); }, "the outro to end the game");
    EXPECT_NEAR(150, outro, 3);
    EXPECT_EQ("StickerUnlockMode", child.TopScreen());
    EXPECT_EQ(std::to_string(stickersBefore + 1),
              GameDriver::AccountRecord(child.AccountFile(), profile + "_StickerCount"));
    ASSERT_TRUE(ContinuePastTheSticker(child, next));
    std::vector<GameDriver::sSoundPlay> const plays = child.Sounds();
    EXPECT_EQ(1, CountPlays(plays, "HereToThere_GameComplete"));
    EXPECT_EQ(0, CountPlays(plays, "HereToThere_IncorrectAnswer"));
}

TEST_P(HereToTherePlay, FromTheTitleThroughFreePlayTheAutomatedPlayerDeliversEveryAnimal)
{
    int const difficulty = GetParam();
    driver.Play([difficulty](Child& child) {
        ASSERT_TRUE(GameDriver::ComeToGameThroughFreePlay(child, "HereToThere", GameModeDifficulty(difficulty)));
        ASSERT_TRUE(PassInstructions(child));
        EXPECT_EQ(std::vector<std::string>{"HereToThereMode"}, child.Screens());
        EXPECT_EQ(difficulty, child.Look([] { return static_cast<int>(GetLevelManager()->getDifficulty()); }));
        if (char const* const folder = std::getenv("QDL_HERETOTHERE_SCREENSHOT_DIR"))
        {
            EXPECT_TRUE(child.SaveScreenshot(std::string(folder) + "/HereToThere_" + std::to_string(difficulty) + ".png"));
        }

        // The levels' limits as a child meets them: Easy 1 or 2 animals, Medium 2 or 3, Hard 4.
        int const animals = child.Look([] { return WaitingAnimalCount(); });
        int const fewest[] = {1, 2, 4};
        int const most[] = {2, 3, 4};
        EXPECT_LE(fewest[difficulty], animals);
        EXPECT_GE(most[difficulty], animals);
        int const stickers = std::atoi(GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount").c_str());

        EXPECT_EQ(animals, DeliverEveryAnimal(child));
        // The level's end checked again while the outro runs starts nothing more.
        child.RunOnLoop([] {
            Game()->checkLevelEnd();
            Game()->playOutroAnimation();
        });
        ExpectTheLevelsEnd(child, "PondoButton", stickers, "FreePlaySelectMode");
        EXPECT_EQ(std::vector<std::string>{"FreePlaySelectMode"}, child.Screens());
        std::vector<GameDriver::sSoundPlay> const plays = child.Sounds();
        EXPECT_EQ(animals, CountPlays(plays, "General_CorrectAnswer"));
        EXPECT_LE(animals, CountPlays(plays, "SFX_TrundelMoveLong"));
        EXPECT_LE(2 * animals, CountPlays(plays, "SFX_SelectItem"));
    });
}

std::string DifficultyName(::testing::TestParamInfo<int> const& info)
{
    static char const* const names[] = {"Easy", "Medium", "Hard"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(EveryDifficulty, HereToTherePlay, ::testing::Values(0, 1, 2), DifficultyName);

class HereToThereStory : public HereToTherePlay
{
};

TEST_F(HereToThereStory, TheStorysThirdLevelIsThisGameAndWinningItMovesTheStoryOnToHideAndSeek)
{
    driver.SetAccountValue("AccountID", "GrubbinButton");
    driver.SetAccountValue("GrubbinButton_Progress", "3");
    driver.Play([](Child& child) {
        ASSERT_TRUE(GameDriver::ContinueTheStory(child, "EasyButton", "GrubbinButton"));
        ASSERT_TRUE(PassInstructions(child));
        EXPECT_FALSE(child.Look([] { return GetLevelManager()->isFreePlay(); }));
        int const stickers =
            std::atoi(GameDriver::AccountRecord(child.AccountFile(), "GrubbinButton_StickerCount").c_str());

        EXPECT_LE(1, DeliverEveryAnimal(child));
        // The sticker, then the story goes on to its next step, HideAndSeek.
        int const outro = child.FramesUntil([] { return Corvane::MainLoop::GetTopMostMode(0) && !Game(); },
                                            "the outro to end the game");
        EXPECT_NEAR(150, outro, 3);
        EXPECT_EQ(std::to_string(stickers + 1),
                  GameDriver::AccountRecord(child.AccountFile(), "GrubbinButton_StickerCount"));
        ASSERT_TRUE(child.WaitUntil([] { return GetLevelManager()->getProgressIndex() > 4; },
                                    "the story to move past the cutscene"));
        EXPECT_EQ("4", GameDriver::AccountRecord(child.AccountFile(), "GrubbinButton_Progress"));
    });
    EXPECT_NE(std::string::npos, driver.Log().find("HideAndSeek")) << driver.Log();
}

} // namespace
