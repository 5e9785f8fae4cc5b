#include "CorvaneExtensions/AudioPlatform/BASS/AudioPlayTask.h"

#include "2DEngine/Source/Framework/Resource.h"

namespace Corvane
{

namespace
{

Label GetResourceName(ISound const* sound)
{
    IResourceDescriptor const* const descriptor = dynamic_cast<IResourceDescriptor const*>(sound);
    return descriptor ? descriptor->GetName() : Label();
}

} // namespace

AudioPlayTask::AudioPlayTask(ISound const* sound, bool waitForEnd, Audio::sPlayState const& state)
    : mSound(sound), mSoundName(GetResourceName(sound)), mWaitForEnd(waitForEnd), mPlayState(state)
{
}

AudioPlayTask::AudioPlayTask(Label sound, Audio::sPlayState const& state)
    : mSound(AutoResource<ISound>(sound).Get()), mSoundName(GetResourceName(mSound)), mWaitForEnd(false),
      mPlayState(state)
{
}

ISound const* AudioPlayTask::ResolveSound() const
{
    if (mSoundName.IsNull())
        return mSound;
    ISound const* const bound = AutoResource<ISound>(mSoundName).Get();
    // A resource reloaded under the same name is the same sound to the task.
    return bound;
}

AudioPlayTask::~AudioPlayTask() {}

Task* AudioPlayTask::Clone() const
{
    // The name is copied, not found again: the sound may be gone by now.
    AudioPlayTask* const copy = new AudioPlayTask(static_cast<ISound const*>(nullptr), mWaitForEnd, mPlayState);
    copy->mSound = mSound;
    copy->mSoundName = mSoundName;
    return copy;
}

TaskResult AudioPlayTask::Update(Object*, float)
{
    if (mChannel)
    {
        if (!mChannel->IsPlaying())
            mChannel.reset();
    }
    else if (mWaitForEnd)
    {
        Audio::Play(ResolveSound(), &mChannel, mPlayState);
    }
    else
    {
        Audio::Play(ResolveSound(), mPlayState);
    }
    return mChannel ? Task::Incomplete : Task::CompletedAfter(0.0f);
}

} // namespace Corvane
