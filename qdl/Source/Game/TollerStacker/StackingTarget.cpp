#include "qdl/Source/Game/TollerStacker/StackingTarget.h"

#include "Core/Source/Log.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "qdl/Source/Game/GameAudioManager.h"
#include "qdl/Source/Game/GameNodeLookup.h"
#include "qdl/Source/Game/TollerStacker/StackableObject.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerElements.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerMode.h"

using namespace Corvane;

namespace
{

NodePathElement const kClickPath[] = {"clickNode", NodePathTerminator()};
NodePathElement const kPlatformPath[] = {"Platform", NodePathTerminator()};
// Five paths in one array: the path of stack point n + 1 starts at element 3 * n.
NodePathElement const kStackPointPaths[] = {
    "Platform", "StackPoint_1", NodePathTerminator(), "Platform", "StackPoint_2", NodePathTerminator(),
    "Platform", "StackPoint_3", NodePathTerminator(), "Platform", "StackPoint_4", NodePathTerminator(),
    "Platform", "StackPoint_5", NodePathTerminator()};

Label const kFallSound = Label::GetUniqueString("SFX_GirderFall");

} // namespace

StackingTarget::StackingTarget(StackObjectColor color_) : unattachedRoot(nullptr), color(color_)
{
    unattachedRoot = newElementLayout(kStackTargetLayout, "TollerStacker");
    StaticSpriteNode* const platform =
        dynamic_cast<StaticSpriteNode*>(findStackerNode(root(), kPlatformPath, kStackTargetLayout));
    if (platform && color == kStackObjectColor_Red)
        platform->setImage(Label::GetUniqueString("Platform_Red"));
    else if (platform && color == kStackObjectColor_Blue)
        platform->setImage(Label::GetUniqueString("Platform_Blue"));
    if (SceneNode* const click = clickNode())
    {
        mouseUp = click->mouseUpSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseUp(); });
        mouseDown = click->mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { handleMouseDown(); });
        mouseEnter = click->mouseEnterSignal.connect([this](SceneNode*) { handleMouseEnter(); });
        mouseExit = click->mouseExitSignal.connect([this](SceneNode*) { handleMouseExit(); });
    }
    acceptMouseInput(true);
}

StackingTarget::~StackingTarget()
{
    deleteUnattachedTree(unattachedRoot);
}

SceneNode* StackingTarget::GetLayoutNode()
{
    return root();
}

void StackingTarget::AddedToScene()
{
    unattachedRoot = nullptr;
}

Label StackingTarget::GetRole() const
{
    return stackableTargetRole();
}

SceneNode* StackingTarget::clickNode() const
{
    return findStackerNode(root(), kClickPath, kStackTargetLayout);
}

void StackingTarget::acceptMouseInput(bool accept)
{
    if (SceneNode* const click = clickNode())
        click->SetHitTest(accept);
}

StackableObject* StackingTarget::topObject() const
{
    return stack.empty() ? nullptr : stackableObjectOf(stack.back());
}

void StackingTarget::handleMouseEnter()
{
    DragEnter();
    if (!DragSource<StackableObject*>::GetHeldDragSource())
        if (StackableObject* const top = topObject())
            top->setRolloverVisible(true);
}

void StackingTarget::handleMouseExit()
{
    DragLeave();
    if (!DragSource<StackableObject*>::GetHeldDragSource())
        if (StackableObject* const top = topObject())
            top->setRolloverVisible(false);
}

void StackingTarget::handleMouseDown()
{
    if (DragSource<StackableObject*>* const held = DragSource<StackableObject*>::GetHeldDragSource_Mutable())
    {
        StackableObject* const object = held->getItem();
        // An object of the other colour stays held; so does one that no longer fits.
        if (!object || object->getColor() != color || !getCurrentStackingPoint())
            return;
        // The mouse may have come here without an enter (a press right after a jump).
        DragEnter();
        object->setRolloverVisible(true);
        held->Release();
        return;
    }
    if (StackableObject* const top = topObject())
    {
        stack.pop_back();
        top->pickupFromStack();
    }
}

SceneNode* StackingTarget::getCurrentStackingPoint() const
{
    size_t const count = stack.size();
    if (count >= static_cast<size_t>(kNumStackPoints))
        return nullptr;
    return findStackerNode(root(), &kStackPointPaths[3 * count], kStackTargetLayout);
}

void StackingTarget::stackObjectOnThis(StackableObject* object, bool immediate)
{
    if (!object)
        return;
    if (!getCurrentStackingPoint())
    {
        Internal::LogWrite("TollerStacker: a platform is full; the object stays on the ground\n");
        return;
    }
    object->moveToStack(this, immediate);
    stack.push_back(object->GetID());
}

void StackingTarget::DropActivated(StackableObject* object)
{
    stackObjectOnThis(object, false);
    if (TollerStackerMode* const mode = topStackerMode())
        mode->checkLevelEnd();
}

bool StackingTarget::shakeOutCurrentStack(bool force)
{
    bool wrong = false;
    ObjectID lastGood = kInvalidObjectID;
    for (size_t i = 0; i < stack.size(); ++i)
    {
        StackableObject* const object = stackableObjectOf(stack[i]);
        if (force || !object || object->getCorrectStackIndex() != static_cast<int>(i))
        {
            wrong = true;
            break;
        }
        lastGood = stack[i];
    }
    while (!stack.empty() && stack.back() != lastGood)
    {
        if (StackableObject* const top = topObject())
            top->returnToGround();
        stack.pop_back();
    }
    GetAudioManager()->playSFX(kFallSound);
    return wrong;
}
