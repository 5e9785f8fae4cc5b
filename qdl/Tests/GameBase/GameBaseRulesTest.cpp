// The rules of the mini-game base, played through the driver with the test
// mini-game: hints by the clock and under overlays, keys through the object
// database, Help and Quit once per change of screens, the instruction
// overlay's OK, endLevel with no sticker left or all already unlocked, and a
// game without a level that still lets the child leave.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/FennInstructionMode.h"
#include "qdl/Source/Game/FrontEnd/QuitConfirmMode.h"
#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Tests/GameBase/GameBaseTestSupport.h"

using GameDriver::Child;
using namespace GameBaseTest;

namespace
{

std::string const kFirstHint = "InGameHint_ToolShed_1";
std::string const kLaterHint = "InGameHint_ToolShed_2";

class GameBaseRules : public GameDriver::PlayTest
{
protected:
    // The game without its overlay, at the first level drawn.
    void startPlainGame(int loops = -1)
    {
        sStart start;
        start.playIntro = false;
        start.loops = loops;
        startGame(driver, start);
    }
};

void clickWrongTarget(Child& child)
{
    int const right = child.Look([] { return Top<GameBaseTestGame>()->getRightTarget(); });
    ASSERT_TRUE(child.Click("Target" + std::to_string((right + 1) % GameBaseTestGame::kNumTargets)));
}

// The button's click as the node sends it, several times within one frame.
void clickInOneFrame(Child& child, std::string const& button, int times)
{
    child.RunOnLoop([&button, times] {
        ButtonNode* const node = dynamic_cast<ButtonNode*>(Child::FindNode(button));
        ASSERT_NE(nullptr, node) << button;
        for (int i = 0; i < times; ++i)
            node->Click();
    });
}

bool waitForPopupToSettle(Child& child)
{
    return child.WaitUntil(
        [] {
            QuitConfirmMode const* const popup = Top<QuitConfirmMode>();
            return popup && !popup->isIgnoringMouseClicks();
        },
        "the popup to come to rest");
}

std::string cursorName()
{
    Corvane::IImage const* const cursor = Corvane::Window::GetCustomCursorImage();
    if (cursor == Corvane::AutoResource<Corvane::IImage>("cursor_hand").Get())
        return "hand";
    if (cursor == Corvane::AutoResource<Corvane::IImage>("cursor_default").Get())
        return "default";
    return "other";
}

// The hint each step of game time asked for: time passes for the game on top
// only, in one go between two frames, and the voice-over queue is read and
// emptied after each step ("" when nothing was asked for).
std::vector<std::string> hintsOverSteps(Child& child, std::vector<float> const& steps)
{
    return child.Look([&steps] {
        std::vector<std::string> heard;
        GameBaseTestGame* const game = Top<GameBaseTestGame>();
        for (float step : steps)
        {
            GetAudioManager()->clearVocalAudioQueues();
            game->Update(step);
            std::deque<Corvane::Label> const& queue = GetAudioManager()->getVoiceQueue();
            heard.push_back(queue.empty() ? std::string() : queue.front().GetString());
        }
        return heard;
    });
}

TEST_F(GameBaseRules, HintsRepeatEveryThirtySecondsThenEveryTwentyFiveAfterAWrongMoveAndEachCallRestartsTheDelay)
{
    startPlainGame();
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        EXPECT_EQ(1, child.Look([] { return Top<GameBaseTestGame>()->getHintLevel(); }));
        child.RunOnLoop([] { Top<GameBaseTestGame>()->resetHintTimer(1); });
        // Once per expiry, at 30 and 60 seconds; a whole minute at once gives both.
        EXPECT_EQ((std::vector<std::string>{"", kFirstHint, "", kFirstHint, kFirstHint}),
                  hintsOverSteps(child, {29.8f, 0.3f, 29.8f, 0.2f, 60.0f}));

        // A wrong move: the second hint, 25 seconds later and every 25 seconds.
        clickWrongTarget(child);
        EXPECT_EQ(2, child.Look([] { return Top<GameBaseTestGame>()->getHintLevel(); }));
        EXPECT_EQ((std::vector<std::string>{"", kLaterHint, "", kLaterHint}),
                  hintsOverSteps(child, {24.6f, 0.5f, 24.6f, 0.5f}));

        // Any call restarts the whole delay.
        child.RunOnLoop([] { Top<GameBaseTestGame>()->Update(20.0f); Top<GameBaseTestGame>()->resetHintTimer(1); });
        EXPECT_EQ((std::vector<std::string>{"", kFirstHint}), hintsOverSteps(child, {29.9f, 0.2f}));
        child.RunOnLoop([] { Top<GameBaseTestGame>()->Update(10.0f); Top<GameBaseTestGame>()->resetHintTimer(2); });
        EXPECT_EQ((std::vector<std::string>{"", kLaterHint}), hintsOverSteps(child, {24.9f, 0.2f}));
    });
}

TEST_F(GameBaseRules, HintsStandStillUnderTheQuitQuestionAndNoRestoresTheTimerAndTheCursor)
{
    startPlainGame();
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        EXPECT_EQ("hand", child.Look(cursorName));
        // Twenty seconds into the wait for the first hint.
        child.RunOnLoop([] { Top<GameBaseTestGame>()->Update(20.0f); });
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_EQ((Screens{kGame, "QuitConfirmMode"}), child.Screens());
        EXPECT_TRUE(child.Look([] { return Top<QuitConfirmMode>()->isInGame(); }));
        EXPECT_EQ("default", child.Look(cursorName));
        // Past the moment of the game's next hint, played by the main loop: the
        // timer does not run under the question.
        ASSERT_TRUE(child.Wait(11.0f));
        EXPECT_EQ(0, CountPlays(child, kFirstHint));
        ASSERT_TRUE(waitForPopupToSettle(child));
        ASSERT_TRUE(child.Click("NoButton"));
        ASSERT_EQ(Screens{kGame}, child.Screens());
        EXPECT_EQ("hand", child.Look(cursorName));
        EXPECT_EQ(1, child.Look([] { return Top<GameBaseTestGame>()->getHintLevel(); }));
        // The full 30 seconds again, counted from the return.
        EXPECT_EQ((std::vector<std::string>{"", kFirstHint}), hintsOverSteps(child, {29.7f, 0.5f}));
        EXPECT_EQ(0, CountPlays(child, kFirstHint));
    });
}

TEST_F(GameBaseRules, AKeyGoesToTheDatabasesFocusedObjectBeforeTheScenesFocusedNodeAndKeyUpsKeepTheSceneRouting)
{
    startPlainGame();
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        struct sCounts
        {
            int sceneDown = 0, sceneUp = 0, databaseDown = 0, databaseUp = 0;
        };
        std::shared_ptr<sCounts> const counts = std::make_shared<sCounts>();
        child.RunOnLoop([counts] {
            GameBaseTestGame* const game = Top<GameBaseTestGame>();
            SceneNode* const sceneFocus = Child::FindNode("GameScreenRoot/Playfield");
            SceneNode* const databaseFocus = Child::FindNode("GameScreenRoot/Background");
            sceneFocus->keyDownSignal.connect([counts](SceneNode*, int) { ++counts->sceneDown; });
            sceneFocus->keyUpSignal.connect([counts](SceneNode*, int) { ++counts->sceneUp; });
            databaseFocus->keyDownSignal.connect([counts](SceneNode*, int) { ++counts->databaseDown; });
            databaseFocus->keyUpSignal.connect([counts](SceneNode*, int) { ++counts->databaseUp; });
            game->SetFocusedNode(sceneFocus);
            game->GetObjectDatabase()->SetFocus(databaseFocus);
        });
        ASSERT_TRUE(child.PressKey("A"));
        EXPECT_EQ(1, counts->databaseDown);
        EXPECT_EQ(0, counts->sceneDown);
        EXPECT_EQ(1, counts->sceneUp);
        EXPECT_EQ(0, counts->databaseUp);
    });
}

TEST_F(GameBaseRules, HelpAndQuitActOncePerQueuedChangeAndTheOverlayPopsOnceWhateverCloses)
{
    startPlainGame();
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        // Two Quit clicks before the push is applied: one question.
        clickInOneFrame(child, "QuitButton", 2);
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ((Screens{kGame, "QuitConfirmMode"}), child.Screens());
        ASSERT_TRUE(waitForPopupToSettle(child));
        ASSERT_TRUE(child.Click("NoButton"));

        // Help, twice in a frame: one overlay, for the game's label and pose.
        clickInOneFrame(child, "HelpButton", 2);
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ((Screens{kGame, "FennInstructionMode"}), child.Screens());
        EXPECT_EQ(GameBaseTestGame::gameLabel(), child.Look([] { return Top<FennInstructionMode>()->getGameName(); }));
        EXPECT_EQ(kIntroFennState_Waving, child.Look([] { return Top<FennInstructionMode>()->getIntroState(); }));
        // OK while the description is spoken, twice in one frame: the overlay
        // goes, the game stays, the voice is cut.
        ASSERT_TRUE(child.WaitUntil(
            [] {
                return Corvane::AutoResource<Corvane::ISound>("GameDesc_ToolShed") &&
                       GetAudioManager()->getIsPlayingOrUpcoming(
                           Corvane::AutoResource<Corvane::ISound>("GameDesc_ToolShed").Get());
            },
            "the game's description to be said"));
        clickInOneFrame(child, "OkButton", 2);
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ(Screens{kGame}, child.Screens());
        EXPECT_FALSE(child.Look([] {
            return GetAudioManager()->getIsPlayingOrUpcoming(
                Corvane::AutoResource<Corvane::ISound>("GameDesc_ToolShed").Get());
        }));

        // OK in the update in which the description ends: one pop.
        ASSERT_TRUE(child.Click("HelpButton"));
        ASSERT_EQ((Screens{kGame, "FennInstructionMode"}), child.Screens());
        child.RunOnLoop([] {
            Top<FennInstructionMode>()->closeMode();
            dynamic_cast<ButtonNode*>(Child::FindNode("OkButton"))->Click();
        });
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ(Screens{kGame}, child.Screens());

        // Help and Quit in one frame: the first acts, the second waits for the game's return.
        child.RunOnLoop([] {
            dynamic_cast<ButtonNode*>(Child::FindNode("HelpButton"))->Click();
            dynamic_cast<ButtonNode*>(Child::FindNode("QuitButton"))->Click();
        });
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ((Screens{kGame, "FennInstructionMode"}), child.Screens());
        // Left alone, the overlay closes itself once the description is spoken.
        ASSERT_TRUE(child.WaitForScreen(kGame));
        EXPECT_EQ(Screens{kGame}, child.Screens());
        ASSERT_TRUE(child.Click("QuitButton"));
        EXPECT_EQ((Screens{kGame, "QuitConfirmMode"}), child.Screens());
    });
}

TEST_F(GameBaseRules, AnOverlayForAGameWithoutADescriptionClosesAtOnceAndWithoutALanguageIsInEnglish)
{
    // No "EnglishLanguage" in the account.
    installStandIns();
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new GameBaseTestGame(false, -1); });
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen(kGame));
        child.RunOnLoop([] {
            Corvane::MainLoop::PushMode(
                new FennInstructionMode(Corvane::Label::GetUniqueString("Juego\xc3\x91Perdido"), kIntroFennState_Standing));
        });
        ASSERT_TRUE(child.Within(Child::OnTop("FennInstructionMode"), 0.1f));
        EXPECT_TRUE(child.Look([] {
            ButtonNode* const skip = dynamic_cast<ButtonNode*>(Child::FindNode("FennInstructionMode/SkipButton"));
            return skip && skip->GetImages() == Corvane::AutoResource<Corvane::IImageList>("Button_SkipCutscene_EN").Get();
        }));
        EXPECT_EQ(kIntroFennState_Standing, child.Look([] {
            AnimatedSpriteNode* const fenn = dynamic_cast<AnimatedSpriteNode*>(Child::FindNode("LevelIntroFenn"));
            return fenn ? fenn->GetImageIndex() : -1;
        }));
        // Nothing to say: it closes in the next few updates and the game goes on.
        ASSERT_TRUE(child.Within(Child::OnTop(kGame), 0.1f));
        EXPECT_EQ(Screens{kGame}, child.Screens());
        EXPECT_EQ("hand", child.Look(cursorName));
    });
}

} // namespace
