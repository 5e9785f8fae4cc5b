#pragma once

// The popup on which the child picks one of the three profiles, each shown
// with its sticker count. OK stores the chosen profile's name as the
// account's "AccountID" and opens the confirmation (new game or continue);
// only once the name is stored, so that a failed write never lets the next
// screen work on the profile chosen before. OK stays disabled until a
// profile is clicked after the slide-in.
//
// Content: the layout "ProfilesLayout" with the nodes Profiles/Profiles_Title,
// Profiles/Profiles_Title_SP, Profiles/ChooseProfile_text and, per profile,
// Profiles/<Name>StickerCount and Profiles/<Name>StickerText, the nodes
// Profiles/<Name>Button of the pictures; the radio
// buttons "PondoButton", "SloamButton" and "GrubbinButton" of one group and
// the button "OkButton"; the images "Profiles_Text_Stickers_EN" and
// "Profiles_Text_Stickers_SP"; the text constants "ProfileSelect_EN",
// "ProfileSelect_SP", "ProfileNotStored_EN" and "ProfileNotStored_SP"; the
// voice-over "SFX_UI_ChooseProfile".

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

class MyAccountMode : public PopupMode
{
public:
    MyAccountMode();

    void Setup() override;
    void Destroy() override;
    void Enter() override;
    void Exit() override;

    Corvane::Label getSelectedProfile() const { return selectedProfile; }

    // The OK button's action.
    void confirmProfile();

protected:
    void handleButtonClick(Corvane::Label button) override;
    void handleOtherMessage(Corvane::ObjectMessage const& message) override;

private:
    void enableOkButton(bool enable);
    // The prompt says the choice could not be stored. Taking more lines than
    // the prompt, the message rises into the heading's place (the heading
    // gives way) so that it ends above the pictures.
    void showNotStoredMessage();

    Corvane::Label selectedProfile;
    // Where the layout puts the prompt; Enter puts it back there.
    float promptHomeY;
};
