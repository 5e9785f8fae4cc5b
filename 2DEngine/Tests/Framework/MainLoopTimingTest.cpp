// The fixed 20 ms step: catch-up, the forced draw, the sleep after drawing, the
// short update after a mode change, the wrapping clock and the inactive path.
// The clock moves only when a script moves it; Sleep is recorded, not slept.

#include "2DEngine/Tests/Framework/MainLoopTestSupport.h"

namespace Corvane
{
namespace MainLoopTest
{
namespace
{

using Lines = std::vector<std::string>;

class MainLoopTimingTest : public MainLoopFixture
{
protected:
    void SetUp() override
    {
        MainLoopFixture::SetUp();
        StartWith({new RecordingMode("A")});
    }

    // What a pass did: its updates, draws and sleeps.
    static Lines Work(int pass)
    {
        return Filter(Pass(pass), {"app Update", "app Draw", "sleep"});
    }

    // Runs with the clock set at the top of each pass from the table
    // (index 0 is pass 1); the run ends after the last entry.
    void RunAt(std::vector<uint64_t> const& times)
    {
        RunPasses(static_cast<int>(times.size()), [this, times](int pass) {
            if (pass <= static_cast<int>(times.size()))
                clock.nowMS = times[pass - 1];
        });
    }
};

// --- normal case -----------------------------------------------------------

TEST_F(MainLoopTimingTest, StartRunsOneUpdateAndOneDrawBeforeTheFirstPass)
{
    RunAt({1000});

    Lines const beforeFirstPass = BeforeFirstPass();
    Lines const expected = {"A Setup [A]", "app Update 0.02", "A Update 0.02", "A Draw [A]", "app Draw"};
    EXPECT_EQ(expected, Filter(beforeFirstPass, {"A Setup", "app Update", "A Update", "A Draw", "app Draw"}));
}

TEST_F(MainLoopTimingTest, UpdateThenDrawThenSleepForTheRestOfTheStep)
{
    // Start at 1000: last update 980, last draw 1000.
    RunAt({1000, 1010, 1010, 1015, 1020});

    EXPECT_EQ((Lines{"app Update 0.02"}), Work(1));
    // An update happened since the last draw: draw, then sleep to the end of the step.
    EXPECT_EQ((Lines{"app Draw", "sleep 10"}), Work(2));
    // Nothing due: no update, no draw, no sleep.
    EXPECT_EQ(Lines(), Work(3));
    EXPECT_EQ(Lines(), Work(4));
    EXPECT_EQ((Lines{"app Update 0.02"}), Work(5));
}

TEST_F(MainLoopTimingTest, StallOfHalfASecondDrawsFirstThenRunsTwoStepsAndDropsTheRest)
{
    RunAt({1000, 1500, 1500, 1500});

    EXPECT_EQ((Lines{"app Update 0.02"}), Work(1));
    // More than 199 ms since the last draw: the draw wins over the due update.
    EXPECT_EQ((Lines{"app Draw"}), Work(2));
    // At most two catch-up steps.
    EXPECT_EQ((Lines{"app Update 0.02", "app Update 0.02"}), Work(3));
    // The remaining 460 ms of lag are gone: the next pass only draws.
    EXPECT_EQ((Lines{"app Draw", "sleep 20"}), Work(4));
}

TEST_F(MainLoopTimingTest, DrawIsForcedAfter200MillisecondsEvenWithAnUpdateDue)
{
    std::vector<uint64_t> times;
    for (uint64_t t = 1000; t <= 1200; t += 20)
        times.push_back(t);
    RunAt(times);

    // Passes 1 to 10 (up to 1180 ms) keep updating without a draw.
    for (int pass = 1; pass <= 10; ++pass)
        EXPECT_EQ((Lines{"app Update 0.02"}), Work(pass)) << "pass " << pass;
    // At 1200 ms, 200 ms after the last draw: draw, and the update waits.
    EXPECT_EQ((Lines{"app Draw"}), Work(11));
}

TEST_F(MainLoopTimingTest, ExactlyOneHundredNinetyNineMillisecondsDoesNotForceADraw)
{
    RunAt({1000, 1199, 1200});

    EXPECT_EQ((Lines{"app Update 0.02"}), Work(1));
    EXPECT_EQ((Lines{"app Update 0.02", "app Update 0.02"}), Work(2));
    EXPECT_EQ((Lines{"app Draw", "sleep 19"}), Work(3));
}

TEST_F(MainLoopTimingTest, UpdatesRunAudioThenApplicationThenTopMode)
{
    RunAt({1000});

    Lines const expected = {"audio Update 0.02", "app Update 0.02", "A Update 0.02"};
    EXPECT_EQ(expected, Filter(Pass(1), {"audio Update", "app Update", "A Update"}));
}

TEST_F(MainLoopTimingTest, PassThatAppliedAChangeRunsAShortUpdate)
{
    RunPasses(3, [this](int pass) {
        clock.nowMS = pass == 1 ? 1000 : 1005;
        if (pass == 2)
            MainLoop::PushMode(new RecordingMode("B"));
        if (pass == 3)
            MainLoop::PopMode();
    });

    EXPECT_EQ((Lines{"app Update 0.005"}), Work(2));
    // No time elapsed since the short update: an update of 0 s.
    EXPECT_EQ((Lines{"app Update 0"}), Work(3));
}

TEST_F(MainLoopTimingTest, UpdateThatQueuesAChangeStopsTheCatchUp)
{
    int updates = 0;
    RunPasses(2, [this, &updates](int pass) {
        if (pass == 1)
        {
            RecordingMode* top = dynamic_cast<RecordingMode*>(MainLoop::GetTopMostMode(0));
            ASSERT_NE(nullptr, top);
            // 40 ms due: two steps, unless a step queues a change.
            clock.nowMS = 1020;
            top->onUpdate = [&updates] {
                if (++updates == 1)
                    MainLoop::PushMode(new RecordingMode("B"));
            };
        }
    });

    EXPECT_EQ((Lines{"app Update 0.02"}), Work(1));
    // The change goes first; the step that was left runs after it.
    EXPECT_EQ(1, Count(Pass(2), "B Setup"));
    EXPECT_EQ((Lines{"app Update 0.02"}), Filter(Pass(2), {"app Update"}));
}

// --- invalid input: a clock that wraps ---------------------------------------------

TEST_F(MainLoopTimingTest, MillisecondClockWrapsWithoutAStallOrAFreeze)
{
    uint64_t const start = 0xFFFFFFF0ull;
    clock.nowMS = start;
    // Pass 2 is at 2^32 + 4 ms: the 32-bit count reads 4.
    RunAt({start, start + 20, start + 30});

    EXPECT_EQ((Lines{"app Update 0.02"}), Work(1));
    EXPECT_EQ((Lines{"app Update 0.02"}), Work(2));
    EXPECT_EQ(Lines(), Filter(Work(3), {"app Update"}));
}

// --- the inactive path ---------------------------------------------------------

TEST_F(MainLoopTimingTest, InactiveApplicationWaitsForEventsAndDoesNotCatchUp)
{
    platform->active = false;
    platform->onWait = [this] {
        // Five seconds pass in the wait; then the window is activated.
        clock.nowMS += 5000;
        platform->active = true;
    };
    RunPasses(2, [this](int pass) {
        if (pass == 1)
            clock.nowMS = 1000;
    });

    EXPECT_EQ((Lines{"platform WaitForEvent"}), Filter(Pass(1), {"platform WaitForEvent", "app Update", "app Draw"}));
    // Back at 6000 ms: one step, not 250 of them, and no draw yet.
    EXPECT_EQ((Lines{"app Update 0.02"}), Work(2));
}

TEST_F(MainLoopTimingTest, InactiveApplicationOnlyRepaintsOnRequest)
{
    platform->active = false;
    RunPasses(2, [this](int pass) {
        clock.nowMS += 100;
        if (pass == 1)
            platform->repaintPending = true;
    });

    EXPECT_EQ((Lines{"app Draw"}), Work(1));
    EXPECT_EQ(1, Count(Pass(1), "platform ClearPendingRepaint"));
    EXPECT_FALSE(platform->repaintPending);
    // The repaint was cleared by the draw: the next pass waits.
    EXPECT_EQ(1, Count(Pass(2), "platform WaitForEvent"));
    EXPECT_EQ(0, Count(Pass(2), "app Update"));
}

TEST_F(MainLoopTimingTest, RunInBackgroundKeepsUpdatingWhileInactive)
{
    platform->active = false;
    application->config.runInBackground = true;
    RunAt({1000});

    EXPECT_EQ((Lines{"app Update 0.02"}), Work(1));
    EXPECT_EQ(0, Count(Pass(1), "platform WaitForEvent"));
}

TEST_F(MainLoopTimingTest, CustomCursorIsDrawnOnlyWhileActive)
{
    platform->active = false;
    RunPasses(1, [this](int) { platform->repaintPending = true; });
    EXPECT_EQ(1, Count(Pass(1), "app Draw"));
    EXPECT_EQ(0, Count(CallLog(), "hook drawCustomCursor"));

    CallLog().clear();
    platform->active = true;
    platform->pass = 0;
    application->onSetup = [] { MainLoop::PushMode(new RecordingMode("A")); };
    RunPasses(1, nullptr);
    EXPECT_EQ(1, Count(CallLog(), "hook drawCustomCursor"));
}

} // namespace
} // namespace MainLoopTest
} // namespace Corvane
