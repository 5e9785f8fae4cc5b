#include <gtest/gtest.h>

#include "2DEngine/Source/Widgets/ButtonObject.h"
#include "2DEngine/Source/Widgets/SpriteObjects.h"
#include "2DEngine/Tests/Widgets/DesignerTestSupport.h"

using namespace Corvane;
using namespace DesignerTesting;

namespace
{

class DesignerObjectsTest : public DesignerFixture
{
protected:
    ButtonObject* Go() { return Named<ButtonObject>("Go"); }
    Rect<float> GoBounds() { return Go()->GetBounds(); }
    void Drag(int fromX, int fromY, int toX, int toY)
    {
        Move(fromX, fromY);
        Press(fromX, fromY);
        Move(toX, toY);
        Release(toX, toY);
        Frame();
    }

    std::unique_ptr<CanvasScope> canvasScope;
};

} // namespace

TEST_F(DesignerObjectsTest, OpeningWidensTheWindowFramesLiveObjectsAndClosingRestores)
{
    // An object of the instance destroyed before opening gets no frame.
    Database()->DestroyObject(Named<Object>("Pic")->GetID());
    Frame();
    ObjectID const surface = Open();
    ASSERT_NE(kInvalidObjectID, surface);
    EXPECT_EQ(kInvalidObjectID, Open()) << "one designer at a time";
    EXPECT_TRUE(IsLayoutDesignerOpen());

    sWindowConfig const wide = Window::GetConfig();
    EXPECT_EQ(kWindowMode_Windowed, wide.mode);
    EXPECT_EQ(2u, wide.aspectLock);
    EXPECT_EQ(1024, wide.width);
    EXPECT_EQ(600, wide.height);
    EXPECT_EQ(3u, Database()->GetObjectsWithRole(DesignerObject::GetRoleLabel()).size());
    EXPECT_EQ(nullptr, FrameOf("Pic"));
    ASSERT_NE(nullptr, Column());
    EXPECT_FLOAT_EQ(800.0f, PropertyListEditorObject::GetColumnRect().x);

    Database()->DestroyObject(surface);
    Frame();
    EXPECT_FALSE(IsLayoutDesignerOpen());
    EXPECT_EQ(800, Window::GetConfig().width);
    EXPECT_EQ(1u, Window::GetConfig().aspectLock);
    EXPECT_EQ(nullptr, Column());
    EXPECT_TRUE(Database()->GetObjectsWithRole(DesignerObject::GetRoleLabel()).empty());
}

TEST_F(DesignerObjectsTest, ActionsByPointWithAFivePixelMarginCornersFirst)
{
    Open();
    Frame();
    DesignerObject* frame = FrameOf("Go");
    Rect<float> const r(100, 50, 100, 40);
    EXPECT_EQ(0, frame->GetMouseMoveAction(r, 99, 60));
    EXPECT_EQ(0, frame->GetMouseMoveAction(r, 200, 60)) << "the right edge is outside";
    EXPECT_EQ(0, frame->GetMouseMoveAction(r, 150, 90)) << "the bottom edge is outside";
    EXPECT_EQ(2, frame->GetMouseMoveAction(r, 100, 50));
    EXPECT_EQ(3, frame->GetMouseMoveAction(r, 150, 54));
    EXPECT_EQ(1, frame->GetMouseMoveAction(r, 150, 55));
    EXPECT_EQ(4, frame->GetMouseMoveAction(r, 199, 50));
    EXPECT_EQ(5, frame->GetMouseMoveAction(r, 196, 70));
    EXPECT_EQ(1, frame->GetMouseMoveAction(r, 195, 70));
    EXPECT_EQ(6, frame->GetMouseMoveAction(r, 199, 89));
    EXPECT_EQ(7, frame->GetMouseMoveAction(r, 150, 86));
    EXPECT_EQ(8, frame->GetMouseMoveAction(r, 100, 89));
    EXPECT_EQ(9, frame->GetMouseMoveAction(r, 104, 70));
    // Narrower than ten pixels: top and left win.
    EXPECT_EQ(2, frame->GetMouseMoveAction(Rect<float>(0, 0, 6, 6), 3, 3));
    // A text sprite has only a location: it can only be moved.
    EXPECT_EQ(1, FrameOf("Caption")->GetMouseMoveAction(Rect<float>(300, 20, 10, 10), 300, 20));
}

TEST_F(DesignerObjectsTest, DragsMoveAndResizeExactlyNeverBelowOnePixel)
{
    Open();
    Frame();
    // A move keeps the grab offset.
    Drag(150, 70, 180, 95);
    EXPECT_EQ(Rect<float>(130, 75, 100, 40), GoBounds());
    EXPECT_TRUE(FrameOf("Go")->IsSelected());
    EXPECT_EQ(FrameOf("Go"), Database()->GetFocus());
    EXPECT_EQ(nullptr, Database()->GetCapture()) << "the capture ends with the release";

    // The right edge dragged left past the left edge leaves 1 pixel at the same left.
    Drag(228, 95, 20, 95);
    EXPECT_EQ(Rect<float>(130, 75, 1, 40), GoBounds());

    Go()->SetBounds(Rect<float>(100, 50, 100, 40));
    // The top-left corner follows the pointer; the bottom-right corner stays.
    Drag(101, 51, 121, 61);
    EXPECT_EQ(Rect<float>(121, 61, 79, 29), GoBounds());
    // Past the bottom-right corner it stops at 1 by 1 against it.
    Drag(121, 61, 500, 500);
    EXPECT_EQ(Rect<float>(199, 89, 1, 1), GoBounds());

    Go()->SetBounds(Rect<float>(100, 50, 100, 40));
    // The bottom edge: the height follows, the top stays.
    Drag(150, 88, 150, 120);
    EXPECT_EQ(Rect<float>(100, 50, 100, 71), GoBounds());
}

TEST_F(DesignerObjectsTest, ATextSpriteShowsATenPixelFrameThatMovesButNeverResizes)
{
    Open();
    Frame();
    DesignerObject* frame = FrameOf("Caption");
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ(Rect<float>(300, 20, 10, 10), frame->GetBounds());
    // Grabbed at its bottom-right pixel, where a control would resize.
    Drag(309, 29, 409, 129);
    EXPECT_EQ(Vector2<float>(400, 120), Named<TextSpriteObject>("Caption")->GetLocation());
    EXPECT_EQ(Rect<float>(400, 120, 10, 10), frame->GetBounds());
}

TEST_F(DesignerObjectsTest, OnlyTheSelectedFrameTakesKeysAndArrowsMoveItOnePixel)
{
    Open();
    Frame();
    DesignerObject* go = FrameOf("Go");
    DesignerObject* caption = FrameOf("Caption");
    // Unselected frames take no key; the surface takes them all.
    EXPECT_EQ(0, go->OnKeyDown(37));
    EXPECT_EQ(0, go->OnKeyUp(37));

    Click(150, 70);
    Frame();
    EXPECT_EQ(1, Key(39));
    EXPECT_EQ(1, Key(40));
    EXPECT_EQ(1, Key(40));
    EXPECT_EQ(1, Key(37));
    EXPECT_EQ(1, Key(38));
    EXPECT_EQ(Rect<float>(100, 51, 100, 40), GoBounds());
    EXPECT_EQ(1, go->OnKeyDown(65));
    EXPECT_EQ(1, go->OnTextInput(L"a"));
    EXPECT_EQ(0, caption->OnKeyDown(37));

    // F9 goes to the selected frame and does nothing there.
    EXPECT_EQ(1, Key(120));
    Frame();
    EXPECT_TRUE(IsLayoutDesignerOpen());

    // A click on the empty surface clears the focus, the selection and the column.
    Click(600, 550);
    Frame();
    EXPECT_EQ(nullptr, Database()->GetFocus());
    EXPECT_FALSE(go->IsSelected());
    EXPECT_TRUE(Rows().empty());

    // Now F9 reaches the surface and closes the designer; the edits stay.
    EXPECT_EQ(1, Key(120));
    Frame();
    EXPECT_FALSE(IsLayoutDesignerOpen());
    EXPECT_EQ(Rect<float>(100, 51, 100, 40), GoBounds());
}

TEST_F(DesignerObjectsTest, ClosingAlsoRemovesTheRowsAndTheirWidgets)
{
    ObjectID const surface = Open();
    Frame();
    Click(150, 70);
    Frame();
    ASSERT_FALSE(Rows().empty());
    std::vector<ObjectID> children;
    for (PropertyEditorObject* row : Rows())
        children.insert(children.end(), row->GetChildren().begin(), row->GetChildren().end());
    ASSERT_FALSE(children.empty());

    Database()->DestroyObject(surface);
    Frame();
    EXPECT_TRUE(Rows().empty());
    for (ObjectID child : children)
        EXPECT_EQ(nullptr, Database()->GetObject(child));
}

TEST_F(DesignerObjectsTest, ATargetDestroyedWhileOpenLeavesASmallFrameAndNoRows)
{
    Open();
    Frame();
    Click(150, 70);
    Frame();
    DesignerObject* go = FrameOf("Go");
    ASSERT_FALSE(Rows().empty());

    Database()->DestroyObject(Go()->GetID());
    Frame();
    Frame();
    EXPECT_EQ(nullptr, go->GetTarget());
    EXPECT_EQ(Rect<float>(0, 0, 5, 5), go->GetBounds());
    EXPECT_TRUE(Rows().empty());
    // Moves and keys on it reach nothing.
    Key(39);
    Drag(2, 2, 50, 50);
    Frame();
    EXPECT_TRUE(go->CreatePropertyEditors().empty());
}

TEST_F(DesignerObjectsTest, FramesAreGreyAndRedWhenSelected)
{
    Open();
    Frame();
    canvasScope.reset(new CanvasScope());
    canvasScope->canvas.offersLines = true;
    FrameOf("Go")->Draw();
    EXPECT_EQ(4, canvasScope->canvas.lines);
    Click(150, 70);
    FrameOf("Go")->Draw();
    EXPECT_EQ(4 + 8, canvasScope->canvas.lines);
    canvasScope.reset();
}
