#pragma once

// The mini-game HammerTheNail: nails and screws stand on a workshop wall, a
// tool box holds up to four tools; the child picks the tool of the right type
// and colour and clicks each nail until it is driven in. A game started from
// the menus plays "RepeatedGameNumLoops"[difficulty] + 1 loops, each a new
// mode with a new level, the first one alone with the instruction overlay.

#include <string>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"

class HammerTheNailMode : public QuarrydaleGameMode
{
public:
    // loops -1: the further loops of "RepeatedGameNumLoops" at the current
    // difficulty; any other value counts this loop among them.
    HammerTheNailMode(bool playIntro, int loops);
    ~HammerTheNailMode() override;

    void Setup() override;
    void Update(float dt) override;
    void refreshMode() override;
    void setupCursor() override;

    void initializeLevel(Corvane::Label level);
    // Raises or lowers the input mask; once the outro has begun it stays up.
    void maskMouseInput(bool mask);
    // Puts the held tool back, or drops it on the nail under the mouse.
    void cancelMaterialDragging();
    // Starts the outro once no nail has clicks left.
    void checkEndLevel();
    void playIntroAnimation();
    void playOutroAnimation();

    int getLoopsLeft() const { return loopsLeft; }
    bool getPlayIntro() const { return playIntro; }
    // Whether the layout held every node the game uses.
    bool hasCompleteLayout() const { return layoutComplete; }

private:
    SceneNode* getPlayfieldNode(NodePathElement const* path) const;
    // Shows the notification for a level or layout that cannot be played.
    void reportUnplayable(std::wstring const& message);

    int loopsLeft;
    bool playIntro;
    bool layoutComplete;
};
