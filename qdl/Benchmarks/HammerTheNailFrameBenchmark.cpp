// One frame of HammerTheNail while a tool turns on a nail, driven as a child
// plays: whenever no turn is running, a tool is picked up and the next nail
// clicked, outside the timed part. Frames drawn as the game draws them, and
// whole for comparison. Goal: under 2 ms a frame.

#include <string>

#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"
#include "Core/Source/Label.h"
#include "qdl/Benchmarks/FrameBenchmark.h"
#include "qdl/Source/Game/GameMakers.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Tests/HammerTheNail/HammerTheNailPlayer.h"

using GameDriver::Child;
using namespace HammerTheNailPlayer;

namespace
{
// Starts a turn on the next nail with clicks left; false when none is left.
bool StartATurn(Child& child)
{
    for (sPiece const& nail : child.Look(ReadNails))
        if (nail.frame > 0)
            return PickUp(child, nail.type, nail.color) && ClickAt(child, nail.x, nail.y);
    return false;
}

void BM_HammerTheNailToolTurningFrame(benchmark::State& state)
{
    GameDriver::Driver driver;
    std::string reason;
    if (!driver.HasDisplay(&reason))
    {
        state.SkipWithError(("no display: " + reason).c_str());
        return;
    }
    driver.StartWith([]() -> Corvane::ApplicationMode* {
        GetLevelManager()->setDifficulty(kGameModeDifficulty_Hard);
        return createHammerTheNailGame(Corvane::Label());
    });
    bool const whole = state.range(0) == kWholeFrames;
    driver.Play([&state, whole](Child& child) {
        if (whole)
            child.RunOnLoop([] {
                if (auto* graphics = dynamic_cast<MacOSX::OpenGLGraphicsPlatform*>(Corvane::GetGraphicsPlatform()))
                    graphics->SetRetainedFrames(false);
            });
        if (!child.WaitForScreen("HammerTheNailMode") || !DismissOverlay(child))
        {
            state.SkipWithError("the game did not start");
            return;
        }
        for (auto _ : state)
        {
            if (!child.Look(IsInputMasked) || child.Look(IsOutroStarted))
            {
                state.PauseTiming();
                // Past the last nail the next loop brings a fresh board.
                while (!StartATurn(child))
                    child.Frames(10);
                state.ResumeTiming();
            }
            child.Frames(1);
        }
    });
}
} // namespace

FRAME_BENCHMARK(BM_HammerTheNailToolTurningFrame)->Iterations(300);
