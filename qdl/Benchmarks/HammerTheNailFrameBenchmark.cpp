// One frame of HammerTheNail (update and draw, on the software renderer under
// the test display) while a tool turns on a nail, driven as a child plays:
// a tool is picked up and a nail clicked whenever no turn is running, outside
// the timed part. Goal: under 2 ms a frame.
//
//     LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy xvfb-run -a qdl/hammer_the_nail_frame_benchmark

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "Core/Source/Label.h"
#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/HammerTheNail/HammerTheNailPlayer.h"

using GameDriver::Child;
using namespace HammerTheNailPlayer;

namespace
{
// Starts a turn on the next nail with clicks left; false when none is left.
bool StartATurn(Child& child)
{
    for (sPiece const& nail : child.Look(ReadNails))
        if (nail.frame > 0)
            return PickUp(child, nail.type, nail.color) && ClickAt(child, nail.x, nail.y);
    return false;
}

void BM_FrameWhileAToolTurns(benchmark::State& state)
{
    GameDriver::Driver driver;
    std::string reason;
    if (!driver.HasDisplay(&reason))
    {
        state.SkipWithError(reason.c_str());
        return;
    }
    driver.StartWith([]() -> Corvane::ApplicationMode* {
        GetLevelManager()->setDifficulty(kGameModeDifficulty_Hard);
        return createHammerTheNailGame(Corvane::Label());
    });
    driver.Play([&state](Child& child) {
        if (!child.WaitForScreen("HammerTheNailMode") || !DismissOverlay(child))
        {
            state.SkipWithError("the game did not start");
            return;
        }
        for (auto _ : state)
        {
            if (!child.Look(IsInputMasked) || child.Look(IsOutroStarted))
            {
                state.PauseTiming();
                // A new loop has a fresh board.
                while (!StartATurn(child))
                    child.Frames(10);
                state.ResumeTiming();
            }
            child.Frames(1);
        }
    });
}
} // namespace

BENCHMARK(BM_FrameWhileAToolTurns)->Unit(benchmark::kMillisecond)->Iterations(300);
BENCHMARK_MAIN();
