#include "2DEngine/Source/Framework/Task.h"

#include "2DEngine/Source/Framework/Object.h"
#include "Core/Source/Error.h"

#include <cxxabi.h>

#include <algorithm>
#include <cfloat>
#include <cstdlib>
#include <string>
#include <typeinfo>
#include <vector>

namespace Corvane
{

namespace
{

std::string GetTypeName(std::type_info const& type)
{
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = (status == 0 && demangled) ? demangled : type.name();
    std::free(demangled);
    return name;
}

} // namespace

const TaskResult Task::Complete = {TaskResult::kComplete, FLT_MAX};
const TaskResult Task::Incomplete = {TaskResult::kIncomplete, FLT_MAX};

TaskResult Task::CompletedAfter(float t)
{
    TaskResult result = {TaskResult::kComplete, t};
    return result;
}

Task* Task::Clone() const
{
    CORVANE_THROW(GetTypeName(typeid(*this)) + " does not implement Task::Clone.");
}

TaskResult Task::Update(Object*, float)
{
    return Complete;
}

int Task::ReceiveMessage(Object*, ObjectMessage const&)
{
    return 1;
}

namespace Internal
{

namespace
{

// Keeps the nesting count right when a task throws in the middle of a pass.
template <class Collection>
class PassScope
{
public:
    explicit PassScope(Collection& collection, void (Collection::*leave)())
        : mCollection(collection), mLeave(leave)
    {
    }
    ~PassScope() { (mCollection.*mLeave)(); }

private:
    Collection& mCollection;
    void (Collection::*mLeave)();
};

} // namespace

template <class Container>
TaskCollection<Container>::~TaskCollection()
{
    mNesting = 0;
    // A task's destructor may hand new tasks to this collection; delete those too.
    while (!mTasks.empty())
    {
        std::vector<Task*> doomed;
        for (auto const& entry : mTasks)
            doomed.push_back(TaskOf(entry));
        mTasks.clear();
        for (Task* task : doomed)
            delete task;
    }
}

template <class Container>
void TaskCollection<Container>::LeavePass()
{
    if (--mNesting == 0)
        Purge();
}

template <class Container>
void TaskCollection<Container>::Finish(Task* task)
{
    task->SetFlags(Task::kFlagFinished);
}

template <class Container>
int TaskCollection<Container>::GetUnfinishedCount() const
{
    int count = 0;
    for (auto const& entry : mTasks)
    {
        if (!TaskOf(entry)->IsFinished())
            ++count;
    }
    return count;
}

template <class Container>
void TaskCollection<Container>::Purge()
{
    // Unlink first and delete afterwards: a task's destructor may add to or walk this
    // collection.
    std::vector<Task*> doomed;
    for (auto it = mTasks.begin(); it != mTasks.end();)
    {
        if (TaskOf(*it)->IsFinished())
        {
            doomed.push_back(TaskOf(*it));
            it = mTasks.erase(it);
        }
        else
        {
            ++it;
        }
    }
    for (Task* task : doomed)
        delete task;
}

template <class Container>
void TaskCollection<Container>::Clear()
{
    EnterPass();
    PassScope<TaskCollection> scope(*this, &TaskCollection::LeavePass);
    for (auto const& entry : mTasks)
        Finish(TaskOf(entry));
}

template <class Container>
TaskResult TaskCollection<Container>::UpdateParallel(Object* object, float dt,
                                                     ParallelTaskCompletion completion)
{
    if (dt < 0.0f)
    {
        TaskResult waiting = {TaskResult::kIncomplete, 0.0f};
        return waiting;
    }
    EnterPass();
    PassScope<TaskCollection> scope(*this, &TaskCollection::LeavePass);
    float used = 0.0f;
    bool updated = false;
    bool anyFinished = false;
    // Tasks added during the pass join it when they land after the cursor.
    for (auto it = mTasks.begin(); it != mTasks.end(); ++it)
    {
        Task* task = TaskOf(*it);
        if (task->IsFinished())
            continue;
        updated = true;
        TaskResult const result = task->Update(object, dt);
        used = std::max(used, result.timeUsed);
        // A task that cleared its own collection is already finished.
        if (result.status != TaskResult::kIncomplete && !task->IsFinished())
        {
            OnTaskComplete(task);
            Finish(task);
            anyFinished = true;
        }
    }
    bool const done = !updated || (completion == kParallelCompleteWhenAnyComplete && anyFinished);
    TaskResult result = {done ? TaskResult::kComplete : TaskResult::kIncomplete, used};
    return result;
}

template <class Container>
int TaskCollection<Container>::ReceiveMessage(Object* object, ObjectMessage const& message,
                                              ParallelTaskCompletion completion)
{
    EnterPass();
    PassScope<TaskCollection> scope(*this, &TaskCollection::LeavePass);
    bool received = false;
    bool anyFinished = false;
    for (auto it = mTasks.begin(); it != mTasks.end(); ++it)
    {
        Task* task = TaskOf(*it);
        if (task->IsFinished())
            continue;
        received = true;
        if (task->ReceiveMessage(object, message) != 1 && !task->IsFinished())
        {
            OnTaskComplete(task);
            Finish(task);
            anyFinished = true;
        }
    }
    return (received && (!anyFinished || completion != kParallelCompleteWhenAnyComplete)) ? 1 : 0;
}

template class TaskCollection<std::list<Task*> >;
template class TaskCollection<std::multimap<Label, Task*> >;

void TaskSet::AddTask(Task* task)
{
    if (task)
        mTasks.push_back(task);
}

TaskResult TaskSet::UpdateSerial(Object* object, float dt)
{
    return SerialPass(object, dt, 0);
}

TaskResult TaskSet::SerialPass(Object* object, float dt, int idleLimit)
{
    EnterPass();
    PassScope<TaskCollection<std::list<Task*> > > scope(*this, &TaskSet::LeavePass);
    float used = 0.0f;
    int idle = 0;
    auto it = mTasks.begin();
    // Tasks appended during the pass (by a task, or by OnTaskComplete) join the walk.
    for (; it != mTasks.end(); ++it)
    {
        // A NaN step also stops the walk.
        if (!(dt >= 0.0f))
            break;
        Task* task = *it;
        if (task->IsFinished())
            continue;
        TaskResult const result = task->Update(object, dt);
        float const before = dt;
        dt -= result.timeUsed;
        used += result.timeUsed;
        if (result.status == TaskResult::kIncomplete)
        {
            TaskResult incomplete = {TaskResult::kIncomplete, used};
            return incomplete;
        }
        if (task->IsFinished())
            continue;
        OnTaskComplete(task);
        Finish(task);
        if (idleLimit > 0)
        {
            idle = (dt < before) ? 0 : idle + 1;
            if (idle >= idleLimit)
            {
                TaskResult bounded = {TaskResult::kIncomplete, used};
                return bounded;
            }
        }
    }
    bool remaining = false;
    for (; it != mTasks.end() && !remaining; ++it)
        remaining = !(*it)->IsFinished();
    TaskResult result = {remaining ? TaskResult::kIncomplete : TaskResult::kComplete, used};
    return result;
}

void TaskSet::CloneTasks(TaskSet* destination, unsigned long skipMask) const
{
    for (Task* task : mTasks)
    {
        if ((task->GetFlags() & skipMask) == 0)
            destination->AddTask(task->Clone());
    }
}

void NamedTaskSet::AddTask(Label name, Task* task)
{
    // A multimap inserts equal keys after the ones already there.
    if (task)
        mTasks.insert(std::make_pair(name, task));
}

void NamedTaskSet::RemoveTasks(Label name)
{
    EnterPass();
    PassScope<TaskCollection<std::multimap<Label, Task*> > > scope(*this, &NamedTaskSet::LeavePass);
    auto range = mTasks.equal_range(name);
    for (auto it = range.first; it != range.second; ++it)
        Finish(it->second);
}

bool NamedTaskSet::HasTask(Label name) const
{
    auto range = mTasks.equal_range(name);
    for (auto it = range.first; it != range.second; ++it)
    {
        if (!it->second->IsFinished())
            return true;
    }
    return false;
}

} // namespace Internal

} // namespace Corvane
