#include <gtest/gtest.h>

#include <cwchar>

#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Widgets/BrushObjects.h"
#include "2DEngine/Source/Widgets/ButtonObject.h"
#include "2DEngine/Source/Widgets/CheckBoxObjects.h"
#include "2DEngine/Source/Widgets/ListObjects.h"
#include "2DEngine/Source/Widgets/SpriteObjects.h"
#include "2DEngine/Source/Widgets/TextEditObject.h"
#include "2DEngine/Tests/Widgets/DesignerTestSupport.h"

using namespace Corvane;
using namespace DesignerTesting;

namespace
{

typedef std::vector<std::wstring> RowTexts;

class PropertyEditorObjectsTest : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        Open();
        Frame();
    }

    void Select(char const* target)
    {
        Column()->Select(FrameOf(target));
        Frame();
    }

    TextEditObject* Field(wchar_t const* row)
    {
        TextPropertyEditorObject* editor = RowNamed<TextPropertyEditorObject>(row);
        return editor ? dynamic_cast<TextEditObject*>(Database()->GetObject(editor->GetTextEdit())) : nullptr;
    }

    ListObject* ListOf(wchar_t const* row)
    {
        OptionPropertyEditorObject* editor = RowNamed<OptionPropertyEditorObject>(row);
        return editor ? dynamic_cast<ListObject*>(Database()->GetObject(editor->GetList())) : nullptr;
    }

    std::wstring SelectedText(wchar_t const* row)
    {
        ListObject* list = ListOf(row);
        return list && list->GetSelectedItem() >= 0 ? list->GetItemText(list->GetSelectedItem()) : L"-";
    }
};

} // namespace

TEST_F(PropertyEditorObjectsTest, RowsFollowTheTargetsRolesInTheTablesOrder)
{
    Select("Go");
    EXPECT_EQ((RowTexts{L"Layer", L"Location::X", L"Location::Y", L"Bounds::W", L"Bounds::H", L"Color::R", L"Color::G",
                    L"Color::B", L"Color::A", L"Enable", L"Visible", L"Font", L"Text Mode", L"Text"}),
              RowNames());
    // Stacked from the top of the column, text rows 25 high and lists 100.
    std::vector<PropertyEditorObject*> const rows = Rows();
    EXPECT_EQ(Rect<float>(800, 0, 224, 25), rows[0]->GetBounds());
    EXPECT_FLOAT_EQ(25.0f * 11, rows[11]->GetBounds().y);
    EXPECT_FLOAT_EQ(100.0f, rows[11]->GetBounds().height);
    EXPECT_FLOAT_EQ(25.0f * 11 + 200.0f, rows[13]->GetBounds().y);

    Select("Pic");
    EXPECT_EQ((RowTexts{L"Layer", L"Location::X", L"Location::Y", L"Color::R", L"Color::G", L"Color::B", L"Color::A",
                    L"Visible", L"Horiz. Align", L"Vert. Align", L"Horiz. Flip", L"Vert. Flip"}),
              RowNames());
    Select("Panel");
    EXPECT_EQ((RowTexts{L"Layer", L"Location::X", L"Location::Y", L"Bounds::W", L"Bounds::H", L"Color::A", L"Visible"}),
              RowNames());
}

TEST_F(PropertyEditorObjectsTest, SelectingTheSameKeepsTheRowsAndNothingEmptiesTheColumn)
{
    Select("Go");
    std::vector<PropertyEditorObject*> const before = Rows();
    Select("Go");
    EXPECT_EQ(before, Rows());
    EXPECT_TRUE(Column()->IsSelected(FrameOf("Go")));
    Column()->Select(nullptr);
    Frame();
    EXPECT_TRUE(Rows().empty());
    EXPECT_FALSE(Column()->IsSelected(FrameOf("Go")));
}

TEST_F(PropertyEditorObjectsTest, AFocusedFloatFieldWritesTheTargetAsTypedThenShowsItAgain)
{
    Select("Go");
    TextEditObject* x = Field(L"Location::X");
    ASSERT_NE(nullptr, x);
    EXPECT_EQ(L"100", x->GetValue());
    EXPECT_EQ(L"Go", Field(L"Text")->GetValue());

    x->Focus();
    x->SetValue(L"");
    Type(L"1");
    Frame();
    EXPECT_FLOAT_EQ(1.0f, Named<ButtonObject>("Go")->GetLocation().x);
    Type(L"23");
    Frame();
    EXPECT_FLOAT_EQ(123.0f, Named<ButtonObject>("Go")->GetLocation().x);
    x->SetValue(L"abc");
    Frame();
    EXPECT_FLOAT_EQ(0.0f, Named<ButtonObject>("Go")->GetLocation().x);

    // Without the focus the field shows the target again.
    Database()->SetFocus(nullptr);
    Named<ButtonObject>("Go")->SetLocation(Vector2<float>(42.5f, 50.0f));
    Frame();
    EXPECT_EQ(L"42.5", x->GetValue());

    // The text row writes the caption.
    TextEditObject* text = Field(L"Text");
    text->Focus();
    Key(35);
    Type(L"!");
    Frame();
    EXPECT_EQ(L"Go!", Named<ButtonObject>("Go")->GetText());
}

TEST_F(PropertyEditorObjectsTest, AFloatIsOnlyALeadingDecimalNumber)
{
    EXPECT_FLOAT_EQ(12.5f, FloatPropertyEditorObject::ParseValue(L"12.5px"));
    EXPECT_FLOAT_EQ(-3.0f, FloatPropertyEditorObject::ParseValue(L" -3"));
    EXPECT_FLOAT_EQ(0.5f, FloatPropertyEditorObject::ParseValue(L".5"));
    EXPECT_FLOAT_EQ(1500.0f, FloatPropertyEditorObject::ParseValue(L"1.5e3"));
    EXPECT_FLOAT_EQ(1.0f, FloatPropertyEditorObject::ParseValue(L"1e"));
    for (wchar_t const* text : {L"", L"abc", L"nan", L"NAN", L"inf", L"-infinity", L"0x10p3", L"1e999", L"-1e39", L".",
                                L"-", L"\u0663"})
    {
        EXPECT_EQ(0.0f, FloatPropertyEditorObject::ParseValue(text)) << std::string(text, text + wcslen(text));
    }
    // "0x10" is the number 0 followed by text.
    EXPECT_EQ(0.0f, FloatPropertyEditorObject::ParseValue(L"0x10"));
}

TEST_F(PropertyEditorObjectsTest, EnumerationAndFontRowsFollowTheTargetAndWriteIt)
{
    Select("Go");
    ListObject* mode = ListOf(L"Text Mode");
    ASSERT_NE(nullptr, mode);
    ASSERT_EQ(3, mode->GetItemCount());
    EXPECT_EQ(L"Normal", mode->GetItemText(0));
    EXPECT_EQ(L"Outline", mode->GetItemText(1));
    EXPECT_EQ(L"Drop Shadow", mode->GetItemText(2));
    EXPECT_EQ(L"Normal", SelectedText(L"Text Mode"));
    ButtonObject* go = Named<ButtonObject>("Go");
    go->SetTextMode(kTextMode_DropShadow);
    Frame();
    EXPECT_EQ(L"Drop Shadow", SelectedText(L"Text Mode"));
    mode->SelectItem(1);
    EXPECT_EQ(kTextMode_Outline, go->GetTextMode());

    // The font list: "(None)", then the loaded fonts; choosing "(None)" clears the font.
    ListObject* fonts = ListOf(L"Font");
    ASSERT_NE(nullptr, fonts);
    EXPECT_EQ(L"(None)", fonts->GetItemText(0));
    EXPECT_EQ(3, fonts->GetItemCount());
    EXPECT_EQ(L"Font", SelectedText(L"Font"));
    fonts->SelectItem(0);
    EXPECT_EQ(nullptr, go->GetFont());
    Frame();
    EXPECT_EQ(L"(None)", SelectedText(L"Font"));

    Select("Pic");
    Named<ImageSpriteObject>("Pic")->SetHAlignment(kHAlignment_Right);
    Frame();
    EXPECT_EQ(L"Right", SelectedText(L"Horiz. Align"));
    EXPECT_EQ(L"Top", SelectedText(L"Vert. Align"));
}

TEST_F(PropertyEditorObjectsTest, CheckBoxRowsShowAndWriteFlagsAndFlipBits)
{
    Select("Pic");
    ImageSpriteObject* pic = Named<ImageSpriteObject>("Pic");
    pic->SetFlipState(2);
    Frame();
    BoolPropertyEditorObject* horizontal = RowNamed<BoolPropertyEditorObject>(L"Horiz. Flip");
    BoolPropertyEditorObject* vertical = RowNamed<BoolPropertyEditorObject>(L"Vert. Flip");
    CheckBoxObject* hBox = dynamic_cast<CheckBoxObject*>(Database()->GetObject(horizontal->GetCheckBox()));
    CheckBoxObject* vBox = dynamic_cast<CheckBoxObject*>(Database()->GetObject(vertical->GetCheckBox()));
    ASSERT_NE(nullptr, hBox);
    EXPECT_FALSE(hBox->IsChecked());
    EXPECT_TRUE(vBox->IsChecked());
    hBox->Click();
    EXPECT_EQ(3u, pic->GetFlipState());
    vBox->Click();
    EXPECT_EQ(1u, pic->GetFlipState());

    CheckBoxObject* visible = dynamic_cast<CheckBoxObject*>(
        Database()->GetObject(RowNamed<BoolPropertyEditorObject>(L"Visible")->GetCheckBox()));
    visible->Click();
    EXPECT_FALSE(pic->IsVisible());
}
