#include "CorvaneExtensions/Tests/Scene/SceneTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Corvane;
using namespace SceneTesting;

namespace
{

// An input handler of the database that is not a scene node.
class OtherHandler : public Object, public InputHandlerComponent
{
public:
    explicit OtherHandler(MessageResult answer_) : answer(answer_) {}
    MessageResult OnMouseDown(MouseButton, int, int) override { return Note("widget down"); }
    MessageResult OnMouseMove(int, int) override { return Note("widget move"); }
    MessageResult OnKeyDown(int) override { return Note("widget key"); }

    MessageResult answer;

private:
    MessageResult Note(char const* what)
    {
        Journal().push_back(what);
        return answer;
    }
};

// A node whose per-frame hook moves it, as a task would.
class DriftingNode : public SceneNode
{
public:
    void Update(float) override { LocalSetLocation(LocalGetLocation() + Vector2<float>(1, 0)); }
};

std::vector<std::string> EnterExitEntries()
{
    std::vector<std::string> found;
    for (std::string const& entry : Journal())
    {
        if (entry.find("enter") != std::string::npos || entry.find("exit") != std::string::npos)
            found.push_back(entry);
    }
    return found;
}

} // namespace

// --- set-up, update and draw -------------------------------------------------

TEST(SceneApplicationMode, SetupMakesARootInItsOwnDatabaseFoundThroughTheContext)
{
    EXPECT_EQ(nullptr, SceneApplicationMode::GetCurSceneRootNode());
    {
        SceneApplicationMode idle;
        EXPECT_EQ(nullptr, idle.GetRootNode());
    }
    SceneModeFixture scene;
    ASSERT_NE(nullptr, scene.Root());
    EXPECT_EQ(scene.Root(), SceneApplicationMode::GetCurSceneRootNode());
    EXPECT_EQ(scene.Root(), scene.Database()->GetObject(scene.Root()->GetID()));
    EXPECT_TRUE(scene.Root()->GetName().IsNull());
    EXPECT_EQ(scene.mode.get(), SceneApplicationMode::FromDatabase(scene.Database()));
}

TEST(SceneApplicationMode, AContextModeThatIsNoSceneModeHasNoRoot)
{
    ApplicationMode plain;
    MainLoop::AutoContext saver;
    MainLoop::WithinContext(&plain, saver);
    EXPECT_EQ(nullptr, SceneApplicationMode::GetCurSceneRootNode());
    EXPECT_EQ(nullptr, SceneApplicationMode::FromDatabase(plain.GetObjectDatabase()));
}

TEST(SceneApplicationMode, UpdateRunsTheObjectsThenRefreshesEveryGlobal)
{
    SceneModeFixture scene;
    DriftingNode* drifter = scene.Add(new DriftingNode());
    SceneNode* child = scene.Add(new SceneNode(), drifter);
    child->LocalSetLocation(5, 0);
    scene.Root()->LocalSetLocation(100, 0);

    scene.mode->Update(0.02f);
    EXPECT_EQ(0u, drifter->GetDirtyFlags());
    EXPECT_EQ(0u, child->GetDirtyFlags());
    EXPECT_EQ(Vector2<float>(106, 0), child->GlobalGetLocation());
    EXPECT_EQ(Vector2<float>(100, 0), scene.Root()->GlobalGetLocation());
}

TEST(SceneApplicationMode, DrawDrawsTheSceneFromTheRoot)
{
    SceneModeFixture scene;
    SceneNode* node = scene.Add(new SceneNode());
    std::vector<SceneNode*> drawn;
    scene.Root()->drawSignal.connect([&drawn](SceneNode* n) { drawn.push_back(n); });
    node->drawSignal.connect([&drawn](SceneNode* n) { drawn.push_back(n); });
    scene.mode->Draw();
    EXPECT_EQ((std::vector<SceneNode*>{scene.Root(), node}), drawn);
}

// --- capture and focus -------------------------------------------------------

TEST(SceneApplicationModeCapture, CaptureAndFocusAreHeldByTheirNode)
{
    SceneModeFixture scene;
    SceneNode* a = scene.Add(new SceneNode());
    SceneNode* b = scene.Add(new SceneNode());
    a->Capture();
    EXPECT_TRUE(a->HasCapture());
    EXPECT_EQ(a, scene.mode->GetMouseCapturingNode());
    b->ReleaseCapture();
    EXPECT_TRUE(a->HasCapture());
    a->ReleaseCapture();
    EXPECT_FALSE(a->HasCapture());
    EXPECT_EQ(nullptr, scene.mode->GetMouseCapturingNode());

    b->Focus();
    EXPECT_TRUE(b->HasFocus());
    a->Focus();
    EXPECT_FALSE(b->HasFocus());
    EXPECT_EQ(a, scene.mode->GetFocusedNode());
    scene.mode->SetFocusedNode(nullptr);
    EXPECT_FALSE(a->HasFocus());
}

TEST(SceneApplicationModeCapture, APressWhileCapturedReachesOnlyTheCapturingNode)
{
    SceneModeFixture scene;
    TaggedNode* under = scene.Add(new TaggedNode("under", Rect<float>(0, 0, 100, 100)));
    TaggedNode* holder = scene.Add(new TaggedNode("holder", Rect<float>(500, 500, 10, 10)));
    under->ListenToEverything();
    holder->ListenToEverything();
    scene.mode->Update(0.02f);

    holder->Capture();
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseDown(0, 50, 50));
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseUp(0, 50, 50));
    EXPECT_EQ((std::vector<std::string>{"holder captured down 0", "holder captured up 0"}), Journal());

    // A holder whose handlers answer nothing still swallows the press.
    Journal().clear();
    TaggedNode* silent = scene.Add(new TaggedNode("silent", Rect<float>(500, 500, 10, 10)));
    scene.mode->SetMouseCapturingNode(silent);
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseDown(0, 50, 50));
    EXPECT_TRUE(Journal().empty());

    scene.mode->SetMouseCapturingNode(nullptr);
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseDown(0, 50, 50));
    EXPECT_EQ((std::vector<std::string>{"under down 0"}), Journal());
}

TEST(SceneApplicationModeCapture, ADestroyedCaptureHolderNoLongerBlocksRouting)
{
    SceneModeFixture scene;
    TaggedNode* under = scene.Add(new TaggedNode("under", Rect<float>(0, 0, 100, 100)));
    TaggedNode* holder = scene.Add(new TaggedNode("holder", Rect<float>(500, 500, 10, 10)));
    under->ListenToEverything();
    holder->ListenToEverything();
    scene.mode->Update(0.02f);
    holder->Capture();
    holder->DestroySelf();
    scene.mode->Update(0.02f);

    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseDown(0, 50, 50));
    EXPECT_EQ("under down 0", Journal().back());
    EXPECT_EQ(nullptr, scene.mode->GetMouseCapturingNode());
}

TEST(SceneApplicationModeCapture, WithoutCaptureTheTopMostAcceptingHitNodeTakesThePress)
{
    SceneModeFixture scene;
    TaggedNode* bottom = scene.Add(new TaggedNode("bottom", Rect<float>(0, 0, 100, 100)));
    TaggedNode* deaf = scene.Add(new TaggedNode("deaf", Rect<float>(0, 0, 100, 100)));
    TaggedNode* rightOnly = scene.Add(new TaggedNode("rightOnly", Rect<float>(0, 0, 100, 100)));
    TaggedNode* elsewhere = scene.Add(new TaggedNode("elsewhere", Rect<float>(300, 300, 10, 10)));
    bottom->ListenToEverything();
    rightOnly->ListenToEverything();
    rightOnly->SetButtonMask(2);
    elsewhere->ListenToEverything();
    (void)deaf;
    scene.mode->Update(0.02f);

    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseDown(0, 10, 10));
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseDown(1, 10, 10));
    EXPECT_EQ(kMessageNotHandled, scene.mode->OnMouseDown(0, 200, 200));
    EXPECT_EQ((std::vector<std::string>{"bottom down 0", "rightOnly down 1"}), Journal());
}

// --- keys --------------------------------------------------------------------

TEST(SceneApplicationModeKeys, WithoutFocusTheFirstConnectedNodeBottomUpTakesTheKey)
{
    SceneModeFixture scene;
    TaggedNode* x = scene.Add(new TaggedNode("x"));
    TaggedNode* x1 = scene.Add(new TaggedNode("x1"), x);
    TaggedNode* y = scene.Add(new TaggedNode("y"));
    x->ListenToEverything();
    x1->ListenToEverything();
    (void)y;

    EXPECT_EQ(kMessageHandled, scene.mode->OnKeyDown(65));
    EXPECT_EQ(kMessageHandled, scene.mode->OnKeyUp(65));
    EXPECT_EQ((std::vector<std::string>{"x1 key 65", "x1 keyup 65"}), Journal());

    Journal().clear();
    x->Focus();
    EXPECT_EQ(kMessageHandled, scene.mode->OnKeyDown(13));
    EXPECT_EQ((std::vector<std::string>{"x key 13"}), Journal());

    // A focused node that declines passes the key to the whole tree.
    Journal().clear();
    y->Focus();
    EXPECT_EQ(kMessageHandled, scene.mode->OnKeyDown(27));
    EXPECT_EQ((std::vector<std::string>{"x1 key 27"}), Journal());
}

TEST(SceneApplicationModeKeys, OtherHandlersHearOnlyWhatTheTreeDeclined)
{
    SceneModeFixture scene;
    TaggedNode* node = scene.Add(new TaggedNode("node", Rect<float>(0, 0, 100, 100)));
    OtherHandler* widget = new OtherHandler(kMessageHandled);
    scene.Database()->AddObject(widget);
    scene.mode->Update(0.02f);

    EXPECT_EQ(kMessageHandled, scene.mode->OnKeyDown(65));
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseDown(0, 10, 10));
    EXPECT_EQ((std::vector<std::string>{"widget key", "widget down"}), Journal());

    Journal().clear();
    node->ListenToEverything();
    EXPECT_EQ(kMessageHandled, scene.mode->OnKeyDown(65));
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseDown(0, 10, 10));
    EXPECT_EQ((std::vector<std::string>{"node key 65", "node down 0"}), Journal());

    Journal().clear();
    widget->answer = kMessageNotHandled;
    EXPECT_EQ(kMessageNotHandled, scene.mode->OnMouseDown(0, 200, 200));
    EXPECT_EQ((std::vector<std::string>{"widget down"}), Journal());
}

// --- mouse movement, enter and exit ------------------------------------------

TEST(SceneApplicationModeMove, MovingBetweenAwareNodesGivesExitBeforeEnter)
{
    SceneModeFixture scene;
    TaggedNode* a = scene.Add(new TaggedNode("a", Rect<float>(0, 0, 50, 50)));
    TaggedNode* b = scene.Add(new TaggedNode("b", Rect<float>(100, 0, 50, 50)));
    a->ListenToEnterExit();
    b->ListenToEnterExit();
    scene.mode->Update(0.02f);

    scene.mode->OnMouseMove(10, 10);
    scene.mode->OnMouseMove(20, 20);
    EXPECT_EQ(a, scene.mode->GetNodeUnderMouse());
    scene.mode->OnMouseMove(110, 10);
    scene.mode->OnMouseMove(300, 300);
    EXPECT_EQ((std::vector<std::string>{"a enter", "a exit", "b enter", "b exit"}), EnterExitEntries());
    EXPECT_EQ(nullptr, scene.mode->GetNodeUnderMouse());
}

TEST(SceneApplicationModeMove, TheFirstNodeEnteredBottomUpWinsAndParentsCoverTheirChildren)
{
    SceneModeFixture scene;
    TaggedNode* parent = scene.Add(new TaggedNode("parent", Rect<float>(0, 0, 10, 10)));
    TaggedNode* child = scene.Add(new TaggedNode("child", Rect<float>(100, 100, 10, 10)), parent);
    parent->ListenToEnterExit();
    scene.mode->Update(0.02f);

    // Over the child only: the aware parent is entered, since its subtree is hit.
    scene.mode->OnMouseMove(105, 105);
    EXPECT_EQ((std::vector<std::string>{"parent enter"}), EnterExitEntries());
    child->ListenToEnterExit();
    Journal().clear();
    scene.mode->OnMouseMove(106, 106);
    EXPECT_EQ((std::vector<std::string>{"parent exit", "child enter"}), EnterExitEntries());
}

TEST(SceneApplicationModeMove, MovesGoToEveryNodeUntilOneAnswersThenToOtherHandlers)
{
    SceneModeFixture scene;
    TaggedNode* low = scene.Add(new TaggedNode("low"));
    TaggedNode* high = scene.Add(new TaggedNode("high"));
    scene.Database()->AddObject(new OtherHandler(kMessageHandled));
    (void)low;

    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseMove(1, 1));
    EXPECT_EQ((std::vector<std::string>{"high move", "low move", "widget move"}), Journal());

    Journal().clear();
    high->moveAnswer = kMessageHandled;
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseMove(1, 1));
    EXPECT_EQ((std::vector<std::string>{"high move"}), Journal());
}

TEST(SceneApplicationModeMove, ACapturingNodeAloneSeesMovesAndTheMoveCountsAsHandled)
{
    SceneModeFixture scene;
    TaggedNode* holder = scene.Add(new TaggedNode("holder", Rect<float>(0, 0, 10, 10)));
    TaggedNode* other = scene.Add(new TaggedNode("other", Rect<float>(0, 0, 100, 100)));
    holder->ListenToEnterExit();
    other->ListenToEnterExit();
    scene.mode->Update(0.02f);
    holder->Capture();

    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseMove(50, 50));
    EXPECT_EQ((std::vector<std::string>{"holder move"}), Journal());
    EXPECT_EQ(kMessageHandled, scene.mode->OnMouseMove(5, 5));
    EXPECT_EQ((std::vector<std::string>{"holder move", "holder enter", "holder move"}), Journal());
    // The holder stays entered only while the pointer is over it.
    scene.mode->OnMouseMove(50, 50);
    EXPECT_EQ("holder exit", Journal().back());
}

TEST(SceneApplicationModeMove, AnUnderMouseNodeDestroyedMeanwhileGetsNoExit)
{
    SceneModeFixture scene;
    TaggedNode* a = scene.Add(new TaggedNode("a", Rect<float>(0, 0, 50, 50)));
    a->ListenToEnterExit();
    scene.mode->Update(0.02f);
    scene.mode->OnMouseMove(10, 10);
    a->DestroySelf();
    scene.mode->Update(0.02f);
    Journal().clear();
    scene.mode->OnMouseMove(300, 300);
    EXPECT_TRUE(EnterExitEntries().empty());
    EXPECT_EQ(nullptr, scene.mode->GetNodeUnderMouse());
}
