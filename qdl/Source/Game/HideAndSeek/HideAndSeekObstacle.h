#pragma once

// One hiding place of the hide-and-seek game: a picture from the level standing
// in an obstacle slot. It lights up under the mouse, shows the cat's tail when
// the cat hides behind it (and the level wants it), and when clicked lifts its
// picture for 2.0 s: the cat is found behind it, or another animal sits there.
// At 1.5 s it tells the mode that it was looked behind. The mode's click mask,
// not the obstacle, holds clicks off while anything runs.
//
// Content: the layout "HideAndSeekObstacleLayout" (its root's children
// "imageNode", "rolloverNode", "MistleTail" with the animation "TimedShow", and
// "wrongAnimal", the picture drawn over the animal); the image lists
// "HideAndSeekObstacle", "HideAndSeekObstacle_Rollover" (the same frame order)
// and "HideAndSeek_WrongAnimals"; the effects "SFX_ObjectRollover" and
// "SFX_SelectItem"; the voice-over "HideAndSeek_IncorrectAnswer".

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"

class HideAndSeekObstacle : public SceneLayoutController
{
public:
    // The picture's frame in the obstacle image lists; a frame outside them shows nothing.
    explicit HideAndSeekObstacle(int imageID);
    ~HideAndSeekObstacle() override;

    SceneNode* GetLayoutNode() override { return root; }
    void AddedToScene() override { added = true; }
    Corvane::Label GetRole() const override;
    void Update(float) override {}

    // Whether the picture can be hit at all.
    void acceptMouseInput(bool on);
    void setupMouseHandling();
    void handleMouseDown();
    void handleMouseUp() {}
    void handleMouseEnter();
    void handleMouseExit();

    // On Medium the tail's "TimedShow" starts again from its first frame, shown or hidden.
    void showTail(bool show);
    // The click: lift the picture and show what is behind it.
    void revealContents();

    // The layout's nodes, null when the layout lacks them.
    SceneNode* getImageNode() const;
    SceneNode* getRolloverNode() const;
    SceneNode* getTailNode() const;
    SceneNode* getWrongAnimalNode() const;

private:
    // The layout's root: the one built before the obstacle joins the scene,
    // then the scene's, which is null once the node has gone.
    SceneNode* node() const { return added ? getLayoutNode() : root; }

    SceneNode* root;
    bool added;
};
