#pragma once

// The first screen after loading: the game's logo in the player's language,
// the swinging sign that turns into the play button under the mouse, a spoken
// welcome, and the way to profile selection, options, credits and the quit
// confirmation, each pushed over the title.
//
// Content: the layout "Title_YarrowfeteLayout" with the nodes
// TitleMainMenu/GameLogo_EN, TitleMainMenu/GameLogo_SP,
// TitleMainMenu/UI/PlayButton and TitleMainMenu/UI/SignSwing; the buttons
// "PlayButton", "OptionsButton", "CreditsButton" and "QuitButton"; the image
// lists "Button_MainMenu_Play_EN" and "Button_MainMenu_Play_SP"; the sprite
// types "PlayButtonAnimSpriteType_EN" and "PlayButtonAnimSpriteType_SP" with
// the animation "Play"; the voice-over "SFX_UI_WelcomePark"; the music
// "Music_GeneralUI".

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

class TitleMode : public FrontEndMode
{
public:
    TitleMode();

    void Setup() override;
    void Enter() override;
    void Exit() override;

    // The buttons' actions.
    void openProfileSelection();
    void openOptions();
    void openCredits();
    void openQuitConfirmation();

protected:
    void handleButtonClick(Corvane::Label button) override;
};
