// The end of a level with the test mini-game, through the driver: the sticker
// screen's timing and its Resume, the book completed (-1) and complete before
// (-2), the story's next step, and leaving the game by Quit with nothing earned.

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/Rect.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/MainMenuMode.h"
#include "qdl/Source/Game/FrontEnd/QuitConfirmMode.h"
#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Tests/GameBase/GameBaseTestSupport.h"

using GameDriver::Child;
using namespace GameBaseTest;

namespace
{

class GameBaseReward : public GameDriver::PlayTest
{
protected:
    // One loop, no overlay, in free play or in the story.
    void startOneLoop(bool freePlay)
    {
        sStart start;
        start.playIntro = false;
        start.loops = 1;
        start.freePlay = freePlay;
        startGame(driver, start);
    }
};

void winTheLoop(Child& child)
{
    int const right = child.Look([] { return Top<GameBaseTestGame>()->getRightTarget(); });
    ASSERT_TRUE(child.Click("Target" + std::to_string(right)));
}

// Every sticker of the book unlocked, as if earned before.
void unlockEverySticker(Child& child)
{
    child.RunOnLoop([] {
        while (!GetStickerManager()->areAllUnlocked() &&
               GetStickerManager()->getStickerCount() < static_cast<int>(GetStickerManager()->getUnlockedFlags().size()))
            GetStickerManager()->unlockRandomSticker();
    });
}

// The story "ParkStory" from the entry after the one saved as started.
void useTheStory(GameDriver::Driver& driver, int savedProgress)
{
    driver.SetAccountValue("PondoButton_Progress", std::to_string(savedProgress));
}

// The story's entry after the saved one started as the main menu's story
// button starts it: its game, through the game makers, alone on the stack.
void startTheStorysGame(Child& child)
{
    GameBaseTestGame const* const before = child.Look([] { return Top<GameBaseTestGame>(); });
    child.RunOnLoop([] {
        // One loop without the overlay, to come to the level's end at once.
        GameBaseTestGame::install(false, 1);
        GetLevelManager()->setLevelProgression(Corvane::Label::GetUniqueString("ParkStory"));
        GetLevelManager()->beginNextLevelProgressionMode();
    });
    ASSERT_TRUE(child.WaitUntil(
        [before] {
            GameBaseTestGame const* const game = Top<GameBaseTestGame>();
            return game && game != before;
        },
        "the next loop's game"));
    ASSERT_EQ(Screens{kGame}, child.Screens());
    EXPECT_EQ(std::vector<GameModeType>{kGameModeType_CountTheMaterials},
              child.Look([] { return GameBaseTestGame::requestedTypes(); }));
    EXPECT_EQ("1", GameDriver::AccountRecord(child.AccountFile(), "PondoButton_Progress"));
}

TEST_F(GameBaseReward, TheStickerScreenLeavesByItselfAfterDropBounceAndDisplayTime)
{
    startOneLoop(true);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        float const total = child.Look([] {
            return static_cast<float>(Corvane::Constant<float>("StickerScreenDropTime")) +
                   static_cast<float>(Corvane::Constant<float>("StickerScreenBounceTime")) +
                   static_cast<float>(Corvane::Constant<float>("StickerScreenDisplayTime"));
        });
        EXPECT_FLOAT_EQ(3.75f, total);
        winTheLoop(child);
        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode"));
        // The music stops for the reward.
        EXPECT_EQ(kMusicMode_Silence, child.Look([] { return GetAudioManager()->getMusicMode(); }));
        int frames = 0;
        ASSERT_TRUE(child.WaitUntil(
            [&frames] {
                ++frames;
                return Top<StickerUnlockMode>() == nullptr;
            },
            "the sticker screen to close"));
        // 20 ms per frame, to within one step either way.
        EXPECT_NEAR(total / 0.02f, static_cast<float>(frames), 1.5f);
        EXPECT_EQ(Screens{kFreePlay}, child.Screens());
        EXPECT_EQ(kMusicMode_Silence, child.Look([] { return GetAudioManager()->getMusicMode(); }));
    });
}

TEST_F(GameBaseReward, ResumeDuringTheDropLeavesAtOnceAndWithTheTimerInOneFrameStartsOneStoryStep)
{
    useTheStory(driver, 1);
    startOneLoop(false);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        startTheStorysGame(child);
        winTheLoop(child);
        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode"));
        // Still dropping: Resume and the end of the timer both ask to go on.
        EXPECT_LT(child.Look([] { return Child::FindNode("StickerReward/LocalRoot")->LocalGetLocation().y; }), 0.0f);
        child.RunOnLoop([] {
            dynamic_cast<ButtonNode*>(Child::FindNode("ResumeGame"))->Click();
            Top<StickerUnlockMode>()->continueToNextMode();
        });
        ASSERT_TRUE(child.Within(Child::OnTop(kGame), 0.1f));
        EXPECT_EQ(Screens{kGame}, child.Screens());
        // One step: the story's entry 2, saved as started.
        EXPECT_EQ((std::vector<GameModeType>{kGameModeType_CountTheMaterials, kGameModeType_HammerTheNail}),
                  child.Look([] { return GameBaseTestGame::requestedTypes(); }));
        EXPECT_EQ("2", GameDriver::AccountRecord(child.AccountFile(), "PondoButton_Progress"));
    });
}

TEST_F(GameBaseReward, AStoryStepThatStartsNothingLeavesResumeWorking)
{
    useTheStory(driver, 1);
    startOneLoop(false);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        startTheStorysGame(child);
        winTheLoop(child);
        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode"));
        // The next game cannot be made yet.
        child.RunOnLoop([] {
            GetGameScreenHooks().createGameMode = [](GameModeType, Corvane::Label) -> Corvane::ApplicationMode* {
                return nullptr;
            };
        });
        ASSERT_TRUE(child.Click("ResumeGame"));
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ((Screens{kGame, "StickerUnlockMode"}), child.Screens());
        // Once it can, Resume goes on.
        child.RunOnLoop([] { GameBaseTestGame::install(false, 1); });
        ASSERT_TRUE(child.Click("ResumeGame"));
        ASSERT_TRUE(child.Within(Child::OnTop(kGame), 0.1f));
        EXPECT_EQ(Screens{kGame}, child.Screens());
    });
    EXPECT_NE(std::string::npos, driver.Log().find("is not available; nothing is started")) << driver.Log();
}

TEST_F(GameBaseReward, TheLastStickerShowsTheBookDoneThenLaterWinsGoStraightOn)
{
    startOneLoop(true);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        unlockEverySticker(child);
        // Unlocked by earlier calls: this level's call finds none left.
        ASSERT_FALSE(child.Look([] { return GetStickerManager()->areAllUnlocked(); }));
        winTheLoop(child);
        ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode"));
        EXPECT_EQ(StickerManager::kNoStickerLeft, child.Look([] { return Top<StickerUnlockMode>()->getStickerIndex(); }));
        EXPECT_EQ(1, CountPlays(child, "VO_StickerBookDone"));
        EXPECT_EQ(1, CountPlays(child, "SFX_GameWin"));
        // The layout's badge stays in place of a sticker.
        EXPECT_TRUE(child.Look([] {
            StaticSpriteNode* const image =
                dynamic_cast<StaticSpriteNode*>(Child::FindNode("StickerReward/LocalRoot/unlockedImage"));
            return image && image->getImage() == Corvane::AutoResource<Corvane::IImage>("StickerReward_BookComplete").Get();
        }));
        ASSERT_TRUE(child.Wait(1.0f));
        saveScreenshot(child, "StickerUnlock_BookComplete");
        ASSERT_TRUE(child.WaitForScreen(kFreePlay));

        // Every sticker was unlocked before: no sticker screen, straight to free play.
        child.RunOnLoop([] { Corvane::MainLoop::UnwindToMode(new GameBaseTestGame(false, 1)); });
        ASSERT_TRUE(child.WaitForScreen(kGame));
        winTheLoop(child);
        ASSERT_TRUE(child.WaitForScreen(kFreePlay));
        EXPECT_EQ(Screens{kFreePlay}, child.Screens());
        EXPECT_EQ(1, CountPlays(child, "SFX_GameWin"));
    });
}

// The stickers of the book farthest from a square badge: the smallest, the widest and the tallest.
std::vector<int> outlyingStickers()
{
    Corvane::AutoResource<Corvane::ImageList> const list("AllStickersList");
    if (!list)
        return {};
    std::vector<int> outliers(3, 0);
    auto const width = [&list](int i) { return list->GetImage(i)->GetWidth(); };
    auto const height = [&list](int i) { return list->GetImage(i)->GetHeight(); };
    for (int i = 1; i < list->GetNumImages(); ++i)
    {
        if (width(i) * height(i) < width(outliers[0]) * height(outliers[0]))
            outliers[0] = i;
        if (width(i) > width(outliers[1]))
            outliers[1] = i;
        if (height(i) > height(outliers[2]))
            outliers[2] = i;
    }
    return outliers;
}

TEST_F(GameBaseReward, EveryStickerSitsOnTheMiddleOfTheStarburst)
{
    startOneLoop(true);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        std::vector<int> const stickers = child.Look(outlyingStickers);
        ASSERT_EQ(3u, stickers.size());
        for (int const sticker : stickers)
        {
            SCOPED_TRACE("sticker " + std::to_string(sticker));
            child.RunOnLoop([sticker] { Corvane::MainLoop::PushMode(new StickerUnlockMode(sticker)); });
            ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode"));
            // Once the drop has come to rest, as a child sees it.
            Corvane::Vector2<float> const end = child.Look([] {
                return static_cast<Corvane::Vector2<float> >(
                    Corvane::Constant<Corvane::Vector2<float> >("StickerScreenEndLocation"));
            });
            ASSERT_TRUE(child.WaitUntil(
                [end] {
                    SceneNode const* const dropping = Child::FindNode("StickerReward/LocalRoot");
                    return dropping && dropping->LocalGetLocation() == end;
                },
                "the sticker to come to rest"));
            std::vector<float> const centres = child.Look([] {
                Corvane::Rect<float> const image =
                    Child::FindNode("StickerReward/LocalRoot/unlockedImage")->GlobalGetBounds();
                Corvane::Rect<float> const rays =
                    Child::FindNode("StickerReward/LocalRoot/starburst")->GlobalGetBounds();
                return std::vector<float>{image.x + image.width / 2, image.y + image.height / 2,
                                          rays.x + rays.width / 2, rays.y + rays.height / 2};
            });
            EXPECT_FLOAT_EQ(centres[2], centres[0]);
            EXPECT_FLOAT_EQ(centres[3], centres[1]);
            saveScreenshot(child, "StickerUnlock_" + std::to_string(sticker));
            child.RunOnLoop([] { Corvane::MainLoop::PopMode(); });
            ASSERT_TRUE(child.WaitForScreen(kGame));
        }
    });
}

TEST_F(GameBaseReward, WithEveryStickerUnlockedTheStoryGoesStraightToItsNextStep)
{
    useTheStory(driver, 1);
    startOneLoop(false);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        startTheStorysGame(child);
        unlockEverySticker(child);
        child.RunOnLoop([] { GetStickerManager()->unlockRandomSticker(); });
        ASSERT_TRUE(child.Look([] { return GetStickerManager()->areAllUnlocked(); }));
        winTheLoop(child);
        ASSERT_TRUE(child.WaitUntil([] { return GameBaseTestGame::requestedTypes().size() == 2; },
                                    "the second game asked for"));
        EXPECT_EQ((std::vector<GameModeType>{kGameModeType_CountTheMaterials, kGameModeType_HammerTheNail}),
                  child.Look([] { return GameBaseTestGame::requestedTypes(); }));
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ(Screens{kGame}, child.Screens());
        EXPECT_EQ("2", GameDriver::AccountRecord(child.AccountFile(), "PondoButton_Progress"));
    });
}

// The account is saved through a temporary file beside it: a folder in its place stops every
// write, as a folder made read-only does for a player who is not root.
std::vector<std::filesystem::path> blockAccountWrites(std::string const& folder)
{
    std::vector<std::filesystem::path> blocked;
    for (auto const& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".act")
            blocked.push_back(entry.path().string() + ".tmp");
    for (auto const& path : blocked)
        std::filesystem::create_directory(path);
    return blocked;
}

TEST_F(GameBaseReward, AStickerWonWhileTheAccountCannotBeWrittenStaysAndIsSavedOrToldOfAtQuit)
{
    for (bool mended : {true, false})
    {
        SCOPED_TRACE(mended ? "writable again before the quit" : "still unwritable at the quit");
        GameDriver::Driver play;
        sStart start;
        start.playIntro = false;
        start.loops = 1;
        startGame(play, start);
        std::string const folder = play.UserFolder();
        int stickers = 0;
        play.Play([&](Child& child) {
            ASSERT_TRUE(child.WaitForScreen(kGame));
            stickers = child.Look([] { return GetStickerManager()->getStickerCount(); });
            std::string const before = child.AccountFile();
            std::vector<std::filesystem::path> const blocked = blockAccountWrites(folder);
            ASSERT_FALSE(blocked.empty());
            winTheLoop(child);
            ASSERT_TRUE(child.WaitForScreen("StickerUnlockMode"));
            int const sticker = child.Look([] { return Top<StickerUnlockMode>()->getStickerIndex(); });
            ASSERT_GE(sticker, 0);
            ASSERT_TRUE(child.WaitForScreen(kFreePlay));
            EXPECT_EQ(before, child.AccountFile());

            // The main menu loads the stickers again: the one just shown is still there.
            child.RunOnLoop([] { Corvane::MainLoop::UnwindToMode(new MainMenuMode()); });
            ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
            EXPECT_TRUE(child.Look([sticker] { return GetStickerManager()->isUnlocked(sticker); }));
            EXPECT_EQ(stickers + 1, child.Look([] { return GetStickerManager()->getStickerCount(); }));

            if (mended)
                for (auto const& path : blocked)
                    std::filesystem::remove(path);
            ASSERT_TRUE(child.Click("QuitButton"));
            ASSERT_TRUE(GameDriver::WaitForPopupToRest(child, "QuitConfirmMode"));
            // Yes ends the game within the click.
            child.Click("YesButton");
        });
        EXPECT_TRUE(play.EndedByQuit());
        std::string const log = play.Log();
        std::string const count = GameDriver::AccountRecord(play.AccountFile(), "PondoButton_StickerCount");
        if (mended)
        {
            EXPECT_EQ(std::to_string(stickers + 1), count);
            EXPECT_TRUE(play.Notifications().empty());
        }
        else
        {
            EXPECT_EQ(std::to_string(stickers), count);
            EXPECT_EQ(std::vector<std::string>{": Your choice could not be saved. Please try OK again."},
                      play.Notifications());
            for (char const* key : {"PondoButton_StickerUnlockArray", "PondoButton_StickerCount"})
            {
                EXPECT_NE(std::string::npos, log.find(std::string("The game ends with ") + key +
                                                      " unsaved: the account file 'Player.act' could not be written"))
                    << log;
            }
        }
    }
}

TEST_F(GameBaseReward, QuitYesLeavesForTheMainMenuWithNothingEarnedAndSilencesTheGame)
{
    startOneLoop(true);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        int const stickers = child.Look([] { return GetStickerManager()->getStickerCount(); });
        std::string const savedCount = GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount");
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.WaitUntil(
            [] {
                QuitConfirmMode const* const popup = Top<QuitConfirmMode>();
                return popup && !popup->isIgnoringMouseClicks();
            },
            "the popup to come to rest"));
        child.RunOnLoop([] { GetAudioManager()->playSFX(Corvane::Label::GetUniqueString("SFX_GameWin")); });
        ASSERT_TRUE(child.Click("YesButton"));
        ASSERT_TRUE(child.Within(Child::OnTop(kMainMenu), 0.1f));
        EXPECT_EQ(Screens{kMainMenu}, child.Screens());
        EXPECT_EQ(0, child.Look([] { return GameBaseTestGame::liveInstances(); }));
        EXPECT_EQ(stickers, child.Look([] { return GetStickerManager()->getStickerCount(); }));
        EXPECT_EQ(savedCount, GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount"));
        // The game's effects and voice-over went with it.
        std::vector<std::string> const playing = child.PlayingSounds();
        EXPECT_EQ(playing.end(), std::find(playing.begin(), playing.end(), "SFX_GameWin"));
        EXPECT_TRUE(child.Look([] { return GetAudioManager()->getVoiceQueue().empty(); }));
    });
}

TEST_F(GameBaseReward, AGameWithoutALevelStillShowsHelpAndQuitSoTheChildCanLeave)
{
    startOneLoop(true);
    driver.StartWith([]() -> Corvane::ApplicationMode* {
        GameBaseTestGame* const game = new GameBaseTestGame(false, 1);
        game->setLevelType(static_cast<GameModeType>(GameBaseTestGame::kLevelType + 1));
        return game;
    });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        EXPECT_EQ(-1, child.Look([] { return Top<GameBaseTestGame>()->getRightTarget(); }));
        EXPECT_TRUE(child.IsShown("HelpButton"));
        EXPECT_TRUE(child.IsShown("QuitButton"));
        ASSERT_TRUE(child.Click("QuitButton"));
        EXPECT_EQ((Screens{kGame, "QuitConfirmMode"}), child.Screens());
    });
    EXPECT_NE(std::string::npos, driver.Log().find("GameBaseTestGame: the level \"\" names no target")) << driver.Log();
}

} // namespace
