// One frame (update and draw, on the software renderer under the test
// display) of the test mini-game under its instruction overlay, of the sticker
// screen over the won game, and of the free-play selection, each played
// through the driver. Goal: under 2 ms a frame. Each iteration runs 20 frames
// and counts their mean; the screen is put back between iterations when it
// has gone (the overlay after its description, the sticker screen after its
// display time).
//
//     LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy xvfb-run -a qdl/game_base_frame_benchmark

#include <chrono>
#include <ctime>
#include <string>

#include <benchmark/benchmark.h>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/GameBase/GameBaseTestGame.h"

using GameDriver::Child;

namespace
{

int const kFramesPerIteration = 20;

// Frames with `screen` on top, from the start screen `first` (of class
// `firstClass`); `restore` puts the screen back, untimed, whenever it is not on top.
void timeFrames(benchmark::State& state, Corvane::ApplicationMode* (*first)(), std::string const& firstClass,
                std::string const& screen, void (*restore)())
{
    GameDriver::Driver driver;
    std::string reason;
    if (!driver.HasDisplay(&reason))
    {
        state.SkipWithError(reason.c_str());
        return;
    }
    GameBaseTestGame::install();
    driver.StartWith(first);
    driver.Play([&state, &firstClass, &screen, restore](Child& child) {
        if (!child.WaitForScreen(firstClass, 600))
        {
            state.SkipWithError(("no " + firstClass).c_str());
            return;
        }
        double cpuSeconds = 0.0;
        int frames = 0;
        for (auto _ : state)
        {
            if (child.TopScreen() != screen)
            {
                child.RunOnLoop(restore);
                child.WaitForScreen(screen, 10);
            }
            // Frames in one go, so that the script's meeting with the loop is not counted in each.
            auto const start = std::chrono::steady_clock::now();
            std::clock_t const cpuStart = std::clock();
            child.Frames(kFramesPerIteration);
            std::chrono::duration<double> const elapsed = std::chrono::steady_clock::now() - start;
            cpuSeconds += static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
            frames += kFramesPerIteration;
            state.SetIterationTime(elapsed.count() / kFramesPerIteration);
        }
        // The process's processor time, all threads (the renderer's among them):
        // less at the mercy of a busy machine than the time on the clock.
        if (frames > 0)
            state.counters["cpu_ms_per_frame"] = 1000.0 * cpuSeconds / frames;
    });
}

Corvane::ApplicationMode* gameWithOverlay()
{
    GetLevelManager()->setDifficulty(kGameModeDifficulty_Medium);
    return new GameBaseTestGame(true, -1);
}

void reopenOverlay()
{
    Corvane::MainLoop::UnwindToMode(gameWithOverlay());
}

Corvane::ApplicationMode* gameInFreePlay()
{
    GetLevelManager()->setFreePlay(true);
    return new GameBaseTestGame(false, 1);
}

// The sticker screen over a game in free play, as a won level leaves it.
void reopenStickerScreen()
{
    Corvane::MainLoop::UnwindToMode(gameInFreePlay());
    Corvane::MainLoop::PushMode(new StickerUnlockMode(0));
}

Corvane::ApplicationMode* freePlaySelection()
{
    return GetGameScreenHooks().createFreePlaySelectMode();
}

void reopenFreePlay()
{
    Corvane::MainLoop::UnwindToMode(freePlaySelection());
}

void BM_FrameOfTheGameUnderItsOverlay(benchmark::State& state)
{
    timeFrames(state, gameWithOverlay, "FennInstructionMode", "FennInstructionMode", reopenOverlay);
}

void BM_FrameOfTheStickerScreen(benchmark::State& state)
{
    timeFrames(state, gameInFreePlay, "GameBaseTestGame", "StickerUnlockMode", reopenStickerScreen);
}

void BM_FrameOfTheFreePlaySelection(benchmark::State& state)
{
    timeFrames(state, freePlaySelection, "FreePlaySelectMode", "FreePlaySelectMode", reopenFreePlay);
}

} // namespace

BENCHMARK(BM_FrameOfTheGameUnderItsOverlay)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);
BENCHMARK(BM_FrameOfTheStickerScreen)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);
BENCHMARK(BM_FrameOfTheFreePlaySelection)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(30);
BENCHMARK_MAIN();
