#include "qdl/Source/Game/TrundelsDelivery/DeliveryObject.h"

#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameNodeLookup.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/TrundelsDelivery/DeliveryCart.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryElements.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"

using namespace Corvane;

namespace
{

NodePathElement const kImagePath[] = {"imageNode", NodePathTerminator()};
NodePathElement const kRolloverPath[] = {"imageNode", "rolloverNode", NodePathTerminator()};
NodePathElement const kHookPath[] = {"HookAssembly", NodePathTerminator()};

Label const kSmallCargo = Label::GetUniqueString("TrundelDeliveryItems_Small");
Label const kSmallCargoRollover = Label::GetUniqueString("TrundelDeliveryItems_Small_rollover");
Label const kLargeCargo = Label::GetUniqueString("TrundelDeliveryItems_Large");
Label const kLargeCargoRollover = Label::GetUniqueString("TrundelDeliveryItems_Large_rollover");
Label const kRolloverSound = Label::GetUniqueString("SFX_ObjectRollover");
Label const kClickSound = Label::GetUniqueString("SFX_GeneralClick");
Label const kHookSound = Label::GetUniqueString("SFX_Toolbox");
Label const kDropSound = Label::GetUniqueString("SFX_BrickDrop");

// A click hits the cargo only where its picture is more solid than this (of 255).
int const kPictureAlphaSensitivity = 128;
// Above the top of the screen, where the hook lifts the cargo to.
float const kOffScreenGlobalY = -150.0f;
float const kHookDownSeconds = 1.0f;
float const kLiftSeconds = 2.0f;
float const kDropSeconds = 2.0f;
float const kHookUpSeconds = 1.0f;
Vector2<float> const kHookOnCargo(0.0f, -65.0f);
Vector2<float> const kHookOnSmallCargo(0.0f, -40.0f);
Vector2<float> const kHookOutOfSight(0.0f, -600.0f);

void showFrame(SceneNode* node, Label imageList, int frame)
{
    if (StaticSpriteNode* const sprite = dynamic_cast<StaticSpriteNode*>(node))
        sprite->setImage(imageList, frame);
}

// The cargo's picture, large or small, has its middle on the choice's origin, where the hook aims.
void centreOnOrigin(SceneNode* image)
{
    if (image)
        image->LocalSetLocation(-image->GetWidth() / 2.0f, -image->GetHeight() / 2.0f);
}

Task* playEffect(Label sound)
{
    return new SimpleFunctionTask<Object>([sound](Object*, float) { GetAudioManager()->playSFX(sound); });
}

} // namespace

DeliveryObject::DeliveryObject(TrundelsDeliveryType type_) : unattachedRoot(nullptr), type(type_)
{
    unattachedRoot = newElementLayout(kDeliveryObjectLayout, "TrundelsDelivery");
    showFrame(getImageNode(), kLargeCargo, type);
    centreOnOrigin(getImageNode());
    if (StaticSpriteNode* const image = dynamic_cast<StaticSpriteNode*>(getImageNode()))
        image->SetAlphaSensitivity(kPictureAlphaSensitivity);
    showFrame(rolloverNode(), kLargeCargoRollover, type);
    setupMouseHandling();
    acceptMouseInput(true);
}

DeliveryObject::~DeliveryObject()
{
    deleteUnattachedTree(unattachedRoot);
}

SceneNode* DeliveryObject::GetLayoutNode()
{
    return root();
}

void DeliveryObject::AddedToScene()
{
    unattachedRoot = nullptr;
}

SceneNode* DeliveryObject::getImageNode() const
{
    return findDeliveryNode(root(), kImagePath, kDeliveryObjectLayout);
}

SceneNode* DeliveryObject::rolloverNode() const
{
    return findDeliveryNode(root(), kRolloverPath, kDeliveryObjectLayout);
}

SceneNode* DeliveryObject::getHookNode() const
{
    return findDeliveryNode(root(), kHookPath, kDeliveryObjectLayout);
}

void DeliveryObject::setupMouseHandling()
{
    SceneNode* const image = getImageNode();
    if (!image)
        return;
    mouseUp = image->mouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseUp(); });
    mouseDown = image->mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseDown(); });
    mouseEnter = image->mouseEnterSignal.connect([this](SceneNode*) { handleMouseEnter(); });
    mouseExit = image->mouseExitSignal.connect([this](SceneNode*) { handleMouseExit(); });
}

void DeliveryObject::acceptMouseInput(bool accept)
{
    if (SceneNode* const image = getImageNode())
        image->SetHitTest(accept);
}

void DeliveryObject::handleMouseEnter()
{
    GetAudioManager()->playSFX(kRolloverSound);
    if (SceneNode* const rollover = rolloverNode())
        rollover->LocalSetVisible(true);
}

void DeliveryObject::handleMouseExit()
{
    if (SceneNode* const rollover = rolloverNode())
        rollover->LocalSetVisible(false);
}

void DeliveryObject::handleMouseDown()
{
    GetAudioManager()->playSFX(kClickSound);
    if (TrundelsDeliveryMode* const mode = topDeliveryMode())
        mode->buttonClicked(this);
}

float DeliveryObject::offScreenY() const
{
    SceneNode* const node = root();
    return node ? node->GlobalToLocalPoint(Vector2<float>(0.0f, kOffScreenGlobalY)).y : kOffScreenGlobalY;
}

void DeliveryObject::getPickedUp()
{
    SceneNode* const node = root();
    SceneNode* const hook = getHookNode();
    if (!node || !hook)
        return;
    hook->AddTask(new NodeLocationTask(kHookOnCargo, kHookDownSeconds));
    hook->AddTask(playEffect(kHookSound));
    joinDeliveryQueues(hook, node);
    node->AddTask(new NodeLocationTask(Vector2<float>(0.0f, offScreenY()), kLiftSeconds));
    ObjectID const self = GetID();
    node->AddTask(new SimpleFunctionTask<Object>([self](Object*, float) {
        ObjectDatabase* const database = GetObjectDatabase();
        if (DeliveryObject* const choice = database ? dynamic_cast<DeliveryObject*>(database->GetObject(self)) : nullptr)
            choice->useSmallImage();
    }));
    joinDeliveryQueues(node, this);
}

void DeliveryObject::useSmallImage()
{
    showFrame(getImageNode(), kSmallCargo, type);
    centreOnOrigin(getImageNode());
    showFrame(rolloverNode(), kSmallCargoRollover, type);
    if (SceneNode* const hook = getHookNode())
        hook->LocalSetLocation(kHookOnSmallCargo);
}

void DeliveryObject::placeInCart(DeliveryCart* cart)
{
    SceneNode* const node = root();
    SceneNode* const target = cart ? cart->getCargoTarget() : nullptr;
    if (!node || !target)
        return;
    float const y = target->GlobalToLocalPoint(Vector2<float>(0.0f, kOffScreenGlobalY)).y;
    ObjectID const nodeID = node->GetID();
    ObjectID const targetID = target->GetID();
    // Moved between the tree's parents only when its turn comes, after the lift.
    node->AddTask(new SimpleFunctionTask<Object>([nodeID, targetID, y](Object*, float) {
        ObjectDatabase* const database = GetObjectDatabase();
        SceneNode* const cargo = database ? dynamic_cast<SceneNode*>(database->GetObject(nodeID)) : nullptr;
        SceneNode* const place = database ? dynamic_cast<SceneNode*>(database->GetObject(targetID)) : nullptr;
        if (!cargo || !place)
            return;
        place->AttachChild(cargo);
        cargo->LocalSetLocation(0.0f, y);
    }));
    node->AddTask(new NodeLocationTask(Vector2<float>(0.0f, 0.0f), kDropSeconds));
    node->AddTask(playEffect(kDropSound));
    joinDeliveryQueues(node, this);
}

void DeliveryObject::retractHook()
{
    SceneNode* const hook = getHookNode();
    if (!hook)
        return;
    joinDeliveryQueues(hook, this);
    hook->AddTask(new SimpleFunctionTask<Object>([](Object*, float) { GetAudioManager()->playInGameFeedbackVocal(true); }));
    hook->AddTask(new NodeLocationTask(kHookOutOfSight, kHookUpSeconds));
    joinDeliveryQueues(hook, this);
}

void DeliveryObject::removeFromCartAndDestroy()
{
    SceneNode* const node = root();
    if (node)
    {
        joinDeliveryQueues(node, this);
        node->AddTask(new NodeLocationTask(Vector2<float>(0.0f, offScreenY()), kLiftSeconds));
        joinDeliveryQueues(node, this);
    }
    AddTask(new SelfDestructTask());
}
