#ifndef CORVANE_EXTENSIONS_SCENELAYOUT_H
#define CORVANE_EXTENSIONS_SCENELAYOUT_H

// Scene layouts: the "scenelayout" resource, a tree of node descriptors read from
// XML, which builds fresh SceneNode trees as often as it is instantiated.

#include "CorvaneExtensions/Source/NodeFactory.h"
#include "CorvaneExtensions/Source/SceneNode.h"

#include "2DEngine/Source/Framework/Resource.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace Corvane
{
class IXMLReader;
class ObjectDatabase;
}

// A scene content error; its text names the layout once the name is known.
class SceneLayoutException : public std::runtime_error
{
public:
    explicit SceneLayoutException(std::string const& message);

    // Prefixes the text with: in SceneLayout "<name>": 
    void setName(std::string const& name);
    std::string const& getMessage() const { return mMessage; }
    std::string const& getName() const { return mName; }

    char const* what() const noexcept override { return mText.c_str(); }

private:
    std::string mText;
    std::string mMessage;
    std::string mName;
};

class SceneLayout
{
public:
    // One node element: its type-specific descriptor, the attributes common to every
    // node, and its children in document order.
    class LayoutDescriptor
    {
    public:
        // The factory's descriptor for the element, then the common attributes.
        LayoutDescriptor(SceneNodeFactory* factory, Corvane::IAttributeContainer const& attributes);
        virtual ~LayoutDescriptor();

        LayoutDescriptor(LayoutDescriptor const&) = delete;
        LayoutDescriptor& operator=(LayoutDescriptor const&) = delete;

        // Not owned.
        SceneNodeFactory* factory;
        SceneNodeDescriptor* nodeDescriptor;
        std::vector<LayoutDescriptor*> children;
        SceneNode::NodeAttachParams attachParams;
        Corvane::Label name;
        Corvane::Label nodeName;
        Corvane::Vector2<float> location;
        Corvane::Vector2<float> scale;
        Corvane::Angle orientation;
        bool visible;
        Corvane::ColorF color;
        bool hitTest;
        std::uint32_t buttons;
        Corvane::HAlignment rotateHAlign;
        Corvane::VAlignment rotateVAlign;
        Corvane::HAlignment scaleHAlign;
        Corvane::VAlignment scaleVAlign;
    };

    // Empty: instantiates nothing until a root descriptor is set.
    SceneLayout();
    virtual ~SceneLayout();

    SceneLayout(SceneLayout const&) = delete;
    SceneLayout& operator=(SceneLayout const&) = delete;

    // Makes and keeps the root descriptor; a previous root is deleted.
    LayoutDescriptor* CreateRootDescriptor(SceneNodeFactory* factory, Corvane::IAttributeContainer const& attributes);
    LayoutDescriptor const* GetRootDescriptor() const { return mRoot; }

    // Builds the tree under the parent (may be null) and returns its root; no node
    // joins a database. Null for an empty layout.
    SceneNode* InstantiateLayout(SceneNode* parent) const;
    // The same, then adds the new subtree to the database, children before parents.
    SceneNode* InstantiateLayout(Corvane::ObjectDatabase* database, SceneNode* parent) const;

    // Reads the node elements of a reader into children of the parent descriptor.
    static void ParseLayoutChildren(LayoutDescriptor* parent, Corvane::IXMLReader& reader);
    static SceneNode* CreateSceneNode(SceneNode* parent, LayoutDescriptor const* descriptor);

private:
    LayoutDescriptor* mRoot;
};

// Reads "scenelayout" manifest elements.
class SceneLayoutResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader& reader) const override;
};

namespace SceneLayoutAttributes
{
// "left", "center", "right" (exact); anything else is left.
Corvane::HAlignment ParseHAlignment(std::wstring const& text);
// "top", "middle", "bottom" (exact); anything else is top.
Corvane::VAlignment ParseVAlignment(std::wstring const& text);
// "all", "none", or a comma-separated list of "left", "right", "middle" added to left.
std::uint32_t ParseButtons(std::wstring const& text);
} // namespace SceneLayoutAttributes

#endif
