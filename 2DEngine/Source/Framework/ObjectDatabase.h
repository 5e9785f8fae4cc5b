#ifndef CORVANE_FRAMEWORK_OBJECTDATABASE_H
#define CORVANE_FRAMEWORK_OBJECTDATABASE_H

#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Roles.h"
#include "Core/Source/Label.h"

#include <algorithm>
#include <functional>
#include <list>
#include <map>
#include <string>
#include <vector>

namespace Corvane
{

// The table of one mode's objects by ID, name and role, with drawables sorted by
// layer, keyboard focus, mouse capture, the control under the mouse and input routing.
// Objects are only marked while the database walks its lists; they are deleted in
// the purge at the end of Update and in the destructor.
class ObjectDatabase
{
public:
    typedef std::function<MessageResult(IInputHandler*)> InputCall;

    // IDs carry a 16-bit slot index, and index 0xFFFF with generation 0xFFFF would
    // equal kInvalidObjectID, so a database holds at most this many slots.
    static const unsigned kMaxSlots = 0xFFFF;

    struct ObjectDescriptor
    {
        enum
        {
            kStateNew = 0,
            kStateLive = 1,
            kStateDestroyed = 2,
            kStateFree = 3
        };

        ObjectDescriptor();

        void SetObject(Object* object);
        ObjectID GetID() const { return id; }
        // Live, handles input, and neither disabled nor hidden.
        bool IsInputTarget() const;
        bool IsFocusTarget() const;

        std::int32_t state;
        Object* object;
        IDrawable* drawable;
        IBounds* bounds;
        IInputHandler* inputHandler;
        IEnable* enable;
        IVisible* visible;
        // Kept after the purge so the next generation follows from it.
        ObjectID id;
    };

    struct sIterator
    {
        sIterator() : index(0) {}
        unsigned index;
    };

    // Ascending layer; a comparison with a NaN layer is false.
    class DrawableObjectLayerSort
    {
    public:
        explicit DrawableObjectLayerSort(ObjectDatabase const* database) : mDatabase(database) {}
        bool operator()(ObjectID a, ObjectID b) const
        {
            return mDatabase->GetLayer(a) < mDatabase->GetLayer(b);
        }

    private:
        ObjectDatabase const* mDatabase;
    };

    ObjectDatabase();
    virtual ~ObjectDatabase();

    ObjectDatabase(ObjectDatabase const&) = delete;
    ObjectDatabase& operator=(ObjectDatabase const&) = delete;

    virtual void ReceiveMessage(ObjectMessage const& message);
    virtual MessageResult OnKeyDown(int key);
    virtual MessageResult OnKeyUp(int key);
    virtual MessageResult OnMouseMove(int x, int y);
    virtual MessageResult OnMouseDown(MouseButton button, int x, int y);
    virtual MessageResult OnMouseUp(MouseButton button, int x, int y);
    virtual MessageResult OnMouseWheel(float delta, int x, int y);
    virtual MessageResult OnMouseLeave();
    virtual MessageResult OnTextInput(std::wstring const& text);

    // Takes ownership. Adding an object that is already live here returns its ID.
    // Throws RuntimeError, leaving the database and the object as they were, when the
    // database is full or the object belongs to another database.
    ObjectID AddObject(Object* object);
    // Marks the object destroyed; it is deleted in the purge after the next update.
    void DestroyObject(ObjectID id);
    void DestroyNamedObject(Label name);
    void DestroyObjectsWithRole(Label role);

    // Runs every live object's tasks and Update, purges destroyed objects, then sorts
    // the drawables by layer.
    void Update(float dt);
    void Draw();

    bool IsValidObjectID(ObjectID id) const;
    Object* GetObject(ObjectID id) const;
    Object* GetNamedObject(Label name) const;
    // The IDs in order of addition; an unknown role gets an empty list.
    std::vector<ObjectID>& GetObjectsWithRole(Label role);
    // The slot at the ID's index, unchecked.
    ObjectDescriptor const& GetObjectDescriptor(ObjectID id) const;
    float GetLayer(ObjectID id) const;
    // The next live object's ID, or kInvalidObjectID when the slots are exhausted.
    ObjectID GetNextObject(sIterator* iterator) const;
    Object* GetFocus() const;
    Object* GetCapture() const;
    ObjectID GetHoverID() const { return mHover; }

    static Label GetAddMessageName();
    static Label GetRemoveMessageName();

    void SetFocus(Object* object);
    void SetCapture(Object* object);
    void OnControlEnter(Object* object);
    void OnControlLeave(Object* object);
    // Moves the focus to the next focus target of the sequence after the current
    // focus, wrapping round; no focus messages are sent.
    void cycleFocus(std::vector<ObjectID>::const_iterator first,
                    std::vector<ObjectID>::const_iterator last);
    void cycleFocus(std::vector<ObjectID>::const_reverse_iterator first,
                    std::vector<ObjectID>::const_reverse_iterator last);

    // Broadcast to this database and every live object, with this database's mode as
    // the context mode.
    void SendMessage(ObjectMessage const& message);
    MessageResult SendInputEvent(ObjectID id, InputCall const& call);
    MessageResult RouteInputEvent(ObjectID first, bool firstHolds, InputCall const& call);

    // The number of slots, live or not.
    unsigned GetSlotCount() const { return static_cast<unsigned>(mSlots.size()); }
    std::vector<ObjectID> const& GetDrawables() const { return mDrawables; }

private:
    class WalkScope;
    friend class WalkScope;

    template <class Iterator>
    void CycleFocus(Iterator first, Iterator last);
    void Purge(unsigned index);
    void Broadcast(ObjectMessage const& message);

    std::vector<ObjectDescriptor> mSlots;
    std::vector<ObjectID> mDrawables;
    std::map<Label, ObjectID> mNames;
    std::map<Label, std::vector<ObjectID> > mRoles;
    std::list<unsigned> mFreeSlots;
    ObjectID mFocus;
    ObjectID mCapture;
    ObjectID mHover;
    // Walks over the slots in progress (updates, broadcasts, routes, drawing).
    int mWalkDepth;
};

// The object database of the main loop's context mode; null without a mode.
ObjectDatabase* GetObjectDatabase();

// A handle filled once at construction from a name or an ID in the context database;
// null when absent or of another type.
template <class T>
class AutoObject
{
public:
    AutoObject() : mObject(nullptr) {}
    explicit AutoObject(Label name) : mObject(nullptr)
    {
        if (ObjectDatabase* database = GetObjectDatabase())
            mObject = dynamic_cast<T*>(database->GetNamedObject(name));
    }
    explicit AutoObject(ObjectID id) : mObject(nullptr)
    {
        if (ObjectDatabase* database = GetObjectDatabase())
            mObject = dynamic_cast<T*>(database->GetObject(id));
    }

    T* Get() const { return mObject; }
    T* operator->() const { return mObject; }
    T& operator*() const { return *mObject; }
    explicit operator bool() const { return mObject != nullptr; }

private:
    T* mObject;
};

// The object under the ID in the context database, cross cast to a role interface.
template <class I>
I* GetObject(ObjectID id)
{
    ObjectDatabase* database = GetObjectDatabase();
    return database ? dynamic_cast<I*>(database->GetObject(id)) : nullptr;
}

// Appends the role of each ID, in order, to the output, then drops every null entry.
template <class Container, class I>
void GetObjects(Container const& ids, std::vector<I*>& output)
{
    for (ObjectID id : ids)
        output.push_back(GetObject<I>(id));
    output.erase(std::remove(output.begin(), output.end(), static_cast<I*>(nullptr)), output.end());
}

} // namespace Corvane

#endif
