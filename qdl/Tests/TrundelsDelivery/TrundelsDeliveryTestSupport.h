#pragma once

// What the delivery game's plays share: the train and the choices as the game
// holds them (read on the loop's thread), the automated player that reads the
// pattern and clicks the cargo that continues it, and the game started alone.

#include <string>
#include <vector>

#include "Core/Source/Label.h"
#include "Core/Source/Vector2.h"
#include "2DEngine/Source/Framework/Object.h"
#include "qdl/Source/Game/GameModeTypes.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

class TrundelsDeliveryMode;

namespace TrundelsDeliveryTest
{

using GameDriver::Child;
using GameDriver::ClickAt;
using GameDriver::CountOf;
using GameDriver::SaveGameScreenshot;
using GameDriver::SoundsSince;

struct sCart
{
    // The frame "cargoImage" shows, shown or not (-1 for none).
    int cargoFrame;
    bool cargoShown;
    int type;
};

struct sChoice
{
    Corvane::ObjectID id;
    int type;
    Corvane::Vector2<int> centre;
    bool clickable;
};

struct sYard
{
    TrundelsDeliveryMode const* mode = nullptr;
    Corvane::Label level;
    std::vector<int> mapping;
    int loopsLeft = -1;
    bool outroStarted = false;
    bool answering = false;
    bool maskShown = false;
    size_t cartsToFill = 0;
    // Cart_1 to Cart_6, in order.
    std::vector<sCart> carts;
    std::vector<sChoice> choices;
};

sYard ReadYard(Child& child);
// The frame index of the image in the small cargo list, -1 when it is none of them.
int SmallCargoFrame(void const* image);
// Whether carts 1 to 5 spell one of the level's patterns, repeated, through the
// mapping; the type cart 6 needs then, or -1.
int NeededType(sYard const& yard, std::string* why);
sChoice const* ChoiceOfType(sYard const& yard, int type);
// Until the train stands and nothing hides the choices.
bool WaitUntilReady(Child& child);
// Reads the pattern, checks it and clicks the right choice; the answer then plays.
void DeliverTheRightCargo(Child& child);

void StartGame(GameDriver::Driver& driver, GameModeDifficulty difficulty, bool playIntro = false);

} // namespace TrundelsDeliveryTest
