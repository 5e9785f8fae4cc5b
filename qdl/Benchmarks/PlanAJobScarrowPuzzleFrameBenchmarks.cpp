// Frames of PlanAJob and ScarrowPuzzle at Hard in the middle of their intros:
// the blueprint sliding into place over the job, and the scarecrow jumping
// across the field while the pieces fly from the picture to their places.

#include "qdl/Benchmarks/FrameBenchmark.h"

#include "qdl/Source/Game/PlanAJob/PlanAJobMode.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleMode.h"

namespace
{

void BM_PlanAJobMidIntro(benchmark::State& state)
{
    BenchmarkFrames(state, StartGameAt<PlanAJobMode>(kGameModeDifficulty_Hard), [](GameDriver::Child& child) {
        return child.WaitForScreen("PlanAJobMode") && child.Frames(5);
    });
}

void BM_ScarrowPuzzleMidIntro(benchmark::State& state)
{
    // Past the scarecrow's two peeks (2.6 s), as it starts to jump.
    BenchmarkFrames(state, StartGameAt<ScarrowPuzzleMode>(kGameModeDifficulty_Hard), [](GameDriver::Child& child) {
        return child.WaitForScreen("ScarrowPuzzleMode") && child.Wait(2.6f);
    });
}

} // namespace

// The blueprint's slide and pause last 1.3 s (65 frames), the jumps and the
// wait before the instructions 2.8 s (140 frames).
FRAME_BENCHMARK(BM_PlanAJobMidIntro)->Iterations(55);
FRAME_BENCHMARK(BM_ScarrowPuzzleMidIntro)->Iterations(130);
