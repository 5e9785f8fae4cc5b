// A screen of widget nodes on the OpenGL screen: one layout holding a button, a
// check box, two radio buttons, a slider, a scroll bar and a list is read from a
// manifest, clicked through with injected input, and read back pixel by pixel.

#include "CorvaneExtensions/Tests/Scene/DisplayTestSupport.h"

#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/CheckBoxNode.h"
#include "CorvaneExtensions/Source/ListNode.h"
#include "CorvaneExtensions/Source/RadioButtonNode.h"
#include "CorvaneExtensions/Source/ScrollBarNode.h"
#include "CorvaneExtensions/Source/SliderNode.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace ControlTesting;
using namespace DisplayTesting;

namespace
{

constexpr int kWidth = 320;
constexpr int kHeight = 240;

std::wstring const kResources =
    // Normal red, hot green, pressed blue, disabled grey, focused yellow.
    L"<testimages name=\"BotonImgs\" count=\"5\" width=\"40\" height=\"20\" "
    L"colors=\"FFFF0000,FF00FF00,FF0000FF,FF808080,FFFFFF00\"/>"
    // Unchecked red, then checked cyan.
    L"<testimages name=\"CajaImgs\" count=\"10\" width=\"20\" height=\"20\" "
    L"colors=\"FFFF0000,FFFF0000,FFFF0000,FFFF0000,FFFF0000,FF00FFFF\"/>"
    // Normal red; a checked button shows the focus image, magenta.
    L"<testimages name=\"RadioImgs\" count=\"5\" width=\"20\" height=\"20\" "
    L"colors=\"FFFF0000,FF00FF00,FF0000FF,FF808080,FFFF00FF\"/>"
    L"<testimages name=\"CanalImgs\" count=\"3\" width=\"10\" height=\"10\" colors=\"FF808080\"/>"
    L"<testimages name=\"PulgarImgs\" count=\"5\" width=\"20\" height=\"20\" "
    L"colors=\"FFFFFFFF,FF00FF00,FF0000FF,FF808080,FFFFFF00\"/>"
    L"<testimages name=\"BarraImgs\" count=\"3\" width=\"12\" height=\"10\" colors=\"FF804000\"/>"
    L"<testimages name=\"FlechaImgs\" count=\"4\" width=\"12\" height=\"12\" colors=\"FF008080,FF00FFFF\"/>"
    L"<testimages name=\"MarcoImgs\" count=\"9\" width=\"4\" height=\"4\" colors=\"FF000080\"/>"
    L"<testfont name=\"Letra\" glyphWidth=\"8\" glyphHeight=\"12\"/>";

std::wstring const kScreen =
    L"<scenenode>"
    L"<buttonnode nodeName=\"Jugar\" x=\"10\" y=\"10\" images=\"BotonImgs\"/>"
    L"<checkboxnode nodeName=\"M\u00fasica\" x=\"10\" y=\"40\" images=\"CajaImgs\"/>"
    L"<radiobuttonnode nodeName=\"F\u00e1cil\" name=\"Facil\" group=\"Nivel\" x=\"60\" y=\"40\" images=\"RadioImgs\"/>"
    L"<radiobuttonnode nodeName=\"Dif\u00edcil\" name=\"Dificil\" group=\"Nivel\" x=\"90\" y=\"40\" "
    L"images=\"RadioImgs\"/>"
    L"<slidernode nodeName=\"Volumen\" x=\"10\" y=\"80\" width=\"200\" channelImages=\"CanalImgs\" "
    L"thumbImages=\"PulgarImgs\" disableImages=\"CanalImgs\" initialValue=\"0.5\"/>"
    L"<scrollbarnode nodeName=\"Barra\" x=\"250\" y=\"10\" height=\"100\" channelImages=\"BarraImgs\" "
    L"upArrowImages=\"FlechaImgs\" downArrowImages=\"FlechaImgs\"/>"
    L"<listnode nodeName=\"Perfiles\" x=\"10\" y=\"120\" width=\"200\" height=\"60\" images=\"MarcoImgs\" "
    L"font=\"Letra\" textColor=\"#FFFFFF\" selectedTextColor=\"#FFFF00\"/>"
    L"</scenenode>";

class ControlDisplayTest : public ControlScreenFixture
{
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        if (!HasVideo())
            GTEST_SKIP() << "no display: " << SDL_GetError();
        ASSERT_NO_FATAL_FAILURE(display.Open("Controles", kWidth, kHeight));

        LoadManifest(kResources, L"Controles");
        LoadLayout(L"Opciones", kScreen);
        screen = Instantiate(L"Opciones");
        ASSERT_NE(nullptr, screen);
    }
};

} // namespace

TEST_F(ControlDisplayTest, TheScreenDrawsEveryControlInItsRestingState)
{
    ListNode* list = Find<ListNode>(L"Perfiles");
    ASSERT_NE(nullptr, list);
    list->AddItem(ListNode::ListItem(L"Ana", nullptr));
    list->AddItem(ListNode::ListItem(L"\u00cd\u00f1igo", nullptr));
    Redraw();

    EXPECT_RGB(255, 0, 0, ReadPixel(15, 15));
    EXPECT_RGB(0, 0, 0, ReadPixel(55, 15));
    EXPECT_RGB(255, 0, 0, ReadPixel(15, 45));
    EXPECT_RGB(255, 0, 0, ReadPixel(65, 45));
    // The slider's channel and its thumb in the middle, a little below the channel.
    EXPECT_RGB(128, 128, 128, ReadPixel(30, 85));
    EXPECT_RGB(255, 255, 255, ReadPixel(110, 95));
    EXPECT_RGB(0, 0, 0, ReadPixel(30, 95));
    // The scroll bar's channel between its arrows.
    EXPECT_RGB(0, 128, 128, ReadPixel(255, 15));
    EXPECT_RGB(128, 64, 0, ReadPixel(255, 50));
    EXPECT_RGB(0, 128, 128, ReadPixel(255, 105));
    // The list's frame and its first line of text.
    EXPECT_RGB(0, 0, 128, ReadPixel(12, 122));
    EXPECT_RGB(255, 255, 255, ReadPixel(16, 126));
    EXPECT_RGB(255, 255, 255, ReadPixel(16, 140));
    EXPECT_RGB(0, 0, 128, ReadPixel(100, 160));
}

TEST_F(ControlDisplayTest, ClickingThroughTheScreenChangesWhatIsDrawn)
{
    ButtonNode* play = Find<ButtonNode>(L"Jugar");
    CheckBoxNode* music = Find<CheckBoxNode>(L"M\u00fasica");
    RadioButtonNode* easy = Find<RadioButtonNode>(L"F\u00e1cil");
    RadioButtonNode* hard = Find<RadioButtonNode>(L"Dif\u00edcil");
    SliderNode* volume = Find<SliderNode>(L"Volumen");
    ScrollBarNode* bar = Find<ScrollBarNode>(L"Barra");
    ListNode* list = Find<ListNode>(L"Perfiles");
    ASSERT_TRUE(play && music && easy && hard && volume && bar && list);
    list->AddItem(ListNode::ListItem(L"Ana", nullptr));
    list->AddItem(ListNode::ListItem(L"Bea", nullptr));

    // The button: hot, pressed, then clicked.
    Move(20, 20);
    Redraw();
    EXPECT_RGB(0, 255, 0, ReadPixel(15, 15));
    Press(20, 20);
    Redraw();
    EXPECT_RGB(0, 0, 255, ReadPixel(15, 15));
    Release(20, 20);
    Redraw();
    EXPECT_RGB(0, 255, 0, ReadPixel(15, 15));

    ClickAt(15, 45);
    Redraw();
    EXPECT_RGB(0, 255, 255, ReadPixel(15, 45));

    ClickAt(65, 45);
    ClickAt(95, 45);
    Redraw();
    EXPECT_RGB(255, 0, 0, ReadPixel(65, 45));
    EXPECT_RGB(255, 0, 255, ReadPixel(95, 45));

    // The far right of the channel: the thumb moves to the end.
    ClickAt(209, 85);
    Move(300, 230);
    Redraw();
    EXPECT_EQ(1.0f, volume->GetValue());
    EXPECT_RGB(255, 255, 255, ReadPixel(200, 95));
    EXPECT_RGB(0, 0, 0, ReadPixel(110, 95));

    ClickAt(255, 105);
    ClickAt(20, 140);
    Redraw();
    EXPECT_EQ(1, list->GetSelectedIndex());
    EXPECT_RGB(255, 255, 0, ReadPixel(16, 140));
    EXPECT_RGB(255, 255, 255, ReadPixel(16, 126));

    std::vector<ObjectID> senders;
    std::vector<std::string> messages;
    for (sNoted const& entry : recorder->noted)
    {
        senders.push_back(entry.sender);
        messages.push_back(entry.message);
    }
    EXPECT_EQ((Names{"ButtonClick", "CheckBoxClick", "RadioButtonClick", "RadioButtonClick", "SliderValueChange",
                     "ButtonClick", "ListSelectionChange"}),
              messages);
    EXPECT_EQ((std::vector<ObjectID>{play->GetID(), music->GetID(), easy->GetID(), hard->GetID(), volume->GetID(),
                                     bar->GetDownButton()->GetID(), list->GetID()}),
              senders);
}

TEST_F(ControlDisplayTest, DisabledControlsShowTheirDisabledImages)
{
    Find<ButtonNode>(L"Jugar")->Enable(false);
    Find<SliderNode>(L"Volumen")->Enable(false);
    ClickAt(20, 20);
    Redraw();
    EXPECT_RGB(128, 128, 128, ReadPixel(15, 15));
    EXPECT_RGB(128, 128, 128, ReadPixel(110, 95));
    EXPECT_TRUE(recorder->Take().empty());
}
