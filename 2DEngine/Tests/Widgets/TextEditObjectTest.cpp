// The text field: limits by characters, editing keys, what a focused field
// takes and passes on, the caret drawing, and a frame without a left edge.

#include <gtest/gtest.h>

#include "2DEngine/Source/Graphics/KeyNames.h"
#include "2DEngine/Source/Widgets/TextEditObject.h"
#include "2DEngine/Tests/Widgets/ControlTestSupport.h"

using namespace Corvane;
using namespace ControlTesting;

namespace
{

class TextEditObjectTest : public ControlFixture
{
protected:
    TextEditObject* MakeField(ImageList const* frame = nullptr, IImage const* cursor = nullptr)
    {
        TextEditObject* const field =
            Add(new TextEditObject(Label::GetUniqueString("Campo"), 1.0f, Vector2<float>(10.0f, 10.0f), frame,
                                   cursor, 200.0f, TheFont(), ColorF(0, 0, 0, 1)));
        Frame();
        return field;
    }
};

} // namespace

TEST_F(TextEditObjectTest, TheCharacterLimitRejectsSilently)
{
    TextEditObject* const field = MakeField();
    field->SetMaxCharacterCount(3);
    field->Focus();
    EXPECT_EQ(1, Type(L"ab\u00f1"));
    EXPECT_EQ(1, Type(L"d"));
    EXPECT_EQ(L"ab\u00f1", field->GetValue());
    EXPECT_EQ((Names{"TextEditChange", "TextEditChange", "TextEditChange"}), recorder->Take());

    field->SetMaxCharacterCount(-1);
    field->SetValue(L"abcdef");
    Key(kKey_End);
    EXPECT_EQ(6u, field->GetCaret());
    field->SetMaxCharacterCount(4);
    EXPECT_EQ(L"abcd", field->GetValue());
    EXPECT_EQ(4u, field->GetCaret());
    EXPECT_TRUE(recorder->Take().empty());
}

TEST_F(TextEditObjectTest, AFocusedFieldTakesEveryKeyButFive)
{
    TextEditObject* const field = MakeField();
    EXPECT_EQ(0, Key('A'));
    EXPECT_EQ(0, Type(L"a"));
    field->Focus();
    for (int key : {512, 513, int(kKey_Enter), int(kKey_Tab), int(kKey_Escape)})
        EXPECT_EQ(0, Key(key)) << key;
    for (int key : {int('A'), int(kKey_F1), int(kKey_Up), int(kKey_Backspace), int(kKey_Delete)})
        EXPECT_EQ(1, Key(key)) << key;
    // Backspace at 0 and Delete at the end change nothing.
    EXPECT_TRUE(recorder->Take().empty());
    // Control characters typed are dropped.
    Type(L"\t\r");
    EXPECT_EQ(L"", field->GetValue());
    Type(L"xy");
    Key(kKey_Left);
    Key(kKey_Backspace);
    EXPECT_EQ(L"y", field->GetValue());
    EXPECT_EQ(0u, field->GetCaret());
}

TEST_F(TextEditObjectTest, PasswordsShowAndMeasureTheMask)
{
    TextEditObject* const field = MakeField();
    field->SetPasswordMode(true);
    field->SetPasswordCharacter(L'#');
    field->SetValue(L"abc");
    field->Focus();
    CanvasScope scope;
    field->Draw();
    ASSERT_EQ(1u, scope.canvas.texts.size());
    EXPECT_EQ(L"###", scope.canvas.texts[0].text);
    EXPECT_EQ(30.0f, field->GetTextWidth(L"abc"));
}

TEST_F(TextEditObjectTest, TheCaretShowsOnlyWithACursorImage)
{
    std::unique_ptr<ImageList> const cursor = Solid(1, 2, 10);
    TextEditObject* const plain = MakeField();
    plain->Focus();
    plain->SetValue(L"ab");
    {
        CanvasScope scope;
        plain->Draw();
        EXPECT_TRUE(scope.canvas.images.empty());
    }
    TextEditObject* const blinking = MakeField(nullptr, cursor->GetImage(0));
    blinking->Focus();
    CanvasScope scope;
    blinking->Draw();
    EXPECT_EQ(1u, scope.canvas.images.size());
    // Half a second later the cursor is the empty frame.
    blinking->Update(0.5f);
    blinking->Enable(false);
    blinking->Draw();
    EXPECT_EQ(1u, scope.canvas.images.size());
}

TEST_F(TextEditObjectTest, AFrameWithoutALeftEdgeHeightIsNoFrame)
{
    ImageList flat;
    for (int i = 0; i < 9; ++i)
        flat.AddOwnedImage(SolidImage(4, i == 3 ? 0 : 4, 0xFFFFFFFFu));
    TextEditObject* const field = MakeField(&flat);
    EXPECT_EQ(200.0f, field->GetTextBoxWidth());
    EXPECT_EQ(16.0f, field->GetTextBoxHeight());
    std::unique_ptr<ImageList> const edges = Solid(9, 4, 5);
    field->SetFieldImages(edges.get());
    // 5 + 20 (four steps of 5 to reach 16) + 5.
    EXPECT_EQ(30.0f, field->GetBounds().height);
    EXPECT_EQ(Vector2<float>(4.0f, 5.0f), field->GetTextLocation());
}
