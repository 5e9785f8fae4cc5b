#pragma once

// The stacking game: logs and girders lie on up to ten ground places, one
// platform stands for each colour the level uses (Red on the left, Blue on
// the right or alone on the left). Each game opens with the stacks built and
// shaken apart; the child moves the objects one click at a time onto the
// platform of their colour. Once no object is left on the ground (a falling
// one counts as on the ground), every platform judges its stack: a wrong one
// drops its wrong part and the crane is sad; all right, the crane is happy and
// the game starts again or the level ends.

#include "Core/Source/Label.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"

class AnimatedSpriteNode;

class TollerStackerMode : public QuarrydaleGameMode
{
public:
    // loopsLeft -1 plays "RepeatedGameNumLoops"[difficulty] further games.
    TollerStackerMode(bool playIntro, int loopsLeft);
    ~TollerStackerMode() override;

    void Update(float dt) override;
    void Setup() override;
    void refreshMode() override;
    void setupCursor() override;

    void initializeLevel(Corvane::Label levelName);
    void playIntroAnimation();
    void playOutroAnimation();
    // Judges the stacks once the ground is empty.
    void checkLevelEnd();
    // The drop mask's press: the held object goes to the current platform, or back home.
    void cancelMaterialDragging();

    int getRoundsLeft() const { return roundsLeft; }
    Corvane::Label getLevel() const { return level; }
    AnimatedSpriteNode* getCrane() const;

private:
    int roundsLeft;
    bool playIntro;
    Corvane::Label level;
};
