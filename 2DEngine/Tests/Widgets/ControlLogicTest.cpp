// What widget objects and widget nodes compute alike: snapping, slider travel,
// list rows, and the text field's limits, measures, caret and scroll.

#include <gtest/gtest.h>

#include <cmath>

#include "2DEngine/Source/Graphics/KeyNames.h"
#include "2DEngine/Source/Widgets/ControlLogic.h"
#include "2DEngine/Tests/Widgets/ControlTestSupport.h"

using namespace Corvane;
using namespace Corvane::ControlLogic;
using namespace ControlTesting;

TEST(ControlLogicTest, SnappingTakesTheNearestTickTheLowerOnATie)
{
    EXPECT_FLOAT_EQ(0.25f, SnapToTicks(0.3f, 5));
    EXPECT_FLOAT_EQ(0.25f, SnapToTicks(0.375f, 5));
    EXPECT_FLOAT_EQ(0.5f, SnapToTicks(0.376f, 5));
    EXPECT_FLOAT_EQ(1.0f, SnapToTicks(7.0f, 5));
    // One tick is the end; no ticks leave the value.
    EXPECT_EQ(1.0f, SnapToTicks(0.2f, 1));
    EXPECT_EQ(0.3f, SnapToTicks(0.3f, 0));
    EXPECT_FLOAT_EQ(0.5f, SliderKeyStep(true, 3));
    EXPECT_EQ(0.0f, SliderKeyStep(true, 1));
    EXPECT_FLOAT_EQ(0.05f, SliderKeyStep(false, 3));
    EXPECT_FALSE(SliderCanFocus(true, 1));
    EXPECT_TRUE(SliderCanFocus(false, 0));
}

TEST(ControlLogicTest, AThumbThatCannotTravelStandsAtZeroNeverNaN)
{
    for (float travel : {0.0f, -8.0f, std::nanf("")})
    {
        EXPECT_EQ(0.0f, ThumbOffsetToValue(10.0f, travel));
        EXPECT_EQ(0.0f, ValueToThumbOffset(0.5f, travel));
    }
    EXPECT_EQ(50.0f, ValueToThumbOffset(0.25f, 200.0f));
}

TEST(ControlLogicTest, ListRowsAndTheVisibleCount)
{
    Rect<float> const interior(10.0f, 20.0f, 100.0f, 40.0f);
    // 14-high rows in a 40-high interior: two full rows, the third cut.
    EXPECT_EQ(2, ListVisibleRowCount(interior, 14.0f, 0, 5));
    EXPECT_EQ(Rect<float>(10.0f, 48.0f, 100.0f, 12.0f), ListRowRect(interior, 14.0f, 2, 0));
    EXPECT_GT(0.0f, ListRowRect(interior, 14.0f, 4, 0).height);
    EXPECT_EQ(1, ListVisibleRowCount(interior, 0.0f, 0, 5));
    EXPECT_EQ(1, ListVisibleRowCount(interior, 50.0f, 0, 5));

    // Down past the last full row scrolls so that the selection is the last one shown.
    sListStep step = ListKeyStep(kKey_Down, 5, 1, 0, interior, 14.0f);
    EXPECT_TRUE(step.selectionChanged);
    EXPECT_EQ(2, step.selected);
    EXPECT_EQ(1, step.first);
    step = ListKeyStep(kKey_Up, 5, 0, 0, interior, 14.0f);
    EXPECT_TRUE(step.handled);
    EXPECT_FALSE(step.selectionChanged);
    step = ListKeyStep(kKey_Down, 5, -1, 3, interior, 14.0f);
    EXPECT_EQ(0, step.selected);
    EXPECT_EQ(0, step.first);
    EXPECT_FALSE(ListKeyStep(kKey_Left, 5, 1, 0, interior, 14.0f).handled);
}

TEST(ControlLogicTest, AFieldFrameWithoutALeftEdgeHeightCountsAsNone)
{
    FontTesting::AdvanceFont const font(4, 12);
    ImageList frame;
    for (int i = 0; i < 9; ++i)
        frame.AddOwnedImage(SolidImage(4, i == 3 ? 0 : 4, 0xFFFFFFFFu));
    sTextFieldFrame const flat(&font, &frame, 100.0f, false, L'*', 0);
    EXPECT_EQ(nullptr, flat.fieldImages);
    EXPECT_EQ(12.0f, TextFieldModel::TextBoxHeight(flat));
    EXPECT_EQ(100.0f, TextFieldModel::TextBoxWidth(flat));

    std::unique_ptr<ImageList> const edges = Solid(9, 4, 5);
    sTextFieldFrame const framed(&font, edges.get(), 100.0f, false, L'*', 0);
    // Whole steps of the left edge's 5 pixels up to the glyph height.
    EXPECT_EQ(15.0f, TextFieldModel::TextBoxHeight(framed));
    EXPECT_EQ(25.0f, TextFieldModel::FieldHeight(framed));
    EXPECT_EQ(92.0f, TextFieldModel::TextBoxWidth(framed));
}

TEST(ControlLogicTest, TheLimitsHoldForPasswordsAndWidths)
{
    FontTesting::AdvanceFont font(4, 12);
    font.SetAdvance(L'*', 6);
    TextFieldModel model;
    model.SetMaxStringWidth(10);
    sTextFieldFrame const plain(&font, nullptr, 100.0f, false, L'*', 0);
    model.SetValue(L"abc", plain);
    EXPECT_EQ(L"ab", model.GetValue());
    // Measured as shown: two stars are 12 pixels, over the limit.
    sTextFieldFrame const masked(&font, nullptr, 100.0f, true, L'*', 0);
    model.SetValue(L"ab", masked);
    EXPECT_EQ(L"a", model.GetValue());
    EXPECT_EQ(L"*", model.GetShownText(masked));
    EXPECT_FALSE(model.InsertCharacter(L'z', masked));
}

TEST(ControlLogicTest, TheCaretStaysInTheBox)
{
    FontTesting::AdvanceFont const font(10, 12);
    TextFieldModel model;
    // Right-aligned and shorter than the box: the caret after the text at the right edge.
    sTextFieldFrame const right(&font, nullptr, 100.0f, false, L'*', 2);
    model.SetValue(L"abc", right);
    model.HandleKey(kKey_End, right);
    EXPECT_EQ(100.0f, model.GetCaretPosition().x);
    EXPECT_EQ(0.0f, model.GetScroll());

    // Typing past the right edge scrolls the text so that the caret sits on the edge.
    TextFieldModel left;
    sTextFieldFrame const box(&font, nullptr, 50.0f, false, L'*', 0);
    for (wchar_t c : std::wstring(L"abcdefgh"))
        EXPECT_TRUE(left.InsertCharacter(c, box));
    EXPECT_EQ(50.0f, left.GetCaretPosition().x + left.GetScroll());
    EXPECT_EQ(TextFieldModel::kKeySwallowed, left.HandleKey(kKey_Home, box));
    EXPECT_EQ(0.0f, left.GetCaretPosition().x + left.GetScroll());
    EXPECT_EQ(TextFieldModel::kKeyPassedOn, left.HandleKey(kKey_Tab, box));
    EXPECT_EQ(TextFieldModel::kKeySwallowed, left.HandleKey(kKey_Backspace, box));
    EXPECT_EQ(TextFieldModel::kKeyChangedValue, left.HandleKey(kKey_Delete, box));
    EXPECT_EQ(L"bcdefgh", left.GetValue());
}
