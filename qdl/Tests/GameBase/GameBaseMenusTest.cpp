// The test mini-game reached as a child reaches a game, through the real
// front-end screens: a profile, free play, a difficulty, the game, the sticker
// and back to free play; the story from its intro cutscene to its games, its
// saved position, a quit in the middle and the program started again; and two
// profiles of one account whose stickers and story never mix.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CorvaneExtensions/Source/TextSpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"
#include "qdl/Source/Game/FrontEnd/FrontEndScreens.h"
#include "qdl/Source/Game/FrontEnd/QuitConfirmMode.h"
#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"
#include "qdl/Tests/GameBase/GameBaseTestSupport.h"

using GameDriver::AccountRecord;
using GameDriver::Child;
using namespace GameBaseTest;

namespace
{

class GameBaseMenus : public GameDriver::PlayTest
{
protected:
    void SetUpPlay() override
    {
        GameBaseTestGame::install();
    }
};

// Until the popup on top has slid in and takes clicks.
bool waitForPopup(Child& child, std::string const& screen)
{
    return child.WaitForScreen(screen) && child.WaitUntil(
                                              [] {
                                                  PopupMode const* const popup = Top<PopupMode>();
                                                  return popup && !popup->isIgnoringMouseClicks();
                                              },
                                              "the popup to come to rest");
}

// Title (or nothing) to the main menu with the profile, by New game or Continue.
void chooseProfile(Child& child, std::string const& profile, bool newGame)
{
    ASSERT_TRUE(waitForPopup(child, "MyAccountMode"));
    ASSERT_TRUE(child.Click(profile));
    ASSERT_TRUE(child.Click("OkButton"));
    ASSERT_TRUE(waitForPopup(child, "AccountConfirmMode"));
    ASSERT_TRUE(child.Click(newGame ? "NewGame" : "Continue"));
    ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
    ASSERT_EQ(Screens{"MainMenuMode"}, child.Screens());
}

void chooseDifficultyAndOK(Child& child, std::string const& difficulty)
{
    ASSERT_TRUE(waitForPopup(child, "DifficultySelectMode"));
    ASSERT_TRUE(child.Click(difficulty));
    ASSERT_TRUE(child.Click("OkButton"));
}

// From the game's first loop, over its overlay, every loop won until the sticker screen.
void winEveryLoop(Child& child)
{
    if (child.TopScreen() == "FennInstructionMode")
    {
        ASSERT_TRUE(child.Click("OkButton"));
    }
    GameBaseTestGame const* previous = nullptr;
    while (true)
    {
        ASSERT_TRUE(child.WaitUntil(
            [previous] {
                GameBaseTestGame const* const game = Top<GameBaseTestGame>();
                return Top<StickerUnlockMode>() || (game && game != previous && !game->isOutroStarted());
            },
            "the next loop or the sticker"));
        if (child.TopScreen() == "StickerUnlockMode")
            return;
        previous = child.Look([] { return Top<GameBaseTestGame>(); });
        int const right = child.Look([] { return Top<GameBaseTestGame>()->getRightTarget(); });
        ASSERT_TRUE(child.Click("Target" + std::to_string(right)));
    }
}

std::wstring stickerCountShown(Child& child, std::string const& node)
{
    return child.Look([&node] {
        StyledTextSpriteNode const* const text = dynamic_cast<StyledTextSpriteNode*>(Child::FindNode(node));
        return text ? text->GetText() : std::wstring(L"(no text node)");
    });
}

TEST_F(GameBaseMenus, AProfileFreePlayAndHardLeadToTheGameWhoseStickerTheProfileKeeps)
{
    driver.SetAccountValue("EnglishLanguage", "false");
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.Click("PlayButton"));
        chooseProfile(child, "PondoButton", true);
        ASSERT_TRUE(child.Click("FreePlayButton"));
        ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
        ASSERT_TRUE(child.Click("ToolShed"));
        chooseDifficultyAndOK(child, "HardButton");

        // The game alone under its overlay, at the difficulty chosen, in free play.
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_EQ((Screens{kGame, "FennInstructionMode"}), child.Screens());
        EXPECT_EQ(std::vector<GameModeType>{kGameModeType_ToolShed},
                  child.Look([] { return GameBaseTestGame::requestedTypes(); }));
        EXPECT_EQ(kGameModeDifficulty_Hard, child.Look([] { return GetLevelManager()->getDifficulty(); }));
        EXPECT_TRUE(child.Look([] { return GetLevelManager()->isFreePlay(); }));
        GameBaseTestGame const* const game =
            child.Look([] { return dynamic_cast<GameBaseTestGame*>(Corvane::MainLoop::GetTopMostMode(1)); });
        ASSERT_NE(nullptr, game);
        EXPECT_EQ(child.Look([] { return repeatedLoops(kGameModeDifficulty_Hard); }),
                  child.Look([game] { return game->getLoopsLeft(); }));
        std::vector<Corvane::Label> const hard = child.Look(
            [] { return GetLevelManager()->getLevels(GameBaseTestGame::kLevelType, kGameModeDifficulty_Hard); });
        Corvane::Label const level = child.Look([game] { return game->getLevel(); });
        EXPECT_NE(hard.end(), std::find(hard.begin(), hard.end(), level)) << level.GetString();

        winEveryLoop(child);
        ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
        EXPECT_EQ(Screens{"FreePlaySelectMode"}, child.Screens());

        // Kept under the profile's keys only, and shown on the profile screen.
        std::string const account = child.AccountFile();
        EXPECT_EQ("4", AccountRecord(account, "PondoButton_StickerCount"));
        EXPECT_EQ("", AccountRecord(account, "SloamButton_StickerCount"));
        child.RunOnLoop([] { Corvane::MainLoop::PushMode(newProfileSelectionScreen()); });
        ASSERT_TRUE(waitForPopup(child, "MyAccountMode"));
        EXPECT_EQ(L"4", stickerCountShown(child, "Profiles/PondoStickerCount"));
        EXPECT_EQ(L"3", stickerCountShown(child, "Profiles/SloamStickerCount"));
    });
}

TEST_F(GameBaseMenus, TheStoryFromItsCutsceneThroughTwoGamesThenQuitMidGameAndStartTheProgramAgain)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.Click("PlayButton"));
        chooseProfile(child, "GrubbinButton", true);
        ASSERT_TRUE(child.Click("StoryButton"));
        chooseDifficultyAndOK(child, "EasyButton");

        // The intro cutscene, skipped, then the story's first game.
        ASSERT_TRUE(child.WaitForScreen("CutsceneMode"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_EQ((Screens{kGame, "FennInstructionMode"}), child.Screens());
        EXPECT_FALSE(child.Look([] { return GetLevelManager()->isFreePlay(); }));
        EXPECT_EQ("1", AccountRecord(child.AccountFile(), "GrubbinButton_Progress"));

        // Won, the sticker, then the story's next entry.
        winEveryLoop(child);
        ASSERT_TRUE(child.WaitUntil([] { return GameBaseTestGame::requestedTypes().size() == 2; },
                                    "the second game asked for"));
        EXPECT_EQ((std::vector<GameModeType>{kGameModeType_CountTheMaterials, kGameModeType_HammerTheNail}),
                  child.Look([] { return GameBaseTestGame::requestedTypes(); }));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_EQ("2", AccountRecord(child.AccountFile(), "GrubbinButton_Progress"));
        EXPECT_EQ("4", AccountRecord(child.AccountFile(), "GrubbinButton_StickerCount"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_EQ(Screens{kGame}, child.Screens());

        // Quit in the middle: nothing earned, the main menu alone.
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(waitForPopup(child, "QuitConfirmMode"));
        ASSERT_TRUE(child.Click("YesButton"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        EXPECT_EQ("4", AccountRecord(child.AccountFile(), "GrubbinButton_StickerCount"));
        EXPECT_EQ("2", AccountRecord(child.AccountFile(), "GrubbinButton_Progress"));
    });

    // The program quit and started again over the same account: Continue
    // finds the stickers and the story where they were.
    GameDriver::Driver again;
    again.StartOverAccountsOf(driver);
    again.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.Click("PlayButton"));
        ASSERT_TRUE(waitForPopup(child, "MyAccountMode"));
        EXPECT_EQ(L"4", stickerCountShown(child, "Profiles/GrubbinStickerCount"));
        chooseProfile(child, "GrubbinButton", false);
        GameBaseTestGame::requestedTypes().clear();
        ASSERT_TRUE(child.Click("StoryButton"));
        chooseDifficultyAndOK(child, "EasyButton");
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        // The game left in the middle is played again.
        EXPECT_EQ(std::vector<GameModeType>{kGameModeType_HammerTheNail},
                  child.Look([] { return GameBaseTestGame::requestedTypes(); }));
        EXPECT_EQ("2", AccountRecord(child.AccountFile(), "GrubbinButton_Progress"));
    });
}

TEST_F(GameBaseMenus, TwoProfilesOfOneAccountKeepTheirOwnStickersAndStory)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.Click("PlayButton"));
        chooseProfile(child, "SloamButton", true);
        ASSERT_TRUE(child.Click("StoryButton"));
        chooseDifficultyAndOK(child, "EasyButton");
        ASSERT_TRUE(child.WaitForScreen("CutsceneMode"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        winEveryLoop(child);
        ASSERT_TRUE(child.WaitUntil([] { return GameBaseTestGame::requestedTypes().size() == 2; },
                                    "the second game asked for"));
        std::string account = child.AccountFile();
        EXPECT_EQ("4", AccountRecord(account, "SloamButton_StickerCount"));
        EXPECT_EQ("2", AccountRecord(account, "SloamButton_Progress"));

        // The other profile, new: its own three stickers and the story's start.
        child.RunOnLoop([] { Corvane::MainLoop::UnwindToMode(newProfileSelectionScreen()); });
        chooseProfile(child, "PondoButton", true);
        account = child.AccountFile();
        EXPECT_EQ("3", AccountRecord(account, "PondoButton_StickerCount"));
        EXPECT_EQ("0", AccountRecord(account, "PondoButton_Progress"));
        ASSERT_TRUE(child.Click("FreePlayButton"));
        ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
        ASSERT_TRUE(child.Click("HereToThere"));
        chooseDifficultyAndOK(child, "EasyButton");
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        winEveryLoop(child);
        ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
        account = child.AccountFile();
        EXPECT_EQ("4", AccountRecord(account, "PondoButton_StickerCount"));
        EXPECT_EQ("0", AccountRecord(account, "PondoButton_Progress"));
        // The first profile's keys untouched, its stickers its own.
        EXPECT_EQ("4", AccountRecord(account, "SloamButton_StickerCount"));
        EXPECT_EQ("2", AccountRecord(account, "SloamButton_Progress"));
        EXPECT_NE(AccountRecord(account, "SloamButton_StickerUnlockArray"),
                  AccountRecord(account, "PondoButton_StickerUnlockArray"));
    });
}

} // namespace
