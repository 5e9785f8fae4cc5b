#pragma once

// The two elements of PlanAJob. A JobSequenceItem is a card showing one step
// of the job: a click picks it up (the card hides and a copy follows the
// mouse, and the mode's "Material_ClickMask" takes clicks to put it back). A
// JobSequenceSlot is one of the blueprint's five places: the card of its step
// goes in and the slot shows the step's picture; a wrong card shakes on the
// cursor while a voice says so, and stays held. Both are wired as every
// mini-game element is (MiniGameElement.h).
//
// Content: layouts "JobSequenceItemLayout" ("imageNode", "rollover") and
// "JobSequenceSlotLayout" ("imageNode"); the image list "BluePrintTargetImages"
// (empty slots, frame = step); sounds "SFX_ObjectStick",
// "PlanAJob_IncorrectAnswer", "General_CorrectAnswer".

#include "Core/Source/Label.h"
#include "qdl/Source/Game/MiniGameElement.h"

class JobSequenceItem : public MiniGameDragSource<JobSequenceItem>
{
public:
    // Shows frame `step` of the level's card pictures.
    JobSequenceItem(Corvane::Label imageList, int step);
    ~JobSequenceItem() override;

    void DoOnStartDragging() override;
    void DoOnCancel() override;
    void DoOnReleased() override;
    Corvane::Label GetRole() const override;

    // The answer to a wrong slot: the copy drops what it was doing and shakes.
    void startErrorShake();

    int step;
    Corvane::Label imageList;

private:
    void putBack();
};

class JobSequenceSlot : public MiniGameDropTarget<JobSequenceItem>
{
public:
    // Shows the empty place of `step` until filled, then frame `step` of targetImages.
    JobSequenceSlot(Corvane::Label targetImages, int step);
    ~JobSequenceSlot() override;

    // Judges the held card: the card of this step goes in, another shakes.
    // Nothing held: nothing.
    void handleMouseDown() override;
    void DropActivated(JobSequenceItem* card) override;
    Corvane::Label GetRole() const override;

    // Shows the step's picture and takes no more clicks; for good.
    void setAsFilled();
    bool isFilled() const { return filled; }

    Corvane::Label targetImages;
    int step;

private:
    bool filled;
};
