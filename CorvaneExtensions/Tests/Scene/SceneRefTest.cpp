// Scene references as screens use them: a layout embedded in another with the
// element's own attributes and children, the error that ends loading when the
// referenced layout is not there, and references that would recurse for ever.
// Also the extension set-up's full set of node tags.

#include "CorvaneExtensions/Tests/Scene/ControlTestSupport.h"

#include "CorvaneExtensions/Source/NodeGridNode.h"
#include "CorvaneExtensions/Source/SceneRef.h"
#include "CorvaneExtensions/Source/ShapeNodes.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace ControlTesting;

namespace
{

class SceneRefTest : public ControlFixture
{
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        LoadManifest(L"<testfont name=\"Letra\" glyphWidth=\"6\" glyphHeight=\"9\"/>", L"Letras");
        // A sign: a 40 x 30 board with a caption.
        LoadLayout(L"Letrero", L"<rectnode name=\"Tablero\" width=\"40\" height=\"30\" x=\"7\" y=\"8\">"
                               L"<textspritenode nodeName=\"texto\" font=\"Letra\" text=\"Obra\"/></rectnode>");
    }

    // Layout names are interned from their wide text, as here.
    static SceneNode* Child(SceneNode* node, wchar_t const* name)
    {
        return node ? node->GetChildByName(Label::FromString(std::wstring(name))) : nullptr;
    }
};

} // namespace

TEST_F(SceneRefTest, AReferenceEmbedsTheLayoutWithTheElementsAttributesAndChildren)
{
    LoadLayout(L"Calle", L"<scenenode>"
                         L"<sceneref scenename=\"Letrero\" nodeName=\"se\u00f1al\" name=\"Se\u00f1al\" x=\"100\" "
                         L"y=\"50\" hitTest=\"true\">"
                         L"<ellipsenode nodeName=\"farol\" width=\"4\" height=\"4\"/></sceneref>"
                         L"<sceneref scenename=\"Letrero\" nodeName=\"otra\"/></scenenode>");
    SceneNode* street = Instantiate(L"Calle");
    ASSERT_NE(nullptr, street);
    RectNode* sign = dynamic_cast<RectNode*>(Child(street, L"se\u00f1al"));
    ASSERT_NE(nullptr, sign);
    // The element's attributes replace those of the referenced root.
    EXPECT_EQ(Label::FromString(std::wstring(L"Se\u00f1al")), sign->GetName());
    EXPECT_EQ(Rect<float>(100, 50, 40, 30), sign->GlobalGetBounds());
    EXPECT_TRUE(sign->GetHitTest());
    // The layout's own children first, then the element's.
    ASSERT_EQ(2u, sign->GetChildCount());
    EXPECT_NE(nullptr, dynamic_cast<TextSpriteNode*>(Child(sign, L"texto")));
    EXPECT_NE(nullptr, dynamic_cast<EllipseNode*>(Child(sign, L"farol")));
    EXPECT_EQ(Child(sign, L"farol"), sign->GetChildren().back());

    // Each reference is a fresh copy, in the mode's database.
    RectNode* other = dynamic_cast<RectNode*>(Child(street, L"otra"));
    ASSERT_NE(nullptr, other);
    EXPECT_NE(sign, other);
    EXPECT_EQ(1u, other->GetChildCount());
    EXPECT_EQ(Rect<float>(0, 0, 40, 30), other->GlobalGetBounds());
    EXPECT_EQ(Child(other, L"texto"), scene->Database()->GetObject(Child(other, L"texto")->GetID()));
}

TEST_F(SceneRefTest, ALayoutWithASpanishNameIsFoundByItsName)
{
    LoadLayout(L"Se\u00f1alizaci\u00f3n", L"<rectnode width=\"12\" height=\"6\"/>");
    LoadLayout(L"Cruce", L"<scenenode><sceneref scenename=\"Se\u00f1alizaci\u00f3n\" nodeName=\"cruce\"/></scenenode>");
    SceneNode* crossing = Instantiate(L"Cruce");
    ASSERT_NE(nullptr, crossing);
    RectNode* sign = dynamic_cast<RectNode*>(Child(crossing, L"cruce"));
    ASSERT_NE(nullptr, sign);
    EXPECT_EQ(12.0f, sign->GetWidth());
}

TEST_F(SceneRefTest, AReferenceCanBeTheRootAndSitInAGrid)
{
    LoadLayout(L"Fila", L"<nodegridnode hSpacing=\"5\"><sceneref scenename=\"Letrero\"/>"
                        L"<sceneref scenename=\"Letrero\"/></nodegridnode>");
    LoadLayout(L"Raiz", L"<sceneref scenename=\"Fila\" x=\"10\"/>");
    NodeGridNode* row = dynamic_cast<NodeGridNode*>(Instantiate(L"Raiz"));
    ASSERT_NE(nullptr, row);
    EXPECT_EQ(10.0f, row->LocalGetLocation().x);
    ASSERT_EQ(2u, row->GetChildCount());
    EXPECT_EQ(Vector2<float>(45, 0), row->GetChildren().back()->LocalGetLocation());
    EXPECT_EQ(85.0f, row->GetWidth());
}

TEST_F(SceneRefTest, AMissingLayoutEndsLoadingBeforeAnyNodeIsBuilt)
{
    try
    {
        LoadLayout(L"Rota", L"<scenenode><rectnode width=\"5\" height=\"5\"/>"
                            L"<sceneref scenename=\"Desconocida\"/></scenenode>");
        FAIL() << "no error";
    }
    catch (std::exception const& error)
    {
        EXPECT_STREQ("in SceneLayout \"Rota\": sceneref: layout \"Desconocida\" not found", error.what());
    }
    EXPECT_FALSE(AutoResource<SceneLayout>("Rota"));

    // A reference without a name fails the same way.
    try
    {
        LoadLayout(L"SinNombre", L"<sceneref/>");
        FAIL() << "no error";
    }
    catch (std::exception const& error)
    {
        EXPECT_STREQ("in SceneLayout \"SinNombre\": sceneref: layout \"\" not found", error.what());
    }
}

TEST_F(SceneRefTest, AReferencedLayoutThatIsGoneLeavesItsPlaceEmpty)
{
    LoadLayout(L"Plaza", L"<scenenode><sceneref scenename=\"Letrero\"/><rectnode width=\"3\" height=\"3\"/></scenenode>");
    GetResourceManager()->Unload(L"LetreroLayout");
    ASSERT_FALSE(AutoResource<SceneLayout>("Letrero"));
    SceneNode* square = Instantiate(L"Plaza");
    ASSERT_NE(nullptr, square);
    ASSERT_EQ(1u, square->GetChildCount());
    EXPECT_NE(nullptr, dynamic_cast<RectNode*>(square->GetChildren().front()));
}

TEST_F(SceneRefTest, LayoutsThatReferenceEachOtherStopInsteadOfRecursing)
{
    LoadLayout(L"Ida", L"<scenenode/>");
    LoadLayout(L"Vuelta", L"<scenenode nodeName=\"vuelta\"><sceneref scenename=\"Ida\" nodeName=\"ida\"/></scenenode>");
    // Ida is replaced by a layout that refers back to Vuelta.
    GetResourceManager()->Unload(L"IdaLayout");
    LoadManifest(L"<scenelayout name=\"Ida\"><scenenode><sceneref scenename=\"Vuelta\" nodeName=\"vuelta\"/>"
                 L"</scenenode></scenelayout>",
                 L"IdaOtraVez");
    SceneNode* top = Instantiate(L"Vuelta");
    ASSERT_NE(nullptr, top);
    int depth = 0;
    for (SceneNode* node = top; node; node = node->GetChildren().empty() ? nullptr : node->GetChildren().front())
        ++depth;
    // The outer root, then one node for each reference allowed.
    EXPECT_EQ(SceneRefFactory::kMaxNesting + 1, depth);
}

TEST_F(SceneRefTest, SetupRegistersAllTwentyOneNodeTags)
{
    for (wchar_t const* tag :
         {L"sceneref", L"scenenode", L"backgroundnode", L"buttonnode", L"checkboxnode", L"listnode",
          L"radiobuttonnode", L"scrollbarnode", L"slidernode", L"staticspritenode", L"texteditnode",
          L"textspritenode", L"animatedspritenode", L"meterbarnode", L"discretemeterbarnode", L"nodegridnode",
          L"rectnode", L"ellipsenode", L"styledtextspritenode", L"fractiontextmeternode", L"tiledspritenode"})
        EXPECT_NE(nullptr, SceneLayoutManager::Instance().GetSceneNodeFactory(tag)) << ConvertStringWideToUTF8String(tag);
}
