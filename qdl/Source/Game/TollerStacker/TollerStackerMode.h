#pragma once

// The stacking game: logs and girders lie on up to ten ground places, one
// platform stands for each colour the level uses (Red on the left, Blue on
// the right or alone on the left). Each game opens with the stacks built and
// shaken apart; the child moves the objects one click at a time onto the
// platform of their colour. Once no object is left on the ground (a falling
// one counts as on the ground), every platform judges its stack: a wrong one
// drops its wrong part and the crane is sad; all right, the crane is happy and
// the game starts again or the level ends.

#include <vector>

#include "Core/Source/Label.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerConstants.h"

class AnimatedSpriteNode;
class TollerStackerLevel;

// Where a level's pieces go: a ground place (0 to 9) for each object in
// document order, drawn without repeat, and the colours of the platforms,
// Red before Blue, the first on "Target_Left", the second on "Target_Right".
struct sStackerPlan
{
    std::vector<int> objectPlaces;
    std::vector<StackObjectColor> platformColors;
};

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

    static int const kNumGroundPlaces = 10;
    static int const kNumPlatformPlaces = 2;

    // The places of the level's pieces, without a scene.
    static sStackerPlan planLevel(TollerStackerLevel const& level);
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
