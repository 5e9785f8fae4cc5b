// Sliders and scroll bars as screens use them: channel clicks, drags beyond the
// ends, releases near and away, the keyboard adjust mode, snapping with its
// sound, thumbs that cannot travel, state images, and the scroll bar's arrows.

#include "CorvaneExtensions/Tests/Scene/ControlTestSupport.h"

#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/ScrollBarNode.h"
#include "CorvaneExtensions/Source/SliderNode.h"

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Corvane;
using namespace ControlTesting;

namespace
{

class SliderNodeTest : public ControlFixture
{
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        channel = MakeImageList(3, 10, 10, {0xFFFF0000u});
        disabledChannel = MakeImageList(3, 10, 10, {0xFF00FF00u});
        thumb = MakeImageList(5, 20, 20, {0xFF000001u, 0xFF000002u, 0xFF000003u, 0xFF000004u, 0xFF000005u});
    }

    // 200 wide at (100, 50) with a 20-wide thumb: the thumb travels 180.
    SliderNode* MakeSlider(float value = 0.5f, float width = 200.0f)
    {
        SliderNode* slider = new SliderNode(Label(), Vector2<float>(0, 0), channel.get(), thumb.get(),
                                            disabledChannel.get(), width, value);
        slider->LocalSetLocation(100.0f, 50.0f);
        return Add(slider);
    }

    int DrawnThumb(SliderNode* slider)
    {
        DrawRecordingCanvas canvas;
        slider->DrawNode();
        std::vector<int> const drawn = canvas.IndicesIn(*thumb);
        return drawn.empty() ? -1 : drawn.back();
    }

    std::unique_ptr<ImageList> channel;
    std::unique_ptr<ImageList> disabledChannel;
    std::unique_ptr<ImageList> thumb;
};

} // namespace

// --- mouse ------------------------------------------------------------------------

TEST_F(SliderNodeTest, AClickOnTheChannelCentresTheThumbUnderThePointer)
{
    SliderNode* slider = MakeSlider(0.5f);
    EXPECT_EQ(90.0f, slider->GetThumbPosition().x);
    EXPECT_EQ(20.0f, slider->GetHeight());

    ClickAt(110, 55);
    EXPECT_EQ(0.0f, slider->GetThumbPosition().x);
    EXPECT_EQ(0.0f, slider->GetValue());
    ASSERT_EQ(1u, recorder->noted.size());
    EXPECT_EQ("SliderValueChange", recorder->noted[0].message);
    EXPECT_EQ(slider->GetID(), recorder->noted[0].sender);
    EXPECT_EQ(nullptr, Capturing());
    recorder->noted.clear();

    ClickAt(299, 55);
    EXPECT_EQ(1.0f, slider->GetValue());
    ClickAt(190, 55);
    EXPECT_FLOAT_EQ(80.0f / 180.0f, slider->GetValue());
    EXPECT_EQ((Names{"SliderValueChange", "SliderValueChange"}), recorder->Take());
}

TEST_F(SliderNodeTest, ADragBeyondEitherEndStopsTheThumbAndReportsEveryMove)
{
    SliderNode* slider = MakeSlider(0.5f);
    // The thumb covers 190 to 210.
    Move(195, 55);
    Press(195, 55);
    EXPECT_EQ(slider, Capturing());
    EXPECT_EQ(2, DrawnThumb(slider));
    Move(400, 55);
    EXPECT_EQ(1.0f, slider->GetValue());
    EXPECT_EQ(180.0f, slider->GetThumbPosition().x);
    Move(450, 90);
    EXPECT_EQ(1.0f, slider->GetValue());
    Move(-50, 55);
    EXPECT_EQ(0.0f, slider->GetValue());
    Move(150, 10);
    EXPECT_FLOAT_EQ(45.0f / 180.0f, slider->GetValue());
    EXPECT_EQ(Names(4, "SliderValueChange"), recorder->Take());

    Release(152, 52);
    EXPECT_EQ(Names{"SliderReleased"}, recorder->Take());
    EXPECT_EQ(nullptr, Capturing());
}

TEST_F(SliderNodeTest, ReleasingAwayFromTheSliderEndsTheDragSilently)
{
    SliderNode* slider = MakeSlider(0.5f);
    Press(195, 55);
    Move(500, 500);
    recorder->Take();
    EXPECT_EQ(1, Release(500, 500));
    EXPECT_EQ(nullptr, Capturing());
    EXPECT_TRUE(recorder->Take().empty());
    Move(520, 520);
    EXPECT_EQ(1.0f, slider->GetValue());
}

TEST_F(SliderNodeTest, ASliderDisabledWhileDraggedLetsGoOnTheRelease)
{
    SliderNode* slider = MakeSlider(0.5f);
    Press(195, 55);
    slider->Enable(false);
    Release(195, 55);
    EXPECT_EQ(nullptr, Capturing());
    EXPECT_TRUE(recorder->Take().empty());
    EXPECT_EQ(3, DrawnThumb(slider));
}

TEST_F(SliderNodeTest, TheThumbBecomesHotUnderThePointerWithItsSound)
{
    MakeSoundList(L"Barra", {L"Hot", L"Down", L"Snap"});
    SliderNode* slider = MakeSlider(0.5f);
    slider->SetSoundList(AutoResource<SoundList>("Barra").Get());
    EXPECT_EQ(0, Move(195, 55));
    EXPECT_TRUE(slider->IsHot());
    EXPECT_EQ(1, DrawnThumb(slider));
    EXPECT_EQ(Names{"BarraHot"}, SoundsPlayed());
    Move(196, 56);
    EXPECT_TRUE(SoundsPlayed().empty());
    Press(196, 56);
    EXPECT_EQ(Names{"BarraDown"}, SoundsPlayed());
    Release(196, 56);
    Move(120, 55);
    EXPECT_FALSE(slider->IsHot());
    EXPECT_EQ(0, DrawnThumb(slider));
    EXPECT_TRUE(SoundsPlayed().empty());
}

TEST_F(SliderNodeTest, ADisabledSliderIgnoresPressesAndDrawsItsDisabledChannel)
{
    SliderNode* slider = MakeSlider(0.5f);
    slider->Enable(false);
    ClickAt(110, 55);
    EXPECT_EQ(0.5f, slider->GetValue());
    EXPECT_EQ(nullptr, Capturing());
    EXPECT_TRUE(recorder->Take().empty());

    DrawRecordingCanvas canvas;
    slider->DrawNode();
    EXPECT_TRUE(canvas.CallsWith(channel->GetImage(0)).empty());
    EXPECT_FALSE(canvas.CallsWith(disabledChannel->GetImage(0)).empty());
}

// --- keys ---------------------------------------------------------------------------

TEST_F(SliderNodeTest, ArrowKeysMoveTheThumbOnlyInTheAdjustMode)
{
    SliderNode* slider = MakeSlider(0.9f);
    EXPECT_EQ(0, Key(512));
    slider->Focus();
    EXPECT_EQ(0, Key(39));
    EXPECT_FLOAT_EQ(0.9f, slider->GetValue());
    EXPECT_TRUE(recorder->Take().empty());

    EXPECT_EQ(1, Key(512));
    EXPECT_TRUE(slider->IsInAdjustMode());
    EXPECT_EQ(4, DrawnThumb(slider));
    EXPECT_EQ(1, Key(39));
    EXPECT_FLOAT_EQ(0.95f, slider->GetValue());
    Key(39);
    Key(39);
    EXPECT_EQ(1.0f, slider->GetValue());
    EXPECT_EQ(Names(3, "SliderValueChange"), recorder->Take());
    EXPECT_EQ(0, Key(38));
    EXPECT_EQ(1, Key(37));
    EXPECT_FLOAT_EQ(0.95f, slider->GetValue());

    EXPECT_EQ(1, Key(513));
    EXPECT_FALSE(slider->IsInAdjustMode());
    EXPECT_EQ(0, Key(37));
    EXPECT_EQ(0, Key(513));
}

TEST_F(SliderNodeTest, LostFocusFromAnyoneEndsTheAdjustMode)
{
    SliderNode* slider = MakeSlider(0.2f);
    slider->Focus();
    Key(512);
    scene->Database()->SendMessage(ObjectMessage(kInvalidObjectID, Label::GetUniqueString("LostFocus")));
    EXPECT_FALSE(slider->IsInAdjustMode());
    // Focused outside the adjust mode: the highlight over the bounds.
    DrawRecordingCanvas canvas;
    slider->DrawNode();
    bool highlighted = false;
    for (sDrawCall const& call : canvas.calls)
    {
        if (call.kind == "fill" && call.rect == Rect<float>(100, 50, 200, 20))
            highlighted = call.state.color.a == 0.5f;
    }
    EXPECT_TRUE(highlighted);
}

TEST_F(SliderNodeTest, AHiddenSliderStillTakesItsKeys)
{
    SliderNode* slider = MakeSlider(0.2f);
    slider->Focus();
    slider->LocalSetVisible(false);
    Frame();
    EXPECT_EQ(1, Key(512));
    EXPECT_TRUE(slider->IsInAdjustMode());
}

// --- values -------------------------------------------------------------------------

TEST_F(SliderNodeTest, SnappingPicksTheNearestTickAndPlaysSnapOnAChange)
{
    MakeSoundList(L"Barra", {L"Hot", L"Down", L"Snap"});
    SliderNode* slider = MakeSlider(0.0f);
    slider->SetSoundList(AutoResource<SoundList>("Barra").Get());
    slider->SetSnap(true);
    slider->SetTickCount(5);

    slider->SetValueInternal(0.3f, true);
    EXPECT_EQ(0.25f, slider->GetValue());
    EXPECT_EQ(Names{"BarraSnap"}, SoundsPlayed());
    slider->SetValueInternal(0.2f, true);
    EXPECT_EQ(0.25f, slider->GetValue());
    EXPECT_TRUE(SoundsPlayed().empty());
    // Equally near two ticks: the first wins.
    slider->SetValueInternal(0.375f, false);
    EXPECT_EQ(0.25f, slider->GetValue());
    EXPECT_TRUE(SoundsPlayed().empty());
    EXPECT_EQ(Names(2, "SliderValueChange"), recorder->Take());

    slider->Focus();
    Key(512);
    Key(39);
    EXPECT_EQ(0.5f, slider->GetValue());
    EXPECT_EQ(0.25f, slider->GetKeyStep());
}

TEST_F(SliderNodeTest, KeysHeldDownMoveEveryTimeButSnapSoundsOnlyOutsideTheRepeatWindow)
{
    MakeSound("Tic");
    LoadManifest(L"<soundlist name=\"Pasos\"><sound event=\"Snap\" src=\"Tic\"/></soundlist>", L"PasosManifest");
    SliderNode* slider = MakeSlider(0.0f);
    slider->SetSoundList(AutoResource<SoundList>("Pasos").Get());
    slider->SetSnap(true);
    slider->SetTickCount(11);
    slider->Focus();
    Key(512);

    // The platform's key repeat, one press every 10 ms.
    Key(39);
    clock.AdvanceMS(10);
    Key(39);
    clock.AdvanceMS(10);
    Key(39);
    EXPECT_FLOAT_EQ(0.3f, slider->GetValue());
    EXPECT_EQ(1u, library.Matching("ChannelPlay").size());
    clock.AdvanceMS(1);
    Key(39);
    EXPECT_FLOAT_EQ(0.4f, slider->GetValue());
    EXPECT_EQ(2u, library.Matching("ChannelPlay").size());
    EXPECT_EQ(Names(4, "SliderValueChange"), recorder->Take());
}

TEST_F(SliderNodeTest, OneTickOrNoneLeavesNothingToFocusOrMove)
{
    SliderNode* slider = MakeSlider(0.6f);
    slider->SetSnap(true);
    slider->SetTickCount(1);
    EXPECT_FALSE(slider->CanFocus());
    // The one tick stands at the end.
    slider->SetValueInternal(0.7f, false);
    EXPECT_EQ(1.0f, slider->GetValue());
    EXPECT_EQ(0.0f, slider->GetKeyStep());
    slider->SetSnap(false);
    EXPECT_TRUE(slider->CanFocus());
}

TEST_F(SliderNodeTest, AThumbThatCannotTravelGivesValueZeroNeverNaN)
{
    SliderNode* slider = MakeSlider(0.7f, 20.0f);
    EXPECT_EQ(0.0f, slider->GetValue());
    ClickAt(105, 55);
    EXPECT_EQ(0.0f, slider->GetValue());
    SliderNode* narrow = MakeSlider(0.5f, 12.0f);
    Move(104, 55);
    Press(104, 55);
    Move(300, 55);
    EXPECT_EQ(0.0f, narrow->GetValue());
    EXPECT_FALSE(std::isnan(narrow->GetThumbPosition().x));
    slider->SetValue(std::nanf(""));
    EXPECT_EQ(0.0f, slider->GetValue());
}

TEST_F(SliderNodeTest, WithoutSnappingAValueFromCodeIsNotClamped)
{
    SliderNode* slider = MakeSlider(0.0f);
    slider->SetValue(1.5f);
    EXPECT_EQ(270.0f, slider->GetThumbPosition().x);
    EXPECT_EQ(1.5f, slider->GetValue());
    EXPECT_TRUE(recorder->Take().empty());
    // The keys bring it back into range.
    slider->Slide(0.0f);
    EXPECT_EQ(1.0f, slider->GetValue());
}

// --- layouts ------------------------------------------------------------------------

TEST_F(SliderNodeTest, ALayoutSliderStartsAtItsInitialValueSilently)
{
    MakeSoundList(L"Barra", {L"Hot", L"Down", L"Snap"});
    LoadManifest(L"<testimages name=\"Canal\" count=\"3\" width=\"10\" height=\"10\"/>"
                 L"<testimages name=\"Pulgar\" count=\"5\" width=\"20\" height=\"30\"/>",
                 L"Recursos");
    LoadLayout(L"Volumen", L"<scenenode><slidernode nodeName=\"M\u00fasica\" x=\"100\" y=\"50\" "
                           L"channelImages=\"Canal\" thumbImages=\"Pulgar\" disableImages=\"Canal\" width=\"220\" "
                           L"thumbOffsetY=\"-10\" initialValue=\"0.25\" sounds=\"Barra\"/></scenenode>");
    SceneNode* root = Instantiate(L"Volumen");
    ASSERT_NE(nullptr, root);
    auto* slider = dynamic_cast<SliderNode*>(root->GetChildren().front());
    ASSERT_NE(nullptr, slider);
    EXPECT_EQ(Vector2<float>(100.0f, 50.0f), slider->LocalGetLocation());
    EXPECT_EQ(0.25f, slider->GetValue());
    EXPECT_EQ(50.0f, slider->GetThumbPosition().x);
    EXPECT_EQ(-10.0f, slider->GetThumbPosition().y);
    EXPECT_EQ(30.0f, slider->GetHeight());
    EXPECT_TRUE(recorder->Take().empty());
    EXPECT_TRUE(SoundsPlayed().empty());

    // The thumb's rectangle starts at the node's top, not where it is drawn above it.
    EXPECT_FALSE(slider->ThumbHitTest(Vector2<int>(155, 42)));
    EXPECT_TRUE(slider->ThumbHitTest(Vector2<int>(155, 55)));
    Press(155, 55);
    EXPECT_EQ(slider, Capturing());
    Move(175, 55);
    EXPECT_EQ(70.0f, slider->GetThumbPosition().x);
    Release(175, 55);
    EXPECT_EQ((Names{"SliderValueChange", "SliderReleased"}), recorder->Take());
}

TEST_F(SliderNodeTest, ALayoutSliderWithMissingImagesIsInertAndDrawsNothing)
{
    LoadLayout(L"Rota", L"<scenenode><slidernode width=\"100\" channelImages=\"NoHay\" thumbImages=\"Nada\" "
                        L"initialValue=\"0.5\"/></scenenode>");
    SceneNode* root = Instantiate(L"Rota");
    ASSERT_NE(nullptr, root);
    auto* slider = dynamic_cast<SliderNode*>(root->GetChildren().front());
    ASSERT_NE(nullptr, slider);
    EXPECT_EQ(0.0f, slider->GetHeight());
    EXPECT_EQ(0.5f, slider->GetValue());
    EXPECT_EQ(0, Press(10, 0));
    DrawRecordingCanvas canvas;
    slider->DrawNode();
    EXPECT_TRUE(canvas.calls.empty());
}

// --- scroll bars --------------------------------------------------------------------

TEST_F(SliderNodeTest, TheScrollBarPlacesItsArrowsAtBothEnds)
{
    std::unique_ptr<ImageList> up = MakeImageList(4, 16, 20);
    std::unique_ptr<ImageList> down = MakeImageList(4, 16, 16);
    ScrollBarNode* bar = new ScrollBarNode(Label::GetUniqueString("Lista"), Vector2<float>(300, 100), channel.get(),
                                           thumb.get(), up.get(), down.get(), 200.0f);
    Add(bar);
    EXPECT_EQ(10.0f, bar->GetWidth());
    EXPECT_EQ(200.0f, bar->GetHeight());
    ASSERT_NE(nullptr, bar->GetUpButton());
    ASSERT_NE(nullptr, bar->GetDownButton());
    EXPECT_EQ(Vector2<float>(0.0f, 0.0f), bar->GetUpButton()->LocalGetLocation());
    EXPECT_EQ(Vector2<float>(0.0f, 184.0f), bar->GetDownButton()->LocalGetLocation());
    EXPECT_EQ(Label::GetUniqueString("ListaScrollUp"), bar->GetUpButton()->GetName());
    EXPECT_EQ(Label::GetUniqueString("ListaScrollDown"), bar->GetDownButton()->GetName());
    EXPECT_EQ(bar->GetDownButton(), scene->Database()->GetNamedObject(Label::GetUniqueString("ListaScrollDown")));

    ClickAt(305, 290);
    ASSERT_EQ(1u, recorder->noted.size());
    EXPECT_EQ("ButtonClick", recorder->noted[0].message);
    EXPECT_EQ(bar->GetDownButton()->GetID(), recorder->noted[0].sender);

    DrawRecordingCanvas canvas;
    bar->DrawNode();
    ASSERT_FALSE(canvas.calls.empty());
    EXPECT_TRUE(canvas.CallsWith(thumb->GetImage(0)).empty());
    EXPECT_EQ(100.0f, canvas.calls.front().y);
}

TEST_F(SliderNodeTest, ABarAddedAloneBringsItsArrowsIntoItsDatabase)
{
    std::unique_ptr<ImageList> arrows = MakeImageList(4, 16, 16);
    ScrollBarNode* bar =
        new ScrollBarNode(Label(), Vector2<float>(0, 0), channel.get(), nullptr, arrows.get(), arrows.get(), 100.0f);
    scene->Root()->AttachChild(bar);
    scene->Database()->AddObject(bar);
    EXPECT_EQ(Label::GetUniqueString("ScrollUp"), bar->GetUpButton()->GetName());
    EXPECT_TRUE(bar->GetUpButton()->IsLive());
    EXPECT_TRUE(bar->GetDownButton()->IsLive());

    // Destroying the bar takes its arrows with it.
    ObjectID const up = bar->GetUpButton()->GetID();
    bar->DestroySelf();
    Frame();
    Frame();
    EXPECT_EQ(nullptr, scene->Database()->GetObject(up));
}

TEST_F(SliderNodeTest, ALayoutScrollBarMissingItsImagesStillHasInertArrows)
{
    LoadLayout(L"Barra", L"<scenenode><scrollbarnode height=\"80\" channelImages=\"NoHay\"/></scenenode>");
    SceneNode* root = Instantiate(L"Barra");
    ASSERT_NE(nullptr, root);
    auto* bar = dynamic_cast<ScrollBarNode*>(root->GetChildren().front());
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(0.0f, bar->GetWidth());
    EXPECT_EQ(Vector2<float>(0.0f, 80.0f), bar->GetDownButton()->LocalGetLocation());
    EXPECT_TRUE(bar->GetDownButton()->IsLive());
    DrawRecordingCanvas canvas;
    scene->mode->Draw();
    EXPECT_TRUE(canvas.calls.empty());
}
