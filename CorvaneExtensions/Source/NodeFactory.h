#ifndef CORVANE_EXTENSIONS_NODEFACTORY_H
#define CORVANE_EXTENSIONS_NODEFACTORY_H

// The registry of scene-layout node tags: one factory per tag turns an element's
// type-specific attributes into a descriptor, and a descriptor into a new node.

#include "2DEngine/Source/Framework/AttributeContainer.h"

#include <map>
#include <string>

class SceneNode;

// The type-specific attributes of one layout element; one class per node type.
class SceneNodeDescriptor
{
public:
    virtual ~SceneNodeDescriptor() {}
};

class SceneNodeFactory
{
public:
    // The registry deletes the factories it holds through this base.
    virtual ~SceneNodeFactory() {}

    // A new descriptor, owned by the caller, holding the element's own attributes.
    virtual SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const = 0;
    // A new node built from a descriptor that this factory made.
    virtual SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const = 0;
};

// "scenenode": a plain node with a size.
class BasicSceneNodeDescriptor : public SceneNodeDescriptor
{
public:
    BasicSceneNodeDescriptor() : width(0.0f), height(0.0f) {}

    float width;
    float height;
};

class BasicSceneNodeFactory : public SceneNodeFactory
{
public:
    SceneNodeDescriptor* CreateDescriptor(Corvane::IAttributeContainer const& attributes) const override;
    SceneNode* CreateNode(SceneNodeDescriptor const* descriptor) const override;
};

// Process-wide map from tag (compared exactly, with case) to the factory that owns it.
class SceneLayoutManager
{
public:
    static SceneLayoutManager& Instance();

    ~SceneLayoutManager();
    SceneLayoutManager(SceneLayoutManager const&) = delete;
    SceneLayoutManager& operator=(SceneLayoutManager const&) = delete;

    // Takes ownership; a factory already under the tag is deleted and replaced.
    void AddSceneNodeFactory(std::wstring const& tag, SceneNodeFactory* factory);
    // Null for an unregistered tag.
    SceneNodeFactory* GetSceneNodeFactory(std::wstring const& tag) const;

private:
    SceneLayoutManager() {}

    std::map<std::wstring, SceneNodeFactory*> mFactories;
};

#endif
