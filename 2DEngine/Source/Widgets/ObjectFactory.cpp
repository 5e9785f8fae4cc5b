#include "2DEngine/Source/Widgets/ObjectFactory.h"

#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Framework/Layout.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Widgets/BrushObjects.h"
#include "2DEngine/Source/Widgets/ButtonObject.h"
#include "2DEngine/Source/Widgets/CheckBoxObjects.h"
#include "2DEngine/Source/Widgets/ListObjects.h"
#include "2DEngine/Source/Widgets/SliderObjects.h"
#include "2DEngine/Source/Widgets/SpriteObjects.h"
#include "2DEngine/Source/Widgets/TextEditObject.h"

namespace Corvane
{

namespace
{

ObjectFactory* gObjectFactory = nullptr;

bool SetSpriteImage(Object* object, IImage* image)
{
    ImageSpriteObject* const sprite = dynamic_cast<ImageSpriteObject*>(object);
    if (!sprite)
        return false;
    sprite->SetImage(image);
    return true;
}

} // namespace

ObjectFactory::ObjectFactory()
{
    gObjectFactory = this;
    AutoDeleteSingleton(this);
}

ObjectFactory::~ObjectFactory()
{
    if (gObjectFactory == this)
        gObjectFactory = nullptr;
}

void ObjectFactory::AddObjectFactory(wchar_t const* key, IObjectFactory* factory)
{
    if (!key || !factory)
        return;
    mFactories[key] = std::shared_ptr<IObjectFactory>(factory);
}

Object* ObjectFactory::CreateObject(std::wstring const& key, Label name, IAttributeContainer const& attributes) const
{
    auto const found = mFactories.find(key);
    if (found == mFactories.end())
        return nullptr;
    return found->second->CreateObject(name, attributes);
}

bool ObjectFactory::HasObjectFactory(std::wstring const& key) const
{
    return mFactories.find(key) != mFactories.end();
}

ObjectFactory* GetObjectFactory()
{
    if (!gObjectFactory)
        new ObjectFactory();
    return gObjectFactory;
}

void RegisterWidgetObjectFactories()
{
    ObjectFactory* const registry = GetObjectFactory();
    registry->AddObjectFactory(L"background", new BackgroundObjectFactory());
    registry->AddObjectFactory(L"textedit", new TextEditObjectFactory());
    registry->AddObjectFactory(L"list", new ListObjectFactory());
    registry->AddObjectFactory(L"tree", new TreeObjectFactory());
    registry->AddObjectFactory(L"scrollbar", new ScrollBarObjectFactory());
    registry->AddObjectFactory(L"slider", new SliderObjectFactory());
    registry->AddObjectFactory(L"checkbox", new CheckBoxObjectFactory());
    registry->AddObjectFactory(L"button", new ButtonObjectFactory());
    registry->AddObjectFactory(L"radiobutton", new RadioButtonObjectFactory());
    registry->AddObjectFactory(L"textsprite", new TextSpriteObjectFactory());
    registry->AddObjectFactory(L"imagesprite", new ImageSpriteObjectFactory());
    registry->AddObjectFactory(L"animsprite", new AnimationSpriteObjectFactory());
    registry->AddObjectFactory(L"ninebrush", new NineBrushObjectFactory());
    registry->AddObjectFactory(L"threebrush", new ThreeBrushObjectFactory());
}

void InstallWidgetEngineHooks()
{
    Internal::sLayoutServices& services = Internal::GetLayoutServices();
    services.createObject = [](std::wstring const& key, Label name, IAttributeContainer const& attributes) {
        return GetObjectFactory()->CreateObject(key, name, attributes);
    };
    services.findFont = [](Label name) -> Font const* { return AutoResource<Font>(name).Get(); };
    services.registerObjectFactories = &RegisterWidgetObjectFactories;
    SetImageTask::SetImageSetter(&SetSpriteImage);
}

} // namespace Corvane
