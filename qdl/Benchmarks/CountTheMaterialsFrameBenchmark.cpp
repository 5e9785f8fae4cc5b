// One frame of the counting game in the middle of a delivery (update, draw on
// the software renderer and the hand-over to the next frame), played through
// the driver over the real content; the goal is under 2 ms.
//
//     cmake -DCORVANE_BENCHMARKS=ON ...; xvfb-run -a qdl/count_the_materials_frame_benchmark

#include <functional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"
#include "qdl/Tests/CountTheMaterials/CountTheMaterialsPlayer.h"
#include "qdl/Tests/Driver/GameDriver.h"

using GameDriver::Child;
using namespace CountTheMaterialsPlayer;

namespace
{

// Plays until the digger is on its way with the right pile, then hands over to the measure.
void MidDelivery(benchmark::State& state, std::function<void(Child&)> const& measure)
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
        return new CountTheMaterialsMode(false, -1);
    });
    driver.Play([&state, &measure](Child& child) {
        if (!WaitForPiles(child, 3000))
        {
            state.SkipWithError("the piles never opened");
            return;
        }
        std::vector<sSeen> const piles = ReadPiles(child);
        int const place = FindPile(piles, ReadRequest(child));
        if (place < 0 || !child.Click(piles[place].path) || !child.Wait(0.8f))
        {
            state.SkipWithError("no delivery");
            return;
        }
        measure(child);
    });
}

void FrameMidDelivery(benchmark::State& state)
{
    MidDelivery(state, [&state](Child& child) {
        for (auto _ : state)
            child.Frames(1);
    });
}

// The game's own share of a frame: its update (the pieces' tasks, the mouse
// sent again) and the depth sort before the draw, without drawing.
void UpdateAndSortMidDelivery(benchmark::State& state)
{
    MidDelivery(state, [&state](Child& child) {
        child.RunOnLoop([&state] {
            CountTheMaterialsMode* const game = TopGame();
            SceneNode* const layer = Child::FindNode(PlayfieldPath("YSortedLayer"));
            for (auto _ : state)
            {
                game->Update(0.0f);
                game->SortPlayfieldEntities(layer);
            }
        });
    });
}

BENCHMARK(FrameMidDelivery)->Iterations(200)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateAndSortMidDelivery)->Iterations(2000)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
