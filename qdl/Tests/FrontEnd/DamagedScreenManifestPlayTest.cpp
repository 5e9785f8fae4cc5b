// The buttons that open a screen built from a manifest of its own (the profile
// selection, the sticker book, the story) over a content copy in which that
// manifest is damaged: the child is told in the load failure box, naming the
// file, and stays where the button is; no sticker or story step is lost.

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "qdl/Source/Game/FrontEnd/MainMenuMode.h"
#include "qdl/Source/Game/FrontEnd/TitleMode.h"
#include "qdl/Source/Game/StickerManager.h"
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
        std::vector<std::string> const notes = driver.Notifications();
        std::string const title = std::string("There was an error loading ") + row.manifest +
                                  ".xml. Fix the problem and press F5 to reload: ";
        EXPECT_EQ(1u, notes.size());
        if (!notes.empty())
        {
            EXPECT_EQ(title, notes[0].substr(0, title.size())) << notes[0];
        }
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
