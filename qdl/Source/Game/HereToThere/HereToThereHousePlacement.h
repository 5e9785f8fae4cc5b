#pragma once

// Where the houses of a level stand: one house for each animal first, then
// decoys until the level's count of real houses is reached, each on a slot
// drawn without repeat from the twelve; dummies fill the slots left. Decoys
// never repeat a (colour, shape) pair already placed, and with "matchColor"
// never carry an animal's colour. The draws come from the engine's current
// random stream in a fixed order, and the site is told of each house as it is
// drawn, so that its own draws (a house's picture) fall between them.
//
// A level that asks for more than the slots hold is cut, with a log line:
// only its first four animals are used, decoys stop when no free pair is left
// or no slot is left.

#include "qdl/Source/Game/HereToThere/HereToThereLevel.h"

// The twelve house slots, in three roads of four; the road of slot n is n / 4.
int const kNumHereToThereHouseSlots = 12;
int const kNumHereToThereHouseSlotsPerRoad = 4;
// The animal slots of the loading row.
int const kNumHereToThereAnimalSlots = 4;

class HereToThereHouseSite
{
public:
    virtual ~HereToThereHouseSite() {}
    // A real house (an animal's or a decoy) on slot 0 to 11.
    virtual void placeHouse(int slot, HereToThereObjectColor color, HereToThereObjectShape shape, int road) = 0;
    virtual void placeDummyHouse(int slot) = 0;
};

void placeHereToThereHouses(HereToThereLevel const& level, HereToThereHouseSite& site);

// The animals the game uses: the level's first four.
int getUsedHereToThereAnimalCount(HereToThereLevel const& level);
