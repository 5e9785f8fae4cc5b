// Frames of the stacking and delivery games in the middle of a Hard game: the
// stacker with an object carried to and fro over its platform, the delivery
// game with the hook lifting a choice over the train.

#include "qdl/Benchmarks/FrameBenchmark.h"

#include "qdl/Source/Game/TollerStacker/TollerStackerMode.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"

namespace
{

void BM_TollerStackerMidPlay(benchmark::State& state)
{
    sFrameSteps steps;
    steps.frame = SweepPointer(130, 330, 250, 330, 20);
    auto const start = StartGameAt<TollerStackerMode>(kGameModeDifficulty_Hard, false, -1);
    BenchmarkFrames(state, start, [](GameDriver::Child& child) {
        // After the shake-out, an object of the bottom row held over the left platform.
        return child.WaitForScreen("TollerStackerMode") && child.Wait(2.0f) && child.MoveMouseTo(400, 590) &&
               child.MoveMouseTo(85, 575) && child.PressMouse() && child.ReleaseMouse() && child.MoveMouseTo(190, 330);
    }, steps);
}

void BM_TrundelsDeliveryMidPlay(benchmark::State& state)
{
    auto const start = StartGameAt<TrundelsDeliveryMode>(kGameModeDifficulty_Hard, false, -1);
    BenchmarkFrames(state, start, [](GameDriver::Child& child) {
        // The middle choice pressed once the train stands, then half-way through its lift.
        return child.WaitForScreen("TrundelsDeliveryMode") && child.Wait(2.0f) && child.MoveMouseTo(300, 470) &&
               child.PressMouse() && child.ReleaseMouse() && child.Wait(2.0f);
    });
}

} // namespace

FRAME_BENCHMARK(BM_TollerStackerMidPlay)->Iterations(200);
// The lift ends 30 frames on; later frames would be those of a still screen.
FRAME_BENCHMARK(BM_TrundelsDeliveryMidPlay)->Iterations(30);
