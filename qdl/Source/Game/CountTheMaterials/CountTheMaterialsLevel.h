#pragma once

// The level record of the counting game: the piles to lay out, in the order of
// the level file, and the one request of the dumper. Made empty by the
// resource wrapper, filled by the game's level factory while the manifest
// loads, and never changed after.

#include <vector>

#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsConstants.h"

// One pile, or the request: how many items of which material.
struct MaterialData
{
    BuildingMaterial type;
    int number;
};

class CountTheMaterialsLevel
{
public:
    // The game has five places for piles.
    static constexpr int kMaxPiles = 5;

    // Without a "Request" element the request stays kBuildingMaterial_None and 0.
    CountTheMaterialsLevel()
        : requestedMaterial(kBuildingMaterial_None), requestedNumber(0), hasRequest(false), pilesInFile(0)
    {
    }

    std::vector<MaterialData> materials;
    BuildingMaterial requestedMaterial;
    int requestedNumber;
    bool hasRequest;
    // The "Material" elements of the file, the ones left out included.
    int pilesInFile;
};
