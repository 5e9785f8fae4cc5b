// Sprite and shape nodes on the OpenGL screen, read back from the back buffer: an
// animated sprite from a loaded layout changing frames as simulated time passes, and
// shapes in their node's colour and opacity.

#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"
#include "CorvaneExtensions/Tests/Scene/DisplayTestSupport.h"
#include "CorvaneExtensions/Tests/Scene/SpriteTestSupport.h"

#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Corvane;
using namespace SceneTesting;
using namespace SpriteTesting;
using namespace DisplayTesting;

namespace
{

constexpr int kWidth = 80;
constexpr int kHeight = 60;

std::wstring const kDisplayManifest =
    L"<resources>\n"
    L"  <testimagelist name='Cuadros' count='4' width='10' height='8'/>\n"
    L"  <testimage name='Ladrillo' width='20' height='20' argb='FFFF0000'/>\n"
    L"  <spritetype name='Gr\u00faa' images='Cuadros'>\n"
    L"    <animation name='Giro' frameList='0-3' fps='10' pingPong='true' numPlays='3'/>\n"
    L"  </spritetype>\n"
    L"  <scenelayout name='Grua'>\n"
    L"    <scenenode>\n"
    L"      <animatedspritenode nodeName='Gr\u00faa' spriteType='Gr\u00faa' initialAnimation='Giro' x='10' y='10'/>\n"
    L"    </scenenode>\n"
    L"  </scenelayout>\n"
    L"  <scenelayout name='Formas'>\n"
    L"    <scenenode>\n"
    L"      <staticspritenode src='Ladrillo' x='5' y='5'/>\n"
    L"      <rectnode x='15' y='15' width='20' height='20' color='#0000FF'/>\n"
    L"      <scenenode alpha='0.5'>\n"
    L"        <rectnode x='50' y='5' width='10' height='10' color='#FF0000'/>\n"
    L"        <rectnode x='50' y='30' width='20' height='20' color='#00FF00' filled='false'/>\n"
    L"      </scenenode>\n"
    L"      <ellipsenode x='5' y='40' width='30' height='16' color='#FFFFFF'/>\n"
    L"    </scenenode>\n"
    L"  </scenelayout>\n"
    L"</resources>\n";

class SpriteDisplayTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        StartVideo();
    }

    void SetUp() override
    {
        if (!HasVideo())
            GTEST_SKIP() << "no display: " << SDL_GetError();
        // The manifest first: loading it starts the engine's singletons afresh.
        manifest.reset(new LoadedManifest(L"Pantalla", kDisplayManifest));
        ASSERT_NO_FATAL_FAILURE(display.Open("Sprites", kWidth, kHeight));
        scene.reset(new SceneModeFixture());
    }

    void TearDown() override
    {
        scene.reset();
        display.Close();
        manifest.reset();
    }

    void Instantiate(char const* layoutName)
    {
        AutoResource<SceneLayout> layout(layoutName);
        ASSERT_TRUE(layout);
        layout->InstantiateLayout(scene->Database(), scene->Root());
    }

    void Step(int updates)
    {
        for (int i = 0; i < updates; ++i)
            scene->mode->Update(0.02f);
    }

    void DrawFrame()
    {
        TestScreen::ClearToBlack();
        scene->mode->Draw();
    }

    sRGB ReadPixel(int x, int y) const { return display.ReadPixel(x, y); }

    std::unique_ptr<LoadedManifest> manifest;
    TestScreen display;
    std::unique_ptr<SceneModeFixture> scene;
};

} // namespace

TEST_F(SpriteDisplayTest, AnAnimatedSpriteChangesFramesAsSimulatedTimePasses)
{
    Instantiate("Grua");
    Step(1);
    DrawFrame();
    // Frame 0: red, 10 pixels wide.
    EXPECT_RGB(255, 0, 0, ReadPixel(12, 12));
    EXPECT_RGB(0, 0, 0, ReadPixel(20, 12));

    // Frames of 0.1 s: green, blue, white, then back.
    Step(5);
    DrawFrame();
    EXPECT_RGB(0, 255, 0, ReadPixel(12, 12));
    EXPECT_RGB(0, 255, 0, ReadPixel(20, 17));
    EXPECT_RGB(0, 0, 0, ReadPixel(21, 12));
    Step(5);
    DrawFrame();
    EXPECT_RGB(0, 0, 255, ReadPixel(12, 12));
    Step(5);
    DrawFrame();
    EXPECT_RGB(255, 255, 255, ReadPixel(12, 12));
    Step(5);
    DrawFrame();
    EXPECT_RGB(0, 0, 255, ReadPixel(12, 12));

    // Three passes played out: the sprite rests on its last frame, white and 13 wide.
    Step(60);
    DrawFrame();
    EXPECT_RGB(255, 255, 255, ReadPixel(22, 17));
    EXPECT_RGB(0, 0, 0, ReadPixel(23, 12));
    EXPECT_RGB(0, 0, 0, ReadPixel(12, 18));
}

TEST_F(SpriteDisplayTest, ShapesShowTheirColourOverEarlierSiblingsAtTheirBranchsOpacity)
{
    Instantiate("Formas");
    Step(1);
    DrawFrame();
    // The blue rectangle, drawn later, covers the brick where they overlap.
    EXPECT_RGB(255, 0, 0, ReadPixel(8, 8));
    EXPECT_RGB(0, 0, 255, ReadPixel(20, 20));
    EXPECT_RGB(0, 0, 255, ReadPixel(33, 33));
    // Red at half opacity over black.
    sRGB const half = ReadPixel(55, 10);
    EXPECT_NEAR(128, half.r, 8);
    EXPECT_NEAR(0, half.g, 3);
    // An outline: the edge is drawn, the inside left black.
    EXPECT_RGB(0, 0, 0, ReadPixel(60, 40));
    // Where a one-pixel line on a pixel edge lands is the rasteriser's choice.
    int edge = 0;
    for (int x = 49; x <= 51; ++x)
        edge = std::max(edge, ReadPixel(x, 40).g);
    EXPECT_NEAR(128, edge, 8);
    // The ellipse fills its middle but not the corners of its box.
    EXPECT_RGB(255, 255, 255, ReadPixel(20, 48));
    EXPECT_RGB(0, 0, 0, ReadPixel(6, 41));
}

TEST_F(SpriteDisplayTest, AMissingSpriteTypeDrawsNothing)
{
    AnimatedSpriteNode* ghost = scene->Add(new AnimatedSpriteNode(L8("NoHay")));
    ghost->LocalSetLocation(10, 10);
    ghost->SetAnimation(L8("Giro"), false);
    Step(1);
    DrawFrame();
    EXPECT_RGB(0, 0, 0, ReadPixel(12, 12));
    EXPECT_EQ(0.0f, ghost->GetWidth());
}
