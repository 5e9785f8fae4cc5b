#include "CorvaneExtensions/Source/SceneLayout.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/XMLReader.h"

#include <memory>

using namespace Corvane;

SceneLayoutException::SceneLayoutException(std::string const& message)
    : std::runtime_error(message), mText(message), mMessage(message)
{
}

void SceneLayoutException::setName(std::string const& name)
{
    mName = name;
    if (mName.empty())
        mText = mMessage;
    else
        mText = "in SceneLayout \"" + mName + "\": " + mMessage;
}

namespace SceneLayoutAttributes
{

HAlignment ParseHAlignment(std::wstring const& text)
{
    if (text == L"center")
        return kHAlignment_Center;
    if (text == L"right")
        return kHAlignment_Right;
    return kHAlignment_Left;
}

VAlignment ParseVAlignment(std::wstring const& text)
{
    if (text == L"middle")
        return kVAlignment_Middle;
    if (text == L"bottom")
        return kVAlignment_Bottom;
    return kVAlignment_Top;
}

std::uint32_t ParseButtons(std::wstring const& text)
{
    std::wstring compact;
    for (wchar_t c : text)
    {
        if (c != L' ' && c != L'\t' && c != L'\n' && c != L'\r')
            compact += c;
    }
    if (compact == L"all")
        return 0xFFFFFFFFu;
    if (compact == L"none")
        return 0;
    std::uint32_t mask = 1;
    std::size_t start = 0;
    while (start <= compact.size())
    {
        std::size_t end = compact.find(L',', start);
        if (end == std::wstring::npos)
            end = compact.size();
        std::wstring const word = compact.substr(start, end - start);
        if (word == L"left")
            mask |= 1;
        else if (word == L"right")
            mask |= 2;
        else if (word == L"middle")
            mask |= 4;
        start = end + 1;
    }
    return mask;
}

} // namespace SceneLayoutAttributes

namespace
{

Label ReadLabel(IAttributeContainer const& attributes, wchar_t const* name)
{
    if (!attributes.HasAttribute(name))
        return Label();
    return Label::FromString(TruncateStringWideToASCII(attributes.GetAttribute(std::wstring(name))));
}

std::wstring ReadText(IAttributeContainer const& attributes, wchar_t const* name, wchar_t const* defaultValue)
{
    return attributes.GetAttribute(std::wstring(name), defaultValue);
}

SceneNodeFactory* FindFactory(std::wstring const& tag)
{
    SceneNodeFactory* factory = SceneLayoutManager::Instance().GetSceneNodeFactory(tag);
    if (!factory)
        throw SceneLayoutException("unrecognized node type: \"" + TruncateStringWideToASCII(tag) + "\"");
    return factory;
}

// How refused numbers name a node: its node name, else its object name, else its tag.
std::wstring NodeStep(XMLElement const& element)
{
    for (wchar_t const* key : {L"nodeName", L"name"})
        if (element.HasAttribute(key) && !element.GetAttribute(std::wstring(key)).empty())
            return element.GetAttribute(std::wstring(key));
    return element.name;
}

// Deletes a subtree that never joined a database, when building it failed part-way.
void DeleteUnregisteredSubtree(SceneNode* node)
{
    std::vector<SceneNode*> const children(node->GetChildren().begin(), node->GetChildren().end());
    for (SceneNode* child : children)
        DeleteUnregisteredSubtree(child);
    node->DetachFromParent();
    delete node;
}

} // namespace

SceneLayout::LayoutDescriptor::LayoutDescriptor(SceneNodeFactory* factory_, IAttributeContainer const& attributes)
    : factory(factory_),
      nodeDescriptor(nullptr),
      location(0.0f, 0.0f),
      scale(1.0f, 1.0f),
      orientation(0.0f),
      visible(true),
      color(1.0f, 1.0f, 1.0f, 1.0f),
      hitTest(false),
      buttons(1),
      rotateHAlign(kHAlignment_Left),
      rotateVAlign(kVAlignment_Top),
      scaleHAlign(kHAlignment_Left),
      scaleVAlign(kVAlignment_Top)
{
    using namespace SceneLayoutAttributes;

    if (factory)
        nodeDescriptor = factory->CreateDescriptor(attributes);

    if (attributes.GetAttribute(L"centerOnParent", false))
    {
        attachParams = NodeAttachNPI::CenterOnParent();
    }
    else
    {
        if (attributes.GetAttribute(L"centerHOnParent", false))
        {
            attachParams.parentHAlign = kHAlignment_Center;
            attachParams.selfHAlign = kHAlignment_Center;
        }
        else
        {
            attachParams.parentHAlign = ParseHAlignment(ReadText(attributes, L"parentHAlign", L"left"));
            attachParams.selfHAlign = ParseHAlignment(ReadText(attributes, L"selfHAlign", L"left"));
        }
        if (attributes.GetAttribute(L"centerVOnParent", false))
        {
            attachParams.parentVAlign = kVAlignment_Middle;
            attachParams.selfVAlign = kVAlignment_Middle;
        }
        else
        {
            attachParams.parentVAlign = ParseVAlignment(ReadText(attributes, L"parentVAlign", L"top"));
            attachParams.selfVAlign = ParseVAlignment(ReadText(attributes, L"selfVAlign", L"top"));
        }
    }

    nodeName = ReadLabel(attributes, L"nodeName");
    name = ReadLabel(attributes, L"name");
    location.x = ReadNumber(attributes, L"x", 0.0f, NumberRanges::kPosition);
    location.y = ReadNumber(attributes, L"y", 0.0f, NumberRanges::kPosition);
    scale.x = ReadNumber(attributes, L"scaleX", 1.0f, NumberRanges::kFinite);
    scale.y = ReadNumber(attributes, L"scaleY", 1.0f, NumberRanges::kFinite);
    orientation = Angle::FromDegrees(ReadNumber(attributes, L"orientation", 0.0f, NumberRanges::kFinite));
    visible = attributes.GetAttribute(L"visible", true);
    if (attributes.HasAttribute(L"color"))
        color = ColorF::FromString(attributes.GetAttribute(std::wstring(L"color")));
    else
        color = ColorF(1.0f, 1.0f, 1.0f, ReadNumber(attributes, L"alpha", 1.0f, NumberRanges::kFraction));
    hitTest = attributes.GetAttribute(L"hitTest", false);
    buttons = ParseButtons(ReadText(attributes, L"buttons", L"left"));
    rotateHAlign = ParseHAlignment(ReadText(attributes, L"rotateHAlign", L"left"));
    rotateVAlign = ParseVAlignment(ReadText(attributes, L"rotateVAlign", L"top"));
    scaleHAlign = ParseHAlignment(ReadText(attributes, L"scaleHAlign", L"left"));
    scaleVAlign = ParseVAlignment(ReadText(attributes, L"scaleVAlign", L"top"));
}

SceneLayout::LayoutDescriptor::~LayoutDescriptor()
{
    delete nodeDescriptor;
    for (LayoutDescriptor* child : children)
        delete child;
}

SceneLayout::SceneLayout() : mRoot(nullptr)
{
}

SceneLayout::~SceneLayout()
{
    delete mRoot;
}

SceneLayout::LayoutDescriptor* SceneLayout::CreateRootDescriptor(SceneNodeFactory* factory,
                                                                  IAttributeContainer const& attributes)
{
    LayoutDescriptor* root = new LayoutDescriptor(factory, attributes);
    delete mRoot;
    mRoot = root;
    return root;
}

void SceneLayout::ParseLayoutChildren(LayoutDescriptor* parent, IXMLReader& reader)
{
    // The confined reader first yields the parent's own start element.
    reader.ReadElement();
    while (!reader.IsEOF())
    {
        XMLElement* element = reader.ReadElement();
        if (!element || element->kind != XMLElement::kStartElement)
            continue;
        SceneNodeFactory* factory = FindFactory(element->name);
        ContentReadScope const place(NodeStep(*element));
        std::unique_ptr<LayoutDescriptor> child(new LayoutDescriptor(factory, *element));
        LayoutDescriptor* added = child.get();
        parent->children.push_back(child.release());
        XMLElementReader childReader(&reader);
        ParseLayoutChildren(added, childReader);
    }
}

SceneNode* SceneLayout::CreateSceneNode(SceneNode* parent, LayoutDescriptor const* d)
{
    if (!d || !d->factory)
        return nullptr;
    SceneNode* node = d->factory->CreateNode(d->nodeDescriptor);
    if (!node)
        return nullptr;
    try
    {
        node->SetName(d->name);
        node->SetNodeName(d->nodeName);
        node->LocalSetLocation(d->location);
        node->LocalSetScale(d->scale);
        node->LocalSetOrientation(d->orientation);
        node->LocalSetVisible(d->visible);
        node->LocalSetColor(d->color);
        node->SetHitTest(node->GetHitTest() || d->hitTest);
        node->SetButtonMask(node->GetButtonMask() | d->buttons);
        node->SetRotateAlignment(d->rotateHAlign, d->rotateVAlign);
        node->SetScaleAlignment(d->scaleHAlign, d->scaleVAlign);
        if (parent)
            parent->AttachChild(node, d->attachParams);
        for (LayoutDescriptor const* child : d->children)
            CreateSceneNode(node, child);
    }
    catch (...)
    {
        DeleteUnregisteredSubtree(node);
        throw;
    }
    return node;
}

SceneNode* SceneLayout::InstantiateLayout(SceneNode* parent) const
{
    return CreateSceneNode(parent, mRoot);
}

SceneNode* SceneLayout::InstantiateLayout(ObjectDatabase* database, SceneNode* parent) const
{
    SceneNode* node = InstantiateLayout(parent);
    if (node && database)
        node->AddToDatabase(database);
    return node;
}

IResourceDescriptor* SceneLayoutResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                                 IAttributeContainer const& attributes,
                                                                 IXMLReader& reader) const
{
    std::unique_ptr<ResourceWrapper<SceneLayout> > resource(
        new ResourceWrapper<SceneLayout>(manifest, name, attributes));
    ContentReadScope const layoutPlace(reader.GetFileName(), ConvertStringUTF8ToWide(name.GetString()));
    try
    {
        // The manifest element itself comes first.
        reader.ReadElement();
        while (!reader.IsEOF())
        {
            XMLElement* element = reader.ReadElement();
            if (!element || element->kind != XMLElement::kStartElement)
                continue;
            if (resource->GetRootDescriptor())
                throw SceneLayoutException("scene has more than one root node");
            SceneNodeFactory* factory = FindFactory(element->name);
            ContentReadScope const place(NodeStep(*element));
            SceneLayout::LayoutDescriptor* root = resource->CreateRootDescriptor(factory, *element);
            XMLElementReader rootReader(&reader);
            SceneLayout::ParseLayoutChildren(root, rootReader);
        }
        if (!resource->GetRootDescriptor())
            throw SceneLayoutException("scene has no root node");
    }
    catch (SceneLayoutException& error)
    {
        error.setName(name.GetString());
        throw;
    }
    return resource.release();
}
