// One frame of a mini-game mid-intro, over the real content in a window of the
// test display: the mode's update (tasks, scene, the mouse's enter and exit)
// and its drawing, as the main loop does them, without the platform's buffer
// swap. The goal is under 2 ms a frame.
// Run as `qdl/game_frame_benchmark` under a display (xvfb-run).

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <string>

#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Platform.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StreetSigns/StreetSignsMode.h"
#include "qdl/Source/Game/ToolShed/ToolShedMode.h"
#include "qdl/Tests/Driver/GameDriver.h"

namespace
{

using GameDriver::Child;

// Plays the mode until `intro` seconds into its intro, then times frames of it
// for as long as the benchmark asks (each iteration one 20 ms frame).
void TimeFramesMidIntro(benchmark::State& state, std::function<Corvane::ApplicationMode*()> const& makeMode,
                        std::string const& screen, float intro)
{
    GameDriver::Driver driver;
    std::string reason;
    if (!driver.HasDisplay(&reason))
    {
        state.SkipWithError(("no display: " + reason).c_str());
        return;
    }
    driver.StartWith([&makeMode] {
        GetLevelManager()->setDifficulty(kGameModeDifficulty_Hard);
        return makeMode();
    });
    driver.Play([&](Child& child) {
        if (!child.WaitForScreen(screen, 600) || !child.Wait(intro))
        {
            state.SkipWithError("the mode did not start");
            return;
        }
        child.RunOnLoop([&state] {
            Corvane::ApplicationMode* const mode = Corvane::MainLoop::GetTopMostMode(0);
            Corvane::IGraphicsPlatform* const graphics = Corvane::GetGraphicsPlatform();
            Corvane::MainLoop::AutoContext context;
            Corvane::MainLoop::WithinContext(mode, context);
            for (auto _ : state)
            {
                bool const drawing = graphics && graphics->BeginScene() == 0;
                auto const start = std::chrono::steady_clock::now();
                mode->Update(0.02f);
                if (drawing)
                    mode->Draw();
                // The buffer swap is the platform's, not the mode's: it is left out.
                state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
                if (drawing)
                    graphics->EndScene();
            }
        });
    });
}

void ToolShedFrameMidIntro(benchmark::State& state)
{
    // The scarecrow between its first and second volleys.
    TimeFramesMidIntro(state, [] { return new ToolShedMode(); }, "ToolShedMode", 5.5f);
}

void StreetSignsFrameMidIntro(benchmark::State& state)
{
    // Under the overlay the mode is not updated: the frame is timed as it would run once the truck drives.
    TimeFramesMidIntro(state, [] { return new StreetSignsMode(false, -1); }, "StreetSignsMode", 0.3f);
}

} // namespace

// 100 frames: 2 s of the intro, which stays within it.
BENCHMARK(ToolShedFrameMidIntro)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);
BENCHMARK(StreetSignsFrameMidIntro)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
