#pragma once

// One cargo choice of the delivery game, built from "DeliveryObjectLayout":
// "imageNode" shows the cargo (large while it waits, small once lifted) and
// takes the mouse where the picture is solid, "imageNode"/"rolloverNode"
// outlines it under the mouse, and "HookAssembly" is the crane's hook, which
// waits out of sight above. A press hands the choice to the running
// TrundelsDeliveryMode. Its animations end at a cue point with the choice's
// own queue, so that what the mode queues on the choice runs after them.

#include <boost/signals2/connection.hpp>

#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryConstants.h"

class DeliveryCart;

class DeliveryObject : public SceneLayoutController
{
public:
    explicit DeliveryObject(TrundelsDeliveryType type);
    ~DeliveryObject() override;

    SceneNode* GetLayoutNode() override;
    void AddedToScene() override;

    void setupMouseHandling();
    void acceptMouseInput(bool accept);
    void handleMouseEnter();
    void handleMouseExit();
    void handleMouseDown();
    void handleMouseUp() {}

    // The hook comes down (1.0 s) and lifts the cargo off the top of the screen (2.0 s).
    void getPickedUp();
    void useSmallImage();
    // The cargo drops into the cart's "cargoTarget" (2.0 s).
    void placeInCart(DeliveryCart* cart);
    // A right answer: the correct-answer voice, the hook back up (1.0 s).
    void retractHook();
    // A wrong answer: the cargo rises out of the cart (2.0 s) and the choice is destroyed.
    void removeFromCartAndDestroy();

    TrundelsDeliveryType getType() const { return type; }
    SceneNode* getImageNode() const;
    SceneNode* getHookNode() const;

private:
    SceneNode* root() const { return layoutNode ? layoutNode : unattachedRoot; }
    SceneNode* rolloverNode() const;
    // The y in the cargo's own frame of a point above the top of the screen.
    float offScreenY() const;

    SceneNode* unattachedRoot;
    TrundelsDeliveryType type;
    boost::signals2::scoped_connection mouseUp;
    boost::signals2::scoped_connection mouseDown;
    boost::signals2::scoped_connection mouseEnter;
    boost::signals2::scoped_connection mouseExit;
};
