// The main menu, the free-play screens, the difficulty popup and the cutscene
// screen over the real content: the difficulty held for the run, the
// free-play flag, every button that acts once, the screens not built yet,
// and a story step asked for twice in one frame.

#include <string>

#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/CutsceneMode.h"
#include "qdl/Source/Game/FrontEnd/DifficultySelectMode.h"
#include "qdl/Source/Game/FrontEnd/FreePlayGames.h"
#include "qdl/Source/Game/FrontEnd/FreePlaySelectMode.h"
#include "qdl/Source/Game/FrontEnd/MainMenuMode.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"

using namespace FrontEndPlay;
using GameDriver::AccountRecord;

namespace
{

typedef FrontEndPlayTest MenuScreensPlay;

Corvane::ApplicationMode* NewMainMenu()
{
    return new MainMenuMode();
}

int Difficulty(Child& child)
{
    return child.Look([] { return int(GetLevelManager()->getDifficulty()); });
}

TEST(FreePlayGames, EveryButtonNamesOneOfTheTwelveGamesAndTheyAllDiffer)
{
    std::vector<int> seen(kNumGameModeTypes, 0);
    for (sFreePlayGame const& game : kFreePlayGames)
    {
        int const type = getFreePlayGameType(Corvane::Label::GetUniqueString(game.button));
        ASSERT_GE(type, 0) << game.button;
        ++seen[type];
    }
    EXPECT_EQ(std::vector<int>(kNumGameModeTypes, 1), seen);
    EXPECT_EQ(kGameModeType_TrundelsDelivery, getFreePlayGameType(Corvane::Label::GetUniqueString("FarmerBrambold")));
    EXPECT_EQ(kGameModeType_PaintIt, getFreePlayGameType(Corvane::Label::GetUniqueString("PaintTheHouse")));
    // The story's own names are not the buttons'.
    EXPECT_EQ(-1, getFreePlayGameType(Corvane::Label::GetUniqueString("TrundelDelivery")));
    EXPECT_EQ(-1, getFreePlayGameType(Corvane::Label::GetUniqueString("PaintIt")));
    EXPECT_EQ(-1, getFreePlayGameType(Corvane::Label()));
}

TEST_F(MenuScreensPlay, TheDifficultyIsWrittenOnTheClickKeptForTheRunAndNotTakenDuringTheSlideIn)
{
    GameRequests games;
    games.install();
    games.start = true;
    driver.StartWith([]() -> Corvane::ApplicationMode* { return new FreePlaySelectMode(); });
    driver.Play([&games](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
        ASSERT_TRUE(child.Click("PlanAJob"));
        ASSERT_EQ("DifficultySelectMode", child.TopScreen());
        EXPECT_TRUE(IsChecked(child, "MediumButton"));

        // Clicked during the slide-in, a choice shows checked for no time and changes nothing; OK starts nothing.
        ClickInOneFrame(child, "HardButton", 1);
        ClickInOneFrame(child, "OkButton", 1);
        EXPECT_TRUE(IsChecked(child, "MediumButton"));
        EXPECT_FALSE(IsChecked(child, "HardButton"));
        EXPECT_EQ(kGameModeDifficulty_Medium, Difficulty(child));
        ASSERT_TRUE(WaitForPopup(child, "DifficultySelectMode"));
        EXPECT_TRUE(games.asked.empty());

        // Easy, then Hard: each held from its click, and the game starts at the last.
        ASSERT_TRUE(child.Click("EasyButton"));
        EXPECT_EQ(kGameModeDifficulty_Easy, Difficulty(child));
        ASSERT_TRUE(child.Click("HardButton"));
        EXPECT_EQ(kGameModeDifficulty_Hard, Difficulty(child));
        // Two OKs make one game.
        ClickInOneFrame(child, "OkButton", 2);
        // A choice after OK, in the same frame, no longer changes the game's difficulty.
        ClickInOneFrame(child, "EasyButton", 1);
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(Screens{"FrontEndPlay::GameStandIn"}, child.Screens());
        EXPECT_EQ(std::vector<int>{kGameModeType_PlanAJob}, games.asked);
        EXPECT_EQ(kGameModeDifficulty_Hard, child.Look([] { return Top<GameStandIn>()->difficulty; }));
        EXPECT_TRUE(child.Look([] { return Top<GameStandIn>()->level.IsNull(); }));

        // The next popup of the run opens on Hard.
        child.RunOnLoop([] { Corvane::MainLoop::UnwindToMode(new FreePlaySelectMode()); });
        ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
        ASSERT_TRUE(child.Click("HideAndSeek"));
        ASSERT_TRUE(WaitForPopup(child, "DifficultySelectMode"));
        EXPECT_TRUE(IsChecked(child, "HardButton"));
        EXPECT_FALSE(IsChecked(child, "MediumButton"));

        // A difficulty outside the three checks none; a game label of no game starts nothing.
        child.RunOnLoop([] {
            Corvane::MainLoop::PushMode(new DifficultySelectMode(Corvane::Label::GetUniqueString("Pelota")));
        });
        ASSERT_TRUE(child.Frames(1));
        ASSERT_TRUE(WaitForPopup(child, "DifficultySelectMode"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ("DifficultySelectMode", child.TopScreen());
        EXPECT_EQ(3u, child.Screens().size());
    });
    EXPECT_NE(std::string::npos, driver.Log().find("DifficultySelectMode: no game is named \"Pelota\""));
}

TEST_F(MenuScreensPlay, FreePlayRaisesTheFlagTheStoryClearsItAndTheScreensLeadBackToANewMainMenu)
{
    driver.SetAccountValue("AccountID", "PondoButton");
    driver.StartWith(NewMainMenu);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        child.RunOnLoop([] { GetLevelManager()->setFreePlay(false); });
        ASSERT_TRUE(child.Click("FreePlayButton"));
        EXPECT_TRUE(child.Look([] { return GetLevelManager()->isFreePlay(); }));

        // Help twice starts the instructions again; a game's button cuts them off.
        ASSERT_TRUE(child.Click("HelpButton"));
        ASSERT_TRUE(child.Wait(0.5f));
        ASSERT_TRUE(child.Click("HelpButton"));
        ASSERT_TRUE(child.Click("HereToThere"));
        ASSERT_TRUE(child.Frames(1));
        EXPECT_FALSE(Contains(child.PlayingSounds(), "Instructions_Freeplay"));
        EXPECT_EQ("HereToThere", child.Look([] {
            return std::string(Top<DifficultySelectMode>()->getGame().GetString());
        }));
        child.RunOnLoop([] { Corvane::MainLoop::PopMode(); });
        ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));

        // Quit leaves free play for a new main menu alone; the flag stays until the story clears it.
        ASSERT_TRUE(child.Click("QuitButton"));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        EXPECT_TRUE(child.Look([] { return GetLevelManager()->isFreePlay(); }));
        ASSERT_TRUE(child.Click("StoryButton"));
        EXPECT_FALSE(child.Look([] { return GetLevelManager()->isFreePlay(); }));
        EXPECT_EQ("ParkStory", child.Look([] {
            return std::string(GetLevelManager()->getLevelProgressionName().GetString());
        }));
        child.RunOnLoop([] { Corvane::MainLoop::PopMode(); });
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));

        // The game selection: Back to a new main menu, a game to the difficulty popup.
        child.RunOnLoop([] { Corvane::MainLoop::UnwindToMode(new GameSelectMode()); });
        ASSERT_TRUE(child.WaitForScreen("GameSelectMode"));
        EXPECT_TRUE(child.Look([] { return GetLevelManager()->isFreePlay(); }));
        Screenshot(child, "game_select");
        ASSERT_TRUE(child.Click("ScarrowPuzzle"));
        EXPECT_EQ((Screens{"GameSelectMode", "DifficultySelectMode"}), child.Screens());
        child.RunOnLoop([] { Corvane::MainLoop::PopMode(); });
        ASSERT_TRUE(child.WaitForScreen("GameSelectMode"));
        ASSERT_TRUE(child.Click("Back"));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
    });
    std::vector<GameDriver::sSoundPlay> const plays = driver.Sounds();
    EXPECT_EQ(2, std::count_if(plays.begin(), plays.end(), [](GameDriver::sSoundPlay const& play) {
                  return play.sound == "Instructions_Freeplay";
              }));
}

TEST_F(MenuScreensPlay, TheMainMenuLoadsStickersAtEverySetupAndItsUnbuiltScreensLeaveItWorking)
{
    driver.SetAccountValue("AccountID", "SloamButton");
    driver.StartWith(NewMainMenu);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        EXPECT_EQ(3, child.Look([] { return GetStickerManager()->getStickerCount(); }));
        EXPECT_EQ("3", AccountRecord(child.AccountFile(), "SloamButton_StickerCount"));

        ASSERT_TRUE(child.Click("StickerBookButton"));
        EXPECT_EQ((Screens{"MainMenuMode", "StickerBookMode"}), child.Screens());
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        // Keys go to the database's input handlers; none of the menu's takes Escape.
        EXPECT_EQ(0, child.Look([] { return int(Top<MainMenuMode>()->OnKeyDown(27)); }));

        // Another profile, another main menu: its stickers are loaded as it is built.
        child.RunOnLoop([] {
            Corvane::GetAccountManager()->GetCurrentAccount()->WriteValue(L"AccountID", L"GrubbinButton");
            Corvane::MainLoop::UnwindToMode(new MainMenuMode());
        });
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ("3", AccountRecord(child.AccountFile(), "GrubbinButton_StickerCount"));

        ASSERT_TRUE(child.Click("QuitButton"));
        EXPECT_EQ((Screens{"MainMenuMode", "QuitConfirmMode"}), child.Screens());
    });
    std::string const log = driver.Log();
}

TEST_F(MenuScreensPlay, AFreePlayScreenWithoutItsLayoutGoesBackToTheMainMenu)
{
    driver.StartWith(NewMainMenu);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        child.RunOnLoop([] { Corvane::GetResourceManager()->Unload(L"FreePlaySelect"); });
        ASSERT_TRUE(child.Click("FreePlayButton"));
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        ASSERT_TRUE(child.Click("FreePlayButton"));
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens()) << "the new main menu works";
    });
    EXPECT_NE(std::string::npos, driver.Log().find("FreePlaySelectMode: goes back to the main menu")) << driver.Log();
}

// The story's position on its second entry, after the intro cutscene.
void StoryAfterTheIntro()
{
    Corvane::GetAccountManager()->GetCurrentAccount()->WriteValue(L"AccountID", L"PondoButton");
    Corvane::GetAccountManager()->GetCurrentAccount()->WriteValue(L"PondoButton_Progress", 1);
    GetLevelManager()->setLevelProgression(Corvane::Label::GetUniqueString("ParkStory"));
}

TEST_F(MenuScreensPlay, ACutsceneAskedToMoveOnTwiceInOneFrameStartsOneStep)
{
    GameRequests games;
    games.install();
    games.start = true;
    driver.StartWith([]() -> Corvane::ApplicationMode* {
        StoryAfterTheIntro();
        return new CutsceneMode(Corvane::Label::GetUniqueString("Cutscene_Intro"));
    });
    driver.Play([&games](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("CutsceneMode"));
        // The skip, the narration's end and a second story request, all in one frame.
        child.RunOnLoop([] {
            dynamic_cast<ButtonNode*>(Child::FindNode("OkButton"))->Click();
            Top<CutsceneMode>()->closeMode();
            EXPECT_FALSE(GetLevelManager()->beginNextLevelProgressionMode());
        });
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(Screens{"FrontEndPlay::GameStandIn"}, child.Screens());
        EXPECT_EQ(std::vector<int>{kGameModeType_CountTheMaterials}, games.asked);
        // Once the change is applied, the story moves again.
        EXPECT_TRUE(child.Look([] { return GetLevelManager()->beginNextLevelProgressionMode(); }));
        EXPECT_EQ((std::vector<int>{kGameModeType_CountTheMaterials, kGameModeType_HammerTheNail}), games.asked);
    });
    EXPECT_EQ("2", AccountRecord(driver.AccountFile(), "PondoButton_Progress"));
    EXPECT_NE(std::string::npos, driver.Log().find("A story step is already under way")) << driver.Log();
}

TEST_F(MenuScreensPlay, ACutsceneMovesOnInTheUpdateAfterItsNarrationAndAMissingPictureOrNarrationIsNoDeadEnd)
{
    GameRequests games;
    games.install();
    games.start = true;
    driver.StartWith([]() -> Corvane::ApplicationMode* {
        StoryAfterTheIntro();
        return new CutsceneMode(Corvane::Label::GetUniqueString("Cutscene_Middle"));
    });
    driver.Play([&games](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("CutsceneMode"));
        ASSERT_TRUE(child.Frames(2));
        ASSERT_TRUE(Contains(child.PlayingSounds(), "Cutscene_Middle_VO"));
        // While the narration plays nothing moves; in the update after it ends, the story does.
        int frames = 0;
        while (Contains(child.PlayingSounds(), "Cutscene_Middle_VO") && frames < 1500)
        {
            EXPECT_TRUE(games.asked.empty()) << "frame " << frames;
            ASSERT_TRUE(child.Frames(1));
            ++frames;
        }
        EXPECT_GT(frames, 25) << "the narration is a sentence long";
        ASSERT_TRUE(child.Within([&games] { return !games.asked.empty(); }, 0.02f));
        EXPECT_EQ(std::vector<int>{kGameModeType_CountTheMaterials}, games.asked);
        ASSERT_TRUE(child.Within(Child::OnTop("FrontEndPlay::GameStandIn"), 0.02f));

        // A cutscene without its picture or narration shows nothing there and goes on at once.
        games.asked.clear();
        child.RunOnLoop([] {
            Corvane::MainLoop::UnwindToMode(new CutsceneMode(Corvane::Label::GetUniqueString("Escena_Perdida")));
        });
        ASSERT_TRUE(child.Within(Child::OnTop("CutsceneMode"), 0.06f));
        EXPECT_FLOAT_EQ(0.0f, child.Look([] { return Child::FindNode("CutsceneRoot/CutsceneImage")->GetWidth(); }));
        ASSERT_TRUE(child.Within([&games] { return !games.asked.empty(); }, 0.1f));
    });
    EXPECT_NE(std::string::npos,
              driver.Log().find("CutsceneMode: the cutscene picture \"Escena_Perdida\" is not loaded"))
        << driver.Log();
}

} // namespace
