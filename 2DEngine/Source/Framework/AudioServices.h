#ifndef CORVANE_FRAMEWORK_AUDIOSERVICES_H
#define CORVANE_FRAMEWORK_AUDIOSERVICES_H

// What the engine needs of the audio subsystem: the process-wide audio
// platform that the main loop sets up, updates and cleans up, and the sound
// interface that resource handles cast to.

// RegisterSingleton, GetAudioPlatform, IsAudioPlatformRegistered.
#include "Core/Source/Singleton.h"

namespace Corvane
{

class IAudioPlatform
{
public:
    virtual ~IAudioPlatform() {}

    // Registers the sound resource factories and makes the output ready.
    virtual void Setup() = 0;
    // Stops the output.
    virtual void Cleanup() = 0;
    // Resumes (true) or pauses (false) all output; the current state again does nothing.
    virtual void Activate(bool active) = 0;
    // Advances the playing channels by one step, in seconds.
    virtual void Update(float dt) = 0;
};

namespace Internal
{
// The base of the audio platforms: registers itself while it lives, so that
// the automatic singleton deletion can delete it through this type.
class BaseAudioPlatform : public IAudioPlatform
{
public:
    BaseAudioPlatform();
    ~BaseAudioPlatform() override;
    BaseAudioPlatform(BaseAudioPlatform const&) = delete;
    BaseAudioPlatform& operator=(BaseAudioPlatform const&) = delete;
};
} // namespace Internal

// A sound resource value; resource handles find sounds by casting to it.
class ISound
{
public:
    virtual ~ISound() {}
};

} // namespace Corvane

#endif
