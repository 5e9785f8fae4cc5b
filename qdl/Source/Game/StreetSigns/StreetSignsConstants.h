#pragma once

// The street-sign game's colours and shapes: the words of its level files and the sprite of each sign shape.

#include "Core/Source/Label.h"

enum StreetSignColor
{
    kStreetSignColor_Red = 0,
    kStreetSignColor_Green,
    kStreetSignColor_Blue,
    kStreetSignColor_Orange,
    kStreetSignColor_Yellow,
    kNumStreetSignColors
};

enum StreetSignShape
{
    kStreetSignShape_Rectangle = 0,
    kStreetSignShape_Square,
    kStreetSignShape_Octagon,
    kStreetSignShape_Triangle,
    kStreetSignShape_Circle,
    kNumStreetSignShapes
};

extern char const* const kStreetSignColorNames[kNumStreetSignColors];
extern Corvane::Label const kStreetSignShapeSprites[kNumStreetSignShapes];
extern char const* const kStreetSignShapeNames[kNumStreetSignShapes];
