// The mode stack: queued changes applied between frames, the Enter/Exit and
// Setup/Destroy brackets, context modes and the stack queries.

#include "2DEngine/Tests/Framework/MainLoopTestSupport.h"

#include "Core/Source/Error.h"

namespace Corvane
{
namespace MainLoopTest
{
namespace
{

using Lines = std::vector<std::string>;

class MainLoopModeStackTest : public MainLoopFixture
{
};

// --- normal case -----------------------------------------------------------

TEST_F(MainLoopModeStackTest, FirstModeIsSetUpEnteredAndToldTheMousePosition)
{
    StartWith({new RecordingMode("A")});
    RunPasses(1);

    Lines const expected = {"A Setup [A]", "A Enter", "A MouseMove -50 -50", "app OnEnterMode"};
    EXPECT_EQ(expected, Filter(CallLog(), {"A Setup", "A Enter", "A MouseMove", "app OnEnterMode"}));
}

TEST_F(MainLoopModeStackTest, PushAndPopInOneFrameSetsUpAndDestroysThePushedMode)
{
    StartWith({new RecordingMode("A")});
    RunPasses(2, [](int pass) {
        if (pass == 1)
        {
            MainLoop::PushMode(new RecordingMode("B"));
            MainLoop::PopMode();
        }
    });

    Lines const expected = {"A Exit",  "B Setup [B]",         "B Destroy [B]",  "B deleted",
                            "A Enter", "A MouseMove -50 -50", "app OnEnterMode"};
    EXPECT_EQ(expected, Filter(Pass(1), {"A Exit", "A Enter", "A MouseMove", "B ", "app OnEnterMode"}));
}

TEST_F(MainLoopModeStackTest, ChangeReplacesTheTopMode)
{
    StartWith({new RecordingMode("A")});
    RunPasses(2, [](int pass) {
        if (pass == 1)
            MainLoop::ChangeMode(new RecordingMode("B"));
        if (pass == 2)
        {
            RecordingMode* top = dynamic_cast<RecordingMode*>(MainLoop::GetTopMostMode(0));
            Record("top %s", top ? top->GetName().c_str() : "none");
            Record("below %s", MainLoop::GetTopMostMode(1) ? "some" : "none");
        }
    });

    Lines const expected = {"A Exit", "A Destroy [A]", "A deleted", "B Setup [B]", "B Enter"};
    EXPECT_EQ(expected, Filter(Pass(1), {"A ", "B Setup", "B Enter"}));
    EXPECT_EQ((Lines{"top B", "below none"}), Filter(Pass(2), {"top", "below"}));
}

TEST_F(MainLoopModeStackTest, ChangeOnAnEmptyStackPushesTheMode)
{
    application->onSetup = [] {
        MainLoop::PopMode();
        MainLoop::ChangeMode(new RecordingMode("A"));
    };
    RunPasses(1);

    EXPECT_EQ((Lines{"A Setup [A]", "A Enter"}), Filter(BeforeFirstPass(), {"A Setup", "A Enter", "A Destroy"}));
}

TEST_F(MainLoopModeStackTest, UnwindToAModeNotOnTheStackPopsEverythingThenPushesIt)
{
    StartWith({new RecordingMode("A"), new RecordingMode("B")});
    RunPasses(2, [](int pass) {
        if (pass == 1)
            MainLoop::UnwindToMode(new RecordingMode("C"));
        if (pass == 2)
            Record("depth1 %s", MainLoop::GetTopMostMode(1) ? "some" : "none");
    });

    Lines const expected = {"B Exit",    "B Destroy [B]", "B deleted", "A Destroy [A]",
                            "A deleted", "C Setup [C]",   "C Enter"};
    EXPECT_EQ(expected, Filter(Pass(1), {"A Destroy", "A deleted", "B ", "C Setup", "C Enter"}));
    EXPECT_EQ((Lines{"depth1 none"}), Filter(Pass(2), {"depth1"}));
}

TEST_F(MainLoopModeStackTest, UnwindToAModeOnTheStackKeepsItWithoutSettingItUpAgain)
{
    RecordingMode* a = new RecordingMode("A");
    StartWith({a, new RecordingMode("B"), new RecordingMode("C")});
    RunPasses(2, [a](int pass) {
        if (pass == 1)
            MainLoop::UnwindToMode(a);
    });

    Lines const expected = {"C Exit", "C Destroy [C]", "C deleted", "B Destroy [B]", "B deleted", "A Enter"};
    EXPECT_EQ(expected, Filter(Pass(1), {"A Enter", "A Setup", "A Destroy", "B ", "C "}));
}

TEST_F(MainLoopModeStackTest, ChangeQueuedBySetupJoinsTheBatchAndOnlyTheLastModeIsEntered)
{
    RecordingMode* a = new RecordingMode("A");
    a->onSetup = [] { MainLoop::ChangeMode(new RecordingMode("B")); };
    StartWith({a});
    RunPasses(1);

    Lines const expected = {"A Setup [A]", "A Destroy [A]", "A deleted", "B Setup [B]", "B Enter"};
    EXPECT_EQ(expected, Filter(CallLog(), {"A Setup", "A Enter", "A Destroy", "A deleted", "B Setup", "B Enter"}));
}

TEST_F(MainLoopModeStackTest, ChangeQueuedByEnterWaitsForTheNextPass)
{
    RecordingMode* a = new RecordingMode("A");
    bool pushed = false;
    a->onEnter = [&pushed] {
        if (!pushed)
        {
            pushed = true;
            MainLoop::PushMode(new RecordingMode("B"));
        }
    };
    StartWith({a});
    RunPasses(1);

    // The first batch ran before pass 1; B waits for pass 1.
    EXPECT_EQ(1, Count(CallLog(), "B Setup"));
    EXPECT_EQ(1, Count(Pass(1), "B Setup"));
}

TEST_F(MainLoopModeStackTest, EnterAndExitBracketEveryBatchEvenWhenTheTopStays)
{
    StartWith({new RecordingMode("A")});
    RunPasses(2, [](int pass) {
        if (pass == 1)
        {
            MainLoop::PushMode(new RecordingMode("B"));
            MainLoop::PushMode(new RecordingMode("C"));
            MainLoop::PopMode();
            MainLoop::PopMode();
        }
    });

    Lines const expected = {"A Exit", "A Enter"};
    EXPECT_EQ(expected, Filter(Pass(1), {"A Exit", "A Enter"}));
    EXPECT_EQ(1, Count(Pass(1), "app OnEnterMode"));
}

TEST_F(MainLoopModeStackTest, OnlyTheTopModeIsUpdated)
{
    StartWith({new RecordingMode("A"), new RecordingMode("B")});
    RunPasses(1);

    // One update at start, one in pass 1.
    EXPECT_EQ(0, Count(CallLog(), "A Update"));
    EXPECT_EQ(2, Count(CallLog(), "B Update"));
}

TEST_F(MainLoopModeStackTest, TearDownExitsTheTopAndDestroysEveryModeTopFirst)
{
    StartWith({new RecordingMode("A"), new RecordingMode("B")});
    RunPasses(1);

    Lines const expected = {"B Exit", "B Destroy [B]", "B deleted", "A Destroy [A]", "A deleted", "app Cleanup"};
    EXPECT_EQ(expected, Filter(Pass(2), {"A ", "B ", "app Cleanup"}));
}

// --- context mode ------------------------------------------------------------

TEST_F(MainLoopModeStackTest, ContextModeFallsBackToTheTopAndAutoContextRestoresIt)
{
    EXPECT_EQ(nullptr, MainLoop::GetContextMode());

    RecordingMode* a = new RecordingMode("A");
    StartWith({a});
    std::unique_ptr<RecordingMode> outside(new RecordingMode("X"));
    RunPasses(1, [a, &outside](int) {
        Record("context %s", ContextName());
        {
            MainLoop::AutoContext saver;
            MainLoop::WithinContext(outside.get(), saver);
            Record("context %s", ContextName());
            {
                MainLoop::AutoContext inner;
                MainLoop::WithinContext(a, inner);
                Record("context %s", ContextName());
            }
            Record("context %s", ContextName());
        }
        Record("context %s", ContextName());
    });

    Lines const expected = {"context A", "context X", "context A", "context X", "context A"};
    EXPECT_EQ(expected, Filter(Pass(1), {"context"}));
    EXPECT_EQ(nullptr, MainLoop::GetContextMode());
}

TEST_F(MainLoopModeStackTest, StackQueriesOutsideTheRangeGiveNull)
{
    EXPECT_EQ(nullptr, MainLoop::GetTopMostMode(0));
    EXPECT_EQ(nullptr, MainLoop::GetTopMostMode(-1));

    StartWith({new RecordingMode("A"), new RecordingMode("B")});
    RunPasses(1, [](int) {
        Record("depth0 %s", MainLoop::GetTopMostMode(0) ? "some" : "none");
        Record("depth1 %s", MainLoop::GetTopMostMode(1) ? "some" : "none");
        Record("depth2 %s", MainLoop::GetTopMostMode(2) ? "some" : "none");
        Record("depth-1 %s", MainLoop::GetTopMostMode(-1) ? "some" : "none");
    });

    Lines const expected = {"depth0 some", "depth1 some", "depth2 none", "depth-1 none"};
    EXPECT_EQ(expected, Filter(Pass(1), {"depth"}));
}

TEST_F(MainLoopModeStackTest, ModeOfADatabaseIsFoundOnTheStack)
{
    RecordingMode* a = new RecordingMode("A");
    RecordingMode* b = new RecordingMode("B");
    StartWith({a, b});
    std::unique_ptr<RecordingMode> stray(new RecordingMode("X"));
    RunPasses(1, [a, b, &stray](int) {
        Record("found A %d", ApplicationMode::FindModeOfDatabase(a->GetObjectDatabase()) == a ? 1 : 0);
        Record("found B %d", ApplicationMode::FindModeOfDatabase(b->GetObjectDatabase()) == b ? 1 : 0);
        Record("found X %d", ApplicationMode::FindModeOfDatabase(stray->GetObjectDatabase()) ? 1 : 0);
        Record("found null %d", ApplicationMode::FindModeOfDatabase(nullptr) ? 1 : 0);
    });

    Lines const expected = {"found A 1", "found B 1", "found X 0", "found null 0"};
    EXPECT_EQ(expected, Filter(Pass(1), {"found"}));
}

// --- invalid input -------------------------------------------------------------

TEST_F(MainLoopModeStackTest, NullModesAreNotQueued)
{
    StartWith({new RecordingMode("A")});
    RunPasses(2, [](int pass) {
        if (pass == 1)
        {
            MainLoop::ChangeMode(nullptr);
            MainLoop::PushMode(nullptr);
            MainLoop::UnwindToMode(nullptr);
        }
    });

    // Nothing was queued, so no batch ran and A stayed the top.
    EXPECT_EQ(0, Count(Pass(1), "A Exit"));
    EXPECT_EQ(0, Count(Pass(1), "A Destroy"));
}

TEST_F(MainLoopModeStackTest, PopOnAnEmptyStackDoesNothing)
{
    application->onSetup = [] {
        MainLoop::PopMode();
        MainLoop::PopMode();
    };
    RunPasses(1);

    // The batch ran with nothing to pop and left no mode to enter.
    EXPECT_EQ(0, Count(CallLog(), "app OnEnterMode"));
    EXPECT_EQ(1, Count(CallLog(), "app Cleanup"));
}

TEST_F(MainLoopModeStackTest, ModesQueuedButNeverAppliedAreDeletedAtTearDown)
{
    StartWith({new RecordingMode("A")});
    // Queued in the pass that ends the loop.
    RunPasses(1, [](int pass) {
        if (pass == 2)
            MainLoop::PushMode(new RecordingMode("Late"));
    });

    // Never set up, so never destroyed; but not leaked either.
    EXPECT_EQ(0, Count(CallLog(), "Late Setup"));
    EXPECT_EQ(0, Count(CallLog(), "Late Destroy"));
    EXPECT_EQ(1, Count(CallLog(), "Late deleted"));
}

// --- non-ASCII names -----------------------------------------------------------

TEST_F(MainLoopModeStackTest, ModesWithSpanishNamesGoThroughTheirLifeCycle)
{
    StartWith({new RecordingMode("Camión")});
    RunPasses(2, [](int pass) {
        if (pass == 1)
            MainLoop::ChangeMode(new RecordingMode("Grúa"));
    });

    Lines const expected = {"Camión Exit", "Camión Destroy [Camión]", "Camión deleted", "Grúa Setup [Grúa]",
                            "Grúa Enter"};
    EXPECT_EQ(expected, Filter(Pass(1), {"Camión", "Grúa Setup", "Grúa Enter"}));
}

// --- a failure leaves state unchanged --------------------------------------------

TEST_F(MainLoopModeStackTest, ContextIsRestoredWhenDestroyThrows)
{
    RecordingMode* a = new RecordingMode("A");
    RecordingMode* b = new RecordingMode("B");
    b->onDestroy = [] { CORVANE_THROW("Destroy failed"); };
    StartWith({a, b});

    platform->maxPasses = 2;
    platform->script = [](int pass) {
        if (pass == 1)
            MainLoop::PopMode();
    };
    EXPECT_THROW(MainLoop::Execute(), RuntimeError);

    // B was deleted although its Destroy threw, and the context is not left on it.
    EXPECT_EQ(1, Count(CallLog(), "B deleted"));
    EXPECT_EQ(a, MainLoop::GetContextMode());
    EXPECT_EQ(a, MainLoop::GetTopMostMode(0));

    // A second run tears the remaining mode down.
    delete GetGraphicsPlatform();
    application->onSetup = nullptr;
    platform->pass = 0;
    RunPasses(1);
    EXPECT_EQ(1, Count(CallLog(), "A deleted"));
    EXPECT_EQ(nullptr, MainLoop::GetTopMostMode(0));
}

} // namespace
} // namespace MainLoopTest
} // namespace Corvane
