#ifndef CORVANE_TESTS_FRAMEWORK_OBJECTTESTSUPPORT_H
#define CORVANE_TESTS_FRAMEWORK_OBJECTTESTSUPPORT_H

// Objects for the object database and task tests that record what reaches them.

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Roles.h"

#include <functional>
#include <string>
#include <vector>

namespace Corvane
{
namespace ObjectTest
{

inline std::vector<std::string>& Journal()
{
    static std::vector<std::string> journal;
    return journal;
}

// A plain object with a name, any number of roles and hooks for its update and
// messages; it notes its messages and its deletion in the journal.
class PlainObject : public Object
{
public:
    explicit PlainObject(std::string tag = "", Label name = Label(), std::vector<Label> roles = {})
        : mTag(std::move(tag)), mName(name), mRoles(std::move(roles)), mUpdates(0)
    {
    }
    ~PlainObject() override { Journal().push_back(mTag + " deleted"); }

    Label GetName() const override { return mName; }
    Label GetRole(int const& index) const override
    {
        return (index >= 0 && index < static_cast<int>(mRoles.size())) ? mRoles[index] : Label();
    }
    void Update(float dt) override
    {
        ++mUpdates;
        if (onUpdate)
            onUpdate(dt);
    }
    void ReceiveMessage(ObjectMessage const& message) override
    {
        Journal().push_back(mTag + " got " + message.message.GetString());
        if (onMessage)
            onMessage(message);
    }

    int GetUpdateCount() const { return mUpdates; }

    std::function<void(float)> onUpdate;
    std::function<void(ObjectMessage const&)> onMessage;

private:
    std::string mTag;
    Label mName;
    std::vector<Label> mRoles;
    int mUpdates;
};

// A drawable, bounded, enable-able, visible input handler that notes the events it is
// given and answers with a chosen result.
class Widget : public PlainObject,
               public DrawableComponent,
               public BoundsComponent,
               public VisibleComponent,
               public EnableComponent,
               public InputHandlerComponent
{
public:
    Widget(std::string tag, float layer, Rect<float> const& bounds = Rect<float>(0, 0, 100, 100))
        : PlainObject(tag), answer(kMessageNotHandled), canFocus(true), mWidgetTag(tag)
    {
        SetLayer(layer);
        SetBounds(bounds);
    }

    void Draw() override { Journal().push_back(mWidgetTag + " draw"); }

    MessageResult OnKeyDown(int key) override { return Note("key " + std::to_string(key)); }
    MessageResult OnKeyUp(int key) override { return Note("keyup " + std::to_string(key)); }
    MessageResult OnTextInput(std::wstring const&) override { return Note("text"); }
    MessageResult OnMouseMove(int x, int y) override
    {
        return Note("move " + std::to_string(x) + "," + std::to_string(y));
    }
    MessageResult OnMouseDown(MouseButton button, int, int) override
    {
        return Note("down " + std::to_string(button));
    }
    MessageResult OnMouseUp(MouseButton button, int, int) override
    {
        return Note("up " + std::to_string(button));
    }
    MessageResult OnMouseWheel(float, int, int) override { return Note("wheel"); }
    bool CanFocus() const override { return canFocus; }

    MessageResult answer;
    bool canFocus;
    std::function<void()> onInput;

private:
    MessageResult Note(std::string const& what)
    {
        Journal().push_back(mWidgetTag + " " + what);
        if (onInput)
            onInput();
        return answer;
    }

    std::string mWidgetTag;
};

// An input handler with no drawable role.
class Handler : public PlainObject, public InputHandlerComponent
{
public:
    explicit Handler(std::string tag) : PlainObject(tag), mHandlerTag(tag) {}

    MessageResult OnKeyDown(int key) override
    {
        Journal().push_back(mHandlerTag + " key " + std::to_string(key));
        return kMessageNotHandled;
    }

private:
    std::string mHandlerTag;
};

// The journal entries that start with the prefix, in order.
inline std::vector<std::string> Entries(std::string const& prefix)
{
    std::vector<std::string> kept;
    for (std::string const& entry : Journal())
        if (entry.compare(0, prefix.size(), prefix) == 0)
            kept.push_back(entry);
    return kept;
}

// The journal entries that contain the text, in order.
inline std::vector<std::string> EntriesWith(std::string const& text)
{
    std::vector<std::string> kept;
    for (std::string const& entry : Journal())
        if (entry.find(text) != std::string::npos)
            kept.push_back(entry);
    return kept;
}

} // namespace ObjectTest
} // namespace Corvane

#endif
