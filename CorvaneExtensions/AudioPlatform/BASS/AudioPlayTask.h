#ifndef CORVANE_AUDIO_AUDIOPLAYTASK_H
#define CORVANE_AUDIO_AUDIOPLAYTASK_H

// A task that plays a sound in an object's task sequence, and either lets the
// sequence go on at once or holds it until the sound has ended.

#include <boost/intrusive_ptr.hpp>

#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/Task.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"

namespace Corvane
{

class AudioPlayTask : public Task
{
public:
    AudioPlayTask(ISound const* sound, bool waitForEnd, Audio::sPlayState const& state);
    // The sound resource of that name (none when absent); does not wait.
    AudioPlayTask(Label sound, Audio::sPlayState const& state);
    // Leaves the sound playing.
    ~AudioPlayTask() override;

    Task* Clone() const override;
    TaskResult Update(Object* object, float dt) override;

    ISound const* GetSound() const { return mSound; }
    bool IsWaitingForEnd() const { return mWaitForEnd; }
    ISoundChannel* GetChannel() const { return mChannel.get(); }

private:
    // The sound to play now: looked up again by its resource name, null once
    // that resource has been unloaded.
    ISound const* ResolveSound() const;

    ISound const* mSound;
    // The sound's resource name; null for a sound that is not a named resource.
    Label mSoundName;
    bool mWaitForEnd;
    Audio::sPlayState mPlayState;
    boost::intrusive_ptr<ISoundChannel> mChannel;
};

} // namespace Corvane

#endif
