#pragma once

// What the delivery game's elements share: their layout names, the building
// of an element's own layout before it joins a scene, node look-ups that log
// a missing node, and the cue point two task queues meet at.

#include "2DEngine/Source/Framework/Object.h"
#include "CorvaneExtensions/Source/NodePath.h"

class SceneNode;
class TrundelsDeliveryMode;

extern char const* const kTrundelsDeliveryModeLayout;
extern char const* const kDeliveryCartLayout;
extern char const* const kDeliveryObjectLayout;

// The node below `root`; null, logged with the layout's name, when a step is missing.
SceneNode* findDeliveryNode(SceneNode* root, NodePathElement const* path, char const* layoutName);
// Both queues wait at a fresh cue point until both have reached it.
void joinDeliveryQueues(Corvane::Object* first, Corvane::Object* second);
// The top mode as the delivery game; null, logged, when another mode is on top.
TrundelsDeliveryMode* topDeliveryMode();
