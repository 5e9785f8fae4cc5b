#pragma once

// The scene layouts of the counting game and the nodes its code resolves in
// each, so that content lacking one is found before the game is built on it.

#include <string>

namespace Corvane
{
class ObjectDatabase;
}

class SceneNode;

extern char const* const kCountTheMaterialModeLayout;
extern char const* const kMaterialSourceLayout;
extern char const* const kMaterialTargetLayout;
extern char const* const kMaterialLoaderLayout;
extern char const* const kSloamBGLayout;

// Builds the layout under the parent (either may be null), registered in the
// database when one is given; null, logged, when the layout is not loaded or
// cannot be built.
SceneNode* instantiateElementLayout(char const* layout, Corvane::ObjectDatabase* database, SceneNode* parent);

// "<layout> has no node <path>" for the first node the pieces' code resolves
// that a built element layout lacks (or "<layout> cannot be built"); empty
// when all are there.
std::string findMissingElementNode();
