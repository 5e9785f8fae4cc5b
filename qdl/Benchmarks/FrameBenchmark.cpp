#include "qdl/Benchmarks/FrameBenchmark.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLBackdrop.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"
#include "qdl/Benchmarks/DrawCounter.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"

namespace
{

// Twenty minutes.
float const kMostLoadingSeconds = 1200.0f;
// Frames before the timing: the whole first one, then enough for a backdrop's picture to be
// taken and drawn once.
int const kWarmUpFrames = 6;
// A screen whose timing waits for the picture of the layers beneath.
int const kMostWarmUpFrames = 60;

double processSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// With QDL_BENCHMARK_PERF_FIFO naming the control fifo of `perf record -D -1
// --control fifo:<fifo>`, perf samples only the timed frames, not the loading.
class PerfControl
{
public:
    PerfControl()
    {
        char const* const fifo = std::getenv("QDL_BENCHMARK_PERF_FIFO");
        mControl = fifo ? std::fopen(fifo, "w") : nullptr;
        tell("enable\n");
    }
    ~PerfControl()
    {
        tell("disable\n");
        if (mControl)
            std::fclose(mControl);
    }
    PerfControl(PerfControl const&) = delete;
    PerfControl& operator=(PerfControl const&) = delete;

private:
    void tell(char const* command)
    {
        if (!mControl)
            return;
        std::fputs(command, mControl);
        std::fflush(mControl);
    }

    std::FILE* mControl;
};

} // namespace

void BenchmarkFrames(benchmark::State& state, std::function<void(GameDriver::Driver&)> const& prepare,
                     ChildStep const& reach, sFrameSteps const& steps)
{
    GameDriver::Driver driver;
    std::string reason;
    if (!driver.HasDisplay(&reason))
    {
        state.SkipWithError(("no display: " + reason).c_str());
        return;
    }
    if (prepare)
        prepare(driver);
    bool const kept = state.range(0) == kKeptFrames;
    driver.Play([&state, &reach, &steps, kept](GameDriver::Child& child) {
        // Loading runs on its own thread in real time: on a busy machine it takes long.
        bool const loaded = child.WaitForLoading(kMostLoadingSeconds);
        if (!loaded || !reach(child))
        {
            state.SkipWithError("the screen was not reached");
            return;
        }
        // The driver's platform keeps frames as the game's does; the whole variant switches that
        // off once the screen is reached.
        child.RunOnLoop([kept] {
            if (auto* graphics = dynamic_cast<MacOSX::OpenGLGraphicsPlatform*>(Corvane::GetGraphicsPlatform()))
                graphics->SetRetainedFrames(kept);
        });
        // Untimed frames played as the timed ones are: the first kept frame repaints the whole
        // window, and the picture of the layers beneath is taken and first drawn (its copy's
        // shader compiled once) before the timing starts.
        uint64_t const pictures = Corvane::OpenGLBackdrop::PicturesTaken();
        auto const warmedUp = [&](int n) {
            return n >= kWarmUpFrames && (!kept || !steps.afterThePictureBeneath ||
                                          Corvane::OpenGLBackdrop::PicturesTaken() > pictures);
        };
        for (int n = 0; !warmedUp(n); ++n)
        {
            if (n == kMostWarmUpFrames)
            {
                state.SkipWithError("the picture of the layers beneath was never taken");
                return;
            }
            if ((steps.between && !steps.between(child)) || !(steps.frame ? steps.frame(child) : child.Frames(1)))
            {
                state.SkipWithError("the screen did not last the warm-up frames");
                return;
            }
        }
        double cpu = 0.0;
        sDrawCounts drawn;
        {
            PerfControl const perf;
            for (auto _ : state)
            {
                if (steps.between)
                {
                    state.PauseTiming();
                    bool const ready = steps.between(child);
                    state.ResumeTiming();
                    if (!ready)
                    {
                        state.SkipWithError("the next move could not be started");
                        break;
                    }
                }
                sDrawCounts const before = GetDrawCounts();
                double const start = processSeconds();
                bool const played = steps.frame ? steps.frame(child) : child.Frames(1);
                cpu += processSeconds() - start;
                sDrawCounts const after = GetDrawCounts();
                drawn.pixelsRepainted += after.pixelsRepainted - before.pixelsRepainted;
                drawn.batches += after.batches - before.batches;
                if (!played)
                {
                    state.SkipWithError("the game ended");
                    break;
                }
            }
        }
        state.counters["cpu_ms"] = benchmark::Counter(cpu * 1000.0, benchmark::Counter::kAvgIterations);
        state.counters["repaint_kpx"] =
            benchmark::Counter(double(drawn.pixelsRepainted) / 1000.0, benchmark::Counter::kAvgIterations);
        state.counters["batches"] = benchmark::Counter(double(drawn.batches), benchmark::Counter::kAvgIterations);
        // A picture of the screen measured, to check it is the one meant.
        char const* const folder = std::getenv("QDL_BENCHMARK_SCREENSHOT_DIR");
        if (folder)
            child.SaveScreenshot(std::string(folder) + "/" + child.TopScreen() + ".png");
    });
}

void StartGame(GameDriver::Driver& driver, GameModeDifficulty difficulty,
               std::function<Corvane::ApplicationMode*()> const& make)
{
    driver.SetAccountValue("AccountID", "PondoButton");
    driver.StartWith([difficulty, make]() -> Corvane::ApplicationMode* {
        GetStickerManager()->loadUnlockedStickerData();
        GetLevelManager()->setDifficulty(difficulty);
        GetLevelManager()->setFreePlay(true);
        return make();
    });
}

std::function<void(GameDriver::Driver&)> InFullScreen(std::function<void(GameDriver::Driver&)> const& prepare)
{
    return [prepare](GameDriver::Driver& driver) {
        if (prepare)
            prepare(driver);
        // The last record of a key is the one read.
        driver.SetAccountValue("Corvane::Window::Mode", "1");
    };
}

bool ClickAt(GameDriver::Child& child, int x, int y)
{
    return child.MoveMouseTo(x, y) && child.PressMouse() && child.ReleaseMouse();
}

ChildStep SweepPointer(int x0, int y0, int x1, int y1, int steps)
{
    auto const step = std::make_shared<int>(0);
    int const span = steps < 1 ? 1 : steps;
    return [=](GameDriver::Child& child) {
        int const phase = (*step)++ % (2 * span);
        int const along = phase <= span ? phase : 2 * span - phase;
        return child.MoveMouseTo(x0 + (x1 - x0) * along / span, y0 + (y1 - y0) * along / span);
    };
}
