// Frames of the fence-painting and leaf-blowing games at Hard. The painter:
// the lift painting the fence, stripe after stripe, as the automated player
// paints it (the next bucket and the fence clicked outside the timing whenever
// input opens). The leaves: the pointer sweeping to and fro over the heap on
// the first tool asked for, every leaf in its reach pushed to the circle's edge.

#include "qdl/Benchmarks/FrameBenchmark.h"

#include "Core/Source/Random.h"

#include "qdl/Tests/PaintTheHouse/PaintTheHouseTestSupport.h"
#include "qdl/Tests/PileOfLeaves/PileOfLeavesTestSupport.h"

using GameDriver::Child;

namespace
{

uint32_t const kLeavesSeed = 20261207;

// The round on screen with input open: its next stripe's colour; -1 while
// input is masked, -2 when no round is being played.
int nextStripeColor()
{
    PaintTheHouseMode const* const mode = PaintTheHouseTest::Top<PaintTheHouseMode>();
    if (!mode || mode->isOutroStarted())
        return -2;
    SceneNode* const mask = Child::FindNode("GameScreenRoot/Playfield/MouseInput_ClickMask");
    if (mask && mask->GlobalIsVisible())
        return -1;
    std::vector<HousePaintStripe*> const stripes = mode->getStripesToPaint();
    return stripes.empty() ? -2 : stripes.front()->getColor();
}

// Once a stripe is painted, the next one is started; between rounds, the next round is waited for.
bool keepPainting(Child& child)
{
    int color = child.Look(nextStripeColor);
    if (color == -1)
        return true;
    if (color == -2 && !child.WaitUntil([] { return nextStripeColor() >= 0; }, "a stripe to paint", 12.0f))
        return false;
    color = child.Look(nextStripeColor);
    int const bucket = PaintTheHouseTest::bucketOfColor(child, color);
    return bucket > 0 && child.Click(PaintTheHouseTest::bucketPath(bucket)) && child.Click(PaintTheHouseTest::kFence);
}

void BM_PaintTheHouseMidPlay(benchmark::State& state)
{
    sFrameSteps steps;
    steps.between = keepPainting;
    BenchmarkFrames(state, StartGameAt<PaintTheHouseMode>(kGameModeDifficulty_Hard, false, -1),
                    [](Child& child) { return child.WaitForScreen(PaintTheHouseTest::kGame); }, steps);
}

void BM_PileOfLeavesSweepingTheHeap(benchmark::State& state)
{
    // The sweep is laid once the heap is known, before the first timed frame.
    sFrameSteps steps;
    // The heap is laid out at random: a fixed seed lays the same one each run, for a figure that holds still.
    auto const start = [](GameDriver::Driver& driver) {
        StartGame(driver, kGameModeDifficulty_Hard, [] {
            Corvane::Random::Engine_SetupWithSeed(kLeavesSeed);
            return new PileOfLeavesMode(false, -1);
        });
    };
    BenchmarkFrames(state, start, [&steps](Child& child) {
        if (!child.WaitForScreen(PileOfLeavesTest::kGame) || !PileOfLeavesTest::waitForSearch(child))
            return false;
        Corvane::Vector2<int> const heap = child.Look([] { return PileOfLeavesTest::findWanted().centre; });
        // 320 pixels across the heap in 32 frames, and back.
        steps.frame = SweepPointer(heap.x - 160, heap.y - 20, heap.x + 160, heap.y + 20, 32);
        return heap.x >= 0;
    }, steps);
}

} // namespace

// 600 frames stay within the three rounds of a Hard game.
FRAME_BENCHMARK(BM_PaintTheHouseMidPlay)->Iterations(600);
FRAME_BENCHMARK(BM_PileOfLeavesSweepingTheHeap)->Iterations(320);
