#ifndef CORVANE_WIDGETS_OBJECTFACTORY_H
#define CORVANE_WIDGETS_OBJECTFACTORY_H

// The registry that turns a widget layout element's tag (its type key) and
// attributes into a new widget object, and the set-up that connects the widget
// objects to layouts and to the engine.

#include <map>
#include <memory>
#include <string>

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/AttributeContainer.h"
#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Resource.h"

namespace Corvane
{

// Makes the objects of one widget type; holds no state.
class IObjectFactory
{
public:
    virtual ~IObjectFactory() {}
    // A new object bearing the name that has read its type's own attributes;
    // the caller owns it.
    virtual Object* CreateObject(Label name, IAttributeContainer const& attributes) const = 0;
};

// Factories by type key, compared exactly (case included). The process-wide
// registry is deleted with the other engine singletons.
class ObjectFactory
{
public:
    ObjectFactory();
    virtual ~ObjectFactory();
    ObjectFactory(ObjectFactory const&) = delete;
    ObjectFactory& operator=(ObjectFactory const&) = delete;

    // Owns the factory from now on; one stored before under the key is deleted.
    // A null factory is refused.
    void AddObjectFactory(wchar_t const* key, IObjectFactory* factory);
    // Null for a key without a factory; the new object is in no database yet.
    Object* CreateObject(std::wstring const& key, Label name, IAttributeContainer const& attributes) const;
    bool HasObjectFactory(std::wstring const& key) const;

private:
    std::map<std::wstring, std::shared_ptr<IObjectFactory>> mFactories;
};

// The resource that an attribute names, read as text; null when the attribute
// is absent or empty or names nothing loaded of that kind.
template <class T>
T* FindAttributeResource(IAttributeContainer const& attributes, wchar_t const* attribute)
{
    std::wstring const name = attributes.GetAttribute(std::wstring(attribute));
    if (name.empty())
        return nullptr;
    return AutoResource<T>(Label::FromString(name)).Get();
}

// The registry, made on first use; never null.
ObjectFactory* GetObjectFactory();

// Registers the fourteen widget factories in the order of the type-key table:
// "background", "textedit", "list", "tree", "scrollbar", "slider", "checkbox",
// "button", "radiobutton", "textsprite", "imagesprite", "animsprite",
// "ninebrush", "threebrush".
void RegisterWidgetObjectFactories();

// Connects the widget objects to the framework: layouts create objects through
// the registry and find fonts among the resources, the layout factories
// register the widget factories, and set-image tasks reach image sprites.
// A program that shows widget layouts calls it before MainLoop::Execute.
void InstallWidgetEngineHooks();

} // namespace Corvane

#endif
