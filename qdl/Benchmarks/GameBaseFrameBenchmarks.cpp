// Frames of the mini-game base's screens, with its test mini-game: the game
// under its instruction overlay, the sticker screen over the won game, and the
// free-play selection that follows; the sticker screen full screen too. Each
// is timed within its screen's life (the overlay until its description ends,
// the sticker screen for 3.75 s, from when the picture of the game beneath it is taken).

#include "qdl/Benchmarks/FrameBenchmark.h"

#include "2DEngine/Source/Framework/MainLoop.h"
#include "qdl/Source/Game/FrontEnd/StickerUnlockMode.h"
#include "qdl/Source/Game/GameScreenHooks.h"
#include "qdl/Tests/GameBase/GameBaseTestGame.h"

namespace
{

// Fewer frames than the shortest of the screens' lives.
int const kFrames = 120;

void startTheTestGame(GameDriver::Driver& driver, bool playIntro)
{
    GameBaseTestGame::install();
    StartGame(driver, kGameModeDifficulty_Medium, [playIntro] { return new GameBaseTestGame(playIntro, 1); });
}

void BM_GameUnderItsOverlayFrame(benchmark::State& state)
{
    BenchmarkFrames(
        state, [](GameDriver::Driver& driver) { startTheTestGame(driver, true); },
        [](GameDriver::Child& child) { return child.WaitForScreen("FennInstructionMode"); });
}

bool reachTheStickerScreen(GameDriver::Child& child)
{
    if (!child.WaitForScreen("GameBaseTestGame"))
        return false;
    child.RunOnLoop([] { Corvane::MainLoop::PushMode(new StickerUnlockMode(0)); });
    return child.WaitForScreen("StickerUnlockMode", 5);
}

sFrameSteps fromThePictureBeneath()
{
    sFrameSteps steps;
    steps.afterThePictureBeneath = true;
    return steps;
}

void BM_StickerScreenFrame(benchmark::State& state)
{
    BenchmarkFrames(
        state, [](GameDriver::Driver& driver) { startTheTestGame(driver, false); }, reachTheStickerScreen,
        fromThePictureBeneath());
}

// The same at the size a child's machine draws it: full screen.
void BM_StickerScreenFullScreenFrame(benchmark::State& state)
{
    BenchmarkFrames(
        state, InFullScreen([](GameDriver::Driver& driver) { startTheTestGame(driver, false); }),
        reachTheStickerScreen, fromThePictureBeneath());
}

void BM_FreePlaySelectionFrame(benchmark::State& state)
{
    BenchmarkFrames(
        state,
        [](GameDriver::Driver& driver) {
            driver.SetAccountValue("AccountID", "PondoButton");
            driver.StartWith([] { return GetGameScreenHooks().createFreePlaySelectMode(); });
        },
        [](GameDriver::Child& child) { return child.WaitForScreen("FreePlaySelectMode") && child.MoveMouseTo(40, 40); });
}

} // namespace

FRAME_BENCHMARK(BM_GameUnderItsOverlayFrame)->Iterations(kFrames);
FRAME_BENCHMARK(BM_StickerScreenFrame)->Iterations(kFrames);
FRAME_BENCHMARK(BM_StickerScreenFullScreenFrame)->Iterations(kFrames);
FRAME_BENCHMARK(BM_FreePlaySelectionFrame)->Iterations(kFrames);
