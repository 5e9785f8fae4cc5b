#pragma once

// The automated player of the animal-delivery game: it looks at the screen as
// a child does (a flag's shape from its picture's list, its colour from the
// frame), clicks at the centres of the nodes it means, and waits for the
// truck between clicks. Everything here that reads the game runs on the
// loop's thread (inside Child::Look or RunOnLoop).

#include <string>
#include <utility>
#include <vector>

#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Object.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

class HereToThereCart;
class HereToThereMode;
class HereToThereTarget;
class SceneNode;

namespace HereToThereSupport
{

using GameDriver::ClickAt;

// The game when it is the top screen, else null.
HereToThereMode* Game();
HereToThereCart* Cart();
// Under the game's scene root: "GameScreenRoot/Playfield/YSorted".
SceneNode* Layer();
bool MaskShown();

// (shape, colour) of the picture a flag node shows; (-1, -1) for none.
std::pair<int, int> FlagOf(SceneNode const* shapeNode);

struct sPiece
{
    bool found = false;
    Corvane::ObjectID id = -1;
    std::pair<int, int> flag{-1, -1};
    Corvane::Vector2<float> centre;
    int slot = -1;
};

// The first animal still waiting in the loading row (its "clickRect" centre).
sPiece WaitingAnimal();
int WaitingAnimalCount();
// The house whose flag is the given one (its picture's centre); with skip, another one.
sPiece HouseWithFlag(std::pair<int, int> flag, int skipSlot = -1);
// A house on that road whose flag differs in colour or shape from the given flag, as asked.
sPiece HouseDiffering(std::pair<int, int> flag, bool sameColour, bool sameShape);
// The animal's layout node, wherever it is; null once it is gone.
SceneNode* AnimalNode(Corvane::ObjectID animal);
bool AnimalOnTruck(Corvane::ObjectID animal);
// Frames until the animal is set down in the playfield layer; negative when it never is.
int FramesUntilSetDown(GameDriver::Child& child, Corvane::ObjectID animal);
bool TruckHome();

// The game started at Hard, with nothing before it, for a profile in the middle of the story.
class HardGamePlay : public GameDriver::PlayTest
{
protected:
    void SetUpPlay() override;
};

// A house by its object ID; null when there is none.
HereToThereTarget* House(Corvane::ObjectID id);
// The truck's place; (-1, -1) without a truck.
Corvane::Vector2<float> TruckAt();
// Whether the truck standing where it stands takes the direct way to the house.
bool DirectWayTo(Corvane::ObjectID house);
// Whether the truck stands where it stops for the house.
bool StandsAt(Corvane::ObjectID house);

// Closes the instruction overlay with its OK button when it is up.
bool PassInstructions(GameDriver::Child& child);

// Delivers every animal as a child would, checking each delivery on the way;
// the number delivered.
int DeliverEveryAnimal(GameDriver::Child& child);

} // namespace HereToThereSupport
