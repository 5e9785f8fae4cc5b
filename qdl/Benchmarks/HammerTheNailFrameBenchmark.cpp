// One frame of HammerTheNail while a tool turns on a nail, driven as a child
// plays: whenever no turn is running, a tool is picked up and the next nail
// clicked, outside the timed part. Frames drawn as the game draws them, and
// whole for comparison. Goal: under 2 ms a frame.

#include "Core/Source/Label.h"
#include "qdl/Benchmarks/FrameBenchmark.h"
#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Tests/HammerTheNail/HammerTheNailPlayer.h"

using GameDriver::Child;

namespace
{

// Starts a turn on the next nail with clicks left; false when none is left.
bool StartATurn(Child& child)
{
    for (HammerTheNailPlayer::sPiece const& nail : child.Look(HammerTheNailPlayer::ReadNails))
        if (nail.frame > 0)
            return HammerTheNailPlayer::PickUp(child, nail.type, nail.color) &&
                   HammerTheNailPlayer::ClickAt(child, nail.x, nail.y);
    return false;
}

// Whenever no turn is running, the next one; past the last nail the next loop brings a fresh board.
bool KeepTurning(Child& child)
{
    if (child.Look(HammerTheNailPlayer::IsInputMasked) && !child.Look(HammerTheNailPlayer::IsOutroStarted))
        return true;
    for (int wait = 0; wait < 100; ++wait)
    {
        if (StartATurn(child))
            return true;
        if (!child.Frames(10))
            return false;
    }
    return false;
}

void BM_HammerTheNailToolTurningFrame(benchmark::State& state)
{
    sFrameSteps steps;
    steps.between = KeepTurning;
    BenchmarkFrames(
        state, [](GameDriver::Driver& driver) {
            StartGame(driver, kGameModeDifficulty_Hard, [] { return createHammerTheNailGame(Corvane::Label()); });
        },
        [](Child& child) {
            return child.WaitForScreen("HammerTheNailMode") && HammerTheNailPlayer::DismissOverlay(child);
        },
        steps);
}

} // namespace

FRAME_BENCHMARK(BM_HammerTheNailToolTurningFrame)->Iterations(300);
