// The test mini-game played through the driver on the mini-game base: the
// instruction overlay, a wrong move, a win in every loop, the sticker reward
// and the way back to free play or on through the story.

#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/FennInstructionMode.h"
#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"
#include "qdl/Tests/GameBase/GameBaseTestSupport.h"

using GameDriver::Child;
using namespace GameBaseTest;

namespace
{

struct sPlayCase
{
    GameModeDifficulty difficulty;
    bool english;
};

std::string caseName(sPlayCase const& playCase)
{
    return std::string(kGameModeDifficultyNames[playCase.difficulty]) + (playCase.english ? "_EN" : "_SP");
}

// The test's name carries the printed case: by name, not by its bytes, which padding may change.
void PrintTo(sPlayCase const& playCase, std::ostream* out)
{
    *out << caseName(playCase);
}

class GameBaseWin : public GameDriver::PlayTest, public ::testing::WithParamInterface<sPlayCase>
{
};

// The right target of the game on top, clicked as a child clicks it.
void clickTarget(Child& child, int target)
{
    ASSERT_TRUE(child.Click("Target" + std::to_string(target)));
}

TEST_P(GameBaseWin, EveryLoopIsWonOnceThenTheNewStickerShowsAndFreePlayIsAlone)
{
    sPlayCase const playCase = GetParam();
    sStart start;
    start.difficulty = playCase.difficulty;
    start.english = playCase.english;
    startGame(driver, start);
    driver.Play([playCase](Child& child) {
        // The overlay over the first loop: Fenn waving, the skip button in the player's language.
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_EQ((Screens{kGame, "FennInstructionMode"}), child.Screens());
        EXPECT_EQ(kIntroFennState_Waving, child.Look([] {
            AnimatedSpriteNode* const fenn = dynamic_cast<AnimatedSpriteNode*>(Child::FindNode("LevelIntroFenn"));
            return fenn ? fenn->GetImageIndex() : -1;
        }));
        bool const englishImages = child.Look([] {
            ButtonNode* const skip = dynamic_cast<ButtonNode*>(Child::FindNode("FennInstructionMode/SkipButton"));
            return skip && skip->GetImages() == Corvane::AutoResource<Corvane::IImageList>("Button_SkipCutscene_EN").Get();
        });
        bool const spanishImages = child.Look([] {
            ButtonNode* const skip = dynamic_cast<ButtonNode*>(Child::FindNode("FennInstructionMode/SkipButton"));
            return skip && skip->GetImages() == Corvane::AutoResource<Corvane::IImageList>("Button_SkipCutscene_SP").Get();
        });
        EXPECT_EQ(playCase.english, englishImages);
        EXPECT_EQ(!playCase.english, spanishImages);
        saveScreenshot(child, "InstructionOverlay_" + caseName(playCase));
        // The description starts in the overlay's first updates.
        for (int frame = 0; frame < 10 && CountPlays(child, "GameDesc_ToolShed") == 0; ++frame)
            ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(1, CountPlays(child, "GameDesc_ToolShed"));

        // Spoken to the end, the overlay closes itself.
        ASSERT_TRUE(child.WaitForScreen(kGame));
        EXPECT_EQ(Screens{kGame}, child.Screens());
        EXPECT_EQ(1, child.Look([] { return GameBaseTestGame::liveInstances(); }));

        int const stickersBefore = child.Look([] { return GetStickerManager()->getStickerCount(); });
        int const loops = 1 + child.Look([playCase] { return repeatedLoops(playCase.difficulty); });
        std::vector<Corvane::Label> const levels =
            child.Look([playCase] { return GetLevelManager()->getLevels(GameBaseTestGame::kLevelType, playCase.difficulty); });
        ASSERT_EQ(3u, levels.size());
        GameBaseTestGame const* previous = nullptr;
        for (int loop = 0; loop < loops; ++loop)
        {
            SCOPED_TRACE("loop " + std::to_string(loop + 1) + " of " + std::to_string(loops));
            ASSERT_TRUE(child.WaitUntil(
                [previous] {
                    GameBaseTestGame const* const game = Top<GameBaseTestGame>();
                    return game && game != previous;
                },
                "the next loop's game"));
            // Only the first loop shows the overlay.
            EXPECT_EQ(Screens{kGame}, child.Screens());
            EXPECT_EQ(loop == 0, child.Look([] { return Top<GameBaseTestGame>()->isPlayingIntro(); }));
            EXPECT_EQ(loops - 1 - loop, child.Look([] { return Top<GameBaseTestGame>()->getLoopsLeft(); }));
            Corvane::Label const level = child.Look([] { return Top<GameBaseTestGame>()->getLevel(); });
            EXPECT_NE(levels.end(), std::find(levels.begin(), levels.end(), level)) << level.GetString();
            int const right = child.Look([] { return Top<GameBaseTestGame>()->getRightTarget(); });
            ASSERT_EQ(GameBaseTestGame::targetOfLevel(level), right);
            previous = child.Look([] { return Top<GameBaseTestGame>(); });

            if (loop == 0)
            {
                // A wrong move: answered, and the next hint is the second one.
                int const answers = CountPlays(child, "General_IncorrectAnswer");
                clickTarget(child, (right + 1) % GameBaseTestGame::kNumTargets);
                EXPECT_EQ(1, child.Look([] { return Top<GameBaseTestGame>()->getWrongMoves(); }));
                EXPECT_EQ(2, child.Look([] { return Top<GameBaseTestGame>()->getHintLevel(); }));
                ASSERT_TRUE(child.Frames(2));
                EXPECT_EQ(answers + 1, CountPlays(child, "General_IncorrectAnswer"));
            }
            clickTarget(child, right);
            EXPECT_TRUE(child.Look([] { return Top<GameBaseTestGame>()->isOutroStarted(); }));
            // The click mask takes every later click: the outro runs once.
            clickTarget(child, right);
            EXPECT_EQ(1, child.Look([] {
                GameBaseTestGame const* const game = Top<GameBaseTestGame>();
                return game ? game->getOutros() : -1;
            }));
        }

        // The new sticker, shown and saved to the profile.
        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode"));
        EXPECT_EQ((Screens{kGame, "StickerUnlockMode"}), child.Screens());
        int const sticker = child.Look([] { return Top<StickerUnlockMode>()->getStickerIndex(); });
        ASSERT_GE(sticker, 0);
        EXPECT_TRUE(child.Look([sticker] { return GetStickerManager()->isUnlocked(sticker); }));
        EXPECT_EQ(stickersBefore + 1, child.Look([] { return GetStickerManager()->getStickerCount(); }));
        EXPECT_TRUE(child.Look([sticker] {
            StaticSpriteNode* const image =
                dynamic_cast<StaticSpriteNode*>(Child::FindNode("StickerReward/LocalRoot/unlockedImage"));
            Corvane::AutoResource<Corvane::ImageList> const stickers("AllStickersList");
            return image && stickers && image->getImage() == stickers->GetImage(sticker);
        }));
        EXPECT_EQ(std::to_string(stickersBefore + 1),
                  GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount"));
        EXPECT_EQ(1, CountPlays(child, "SFX_GameWin"));
        EXPECT_EQ(0, CountPlays(child, "VO_StickerBookDone"));
        EXPECT_EQ(playCase.english, child.IsShown("StickerReward/LocalRoot/StickerRewardMessage_EN"));
        EXPECT_EQ(!playCase.english, child.IsShown("StickerReward/LocalRoot/StickerRewardMessage_SP"));
        ASSERT_TRUE(child.Wait(1.0f));
        saveScreenshot(child, "StickerUnlock_" + caseName(playCase));

        // Then back to free play, alone on the stack.
        ASSERT_TRUE(child.WaitForScreen(kFreePlay));
        EXPECT_EQ(Screens{kFreePlay}, child.Screens());
        EXPECT_EQ(0, child.Look([] { return GameBaseTestGame::liveInstances(); }));
    });
}

INSTANTIATE_TEST_SUITE_P(EveryDifficultyAndBothLanguages, GameBaseWin,
                         ::testing::Values(sPlayCase{kGameModeDifficulty_Easy, true},
                                           sPlayCase{kGameModeDifficulty_Medium, false},
                                           sPlayCase{kGameModeDifficulty_Hard, true}),
                         [](::testing::TestParamInfo<sPlayCase> const& info) { return caseName(info.param); });

} // namespace
