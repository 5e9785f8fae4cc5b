#pragma once

// The leaf-blowing game's node paths, each below the node its comment names,
// and its limits.

#include "CorvaneExtensions/Source/NodePath.h"

// Below a leaf's or a tool's own layout node.
extern NodePathElement const kPileOfLeavesLeafImagePath[2];
extern NodePathElement const kPileOfLeavesToolImagePath[2];
extern NodePathElement const kPileOfLeavesToolHighlightPath[3];

// Below the playfield ("GameScreenRoot"/"Playfield").
extern NodePathElement const kPileOfLeavesLeafLayerPath[2];
extern NodePathElement const kPileOfLeavesToolLayerPath[2];
extern NodePathElement const kPileOfLeavesClickMaskPath[2];
extern NodePathElement const kPileOfLeavesDogPath[2];
// Below "GameScreenRoot"/"UI_attach".
extern NodePathElement const kPileOfLeavesToolToPickPath[2];
extern NodePathElement const kPileOfLeavesHighlightBoxPath[2];

// The bare ground below the fence and the dog, where the tools lie and the
// leaves rest: their places run from left to right and top to bottom inclusive.
int const kLeafGroundLeft = 10;
int const kLeafGroundRight = 790;
int const kLeafGroundTop = 250;
int const kLeafGroundBottom = 590;
// How far a leaf heaped on a tool may rest from the tool's place, each way.
int const kLeafHeapReach = 80;

// The tool colours in play: red, green, blue and yellow.
int const kNumLeafToolColors = 4;
// With 7 tools or more: one hammer, one drill, two wrenches, two
// screwdrivers and four each of the other four tools.
int const kMaxLeafCoveredTools = 22;
// Draws of a tool's place before the least-overlapping one is taken, and of
// a scattered leaf's place before the last draw is kept.
int const kMaxToolPlaceDraws = 2000;
int const kMaxLeafPlaceDraws = 500;
// The found tool's flight speed when "ToolCorrectFlySpeed" is not above 0.
float const kDefaultToolFlySpeed = 700.0f;
