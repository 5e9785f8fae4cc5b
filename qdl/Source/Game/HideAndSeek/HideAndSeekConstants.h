#pragma once

// The names the hide-and-seek game looks up: the node paths into its three
// layouts, the identity labels of the cat and the obstacles, and a check that
// a layout gives the nodes the game will resolve.

#include <string>

#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/NodePath.h"
#include "qdl/Source/Game/GameModeTypes.h"

// "HideAndSeekModeLayout", resolved from the playfield ("GameScreenRoot", "Playfield").
extern NodePathElement const kHideAndSeekClickMaskPath[2];
// The layer of the obstacle slots, by difficulty.
extern NodePathElement const kHideAndSeekLayerPaths[kNumGameModeDifficulties][3];

// "HideAndSeekCharacterLayout" and "HideAndSeekObstacleLayout", from the layout's root.
extern NodePathElement const kHideAndSeekImageNodePath[2];
extern NodePathElement const kHideAndSeekRolloverNodePath[2];
extern NodePathElement const kHideAndSeekTailNodePath[2];
extern NodePathElement const kHideAndSeekWrongAnimalPath[2];

// The obstacle pictures, one frame per "imageID" of a level.
extern char const* const kHideAndSeekObstaclePictures;

Corvane::Label getHideAndSeekCharacterName();
Corvane::Label getHideAndSeekObstacleRole();

// "" when the scene layout of that name is loaded and every path (each from the
// layout's root node, without naming it) leads to a node; otherwise what is
// missing, as "<layout>" or "<layout>/<node>/<node>".
std::string findMissingLayoutNode(char const* layoutName, NodePathElement const* const* paths, int count);
