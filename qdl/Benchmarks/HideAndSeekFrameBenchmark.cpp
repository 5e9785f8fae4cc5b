// A frame of the hide-and-seek game at Hard while the cat runs off to its next
// hiding place and the picture it was found behind comes down again.

#include "qdl/Benchmarks/FrameBenchmark.h"

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekCharacter.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekConstants.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekMode.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekObstacle.h"

namespace
{

HideAndSeekCharacter* Cat()
{
    HideAndSeekMode* const game = dynamic_cast<HideAndSeekMode*>(Corvane::MainLoop::GetTopMostMode(0));
    return game ? dynamic_cast<HideAndSeekCharacter*>(
                      game->GetObjectDatabase()->GetNamedObject(getHideAndSeekCharacterName()))
                : nullptr;
}

void BM_HideAndSeekFoundAndRunningOn(benchmark::State& state)
{
    BenchmarkFrames(
        state, StartGameAt<HideAndSeekMode>(kGameModeDifficulty_Hard),
        [](GameDriver::Child& child) {
            if (!child.WaitForScreen("FennInstructionMode", 1500) || !child.Click("OkButton") ||
                !child.WaitForScreen("HideAndSeekMode", 10))
                return false;
            // The cat has hidden: its hiding place is looked behind.
            if (!child.WaitUntil([] { return Cat() && !Cat()->getLayoutNode()->GlobalIsVisible(); }, "the cat hidden", 30.0f))
                return false;
            child.RunOnLoop([] {
                Corvane::ObjectDatabase* const database = Cat()->GetDatabase();
                if (HideAndSeekObstacle* const place =
                        dynamic_cast<HideAndSeekObstacle*>(database->GetObject(Cat()->getCurrentObstacle())))
                    place->revealContents();
            });
            // 1.5 s later the cat sets off again as the picture starts down.
            return child.Frames(76);
        });
}

} // namespace

// 200 frames (4 s): the run to the next hiding place, before the screen stands still.
FRAME_BENCHMARK(BM_HideAndSeekFoundAndRunningOn)->Iterations(200);
