// Picking items up and dropping them on targets, driven by mouse input through
// a scene mode: sources pick themselves up on a click, targets follow the
// mouse's enter and exit and judge the held item on a click, as the mini-games do.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "CorvaneExtensions/Source/SceneApplicationMode.h"
#include "CorvaneExtensions/Source/SceneLayoutController.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"
#include "qdl/Source/Game/DragAndDrop.h"

using namespace Corvane;
using namespace SceneTesting;

namespace
{

typedef std::vector<std::string> Entries;

// A square node of side 40 at (x, y) that answers hit tests.
SceneNode* Square(float x, float y)
{
    SceneNode* const node = new SceneNode();
    node->LocalSetLocation(x, y);
    node->SetWidth(40);
    node->SetHeight(40);
    node->SetHitTest(true);
    return node;
}

class Brick : public DragSource<Brick*>, public SceneLayoutController
{
public:
    Brick(std::string name_, float x_, float y_) : DragSource<Brick*>(this), name(std::move(name_)), x(x_), y(y_) {}

    SceneNode* GetLayoutNode() override
    {
        SceneNode* const node = Square(x, y);
        node->mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { Drag(); });
        return node;
    }
    void DoOnStartDragging() override { Journal().push_back(name + " start"); }
    void DoOnCancel() override { Journal().push_back(name + " cancel"); }
    void DoOnReleased() override { Journal().push_back(name + " released"); }

    std::string name;
    float x, y;
};

// An item of another kind, which no brick target takes.
class Nail : public DragSource<Nail*>, public SceneLayoutController
{
public:
    Nail() : DragSource<Nail*>(this) {}
    SceneNode* GetLayoutNode() override { return Square(300, 300); }
    void DoOnCancel() override { Journal().push_back("nail cancel"); }
    void DoOnReleased() override { Journal().push_back("nail released"); }
};

class Pallet : public DragTarget<Brick*>, public SceneLayoutController
{
public:
    Pallet(std::string name_, float x_, float y_, std::string accepts_ = std::string())
        : name(std::move(name_)), x(x_), y(y_), accepts(std::move(accepts_))
    {
    }

    SceneNode* GetLayoutNode() override
    {
        SceneNode* const node = Square(x, y);
        node->mouseEnterSignal.connect([this](SceneNode*) { DragEnter(); });
        node->mouseExitSignal.connect([this](SceneNode*) { DragLeave(); });
        node->mouseDownSignal.connect([this](SceneNode*, MouseButton, int, int) { Clicked(); });
        return node;
    }
    void DropActivated(Brick* brick) override { Journal().push_back(name + " takes " + brick->name); }

    std::string name;
    float x, y;
    // Empty: any brick is right.
    std::string accepts;

private:
    void Clicked()
    {
        DragSource<Brick*> const* const held = DragSource<Brick*>::GetHeldDragSource();
        if (!held)
        {
            Journal().push_back(name + " finds nothing held");
            return;
        }
        Brick* const brick = const_cast<Brick*>(static_cast<Brick const*>(held));
        if (!accepts.empty() && brick->name != accepts)
        {
            Journal().push_back(name + " refuses " + brick->name);
            return;
        }
        brick->Release();
    }
};

class DragAndDropTest : public ::testing::Test
{
protected:
    void SetUp() override { Journal().clear(); }

    template <class T>
    T* Add(T* controller)
    {
        controller->AddToScene(scene.Database(), scene.Root());
        return controller;
    }

    // A click at the centre of the square at (x, y), after moving there.
    void ClickAt(float x, float y)
    {
        MoveTo(x, y);
        scene.mode->OnMouseDown(kMouseButtonPrimary, static_cast<int>(x) + 20, static_cast<int>(y) + 20);
        scene.mode->OnMouseUp(kMouseButtonPrimary, static_cast<int>(x) + 20, static_cast<int>(y) + 20);
    }
    void MoveTo(float x, float y)
    {
        scene.mode->Update(0.02f);
        scene.mode->OnMouseMove(static_cast<int>(x) + 20, static_cast<int>(y) + 20);
    }
    void MoveAway() { MoveTo(900, 900); }

    Entries Take()
    {
        Entries taken;
        taken.swap(Journal());
        return taken;
    }

    static Brick* Held() { return static_cast<Brick*>(DragSource<Brick*>::GetHeldDragSource_Mutable()); }
    static DragTarget<Brick*>* Current() { return DragTarget<Brick*>::GetCurrentDragTarget(); }

    SceneModeFixture scene;
};

// --- normal case -----------------------------------------------------------

TEST_F(DragAndDropTest, AClickPicksUpAndAClickOnTheTargetDropsInHookOrder)
{
    Brick* const brick = Add(new Brick("ladrillo", 0, 0));
    Pallet* const pallet = Add(new Pallet("paleta", 100, 0));
    EXPECT_EQ(nullptr, Held());

    ClickAt(0, 0);
    EXPECT_EQ((Entries{"ladrillo start"}), Take());
    EXPECT_EQ(brick, Held());
    EXPECT_EQ(nullptr, Current());

    MoveTo(100, 0);
    EXPECT_EQ(pallet, Current());
    ClickAt(100, 0);
    EXPECT_EQ((Entries{"paleta takes ladrillo", "ladrillo released"}), Take());
    EXPECT_EQ(nullptr, Held());
    // The target stays current until the mouse leaves it.
    EXPECT_EQ(pallet, Current());
    MoveAway();
    EXPECT_EQ(nullptr, Current());
}

TEST_F(DragAndDropTest, PickingUpASecondItemCancelsTheFirstAfterTheSecondStarts)
{
    Add(new Brick("uno", 0, 0));
    Brick* const second = Add(new Brick("dos", 50, 0));
    ClickAt(0, 0);
    Take();
    ClickAt(50, 0);
    EXPECT_EQ((Entries{"dos start", "uno cancel"}), Take());
    EXPECT_EQ(second, Held());
}

TEST_F(DragAndDropTest, PickingUpTheHeldItemAgainStartsCancelsAndKeepsItHeld)
{
    Brick* const brick = Add(new Brick("uno", 0, 0));
    ClickAt(0, 0);
    ClickAt(0, 0);
    EXPECT_EQ((Entries{"uno start", "uno start", "uno cancel"}), Take());
    EXPECT_EQ(brick, Held());
}

TEST_F(DragAndDropTest, AWrongItemIsRefusedAndStaysHeld)
{
    Brick* const wrong = Add(new Brick("roto", 0, 0));
    Add(new Brick("bueno", 50, 0));
    Add(new Pallet("paleta", 100, 0, "bueno"));
    ClickAt(0, 0);
    ClickAt(100, 0);
    EXPECT_EQ((Entries{"roto start", "paleta refuses roto"}), Take());
    EXPECT_EQ(wrong, Held());
    ClickAt(50, 0);
    ClickAt(100, 0);
    EXPECT_EQ((Entries{"bueno start", "roto cancel", "paleta takes bueno", "bueno released"}), Take());
}

// --- cancelling --------------------------------------------------------------

TEST_F(DragAndDropTest, ReleasingOutsideEveryTargetCancels)
{
    Add(new Brick("uno", 0, 0));
    Add(new Pallet("paleta", 100, 0));
    ClickAt(0, 0);
    MoveTo(100, 0);
    MoveAway();
    Take();
    // As the mini-game mode cancels a drag.
    ASSERT_NE(nullptr, Held());
    Held()->Release();
    EXPECT_EQ((Entries{"uno cancel"}), Take());
    EXPECT_EQ(nullptr, Held());
}

TEST_F(DragAndDropTest, CancellingOverATargetDropsThere)
{
    Add(new Brick("uno", 0, 0));
    Add(new Pallet("paleta", 100, 0));
    ClickAt(0, 0);
    MoveTo(100, 0);
    Take();
    ASSERT_NE(nullptr, Held());
    DragSource<Brick*>::GetHeldDragSource_Mutable()->Release();
    EXPECT_EQ((Entries{"paleta takes uno", "uno released"}), Take());
}

TEST_F(DragAndDropTest, ReleasingAnItemThatIsNotHeldDoesNothing)
{
    Brick* const held = Add(new Brick("uno", 0, 0));
    Brick* const other = Add(new Brick("dos", 50, 0));
    Add(new Pallet("paleta", 100, 0));
    MoveTo(100, 0);
    other->Release();
    EXPECT_TRUE(Take().empty());
    ClickAt(0, 0);
    MoveTo(100, 0);
    Take();
    other->Release();
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(held, Held());
    // Released once, the item is no longer held: a second release calls nothing.
    held->Release();
    held->Release();
    EXPECT_EQ((Entries{"paleta takes uno", "uno released"}), Take());
}

// --- targets -----------------------------------------------------------------

TEST_F(DragAndDropTest, LeavingATargetThatIsNoLongerCurrentChangesNothing)
{
    Pallet* const a = Add(new Pallet("a", 100, 0));
    Pallet* const b = Add(new Pallet("b", 200, 0));
    a->DragEnter();
    b->DragEnter();
    a->DragLeave();
    EXPECT_EQ(b, Current());
    b->DragLeave();
    EXPECT_EQ(nullptr, Current());
}

TEST_F(DragAndDropTest, MovingBetweenTargetsFollowsTheMouse)
{
    Pallet* const a = Add(new Pallet("a", 100, 0));
    Pallet* const b = Add(new Pallet("b", 140, 0));
    MoveTo(100, 0);
    EXPECT_EQ(a, Current());
    MoveTo(140, 0);
    EXPECT_EQ(b, Current());
    MoveAway();
    EXPECT_EQ(nullptr, Current());
}

// --- destroyed objects and other kinds ----------------------------------------

TEST_F(DragAndDropTest, ADestroyedHeldItemIsNoLongerHeld)
{
    Brick* const brick = Add(new Brick("uno", 0, 0));
    Add(new Pallet("paleta", 100, 0));
    ClickAt(0, 0);
    Take();
    brick->DestroySelf();
    EXPECT_EQ(nullptr, Held());
    ClickAt(100, 0);
    EXPECT_EQ((Entries{"paleta finds nothing held"}), Take());
}

TEST_F(DragAndDropTest, ADestroyedTargetTakesNoDrop)
{
    Brick* const brick = Add(new Brick("uno", 0, 0));
    Pallet* const pallet = Add(new Pallet("paleta", 100, 0));
    ClickAt(0, 0);
    MoveTo(100, 0);
    Take();
    pallet->DestroySelf();
    EXPECT_EQ(nullptr, Current());
    brick->Release();
    EXPECT_EQ((Entries{"uno cancel"}), Take());
}

TEST_F(DragAndDropTest, ItemsOfAnotherKindAreNeitherHeldNorTakenAsBricks)
{
    Nail* const nail = Add(new Nail());
    Add(new Pallet("paleta", 100, 0));
    nail->Drag();
    EXPECT_EQ(nullptr, Held());
    EXPECT_EQ(nail, DragSource<Nail*>::GetHeldDragSource());
    MoveTo(100, 0);
    EXPECT_EQ(nullptr, DragTarget<Nail*>::GetCurrentDragTarget());
    nail->Release();
    EXPECT_EQ((Entries{"nail cancel"}), Take());
}

// --- the bookkeeping objects ---------------------------------------------------

TEST_F(DragAndDropTest, EachModeKeepsItsOwnNamedContainers)
{
    EXPECT_EQ(nullptr, scene.Database()->GetNamedObject(L8("DRAG_SOURCE_CONTAINER")));
    DragSourceContainer* const sources = DragSourceContainer::GetInstance();
    DragTargetContainer* const targets = DragTargetContainer::GetInstance();
    ASSERT_NE(nullptr, sources);
    ASSERT_NE(nullptr, targets);
    EXPECT_EQ(sources, DragSourceContainer::GetInstance());
    EXPECT_EQ(sources, scene.Database()->GetNamedObject(L8("DRAG_SOURCE_CONTAINER")));
    EXPECT_EQ(targets, scene.Database()->GetNamedObject(L8("DRAG_TARGET_CONTAINER")));
    EXPECT_EQ(kInvalidObjectID, sources->containedObject);

    Brick* const brick = Add(new Brick("uno", 0, 0));
    brick->Drag();
    {
        // A new mode starts with nothing held and no current target.
        SceneApplicationMode other;
        MainLoop::AutoContext saver;
        MainLoop::WithinContext(&other, saver);
        other.Setup();
        EXPECT_EQ(nullptr, Held());
        EXPECT_EQ(nullptr, Current());
        EXPECT_NE(sources, DragSourceContainer::GetInstance());
    }
    EXPECT_EQ(brick, Held());
}

TEST_F(DragAndDropTest, ClearingForgetsOnlyTheIDHeld)
{
    DragContainer container;
    EXPECT_TRUE(container.GetName().IsNull());
    container.containedObject = 7;
    container.clearContainedObject(8);
    EXPECT_EQ(7, container.containedObject);
    container.clearContainedObject(7);
    EXPECT_EQ(kInvalidObjectID, container.containedObject);
}

TEST(DragAndDropWithoutMode, NothingHappensWithoutAContextMode)
{
    MainLoop::AutoContext saver;
    MainLoop::WithinContext(nullptr, saver);
    EXPECT_EQ(nullptr, DragSourceContainer::GetInstance());
    Brick brick("suelto", 0, 0);
    brick.Drag();
    brick.Release();
    EXPECT_EQ(nullptr, DragSource<Brick*>::GetHeldDragSource());
    EXPECT_EQ(nullptr, DragTarget<Brick*>::GetCurrentDragTarget());
}

} // namespace
