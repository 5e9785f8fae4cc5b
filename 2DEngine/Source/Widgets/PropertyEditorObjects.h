#ifndef CORVANE_WIDGETS_PROPERTYEDITOROBJECTS_H
#define CORVANE_WIDGETS_PROPERTYEDITOROBJECTS_H

// The property column of the layout designer: for the selected designer
// object one row per property its target supports, each row built from
// ordinary widget objects (a caption, a check box, a text field or a list)
// and kept in step with the target every frame. Rows reach their target
// through getter and setter functions that look the target up by ID on every
// call, so a target destroyed while the column shows it costs nothing.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Core/Source/Label.h"
#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Roles.h"
#include "2DEngine/Source/Graphics/DrawState.h"

namespace Corvane
{

class DesignerObject;
class Font;
class ListObject;
class ObjectDatabase;

// The column's width, right of the window's configured width.
constexpr float kPropertyColumnWidth = 224.0f;
// The layer of the column, the designer and every widget a row makes.
constexpr float kDesignerLayer = 3.4028235e38f;

// The base of every row: a rectangle (location and width set before it is
// added), its property name, and the widgets it made, destroyed with it.
class PropertyEditorObject : public Object, public BoundsComponent
{
public:
    explicit PropertyEditorObject(std::wstring const& name);
    ~PropertyEditorObject() override;

    using Object::GetRole;
    // "Corvane::PropertyEditor".
    Label GetRole() const override;
    static Label GetRoleLabel();
    // "Add" builds the widgets; "Remove" destroys them.
    void ReceiveMessage(ObjectMessage const& message) override;

    // Adds the object to the current database and notes it as a child.
    ObjectID AddObject(Object* object);
    std::wstring const& GetPropertyName() const { return mName; }
    std::vector<ObjectID> const& GetChildren() const { return mChildren; }

protected:
    // Builds the widgets at the row's location and sets the row's height.
    virtual void OnAdd() = 0;
    // The name followed by ":" at the row's location.
    void AddCaption();
    // The child under the ID in the row's database, cast; null when gone.
    template <class T>
    T* GetChild(ObjectID id) const
    {
        return dynamic_cast<T*>(FindObject(id));
    }
    Object* FindObject(ObjectID id) const;

private:
    std::wstring mName;
    std::vector<ObjectID> mChildren;
};

// A check box captioned with the name; 25 high.
class BoolPropertyEditorObject : public PropertyEditorObject
{
public:
    BoolPropertyEditorObject(std::wstring const& name, std::function<bool()> getter,
                             std::function<void(bool)> setter);

    void Update(float dt) override;
    void ReceiveMessage(ObjectMessage const& message) override;
    ObjectID GetCheckBox() const { return mCheckBox; }

protected:
    void OnAdd() override;

private:
    std::function<bool()> mGetter;
    std::function<void(bool)> mSetter;
    ObjectID mCheckBox;
};

// The caption and a 100-wide text field 100 right of the row's left; 25 high.
// The field shows the target's value unless it has the focus; while it has it,
// the typed text goes to the target every frame.
class TextPropertyEditorObject : public PropertyEditorObject
{
public:
    explicit TextPropertyEditorObject(std::wstring const& name);

    void Update(float dt) override;
    ObjectID GetTextEdit() const { return mTextEdit; }

protected:
    void OnAdd() override;
    // False without a getter.
    virtual bool ReadValue(std::wstring* text) const = 0;
    // False without a setter.
    virtual bool WriteValue(std::wstring const& text) = 0;

private:
    ObjectID mTextEdit;
};

class FloatPropertyEditorObject : public TextPropertyEditorObject
{
public:
    FloatPropertyEditorObject(std::wstring const& name, std::function<float()> getter,
                              std::function<void(float)> setter);

    // The leading decimal number of the text: optional spaces and sign, digits
    // with at most one point, an optional exponent. No number, or one that is
    // not a finite float, gives 0.
    static float ParseValue(std::wstring const& text);

protected:
    bool ReadValue(std::wstring* text) const override;
    bool WriteValue(std::wstring const& text) override;

private:
    std::function<float()> mGetter;
    std::function<void(float)> mSetter;
};

class StringPropertyEditorObject : public TextPropertyEditorObject
{
public:
    StringPropertyEditorObject(std::wstring const& name, std::function<std::wstring()> getter,
                               std::function<void(std::wstring const&)> setter);

protected:
    bool ReadValue(std::wstring* text) const override;
    bool WriteValue(std::wstring const& text) override;

private:
    std::function<std::wstring()> mGetter;
    std::function<void(std::wstring const&)> mSetter;
};

// The caption and a 120 by 100 list 100 right of the row's left; 100 high.
class OptionPropertyEditorObject : public PropertyEditorObject
{
public:
    explicit OptionPropertyEditorObject(std::wstring const& name);

    void ReceiveMessage(ObjectMessage const& message) override;
    // With the data of the list's newly selected item.
    virtual void OnItemSelected(void* data);

    void AddItem(wchar_t const* text, void* data);
    // Selects the item with the data and scrolls the list to it.
    void SelectItem(void* data);
    ObjectID GetList() const { return mList; }

protected:
    void OnAdd() override;
    // Adds the row's items once the list exists.
    virtual void AddItems() {}
    ListObject* List() const;

private:
    ObjectID mList;
};

// The item texts of an enumeration by value, filled on first use.
std::map<int, std::wstring> GetEnumValues(TextMode);
std::map<int, std::wstring> GetEnumValues(HAlignment);
std::map<int, std::wstring> GetEnumValues(VAlignment);

// A row for TextMode, HAlignment or VAlignment: the values' texts, the item
// of the target's value selected every frame.
template <class E>
class EnumPropertyEditorObject : public OptionPropertyEditorObject
{
public:
    EnumPropertyEditorObject(std::wstring const& name, std::function<E()> getter, std::function<void(E)> setter)
        : OptionPropertyEditorObject(name), mGetter(std::move(getter)), mSetter(std::move(setter))
    {
    }

    void Update(float) override
    {
        if (mGetter)
            SelectItem(ToData(static_cast<int>(mGetter())));
    }
    void OnItemSelected(void* data) override
    {
        if (mSetter)
            mSetter(static_cast<E>(static_cast<int>(reinterpret_cast<std::intptr_t>(data))));
    }

protected:
    void AddItems() override
    {
        for (auto const& entry : GetEnumValues(E()))
            AddItem(entry.second.c_str(), ToData(entry.first));
    }

private:
    static void* ToData(int value) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(value)); }

    std::function<E()> mGetter;
    std::function<void(E)> mSetter;
};

// A font row: "(None)" for no font, then every loaded font resource.
class FontPropertyEditorObject : public OptionPropertyEditorObject
{
public:
    FontPropertyEditorObject(std::wstring const& name, std::function<Font const*()> getter,
                             std::function<void(Font const*)> setter);

    void Update(float dt) override;
    void OnItemSelected(void* data) override;

protected:
    void AddItems() override;

private:
    std::function<Font const*()> mGetter;
    std::function<void(Font const*)> mSetter;
};

// The property column. Holds the selected designer object by ID.
class PropertyListEditorObject : public Object, public IDrawable
{
public:
    PropertyListEditorObject();
    ~PropertyListEditorObject() override;

    using Object::GetRole;
    // "Corvane::PropertyListEditorObject".
    Label GetName() const override;
    static Label GetNameLabel();
    // "Corvane::PropertyListEditor".
    Label GetRole() const override;
    // Empties the column when the selection's target is gone.
    void Update(float dt) override;
    // On "Remove" the rows go too.
    void ReceiveMessage(ObjectMessage const& message) override;

    float GetLayer() const override { return kDesignerLayer; }
    void SetLayer(float) override {}
    // The column's outline.
    void Draw() override;

    // Replaces the rows by those of the designer object; null empties the column.
    void Select(DesignerObject* designer);
    bool IsSelected(DesignerObject const* designer) const;
    // Null when nothing (live) is selected.
    DesignerObject* GetSelection() const;
    // The column's rectangle in the configured window.
    static Rect<float> GetColumnRect();

private:
    ObjectID mSelection;
};

// The rows for a target's roles, in the column's order; none for a target
// that is not live in the database.
std::vector<std::unique_ptr<PropertyEditorObject>> CreatePropertyEditorsFor(ObjectDatabase* database,
                                                                            ObjectID target);

} // namespace Corvane

#endif
