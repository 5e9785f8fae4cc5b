// Engine set-up and tear-down order, the single-instance test, quitting, input
// delivery to the top mode, and drawing over the mode stack.

#include "2DEngine/Tests/Framework/MainLoopTestSupport.h"

#include "Core/Source/Error.h"

#include <algorithm>

namespace Corvane
{
namespace MainLoopTest
{
namespace
{

using Lines = std::vector<std::string>;

class MainLoopEngineTest : public MainLoopFixture
{
};

class RecordingQuitHandler : public IQuitHandler
{
public:
    RecordingQuitHandler(std::string name, bool allow) : mName(std::move(name)), mAllow(allow) {}
    bool AllowQuit() override
    {
        Record("ask %s", mName.c_str());
        return mAllow;
    }

private:
    std::string mName;
    bool mAllow;
};

sInputEvent Event(uint32_t type, int32_t x, int32_t y, int32_t code, intptr_t data = 0)
{
    return sInputEvent{type, x, y, code, data};
}

// --- set-up and tear-down --------------------------------------------------------

TEST_F(MainLoopEngineTest, SetupAndTearDownRunInOrder)
{
    application->config.singleInstance = true;
    StartWith({new RecordingMode("A")});
    RunPasses(1);

    Lines const setup = {"hook setupRandom",
                         "platform Setup",
                         "app RegisterSingletons",
                         "hook registerDefaultFileSource",
                         "audio Setup",
                         "hook setWindowConfig 1 1 800 600",
                         "hook createConstantResourceFactories",
                         "hook createLayoutFactories",
                         "app Setup",
                         "platform EnforceSingleInstance",
                         "A Setup [A]"};
    Lines const teardown = {"A Exit",
                            "A Destroy [A]",
                            "A deleted",
                            "app Cleanup",
                            "hook cleanupResourceManager",
                            "hook cleanupDownloadManager",
                            "hook cleanupFileSource",
                            "gp Cleanup",
                            "gp deleted",
                            "audio Cleanup",
                            "platform DestroyWindow",
                            "platform Destroy",
                            "hook deleteAllSingletons",
                            "hook shutdownLabels",
                            "hook destroyRandom"};
    Lines const log = Filter(CallLog(), {"hook", "platform Setup", "platform Enforce", "platform Destroy", "app Setup",
                                         "app Register", "app Cleanup", "audio Setup", "audio Cleanup", "A Setup",
                                         "A Exit", "A Destroy", "A deleted", "gp Cleanup", "gp deleted"});
    Lines logSetup(log.begin(), log.begin() + std::min(log.size(), setup.size()));
    EXPECT_EQ(setup, logSetup);
    // Pass 1 ran a step; pass 2 ended the loop.
    Lines const lastPass = Filter(Pass(2), {"hook", "platform Destroy", "app Cleanup", "audio Cleanup", "A Exit",
                                            "A Destroy", "A deleted", "gp Cleanup", "gp deleted"});
    EXPECT_EQ(teardown, lastPass);
    EXPECT_FALSE(IsGraphicsPlatformRegistered());
}

TEST_F(MainLoopEngineTest, FirstFrameDrawsTheModeThenTheApplicationThenTheCursor)
{
    StartWith({new RecordingMode("A")});
    RunPasses(1);

    Lines const beforeFirstPass = BeforeFirstPass();
    Lines const expected = {"platform ClearPendingRepaint", "gp BeginScene", "A Draw [A]", "app Draw",
                            "hook drawCustomCursor", "gp EndScene"};
    EXPECT_EQ(expected, Filter(beforeFirstPass, {"platform ClearPendingRepaint", "gp ", "A Draw", "app Draw",
                                                 "hook drawCustomCursor"}));
}

TEST_F(MainLoopEngineTest, SingleInstanceFailureEndsWithoutLoopOrTearDown)
{
    application->config.singleInstance = true;
    platform->anotherInstanceRuns = true;
    StartWith({new RecordingMode("A")});
    RunPasses(5);

    EXPECT_EQ(0, Count(CallLog(), "pass"));
    EXPECT_EQ(0, Count(CallLog(), "app Cleanup"));
    EXPECT_EQ(0, Count(CallLog(), "hook shutdownLabels"));
    // The queued first mode never started; it is dropped rather than leaked.
    EXPECT_EQ(0, Count(CallLog(), "A Setup"));
    EXPECT_EQ(1, Count(CallLog(), "A deleted"));
}

TEST_F(MainLoopEngineTest, SingleInstanceIsNotAskedWhenTheFlagIsOff)
{
    application->config.singleInstance = false;
    platform->anotherInstanceRuns = true;
    RunPasses(1);

    EXPECT_EQ(0, Count(CallLog(), "platform EnforceSingleInstance"));
    EXPECT_EQ(1, Count(CallLog(), "pass 1"));
}

TEST_F(MainLoopEngineTest, PlatformIsCreatedWhenNoneIsRegistered)
{
    platform.reset();
    FakePlatform* created = nullptr;
    MainLoop::Internal::GetEngineHooks().createPlatform = [&created]() -> IPlatform* {
        Record("hook createPlatform");
        created = new FakePlatform();
        return created;
    };
    MainLoop::Execute();

    EXPECT_EQ((Lines{"hook setupRandom", "hook createPlatform", "platform Setup"}),
              Filter(CallLog(), {"hook setupRandom", "hook createPlatform", "platform Setup"}));
    platform.reset(created);
}

TEST_F(MainLoopEngineTest, WithoutAudioPlatformSetupUpdateAndCleanupSkipIt)
{
    audio.reset();
    StartWith({new RecordingMode("A")});
    RunPasses(1);

    EXPECT_EQ(0, Count(CallLog(), "audio"));
    EXPECT_EQ(1, Count(Pass(1), "A Update"));
}

// --- invalid input: set-up that cannot start ---------------------------------------

TEST_F(MainLoopEngineTest, NoPlatformAndNoWayToMakeOneFailsBeforeAnythingElse)
{
    platform.reset();
    EXPECT_THROW(MainLoop::Execute(), RuntimeError);

    EXPECT_EQ(0, Count(CallLog(), "app"));
    EXPECT_EQ(0, Count(CallLog(), "pass"));
}

TEST_F(MainLoopEngineTest, NoApplicationFailsBeforeAnythingElse)
{
    application.reset();
    EXPECT_THROW(MainLoop::Execute(), RuntimeError);

    EXPECT_EQ(Lines(), CallLog());
}

// --- quitting -----------------------------------------------------------------

TEST_F(MainLoopEngineTest, QuitHandlerThatRefusesStopsTheQuestioning)
{
    RecordingQuitHandler first("first", true);
    RecordingQuitHandler second("second", false);
    RecordingQuitHandler third("third", true);
    MainLoop::AddQuitHandler(&first);
    MainLoop::AddQuitHandler(&second);
    MainLoop::AddQuitHandler(&third);

    RunPasses(3, [](int pass) {
        if (pass == 1)
            MainLoop::RequestQuit();
    });
    MainLoop::RemoveQuitHandler(&first);
    MainLoop::RemoveQuitHandler(&second);
    MainLoop::RemoveQuitHandler(&third);

    EXPECT_EQ((Lines{"ask first", "ask second", "platform EnsureWindowVisible"}),
              Filter(Pass(1), {"ask", "platform EnsureWindowVisible"}));
    // The refused quit did not end the loop.
    EXPECT_EQ(1, Count(CallLog(), "pass 3"));
}

TEST_F(MainLoopEngineTest, QuitAllowedByEveryHandlerEndsTheLoopAtTheNextPass)
{
    RecordingQuitHandler first("first", true);
    RecordingQuitHandler second("second", true);
    MainLoop::AddQuitHandler(&first);
    MainLoop::AddQuitHandler(&second);

    RunPasses(5, [](int pass) {
        if (pass == 1)
            MainLoop::RequestQuit();
    });
    MainLoop::RemoveQuitHandler(&first);
    MainLoop::RemoveQuitHandler(&second);

    EXPECT_EQ((Lines{"ask first", "ask second"}), Filter(CallLog(), {"ask"}));
    EXPECT_EQ(0, Count(CallLog(), "pass 2"));
    EXPECT_EQ(0, Count(CallLog(), "platform EnsureWindowVisible"));
}

TEST_F(MainLoopEngineTest, QuitWithoutHandlersAndExitEndTheLoop)
{
    RunPasses(5, [](int pass) {
        if (pass == 1)
            MainLoop::RequestQuit();
    });
    EXPECT_EQ(0, Count(CallLog(), "pass 2"));

    CallLog().clear();
    RecordingQuitHandler refuses("refuses", false);
    MainLoop::AddQuitHandler(&refuses);
    platform->pass = 0;
    RunPasses(5, [](int pass) {
        if (pass == 1)
            MainLoop::Exit();
    });
    MainLoop::RemoveQuitHandler(&refuses);

    // Exit asks nobody.
    EXPECT_EQ(0, Count(CallLog(), "ask"));
    EXPECT_EQ(0, Count(CallLog(), "pass 2"));
}

TEST_F(MainLoopEngineTest, RemovingAQuitHandlerRemovesEveryOccurrence)
{
    RecordingQuitHandler refuses("refuses", false);
    MainLoop::AddQuitHandler(&refuses);
    MainLoop::AddQuitHandler(&refuses);
    MainLoop::RemoveQuitHandler(&refuses);

    RunPasses(5, [](int pass) {
        if (pass == 1)
            MainLoop::RequestQuit();
    });
    EXPECT_EQ(0, Count(CallLog(), "ask"));
    EXPECT_EQ(0, Count(CallLog(), "pass 2"));
}

TEST_F(MainLoopEngineTest, PlatformQuitPendingEndsTheLoop)
{
    RunPasses(5, [this](int pass) {
        if (pass == 2)
            platform->quitPending = true;
    });
    EXPECT_EQ(1, Count(CallLog(), "pass 2"));
    EXPECT_EQ(0, Count(CallLog(), "pass 3"));
}

// --- input ---------------------------------------------------------------------

TEST_F(MainLoopEngineTest, EventsReachTheTopModeOnly)
{
    StartWith({new RecordingMode("A"), new RecordingMode("B")});
    RunPasses(1, [this](int) {
        platform->events = {Event(kInputEvent_MouseMove, 10, 20, 0),    Event(kInputEvent_MouseDown, 10, 20, 1),
                            Event(kInputEvent_MouseUp, 11, 21, 0),      Event(kInputEvent_KeyDown, 0, 0, 65),
                            Event(kInputEvent_KeyUp, 0, 0, 65),         Event(kInputEvent_MouseLeave, 0, 0, 0),
                            Event(kInputEvent_Activate, 0, 0, 0),       Event(kInputEvent_Deactivate, 0, 0, 0),
                            MakeMouseWheelEvent(3, 2, 5, 6)};
    });

    Lines const expected = {"B MouseMove 10 20", "B MouseDown 1 10 20", "B MouseUp 0 11 21", "B KeyDown 65",
                            "B KeyUp 65",        "B MouseLeave",        "B MouseWheel 1.5 5 6"};
    EXPECT_EQ(expected, Filter(Pass(1), {"A Mouse", "A Key", "B Mouse", "B Key"}));
}

TEST_F(MainLoopEngineTest, LastMousePositionFollowsMovesAndLeaves)
{
    StartWith({new RecordingMode("A")});
    std::vector<std::pair<int, int>> seen;
    RunPasses(3, [this, &seen](int pass) {
        if (pass <= 3)
            seen.push_back(MainLoop::GetLastMousePos());
        if (pass == 1)
            platform->events = {Event(kInputEvent_MouseMove, 30, 40, 0)};
        if (pass == 2)
        {
            platform->events = {Event(kInputEvent_MouseLeave, 0, 0, 0)};
        }
    });
    seen.push_back(MainLoop::GetLastMousePos());

    ASSERT_EQ(4u, seen.size());
    EXPECT_EQ(std::make_pair(-50, -50), seen[0]);
    EXPECT_EQ(std::make_pair(30, 40), seen[1]);
    EXPECT_EQ(std::make_pair(-50, -50), seen[2]);
    // Tear-down leaves no stale position for a later run.
    EXPECT_EQ(std::make_pair(-50, -50), seen[3]);
}

TEST_F(MainLoopEngineTest, EnteredModeIsToldTheLastMousePosition)
{
    StartWith({new RecordingMode("A")});
    RunPasses(3, [this](int pass) {
        if (pass == 1)
            platform->events = {Event(kInputEvent_MouseMove, 7, 8, 0)};
        if (pass == 2)
            MainLoop::PushMode(new RecordingMode("B"));
    });

    EXPECT_EQ((Lines{"B Enter", "B MouseMove 7 8"}), Filter(Pass(2), {"B Enter", "B MouseMove"}));
}

TEST_F(MainLoopEngineTest, InputWhileAChangeIsPendingIsDropped)
{
    StartWith({new RecordingMode("A")});
    RunPasses(2, [this](int pass) {
        if (pass == 1)
        {
            MainLoop::PushMode(new RecordingMode("B"));
            platform->events = {Event(kInputEvent_KeyDown, 0, 0, 32)};
        }
        if (pass == 2)
            platform->events = {Event(kInputEvent_KeyDown, 0, 0, 13)};
    });

    EXPECT_EQ(Lines(), Filter(Pass(1), {"A Key", "B Key"}));
    EXPECT_EQ((Lines{"B KeyDown 13"}), Filter(Pass(2), {"A Key", "B Key"}));
}

TEST_F(MainLoopEngineTest, InputWithAnEmptyStackIsDropped)
{
    std::pair<int, int> seen(0, 0);
    RunPasses(2, [this, &seen](int pass) {
        if (pass == 1)
            platform->events = {Event(kInputEvent_MouseMove, 5, 5, 0)};
        if (pass == 2)
            seen = MainLoop::GetLastMousePos();
    });
    EXPECT_EQ(1, Count(Pass(1), "platform HandleEvents"));
    EXPECT_EQ(std::make_pair(-50, -50), seen);
}

// --- invalid input events -----------------------------------------------------------

TEST_F(MainLoopEngineTest, UnknownEventKindsAreDroppedAndAZeroWheelDivisorCountsAsOne)
{
    StartWith({new RecordingMode("A")});
    RunPasses(1, [this](int) {
        platform->events = {Event(10, 1, 2, 3), Event(0xFFFFFFFFu, 1, 2, 3), MakeMouseWheelEvent(-4, 0, 1, 2)};
    });

    EXPECT_EQ((Lines{"A MouseWheel -4 1 2"}), Filter(Pass(1), {"A Mouse", "A Key", "A Text"}));
}

// --- non-ASCII text input -------------------------------------------------------------

TEST_F(MainLoopEngineTest, TextInputIsCopiedFromTheEventWithItsAccents)
{
    RecordingMode* a = new RecordingMode("A");
    StartWith({a});
    std::wstring received;
    RunPasses(1, [this, a, &received](int) {
        std::unique_ptr<std::wstring> text(new std::wstring(L"Señor Peña: ¡grúa!"));
        platform->events = {MakeTextInputEvent(text->c_str())};
        platform->HandleEvents(MainLoop::Internal::GetInputEventSink());
        // The platform's text is gone after the call; the mode kept its own copy.
        text.reset();
        received = a->lastText;
    });

    EXPECT_EQ(L"Señor Peña: ¡grúa!", received);
}

// --- drawing over the stack -------------------------------------------------------------

TEST_F(MainLoopEngineTest, OpaqueTopHidesEverythingBelow)
{
    StartWith({new RecordingMode("A"), new RecordingMode("B")});
    RunPasses(1);

    Lines const beforeFirstPass = BeforeFirstPass();
    EXPECT_EQ((Lines{"B IsOpaque", "B Draw [B]"}),
              Filter(beforeFirstPass, {"A IsOpaque", "A Draw", "B IsOpaque", "B Draw", "B DrawBackground", "dim"}));
}

TEST_F(MainLoopEngineTest, OverlayDimsTheModesBelowBeforeDrawing)
{
    StartWith({new RecordingMode("A"), new RecordingMode("B", false), new RecordingMode("C", false)});
    RunPasses(1);

    Lines const beforeFirstPass = BeforeFirstPass();
    // The bottom mode is drawn without being asked whether it is opaque.
    Lines const expected = {"C IsOpaque", "B IsOpaque", "A Draw [A]", "B Draw [B]", "C DrawBackground [C]",
                            "dim",        "C Draw [C]", "app Draw"};
    EXPECT_EQ(expected, Filter(beforeFirstPass, {"A IsOpaque", "A Draw", "B IsOpaque", "B Draw", "C IsOpaque",
                                                 "C Draw", "dim", "app Draw"}));
}

TEST_F(MainLoopEngineTest, OverlayOnAnOpaqueModeStartsAtThatMode)
{
    StartWith({new RecordingMode("A"), new RecordingMode("B"), new RecordingMode("C", false)});
    RunPasses(1);

    Lines const beforeFirstPass = BeforeFirstPass();
    Lines const expected = {"B Draw [B]", "C DrawBackground [C]", "dim", "C Draw [C]"};
    EXPECT_EQ(expected, Filter(beforeFirstPass, {"A Draw", "B Draw", "C Draw", "dim"}));
}

TEST_F(MainLoopEngineTest, BackgroundIsNotDimmedWithoutHardwareCapability)
{
    graphicsCaps = kGraphicsPlatformCaps_Software;
    StartWith({new RecordingMode("A"), new RecordingMode("B", false)});
    RunPasses(1);

    EXPECT_LE(1, Count(CallLog(), "B DrawBackground"));
    EXPECT_EQ(0, Count(CallLog(), "dim"));
}

TEST_F(MainLoopEngineTest, SingleNonOpaqueModeHasNoBackgroundToDim)
{
    StartWith({new RecordingMode("A", false)});
    RunPasses(1);

    EXPECT_EQ(0, Count(CallLog(), "A IsOpaque"));
    EXPECT_EQ(0, Count(CallLog(), "A DrawBackground"));
    EXPECT_LE(1, Count(CallLog(), "A Draw"));
}

// --- a failure leaves state unchanged: frames that cannot be drawn ----------------------

TEST_F(MainLoopEngineTest, FailedBeginSceneSkipsTheWholeFrame)
{
    application->onSetup = [this] {
        MainLoop::PushMode(new RecordingMode("A"));
        graphics->beginSceneResult = -1;
    };
    RunPasses(1);

    EXPECT_LE(1, Count(CallLog(), "gp BeginScene"));
    EXPECT_EQ(0, Count(CallLog(), "A Draw"));
    EXPECT_EQ(0, Count(CallLog(), "app Draw"));
    EXPECT_EQ(0, Count(CallLog(), "gp EndScene"));
}

TEST_F(MainLoopEngineTest, WithoutScreenCanvasOnlyTheApplicationDraws)
{
    application->onSetup = [this] {
        MainLoop::PushMode(new RecordingMode("A"));
        graphics->hasCanvas = false;
    };
    RunPasses(1);

    EXPECT_EQ(0, Count(CallLog(), "A Draw"));
    EXPECT_LE(1, Count(CallLog(), "app Draw"));
    EXPECT_LE(1, Count(CallLog(), "gp EndScene"));
}

TEST_F(MainLoopEngineTest, WithoutGraphicsPlatformNothingIsDrawn)
{
    MainLoop::Internal::GetEngineHooks().setWindowConfig = nullptr;
    StartWith({new RecordingMode("A")});
    RunPasses(1);

    EXPECT_EQ(0, Count(CallLog(), "A Draw"));
    EXPECT_EQ(0, Count(CallLog(), "app Draw"));
    EXPECT_EQ(2, Count(CallLog(), "A Update"));
}

} // namespace
} // namespace MainLoopTest
} // namespace Corvane
