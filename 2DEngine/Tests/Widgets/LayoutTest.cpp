#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "2DEngine/Source/Framework/Layout.h"
#include "2DEngine/Source/Framework/Roles.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"
#include "2DEngine/Source/Widgets/SpriteObjects.h"
#include "2DEngine/Tests/Widgets/WidgetTestSupport.h"
#include "Core/Tests/Support/StderrCapture.h"

using namespace Corvane;
using namespace WidgetTesting;

namespace
{

// An object with bounds, a scale and an orientation, to see which attributes go where.
class Box : public Object,
            public BoundsComponent,
            public ScaleComponent,
            public EnableComponent,
            public AlphaComponent,
            public IOrientation
{
public:
    explicit Box(Label name) : mName(name) { ScaleComponent::SetScale(3.0f, 4.0f); }
    Label GetName() const override { return mName; }
    Angle GetOrientation() const override { return mOrientation; }
    void SetOrientation(Angle orientation) override { mOrientation = orientation; }

private:
    Label mName;
    Angle mOrientation;
};

class BoxFactory : public IObjectFactory
{
public:
    Object* CreateObject(Label name, IAttributeContainer const&) const override { return new Box(name); }
};

class LayoutTest : public WidgetFixture
{
protected:
    void SetUp() override
    {
        WidgetFixture::SetUp();
        GetObjectFactory()->AddObjectFactory(L"box", new BoxFactory());
        Load(L"Fonts", L"<testfont name=\"Small\" advance=\"10\" height=\"16\"/>"
                       L"<testimage name=\"Picture\" width=\"100\" height=\"40\"/>");
    }

    Layout* Define(std::wstring const& layoutElement)
    {
        Load(L"Screens", layoutElement);
        return FindLayout("Screen");
    }
};

} // namespace

TEST_F(LayoutTest, WithoutADesignSizeAnEightHundredWindowScalesNothing)
{
    WindowOfSize window(800, 600);
    Layout* layout = Define(L"<layout name=\"Screen\"><imagesprite name=\"Pic\" src=\"Picture\" x=\"100\" y=\"50\"/>"
                            L"</layout>");
    ASSERT_NE(nullptr, layout);
    EXPECT_FLOAT_EQ(800.0f, layout->GetScreenWidth());
    EXPECT_FLOAT_EQ(600.0f, layout->GetScreenHeight());
    layout->Load(Label());
    ImageSpriteObject* sprite = Named<ImageSpriteObject>("Pic");
    ASSERT_NE(nullptr, sprite);
    EXPECT_FLOAT_EQ(100.0f, sprite->GetLocation().x);
    EXPECT_FLOAT_EQ(50.0f, sprite->GetLocation().y);
    EXPECT_FLOAT_EQ(1.0f, sprite->GetScale().x);
    EXPECT_TRUE(layout->IsLoaded(Label()));
}

TEST_F(LayoutTest, ALargerWindowScalesBoundsAndSpriteScales)
{
    WindowOfSize window(1024, 768);
    Layout* layout = Define(L"<layout name=\"Screen\">"
                            L"<box name=\"B\" x=\"100\" width=\"200\" y=\"10\" height=\"20\"/>"
                            L"<imagesprite name=\"Pic\" src=\"Picture\" x=\"100\" y=\"50\"/>"
                            L"<box name=\"Scaled\" scaleX=\"2\"/></layout>");
    ASSERT_NE(nullptr, layout);
    layout->Load(Label());
    Box* box = Named<Box>("B");
    ASSERT_NE(nullptr, box);
    EXPECT_FLOAT_EQ(128.0f, box->GetBounds().x);
    EXPECT_FLOAT_EQ(256.0f, box->GetBounds().width);
    EXPECT_FLOAT_EQ(12.8f, box->GetBounds().y);
    EXPECT_FLOAT_EQ(25.6f, box->GetBounds().height);
    // A bounds-bearing object without scale attributes keeps its scale.
    EXPECT_FLOAT_EQ(3.0f, box->GetScale().x);
    // With one scale attribute the other keeps its value; both are multiplied.
    Box* scaled = Named<Box>("Scaled");
    EXPECT_FLOAT_EQ(2.0f * 1.28f, scaled->GetScale().x);
    EXPECT_FLOAT_EQ(4.0f * 1.28f, scaled->GetScale().y);

    ImageSpriteObject* sprite = Named<ImageSpriteObject>("Pic");
    EXPECT_FLOAT_EQ(128.0f, sprite->GetLocation().x);
    EXPECT_FLOAT_EQ(64.0f, sprite->GetLocation().y);
    EXPECT_FLOAT_EQ(1.28f, sprite->GetScale().x);
    EXPECT_FLOAT_EQ(1.28f, sprite->GetScale().y);
}

TEST_F(LayoutTest, ADesignSizeOfZeroOrLessFallsBackToEightHundredBySixHundred)
{
    WindowOfSize window(1600, 1200);
    Layout* layout = Define(L"<layout name=\"Screen\" screenWidth=\"0\" screenHeight=\"-5\">"
                            L"<imagesprite name=\"Pic\" x=\"100\" y=\"50\"/></layout>");
    ASSERT_NE(nullptr, layout);
    layout->Load(Label());
    ImageSpriteObject* sprite = Named<ImageSpriteObject>("Pic");
    ASSERT_NE(nullptr, sprite);
    EXPECT_FLOAT_EQ(200.0f, sprite->GetLocation().x);
    EXPECT_FLOAT_EQ(100.0f, sprite->GetLocation().y);
    EXPECT_TRUE(std::isfinite(sprite->GetScale().x));
    EXPECT_FLOAT_EQ(2.0f, sprite->GetScale().x);
}

TEST_F(LayoutTest, NestedElementsAreObjectsInDocumentOrderAndUnknownKeysAreSkipped)
{
    WindowOfSize window(800, 600);
    Layout* layout = Define(L"<layout name=\"Screen\"><textsprite name=\"One\"><imagesprite name=\"Two\"/>"
                            L"<TextSprite name=\"Wrong\"/><gizmo name=\"Unknown\"/></textsprite>"
                            L"<textsprite name=\"Three\"/></layout>");
    ASSERT_NE(nullptr, layout);
    EXPECT_EQ(5u, layout->GetTypeKeys().size());
    layout->Load(Label());
    std::vector<ObjectID> const& ids = layout->GetObjectIDs(Label());
    ASSERT_EQ(3u, ids.size());
    EXPECT_EQ(Label::GetUniqueString("One"), mode->GetObject(ids[0])->GetName());
    EXPECT_EQ(Label::GetUniqueString("Two"), mode->GetObject(ids[1])->GetName());
    EXPECT_EQ(Label::GetUniqueString("Three"), mode->GetObject(ids[2])->GetName());
    EXPECT_EQ(nullptr, Named<Object>("Wrong"));
}

TEST_F(LayoutTest, CommonAttributesReachTheirRoles)
{
    WindowOfSize window(800, 600);
    Layout* layout = Define(
        L"<layout name=\"Screen\">"
        L"<textsprite name=\"T\" layer=\"7\" color=\"#ff000080\" alpha=\"1\" font=\"Small\" mode=\"dropshadow\" "
        L"halign=\"center\" valign=\"bottom\" flipV=\"true\" text=\"¡Hola, Ñandú!\" visible=\"false\"/>"
        L"<textsprite name=\"NoFont\" mode=\"Outline\" halign=\"middle\"/>"
        L"<box name=\"B\" alpha=\"0.25\" enable=\"false\" orientation=\"90\"/>"
        L"</layout>");
    ASSERT_NE(nullptr, layout);
    layout->Load(Label());
    TextSpriteObject* text = Named<TextSpriteObject>("T");
    ASSERT_NE(nullptr, text);
    EXPECT_FLOAT_EQ(7.0f, text->GetLayer());
    EXPECT_FLOAT_EQ(1.0f, text->GetColor().r);
    // The colour's own alpha wins; "alpha" is ignored.
    EXPECT_NEAR(0.5f, text->GetAlpha(), 0.01f);
    EXPECT_NE(nullptr, text->GetFont());
    EXPECT_EQ(kTextMode_DropShadow, text->GetTextMode());
    EXPECT_EQ(kHAlignment_Center, text->GetHAlignment());
    EXPECT_EQ(kVAlignment_Bottom, text->GetVAlignment());
    EXPECT_EQ(2u, text->GetFlipState());
    EXPECT_EQ(L"¡Hola, Ñandú!", text->GetText());
    EXPECT_FALSE(text->IsVisible());

    TextSpriteObject* plain = Named<TextSpriteObject>("NoFont");
    EXPECT_EQ(nullptr, plain->GetFont());
    EXPECT_EQ(kTextMode_Normal, plain->GetTextMode());
    EXPECT_EQ(kHAlignment_Left, plain->GetHAlignment());
    EXPECT_EQ(0u, plain->GetFlipState());
    EXPECT_TRUE(plain->IsVisible());

    Box* box = Named<Box>("B");
    EXPECT_FLOAT_EQ(0.25f, box->GetAlpha());
    EXPECT_FALSE(box->IsEnabled());
    EXPECT_NEAR(3.14159265f / 2.0f, box->GetOrientation().GetRadians(), 1e-5f);
}

TEST_F(LayoutTest, InstanceLabelsPrefixObjectNamesSoInstancesNeverClash)
{
    WindowOfSize window(800, 600);
    Layout* layout = Define(L"<layout name=\"Screen\"><textsprite name=\"OK\"/><textsprite name=\"Señal\"/></layout>");
    ASSERT_NE(nullptr, layout);
    layout->Load(Label::GetUniqueString("A"));
    layout->Load(Label::GetUniqueString("B"));
    EXPECT_NE(nullptr, Named<TextSpriteObject>("A::OK"));
    EXPECT_NE(nullptr, Named<TextSpriteObject>("B::OK"));
    EXPECT_NE(nullptr, Named<TextSpriteObject>("A::Se?al"));
    EXPECT_EQ(nullptr, Named<TextSpriteObject>("OK"));
    EXPECT_EQ(Label::GetUniqueString("Corvane::LayoutInstance::Screen::A"),
              layout->GetInstanceName(Label::GetUniqueString("A")));
    EXPECT_EQ(Label::GetUniqueString("Corvane::LayoutInstance::Screen"), layout->GetInstanceName(Label()));
    LayoutInstance* instance = Named<LayoutInstance>("Corvane::LayoutInstance::Screen::A");
    ASSERT_NE(nullptr, instance);
    EXPECT_EQ(LayoutInstance::GetRoleLabel(), instance->GetRole());
    EXPECT_EQ(layout, instance->GetLayout());
}

TEST_F(LayoutTest, TheLayoutOffsetMovesEachNewInstanceAfterScaling)
{
    WindowOfSize window(1600, 1200);
    Layout* layout = Define(L"<layout name=\"Screen\" x=\"10\" y=\"0\"><textsprite name=\"T\" x=\"5\" y=\"6\"/>"
                            L"</layout>");
    ASSERT_NE(nullptr, layout);
    layout->Load(Label());
    TextSpriteObject* text = Named<TextSpriteObject>("T");
    EXPECT_FLOAT_EQ(20.0f, text->GetLocation().x);
    EXPECT_FLOAT_EQ(12.0f, text->GetLocation().y);
}

TEST_F(LayoutTest, LoadingAgainReplacesTheObjects)
{
    WindowOfSize window(800, 600);
    Layout* layout = Define(L"<layout name=\"Screen\"><textsprite name=\"T\"/></layout>");
    layout->Load(Label());
    ObjectID const first = Named<Object>("T")->GetID();
    Named<LayoutInstance>("Corvane::LayoutInstance::Screen")->SetLocation(Vector2<float>(5.0f, 5.0f));
    layout->Load(Label());
    EXPECT_EQ(nullptr, mode->GetObject(first));
    TextSpriteObject* text = Named<TextSpriteObject>("T");
    ASSERT_NE(nullptr, text);
    EXPECT_NE(first, text->GetID());
    LayoutInstance* instance = Named<LayoutInstance>("Corvane::LayoutInstance::Screen");
    EXPECT_FLOAT_EQ(0.0f, instance->GetLocation().x);
    EXPECT_EQ(1u, instance->GetObjectIDs().size());
}

TEST_F(LayoutTest, UnloadDestroysTheInstanceAndANeverLoadedOneIsHarmless)
{
    WindowOfSize window(800, 600);
    Layout* layout = Define(L"<layout name=\"Screen\"><textsprite name=\"T\"/></layout>");
    Load(L"Other", L"<layout name=\"Other\"><textsprite name=\"Keep\"/></layout>");
    FindLayout("Other")->Load(Label());
    layout->Unload(Label::GetUniqueString("Never"));
    EXPECT_NE(nullptr, Named<Object>("Keep"));

    layout->Load(Label());
    layout->Unload(Label());
    EXPECT_EQ(nullptr, Named<Object>("T"));
    EXPECT_EQ(nullptr, Named<Object>("Corvane::LayoutInstance::Screen"));
    EXPECT_FALSE(layout->IsLoaded(Label()));
    EXPECT_NE(nullptr, Named<Object>("Keep"));
}

TEST_F(LayoutTest, AnEmptyLayoutMakesNoInstance)
{
    WindowOfSize window(800, 600);
    Layout* layout = Define(L"<layout name=\"Screen\"></layout>");
    ASSERT_NE(nullptr, layout);
    layout->Load(Label());
    EXPECT_FALSE(layout->IsLoaded(Label()));
    EXPECT_EQ(nullptr, Named<Object>("Corvane::LayoutInstance::Screen"));
}

TEST_F(LayoutTest, GroupOperationsReachEveryObjectWithTheRole)
{
    WindowOfSize window(800, 600);
    Layout* layout = Define(L"<layout name=\"Screen\"><textsprite name=\"T\" x=\"10\" y=\"20\"/>"
                            L"<box name=\"B\" x=\"30\" y=\"40\"/></layout>");
    layout->Load(Label());
    LayoutInstance* group = layout->GetInstance(Label());
    ASSERT_NE(nullptr, group);
    group->SetLocation(Vector2<float>(5.0f, -5.0f));
    group->SetLocation(Vector2<float>(7.0f, -5.0f));
    EXPECT_FLOAT_EQ(17.0f, Named<TextSpriteObject>("T")->GetLocation().x);
    EXPECT_FLOAT_EQ(15.0f, Named<TextSpriteObject>("T")->GetLocation().y);
    EXPECT_FLOAT_EQ(37.0f, Named<Box>("B")->GetBounds().x);
    EXPECT_FLOAT_EQ(7.0f, group->GetLocation().x);

    group->SetAlpha(0.5f);
    EXPECT_FLOAT_EQ(0.5f, Named<TextSpriteObject>("T")->GetAlpha());
    EXPECT_FLOAT_EQ(0.5f, Named<Box>("B")->GetAlpha());
    EXPECT_FLOAT_EQ(0.5f, group->GetAlpha());
    group->SetColor(ColorF(0.0f, 1.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(0.0f, Named<TextSpriteObject>("T")->GetColor().r);
    // The box has no colour role: its alpha stays.
    EXPECT_FLOAT_EQ(0.5f, Named<Box>("B")->GetAlpha());
    group->SetVisible(false);
    EXPECT_FALSE(Named<TextSpriteObject>("T")->IsVisible());
    group->Enable(false);
    EXPECT_FALSE(Named<Box>("B")->IsEnabled());

    // An object that is gone is passed over.
    mode->DestroyObject(Named<Object>("T")->GetID());
    group->SetVisible(true);
    EXPECT_TRUE(group->IsVisible());
}

TEST_F(LayoutTest, NumbersNoObjectCanTakeAreRefusedAndTheRestStays)
{
    WindowOfSize window(800, 600);
    struct sCase
    {
        wchar_t const* attributes;
        char const* logged;
        Rect<float> bounds;
        float alpha;
    };
    sCase const cases[] = {
        {L"x=\"NaN\" y=\"20\" width=\"30\" height=\"40\"", "Screen/B: \"x\" is \"NaN\", which a position cannot take",
         Rect<float>(0, 20, 30, 40), 1.0f},
        {L"x=\"10\" y=\"20\" width=\"inf\" height=\"40\"", "Screen/B: \"width\" is \"inf\", which a size cannot take",
         Rect<float>(10, 20, 0, 40), 1.0f},
        {L"x=\"10\" y=\"20\" width=\"30\" height=\"40\" alpha=\"-2\"",
         "\"alpha\" is \"-2\", which a fraction cannot take", Rect<float>(10, 20, 30, 40), 1.0f},
    };
    for (sCase const& c : cases)
    {
        SCOPED_TRACE(c.logged);
        Layout* layout =
            Define(L"<layout name=\"Screen\"><box name=\"B\" " + std::wstring(c.attributes) + L"/></layout>");
        ASSERT_NE(nullptr, layout);
        TestSupport::StderrCapture log;
        layout->Load(Label());
        std::string const logged = log.Take();
        EXPECT_NE(std::string::npos, logged.find(c.logged)) << logged;
        Box* box = Named<Box>("B");
        ASSERT_NE(nullptr, box);
        EXPECT_EQ(c.bounds, box->GetBounds());
        EXPECT_FLOAT_EQ(c.alpha, box->GetAlpha());
        layout->Unload(Label());
        GetResourceManager()->Unload(L"Screens");
    }
}
