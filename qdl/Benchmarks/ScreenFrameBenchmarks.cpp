// Frames of the front-end screens: the title (its sign swinging), the quit
// question over it, and the main menu.

#include "qdl/Benchmarks/FrameBenchmark.h"

#include "qdl/Source/Game/GameScreenHooks.h"

namespace
{

void BM_TitleFrame(benchmark::State& state)
{
    BenchmarkFrames(state, nullptr, [](GameDriver::Child& child) {
        return child.WaitForScreen("TitleMode") && child.MoveMouseTo(560, 420);
    });
}

void BM_QuitQuestionFrame(benchmark::State& state)
{
    BenchmarkFrames(state, nullptr, [](GameDriver::Child& child) {
        return child.WaitForScreen("TitleMode") && child.Click("QuitButton") && child.WaitForScreen("QuitConfirmMode") &&
               child.Frames(60);
    });
}

void BM_MainMenuFrame(benchmark::State& state)
{
    BenchmarkFrames(
        state,
        [](GameDriver::Driver& driver) {
            driver.SetAccountValue("AccountID", "PondoButton");
            driver.StartWith([] { return GetGameScreenHooks().createMainMenuMode(); });
        },
        [](GameDriver::Child& child) { return child.WaitForScreen("MainMenuMode") && child.MoveMouseTo(560, 420); });
}

} // namespace

FRAME_BENCHMARK(BM_TitleFrame);
FRAME_BENCHMARK(BM_QuitQuestionFrame);
FRAME_BENCHMARK(BM_MainMenuFrame);
