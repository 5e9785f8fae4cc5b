#pragma once

// The level record of the animal-delivery game: which caged animals wait in
// the loading row, how many real houses stand on the roads, and whether the
// decoy houses keep off the animals' colours. Made empty by the resource
// wrapper, then filled by the game's level factory while the manifest loads.

#include <vector>

#include "qdl/Source/Game/HereToThere/HereToThereConstants.h"

// One caged animal: the shape and the colour of its flag; -1 for a name that
// matched neither table.
struct HereToThereAnimalData
{
    HereToThereObjectShape type;
    HereToThereObjectColor color;
};

class HereToThereLevel
{
public:
    HereToThereLevel() : numBuildings(0), matchColor(false) {}

    // Animal houses plus decoys wanted.
    int numBuildings;
    // True keeps every decoy off the colours of the level's animals.
    bool matchColor;
    // In document order: the first takes "Source_1".
    std::vector<HereToThereAnimalData> animals;
};
