// A frame of the sticker book with every sticker earned (the list's first page
// full) and 100 stickers stuck on the page, while the child carries another
// sticker to and fro across the page.

#include "qdl/Benchmarks/FrameBenchmark.h"

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/StickerBook/StickerBookElements.h"
#include "qdl/Source/Game/StickerBook/StickerBookMode.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/StickerBook/StickerBookTestSupport.h"

using GameDriver::Child;

namespace
{

int const kStuck = 100;

StickerBookSurface* Page()
{
    StickerBookMode* const book = dynamic_cast<StickerBookMode*>(Corvane::MainLoop::GetTopMostMode(0));
    return book ? dynamic_cast<StickerBookSurface*>(book->GetObjectDatabase()->GetNamedObject(
                      Corvane::Label::GetUniqueString("StickerBook_StickerSurface")))
                : nullptr;
}

// Ten rows of ten over the page, each sticker centred on its point.
bool StickTheStickers(Child& child)
{
    int const count = child.Look([] { return int(GetStickerManager()->getUnlockedFlags().size()); });
    for (int n = 0; n < kStuck && count > 0; ++n)
    {
        if (!child.MoveMouseTo(125 + 55 * (n % 10), 45 + 40 * (n / 10)))
            return false;
        child.RunOnLoop([n, count] {
            if (StickerBookSurface* const page = Page())
                page->attachSticker(n % count);
        });
    }
    return child.Look([] {
        return Page() && Page()->getStickerHolder()->GetChildCount() == std::size_t(kStuck);
    });
}

void BM_StickerBookFullPage(benchmark::State& state)
{
    sFrameSteps steps;
    // Corner to corner of the page in 40 frames, and back.
    steps.frame = SweepPointer(130, 60, 670, 400, 40);
    BenchmarkFrames(
        state,
        [](GameDriver::Driver& driver) {
            driver.SetAccountValue("AccountID", "PondoButton");
            driver.StartWith([]() -> Corvane::ApplicationMode* {
                StickerManager* const stickers = GetStickerManager();
                stickers->loadUnlockedStickerData();
                while (!stickers->areAllUnlocked() && stickers->unlockRandomSticker() >= 0)
                {
                }
                return new StickerBookMode();
            });
        },
        [](Child& child) {
            return child.WaitForScreen("StickerBookMode") && StickTheStickers(child) &&
                   StickerBookTest::pickUpTheFirstSticker(child);
        },
        steps);
}

} // namespace

FRAME_BENCHMARK(BM_StickerBookFullPage)->Iterations(320);
