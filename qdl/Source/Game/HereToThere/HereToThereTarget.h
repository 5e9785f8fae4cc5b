#pragma once

// A house on a road, with a flag of one colour and one shape. A click while
// an animal is held sends the truck here; when the truck has arrived the
// house checks the animal: the same colour and shape is a delivery, anything
// else a wrong answer, after which the truck waits here with the animal.
//
// Content: the layout "HereToThereTargetLayout" with "imageNode" (a static
// sprite, the picture and the mouse area) holding "flag" with "shapeNode" (a
// static sprite) and "cageAttach" (where a delivered animal is set down, 50
// units above its place); the image list "HereToThere_DeliveryHouses"; the
// constant "RoadEnd_Right" (the y of each road); the effect "SFX_SelectItem"
// and the voice-over "HereToThere_IncorrectAnswer".

#include <boost/signals2/connection.hpp>

#include "Core/Source/Vector2.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "qdl/Source/Game/DragAndDrop.h"
#include "qdl/Source/Game/HereToThere/HereToThereConstants.h"

class HereToThereObject;
class SceneNode;

class HereToThereTarget : public DragTarget<HereToThereObject*>, public SceneLayoutController
{
public:
    HereToThereTarget(HereToThereObjectColor color, HereToThereObjectShape shape, int road);
    ~HereToThereTarget() override;

    // Sets the animal down here, but only while this house's own check runs:
    // a drop on a house the pointer was left over during the drive is no delivery.
    void DropActivated(HereToThereObject* animal) override;
    Corvane::Label GetRole() const override;
    SceneNode* GetLayoutNode() override { return layoutNode; }

    void acceptMouseInput(bool accept);
    void setupMouseHandling();
    void handleMouseEnter();
    void handleMouseExit();
    void handleMouseDown();
    void handleMouseUp() {}

    // Where the truck stops: the house's centre on its road.
    Corvane::Vector2<float> getCarPosition() const;
    // Run by the truck once it stands here.
    void performDeliveryCheckAction();

    // The house whose picture lies under the screen point, or null.
    static HereToThereTarget* findAt(Corvane::Vector2<float> const& point);

    HereToThereObjectColor getColor() const { return color; }
    HereToThereObjectShape getShape() const { return shape; }
    int getRoad() const { return road; }

private:
    SceneNode* getCageAttachNode() const;

    HereToThereObjectColor color;
    HereToThereObjectShape shape;
    int road;
    bool checking;
    boost::signals2::scoped_connection connections[4];
};
