#ifndef CORVANE_AUDIO_BASSLIBRARY_H
#define CORVANE_AUDIO_BASSLIBRARY_H

// The sound library as the audio platform calls it: one interface over the
// calls the platform and the sound files make, bound to our mixer unless a
// test installs a replacement, and the error test that follows those calls.

#include <cstdint>

// The frequencies the library accepts for a channel, in Hz.
extern uint32_t const kBASSFrequencyMin;
extern uint32_t const kBASSFrequencyMax;

class IBASSLibrary
{
public:
    virtual ~IBASSLibrary() {}

    virtual bool Init(int device, uint32_t freq, uint32_t flags, void* window, void const* classId) = 0;
    // Null after the last device.
    virtual char const* GetDeviceDescription(int device) = 0;
    virtual bool Start() = 0;
    virtual bool Pause() = 0;
    virtual bool Free() = 0;
    // The code of the calling thread's last call, 0 for success.
    virtual int ErrorGetCode() = 0;

    virtual uint32_t SampleLoad(bool memory, void const* file, uint64_t offset, uint32_t length, uint32_t max,
                                uint32_t flags) = 0;
    virtual uint32_t SampleGetChannel(uint32_t sample, bool onlyNew) = 0;
    virtual bool SampleFree(uint32_t sample) = 0;
    virtual uint32_t StreamCreateFile(bool memory, void const* file, uint64_t offset, uint64_t length,
                                      uint32_t flags) = 0;
    virtual bool StreamFree(uint32_t stream) = 0;
    virtual uint32_t MusicLoad(bool memory, void const* file, uint64_t offset, uint32_t length, uint32_t flags,
                               uint32_t freq) = 0;
    virtual bool MusicFree(uint32_t music) = 0;

    virtual bool ChannelPlay(uint32_t channel, bool restart) = 0;
    virtual bool ChannelPause(uint32_t channel) = 0;
    virtual bool ChannelStop(uint32_t channel) = 0;
    // 0 when stopped or finished; non-zero while playing, stalled or paused.
    virtual uint32_t ChannelIsActive(uint32_t channel) = 0;
    // freq receives the channel's natural sample rate.
    virtual bool ChannelGetAttributes(uint32_t channel, uint32_t* freq, uint32_t* volume, int32_t* pan) = 0;
    // freq in Hz, volume 0..100, pan -100..100.
    virtual bool ChannelSetAttributes(uint32_t channel, int32_t freq, int32_t volume, int32_t pan) = 0;
};

// The library in use: the mixer unless a replacement is installed.
IBASSLibrary& GetBASSLibrary();
// Installs a replacement (not owned) for tests; null goes back to the mixer.
// Returns the replacement installed before, or null.
IBASSLibrary* SetBASSLibrary(IBASSLibrary* library);

// The symbolic name of an error code, "unknown error" for a code without one.
char const* GetBASSErrorName(int code);
// Reads the last error code; logs a failure as "<call> error: <code> (<name>)".
// True when the call succeeded.
bool TestBASSError(char const* callText);

#endif
