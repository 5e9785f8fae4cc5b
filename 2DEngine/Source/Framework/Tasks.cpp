#include "2DEngine/Source/Framework/Tasks.h"

#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Roles.h"
#include "Core/Source/Log.h"

#include <stdexcept>

namespace Corvane
{

Task* TimedTask::Clone() const
{
    return new TimedTask(mDuration);
}

TaskResult TimedTask::Update(Object*, float dt)
{
    mElapsed += dt;
    if (mElapsed >= mDuration)
        return CompletedAfter(dt - (mElapsed - mDuration));
    return Incomplete;
}

float InterpolatingTask::interpolate(float from, float to) const
{
    return mInterpolator->interpolate(from, to, GetElapsed(), GetDuration());
}

BetterTimedTask::BetterTimedTask(float duration)
    : mGenerator(std::make_shared<ConstNumberGenerator<float> >(duration)),
      mDuration(duration),
      mElapsed(0.0f)
{
}

BetterTimedTask::BetterTimedTask(std::shared_ptr<NumberGenerator<float> > const& generator)
    : mGenerator(generator), mDuration(0.0f), mElapsed(0.0f)
{
}

Task* BetterTimedTask::Clone() const
{
    return new BetterTimedTask(mGenerator);
}

TaskResult BetterTimedTask::Update(Object*, float dt)
{
    if (mElapsed == 0.0f)
        mDuration = mGenerator->Generate();
    mElapsed += dt;
    if (mElapsed >= mDuration)
        return CompletedAfter(dt - (mElapsed - mDuration));
    return Incomplete;
}

float BetterInterpolatingTask::interpolate(float from, float to) const
{
    return GetInterpolator()->interpolate(from, to, GetElapsed(), GetDuration());
}

SerialTask::SerialTask() : mTasks(1) {}

SerialTask::SerialTask(Task* first, Task* second) : mTasks(1)
{
    mTasks.AddTask(first);
    mTasks.AddTask(second);
}

SerialTask::SerialTask(Task* first, Task* second, Task* third, Task* fourth) : mTasks(1)
{
    mTasks.AddTask(first);
    mTasks.AddTask(second);
    mTasks.AddTask(third);
    mTasks.AddTask(fourth);
}

Task* SerialTask::Clone() const
{
    SerialTask* clone = new SerialTask();
    try
    {
        mTasks.CloneTasks(&clone->mTasks, 0);
    }
    catch (...)
    {
        delete clone;
        throw;
    }
    return clone;
}

TaskResult SerialTask::Update(Object* object, float dt)
{
    return mTasks.UpdateSerial(object, dt);
}

int SerialTask::ReceiveMessage(Object* object, ObjectMessage const& message)
{
    return mTasks.ReceiveMessage(object, message, kParallelCompleteWhenAllComplete);
}

ParallelTask::ParallelTask(ParallelTaskCompletion completion) : mCompletion(completion), mTasks(1) {}

ParallelTask::ParallelTask(ParallelTaskCompletion completion, Task* first, Task* second)
    : mCompletion(completion), mTasks(1)
{
    mTasks.AddTask(first);
    mTasks.AddTask(second);
}

Task* ParallelTask::Clone() const
{
    ParallelTask* clone = new ParallelTask(mCompletion);
    try
    {
        mTasks.CloneTasks(&clone->mTasks, 0);
    }
    catch (...)
    {
        delete clone;
        throw;
    }
    return clone;
}

TaskResult ParallelTask::Update(Object* object, float dt)
{
    return mTasks.UpdateParallel(object, dt, mCompletion);
}

int ParallelTask::ReceiveMessage(Object* object, ObjectMessage const& message)
{
    return mTasks.ReceiveMessage(object, message, mCompletion);
}

TaskResult RepeatingTask::RepeatingTaskSet::UpdateRepeating(Object* object, float dt)
{
    // One round is the sequence as it stands; a round that leaves the step no shorter
    // ends the step, or tasks that take no time would be re-queued for ever.
    return SerialPass(object, dt, GetUnfinishedCount());
}

void RepeatingTask::RepeatingTaskSet::OnTaskComplete(Task* task)
{
    AddTask(task->Clone());
    task->SetFlags(Task::kFlagRequeued);
}

RepeatingTask::RepeatingTask() {}

RepeatingTask::RepeatingTask(Task* task)
{
    mTasks.AddTask(task);
}

Task* RepeatingTask::Clone() const
{
    RepeatingTask* clone = new RepeatingTask();
    try
    {
        mTasks.CloneTasks(&clone->mTasks, Task::kFlagRequeued);
    }
    catch (...)
    {
        delete clone;
        throw;
    }
    return clone;
}

TaskResult RepeatingTask::Update(Object* object, float dt)
{
    return mTasks.UpdateRepeating(object, dt);
}

int RepeatingTask::ReceiveMessage(Object* object, ObjectMessage const& message)
{
    return mTasks.ReceiveMessage(object, message, kParallelCompleteWhenAllComplete);
}

std::map<Label, CuePoint*> CuePoint::gmCuePoints;

CuePoint* CuePoint::Create()
{
    return new CuePoint(Label());
}

CuePoint* CuePoint::FromLabel(Label name)
{
    if (name.IsValid())
    {
        auto found = gmCuePoints.find(name);
        if (found != gmCuePoints.end())
            return found->second;
    }
    return new CuePoint(name);
}

CuePoint::CuePoint(Label name) : mName(name), mRegistered(0), mArrived(0)
{
    if (mName.IsValid())
        gmCuePoints[mName] = this;
}

CuePoint::~CuePoint()
{
    // A cue point replaced under its name must not unregister its successor.
    if (mName.IsValid())
    {
        auto found = gmCuePoints.find(mName);
        if (found != gmCuePoints.end() && found->second == this)
            gmCuePoints.erase(found);
    }
}

void CuePoint::OnStatusChange(eCuePointStatus status)
{
    switch (status)
    {
    case kCuePointRegistered:
        ++mRegistered;
        break;
    case kCuePointArrived:
        ++mArrived;
        break;
    case kCuePointPassed:
        --mArrived;
        --mRegistered;
        if (mArrived == 0 && mRegistered == 0)
        {
            AllTasksPassed();
            delete this;
        }
        break;
    default:
        break;
    }
}

CuePointTask::CuePointTask(CuePoint* cuePoint) : mCuePoint(cuePoint), mStatus(kCuePointNotRegistered)
{
    SetStatus(kCuePointRegistered);
}

CuePointTask::CuePointTask(Label name)
    : mCuePoint(CuePoint::FromLabel(name)), mStatus(kCuePointNotRegistered)
{
    SetStatus(kCuePointRegistered);
}

CuePointTask::~CuePointTask()
{
    SetStatus(kCuePointPassed);
}

void CuePointTask::SetStatus(eCuePointStatus status)
{
    if (!mCuePoint)
    {
        if (status > mStatus)
            mStatus = status;
        return;
    }
    while (mStatus < status)
    {
        mStatus = static_cast<eCuePointStatus>(mStatus + 1);
        CuePoint* cuePoint = mCuePoint;
        // Passing may delete the cue point; never look at it again afterwards.
        if (mStatus == kCuePointPassed)
            mCuePoint = nullptr;
        cuePoint->OnStatusChange(mStatus);
    }
}

TaskResult CuePointTask::Update(Object*, float)
{
    SetStatus(kCuePointArrived);
    if (!mCuePoint || mCuePoint->CanPass())
    {
        SetStatus(kCuePointPassed);
        return Complete;
    }
    return Incomplete;
}

TaskResult SelfDestructTask::Update(Object* object, float)
{
    if (object)
        object->DestroySelf();
    return Complete;
}

Task* VisibleTask::Clone() const
{
    return new VisibleTask(mVisible);
}

TaskResult VisibleTask::Update(Object* object, float)
{
    IVisible* visible = dynamic_cast<IVisible*>(object);
    if (!visible)
        throw std::runtime_error("VisibleTask applied to an object that does not implement IVisible");
    visible->SetVisible(mVisible);
    return CompletedAfter(0.0f);
}

namespace
{

SetImageTask::ImageSetter gImageSetter = nullptr;

} // namespace

void SetImageTask::SetImageSetter(ImageSetter setter)
{
    gImageSetter = setter;
}

SetImageTask::ImageSetter SetImageTask::GetImageSetter()
{
    return gImageSetter;
}

TaskResult SetImageTask::Update(Object* object, float)
{
    if (!object || !gImageSetter || !gImageSetter(object, mImage))
        Internal::LogWrite("SetImageTask applied to an object that is not an image sprite.\n");
    return CompletedAfter(0.0f);
}

} // namespace Corvane
