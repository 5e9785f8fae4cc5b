#include "qdl/Source/Game/HereToThere/HereToThereCart.h"

#include <cmath>
#include <vector>

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/DragAndDrop.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/HereToThere/HereToThereMode.h"
#include "qdl/Source/Game/HereToThere/HereToThereObject.h"
#include "qdl/Source/Game/HereToThere/HereToThereTarget.h"

using Corvane::Label;
using Corvane::Vector2;

namespace
{

NodePathElement const kImageNodePath[] = {"imageNode", NodePathTerminator()};
NodePathElement const kObjectAttachNodePath[] = {"ObjectAttachNode", NodePathTerminator()};
NodePathElement const kObjectAttachNodeFlipPath[] = {"ObjectAttachNode_Flip", NodePathTerminator()};
NodePathElement const kYSortedLayerPath[] = {"GameScreenRoot", "Playfield", "YSorted", NodePathTerminator()};

char const* const kForegroundSpeed = "TrundelForegroundDrivingSpeed";
char const* const kBackgroundSpeed = "TrundelBackgroundDrivingSpeed";

SceneNode* descendent(SceneNode* root, NodePathElement const* path)
{
    return root ? root->GetDescendent(path) : nullptr;
}

void playEffect(char const* name)
{
    GetAudioManager()->playSFX(Label::GetUniqueString(name));
}

void maskMouse(bool mask)
{
    if (HereToThereMode* const mode = HereToThereMode::find())
        mode->maskMouseInput(mask);
}

} // namespace

Vector2<float> getHereToThereRoadEnd(HereToThereRoadSide side, int road)
{
    Corvane::Constant<std::vector<Vector2<float> > > const ends(side == kRoadEnd_Left ? "RoadEnd_Left"
                                                                                       : "RoadEnd_Right");
    std::vector<Vector2<float> > const list = ends.IsValid() ? static_cast<std::vector<Vector2<float> > >(ends)
                                                             : std::vector<Vector2<float> >();
    if (list.empty())
        return Vector2<float>(0.0f, 0.0f);
    if (road < 0)
        return list.front();
    return road < static_cast<int>(list.size()) ? list[road] : list.back();
}

HereToThereCart::HereToThereCart() : facingLeft(true), loaded(Corvane::kInvalidObjectID), speedReported(false)
{
    layoutNode = instantiateHereToThereLayout("HereToThereCartLayout");
    setTrundelAnims(false);
    if (SceneNode* const image = getImageNode())
    {
        hornConnection = image->mouseDownSignal.connect([this](SceneNode*, Corvane::MouseButton, int x, int y) {
            if (!passClickToHouseBelow(x, y))
                playEffect("SFX_TrundelHorn");
        });
        image->SetHitTest(true);
    }
}

HereToThereCart::~HereToThereCart() {}

Label HereToThereCart::GetName() const
{
    static Label const name = Label::GetUniqueString("HereToThere_Cart");
    return name;
}

HereToThereCart* HereToThereCart::find()
{
    static Label const name = Label::GetUniqueString("HereToThere_Cart");
    return Corvane::AutoObject<HereToThereCart>(name).Get();
}

SceneNode* HereToThereCart::getImageNode() const
{
    return descendent(layoutNode, kImageNodePath);
}

bool HereToThereCart::hasLoadedObject() const
{
    return Corvane::GetObject<HereToThereObject>(loaded) != nullptr;
}

void HereToThereCart::setTrundelAnims(bool driving)
{
    static Label const drive = Label::GetUniqueString("Drive-Left");
    static Label const idle = Label::GetUniqueString("Idle-Left");
    if (AnimatedSpriteNode* const image = dynamic_cast<AnimatedSpriteNode*>(getImageNode()))
        image->SetAnimation(driving ? drive : idle, false);
}

void HereToThereCart::setCartFacing(bool left)
{
    facingLeft = left;
    if (SceneNode* const image = getImageNode())
        image->LocalSetFlipH(!left);
    SceneNode* const to = descendent(layoutNode, left ? kObjectAttachNodePath : kObjectAttachNodeFlipPath);
    SceneNode* const from = descendent(layoutNode, left ? kObjectAttachNodeFlipPath : kObjectAttachNodePath);
    if (!to || !from)
        return;
    while (!from->GetChildren().empty())
    {
        SceneNode* const child = from->GetChildren().front();
        Vector2<float> const location = child->LocalGetLocation();
        to->AttachChild(child);
        child->LocalSetLocation(location);
    }
}

Vector2<float> HereToThereCart::getOffscreenDestPoint(Vector2<float> const& p) const
{
    return Vector2<float>(Corvane::Constant<float>(facingLeft ? "RoadEndX_Left" : "RoadEndX_Right"), p.y);
}

Vector2<float> HereToThereCart::getEnterScreenStartPoint(HereToThereTarget const* house) const
{
    return getHereToThereRoadEnd(facingLeft ? kRoadEnd_Left : kRoadEnd_Right, house ? house->getRoad() : 0);
}

float HereToThereCart::getDriveTime(Vector2<float> const& a, Vector2<float> const& b, char const* speedName)
{
    float const speed = Corvane::Constant<float>(speedName);
    if (!(speed > 0.0f) || !std::isfinite(speed))
    {
        // A bad speed would give an endless or a negative drive: drive at once instead.
        if (!speedReported)
            Corvane::Internal::LogWrite("HereToThere: the speed %s is %g, not a positive number; the truck "
                                        "moves at once\n",
                                        speedName, static_cast<double>(speed));
        speedReported = true;
        return 0.0f;
    }
    float const dx = a.x - b.x;
    float const dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy) / speed;
}

void HereToThereCart::queueOnNode(std::function<void(HereToThereCart&)> const& call)
{
    if (!layoutNode)
        return;
    Corvane::ObjectID const id = GetID();
    layoutNode->AddTask(new SimpleFunctionTask<SceneNode>([id, call](SceneNode*, float) {
        if (HereToThereCart* const cart = Corvane::GetObject<HereToThereCart>(id))
            call(*cart);
    }));
}

void HereToThereCart::queueDrive(Vector2<float> const& a, Vector2<float> const& b, char const* speed)
{
    if (!layoutNode)
        return;
    float const duration = getDriveTime(a, b, speed);
    queueOnNode([](HereToThereCart& cart) { cart.setTrundelAnims(true); });
    if (duration > 0.0f)
        layoutNode->AddTask(new NodeLocationTask(b, duration));
    else
        layoutNode->AddTask(new NodeLocationTask(b));
    queueOnNode([](HereToThereCart& cart) { cart.setTrundelAnims(false); });
}

void HereToThereCart::queueJump(Vector2<float> const& p)
{
    if (layoutNode)
        layoutNode->AddTask(new NodeLocationTask(p));
}

void HereToThereCart::queueSync()
{
    if (!layoutNode)
        return;
    Corvane::CuePoint* const cue = Corvane::CuePoint::Create();
    layoutNode->AddTask(new Corvane::CuePointTask(cue));
    AddTask(new Corvane::CuePointTask(cue));
}

void HereToThereCart::startLoadingSequence(HereToThereObject* animal)
{
    if (!animal || !layoutNode)
        return;
    maskMouse(true);
    loaded = animal->GetID();
    playEffect("SFX_TrundelMoveShort");
    Vector2<float> const from = layoutNode->LocalGetLocation();
    Vector2<float> to(from.x, from.y);
    if (SceneNode* const node = animal->GetLayoutNode())
        to.x = node->GlobalGetBounds().x;
    queueDrive(from, to, kForegroundSpeed);
    queueOnNode([](HereToThereCart& cart) { cart.loadNewObject(); });
    queueOnNode([](HereToThereCart&) { maskMouse(false); });
}

void HereToThereCart::loadNewObject()
{
    if (HereToThereMode* const mode = HereToThereMode::find())
        mode->resetHintTimer(2);
    HereToThereObject* const animal = Corvane::GetObject<HereToThereObject>(loaded);
    SceneNode* const attach = descendent(layoutNode, facingLeft ? kObjectAttachNodePath : kObjectAttachNodeFlipPath);
    if (!animal || !animal->GetLayoutNode() || !attach)
        return;
    attach->AttachChild(animal->GetLayoutNode());
    animal->GetLayoutNode()->LocalSetLocation(0.0f, 0.0f);
}

void HereToThereCart::startDeliverySequence(HereToThereTarget* house)
{
    if (!house || !layoutNode)
        return;
    maskMouse(true);
    Vector2<float> const entry = getEnterScreenStartPoint(house);
    Vector2<float> const at = layoutNode->LocalGetLocation();
    float const houseLeft = house->GetLayoutNode() ? house->GetLayoutNode()->GlobalGetBounds().x : 0.0f;
    bool const ahead = facingLeft ? houseLeft <= at.x : at.x <= houseLeft;
    if (at.y == entry.y && ahead)
    {
        playEffect("SFX_TrundelMoveShort");
        driveToTargetDirectly(house);
    }
    else
    {
        playEffect("SFX_TrundelMoveLong");
        driveOffScreen();
        bool const turned = !facingLeft;
        queueOnNode([turned](HereToThereCart& cart) { cart.setCartFacing(turned); });
        moveToTargetRoad(house);
        driveToTargetFromOffscreen(house);
    }
    queueSync();
    Corvane::ObjectID const houseID = house->GetID();
    AddTask(new SimpleFunctionTask<HereToThereCart>([houseID](HereToThereCart*, float) {
        if (HereToThereTarget* const target = Corvane::GetObject<HereToThereTarget>(houseID))
            target->performDeliveryCheckAction();
    }));
}

void HereToThereCart::driveToTargetDirectly(HereToThereTarget* house)
{
    if (layoutNode && house)
        queueDrive(layoutNode->LocalGetLocation(), house->getCarPosition(), kBackgroundSpeed);
}

void HereToThereCart::driveOffScreen()
{
    if (!layoutNode)
        return;
    Vector2<float> const at = layoutNode->LocalGetLocation();
    queueDrive(at, getOffscreenDestPoint(at), kForegroundSpeed);
}

void HereToThereCart::moveToTargetRoad(HereToThereTarget* house)
{
    queueJump(getEnterScreenStartPoint(house));
}

void HereToThereCart::driveToTargetFromOffscreen(HereToThereTarget* house)
{
    if (house)
        queueDrive(getEnterScreenStartPoint(house), house->getCarPosition(), kBackgroundSpeed);
}

void HereToThereCart::unloadCurrentObject(SceneNode* node)
{
    HereToThereObject* const animal = Corvane::GetObject<HereToThereObject>(loaded);
    SceneNode* const layer = RootDescendent(kYSortedLayerPath);
    // Reached a second time for one delivery (the drop, then the check itself): nothing is left to set down.
    if (!animal || !animal->GetLayoutNode() || !node || !layer)
        return;
    Corvane::CuePoint* const cue = Corvane::CuePoint::Create();
    SceneNode* const animalNode = animal->GetLayoutNode();
    Vector2<float> const place = node->GlobalGetLocation();
    layer->AttachChild(animalNode);
    animalNode->LocalSetLocation(place.x + 0.0f, place.y + 50.0f);
    animal->hideCage();
    animal->AddTask(new Corvane::TimedTask(2.0f));
    animal->AddTask(new Corvane::SelfDestructTask());
    animal->AddTask(new Corvane::CuePointTask(cue));
    AddTask(new Corvane::CuePointTask(cue));
    loaded = Corvane::kInvalidObjectID;
}

void HereToThereCart::returnToLoadingArea(HereToThereTarget* house)
{
    if (HereToThereMode* const mode = HereToThereMode::find())
        mode->resetHintTimer(1);
    if (!layoutNode || !house)
        return;
    queueOnNode([](HereToThereCart&) { playEffect("SFX_TrundelMoveLong"); });
    layoutNode->AddTask(new Corvane::TimedTask(0.5f));
    Vector2<float> const loadingRowEnd = Corvane::Constant<Vector2<float> >("LoadingRowEnd_Left");
    Vector2<float> const idle = Corvane::Constant<Vector2<float> >("TrundelIdleLocation");
    Vector2<float> const car = house->getCarPosition();
    queueDrive(car, getOffscreenDestPoint(car), kBackgroundSpeed);
    queueJump(loadingRowEnd);
    queueOnNode([](HereToThereCart& cart) { cart.setCartFacing(true); });
    queueDrive(loadingRowEnd, idle, kBackgroundSpeed);
    queueSync();
    AddTask(new SimpleFunctionTask<HereToThereCart>([](HereToThereCart*, float) {
        if (HereToThereMode* const mode = HereToThereMode::find())
        {
            mode->maskMouseInput(false);
            mode->checkLevelEnd();
        }
    }));
}

bool HereToThereCart::passClickToHouseBelow(int x, int y)
{
    if (!DragSource<HereToThereObject*>::GetHeldDragSource())
        return false;
    HereToThereTarget* const house =
        HereToThereTarget::findAt(Vector2<float>(static_cast<float>(x), static_cast<float>(y)));
    if (!house)
        return false;
    house->handleMouseDown();
    return true;
}
