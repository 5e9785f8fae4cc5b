// Frames of ToolShed and StreetSigns mid-intro: the scarecrow between its
// volleys, and the truck driving on with the signs on the street. Each runs
// 100 frames (2 s of play), which stay within the intro.

#include "qdl/Benchmarks/FrameBenchmark.h"

#include "qdl/Source/Game/StreetSigns/StreetSignsMode.h"
#include "qdl/Source/Game/ToolShed/ToolShedMode.h"

namespace
{

void BM_ToolShedFrameMidIntro(benchmark::State& state)
{
    BenchmarkFrames(state, StartGameAt<ToolShedMode>(kGameModeDifficulty_Hard),
                    [](GameDriver::Child& child) { return child.WaitForScreen("ToolShedMode") && child.Wait(5.5f); });
}

void BM_StreetSignsFrameMidIntro(benchmark::State& state)
{
    // Without the overlay, so that the truck drives while the frames are timed.
    BenchmarkFrames(state, StartGameAt<StreetSignsMode>(kGameModeDifficulty_Hard, false, -1),
                    [](GameDriver::Child& child) { return child.WaitForScreen("StreetSignsMode"); });
}

} // namespace

FRAME_BENCHMARK(BM_ToolShedFrameMidIntro)->Iterations(100);
FRAME_BENCHMARK(BM_StreetSignsFrameMidIntro)->Iterations(50);
