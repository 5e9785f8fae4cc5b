#pragma once

// What the stacking game's elements share: their layout names, the building
// of an element's own layout before it joins a scene, and the look-ups of the
// running mode and of the elements by role.

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/NodePath.h"

class SceneNode;
class StackableObject;
class StackingTarget;
class TollerStackerMode;

extern char const* const kTollerStackerModeLayout;
extern char const* const kStackableObjectLayout;
extern char const* const kStackTargetLayout;

Corvane::Label stackableObjectRole();
Corvane::Label stackableTargetRole();

// The node below `root`, or null, logged with the element's layout name, when
// a step of the path is missing.
SceneNode* findStackerNode(SceneNode* root, NodePathElement const* path, char const* layoutName);

// The top mode as the stacking game; null, logged, when another mode is on top.
TollerStackerMode* topStackerMode();
StackableObject* stackableObjectOf(Corvane::ObjectID id);
StackingTarget* stackingTargetOf(Corvane::ObjectID id);
