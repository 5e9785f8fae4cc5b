// The buttons that open a screen built from a manifest of its own (the profile
// selection, the sticker book, the story) over a content copy in which that
// manifest is damaged: the child is told in the load failure box, naming the
// file, and stays where the button is; no sticker or story step is lost. The
// same for a game whose manifest is damaged, chosen in free play or reached
// in the story: the child is told and can go on.

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "qdl/Source/Game/FrontEnd/MainMenuMode.h"
#include "qdl/Source/Game/FrontEnd/TitleMode.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/Driver/FreePlayRoute.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"

using namespace FrontEndPlay;
using GameDriver::AccountRecord;

namespace
{

typedef FrontEndPlayTest DamagedScreenManifestPlay;

struct sScreenButton
{
    char const* manifest;
    // The screen the button is on: the title, or else the main menu.
    bool onTitle;
    char const* button;
    char const* wanted;
};

sScreenButton const kScreenButtons[] = {
    {"ProfileSelect", true, "PlayButton", "MyAccountMode"},
    {"StickerBook", false, "StickerBookButton", "StickerBookMode"},
    {"LevelProgressionPark", false, "StoryButton", "DifficultySelectMode"},
};

char const* const kKeptRecords[] = {"AccountID", "SloamButton_StickerCount", "SloamButton_StickerUnlockArray",
                                    "SloamButton_Progress"};

// Every box of the play is the load failure box naming the manifest.
void ExpectLoadFailureBoxes(GameDriver::Driver const& driver, std::string const& manifest, std::size_t count)
{
    std::vector<std::string> const notes = driver.Notifications();
    std::string const title =
        "There was an error loading " + manifest + ".xml. Fix the problem and press F5 to reload: ";
    EXPECT_EQ(count, notes.size());
    for (std::string const& note : notes)
        EXPECT_EQ(title, note.substr(0, title.size())) << note;
}

// Sloam's account after a play over the intact content: his story at step 4
// and two stickers earned since his profile began with its three.
void EarnStickers(GameDriver::Driver& driver)
{
    driver.SetAccountValue("AccountID", "SloamButton");
    driver.SetAccountValue("SloamButton_Progress", "4");
    driver.StartWith([]() -> Corvane::ApplicationMode* {
        StickerManager* const stickers = GetStickerManager();
        stickers->loadUnlockedStickerData();
        stickers->unlockRandomSticker();
        stickers->unlockRandomSticker();
        return new MainMenuMode();
    });
    driver.Play([](Child& child) { ASSERT_TRUE(child.WaitForScreen("MainMenuMode")); });
    ASSERT_EQ("5", AccountRecord(driver.AccountFile(), "SloamButton_StickerCount"));
}

// Plays the button of each row, the program started again over that account
// and a content copy damaged by `damage`.
void PlayEachButtonOver(std::function<void(std::string const& path)> const& damage)
{
    GameDriver::Driver earned;
    EarnStickers(earned);
    std::string const account = earned.AccountFile();
    for (sScreenButton const& row : kScreenButtons)
    {
        SCOPED_TRACE(row.manifest);
        GameDriver::Driver driver;
        driver.StartOverAccountsOf(earned);
        std::string const path = std::string("/") + row.manifest + ".xml";
        driver.UseContentCopy([&damage, path](std::string const& folder) { damage(folder + path); });
        // Set each time: the earlier play's screen maker stays while that play's driver lives.
        if (row.onTitle)
            driver.StartWith([] { return new TitleMode(); });
        else
            driver.StartWith([] { return new MainMenuMode(); });
        std::string const home = row.onTitle ? "TitleMode" : "MainMenuMode";
        driver.Play([&row, &home](Child& child) {
            ASSERT_TRUE(child.WaitForScreen(home));
            ASSERT_TRUE(child.Frames(2));
            ASSERT_TRUE(child.Click(row.button));
            ASSERT_TRUE(child.Wait(1.0f));
            EXPECT_EQ(Screens{home}, child.Screens()) << "the child stays where the button is";
            // The child can still go on from there.
            EXPECT_TRUE(child.IsShown(row.button));
        });
        for (char const* key : kKeptRecords)
            EXPECT_EQ(AccountRecord(account, key), AccountRecord(driver.AccountFile(), key)) << key;
        ExpectLoadFailureBoxes(driver, row.manifest, 1);
    }
}

// A game's content damaged as each row says; the game's manifest is kDamagedGame.
struct sGameDamage
{
    char const* what;
    std::function<void(std::string const& path)> damage;
};

char const* const kDamagedGame = "TollerStackerMode";

sGameDamage const kGameDamages[] = {
    {"cut inside an attribute",
     [](std::string const& path) {
         ASSERT_TRUE(GameDriver::EditTextFile(path, [](std::string& text) {
             std::string::size_type const attribute = text.find("name=\"", text.size() / 2);
             ASSERT_NE(std::string::npos, attribute);
             text.resize(attribute + 8);
         }));
     }},
    {"missing", [](std::string const& path) { ASSERT_TRUE(std::filesystem::remove(path)); }},
    {"without the game's layout",
     [](std::string const& path) {
         ASSERT_TRUE(GameDriver::ReplaceInTextFile(path, "name=\"TollerStackerModeLayout\"",
                                                   "name=\"TollerStackerModeLayout_Old\""));
     }},
};

// Plays the script from the main menu, over Sloam's account at that story
// position and each damaged copy of the game's content in turn; each play
// shows that many load failure boxes.
void PlayOverEachGameDamage(std::string const& progress, std::size_t boxes,
                            std::function<void(Child& child)> const& script)
{
    for (sGameDamage const& row : kGameDamages)
    {
        SCOPED_TRACE(row.what);
        GameDriver::Driver driver;
        driver.SetAccountValue("AccountID", "SloamButton");
        driver.SetAccountValue("SloamButton_Progress", progress);
        std::string const path = std::string("/") + kDamagedGame + ".xml";
        driver.UseContentCopy([&row, path](std::string const& folder) { row.damage(folder + path); });
        driver.StartWith([] { return new MainMenuMode(); });
        driver.Play([&script](Child& child) {
            ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
            ASSERT_TRUE(child.Wait(0.2f));
            script(child);
        });
        ExpectLoadFailureBoxes(driver, kDamagedGame, boxes);
    }
}

} // namespace

TEST_F(DamagedScreenManifestPlay, ATruncatedManifestIsNamedInTheLoadFailureBox)
{
    PlayEachButtonOver([](std::string const& path) {
        std::uintmax_t const size = std::filesystem::file_size(path);
        ASSERT_GT(size, 200u);
        // Cut in the middle, as a copy that stopped half way leaves it.
        std::filesystem::resize_file(path, size / 2);
    });
}

TEST_F(DamagedScreenManifestPlay, AMissingManifestIsNamedInTheLoadFailureBox)
{
    PlayEachButtonOver([](std::string const& path) { ASSERT_TRUE(std::filesystem::remove(path)); });
}

TEST_F(DamagedScreenManifestPlay, AGameThatDidNotLoadIsToldOfInFreePlayAndAnotherGameCanBeChosen)
{
    PlayOverEachGameDamage("0", 1, [](Child& child) {
        ASSERT_TRUE(child.Click("FreePlayButton"));
        ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
        ASSERT_TRUE(child.Click("TollerStacker"));
        ASSERT_TRUE(child.Wait(1.0f));
        EXPECT_EQ((Screens{"MainMenuMode", "FreePlaySelectMode"}), child.Screens()) << "no popup for the game";
        ASSERT_TRUE(child.Click("ToolShed"));
        ASSERT_TRUE(WaitForPopup(child, "DifficultySelectMode"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen("FennInstructionMode"));
        EXPECT_EQ((Screens{"ToolShedMode", "FennInstructionMode"}), child.Screens());
    });
}

TEST_F(DamagedScreenManifestPlay, TheStoryWaitsAtAGameThatDidNotLoadAndTheMainMenuStillLeadsOn)
{
    // Step 5 is the middle cutscene, step 6 TollerStacker.
    PlayOverEachGameDamage("5", 2, [](Child& child) {
        ASSERT_TRUE(GameDriver::StartTheStory(child, "EasyButton"));
        ASSERT_TRUE(child.WaitForScreen("CutsceneMode"));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        EXPECT_EQ("6", AccountRecord(child.AccountFile(), "SloamButton_Progress"));

        // Entered again, the story comes back to the game, not past it.
        ASSERT_TRUE(GameDriver::StartTheStory(child, "EasyButton"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        EXPECT_EQ("6", AccountRecord(child.AccountFile(), "SloamButton_Progress"));
        ASSERT_TRUE(child.Click("FreePlayButton"));
        EXPECT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
    });
}
