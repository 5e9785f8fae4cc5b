#pragma once

// The level record of the stacking game: the logs and girders in document
// order, as the level reader keeps them (only objects the game can place).

#include <vector>

#include "qdl/Source/Game/TollerStacker/TollerStackerConstants.h"

struct StackableObjectData
{
    // 1 is the smallest; the picture shown is frame size - 1.
    int size;
    StackObjectColor color;
    StackObjectType type;
};

class TollerStackerLevel
{
public:
    // Ten ground places, and five stack points on each colour's platform.
    static int const kMaxObjects = 10;
    static int const kMaxObjectsPerColor = 5;

    TollerStackerLevel() {}

    std::vector<StackableObjectData> objects;
};
