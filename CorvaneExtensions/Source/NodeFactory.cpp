#include "CorvaneExtensions/Source/NodeFactory.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "CorvaneExtensions/Source/SceneNode.h"

using namespace Corvane;

SceneNodeDescriptor* BasicSceneNodeFactory::CreateDescriptor(IAttributeContainer const& attributes) const
{
    BasicSceneNodeDescriptor* descriptor = new BasicSceneNodeDescriptor;
    descriptor->width = ReadNumber(attributes, L"width", 0.0f, NumberRanges::kSize);
    descriptor->height = ReadNumber(attributes, L"height", 0.0f, NumberRanges::kSize);
    return descriptor;
}

SceneNode* BasicSceneNodeFactory::CreateNode(SceneNodeDescriptor const* descriptor) const
{
    SceneNode* node = new SceneNode(Label());
    if (BasicSceneNodeDescriptor const* basic = dynamic_cast<BasicSceneNodeDescriptor const*>(descriptor))
    {
        node->SetWidth(basic->width);
        node->SetHeight(basic->height);
    }
    return node;
}

SceneLayoutManager& SceneLayoutManager::Instance()
{
    static SceneLayoutManager instance;
    return instance;
}

SceneLayoutManager::~SceneLayoutManager()
{
    for (auto& entry : mFactories)
        delete entry.second;
}

void SceneLayoutManager::AddSceneNodeFactory(std::wstring const& tag, SceneNodeFactory* factory)
{
    if (!factory)
        return;
    auto found = mFactories.find(tag);
    if (found != mFactories.end())
    {
        if (found->second != factory)
            delete found->second;
        found->second = factory;
        return;
    }
    mFactories[tag] = factory;
}

SceneNodeFactory* SceneLayoutManager::GetSceneNodeFactory(std::wstring const& tag) const
{
    auto found = mFactories.find(tag);
    return found != mFactories.end() ? found->second : nullptr;
}
