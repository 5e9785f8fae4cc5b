#pragma once

// The animal-delivery game's cage colours and shapes: the words of its level files.

#include "Core/Source/Label.h"

enum HereToThereObjectColor
{
    kHereToThereObjectColor_Blue = 0,
    kHereToThereObjectColor_Green,
    kHereToThereObjectColor_Purple,
    kHereToThereObjectColor_Yellow,
    kNumHereToThereObjectColors
};

enum HereToThereObjectShape
{
    kHereToThereObjectShape_Square = 0,
    kHereToThereObjectShape_Circle,
    kHereToThereObjectShape_Triangle,
    kHereToThereObjectShape_Star,
    kNumHereToThereObjectShapes
};

extern char const* const kHereToThereObjectColorNames[kNumHereToThereObjectColors];
extern char const* const kHereToThereObjectShapeNames[kNumHereToThereObjectShapes];
