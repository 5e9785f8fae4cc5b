// Nine-brushes, three-brushes and the background that takes every mouse event.

#include <gtest/gtest.h>

#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Graphics/KeyNames.h"
#include "2DEngine/Source/Widgets/BrushObjects.h"
#include "2DEngine/Source/Widgets/ButtonObject.h"
#include "2DEngine/Tests/Widgets/ControlTestSupport.h"

using namespace Corvane;
using namespace ControlTesting;

namespace
{

class BrushObjectsTest : public ControlFixture
{
};

} // namespace

TEST_F(BrushObjectsTest, ANineBrushDrawsAtItsAlpha)
{
    std::unique_ptr<ImageList> const frame = Solid(9, 4, 4);
    NineBrushObject brush(Label::GetUniqueString("Marco"));
    brush.SetBounds(Rect<float>(0.0f, 0.0f, 40.0f, 30.0f));
    CanvasScope scope;
    brush.Draw();
    EXPECT_TRUE(scope.canvas.images.empty());
    brush.SetImages(frame.get());
    brush.SetAlpha(0.0f);
    brush.Draw();
    EXPECT_TRUE(scope.canvas.images.empty());
    brush.SetAlpha(0.5f);
    brush.Draw();
    ASSERT_FALSE(scope.canvas.images.empty());
    EXPECT_EQ(0.5f, scope.canvas.images[0].state.tint.a);
}

TEST_F(BrushObjectsTest, AThreeBrushIsTintedAndAsHighAsItsImages)
{
    std::unique_ptr<ImageList> const strip = Solid(3, 4, 12);
    ThreeBrushObject brush(Label::GetUniqueString("Tira"));
    brush.SetImages(strip.get());
    brush.SetColor(ColorF(1.0f, 0.0f, 0.0f, 1.0f));
    brush.SetBounds(Rect<float>(0.0f, 0.0f, 40.0f, 300.0f));
    CanvasScope scope;
    brush.Draw();
    ASSERT_FALSE(scope.canvas.images.empty());
    for (auto const& call : scope.canvas.images)
    {
        EXPECT_EQ(ColorF(1.0f, 0.0f, 0.0f, 1.0f), call.state.tint);
        EXPECT_EQ(0.0f, call.y);
    }
    for (Rect<int> const& rect : scope.canvas.stretched)
        EXPECT_EQ(12, rect.height);
}

TEST_F(BrushObjectsTest, TheBackgroundTakesEveryMouseEventButNoKeys)
{
    std::unique_ptr<ImageList> const images = Solid(4, 40, 20);
    ButtonObject* const button = Add(new ButtonObject(Label::GetUniqueString("Debajo")));
    button->SetImages(images.get());
    button->SetKeyCode(kKey_Escape);
    BackgroundObject* const background = Add(new BackgroundObject(Label::GetUniqueString("Fondo")));
    background->SetBounds(Rect<float>(500.0f, 500.0f, 10.0f, 10.0f));
    background->SetLayer(3.0f);
    Frame();
    // Far outside its own bounds, and still the button hears nothing.
    EXPECT_EQ(1, Move(10, 10));
    EXPECT_EQ(1, Press(10, 10));
    EXPECT_EQ(1, Release(10, 10));
    EXPECT_FALSE(background->CanFocus());
    EXPECT_EQ(1, Key(kKey_Escape));
    EXPECT_EQ((Names{"ButtonClick"}), recorder->Take());
    // Hidden or disabled it takes nothing.
    background->SetVisible(false);
    Click(10, 10);
    background->SetVisible(true);
    background->Enable(false);
    Click(10, 10);
    EXPECT_EQ((Names{"ButtonClick", "ButtonClick"}), recorder->Take());
}

TEST_F(BrushObjectsTest, MissingImagesDrawNothing)
{
    XMLElement element(XMLElement::kStartElement, L"ninebrush");
    element.SetAttributes({{L"images", L"NoHay"}});
    std::unique_ptr<Object> nine(GetObjectFactory()->CreateObject(L"ninebrush", Label(), element));
    std::unique_ptr<Object> three(GetObjectFactory()->CreateObject(L"threebrush", Label(), element));
    std::unique_ptr<Object> back(GetObjectFactory()->CreateObject(L"background", Label(), element));
    CanvasScope scope;
    for (Object* object : {nine.get(), three.get(), back.get()})
        dynamic_cast<IDrawable*>(object)->Draw();
    EXPECT_TRUE(scope.canvas.images.empty());
}
