#pragma once

// The fence-painting game's paint colours: the fence stripe's sprite type and the brush cursor of each.

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/NodePath.h"

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

// Below a bucket's or a stripe's own layout node.
extern NodePathElement const kHousePaintImageNodePath[2];
extern NodePathElement const kHousePaintRolloverNodePath[3];

// Below the playfield ("GameScreenRoot"/"Playfield").
extern NodePathElement const kPaintItHouseRootPath[2];
// Bucket index 0 goes under "Bucket1": the names count from one.
extern NodePathElement const kPaintItBucketPaths[3][2];
extern NodePathElement const kPaintItAnimNodeRootPath[2];
extern NodePathElement const kPaintItZeddoAnimNodePath[3];
extern NodePathElement const kPaintItFenceClickRectPath[2];
extern NodePathElement const kPaintItClickMaskPath[2];

// The fence: ten stripes 70 apart, the first six painted, the vehicle's home
// at the seventh.
int const kNumFenceStripes = 10;
int const kNumPaintedStripes = 6;
float const kFenceStripeSpacing = 70.0f;
