#pragma once

// The hub of a chosen profile: the story (through the difficulty choice),
// free play, the sticker book, options, credits and the quit question, each
// pushed over the menu. Every arrival builds a new main menu alone on the
// stack, which loads the profile's stickers as it is set up. The story
// button is drawn as a swinging sign until the mouse is over it, as the
// title's play button is.
//
// Content: the layout "MainMenu_YarrowfeteLayout" with the nodes
// TitleMainMenu/GameLogo_EN, TitleMainMenu/GameLogo_SP and, under
// TitleMainMenu/UI, StoryButton, StickerBookButton, FreePlayButton and
// SignSwing; the buttons "StoryButton", "FreePlayButton", "OptionsButton",
// "CreditsButton", "StickerBookButton" and "QuitButton"; the image lists
// "Button_MainMenu_Story_EN", "Button_MainMenu_StickerBook_EN" and
// "Button_MainMenu_FreePlay_EN" and their "_SP" twins; the sprite types
// "StoryButtonAnimSpriteType_EN" and "StoryButtonAnimSpriteType_SP" with the
// animation "Play"; the story "ParkStory"; the music "Music_TitleTheme".

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

class MainMenuMode : public FrontEndMode
{
public:
    MainMenuMode();

    // Keys go through the object database's routing (focused object first).
    Corvane::MessageResult OnKeyDown(int key) override;
    void Setup() override;
    void Enter() override;

    // The buttons' actions.
    void startStory();
    void openFreePlay();
    void openOptions();
    void openCredits();
    void openStickerBook();
    void openQuitConfirmation();

protected:
    void handleButtonClick(Corvane::Label button) override;
};
