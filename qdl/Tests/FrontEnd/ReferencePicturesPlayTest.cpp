// Every screen looks the same as the game draws it (kept frames and the other
// drawing optimisations) and drawn whole for reference: the title, the quit
// question, the main menu and a frame of each mini-game at a fixed step after
// its start, the sticker reward and the sticker book with a sticker carried,
// each compared within one frame of a single play.
//
// Set QDL_REFERENCE_PICTURE_DIR to a folder to keep a picture of every screen.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "qdl/Source/Game/FennInstructionMode.h"
#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"
#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerBook/StickerBookMode.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/Driver/FreePlayRoute.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/ReferencePicture.h"
#include "qdl/Tests/StickerBook/StickerBookTestSupport.h"

using GameDriver::Child;
using GameDriver::ShowsTheReferencePicture;

namespace
{

// Frames from a game's spoken instructions skipped (or from its start, in a
// game that gives none) to its compared frame: the game's first animations
// under way. The instructions come at the latest after the opening scene.
constexpr int kGameStep = 90;
constexpr float kOpeningSeconds = 12.0f;

struct sGame
{
    char const* name;
    GameModeType type;
};

sGame const kGames[] = {
    {"ToolShed", kGameModeType_ToolShed},
    {"StreetSigns", kGameModeType_StreetSigns},
    {"PlanAJob", kGameModeType_PlanAJob},
    {"PaintTheHouse", kGameModeType_PaintIt},
    {"TollerStacker", kGameModeType_TollerStacker},
    {"HammerTheNail", kGameModeType_HammerTheNail},
    {"CountTheMaterials", kGameModeType_CountTheMaterials},
    {"TrundelsDelivery", kGameModeType_TrundelsDelivery},
    {"PileOfLeaves", kGameModeType_PileOfLeaves},
    {"ScarrowPuzzle", kGameModeType_ScarrowPuzzle},
    {"HideAndSeek", kGameModeType_HideAndSeek},
    {"HereToThere", kGameModeType_HereToThere},
};

// Starts the game from free play at the difficulty, as the difficulty selection does.
bool StartGame(Child& child, GameModeType type, GameModeDifficulty difficulty)
{
    bool const started = child.Look([type, difficulty] {
        GetLevelManager()->setFreePlay(true);
        GetLevelManager()->setDifficulty(difficulty);
        Corvane::ApplicationMode* const game = createGameModeOfType(type, Corvane::Label());
        if (game)
            Corvane::MainLoop::UnwindToMode(game);
        return game != nullptr;
    });
    return started &&
           child.WaitUntil([] { return !Corvane::MainLoop::IsModeChangePending(); }, "the screen change to finish");
}

// Frames of the reward screen before its compared frame: the sticker dropped, the starburst turning.
constexpr int kRewardStep = 40;

// On the loop's thread.
bool IsInstructions()
{
    return dynamic_cast<FennInstructionMode*>(Corvane::MainLoop::GetTopMostMode(0)) != nullptr;
}

} // namespace

TEST(ReferencePicturesPlay, EveryScreenAndGameShowsThePictureOfAWholeRedraw)
{
    GameDriver::Driver driver;
    std::string reason;
    if (!driver.HasDisplay(&reason))
        GTEST_SKIP() << "no display: " << reason;
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.MoveMouseTo(560, 420));
        ASSERT_TRUE(child.Frames(30));
        EXPECT_TRUE(ShowsTheReferencePicture(child, "Title"));
        // Under the mouse the sign turns into the play button.
        ASSERT_TRUE(child.MoveMouseTo("TitleMainMenu/UI/PlayButton"));
        ASSERT_TRUE(child.Frames(3));
        EXPECT_TRUE(ShowsTheReferencePicture(child, "TitleHover"));

        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.Frames(10));
        EXPECT_TRUE(ShowsTheReferencePicture(child, "QuitQuestionSliding"));
        ASSERT_TRUE(GameDriver::WaitForPopupToRest(child, "QuitConfirmMode"));
        EXPECT_TRUE(ShowsTheReferencePicture(child, "QuitQuestion"));
        ASSERT_TRUE(child.Click("NoButton"));

        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.Click("PlayButton"));
        ASSERT_TRUE(GameDriver::WaitForPopupToRest(child, "MyAccountMode"));
        ASSERT_TRUE(child.Click("PondoButton"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(GameDriver::WaitForPopupToRest(child, "AccountConfirmMode"));
        ASSERT_TRUE(child.Click("NewGame"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        ASSERT_TRUE(child.Frames(30));
        EXPECT_TRUE(ShowsTheReferencePicture(child, "MainMenu"));

        int next = 0;
        bool instructionsCompared = false;
        for (sGame const& game : kGames)
        {
            GameModeDifficulty const difficulty = static_cast<GameModeDifficulty>(next++ % kNumGameModeDifficulties);
            ASSERT_TRUE(StartGame(child, game.type, difficulty)) << game.name;
            // The spoken instructions, at the start or after an opening scene, are skipped.
            if (child.Within(IsInstructions, kOpeningSeconds))
            {
                if (!instructionsCompared)
                {
                    instructionsCompared = true;
                    EXPECT_TRUE(ShowsTheReferencePicture(child, "Instructions"));
                }
                ASSERT_TRUE(child.Click("OkButton")) << game.name;
                ASSERT_TRUE(child.WaitUntil([] { return !IsInstructions(); }, "the instructions to close"))
                    << game.name;
            }
            ASSERT_TRUE(child.Frames(kGameStep)) << game.name;
            EXPECT_TRUE(ShowsTheReferencePicture(child, game.name + std::string(kGameModeDifficultyNames[difficulty])));
        }

        // The reward's starburst turning over the last game.
        child.RunOnLoop([] { Corvane::MainLoop::PushMode(new StickerUnlockMode(0)); });
        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode", 5));
        ASSERT_TRUE(child.Frames(kRewardStep));
        EXPECT_TRUE(ShowsTheReferencePicture(child, "StickerReward"));

        // A sticker carried over the stickers stuck on the book's page.
        child.RunOnLoop([] {
            for (int n = 0; n < 4; ++n)
                GetStickerManager()->unlockRandomSticker();
            Corvane::MainLoop::UnwindToMode(new StickerBookMode());
        });
        ASSERT_TRUE(child.WaitForScreen("StickerBookMode"));
        for (int n = 0; n < 6; ++n)
        {
            ASSERT_TRUE(StickerBookTest::pickUpTheFirstSticker(child));
            ASSERT_TRUE(child.MoveMouseTo(200 + 60 * n, 120 + 30 * n));
            ASSERT_TRUE(child.PressMouse() && child.ReleaseMouse());
        }
        ASSERT_TRUE(StickerBookTest::pickUpTheFirstSticker(child));
        for (int n = 0; n < 8; ++n)
            ASSERT_TRUE(child.MoveMouseTo(180 + 50 * n, 110 + 25 * n));
        EXPECT_TRUE(ShowsTheReferencePicture(child, "StickerBookCarrying"));
    });
}
