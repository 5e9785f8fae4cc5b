// The animal-delivery game played through the driver as a child plays it, at
// every difficulty: the automated player reads the flags off the screen and
// delivers each animal; then the outro, once, and the sticker screen.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Source/Game/HereToThere/HereToThereMode.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/HereToThere/HereToThereSupport.h"

using GameDriver::Child;
using namespace HereToThereSupport;

namespace
{

// Stands for the free-play selection, to which a game started from free play returns.
class FreePlayStandIn : public SceneApplicationMode
{
};

class HereToTherePlay : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        std::string reason;
        if (!driver.HasDisplay(&reason))
            GTEST_SKIP() << "no display: " << reason;
    }

    void StartAt(int difficulty)
    {
        driver.StartWith([difficulty] {
            GetLevelManager()->setDifficulty(static_cast<GameModeDifficulty>(difficulty));
            // As the profile confirmation does for the chosen profile.
            GetStickerManager()->loadUnlockedStickerData();
            GetGameScreenHooks().createFreePlaySelectMode = [] { return new FreePlayStandIn(); };
            return new HereToThereMode();
        });
    }

    GameDriver::Driver driver;
};

// The sticker screen's Resume when it is shown, until the free-play selection is up.
bool ContinuePastTheSticker(Child& child)
{
    for (int frame = 0; frame < 1500; ++frame)
    {
        std::string const top = child.TopScreen();
        if (top == "(anonymous namespace)::FreePlayStandIn")
            return true;
        if (top == "StickerUnlockMode" && child.IsShown("ResumeGame"))
            child.Click("ResumeGame");
        else if (!child.Frames(1))
            return false;
    }
    return false;
}

int CountSound(std::vector<GameDriver::sSoundPlay> const& plays, std::string const& name)
{
    return static_cast<int>(std::count_if(plays.begin(), plays.end(),
                                          [&name](GameDriver::sSoundPlay const& play) { return play.sound == name; }));
}

TEST_P(HereToTherePlay, TheAutomatedPlayerDeliversEveryAnimalAndTheLevelEndsOnce)
{
    int const difficulty = GetParam();
    driver.SetAccountValue("AccountID", "PondoButton");
    StartAt(difficulty);
    driver.Play([difficulty](Child& child) {
        ASSERT_TRUE(PassInstructions(child)) << child.TopScreen() << " " << child.Screens().size();
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
        std::string const stickersBefore = GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount");

        int const delivered = DeliverEveryAnimal(child);
        EXPECT_EQ(animals, delivered);

        // The outro as the truck comes home (its voice waits for the last right-answer voice), and the
        // level's end 3.0 s (150 frames) later: the sticker screen, then the free-play selection.
        int const outro = FramesUntil(
            child, [] { return Corvane::MainLoop::GetTopMostMode(0) && !Game(); }, 300);
        EXPECT_NEAR(150, outro, 3);
        ASSERT_TRUE(ContinuePastTheSticker(child));
        EXPECT_EQ(std::vector<std::string>{"(anonymous namespace)::FreePlayStandIn"}, child.Screens());
        std::vector<GameDriver::sSoundPlay> const plays = child.Sounds();
        EXPECT_EQ(1, CountSound(plays, "HereToThere_GameComplete"));
        EXPECT_EQ(delivered, CountSound(plays, "General_CorrectAnswer"));
        EXPECT_EQ(0, CountSound(plays, "HereToThere_IncorrectAnswer"));
        EXPECT_GT(CountSound(plays, "SFX_TrundelMoveLong"), 0);
        EXPECT_GT(CountSound(plays, "SFX_SelectItem"), 0);
        // A sticker was unlocked and saved for the profile, unless the build's content has no stickers.
        std::string const stickersAfter = GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount");
        if (child.Look([] { return Corvane::AutoResource<Corvane::ImageList>("AllStickersList").Get() != nullptr; }))
        {
            EXPECT_EQ(std::atoi(stickersBefore.c_str()) + 1, std::atoi(stickersAfter.c_str()));
        }
    });
}

std::string DifficultyName(::testing::TestParamInfo<int> const& info)
{
    static char const* const names[] = {"Easy", "Medium", "Hard"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(EveryDifficulty, HereToTherePlay, ::testing::Values(0, 1, 2), DifficultyName);

} // namespace
