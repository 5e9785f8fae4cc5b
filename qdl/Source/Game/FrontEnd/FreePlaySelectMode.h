#pragma once

// The free-play screens: a picture button per mini-game, which opens the
// difficulty popup for that game over the screen. Setting either screen up
// raises the level manager's free-play flag, so that a game started from
// here comes back to a new free-play selection when it ends. A game whose
// content did not load whole keeps its button; choosing it shows the load
// failure box instead of the popup, and the child can choose another game.
//
// FreePlaySelectMode also has a help button that speaks the instructions
// and a quit button back to a new main menu. GameSelectMode, which no screen
// opens, has a "Back" button instead, no help, and changes neither music nor
// cursor.
//
// Content: the layouts "FreePlaySelect_YarrowfeteLayout" and
// "GameSelectLayout"; the buttons "QuitButton", "HelpButton" and "Back"; the
// twelve game buttons named as in FreePlayGames.h; the voice-over
// "Instructions_Freeplay"; the music "Music_GeneralUI".

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

class FreePlaySelectMode : public FrontEndMode
{
public:
    FreePlaySelectMode();

    void Setup() override;
    void Enter() override;
    void Exit() override;

    // The buttons' actions; a game's button opens the difficulty popup for it.
    void returnToMainMenu();
    void speakInstructions();
    void openDifficultySelection(Corvane::Label game);

protected:
    void handleButtonClick(Corvane::Label button) override;
};

class GameSelectMode : public FrontEndMode
{
public:
    GameSelectMode();

    void Setup() override;

    void returnToMainMenu();
    void openDifficultySelection(Corvane::Label game);

protected:
    void handleButtonClick(Corvane::Label button) override;
};
