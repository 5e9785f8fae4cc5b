#ifndef CORVANE_FRAMEWORK_OBJECT_H
#define CORVANE_FRAMEWORK_OBJECT_H

#include "2DEngine/Source/Framework/Task.h"
#include "Core/Source/Label.h"

#include <cstdint>

namespace Corvane
{

class ObjectDatabase;

// A handle to an object of a database: slot index in bits 0-15, the slot's reuse
// generation in bits 16-31. Handles stay safe to hold after the object is gone.
typedef std::int32_t ObjectID;

const ObjectID kInvalidObjectID = -1;

inline unsigned GetObjectIDIndex(ObjectID id)
{
    return static_cast<std::uint32_t>(id) & 0xFFFFu;
}

inline unsigned GetObjectIDGeneration(ObjectID id)
{
    return static_cast<std::uint32_t>(id) >> 16;
}

// A message broadcast through an object database, or delivered to one object.
class ObjectMessage
{
public:
    ObjectMessage() : sender(kInvalidObjectID) {}
    ObjectMessage(ObjectID sender_, Label message_) : sender(sender_), message(message_) {}
    virtual ~ObjectMessage() {}

    // kInvalidObjectID when the database itself sends it.
    ObjectID sender;
    Label message;
};

// The base of everything kept in an object database: its ID, a serial queue of tasks,
// tasks keyed by name, its name and roles, messages and per-step update.
class Object
{
public:
    Object();
    virtual ~Object();

    Object(Object const&) = delete;
    Object& operator=(Object const&) = delete;

    // The unique name within the database; the null label for none.
    virtual Label GetName() const;
    // The single role of a class with one role.
    virtual Label GetRole() const;
    // The role at a position, numbered from 0 without gaps; null past the last.
    // Overriding one form hides the other in the derived class; the database always
    // asks through Object.
    virtual Label GetRole(int const& index) const;
    virtual void Update(float dt);
    virtual void ReceiveMessage(ObjectMessage const& message);

    // Runs the serial queue, the named tasks, then Update. Stops early once the
    // object has been destroyed, since a destroyed object takes no further updates.
    void UpdateInternal(float dt);
    // Gives the message to every unfinished task, then to ReceiveMessage.
    void ReceiveMessageInternal(ObjectMessage const& message);

    // The object owns the task from now on.
    void AddTask(Task* task);
    // Finishes every queued task; named tasks stay.
    void RemoveAllTasks();
    // Named tasks run side by side with each other and with the serial queue.
    void AddNamedTask(Label name, Task* task);
    void RemoveNamedTasks(Label name);

    // Destroys this object in the database that holds it.
    void DestroySelf();

    ObjectID GetID() const { return mID; }
    // The database that holds this object, null before it is added.
    ObjectDatabase* GetDatabase() const { return mDatabase; }
    // Whether the object is held by a database and not destroyed.
    bool IsLive() const;

    Internal::TaskSet& GetTasks() { return mTasks; }
    Internal::NamedTaskSet& GetNamedTasks() { return mNamedTasks; }

private:
    friend class ObjectDatabase;

    ObjectID mID;
    Internal::TaskSet mTasks;
    Internal::NamedTaskSet mNamedTasks;
    ObjectDatabase* mDatabase;
};

} // namespace Corvane

#endif
