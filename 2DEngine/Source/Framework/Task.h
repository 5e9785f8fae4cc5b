#ifndef CORVANE_FRAMEWORK_TASK_H
#define CORVANE_FRAMEWORK_TASK_H

#include "Core/Source/Label.h"

#include <list>
#include <map>

namespace Corvane
{

class Object;
class ObjectMessage;

// The result of one task update: whether it finished, and how much of the step it used.
struct TaskResult
{
    enum
    {
        kComplete = 0,
        kIncomplete = 1
    };

    int status;
    float timeUsed;
};

// How a group of tasks run side by side decides that it has finished.
enum ParallelTaskCompletion
{
    // The group finishes on the first update that finds no unfinished child.
    kParallelCompleteWhenAllComplete = 0,
    // The group finishes in the update in which any child finishes.
    kParallelCompleteWhenAnyComplete = 1
};

// A unit of work queued on an object (or inside a composite task) and updated once
// per fixed step. A task never holds on to the object that runs it: the object is
// handed to every Update and ReceiveMessage, so a task outlives nothing it points to.
class Task
{
public:
    enum
    {
        kFlagFinished = 1,
        // Set by a repeating sequence on a task it has already re-queued a clone of.
        kFlagRequeued = 2
    };

    // Finished, and used the whole step: nothing after it in a sequence runs this step.
    static const TaskResult Complete;
    static const TaskResult Incomplete;
    // Finished after t seconds; the rest of the step goes to the next task.
    static TaskResult CompletedAfter(float t);

    Task() : mFlags(0) {}
    virtual ~Task() {}

    Task(Task const&) = delete;
    Task& operator=(Task const&) = delete;

    // A new task with the same parameters that starts afresh. Throws RuntimeError for
    // task kinds that cannot be copied.
    virtual Task* Clone() const;
    virtual TaskResult Update(Object* object, float dt);
    // 1 keeps the task running; any other value finishes it.
    virtual int ReceiveMessage(Object* object, ObjectMessage const& message);

    unsigned long GetFlags() const { return mFlags; }
    void SetFlags(unsigned long flags) { mFlags |= flags; }
    bool IsFinished() const { return (mFlags & kFlagFinished) != 0; }

private:
    unsigned long mFlags;
};

namespace Internal
{

inline Task* TaskOf(Task* task) { return task; }
template <class K>
inline Task* TaskOf(std::pair<K const, Task*> const& entry) { return entry.second; }

// An owning collection of tasks that can be walked while tasks add to it or clear it:
// finished tasks are only flagged during a pass and deleted once no pass runs.
template <class Container>
class TaskCollection
{
public:
    explicit TaskCollection(int nesting) : mNesting(nesting) {}
    virtual ~TaskCollection();

    TaskCollection(TaskCollection const&) = delete;
    TaskCollection& operator=(TaskCollection const&) = delete;

    TaskResult UpdateParallel(Object* object, float dt, ParallelTaskCompletion completion);
    // 1 while the collection keeps running, 0 when it has finished.
    int ReceiveMessage(Object* object, ObjectMessage const& message,
                       ParallelTaskCompletion completion);

    // Flags every task finished; they are deleted at the end of the running pass, or
    // at once when no pass runs.
    void Clear();
    // Deletes every task flagged finished.
    void Purge();

    bool IsEmpty() const { return mTasks.empty(); }
    // The tasks not yet flagged finished.
    int GetUnfinishedCount() const;
    int GetNesting() const { return mNesting; }
    Container const& GetTasks() const { return mTasks; }

protected:
    virtual void OnTaskComplete(Task*) {}

    // Brackets a pass; the last pass to leave purges.
    void EnterPass() { ++mNesting; }
    void LeavePass();

    void Finish(Task* task);

    Container mTasks;

private:
    int mNesting;
};

// The list form: an object's serial queue and the children of composite tasks.
class TaskSet : public TaskCollection<std::list<Task*> >
{
public:
    explicit TaskSet(int nesting) : TaskCollection<std::list<Task*> >(nesting) {}

    void AddTask(Task* task);
    TaskResult UpdateSerial(Object* object, float dt);
    // Appends to the destination the clone of every task whose flags AND skipMask is 0.
    void CloneTasks(TaskSet* destination, unsigned long skipMask) const;

protected:
    // A serial pass; with idleLimit > 0 the walk also stops once that many tasks in a
    // row have finished without the remaining step getting shorter.
    TaskResult SerialPass(Object* object, float dt, int idleLimit);
};

// Tasks keyed by label and run side by side; several tasks may share a label.
class NamedTaskSet : public TaskCollection<std::multimap<Label, Task*> >
{
public:
    explicit NamedTaskSet(int nesting)
        : TaskCollection<std::multimap<Label, Task*> >(nesting) {}

    // Inserted after the tasks already under that label.
    void AddTask(Label name, Task* task);
    // Finishes every task under the label.
    void RemoveTasks(Label name);
    bool HasTask(Label name) const;
};

} // namespace Internal

} // namespace Corvane

#endif
