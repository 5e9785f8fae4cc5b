#include "qdl/Source/Game/HereToThere/HereToThereObject.h"

#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/HereToThere/HereToThereCart.h"

using Corvane::Label;

int kNumHereToThereAnimals = 3;

namespace
{

NodePathElement const kCartImageNodePath[] = {"cartImageNode", NodePathTerminator()};
NodePathElement const kCartShapeNodePath[] = {"cartImageNode", "shapeNode", NodePathTerminator()};
NodePathElement const kCartRolloverPath[] = {"cartImageNode", "rollover", NodePathTerminator()};
NodePathElement const kClickRectPath[] = {"clickRect", NodePathTerminator()};
NodePathElement const kAnimalNodePath[] = {"animal", NodePathTerminator()};

SceneNode* descendent(SceneNode* root, NodePathElement const* path)
{
    return root ? root->GetDescendent(path) : nullptr;
}

} // namespace

HereToThereObject::HereToThereObject(HereToThereObjectColor color, HereToThereObjectShape shape)
    : DragSource<HereToThereObject*>(this), color(color), shape(shape)
{
    layoutNode = instantiateHereToThereLayout("HereToThereObjectLayout");

    static Label const animals = Label::GetUniqueString("HereToThere_Animal");
    if (StaticSpriteNode* const animal = dynamic_cast<StaticSpriteNode*>(descendent(layoutNode, kAnimalNodePath)))
        animal->setImage(animals, Corvane::Random::GetIntRange(kNumHereToThereAnimals - 1));
    if (StaticSpriteNode* const flag = dynamic_cast<StaticSpriteNode*>(descendent(layoutNode, kCartShapeNodePath)))
        flag->setImage(getHereToThereFlagImageList(shape), color);

    setupMouseHandling();
    acceptMouseInput(true);
}

HereToThereObject::~HereToThereObject() {}

Label HereToThereObject::GetRole() const
{
    static Label const role = Label::GetUniqueString("HereToThere_Object");
    return role;
}

void HereToThereObject::acceptMouseInput(bool accept)
{
    if (SceneNode* const clickRect = descendent(layoutNode, kClickRectPath))
        clickRect->SetHitTest(accept);
}

void HereToThereObject::setupMouseHandling()
{
    SceneNode* const clickRect = descendent(layoutNode, kClickRectPath);
    if (!clickRect)
        return;
    connections[0] = clickRect->mouseUpSignal.connect(
        [this](SceneNode*, Corvane::MouseButton, int, int) { handleMouseUp(); });
    connections[1] = clickRect->mouseDownSignal.connect([this](SceneNode*, Corvane::MouseButton, int x, int y) {
        // Riding on the truck, the cage lies over the house the truck waits at.
        HereToThereCart* const cart = HereToThereCart::find();
        if (!cart || cart->getLoadedObjectID() != GetID() || !cart->passClickToHouseBelow(x, y))
            handleMouseDown();
    });
    connections[2] = clickRect->mouseEnterSignal.connect([this](SceneNode*) { handleMouseEnter(); });
    connections[3] = clickRect->mouseExitSignal.connect([this](SceneNode*) { handleMouseExit(); });
}

void HereToThereObject::hideCage()
{
    if (SceneNode* const cage = descendent(layoutNode, kCartImageNodePath))
        cage->LocalSetVisible(false);
}

void HereToThereObject::showRollover(bool show)
{
    if (SceneNode* const rollover = descendent(layoutNode, kCartRolloverPath))
        rollover->LocalSetVisible(show);
}

void HereToThereObject::handleMouseEnter()
{
    // While an animal is held, the others stay dark.
    if (GetHeldDragSource())
        return;
    showRollover(true);
    static Label const rollover = Label::GetUniqueString("SFX_ObjectRollover");
    GetAudioManager()->playSFX(rollover);
}

void HereToThereObject::handleMouseExit()
{
    showRollover(false);
}

void HereToThereObject::handleMouseDown()
{
    HereToThereCart* const cart = HereToThereCart::find();
    if (!cart || cart->hasLoadedObject())
        return;
    cart->startLoadingSequence(this);
    Drag();
}

void HereToThereObject::DoOnStartDragging()
{
    showRollover(false);
    static Label const select = Label::GetUniqueString("SFX_SelectItem");
    GetAudioManager()->playSFX(select);
}
