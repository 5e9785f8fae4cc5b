#pragma once

// The twelve game buttons of the free-play screens, by their object names,
// in the order a sender's name is compared, with the game each one starts.
// The buttons' names are the front end's own game labels: "FarmerBrambold"
// is the delivery game and "PaintTheHouse" the painting game, which the
// story calls "TrundelDelivery" and "PaintIt".

#include "Core/Source/Label.h"
#include "qdl/Source/Game/GameModeTypes.h"

struct sFreePlayGame
{
    char const* button;
    GameModeType type;
};

extern sFreePlayGame const kFreePlayGames[kNumGameModeTypes];

// The game of a free-play button's name, or -1 for a name of no game.
int getFreePlayGameType(Corvane::Label button);
