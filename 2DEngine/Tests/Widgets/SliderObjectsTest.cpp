// The slider and the scroll bar: snapping, dragging to the ends, keys in the
// adjust mode, resizing, the release message, and the arrow buttons.

#include <gtest/gtest.h>

#include <cmath>

#include "2DEngine/Source/Graphics/KeyNames.h"
#include "2DEngine/Source/Widgets/ButtonObject.h"
#include "2DEngine/Source/Widgets/SliderObjects.h"
#include "2DEngine/Tests/Widgets/ControlTestSupport.h"

using namespace Corvane;
using namespace ControlTesting;

namespace
{

class SliderObjectsTest : public ControlFixture
{
protected:
    // A 220-wide slider at (100, 50) with a 20 x 30 thumb: travel 200.
    SliderObject* MakeSlider()
    {
        SliderObject* const slider = Add(new SliderObject(Label::GetUniqueString("Volumen")));
        slider->SetChannelImages(channel.get());
        slider->SetThumbImages(thumb.get());
        slider->SetBounds(Rect<float>(100.0f, 50.0f, 220.0f, slider->GetBounds().height));
        slider->SetSounds(TheSounds());
        Frame();
        return slider;
    }

    std::unique_ptr<ImageList> channel = Solid(3, 10, 10);
    std::unique_ptr<ImageList> thumb = Solid(5, 20, 30);
};

} // namespace

TEST_F(SliderObjectsTest, SnappingPutsTheThumbOnTheNearestTick)
{
    SliderObject* const slider = MakeSlider();
    EXPECT_EQ(30.0f, slider->GetBounds().height);
    slider->SetNumTicks(5);
    slider->SetSnapToTicks(true);
    slider->SetValue(0.3f);
    EXPECT_FLOAT_EQ(0.25f, slider->GetValue());
    EXPECT_EQ(150.0f, slider->GetThumbX());
    slider->SetValue(0.376f);
    EXPECT_FLOAT_EQ(0.5f, slider->GetValue());
    slider->SetNumTicks(1);
    slider->SetValue(0.2f);
    EXPECT_EQ(1.0f, slider->GetValue());
    EXPECT_FALSE(slider->CanFocus());
    EXPECT_TRUE(recorder->Take().empty());
}

TEST_F(SliderObjectsTest, DraggingStopsAtTheEndsAndEveryMoveSends)
{
    SliderObject* const slider = MakeSlider();
    EXPECT_EQ(1, Press(105, 60));
    Move(-500, 60);
    EXPECT_EQ(0.0f, slider->GetValue());
    Move(-400, 60);
    Move(900, 60);
    EXPECT_EQ(1.0f, slider->GetValue());
    EXPECT_EQ(300.0f, slider->GetThumbX());
    EXPECT_EQ(2, slider->GetThumbImageIndex());
    Release(900, 60);
    EXPECT_EQ((Names{"SliderValueChange", "SliderValueChange", "SliderValueChange"}), recorder->Take());
    // Released over the thumb without a press on it: "SliderReleased" all the same.
    EXPECT_EQ(1, Release(305, 60));
    EXPECT_EQ((Names{"SliderReleased"}), recorder->Take());
    // Over the channel but beside the thumb nothing answers.
    EXPECT_EQ(0, Release(150, 52));
}

TEST_F(SliderObjectsTest, ResizingKeepsTheValue)
{
    SliderObject* const slider = MakeSlider();
    slider->SetValue(0.5f);
    slider->SetBounds(Rect<float>(0.0f, 0.0f, 420.0f, 30.0f));
    EXPECT_FLOAT_EQ(0.5f, slider->GetValue());
    EXPECT_EQ(200.0f, slider->GetThumbX());
    // A thumb as wide as the slider: value 0, never NaN.
    slider->SetBounds(Rect<float>(0.0f, 0.0f, 20.0f, 30.0f));
    EXPECT_EQ(0.0f, slider->GetValue());
    Press(5, 5);
    Move(300, 5);
    EXPECT_EQ(0.0f, slider->GetValue());
    EXPECT_FALSE(std::isnan(slider->GetThumbX()));
}

TEST_F(SliderObjectsTest, KeysMoveOnlyInTheAdjustMode)
{
    SliderObject* const slider = MakeSlider();
    slider->SetNumTicks(3);
    slider->SetSnapToTicks(true);
    slider->Focus();
    EXPECT_EQ(0, Key(kKey_Right));
    EXPECT_EQ(1, Database()->OnKeyDown(512));
    EXPECT_TRUE(slider->IsAdjusting());
    EXPECT_EQ(4, slider->GetThumbImageIndex());
    EXPECT_EQ(1, Key(kKey_Right));
    EXPECT_FLOAT_EQ(0.5f, slider->GetValue());
    EXPECT_EQ(1, Key(kKey_Right));
    EXPECT_EQ(1, Key(kKey_Right));
    EXPECT_EQ(1.0f, slider->GetValue());
    EXPECT_EQ((Names{"SliderValueChange", "SliderValueChange", "SliderValueChange"}), recorder->Take());
    EXPECT_EQ((Names{"Snap", "Snap"}), audio->Take());
    EXPECT_EQ(1, Database()->OnKeyDown(513));
    EXPECT_FALSE(slider->IsAdjusting());
    Database()->OnKeyDown(512);
    Database()->SetFocus(nullptr);
    EXPECT_FALSE(slider->IsAdjusting());
}

TEST_F(SliderObjectsTest, TheScrollBarPlacesItsArrows)
{
    std::unique_ptr<ImageList> const arrows = Solid(4, 20, 20);
    ScrollBarObject* const bar = Add(new ScrollBarObject(Label::GetUniqueString("Bar")));
    bar->SetDownArrowImages(arrows.get());
    bar->SetUpArrowImages(arrows.get());
    bar->SetLayer(4.0f);
    bar->SetBounds(Rect<float>(0.0f, 0.0f, 20.0f, 200.0f));
    ButtonObject* const up = AutoObject<ButtonObject>(Label::GetUniqueString("BarScrollUp")).Get();
    ButtonObject* const down = AutoObject<ButtonObject>(Label::GetUniqueString("BarScrollDown")).Get();
    ASSERT_NE(nullptr, up);
    ASSERT_NE(nullptr, down);
    EXPECT_EQ(Vector2<float>(0.0f, 0.0f), up->GetLocation());
    EXPECT_EQ(Vector2<float>(0.0f, 180.0f), down->GetLocation());
    EXPECT_EQ(5.0f, down->GetLayer());
    Frame();
    Click(5, 190);
    ASSERT_EQ(1u, recorder->heard.size());
    EXPECT_EQ(down->GetID(), recorder->heard[0].second);
}
