// Node grids as screens use them: children placed in wrapping rows or columns from
// their composite size, the grid sized to the result, and the re-flow when a child
// is attached or detached.

#include "CorvaneExtensions/Tests/Scene/ControlTestSupport.h"

#include "CorvaneExtensions/Source/NodeGridNode.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace ControlTesting;

namespace
{

class NodeGridNodeTest : public ControlFixture
{
protected:
    // A plain node of that size, for placing in grids.
    static SceneNode* Box(float width, float height)
    {
        SceneNode* node = new SceneNode();
        node->SetWidth(width);
        node->SetHeight(height);
        return node;
    }

    NodeGridNode* FromLayout(std::wstring const& element)
    {
        std::wstring const name = L"Rejilla" + std::to_wstring(++mLayouts);
        LoadLayout(name, element);
        return dynamic_cast<NodeGridNode*>(Instantiate(name.c_str()));
    }

    static std::vector<Vector2<float>> Places(SceneNode* grid)
    {
        std::vector<Vector2<float>> places;
        for (SceneNode* child : grid->GetChildren())
            places.push_back(child->LocalGetLocation());
        return places;
    }

    int mLayouts = 0;
};

typedef Vector2<float> V;

} // namespace

TEST_F(NodeGridNodeTest, RowsWrapAtTheMaximumWidth)
{
    NodeGridNode* grid = FromLayout(L"<nodegridnode x=\"30\" y=\"40\" maxWidth=\"120\" hSpacing=\"10\" vSpacing=\"5\">"
                                    L"<scenenode width=\"50\" height=\"20\" x=\"99\"/>"
                                    L"<scenenode width=\"50\" height=\"20\"/>"
                                    L"<scenenode width=\"50\" height=\"20\"/></nodegridnode>");
    ASSERT_NE(nullptr, grid);
    EXPECT_EQ((std::vector<V>{V(0, 0), V(60, 0), V(0, 25)}), Places(grid));
    EXPECT_EQ(110.0f, grid->GetWidth());
    EXPECT_EQ(45.0f, grid->GetHeight());
    // The children sit inside the grid on screen.
    EXPECT_EQ(Rect<float>(30, 65, 50, 20), grid->GetChildren().back()->GlobalGetBounds());
}

TEST_F(NodeGridNodeTest, WithoutAMaximumEverythingLiesInOneRowOrColumn)
{
    NodeGridNode* row = FromLayout(L"<nodegridnode hSpacing=\"4\"><scenenode width=\"10\" height=\"5\"/>"
                                   L"<scenenode width=\"20\" height=\"15\"/><scenenode width=\"30\" height=\"8\"/>"
                                   L"</nodegridnode>");
    ASSERT_NE(nullptr, row);
    EXPECT_EQ((std::vector<V>{V(0, 0), V(14, 0), V(38, 0)}), Places(row));
    EXPECT_EQ(68.0f, row->GetWidth());
    EXPECT_EQ(15.0f, row->GetHeight());

    NodeGridNode* column = FromLayout(L"<nodegridnode gridGrowBehavior=\"verticalFirst\" vSpacing=\"2\">"
                                      L"<scenenode width=\"10\" height=\"5\"/><scenenode width=\"20\" height=\"15\"/>"
                                      L"</nodegridnode>");
    ASSERT_NE(nullptr, column);
    EXPECT_EQ(NodeGridNode::kVerticalFirst, column->GetGrowBehavior());
    EXPECT_EQ((std::vector<V>{V(0, 0), V(0, 7)}), Places(column));
    EXPECT_EQ(20.0f, column->GetWidth());
    EXPECT_EQ(22.0f, column->GetHeight());
}

TEST_F(NodeGridNodeTest, ColumnsWrapAtTheMaximumHeight)
{
    NodeGridNode* grid = FromLayout(L"<nodegridnode gridGrowBehavior=\"verticalFirst\" maxHeight=\"50\" hSpacing=\"3\" "
                                    L"vSpacing=\"4\"><scenenode width=\"10\" height=\"20\"/>"
                                    L"<scenenode width=\"12\" height=\"20\"/><scenenode width=\"8\" height=\"20\"/>"
                                    L"<scenenode width=\"6\" height=\"20\"/></nodegridnode>");
    ASSERT_NE(nullptr, grid);
    // The column width is the widest child so far, over all columns.
    EXPECT_EQ((std::vector<V>{V(0, 0), V(0, 24), V(15, 0), V(15, 24)}), Places(grid));
    EXPECT_EQ(27.0f, grid->GetWidth());
    EXPECT_EQ(44.0f, grid->GetHeight());
}

TEST_F(NodeGridNodeTest, DetachingAChildMovesTheFollowingOnesUp)
{
    NodeGridNode* grid = Add(new NodeGridNode(10.0f, 5.0f, 120.0f, -1.0f, NodeGridNode::kHorizontalFirst));
    SceneNode* first = Box(50, 20);
    SceneNode* second = Box(50, 20);
    SceneNode* third = Box(50, 20);
    scene->Add(first, grid);
    scene->Add(second, grid);
    scene->Add(third, grid);
    EXPECT_EQ(V(0, 25), third->LocalGetLocation());
    EXPECT_EQ(45.0f, grid->GetHeight());

    first->DetachFromParent();
    EXPECT_EQ(V(0, 0), second->LocalGetLocation());
    EXPECT_EQ(V(60, 0), third->LocalGetLocation());
    EXPECT_EQ(110.0f, grid->GetWidth());
    EXPECT_EQ(20.0f, grid->GetHeight());

    // A destroyed child leaves the grid the same way.
    second->DestroySelf();
    Frame();
    ASSERT_EQ(1u, grid->GetChildCount());
    EXPECT_EQ(V(0, 0), third->LocalGetLocation());
    EXPECT_EQ(50.0f, grid->GetWidth());

    first->DestroySelf();
    Frame();
    third->DetachFromParent();
    EXPECT_EQ(0.0f, grid->GetWidth());
    EXPECT_EQ(0.0f, grid->GetHeight());
    third->DestroySelf();
}

TEST_F(NodeGridNodeTest, ChildrenCountWithTheirDescendantsAndTheirScale)
{
    NodeGridNode* grid = Add(new NodeGridNode(0.0f, 0.0f, -1.0f, -1.0f, NodeGridNode::kHorizontalFirst));
    // A 10 x 10 node whose child reaches 30 pixels further right.
    SceneNode* wide = Box(10, 10);
    SceneNode* arm = Box(10, 10);
    arm->LocalSetLocation(30.0f, 0.0f);
    wide->AttachChild(arm);
    scene->Add(wide, grid);
    SceneNode* scaled = Box(10, 10);
    scaled->LocalSetScale(Vector2<float>(2.0f, 3.0f));
    scene->Add(scaled, grid);
    scene->Add(Box(5, 5), grid);
    EXPECT_EQ((std::vector<V>{V(0, 0), V(40, 0), V(60, 0)}), Places(grid));
    EXPECT_EQ(65.0f, grid->GetWidth());
    EXPECT_EQ(30.0f, grid->GetHeight());
}

TEST_F(NodeGridNodeTest, ARowHeightIsTheTallestSoFarAndAnOverwideFirstChildLeavesAnEmptyRow)
{
    NodeGridNode* grid = FromLayout(L"<nodegridnode maxWidth=\"40\" vSpacing=\"5\">"
                                    L"<scenenode width=\"50\" height=\"20\"/>"
                                    L"<scenenode width=\"20\" height=\"8\"/><scenenode width=\"20\" height=\"8\"/>"
                                    L"<scenenode width=\"20\" height=\"8\"/></nodegridnode>");
    ASSERT_NE(nullptr, grid);
    // The first child does not fit even alone: it moves one gap down.
    EXPECT_EQ((std::vector<V>{V(0, 5), V(0, 30), V(20, 30), V(0, 55)}), Places(grid));
    EXPECT_EQ(50.0f, grid->GetWidth());
    EXPECT_EQ(75.0f, grid->GetHeight());
}

TEST_F(NodeGridNodeTest, UnknownGrowBehaviourWordsAreHorizontal)
{
    NodeGridNode* grid = FromLayout(L"<nodegridnode gridGrowBehavior=\"VerticalFirst\"><scenenode width=\"10\" "
                                    L"height=\"10\"/><scenenode width=\"10\" height=\"10\"/></nodegridnode>");
    ASSERT_NE(nullptr, grid);
    EXPECT_EQ(NodeGridNode::kHorizontalFirst, grid->GetGrowBehavior());
    EXPECT_EQ(-1.0f, grid->GetMaxWidth());
    EXPECT_EQ(-1.0f, grid->GetMaxHeight());
    EXPECT_EQ(V(10, 0), grid->GetChildren().back()->LocalGetLocation());

    // A behaviour outside the two leaves the children where they are.
    NodeGridNode* odd = Add(new NodeGridNode(0.0f, 0.0f, -1.0f, -1.0f, 7));
    SceneNode* box = Box(10, 10);
    box->LocalSetLocation(3.0f, 4.0f);
    scene->Add(box, odd);
    EXPECT_EQ(V(3, 4), box->LocalGetLocation());
    EXPECT_EQ(0.0f, odd->GetWidth());
}
