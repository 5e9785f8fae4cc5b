#pragma once

// A caged animal of the loading row, with a flag of one colour and one shape.
// A click sends the truck to fetch it while the truck is empty, and makes it
// the held drag source; it lights up under the mouse only while no animal is
// held. "Drag" means holding a selection: the animal never follows the mouse.
//
// Content: the layout "HereToThereObjectLayout" with "animal" (a static
// sprite), "cartImageNode" (the cage) holding "shapeNode" (a static sprite,
// the flag) and "rollover" (the highlight), and "clickRect" (the mouse area);
// the image lists "HereToThere_Animal" (three pictures used) and the four flag
// lists of HereToThereConstants.h; the effects "SFX_ObjectRollover" and
// "SFX_SelectItem".

#include <boost/signals2/connection.hpp>

#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "qdl/Source/Game/DragAndDrop.h"
#include "qdl/Source/Game/HereToThere/HereToThereConstants.h"

class SceneNode;

// The number of animal pictures drawn from.
extern int kNumHereToThereAnimals;

class HereToThereObject : public DragSource<HereToThereObject*>, public SceneLayoutController
{
public:
    HereToThereObject(HereToThereObjectColor color, HereToThereObjectShape shape);
    ~HereToThereObject() override;

    void DoOnStartDragging() override;
    void DoOnCancel() override {}
    void DoOnReleased() override {}
    void Update(float) override {}
    Corvane::Label GetRole() const override;
    SceneNode* GetLayoutNode() override { return layoutNode; }

    // Switches the hit test of "clickRect": false makes the animal deaf to the mouse.
    void acceptMouseInput(bool accept);
    void setupMouseHandling();
    // Hides the cage with its flag and highlight.
    void hideCage();

    void handleMouseEnter();
    void handleMouseExit();
    void handleMouseDown();
    void handleMouseUp() {}

    HereToThereObjectColor getColor() const { return color; }
    HereToThereObjectShape getShape() const { return shape; }

private:
    void showRollover(bool show);

    HereToThereObjectColor color;
    HereToThereObjectShape shape;
    // Dropped with the animal, so that a node outliving it by a frame calls nothing.
    boost::signals2::scoped_connection connections[4];
};
