#include "CorvaneExtensions/Source/CorvaneExtensions.h"

#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/SceneLayout.h"

#include "2DEngine/Source/Framework/ResourceManager.h"

using namespace Corvane;

void SetupCorvaneExtensions()
{
    ResourceManager* resources = GetResourceManager();
    resources->AddResourceFactory(L"scenelayout", new SceneLayoutResourceFactory());

    SceneLayoutManager& layouts = SceneLayoutManager::Instance();
    layouts.AddSceneNodeFactory(L"scenenode", new BasicSceneNodeFactory());
}
