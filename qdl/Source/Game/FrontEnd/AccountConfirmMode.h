#pragma once

// The popup after the profile choice: New game wipes the chosen profile's
// stickers and story position, Continue keeps them; both lead to a new main
// menu alone on the stack. The account's "AccountID" already names the
// profile when this popup is made.
//
// Content: the layout "ProfileConfirmLayout" with the nodes
// ProfileConfirm/ProfileConfirm_Title, ProfileConfirm/ProfileConfirm_Title_SP,
// ProfileConfirm/ProfileConfirmText, ProfileConfirm/NewGame and
// ProfileConfirm/Continue (also the buttons' names); the image lists
// "Button_Profile_NewGame_EN", "Button_Profile_NewGame_SP",
// "Button_Profile_Continue_EN" and "Button_Profile_Continue_SP"; the text
// constants "ProfileConfirm_EN" and "ProfileConfirm_SP"; the voice-over
// "SFX_UI_ContinueNewGame"; the music "Music_GeneralUI".

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

class AccountConfirmMode : public PopupMode
{
public:
    AccountConfirmMode();

    void Setup() override;
    void Destroy() override;
    void Enter() override;
    void Exit() override;

    // The buttons' actions.
    void startNewGame();
    void continueGame();

protected:
    void handleButtonClick(Corvane::Label button) override;
};
