#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"

#include "CorvaneExtensions/Source/SceneLayoutController.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Corvane;
using namespace SceneTesting;

namespace
{

// A root with the tree under it, globals refreshed as a scene mode does each frame.
struct Tree
{
    Tree() : root(new SceneNode()) {}
    ~Tree()
    {
        // Deepest first: nodes outside a database are deleted by hand.
        DeleteSubtree(root);
        Journal().clear();
    }
    static void DeleteSubtree(SceneNode* node)
    {
        std::vector<SceneNode*> const children(node->GetChildren().begin(), node->GetChildren().end());
        for (SceneNode* child : children)
            DeleteSubtree(child);
        node->DetachFromParent();
        delete node;
    }
    SceneNode* Make(SceneNode* parent, Rect<float> const& bounds)
    {
        SceneNode* node = new SceneNode();
        node->LocalSetLocation(bounds.x, bounds.y);
        node->SetWidth(bounds.width);
        node->SetHeight(bounds.height);
        node->SetHitTest(true);
        parent->AttachChild(node);
        return node;
    }
    SceneNode* root;
};

} // namespace

// --- global attributes -------------------------------------------------------

TEST(SceneNodeAttributes, CombinationAddsPositionsMultipliesAlphaAndScaleAndAndsVisibility)
{
    NodeAttributes parent(Rect<float>(10, 20, 300, 400), true, ColorF(0.1f, 0.2f, 0.3f, 0.5f),
                          Vector2<float>(2.0f, 3.0f), Angle(0.25f));
    NodeAttributes local(Rect<float>(1, 2, 30, 40), true, ColorF(0.7f, 0.8f, 0.9f, 0.5f), Vector2<float>(0.5f, 2.0f),
                         Angle(0.5f));
    NodeAttributes const global = local.combineWith(parent);
    EXPECT_EQ(Rect<float>(11, 22, 30, 40), global.bounds);
    EXPECT_TRUE(global.visible);
    EXPECT_EQ(ColorF(0.7f, 0.8f, 0.9f, 0.25f), global.color);
    EXPECT_EQ(Vector2<float>(1.0f, 6.0f), global.scale);
    EXPECT_FLOAT_EQ(0.75f, global.orientation.GetRadians());

    parent.visible = false;
    EXPECT_FALSE(local.combineWith(parent).visible);
    local.visible = false;
    parent.visible = true;
    EXPECT_FALSE(local.combineWith(parent).visible);
}

TEST(SceneNodeAttributes, DefaultsAreVisibleWhiteUnscaledAndUnrotated)
{
    NodeAttributes const a;
    EXPECT_EQ(Rect<float>(0, 0, 0, 0), a.bounds);
    EXPECT_TRUE(a.visible);
    EXPECT_EQ(ColorF(1, 1, 1, 1), a.color);
    EXPECT_EQ(Vector2<float>(1, 1), a.scale);
    EXPECT_EQ(0.0f, a.orientation.GetRadians());

    SceneNode node;
    EXPECT_EQ(0u, node.GetDirtyFlags());
    EXPECT_FALSE(node.GetHitTest());
    EXPECT_EQ(1u, node.GetButtonMask());
    EXPECT_EQ(kHAlignment_Center, node.GetRotateHAlign());
    EXPECT_EQ(kVAlignment_Middle, node.GetScaleVAlign());
}

TEST(SceneNodeTree, ChildGlobalsFollowTheParentChain)
{
    Tree tree;
    tree.root->LocalSetLocation(5, 5);
    SceneNode* parent = tree.Make(tree.root, Rect<float>(10, 20, 100, 50));
    SceneNode* child = tree.Make(parent, Rect<float>(1, 2, 20, 10));
    parent->LocalSetAlpha(0.5f);
    child->LocalSetAlpha(0.5f);
    parent->LocalSetScale(Vector2<float>(2, 2));
    parent->LocalSetOrientation(Angle(1.0f));
    tree.root->UpdateScene();

    EXPECT_EQ(Rect<float>(16, 27, 20, 10), child->GlobalGetBounds());
    EXPECT_FLOAT_EQ(0.25f, child->GlobalGetColor().a);
    EXPECT_EQ(Vector2<float>(2, 2), child->GlobalGetScale());
    EXPECT_FLOAT_EQ(40.0f, child->GetScaledWidth());
    EXPECT_FLOAT_EQ(20.0f, child->GetScaledHeight());
    EXPECT_FLOAT_EQ(1.0f, child->GlobalGetOrientation().GetRadians());

    parent->LocalSetVisible(false);
    EXPECT_FALSE(child->GlobalIsVisible());
    EXPECT_TRUE(child->LocalIsVisible());
}

TEST(SceneNodeTree, AttachOffsetsUseTheParentsLocalSizeAndTheNodesOwnSize)
{
    Tree tree;
    SceneNode* parent = tree.Make(tree.root, Rect<float>(10, 20, 100, 50));
    SceneNode* centred = tree.Make(parent, Rect<float>(5, 5, 20, 10));
    centred->SetNodeAttachParams(NodeAttachNPI::CenterOnParent());
    SceneNode* corner = tree.Make(parent, Rect<float>(0, 0, 20, 10));
    corner->SetNodeAttachParams(
        NodeAttachNPI().ParentHAlign(kHAlignment_Right).ParentVAlign(kVAlignment_Bottom).SelfHAlign(kHAlignment_Right).SelfVAlign(kVAlignment_Bottom));
    SceneNode* selfOnly = tree.Make(parent, Rect<float>(0, 0, 20, 10));
    selfOnly->SetNodeAttachParams(NodeAttachNPI().SelfHAlign(kHAlignment_Center));
    // A scaled parent does not move the anchor: only its local size counts.
    parent->LocalSetScale(Vector2<float>(3, 3));
    tree.root->UpdateScene();

    EXPECT_EQ(Rect<float>(10 + 5 + 50 - 10, 20 + 5 + 25 - 5, 20, 10), centred->GlobalGetBounds());
    EXPECT_EQ(Rect<float>(10 + 100 - 20, 20 + 50 - 10, 20, 10), corner->GlobalGetBounds());
    EXPECT_EQ(Rect<float>(10 - 10, 20, 20, 10), selfOnly->GlobalGetBounds());
}

TEST(SceneNodeTree, AttachChildWithParamsSetsThemAndMarksTheLocation)
{
    Tree tree;
    SceneNode* parent = tree.Make(tree.root, Rect<float>(0, 0, 40, 40));
    SceneNode* child = new SceneNode();
    child->SetWidth(10);
    child->SetHeight(10);
    parent->AttachChild(child, NodeAttachNPI::CenterOnParent());
    EXPECT_EQ(SceneNode::kDirtyAll, child->GetDirtyFlags());
    EXPECT_EQ(Rect<float>(15, 15, 10, 10), child->GlobalGetBounds());
}

TEST(SceneNodeTree, AGetterRefreshesTheTopMostDirtyAncestorButNeverTheRoot)
{
    Tree tree;
    SceneNode* a = tree.Make(tree.root, Rect<float>(10, 10, 0, 0));
    SceneNode* b = tree.Make(a, Rect<float>(1, 1, 0, 0));
    tree.root->UpdateScene();
    EXPECT_EQ(0u, b->GetDirtyFlags());

    a->LocalSetLocation(20, 20);
    EXPECT_EQ(SceneNode::kDirtyLocation, a->GetDirtyFlags());
    EXPECT_EQ(Vector2<float>(21, 21), b->GlobalGetLocation());
    EXPECT_EQ(0u, a->GetDirtyFlags());

    // A colour change does not refresh a location getter's path, and the reverse.
    a->LocalSetAlpha(0.5f);
    EXPECT_EQ(Vector2<float>(21, 21), b->GlobalGetLocation());
    EXPECT_EQ(SceneNode::kDirtyColor, a->GetDirtyFlags());
    EXPECT_FLOAT_EQ(0.5f, b->GlobalGetAlpha());

    tree.root->LocalSetLocation(100, 100);
    EXPECT_EQ(Vector2<float>(21, 21), b->GlobalGetLocation());
    EXPECT_EQ(Vector2<float>(0, 0), tree.root->GlobalGetLocation());
    tree.root->UpdateScene();
    EXPECT_EQ(Vector2<float>(121, 121), b->GlobalGetLocation());
    EXPECT_EQ(Vector2<float>(100, 100), tree.root->GlobalGetLocation());
}

TEST(SceneNodeTree, CoordinateConversionIsTranslationOnlyAndTruncatesIntegerOffsets)
{
    Tree tree;
    tree.root->LocalSetLocation(3.7f, -2.9f);
    SceneNode* child = tree.Make(tree.root, Rect<float>(0, 0, 10, 10));
    child->LocalSetScale(Vector2<float>(4, 4));
    tree.root->UpdateScene();

    EXPECT_EQ(Vector2<int>(7, 12), child->GlobalToLocalPoint(Vector2<int>(10, 10)));
    Vector2<float> const local = child->GlobalToLocalPoint(Vector2<float>(10.0f, 10.0f));
    EXPECT_FLOAT_EQ(6.3f, local.x);
    EXPECT_FLOAT_EQ(12.9f, local.y);
    Vector2<float> const global = child->LocalToGlobalPoint(local);
    EXPECT_FLOAT_EQ(10.0f, global.x);
    EXPECT_FLOAT_EQ(10.0f, global.y);
    EXPECT_EQ(Vector2<float>(5, 5), child->LocalGetLocationCenter());
}

TEST(SceneNodeTree, CompositeBoundsCoverHiddenDescendants)
{
    Tree tree;
    SceneNode* a = tree.Make(tree.root, Rect<float>(10, 10, 10, 10));
    SceneNode* b = tree.Make(a, Rect<float>(50, 5, 10, 40));
    b->LocalSetVisible(false);
    tree.root->UpdateScene();
    EXPECT_EQ(Rect<float>(10, 10, 60, 45), a->GetCompositeBounds());
}

// --- children and names ------------------------------------------------------

TEST(SceneNodeTree, TheFirstChildUnderANameKeepsItAndRemovingEitherRemovesTheEntry)
{
    Tree tree;
    SceneNode* first = new SceneNode();
    first->SetNodeName(L8("Arm"));
    SceneNode* second = new SceneNode();
    second->SetNodeName(L8("arm"));
    tree.root->AttachChild(first);
    tree.root->AttachChild(second);
    EXPECT_EQ(first, tree.root->GetChildByName(L8("ARM")));

    second->DetachFromParent();
    EXPECT_EQ(nullptr, tree.root->GetChildByName(L8("Arm")));
    EXPECT_EQ(1u, tree.root->GetChildCount());
    delete second;
}

TEST(SceneNodeTree, AttachingMovesANodeBetweenParentsAndKeepsDrawOrder)
{
    Tree tree;
    SceneNode* a = tree.Make(tree.root, Rect<float>());
    SceneNode* b = tree.Make(tree.root, Rect<float>());
    SceneNode* c = tree.Make(tree.root, Rect<float>());
    std::vector<SceneNode*> order(tree.root->GetChildren().begin(), tree.root->GetChildren().end());
    EXPECT_EQ((std::vector<SceneNode*>{a, b, c}), order);

    c->MoveToBottomOfParent();
    order.assign(tree.root->GetChildren().begin(), tree.root->GetChildren().end());
    EXPECT_EQ((std::vector<SceneNode*>{c, a, b}), order);

    a->AttachChild(b);
    EXPECT_EQ(a, b->GetParent());
    EXPECT_EQ(2u, tree.root->GetChildCount());
    // Attaching to the same parent again changes nothing.
    tree.root->AttachChild(c);
    order.assign(tree.root->GetChildren().begin(), tree.root->GetChildren().end());
    EXPECT_EQ((std::vector<SceneNode*>{c, a}), order);
    // A node never becomes its own child, nor the child of its descendant.
    a->AttachChild(a);
    EXPECT_EQ(tree.root, a->GetParent());
    b->AttachChild(a, NodeAttachNPI::CenterOnParent());
    EXPECT_EQ(tree.root, a->GetParent());
    EXPECT_EQ(0u, b->GetChildCount());
    EXPECT_EQ(kHAlignment_Left, a->GetNodeAttachParams().parentHAlign);
    tree.root->UpdateScene();
}

// --- hit tests ---------------------------------------------------------------

TEST(SceneNodeHitTest, TheLastChildWinsAndChildrenComeBeforeTheirParent)
{
    Tree tree;
    SceneNode* a = tree.Make(tree.root, Rect<float>(0, 0, 100, 100));
    SceneNode* b = tree.Make(tree.root, Rect<float>(50, 50, 100, 100));
    SceneNode* inner = tree.Make(a, Rect<float>(0, 0, 10, 10));
    tree.root->UpdateScene();

    EXPECT_EQ(b, tree.root->GetDescendentAtLocation(60, 60));
    EXPECT_EQ(a, tree.root->GetDescendentAtLocation(20, 20));
    EXPECT_EQ(inner, tree.root->GetDescendentAtLocation(5, 5));
    // Right and bottom edges are outside.
    EXPECT_EQ(nullptr, tree.root->GetDescendentAtLocation(150, 150));
    EXPECT_EQ(b, tree.root->GetDescendentAtLocation(149.5f, 149.5f));

    b->SetHitTest(false);
    EXPECT_EQ(a, tree.root->GetDescendentAtLocation(60, 60));
}

TEST(SceneNodeHitTest, NodesInsideAnInvisibleParentAreNotHit)
{
    Tree tree;
    SceneNode* parent = tree.Make(tree.root, Rect<float>(0, 0, 100, 100));
    SceneNode* child = tree.Make(parent, Rect<float>(0, 0, 50, 50));
    tree.root->UpdateScene();
    EXPECT_EQ(child, tree.root->GetDescendentAtLocation(10, 10));
    parent->LocalSetVisible(false);
    EXPECT_EQ(nullptr, tree.root->GetDescendentAtLocation(10, 10));
}

TEST(SceneNodeHitTest, AMovedNodeIsTestedWhereItNowIs)
{
    Tree tree;
    SceneNode* node = tree.Make(tree.root, Rect<float>(0, 0, 10, 10));
    tree.root->UpdateScene();
    node->LocalSetLocation(200, 200);
    EXPECT_EQ(nullptr, tree.root->GetDescendentAtLocation(5, 5));
    EXPECT_EQ(node, tree.root->GetDescendentAtLocation(205, 205));
}

// --- input signals -----------------------------------------------------------

TEST(SceneNodeInput, MouseDownNeedsAConnectionTheButtonAndAHit)
{
    Tree tree;
    SceneNode* node = tree.Make(tree.root, Rect<float>(0, 0, 10, 10));
    tree.root->UpdateScene();
    EXPECT_EQ(kMessageNotHandled, node->OnMouseDown(0, 5, 5));

    std::vector<std::pair<int, int> > presses;
    node->mouseDownSignal.connect(
        [&presses](SceneNode*, MouseButton button, int x, int) { presses.push_back(std::make_pair(button, x)); });
    EXPECT_EQ(kMessageHandled, node->OnMouseDown(0, 5, 5));
    EXPECT_EQ(kMessageNotHandled, node->OnMouseDown(0, 50, 5));
    // The right button goes on to the capture test, which fails without a capture.
    EXPECT_EQ(kMessageNotHandled, node->OnMouseDown(1, 5, 5));
    node->SetButtonMask(3);
    EXPECT_EQ(kMessageHandled, node->OnMouseDown(1, 5, 5));
    // Buttons beyond the mask's width are refused rather than shifted out of range.
    EXPECT_EQ(kMessageNotHandled, node->OnMouseDown(40, 5, 5));
    EXPECT_EQ(kMessageNotHandled, node->OnMouseDown(-1, 5, 5));
    EXPECT_EQ((std::vector<std::pair<int, int> >{{0, 5}, {1, 5}}), presses);
}

TEST(SceneNodeInput, AParentAnswersForAHitDescendant)
{
    Tree tree;
    SceneNode* parent = tree.Make(tree.root, Rect<float>(0, 0, 10, 10));
    parent->SetHitTest(false);
    tree.Make(parent, Rect<float>(100, 100, 10, 10));
    tree.root->UpdateScene();
    int ups = 0;
    parent->mouseUpSignal.connect([&ups](SceneNode*, MouseButton, int, int) { ++ups; });
    EXPECT_EQ(kMessageHandled, parent->OnMouseUp(0, 105, 105));
    EXPECT_EQ(kMessageNotHandled, parent->OnMouseUp(0, 5, 5));
    EXPECT_EQ(1, ups);
}

TEST(SceneNodeInput, KeysNeedAConnectionAndEnterExitAwarenessFollowsConnections)
{
    SceneNode node;
    EXPECT_EQ(kMessageNotHandled, node.OnKeyDown(13));
    EXPECT_FALSE(node.HandlesMouseEnterExit());
    std::vector<int> keys;
    node.keyDownSignal.connect([&keys](SceneNode*, int key) { keys.push_back(key); });
    node.keyUpSignal.connect([&keys](SceneNode*, int key) { keys.push_back(-key); });
    EXPECT_EQ(kMessageHandled, node.OnKeyDown(13));
    EXPECT_EQ(kMessageHandled, node.OnKeyUp(13));
    EXPECT_EQ((std::vector<int>{13, -13}), keys);

    node.mouseExitSignal.connect([](SceneNode*) {});
    EXPECT_TRUE(node.HandlesMouseEnterExit());
    // The other input operations keep the component's answer.
    EXPECT_EQ(kMessageNotHandled, node.OnMouseMove(1, 1));
    EXPECT_EQ(kMessageNotHandled, node.OnTextInput(L"ñ"));
    EXPECT_TRUE(node.CanFocus());
}

// --- drawing -----------------------------------------------------------------

TEST(SceneNodeDraw, TheTraversalIsTopDownAndVisitsHiddenNodes)
{
    Tree tree;
    SceneNode* a = tree.Make(tree.root, Rect<float>());
    SceneNode* a1 = tree.Make(a, Rect<float>());
    SceneNode* b = tree.Make(tree.root, Rect<float>());
    a->LocalSetVisible(false);
    std::vector<SceneNode*> drawn;
    for (SceneNode* node : {tree.root, a, a1, b})
        node->drawSignal.connect([&drawn](SceneNode* n) { drawn.push_back(n); });
    tree.root->DrawScene();
    EXPECT_EQ((std::vector<SceneNode*>{tree.root, a, a1, b}), drawn);
}

TEST(SceneNodeDraw, DrawImagePicksStretchedRotatedOrPlainDrawing)
{
    QuadRecordingCanvas canvas;
    SizedImage image(20, 10);
    Tree tree;
    SceneNode* node = tree.Make(tree.root, Rect<float>(100.4f, 50.6f, 20, 10));
    node->LocalSetColor(ColorF(1.0f, 0.5f, 0.25f, 0.5f));
    tree.root->UpdateScene();

    node->DrawImage(&image, Vector2<float>(0, 0), true);
    ASSERT_EQ(1u, canvas.calls.size());
    EXPECT_EQ("image", canvas.calls[0].kind);
    EXPECT_EQ(100.0f, canvas.calls[0].x);
    EXPECT_EQ(51.0f, canvas.calls[0].y);
    EXPECT_EQ(ColorF(1.0f, 0.5f, 0.25f, 0.5f), canvas.calls[0].state.tint);

    node->LocalSetFlipH(true);
    node->SetUseClipRect(true);
    node->SetClipRect(Rect<int>(1, 2, 3, 4));
    node->DrawImage(&image, Vector2<float>(10, 0), false);
    ASSERT_EQ(2u, canvas.calls.size());
    EXPECT_FLOAT_EQ(110.4f, canvas.calls[1].x);
    EXPECT_NE(0u, canvas.calls[1].state.flags & Graphics::DRAW_FLAG_FLIP_H);
    EXPECT_EQ(0u, canvas.calls[1].state.flags & Graphics::DRAW_FLAG_FLIP_V);
    EXPECT_EQ(Rect<int>(1, 2, 3, 4), canvas.calls[1].state.clip);

    node->LocalSetLocation(100, 50);
    node->LocalSetScale(Vector2<float>(2, 2));
    node->DrawImage(&image, Vector2<float>(0, 0), true);
    ASSERT_EQ(3u, canvas.calls.size());
    EXPECT_EQ("stretched", canvas.calls[2].kind);
    EXPECT_EQ(Rect<int>(90, 45, 40, 20), canvas.calls[2].dest);

    // Scaled and rotated at once draws nothing.
    node->LocalSetOrientation(Angle(0.5f));
    node->DrawImage(&image, Vector2<float>(0, 0), true);
    EXPECT_EQ(3u, canvas.calls.size());

    node->LocalSetScale(Vector2<float>(1, 1));
    node->DrawImage(&image, Vector2<float>(0, 0), true);
    ASSERT_EQ(4u, canvas.calls.size());
    EXPECT_EQ("rotated", canvas.calls[3].kind);
    EXPECT_EQ(110.0f, canvas.calls[3].x);
    EXPECT_EQ(55.0f, canvas.calls[3].y);
    EXPECT_FLOAT_EQ(0.5f, canvas.calls[3].radians);

    node->DrawImage(nullptr, Vector2<float>(0, 0), true);
    EXPECT_EQ(4u, canvas.calls.size());
}

// --- destruction -------------------------------------------------------------

TEST(SceneNodeDestroy, DestroyingANodeDestroysItsSubtreeAndDetachesIt)
{
    SceneModeFixture scene;
    TaggedNode* parent = scene.Add(new TaggedNode("parent"));
    TaggedNode* child = scene.Add(new TaggedNode("child"), parent);
    TaggedNode* grandchild = scene.Add(new TaggedNode("grandchild"), child);
    std::vector<std::string> signals;
    for (TaggedNode* node : {parent, child, grandchild})
        node->destroyedSignal.connect([&signals](SceneNode* n) {
            signals.push_back(static_cast<TaggedNode*>(n)->GetTag());
        });

    parent->DestroySelf();
    EXPECT_EQ(0u, scene.Root()->GetChildCount());
    EXPECT_EQ(nullptr, parent->GetParent());
    EXPECT_EQ(0u, parent->GetChildCount());
    EXPECT_EQ((std::vector<std::string>{"grandchild", "child", "parent"}), signals);
    EXPECT_EQ((std::vector<std::string>{"grandchild NodeDestroyed", "child NodeDestroyed", "parent NodeDestroyed"}),
              Journal());

    Journal().clear();
    scene.mode->Update(0.02f);
    EXPECT_EQ(3u, Journal().size());
}
