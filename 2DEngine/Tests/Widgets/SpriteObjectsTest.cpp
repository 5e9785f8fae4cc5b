#include <gtest/gtest.h>

#include <memory>

#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"
#include "2DEngine/Source/Widgets/SpriteObjects.h"
#include "2DEngine/Tests/Graphics/RecordingCanvas.h"
#include "2DEngine/Tests/Widgets/WidgetTestSupport.h"

using namespace Corvane;
using namespace WidgetTesting;

namespace
{

XMLElement Element(std::wstring const& tag, AttributeContainer::AttributeMap const& attributes)
{
    XMLElement element(XMLElement::kStartElement, tag);
    element.SetAttributes(attributes);
    return element;
}

// Drawing goes to a recording canvas for the life of the object.
class CanvasScope
{
public:
    CanvasScope() : canvas(800, 600)
    {
        canvas.offersQuads = true;
        canvas.offersText = true;
        Graphics::PushContext(Graphics::Context(&canvas, Graphics::sDrawState::GetDefaults()));
    }
    ~CanvasScope() { Graphics::PopContext(); }

    FacadeTesting::RecordingCanvas canvas;
};

class CountingFactory : public IObjectFactory
{
public:
    explicit CountingFactory(int* made) : mMade(made) {}
    Object* CreateObject(Label name, IAttributeContainer const&) const override
    {
        ++*mMade;
        return new TextSpriteObject(name);
    }

private:
    int* mMade;
};

class SpriteTest : public WidgetFixture
{
protected:
    void SetUp() override
    {
        WidgetFixture::SetUp();
        Load(L"Art", L"<testimage name=\"Cien\" width=\"100\" height=\"40\"/>"
                     L"<testfont name=\"Small\" advance=\"10\" height=\"16\"/>");
    }

    template <class T>
    std::unique_ptr<T> Make(std::wstring const& key, AttributeContainer::AttributeMap const& attributes)
    {
        XMLElement const element = Element(key, attributes);
        return std::unique_ptr<T>(dynamic_cast<T*>(GetObjectFactory()->CreateObject(key, Label(), element)));
    }
};

} // namespace

// ---------------------------------------------------------------------------
// Registry

TEST_F(SpriteTest, UnknownKeysAndKeysOfAnotherCaseMakeNothing)
{
    XMLElement const element = Element(L"Button", {});
    EXPECT_EQ(nullptr, GetObjectFactory()->CreateObject(L"Button", Label(), element));
    EXPECT_EQ(nullptr, GetObjectFactory()->CreateObject(L"TextSprite", Label(), element));
    EXPECT_EQ(nullptr, GetObjectFactory()->CreateObject(L"bot\u00f3n", Label(), element));
    EXPECT_FALSE(GetObjectFactory()->HasObjectFactory(L"Button"));
    std::unique_ptr<Object> made(GetObjectFactory()->CreateObject(L"textsprite", Label::GetUniqueString("Uno"), element));
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(Label::GetUniqueString("Uno"), made->GetName());
}

TEST_F(SpriteTest, ASecondFactoryUnderAKeyReplacesTheFirst)
{
    int first = 0;
    int second = 0;
    GetObjectFactory()->AddObjectFactory(L"marca", new CountingFactory(&first));
    GetObjectFactory()->AddObjectFactory(L"marca", new CountingFactory(&second));
    GetObjectFactory()->AddObjectFactory(L"vacío", nullptr);
    XMLElement const element = Element(L"marca", {});
    std::unique_ptr<Object> made(GetObjectFactory()->CreateObject(L"marca", Label(), element));
    EXPECT_EQ(0, first);
    EXPECT_EQ(1, second);
    EXPECT_FALSE(GetObjectFactory()->HasObjectFactory(L"vacío"));
}

TEST_F(SpriteTest, TheRegistryIsDeletedWithTheSingletons)
{
    GetObjectFactory()->AddObjectFactory(L"marca", new CountingFactory(nullptr));
    Internal::DeleteAllSingletons();
    EXPECT_FALSE(GetObjectFactory()->HasObjectFactory(L"marca"));
}

// ---------------------------------------------------------------------------
// Image sprites

TEST_F(SpriteTest, AnImageSpriteScalesToTheRequestedWidth)
{
    std::unique_ptr<ImageSpriteObject> sprite = Make<ImageSpriteObject>(L"imagesprite", {{L"src", L"Cien"}, {L"width", L"200"}});
    ASSERT_NE(nullptr, sprite);
    ASSERT_NE(nullptr, sprite->GetImage());
    EXPECT_FLOAT_EQ(2.0f, sprite->GetScale().x);
    EXPECT_FLOAT_EQ(1.0f, sprite->GetScale().y);

    CanvasScope scope;
    sprite->LocationComponent::SetLocation(Vector2<float>(10.7f, 20.2f));
    EXPECT_EQ(0, sprite->DrawSprite());
    ASSERT_EQ(1u, scope.canvas.stretched.size());
    EXPECT_EQ(Rect<int>(10, 20, 200, 40), scope.canvas.stretched[0]);
}

TEST_F(SpriteTest, AnImageSpriteWithoutItsImageIgnoresItsSizeAndDrawsNothing)
{
    std::unique_ptr<ImageSpriteObject> sprite =
        Make<ImageSpriteObject>(L"imagesprite", {{L"src", L"Ninguna"}, {L"width", L"200"}, {L"height", L"5"}});
    ASSERT_NE(nullptr, sprite);
    EXPECT_EQ(nullptr, sprite->GetImage());
    EXPECT_FLOAT_EQ(1.0f, sprite->GetScale().x);
    CanvasScope scope;
    EXPECT_EQ(1, sprite->DrawSprite());
    EXPECT_TRUE(scope.canvas.images.empty());
}

TEST_F(SpriteTest, AnImageSpriteDrawsItsSourceRectangleTintedAndFlipped)
{
    std::unique_ptr<ImageSpriteObject> sprite = Make<ImageSpriteObject>(L"imagesprite", {{L"src", L"Cien"}});
    sprite->SetSourceRect(Rect<int>(0, 0, 25, 40));
    sprite->EnableSourceRect(true);
    sprite->SetAlpha(0.25f);
    sprite->SetFlipState(1);
    CanvasScope scope;
    EXPECT_EQ(0, sprite->DrawSprite());
    ASSERT_EQ(1u, scope.canvas.images.size());
    Graphics::sDrawState const& state = scope.canvas.images[0].state;
    EXPECT_TRUE(state.flags & Graphics::DRAW_FLAG_SOURCE_RECT);
    EXPECT_TRUE(state.flags & Graphics::DRAW_FLAG_FLIP_H);
    EXPECT_FALSE(state.flags & Graphics::DRAW_FLAG_FLIP_V);
    // The defaults' alpha flag is kept.
    EXPECT_TRUE(state.flags & Graphics::DRAW_FLAG_ALPHA);
    EXPECT_EQ(25, state.sourceRect.width);
    EXPECT_FLOAT_EQ(0.25f, state.tint.a);

    sprite->SetVisible(false);
    EXPECT_EQ(1, sprite->DrawSprite());
    EXPECT_EQ(1u, scope.canvas.images.size());
}

TEST_F(SpriteTest, ASetImageTaskReplacesTheImage)
{
    std::unique_ptr<ImageSpriteObject> sprite = Make<ImageSpriteObject>(L"imagesprite", {});
    IImage* const image = AutoResource<IImage>("Cien").Get();
    ImageSpriteObject* const raw = sprite.get();
    ObjectID const id = mode->AddObject(sprite.release());
    raw->AddTask(new SetImageTask(image));
    mode->Update(0.02f);
    EXPECT_EQ(image, dynamic_cast<ImageSpriteObject*>(mode->GetObject(id))->GetImage());
}

// ---------------------------------------------------------------------------
// Text sprites

TEST_F(SpriteTest, ATextSpriteDrawsOnOneLineWithoutAWidthAndWrapsWithOne)
{
    std::unique_ptr<TextSpriteObject> line = Make<TextSpriteObject>(L"textsprite", {});
    ASSERT_NE(nullptr, line);
    EXPECT_FLOAT_EQ(0.0f, line->GetEffectColor().r);
    EXPECT_FLOAT_EQ(0.5f, line->GetEffectColor().a);
    EXPECT_EQ(2, line->GetEffectOffset().x);
    line->SetFont(AutoResource<Font>("Small").Get());
    line->SetText(L"uno dos tres");
    line->SetFlipState(3);
    line->SetTextMode(kTextMode_DropShadow);

    CanvasScope scope;
    EXPECT_EQ(0, line->DrawSprite());
    // The shadow, then the text, both unflipped.
    ASSERT_EQ(2u, scope.canvas.texts.size());
    EXPECT_EQ(L"uno dos tres", scope.canvas.texts[1].text);
    EXPECT_EQ(0u, scope.canvas.texts[1].state.flags & (Graphics::DRAW_FLAG_FLIP_H | Graphics::DRAW_FLAG_FLIP_V));
    EXPECT_FLOAT_EQ(2.0f, scope.canvas.texts[0].x - scope.canvas.texts[1].x);
    EXPECT_FLOAT_EQ(0.5f, scope.canvas.texts[0].state.color.a);

    std::unique_ptr<TextSpriteObject> wrapped =
        Make<TextSpriteObject>(L"textsprite", {{L"width", L"45"}, {L"bgcolor", L"#00ff00"}, {L"dropOffset", L"3,4"},
                                               {L"textFormat", L"%1%"}});
    wrapped->SetFont(AutoResource<Font>("Small").Get());
    wrapped->SetText(L"uno dos tres");
    EXPECT_FLOAT_EQ(45.0f, wrapped->GetWrapWidth());
    EXPECT_FLOAT_EQ(1.0f, wrapped->GetEffectColor().g);
    EXPECT_EQ(4, wrapped->GetEffectOffset().y);
    EXPECT_EQ(L"%1%", wrapped->GetTextFormat());
    scope.canvas.texts.clear();
    EXPECT_EQ(0, wrapped->DrawSprite());
    ASSERT_EQ(3u, scope.canvas.texts.size());
    EXPECT_FLOAT_EQ(16.0f, scope.canvas.texts[1].y - scope.canvas.texts[0].y);
}

TEST_F(SpriteTest, ATextSpriteBuiltInCodeTakesItsArguments)
{
    Font const* font = AutoResource<Font>("Small").Get();
    TextSpriteObject sprite(3.0f, Vector2<float>(4.0f, 5.0f), nullptr, font, ColorF(1.0f, 0.0f, 0.0f, 1.0f), 80.0f);
    EXPECT_TRUE(sprite.GetName().IsNull());
    EXPECT_EQ(L"", sprite.GetText());
    EXPECT_FLOAT_EQ(3.0f, sprite.GetLayer());
    EXPECT_FLOAT_EQ(5.0f, sprite.GetLocation().y);
    EXPECT_EQ(font, sprite.GetFont());
    EXPECT_FLOAT_EQ(80.0f, sprite.GetWrapWidth());
}

// ---------------------------------------------------------------------------
// Animation sprites

TEST_F(SpriteTest, AnAnimationSpriteShowsFramesByElapsedTime)
{
    Load(L"Anim", L"<testimage name=\"F0\" width=\"10\" height=\"10\"/><testimage name=\"F1\" width=\"10\" "
                  L"height=\"10\"/>");
    ImageList list;
    list.AddImage(AutoResource<IImage>("F0").Get());
    list.AddImage(AutoResource<IImage>("F1").Get());
    AnimationSpriteObject sprite(Label::GetUniqueString("Anim"));
    sprite.SetAnimation(Animation(&list, kAnimationMode_Once, 10.0f));
    CanvasScope scope;
    EXPECT_EQ(0, sprite.DrawSprite());
    sprite.Update(0.15f);
    EXPECT_EQ(0, sprite.DrawSprite());
    ASSERT_EQ(2u, scope.canvas.images.size());
    EXPECT_EQ(AutoResource<IImage>("F0").Get(), scope.canvas.images[0].image);
    EXPECT_EQ(AutoResource<IImage>("F1").Get(), scope.canvas.images[1].image);
}

TEST_F(SpriteTest, AnAnimationSpriteWithoutAListKeepsItsScaleAndDrawsNothing)
{
    std::unique_ptr<AnimationSpriteObject> sprite =
        Make<AnimationSpriteObject>(L"animsprite", {{L"src", L"Nada"}, {L"width", L"50"}});
    ASSERT_NE(nullptr, sprite);
    EXPECT_FLOAT_EQ(1.0f, sprite->GetScale().x);
    CanvasScope scope;
    EXPECT_EQ(1, sprite->DrawSprite());
}
