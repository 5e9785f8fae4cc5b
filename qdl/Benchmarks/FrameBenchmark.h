#pragma once

// One frame of the real game (update and draw through the OpenGL path, on the
// stepped clock of the driver) measured on a screen the script has reached.
// Each mini-game adds its mid-play frame beside the screens' own:
//
//     void BM_MyGameMidPlay(benchmark::State& state)
//     {
//         BenchmarkFrames(state, [](GameDriver::Driver& driver) { ...set up... },
//                         [](GameDriver::Child& child) { return child.WaitForScreen("MyGameMode"); });
//     }
//     FRAME_BENCHMARK(BM_MyGameMidPlay);

#include <functional>

#include <benchmark/benchmark.h>

#include "qdl/Tests/Driver/GameDriver.h"

// The benchmark's argument: frames drawn as the game draws them (only what
// changed), or every frame drawn whole, for comparison.
constexpr int kKeptFrames = 1;
constexpr int kWholeFrames = 0;
#define FRAME_BENCHMARK(name) \
    BENCHMARK(name)->Arg(kKeptFrames)->Arg(kWholeFrames)->Unit(benchmark::kMillisecond)

// Prepares the driver (account values, a screen to start with), plays the
// script until it says the screen is reached, then times one frame per iteration.
void BenchmarkFrames(benchmark::State& state, std::function<void(GameDriver::Driver&)> const& prepare,
                     std::function<bool(GameDriver::Child&)> const& reach);
