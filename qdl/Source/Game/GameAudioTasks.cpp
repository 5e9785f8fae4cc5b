#include "qdl/Source/Game/GameAudioTasks.h"

#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"
#include "qdl/Source/Game/GameAudioManager.h"

namespace Corvane
{

namespace
{

ISound const* gameDescription(Label game)
{
    AutoResource<SoundList> const list("GameDescriptions");
    return list ? list->GetSound(game) : nullptr;
}

// Looked up again every update, so a sound cut off or replaced by another
// voice-over ends the wait.
TaskResult waitForVoice(bool& started, ISound const* sound)
{
    if (!GetAudioManager()->getIsPlayingOrUpcoming(sound))
        started = false;
    return started ? Task::Incomplete : Task::CompletedAfter(0.0f);
}

} // namespace

AudioPlayChannelTask::AudioPlayChannelTask(Label sound, Audio::sPlayState const& state)
    : label(sound), started(false), playState(state)
{
}

AudioPlayChannelTask::~AudioPlayChannelTask() {}

Task* AudioPlayChannelTask::Clone() const
{
    return new AudioPlayChannelTask(label, playState);
}

TaskResult AudioPlayChannelTask::Update(Object*, float)
{
    if (!started)
    {
        GetAudioManager()->playSpecificSoundVocal(label);
        started = true;
        return Task::Incomplete;
    }
    return waitForVoice(started, AutoResource<ISound>(label).Get());
}

AudioPlayGameDescTask::AudioPlayGameDescTask(Label game, Audio::sPlayState const& state)
    : label(game), started(false), playState(state)
{
}

AudioPlayGameDescTask::~AudioPlayGameDescTask() {}

Task* AudioPlayGameDescTask::Clone() const
{
    return new AudioPlayGameDescTask(label, playState);
}

TaskResult AudioPlayGameDescTask::Update(Object*, float)
{
    if (!started)
    {
        GetAudioManager()->playGameDescriptionVocal(label);
        started = true;
        return Task::Incomplete;
    }
    return waitForVoice(started, gameDescription(label));
}

} // namespace Corvane
