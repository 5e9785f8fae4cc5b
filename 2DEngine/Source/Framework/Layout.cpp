#include "2DEngine/Source/Framework/Layout.h"

#include "2DEngine/Source/Framework/ContentNumbers.h"

#include <memory>

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Framework/Window.h"
#include "Core/Source/Angle.h"
#include "Core/Source/Color.h"
#include "Core/Source/StringUtils.h"

namespace Corvane
{

namespace
{

std::vector<ObjectID> const& NoObjects()
{
    static std::vector<ObjectID> const empty;
    return empty;
}

float ValidSide(float side, float fallback)
{
    // Also catches NaN.
    return side > 0.0f ? side : fallback;
}

// The common attributes of one object description, applied through the roles the
// object has.
void ApplyCommonAttributes(Object* object, IAttributeContainer const& attributes, float sx, float sy)
{
    if (IDrawable* drawable = dynamic_cast<IDrawable*>(object))
        drawable->SetLayer(ReadNumber(attributes, L"layer", 0.0f, NumberRanges::kFinite));

    IBounds* const bounds = dynamic_cast<IBounds*>(object);
    if (bounds)
    {
        Rect<float> const current = bounds->GetBounds();
        float const height = ReadNumber(attributes, L"height", current.height, NumberRanges::kSize);
        float const width = ReadNumber(attributes, L"width", current.width, NumberRanges::kSize);
        float const y = ReadNumber(attributes, L"y", current.y, NumberRanges::kPosition);
        float const x = ReadNumber(attributes, L"x", current.x, NumberRanges::kPosition);
        bounds->SetBounds(Rect<float>(x * sx, y * sy, width * sx, height * sy));
    }
    else if (ILocation* location = dynamic_cast<ILocation*>(object))
    {
        Vector2<float> const current = location->GetLocation();
        float const y = ReadNumber(attributes, L"y", current.y, NumberRanges::kPosition);
        float const x = ReadNumber(attributes, L"x", current.x, NumberRanges::kPosition);
        location->SetLocation(Vector2<float>(x * sx, y * sy));
    }

    if (IVisible* visible = dynamic_cast<IVisible*>(object))
    {
        if (attributes.HasAttribute(L"visible"))
            visible->SetVisible(attributes.GetAttribute(L"visible", visible->IsVisible()));
    }
    if (IEnable* enable = dynamic_cast<IEnable*>(object))
    {
        if (attributes.HasAttribute(L"enable"))
            enable->Enable(attributes.GetAttribute(L"enable", enable->IsEnabled()));
    }

    IColor* const color = dynamic_cast<IColor*>(object);
    if (color && attributes.HasAttribute(L"color"))
    {
        color->SetColor(ColorF::FromString(attributes.GetAttribute(L"color")));
    }
    else if (IAlpha* alpha = dynamic_cast<IAlpha*>(object))
    {
        if (attributes.HasAttribute(L"alpha"))
            alpha->SetAlpha(ReadNumber(attributes, L"alpha", 1.0f, NumberRanges::kFraction));
    }

    if (IFontComponent* fontComponent = dynamic_cast<IFontComponent*>(object))
    {
        Label const fontName = Label::FromString(attributes.GetAttribute(L"font"));
        Internal::sLayoutServices const& services = Internal::GetLayoutServices();
        fontComponent->SetFont(services.findFont && !fontName.IsNull() ? services.findFont(fontName) : nullptr);
    }

    if (ITextModeComponent* textMode = dynamic_cast<ITextModeComponent*>(object))
    {
        std::wstring const mode = attributes.GetAttribute(L"mode");
        if (mode == L"normal")
            textMode->SetTextMode(static_cast<TextMode>(0));
        else if (mode == L"outline")
            textMode->SetTextMode(static_cast<TextMode>(1));
        else if (mode == L"dropshadow")
            textMode->SetTextMode(static_cast<TextMode>(2));
    }

    if (IOrientation* orientation = dynamic_cast<IOrientation*>(object))
    {
        if (attributes.HasAttribute(L"orientation"))
            orientation->SetOrientation(
                Angle::FromDegrees(ReadNumber(attributes, L"orientation", 0.0f, NumberRanges::kFinite)));
    }

    if (IAlignment* alignment = dynamic_cast<IAlignment*>(object))
    {
        std::wstring const h = attributes.GetAttribute(L"halign");
        if (h == L"left")
            alignment->SetHAlignment(static_cast<HAlignment>(0));
        else if (h == L"center")
            alignment->SetHAlignment(static_cast<HAlignment>(1));
        else if (h == L"right")
            alignment->SetHAlignment(static_cast<HAlignment>(2));
        std::wstring const v = attributes.GetAttribute(L"valign");
        if (v == L"top")
            alignment->SetVAlignment(static_cast<VAlignment>(0));
        else if (v == L"middle")
            alignment->SetVAlignment(static_cast<VAlignment>(1));
        else if (v == L"bottom")
            alignment->SetVAlignment(static_cast<VAlignment>(2));
    }

    if (IFlipState* flip = dynamic_cast<IFlipState*>(object))
    {
        if (attributes.HasAttribute(L"flipH") || attributes.HasAttribute(L"flipV"))
        {
            unsigned long bits = 0;
            if (attributes.GetAttribute(L"flipH", false))
                bits |= 1;
            if (attributes.GetAttribute(L"flipV", false))
                bits |= 2;
            flip->SetFlipState(bits);
        }
    }

    if (IText* text = dynamic_cast<IText*>(object))
    {
        if (attributes.HasAttribute(L"text"))
            text->SetText(attributes.GetAttribute(L"text"));
    }

    if (IScale* scale = dynamic_cast<IScale*>(object))
    {
        if (attributes.HasAttribute(L"scaleX") || attributes.HasAttribute(L"scaleY") || !bounds)
        {
            Vector2<float> const current = scale->GetScale();
            float const scaleY = ReadNumber(attributes, L"scaleY", current.y, NumberRanges::kFinite);
            float const scaleX = ReadNumber(attributes, L"scaleX", current.x, NumberRanges::kFinite);
            scale->SetScale(Vector2<float>(scaleX * sx, scaleY * sy));
        }
    }
}

} // namespace

// ---------------------------------------------------------------------------
// Layout

Layout::Layout() : mScreenWidth(0.0f), mScreenHeight(0.0f), mX(0.0f), mY(0.0f) {}

Layout::~Layout() {}

void Layout::SetScreenSize(float width, float height)
{
    mScreenWidth = width;
    mScreenHeight = height;
}

void Layout::SetOffset(float x, float y)
{
    mX = x;
    mY = y;
}

void Layout::AddDescription(XMLElement const& element)
{
    mTypeKeys.push_back(element.name);
    mDescriptions.push_back(element);
}

Label Layout::GetInstanceName(Label instance) const
{
    if (instance.IsNull())
        return Label::FromStringF("Corvane::LayoutInstance::%s", mName.GetString());
    return Label::FromStringF("Corvane::LayoutInstance::%s::%s", mName.GetString(), instance.GetString());
}

bool Layout::IsLoaded(Label instance) const
{
    ObjectDatabase* const database = GetObjectDatabase();
    if (!database)
        return false;
    LayoutInstance const* const found =
        dynamic_cast<LayoutInstance const*>(database->GetNamedObject(GetInstanceName(instance)));
    return found && !found->GetObjectIDs().empty();
}

LayoutInstance* Layout::GetInstance(Label instance) const
{
    ObjectDatabase* const database = GetObjectDatabase();
    if (!database)
        return nullptr;
    Label const name = GetInstanceName(instance);
    if (LayoutInstance* found = dynamic_cast<LayoutInstance*>(database->GetNamedObject(name)))
        return found;
    // An instance refers to its layout for the designer; it never changes it.
    std::unique_ptr<LayoutInstance> made(new LayoutInstance(name, const_cast<Layout*>(this)));
    database->AddObject(made.get());
    return made.release();
}

std::vector<ObjectID> const& Layout::GetObjectIDs(Label instance) const
{
    LayoutInstance* const found = GetInstance(instance);
    return found ? found->GetObjectIDs() : NoObjects();
}

void Layout::Load(Label instance)
{
    if (IsLoaded(instance))
        Unload(instance);

    sWindowConfig const& window = Window::GetConfig();
    float const sx = float(window.width) / ValidSide(mScreenWidth, kLayoutDefaultScreenWidth);
    float const sy = float(window.height) / ValidSide(mScreenHeight, kLayoutDefaultScreenHeight);

    Internal::sLayoutServices const& services = Internal::GetLayoutServices();
    for (std::size_t i = 0; i < mDescriptions.size(); ++i)
    {
        XMLElement const& description = mDescriptions[i];
        std::wstring const objectName = description.GetAttribute(std::wstring(L"name"));
        ContentReadScope const place(mFileName, ConvertStringUTF8ToWide(mName.GetString()) + L"/" +
                                                    (objectName.empty() ? mTypeKeys[i] : objectName));
        Label name;
        if (description.HasAttribute(L"name"))
        {
            std::wstring const text = description.GetAttribute(L"name");
            name = instance.IsNull() ? Label::FromString(text)
                                     : Label::FromStringF("%s::%ls", instance.GetString(), text.c_str());
        }

        if (!services.createObject)
            continue;
        std::unique_ptr<Object> object(services.createObject(mTypeKeys[i], name, description));
        if (!object)
            continue;
        ApplyCommonAttributes(object.get(), description, sx, sy);

        ObjectDatabase* const database = GetObjectDatabase();
        if (!database)
            continue;
        ObjectID const id = database->AddObject(object.get());
        object.release();
        if (LayoutInstance* group = GetInstance(instance))
            group->GetObjectIDs().push_back(id);
    }

    if (mX == 0.0f && mY == 0.0f)
        return;
    if (LayoutInstance* group = GetInstance(instance))
        group->SetLocation(Vector2<float>(mX, mY));
}

void Layout::Unload(Label instance)
{
    ObjectDatabase* const database = GetObjectDatabase();
    if (!database)
        return;
    Label const name = GetInstanceName(instance);
    if (IsLoaded(instance))
    {
        if (LayoutInstance* group = dynamic_cast<LayoutInstance*>(database->GetNamedObject(name)))
        {
            std::vector<ObjectID> const ids = group->GetObjectIDs();
            for (ObjectID id : ids)
                database->DestroyObject(id);
        }
    }
    database->DestroyNamedObject(name);
}

// ---------------------------------------------------------------------------
// LayoutInstance

LayoutInstance::LayoutInstance(Label name, Layout* layout) : mName(name), mLayout(layout)
{
    mObjects.reserve(8);
}

LayoutInstance::~LayoutInstance() {}

Label LayoutInstance::GetRoleLabel()
{
    static Label const role = Label::GetUniqueString("Corvane::LayoutInstance");
    return role;
}

Label LayoutInstance::GetRole() const
{
    return GetRoleLabel();
}

template <class Role, class Apply>
void LayoutInstance::ForEachObject(Apply const& apply)
{
    ObjectDatabase* const database = GetDatabase() ? GetDatabase() : GetObjectDatabase();
    if (!database)
        return;
    for (ObjectID id : mObjects)
    {
        if (Role* role = dynamic_cast<Role*>(database->GetObject(id)))
            apply(role);
    }
}

void LayoutInstance::SetLocation(Vector2<float> const& location)
{
    Vector2<float> const offset = location - LocationComponent::GetLocation();
    LocationComponent::SetLocation(location);
    ForEachObject<ILocation>([&offset](ILocation* object) { object->SetLocation(object->GetLocation() + offset); });
}

void LayoutInstance::Enable(bool enable)
{
    EnableComponent::Enable(enable);
    ForEachObject<IEnable>([enable](IEnable* object) { object->Enable(enable); });
}

void LayoutInstance::SetVisible(bool visible)
{
    VisibleComponent::SetVisible(visible);
    ForEachObject<IVisible>([visible](IVisible* object) { object->SetVisible(visible); });
}

void LayoutInstance::SetAlpha(float alpha)
{
    ColorComponent::SetAlpha(alpha);
    ForEachObject<IAlpha>([alpha](IAlpha* object) { object->SetAlpha(alpha); });
}

void LayoutInstance::SetColor(ColorF const& color)
{
    ColorComponent::SetColor(color);
    ForEachObject<IColor>([&color](IColor* object) { object->SetColor(color); });
}

// ---------------------------------------------------------------------------
// Factory

IResourceDescriptor* LayoutResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                           IAttributeContainer const& attributes,
                                                           IXMLReader& reader) const
{
    std::unique_ptr<ResourceWrapper<Layout>> layout(new ResourceWrapper<Layout>(manifest, name, attributes));
    Layout& value = *layout;
    value.SetName(name);
    value.SetFileName(reader.GetFileName());
    ContentReadScope const place(reader.GetFileName(), ConvertStringUTF8ToWide(name.GetString()));
    value.SetAttributes(attributes.GetAttributes());
    value.SetScreenSize(ReadNumber(attributes, L"screenWidth", kLayoutDefaultScreenWidth, NumberRanges::kSize),
                        ReadNumber(attributes, L"screenHeight", kLayoutDefaultScreenHeight, NumberRanges::kSize));
    value.SetOffset(ReadNumber(attributes, L"x", 0.0f, NumberRanges::kPosition),
                    ReadNumber(attributes, L"y", 0.0f, NumberRanges::kPosition));

    // The layout element itself; a confined reader reports its end until this first read.
    reader.ReadElement();
    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (element && element->kind == XMLElement::kStartElement)
            value.AddDescription(*element);
    }
    return layout.release();
}

void CreateLayoutFactories()
{
    GetResourceManager()->AddResourceFactory(L"layout", new LayoutResourceFactory());
    Internal::sLayoutServices const& services = Internal::GetLayoutServices();
    if (services.registerObjectFactories)
        services.registerObjectFactories();
}

namespace Internal
{

sLayoutServices& GetLayoutServices()
{
    static sLayoutServices services;
    return services;
}

} // namespace Internal
} // namespace Corvane
