#pragma once

// The overlay that explains a mini-game: Fenn in the pose the game chose, over
// the dimmed and frozen game, speaks the game's description and closes itself
// once it has been spoken; its OK button closes it early and cuts the voice.
// It closes once, however many OKs and ends of the description fall before the
// main loop applies the pop, so the game below is never popped with it.
//
// Content: the layout "FennInstructionModeLayout" whose root node
// "FennInstructionMode" holds the animated sprite "LevelIntroFenn" (one frame
// per pose) and the button node "SkipButton"; a button named "OkButton"; the
// image lists "Button_SkipCutscene_EN" and "Button_SkipCutscene_SP"; the game
// label's entry in the sound list "GameDescriptions".

#include "Core/Source/Label.h"
#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"

class FennInstructionMode : public FrontEndMode
{
public:
    FennInstructionMode(Corvane::Label game, IntroFennState pose);

    void Setup() override;
    void Destroy() override;
    void Enter() override;
    bool IsOpaque() const override { return false; }

    // Pops the overlay, unless a change of screens is already queued.
    void closeMode();

    Corvane::Label getGameName() const { return gameName; }
    IntroFennState getIntroState() const { return introState; }

protected:
    void handleButtonClick(Corvane::Label button) override;

private:
    IntroFennState introState;
    Corvane::Label gameName;
};
