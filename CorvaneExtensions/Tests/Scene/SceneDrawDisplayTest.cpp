// Scene drawing on the OpenGL screen, read back from the back buffer: draw order,
// hidden branches, and the node drawing routine's tint, scale and rotation.

#include "CorvaneExtensions/Tests/Scene/DisplayTestSupport.h"
#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"

#include "CorvaneExtensions/Source/SceneLayout.h"

#include "2DEngine/Source/Graphics/Image.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Corvane;
using namespace SceneTesting;
using namespace DisplayTesting;

namespace
{

constexpr int kWidth = 80;
constexpr int kHeight = 60;

// Opaque: the left half of each row red, the right half blue.
Image* MakeHalvesImage(int width, int height)
{
    Image* image = new Image(width, height);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
            image->SetPixel(x, y, x < width / 2 ? Color32(0xFFFF0000u) : Color32(0xFF0000FFu));
    }
    return image;
}

Image* MakeSolidImage(int width, int height, std::uint32_t argb)
{
    Image* image = new Image(width, height);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
            image->SetPixel(x, y, Color32(argb));
    }
    return image;
}

// "imagenode": draws the image its "image" attribute names from the test's table,
// sized to it, when globally visible.
std::map<std::wstring, Image*>& Images()
{
    static std::map<std::wstring, Image*> images;
    return images;
}

class ImageNode : public SceneNode
{
public:
    explicit ImageNode(Image const* image_) : image(image_)
    {
        if (image)
        {
            SetWidth(static_cast<float>(image->GetWidth()));
            SetHeight(static_cast<float>(image->GetHeight()));
        }
    }
    void DrawAt(Vector2<float> const& offset) override
    {
        if (GlobalIsVisible())
            DrawImage(image, offset, true);
    }

    Image const* image;
};

class ImageNodeDescriptor : public SceneNodeDescriptor
{
public:
    std::wstring image;
};

class ImageNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(IAttributeContainer const& attributes) const override
    {
        ImageNodeDescriptor* descriptor = new ImageNodeDescriptor;
        descriptor->image = attributes.GetAttribute(std::wstring(L"image"));
        return descriptor;
    }
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override
    {
        auto found = Images().find(static_cast<ImageNodeDescriptor const*>(descriptor)->image);
        return new ImageNode(found != Images().end() ? found->second : nullptr);
    }
};

class SceneDrawDisplayTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        StartVideo();
        SceneLayoutManager::Instance().AddSceneNodeFactory(L"scenenode", new BasicSceneNodeFactory());
        SceneLayoutManager::Instance().AddSceneNodeFactory(L"imagenode", new ImageNodeFactory());
    }

    void SetUp() override
    {
        if (!HasVideo())
            GTEST_SKIP() << "no display: " << SDL_GetError();
        ASSERT_NO_FATAL_FAILURE(display.Open("Escena", kWidth, kHeight));
        TestScreen::ClearToBlack();
        Images()[L"red"] = MakeSolidImage(20, 20, 0xFFFF0000u);
        Images()[L"blue"] = MakeSolidImage(20, 20, 0xFF0000FFu);
        Images()[L"halves"] = MakeHalvesImage(20, 10);
    }

    void TearDown() override
    {
        scene.reset();
        display.Close();
        for (auto& entry : Images())
            delete entry.second;
        Images().clear();
    }

    // Builds the layout under a scene mode's root, updates once and draws.
    void DrawLayout(std::wstring const& body)
    {
        scene.reset(new SceneModeFixture());
        std::unique_ptr<SceneLayout> layout(dynamic_cast<SceneLayout*>(
            ReadLayoutElement(L"<scenelayout name='Draw'>" + body + L"</scenelayout>", L"Draw", L8("Draw"))));
        ASSERT_TRUE(layout);
        layout->InstantiateLayout(scene->Database(), scene->Root());
        scene->mode->Update(0.02f);
        scene->mode->Draw();
    }

    sRGB ReadPixel(int x, int y) const { return display.ReadPixel(x, y); }

    TestScreen display;
    std::unique_ptr<SceneModeFixture> scene;
};

} // namespace

TEST_F(SceneDrawDisplayTest, TheLastChildIsDrawnOnTop)
{
    DrawLayout(L"<scenenode x='5' y='5'><imagenode image='red' x='5' y='5'/><imagenode image='blue' x='15' y='15'/>"
               L"</scenenode>");
    EXPECT_RGB(255, 0, 0, ReadPixel(12, 12));
    EXPECT_RGB(0, 0, 255, ReadPixel(22, 22));
    EXPECT_RGB(0, 0, 255, ReadPixel(38, 38));
    EXPECT_RGB(0, 0, 0, ReadPixel(45, 45));
    EXPECT_RGB(0, 0, 0, ReadPixel(8, 8));
}

TEST_F(SceneDrawDisplayTest, AHiddenBranchDrawsNothingAndAlphaFollowsTheParent)
{
    DrawLayout(L"<scenenode><scenenode visible='false'><imagenode image='red' x='0' y='0'/></scenenode>"
               L"<scenenode alpha='0.5'><imagenode image='blue' x='40' y='0'/></scenenode></scenenode>");
    EXPECT_RGB(0, 0, 0, ReadPixel(10, 10));
    sRGB const half = ReadPixel(50, 10);
    EXPECT_NEAR(128, half.b, 8);
    EXPECT_NEAR(0, half.r, 3);
}

TEST_F(SceneDrawDisplayTest, ScaledNodesGrowFromTheirAnchorAndRotatedOnesTurnAboutThePivot)
{
    DrawLayout(L"<scenenode>"
               L"<imagenode image='red' x='0' y='0' scaleX='2' scaleY='2'/>"
               L"<imagenode image='halves' x='50' y='20' orientation='180' rotateHAlign='center' "
               L"rotateVAlign='middle'/></scenenode>");
    EXPECT_RGB(255, 0, 0, ReadPixel(35, 35));
    EXPECT_RGB(0, 0, 0, ReadPixel(42, 42));
    // Half a turn about the centre puts the blue half on the left.
    EXPECT_RGB(0, 0, 255, ReadPixel(53, 25));
    EXPECT_RGB(255, 0, 0, ReadPixel(66, 25));
}

TEST_F(SceneDrawDisplayTest, ANodeWhoseImageIsMissingDrawsNothing)
{
    DrawLayout(L"<scenenode><imagenode image='absent' x='0' y='0'/></scenenode>");
    EXPECT_RGB(0, 0, 0, ReadPixel(5, 5));
    EXPECT_EQ(0.0f, scene->Root()->GetChildren().front()->GetChildren().front()->GetWidth());
}
