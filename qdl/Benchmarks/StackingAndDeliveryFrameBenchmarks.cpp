// Frames of the stacking and delivery games in the middle of a Hard game: the
// stacker with an object held over its platform, the delivery game with the
// hook lifting a choice over the train.

#include "qdl/Benchmarks/FrameBenchmark.h"

#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerMode.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"

namespace
{

template <class Mode>
void startHardGame(GameDriver::Driver& driver)
{
    driver.SetAccountValue("AccountID", "PondoButton");
    driver.StartWith([]() -> Corvane::ApplicationMode* {
        GetStickerManager()->loadUnlockedStickerData();
        GetLevelManager()->setDifficulty(kGameModeDifficulty_Hard);
        GetLevelManager()->setFreePlay(true);
        return new Mode(false, -1);
    });
}

void BM_TollerStackerMidPlay(benchmark::State& state)
{
    BenchmarkFrames(state, startHardGame<TollerStackerMode>, [](GameDriver::Child& child) {
        // After the shake-out, an object of the bottom row held over the left platform.
        return child.WaitForScreen("TollerStackerMode") && child.Wait(2.0f) && child.MoveMouseTo(400, 590) &&
               child.MoveMouseTo(85, 575) && child.PressMouse() && child.ReleaseMouse() && child.MoveMouseTo(190, 330);
    });
}

void BM_TrundelsDeliveryMidPlay(benchmark::State& state)
{
    BenchmarkFrames(state, startHardGame<TrundelsDeliveryMode>, [](GameDriver::Child& child) {
        // The middle choice pressed once the train stands, then half-way through its lift.
        return child.WaitForScreen("TrundelsDeliveryMode") && child.Wait(2.0f) && child.MoveMouseTo(300, 470) &&
               child.PressMouse() && child.ReleaseMouse() && child.Wait(2.0f);
    });
}

} // namespace

FRAME_BENCHMARK(BM_TollerStackerMidPlay);
FRAME_BENCHMARK(BM_TrundelsDeliveryMidPlay);
