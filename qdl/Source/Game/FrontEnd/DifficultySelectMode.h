#pragma once

// The popup that asks Easy, Medium or Hard before play begins. A radio click
// writes the difficulty into the level manager at once (kept for the run,
// for every profile); OK starts the named free-play game as the only mode,
// or, with no game, the next step of the story. OK is the only way on: a
// game or story step that cannot be started leaves the popup as it was. A
// story game whose content did not load whole is the exception: the level
// manager tells of it and goes back to the main menu.
//
// Content: the layout "DifficultySelectLayout" with the nodes
// DifficultySelect/Title_EN, DifficultySelect/Title_SP,
// DifficultySelect/ChooseDifficultyText and DifficultySelect/EasyButton,
// MediumButton and HardButton (also the radio buttons' names, of one group);
// the button "OkButton"; the text constants "DifficultySelect_EN" and
// "DifficultySelect_SP"; the image lists "Button_EasyDifficulty_EN",
// "Button_MedDifficulty_EN", "Button_HardDifficulty_EN" and their "_SP"
// twins; the voice-over "SFX_UI_ChooseDifficulty"; the music
// "Music_GeneralUI".

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

class RadioButtonNode;

class DifficultySelectMode : public PopupMode
{
public:
    // The free-play button's name of the game to start; null for the story.
    explicit DifficultySelectMode(Corvane::Label game);

    void Setup() override;
    void Destroy() override;
    void Enter() override;
    void Exit() override;

    Corvane::Label getGame() const { return game; }

    // The OK button's action.
    void confirmDifficulty();

protected:
    void handleButtonClick(Corvane::Label button) override;
    void handleOtherMessage(Corvane::ObjectMessage const& message) override;
    void handleBlockedMessage(Corvane::ObjectMessage const& message) override;

private:
    // Checks the radio button of the level manager's difficulty; none for a
    // value outside the three.
    void showCurrentDifficulty();

    Corvane::Label game;
};
