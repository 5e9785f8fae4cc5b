#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Roles.h"

#include <gtest/gtest.h>

namespace Corvane
{
namespace
{

TEST(BoundsComponentTest, TheLeftAndTopEdgesAreInsideTheRightAndBottomEdgesOutside)
{
    BoundsComponent bounds(10.0f, 20.0f, 30.0f, 40.0f);
    EXPECT_TRUE(bounds.BoundsContains(10.0f, 20.0f));
    EXPECT_TRUE(bounds.BoundsContains(39.9f, 59.9f));
    EXPECT_FALSE(bounds.BoundsContains(40.0f, 30.0f));
    EXPECT_FALSE(bounds.BoundsContains(20.0f, 60.0f));
    EXPECT_FALSE(bounds.BoundsContains(9.9f, 30.0f));
}

TEST(BoundsComponentTest, AZeroWidthBoundsContainsNoPoint)
{
    BoundsComponent bounds(5.0f, 5.0f, 0.0f, 10.0f);
    EXPECT_FALSE(bounds.BoundsContains(5.0f, 5.0f));
    EXPECT_FALSE(bounds.BoundsContains(5.0f, 10.0f));
}

TEST(BoundsComponentTest, EveryChangeGoesThroughTheVirtualSetBounds)
{
    struct Watched : BoundsComponent
    {
        void SetBounds(Rect<float> const& bounds) override
        {
            ++calls;
            BoundsComponent::SetBounds(bounds);
        }
        int calls = 0;
    };
    Watched watched;
    watched.SetBounds(Rect<float>(1, 2, 3, 4));
    watched.SetLocation(7.0f, 8.0f);
    watched.SetWidth(9.0f);
    watched.SetHeight(10.0f);
    EXPECT_EQ(4, watched.calls);
    Rect<float> const& bounds = watched.GetBounds();
    EXPECT_EQ(7.0f, bounds.x);
    EXPECT_EQ(8.0f, bounds.y);
    EXPECT_EQ(9.0f, bounds.width);
    EXPECT_EQ(10.0f, bounds.height);
    EXPECT_EQ(Vector2<float>(7.0f, 8.0f), watched.GetLocation());
}

TEST(ColorComponentTest, TheAlphaIsTheColoursOwnAlpha)
{
    ColorComponent color;
    color.SetColor(ColorF(0.2f, 0.4f, 0.6f, 1.0f));
    color.SetAlpha(0.5f);
    ColorF const& result = color.GetColor();
    EXPECT_EQ(0.2f, result.r);
    EXPECT_EQ(0.4f, result.g);
    EXPECT_EQ(0.6f, result.b);
    EXPECT_EQ(0.5f, result.a);
    EXPECT_EQ(0.5f, color.GetAlpha());
}

TEST(LocationComponentTest, WithoutAFrameTheScreenLocationIsTheLocation)
{
    LocationComponent location;
    location.SetLocation(Vector2<float>(3.0f, 4.0f));
    EXPECT_EQ(Vector2<float>(3.0f, 4.0f), location.GetScreenLocation());
}

TEST(LocationComponentTest, AFrameAndItsParentsOffsetTheScreenLocation)
{
    ReferenceFrame parent(Vector2<float>(100.0f, 50.0f));
    ReferenceFrame child(Vector2<float>(10.0f, 5.0f), &parent);
    LocationComponent location;
    location.SetReferenceFrame(&child);
    location.SetLocation(Vector2<float>(1.0f, 2.0f));
    EXPECT_EQ(Vector2<float>(111.0f, 57.0f), location.GetScreenLocation());
    EXPECT_EQ(Vector2<float>(-109.0f, -53.0f), ReferenceFrame::Convert(Vector2<float>(1.0f, 2.0f), nullptr, &child));
}

TEST(ComponentDefaultsTest, ComponentsStartWithTheirDocumentedValues)
{
    EXPECT_TRUE(VisibleComponent().IsVisible());
    EXPECT_TRUE(EnableComponent().IsEnabled());
    EXPECT_EQ(1.0f, AlphaComponent().GetAlpha());
    EXPECT_EQ(Vector2<float>(1.0f, 1.0f), ScaleComponent().GetScale());
    EXPECT_EQ(0.0f, DrawableComponent().GetLayer());
    EXPECT_EQ(0ul, FlipStateComponent().GetFlipState());
    EXPECT_FALSE(FontComponent().HasFont());
    EXPECT_EQ(0, static_cast<int>(FontComponent().GetTextMode()));
    EXPECT_EQ(0, static_cast<int>(AlignmentComponent().GetHAlignment()));
    EXPECT_TRUE(TextComponent().GetText().empty());
    InputHandlerComponent handler;
    EXPECT_TRUE(handler.CanFocus());
    EXPECT_EQ(kMessageNotHandled, handler.OnMouseDown(kMouseButtonPrimary, 0, 0));
    EXPECT_EQ(kMessageNotHandled, handler.OnTextInput(L"x"));
}

TEST(ComponentDefaultsTest, ScaleSettersAgree)
{
    ScaleComponent scale;
    scale.SetScale(2.0f);
    EXPECT_EQ(Vector2<float>(2.0f, 2.0f), scale.GetScale());
    scale.SetScale(3.0f, 4.0f);
    EXPECT_EQ(Vector2<float>(3.0f, 4.0f), scale.GetScale());
}

TEST(TextComponentTest, KeepsAccentedTextAsGiven)
{
    TextComponent text(L"Cami\u00F3n");
    EXPECT_EQ(std::wstring(L"Cami\u00F3n"), text.GetText());
    text.SetText(L"Se\u00F1al");
    EXPECT_EQ(std::wstring(L"Se\u00F1al"), text.GetText());
}

TEST(RoleCastTest, RolesAreFoundOnAnObjectByCrossCast)
{
    struct Thing : Object, VisibleComponent, ColorComponent
    {
    };
    Thing thing;
    Object* object = &thing;
    EXPECT_NE(nullptr, dynamic_cast<IVisible*>(object));
    EXPECT_NE(nullptr, dynamic_cast<IAlpha*>(object));
    EXPECT_NE(nullptr, dynamic_cast<IColor*>(object));
    EXPECT_EQ(nullptr, dynamic_cast<IEnable*>(object));
    EXPECT_EQ(nullptr, dynamic_cast<IDrawable*>(object));
}

} // namespace
} // namespace Corvane
