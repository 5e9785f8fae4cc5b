// A frame of the animal-delivery game in the middle of a delivery at Hard:
// twelve houses, four caged animals, the truck on its way with an animal and
// the playfield re-sorted by depth before the frame is drawn.

#include "qdl/Benchmarks/FrameBenchmark.h"

#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/HereToThere/HereToThereCart.h"
#include "qdl/Source/Game/HereToThere/HereToThereMode.h"
#include "qdl/Source/Game/HereToThere/HereToThereObject.h"
#include "qdl/Source/Game/HereToThere/HereToThereTarget.h"

namespace
{

HereToThereMode* Game()
{
    return dynamic_cast<HereToThereMode*>(Corvane::MainLoop::GetTopMostMode(0));
}

// The centre of the layout node of the first live object of the role that the test accepts.
template <class T, class Accept>
bool CentreOf(char const* role, Accept const& accept, Corvane::Vector2<int>* centre)
{
    HereToThereMode* const game = Game();
    if (!game)
        return false;
    Corvane::ObjectDatabase* const database = game->GetObjectDatabase();
    for (Corvane::ObjectID id : database->GetObjectsWithRole(Corvane::Label::GetUniqueString(role)))
    {
        T* const piece = dynamic_cast<T*>(database->GetObject(id));
        if (!piece || !piece->GetLayoutNode() || !accept(*piece))
            continue;
        Corvane::Rect<float> const bounds = piece->GetLayoutNode()->GlobalGetBounds();
        *centre = Corvane::Vector2<int>(static_cast<int>(bounds.x + bounds.width / 2),
                                        static_cast<int>(bounds.y + bounds.height / 2));
        return true;
    }
    return false;
}

void BM_HereToThereDeliveryFrame(benchmark::State& state)
{
    BenchmarkFrames(
        state, StartGameAt<HereToThereMode>(kGameModeDifficulty_Hard),
        [](GameDriver::Child& child) {
            for (int frame = 0; frame < 3000 && child.TopScreen() != "HereToThereMode"; ++frame)
            {
                if (child.TopScreen() == "FennInstructionMode" && child.IsShown("OkButton"))
                    child.Click("OkButton");
                else
                    child.Frames(1);
            }
            Corvane::Vector2<int> animal;
            int color = -1;
            int shape = -1;
            if (!child.Look([&] {
                    return CentreOf<HereToThereObject>("HereToThere_Object", [&](HereToThereObject const& piece) {
                        color = piece.getColor();
                        shape = piece.getShape();
                        return true;
                    }, &animal);
                }) ||
                !ClickAt(child, animal.x, animal.y) || !child.Wait(1.5f))
                return false;
            Corvane::Vector2<int> house;
            return child.Look([&] {
                       return CentreOf<HereToThereTarget>("HereToThere_Target", [&](HereToThereTarget const& piece) {
                           return piece.getColor() == color && piece.getShape() == shape;
                       }, &house);
                   }) &&
                   ClickAt(child, house.x, house.y) && child.Frames(10);
        });
}

} // namespace

// Two hundred frames, four seconds of play: all within the drive to the house and back.
BENCHMARK(BM_HereToThereDeliveryFrame)
    ->Arg(kKeptFrames)
    ->Arg(kWholeFrames)
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);
