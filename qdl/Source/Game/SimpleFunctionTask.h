#pragma once

// Puts one plain call into a chain of tasks: when its turn comes in an
// object's queue or in a serial task, it calls its function once and is
// finished. The callers bind every argument themselves, so the T* (the queue's
// object when it is a T, else null) and the frame time passed here are as a
// rule ignored. It finishes with Task::Complete, so the next task of the same
// queue starts on the next update.

#include <functional>

#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Task.h"

template <class T>
class SimpleFunctionTask : public Corvane::Task
{
public:
    typedef std::function<void(T*, float)> Function;

    explicit SimpleFunctionTask(Function function) : function(std::move(function)) {}

    Corvane::Task* Clone() const override { return new SimpleFunctionTask<T>(function); }

    Corvane::TaskResult Update(Corvane::Object* object, float dt) override
    {
        if (function)
            function(dynamic_cast<T*>(object), dt);
        return Corvane::Task::Complete;
    }

private:
    Function function;
};

// One plain call as a task of any object's queue.
inline Corvane::Task* newCallTask(std::function<void()> const& function)
{
    return new SimpleFunctionTask<Corvane::Object>([function](Corvane::Object*, float) { function(); });
}
