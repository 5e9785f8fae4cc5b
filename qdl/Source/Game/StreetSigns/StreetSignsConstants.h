#pragma once

// The street-sign game's colours and shapes: the words of its level files and the sprite of each sign shape.

#include "Core/Source/Label.h"

// Sized, so that -1, the value of a name that matches nothing, is a value of the type.
enum StreetSignColor : int
{
    kStreetSignColor_Red = 0,
    kStreetSignColor_Green,
    kStreetSignColor_Blue,
    kStreetSignColor_Orange,
    kStreetSignColor_Yellow,
    kNumStreetSignColors
};

// Sized, so that -1, the value of a name that matches nothing, is a value of the type.
enum StreetSignShape : int
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

#include "CorvaneExtensions/Source/NodePath.h"

// Node paths of the game's layouts.
// Below the playfield ("GameScreenRoot"/"Playfield") of "StreetSignsModeLayout":
extern NodePathElement const kSignsLayout12Path[2];
extern NodePathElement const kSignsLayout9Path[2];
extern NodePathElement const kSignsLayout6Path[2];
extern NodePathElement const kTollerAnimNodePath[2];
extern NodePathElement const kSignsMouseMaskPath[2];
extern NodePathElement const kYSortedLayerPath[2];
// Below the root of "StreetSignLayout":
extern NodePathElement const kSignImagePath[2];
extern NodePathElement const kSignRolloverPath[3];
extern NodePathElement const kSignHookPath[2];
// Below the root of "StreetSignTruckLayout":
extern NodePathElement const kTruckImagePath[2];
extern NodePathElement const kTruckCartPath[2];
