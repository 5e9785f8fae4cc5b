#pragma once

// PlanAJob (game type 2, label "PlanAJob"): the blueprint of a five-step job
// slides in with some steps drawn and the rest empty; the missing steps' cards
// wait beside it in random order. The instruction overlay is pushed and the
// intro's mask hides at cue point "IntroUnmaskMouseClicks". The child clicks a
// card, then the slot of its step (PlanAJobElements.h); a click on the table
// ("Material_ClickMask") puts a held card back. When no slot is empty the
// blueprint slides away, "PlanAJob_GameComplete" is said, the building goes
// up ("BuildAnim") and the level ends once it has stopped. A level is played
// once.
//
// The story names a job ("BuildShed") and the mode loads "<job>_Easy",
// "_Medium" or "_Hard" for the current difficulty; free play draws a level.
// A missing level, or a named one without one to five steps to place, gives
// the notification "Difficulty Level Not Found for PlanAJobMode" (the level
// and its file are logged, levelNotFound); the empty blueprint is won at once
// (no intro) and the level ends.
//
// Content: layout "PlanAJobModeLayout" (nodes below "GameScreenRoot"/"Playfield":
// "Blueprint"/"MaterialTargets" with five children, "Blueprint"/"FennHands",
// "MaterialSources"/"Sources_1".."Sources_5" with 1..5 children,
// "Material_ClickMask", "BuildingAnimationNode", "IntroClickMask"); constants
// "BluePrintsFinalPosition", "BluePrintsOffScreenPosition", "BlueprintsMoveTime";
// the level's sprite type with "WaitAnim" and "BuildAnim"; sounds
// "SFX_Construction", "PlanAJob_GameComplete".

#include <vector>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"

class SceneNode;

// The five steps dealt for a level: those drawn on the blueprint, and the
// missing ones in the order their cards take the places of "Sources_<count>".
struct sPlanAJobDeal
{
    std::vector<bool> preFilled;
    std::vector<int> missing;
};

class PlanAJobMode : public QuarrydaleGameMode
{
public:
    // A null level draws one at the current difficulty; otherwise the level's
    // name is this label with the difficulty's suffix.
    explicit PlanAJobMode(Corvane::Label level = Corvane::Label());
    ~PlanAJobMode() override;

    void Setup() override;
    // The scene, the mouse against nodes that moved, then the win test.
    void Update(float dt) override;
    void refreshMode() override;
    void setupCursor() override;

    // The steps of a level leaving `numEmpty` of them (held to 1..5) empty.
    static sPlanAJobDeal dealSteps(int numEmpty);
    // Builds the blueprint and the cards; false (with the notification) when
    // there is no such level.
    bool initializeLevel(Corvane::Label level);
    void playIntroAnimation();
    // Acts once: the blueprint leaves, the building goes up, the level ends.
    void playOutroAnimation();
    // Puts a held card back in its place.
    void cancelItemDragging();

    // The label asked for, with its suffix once set up; null from free play.
    Corvane::Label getLevelLabel() const { return levelLabel; }

private:
    SceneNode* findPlayfieldNode(NodePathElement const* path) const;

    Corvane::Label levelLabel;
    // Set once the layout stands and the level is set up, found or not: from
    // then on a blueprint without an empty slot is won.
    bool levelSetUp;
};
