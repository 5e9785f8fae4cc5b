// The options popup and the credits overlay over the real content: the sound
// choice at once and kept in the account, every stored mute restored as stored,
// the language swapped only by OK or change profile (with voice-overs playing
// and queued), a broken or missing Spanish voice manifest, and the credits'
// five pages.

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/FrontEnd/MainMenuMode.h"
#include "qdl/Source/Game/FrontEnd/MyCreditsMode.h"
#include "qdl/Source/Game/FrontEnd/MyOptionsMode.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"

using namespace FrontEndPlay;
using GameDriver::AccountRecord;

namespace
{

typedef FrontEndPlayTest OptionsCreditsPlay;

char const kMutedKey[] = "Corvane::Audio::MasterControls::IsMuted";

Corvane::ApplicationMode* NewMainMenu()
{
    return new MainMenuMode();
}

bool IsMuted(Child& child)
{
    return child.Look([] { return Corvane::GetAudioPlatform()->GetMasterControls()->IsMuted(); });
}

// The own mute of the effect, ambient and music controls, which a muted master does not change.
std::vector<bool> OwnKindMutes(Child& child)
{
    return child.Look([] {
        std::vector<bool> mutes;
        for (Corvane::Label kind :
             {Corvane::Audio::GetEffectKind(), Corvane::Audio::GetAmbientKind(), Corvane::Audio::GetMusicKind()})
        {
            Corvane::AudioSettings settings;
            Corvane::Audio::GetControls(kind)->SaveSettings(&settings);
            mutes.push_back(settings.muted);
        }
        return mutes;
    });
}

// How often each voice manifest is loaded: English, Spanish.
std::pair<int, int> VoiceLoads(Child& child)
{
    return child.Look([] {
        Corvane::ResourceManager const* const resources = Corvane::GetResourceManager();
        return std::make_pair(resources->GetLoadCount(L"AudioResources"),
                              resources->GetLoadCount(L"AudioResources_SP"));
    });
}

void OpenOptions(Child& child)
{
    ASSERT_TRUE(child.Click("OptionsButton"));
    ASSERT_TRUE(WaitForPopup(child, "MyOptionsMode"));
}

TEST_F(OptionsCreditsPlay, SoundMutesAtOnceCancelTakesItBackAndOkKeepsItForTheNextStart)
{
    driver.SetAccountValue("AccountID", "PondoButton");
    driver.StartWith(NewMainMenu);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        ASSERT_TRUE(child.Click("OptionsButton"));
        // During the slide-in a radio click is put back and nothing is muted; Cancel does nothing.
        ClickInOneFrame(child, "SoundOffButton", 1);
        ClickInOneFrame(child, "CancelButton", 1);
        EXPECT_TRUE(IsChecked(child, "SoundOnButton"));
        EXPECT_FALSE(IsChecked(child, "SoundOffButton"));
        EXPECT_FALSE(IsMuted(child));
        ASSERT_TRUE(WaitForPopup(child, "MyOptionsMode"));
        EXPECT_EQ((Screens{"MainMenuMode", "MyOptionsMode"}), child.Screens());
        Screenshot(child, "options_english");

        ASSERT_TRUE(child.Click("SoundOffButton"));
        EXPECT_TRUE(IsMuted(child));
        ASSERT_TRUE(child.Click("CancelButton"));
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        EXPECT_FALSE(IsMuted(child));

        OpenOptions(child);
        ASSERT_TRUE(child.Click("SoundOffButton"));
        // Two OKs in one frame leave one new main menu.
        ClickInOneFrame(child, "OkButton", 2);
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        EXPECT_TRUE(IsMuted(child));
    });
    EXPECT_EQ("true", AccountRecord(driver.AccountFile(), kMutedKey));
    EXPECT_EQ("true", AccountRecord(driver.AccountFile(), "EnglishLanguage"));

    GameDriver::Driver again;
    again.StartOverAccountsOf(driver);
    again.StartWith(NewMainMenu);
    again.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        EXPECT_TRUE(IsMuted(child));
        OpenOptions(child);
        EXPECT_TRUE(IsChecked(child, "SoundOffButton"));
        EXPECT_FALSE(IsChecked(child, "SoundOnButton"));
    });
}

TEST_F(OptionsCreditsPlay, EachStoredMuteComesBackAsStoredWithoutALogLine)
{
    // The child turned the sound off, and nothing else is stored.
    driver.SetAccountValue(kMutedKey, "true");
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        EXPECT_TRUE(IsMuted(child));
        EXPECT_EQ((std::vector<bool>{false, false, false}), OwnKindMutes(child));
    });
    EXPECT_EQ(std::string::npos, driver.Log().find("IsMuted")) << driver.Log();

    GameDriver::Driver musicOff;
    musicOff.SetAccountValue("Corvane::Audio::MusicControls::IsMuted", "true");
    musicOff.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        EXPECT_FALSE(IsMuted(child));
        EXPECT_EQ((std::vector<bool>{false, false, true}), OwnKindMutes(child));
    });
    EXPECT_EQ(std::string::npos, musicOff.Log().find("IsMuted")) << musicOff.Log();
    EXPECT_EQ("true", AccountRecord(musicOff.AccountFile(), "Corvane::Audio::MusicControls::IsMuted"));
}

TEST_F(OptionsCreditsPlay, OnlyOkOrChangeProfileSwapTheVoiceManifestWhileVoicesPlayAndWait)
{
    driver.SetAccountValue("AccountID", "SloamButton");
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        OpenOptions(child);
        EXPECT_TRUE(IsChecked(child, "EnglishButton"));
        EXPECT_EQ(std::make_pair(1, 0), VoiceLoads(child));

        // The popup alone follows the click; Cancel stores nothing.
        ASSERT_TRUE(child.Click("EspanolButton"));
        EXPECT_EQ(L"Sonido", TextOf(child, "Options/Text_Sound"));
        EXPECT_EQ("Button_UI_Cancel_SP", ImageListOf(child, "Options/CancelButton"));
        EXPECT_EQ("Button_Sound_On_SP", ImageListOf(child, "Options/SoundOnButton"));
        EXPECT_TRUE(child.IsShown("Options/Title_SP"));
        EXPECT_FALSE(child.IsShown("Options/Title_EN"));
        Screenshot(child, "options_spanish");
        ASSERT_TRUE(child.Click("CancelButton"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        EXPECT_EQ(std::make_pair(1, 0), VoiceLoads(child));
        EXPECT_EQ("true", AccountRecord(child.AccountFile(), "EnglishLanguage"));

        // Spanish and OK with one voice-over playing and two waiting, and an
        // English line playing as an effect: its channel holds its data and plays on.
        OpenOptions(child);
        ASSERT_TRUE(child.Click("EspanolButton"));
        child.RunOnLoop([] {
            GetAudioManager()->playSpecificSoundVocal(Corvane::Label::GetUniqueString("SFX_UI_ChooseDifficulty"));
            GetAudioManager()->playNumberVocal(3);
            GetAudioManager()->playNumberVocal(4);
            GetAudioManager()->playSFX(Corvane::Label::GetUniqueString("SFX_UI_WelcomePark"));
        });
        ASSERT_TRUE(child.Frames(2));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.Frames(3));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        EXPECT_EQ(std::make_pair(0, 1), VoiceLoads(child));
        EXPECT_TRUE(child.Look([] { return GetAudioManager()->getVoiceQueue().empty(); }));
        std::vector<std::string> const playing = child.PlayingSounds();
        EXPECT_NE(playing.end(), std::find(playing.begin(), playing.end(), "SFX_UI_WelcomePark"));
        EXPECT_EQ("false", AccountRecord(child.AccountFile(), "EnglishLanguage"));
        EXPECT_EQ("Button_MainMenu_FreePlay_SP", ImageListOf(child, "FreePlayButton"));
        // Voice-overs go on, now from the Spanish manifest.
        child.RunOnLoop([] { GetAudioManager()->playNumberVocal(5); });
        ASSERT_TRUE(child.Frames(3));
        EXPECT_FALSE(child.PlayingSounds().empty());

        // Opened in Spanish: English, Spanish, English again and OK change nothing.
        OpenOptions(child);
        EXPECT_TRUE(IsChecked(child, "EspanolButton"));
        for (char const* language : {"EnglishButton", "EspanolButton"})
            ASSERT_TRUE(child.Click(language));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        EXPECT_EQ(std::make_pair(0, 1), VoiceLoads(child));
        EXPECT_EQ("false", AccountRecord(child.AccountFile(), "EnglishLanguage"));

        // English through change profile: the profile popup opens over a new main menu.
        OpenOptions(child);
        ASSERT_TRUE(child.Click("EnglishButton"));
        ASSERT_TRUE(child.Click("ProfileButton"));
        ASSERT_TRUE(child.Frames(2));
        EXPECT_EQ((Screens{"MainMenuMode", "MyAccountMode"}), child.Screens());
        EXPECT_EQ(std::make_pair(1, 0), VoiceLoads(child));
        EXPECT_EQ("true", AccountRecord(child.AccountFile(), "EnglishLanguage"));
    });
    EXPECT_TRUE(driver.Notifications().empty());
}

TEST_F(OptionsCreditsPlay, ABrokenOrMissingSpanishVoiceManifestIsReportedOnceThenTheMainMenuFollows)
{
    for (bool const missing : {false, true})
    {
        SCOPED_TRACE(missing ? "missing" : "broken");
        GameDriver::Driver play;
        play.UseContentCopy([missing](std::string const& folder) {
            std::string const file = folder + "/AudioResources_SP.xml";
            if (missing)
                ASSERT_EQ(0, std::remove(file.c_str()));
            else
                ASSERT_TRUE(GameDriver::EditTextFile(file, [](std::string& text) { text.resize(text.size() / 2); }));
        });
        play.SetAccountValue("AccountID", "GrubbinButton");
        play.StartWith(NewMainMenu);
        play.Play([](Child& child) {
            ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
            OpenOptions(child);
            ASSERT_TRUE(child.Click("EspanolButton"));
            ASSERT_TRUE(child.Click("OkButton"));
            ASSERT_TRUE(child.Frames(2));
            EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        });
        std::vector<std::string> const notes = play.Notifications();
        ASSERT_EQ(1u, notes.size());
        std::string const title =
            "There was an error loading AudioResources_SP.xml. Fix the problem and press F5 to reload: ";
        EXPECT_EQ(title, notes[0].substr(0, title.size()));
        EXPECT_LT(title.size(), notes[0].size()) << "the error's text is the message";
        EXPECT_EQ("false", AccountRecord(play.AccountFile(), "EnglishLanguage"));
    }
}

TEST_F(OptionsCreditsPlay, CreditsTurnWithinFivePagesAndBackReturnsToTheSameScreen)
{
    driver.SetAccountValue("AccountID", "PondoButton");
    driver.StartWith(NewMainMenu);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        MainMenuMode const* const menu = child.Look([] { return Top<MainMenuMode>(); });
        ASSERT_TRUE(child.Click("CreditsButton"));
        ASSERT_EQ((Screens{"MainMenuMode", "MyCreditsMode"}), child.Screens());
        auto page = [&child] { return child.Look([] { return Top<MyCreditsMode>()->getPage(); }); };
        auto pageWidth = [&child] {
            return child.Look([] { return Child::FindNode("Credits/TextPages")->GlobalGetBounds().width; });
        };
        EXPECT_EQ(0, page());
        EXPECT_GT(pageWidth(), 0.0f);
        Screenshot(child, "credits_0");
        for (int click = 1; click <= 5; ++click)
        {
            ASSERT_TRUE(child.Click("buttonRight"));
            EXPECT_EQ(std::min(click, 4), page());
            if (click < 5)
                Screenshot(child, "credits_" + std::to_string(click));
        }
        EXPECT_GT(pageWidth(), 0.0f);
        for (int click = 1; click <= 6; ++click)
        {
            ASSERT_TRUE(child.Click("buttonLeft"));
            EXPECT_EQ(std::max(4 - click, 0), page());
        }
        ASSERT_TRUE(child.Click("BackButton"));
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        EXPECT_EQ(menu, child.Look([] { return Top<MainMenuMode>(); }));
    });
}

TEST_F(OptionsCreditsPlay, WithoutAnAudioPlatformTheSoundChoiceIsDisabledAndAudioLeftAlone)
{
    driver.SetAccountValue("AccountID", "PondoButton");
    driver.StartWith(NewMainMenu);
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
        Corvane::IAudioPlatform* const audio = child.Look([] { return Corvane::GetAudioPlatform(); });
        child.RunOnLoop([audio] {
            Corvane::UnregisterSingleton(audio);
            Corvane::MainLoop::PushMode(new MyOptionsMode());
        });
        ASSERT_TRUE(WaitForPopup(child, "MyOptionsMode"));
        for (char const* sound : {"SoundOnButton", "SoundOffButton"})
        {
            EXPECT_FALSE(IsChecked(child, sound)) << sound;
            EXPECT_FALSE(child.Look([sound] {
                return dynamic_cast<RadioButtonNode*>(Child::FindNode(sound))->IsEnabled();
            })) << sound;
        }
        EXPECT_TRUE(child.Look([] { return Top<MyOptionsMode>()->isSoundOn(); }));
        ASSERT_TRUE(child.Click("SoundOffButton"));
        EXPECT_TRUE(child.Look([] { return Top<MyOptionsMode>()->isSoundOn(); }));
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
        child.RunOnLoop([audio] { Corvane::RegisterSingleton(audio); });
        EXPECT_FALSE(IsMuted(child));
    });
}

TEST_F(OptionsCreditsPlay, OverTheTitleCreditsGoBackToItAndOptionsLeadToANewMainMenu)
{
    driver.Play([](Child& child) {
        ASSERT_TRUE(child.WaitForScreen("TitleMode"));
        ASSERT_TRUE(child.Click("CreditsButton"));
        EXPECT_EQ((Screens{"TitleMode", "MyCreditsMode"}), child.Screens());
        ASSERT_TRUE(child.Click("BackButton"));
        EXPECT_EQ(Screens{"TitleMode"}, child.Screens());
        OpenOptions(child);
        EXPECT_EQ((Screens{"TitleMode", "MyOptionsMode"}), child.Screens());
        ASSERT_TRUE(child.Click("OkButton"));
        ASSERT_TRUE(child.Frames(1));
        EXPECT_EQ(Screens{"MainMenuMode"}, child.Screens());
    });
}

} // namespace
