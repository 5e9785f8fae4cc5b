#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"

#include "CorvaneExtensions/Source/SceneLayout.h"

#include "Core/Source/StringUtils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace Corvane;
using namespace SceneTesting;

namespace
{

int gDeletedFactories = 0;

// "testnode": a node type that turns on its own hit test and right button, and can
// be told to fail while reading ("fail") or while building ("failNode").
class TestNodeDescriptor : public SceneNodeDescriptor
{
public:
    bool failNode = false;
};

class TestNodeFactory : public SceneNodeFactory
{
public:
    ~TestNodeFactory() override { ++gDeletedFactories; }
    SceneNodeDescriptor* CreateDescriptor(IAttributeContainer const& attributes) const override
    {
        if (attributes.GetAttribute(L"fail", false))
            throw std::logic_error("the test node refused its attributes");
        TestNodeDescriptor* descriptor = new TestNodeDescriptor;
        descriptor->failNode = attributes.GetAttribute(L"failNode", false);
        return descriptor;
    }
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override
    {
        if (static_cast<TestNodeDescriptor const*>(descriptor)->failNode)
            throw std::runtime_error("the test node could not be built");
        TaggedNode* node = new TaggedNode("test");
        node->SetHitTest(true);
        node->SetButtonMask(2);
        return node;
    }
};

class SceneLayoutTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        SceneLayoutManager::Instance().AddSceneNodeFactory(L"scenenode", new BasicSceneNodeFactory());
        SceneLayoutManager::Instance().AddSceneNodeFactory(L"testnode", new TestNodeFactory());
    }

    // Reads the first element of the text as a manifest element, as the resource
    // manager hands it to the factory.
    static SceneLayout* Read(std::wstring const& text, char const* name = "Layout")
    {
        IResourceDescriptor* resource = ReadLayoutElement(text, L"Screens", L8(name));
        EXPECT_EQ(std::string(name), resource->GetName().GetString());
        EXPECT_EQ(L"Screens", resource->GetManifest());
        return dynamic_cast<SceneLayout*>(resource);
    }

    // The text of the SceneLayoutException that reading throws.
    static std::string ReadError(std::wstring const& text, char const* name = "Layout")
    {
        try
        {
            delete Read(text, name);
        }
        catch (SceneLayoutException const& error)
        {
            return error.what();
        }
        return "no error";
    }

    static OwnedTree Build(std::wstring const& text)
    {
        std::unique_ptr<SceneLayout> layout(Read(text));
        return OwnedTree(layout->InstantiateLayout(nullptr));
    }

    void TearDown() override { Journal().clear(); }
};

} // namespace

// --- common attributes -------------------------------------------------------

TEST_F(SceneLayoutTest, CommonAttributesReachTheNode)
{
    OwnedTree node = Build(
        L"<scenelayout name='Layout'><scenenode x='12.5' y='-4' width='30' height='20' scaleX='2' scaleY='0.5' "
        L"orientation='90' visible='false' hitTest='true' name='Grua' nodeName='Brazo' color='#FF000080' "
        L"rotateHAlign='right' rotateVAlign='middle' scaleHAlign='center' scaleVAlign='bottom'/></scenelayout>");
    ASSERT_NE(nullptr, node);
    EXPECT_EQ(Rect<float>(12.5f, -4.0f, 30.0f, 20.0f), node->LocalGetBounds());
    EXPECT_EQ(Vector2<float>(2.0f, 0.5f), node->LocalGetScale());
    EXPECT_NEAR(std::acos(-1.0f) / 2.0f, node->LocalGetOrientation().GetRadians(), 1e-6);
    EXPECT_FALSE(node->LocalIsVisible());
    EXPECT_TRUE(node->GetHitTest());
    EXPECT_EQ(L8("grua"), node->GetName());
    EXPECT_EQ(L8("BRAZO"), node->GetNodeName());
    EXPECT_EQ(ColorF(1.0f, 0.0f, 0.0f, 128.0f / 255.0f), node->LocalGetColor());
    EXPECT_EQ(kHAlignment_Right, node->GetRotateHAlign());
    EXPECT_EQ(kVAlignment_Middle, node->GetRotateVAlign());
    EXPECT_EQ(kHAlignment_Center, node->GetScaleHAlign());
    EXPECT_EQ(kVAlignment_Bottom, node->GetScaleVAlign());
}

TEST_F(SceneLayoutTest, DefaultsPutPivotAndScaleAnchorTopLeft)
{
    OwnedTree node = Build(L"<scenelayout name='Layout'><scenenode/></scenelayout>");
    ASSERT_NE(nullptr, node);
    EXPECT_EQ(Rect<float>(0, 0, 0, 0), node->LocalGetBounds());
    EXPECT_EQ(Vector2<float>(1, 1), node->LocalGetScale());
    EXPECT_TRUE(node->LocalIsVisible());
    EXPECT_FALSE(node->GetHitTest());
    EXPECT_EQ(1u, node->GetButtonMask());
    EXPECT_EQ(ColorF(1, 1, 1, 1), node->LocalGetColor());
    EXPECT_TRUE(node->GetName().IsNull());
    EXPECT_TRUE(node->GetNodeName().IsNull());
    EXPECT_EQ(kHAlignment_Left, node->GetRotateHAlign());
    EXPECT_EQ(kVAlignment_Top, node->GetRotateVAlign());
    EXPECT_EQ(kHAlignment_Left, node->GetScaleHAlign());
    EXPECT_EQ(kVAlignment_Top, node->GetScaleVAlign());
}

TEST_F(SceneLayoutTest, AlphaIsReadOnlyWithoutAColour)
{
    OwnedTree node = Build(
        L"<scenelayout name='Layout'><scenenode color='#10203080' alpha='1'><scenenode alpha='0.25'/>"
        L"</scenenode></scenelayout>");
    EXPECT_FLOAT_EQ(128.0f / 255.0f, node->LocalGetAlpha());
    EXPECT_EQ(ColorF(1, 1, 1, 0.25f), node->GetChildren().front()->LocalGetColor());
}

TEST_F(SceneLayoutTest, CentringOverridesTheAlignmentWords)
{
    SceneNode parent;
    parent.SetWidth(200);
    parent.SetHeight(100);
    std::unique_ptr<SceneLayout> layout(Read(
        L"<scenelayout name='Layout'><scenenode>"
        L"<scenenode nodeName='a' centerOnParent='true' parentHAlign='right' selfVAlign='bottom'/>"
        L"<scenenode nodeName='b' centerHOnParent='true' parentHAlign='right' parentVAlign='bottom'/>"
        L"<scenenode nodeName='c' centerVOnParent='true' parentHAlign='right' selfHAlign='center' "
        L"parentVAlign='bottom'/>"
        L"<scenenode nodeName='d' parentHAlign='Right' parentVAlign='middle '/>"
        L"</scenenode></scenelayout>"));
    OwnedTree root(layout->InstantiateLayout(&parent));
    auto params = [&root](char const* name) { return root->GetChildByName(L8(name))->GetNodeAttachParams(); };
    EXPECT_EQ(kHAlignment_Center, params("a").parentHAlign);
    EXPECT_EQ(kHAlignment_Center, params("a").selfHAlign);
    EXPECT_EQ(kVAlignment_Middle, params("a").parentVAlign);
    EXPECT_EQ(kVAlignment_Middle, params("a").selfVAlign);
    EXPECT_EQ(kHAlignment_Center, params("b").parentHAlign);
    EXPECT_EQ(kVAlignment_Bottom, params("b").parentVAlign);
    EXPECT_EQ(kVAlignment_Top, params("b").selfVAlign);
    EXPECT_EQ(kHAlignment_Right, params("c").parentHAlign);
    EXPECT_EQ(kHAlignment_Center, params("c").selfHAlign);
    EXPECT_EQ(kVAlignment_Middle, params("c").parentVAlign);
    // Alignment words are matched exactly.
    EXPECT_EQ(kHAlignment_Left, params("d").parentHAlign);
    EXPECT_EQ(kVAlignment_Top, params("d").parentVAlign);
}

TEST_F(SceneLayoutTest, ARootBuiltWithoutAParentIgnoresItsAttachParameters)
{
    SceneModeFixture scene;
    std::unique_ptr<SceneLayout> layout(Read(
        L"<scenelayout name='Layout'><scenenode x='10' y='20' width='50' height='50' centerOnParent='true'>"
        L"<scenenode x='1' y='1' width='10' height='10' centerOnParent='true'/></scenenode></scenelayout>"));
    SceneNode* root = layout->InstantiateLayout(scene.Database(), nullptr);
    scene.Root()->AttachChild(root);
    scene.mode->Update(0.02f);
    EXPECT_EQ(Vector2<float>(10, 20), root->GlobalGetLocation());
    EXPECT_EQ(Vector2<float>(10 + 1 + 25 - 5, 20 + 1 + 25 - 5), root->GetChildren().front()->GlobalGetLocation());
}

TEST_F(SceneLayoutTest, ButtonsAddToTheNodeTypesOwnMask)
{
    auto mask = [](std::wstring const& buttons, wchar_t const* tag = L"scenenode") {
        OwnedTree node =
            Build(L"<scenelayout name='Layout'><" + std::wstring(tag) + L" buttons='" + buttons + L"'/></scenelayout>");
        return node->GetButtonMask();
    };
    EXPECT_EQ(5u, mask(L"left , middle"));
    EXPECT_EQ(0xFFFFFFFFu, mask(L"all"));
    EXPECT_EQ(0xFFFFFFFFu, mask(L" a l\tl\r\n"));
    EXPECT_EQ(1u, mask(L"none"));
    EXPECT_EQ(3u, mask(L"right"));
    EXPECT_EQ(1u, mask(L"thumb,,"));
    EXPECT_EQ(7u, mask(L"middle,right"));
    // A type that answers the right button alone keeps exactly its own mask.
    EXPECT_EQ(2u, mask(L"none", L"testnode"));
    EXPECT_EQ(3u, mask(L"left", L"testnode"));
    EXPECT_EQ(0u, SceneLayoutAttributes::ParseButtons(L"none"));
}

TEST_F(SceneLayoutTest, ALayoutNeverTurnsOffAHitTestTheTypeTurnedOn)
{
    OwnedTree node = Build(L"<scenelayout name='Layout'><testnode hitTest='false'/></scenelayout>");
    EXPECT_TRUE(node->GetHitTest());
}

TEST_F(SceneLayoutTest, NonASCIINamesAreNarrowedWithQuestionMarks)
{
    OwnedTree node =
        Build(L"<scenelayout name='Layout'><scenenode name='Se\u00f1al' nodeName='Gr\u00faa'/></scenelayout>");
    EXPECT_STREQ("Se?al", node->GetName().GetString());
    EXPECT_STREQ("Gr?a", node->GetNodeName().GetString());
}

// --- building ----------------------------------------------------------------

TEST_F(SceneLayoutTest, EachInstantiationBuildsFreshNodesInDocumentOrder)
{
    std::unique_ptr<SceneLayout> layout(Read(
        L"<scenelayout name='Layout'>\n  text is skipped\n  <scenenode nodeName='root'>"
        L"<scenenode nodeName='first'><testnode nodeName='inner'/></scenenode>"
        L"<!-- a comment --><scenenode nodeName='second'/></scenenode></scenelayout>"));
    OwnedTree one(layout->InstantiateLayout(nullptr));
    OwnedTree two(layout->InstantiateLayout(nullptr));
    ASSERT_NE(one.get(), two.get());
    ASSERT_EQ(2u, one->GetChildCount());
    EXPECT_EQ(L8("first"), one->GetChildren().front()->GetNodeName());
    EXPECT_EQ(L8("second"), one->GetChildren().back()->GetNodeName());
    SceneNode* inner = one->GetChildren().front()->GetChildByName(L8("inner"));
    ASSERT_NE(nullptr, dynamic_cast<TaggedNode*>(inner));
    EXPECT_NE(inner, two->GetChildren().front()->GetChildByName(L8("inner")));
}

TEST_F(SceneLayoutTest, InstantiatingIntoADatabaseAddsChildrenBeforeParents)
{
    SceneModeFixture scene;
    std::unique_ptr<SceneLayout> layout(
        Read(L"<scenelayout name='Layout'><scenenode><scenenode><scenenode/></scenenode></scenenode></scenelayout>"));
    SceneNode* root = layout->InstantiateLayout(scene.Database(), scene.Root());
    SceneNode* child = root->GetChildren().front();
    SceneNode* grandchild = child->GetChildren().front();
    EXPECT_EQ(scene.Root(), root->GetParent());
    for (SceneNode* node : {root, child, grandchild})
        EXPECT_TRUE(node->IsLive());
    EXPECT_LT(GetObjectIDIndex(grandchild->GetID()), GetObjectIDIndex(child->GetID()));
    EXPECT_LT(GetObjectIDIndex(child->GetID()), GetObjectIDIndex(root->GetID()));

    SceneLayout empty;
    EXPECT_EQ(nullptr, empty.InstantiateLayout(scene.Database(), scene.Root()));
    EXPECT_EQ(1u, scene.Root()->GetChildCount());
}

TEST_F(SceneLayoutTest, ABuildThatFailsPartWayLeavesTheParentUnchanged)
{
    SceneModeFixture scene;
    std::unique_ptr<SceneLayout> layout(
        Read(L"<scenelayout name='Layout'><scenenode><testnode/><testnode failNode='true'/></scenenode></scenelayout>"));
    EXPECT_THROW(layout->InstantiateLayout(scene.Database(), scene.Root()), std::runtime_error);
    EXPECT_EQ(0u, scene.Root()->GetChildCount());
    // The node built before the failure was deleted, not left behind.
    EXPECT_EQ((std::vector<std::string>{"test deleted"}), Journal());
}

// --- errors ------------------------------------------------------------------

TEST_F(SceneLayoutTest, AnEmptyLayoutHasNoRootNode)
{
    EXPECT_EQ("in SceneLayout \"Intro\": scene has no root node", ReadError(L"<scenelayout name='Intro'/>", "Intro"));
    EXPECT_EQ("in SceneLayout \"Intro\": scene has no root node",
              ReadError(L"<scenelayout name='Intro'>only text</scenelayout>", "Intro"));
}

TEST_F(SceneLayoutTest, ASecondRootIsRefused)
{
    EXPECT_EQ("in SceneLayout \"Layout\": scene has more than one root node",
              ReadError(L"<scenelayout name='Layout'><scenenode/><scenenode/></scenelayout>"));
}

TEST_F(SceneLayoutTest, UnknownTagsAreNamedWhereverTheyStand)
{
    EXPECT_EQ("in SceneLayout \"Layout\": unrecognized node type: \"bogusnode\"",
              ReadError(L"<scenelayout name='Layout'><bogusnode/></scenelayout>"));
    EXPECT_EQ("in SceneLayout \"Layout\": unrecognized node type: \"SceneNode\"",
              ReadError(L"<scenelayout name='Layout'><scenenode><scenenode><SceneNode/></scenenode></scenenode>"
                        L"</scenelayout>"));
    EXPECT_EQ("in SceneLayout \"Pa?o\": unrecognized node type: \"gr?a\"",
              ReadError(L"<scenelayout name='Pa\u00f1o'><scenenode><gr\u00faa/></scenenode></scenelayout>", "Pa?o"));
}

TEST_F(SceneLayoutTest, OtherErrorsPassThroughUnchanged)
{
    try
    {
        delete Read(L"<scenelayout name='Layout'><scenenode><testnode fail='true'/></scenenode></scenelayout>");
        FAIL() << "no error";
    }
    catch (SceneLayoutException const&)
    {
        FAIL() << "wrapped";
    }
    catch (std::logic_error const& error)
    {
        EXPECT_STREQ("the test node refused its attributes", error.what());
    }
}

TEST_F(SceneLayoutTest, TheExceptionTextCarriesTheNameOnlyWhenThereIsOne)
{
    SceneLayoutException error("scene has no root node");
    EXPECT_STREQ("scene has no root node", error.what());
    error.setName("Intro");
    EXPECT_STREQ("in SceneLayout \"Intro\": scene has no root node", error.what());
    EXPECT_EQ("scene has no root node", error.getMessage());
    error.setName("");
    EXPECT_STREQ("scene has no root node", error.what());
}

// --- the registry ------------------------------------------------------------

TEST_F(SceneLayoutTest, TagsAreExactAndAReplacedFactoryIsDeleted)
{
    SceneLayoutManager& manager = SceneLayoutManager::Instance();
    EXPECT_NE(nullptr, manager.GetSceneNodeFactory(L"scenenode"));
    EXPECT_EQ(nullptr, manager.GetSceneNodeFactory(L"SceneNode"));
    EXPECT_EQ(nullptr, manager.GetSceneNodeFactory(L""));

    int const before = gDeletedFactories;
    TestNodeFactory* replacement = new TestNodeFactory();
    manager.AddSceneNodeFactory(L"testnode", replacement);
    EXPECT_EQ(before + 1, gDeletedFactories);
    EXPECT_EQ(replacement, manager.GetSceneNodeFactory(L"testnode"));
    // Registering the same factory again keeps it.
    manager.AddSceneNodeFactory(L"testnode", replacement);
    EXPECT_EQ(before + 1, gDeletedFactories);
    EXPECT_EQ(replacement, manager.GetSceneNodeFactory(L"testnode"));
}
