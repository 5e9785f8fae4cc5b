// Frames of the counting game in the middle of a delivery: the whole frame
// (update, draw and the hand-over to the next frame), and the game's own share
// of it, its update and the depth sort before the draw.

#include <string>
#include <vector>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Benchmarks/FrameBenchmark.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"
#include "qdl/Source/Game/CountTheMaterials/DraggableMaterial.h"
#include "qdl/Source/Game/CountTheMaterials/MaterialTarget.h"

using GameDriver::Child;

namespace
{

CountTheMaterialsMode* Game()
{
    return dynamic_cast<CountTheMaterialsMode*>(Corvane::MainLoop::GetTopMostMode(0));
}

std::function<void(GameDriver::Driver&)> const StartOnHard =
    StartGameAt<CountTheMaterialsMode>(kGameModeDifficulty_Hard, false, -1);

// Until the digger is on its way with the pile that is asked for.
bool ReachMidDelivery(Child& child)
{
    if (!child.WaitUntil(
            [] {
                CountTheMaterialsMode* const game = Game();
                return game && game->getClickMask() && !game->getClickMask()->GlobalIsVisible();
            },
            "the delivery under way", 60.0f))
        return false;
    std::vector<int> const centre = child.Look([] {
        CountTheMaterialsMode* const game = Game();
        Corvane::ObjectDatabase* const database = game->GetObjectDatabase();
        MaterialTarget const* const dumper = dynamic_cast<MaterialTarget*>(database->GetObject(game->getDumper()));
        for (Corvane::ObjectID id :
             database->GetObjectsWithRole(Corvane::Label::GetUniqueString("CountTheMaterials_MaterialObject")))
        {
            DraggableMaterial* const pile = dynamic_cast<DraggableMaterial*>(database->GetObject(id));
            if (pile && dumper && pile->getMaterial() == dumper->getMaterial() && pile->getCount() == dumper->getCount())
            {
                Corvane::Rect<float> const bounds = pile->getLayoutNode()->GlobalGetBounds();
                return std::vector<int>{int(bounds.x + bounds.width / 2), int(bounds.y + bounds.height / 2)};
            }
        }
        return std::vector<int>();
    });
    return centre.size() == 2 && child.MoveMouseTo(centre[0], centre[1]) && child.PressMouse() &&
           child.ReleaseMouse() && child.Wait(0.8f);
}

void BM_CountTheMaterialsMidDeliveryFrame(benchmark::State& state)
{
    BenchmarkFrames(state, StartOnHard, ReachMidDelivery);
}

void BM_CountTheMaterialsMidDeliveryUpdateAndSort(benchmark::State& state)
{
    GameDriver::Driver driver;
    std::string reason;
    if (!driver.HasDisplay(&reason))
    {
        state.SkipWithError(("no display: " + reason).c_str());
        return;
    }
    StartOnHard(driver);
    driver.Play([&state](Child& child) {
        if (!ReachMidDelivery(child))
        {
            state.SkipWithError("the delivery was not reached");
            return;
        }
        child.RunOnLoop([&state] {
            CountTheMaterialsMode* const game = Game();
            SceneNode* const layer = Child::FindNode("GameScreenRoot/Playfield/YSortedLayer");
            for (auto _ : state)
            {
                game->Update(0.0f);
                game->SortPlayfieldEntities(layer);
            }
        });
    });
}

} // namespace

// 150 frames (3 s) stay within the delivery; later frames would mostly be those of a still screen.
FRAME_BENCHMARK(BM_CountTheMaterialsMidDeliveryFrame)->Iterations(150);
BENCHMARK(BM_CountTheMaterialsMidDeliveryUpdateAndSort)->Iterations(2000)->Unit(benchmark::kMicrosecond);
