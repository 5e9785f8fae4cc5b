#include "CorvaneExtensions/Source/CorvaneExtensions.h"

#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/CheckBoxNode.h"
#include "CorvaneExtensions/Source/ListNode.h"
#include "CorvaneExtensions/Source/MeterNodes.h"
#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/NodeGridNode.h"
#include "CorvaneExtensions/Source/RadioButtonNode.h"
#include "CorvaneExtensions/Source/RandomRange.h"
#include "CorvaneExtensions/Source/SceneLayout.h"
#include "CorvaneExtensions/Source/SceneRef.h"
#include "CorvaneExtensions/Source/ScrollBarNode.h"
#include "CorvaneExtensions/Source/ShapeNodes.h"
#include "CorvaneExtensions/Source/SliderNode.h"
#include "CorvaneExtensions/Source/SpriteAnimation.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"
#include "CorvaneExtensions/Source/SpriteType.h"
#include "CorvaneExtensions/Source/TextEditNode.h"
#include "CorvaneExtensions/Source/TextSpriteNodes.h"

#include "2DEngine/Source/Framework/ResourceManager.h"

using namespace Corvane;

void SetupCorvaneExtensions()
{
    ResourceManager* resources = GetResourceManager();
    resources->AddResourceFactory(L"spriteanimationlist", new SpriteAnimationListResourceFactory());
    resources->AddResourceFactory(L"spritetype", new SpriteTypeResourceFactory());
    resources->AddResourceFactory(L"scenelayout", new SceneLayoutResourceFactory());
    resources->AddResourceFactory(L"randomrange", new RandomRangeResourceFactory());

    SceneLayoutManager& layouts = SceneLayoutManager::Instance();
    layouts.AddSceneNodeFactory(L"sceneref", new SceneRefFactory());
    layouts.AddSceneNodeFactory(L"scenenode", new BasicSceneNodeFactory());
    layouts.AddSceneNodeFactory(L"backgroundnode", new BackgroundNodeFactory());
    layouts.AddSceneNodeFactory(L"buttonnode", new ButtonNodeFactory());
    layouts.AddSceneNodeFactory(L"checkboxnode", new CheckBoxNodeFactory());
    layouts.AddSceneNodeFactory(L"listnode", new ListNodeFactory());
    layouts.AddSceneNodeFactory(L"radiobuttonnode", new RadioButtonNodeFactory());
    layouts.AddSceneNodeFactory(L"scrollbarnode", new ScrollBarNodeFactory());
    layouts.AddSceneNodeFactory(L"slidernode", new SliderNodeFactory());
    layouts.AddSceneNodeFactory(L"staticspritenode", new StaticSpriteNodeFactory());
    layouts.AddSceneNodeFactory(L"texteditnode", new TextEditNodeFactory());
    layouts.AddSceneNodeFactory(L"textspritenode", new TextSpriteNodeFactory());
    layouts.AddSceneNodeFactory(L"animatedspritenode", new AnimatedSpriteNodeFactory());
    layouts.AddSceneNodeFactory(L"meterbarnode", new MeterBarNodeFactory());
    layouts.AddSceneNodeFactory(L"discretemeterbarnode", new DiscreteMeterBarNodeFactory());
    layouts.AddSceneNodeFactory(L"nodegridnode", new NodeGridNodeFactory());
    layouts.AddSceneNodeFactory(L"rectnode", new RectNodeFactory());
    layouts.AddSceneNodeFactory(L"ellipsenode", new EllipseNodeFactory());
    layouts.AddSceneNodeFactory(L"styledtextspritenode", new StyledTextSpriteNodeFactory());
    layouts.AddSceneNodeFactory(L"fractiontextmeternode", new FractionTextMeterNodeFactory());
    layouts.AddSceneNodeFactory(L"tiledspritenode", new TiledSpriteNodeFactory());
}
