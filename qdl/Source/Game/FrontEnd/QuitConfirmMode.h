#pragma once

// The popup that asks whether to stop playing. Over the title and the main
// menu Yes asks the program to quit; over a mini-game it leaves the game for a
// new main menu, without the level's end. No closes the popup and the screen
// or game below is entered again.
//
// Content: the layout "QuitLayout" with the nodes Quit/Text_QuitConfirm,
// Quit/Title_EN, Quit/Title_SP and Quit/YesButton; the buttons "YesButton"
// and "NoButton"; the text constants "QuitConfirmText_EN" and
// "QuitConfirmText_SP"; the image lists "Button_UI_Yes_EN" and
// "Button_UI_Yes_SP"; the voice-over "SFX_UI_QuitConfirm".

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

class QuitConfirmMode : public PopupMode
{
public:
    explicit QuitConfirmMode(bool inGame);

    void Setup() override;
    void Destroy() override;
    void Enter() override;
    void Exit() override;

    bool isInGame() const { return inGame; }

    // The buttons' actions.
    void confirmQuit();
    void cancelQuit();

protected:
    void handleButtonClick(Corvane::Label button) override;

private:
    bool inGame;
};
