// Static, tiled and animated sprite nodes: sizes, hit tests by alpha, drawing, the
// animation controller's life, and the scene-layout tags over loaded resources.

#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"
#include "CorvaneExtensions/Tests/Scene/SpriteTestSupport.h"

#include "CorvaneExtensions/Source/AnimationController.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "CorvaneExtensions/Source/SpriteType.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace SceneTesting;
using namespace SpriteTesting;

namespace
{

std::wstring const kSpriteManifest =
    L"<resources>\n"
    L"  <testimagelist name='Cuadros' count='4' width='10' height='8'/>\n"
    L"  <testimage name='Ladrillo' width='4' height='4' argb='80FF0000'/>\n"
    L"  <spritetype name='Gr\u00faa' images='Cuadros'>\n"
    L"    <animation name='Giro' frameList='0-3' fps='10' pingPong='true' numPlays='3'/>\n"
    L"    <animation name='Corto' frameList='1,2' fps='10'/>\n"
    L"    <animation name='Fuera' frameList='7' fps='10'/>\n"
    L"  </spritetype>\n"
    L"  <spritetype name='SinCuadros' images='NoExiste'>\n"
    L"    <animation name='Giro' frameList='0-1'/>\n"
    L"  </spritetype>\n"
    L"  <scenelayout name='Obra'>\n"
    L"    <scenenode nodeName='Obra'>\n"
    L"      <animatedspritenode nodeName='Gr\u00faa' spriteType='Gr\u00faa' initialAnimation='Giro' x='10' y='20'\n"
    L"          hitTest='true' alphaSensitivity='5' noBlur='true'/>\n"
    L"      <animatedspritenode nodeName='Fantasma' spriteType='NoHay' initialAnimation='Giro'/>\n"
    L"      <staticspritenode nodeName='Muro' src='Ladrillo' x='50' alphaSensitivity='127'/>\n"
    L"      <staticspritenode nodeName='Hueco' src='NoHay'/>\n"
    L"      <tiledspritenode nodeName='Suelo' src='Ladrillo' width='30' height='6' srcOffsetX='1'\n"
    L"          srcOffsetY='2' alphaSensitivity='200'/>\n"
    L"    </scenenode>\n"
    L"  </scenelayout>\n"
    L"</resources>\n";

class SpriteNodesTest : public ::testing::Test
{
protected:
    SpriteNodesTest() : manifest(L"Sprites", kSpriteManifest) {}

    // The node at the path from the root, after building the layout under the scene.
    template <class T>
    T* Build(std::vector<NodePathElement> path)
    {
        AutoResource<SceneLayout> layout("Obra");
        if (!layout)
            return nullptr;
        layout->InstantiateLayout(scene.Database(), scene.Root());
        scene.mode->Update(0.0f);
        path.insert(path.begin(), NodePathElement(0));
        path.push_back(NodePathTerminator());
        return dynamic_cast<T*>(RootDescendent(path.data()));
    }

    // The manifest outlives the scene whose nodes point into its resources.
    LoadedManifest manifest;
    SceneModeFixture scene;
};

// An image whose pixel (x, y) has alpha 10 x + y.
Image* MakeAlphaRamp()
{
    Image* image = new Image(20, 10);
    for (int y = 0; y < 10; ++y)
    {
        for (int x = 0; x < 20; ++x)
            image->SetPixel(x, y, Color32::FromARGB(static_cast<std::uint8_t>(10 * x + y), 255, 255, 255));
    }
    return image;
}

} // namespace

// ---- Normal case ------------------------------------------------------------------------------

TEST_F(SpriteNodesTest, AnAnimatedSpriteFromALayoutPlaysAndTakesTheSizeOfItsFrame)
{
    AnimatedSpriteNode* crane = Build<AnimatedSpriteNode>({std::wstring(L"Gr\u00faa")});
    ASSERT_NE(nullptr, crane);
    EXPECT_EQ(L8("Giro"), crane->GetCurAnimationName());
    EXPECT_TRUE(crane->IsAnimationPlaying(L8("giro")));
    EXPECT_EQ(Rect<float>(10, 20, 10, 8), crane->GlobalGetBounds());
    EXPECT_EQ(5, crane->GetAlphaSensitivity());
    EXPECT_TRUE(crane->GetNoBlur());

    // Frames of 0.1 s, each one pixel wider than the one before.
    for (int i = 0; i < 6; ++i)
        scene.mode->Update(0.02f);
    EXPECT_EQ(1, crane->GetImageIndex());
    EXPECT_EQ(11.0f, crane->GetWidth());
    for (int i = 0; i < 10; ++i)
        scene.mode->Update(0.02f);
    EXPECT_EQ(3, crane->GetImageIndex());
    EXPECT_EQ(13.0f, crane->GetWidth());
}

TEST_F(SpriteNodesTest, AStoppedAnimationKeepsItsLastFrameAndReportsNoName)
{
    AnimatedSpriteNode* crane = Build<AnimatedSpriteNode>({0});
    ASSERT_NE(nullptr, crane);
    crane->SetAnimation(L8("Corto"), false);
    for (int i = 0; i < 15; ++i)
        scene.mode->Update(0.02f);
    EXPECT_EQ(2, crane->GetImageIndex());
    EXPECT_TRUE(crane->GetCurAnimationName().IsNull());
    EXPECT_FALSE(crane->IsAnimationPlaying(L8("Corto")));
    EXPECT_FALSE(crane->IsAnimationPlaying(Label()));
    EXPECT_EQ(12.0f, crane->GetWidth());
}

TEST_F(SpriteNodesTest, AnAnimationTheTypeLacksStopsOnImageZero)
{
    AnimatedSpriteNode* crane = Build<AnimatedSpriteNode>({0});
    ASSERT_NE(nullptr, crane);
    scene.mode->Update(0.15f);
    EXPECT_EQ(1, crane->GetImageIndex());
    crane->SetAnimation(L8("Vuelo"), false);
    EXPECT_EQ(0, crane->GetImageIndex());
    EXPECT_EQ(10.0f, crane->GetWidth());
    EXPECT_TRUE(crane->GetCurAnimationName().IsNull());

    crane->SetFrameIndex(2);
    EXPECT_EQ(12.0f, crane->GetWidth());
}

TEST_F(SpriteNodesTest, TheControllerDiesWithItsNodeAndWithAChangeOfType)
{
    AnimatedSpriteNode* crane = Build<AnimatedSpriteNode>({0});
    ASSERT_NE(nullptr, crane);
    ObjectID const first = crane->GetAnimationControllerID();
    ASSERT_NE(nullptr, dynamic_cast<AnimationController*>(scene.Database()->GetObject(first)));

    crane->SetSpriteType(L8("SinCuadros"));
    EXPECT_EQ(nullptr, scene.Database()->GetObject(first));
    ObjectID const second = crane->GetAnimationControllerID();
    EXPECT_NE(nullptr, scene.Database()->GetObject(second));
    // Its image list is missing: nothing to show, no size.
    crane->SetAnimation(L8("Giro"), false);
    EXPECT_EQ(0.0f, crane->GetWidth());
    EXPECT_EQ(nullptr, crane->GetImageList());

    crane->DestroySelf();
    scene.mode->Update(0.02f);
    EXPECT_EQ(nullptr, scene.Database()->GetObject(second));
}

TEST_F(SpriteNodesTest, StaticAndTiledSpritesFromALayout)
{
    StaticSpriteNode* wall = Build<StaticSpriteNode>({std::string("Muro")});
    ASSERT_NE(nullptr, wall);
    EXPECT_EQ(Rect<float>(50, 0, 4, 4), wall->GlobalGetBounds());
    // The brick is half transparent (alpha 0x80): above a sensitivity of 127.
    EXPECT_TRUE(wall->GlobalPointIntersects(Vector2<float>(51, 1)));
    wall->SetAlphaSensitivity(128);
    EXPECT_FALSE(wall->GlobalPointIntersects(Vector2<float>(51, 1)));

    NodePathElement const toFloor[] = {0, "suelo", NodePathTerminator()};
    TiledSpriteNode* floor = dynamic_cast<TiledSpriteNode*>(RootDescendent(toFloor));
    ASSERT_NE(nullptr, floor);
    EXPECT_EQ(Rect<float>(0, 0, 30, 6), floor->GlobalGetBounds());
    EXPECT_EQ(Vector2<int>(1, 2), floor->GetTileOffset());
    EXPECT_EQ(200, floor->GetAlphaSensitivity());
}

TEST(StaticSpriteNodeTest, ASpriteTakesItsImagesSizeAndNoImageMakesItUnhittable)
{
    SceneModeFixture scene;
    std::unique_ptr<Image> ramp(MakeAlphaRamp());
    StaticSpriteNode* sprite = scene.Add(new StaticSpriteNode(ramp.get()));
    sprite->SetHitTest(true);
    sprite->LocalSetLocation(100, 100);
    EXPECT_EQ(20.0f, sprite->GetWidth());
    EXPECT_EQ(10.0f, sprite->GetHeight());
    EXPECT_EQ(sprite, scene.Root()->GetDescendentAtLocation(105, 105));

    sprite->setImage(static_cast<IImage const*>(nullptr));
    EXPECT_EQ(0.0f, sprite->GetWidth());
    EXPECT_EQ(0.0f, sprite->GetHeight());
    EXPECT_EQ(nullptr, scene.Root()->GetDescendentAtLocation(105, 105));
}

TEST(StaticSpriteNodeTest, APixelHitsOnlyWhenItsAlphaIsAboveTheSensitivity)
{
    std::unique_ptr<Image> ramp(MakeAlphaRamp());
    StaticSpriteNode sprite(ramp.get());
    sprite.LocalSetLocation(10.5f, 20.5f);
    sprite.UpdateScene();
    sprite.SetAlphaSensitivity(128);
    // Pixel (12, 8) has alpha 128, (12, 9) has 129; the point is truncated into the image.
    EXPECT_FALSE(sprite.GlobalPointIntersects(Vector2<float>(10.5f + 12.9f, 20.5f + 8.9f)));
    EXPECT_TRUE(sprite.GlobalPointIntersects(Vector2<float>(10.5f + 12.0f, 20.5f + 9.0f)));
    EXPECT_FALSE(sprite.GlobalPointIntersects(Vector2<float>(10.4f, 25.0f)));
    sprite.SetAlphaSensitivity(0);
    EXPECT_TRUE(sprite.GlobalPointIntersects(Vector2<float>(10.5f, 20.5f)));
}

TEST(StaticSpriteNodeTest, AScaledSpriteDrawsStretchedAboutItsAnchorButHitsUnscaled)
{
    QuadRecordingCanvas canvas;
    std::unique_ptr<Image> ramp(MakeAlphaRamp());
    StaticSpriteNode sprite(ramp.get());
    sprite.LocalSetLocation(100, 100);
    sprite.LocalSetScale(Vector2<float>(2, 2));
    sprite.UpdateScene();
    sprite.DrawNode();
    ASSERT_EQ(1u, canvas.calls.size());
    EXPECT_EQ("stretched", canvas.calls[0].kind);
    // Centred anchor (a node built in code): the box grows by half its size each way.
    EXPECT_EQ(Rect<int>(90, 95, 40, 20), canvas.calls[0].dest);
    EXPECT_FALSE(sprite.GlobalPointIntersects(Vector2<float>(125, 105)));
    EXPECT_TRUE(sprite.GlobalPointIntersects(Vector2<float>(115, 105)));
}

TEST(StaticSpriteNodeTest, AnImageOfAListByIndex)
{
    std::unique_ptr<Image> ramp(MakeAlphaRamp());
    ImageList list;
    list.AddImage(ramp.get());
    StaticSpriteNode sprite;
    sprite.setImage(&list, 0);
    EXPECT_EQ(ramp.get(), sprite.getImage());
    sprite.setImage(&list, 1);
    EXPECT_EQ(nullptr, sprite.getImage());
    sprite.setImage(&list, 0);
    sprite.setImage(&list, -1);
    EXPECT_EQ(nullptr, sprite.getImage());
    sprite.setImage(static_cast<ImageList const*>(nullptr), 0);
    EXPECT_EQ(0.0f, sprite.GetWidth());
}

TEST(TiledSpriteNodeTest, TheTilingRepeatsAcrossTheBoxAndHitsByThePatternsAlpha)
{
    ShapeRecordingCanvas canvas;
    std::unique_ptr<Image> ramp(MakeAlphaRamp());
    TiledSpriteNode tiles(ramp.get(), Vector2<float>(50, 15));
    tiles.LocalSetLocation(5, 5);
    tiles.UpdateScene();
    EXPECT_EQ(50.0f, tiles.GetWidth());
    tiles.SetImage(static_cast<ImageList const*>(nullptr), 0);
    EXPECT_EQ(50.0f, tiles.GetWidth());
    EXPECT_FALSE(tiles.GlobalPointIntersects(Vector2<float>(6, 6)));
    tiles.SetImage(ramp.get());

    tiles.SetAlphaSensitivity(128);
    // (12, 9) of the box is (12, 9) of the image; (32, 9) wraps to (12, 9) again;
    // (32, 8) to (12, 8), alpha 128.
    EXPECT_TRUE(tiles.GlobalPointIntersects(Vector2<float>(5 + 32, 5 + 9)));
    EXPECT_FALSE(tiles.GlobalPointIntersects(Vector2<float>(5 + 32, 5 + 8)));
    EXPECT_FALSE(tiles.GlobalPointIntersects(Vector2<float>(5 + 50, 5 + 9)));
    tiles.SetAlphaSensitivity(0);
    EXPECT_TRUE(tiles.GlobalPointIntersects(Vector2<float>(5, 5)));

    tiles.DrawNode();
    EXPECT_FALSE(canvas.calls.empty());
    for (sShapeCall const& call : canvas.calls)
    {
        EXPECT_NE("rotated", call.kind);
        EXPECT_NE("stretched rotated", call.kind);
    }
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST_F(SpriteNodesTest, MissingResourcesGiveEmptyNodesThatDrawNothing)
{
    NodePathElement const toGhost[] = {0, "Fantasma", NodePathTerminator()};
    NodePathElement const toHole[] = {0, "Hueco", NodePathTerminator()};
    AnimatedSpriteNode* ghost = Build<AnimatedSpriteNode>({std::string("Fantasma")});
    ASSERT_NE(nullptr, ghost);
    EXPECT_EQ(ghost, RootDescendent(toGhost));
    EXPECT_EQ(nullptr, ghost->GetSpriteType());
    EXPECT_EQ(nullptr, ghost->GetAnimationController());
    EXPECT_TRUE(ghost->GetCurAnimationName().IsNull());
    EXPECT_EQ(0.0f, ghost->GetWidth());
    StaticSpriteNode* hole = dynamic_cast<StaticSpriteNode*>(RootDescendent(toHole));
    ASSERT_NE(nullptr, hole);
    EXPECT_EQ(nullptr, hole->getImage());
    EXPECT_EQ(0.0f, hole->GetHeight());

    ShapeRecordingCanvas canvas;
    ghost->DrawNode();
    hole->DrawNode();
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(SpriteNodesTest, AFrameOutsideTheImageListShowsNothing)
{
    AnimatedSpriteNode* crane = Build<AnimatedSpriteNode>({0});
    ASSERT_NE(nullptr, crane);
    crane->SetAnimation(L8("Fuera"), false);
    EXPECT_EQ(7, crane->GetImageIndex());
    EXPECT_EQ(0.0f, crane->GetWidth());
    EXPECT_FALSE(crane->GlobalPointIntersects(Vector2<float>(11, 21)));
    ShapeRecordingCanvas canvas;
    crane->DrawNode();
    EXPECT_TRUE(canvas.calls.empty());
}

TEST(TiledSpriteNodeTest, ASensitivityAbove254IsNeverHit)
{
    std::unique_ptr<Image> opaque(MakeSolidImage(4, 4, 0xFFFFFFFFu));
    TiledSpriteNode tiles(opaque.get(), Vector2<float>(8, 8));
    tiles.UpdateScene();
    tiles.SetAlphaSensitivity(254);
    EXPECT_TRUE(tiles.GlobalPointIntersects(Vector2<float>(1, 1)));
    tiles.SetAlphaSensitivity(255);
    EXPECT_FALSE(tiles.GlobalPointIntersects(Vector2<float>(1, 1)));
}

TEST(AnimatedSpriteNodeTest, WithoutADatabaseTheSpriteShowsItsFirstImage)
{
    SpriteType type(L8("Suelto"), L8("Suelto"));
    SpriteAnimation walk(L8("Paso"), -1, false, Label());
    walk.SetFrameListString("1,0", 10.0f, false);
    type.AddAnimation(walk);

    // No context mode: no database to hold a controller.
    ASSERT_EQ(nullptr, GetObjectDatabase());
    AnimatedSpriteNode sprite;
    sprite.SetSpriteType(&type);
    EXPECT_EQ(nullptr, sprite.GetAnimationController());
    sprite.SetAnimation(L8("Paso"), false);
    sprite.Update(0.5f);
    EXPECT_EQ(0, sprite.GetImageIndex());
    EXPECT_FALSE(sprite.IsAnimationPlaying(L8("Paso")));
    // The type's image list is not loaded: the sprite has nothing to show.
    EXPECT_EQ(0.0f, sprite.GetWidth());
}

TEST(AnimatedSpriteNodeTest, ASpriteBuiltOutsideAnyModeShowsTheFirstImageOfItsType)
{
    LoadedManifest manifest(L"Sprites", kSpriteManifest);
    ASSERT_EQ(nullptr, GetObjectDatabase());
    AnimatedSpriteNode sprite(L8("Gr?a"));
    ASSERT_NE(nullptr, sprite.GetSpriteType());
    EXPECT_EQ(nullptr, sprite.GetAnimationController());
    sprite.SetAnimation(L8("Giro"), false);
    sprite.Update(0.25f);
    EXPECT_EQ(0, sprite.GetImageIndex());
    EXPECT_EQ(10.0f, sprite.GetWidth());
    EXPECT_EQ(8.0f, sprite.GetHeight());

    ShapeRecordingCanvas canvas;
    sprite.UpdateScene();
    sprite.DrawNode();
    ASSERT_EQ(1u, canvas.calls.size());
    EXPECT_EQ(Rect<float>(0, 0, 10, 8), canvas.calls[0].rect);
}

TEST_F(SpriteNodesTest, ASpriteWhoseControllerWasDestroyedElsewhereFallsBackToItsFirstImage)
{
    AnimatedSpriteNode* crane = Build<AnimatedSpriteNode>({0});
    ASSERT_NE(nullptr, crane);
    scene.mode->Update(0.25f);
    EXPECT_EQ(2, crane->GetImageIndex());
    scene.Database()->DestroyObject(crane->GetAnimationControllerID());
    scene.mode->Update(0.02f);
    EXPECT_EQ(nullptr, crane->GetAnimationController());
    EXPECT_EQ(0, crane->GetImageIndex());
    EXPECT_EQ(10.0f, crane->GetWidth());
    EXPECT_FALSE(crane->IsAnimationPlaying(L8("Giro")));
}

// ---- A failure leaves state unchanged ---------------------------------------------------------

TEST_F(SpriteNodesTest, SettingTheSameTypeAgainKeepsTheControllerAndItsPlace)
{
    AnimatedSpriteNode* crane = Build<AnimatedSpriteNode>({0});
    ASSERT_NE(nullptr, crane);
    scene.mode->Update(0.15f);
    ObjectID const controller = crane->GetAnimationControllerID();
    crane->SetSpriteType(L8("gr?a"));
    EXPECT_EQ(controller, crane->GetAnimationControllerID());
    EXPECT_EQ(1, crane->GetImageIndex());
    EXPECT_TRUE(crane->IsAnimationPlaying(L8("Giro")));
}
