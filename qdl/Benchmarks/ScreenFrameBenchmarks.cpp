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

// Six seconds of each screen, six whole swings of the title's and the main menu's sign. Sized by
// the script thread's tiny CPU time instead, each would run tens of thousands of frames.
int const kFrames = 300;

} // namespace

FRAME_BENCHMARK(BM_TitleFrame)->Iterations(kFrames);
FRAME_BENCHMARK(BM_QuitQuestionFrame)->Iterations(kFrames);
FRAME_BENCHMARK(BM_MainMenuFrame)->Iterations(kFrames);
