#ifndef CORVANE_AUDIO_AUDIO_H
#define CORVANE_AUDIO_AUDIO_H

// The play operation through which every sound is played, the per-play
// overrides, and the counted bases of sound data and channels.

#include <cfloat>
#include <climits>
#include <string>

#include <boost/intrusive_ptr.hpp>

#include "2DEngine/Source/Framework/AudioServices.h"
#include "Core/Source/Label.h"

namespace Corvane
{

class Account;

// Makes the program's audio platform, which registers itself and is deleted
// with the other singletons.
IAudioPlatform* CreateDefaultAudioPlatform();

namespace Internal
{

// The counted base of sound data.
class BaseSoundData : public IReferenced
{
public:
    BaseSoundData() {}
    ~BaseSoundData() override {}
    BaseSoundData(BaseSoundData const&) = delete;
    BaseSoundData& operator=(BaseSoundData const&) = delete;

    void AddRef() override { mReferences.Add(); }
    void Release() override
    {
        if (mReferences.Remove())
            delete this;
    }

private:
    // Sound data is made on the loader thread and shared with the main thread.
    Corvane::ReferenceCount mReferences;
};

// Counted references and an empty per-frame hook for channels.
class BaseSoundChannel : public ISoundChannel
{
public:
    BaseSoundChannel() {}
    BaseSoundChannel(BaseSoundChannel const&) = delete;
    BaseSoundChannel& operator=(BaseSoundChannel const&) = delete;

    void AddRef() override { mReferences.Add(); }
    void Release() override
    {
        if (mReferences.Remove())
            delete this;
    }
    void Update(float) override {}

private:
    Corvane::ReferenceCount mReferences;
};

} // namespace Internal

namespace Audio
{

// The overrides of one play. Unset floats are -FLT_MAX; a negative loop count
// takes the sound's own.
struct sPlayState
{
    bool muted = false;
    bool paused = false;
    // Used when >= 0.
    float volume = -FLT_MAX;
    float volumeTarget = -FLT_MAX;
    // A fade runs when > 0.
    float volumeTime = 0.0f;
    // Used when > 0.
    float rate = -FLT_MAX;
    float rateTarget = -FLT_MAX;
    float rateTime = 0.0f;
    // -1 (left) .. 1 (right); used when >= -1.
    float pan = -FLT_MAX;
    float panTarget = -FLT_MAX;
    float panTime = 0.0f;
    // Negative: the sound's default; 0: forever; n: n times.
    int loopCount = INT_MIN;
    // Null: the controls of the sound's kind.
    boost::intrusive_ptr<IAudioControls> parentControls;
};

// The sound kinds "Effect", "Ambient" and "Music".
Label GetEffectKind();
Label GetAmbientKind();
Label GetMusicKind();

// The registered platform's controls; null without a platform.
boost::intrusive_ptr<IAudioControls> GetMasterControls();
boost::intrusive_ptr<IAudioControls> GetControls(Label kind);
boost::intrusive_ptr<IAudioControls> CreateControls(IAudioControls* parent);

// Plays the sound on a new channel with controls of its own under the state's
// parent (or the sound kind's controls). Nothing for a null sound, without a
// platform, or when the same sound started less than 20 ms ago. When out is
// given it receives the channel with a reference for the caller, or null;
// what it held before is not released.
void Play(ISound const* sound, ISoundChannel** out, sPlayState const& state);
// The sound resource of that name; nothing when there is none.
void Play(Label sound, ISoundChannel** out, sPlayState const& state);
// Stores the channel into the counted pointer when given.
void Play(ISound const* sound, boost::intrusive_ptr<ISoundChannel>* out, sPlayState const& state);
void Play(ISound const* sound, sPlayState const& state);

// Stored volumes below this are not restored.
float const kLowestRestoredVolume = 0.01f;

// The volume and mute of the controls under name + "::Volume" and
// name + "::IsMuted"; an absent or unusable value keeps the current one.
void LoadAudioControls(Account* account, std::wstring const& name, IAudioControls* controls);
void SaveAudioControls(Account* account, std::wstring const& name, IAudioControls* controls);
// The master, effect, ambient and music controls of the current account.
void LoadAccountSettings();
void SaveAccountSettings();

} // namespace Audio

} // namespace Corvane

#endif
