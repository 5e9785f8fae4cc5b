#ifndef CORVANE_FRAMEWORK_LAYOUT_H
#define CORVANE_FRAMEWORK_LAYOUT_H

// Widget layouts: a "layout" resource lists one element per widget object, the
// element's tag being the object's type key. Loading a layout under an
// instance label makes the objects through the object factory, applies the
// common attributes through the objects' roles, scales positions and sizes
// from the layout's design resolution to the window, adds the objects to the
// context mode's database and records them in a LayoutInstance object, through
// which the group is moved, shown, enabled, faded and tinted, and destroyed.

#include <functional>
#include <string>
#include <vector>

#include "Core/Source/Label.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/AttributeContainer.h"
#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/Roles.h"

namespace Corvane
{

class Font;
class LayoutInstance;

// The design resolution of a layout that gives none, or a useless one.
constexpr float kLayoutDefaultScreenWidth = 800.0f;
constexpr float kLayoutDefaultScreenHeight = 600.0f;

class Layout : public AttributeContainer
{
public:
    Layout();
    ~Layout() override;

    // Makes the objects of one instance, replacing the objects it had. The null
    // label is an instance of its own, whose objects are named by "name" alone.
    void Load(Label instance);
    // Destroys the instance's objects and its instance object.
    void Unload(Label instance);
    // The instance object exists in the context database and holds objects.
    bool IsLoaded(Label instance) const;
    // The instance object in the context database, made and added when missing;
    // null only without a context database.
    LayoutInstance* GetInstance(Label instance) const;
    // The object list of GetInstance; an empty list without a context database.
    std::vector<ObjectID> const& GetObjectIDs(Label instance) const;
    // "Corvane::LayoutInstance::<layout>::<instance>", or without "::<instance>"
    // for the null instance label.
    Label GetInstanceName(Label instance) const;

    Label GetName() const { return mName; }
    float GetScreenWidth() const { return mScreenWidth; }
    float GetScreenHeight() const { return mScreenHeight; }
    float GetX() const { return mX; }
    float GetY() const { return mY; }
    std::vector<std::wstring> const& GetTypeKeys() const { return mTypeKeys; }
    std::vector<XMLElement> const& GetDescriptions() const { return mDescriptions; }

    // Filled by the resource factory.
    void SetName(Label name) { mName = name; }
    // The file it was read from, named when a number of it is refused.
    void SetFileName(std::wstring const& file) { mFileName = file; }
    void SetScreenSize(float width, float height);
    void SetOffset(float x, float y);
    void AddDescription(XMLElement const& element);

private:
    std::vector<std::wstring> mTypeKeys;
    std::vector<XMLElement> mDescriptions;
    float mScreenWidth;
    float mScreenHeight;
    float mX;
    float mY;
    Label mName;
    std::wstring mFileName;
};

// One loaded instance of a layout. Each group operation first stores the value
// in the instance's own component, then passes it to every object of the list
// that has the role; objects that are gone are skipped.
class LayoutInstance : public Object,
                       public LocationComponent,
                       public EnableComponent,
                       public VisibleComponent,
                       public ColorComponent
{
public:
    // The layout is not owned.
    LayoutInstance(Label name, Layout* layout);
    ~LayoutInstance() override;

    Label GetName() const override { return mName; }
    // "Corvane::LayoutInstance".
    Label GetRole() const override;
    static Label GetRoleLabel();

    // Moves every located object by the difference to the old location, so the
    // group keeps its shape.
    void SetLocation(Vector2<float> const& location) override;
    void Enable(bool enable) override;
    void SetVisible(bool visible) override;
    void SetAlpha(float alpha) override;
    void SetColor(ColorF const& color) override;

    Layout* GetLayout() const { return mLayout; }
    // In creation order.
    std::vector<ObjectID>& GetObjectIDs() { return mObjects; }
    std::vector<ObjectID> const& GetObjectIDs() const { return mObjects; }

private:
    template <class Role, class Apply>
    void ForEachObject(Apply const& apply);

    Label mName;
    Layout* mLayout;
    std::vector<ObjectID> mObjects;
};

// The "layout" manifest element: "screenWidth" and "screenHeight" (800 and 600;
// 0 or less also gives these), "x" and "y" (0), and every start element inside
// it, at any depth, as one object description.
class LayoutResourceFactory : public IResourceFactory
{
public:
    IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name, IAttributeContainer const& attributes,
                                        IXMLReader& reader) const override;
};

// Registers the "layout" resource factory, then the widget object factories
// (through the layout services, when installed).
void CreateLayoutFactories();

namespace Internal
{

// What layouts need of the widget objects and of fonts, installed by the widget
// library; an empty service makes no object, finds no font or registers nothing.
struct sLayoutServices
{
    // A new object of the type key, or null for an unknown key.
    std::function<Object*(std::wstring const& typeKey, Label name, IAttributeContainer const& attributes)>
        createObject;
    // The loaded font resource of the name, or null.
    std::function<Font const*(Label name)> findFont;
    // Registers the widget object factories.
    std::function<void()> registerObjectFactories;
};

sLayoutServices& GetLayoutServices();

} // namespace Internal
} // namespace Corvane

#endif
