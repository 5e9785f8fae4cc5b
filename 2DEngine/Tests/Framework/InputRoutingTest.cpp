#include "2DEngine/Tests/Support/QuietPlatform.h"
#include "2DEngine/Tests/Framework/ObjectTestSupport.h"

#include "2DEngine/Source/Framework/Platform.h"

#include <gtest/gtest.h>

#include <utility>

namespace Corvane
{
namespace
{

using ObjectTest::Entries;
using ObjectTest::EntriesWith;
using ObjectTest::Handler;
using ObjectTest::Journal;
using ObjectTest::PlainObject;
using ObjectTest::Widget;

typedef std::vector<std::string> Lines;

// A platform that only counts mouse captures and releases.
class CapturePlatform : public Testing::QuietPlatform
{
public:
    void CaptureMouse() override { Journal().push_back("platform capture"); }
    void ReleaseMouse() override { Journal().push_back("platform release"); }
};

class InputRoutingTest : public ::testing::Test
{
protected:
    void SetUp() override { Journal().clear(); }

    Widget* AddWidget(std::string const& tag, float layer, Rect<float> const& bounds = Rect<float>(0, 0, 100, 100))
    {
        Widget* widget = new Widget(tag, layer, bounds);
        database.AddObject(widget);
        return widget;
    }

    CapturePlatform platform;
    ObjectDatabase database;
};

TEST_F(InputRoutingTest, EventsGoToTheHighestLayerFirstThenToHandlersWithoutADrawableRole)
{
    database.AddObject(new Handler("plain"));
    AddWidget("low", 1.0f);
    AddWidget("first", 2.0f);
    AddWidget("second", 2.0f);
    database.Update(0.02f);
    EXPECT_EQ(kMessageNotHandled, database.OnKeyDown(7));
    // Among equal layers the later one comes first.
    EXPECT_EQ((Lines{"second key 7", "first key 7", "low key 7", "plain key 7"}), EntriesWith("key 7"));
}

TEST_F(InputRoutingTest, TheFirstHandlerToAnswerStopsTheRoute)
{
    AddWidget("low", 1.0f)->answer = kMessageHandled;
    AddWidget("high", 2.0f);
    database.Update(0.02f);
    EXPECT_EQ(kMessageHandled, database.OnMouseDown(kMouseButtonSecondary, 5, 5));
    EXPECT_EQ((Lines{"high down 1", "low down 1"}), EntriesWith("down"));
}

TEST_F(InputRoutingTest, HiddenAndDisabledObjectsTakeNoInput)
{
    AddWidget("hidden", 3.0f)->SetVisible(false);
    AddWidget("disabled", 2.0f)->Enable(false);
    AddWidget("open", 1.0f);
    database.Update(0.02f);
    database.OnMouseUp(kMouseButtonPrimary, 1, 1);
    EXPECT_EQ(Lines{"open up 0"}, EntriesWith("up 0"));
}

TEST_F(InputRoutingTest, AnEnabledVisibleCaptureHolderKeepsMouseEventsEvenUnanswered)
{
    Widget* holder = AddWidget("holder", 1.0f);
    AddWidget("above", 5.0f);
    database.Update(0.02f);
    database.SetCapture(holder);
    EXPECT_EQ(holder, database.GetCapture());
    EXPECT_EQ(kMessageHandled, database.OnMouseDown(kMouseButtonPrimary, 500, 500));
    EXPECT_EQ(kMessageHandled, database.OnMouseWheel(1.5f, 500, 500));
    EXPECT_EQ(Lines{"holder down 0"}, EntriesWith("down"));
    EXPECT_EQ(Lines{"holder wheel"}, EntriesWith("wheel"));
    EXPECT_TRUE(Entries("above").size() == 1 && Entries("above")[0] == "above got Add");
}

TEST_F(InputRoutingTest, ADisabledOrHiddenCaptureHolderLetsMouseEventsPass)
{
    Widget* holder = AddWidget("holder", 1.0f);
    AddWidget("above", 5.0f);
    database.Update(0.02f);
    database.SetCapture(holder);
    Journal().clear();
    holder->Enable(false);
    EXPECT_EQ(kMessageNotHandled, database.OnMouseDown(kMouseButtonPrimary, 1, 1));
    holder->Enable(true);
    holder->SetVisible(false);
    EXPECT_EQ(kMessageNotHandled, database.OnMouseUp(kMouseButtonPrimary, 1, 1));
    EXPECT_EQ((Lines{"above down 0", "above up 0"}), Entries("above"));
    EXPECT_TRUE(Entries("holder").empty());
}

TEST_F(InputRoutingTest, EverySetCaptureTellsThePlatform)
{
    Widget* holder = AddWidget("holder", 1.0f);
    Journal().clear();
    database.SetCapture(holder);
    database.SetCapture(holder);
    database.SetCapture(nullptr);
    EXPECT_EQ((Lines{"platform capture", "platform capture", "platform release"}), Entries("platform"));
    EXPECT_EQ(nullptr, database.GetCapture());
}

TEST_F(InputRoutingTest, DestroyingTheCaptureHolderReleasesTheMouse)
{
    Widget* holder = AddWidget("holder", 1.0f);
    database.SetCapture(holder);
    Journal().clear();
    database.DestroyObject(holder->GetID());
    EXPECT_EQ(Lines{"platform release"}, Entries("platform"));
    EXPECT_EQ(nullptr, database.GetCapture());
}

TEST_F(InputRoutingTest, KeyEventsPassOnFromAnUnansweringFocusButTextInputDoesNot)
{
    Widget* focused = AddWidget("focused", 1.0f);
    AddWidget("other", 5.0f);
    database.Update(0.02f);
    database.SetFocus(focused);
    Journal().clear();
    EXPECT_EQ(kMessageNotHandled, database.OnKeyUp(3));
    EXPECT_EQ((Lines{"focused keyup 3", "other keyup 3"}), EntriesWith("keyup"));
    EXPECT_EQ(kMessageHandled, database.OnTextInput(L"\u00F1"));
    EXPECT_EQ(Lines{"focused text"}, EntriesWith("text"));
}

TEST_F(InputRoutingTest, FocusChangesAreAnnounced)
{
    Widget* a = AddWidget("a", 1.0f);
    Widget* b = AddWidget("b", 1.0f);
    Journal().clear();
    database.SetFocus(a);
    database.SetFocus(a);
    database.SetFocus(b);
    database.SetFocus(nullptr);
    EXPECT_EQ((Lines{"a got ReceivedFocus", "a got LostFocus", "b got ReceivedFocus", "b got LostFocus"}),
              EntriesWith("Focus"));
    EXPECT_EQ(nullptr, database.GetFocus());
}

TEST_F(InputRoutingTest, DestroyingTheFocusSendsLostFocusThenRemoveAndKeysStartAtTheDrawables)
{
    Widget* focused = AddWidget("focused", 1.0f);
    AddWidget("other", 0.0f);
    database.Update(0.02f);
    database.SetFocus(focused);
    Journal().clear();
    database.DestroyObject(focused->GetID());
    EXPECT_EQ((Lines{"focused got LostFocus", "focused got Remove"}), Entries("focused got"));
    EXPECT_EQ(nullptr, database.GetFocus());
    database.OnKeyDown(9);
    EXPECT_EQ(Lines{"other key 9"}, EntriesWith("key 9"));
}

TEST_F(InputRoutingTest, CycleFocusMovesToTheNextFocusTargetAndWrapsRound)
{
    Widget* a = AddWidget("a", 1.0f);
    Widget* b = AddWidget("b", 1.0f);
    Widget* c = AddWidget("c", 1.0f);
    Widget* d = AddWidget("d", 1.0f);
    b->canFocus = false;
    std::vector<ObjectID> const order = {a->GetID(), b->GetID(), c->GetID(), d->GetID()};
    Journal().clear();

    database.cycleFocus(order.cbegin(), order.cend());
    EXPECT_EQ(a, database.GetFocus());
    database.cycleFocus(order.cbegin(), order.cend());
    EXPECT_EQ(c, database.GetFocus());
    database.cycleFocus(order.cbegin(), order.cend());
    EXPECT_EQ(d, database.GetFocus());
    database.cycleFocus(order.cbegin(), order.cend());
    EXPECT_EQ(a, database.GetFocus());
    // Backward from a: d.
    database.cycleFocus(order.crbegin(), order.crend());
    EXPECT_EQ(d, database.GetFocus());
    // Focus is moved directly, without messages.
    EXPECT_TRUE(EntriesWith("Focus").empty());
}

TEST_F(InputRoutingTest, CycleFocusKeepsTheFocusWhenNoOtherCandidateQualifies)
{
    Widget* a = AddWidget("a", 1.0f);
    Widget* b = AddWidget("b", 1.0f);
    b->SetVisible(false);
    database.SetFocus(a);
    std::vector<ObjectID> const order = {a->GetID(), b->GetID()};
    database.cycleFocus(order.cbegin(), order.cend());
    EXPECT_EQ(a, database.GetFocus());
}

TEST_F(InputRoutingTest, CycleFocusIgnoresStaleIDs)
{
    Widget* a = AddWidget("a", 1.0f);
    ObjectID const stale = a->GetID();
    database.DestroyObject(stale);
    database.Update(0.02f);
    Widget* reuse = AddWidget("reuse", 1.0f);
    ASSERT_EQ(GetObjectIDIndex(stale), GetObjectIDIndex(reuse->GetID()));
    std::vector<ObjectID> const order = {stale};
    database.cycleFocus(order.cbegin(), order.cend());
    EXPECT_EQ(nullptr, database.GetFocus());
}

TEST_F(InputRoutingTest, MovingTheMouseTracksTheControlUnderItAndBroadcastsEnterAndLeave)
{
    Widget* left = AddWidget("left", 1.0f, Rect<float>(0, 0, 50, 50));
    Widget* right = AddWidget("right", 1.0f, Rect<float>(50, 0, 50, 50));
    PlainObject* listener = new PlainObject("listener");
    database.AddObject(listener);
    std::vector<ObjectID> senders;
    listener->onMessage = [&](ObjectMessage const& message) { senders.push_back(message.sender); };
    database.Update(0.02f);
    Journal().clear();

    database.OnMouseMove(10, 10);
    EXPECT_EQ(left->GetID(), database.GetHoverID());
    database.OnMouseMove(20, 20);
    // The right edge of left is outside it.
    database.OnMouseMove(50, 10);
    EXPECT_EQ(right->GetID(), database.GetHoverID());
    database.OnMouseMove(300, 300);
    EXPECT_EQ(kInvalidObjectID, database.GetHoverID());
    EXPECT_EQ((Lines{"listener got ControlEnter", "listener got ControlLeave", "listener got ControlEnter",
                     "listener got ControlLeave"}),
              Entries("listener got"));
    EXPECT_EQ((std::vector<ObjectID>{left->GetID(), left->GetID(), right->GetID(), right->GetID()}), senders);
    // Mouse moves are routed as well, at the top layer first.
    EXPECT_EQ(4u, EntriesWith("right move").size());
}

TEST_F(InputRoutingTest, MouseLeaveEndsTheHoverAndWithoutOneSendsNothing)
{
    Widget* widget = AddWidget("widget", 1.0f);
    database.Update(0.02f);
    Journal().clear();
    EXPECT_EQ(kMessageNotHandled, database.OnMouseLeave());
    EXPECT_TRUE(Journal().empty());
    database.OnMouseMove(1, 1);
    EXPECT_EQ(kMessageNotHandled, database.OnMouseLeave());
    EXPECT_EQ((Lines{"widget got ControlEnter", "widget got ControlLeave"}), Entries("widget got"));
    EXPECT_EQ(kInvalidObjectID, database.GetHoverID());
    (void)widget;
}

TEST_F(InputRoutingTest, DestroyingTheHoveredObjectForgetsItSilently)
{
    Widget* widget = AddWidget("widget", 1.0f);
    database.Update(0.02f);
    database.OnMouseMove(1, 1);
    Journal().clear();
    database.DestroyObject(widget->GetID());
    EXPECT_EQ(kInvalidObjectID, database.GetHoverID());
    EXPECT_TRUE(EntriesWith("ControlLeave").empty());
}

TEST_F(InputRoutingTest, AHandlerThatDestroysAndAddsWidgetsDuringTheRouteIsSafe)
{
    Widget* top = AddWidget("top", 3.0f);
    Widget* middle = AddWidget("middle", 2.0f);
    AddWidget("bottom", 1.0f);
    database.Update(0.02f);
    top->onInput = [&] {
        database.DestroyObject(middle->GetID());
        for (int i = 0; i < 300; ++i)
            AddWidget("extra" + std::to_string(i), 0.5f);
    };
    database.OnMouseDown(kMouseButtonPrimary, 1, 1);
    EXPECT_EQ(1u, Entries("top down").size());
    EXPECT_EQ(1u, Entries("bottom down").size());
    EXPECT_TRUE(EntriesWith("extra0 down").empty());
    EXPECT_TRUE(Entries("middle down").empty());
    database.Update(0.02f);
    EXPECT_EQ(Lines{"middle deleted"}, Entries("middle deleted"));
}

TEST_F(InputRoutingTest, AnUpdateRunFromAHandlerDoesNotReorderTheRouteInProgress)
{
    Widget* top = AddWidget("top", 3.0f);
    AddWidget("middle", 2.0f);
    Widget* bottom = AddWidget("bottom", 1.0f);
    database.Update(0.02f);
    top->onInput = [&] {
        bottom->SetLayer(10.0f);
        database.Update(0.0f);
    };
    database.OnKeyDown(1);
    EXPECT_EQ((Lines{"top key 1", "middle key 1", "bottom key 1"}), EntriesWith("key 1"));
    // The next update outside any walk sorts again.
    top->onInput = nullptr;
    database.Update(0.0f);
    Journal().clear();
    database.OnKeyDown(2);
    EXPECT_EQ((Lines{"bottom key 2", "top key 2", "middle key 2"}), EntriesWith("key 2"));
}

} // namespace
} // namespace Corvane
