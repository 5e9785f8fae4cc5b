#include "CorvaneExtensions/Source/SceneApplicationMode.h"

#include "CorvaneExtensions/Source/SceneNode.h"

#include "2DEngine/Source/Framework/MainLoop.h"

#include <map>
#include <vector>

using namespace Corvane;

namespace
{

// Scene modes by their database, so that a node can find the mode that keeps its
// capture and focus without the mode being on the main loop's stack.
std::map<ObjectDatabase const*, SceneApplicationMode*>& GetSceneModes()
{
    // Never destroyed: a mode may outlive the static objects of this file at exit.
    static auto* modes = new std::map<ObjectDatabase const*, SceneApplicationMode*>();
    return *modes;
}

} // namespace

// Walks a subtree bottom-up: for each child from the last to the first its subtree
// first, then the node itself, until the visitor answers true. Each level walks a
// snapshot of its children and skips a child that a handler has detached meanwhile.
class BottomUpSceneTraversal
{
public:
    template <class Visitor>
    static bool TraverseUntil(SceneNode* node, Visitor& visitor)
    {
        std::vector<SceneNode*> const children(node->GetChildren().begin(), node->GetChildren().end());
        for (auto it = children.rbegin(); it != children.rend(); ++it)
        {
            if ((*it)->GetParent() != node)
                continue;
            if (TraverseUntil(*it, visitor))
                return true;
        }
        return visitor(node);
    }
};

SceneApplicationMode::SceneApplicationMode()
    : mRootID(kInvalidObjectID),
      mCaptureID(kInvalidObjectID),
      mUnderMouseID(kInvalidObjectID),
      mFocusID(kInvalidObjectID)
{
    GetSceneModes()[static_cast<ObjectDatabase const*>(this)] = this;
}

SceneApplicationMode::~SceneApplicationMode()
{
    GetSceneModes().erase(static_cast<ObjectDatabase const*>(this));
}

SceneApplicationMode* SceneApplicationMode::FromDatabase(ObjectDatabase const* database)
{
    if (!database)
        return nullptr;
    auto found = GetSceneModes().find(database);
    return found != GetSceneModes().end() ? found->second : nullptr;
}

SceneApplicationMode* SceneApplicationMode::GetCurSceneMode()
{
    return dynamic_cast<SceneApplicationMode*>(MainLoop::GetContextMode());
}

SceneNode* SceneApplicationMode::GetCurSceneRootNode()
{
    SceneApplicationMode* mode = GetCurSceneMode();
    return mode ? mode->GetRootNode() : nullptr;
}

void SceneApplicationMode::Setup()
{
    SceneNode* root = new SceneNode(Label());
    mRootID = AddObject(root);
}

SceneNode* SceneApplicationMode::GetRootNode() const
{
    return FindNode(mRootID);
}

SceneNode* SceneApplicationMode::FindNode(ObjectID id) const
{
    if (id == kInvalidObjectID)
        return nullptr;
    return dynamic_cast<SceneNode*>(GetObject(id));
}

void SceneApplicationMode::Update(float dt)
{
    ApplicationMode::Update(dt);
    if (SceneNode* root = GetRootNode())
        root->UpdateScene();
}

void SceneApplicationMode::Draw()
{
    if (SceneNode* root = GetRootNode())
        root->DrawScene();
}

void SceneApplicationMode::SetMouseCapturingNode(SceneNode* node)
{
    mCaptureID = node ? node->GetID() : kInvalidObjectID;
}

SceneNode* SceneApplicationMode::GetMouseCapturingNode() const
{
    return FindNode(mCaptureID);
}

void SceneApplicationMode::SetFocusedNode(SceneNode* node)
{
    mFocusID = node ? node->GetID() : kInvalidObjectID;
}

SceneNode* SceneApplicationMode::GetFocusedNode() const
{
    return FindNode(mFocusID);
}

SceneNode* SceneApplicationMode::GetNodeUnderMouse() const
{
    return FindNode(mUnderMouseID);
}

void SceneApplicationMode::OnNodeEnter(SceneNode* node)
{
    if (!node || node->GetID() == mUnderMouseID)
        return;
    OnNodeExit();
    mUnderMouseID = node->GetID();
    node->OnMouseEnter();
}

void SceneApplicationMode::OnNodeExit()
{
    ObjectID const previous = mUnderMouseID;
    // Cleared first so that an exit handler that enters another node keeps its choice.
    mUnderMouseID = kInvalidObjectID;
    if (SceneNode* node = FindNode(previous))
        node->OnMouseExit();
}

MessageResult SceneApplicationMode::RouteToOtherHandlers(InputHandlerCall const& call)
{
    sIterator iterator;
    for (ObjectID id = GetNextObject(&iterator); id != kInvalidObjectID; id = GetNextObject(&iterator))
    {
        ObjectDescriptor const& slot = GetObjectDescriptor(id);
        if (!slot.IsInputTarget() || dynamic_cast<SceneNode*>(slot.object))
            continue;
        if (call(slot.inputHandler) == kMessageHandled)
            return kMessageHandled;
    }
    return kMessageNotHandled;
}

MessageResult SceneApplicationMode::RouteInputEvent(ObjectID first, bool firstOnly, InputHandlerCall const& call)
{
    if (first != kInvalidObjectID && IsValidObjectID(first))
    {
        ObjectDescriptor const& slot = GetObjectDescriptor(first);
        if (slot.IsInputTarget())
        {
            if (call(slot.inputHandler) == kMessageHandled || firstOnly)
                return kMessageHandled;
        }
    }
    if (SceneNode* root = GetRootNode())
    {
        auto visitor = [&call](SceneNode* node) {
            return call(static_cast<IInputHandler*>(node)) == kMessageHandled;
        };
        if (BottomUpSceneTraversal::TraverseUntil(root, visitor))
            return kMessageHandled;
    }
    return RouteToOtherHandlers(call);
}

MessageResult SceneApplicationMode::OnMouseDown(MouseButton button, int x, int y)
{
    return RouteInputEvent(mCaptureID, true,
                           [button, x, y](IInputHandler* handler) { return handler->OnMouseDown(button, x, y); });
}

MessageResult SceneApplicationMode::OnMouseUp(MouseButton button, int x, int y)
{
    return RouteInputEvent(mCaptureID, true,
                           [button, x, y](IInputHandler* handler) { return handler->OnMouseUp(button, x, y); });
}

MessageResult SceneApplicationMode::OnKeyDown(int key)
{
    return RouteInputEvent(mFocusID, false, [key](IInputHandler* handler) { return handler->OnKeyDown(key); });
}

MessageResult SceneApplicationMode::OnKeyUp(int key)
{
    return RouteInputEvent(mFocusID, false, [key](IInputHandler* handler) { return handler->OnKeyUp(key); });
}

MessageResult SceneApplicationMode::OnMouseMove(int x, int y)
{
    bool entered = false;
    auto process = [this, x, y, &entered](SceneNode* node) {
        if (!entered && node->HandlesMouseEnterExit() &&
            node->GetDescendentAtLocation(static_cast<float>(x), static_cast<float>(y)))
        {
            OnNodeEnter(node);
            entered = true;
        }
        return node->OnMouseMove(x, y) == kMessageHandled;
    };

    bool handled = false;
    if (SceneNode* capture = GetMouseCapturingNode())
    {
        process(capture);
        handled = true;
    }
    else if (SceneNode* root = GetRootNode())
    {
        handled = BottomUpSceneTraversal::TraverseUntil(root, process);
    }
    if (!entered && mUnderMouseID != kInvalidObjectID)
        OnNodeExit();
    if (handled)
        return kMessageHandled;
    return RouteToOtherHandlers([x, y](IInputHandler* handler) { return handler->OnMouseMove(x, y); });
}
