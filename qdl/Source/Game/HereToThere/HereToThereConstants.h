#pragma once

// The animal-delivery game's cage colours and shapes: the words of its level files.

#include "Core/Source/Label.h"

// Sized, so that -1, the value of a name that matches nothing, is a value of the type.
enum HereToThereObjectColor : int
{
    kHereToThereObjectColor_Blue = 0,
    kHereToThereObjectColor_Green,
    kHereToThereObjectColor_Purple,
    kHereToThereObjectColor_Yellow,
    kNumHereToThereObjectColors
};

enum HereToThereObjectShape : int
{
    kHereToThereObjectShape_Square = 0,
    kHereToThereObjectShape_Circle,
    kHereToThereObjectShape_Triangle,
    kHereToThereObjectShape_Star,
    kNumHereToThereObjectShapes
};

extern char const* const kHereToThereObjectColorNames[kNumHereToThereObjectColors];
extern char const* const kHereToThereObjectShapeNames[kNumHereToThereObjectShapes];

// The image list of a flag of that shape ("HereToThere_Rectangle",
// "HereToThere_Circle", "HereToThere_Triangle", "HereToThere_Star"), whose
// frames are the colours in their order; null for a value of no shape.
Corvane::Label getHereToThereFlagImageList(int shape);

class SceneNode;

// A new tree of the named scene layout, in no database yet; null, logged,
// when the layout is missing or cannot be built.
SceneNode* instantiateHereToThereLayout(char const* layoutName);
