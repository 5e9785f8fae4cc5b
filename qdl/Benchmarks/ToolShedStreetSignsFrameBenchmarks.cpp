// Frames of ToolShed and StreetSigns mid-intro: the scarecrow between its
// volleys, and the truck driving on with the signs on the street. Each runs
// 100 frames (2 s of play), which stay within the intro.

#include "qdl/Benchmarks/FrameBenchmark.h"

#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StreetSigns/StreetSignsMode.h"
#include "qdl/Source/Game/ToolShed/ToolShedMode.h"

namespace
{

void BM_ToolShedFrameMidIntro(benchmark::State& state)
{
    BenchmarkFrames(
        state,
        [](GameDriver::Driver& driver) {
            driver.StartWith([]() -> Corvane::ApplicationMode* {
                GetLevelManager()->setDifficulty(kGameModeDifficulty_Hard);
                return new ToolShedMode();
            });
        },
        [](GameDriver::Child& child) { return child.WaitForScreen("ToolShedMode") && child.Wait(5.5f); });
}

void BM_StreetSignsFrameMidIntro(benchmark::State& state)
{
    BenchmarkFrames(
        state,
        [](GameDriver::Driver& driver) {
            driver.StartWith([]() -> Corvane::ApplicationMode* {
                GetLevelManager()->setDifficulty(kGameModeDifficulty_Hard);
                // Without the overlay, so that the truck drives while the frames are timed.
                return new StreetSignsMode(false, -1);
            });
        },
        [](GameDriver::Child& child) { return child.WaitForScreen("StreetSignsMode"); });
}

} // namespace

BENCHMARK(BM_ToolShedFrameMidIntro)->Arg(kKeptFrames)->Arg(kWholeFrames)->Iterations(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreetSignsFrameMidIntro)->Arg(kKeptFrames)->Arg(kWholeFrames)->Iterations(50)->Unit(benchmark::kMillisecond);
