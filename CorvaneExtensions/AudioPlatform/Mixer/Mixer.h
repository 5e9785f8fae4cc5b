#ifndef CORVANE_MIXER_MIXER_H
#define CORVANE_MIXER_MIXER_H

// A small audio library: one output device, samples, streams and tracker
// music loaded from memory, and channels that play them with their own
// frequency, volume and pan.
//
// Every call sets the calling thread's last error code (Mixer_ErrorGetCode),
// MIXER_OK on success. A handle the library does not know (never made, freed,
// or of another kind than the call expects) fails with MIXER_ERROR_HANDLE.
// All state sits behind one lock: loading on one thread while another plays
// and the device mixes is safe.

#include <cstdint>

typedef uint32_t MixerHandle;

// Error codes.
enum
{
    MIXER_OK = 0,
    MIXER_ERROR_MEM = 1,
    MIXER_ERROR_FILEOPEN = 2,
    MIXER_ERROR_DRIVER = 3,
    MIXER_ERROR_HANDLE = 5,
    MIXER_ERROR_FORMAT = 6,
    MIXER_ERROR_INIT = 8,
    MIXER_ERROR_ALREADY = 10,
    MIXER_ERROR_NOCHAN = 12,
    MIXER_ERROR_ILLPARAM = 14,
    MIXER_ERROR_DEVICE = 17,
    MIXER_ERROR_NOPLAY = 18,
    MIXER_ERROR_NOTAVAIL = 27,
    MIXER_ERROR_FILEFORM = 31
};

// Channel states (Mixer_ChannelIsActive).
enum
{
    MIXER_ACTIVE_STOPPED = 0,
    MIXER_ACTIVE_PLAYING = 1,
    MIXER_ACTIVE_PAUSED = 3
};

// Sample flags: when all of a sample's channels are busy, take over the one
// that has played longest.
enum
{
    MIXER_SAMPLE_OVERPOS = 0x20000
};

// The frequencies a channel accepts, in Hz.
enum
{
    MIXER_FREQ_MIN = 100,
    MIXER_FREQ_MAX = 1000000
};

// Options of Mixer_SetConfig.
enum
{
    // Non-zero: the next Mixer_Init opens no device; what would be heard is
    // taken with Mixer_Render instead.
    MIXER_CONFIG_OFFLINE = 1
};

// Opens the output: device -1 is the system's default, 1..n the numbered
// devices of Mixer_GetDeviceDescription. freq is the output rate in Hz; the
// flags, window and class are not used. False when the device cannot be
// opened, when freq is 0, or when the library is already initialised.
bool Mixer_Init(int device, uint32_t freq, uint32_t flags, void* window, void const* classId);
// The name of device n (from 1), or null when there is no such device.
char const* Mixer_GetDeviceDescription(int device);
// Resumes the output after Mixer_Pause; channels go on where they were.
bool Mixer_Start();
// Holds all output: channels keep their state and position.
bool Mixer_Pause();
// Closes the device and frees every sample, stream, music and channel.
bool Mixer_Free();
// The last error code of the calling thread.
int Mixer_ErrorGetCode();
bool Mixer_SetConfig(uint32_t option, uint32_t value);

// A sample decoded at once from memory (memory true; file points at the
// bytes) or from a file path (memory false; file is a narrow path). The bytes
// are not kept. max is the number of channels the sample may play at once.
MixerHandle Mixer_SampleLoad(bool memory, void const* file, uint64_t offset, uint32_t length, uint32_t max,
                             uint32_t flags);
// A channel of the sample, stopped at its start. When every channel is busy:
// the longest-playing one is taken over with MIXER_SAMPLE_OVERPOS (and
// onlyNew false); otherwise 0 with MIXER_ERROR_NOCHAN. A taken-over channel's
// old handle is no longer valid.
MixerHandle Mixer_SampleGetChannel(MixerHandle sample, bool onlyNew);
// Frees the sample and all its channels.
bool Mixer_SampleFree(MixerHandle sample);

// A stream decoded while it plays. From memory the bytes are read in place
// and must stay untouched until Mixer_StreamFree. The stream is a channel.
MixerHandle Mixer_StreamCreateFile(bool memory, void const* file, uint64_t offset, uint64_t length, uint32_t flags);
bool Mixer_StreamFree(MixerHandle stream);

// Tracker music (MOD, S3M, XM, IT and the like), rendered at freq Hz (0: the
// output rate). The bytes are not kept. The music is a channel; it plays once.
MixerHandle Mixer_MusicLoad(bool memory, void const* file, uint64_t offset, uint32_t length, uint32_t flags,
                            uint32_t freq);
bool Mixer_MusicFree(MixerHandle music);

// Plays from where the channel stood, or from its start with restart. A
// channel that has reached its end stays there unless restarted.
bool Mixer_ChannelPlay(MixerHandle channel, bool restart);
// Holds a playing channel at its position; a channel that is not playing
// fails with MIXER_ERROR_NOPLAY.
bool Mixer_ChannelPause(MixerHandle channel);
bool Mixer_ChannelStop(MixerHandle channel);
// MIXER_ACTIVE_STOPPED (also when stopped, finished, or unknown),
// MIXER_ACTIVE_PLAYING or MIXER_ACTIVE_PAUSED. A global Mixer_Pause does not
// change it.
uint32_t Mixer_ChannelIsActive(MixerHandle channel);
// freq receives the rate the channel's sound was made at (its natural rate,
// whatever frequency it plays at now); volume (0..100) and pan (-100..100)
// the current values. Any pointer may be null.
bool Mixer_ChannelGetAttributes(MixerHandle channel, uint32_t* freq, uint32_t* volume, int32_t* pan);
// freq in Hz from MIXER_FREQ_MIN to MIXER_FREQ_MAX, or 0 for the natural
// rate; volume 0..100; pan -100 (left only) .. 100 (right only). A value out
// of range fails with MIXER_ERROR_ILLPARAM and changes nothing.
bool Mixer_ChannelSetAttributes(MixerHandle channel, int32_t freq, int32_t volume, int32_t pan);

// Offline output (MIXER_CONFIG_OFFLINE): mixes the next frames into buffer,
// interleaved left and right floats at the output rate, and returns the
// number of frames written (all of them; silence while paused).
uint32_t Mixer_Render(float* buffer, uint32_t frames);

#endif
