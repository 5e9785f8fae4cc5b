// Damaged account values, tried as a new player would: the game still reaches
// the screen the child asked for, and no earned sticker or progress is lost.

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "Core/Source/Base64.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/Window.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/LevelProgressionData.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"

using namespace FrontEndPlay;
using GameDriver::AccountRecord;

namespace
{

// Twelve stickers earned, as the game saves them.
std::string twelveStickers()
{
    unsigned char bytes[150] = {};
    for (int i = 0; i < 12; ++i)
        bytes[i * 2] = 1;
    Corvane::MemoryStream stream(L"Stickers");
    stream.Write(bytes, sizeof(bytes));
    stream.Seek(Corvane::kSeekBegin, 0);
    return Corvane::ConvertStringWideToUTF8String(Corvane::Base64::Encode(&stream));
}

struct sDamagedAccount
{
    char const* name;
    std::vector<std::pair<std::string, std::string>> values;
    // Continue with Pondo's story to the main menu, rather than stay on the title.
    bool toMainMenu;
    // Then this button of the main menu, which opens the screen after it.
    char const* click;
    char const* screen;
    // Checked on the loop's thread once the screen is reached.
    std::function<bool()> sound;
    // The account file after the play.
    std::vector<std::pair<std::string, std::string>> kept;
    // What the log must hold: the damage named with the account and the key.
    char const* logged = nullptr;
    // The screen that OK on the clicked screen's popup opens next.
    char const* afterOk = nullptr;
};

// The twelve stickers of twelveStickers(), and no other, are the profile's.
bool holdsTheTwelveStickers()
{
    StickerManager const* const stickers = GetStickerManager();
    for (int i = 0; i < StickerManager::kMaxStickers; ++i)
        if (stickers->isUnlocked(i) != (i < 24 && i % 2 == 0))
            return false;
    return stickers->getStickerCount() == 12;
}

// The story that the play's account positions are counted in.
bool storyOfFifteenSteps()
{
    LevelProgressionData const* const story = GetLevelManager()->getLevelProgression();
    return story && story->entries.size() == 15;
}

float ownVolume(boost::intrusive_ptr<Corvane::IAudioControls> const& controls)
{
    return controls ? controls->GetVolume() : -1.0f;
}

std::vector<sDamagedAccount> const& damagedAccounts()
{
    static std::vector<sDamagedAccount> const table = {
        // The game's own default, full screen, is opened and kept instead.
        {"WindowModeOfNoWindow", {{"Corvane::Window::Mode", "7"}}, false, nullptr, nullptr,
         [] { return Corvane::Window::GetConfig().mode == Corvane::kWindowMode_FullScreen; },
         {{"Corvane::Window::Mode", "1"}}},
        {"SilentMasterVolume", {{"Corvane::Audio::MasterControls::Volume", "0"}}, false, nullptr, nullptr,
         [] { return ownVolume(Corvane::Audio::GetMasterControls()) > 0.5f; }, {}},
        {"LoudVolume", {{"Corvane::Audio::SfxControls::Volume", "1e30"}}, false, nullptr, nullptr,
         [] { return ownVolume(Corvane::Audio::GetControls(Corvane::Audio::GetEffectKind())) <= 1.0f; }, {}},
        {"MusicMuteNeitherWord", {{"Corvane::Audio::MusicControls::IsMuted", "verdadero"}}, false, nullptr, nullptr,
         [] { return !Corvane::Audio::GetControls(Corvane::Audio::GetMusicKind())->IsMuted(); },
         {{"Corvane::Audio::MusicControls::IsMuted", "false"}}},
        {"LanguageAsADigit", {{"EnglishLanguage", "1"}}, false, nullptr, nullptr,
         [] { return Child::FindNode("TitleMainMenu/GameLogo_EN")->GlobalIsVisible(); }, {}},
        {"StickerLengthNotANumber",
         {{"AccountID", "PondoButton"},
          {"PondoButton_StickerUnlockArray", twelveStickers()},
          {"PondoButton_StickerCount", "12"},
          {"StickerArrayLength", "doce"}},
         true, nullptr, nullptr, [] { return true; },
         {{"PondoButton_StickerCount", "12"}, {"StickerArrayLength", "30"}, {"StickerArrayLength_Unreadable", "doce"}}},
        {"StickerArrayWithABrokenLastCharacter",
         {{"AccountID", "PondoButton"},
          {"PondoButton_StickerUnlockArray", twelveStickers().substr(0, 199) + "!"},
          {"PondoButton_StickerCount", "12"},
          {"StickerArrayLength", "30"}},
         true, nullptr, nullptr, [] { return true; },
         {{"PondoButton_StickerCount", "12"}, {"PondoButton_StickerUnlockArray", twelveStickers()}}},
        // The account's decoding skips blanks and line breaks: a file wrapped or edited by hand keeps every sticker.
        {"StickerArrayWithALeadingBlank",
         {{"AccountID", "PondoButton"},
          {"PondoButton_StickerUnlockArray", " " + twelveStickers()},
          {"PondoButton_StickerCount", "12"},
          {"StickerArrayLength", "30"}},
         true, nullptr, nullptr, holdsTheTwelveStickers,
         {{"PondoButton_StickerCount", "12"}, {"PondoButton_StickerUnlockArray_Unreadable", ""}}},
        {"StickerArrayWithNoValue",
         {{"AccountID", "PondoButton"}, {"PondoButton_StickerUnlockArray", ""}, {"StickerArrayLength", "30"}}, true,
         nullptr, nullptr, [] { return GetStickerManager()->getStickerCount() == 3; },
         {{"PondoButton_StickerCount", "3"}},
         "'PondoButton_StickerUnlockArray' in the account 'Player' has no value"},
        // Shown on the profile screen it would differ from the book every time.
        {"StickerCountsThatDisagreeWithTheirRecords",
         {{"AccountID", "PondoButton"},
          {"PondoButton_StickerUnlockArray", twelveStickers()},
          {"PondoButton_StickerCount", "1e9"},
          {"SloamButton_StickerUnlockArray", twelveStickers()},
          {"SloamButton_StickerCount", "5"},
          {"StickerArrayLength", "30"}},
         true, nullptr, nullptr, holdsTheTwelveStickers,
         {{"PondoButton_StickerCount", "12"}, {"SloamButton_StickerCount", "12"}},
         "'PondoButton_StickerCount' in the account 'Player' is not the 12 stickers of its record"},
        {"ProgressWithNoValue", {{"AccountID", "PondoButton"}, {"PondoButton_Progress", ""}}, true, "StoryButton",
         "DifficultySelectMode", [] { return GetLevelManager()->getProgressIndex() == 0; }, {},
         "'PondoButton_Progress' in the account 'Player' has no value"},
        // The position just past the last step is the story's end: the book over the main menu, and the story again.
        {"ProgressAtTheStoryEnd", {{"AccountID", "PondoButton"}, {"PondoButton_Progress", "15"}}, true, "StoryButton",
         "DifficultySelectMode",
         [] { return storyOfFifteenSteps() && GetLevelManager()->getProgressIndex() == 0; },
         {{"PondoButton_Progress", "0"}}, nullptr, "StickerBookMode"},
        {"ProgressJustPastTheStory", {{"AccountID", "PondoButton"}, {"PondoButton_Progress", "16"}}, true,
         "StoryButton", "DifficultySelectMode",
         [] { return storyOfFifteenSteps() && GetLevelManager()->getProgressIndex() == 1; },
         {{"PondoButton_Progress", "0"}}, "'PondoButton_Progress' in the account 'Player' is not", "CutsceneMode"},
        // Past its end the story would end at once, show the book and start again without a word.
        {"ProgressPastTheStory",
         {{"AccountID", "PondoButton"}, {"PondoButton_Progress", "100000"}, {"SloamButton_Progress", "2"}}, true,
         "StoryButton", "DifficultySelectMode", [] { return GetLevelManager()->getProgressIndex() == 0; },
         {{"SloamButton_Progress", "2"}}},
    };
    return table;
}

class DamagedAccountPlay : public FrontEndPlayTest, public ::testing::WithParamInterface<size_t>
{
};

TEST_P(DamagedAccountPlay, TheGameReachesTheScreenAndKeepsWhatWasEarned)
{
    sDamagedAccount const& damaged = damagedAccounts()[GetParam()];
    for (auto const& value : damaged.values)
        driver.SetAccountValue(value.first, value.second);
    driver.Play([&damaged](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        if (damaged.toMainMenu)
        {
            ASSERT_TRUE(child.Click("PlayButton"));
            ASSERT_TRUE(WaitForPopup(child, "MyAccountMode"));
            for (auto const& value : damaged.values)
            {
                if (value.first == "PondoButton_StickerCount")
                {
                    EXPECT_EQ(L"12", TextOf(child, "Profiles/PondoStickerCount")) << "kept before it is shown";
                }
            }
            ASSERT_TRUE(child.Click("PondoButton"));
            ASSERT_TRUE(child.Click("OkButton"));
            ASSERT_TRUE(WaitForPopup(child, "AccountConfirmMode"));
            ClickInOneFrame(child, "Continue", 1);
            ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
            if (damaged.click)
            {
                ASSERT_TRUE(child.Click(damaged.click));
                ASSERT_TRUE(child.WaitForScreen(damaged.screen));
            }
            if (damaged.afterOk)
            {
                ASSERT_TRUE(WaitForPopup(child, damaged.screen));
                ASSERT_TRUE(child.Click("OkButton"));
                ASSERT_TRUE(child.WaitForScreen(damaged.afterOk));
            }
        }
        EXPECT_TRUE(child.Look(damaged.sound));
    });
    EXPECT_TRUE(driver.Notifications().empty());
    std::string const account = driver.AccountFile();
    for (auto const& value : damaged.kept)
        EXPECT_EQ(value.second, AccountRecord(account, value.first)) << value.first << "\n" << account;
    if (damaged.logged)
    {
        EXPECT_NE(std::string::npos, driver.Log().find(damaged.logged)) << driver.Log();
    }
}

INSTANTIATE_TEST_SUITE_P(Damage, DamagedAccountPlay, ::testing::Range<size_t>(0, damagedAccounts().size()),
                         [](::testing::TestParamInfo<size_t> const& info) {
                             return std::string(damagedAccounts()[info.param].name);
                         });

// Damage to the account folder rather than to values: account files beside the one made from the
// values, or in its place.

// A whole account file as the game writes it.
std::string accountText(std::string const& name, std::vector<std::pair<std::string, std::string>> const& values)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<account>\r\n";
    for (auto const& value : values)
        text += "<record name=\"" + value.first + "\" value=\"" + value.second + "\"/>\r\n";
    text += "<record name=\"Corvane::AccountManager::Name\" value=\"" + name + "\"/>\r\n</account>\r\n";
    return text;
}

// Marked current as the game marks it, with stickers counted for Pondo.
std::string currentAccountText(std::string const& name, char const* stickers)
{
    return accountText(name, {{"Corvane::AccountManager::IsCurrent", "true"},
                               {"Corvane::Window::Mode", "0"},
                               {"AccountID", "PondoButton"},
                               {"PondoButton_StickerCount", stickers}});
}

bool isCurrentAccount(wchar_t const* name)
{
    return Corvane::GetAccountManager()->GetCurrentAccount()->GetName() == name;
}

struct sAccountFile
{
    char const* name;
    std::string text;
    // Written this long before the game starts; negative: after.
    int secondsAgo;
};

struct sDamagedFolder
{
    char const* name;
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<sAccountFile> files;
    // Continue with Pondo's profile to the main menu, rather than stay on the title.
    bool toMainMenu;
    // Checked on the loop's thread once there.
    std::function<bool()> check;
    // The records of this account file after the play.
    char const* keptIn;
    std::vector<std::pair<std::string, std::string>> kept;
    // What the log must hold.
    char const* logged;
};

std::vector<sDamagedFolder> const& damagedFolders()
{
    static std::vector<sDamagedFolder> const table = {
        // Two accounts marked current: the most recently written file is the child's, whatever the
        // files are called or the order the folder lists them in, and the other loses its mark.
        {"TwoCurrentAccountsTheOtherOlder", {{"AccountID", "PondoButton"}},
         {{"0.act", currentAccountText("Otra", "5"), 3600}}, true, [] { return isCurrentAccount(L"Player"); },
         "0.act", {{"Corvane::AccountManager::IsCurrent", "false"}, {"PondoButton_StickerCount", "5"}},
         "are both marked current; 'Player' is used"},
        {"TwoCurrentAccountsTheOtherNewer", {}, {{"zz.act", currentAccountText("Otra", "12"), -3600}}, true,
         [] { return isCurrentAccount(L"Otra"); }, "Player.act", {{"Corvane::AccountManager::IsCurrent", "false"}},
         "are both marked current; 'Otra' is used"},
        // A profile the game does not have gets no records of its own.
        {"UnknownProfile", {{"AccountID", "NobodyButton"}}, {}, true, [] { return true; }, "Player.act",
         {{"NobodyButton_StickerUnlockArray", ""}, {"NobodyButton_StickerCount", ""}, {"AccountID", "PondoButton"}},
         "names the profile 'NobodyButton' under AccountID"},
        // An emptied file is kept beside the rebuilt one, which has its name again.
        {"EmptyFile", {}, {{"Player.act", "", 0}}, false, [] { return isCurrentAccount(L"Player"); }, "Player.act",
         {{"Corvane::AccountManager::Name", "Player"}, {"Corvane::AccountManager::IsCurrent", "true"}},
         "the damaged file was kept as 'Player.act.bad'"},
    };
    return table;
}

class DamagedFolderPlay : public FrontEndPlayTest, public ::testing::WithParamInterface<size_t>
{
};

TEST_P(DamagedFolderPlay, TheChildGetsOneAccountByAStableRuleAndNothingIsWrittenUnderDamage)
{
    sDamagedFolder const& damaged = damagedFolders()[GetParam()];
    for (auto const& value : damaged.values)
        driver.SetAccountValue(value.first, value.second);
    for (sAccountFile const& file : damaged.files)
        driver.SetAccountFile(file.name, file.text, file.secondsAgo);
    driver.Play([&damaged](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        if (damaged.toMainMenu)
        {
            ASSERT_TRUE(GameDriver::ComeToMainMenu(child, "PondoButton", "Continue"));
        }
        EXPECT_TRUE(child.Look(damaged.check));
    });
    EXPECT_TRUE(driver.Notifications().empty());
    std::ifstream file(driver.UserFolder() + "/" + damaged.keptIn, std::ios::binary);
    std::string const account{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    for (auto const& value : damaged.kept)
        EXPECT_EQ(value.second, AccountRecord(account, value.first)) << value.first << "\n" << account;
    EXPECT_NE(std::string::npos, driver.Log().find(damaged.logged)) << driver.Log();
}

INSTANTIATE_TEST_SUITE_P(Damage, DamagedFolderPlay, ::testing::Range<size_t>(0, damagedFolders().size()),
                         [](::testing::TestParamInfo<size_t> const& info) {
                             return std::string(damagedFolders()[info.param].name);
                         });

} // namespace
