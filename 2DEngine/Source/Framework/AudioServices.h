#ifndef CORVANE_FRAMEWORK_AUDIOSERVICES_H
#define CORVANE_FRAMEWORK_AUDIOSERVICES_H

// The audio interfaces: the process-wide audio platform that the main loop
// sets up, updates and cleans up, the sound interface that resource handles
// cast to, and the counted channels and controls that the platform hands out.

#include <boost/intrusive_ptr.hpp>

#include "Core/Source/Error.h"
#include "Core/Source/Label.h"
// RegisterSingleton, GetAudioPlatform, IsAudioPlatformRegistered.
#include "Core/Source/Singleton.h"

namespace Corvane
{

class IStream;
class ISound;
class ISoundChannel;
class IAudioControls;

// The saved state of one controls object.
struct AudioSettings
{
    float volume;
    float rate;
    float pan;
    bool muted;
};

// Volume, rate, pan, pause, mute and stop for a group of sounds; each value
// the caller reads combines the object's own with all its ancestors'.
class IAudioControls : public IReferenced
{
public:
    ~IAudioControls() override {}

    virtual bool IsPaused() = 0;
    virtual void Pause() = 0;
    virtual void PauseAfter(float seconds) = 0;
    virtual void Resume() = 0;
    virtual void ResumeAfter(float seconds) = 0;
    virtual bool IsStopNeeded() = 0;
    virtual void Stop() = 0;
    virtual void StopAfter(float seconds) = 0;
    virtual bool IsMuted() = 0;
    virtual void Mute(bool muted) = 0;
    virtual float GetVolume() = 0;
    virtual void SetVolume(float volume) = 0;
    virtual void AnimateVolumeTo(float target, float seconds) = 0;
    virtual float GetRate() = 0;
    virtual void SetRate(float rate) = 0;
    virtual void AnimateRateTo(float target, float seconds) = 0;
    virtual float GetPan() = 0;
    virtual void SetPan(float pan) = 0;
    virtual void AnimatePanTo(float target, float seconds) = 0;
    virtual bool IsDirty() = 0;
    // Advances timers and fades; true when the object changed.
    virtual bool Update(float dt) = 0;
    virtual void SaveSettings(AudioSettings* settings) = 0;
    virtual void RestoreSettings(AudioSettings const& settings) = 0;
};

// One playing sound, counted.
class ISoundChannel : public IReferenced
{
public:
    ~ISoundChannel() override {}

    // A loop count of 0 plays forever.
    virtual void Play(ISound const* sound, int loops) = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() const = 0;
    // Null when stopped.
    virtual ISound const* GetSound() const = 0;
    virtual boost::intrusive_ptr<IAudioControls> GetControls() = 0;
    virtual void SetControls(IAudioControls* controls) = 0;
    virtual void Update(float dt) = 0;
};

class IAudioPlatform
{
public:
    virtual ~IAudioPlatform() {}

    virtual Label GetName() = 0;
    // Registers the sound resource factories and makes the output ready.
    virtual void Setup() = 0;
    // Stops the output.
    virtual void Cleanup() = 0;
    // Resumes (true) or pauses (false) all output; the current state again does nothing.
    virtual void Activate(bool active) = 0;
    // Advances the playing channels by one step, in seconds.
    virtual void Update(float dt) = 0;
    virtual boost::intrusive_ptr<IReferenced> CreateSoundData(Label format, IStream* stream) = 0;
    virtual boost::intrusive_ptr<ISoundChannel> CreateChannel() = 0;
    virtual boost::intrusive_ptr<IAudioControls> GetMasterControls() = 0;
    // The controls of a sound kind, made on first request.
    virtual boost::intrusive_ptr<IAudioControls> GetControls(Label kind) = 0;
    // New controls under the parent (under the root when null).
    virtual boost::intrusive_ptr<IAudioControls> CreateControls(IAudioControls* parent) = 0;
    // Whether the sound is playing on a channel that started at most the span ago.
    virtual bool WasSoundPlayedRecently(ISound const* sound, unsigned int milliseconds) = 0;
};

namespace Internal
{
// The base of the audio platforms: registers itself while it lives, so that
// the automatic singleton deletion can delete it through this type. On its
// own it makes no sound: no channels, no controls, no sound data.
class BaseAudioPlatform : public IAudioPlatform
{
public:
    BaseAudioPlatform();
    ~BaseAudioPlatform() override;
    BaseAudioPlatform(BaseAudioPlatform const&) = delete;
    BaseAudioPlatform& operator=(BaseAudioPlatform const&) = delete;

    Label GetName() override;
    boost::intrusive_ptr<IReferenced> CreateSoundData(Label format, IStream* stream) override;
    boost::intrusive_ptr<ISoundChannel> CreateChannel() override;
    boost::intrusive_ptr<IAudioControls> GetMasterControls() override;
    boost::intrusive_ptr<IAudioControls> GetControls(Label kind) override;
    boost::intrusive_ptr<IAudioControls> CreateControls(IAudioControls* parent) override;
    bool WasSoundPlayedRecently(ISound const* sound, unsigned int milliseconds) override;
};
} // namespace Internal

// A sound resource value; resource handles find sounds by casting to it.
class ISound
{
public:
    virtual ~ISound() {}

    virtual Label GetKind() const = 0;
    virtual float GetDefaultVolume() const = 0;
    virtual float GetDefaultRate() const = 0;
    virtual float GetDefaultPan() const = 0;
    // 0 plays forever.
    virtual int GetDefaultLoopCount() const = 0;
    // A new reference; null when the sound has no data.
    virtual boost::intrusive_ptr<IReferenced> GetSoundData() const = 0;
};

} // namespace Corvane

#endif
