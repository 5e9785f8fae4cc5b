#include "2DEngine/Source/Framework/ObjectDatabase.h"

#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Platform.h"
#include "Core/Source/Error.h"
#include "Core/Source/Log.h"

#include <typeinfo>

namespace Corvane
{

namespace
{

Label GetLostFocusMessageName()
{
    static Label const name = Label::GetUniqueString("LostFocus");
    return name;
}

Label GetReceivedFocusMessageName()
{
    static Label const name = Label::GetUniqueString("ReceivedFocus");
    return name;
}

Label GetControlEnterMessageName()
{
    static Label const name = Label::GetUniqueString("ControlEnter");
    return name;
}

Label GetControlLeaveMessageName()
{
    static Label const name = Label::GetUniqueString("ControlLeave");
    return name;
}

template <class T>
T* FindRole(Object* object)
{
    return dynamic_cast<T*>(object);
}

} // namespace

// Counts the walks over the slots in progress; objects are deleted only when none is.
class ObjectDatabase::WalkScope
{
public:
    explicit WalkScope(ObjectDatabase& database) : mDatabase(database) { ++mDatabase.mWalkDepth; }
    ~WalkScope() { --mDatabase.mWalkDepth; }

    WalkScope(WalkScope const&) = delete;
    WalkScope& operator=(WalkScope const&) = delete;

private:
    ObjectDatabase& mDatabase;
};

ObjectDatabase::ObjectDescriptor::ObjectDescriptor()
    : state(kStateNew),
      object(nullptr),
      drawable(nullptr),
      bounds(nullptr),
      inputHandler(nullptr),
      enable(nullptr),
      visible(nullptr),
      id(kInvalidObjectID)
{
}

void ObjectDatabase::ObjectDescriptor::SetObject(Object* newObject)
{
    object = newObject;
    drawable = FindRole<IDrawable>(newObject);
    bounds = FindRole<IBounds>(newObject);
    inputHandler = FindRole<IInputHandler>(newObject);
    enable = FindRole<IEnable>(newObject);
    visible = FindRole<IVisible>(newObject);
    state = kStateLive;
}

bool ObjectDatabase::ObjectDescriptor::IsInputTarget() const
{
    return state == kStateLive && inputHandler && (!enable || enable->IsEnabled()) &&
           (!visible || visible->IsVisible());
}

bool ObjectDatabase::ObjectDescriptor::IsFocusTarget() const
{
    return IsInputTarget() && inputHandler->CanFocus();
}

ObjectDatabase::ObjectDatabase()
    : mFocus(kInvalidObjectID),
      mCapture(kInvalidObjectID),
      mHover(kInvalidObjectID),
      mWalkDepth(0)
{
    mSlots.reserve(256);
}

ObjectDatabase::~ObjectDatabase()
{
    Internal::LogWrite("Destroying ObjectDatabase (%s): Final Size = %d\n", typeid(ObjectDatabase).name(),
                       static_cast<int>(mSlots.size()));
    // Objects made by the destructors of others get new slots at the end, which the
    // walk still reaches; objects destroyed behind the walk are caught by the next one.
    mFreeSlots.clear();
    bool purged = true;
    while (purged)
    {
        purged = false;
        for (unsigned index = 0; index < mSlots.size(); ++index)
        {
            if (mSlots[index].state == ObjectDescriptor::kStateLive)
                mSlots[index].state = ObjectDescriptor::kStateDestroyed;
            if (mSlots[index].state == ObjectDescriptor::kStateDestroyed)
            {
                Purge(index);
                purged = true;
            }
        }
    }
}

void ObjectDatabase::ReceiveMessage(ObjectMessage const&) {}

Label ObjectDatabase::GetAddMessageName()
{
    static Label const name = Label::GetUniqueString("Add");
    return name;
}

Label ObjectDatabase::GetRemoveMessageName()
{
    static Label const name = Label::GetUniqueString("Remove");
    return name;
}

ObjectID ObjectDatabase::AddObject(Object* object)
{
    if (!object)
        return kInvalidObjectID;
    if (object->mDatabase == this && IsValidObjectID(object->mID) &&
        mSlots[GetObjectIDIndex(object->mID)].object == object)
        return object->mID;
    // A destroyed object still belongs to the slot that will delete it.
    if (object->mDatabase)
        CORVANE_THROW("ObjectDatabase::AddObject: the object already belongs to a database.");

    if (mFreeSlots.empty())
    {
        if (mSlots.size() >= kMaxSlots)
            CORVANE_THROW("ObjectDatabase::AddObject: the database is full (65535 objects).");
        mSlots.push_back(ObjectDescriptor());
        mFreeSlots.push_back(static_cast<unsigned>(mSlots.size() - 1));
    }
    unsigned const index = mFreeSlots.front();
    mFreeSlots.pop_front();

    ObjectDescriptor& slot = mSlots[index];
    slot.SetObject(object);
    std::int16_t const previousGeneration =
        static_cast<std::int16_t>(static_cast<std::uint16_t>(GetObjectIDGeneration(slot.id)));
    std::uint32_t const generation = static_cast<std::uint16_t>(previousGeneration + 1);
    ObjectID const id = static_cast<ObjectID>((index & 0xFFFFu) | (generation << 16));
    slot.id = id;
    object->mID = id;
    object->mDatabase = this;

    if (slot.drawable)
        mDrawables.push_back(id);
    Label const name = object->GetName();
    if (name.IsValid())
        mNames[name] = id;
    for (int roleIndex = 0;; ++roleIndex)
    {
        Label const role = object->GetRole(roleIndex);
        if (role.IsNull())
            break;
        mRoles[role].push_back(id);
    }
    object->ReceiveMessageInternal(ObjectMessage(kInvalidObjectID, GetAddMessageName()));
    return id;
}

void ObjectDatabase::DestroyObject(ObjectID id)
{
    Object* object = GetObject(id);
    if (!object)
        return;
    mSlots[GetObjectIDIndex(id)].state = ObjectDescriptor::kStateDestroyed;
    if (id == mFocus)
    {
        // Cleared first so that a handler that moves the focus keeps its choice.
        mFocus = kInvalidObjectID;
        object->ReceiveMessageInternal(ObjectMessage(kInvalidObjectID, GetLostFocusMessageName()));
    }
    if (id == mCapture)
        SetCapture(nullptr);
    if (id == mHover)
        mHover = kInvalidObjectID;
    Label const name = object->GetName();
    if (name.IsValid())
    {
        // Only the name's own entry: a later object may have taken the name since.
        auto found = mNames.find(name);
        if (found != mNames.end() && found->second == id)
            mNames.erase(found);
    }
    object->ReceiveMessageInternal(ObjectMessage(kInvalidObjectID, GetRemoveMessageName()));
}

void ObjectDatabase::DestroyNamedObject(Label name)
{
    auto found = mNames.find(name);
    if (found != mNames.end())
        DestroyObject(found->second);
}

void ObjectDatabase::DestroyObjectsWithRole(Label role)
{
    auto found = mRoles.find(role);
    if (found == mRoles.end())
        return;
    std::vector<ObjectID> const ids = found->second;
    for (ObjectID id : ids)
        DestroyObject(id);
}

void ObjectDatabase::Update(float dt)
{
    {
        WalkScope walk(*this);
        // The slot count is read each time so that objects added at new slots join
        // this pass.
        for (unsigned index = 0; index < mSlots.size(); ++index)
        {
            if (mSlots[index].state == ObjectDescriptor::kStateLive)
                mSlots[index].object->UpdateInternal(dt);
        }
    }
    // An Update reached from inside another walk leaves the purge and the sort to the
    // next Update: the walk may be holding a doomed object or a place in the drawables.
    if (mWalkDepth != 0)
        return;
    for (unsigned index = 0; index < mSlots.size(); ++index)
    {
        if (mSlots[index].state == ObjectDescriptor::kStateDestroyed)
        {
            Purge(index);
            mFreeSlots.push_back(index);
        }
    }
    std::stable_sort(mDrawables.begin(), mDrawables.end(), DrawableObjectLayerSort(this));
}

void ObjectDatabase::Purge(unsigned index)
{
    Object* object = mSlots[index].object;
    ObjectID const id = mSlots[index].id;
    if (mSlots[index].drawable)
        mDrawables.erase(std::remove(mDrawables.begin(), mDrawables.end(), id), mDrawables.end());
    for (int roleIndex = 0;; ++roleIndex)
    {
        Label const role = object->GetRole(roleIndex);
        if (role.IsNull())
            break;
        std::vector<ObjectID>& ids = mRoles[role];
        ids.erase(std::remove(ids.begin(), ids.end(), id), ids.end());
    }
    // The slot is emptied before the delete so that the destructor, whatever it does
    // to this database, never finds its own object here.
    ObjectDescriptor& slot = mSlots[index];
    slot.object = nullptr;
    slot.drawable = nullptr;
    slot.bounds = nullptr;
    slot.inputHandler = nullptr;
    slot.enable = nullptr;
    slot.visible = nullptr;
    slot.state = ObjectDescriptor::kStateFree;
    delete object;
}

void ObjectDatabase::Draw()
{
    WalkScope walk(*this);
    for (std::size_t n = 0; n < mDrawables.size(); ++n)
    {
        ObjectID const id = mDrawables[n];
        ObjectDescriptor const& slot = mSlots[GetObjectIDIndex(id)];
        if (slot.state == ObjectDescriptor::kStateLive && slot.id == id && slot.drawable)
            slot.drawable->Draw();
    }
}

bool ObjectDatabase::IsValidObjectID(ObjectID id) const
{
    unsigned const index = GetObjectIDIndex(id);
    return index < mSlots.size() && mSlots[index].id == id &&
           mSlots[index].state == ObjectDescriptor::kStateLive;
}

Object* ObjectDatabase::GetObject(ObjectID id) const
{
    return IsValidObjectID(id) ? mSlots[GetObjectIDIndex(id)].object : nullptr;
}

Object* ObjectDatabase::GetNamedObject(Label name) const
{
    auto found = mNames.find(name);
    return found != mNames.end() ? GetObject(found->second) : nullptr;
}

std::vector<ObjectID>& ObjectDatabase::GetObjectsWithRole(Label role)
{
    return mRoles[role];
}

ObjectDatabase::ObjectDescriptor const& ObjectDatabase::GetObjectDescriptor(ObjectID id) const
{
    // An ID from elsewhere gets an empty slot rather than a read past the array.
    static ObjectDescriptor const empty;
    unsigned const index = GetObjectIDIndex(id);
    return index < mSlots.size() ? mSlots[index] : empty;
}

float ObjectDatabase::GetLayer(ObjectID id) const
{
    IDrawable const* drawable = GetObjectDescriptor(id).drawable;
    return drawable ? drawable->GetLayer() : 0.0f;
}

ObjectID ObjectDatabase::GetNextObject(sIterator* iterator) const
{
    while (iterator->index < mSlots.size())
    {
        ObjectDescriptor const& slot = mSlots[iterator->index++];
        if (slot.state == ObjectDescriptor::kStateLive)
            return slot.id;
    }
    return kInvalidObjectID;
}

Object* ObjectDatabase::GetFocus() const
{
    return GetObject(mFocus);
}

Object* ObjectDatabase::GetCapture() const
{
    return GetObject(mCapture);
}

void ObjectDatabase::SetFocus(Object* object)
{
    Object* current = GetFocus();
    if (object == current)
        return;
    // Only objects live in this database can hold its focus.
    if (object && GetObject(object->mID) != object)
        return;
    if (current)
        current->ReceiveMessageInternal(ObjectMessage(kInvalidObjectID, GetLostFocusMessageName()));
    if (!object)
    {
        mFocus = kInvalidObjectID;
        return;
    }
    object->ReceiveMessageInternal(ObjectMessage(kInvalidObjectID, GetReceivedFocusMessageName()));
    mFocus = object->mID;
}

void ObjectDatabase::SetCapture(Object* object)
{
    mCapture = (object && GetObject(object->mID) == object) ? object->mID : kInvalidObjectID;
    if (!IsPlatformRegistered())
        return;
    if (mCapture == kInvalidObjectID)
        GetPlatform()->ReleaseMouse();
    else
        GetPlatform()->CaptureMouse();
}

void ObjectDatabase::OnControlEnter(Object* object)
{
    if (!object)
        return;
    if (mHover != kInvalidObjectID)
    {
        if (Object* hovered = GetObject(mHover))
            OnControlLeave(hovered);
        else
            mHover = kInvalidObjectID;
    }
    mHover = object->mID;
    SendMessage(ObjectMessage(object->mID, GetControlEnterMessageName()));
}

void ObjectDatabase::OnControlLeave(Object* object)
{
    if (!object)
        return;
    SendMessage(ObjectMessage(object->mID, GetControlLeaveMessageName()));
    mHover = kInvalidObjectID;
}

template <class Iterator>
void ObjectDatabase::CycleFocus(Iterator first, Iterator last)
{
    Iterator const current = std::find(first, last, mFocus);
    auto isCandidate = [this](ObjectID id) {
        return IsValidObjectID(id) && mSlots[GetObjectIDIndex(id)].IsFocusTarget();
    };
    Iterator start = current;
    if (start != last)
        ++start;
    for (Iterator it = start; it != last; ++it)
    {
        if (isCandidate(*it))
        {
            mFocus = *it;
            return;
        }
    }
    for (Iterator it = first; it != current; ++it)
    {
        if (isCandidate(*it))
        {
            mFocus = *it;
            return;
        }
    }
}

void ObjectDatabase::cycleFocus(std::vector<ObjectID>::const_iterator first,
                                std::vector<ObjectID>::const_iterator last)
{
    CycleFocus(first, last);
}

void ObjectDatabase::cycleFocus(std::vector<ObjectID>::const_reverse_iterator first,
                                std::vector<ObjectID>::const_reverse_iterator last)
{
    CycleFocus(first, last);
}

void ObjectDatabase::SendMessage(ObjectMessage const& message)
{
    ApplicationMode* context = MainLoop::GetContextMode();
    if (!context || context->GetObjectDatabase() != this)
    {
        // Handlers always see this database as the context database. A database that
        // no mode on the stack owns broadcasts as it is.
        if (ApplicationMode* mode = ApplicationMode::FindModeOfDatabase(this))
        {
            MainLoop::AutoContext saver;
            MainLoop::WithinContext(mode, saver);
            Broadcast(message);
            return;
        }
    }
    Broadcast(message);
}

void ObjectDatabase::Broadcast(ObjectMessage const& message)
{
    WalkScope walk(*this);
    ReceiveMessage(message);
    for (unsigned index = 0; index < mSlots.size(); ++index)
    {
        if (mSlots[index].state == ObjectDescriptor::kStateLive)
            mSlots[index].object->ReceiveMessageInternal(message);
    }
}

MessageResult ObjectDatabase::SendInputEvent(ObjectID id, InputCall const& call)
{
    // The generation is compared too: a stale ID must not reach the slot's next object.
    if (id == kInvalidObjectID || !IsValidObjectID(id))
        return kMessageNotHandled;
    ObjectDescriptor const& slot = mSlots[GetObjectIDIndex(id)];
    if (!slot.IsInputTarget())
        return kMessageNotHandled;
    IInputHandler* handler = slot.inputHandler;
    return call(handler);
}

MessageResult ObjectDatabase::RouteInputEvent(ObjectID first, bool firstHolds, InputCall const& call)
{
    WalkScope walk(*this);
    if (SendInputEvent(first, call) == kMessageHandled)
        return kMessageHandled;
    if (firstHolds && first != kInvalidObjectID && IsValidObjectID(first) &&
        mSlots[GetObjectIDIndex(first)].IsInputTarget())
        return kMessageHandled;
    // Highest layer first; among equal layers the later one first. Handlers may add
    // drawables behind the cursor, never remove any while the walk runs.
    for (std::size_t n = mDrawables.size(); n-- > 0;)
    {
        ObjectID const id = mDrawables[n];
        if (id != first && SendInputEvent(id, call) == kMessageHandled)
            return kMessageHandled;
    }
    for (unsigned index = 0; index < mSlots.size(); ++index)
    {
        ObjectID const id = mSlots[index].id;
        if (!mSlots[index].drawable && id != first && SendInputEvent(id, call) == kMessageHandled)
            return kMessageHandled;
    }
    return kMessageNotHandled;
}

MessageResult ObjectDatabase::OnKeyDown(int key)
{
    return RouteInputEvent(mFocus, false, [key](IInputHandler* handler) { return handler->OnKeyDown(key); });
}

MessageResult ObjectDatabase::OnKeyUp(int key)
{
    return RouteInputEvent(mFocus, false, [key](IInputHandler* handler) { return handler->OnKeyUp(key); });
}

MessageResult ObjectDatabase::OnTextInput(std::wstring const& text)
{
    return RouteInputEvent(mFocus, true,
                           [text](IInputHandler* handler) { return handler->OnTextInput(text); });
}

MessageResult ObjectDatabase::OnMouseMove(int x, int y)
{
    {
        WalkScope walk(*this);
        for (std::size_t n = mDrawables.size(); n-- > 0;)
        {
            ObjectID const id = mDrawables[n];
            if (!IsValidObjectID(id))
                continue;
            ObjectDescriptor const& slot = mSlots[GetObjectIDIndex(id)];
            if (!slot.IsInputTarget() || !slot.bounds)
                continue;
            Object* object = slot.object;
            if (slot.bounds->BoundsContains(static_cast<float>(x), static_cast<float>(y)))
            {
                if (id != mHover)
                    OnControlEnter(object);
                break;
            }
            if (id == mHover)
                OnControlLeave(object);
        }
    }
    return RouteInputEvent(mCapture, true,
                           [x, y](IInputHandler* handler) { return handler->OnMouseMove(x, y); });
}

MessageResult ObjectDatabase::OnMouseDown(MouseButton button, int x, int y)
{
    return RouteInputEvent(mCapture, true, [button, x, y](IInputHandler* handler) {
        return handler->OnMouseDown(button, x, y);
    });
}

MessageResult ObjectDatabase::OnMouseUp(MouseButton button, int x, int y)
{
    return RouteInputEvent(mCapture, true, [button, x, y](IInputHandler* handler) {
        return handler->OnMouseUp(button, x, y);
    });
}

MessageResult ObjectDatabase::OnMouseWheel(float delta, int x, int y)
{
    return RouteInputEvent(mCapture, true, [delta, x, y](IInputHandler* handler) {
        return handler->OnMouseWheel(delta, x, y);
    });
}

MessageResult ObjectDatabase::OnMouseLeave()
{
    if (mHover == kInvalidObjectID)
        return kMessageNotHandled;
    SendMessage(ObjectMessage(mHover, GetControlLeaveMessageName()));
    mHover = kInvalidObjectID;
    return kMessageNotHandled;
}

ObjectDatabase* GetObjectDatabase()
{
    ApplicationMode* mode = MainLoop::GetContextMode();
    return mode ? mode->GetObjectDatabase() : nullptr;
}

} // namespace Corvane
