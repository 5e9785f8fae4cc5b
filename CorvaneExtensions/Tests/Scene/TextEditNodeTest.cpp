// The text field as a name-entry screen uses it: focus by a press, typing as text
// input, editing keys, the character and width limits, password mode, the caret
// with kerning, scrolling that keeps the caret in the box, the blinking cursor and
// the frame, and "TextEditChange" after every edit.

#include "CorvaneExtensions/Tests/Scene/ControlTestSupport.h"
#include "CorvaneExtensions/Tests/Scene/SpriteTestSupport.h"

#include "CorvaneExtensions/Source/TextEditNode.h"

#include <gtest/gtest.h>

#include <map>

using namespace Corvane;
using namespace ControlTesting;

namespace
{

constexpr int kBackspace = 8;
constexpr int kTab = 9;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kLeft = 37;
constexpr int kRight = 39;
constexpr int kDelete = 46;
constexpr int kLetterA = 65;

// Characters advance by 10 unless given their own advance; "A" before "V" is pulled
// in by 3 pixels. Glyphs are white blocks of their advance.
class KernedFont : public Font
{
public:
    KernedFont() : mAtlas(SolidImage(10, 12, 0xFFFFFFFFu)) { advances[L'*'] = 4; }

    void GetGlyph(wchar_t c, sGlyph* out) const override
    {
        *out = sGlyph{mAtlas.get(), 0, 0, Advance(c), 12};
    }
    int32_t GetGlyphHeight() const override { return 12; }
    int32_t GetKernedLetterWidth(wchar_t c, wchar_t next) const override
    {
        return Advance(c) - ((c == L'A' && next == L'V') ? 3 : 0);
    }

    std::map<wchar_t, int> advances;

private:
    int Advance(wchar_t c) const
    {
        auto found = advances.find(c);
        return found == advances.end() ? 10 : found->second;
    }

    std::unique_ptr<Image> mAtlas;
};

class TextEditNodeTest : public ControlFixture
{
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        GetResourceManager()->AddResourceFactory(L"testimage", new SpriteTesting::TestImageFactory());
        // The frame: corners 3 x 4, edges 3 wide (left and right) and 5 high, 4 high (top
        // and bottom), a 2 x 20 cursor.
        LoadManifest(L"<testimages name=\"Marco\" count=\"9\" width=\"3\" height=\"4\"/>"
                     L"<testimages name=\"Cursor\" count=\"1\" width=\"2\" height=\"20\"/>"
                     L"<testimage name=\"Caret\" width=\"3\" height=\"30\" argb=\"FFFF00FF\"/>"
                     L"<testfont name=\"Letras\" glyphWidth=\"10\" glyphHeight=\"12\"/>",
                     L"Campos");
    }

    // A field of the given width at (100, 50) with the kerned font, in the scene.
    TextEditNode* MakeField(float width)
    {
        TextEditNode* field = new TextEditNode(Label());
        field->LocalSetLocation(100.0f, 50.0f);
        field->SetFieldWidth(width);
        field->SetHeight(20.0f);
        field->SetFont(&font);
        return Add(field);
    }

    MessageResult Type(std::wstring const& text) { return scene->mode->OnTextInput(text); }

    // The "TextEditChange" messages noted since the last call, each from the field.
    int Changes(TextEditNode* field)
    {
        int count = 0;
        for (sNoted const& noted : recorder->noted)
        {
            EXPECT_EQ(std::string("TextEditChange"), noted.message);
            EXPECT_EQ(field->GetID(), noted.sender);
            ++count;
        }
        recorder->noted.clear();
        return count;
    }

    static ImageList const* List(char const* name) { return AutoResource<ImageList>(name).Get(); }

    KernedFont font;
};

} // namespace

// --- focus and typing ---------------------------------------------------------

TEST_F(TextEditNodeTest, APressGivesTheFocusAndTypingFillsTheField)
{
    TextEditNode* field = MakeField(200.0f);
    EXPECT_EQ(kMessageNotHandled, Type(L"x"));
    EXPECT_EQ(std::wstring(), field->GetValue());

    ClickAt(110, 55);
    EXPECT_TRUE(field->HasFocus());
    EXPECT_EQ(kMessageHandled, Type(L"Pe\u00f1a"));
    EXPECT_EQ(std::wstring(L"Pe\u00f1a"), field->GetValue());
    EXPECT_EQ(4u, field->GetCaret());
    EXPECT_EQ(4, Changes(field));

    // Control characters in the text are left out.
    Type(L"\tb\n");
    EXPECT_EQ(std::wstring(L"Pe\u00f1ab"), field->GetValue());
    EXPECT_EQ(1, Changes(field));
}

TEST_F(TextEditNodeTest, ADisabledFieldTakesNoFocusFromThePress)
{
    TextEditNode* field = MakeField(200.0f);
    field->Enable(false);
    ClickAt(110, 55);
    EXPECT_FALSE(field->HasFocus());
}

TEST_F(TextEditNodeTest, TheCharacterLimitRejectsTheFourthLetterSilently)
{
    TextEditNode* field = MakeField(200.0f);
    field->SetMaxCharacterCount(3);
    field->Focus();
    Type(L"abcd");
    EXPECT_EQ(std::wstring(L"abc"), field->GetValue());
    EXPECT_EQ(3, Changes(field));
    EXPECT_EQ(3u, field->GetCaret());

    // A value set from code is cut to the limit without a message.
    field->SetValue(L"wxyz");
    EXPECT_EQ(std::wstring(L"wxy"), field->GetValue());
    EXPECT_EQ(0, Changes(field));
}

TEST_F(TextEditNodeTest, AWidthLimitSetLaterTrimsTheValueAtOnceWithoutAMessage)
{
    TextEditNode* field = MakeField(200.0f);
    field->Focus();
    Type(L"abcdef");
    EXPECT_EQ(6, Changes(field));
    field->SetMaxStringWidth(35);
    EXPECT_EQ(std::wstring(L"abc"), field->GetValue());
    EXPECT_EQ(3u, field->GetCaret());
    EXPECT_EQ(0, Changes(field));

    // Typing past the width limit is refused.
    Type(L"d");
    EXPECT_EQ(std::wstring(L"abc"), field->GetValue());
    EXPECT_EQ(0, Changes(field));
}

TEST_F(TextEditNodeTest, PasswordModeShowsAndMeasuresThePasswordCharacter)
{
    TextEditNode* field = MakeField(200.0f);
    field->SetMaxStringWidth(20);
    field->SetPasswordMode(true);
    field->Focus();
    Type(L"secreto");
    // Four-pixel stars: five fit in 20 pixels where two letters would.
    EXPECT_EQ(std::wstring(L"secre"), field->GetValue());
    EXPECT_EQ(std::wstring(L"*****"), field->GetShownText());
    EXPECT_EQ(20.0f, field->GetTextWidth(field->GetValue()));

    DrawRecordingCanvas canvas;
    field->DrawNode();
    int stars = 0;
    for (sDrawCall const& call : canvas.calls)
    {
        if (call.state.sourceRect.width == 4)
            ++stars;
    }
    EXPECT_EQ(5, stars);

    // Leaving password mode re-measures the letters against the limit.
    field->SetPasswordMode(false);
    EXPECT_EQ(std::wstring(L"se"), field->GetValue());
}

// --- editing keys -----------------------------------------------------------------

TEST_F(TextEditNodeTest, EditingKeysMoveTheCaretAndDelete)
{
    TextEditNode* field = MakeField(200.0f);
    field->Focus();
    Type(L"camion");
    Changes(field);
    EXPECT_EQ(kMessageHandled, Key(kLeft));
    EXPECT_EQ(kMessageHandled, Key(kLeft));
    EXPECT_EQ(4u, field->GetCaret());
    Key(kBackspace);
    EXPECT_EQ(std::wstring(L"camon"), field->GetValue());
    Type(L"i\u00f3");
    Key(kDelete);
    EXPECT_EQ(std::wstring(L"cami\u00f3n"), field->GetValue());
    EXPECT_EQ(4, Changes(field));

    Key(kHome);
    EXPECT_EQ(0u, field->GetCaret());
    Key(kLeft);
    EXPECT_EQ(0u, field->GetCaret());
    Key(kEnd);
    EXPECT_EQ(6u, field->GetCaret());
    Key(kRight);
    EXPECT_EQ(6u, field->GetCaret());
    EXPECT_EQ(0, Changes(field));
}

TEST_F(TextEditNodeTest, BackspaceAtTheStartAndDeleteAtTheEndChangeNothingButAreHandled)
{
    TextEditNode* field = MakeField(200.0f);
    field->Focus();
    field->SetValue(L"ab");
    field->SetCaret(0);
    EXPECT_EQ(kMessageHandled, Key(kBackspace));
    field->SetCaret(2);
    EXPECT_EQ(kMessageHandled, Key(kDelete));
    EXPECT_EQ(std::wstring(L"ab"), field->GetValue());
    EXPECT_EQ(0, Changes(field));
}

TEST_F(TextEditNodeTest, AFocusedFieldSwallowsLetterKeysAndPassesTheScreenKeysOn)
{
    TextEditNode* field = MakeField(200.0f);
    std::vector<int> heard;
    scene->Root()->keyDownSignal.connect([&heard](SceneNode*, int key) { heard.push_back(key); });

    // Without the focus every key goes on to the rest of the scene.
    Key(kLetterA);
    Key(kBackspace);
    EXPECT_EQ((std::vector<int>{kLetterA, kBackspace}), heard);
    heard.clear();

    field->Focus();
    EXPECT_EQ(kMessageHandled, Key(kLetterA));
    EXPECT_EQ(std::wstring(), field->GetValue());
    for (int key : {kEnter, kTab, kEscape, 512, 513})
        Key(key);
    EXPECT_EQ((std::vector<int>{kEnter, kTab, kEscape, 512, 513}), heard);
}

TEST_F(TextEditNodeTest, AHiddenFieldStillTakesKeysAndTyping)
{
    TextEditNode* field = MakeField(200.0f);
    field->Focus();
    field->LocalSetVisible(false);
    Frame();
    EXPECT_EQ(kMessageHandled, Type(L"ab"));
    EXPECT_EQ(kMessageHandled, field->OnKeyDown(kBackspace));
    EXPECT_EQ(std::wstring(L"a"), field->GetValue());
}

// The field's own visibility flag decides whether it draws, not its parent's.
TEST_F(TextEditNodeTest, AFieldDrawsByItsOwnVisibilityFlag)
{
    SceneNode* holder = Add(new SceneNode(Label()));
    TextEditNode* field = new TextEditNode(Label());
    field->SetFieldWidth(100.0f);
    field->SetFont(&font);
    Add(field, holder);
    field->SetValue(L"ok");
    holder->LocalSetVisible(false);
    Frame();
    {
        DrawRecordingCanvas canvas;
        field->DrawNode();
        EXPECT_FALSE(canvas.calls.empty());
    }
    field->LocalSetVisible(false);
    holder->LocalSetVisible(true);
    Frame();
    DrawRecordingCanvas canvas;
    field->DrawNode();
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(TextEditNodeTest, EditingStillWorksWhileDisabledButTheCursorIsHidden)
{
    TextEditNode* field = MakeField(200.0f);
    field->SetCursorImage(List("Cursor")->GetImage(0));
    field->Focus();
    field->Enable(false);
    EXPECT_EQ(kMessageHandled, field->OnTextInput(L"ok"));
    EXPECT_EQ(std::wstring(L"ok"), field->GetValue());
    DrawRecordingCanvas canvas;
    field->DrawNode();
    EXPECT_TRUE(canvas.CallsWith(List("Cursor")->GetImage(0)).empty());
}

// --- caret and scrolling ----------------------------------------------------------

TEST_F(TextEditNodeTest, TheCaretFollowsKernedAdvances)
{
    TextEditNode* field = MakeField(200.0f);
    field->SetValue(L"AVA");
    field->SetCaret(1);
    // "A" before "V" advances 7.
    EXPECT_EQ(7.0f, field->GetCaretPosition().x);
    field->SetCaret(2);
    EXPECT_EQ(17.0f, field->GetCaretPosition().x);
    EXPECT_EQ(27.0f, field->GetTextWidth(L"AVA"));
}

TEST_F(TextEditNodeTest, TypingPastTheEdgeScrollsAndHomeScrollsBack)
{
    TextEditNode* field = MakeField(50.0f);
    field->Focus();
    Type(L"abcd");
    EXPECT_EQ(0.0f, field->GetScroll());
    Type(L"efgh");
    // The caret at 80 sits on the right edge of the 50-pixel box.
    EXPECT_EQ(-30.0f, field->GetScroll());
    EXPECT_EQ(50.0f, field->GetCaretPosition().x + field->GetScroll());

    {
        DrawRecordingCanvas canvas;
        field->DrawNode();
        ASSERT_FALSE(canvas.calls.empty());
        EXPECT_EQ(70.0f, canvas.calls.front().x);
        EXPECT_EQ(Rect<int>(100, 50, 50, 12), canvas.calls.front().state.clip);
    }

    Key(kHome);
    EXPECT_EQ(0.0f, field->GetScroll());
    EXPECT_EQ(0.0f, field->GetCaretPosition().x);
    // Moving right inside the box leaves the text where it is.
    Key(kRight);
    EXPECT_EQ(0.0f, field->GetScroll());
    Key(kEnd);
    EXPECT_EQ(-30.0f, field->GetScroll());
}

TEST_F(TextEditNodeTest, DeletingAfterScrollingBringsTheTextBackIntoView)
{
    TextEditNode* field = MakeField(50.0f);
    field->Focus();
    Type(L"abcdefgh");
    EXPECT_EQ(-30.0f, field->GetScroll());
    for (int i = 0; i < 5; ++i)
        Key(kBackspace);
    // "abc" fits again: it is shown from the box's left edge, the caret after it.
    EXPECT_EQ(std::wstring(L"abc"), field->GetValue());
    EXPECT_EQ(0.0f, field->GetScroll());
    EXPECT_EQ(30.0f, field->GetCaretPosition().x);

    // Still too long for the box, the text ends at the box's right edge.
    Type(L"defghij");
    Key(kLeft);
    Key(kLeft);
    Key(kBackspace);
    EXPECT_EQ(std::wstring(L"abcdefgij"), field->GetValue());
    EXPECT_EQ(-40.0f, field->GetScroll());
    EXPECT_EQ(30.0f, field->GetCaretPosition().x + field->GetScroll());
}

TEST_F(TextEditNodeTest, OverlongCentredOrRightAlignedTextKeepsTheCaretAtTheBoxEdge)
{
    TextEditNode* field = MakeField(50.0f);
    field->SetAlignment(TextEditNode::kAlignRight);
    field->Focus();
    Type(L"abcdefgh");
    // The text's end, and the caret, at the box's right edge without scrolling.
    EXPECT_EQ(-30.0f, field->GetTextLocation().x);
    EXPECT_EQ(0.0f, field->GetScroll());
    EXPECT_EQ(50.0f, field->GetCaretPosition().x);
    // Home brings the text's start to the left edge.
    Key(kHome);
    EXPECT_EQ(30.0f, field->GetScroll());
    EXPECT_EQ(0.0f, field->GetCaretPosition().x + field->GetScroll());
    Key(kEnd);
    EXPECT_EQ(0.0f, field->GetScroll());

    field->SetAlignment(TextEditNode::kAlignCenter);
    EXPECT_EQ(50.0f, field->GetCaretPosition().x + field->GetScroll());
}

TEST_F(TextEditNodeTest, AlignmentPlacesTheTextInTheBox)
{
    TextEditNode* field = MakeField(100.0f);
    field->SetValue(L"abcd");
    field->SetCaret(4);
    field->SetAlignment(TextEditNode::kAlignCenter);
    EXPECT_EQ(30.0f, field->GetTextLocation().x);
    EXPECT_EQ(70.0f, field->GetCaretPosition().x);
    field->SetAlignment(TextEditNode::kAlignRight);
    EXPECT_EQ(60.0f, field->GetTextLocation().x);
    EXPECT_EQ(100.0f, field->GetCaretPosition().x);
    // An empty centred field has its caret in the middle from the start.
    field->SetValue(L"");
    field->SetAlignment(TextEditNode::kAlignCenter);
    EXPECT_EQ(50.0f, field->GetCaretPosition().x);
}

// --- frame, cursor and layout -------------------------------------------------------

TEST_F(TextEditNodeTest, TheFrameSetsTheHeightAndTheTextBox)
{
    LoadManifest(L"<testimages name=\"Borde\" count=\"9\" width=\"3\" height=\"5\"/>", L"Bordes");
    TextEditNode* field = MakeField(80.0f);
    field->SetFieldImages(List("Borde"));
    // 12-pixel glyphs in steps of the 5-pixel left edge: a 15-pixel box.
    EXPECT_EQ(15.0f, field->GetTextBoxHeight());
    EXPECT_EQ(5.0f + 15.0f + 5.0f, field->GetHeight());
    EXPECT_EQ(74.0f, field->GetTextBoxWidth());
    EXPECT_EQ(Vector2<float>(3.0f, 5.0f), field->GetTextLocation());
    EXPECT_EQ(80.0f, field->GetWidth());

    field->SetValue(L"ab");
    DrawRecordingCanvas canvas;
    field->DrawNode();
    // The nine pieces of the frame come first, the text after them.
    std::vector<int> const frame = canvas.IndicesIn(*List("Borde"));
    ASSERT_GE(frame.size(), 9u);
    EXPECT_EQ(0, frame.front());
    sDrawCall const& text = canvas.calls.back();
    EXPECT_EQ(113.0f, text.x);
    EXPECT_EQ(55.0f, text.y);
}

TEST_F(TextEditNodeTest, TheCursorBlinksAtTheCaretOnlyWithTheFocus)
{
    TextEditNode* field = MakeField(200.0f);
    IImage const* cursor = List("Cursor")->GetImage(0);
    field->SetCursorImage(cursor);
    field->SetValue(L"ab");
    field->SetCaret(1);
    {
        DrawRecordingCanvas canvas;
        field->DrawNode();
        EXPECT_TRUE(canvas.CallsWith(cursor).empty());
    }
    field->Focus();
    {
        DrawRecordingCanvas canvas;
        field->DrawNode();
        std::vector<sDrawCall> const calls = canvas.CallsWith(cursor);
        ASSERT_EQ(1u, calls.size());
        EXPECT_EQ(20.0f, calls[0].rect.height);
        EXPECT_EQ(50.0f, calls[0].rect.y);
    }
    // Half a second later the cursor is off, and on again after a full second.
    for (int i = 0; i < 30; ++i)
        Frame();
    {
        DrawRecordingCanvas canvas;
        field->DrawNode();
        EXPECT_TRUE(canvas.CallsWith(cursor).empty());
    }
    for (int i = 0; i < 25; ++i)
        Frame();
    DrawRecordingCanvas canvas;
    field->DrawNode();
    EXPECT_EQ(1u, canvas.CallsWith(cursor).size());
}

TEST_F(TextEditNodeTest, TheLayoutTagReadsEveryAttribute)
{
    LoadLayout(L"Nombre", L"<texteditnode x=\"10\" y=\"20\" fieldImages=\"Marco\" cursorImage=\"Caret\" "
                          L"width=\"120\" font=\"Letras\" maxCharacters=\"8\" maxStringWidth=\"60\" "
                          L"passwordMode=\"true\" passwordCharacter=\"\u2022x\" textalign=\"right\"/>");
    TextEditNode* field = dynamic_cast<TextEditNode*>(Instantiate(L"Nombre"));
    ASSERT_NE(nullptr, field);
    EXPECT_EQ(120.0f, field->GetWidth());
    EXPECT_EQ(4.0f + 12.0f + 4.0f, field->GetHeight());
    EXPECT_EQ(8, field->GetMaxCharacterCount());
    EXPECT_EQ(60, field->GetMaxStringWidth());
    EXPECT_TRUE(field->GetPasswordMode());
    EXPECT_EQ(L'\u2022', field->GetPasswordCharacter());
    EXPECT_EQ(TextEditNode::kAlignRight, field->GetAlignment());
    EXPECT_TRUE(field->GetHitTest());

    // Clicked and typed into as a screen would.
    ClickAt(30, 25);
    EXPECT_TRUE(field->HasFocus());
    Type(L"abcdefghij");
    EXPECT_EQ(std::wstring(L"abcdef"), field->GetValue());
    EXPECT_EQ(6, Changes(field));
    {
        // The caret at the right edge of the box (x 127), the cursor image centred on
        // it, between the frame's top and bottom.
        DrawRecordingCanvas canvas;
        field->DrawNode();
        std::vector<sDrawCall> const carets = canvas.CallsWith(AutoResource<IImage>("Caret").Get());
        ASSERT_EQ(1u, carets.size());
        EXPECT_EQ(Rect<float>(126.0f, 24.0f, 3.0f, 12.0f), carets[0].rect);
    }

    LoadLayout(L"Otro", L"<texteditnode width=\"50\" textalign=\"Right\" passwordCharacter=\"\"/>");
    TextEditNode* plain = dynamic_cast<TextEditNode*>(Instantiate(L"Otro"));
    ASSERT_NE(nullptr, plain);
    EXPECT_EQ(TextEditNode::kAlignLeft, plain->GetAlignment());
    EXPECT_EQ(L'*', plain->GetPasswordCharacter());
    EXPECT_EQ(TextEditNode::kNoCharacterLimit, plain->GetMaxCharacterCount());
}

TEST_F(TextEditNodeTest, AFieldWithoutFontOrImagesTakesTextButDrawsNoText)
{
    LoadLayout(L"Vacio", L"<texteditnode width=\"50\" font=\"NoExiste\" fieldImages=\"NoExiste\" "
                         L"cursorImage=\"NoExiste\"/>");
    TextEditNode* field = dynamic_cast<TextEditNode*>(Instantiate(L"Vacio"));
    ASSERT_NE(nullptr, field);
    EXPECT_EQ(50.0f, field->GetWidth());
    EXPECT_EQ(0.0f, field->GetHeight());
    field->Focus();
    Type(L"hola");
    EXPECT_EQ(std::wstring(L"hola"), field->GetValue());
    DrawRecordingCanvas canvas;
    field->DrawNode();
    EXPECT_TRUE(canvas.calls.empty());
}
