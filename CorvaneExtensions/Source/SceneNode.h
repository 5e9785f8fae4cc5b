#ifndef CORVANE_EXTENSIONS_SCENENODE_H
#define CORVANE_EXTENSIONS_SCENENODE_H

// The base of every visible element of a scene: a node of a tree whose root belongs
// to a SceneApplicationMode. Local attributes are relative to the parent; global ones
// are derived lazily. Every node is also an object of its mode's database.

#include "CorvaneExtensions/Source/NodePath.h"

#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Roles.h"
#include "2DEngine/Source/Graphics/DrawState.h"
#include "Core/Source/Angle.h"
#include "Core/Source/Color.h"
#include "Core/Source/Label.h"
#include "Core/Source/Rect.h"
#include "Core/Source/Vector2.h"

#include <boost/signals2/signal.hpp>

#include <cstdint>
#include <list>
#include <map>

namespace Corvane
{
class IImage;
class ObjectDatabase;
}

class SceneLayoutController;

struct NodeAttributes
{
    // Bounds (0, 0, 0, 0), visible, white and opaque, scale (1, 1), no rotation.
    NodeAttributes();
    NodeAttributes(Corvane::Rect<float> const& bounds, bool visible, Corvane::ColorF const& color,
                   Corvane::Vector2<float> const& scale, Corvane::Angle orientation);

    // The global attributes of a node whose local attributes are these and whose
    // parent's global attributes are the argument. Sizes stay local: a parent's size
    // and scale never stretch its children's boxes.
    NodeAttributes combineWith(NodeAttributes const& parent) const;

    Corvane::Rect<float> bounds;
    bool visible;
    Corvane::ColorF color;
    Corvane::Vector2<float> scale;
    Corvane::Angle orientation;
};

class SceneNode : public Corvane::Object, public Corvane::InputHandlerComponent
{
public:
    // Where the node sits in its parent's box: the point of the parent given by the
    // parent alignments receives the point of the node given by the self alignments.
    struct NodeAttachParams
    {
        NodeAttachParams()
            : parentHAlign(Corvane::kHAlignment_Left),
              parentVAlign(Corvane::kVAlignment_Top),
              selfHAlign(Corvane::kHAlignment_Left),
              selfVAlign(Corvane::kVAlignment_Top)
        {
        }
        NodeAttachParams(Corvane::HAlignment parentH, Corvane::VAlignment parentV, Corvane::HAlignment selfH,
                         Corvane::VAlignment selfV)
            : parentHAlign(parentH), parentVAlign(parentV), selfHAlign(selfH), selfVAlign(selfV)
        {
        }

        Corvane::HAlignment parentHAlign;
        Corvane::VAlignment parentVAlign;
        Corvane::HAlignment selfHAlign;
        Corvane::VAlignment selfVAlign;
    };

    enum : std::uint32_t
    {
        kDirtyLocation = 1,
        kDirtyVisibility = 2,
        kDirtyColor = 4,
        kDirtyScale = 8,
        kDirtyOrientation = 16,
        kDirtyAll = 31
    };

    typedef boost::signals2::signal<void(SceneNode*)> NodeSignal;
    typedef boost::signals2::signal<void(SceneNode*, Corvane::MouseButton, int, int)> MouseSignal;
    typedef boost::signals2::signal<void(SceneNode*, int)> KeySignal;

    explicit SceneNode(Corvane::Label name = Corvane::Label());
    ~SceneNode() override;

    // Object
    Corvane::Label GetName() const override;
    void Update(float dt) override;
    // Reacts to the database's remove message only: tears the node out of the tree.
    void ReceiveMessage(Corvane::ObjectMessage const& message) override;

    // Input
    virtual bool HandlesMouseEnterExit() const;
    Corvane::MessageResult OnMouseDown(Corvane::MouseButton button, int x, int y) override;
    Corvane::MessageResult OnMouseUp(Corvane::MouseButton button, int x, int y) override;
    Corvane::MessageResult OnKeyDown(int key) override;
    Corvane::MessageResult OnKeyUp(int key) override;
    virtual void OnMouseEnter();
    virtual void OnMouseExit();
    bool CanFocus() const override;
    // Unscaled, unrotated global bounds by default.
    virtual bool GlobalPointIntersects(Corvane::Vector2<float> const& point) const;

    // Drawing and tree notifications for node types
    virtual void DrawAt(Corvane::Vector2<float> const& offset);
    virtual void NodeDestroyed();
    virtual void ChildNodeAttached(SceneNode* child);
    virtual void ChildNodeDetached(SceneNode* child);
    virtual void ParentNodeChanged(SceneNode* parent);

    // Names
    void SetName(Corvane::Label name) { mName = name; }
    Corvane::Label GetNodeName() const { return mNodeName; }
    // Set before attaching: the parent indexes its children by name when they attach.
    void SetNodeName(Corvane::Label nodeName) { mNodeName = nodeName; }

    // Local attributes: setters only mark what the globals must recompute.
    void LocalSetLocation(Corvane::Vector2<float> const& location);
    void LocalSetLocation(float x, float y);
    void SetWidth(float width);
    void SetHeight(float height);
    void SetNodeAttachParams(NodeAttachParams const& params);
    void LocalSetVisible(bool visible);
    void LocalSetColor(Corvane::ColorF const& color);
    void LocalSetAlpha(float alpha);
    void LocalSetScale(Corvane::Vector2<float> const& scale);
    void LocalSetOrientation(Corvane::Angle orientation);
    void SetRotateAlignment(Corvane::HAlignment h, Corvane::VAlignment v);
    void SetScaleAlignment(Corvane::HAlignment h, Corvane::VAlignment v);
    void LocalSetFlipH(bool flip) { mFlipH = flip; }
    void LocalSetFlipV(bool flip) { mFlipV = flip; }

    NodeAttributes const& LocalGetAttributes() const { return mLocal; }
    Corvane::Rect<float> const& LocalGetBounds() const { return mLocal.bounds; }
    Corvane::Vector2<float> LocalGetLocation() const { return mLocal.bounds.getLocation(); }
    Corvane::Vector2<float> LocalGetLocationCenter() const;
    float GetWidth() const { return mLocal.bounds.width; }
    float GetHeight() const { return mLocal.bounds.height; }
    bool LocalIsVisible() const { return mLocal.visible; }
    Corvane::ColorF const& LocalGetColor() const { return mLocal.color; }
    float LocalGetAlpha() const { return mLocal.color.a; }
    Corvane::Vector2<float> const& LocalGetScale() const { return mLocal.scale; }
    Corvane::Angle LocalGetOrientation() const { return mLocal.orientation; }
    bool LocalGetFlipH() const { return mFlipH; }
    bool LocalGetFlipV() const { return mFlipV; }
    NodeAttachParams const& GetNodeAttachParams() const { return mAttachParams; }
    Corvane::HAlignment GetRotateHAlign() const { return mRotateHAlign; }
    Corvane::VAlignment GetRotateVAlign() const { return mRotateVAlign; }
    Corvane::HAlignment GetScaleHAlign() const { return mScaleHAlign; }
    Corvane::VAlignment GetScaleVAlign() const { return mScaleVAlign; }

    // Global attributes, brought up to date first
    Corvane::Rect<float> GlobalGetBounds() const;
    Corvane::Vector2<float> GlobalGetLocation() const;
    bool GlobalIsVisible() const;
    Corvane::ColorF GlobalGetColor() const;
    float GlobalGetAlpha() const;
    Corvane::Vector2<float> GlobalGetScale() const;
    Corvane::Angle GlobalGetOrientation() const;
    float GetScaledWidth() const;
    float GetScaledHeight() const;
    // Left and top edges inside, right and bottom edges outside.
    bool GlobalBoundsContains(float x, float y) const;

    // Translation only: scale and rotation are ignored.
    Corvane::Vector2<float> LocalToGlobalPoint(Corvane::Vector2<float> const& point) const;
    Corvane::Vector2<float> GlobalToLocalPoint(Corvane::Vector2<float> const& point) const;
    Corvane::Vector2<int> GlobalToLocalPoint(Corvane::Vector2<int> const& point) const;

    // The union of the global bounds of the whole subtree, visible or not.
    Corvane::Rect<float> GetCompositeBounds() const;

    // Hit testing
    void SetHitTest(bool hitTest) { mHitTest = hitTest; }
    bool GetHitTest() const { return mHitTest; }
    // Button b is accepted when bit (1 << b) is set.
    void SetButtonMask(std::uint32_t mask) { mButtonMask = mask; }
    std::uint32_t GetButtonMask() const { return mButtonMask; }
    bool HitTestInternal(Corvane::Vector2<float> const& point) const;
    // The top-most hit node of the subtree: children from the last to the first,
    // each subtree before its parent.
    SceneNode* GetDescendentAtLocation(Corvane::Vector2<float> const& point);
    SceneNode* GetDescendentAtLocation(float x, float y);

    // Tree
    SceneNode* GetParent() const { return mParent; }
    std::list<SceneNode*> const& GetChildren() const { return mChildren; }
    std::size_t GetChildCount() const { return mChildren.size(); }
    void AttachChild(SceneNode* child);
    void AttachChild(SceneNode* child, NodeAttachParams const& params);
    void DetachFromParent();
    // Drawn first, beneath the siblings.
    void MoveToBottomOfParent();
    // Reorders the children by a stable sort on the given "less" relation over
    // two SceneNode const*; later children are drawn later, in front.
    template <typename Less>
    void SortChildren(Less less)
    {
        mChildren.sort([&less](SceneNode const* a, SceneNode const* b) { return less(a, b); });
    }
    // Every child's subtree first, then the node.
    void AddToDatabase(Corvane::ObjectDatabase* database);
    SceneNode* GetChild(NodePathElement const& element);
    SceneNode const* GetChild(NodePathElement const& element) const;
    SceneNode* GetDescendent(NodePathElement const* path);
    SceneNode const* GetDescendent(NodePathElement const* path) const;
    SceneNode* GetChildByName(Corvane::Label nodeName) const;

    // The owning controller; the node destroys it when the node is destroyed.
    void setLayoutController(SceneLayoutController* controller) { mLayoutController = controller; }
    SceneLayoutController* getLayoutController() const { return mLayoutController; }

    // Capture and focus, kept by the scene mode of the node's database.
    void Capture();
    void ReleaseCapture();
    bool HasCapture() const;
    void Focus();
    bool HasFocus() const;

    // Recomputes the globals of the whole subtree, dirty or not.
    void UpdateScene();
    void UpdateNode();
    std::uint32_t GetDirtyFlags() const { return mDirtyFlags; }

    // Visits the subtree top-down (visible or not) and draws each node.
    void DrawScene();
    void DrawNode();
    void DrawNode(Corvane::Vector2<float> const& offset);
    // The common drawing routine of the node types: global tint, clip, flip, scale
    // about the scale anchor or rotation about the pivot (never both at once).
    void DrawImage(Corvane::IImage const* image, Corvane::Vector2<float> const& offset, bool snap);
    Corvane::Vector2<float> GetScaledDrawOffset() const;
    Corvane::Vector2<float> GetRotatedDrawOffset() const;

    void SetClipRect(Corvane::Rect<int> const& clip) { mClipRect = clip; }
    Corvane::Rect<int> const& GetClipRect() const { return mClipRect; }
    void SetUseClipRect(bool use) { mUseClipRect = use; }
    bool GetUseClipRect() const { return mUseClipRect; }

    NodeSignal destroyedSignal;
    NodeSignal drawSignal;
    MouseSignal mouseDownSignal;
    MouseSignal mouseUpSignal;
    NodeSignal mouseEnterSignal;
    NodeSignal mouseExitSignal;
    MouseSignal capturedMouseDownSignal;
    MouseSignal capturedMouseUpSignal;
    KeySignal keyDownSignal;
    KeySignal keyUpSignal;

protected:
    // Brings the globals up to date for one dirty bit: the top-most node, from this
    // one up through the ancestors that have a parent, with the bit set is refreshed
    // with its whole subtree.
    void LazyUpdate(std::uint32_t bit) const;
    NodeAttributes const& GetGlobalAttributes(std::uint32_t bit) const;

private:
    void AddChildNodeInternal(SceneNode* child);
    void RemoveChildNodeInternal(SceneNode* child);
    void NodeDestroyedInternal();

    Corvane::Label mName;
    Corvane::Label mNodeName;
    SceneNode* mParent;
    std::list<SceneNode*> mChildren;
    std::list<SceneNode*>::iterator mPositionInParent;
    std::map<Corvane::Label, SceneNode*> mChildrenByName;
    SceneLayoutController* mLayoutController;
    NodeAttributes mLocal;
    mutable NodeAttributes mGlobal;
    NodeAttachParams mAttachParams;
    mutable std::uint32_t mDirtyFlags;
    bool mHitTest;
    std::uint32_t mButtonMask;
    Corvane::HAlignment mRotateHAlign;
    Corvane::VAlignment mRotateVAlign;
    Corvane::HAlignment mScaleHAlign;
    Corvane::VAlignment mScaleVAlign;
    Corvane::Rect<int> mClipRect;
    bool mUseClipRect;
    bool mFlipH;
    bool mFlipV;
};

// Named-parameter helpers for attach parameters.
struct NodeAttachNPI : public SceneNode::NodeAttachParams
{
    NodeAttachNPI() {}

    // All four alignments centred.
    static SceneNode::NodeAttachParams CenterOnParent();

    NodeAttachNPI& ParentHAlign(Corvane::HAlignment a) { parentHAlign = a; return *this; }
    NodeAttachNPI& ParentVAlign(Corvane::VAlignment a) { parentVAlign = a; return *this; }
    NodeAttachNPI& SelfHAlign(Corvane::HAlignment a) { selfHAlign = a; return *this; }
    NodeAttachNPI& SelfVAlign(Corvane::VAlignment a) { selfVAlign = a; return *this; }
};

#endif
