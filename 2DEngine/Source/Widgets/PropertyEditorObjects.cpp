#include "2DEngine/Source/Widgets/PropertyEditorObjects.h"

#include <cerrno>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cwctype>

#include "Core/Source/Angle.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Widgets/CheckBoxObjects.h"
#include "2DEngine/Source/Widgets/DesignerObjects.h"
#include "2DEngine/Source/Widgets/ListObjects.h"
#include "2DEngine/Source/Widgets/SpriteObjects.h"
#include "2DEngine/Source/Widgets/TextEditObject.h"

namespace Corvane
{

namespace
{

constexpr float kTextRowHeight = 25.0f;
constexpr float kOptionRowHeight = 100.0f;
constexpr float kValueOffset = 100.0f;
constexpr float kFieldWidth = 100.0f;
constexpr float kListWidth = 120.0f;
constexpr float kListHeight = 100.0f;

ColorF const kWhite(1.0f, 1.0f, 1.0f, 1.0f);

Font const* DesignerFont()
{
    return AutoResource<Font>("Verdana12").Get();
}

Label CheckBoxClickMessage()
{
    static Label const label = Label::GetUniqueString("CheckBoxClick");
    return label;
}

Label ListSelectionChangeMessage()
{
    static Label const label = Label::GetUniqueString("ListSelectionChange");
    return label;
}

ObjectDatabase* DatabaseOf(Object const* object)
{
    ObjectDatabase* const database = object->GetDatabase();
    return database ? database : GetObjectDatabase();
}

} // namespace

// ---- PropertyEditorObject

PropertyEditorObject::PropertyEditorObject(std::wstring const& name) : mName(name) {}

PropertyEditorObject::~PropertyEditorObject() {}

Label PropertyEditorObject::GetRole() const
{
    return GetRoleLabel();
}

Label PropertyEditorObject::GetRoleLabel()
{
    static Label const label = Label::GetUniqueString("Corvane::PropertyEditor");
    return label;
}

void PropertyEditorObject::ReceiveMessage(ObjectMessage const& message)
{
    if (message.sender != kInvalidObjectID)
        return;
    if (message.message == ObjectDatabase::GetAddMessageName())
    {
        OnAdd();
    }
    else if (message.message == ObjectDatabase::GetRemoveMessageName())
    {
        ObjectDatabase* const database = DatabaseOf(this);
        std::vector<ObjectID> children;
        children.swap(mChildren);
        if (database)
            for (ObjectID child : children)
                database->DestroyObject(child);
    }
}

ObjectID PropertyEditorObject::AddObject(Object* object)
{
    std::unique_ptr<Object> owned(object);
    ObjectDatabase* const database = DatabaseOf(this);
    if (!database || !object)
        return kInvalidObjectID;
    ObjectID const id = database->AddObject(owned.release());
    mChildren.push_back(id);
    return id;
}

Object* PropertyEditorObject::FindObject(ObjectID id) const
{
    ObjectDatabase* const database = DatabaseOf(this);
    return database ? database->GetObject(id) : nullptr;
}

void PropertyEditorObject::AddCaption()
{
    std::wstring const caption = mName + L":";
    AddObject(new TextSpriteObject(kDesignerLayer, GetLocation(), caption.c_str(), DesignerFont(), kWhite, 0.0f));
}

// ---- BoolPropertyEditorObject

BoolPropertyEditorObject::BoolPropertyEditorObject(std::wstring const& name, std::function<bool()> getter,
                                                   std::function<void(bool)> setter)
    : PropertyEditorObject(name), mGetter(std::move(getter)), mSetter(std::move(setter)),
      mCheckBox(kInvalidObjectID)
{
}

void BoolPropertyEditorObject::OnAdd()
{
    mCheckBox = AddObject(new CheckBoxObject(Label(), kDesignerLayer, GetLocation(),
                                             AutoResource<IImageList>("GenericCheckbox").Get(), 0.0f,
                                             GetPropertyName().c_str(), DesignerFont(), kWhite));
    SetHeight(kTextRowHeight);
}

void BoolPropertyEditorObject::Update(float)
{
    if (CheckBoxObject* const box = GetChild<CheckBoxObject>(mCheckBox))
        if (mGetter)
            box->SetChecked(mGetter());
}

void BoolPropertyEditorObject::ReceiveMessage(ObjectMessage const& message)
{
    PropertyEditorObject::ReceiveMessage(message);
    if (message.sender == kInvalidObjectID || message.sender != mCheckBox || message.message != CheckBoxClickMessage())
        return;
    if (CheckBoxObject* const box = GetChild<CheckBoxObject>(mCheckBox))
        if (mSetter)
            mSetter(box->IsChecked());
}

// ---- Text rows

TextPropertyEditorObject::TextPropertyEditorObject(std::wstring const& name)
    : PropertyEditorObject(name), mTextEdit(kInvalidObjectID)
{
}

void TextPropertyEditorObject::OnAdd()
{
    AddCaption();
    Vector2<float> const& location = GetLocation();
    mTextEdit = AddObject(new TextEditObject(Label(), kDesignerLayer,
                                             Vector2<float>(location.x + kValueOffset, location.y),
                                             AutoResource<IImageList>("GenericTextEditField").Get(),
                                             AutoResource<IImage>("GenericTextEditCursor").Get(), kFieldWidth,
                                             DesignerFont(), kWhite));
    SetHeight(kTextRowHeight);
}

void TextPropertyEditorObject::Update(float)
{
    TextEditObject* const field = GetChild<TextEditObject>(mTextEdit);
    if (!field)
        return;
    if (field->HasFocus())
    {
        WriteValue(field->GetValue());
        return;
    }
    std::wstring text;
    if (ReadValue(&text) && text != field->GetValue())
        field->SetValue(text);
}

FloatPropertyEditorObject::FloatPropertyEditorObject(std::wstring const& name, std::function<float()> getter,
                                                     std::function<void(float)> setter)
    : TextPropertyEditorObject(name), mGetter(std::move(getter)), mSetter(std::move(setter))
{
}

float FloatPropertyEditorObject::ParseValue(std::wstring const& text)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == L' ' || text[at] == L'\t'))
        ++at;
    std::string number;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-'))
        number += static_cast<char>(text[at++]);
    std::size_t digits = 0;
    while (at < text.size() && text[at] >= L'0' && text[at] <= L'9')
    {
        number += static_cast<char>(text[at++]);
        ++digits;
    }
    if (at < text.size() && text[at] == L'.')
    {
        number += '.';
        ++at;
        while (at < text.size() && text[at] >= L'0' && text[at] <= L'9')
        {
            number += static_cast<char>(text[at++]);
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0f;
    // An exponent counts only with digits after it; "1e" is the number 1.
    if (at < text.size() && (text[at] == L'e' || text[at] == L'E'))
    {
        std::string exponent = "e";
        std::size_t next = at + 1;
        if (next < text.size() && (text[next] == L'+' || text[next] == L'-'))
            exponent += static_cast<char>(text[next++]);
        bool hasDigits = false;
        while (next < text.size() && text[next] >= L'0' && text[next] <= L'9')
        {
            exponent += static_cast<char>(text[next++]);
            hasDigits = true;
        }
        if (hasDigits)
            number += exponent;
    }
    errno = 0;
    double const value = std::strtod(number.c_str(), nullptr);
    if (errno == ERANGE || !std::isfinite(value) || std::fabs(value) > FLT_MAX)
        return 0.0f;
    return static_cast<float>(value);
}

bool FloatPropertyEditorObject::ReadValue(std::wstring* text) const
{
    if (!mGetter)
        return false;
    // The shortest text that reads back as the value: "100", not "100.000000".
    char digits[64];
    std::to_chars_result const written = std::to_chars(digits, digits + sizeof(digits), mGetter());
    *text = std::wstring(digits, written.ptr);
    return true;
}

bool FloatPropertyEditorObject::WriteValue(std::wstring const& text)
{
    if (!mSetter)
        return false;
    mSetter(ParseValue(text));
    return true;
}

StringPropertyEditorObject::StringPropertyEditorObject(std::wstring const& name,
                                                       std::function<std::wstring()> getter,
                                                       std::function<void(std::wstring const&)> setter)
    : TextPropertyEditorObject(name), mGetter(std::move(getter)), mSetter(std::move(setter))
{
}

bool StringPropertyEditorObject::ReadValue(std::wstring* text) const
{
    if (!mGetter)
        return false;
    *text = mGetter();
    return true;
}

bool StringPropertyEditorObject::WriteValue(std::wstring const& text)
{
    if (!mSetter)
        return false;
    mSetter(text);
    return true;
}

// ---- Option rows

OptionPropertyEditorObject::OptionPropertyEditorObject(std::wstring const& name)
    : PropertyEditorObject(name), mList(kInvalidObjectID)
{
}

void OptionPropertyEditorObject::OnAdd()
{
    AddCaption();
    Vector2<float> const& location = GetLocation();
    mList = AddObject(new ListObject(Label(), kDesignerLayer, Vector2<float>(location.x + kValueOffset, location.y),
                                     AutoResource<IImageList>("GenericList").Get(), kListWidth, kListHeight,
                                     DesignerFont(), kWhite));
    SetHeight(kOptionRowHeight);
    AddItems();
}

ListObject* OptionPropertyEditorObject::List() const
{
    return GetChild<ListObject>(mList);
}

void OptionPropertyEditorObject::ReceiveMessage(ObjectMessage const& message)
{
    PropertyEditorObject::ReceiveMessage(message);
    if (message.sender == kInvalidObjectID || message.sender != mList ||
        message.message != ListSelectionChangeMessage())
        return;
    if (ListObject* const list = List())
        if (list->GetSelectedItem() >= 0)
            OnItemSelected(list->GetItemData(list->GetSelectedItem()));
}

void OptionPropertyEditorObject::OnItemSelected(void*) {}

void OptionPropertyEditorObject::AddItem(wchar_t const* text, void* data)
{
    if (ListObject* const list = List())
        list->AddItem(text, data);
}

void OptionPropertyEditorObject::SelectItem(void* data)
{
    ListObject* const list = List();
    if (!list)
        return;
    list->SelectItem(list->FindItem(data));
    list->ScrollTo(list->GetSelectedItem());
}

std::map<int, std::wstring> GetEnumValues(TextMode)
{
    static std::map<int, std::wstring> const values = {{0, L"Normal"}, {1, L"Outline"}, {2, L"Drop Shadow"}};
    return values;
}

std::map<int, std::wstring> GetEnumValues(HAlignment)
{
    static std::map<int, std::wstring> const values = {{0, L"Left"}, {1, L"Center"}, {2, L"Right"}};
    return values;
}

std::map<int, std::wstring> GetEnumValues(VAlignment)
{
    static std::map<int, std::wstring> const values = {{0, L"Top"}, {1, L"Middle"}, {2, L"Bottom"}};
    return values;
}

FontPropertyEditorObject::FontPropertyEditorObject(std::wstring const& name, std::function<Font const*()> getter,
                                                   std::function<void(Font const*)> setter)
    : OptionPropertyEditorObject(name), mGetter(std::move(getter)), mSetter(std::move(setter))
{
}

void FontPropertyEditorObject::AddItems()
{
    AddItem(L"(None)", nullptr);
    for (IResourceDescriptor* resource : GetResourceManager()->GetResources<Font>())
    {
        std::string const name = resource->GetName().GetString();
        AddItem(std::wstring(name.begin(), name.end()).c_str(),
                const_cast<Font*>(dynamic_cast<Font const*>(resource)));
    }
}

void FontPropertyEditorObject::Update(float)
{
    if (mGetter)
        SelectItem(const_cast<Font*>(mGetter()));
}

void FontPropertyEditorObject::OnItemSelected(void* data)
{
    if (mSetter)
        mSetter(static_cast<Font const*>(data));
}

// ---- PropertyListEditorObject

PropertyListEditorObject::PropertyListEditorObject() : mSelection(kInvalidObjectID) {}

PropertyListEditorObject::~PropertyListEditorObject() {}

Label PropertyListEditorObject::GetName() const
{
    return GetNameLabel();
}

Label PropertyListEditorObject::GetNameLabel()
{
    static Label const label = Label::GetUniqueString("Corvane::PropertyListEditorObject");
    return label;
}

Label PropertyListEditorObject::GetRole() const
{
    static Label const label = Label::GetUniqueString("Corvane::PropertyListEditor");
    return label;
}

DesignerObject* PropertyListEditorObject::GetSelection() const
{
    ObjectDatabase* const database = DatabaseOf(this);
    return database ? dynamic_cast<DesignerObject*>(database->GetObject(mSelection)) : nullptr;
}

bool PropertyListEditorObject::IsSelected(DesignerObject const* designer) const
{
    return designer && GetSelection() == designer;
}

void PropertyListEditorObject::Select(DesignerObject* designer)
{
    if (designer == GetSelection() && (designer || mSelection == kInvalidObjectID))
        return;
    ObjectDatabase* const database = DatabaseOf(this);
    if (!database)
        return;
    database->DestroyObjectsWithRole(PropertyEditorObject::GetRoleLabel());
    mSelection = designer ? designer->GetID() : kInvalidObjectID;
    if (!designer)
        return;
    Rect<float> const column = GetColumnRect();
    float top = 0.0f;
    for (std::unique_ptr<PropertyEditorObject>& row : designer->CreatePropertyEditors())
    {
        row->SetLocation(column.x, top);
        row->SetWidth(kPropertyColumnWidth);
        PropertyEditorObject* const added = row.get();
        database->AddObject(row.release());
        top += added->GetBounds().height;
    }
}

void PropertyListEditorObject::Update(float)
{
    if (mSelection == kInvalidObjectID)
        return;
    DesignerObject* const selection = GetSelection();
    // A selection or target destroyed behind the designer's back leaves an empty column.
    if (!selection)
        Select(nullptr);
    else if (!selection->GetTarget() && DatabaseOf(this))
        DatabaseOf(this)->DestroyObjectsWithRole(PropertyEditorObject::GetRoleLabel());
}

void PropertyListEditorObject::ReceiveMessage(ObjectMessage const& message)
{
    if (message.sender == kInvalidObjectID && message.message == ObjectDatabase::GetRemoveMessageName())
        if (ObjectDatabase* const database = DatabaseOf(this))
            database->DestroyObjectsWithRole(PropertyEditorObject::GetRoleLabel());
}

Rect<float> PropertyListEditorObject::GetColumnRect()
{
    sWindowConfig const& config = Window::GetConfig();
    return Rect<float>(static_cast<float>(config.width) - kPropertyColumnWidth, 0.0f, kPropertyColumnWidth,
                       static_cast<float>(config.height));
}

void PropertyListEditorObject::Draw()
{
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.color = kWhite;
    Graphics::DrawLineRect(GetColumnRect(), state, Graphics::GetCanvas());
}

// ---- The rows of a target

namespace
{

template <class Role>
Role* FindRole(ObjectDatabase* database, ObjectID id)
{
    return database ? dynamic_cast<Role*>(database->GetObject(id)) : nullptr;
}

// Getter and setter of one value of a role, the target looked up on each call.
template <class Role, class T>
struct sBinding
{
    std::function<T()> getter;
    std::function<void(T)> setter;
};

template <class Role, class T, class Get, class Set>
sBinding<Role, T> Bind(ObjectDatabase* database, ObjectID id, Get get, Set set)
{
    sBinding<Role, T> binding;
    binding.getter = [database, id, get]() -> T {
        Role* const role = FindRole<Role>(database, id);
        return role ? get(*role) : T();
    };
    binding.setter = [database, id, set](T value) {
        if (Role* const role = FindRole<Role>(database, id))
            set(*role, value);
    };
    return binding;
}

template <class Role, class Get, class Set>
std::unique_ptr<PropertyEditorObject> FloatRow(wchar_t const* name, ObjectDatabase* database, ObjectID id, Get get,
                                               Set set)
{
    sBinding<Role, float> const binding = Bind<Role, float>(database, id, get, set);
    return std::unique_ptr<PropertyEditorObject>(new FloatPropertyEditorObject(name, binding.getter, binding.setter));
}

template <class Role, class Get, class Set>
std::unique_ptr<PropertyEditorObject> BoolRow(wchar_t const* name, ObjectDatabase* database, ObjectID id, Get get,
                                              Set set)
{
    sBinding<Role, bool> const binding = Bind<Role, bool>(database, id, get, set);
    return std::unique_ptr<PropertyEditorObject>(new BoolPropertyEditorObject(name, binding.getter, binding.setter));
}

template <class Role, class E, class Get, class Set>
std::unique_ptr<PropertyEditorObject> EnumRow(wchar_t const* name, ObjectDatabase* database, ObjectID id, Get get,
                                              Set set)
{
    sBinding<Role, E> const binding = Bind<Role, E>(database, id, get, set);
    return std::unique_ptr<PropertyEditorObject>(
        new EnumPropertyEditorObject<E>(name, binding.getter, binding.setter));
}

} // namespace

std::vector<std::unique_ptr<PropertyEditorObject>> CreatePropertyEditorsFor(ObjectDatabase* database,
                                                                            ObjectID id)
{
    std::vector<std::unique_ptr<PropertyEditorObject>> rows;
    Object* const target = database ? database->GetObject(id) : nullptr;
    if (!target)
        return rows;

    if (dynamic_cast<IDrawable*>(target))
        rows.push_back(FloatRow<IDrawable>(
            L"Layer", database, id, [](IDrawable& r) { return r.GetLayer(); },
            [](IDrawable& r, float v) { r.SetLayer(v); }));
    if (dynamic_cast<ILocation*>(target))
    {
        rows.push_back(FloatRow<ILocation>(
            L"Location::X", database, id, [](ILocation& r) { return r.GetLocation().x; },
            [](ILocation& r, float v) { r.SetLocation(Vector2<float>(v, r.GetLocation().y)); }));
        rows.push_back(FloatRow<ILocation>(
            L"Location::Y", database, id, [](ILocation& r) { return r.GetLocation().y; },
            [](ILocation& r, float v) { r.SetLocation(Vector2<float>(r.GetLocation().x, v)); }));
    }
    if (dynamic_cast<IBounds*>(target))
    {
        rows.push_back(FloatRow<IBounds>(
            L"Bounds::W", database, id, [](IBounds& r) { return r.GetBounds().width; },
            [](IBounds& r, float v) {
                Rect<float> bounds = r.GetBounds();
                bounds.width = v;
                r.SetBounds(bounds);
            }));
        rows.push_back(FloatRow<IBounds>(
            L"Bounds::H", database, id, [](IBounds& r) { return r.GetBounds().height; },
            [](IBounds& r, float v) {
                Rect<float> bounds = r.GetBounds();
                bounds.height = v;
                r.SetBounds(bounds);
            }));
    }
    if (dynamic_cast<IColor*>(target))
    {
        rows.push_back(FloatRow<IColor>(
            L"Color::R", database, id, [](IColor& r) { return r.GetColor().r; },
            [](IColor& r, float v) {
                ColorF color = r.GetColor();
                color.r = v;
                r.SetColor(color);
            }));
        rows.push_back(FloatRow<IColor>(
            L"Color::G", database, id, [](IColor& r) { return r.GetColor().g; },
            [](IColor& r, float v) {
                ColorF color = r.GetColor();
                color.g = v;
                r.SetColor(color);
            }));
        rows.push_back(FloatRow<IColor>(
            L"Color::B", database, id, [](IColor& r) { return r.GetColor().b; },
            [](IColor& r, float v) {
                ColorF color = r.GetColor();
                color.b = v;
                r.SetColor(color);
            }));
    }
    if (dynamic_cast<IAlpha*>(target))
        rows.push_back(FloatRow<IAlpha>(
            L"Color::A", database, id, [](IAlpha& r) { return r.GetAlpha(); },
            [](IAlpha& r, float v) { r.SetAlpha(v); }));
    if (dynamic_cast<IEnable*>(target))
        rows.push_back(BoolRow<IEnable>(
            L"Enable", database, id, [](IEnable& r) { return r.IsEnabled(); },
            [](IEnable& r, bool v) { r.Enable(v); }));
    if (dynamic_cast<IVisible*>(target))
        rows.push_back(BoolRow<IVisible>(
            L"Visible", database, id, [](IVisible& r) { return r.IsVisible(); },
            [](IVisible& r, bool v) { r.SetVisible(v); }));
    if (dynamic_cast<IFontComponent*>(target))
    {
        sBinding<IFontComponent, Font const*> const binding = Bind<IFontComponent, Font const*>(
            database, id, [](IFontComponent& r) { return r.GetFont(); },
            [](IFontComponent& r, Font const* v) { r.SetFont(v); });
        rows.emplace_back(new FontPropertyEditorObject(L"Font", binding.getter, binding.setter));
    }
    if (dynamic_cast<ITextModeComponent*>(target))
        rows.push_back(EnumRow<ITextModeComponent, TextMode>(
            L"Text Mode", database, id, [](ITextModeComponent& r) { return r.GetTextMode(); },
            [](ITextModeComponent& r, TextMode v) { r.SetTextMode(v); }));
    if (dynamic_cast<IAlignment*>(target))
    {
        rows.push_back(EnumRow<IAlignment, HAlignment>(
            L"Horiz. Align", database, id, [](IAlignment& r) { return r.GetHAlignment(); },
            [](IAlignment& r, HAlignment v) { r.SetHAlignment(v); }));
        rows.push_back(EnumRow<IAlignment, VAlignment>(
            L"Vert. Align", database, id, [](IAlignment& r) { return r.GetVAlignment(); },
            [](IAlignment& r, VAlignment v) { r.SetVAlignment(v); }));
    }
    if (dynamic_cast<IFlipState*>(target))
    {
        rows.push_back(BoolRow<IFlipState>(
            L"Horiz. Flip", database, id, [](IFlipState& r) { return (r.GetFlipState() & 1u) != 0; },
            [](IFlipState& r, bool v) { r.SetFlipState(v ? (r.GetFlipState() | 1u) : (r.GetFlipState() & ~1ul)); }));
        rows.push_back(BoolRow<IFlipState>(
            L"Vert. Flip", database, id, [](IFlipState& r) { return (r.GetFlipState() & 2u) != 0; },
            [](IFlipState& r, bool v) { r.SetFlipState(v ? (r.GetFlipState() | 2u) : (r.GetFlipState() & ~2ul)); }));
    }
    if (dynamic_cast<IOrientation*>(target))
        rows.push_back(FloatRow<IOrientation>(
            L"Orientation", database, id,
            [](IOrientation& r) { return r.GetOrientation().GetRadians() * 180.0f / Angle::pi(); },
            [](IOrientation& r, float v) { r.SetOrientation(Angle::FromDegrees(v)); }));
    if (dynamic_cast<IText*>(target))
    {
        sBinding<IText, std::wstring> const binding = Bind<IText, std::wstring>(
            database, id, [](IText& r) { return r.GetText(); },
            [](IText& r, std::wstring v) { r.SetText(v); });
        rows.emplace_back(new StringPropertyEditorObject(
            L"Text", binding.getter, [setter = binding.setter](std::wstring const& v) { setter(v); }));
    }
    return rows;
}

} // namespace Corvane
