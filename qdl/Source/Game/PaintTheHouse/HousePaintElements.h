#pragma once

// The fence-painting game's elements: a paint bucket that loads the brush with
// its colour, and one of the fence's ten stripes, painted or bare, which plays
// the painting and scraping that the mode's sequence asks for.

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "qdl/Source/Game/MiniGameElement.h"
#include "qdl/Source/Game/PaintTheHouse/PaintTheHouseConstants.h"

class AnimatedSpriteNode;
class PaintTheHouseMode;

// Its picture ("imageNode") takes the mouse; "imageNode"/"rollover" lights
// up under the pointer.
class HousePaintBucket : public MiniGameElement
{
public:
    // A colour outside the four shows no picture and takes no clicks.
    explicit HousePaintBucket(int color);

    void handleMouseDown() override;

    int getColor() const { return color; }

private:
    int color;
};

class HousePaintStripe : public SceneLayoutController
{
public:
    HousePaintStripe(int color, bool painted);

    SceneNode* GetLayoutNode() override;
    Corvane::Label GetRole() const override;
    static Corvane::Label role();

    void showRollover(bool show);
    // Takes the colour's fence sprite at once and paints after the stripe's own
    // queue reaches its first cue point; holds that queue until "AddPaint" ends.
    void startPainting(int paintColor);
    // "RemovePaint" in the sprite last painted, held between two cue points.
    void removePaint();

    // The colour the stripe has or must receive; painting never changes it.
    int getColor() const { return color; }
    bool isPainted() const { return painted; }
    // The animated sprite showing the stripe, or null when the layout lacks it.
    AnimatedSpriteNode* getImageNode() const { return imageNode; }

private:
    SceneNode* createdLayout;
    AnimatedSpriteNode* imageNode;
    SceneNode* rolloverNode;
    int color;
    bool painted;
};

// The top mode as the fence-painting game, or null (logged with `who`) when
// something else, such as an overlay, is on top.
PaintTheHouseMode* topPaintTheHouseMode(char const* who);
