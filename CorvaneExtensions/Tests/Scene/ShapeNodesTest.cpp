// Rectangle, ellipse and background nodes: what they draw, in which colour, and
// their scene-layout tags.

#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"
#include "CorvaneExtensions/Tests/Scene/SpriteTestSupport.h"

#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/ShapeNodes.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Corvane;
using namespace SceneTesting;
using namespace SpriteTesting;

namespace
{

std::wstring const kShapeManifest =
    L"<resources>\n"
    L"  <testimagelist name='Marco' count='9' width='4' height='4'/>\n"
    L"  <scenelayout name='Formas'>\n"
    L"    <scenenode nodeName='Formas' alpha='0.5'>\n"
    L"      <rectnode nodeName='Lleno' x='10' y='20' width='30' height='40' color='#FF0000'/>\n"
    L"      <rectnode nodeName='Borde' width='5' height='6' filled='false'/>\n"
    L"      <ellipsenode nodeName='\u00d3valo' x='1' y='2' width='8' height='4'/>\n"
    L"      <ellipsenode nodeName='Anillo' width='8' height='4' filled='false'/>\n"
    L"      <backgroundnode nodeName='Fondo' images='Marco' x='3' y='4' width='50' height='60' color='#00FF00'/>\n"
    L"      <backgroundnode nodeName='SinMarco' images='NoHay' width='50' height='60'/>\n"
    L"    </scenenode>\n"
    L"  </scenelayout>\n"
    L"</resources>\n";

class ShapeNodesTest : public ::testing::Test
{
protected:
    ShapeNodesTest() : manifest(L"Formas", kShapeManifest) {}

    void SetUp() override
    {
        AutoResource<SceneLayout> layout("Formas");
        ASSERT_TRUE(layout);
        shapes = layout->InstantiateLayout(scene.Database(), scene.Root());
        scene.mode->Update(0.02f);
    }

    template <class T>
    T* Child(std::wstring const& name)
    {
        return dynamic_cast<T*>(shapes->GetChild(NodePathElement(name)));
    }

    // The calls one node makes when drawn.
    std::vector<sShapeCall> DrawOf(SceneNode* node)
    {
        ShapeRecordingCanvas canvas;
        node->DrawNode();
        return canvas.calls;
    }

    LoadedManifest manifest;
    SceneModeFixture scene;
    SceneNode* shapes = nullptr;
};

} // namespace

// ---- Normal case ------------------------------------------------------------------------------

TEST_F(ShapeNodesTest, ARectangleIsFilledByDefaultInItsColourAtItsParentsOpacity)
{
    RectNode* rect = Child<RectNode>(L"Lleno");
    ASSERT_NE(nullptr, rect);
    EXPECT_TRUE(rect->IsFilled());
    std::vector<sShapeCall> const calls = DrawOf(rect);
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ("filled rect", calls[0].kind);
    EXPECT_EQ(Rect<float>(10, 20, 30, 40), calls[0].rect);
    EXPECT_EQ(ColorF(1, 0, 0, 0.5f), calls[0].state.tint);
    EXPECT_EQ(ColorF(1, 0, 0, 0.5f), calls[0].state.color);
}

TEST_F(ShapeNodesTest, AnUnfilledRectangleIsOutlined)
{
    RectNode* border = Child<RectNode>(L"Borde");
    ASSERT_NE(nullptr, border);
    EXPECT_FALSE(border->IsFilled());
    std::vector<sShapeCall> const calls = DrawOf(border);
    ASSERT_FALSE(calls.empty());
    for (sShapeCall const& call : calls)
    {
        EXPECT_NE("filled rect", call.kind);
        EXPECT_EQ(0.5f, call.state.tint.a);
    }
}

TEST_F(ShapeNodesTest, EllipsesFitTheBoxFilledOrOutlined)
{
    EllipseNode* oval = Child<EllipseNode>(L"\u00d3valo");
    ASSERT_NE(nullptr, oval);
    std::vector<sShapeCall> const filled = DrawOf(oval);
    ASSERT_EQ(1u, filled.size());
    EXPECT_EQ("filled ellipse", filled[0].kind);
    EXPECT_EQ(Rect<float>(1, 2, 8, 4), filled[0].rect);

    std::vector<sShapeCall> const ring = DrawOf(Child<EllipseNode>(L"Anillo"));
    ASSERT_EQ(1u, ring.size());
    EXPECT_EQ("line ellipse", ring[0].kind);
}

TEST_F(ShapeNodesTest, ABackgroundTakesOnlyTheOpacityOfItsNodeAndNeverTheFocus)
{
    BackgroundNode* back = Child<BackgroundNode>(L"Fondo");
    ASSERT_NE(nullptr, back);
    EXPECT_FALSE(back->CanFocus());
    EXPECT_EQ(Rect<float>(3, 4, 50, 60), back->GlobalGetBounds());
    std::vector<sShapeCall> const calls = DrawOf(back);
    ASSERT_FALSE(calls.empty());
    for (sShapeCall const& call : calls)
        EXPECT_EQ(ColorF(1, 1, 1, 0.5f), call.state.tint);
    // The pieces cover the box and nothing outside it.
    Rect<float> covered = calls[0].rect;
    for (sShapeCall const& call : calls)
        covered = covered.getUnion(call.rect);
    EXPECT_EQ(Rect<float>(3, 4, 50, 60), covered);
}

TEST_F(ShapeNodesTest, ShapesDrawShiftedByTheOffsetAndClippedWhenAsked)
{
    RectNode* rect = Child<RectNode>(L"Lleno");
    rect->SetClipRect(Rect<int>(0, 0, 15, 15));
    rect->SetUseClipRect(true);
    ShapeRecordingCanvas canvas;
    rect->DrawNode(Vector2<float>(100, 200));
    ASSERT_EQ(1u, canvas.calls.size());
    EXPECT_EQ(Rect<float>(110, 220, 30, 40), canvas.calls[0].rect);
    EXPECT_EQ(Rect<int>(0, 0, 15, 15), canvas.calls[0].state.clip);
}

TEST(ShapeNodeTest, ShapesBuiltInCodeTakeTheirSize)
{
    RectNode rect(12, 7, false);
    EXPECT_EQ(12.0f, rect.GetWidth());
    EXPECT_EQ(7.0f, rect.GetHeight());
    EXPECT_TRUE(rect.GetName().IsNull());
    EllipseNode ellipse(3, 4, true);
    EXPECT_TRUE(ellipse.IsFilled());
    BackgroundNode back(L8("Fondo"), Vector2<float>(5, 6), nullptr, 20, 30);
    EXPECT_EQ(Rect<float>(5, 6, 20, 30), back.LocalGetBounds());
    EXPECT_EQ(L8("fondo"), back.GetName());
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST_F(ShapeNodesTest, ABackgroundWithoutItsImagesDrawsNothingButKeepsItsBox)
{
    BackgroundNode* back = Child<BackgroundNode>(L"SinMarco");
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(nullptr, back->GetImages());
    EXPECT_TRUE(DrawOf(back).empty());
    EXPECT_EQ(50.0f, back->GetWidth());
}

TEST_F(ShapeNodesTest, HiddenShapesDrawNothing)
{
    shapes->LocalSetVisible(false);
    scene.mode->Update(0.02f);
    ShapeRecordingCanvas canvas;
    shapes->DrawScene();
    EXPECT_TRUE(canvas.calls.empty());
}
