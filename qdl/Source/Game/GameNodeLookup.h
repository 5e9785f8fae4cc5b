#pragma once

// Looks up the nodes a mini-game's code relies on, so that broken content is
// logged and skipped instead of dereferenced: a node path below a node or from
// the scene root, down-cast to the node type the code needs, and an element's
// own layout instantiated without a parent.

#include "CorvaneExtensions/Source/NodePath.h"
#include "CorvaneExtensions/Source/SceneNode.h"

// The node at the path below `from` as a T; null, logged with `who` and the
// path, when `from` is null, a step is missing or the node is of another type.
SceneNode* findGameNode(SceneNode* from, NodePathElement const* path, char const* who);

void logWrongGameNodeType(NodePathElement const* path, char const* who);

template <class T>
T* findGameNode(SceneNode* from, NodePathElement const* path, char const* who)
{
    SceneNode* const node = findGameNode(from, path, who);
    T* const typed = dynamic_cast<T*>(node);
    if (node && !typed)
        logWrongGameNodeType(path, who);
    return typed;
}

// The same from the current scene's root.
SceneNode* findGameRootNode(NodePathElement const* path, char const* who);

// A new instance of the named scene layout, not yet in any database or
// tree; null, logged, when the layout is missing or cannot be built.
SceneNode* newElementLayout(char const* layoutName, char const* who);
// Deletes a tree that never joined a database, its deepest nodes first.
void deleteUnattachedTree(SceneNode* root);
// The node at the path below a tree built from the named layout; null, logged
// with `who`, the layout and the path, when a step is missing (a null root is
// not logged again).
SceneNode* findLayoutNode(SceneNode* root, NodePathElement const* path, char const* layoutName, char const* who);
