// The list and the tree: selection by keys and clicks, double clicks,
// scrolling, item data, and the tree's flattened order.

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/SystemServices.h"
#include "2DEngine/Source/Graphics/KeyNames.h"
#include "2DEngine/Source/Widgets/ListObjects.h"
#include "2DEngine/Tests/Widgets/ControlTestSupport.h"

using namespace Corvane;
using namespace ControlTesting;

namespace
{

// Time stands still unless a test moves it.
class StillClock : public ISystemServices
{
public:
    uint64_t GetTimeUS() override { return nowUS; }
    void Sleep(uint32_t milliseconds) override { nowUS += uint64_t(milliseconds) * 1000; }
    std::wstring GetCommandLine() override { return L""; }
    uint64_t nowUS = 5000000;
};

class ListObjectsTest : public ControlFixture
{
protected:
    void SetUp() override
    {
        ControlFixture::SetUp();
        mSaved = Internal::SetSystemServices(&clock);
    }
    void TearDown() override
    {
        Internal::SetSystemServices(mSaved);
        ControlFixture::TearDown();
    }

    // At (10, 10), 100 x 60 without a frame: 18-high rows, three of them full.
    ListObject* MakeList(int count)
    {
        ListObject* const list = Add(new ListObject(Label::GetUniqueString("Lista"), 1.0f, Vector2<float>(10, 10),
                                                    nullptr, 100.0f, 60.0f, TheFont(), ColorF(0, 0, 0, 1)));
        for (int i = 0; i < count; ++i)
            list->AddItem(std::to_wstring(i).c_str(), reinterpret_cast<void*>(static_cast<intptr_t>(i + 1)));
        Frame();
        return list;
    }

    StillClock clock;

private:
    ISystemServices* mSaved = nullptr;
};

} // namespace

TEST_F(ListObjectsTest, DownSelectsTheFirstItemUpAtTheTopSendsNothing)
{
    ListObject* const list = MakeList(3);
    EXPECT_EQ(0, Key(kKey_Down));
    list->Focus();
    EXPECT_EQ(1, Key(kKey_Down));
    EXPECT_EQ(0, list->GetSelectedItem());
    EXPECT_EQ((Names{"ListSelectionChange"}), recorder->Take());
    EXPECT_EQ(1, Key(kKey_Up));
    EXPECT_TRUE(recorder->Take().empty());
    // Selecting the selected item still tells.
    list->SelectItem(0);
    EXPECT_EQ((Names{"ListSelectionChange"}), recorder->Take());
}

TEST_F(ListObjectsTest, ASecondClickInTimeIsADoubleClick)
{
    ListObject* const list = MakeList(3);
    EXPECT_EQ(1, Press(20, 15));
    EXPECT_TRUE(list->HasFocus());
    clock.nowUS += 100000;
    Press(20, 15);
    EXPECT_EQ((Names{"ListSelectionChange", "ListSelectionChange", "ListItemDoubleClick"}), recorder->Take());
    // Another item first never counts; nor does a second click too late.
    Press(20, 30);
    clock.nowUS += 100000;
    Press(20, 15);
    clock.nowUS += uint64_t(GetDoubleClickTime() + 1) * 1000;
    Press(20, 15);
    EXPECT_EQ((Names{"ListSelectionChange", "ListSelectionChange", "ListSelectionChange"}), recorder->Take());
    // Outside the list the focus stays where it is.
    list->ScrollTo(1);
    Database()->SetFocus(nullptr);
    EXPECT_EQ(0, Press(300, 300));
    EXPECT_FALSE(list->HasFocus());
}

TEST_F(ListObjectsTest, ScrollingAndItemData)
{
    ListObject* const list = MakeList(4);
    list->ScrollTo(10);
    EXPECT_EQ(3, list->GetFirstVisibleItem());
    list->ScrollTo(-1);
    EXPECT_EQ(3, list->GetFirstVisibleItem());
    ListObject* const five = MakeList(5);
    EXPECT_EQ(nullptr, five->GetItemData(5));
    EXPECT_EQ(nullptr, five->GetItemData(-1));
    EXPECT_EQ(3, five->FindItem(reinterpret_cast<void*>(4)));
    EXPECT_EQ(-1, five->FindItem(nullptr));
}

TEST_F(ListObjectsTest, DownPastTheLastFullRowScrolls)
{
    ListObject* const list = MakeList(6);
    EXPECT_EQ(3, list->GetVisibleItemCount());
    list->Focus();
    for (int i = 0; i < 4; ++i)
        Key(kKey_Down);
    EXPECT_EQ(3, list->GetSelectedItem());
    EXPECT_EQ(1, list->GetFirstVisibleItem());
    CanvasScope scope;
    list->Draw();
    // Rows 1 to 3 and the part of row 4 above the bottom, the selection filled.
    ASSERT_EQ(4u, scope.canvas.texts.size());
    EXPECT_EQ(L"1", scope.canvas.texts[0].text);
    EXPECT_EQ(1u, scope.canvas.rects.size());
}

TEST_F(ListObjectsTest, TheTreeFlattensDepthFirst)
{
    TreeObject* const tree = Add(new TreeObject(Label::GetUniqueString("Arbol")));
    TreeNode* const a = tree->AddNode(L"A");
    TreeNode* const a1 = a->AddNode(L"A1");
    a->AddNode(L"A2");
    TreeNode* const b = tree->AddNode(L"B");
    EXPECT_EQ(1, a1->GetDepth());
    EXPECT_EQ(4u, tree->GetFlattenedNodeCount());
    EXPECT_EQ(a1, tree->GetFlattenedNode(1));
    EXPECT_EQ(b, tree->GetFlattenedNode(3));
    EXPECT_EQ(nullptr, tree->GetFlattenedNode(4));
    EXPECT_EQ(nullptr, tree->GetNode(2));

    tree->SetFont(TheFont());
    tree->SetBounds(Rect<float>(0.0f, 0.0f, 200.0f, 200.0f));
    Frame();
    // Rows are 18 high: the third is A2, indented by 10.
    EXPECT_EQ(0, Press(5, 40));
    EXPECT_EQ(1, Press(15, 40));
    EXPECT_TRUE(tree->GetFlattenedNode(2)->IsSelected());
    EXPECT_FALSE(tree->HasFocus());
    tree->SelectNode(nullptr);
    EXPECT_EQ(nullptr, tree->GetSelectedNode());
    EXPECT_EQ((Names{"TreeSelectionChange", "TreeSelectionChange"}), recorder->Take());
}
