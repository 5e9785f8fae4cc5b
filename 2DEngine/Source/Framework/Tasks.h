#ifndef CORVANE_FRAMEWORK_TASKS_H
#define CORVANE_FRAMEWORK_TASKS_H

// The task kinds: timed and interpolating tasks, sequences, groups, endless loops,
// cue points at which tasks on several objects wait for one another, and small
// one-step tasks.

#include "2DEngine/Source/Framework/Interpolators.h"
#include "2DEngine/Source/Framework/Task.h"
#include "Core/Source/Label.h"
#include "CorvaneExtensions/Source/NumberGenerator.h"

#include <cfloat>
#include <map>
#include <memory>

namespace Corvane
{

class IImage;

// Runs once for a fixed duration, then reports the part of the last step it used.
class TimedTask : public Task
{
public:
    explicit TimedTask(float duration) : mDuration(duration), mElapsed(0.0f) {}

    Task* Clone() const override;
    TaskResult Update(Object* object, float dt) override;

    float GetDuration() const { return mDuration; }
    float GetElapsed() const { return mElapsed; }

private:
    float mDuration;
    float mElapsed;
};

// A timed task that drives a value through an interpolator; derived tasks call
// interpolate after the base Update to set their property.
class InterpolatingTask : public TimedTask
{
public:
    InterpolatingTask(float duration, std::shared_ptr<Interpolator> interpolator)
        : TimedTask(duration), mInterpolator(std::move(interpolator))
    {
    }

    float interpolate(float from, float to) const;
    std::shared_ptr<Interpolator> const& GetInterpolator() const { return mInterpolator; }

private:
    std::shared_ptr<Interpolator> mInterpolator;
};

// A timed task whose duration is drawn from a generator on its first update, so each
// clone may run for a different time.
class BetterTimedTask : public Task
{
public:
    explicit BetterTimedTask(float duration);
    explicit BetterTimedTask(std::shared_ptr<NumberGenerator<float> > const& generator);

    Task* Clone() const override;
    TaskResult Update(Object* object, float dt) override;

    float GetDuration() const { return mDuration; }
    float GetElapsed() const { return mElapsed; }
    std::shared_ptr<NumberGenerator<float> > const& GetGenerator() const { return mGenerator; }

private:
    std::shared_ptr<NumberGenerator<float> > mGenerator;
    float mDuration;
    float mElapsed;
};

class BetterInterpolatingTask : public BetterTimedTask
{
public:
    BetterInterpolatingTask(std::shared_ptr<NumberGenerator<float> > const& generator,
                            std::shared_ptr<Interpolator> interpolator)
        : BetterTimedTask(generator), mInterpolator(std::move(interpolator))
    {
    }
    BetterInterpolatingTask(float duration, std::shared_ptr<Interpolator> interpolator)
        : BetterTimedTask(duration), mInterpolator(std::move(interpolator))
    {
    }

    float interpolate(float from, float to) const;
    std::shared_ptr<Interpolator> const& GetInterpolator() const { return mInterpolator; }

private:
    std::shared_ptr<Interpolator> mInterpolator;
};

// Runs its tasks one after the other; a task that finishes early leaves the rest of
// the step to the next one.
class SerialTask : public Task
{
public:
    SerialTask();
    SerialTask(Task* first, Task* second);
    SerialTask(Task* first, Task* second, Task* third, Task* fourth);

    Task* Clone() const override;
    TaskResult Update(Object* object, float dt) override;
    int ReceiveMessage(Object* object, ObjectMessage const& message) override;

    // The sequence owns the task from now on.
    void AddTask(Task* task) { mTasks.AddTask(task); }
    Internal::TaskSet const& GetTasks() const { return mTasks; }

private:
    Internal::TaskSet mTasks;
};

// Runs its tasks side by side with the same step.
class ParallelTask : public Task
{
public:
    explicit ParallelTask(ParallelTaskCompletion completion);
    ParallelTask(ParallelTaskCompletion completion, Task* first, Task* second);

    Task* Clone() const override;
    TaskResult Update(Object* object, float dt) override;
    int ReceiveMessage(Object* object, ObjectMessage const& message) override;

    void AddTask(Task* task) { mTasks.AddTask(task); }
    ParallelTaskCompletion GetCompletion() const { return mCompletion; }
    Internal::TaskSet const& GetTasks() const { return mTasks; }

private:
    ParallelTaskCompletion mCompletion;
    Internal::TaskSet mTasks;
};

// Runs its sequence for ever: each task that finishes is replaced by its clone at the
// end of the sequence. A sequence whose tasks finish without using time makes at most
// one round per step. An empty repeating task finishes at once.
class RepeatingTask : public Task
{
public:
    class RepeatingTaskSet : public Internal::TaskSet
    {
    public:
        RepeatingTaskSet() : Internal::TaskSet(0) {}

        TaskResult UpdateRepeating(Object* object, float dt);

    protected:
        void OnTaskComplete(Task* task) override;
    };

    RepeatingTask();
    explicit RepeatingTask(Task* task);

    Task* Clone() const override;
    TaskResult Update(Object* object, float dt) override;
    int ReceiveMessage(Object* object, ObjectMessage const& message) override;

    void AddTask(Task* task) { mTasks.AddTask(task); }
    RepeatingTaskSet const& GetTasks() const { return mTasks; }

private:
    RepeatingTaskSet mTasks;
};

enum eCuePointStatus
{
    kCuePointNotRegistered = 0,
    kCuePointRegistered = 1,
    kCuePointArrived = 2,
    kCuePointPassed = 3
};

// A meeting point: every task registered at it waits until all have arrived. A cue
// point deletes itself once its last task has passed; a named one is made again by
// the next FromLabel.
class CuePoint
{
public:
    static CuePoint* Create();
    // The cue point registered under the name, made first when there is none. The
    // null name is never registered, so it gives a new anonymous cue point.
    static CuePoint* FromLabel(Label name);

    explicit CuePoint(Label name);
    virtual ~CuePoint();

    CuePoint(CuePoint const&) = delete;
    CuePoint& operator=(CuePoint const&) = delete;

    // Called once the last task has passed, just before the cue point deletes itself.
    virtual void AllTasksPassed() {}

    // Every registered task has arrived.
    bool CanPass() const { return mArrived == mRegistered; }
    // May delete this cue point.
    void OnStatusChange(eCuePointStatus status);

    Label GetName() const { return mName; }
    int GetRegistered() const { return mRegistered; }
    int GetArrived() const { return mArrived; }

    // The named cue points alive; main thread only.
    static std::map<Label, CuePoint*> gmCuePoints;

private:
    Label mName;
    int mRegistered;
    int mArrived;
};

// Waits at a cue point until every task registered there has arrived. A task that is
// destroyed before passing still passes, so it never blocks the others.
class CuePointTask : public Task
{
public:
    explicit CuePointTask(CuePoint* cuePoint);
    explicit CuePointTask(Label name);
    ~CuePointTask() override;

    TaskResult Update(Object* object, float dt) override;

    // Raises the status one step at a time up to the target; never lowers it.
    void SetStatus(eCuePointStatus status);
    eCuePointStatus GetStatus() const { return mStatus; }
    CuePoint* GetCuePoint() const { return mCuePoint; }

private:
    CuePoint* mCuePoint;
    eCuePointStatus mStatus;
};

// Destroys the object that runs it.
class SelfDestructTask : public Task
{
public:
    TaskResult Update(Object* object, float dt) override;
};

// Shows or hides an object with the visible role.
class VisibleTask : public Task
{
public:
    explicit VisibleTask(bool visible) : mVisible(visible) {}

    Task* Clone() const override;
    // Throws std::runtime_error when the object lacks the visible role.
    TaskResult Update(Object* object, float dt) override;

    bool GetVisible() const { return mVisible; }

private:
    bool mVisible;
};

// Replaces the image of an image sprite.
class SetImageTask : public Task
{
public:
    // Gives the image to the object when it is an image sprite and answers whether it
    // was one. The image sprite belongs to the widget objects, which install it.
    typedef bool (*ImageSetter)(Object* object, IImage* image);
    static void SetImageSetter(ImageSetter setter);
    static ImageSetter GetImageSetter();

    // Not owned.
    explicit SetImageTask(IImage* image) : mImage(image) {}

    // An object that is not an image sprite is logged and left alone.
    TaskResult Update(Object* object, float dt) override;

    IImage* GetImage() const { return mImage; }

private:
    IImage* mImage;
};

// A value animated linearly outside the task system.
template <class T>
class Animating
{
public:
    Animating() : mValue(), mFrom(), mTo(), mElapsed(0.0f), mDuration(-FLT_MAX) {}
    explicit Animating(T const& value)
        : mValue(value), mFrom(value), mTo(value), mElapsed(0.0f), mDuration(-FLT_MAX)
    {
    }

    // Moves from the current value to the target over the duration.
    void Animate(T const& to, float duration)
    {
        mFrom = mValue;
        mTo = to;
        mElapsed = 0.0f;
        mDuration = duration;
    }
    // Jumps to the value and stops animating.
    void Set(T const& value)
    {
        mValue = mFrom = mTo = value;
        mDuration = -FLT_MAX;
    }

    // False while idle; true on every step that moves, also the step that finishes.
    bool Update(float dt)
    {
        if (!(mDuration >= 0.0f))
            return false;
        mElapsed += dt;
        if (mDuration > mElapsed)
        {
            mValue = mFrom + (mTo - mFrom) * (mElapsed / mDuration);
        }
        else
        {
            mValue = mTo;
            mDuration = -FLT_MAX;
        }
        return true;
    }

    T const& GetValue() const { return mValue; }
    bool IsAnimating() const { return mDuration >= 0.0f; }

private:
    T mValue;
    T mFrom;
    T mTo;
    float mElapsed;
    float mDuration;
};

} // namespace Corvane

#endif
