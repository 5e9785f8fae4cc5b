// The control base: the hit test's edges and alpha threshold, capture, and what
// a disabled control draws and hears. The button stands for every control.

#include <gtest/gtest.h>

#include "2DEngine/Source/Graphics/KeyNames.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Widgets/ButtonObject.h"
#include "2DEngine/Source/Widgets/ListObjects.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"
#include "2DEngine/Tests/Widgets/ControlTestSupport.h"

using namespace Corvane;
using namespace ControlTesting;

namespace
{

class ControlObjectTest : public ControlFixture
{
};

// Left half alpha 25, right half alpha 26.
std::unique_ptr<ImageList> HalfAndHalf()
{
    std::unique_ptr<ImageList> list(new ImageList());
    Image* image = new Image(40, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            image->SetPixel(x, y, Color32::FromARGB(x < 20 ? 25 : 26, 255, 255, 255));
    list->AddOwnedImage(image);
    return list;
}

} // namespace

TEST_F(ControlObjectTest, TheRightAndBottomEdgesAreOutside)
{
    ButtonObject* const button = Add(new ButtonObject(Label::GetUniqueString("Borde")));
    button->SetBounds(Rect<float>(10.0f, 20.0f, 30.0f, 40.0f));
    EXPECT_TRUE(button->BoundsContains(10.0f, 20.0f));
    EXPECT_TRUE(button->BoundsContains(39.9f, 59.9f));
    EXPECT_FALSE(button->BoundsContains(40.0f, 30.0f));
    EXPECT_FALSE(button->BoundsContains(20.0f, 60.0f));
    EXPECT_FALSE(button->BoundsContains(9.9f, 30.0f));
}

TEST_F(ControlObjectTest, AnAlphaEqualToTheSensitivityIsOutside)
{
    std::unique_ptr<ImageList> const list = HalfAndHalf();
    ButtonObject* const button = Add(new ButtonObject(Label::GetUniqueString("Alfa")));
    button->SetImages(list.get());
    button->SetLocation(Vector2<float>(100.0f, 100.0f));
    EXPECT_FALSE(button->BoundsContains(105.0f, 105.0f));
    EXPECT_TRUE(button->BoundsContains(125.0f, 105.0f));
    // Sensitivity 0 switches the test off.
    button->SetAlphaSensitivity(0);
    EXPECT_TRUE(button->BoundsContains(105.0f, 105.0f));
}

TEST_F(ControlObjectTest, ReleasingTheCaptureClearsItWhoeverHoldsIt)
{
    ButtonObject* const holder = Add(new ButtonObject(Label::GetUniqueString("Uno")));
    ButtonObject* const other = Add(new ButtonObject(Label::GetUniqueString("Otro")));
    holder->Capture();
    EXPECT_TRUE(holder->HasCapture());
    other->ReleaseCapture();
    EXPECT_FALSE(holder->HasCapture());
    EXPECT_EQ(nullptr, Database()->GetCapture());
}

TEST_F(ControlObjectTest, ADisabledControlShowsImageThreeAndHearsNothing)
{
    std::unique_ptr<ImageList> const list = Solid(5, 40, 20);
    ButtonObject* const button = Add(new ButtonObject(Label::GetUniqueString("Apagado")));
    button->SetImages(list.get());
    button->SetKeyCode(kKey_Escape);
    button->Focus();
    button->Enable(false);
    Frame();
    EXPECT_EQ(3, button->GetImageIndex());
    CanvasScope scope;
    button->Draw();
    ASSERT_EQ(1u, scope.canvas.images.size());
    EXPECT_EQ(3, IndexOf(*list, scope.canvas.images[0].image));

    Click(5, 5);
    EXPECT_EQ(0, Key(kKey_Escape));
    EXPECT_FALSE(button->IsHot());
    EXPECT_TRUE(recorder->Take().empty());
    EXPECT_TRUE(audio->Take().empty());
}

TEST_F(ControlObjectTest, TheFourteenKeysAreRegistered)
{
    for (wchar_t const* key : {L"background", L"textedit", L"list", L"tree", L"scrollbar", L"slider", L"checkbox",
                               L"button", L"radiobutton", L"textsprite", L"imagesprite", L"animsprite", L"ninebrush",
                               L"threebrush"})
        EXPECT_TRUE(GetObjectFactory()->HasObjectFactory(key)) << ConvertStringWideToUTF8String(key);
}

// Layouts come from disk: every type made without the resources it names draws
// and answers input without reaching for them.
TEST_F(ControlObjectTest, EveryTypeWithoutItsResourcesDrawsAndAnswersSafely)
{
    XMLElement element(XMLElement::kStartElement, L"x");
    element.SetAttributes({{L"images", L"NoHay"}, {L"channelImages", L"NoHay"}, {L"thumbImages", L"NoHay"},
                           {L"fieldImages", L"NoHay"}, {L"cursorImage", L"NoHay"}, {L"src", L"NoHay"},
                           {L"sounds", L"NoHay"}, {L"numTicks", L"1"}, {L"snapToTicks", L"true"},
                           {L"upArrowImages", L"NoHay"}, {L"downArrowImages", L"NoHay"}});
    for (wchar_t const* key : {L"background", L"textedit", L"list", L"tree", L"scrollbar", L"slider", L"checkbox",
                               L"button", L"radiobutton", L"textsprite", L"imagesprite", L"animsprite", L"ninebrush",
                               L"threebrush"})
    {
        Object* const object = GetObjectFactory()->CreateObject(key, Label::FromString(key), element);
        ASSERT_NE(nullptr, object);
        Database()->AddObject(object);
        if (IBounds* const bounds = dynamic_cast<IBounds*>(object))
            bounds->SetBounds(Rect<float>(0.0f, 0.0f, 50.0f, 50.0f));
        if (IText* const text = dynamic_cast<IText*>(object))
            text->SetText(L"Texto");
        if (ListObject* const list = dynamic_cast<ListObject*>(object))
            list->AddItem(L"uno", nullptr);
        if (TreeObject* const tree = dynamic_cast<TreeObject*>(object))
            tree->AddNode(L"uno");
        object->Update(0.5f);
    }
    Frame();
    for (wchar_t const* key : {L"textedit", L"list", L"slider", L"checkbox"})
    {
        Database()->SetFocus(Database()->GetNamedObject(Label::FromString(key)));
        CanvasScope scope;
        Database()->Draw();
        EXPECT_TRUE(scope.canvas.images.empty());
        for (int key : {512, int(kKey_Down), int(kKey_Right), int(kKey_Backspace), int(kKey_Space), 513})
            Key(key);
        Type(L"ab");
        Click(10, 10);
        Click(49, 49);
    }
}
