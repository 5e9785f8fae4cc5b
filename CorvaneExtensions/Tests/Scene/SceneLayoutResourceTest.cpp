// A screen as the game builds one: a layout read from a manifest through the resource
// manager, instantiated by a controller under a scene mode, and driven with input.

#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"
#include "CorvaneExtensions/Tests/Scene/SpriteTestSupport.h"

#include "CorvaneExtensions/Source/CorvaneExtensions.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"

#include "CorvaneExtensions/Source/RandomRange.h"
#include "CorvaneExtensions/Source/ShapeNodes.h"

#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "Core/Source/FileAddress.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "Core/Tests/Support/StderrCapture.h"

#include <gtest/gtest.h>


using namespace Corvane;
using namespace SceneTesting;

namespace
{

using SpriteTesting::Files;

std::wstring const kSiteManifest =
    L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    L"<resources>\n"
    L"  <scenelayout name=\"ObraLayout\">\n"
    L"    <scenenode nodeName=\"Obra\" width=\"800\" height=\"600\">\n"
    L"      <scenenode nodeName=\"Gr\u00faa\" name=\"Crane\" x=\"100\" y=\"100\" width=\"50\" height=\"50\" "
    L"hitTest=\"true\"/>\n"
    L"      <scenenode nodeName=\"Cami\u00f3n\" x=\"120\" y=\"120\" width=\"50\" height=\"50\" hitTest=\"true\" "
    L"buttons=\"left,right\"/>\n"
    L"      <scenenode nodeName=\"Sign\" width=\"40\" height=\"20\" centerOnParent=\"true\" hitTest=\"true\"/>\n"
    L"    </scenenode>\n"
    L"  </scenelayout>\n"
    L"</resources>\n";

// The site's game element: owns the layout's nodes and notes what they report.
class SiteController : public SceneLayoutController
{
public:
    SceneNode* GetLayoutNode() override
    {
        AutoResource<SceneLayout> layout("ObraLayout");
        if (!layout)
            return nullptr;
        SceneNode* site = layout->InstantiateLayout(nullptr);
        for (SceneNode* node : site->GetChildren())
        {
            std::string const name = node->GetNodeName().GetString();
            node->mouseDownSignal.connect([name](SceneNode* n, MouseButton b, int, int) {
                Journal().push_back(name + " down " + std::to_string(b));
                n->Capture();
            });
            node->mouseUpSignal.connect([name](SceneNode* n, MouseButton b, int, int) {
                Journal().push_back(name + " up " + std::to_string(b));
                n->ReleaseCapture();
            });
            node->capturedMouseUpSignal.connect([name](SceneNode* n, MouseButton b, int, int) {
                Journal().push_back(name + " captured up " + std::to_string(b));
                n->ReleaseCapture();
            });
            node->mouseEnterSignal.connect([name](SceneNode*) { Journal().push_back(name + " enter"); });
            node->mouseExitSignal.connect([name](SceneNode*) { Journal().push_back(name + " exit"); });
            node->keyDownSignal.connect([name](SceneNode*, int key) {
                Journal().push_back(name + " key " + std::to_string(key));
            });
        }
        return site;
    }
};

class SceneLayoutResourceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Internal::DeleteAllSingletons();
        RegisterSingleton(static_cast<IFileSource*>(&Files()));
        Files().SetFile(L"Obra.xml", kSiteManifest);
        SetupCorvaneExtensions();
        GetResourceManager()->Load(L"Obra");
    }

    void TearDown() override
    {
        GetResourceManager()->Cleanup();
        Internal::DeleteAllSingletons();
        Journal().clear();
    }
};

} // namespace

TEST_F(SceneLayoutResourceTest, TheLayoutIsFoundByNameAndBuildsTheTree)
{
    AutoResource<SceneLayout> layout("obralayout");
    ASSERT_TRUE(layout);
    EXPECT_EQ(L"Obra", layout.GetDescriptor()->GetManifest());

    SceneModeFixture scene;
    SceneNode* site = layout->InstantiateLayout(scene.Database(), scene.Root());
    scene.mode->Update(0.02f);
    NodePathElement const toCrane[] = {"Obra", std::wstring(L"Gr\u00faa"), NodePathTerminator()};
    SceneNode* crane = RootDescendent(toCrane);
    ASSERT_NE(nullptr, crane);
    EXPECT_EQ(crane, scene.Database()->GetNamedObject(L8("crane")));
    EXPECT_EQ(Rect<float>(100, 100, 50, 50), crane->GlobalGetBounds());
    NodePathElement const toSign[] = {0, 2, NodePathTerminator()};
    EXPECT_EQ(Rect<float>(380, 290, 40, 20), RootDescendent(toSign)->GlobalGetBounds());
    EXPECT_EQ(site, scene.Root()->GetChildren().back());
}

TEST_F(SceneLayoutResourceTest, AControlledScreenAnswersInputInDrawOrder)
{
    SceneModeFixture scene;
    SiteController* controller = new SiteController();
    controller->AddToScene(scene.Database(), scene.Root());
    ASSERT_NE(nullptr, controller->getLayoutNode());
    scene.mode->Update(0.02f);

    // The truck overlaps the crane and is drawn later, so it answers first.
    scene.mode->OnMouseMove(110, 110);
    scene.mode->OnMouseMove(130, 130);
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseDown(0, 130, 130));
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseUp(0, 700, 500));
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseDown(0, 105, 105));
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseUp(0, 105, 105));
    // The crane answers the left button only; the truck both.
    EXPECT_EQ(kMessageNotHandled, scene.mode->OnMouseDown(1, 105, 105));
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseDown(1, 160, 160));
    scene.mode->OnMouseUp(1, 160, 160);
    EXPECT_EQ(kMessageHandled, scene.mode->OnKeyDown(32));
    std::string const crane = "Gr?a";
    std::string const truck = "Cami?n";
    EXPECT_EQ((std::vector<std::string>{crane + " enter", crane + " exit", truck + " enter",
                                        truck + " down 0", truck + " captured up 0",
                                        crane + " down 0", crane + " up 0",
                                        truck + " down 1", truck + " up 1",
                                        "Sign key 32"}),
              Journal());
}

TEST_F(SceneLayoutResourceTest, ScreenNodesOutliveTheManifestAndDieWithTheirController)
{
    SceneModeFixture scene;
    SiteController* controller = new SiteController();
    controller->AddToScene(scene.Database(), scene.Root());
    scene.mode->Update(0.02f);
    GetResourceManager()->Unload(L"Obra");
    EXPECT_FALSE(AutoResource<SceneLayout>("ObraLayout"));

    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseDown(0, 105, 105));
    controller->DestroySelf();
    scene.mode->Update(0.02f);
    EXPECT_EQ(0u, scene.Root()->GetChildCount());
    Journal().clear();
    EXPECT_EQ(kMessageNotHandled, scene.mode->OnMouseDown(0, 105, 105));
    EXPECT_EQ(kMessageNotHandled, scene.mode->OnKeyDown(32));
    EXPECT_TRUE(Journal().empty());

    // Without its layout a controller adds nothing to the scene.
    SiteController* orphan = new SiteController();
    orphan->AddToScene(scene.Database(), scene.Root());
    EXPECT_EQ(nullptr, orphan->getLayoutNode());
    EXPECT_EQ(0u, scene.Root()->GetChildCount());
}

TEST_F(SceneLayoutResourceTest, ABrokenLayoutReportsItsNameAndTheLoadedOnesStay)
{
    MemoryStream stream(L"Rota.xml");
    std::string const bytes = ConvertStringWideToUTF8String(
        L"<resources><scenelayout name=\"Rota\"><scenenode/><scenenode/></scenelayout></resources>");
    stream.Write(bytes.data(), bytes.size());
    stream.Seek(kSeekBegin, 0);
    try
    {
        GetResourceManager()->LoadFromStream(&stream, L"Rota");
        FAIL() << "no error";
    }
    catch (std::exception const& error)
    {
        EXPECT_STREQ("in SceneLayout \"Rota\": scene has more than one root node", error.what());
    }
    EXPECT_FALSE(AutoResource<SceneLayout>("Rota"));
    EXPECT_TRUE(AutoResource<SceneLayout>("ObraLayout"));
}

TEST_F(SceneLayoutResourceTest, SetupRegistersTheSceneKindsAndTheNodeTagsBuilt)
{
    for (wchar_t const* tag : {L"scenenode", L"backgroundnode", L"staticspritenode", L"animatedspritenode",
                               L"rectnode", L"ellipsenode", L"tiledspritenode"})
        EXPECT_NE(nullptr, SceneLayoutManager::Instance().GetSceneNodeFactory(tag)) << ConvertStringWideToUTF8String(tag);

    Files().SetFile(L"Valla.xml",
                    L"<resources><randomrange name=\"Espera\" min=\"1.5\" max=\"3\"/>"
                    L"<scenelayout name=\"VallaLayout\"><rectnode width=\"10\" height=\"5\" filled=\"true\">"
                    L"<ellipsenode nodeName=\"Sol\" width=\"4\" height=\"4\"/></rectnode></scenelayout></resources>");
    GetResourceManager()->Load(L"Valla");
    AutoResource<Internal::ValueWrapper<RandomRange> > range("Espera");
    ASSERT_TRUE(range);
    EXPECT_FLOAT_EQ(1.5f, range->value.min);
    EXPECT_FLOAT_EQ(3.0f, range->value.max);
    AutoResource<SceneLayout> layout("VallaLayout");
    ASSERT_TRUE(layout);
    OwnedTree fence(layout->InstantiateLayout(nullptr));
    ASSERT_NE(nullptr, dynamic_cast<RectNode*>(fence.get()));
    EXPECT_EQ(10.0f, fence->GetWidth());
    EXPECT_NE(nullptr, dynamic_cast<EllipseNode*>(fence->GetChildByName(L8("sol"))));
}

TEST_F(SceneLayoutResourceTest, NumbersNoNodeCanTakeAreRefusedWithTheFileNodeAndAttribute)
{
    struct sCase
    {
        wchar_t const* attributes;
        char const* logged;
        Rect<float> bounds;
        float alpha;
    };
    sCase const cases[] = {
        {L"x='NaN' y='30'", "Rota.xml: Rota/Obra/Gr?a: \"x\" is \"NaN\", which a position cannot take; 0 is used.",
         Rect<float>(0, 30, 50, 50), 1.0f},
        {L"x='10' y='-inf'", "\"y\" is \"-inf\", which a position cannot take", Rect<float>(10, 0, 50, 50), 1.0f},
        {L"x='10' y='30' width='-50'", "\"width\" is \"-50\", which a size cannot take", Rect<float>(10, 30, 0, 50),
         1.0f},
        {L"x='10' y='30' alpha='7'", "\"alpha\" is \"7\", which a fraction cannot take", Rect<float>(10, 30, 50, 50),
         1.0f},
        {L"x='10' y='30' alpha='0.5'", nullptr, Rect<float>(10, 30, 50, 50), 0.5f},
    };
    for (sCase const& c : cases)
    {
        SCOPED_TRACE(c.logged ? c.logged : "no damage");
        std::wstring const attributes = c.attributes;
        std::wstring const manifest = L"<resources><scenelayout name=\"Rota\"><scenenode nodeName=\"Obra\">"
                                      L"<scenenode nodeName=\"Gr\u00faa\" width='50' height='50' " +
                                      attributes + L"/></scenenode></scenelayout></resources>";
        Files().SetFile(L"Rota.xml", manifest);
        TestSupport::StderrCapture log;
        GetResourceManager()->Load(L"Rota");
        std::string const logged = log.Take();
        if (c.logged)
            EXPECT_NE(std::string::npos, logged.find(c.logged)) << logged;
        else
            EXPECT_EQ(std::string::npos, logged.find("cannot take")) << logged;
        AutoResource<SceneLayout> const layout("Rota");
        ASSERT_TRUE(layout);
        SceneModeFixture scene;
        layout->InstantiateLayout(scene.Database(), scene.Root());
        SceneNode* const node = scene.Root()->GetChildren().back()->GetChildren().front();
        EXPECT_EQ(c.bounds, node->GlobalGetBounds());
        EXPECT_FLOAT_EQ(c.alpha, node->LocalGetColor().a);
        GetResourceManager()->Unload(L"Rota");
    }
}
