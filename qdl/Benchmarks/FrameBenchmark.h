#pragma once

// One frame of the real game (update and draw through the OpenGL path, on the
// stepped clock of the driver) measured on a screen the script has reached.
// Each mini-game adds its mid-play frame beside the screens' own:
//
//     void BM_MyGameMidPlay(benchmark::State& state)
//     {
//         BenchmarkFrames(state, StartGameAt<MyGameMode>(kGameModeDifficulty_Hard),
//                         [](GameDriver::Child& child) { return child.WaitForScreen("MyGameMode"); });
//     }
//     FRAME_BENCHMARK(BM_MyGameMidPlay);
//
// Besides the wall time of a frame, the counters per frame: "cpu_ms", the
// process's CPU time (the game's thread and the software rasteriser's threads);
// "repaint_kpx", the thousands of pixels repainted; "batches", the primitives drawn.

#include <functional>

#include <benchmark/benchmark.h>

#include "qdl/Source/Game/GameModeTypes.h"
#include "qdl/Tests/Driver/GameDriver.h"

namespace Corvane
{
class ApplicationMode;
}

// The benchmark's argument: frames drawn as the game draws them (only what
// changed), or every frame drawn whole, for comparison.
constexpr int kKeptFrames = 1;
constexpr int kWholeFrames = 0;
#define FRAME_BENCHMARK(name) \
    BENCHMARK(name)->Arg(kKeptFrames)->Arg(kWholeFrames)->Unit(benchmark::kMillisecond)

typedef std::function<bool(GameDriver::Child&)> ChildStep;

// What a benchmark may do around each timed frame.
struct sFrameSteps
{
    // Before each frame, outside the timing: keeps the screen busy (starts the
    // next move once the last has ended). False stops with an error.
    ChildStep between;
    // The timed frame; one frame without input when empty.
    ChildStep frame;
    // Kept frames are timed from when the picture of the layers beneath has been taken: the
    // screen as it stays for most of its life, that picture being a cost paid once.
    bool afterThePictureBeneath = false;
};

// Prepares the driver (account values, a screen to start with), plays the
// script until it says the screen is reached, then times one frame per iteration.
void BenchmarkFrames(benchmark::State& state, std::function<void(GameDriver::Driver&)> const& prepare,
                     ChildStep const& reach, sFrameSteps const& steps = sFrameSteps());

// Starts with the game `make` returns at that difficulty, as free play starts
// it, for the profile "PondoButton" with its earned stickers.
void StartGame(GameDriver::Driver& driver, GameModeDifficulty difficulty,
               std::function<Corvane::ApplicationMode*()> const& make);

// The preparation that starts a game made with (args...) at that difficulty.
template <class Mode, class... Args>
std::function<void(GameDriver::Driver&)> StartGameAt(GameModeDifficulty difficulty, Args... args)
{
    return [difficulty, args...](GameDriver::Driver& driver) {
        StartGame(driver, difficulty, [args...]() -> Corvane::ApplicationMode* { return new Mode(args...); });
    };
}

// The preparation, then the game started full screen (the display's whole
// 1024×768, the frame scaled up to it) as a child's machine runs it, rather
// than in the 800×600 window the other benchmarks use.
std::function<void(GameDriver::Driver&)> InFullScreen(std::function<void(GameDriver::Driver&)> const& prepare);

// A press and a release at the point.
bool ClickAt(GameDriver::Child& child, int x, int y);

// A timed frame with the pointer moved one step further along the line from
// (x0, y0) to (x1, y1) and back, `steps` frames each way.
ChildStep SweepPointer(int x0, int y0, int x1, int y1, int steps);
