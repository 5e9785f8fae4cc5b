#include "2DEngine/Source/Framework/Object.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"

namespace Corvane
{

namespace
{

// The default GetRole() asks GetRole(int) with this very object, and the default
// GetRole(int) recognises it by address: that breaks the cycle between the two.
int const kReservedRoleIndex = 0;

} // namespace

Object::Object() : mID(kInvalidObjectID), mTasks(0), mNamedTasks(0), mDatabase(nullptr) {}

Object::~Object() {}

Label Object::GetName() const
{
    return Label();
}

Label Object::GetRole() const
{
    return GetRole(kReservedRoleIndex);
}

Label Object::GetRole(int const& index) const
{
    if (&index == &kReservedRoleIndex || index != 0)
        return Label();
    return GetRole();
}

void Object::Update(float) {}

void Object::ReceiveMessage(ObjectMessage const&) {}

bool Object::IsLive() const
{
    return mDatabase && mDatabase->GetObject(mID) == this;
}

void Object::UpdateInternal(float dt)
{
    // Objects that are not in a database yet run everything, as do live ones.
    bool const held = mDatabase != nullptr;
    mTasks.UpdateSerial(this, dt);
    if (held && !IsLive())
        return;
    mNamedTasks.UpdateParallel(this, dt, kParallelCompleteWhenAllComplete);
    if (held && !IsLive())
        return;
    Update(dt);
}

void Object::ReceiveMessageInternal(ObjectMessage const& message)
{
    mTasks.ReceiveMessage(this, message, kParallelCompleteWhenAllComplete);
    mNamedTasks.ReceiveMessage(this, message, kParallelCompleteWhenAllComplete);
    ReceiveMessage(message);
}

void Object::AddTask(Task* task)
{
    mTasks.AddTask(task);
}

void Object::RemoveAllTasks()
{
    mTasks.Clear();
}

void Object::AddNamedTask(Label name, Task* task)
{
    mNamedTasks.AddTask(name, task);
}

void Object::RemoveNamedTasks(Label name)
{
    mNamedTasks.RemoveTasks(name);
}

void Object::DestroySelf()
{
    // The database that holds the object, not whichever is the context: an ID is only
    // meaningful in its own database, and in another it may name a different object.
    ObjectDatabase* database = mDatabase ? mDatabase : GetObjectDatabase();
    if (database)
        database->DestroyObject(mID);
}

} // namespace Corvane
