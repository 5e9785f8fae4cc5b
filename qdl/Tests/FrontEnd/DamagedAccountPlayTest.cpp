// Damaged account values and account files, tried as a new player would: the game still reaches
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

// A whole account file as the game writes it, marked current, with stickers counted for Pondo.
std::string currentAccountText(std::string const& name, std::string const& stickers)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<account>\r\n";
    for (auto const& value : std::vector<std::pair<std::string, std::string>>{
             {"Corvane::AccountManager::IsCurrent", "true"},
             {"Corvane::Window::Mode", "0"},
             {"AccountID", "PondoButton"},
             {"PondoButton_StickerCount", stickers},
             {"Corvane::AccountManager::Name", name}})
        text += "<record name=\"" + value.first + "\" value=\"" + value.second + "\"/>\r\n";
    return text + "</account>\r\n";
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
    // Account files written beside (or in place of) the one made from the values.
    std::vector<sAccountFile> files = {};
    // The file whose records `kept` names; by default the current account's.
    char const* keptIn = nullptr;
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
        // Past its end the story would end at once, show the book and start again without a word.
        {"ProgressPastTheStory",
         {{"AccountID", "PondoButton"}, {"PondoButton_Progress", "100000"}, {"SloamButton_Progress", "2"}}, true,
         "StoryButton", "DifficultySelectMode", [] { return GetLevelManager()->getProgressIndex() == 0; },
         {{"SloamButton_Progress", "2"}}},
        // Damage to the folder rather than to values: account files beside the one made from the
        // values, or in its place. Two accounts marked current: the most recently written file is
        // the child's, whatever the files are called or the order the folder lists them in, and the
        // other loses its mark.
        {"TwoCurrentAccountsTheOtherOlder", {{"AccountID", "PondoButton"}}, true, nullptr, nullptr,
         [] { return isCurrentAccount(L"Player"); },
         {{"Corvane::AccountManager::IsCurrent", "false"}, {"PondoButton_StickerCount", "5"}},
         "are both marked current; 'Player' is used", {{"0.act", currentAccountText("Otra", "5"), 3600}}, "0.act"},
        {"TwoCurrentAccountsTheOtherNewer", {}, true, nullptr, nullptr, [] { return isCurrentAccount(L"Otra"); },
         {{"Corvane::AccountManager::IsCurrent", "false"}}, "are both marked current; 'Otra' is used",
         {{"zz.act", currentAccountText("Otra", "12"), -3600}}, "Player.act"},
        // A profile the game does not have gets no records of its own.
        {"UnknownProfile", {{"AccountID", "NobodyButton"}}, true, nullptr, nullptr, [] { return true; },
         {{"NobodyButton_StickerUnlockArray", ""}, {"NobodyButton_StickerCount", ""}, {"AccountID", "PondoButton"}},
         "names the profile 'NobodyButton' under AccountID", {}, "Player.act"},
        // An emptied file is kept beside the rebuilt one, which has its name again.
        {"EmptyFile", {}, false, nullptr, nullptr, [] { return isCurrentAccount(L"Player"); },
         {{"Corvane::AccountManager::Name", "Player"}, {"Corvane::AccountManager::IsCurrent", "true"}},
         "the damaged file was kept as 'Player.act.bad'", {{"Player.act", "", 0}}, "Player.act"},
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
    for (sAccountFile const& file : damaged.files)
        driver.SetAccountFile(file.name, file.text, file.secondsAgo);
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
        }
        EXPECT_TRUE(child.Look(damaged.sound));
    });
    EXPECT_TRUE(driver.Notifications().empty());
    std::string account = driver.AccountFile();
    if (damaged.keptIn)
    {
        std::ifstream file(driver.UserFolder() + "/" + damaged.keptIn, std::ios::binary);
        account.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
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

} // namespace
