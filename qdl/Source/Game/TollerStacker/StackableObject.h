#pragma once

// One log or girder of the stacking game, built from "StackableObjectLayout":
// its "imageNode" shows the object (frame size - 1 of its colour's and type's
// image list) and takes the mouse where the picture is solid, its
// "imageNode"/"rollover" lights it up. A click picks it up: the picture goes
// clear on its ground place while a copy follows the pointer. A platform
// takes it (moveToStack), lifts it back (pickupFromStack) or drops it when it
// sits at a wrong height (returnToGround: a wobble, then a 1.0 s fall home,
// during which it is neither clickable nor on the ground).

#include <boost/signals2/connection.hpp>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "qdl/Source/Game/DragAndDrop.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerConstants.h"

class StackingTarget;

class StackableObject : public DragSource<StackableObject*>, public SceneLayoutController
{
public:
    StackableObject(int size, StackObjectColor color, StackObjectType type, SceneNode* sourceNode);
    ~StackableObject() override;

    void DoOnStartDragging() override;
    void DoOnCancel() override;
    void DoOnReleased() override;
    void Update(float dt) override;
    // "TollerStacker_StackableObject".
    Corvane::Label GetRole() const override;
    SceneNode* GetLayoutNode() override;
    void AddedToScene() override;

    void acceptMouseInput(bool accept);
    void setRolloverVisible(bool visible);
    void handleMouseEnter();
    void handleMouseExit();
    void handleMouseDown();
    void handleMouseUp() {}

    // 0 for the biggest of its colour: the number of objects of the same
    // colour in the mode that are bigger. Kept once asked.
    int getCorrectStackIndex();
    void moveToStack(StackingTarget* target, bool immediate);
    void returnToGround();
    void pickupFromStack();
    void setIsOnGround(bool onGround) { isOnGround = onGround; }

    bool getIsOnGround() const { return isOnGround; }
    // Dropped off a platform and not landed yet.
    bool isFalling() const { return falling; }
    int getSize() const { return size; }
    StackObjectColor getColor() const { return color; }
    StackObjectType getType() const { return type; }
    Corvane::ObjectID getDragCopy() const { return dragCopy; }
    // The picture and highlight lists of a colour and type; null for a colour
    // that has no pictures.
    static char const* imageListOf(StackObjectColor color, StackObjectType type);
    static char const* rolloverListOf(StackObjectType type);

private:
    SceneNode* root() const { return layoutNode ? layoutNode : unattachedRoot; }
    SceneNode* imageNode() const;
    SceneNode* rolloverNode() const;
    SceneNode* sourceNode() const;
    void destroyDragCopy();
    void land();

    // The tree built here until it is added to a scene; from then on the base's.
    SceneNode* unattachedRoot;
    int correctStackIndex;
    Corvane::ObjectID sourceNodeID;
    bool isOnGround;
    bool falling;
    int size;
    StackObjectColor color;
    StackObjectType type;
    Corvane::ObjectID dragCopy;
    boost::signals2::scoped_connection mouseUp;
    boost::signals2::scoped_connection mouseDown;
    boost::signals2::scoped_connection mouseEnter;
    boost::signals2::scoped_connection mouseExit;
};
