#ifndef CORVANE_EXTENSIONS_SCENEREF_H
#define CORVANE_EXTENSIONS_SCENEREF_H

// "sceneref": puts a whole other scene layout, named by "scenename", in the
// element's place. The element's common attributes then apply to the referenced
// layout's root, and its own child elements are added under that root.

#include "CorvaneExtensions/Source/NodeFactory.h"

#include "Core/Source/Label.h"

class SceneRefDescriptor : public SceneNodeDescriptor
{
public:
    Corvane::Label sceneName;
};

class SceneRefFactory : public SceneNodeFactory
{
public:
    // References nest at most this deep, so that layouts that name each other
    // (possible once one of them is reloaded) end instead of recursing for ever.
    static constexpr int kMaxNesting = 32;

    // The layout must already be loaded: a name that is not throws a
    // SceneLayoutException, which ends the loading of the enclosing layout.
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    // The root of a fresh instance of the layout, without a parent; null (the element
    // is then left out) when the layout has gone since or references nest too deep.
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

#endif
