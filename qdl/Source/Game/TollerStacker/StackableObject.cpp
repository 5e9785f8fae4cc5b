#include "qdl/Source/Game/TollerStacker/StackableObject.h"

#include "Core/Source/Log.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/NodeTasks.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/GameNodeLookup.h"
#include "qdl/Source/Game/NodeFeedbackTasks.h"
#include "qdl/Source/Game/QuarrydaleGameMode.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/TollerStacker/StackingTarget.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerElements.h"

using namespace Corvane;

namespace
{

NodePathElement const kImagePath[] = {"imageNode", NodePathTerminator()};
NodePathElement const kRolloverPath[] = {"imageNode", "rollover", NodePathTerminator()};

// A point hits the object only where its picture is this solid (of 255).
int const kPictureAlphaSensitivity = 100;
float const kFallSeconds = 1.0f;

Label const kRolloverSound = Label::GetUniqueString("SFX_ObjectRollover");
Label const kPickUpSound = Label::GetUniqueString("SFX_ObjectStick");
Label const kDropSound = Label::GetUniqueString("SFX_DropGirder");

void showFrame(SceneNode* node, char const* imageList, int frame)
{
    if (StaticSpriteNode* const sprite = dynamic_cast<StaticSpriteNode*>(node))
    {
        if (imageList)
            sprite->setImage(Label::GetUniqueString(imageList), frame);
        else
            sprite->setImage(static_cast<IImage const*>(nullptr));
    }
}

void resetHintOfTopMode(int level)
{
    if (QuarrydaleGameMode* const mode = dynamic_cast<QuarrydaleGameMode*>(MainLoop::GetTopMostMode(0)))
        mode->resetHintTimer(level);
}

} // namespace

StackableObject::StackableObject(int size_, StackObjectColor color_, StackObjectType type_, SceneNode* source)
    : DragSource<StackableObject*>(this), unattachedRoot(nullptr), correctStackIndex(-1),
      sourceNodeID(source ? source->GetID() : kInvalidObjectID), isOnGround(true), falling(false), size(size_),
      color(color_), type(type_), dragCopy(kInvalidObjectID)
{
    unattachedRoot = newElementLayout(kStackableObjectLayout, "TollerStacker");
    showFrame(imageNode(), imageListOf(color, type), size - 1);
    showFrame(rolloverNode(), rolloverListOf(type), size - 1);
    if (StaticSpriteNode* const picture = dynamic_cast<StaticSpriteNode*>(imageNode()))
        picture->SetAlphaSensitivity(kPictureAlphaSensitivity);
    if (SceneNode* const picture = imageNode())
    {
        mouseUp = picture->mouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseUp(); });
        mouseDown = picture->mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseDown(); });
        mouseEnter = picture->mouseEnterSignal.connect([this](SceneNode*) { handleMouseEnter(); });
        mouseExit = picture->mouseExitSignal.connect([this](SceneNode*) { handleMouseExit(); });
    }
    acceptMouseInput(true);
}

StackableObject::~StackableObject()
{
    deleteUnattachedTree(unattachedRoot);
}

char const* StackableObject::imageListOf(StackObjectColor color, StackObjectType type)
{
    bool const log = type == kStackObjectType_Log;
    if (color == kStackObjectColor_Red)
        return log ? "RedLogs" : "RedGirders";
    if (color == kStackObjectColor_Blue)
        return log ? "BlueLogs" : "BlueGirders";
    return nullptr;
}

char const* StackableObject::rolloverListOf(StackObjectType type)
{
    return type == kStackObjectType_Log ? "LogRollover" : "GirderRollover";
}

Label StackableObject::GetRole() const
{
    return stackableObjectRole();
}

SceneNode* StackableObject::GetLayoutNode()
{
    return root();
}

void StackableObject::AddedToScene()
{
    unattachedRoot = nullptr;
}

SceneNode* StackableObject::imageNode() const
{
    return findStackerNode(root(), kImagePath, kStackableObjectLayout);
}

SceneNode* StackableObject::rolloverNode() const
{
    return findStackerNode(root(), kRolloverPath, kStackableObjectLayout);
}

SceneNode* StackableObject::sourceNode() const
{
    ObjectDatabase* const database = GetDatabase() ? GetDatabase() : GetObjectDatabase();
    return database ? dynamic_cast<SceneNode*>(database->GetObject(sourceNodeID)) : nullptr;
}

void StackableObject::acceptMouseInput(bool accept)
{
    if (SceneNode* const picture = imageNode())
        picture->SetHitTest(accept);
}

void StackableObject::setRolloverVisible(bool visible)
{
    if (SceneNode* const rollover = rolloverNode())
        rollover->LocalSetVisible(visible);
}

void StackableObject::handleMouseEnter()
{
    GetAudioManager()->playSFX(kRolloverSound);
    setRolloverVisible(true);
}

void StackableObject::handleMouseExit()
{
    setRolloverVisible(false);
}

void StackableObject::handleMouseDown()
{
    Drag();
}

void StackableObject::DoOnStartDragging()
{
    resetHintOfTopMode(2);
    acceptMouseInput(false);
    GetAudioManager()->playSFX(kPickUpSound);

    destroyDragCopy();
    ObjectDatabase* const database = GetObjectDatabase();
    SceneNode* const effects = RootDescendent(kFXLayerPath);
    SceneNode* const copy = database && effects ? newElementLayout(kStackableObjectLayout, "TollerStacker") : nullptr;
    if (copy)
    {
        effects->AttachChild(copy);
        copy->AddToDatabase(database);
        showFrame(copy->GetDescendent(kImagePath), imageListOf(color, type), size - 1);
        copy->LocalSetLocation(-900.0f, -900.0f);
        dragCopy = copy->GetID();
    }
    if (SceneNode* const picture = imageNode())
        picture->LocalSetAlpha(0.0f);
}

void StackableObject::DoOnCancel()
{
    resetHintOfTopMode(1);
    acceptMouseInput(true);
    if (SceneNode* const picture = imageNode())
        picture->LocalSetAlpha(1.0f);
    destroyDragCopy();
}

void StackableObject::DoOnReleased()
{
    resetHintOfTopMode(1);
    if (isOnGround)
        acceptMouseInput(true);
    if (SceneNode* const picture = imageNode())
        picture->LocalSetAlpha(1.0f);
    destroyDragCopy();
}

void StackableObject::destroyDragCopy()
{
    ObjectDatabase* const database = GetObjectDatabase();
    if (database && dragCopy != kInvalidObjectID && database->GetObject(dragCopy))
        database->DestroyObject(dragCopy);
    dragCopy = kInvalidObjectID;
}

void StackableObject::Update(float dt)
{
    Object::Update(dt);
    ObjectDatabase* const database = GetDatabase();
    SceneNode* const copy = database && dragCopy != kInvalidObjectID
                                ? dynamic_cast<SceneNode*>(database->GetObject(dragCopy))
                                : nullptr;
    if (!copy)
        return;
    std::pair<int, int> const mouse = MainLoop::GetLastMousePos();
    copy->LocalSetLocation(static_cast<float>(mouse.first), static_cast<float>(mouse.second));
}

int StackableObject::getCorrectStackIndex()
{
    if (correctStackIndex != -1)
        return correctStackIndex;
    int bigger = 0;
    if (ObjectDatabase* const database = GetObjectDatabase())
        for (ObjectID const id : database->GetObjectsWithRole(stackableObjectRole()))
        {
            StackableObject const* const other = dynamic_cast<StackableObject*>(database->GetObject(id));
            if (other && other->color == color && other->size > size)
                ++bigger;
        }
    correctStackIndex = bigger;
    return correctStackIndex;
}

void StackableObject::moveToStack(StackingTarget* target, bool immediate)
{
    if (!immediate)
        GetAudioManager()->playSFX(kDropSound);
    isOnGround = false;
    SceneNode* const point = target ? target->getCurrentStackingPoint() : nullptr;
    if (point && root())
        point->AttachChild(root());
}

void StackableObject::pickupFromStack()
{
    isOnGround = true;
    acceptMouseInput(true);
    SceneNode* const home = sourceNode();
    if (home && root())
    {
        home->AttachChild(root());
        root()->LocalSetLocation(0.0f, 0.0f);
    }
    setRolloverVisible(false);
    Drag();
}

void StackableObject::returnToGround()
{
    setRolloverVisible(false);
    acceptMouseInput(false);
    SceneNode* const node = root();
    SceneNode* const home = sourceNode();
    if (!node || !home)
    {
        Internal::LogWrite("TollerStacker: an object has lost its ground place and stays where it is\n");
        return;
    }
    falling = true;
    Vector2<float> const global = node->GlobalGetLocation();
    home->AttachChild(node);
    Vector2<float> const l = node->GlobalToLocalPoint(global);
    node->LocalSetLocation(l);
    node->AddTask(getNodeErrorShakeTask());
    // The second control point's y comes from l.x: the fall swings out sideways before it lands.
    node->AddTask(new NodeBezierLocationTask(Vector2<float>(0.0f, 0.0f), Vector2<float>(0.5f * l.x, 1.3f * l.y),
                                             Vector2<float>(0.0f, l.x / 5.0f), kFallSeconds));
    ObjectID const self = GetID();
    node->AddTask(new SimpleFunctionTask<SceneNode>([self](SceneNode*, float) {
        if (StackableObject* const object = stackableObjectOf(self))
            object->land();
    }));
}

void StackableObject::land()
{
    falling = false;
    acceptMouseInput(true);
    setIsOnGround(true);
    GetAudioManager()->playSFX(kDropSound);
}
