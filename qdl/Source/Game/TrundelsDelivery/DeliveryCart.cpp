#include "qdl/Source/Game/TrundelsDelivery/DeliveryCart.h"

#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameNodeLookup.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryElements.h"

using namespace Corvane;

namespace
{

NodePathElement const kCargoPath[] = {"cargoImage", NodePathTerminator()};
NodePathElement const kFrontCargoPath[] = {"cargoImage_front", NodePathTerminator()};
NodePathElement const kRolloverPath[] = {"rolloverNode", NodePathTerminator()};
NodePathElement const kFrontRolloverPath[] = {"rolloverNode_front", NodePathTerminator()};
NodePathElement const kCartPath[] = {"cart", NodePathTerminator()};
NodePathElement const kCargoTargetPath[] = {"cargoTarget", NodePathTerminator()};

Label const kSmallCargo = Label::GetUniqueString("TrundelDeliveryItems_Small");
Label const kSmallCargoRollover = Label::GetUniqueString("TrundelDeliveryItems_Small_rollover");
Label const kTruckSpriteType = Label::GetUniqueString("Trundel_SpriteType");
Label const kDriveAnimation = Label::GetUniqueString("Drive-Left");
Label const kHornSound = Label::GetUniqueString("SFX_TrundelHorn");

void showFrame(SceneNode* node, Label imageList, int frame)
{
    if (StaticSpriteNode* const sprite = dynamic_cast<StaticSpriteNode*>(node))
        sprite->setImage(imageList, frame);
}

} // namespace

DeliveryCart::DeliveryCart(TrundelsDeliveryType type_, bool isFirst_)
    : unattachedRoot(nullptr), type(type_), isFirst(isFirst_)
{
    unattachedRoot = newElementLayout(kDeliveryCartLayout, "TrundelsDelivery");
    SceneNode* const cargo = findDeliveryNode(root(), kCargoPath, kDeliveryCartLayout);
    SceneNode* const frontCargo = findDeliveryNode(root(), kFrontCargoPath, kDeliveryCartLayout);
    showFrame(cargo, kSmallCargo, type);
    showFrame(frontCargo, kSmallCargo, type);
    if (cargo)
        cargo->LocalSetVisible(!isFirst);
    if (frontCargo)
        frontCargo->LocalSetVisible(isFirst);
    AnimatedSpriteNode* const body =
        dynamic_cast<AnimatedSpriteNode*>(findDeliveryNode(root(), kCartPath, kDeliveryCartLayout));
    if (isFirst && body)
    {
        body->SetSpriteType(kTruckSpriteType);
        body->SetAnimation(kDriveAnimation, true);
        horn = body->mouseDownSignal.connect(
            [](SceneNode*, MouseButton, int, int) { GetAudioManager()->playSFX(kHornSound); });
        body->SetHitTest(true);
    }
    showFrame(findDeliveryNode(root(), kRolloverPath, kDeliveryCartLayout), kSmallCargoRollover, type);
    showFrame(findDeliveryNode(root(), kFrontRolloverPath, kDeliveryCartLayout), kSmallCargoRollover, type);
}

DeliveryCart::~DeliveryCart()
{
    deleteUnattachedTree(unattachedRoot);
}

SceneNode* DeliveryCart::GetLayoutNode()
{
    return root();
}

void DeliveryCart::AddedToScene()
{
    unattachedRoot = nullptr;
}

Label DeliveryCart::role()
{
    static Label const label = Label::GetUniqueString("TrundelsDelivery_Cart");
    return label;
}

Label DeliveryCart::GetRole() const
{
    return role();
}

void DeliveryCart::setCartAnim(Label animation)
{
    if (AnimatedSpriteNode* const body =
            dynamic_cast<AnimatedSpriteNode*>(findDeliveryNode(root(), kCartPath, kDeliveryCartLayout)))
        body->SetAnimation(animation, false);
}

void DeliveryCart::showCartContents(bool show)
{
    if (SceneNode* const cargo = findDeliveryNode(root(), kCargoPath, kDeliveryCartLayout))
        cargo->LocalSetVisible(show);
}

SceneNode* DeliveryCart::getCargoTarget() const
{
    return findDeliveryNode(root(), kCargoTargetPath, kDeliveryCartLayout);
}
