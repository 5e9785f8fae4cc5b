#pragma once

// One cart of the delivery train, built from "DeliveryCartLayout": "cart"
// is the animated body, "cargoImage" the cargo as a cart shows it,
// "cargoImage_front" as the truck (cart 1) shows it, "rolloverNode" and
// "rolloverNode_front" their outlines (shown as the layout says), and
// "cargoTarget" where a delivered choice is set down. The truck honks when
// clicked.

#include <boost/signals2/connection.hpp>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryConstants.h"

class DeliveryCart : public SceneLayoutController
{
public:
    DeliveryCart(TrundelsDeliveryType type, bool isFirst);
    ~DeliveryCart() override;

    SceneNode* GetLayoutNode() override;
    void AddedToScene() override;
    // "TrundelsDelivery_Cart".
    Corvane::Label GetRole() const override;
    static Corvane::Label role();

    // The body plays the animation, unless it plays it already.
    void setCartAnim(Corvane::Label animation);
    void showCartContents(bool show);

    TrundelsDeliveryType getType() const { return type; }
    bool getIsFirst() const { return isFirst; }
    SceneNode* getCargoTarget() const;

private:
    SceneNode* root() const { return layoutNode ? layoutNode : unattachedRoot; }

    SceneNode* unattachedRoot;
    TrundelsDeliveryType type;
    bool isFirst;
    boost::signals2::scoped_connection horn;
};
