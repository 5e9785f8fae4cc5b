#pragma once

// The fence-painting game's paint colours: the fence stripe's sprite type and the brush cursor of each.

#include "Core/Source/Label.h"

enum HousePaintColor
{
    kHousePaintColor_Red = 0,
    kHousePaintColor_Green,
    kHousePaintColor_Blue,
    kHousePaintColor_Yellow,
    kNumHousePaintColors
};

extern Corvane::Label const kHousePaintFenceSpriteTypes[kNumHousePaintColors];
extern Corvane::Label const kHousePaintBrushCursors[kNumHousePaintColors];
