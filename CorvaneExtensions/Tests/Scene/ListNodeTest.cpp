// The list node as screens use it: line geometry and the visible count, clicks on
// lines (partly shown, blank, hidden list), the keyboard adjust mode with its
// scrolling, colours of the drawn lines, and layouts.

#include "CorvaneExtensions/Tests/Scene/ControlTestSupport.h"

#include "CorvaneExtensions/Source/ListNode.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace ControlTesting;

namespace
{

ColorF const kWhite(1, 1, 1, 1);
ColorF const kYellow(1, 1, 0, 1);

class ListNodeTest : public ControlFixture
{
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        frame = MakeImageList(9, 4, 4);
    }

    // At (50, 40), 200 x 48 inside a frame 4 thick: the interior is (54, 44, 192, 40)
    // and lines are 14 high, so two are whole and a third shows 12 of its 14.
    ListNode* MakeList(std::vector<wchar_t const*> const& items)
    {
        ListNode* list = new ListNode(Label(), Vector2<float>(50, 40), frame.get(), 200.0f, 48.0f, &font, kWhite,
                                      kYellow);
        for (wchar_t const* item : items)
            list->AddItem(ListNode::ListItem(item, nullptr));
        return Add(list);
    }

    // The colours of the text lines drawn, one per line, from the glyph calls.
    std::vector<ColorF> LineColors(ListNode* list)
    {
        DrawRecordingCanvas canvas;
        list->DrawNode();
        std::vector<ColorF> colors;
        float lastY = -1.0f;
        for (sDrawCall const& call : canvas.calls)
        {
            if (call.state.font && call.y != lastY)
            {
                colors.push_back(call.state.color);
                lastY = call.y;
            }
        }
        return colors;
    }

    FixedFont font;
    std::unique_ptr<ImageList> frame;
};

std::vector<wchar_t const*> const kNames = {L"Ana", L"Bea", L"Carlos", L"Dani", L"\u00cd\u00f1igo"};

} // namespace

// --- geometry -------------------------------------------------------------------------

TEST_F(ListNodeTest, TwoWholeLinesFitAFortyHighInteriorWithATwelveHighFont)
{
    ListNode* list = MakeList(kNames);
    EXPECT_EQ(Rect<float>(54, 44, 192, 40), list->GetInteriorRect());
    EXPECT_EQ(14.0f, list->GetLineHeight());
    EXPECT_EQ(Rect<float>(54, 58, 192, 14), list->GetItemRect(1));
    EXPECT_EQ(Rect<float>(54, 72, 192, 12), list->GetItemRect(2));
    EXPECT_GT(0.0f, list->GetItemRect(3).height);
    EXPECT_EQ(2, list->GetVisibleItemCount());

    ListNode* shortList = MakeList({L"Solo"});
    EXPECT_EQ(1, shortList->GetVisibleItemCount());
}

// --- mouse ----------------------------------------------------------------------------

TEST_F(ListNodeTest, AClickSelectsTheLineUnderThePointerWithAnyButton)
{
    ListNode* list = MakeList(kNames);
    EXPECT_EQ(1, Press(60, 58, kMouseButtonSecondary));
    EXPECT_EQ(1, list->GetSelectedIndex());
    ASSERT_EQ(1u, recorder->noted.size());
    EXPECT_EQ("ListSelectionChange", recorder->noted[0].message);
    EXPECT_EQ(list->GetID(), recorder->noted[0].sender);
    recorder->noted.clear();

    // The line cut by the frame's bottom still takes clicks on its visible part.
    EXPECT_EQ(1, Press(60, 83));
    EXPECT_EQ(2, list->GetSelectedIndex());
    EXPECT_EQ(0, Press(60, 84));
    EXPECT_EQ(2, list->GetSelectedIndex());
    // The same line again is announced again.
    Press(60, 80);
    EXPECT_EQ(Names(2, "ListSelectionChange"), recorder->Take());
}

TEST_F(ListNodeTest, ClickingABlankLineBelowTheLastItemSelectsNothing)
{
    ListNode* list = MakeList({L"Uno"});
    EXPECT_EQ(0, Press(60, 60));
    EXPECT_EQ(-1, list->GetSelectedIndex());
    EXPECT_TRUE(recorder->Take().empty());
}

// The scene offers clicks and keys to every node, shown or not.
TEST_F(ListNodeTest, AHiddenListStillTakesClicksAndKeys)
{
    ListNode* list = MakeList(kNames);
    list->LocalSetVisible(false);
    Frame();
    EXPECT_EQ(1, Press(60, 50));
    EXPECT_EQ(0, list->GetSelectedIndex());
    list->Focus();
    EXPECT_EQ(1, Key(512));
    EXPECT_TRUE(list->IsInAdjustMode());
    EXPECT_EQ((Names{"ListSelectionChange"}), recorder->Take());
}

// --- keys -----------------------------------------------------------------------------

TEST_F(ListNodeTest, AnEmptyListCannotTakeTheFocusAndIgnoresKeys)
{
    ListNode* list = MakeList({});
    EXPECT_FALSE(list->CanFocus());
    list->Focus();
    EXPECT_EQ(0, Key(512));
    EXPECT_EQ(0, Key(40));
    EXPECT_FALSE(list->IsInAdjustMode());
    list->AddItem(ListNode::ListItem(L"Nuevo", nullptr));
    EXPECT_TRUE(list->CanFocus());
}

TEST_F(ListNodeTest, UpAndDownMoveTheSelectionOnlyInTheAdjustMode)
{
    ListNode* list = MakeList(kNames);
    list->Focus();
    EXPECT_EQ(0, Key(40));
    EXPECT_EQ(1, Key(512));
    EXPECT_EQ(0, Key(39));

    EXPECT_EQ(1, Key(40));
    EXPECT_EQ(0, list->GetSelectedIndex());
    Key(40);
    EXPECT_EQ(0, list->GetFirstVisibleIndex());
    Key(40);
    EXPECT_EQ(2, list->GetSelectedIndex());
    EXPECT_EQ(1, list->GetFirstVisibleIndex());
    Key(40);
    Key(40);
    EXPECT_EQ(4, list->GetSelectedIndex());
    EXPECT_EQ(3, list->GetFirstVisibleIndex());
    EXPECT_EQ(Names(5, "ListSelectionChange"), recorder->Take());

    // At the last item: handled, nothing sent.
    EXPECT_EQ(1, Key(40));
    EXPECT_EQ(4, list->GetSelectedIndex());
    EXPECT_TRUE(recorder->Take().empty());

    Key(38);
    EXPECT_EQ(3, list->GetFirstVisibleIndex());
    Key(38);
    EXPECT_EQ(2, list->GetSelectedIndex());
    EXPECT_EQ(2, list->GetFirstVisibleIndex());
    Key(38);
    Key(38);
    EXPECT_EQ(0, list->GetSelectedIndex());
    EXPECT_EQ(0, list->GetFirstVisibleIndex());
    EXPECT_EQ(1, Key(38));
    EXPECT_EQ(Names(4, "ListSelectionChange"), recorder->Take());

    EXPECT_EQ(1, Key(513));
    EXPECT_FALSE(list->IsInAdjustMode());
    EXPECT_EQ(0, Key(513));
}

TEST_F(ListNodeTest, TheFirstDownWithoutASelectionReturnsToTheTop)
{
    ListNode* list = MakeList(kNames);
    list->Focus();
    Key(512);
    for (int i = 0; i < 5; ++i)
        Key(40);
    EXPECT_EQ(3, list->GetFirstVisibleIndex());
    list->SelectItem(-1);
    Key(40);
    EXPECT_EQ(0, list->GetSelectedIndex());
    EXPECT_EQ(0, list->GetFirstVisibleIndex());
}

TEST_F(ListNodeTest, LostFocusEndsTheAdjustMode)
{
    ListNode* list = MakeList(kNames);
    list->Focus();
    Key(512);
    scene->Database()->SendMessage(ObjectMessage(12345, Label::GetUniqueString("LostFocus")));
    EXPECT_FALSE(list->IsInAdjustMode());
}

// --- drawing --------------------------------------------------------------------------

TEST_F(ListNodeTest, TheSelectionIsDrawnInItsColourAndInCyanWhileAdjusting)
{
    ListNode* list = MakeList(kNames);
    list->LocalSetAlpha(0.5f);
    Frame();
    list->SelectItem(1);
    std::vector<ColorF> colors = LineColors(list);
    ASSERT_EQ(3u, colors.size());
    EXPECT_EQ(ColorF(1, 1, 1, 0.5f), colors[0]);
    EXPECT_EQ(ColorF(1, 1, 0, 0.5f), colors[1]);
    EXPECT_EQ(ColorF(1, 1, 1, 0.5f), colors[2]);

    list->Focus();
    Key(512);
    colors = LineColors(list);
    ASSERT_EQ(3u, colors.size());
    EXPECT_EQ(ColorF(0, 1, 1, 0.5f), colors[1]);
}

TEST_F(ListNodeTest, LinesAreClippedToTheirRectangles)
{
    ListNode* list = MakeList(kNames);
    DrawRecordingCanvas canvas;
    list->DrawNode();
    std::vector<Rect<int>> clips;
    for (sDrawCall const& call : canvas.calls)
    {
        if (call.state.font && (clips.empty() || !(clips.back() == call.state.clip)))
            clips.push_back(call.state.clip);
    }
    ASSERT_EQ(3u, clips.size());
    EXPECT_EQ(Rect<int>(54, 44, 192, 14), clips[0]);
    EXPECT_EQ(Rect<int>(54, 72, 192, 12), clips[2]);
}

TEST_F(ListNodeTest, AFocusedListOutsideTheAdjustModeIsHighlighted)
{
    ListNode* list = MakeList(kNames);
    list->Focus();
    DrawRecordingCanvas canvas;
    list->DrawNode();
    int fills = 0;
    for (sDrawCall const& call : canvas.calls)
    {
        if (call.kind == "fill" && call.rect == Rect<float>(50, 40, 200, 48))
        {
            ++fills;
            EXPECT_FLOAT_EQ(0.15f, call.state.color.a);
        }
    }
    EXPECT_EQ(1, fills);
}

// --- layouts --------------------------------------------------------------------------

TEST_F(ListNodeTest, ALayoutListReadsItsColoursAndSurvivesMissingResources)
{
    LoadManifest(L"<testimages name=\"Marco\" count=\"9\" width=\"5\" height=\"5\"/>"
                 L"<testfont name=\"Letra\" glyphHeight=\"10\"/>",
                 L"Recursos");
    LoadLayout(L"Perfiles", L"<scenenode>"
                            L"<listnode nodeName=\"Lista\" x=\"20\" y=\"30\" width=\"150\" height=\"60\" "
                            L"images=\"Marco\" font=\"Letra\" textColor=\"#FF000080\" selectedTextColor=\"#00FF00\"/>"
                            L"<listnode nodeName=\"Rota\" x=\"300\" y=\"30\" width=\"100\" height=\"60\" "
                            L"images=\"NoHay\" font=\"Tampoco\" textColor=\"rojo\"/>"
                            L"</scenenode>");
    SceneNode* root = Instantiate(L"Perfiles");
    ASSERT_NE(nullptr, root);
    auto* list = dynamic_cast<ListNode*>(root->GetChildByName(Label::GetUniqueString("Lista")));
    auto* broken = dynamic_cast<ListNode*>(root->GetChildByName(Label::GetUniqueString("Rota")));
    ASSERT_TRUE(list && broken);
    EXPECT_EQ(ColorF::FromString(L"#FF000080"), list->GetTextColor());
    EXPECT_EQ(ColorF(0, 1, 0, 1), list->GetSelectedTextColor());
    EXPECT_EQ(ColorF(0, 0, 0, 1), broken->GetTextColor());
    EXPECT_EQ(Rect<float>(25, 35, 140, 50), list->GetInteriorRect());
    EXPECT_EQ(4, [&] {
        for (wchar_t const* name : kNames)
            list->AddItem(ListNode::ListItem(name, nullptr));
        return list->GetVisibleItemCount();
    }());

    for (wchar_t const* name : kNames)
        broken->AddItem(ListNode::ListItem(name, nullptr));
    EXPECT_EQ(0, Press(310, 40));
    EXPECT_EQ(-1, broken->GetSelectedIndex());
    DrawRecordingCanvas canvas;
    broken->DrawNode();
    EXPECT_TRUE(canvas.calls.empty());

    ClickAt(30, 50);
    EXPECT_EQ(1, list->GetSelectedIndex());
}
