#pragma once

// One cutscene of the story: its picture, its spoken narration and a skip
// button. In the update after the narration ends, or on the skip button,
// the screen asks the level manager for the next story step, once; a step
// that starts nothing leaves the skip button working. Music stops while a
// cutscene plays; the narration stops when it leaves.
//
// Content: the layout "CutsceneModeLayout", whose root has the child
// "CutsceneImage" and whose node CutsceneRoot/SkipButton is the button
// named "OkButton"; per cutscene id, the image of that name and the sound of
// that name followed by "_VO"; the image lists "Button_SkipCutscene_EN" and
// "Button_SkipCutscene_SP".

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"

class CutsceneMode : public FrontEndMode
{
public:
    explicit CutsceneMode(Corvane::Label cutsceneID);

    void Setup() override;
    void Destroy() override;
    void Enter() override;
    bool IsOpaque() const override { return false; }

    Corvane::Label getCutsceneID() const { return cutsceneID; }

    // On to the next story step: the narration's end and the skip button.
    void closeMode();

protected:
    void handleButtonClick(Corvane::Label button) override;

private:
    Corvane::Label cutsceneID;
};
