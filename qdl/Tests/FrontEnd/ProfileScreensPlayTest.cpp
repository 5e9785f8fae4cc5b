// The profile selection and confirmation over the real content: which keys a
// choice reads and writes and whose they are, damaged account values, and a
// choice that cannot be stored.

#include <filesystem>
#include <string>

#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "qdl/Source/Game/FrontEnd/MainMenuMode.h"
#include "qdl/Source/Game/FrontEnd/MyAccountMode.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"

using namespace FrontEndPlay;
using GameDriver::AccountRecord;

namespace
{

typedef FrontEndPlayTest ProfileScreensPlay;

// Opens the profile selection from the title and waits until it takes clicks.
void OpenProfiles(Child& child)
{
    ASSERT_TRUE(child.WaitForScreen("TitleMode"));
    ASSERT_TRUE(child.Click("PlayButton"));
    ASSERT_TRUE(WaitForPopup(child, "MyAccountMode"));
}

void ChooseProfile(Child& child, std::string const& profile)
{
    ASSERT_TRUE(child.Click(profile));
    ASSERT_TRUE(child.Click("OkButton"));
    ASSERT_TRUE(WaitForPopup(child, "AccountConfirmMode"));
}

TEST_F(ProfileScreensPlay, NewGameWipesOnlyTheChosenProfileAndContinueKeepsItsStory)
{
    // No profile chosen yet. Pondo has played; Sloam's values are damaged; Grubbin's count is out of reach.
    driver.SetAccountValue("PondoButton_StickerCount", "12");
    driver.SetAccountValue("PondoButton_Progress", "4");
    driver.SetAccountValue("SloamButton_StickerCount", "muchas");
    driver.SetAccountValue("SloamButton_Progress", "-3");
    driver.SetAccountValue("GrubbinButton_StickerCount", "-7");
    driver.SetAccountValue("GrubbinButton_Progress", "7");
    driver.Play([](Child& child) {
        OpenProfiles(child);
        EXPECT_EQ(L"12", TextOf(child, "Profiles/PondoStickerCount"));
        // Damaged counts show what a profile that has not played yet shows.
        EXPECT_EQ(L"3", TextOf(child, "Profiles/SloamStickerCount"));
        EXPECT_EQ(L"3", TextOf(child, "Profiles/GrubbinStickerCount"));

        // "AccountID" names the profile before the confirmation is set up.
        ASSERT_TRUE(child.Click("PondoButton"));
        ASSERT_TRUE(child.Click("OkButton"));
        EXPECT_EQ("PondoButton", AccountRecord(child.AccountFile(), "AccountID"));
        ASSERT_TRUE(WaitForPopup(child, "AccountConfirmMode"));
        std::string const before = child.AccountFile();

        // New game: Pondo's stickers are gone and his story starts again, before the menu rebuilds them.
        ClickInOneFrame(child, "NewGame", 2);
        std::string const wiped = child.AccountFile();
        EXPECT_EQ("", AccountRecord(wiped, "PondoButton_StickerCount"));
        EXPECT_EQ("", AccountRecord(wiped, "PondoButton_StickerUnlockArray"));
        EXPECT_EQ("0", AccountRecord(wiped, "PondoButton_Progress"));
        for (char const* key : {"SloamButton_StickerCount", "SloamButton_Progress", "GrubbinButton_StickerCount",
                                "GrubbinButton_Progress", "EnglishLanguage"})
            EXPECT_EQ(AccountRecord(before, key), AccountRecord(wiped, key)) << key;
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        EXPECT_EQ("3", AccountRecord(child.AccountFile(), "PondoButton_StickerCount"));

        // Chosen again from the menu, as the options screen does: Continue keeps Grubbin's story.
        child.RunOnLoop([] { Corvane::MainLoop::PushMode(new MyAccountMode()); });
        ASSERT_TRUE(WaitForPopup(child, "MyAccountMode"));
        EXPECT_EQ(L"3", TextOf(child, "Profiles/PondoStickerCount"));
        ChooseProfile(child, "GrubbinButton");
        std::string const chosen = child.AccountFile();
        ClickInOneFrame(child, "Continue", 1);
        EXPECT_EQ(chosen, child.AccountFile()) << "Continue writes nothing";
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        EXPECT_EQ("7", AccountRecord(child.AccountFile(), "GrubbinButton_Progress"));
        EXPECT_EQ("0", AccountRecord(child.AccountFile(), "PondoButton_Progress"));
    });
    std::string const account = driver.AccountFile();
    EXPECT_EQ("GrubbinButton", AccountRecord(account, "AccountID"));
    EXPECT_EQ("-3", AccountRecord(account, "SloamButton_Progress"));
    EXPECT_EQ("muchas", AccountRecord(account, "SloamButton_StickerCount"));
    EXPECT_TRUE(driver.Notifications().empty());
}

TEST_F(ProfileScreensPlay, AChoiceThatCannotBeStoredLeavesThePreviousProfileAloneAndSaysSo)
{
    driver.SetAccountValue("AccountID", "SloamButton");
    driver.SetAccountValue("SloamButton_Progress", "4");
    std::string const folder = driver.UserFolder();
    std::string sloamStickers;
    driver.Play([&folder, &sloamStickers](Child& child) {
        // The profile screen has loaded Sloam's stickers, the profile last chosen.
        OpenProfiles(child);
        sloamStickers = AccountRecord(child.AccountFile(), "SloamButton_StickerUnlockArray");
        ASSERT_NE("", sloamStickers);
        // The account is saved through a temporary file beside it: a folder in its place stops every write.
        std::vector<std::filesystem::path> blocked;
        for (auto const& entry : std::filesystem::recursive_directory_iterator(folder))
            if (entry.path().extension() == ".act")
                blocked.push_back(entry.path().string() + ".tmp");
        ASSERT_FALSE(blocked.empty());
        for (auto const& path : blocked)
            std::filesystem::create_directory(path);

        ASSERT_TRUE(child.Click("PondoButton"));
        ClickInOneFrame(child, "OkButton", 1);
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ((Screens{"TitleMode", "MyAccountMode"}), child.Screens());
        EXPECT_EQ(L"Your choice could not be saved. Please try OK again.",
                  TextOf(child, "Profiles/ChooseProfile_text"));
        Screenshot(child, "Profiles_NotStored");
        // The message ends above the pictures, and the heading it stands in for gives way.
        float const messageBottom = child.Look([] {
            SceneNode const* const text = Child::FindNode("Profiles/ChooseProfile_text");
            return text->LocalGetLocation().y + text->GetHeight();
        });
        float const picturesTop =
            child.Look([] { return Child::FindNode("Profiles/PondoButton")->LocalGetLocation().y; });
        EXPECT_LE(messageBottom, picturesTop);
        EXPECT_FALSE(child.IsShown("Profiles/Profiles_Title"));
        EXPECT_EQ("SloamButton", AccountRecord(child.AccountFile(), "AccountID"));

        // Once the account can be written again, OK goes on with the profile chosen.
        for (auto const& path : blocked)
            std::filesystem::remove(path);
        ASSERT_TRUE(child.Click("OkButton"));
        EXPECT_EQ("PondoButton", AccountRecord(child.AccountFile(), "AccountID"));
        ASSERT_TRUE(WaitForPopup(child, "AccountConfirmMode"));
        ASSERT_TRUE(child.Click("NewGame"));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
    });
    std::string const account = driver.AccountFile();
    EXPECT_EQ("4", AccountRecord(account, "SloamButton_Progress"));
    EXPECT_EQ("3", AccountRecord(account, "SloamButton_StickerCount"));
    EXPECT_EQ(sloamStickers, AccountRecord(account, "SloamButton_StickerUnlockArray"));
    EXPECT_EQ("0", AccountRecord(account, "PondoButton_Progress"));
    EXPECT_NE(std::string::npos, driver.Log().find("MyAccountMode: the profile PondoButton could not be stored"))
        << driver.Log();
}

TEST_F(ProfileScreensPlay, AnOddStoredProfileNameIsReplacedByTheChoiceAndNothingElseIsTouched)
{
    // A damaged "AccountID" that looks like another profile's key.
    driver.SetAccountValue("AccountID", "GrubbinButton_Progress\xc3\xb1/..");
    driver.SetAccountValue("GrubbinButton_Progress", "2");
    driver.SetAccountValue("GrubbinButton_StickerCount", "5");
    driver.Play([](Child& child) {
        OpenProfiles(child);
        EXPECT_EQ(L"5", TextOf(child, "Profiles/GrubbinStickerCount"));
        ChooseProfile(child, "SloamButton");
        ASSERT_TRUE(child.Click("NewGame"));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
    });
    std::string const account = driver.AccountFile();
    EXPECT_EQ("SloamButton", AccountRecord(account, "AccountID"));
    EXPECT_EQ("2", AccountRecord(account, "GrubbinButton_Progress"));
    EXPECT_EQ("5", AccountRecord(account, "GrubbinButton_StickerCount"));
    EXPECT_EQ("0", AccountRecord(account, "SloamButton_Progress"));
}

} // namespace
