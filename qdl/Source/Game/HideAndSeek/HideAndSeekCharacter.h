#pragma once

// The cat of the hide-and-seek game. At the start of every hide it plans, in
// one update, a run over numPreviewHides obstacles (never the same one twice in
// a row), runs the legs one after another and vanishes behind the last one,
// which is its hiding place; the click mask then drops and, when the level
// says so, its tail shows there. Found, it is shown in "Idle"; when the game is
// won it runs to "MistleEndLocation".
//
// Its own serial queue is held by a cue point until the last planned leg (or
// the closing run) has ended, so whatever the mode appends to it waits for the
// cat to arrive.
//
// Content: the layout "HideAndSeekCharacterLayout" whose root moves and whose
// child "imageNode" is an animated sprite with "Run" and "Idle"; the float
// vector constants "MistleStartLocation" and "MistleEndLocation".

#include <vector>

#include "Core/Source/Label.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Object.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"

class HideAndSeekCharacter : public SceneLayoutController
{
public:
    // A run count below 1 counts as 1 (no hide could end otherwise); a speed
    // that is not a positive number makes every run instant.
    HideAndSeekCharacter(int numPreviewHides, float runSpeed, bool showTail);
    ~HideAndSeekCharacter() override;

    SceneNode* GetLayoutNode() override { return root; }
    void AddedToScene() override { added = true; }
    Corvane::Label GetName() const override;

    // Queues the planning of a whole hide from where the cat stands.
    void setupNewHideSequence();
    // The steps of one leg, run from the cat's own tasks.
    void selectNewObstacle();
    void animateToObstacle();
    void hideComplete();
    // Shows the cat in "Idle" where its last leg left it.
    void getFound();
    // The closing run to "MistleEndLocation".
    void runOffScreen();

    // The seconds a run of that length takes.
    float runTime(float length) const;

    Corvane::ObjectID getCurrentObstacle() const { return currentObstacle; }
    int getNumPreviewHides() const { return numPreviewHides; }
    int getLegsDone() const { return legsDone; }
    float getRunSpeed() const { return runSpeed; }
    bool getShowTail() const { return showTail; }
    // The start of the current hide, then the point of each leg planned so far.
    std::vector<Corvane::Vector2<float> > const& getPlan() const { return plan; }

private:
    // The layout's root: the one built before the cat joins the scene, then the
    // scene's, which is null once the node has gone.
    SceneNode* node() const { return added ? getLayoutNode() : root; }
    SceneNode* getImageNode() const;

    SceneNode* root;
    bool added;
    float runSpeed;
    bool showTail;
    Corvane::ObjectID currentObstacle;
    int numPreviewHides;
    int legsDone;
    std::vector<Corvane::Vector2<float> > plan;
};
