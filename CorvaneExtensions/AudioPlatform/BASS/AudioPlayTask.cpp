#include "CorvaneExtensions/AudioPlatform/BASS/AudioPlayTask.h"

#include "2DEngine/Source/Framework/Resource.h"

namespace Corvane
{

AudioPlayTask::AudioPlayTask(ISound const* sound, bool waitForEnd, Audio::sPlayState const& state)
    : mSound(sound), mWaitForEnd(waitForEnd), mPlayState(state)
{
}

AudioPlayTask::AudioPlayTask(Label sound, Audio::sPlayState const& state)
    : mSound(AutoResource<ISound>(sound).Get()), mWaitForEnd(false), mPlayState(state)
{
}

AudioPlayTask::~AudioPlayTask() {}

Task* AudioPlayTask::Clone() const
{
    return new AudioPlayTask(mSound, mWaitForEnd, mPlayState);
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
        Audio::Play(mSound, &mChannel, mPlayState);
    }
    else
    {
        Audio::Play(mSound, mPlayState);
    }
    return mChannel ? Task::Incomplete : Task::CompletedAfter(0.0f);
}

} // namespace Corvane
