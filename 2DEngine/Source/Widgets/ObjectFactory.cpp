#include "2DEngine/Source/Widgets/ObjectFactory.h"

#include "Core/Source/Singleton.h"
#include "2DEngine/Source/Framework/Layout.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Widgets/SpriteObjects.h"

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
    registry->AddObjectFactory(L"textsprite", new TextSpriteObjectFactory());
    registry->AddObjectFactory(L"imagesprite", new ImageSpriteObjectFactory());
    registry->AddObjectFactory(L"animsprite", new AnimationSpriteObjectFactory());
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
