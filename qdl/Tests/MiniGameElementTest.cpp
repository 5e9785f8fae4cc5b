// The mouse wiring shared by the mini-game elements, on layouts read from text:
// input switched on by the constructor whatever the layout says, one handler
// run per signal, rollover shown and hidden, a drop target current on enter
// even with nothing held, mouse-up and other buttons ignored, and the copy
// that follows the mouse placed exactly on the pointer.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "CorvaneExtensions/Source/CorvaneExtensions.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"
#include "qdl/Source/Game/MiniGameElement.h"
#include "qdl/Tests/GameTestSupport.h"

using namespace Corvane;
using SceneTesting::Journal;

namespace
{

NodePathElement const kPieceInput[] = {"imageNode", NodePathTerminator()};
NodePathElement const kPieceRollover[] = {"imageNode", "rollover", NodePathTerminator()};
NodePathElement const kSlotInput[] = {"box", "clickRect", NodePathTerminator()};

wchar_t const* const kLayouts =
    L"<resources>"
    L"<scenelayout name=\"WiringPieceLayout\">"
    L"  <scenenode nodeName=\"piece\">"
    L"    <rectnode nodeName=\"imageNode\" x=\"100\" y=\"100\" width=\"40\" height=\"40\">"
    L"      <rectnode nodeName=\"rollover\" width=\"40\" height=\"40\" visible=\"false\"/>"
    L"    </rectnode>"
    L"  </scenenode>"
    L"</scenelayout>"
    L"<scenelayout name=\"WiringSlotLayout\">"
    L"  <scenenode nodeName=\"slot\" x=\"300\" y=\"100\">"
    L"    <scenenode nodeName=\"box\"><rectnode nodeName=\"clickRect\" width=\"60\" height=\"60\"/></scenenode>"
    L"  </scenenode>"
    L"</scenelayout>"
    L"</resources>";

class Piece : public MiniGameDragSource<Piece>
{
public:
    Piece() : MiniGameDragSource<Piece>("WiringPieceLayout", kPieceInput, kPieceRollover)
    {
        finishWiring();
        item = this;
    }

    void DoOnStartDragging() override
    {
        Journal().push_back("piece start");
        makeMouseFollowCopy();
        acceptMouseInput(false);
    }
    void DoOnCancel() override
    {
        Journal().push_back("piece cancel");
        destroyMouseFollowCopy();
        acceptMouseInput(true);
    }
    void DoOnReleased() override
    {
        Journal().push_back("piece released");
        destroyMouseFollowCopy();
    }
    void handleMouseEnter() override
    {
        Journal().push_back("piece enter");
        MiniGameDragSource<Piece>::handleMouseEnter();
    }
    Label GetRole() const override
    {
        static Label const role = Label::GetUniqueString("Wiring_Piece");
        return role;
    }
};

class Slot : public MiniGameDropTarget<Piece>
{
public:
    Slot() : MiniGameDropTarget<Piece>("WiringSlotLayout", kSlotInput) { finishWiring(); }

    void handleMouseDown() override
    {
        if (DragSource<Piece*>* const held = DragSource<Piece*>::GetHeldDragSource_Mutable())
            held->Release();
    }
    void DropActivated(Piece*) override { Journal().push_back("slot takes the piece"); }
};

class MiniGameElementTest : public GameTestSupport::GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        SetupCorvaneExtensions();
        LoadManifest(L"Wiring.xml", kLayouts);
        Journal().clear();
        scene.reset(new SceneTesting::SceneModeFixture());
    }

    void TearDown() override
    {
        scene.reset();
        GameFixture::TearDown();
    }

    template <class T>
    T* Add(T* element)
    {
        element->AddToScene(scene->Database(), scene->Root());
        scene->mode->Update(0.02f);
        return element;
    }

    void MoveTo(int x, int y)
    {
        scene->mode->OnMouseMove(x, y);
        scene->mode->Update(0.02f);
    }
    void Press(MouseButton button, int x, int y)
    {
        MoveTo(x, y);
        scene->mode->OnMouseDown(button, x, y);
        scene->mode->Update(0.02f);
    }
    void Release(int x, int y)
    {
        scene->mode->OnMouseUp(kMouseButtonPrimary, x, y);
        scene->mode->Update(0.02f);
    }

    std::vector<std::string> Take()
    {
        std::vector<std::string> taken;
        taken.swap(Journal());
        return taken;
    }

    static Piece* Held() { return static_cast<Piece*>(DragSource<Piece*>::GetHeldDragSource_Mutable()); }

    std::unique_ptr<SceneTesting::SceneModeFixture> scene;
};

} // namespace

TEST_F(MiniGameElementTest, TheConstructorSwitchesInputOnWhateverTheLayoutSays)
{
    Piece* const piece = new Piece();
    SceneNode* const input = piece->getInputNode();
    ASSERT_NE(nullptr, input);
    EXPECT_TRUE(input->GetHitTest());
    EXPECT_FALSE(piece->findLayoutNode(kPieceRollover)->GetHitTest());
    piece->acceptMouseInput(false);
    EXPECT_FALSE(input->GetHitTest());
    EXPECT_TRUE(piece->findLayoutNode(kPieceRollover)->LocalIsVisible() == false);
    // Never added to a scene: the element still owns its layout and frees it.
    delete piece;
}

TEST_F(MiniGameElementTest, EachEnterShowsTheRolloverOnceAndEachExitHidesIt)
{
    Piece* const piece = Add(new Piece());
    SceneNode* const rollover = piece->findLayoutNode(kPieceRollover);
    MoveTo(120, 120);
    EXPECT_TRUE(rollover->LocalIsVisible());
    MoveTo(125, 125);
    MoveTo(130, 118);
    EXPECT_EQ(std::vector<std::string>{"piece enter"}, Take());
    MoveTo(500, 500);
    EXPECT_FALSE(rollover->LocalIsVisible());
    MoveTo(120, 120);
    EXPECT_EQ(std::vector<std::string>{"piece enter"}, Take());
}

TEST_F(MiniGameElementTest, OnlyTheLeftButtonPicksUpAndReleasingTheButtonDropsNothing)
{
    Piece* const piece = Add(new Piece());
    Press(kMouseButtonSecondary, 120, 120);
    EXPECT_EQ(nullptr, Held());
    Take();
    Press(kMouseButtonPrimary, 120, 120);
    EXPECT_EQ(piece, Held());
    EXPECT_EQ(std::vector<std::string>{"piece start"}, Take());
    Release(120, 120);
    Release(320, 120);
    EXPECT_EQ(piece, Held());
    EXPECT_TRUE(Take().empty());
    // Input off: the held piece takes no further press.
    Press(kMouseButtonPrimary, 120, 120);
    EXPECT_TRUE(Take().empty());
}

TEST_F(MiniGameElementTest, ADropTargetIsCurrentWhileTheMouseIsOverItEvenWithNothingHeld)
{
    Slot* const slot = Add(new Slot());
    EXPECT_EQ(nullptr, DragTarget<Piece*>::GetCurrentDragTarget());
    MoveTo(320, 120);
    EXPECT_EQ(slot, DragTarget<Piece*>::GetCurrentDragTarget());
    MoveTo(500, 500);
    EXPECT_EQ(nullptr, DragTarget<Piece*>::GetCurrentDragTarget());

    // Leaving a target that is no longer current leaves the other one current.
    Slot* const other = Add(new Slot());
    MoveTo(320, 120);
    EXPECT_EQ(other, DragTarget<Piece*>::GetCurrentDragTarget());
    slot->handleMouseExit();
    EXPECT_EQ(other, DragTarget<Piece*>::GetCurrentDragTarget());
    other->handleMouseExit();
    EXPECT_EQ(nullptr, DragTarget<Piece*>::GetCurrentDragTarget());
}

TEST_F(MiniGameElementTest, TheCopyFollowsThePointerWithNoOffsetAndGoesWithTheDrop)
{
    Piece* const piece = Add(new Piece());
    Add(new Slot());
    // Nothing held: the update moves nothing.
    Vector2<float> const before = piece->GetLayoutNode()->LocalGetLocation();
    scene->mode->Update(0.02f);
    EXPECT_EQ(before, piece->GetLayoutNode()->LocalGetLocation());

    Press(kMouseButtonPrimary, 120, 120);
    ObjectID const copyID = piece->getDragCopyID();
    SceneNode* const copy = dynamic_cast<SceneNode*>(scene->Database()->GetObject(copyID));
    ASSERT_NE(nullptr, copy);
    // The copy is a second instance of the layout, never wired.
    NodePathElement const copyInput[] = {"imageNode", NodePathTerminator()};
    EXPECT_FALSE(copy->GetDescendent(copyInput)->GetHitTest());
    std::pair<int, int> const mouse = MainLoop::GetLastMousePos();
    EXPECT_EQ(Vector2<float>(float(mouse.first), float(mouse.second)), copy->LocalGetLocation());

    Press(kMouseButtonPrimary, 320, 120);
    EXPECT_EQ((std::vector<std::string>{"piece enter", "piece start", "slot takes the piece", "piece released"}), Take());
    scene->mode->Update(0.02f);
    EXPECT_EQ(nullptr, scene->Database()->GetObject(copyID));
    // With the copy gone the update still runs and touches nothing.
    scene->mode->Update(0.02f);
}

TEST_F(MiniGameElementTest, ALayoutThatIsMissingGivesAnEmptyElementThatDoesNothing)
{
    NodePathElement const input[] = {"imageNode", NodePathTerminator()};
    class Stray : public MiniGameElement
    {
    public:
        explicit Stray(NodePathElement const* path) : MiniGameElement("NoSuchLayout", path) { finishWiring(); }
    };
    Stray* const stray = Add(new Stray(input));
    ASSERT_NE(nullptr, stray->GetLayoutNode());
    EXPECT_EQ(nullptr, stray->getInputNode());
    stray->acceptMouseInput(true);
    MoveTo(10, 10);
}
