#include "CorvaneExtensions/Source/SceneNode.h"

#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"

#include <algorithm>
#include <cmath>

using namespace Corvane;

NodeAttributes::NodeAttributes()
    : bounds(0.0f, 0.0f, 0.0f, 0.0f),
      visible(true),
      color(1.0f, 1.0f, 1.0f, 1.0f),
      scale(1.0f, 1.0f),
      orientation(0.0f)
{
}

NodeAttributes::NodeAttributes(Rect<float> const& bounds_, bool visible_, ColorF const& color_,
                               Vector2<float> const& scale_, Angle orientation_)
    : bounds(bounds_), visible(visible_), color(color_), scale(scale_), orientation(orientation_)
{
}

NodeAttributes NodeAttributes::combineWith(NodeAttributes const& parent) const
{
    NodeAttributes result(*this);
    result.bounds.x = bounds.x + parent.bounds.x;
    result.bounds.y = bounds.y + parent.bounds.y;
    result.visible = visible && parent.visible;
    result.color.a = color.a * parent.color.a;
    result.scale = Vector2<float>(scale.x * parent.scale.x, scale.y * parent.scale.y);
    result.orientation = orientation + parent.orientation;
    return result;
}

SceneNode::NodeAttachParams NodeAttachNPI::CenterOnParent()
{
    return SceneNode::NodeAttachParams(kHAlignment_Center, kVAlignment_Middle, kHAlignment_Center,
                                       kVAlignment_Middle);
}

namespace
{

// The scene mode that keeps the capture and focus of a node: the mode of the node's
// database, else the current one.
SceneApplicationMode* GetSceneModeOf(SceneNode const* node)
{
    if (ObjectDatabase* database = node->GetDatabase())
        return SceneApplicationMode::FromDatabase(database);
    return SceneApplicationMode::FromDatabase(GetObjectDatabase());
}

float AlignmentFraction(int alignment)
{
    if (alignment == 1)
        return 0.5f;
    if (alignment == 2)
        return 1.0f;
    return 0.0f;
}

} // namespace

SceneNode::SceneNode(Label name)
    : mName(name),
      mParent(nullptr),
      mLayoutController(nullptr),
      mDirtyFlags(0),
      mHitTest(false),
      mButtonMask(1),
      mRotateHAlign(kHAlignment_Center),
      mRotateVAlign(kVAlignment_Middle),
      mScaleHAlign(kHAlignment_Center),
      mScaleVAlign(kVAlignment_Middle),
      mClipRect(0, 0, 0, 0),
      mUseClipRect(false),
      mFlipH(false),
      mFlipV(false)
{
}

SceneNode::~SceneNode()
{
}

Label SceneNode::GetName() const
{
    return mName;
}

void SceneNode::Update(float)
{
}

void SceneNode::ReceiveMessage(ObjectMessage const& message)
{
    if (message.message == ObjectDatabase::GetRemoveMessageName())
        NodeDestroyedInternal();
}

void SceneNode::NodeDestroyedInternal()
{
    DetachFromParent();
    // The list is taken first: a child's handlers may reach back into this node.
    std::list<SceneNode*> children;
    children.swap(mChildren);
    mChildrenByName.clear();
    for (SceneNode* child : children)
    {
        child->mParent = nullptr;
        child->mDirtyFlags = kDirtyAll;
        child->ParentNodeChanged(nullptr);
        child->DestroySelf();
    }
    if (SceneLayoutController* controller = mLayoutController)
    {
        mLayoutController = nullptr;
        controller->clearLayoutNode();
        controller->DestroySelf();
    }
    NodeDestroyed();
    destroyedSignal(this);
}

bool SceneNode::HandlesMouseEnterExit() const
{
    return !mouseEnterSignal.empty() || !mouseExitSignal.empty();
}

MessageResult SceneNode::OnMouseDown(MouseButton button, int x, int y)
{
    if (!mouseDownSignal.empty() && button >= 0 && button < 32 && (mButtonMask & (1u << button)) != 0 &&
        GetDescendentAtLocation(static_cast<float>(x), static_cast<float>(y)))
    {
        mouseDownSignal(this, button, x, y);
        return kMessageHandled;
    }
    if (HasCapture())
    {
        capturedMouseDownSignal(this, button, x, y);
        return kMessageHandled;
    }
    return kMessageNotHandled;
}

MessageResult SceneNode::OnMouseUp(MouseButton button, int x, int y)
{
    if (!mouseUpSignal.empty() && button >= 0 && button < 32 && (mButtonMask & (1u << button)) != 0 &&
        GetDescendentAtLocation(static_cast<float>(x), static_cast<float>(y)))
    {
        mouseUpSignal(this, button, x, y);
        return kMessageHandled;
    }
    if (HasCapture())
    {
        capturedMouseUpSignal(this, button, x, y);
        return kMessageHandled;
    }
    return kMessageNotHandled;
}

MessageResult SceneNode::OnKeyDown(int key)
{
    if (keyDownSignal.empty())
        return kMessageNotHandled;
    keyDownSignal(this, key);
    return kMessageHandled;
}

MessageResult SceneNode::OnKeyUp(int key)
{
    if (keyUpSignal.empty())
        return kMessageNotHandled;
    keyUpSignal(this, key);
    return kMessageHandled;
}

void SceneNode::OnMouseEnter()
{
    mouseEnterSignal(this);
}

void SceneNode::OnMouseExit()
{
    mouseExitSignal(this);
}

bool SceneNode::CanFocus() const
{
    return true;
}

bool SceneNode::GlobalPointIntersects(Vector2<float> const& point) const
{
    return GlobalBoundsContains(point.x, point.y);
}

void SceneNode::DrawAt(Vector2<float> const&) {}
void SceneNode::NodeDestroyed() {}
void SceneNode::ChildNodeAttached(SceneNode*) {}
void SceneNode::ChildNodeDetached(SceneNode*) {}
void SceneNode::ParentNodeChanged(SceneNode*) {}

void SceneNode::LocalSetLocation(Vector2<float> const& location)
{
    mLocal.bounds.x = location.x;
    mLocal.bounds.y = location.y;
    mDirtyFlags |= kDirtyLocation;
}

void SceneNode::LocalSetLocation(float x, float y)
{
    LocalSetLocation(Vector2<float>(x, y));
}

void SceneNode::SetWidth(float width)
{
    mLocal.bounds.width = width;
    mDirtyFlags |= kDirtyLocation;
}

void SceneNode::SetHeight(float height)
{
    mLocal.bounds.height = height;
    mDirtyFlags |= kDirtyLocation;
}

void SceneNode::SetNodeAttachParams(NodeAttachParams const& params)
{
    mAttachParams = params;
    mDirtyFlags |= kDirtyLocation;
}

void SceneNode::LocalSetVisible(bool visible)
{
    mLocal.visible = visible;
    mDirtyFlags |= kDirtyVisibility;
}

void SceneNode::LocalSetColor(ColorF const& color)
{
    mLocal.color = color;
    mDirtyFlags |= kDirtyColor;
}

void SceneNode::LocalSetAlpha(float alpha)
{
    mLocal.color.a = alpha;
    mDirtyFlags |= kDirtyColor;
}

void SceneNode::LocalSetScale(Vector2<float> const& scale)
{
    mLocal.scale = scale;
    mDirtyFlags |= kDirtyScale;
}

void SceneNode::LocalSetOrientation(Angle orientation)
{
    mLocal.orientation = orientation;
    mDirtyFlags |= kDirtyOrientation;
}

void SceneNode::SetRotateAlignment(HAlignment h, VAlignment v)
{
    mRotateHAlign = h;
    mRotateVAlign = v;
}

void SceneNode::SetScaleAlignment(HAlignment h, VAlignment v)
{
    mScaleHAlign = h;
    mScaleVAlign = v;
}

Vector2<float> SceneNode::LocalGetLocationCenter() const
{
    return Vector2<float>(mLocal.bounds.x + mLocal.bounds.width * 0.5f,
                          mLocal.bounds.y + mLocal.bounds.height * 0.5f);
}

void SceneNode::LazyUpdate(std::uint32_t bit) const
{
    SceneNode const* top = nullptr;
    for (SceneNode const* node = this; node && node->mParent; node = node->mParent)
    {
        if (node->mDirtyFlags & bit)
            top = node;
    }
    // Nodes are never const objects themselves; only their getters are.
    if (top)
        const_cast<SceneNode*>(top)->UpdateScene();
}

NodeAttributes const& SceneNode::GetGlobalAttributes(std::uint32_t bit) const
{
    LazyUpdate(bit);
    return mGlobal;
}

Rect<float> SceneNode::GlobalGetBounds() const
{
    return GetGlobalAttributes(kDirtyLocation).bounds;
}

Vector2<float> SceneNode::GlobalGetLocation() const
{
    return GetGlobalAttributes(kDirtyLocation).bounds.getLocation();
}

bool SceneNode::GlobalIsVisible() const
{
    return GetGlobalAttributes(kDirtyVisibility).visible;
}

ColorF SceneNode::GlobalGetColor() const
{
    return GetGlobalAttributes(kDirtyColor).color;
}

float SceneNode::GlobalGetAlpha() const
{
    return GetGlobalAttributes(kDirtyColor).color.a;
}

Vector2<float> SceneNode::GlobalGetScale() const
{
    return GetGlobalAttributes(kDirtyScale).scale;
}

Angle SceneNode::GlobalGetOrientation() const
{
    return GetGlobalAttributes(kDirtyOrientation).orientation;
}

float SceneNode::GetScaledWidth() const
{
    return mLocal.bounds.width * GetGlobalAttributes(kDirtyScale).scale.x;
}

float SceneNode::GetScaledHeight() const
{
    return mLocal.bounds.height * GetGlobalAttributes(kDirtyScale).scale.y;
}

bool SceneNode::GlobalBoundsContains(float x, float y) const
{
    Rect<float> const bounds = GlobalGetBounds();
    return bounds.x <= x && x < bounds.x + bounds.width && bounds.y <= y && y < bounds.y + bounds.height;
}

Vector2<float> SceneNode::LocalToGlobalPoint(Vector2<float> const& point) const
{
    Vector2<float> const global = GlobalGetLocation();
    return point + (global - LocalGetLocation());
}

Vector2<float> SceneNode::GlobalToLocalPoint(Vector2<float> const& point) const
{
    Vector2<float> const global = GlobalGetLocation();
    return point + (LocalGetLocation() - global);
}

Vector2<int> SceneNode::GlobalToLocalPoint(Vector2<int> const& point) const
{
    Vector2<float> const offset = LocalGetLocation() - GlobalGetLocation();
    return Vector2<int>(point.x + static_cast<int>(offset.x), point.y + static_cast<int>(offset.y));
}

Rect<float> SceneNode::GetCompositeBounds() const
{
    Rect<float> bounds = GlobalGetBounds();
    for (SceneNode const* child : mChildren)
        bounds = bounds.getUnion(child->GetCompositeBounds());
    return bounds;
}

bool SceneNode::HitTestInternal(Vector2<float> const& point) const
{
    if (!mHitTest)
        return false;
    if (!GlobalIsVisible())
        return false;
    return GlobalPointIntersects(point);
}

SceneNode* SceneNode::GetDescendentAtLocation(Vector2<float> const& point)
{
    for (auto it = mChildren.rbegin(); it != mChildren.rend(); ++it)
    {
        if (SceneNode* found = (*it)->GetDescendentAtLocation(point))
            return found;
    }
    return HitTestInternal(point) ? this : nullptr;
}

SceneNode* SceneNode::GetDescendentAtLocation(float x, float y)
{
    return GetDescendentAtLocation(Vector2<float>(x, y));
}

void SceneNode::AttachChild(SceneNode* child)
{
    if (!child || child->mParent == this)
        return;
    // A node under its own descendant would make the tree a loop that every walk follows forever.
    for (SceneNode const* ancestor = this; ancestor; ancestor = ancestor->mParent)
    {
        if (ancestor == child)
            return;
    }
    child->DetachFromParent();
    child->mParent = this;
    child->mDirtyFlags = kDirtyAll;
    child->ParentNodeChanged(this);
    AddChildNodeInternal(child);
}

void SceneNode::AttachChild(SceneNode* child, NodeAttachParams const& params)
{
    AttachChild(child);
    if (child && child->mParent == this)
        child->SetNodeAttachParams(params);
}

void SceneNode::AddChildNodeInternal(SceneNode* child)
{
    if (child->mNodeName.IsValid())
        mChildrenByName.insert(std::make_pair(child->mNodeName, child));
    child->mPositionInParent = mChildren.insert(mChildren.end(), child);
    ChildNodeAttached(child);
}

void SceneNode::RemoveChildNodeInternal(SceneNode* child)
{
    // The name goes with either child that carried it, even one that never held the entry.
    if (child->mNodeName.IsValid())
        mChildrenByName.erase(child->mNodeName);
    mChildren.erase(child->mPositionInParent);
    child->mPositionInParent = std::list<SceneNode*>::iterator();
    ChildNodeDetached(child);
}

void SceneNode::DetachFromParent()
{
    if (!mParent)
        return;
    mParent->RemoveChildNodeInternal(this);
    mParent = nullptr;
    mDirtyFlags = kDirtyAll;
    ParentNodeChanged(nullptr);
}

void SceneNode::MoveToBottomOfParent()
{
    if (!mParent)
        return;
    std::list<SceneNode*>& siblings = mParent->mChildren;
    siblings.splice(siblings.begin(), siblings, mPositionInParent);
}

void SceneNode::AddToDatabase(ObjectDatabase* database)
{
    if (!database)
        return;
    for (SceneNode* child : mChildren)
        child->AddToDatabase(database);
    database->AddObject(this);
}

SceneNode* SceneNode::GetChildByName(Label nodeName) const
{
    auto found = mChildrenByName.find(nodeName);
    return found != mChildrenByName.end() ? found->second : nullptr;
}

SceneNode* SceneNode::GetChild(NodePathElement const& element)
{
    return boost::apply_visitor(NodePathVisitor(this), element);
}

SceneNode const* SceneNode::GetChild(NodePathElement const& element) const
{
    return boost::apply_visitor(ConstNodePathVisitor(this), element);
}

SceneNode* SceneNode::GetDescendent(NodePathElement const* path)
{
    SceneNode* node = this;
    for (;; ++path)
    {
        if (!node || !path)
            return nullptr;
        if (IsNodePathTerminator(*path))
            return node;
        node = node->GetChild(*path);
    }
}

SceneNode const* SceneNode::GetDescendent(NodePathElement const* path) const
{
    SceneNode const* node = this;
    for (;; ++path)
    {
        if (!node || !path)
            return nullptr;
        if (IsNodePathTerminator(*path))
            return node;
        node = node->GetChild(*path);
    }
}

void SceneNode::Capture()
{
    if (SceneApplicationMode* mode = GetSceneModeOf(this))
        mode->SetMouseCapturingNode(this);
}

void SceneNode::ReleaseCapture()
{
    SceneApplicationMode* mode = GetSceneModeOf(this);
    if (mode && mode->GetMouseCapturingNode() == this)
        mode->SetMouseCapturingNode(nullptr);
}

bool SceneNode::HasCapture() const
{
    SceneApplicationMode* mode = GetSceneModeOf(this);
    return mode && mode->GetMouseCapturingNode() == this;
}

void SceneNode::Focus()
{
    if (SceneApplicationMode* mode = GetSceneModeOf(this))
        mode->SetFocusedNode(this);
}

bool SceneNode::HasFocus() const
{
    SceneApplicationMode* mode = GetSceneModeOf(this);
    return mode && mode->GetFocusedNode() == this;
}

void SceneNode::UpdateScene()
{
    UpdateNode();
    for (SceneNode* child : mChildren)
        child->UpdateScene();
}

void SceneNode::UpdateNode()
{
    float ox = 0.0f;
    float oy = 0.0f;
    if (mParent)
    {
        mGlobal = mLocal.combineWith(mParent->mGlobal);
        ox = AlignmentFraction(mAttachParams.parentHAlign) * mParent->mLocal.bounds.width;
        oy = AlignmentFraction(mAttachParams.parentVAlign) * mParent->mLocal.bounds.height;
    }
    else
    {
        mGlobal = mLocal;
    }
    ox -= AlignmentFraction(mAttachParams.selfHAlign) * mLocal.bounds.width;
    oy -= AlignmentFraction(mAttachParams.selfVAlign) * mLocal.bounds.height;
    mGlobal.bounds.x += ox;
    mGlobal.bounds.y += oy;
    mDirtyFlags = 0;
}

void SceneNode::DrawScene()
{
    DrawNode();
    // A draw handler may attach or detach nodes; the walk keeps to a snapshot.
    std::vector<SceneNode*> const children(mChildren.begin(), mChildren.end());
    for (SceneNode* child : children)
    {
        if (child->mParent == this)
            child->DrawScene();
    }
}

void SceneNode::DrawNode()
{
    DrawNode(Vector2<float>(0.0f, 0.0f));
}

void SceneNode::DrawNode(Vector2<float> const& offset)
{
    drawSignal(this);
    DrawAt(offset);
}

Vector2<float> SceneNode::GetScaledDrawOffset() const
{
    float const width = mLocal.bounds.width;
    float const height = mLocal.bounds.height;
    float const scaledWidth = GetScaledWidth();
    float const scaledHeight = GetScaledHeight();
    float dx = 0.0f;
    float dy = 0.0f;
    if (mScaleHAlign == kHAlignment_Center)
        dx = 0.5f * width - 0.5f * scaledWidth;
    else if (mScaleHAlign == kHAlignment_Right)
        dx = width - scaledWidth;
    if (mScaleVAlign == kVAlignment_Middle)
        dy = 0.5f * height - 0.5f * scaledHeight;
    else if (mScaleVAlign == kVAlignment_Bottom)
        dy = height - scaledHeight;
    return Vector2<float>(dx, dy);
}

Vector2<float> SceneNode::GetRotatedDrawOffset() const
{
    return Vector2<float>(AlignmentFraction(mRotateHAlign) * mLocal.bounds.width,
                          AlignmentFraction(mRotateVAlign) * mLocal.bounds.height);
}

void SceneNode::DrawImage(IImage const* image, Vector2<float> const& offset, bool snap)
{
    if (!image)
        return;
    Vector2<float> const scale = GlobalGetScale();
    Angle const orientation = GlobalGetOrientation();
    ColorF const color = GlobalGetColor();
    Vector2<float> const location = GlobalGetLocation();
    bool const unscaled = scale.x == 1.0f && scale.y == 1.0f;
    bool const rotated = orientation.GetRadians() != 0.0f;

    Graphics::sDrawState state = Graphics::GetDrawState();
    state.tint = color;
    if (mUseClipRect)
        state.clip = mClipRect;
    if (mFlipH)
        state.flags |= Graphics::DRAW_FLAG_FLIP_H;
    if (mFlipV)
        state.flags |= Graphics::DRAW_FLAG_FLIP_V;

    auto round = [snap](float v) { return snap ? std::floor(v + 0.5f) : v; };

    if (!unscaled && !rotated)
    {
        Vector2<float> const d = GetScaledDrawOffset();
        Rect<int> const dest(static_cast<int>(location.x + d.x + offset.x), static_cast<int>(location.y + d.y + offset.y),
                             static_cast<int>(GetScaledWidth()), static_cast<int>(GetScaledHeight()));
        Graphics::DrawStretchedImage(image, dest, state, Graphics::GetCanvas());
    }
    else if (unscaled && rotated)
    {
        Vector2<float> const p = GetRotatedDrawOffset();
        state.hAlign = mRotateHAlign;
        state.vAlign = mRotateVAlign;
        Graphics::DrawRotatedImage(image, round(location.x + p.x + offset.x), round(location.y + p.y + offset.y),
                                   orientation, state, Graphics::GetCanvas());
    }
    else if (unscaled)
    {
        Graphics::DrawImage(image, round(location.x + offset.x), round(location.y + offset.y), state,
                            Graphics::GetCanvas());
    }
}
