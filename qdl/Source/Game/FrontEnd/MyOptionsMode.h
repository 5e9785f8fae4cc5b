#pragma once

// The options popup over the title and the main menu: sound on or off, which
// mutes the master controls at once, and English or Spanish, which changes
// only the popup until OK or change profile swap the voice manifest. Every
// way out unwinds to a new main menu (change profile then opens the profile
// popup over it); leaving applies the sound choice and stores the language.
// The mute flag itself is kept in the account by the game shell.
//
// Content: the layout "OptionsLayout" with Options/Text_Sound,
// Options/Text_Language, Options/Title_EN, Options/Title_SP,
// Options/SoundOnButton and Options/SoundOffButton (one radio group, also
// their names), Options/CancelButton and Options/ProfileButton, the radio
// buttons "EnglishButton" and "EspanolButton" (another group) and the button
// "OkButton"; the text constants "Options_Sound_EN", "Options_Language_EN"
// and their "_SP" twins; the image lists "Button_ChangeProfile_EN",
// "Button_UI_Cancel_EN", "Button_Sound_Off_EN", "Button_Sound_On_EN" and
// their "_SP" twins; the voice manifests "AudioResources" and
// "AudioResources_SP"; the music "Music_GeneralUI".

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

class RadioButtonNode;

class MyOptionsMode : public PopupMode
{
public:
    MyOptionsMode();

    void Setup() override;
    void Destroy() override;
    void Enter() override;

    bool isSoundOn() const { return soundOn; }
    bool isEnglishLanguageShown() const { return englishLanguage; }

    // Swaps the loaded voice manifest to the shown language.
    void reloadAudio();
    void refreshTextLanguage();

    // The buttons' actions.
    void confirmOptions();
    void cancelOptions();
    void changeProfile();

protected:
    void handleButtonClick(Corvane::Label button) override;
    void handleOtherMessage(Corvane::ObjectMessage const& message) override;
    void handleBlockedMessage(Corvane::ObjectMessage const& message) override;

private:
    // Checks the radio buttons of the shown choices.
    void showChoices();
    void reloadAudioIfLanguageChanged();

    bool soundOn;
    bool englishLanguage;
    bool soundOnAtEntry;
    bool englishLanguageAtEntry;
};
