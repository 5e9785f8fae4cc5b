#include "qdl/Source/Game/HereToThere/HereToThereTarget.h"

#include <vector>

#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/HereToThere/HereToThereCart.h"
#include "qdl/Source/Game/HereToThere/HereToThereMode.h"
#include "qdl/Source/Game/HereToThere/HereToThereObject.h"

using Corvane::Label;

namespace
{

NodePathElement const kImageNodePath[] = {"imageNode", NodePathTerminator()};
NodePathElement const kFlagShapeNodePath[] = {"imageNode", "flag", "shapeNode", NodePathTerminator()};
NodePathElement const kCageAttachPath[] = {"imageNode", "cageAttach", NodePathTerminator()};

SceneNode* descendent(SceneNode* root, NodePathElement const* path)
{
    return root ? root->GetDescendent(path) : nullptr;
}

Label houseRole()
{
    static Label const role = Label::GetUniqueString("HereToThere_Target");
    return role;
}

} // namespace

HereToThereTarget::HereToThereTarget(HereToThereObjectColor color, HereToThereObjectShape shape, int road)
    : color(color), shape(shape), road(road), checking(false)
{
    layoutNode = instantiateHereToThereLayout("HereToThereTargetLayout");

    if (StaticSpriteNode* const picture = dynamic_cast<StaticSpriteNode*>(descendent(layoutNode, kImageNodePath)))
    {
        Corvane::AutoResource<Corvane::ImageList> const houses("HereToThere_DeliveryHouses");
        int const count = houses ? houses->GetNumImages() : 0;
        if (count > 0)
        {
            picture->setImage(houses->GetImage(Corvane::Random::GetIntRange(count - 1)));
        }
        else
        {
            // No picture to draw from: the house stays unpainted but keeps its mouse area.
            float const width = picture->GetWidth();
            float const height = picture->GetHeight();
            picture->setImage(static_cast<Corvane::IImage const*>(nullptr));
            picture->SetWidth(width);
            picture->SetHeight(height);
        }
    }
    if (StaticSpriteNode* const flag = dynamic_cast<StaticSpriteNode*>(descendent(layoutNode, kFlagShapeNodePath)))
        flag->setImage(getHereToThereFlagImageList(shape), color);

    setupMouseHandling();
    acceptMouseInput(true);
}

HereToThereTarget::~HereToThereTarget() {}

Label HereToThereTarget::GetRole() const
{
    return houseRole();
}

void HereToThereTarget::acceptMouseInput(bool accept)
{
    if (SceneNode* const picture = descendent(layoutNode, kImageNodePath))
        picture->SetHitTest(accept);
}

void HereToThereTarget::setupMouseHandling()
{
    SceneNode* const picture = descendent(layoutNode, kImageNodePath);
    if (!picture)
        return;
    connections[0] = picture->mouseUpSignal.connect(
        [this](SceneNode*, Corvane::MouseButton, int, int) { handleMouseUp(); });
    connections[1] = picture->mouseDownSignal.connect(
        [this](SceneNode*, Corvane::MouseButton, int, int) { handleMouseDown(); });
    connections[2] = picture->mouseEnterSignal.connect([this](SceneNode*) { handleMouseEnter(); });
    connections[3] = picture->mouseExitSignal.connect([this](SceneNode*) { handleMouseExit(); });
}

void HereToThereTarget::handleMouseEnter()
{
    DragEnter();
}

void HereToThereTarget::handleMouseExit()
{
    DragLeave();
}

void HereToThereTarget::handleMouseDown()
{
    if (!DragSource<HereToThereObject*>::GetHeldDragSource())
        return;
    HereToThereCart* const cart = HereToThereCart::find();
    if (!cart)
        return;
    cart->startDeliverySequence(this);
    static Label const select = Label::GetUniqueString("SFX_SelectItem");
    GetAudioManager()->playSFX(select);
}

HereToThereTarget* HereToThereTarget::findAt(Corvane::Vector2<float> const& point)
{
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    if (!database)
        return nullptr;
    std::vector<Corvane::ObjectID> const houses = database->GetObjectsWithRole(houseRole());
    for (Corvane::ObjectID const id : houses)
    {
        HereToThereTarget* const house = dynamic_cast<HereToThereTarget*>(database->GetObject(id));
        SceneNode* const picture = house ? descendent(house->layoutNode, kImageNodePath) : nullptr;
        if (picture && picture->GetDescendentAtLocation(point))
            return house;
    }
    return nullptr;
}

SceneNode* HereToThereTarget::getCageAttachNode() const
{
    return descendent(layoutNode, kCageAttachPath);
}

Corvane::Vector2<float> HereToThereTarget::getCarPosition() const
{
    Corvane::Vector2<float> position(0.0f, getHereToThereRoadEnd(kRoadEnd_Right, road).y);
    if (layoutNode)
    {
        Corvane::Rect<float> const bounds = layoutNode->GlobalGetBounds();
        position.x = bounds.x + 0.5f * bounds.width;
    }
    return position;
}

void HereToThereTarget::DropActivated(HereToThereObject*)
{
    if (!checking)
        return;
    if (HereToThereCart* const cart = HereToThereCart::find())
        cart->unloadCurrentObject(getCageAttachNode());
}

void HereToThereTarget::performDeliveryCheckAction()
{
    HereToThereObject* const animal =
        dynamic_cast<HereToThereObject*>(DragSource<HereToThereObject*>::GetHeldDragSource_Mutable());
    if (!animal)
        return;
    HereToThereCart* const cart = HereToThereCart::find();
    if (animal->getColor() == color && animal->getShape() == shape)
    {
        checking = true;
        animal->Release();
        checking = false;
        if (cart)
        {
            // Does nothing when the drop above has already set the animal down here.
            cart->unloadCurrentObject(getCageAttachNode());
            cart->returnToLoadingArea(this);
        }
        GetAudioManager()->playInGameFeedbackVocal(true);
        return;
    }
    static Label const incorrect = Label::GetUniqueString("HereToThere_IncorrectAnswer");
    GetAudioManager()->playSpecificSoundVocal(incorrect);
    if (HereToThereMode* const mode = HereToThereMode::find())
        mode->maskMouseInput(false);
}
