#include "CorvaneExtensions/AudioPlatform/Mixer/Mixer.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <vector>

#include <SDL.h>

#include "CorvaneExtensions/AudioPlatform/Mixer/MixerSources.h"

using namespace MixerInternal;

namespace
{

enum eKind
{
    kKind_SampleChannel,
    kKind_Stream,
    kKind_Music
};

enum eState
{
    kState_Stopped,
    kState_Playing,
    kState_Paused
};

// Frames decoded ahead of the play position at a time.
uint32_t const kReadChunk = 1024;

struct Channel
{
    eKind kind = kKind_Stream;
    // The sample a sample channel belongs to.
    MixerHandle sample = 0;
    std::unique_ptr<ISource> source;
    uint32_t naturalRate = 0;
    double frequency = 0.0;
    int32_t volume = 100;
    int32_t pan = 0;
    eState state = kState_Stopped;
    // Decoded frames (interleaved stereo) and the play position within them.
    std::vector<float> buffer;
    double position = 0.0;
    bool sourceEnded = false;
    // Order of the last start, to find the longest-playing channel.
    uint64_t startOrder = 0;

    void Rewind()
    {
        source->Rewind();
        buffer.clear();
        position = 0.0;
        sourceEnded = false;
    }
};

struct Sample
{
    std::shared_ptr<DecodedSound> sound;
    uint32_t max = 1;
    uint32_t flags = 0;
    // Its channels, oldest first.
    std::vector<MixerHandle> channels;
};

struct MixerState
{
    // Serialises opening and closing the device and every other SDL call. SDL
    // runs the device callback under a lock of its own, and the callback takes
    // the state lock; so SDL is never called while the state lock is held, and
    // the device lock is always taken before the state lock.
    std::mutex deviceLock;
    bool sdlAudioStarted = false;
    SDL_AudioDeviceID device = 0;

    // Everything below.
    std::mutex lock;
    bool initialised = false;
    bool offlineConfig = false;
    bool offline = false;
    bool paused = false;
    uint32_t outputRate = 0;
    MixerHandle nextHandle = 1;
    uint64_t startCounter = 0;
    std::map<MixerHandle, Channel> channels;
    std::map<MixerHandle, Sample> samples;
};

MixerState& State()
{
    static MixerState state;
    return state;
}

thread_local int tLastError = MIXER_OK;

// Records the code for the caller's thread; the result is the call's answer.
template <class T>
T Fail(int code, T result)
{
    tLastError = code;
    return result;
}

template <class T>
T Succeed(T result)
{
    tLastError = MIXER_OK;
    return result;
}

MixerHandle NewHandle(MixerState& state)
{
    MixerHandle handle = state.nextHandle++;
    // 0 stands for "none"; never hand it out after the count wraps.
    if (handle == 0)
        handle = state.nextHandle++;
    return handle;
}

Channel* FindChannel(MixerState& state, MixerHandle handle)
{
    auto found = state.channels.find(handle);
    return found == state.channels.end() ? nullptr : &found->second;
}

bool StartSDLAudio(MixerState& state)
{
    if (state.sdlAudioStarted)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    state.sdlAudioStarted = true;
    return true;
}

void StopSDLAudio(MixerState& state)
{
    if (state.sdlAudioStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    state.sdlAudioStarted = false;
}

// Makes sure the frames around the play position are decoded; false once the
// position has passed the last frame.
bool Prepare(Channel& channel)
{
    for (;;)
    {
        size_t const frames = channel.buffer.size() / 2;
        size_t const index = static_cast<size_t>(channel.position);
        if (index + 1 < frames || (channel.sourceEnded && index < frames))
            return true;
        if (channel.sourceEnded)
            return false;
        // Keep the frame under the position for interpolation; drop what lies before it.
        size_t const keep = std::min(index, frames);
        channel.buffer.erase(channel.buffer.begin(), channel.buffer.begin() + 2 * keep);
        channel.position -= static_cast<double>(keep);
        size_t const held = channel.buffer.size();
        channel.buffer.resize(held + 2 * kReadChunk);
        uint32_t const got = channel.source->Read(channel.buffer.data() + held, kReadChunk);
        channel.buffer.resize(held + 2 * static_cast<size_t>(got));
        if (got == 0)
            channel.sourceEnded = true;
    }
}

void MixChannel(Channel& channel, float* out, uint32_t frames, uint32_t outputRate)
{
    double const step = channel.frequency / static_cast<double>(outputRate);
    float const volume = static_cast<float>(channel.volume) / 100.0f;
    float const pan = static_cast<float>(channel.pan) / 100.0f;
    float const leftGain = volume * std::min(1.0f, 1.0f - pan);
    float const rightGain = volume * std::min(1.0f, 1.0f + pan);
    for (uint32_t i = 0; i < frames; ++i)
    {
        if (!Prepare(channel))
        {
            channel.state = kState_Stopped;
            return;
        }
        size_t const index = static_cast<size_t>(channel.position);
        size_t const next = std::min(index + 1, channel.buffer.size() / 2 - 1);
        float const fraction = static_cast<float>(channel.position - static_cast<double>(index));
        float const* a = &channel.buffer[2 * index];
        float const* b = &channel.buffer[2 * next];
        out[2 * i] += (a[0] + (b[0] - a[0]) * fraction) * leftGain;
        out[2 * i + 1] += (a[1] + (b[1] - a[1]) * fraction) * rightGain;
        channel.position += step;
    }
}

void MixLocked(MixerState& state, float* out, uint32_t frames)
{
    std::fill(out, out + 2 * static_cast<size_t>(frames), 0.0f);
    if (!state.initialised || state.paused)
        return;
    for (auto& entry : state.channels)
    {
        if (entry.second.state == kState_Playing)
            MixChannel(entry.second, out, frames, state.outputRate);
    }
    for (size_t i = 0; i < 2 * static_cast<size_t>(frames); ++i)
        out[i] = std::max(-1.0f, std::min(1.0f, out[i]));
}

void SDLCALL DeviceCallback(void*, Uint8* stream, int length)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    MixLocked(state, reinterpret_cast<float*>(stream), static_cast<uint32_t>(length) / (2 * sizeof(float)));
}

Channel MakeChannel(eKind kind, std::unique_ptr<ISource> source)
{
    Channel channel;
    channel.kind = kind;
    channel.naturalRate = source->GetRate();
    channel.frequency = channel.naturalRate;
    channel.source = std::move(source);
    return channel;
}

// The bytes of a load call: a view of memory, or a file read from a path.
bool TakeBytes(bool memory, void const* file, uint64_t offset, uint64_t length, FileBytes* bytes)
{
    if (memory)
    {
        if (!file || length == 0)
            return false;
        bytes->data = static_cast<unsigned char const*>(file) + offset;
        bytes->size = static_cast<size_t>(length);
        return true;
    }
    if (!ReadFileBytes(static_cast<char const*>(file), bytes))
        return false;
    if (offset >= bytes->owned.size())
        return false;
    bytes->owned.erase(bytes->owned.begin(), bytes->owned.begin() + static_cast<std::ptrdiff_t>(offset));
    if (length > 0 && length < bytes->owned.size())
        bytes->owned.resize(static_cast<size_t>(length));
    bytes->data = bytes->owned.data();
    bytes->size = bytes->owned.size();
    return true;
}

// The error of a call on a channel, the state lock held: MIXER_ERROR_INIT before
// Mixer_Init, MIXER_ERROR_HANDLE for an unknown handle, else MIXER_OK and the channel.
int LookUpChannel(MixerState& state, MixerHandle handle, Channel** channel)
{
    if (!state.initialised)
        return MIXER_ERROR_INIT;
    *channel = FindChannel(state, handle);
    return *channel ? MIXER_OK : MIXER_ERROR_HANDLE;
}

bool FreeChannelOfKind(MixerHandle handle, eKind kind)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    Channel* channel = nullptr;
    if (int const error = LookUpChannel(state, handle, &channel))
        return Fail(error, false);
    if (channel->kind != kind)
        return Fail(MIXER_ERROR_HANDLE, false);
    state.channels.erase(handle);
    return Succeed(true);
}

// Whether Mixer_Init has succeeded; its output rate when asked.
bool IsInitialised(uint32_t* outputRate = nullptr)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (outputRate)
        *outputRate = state.outputRate;
    return state.initialised;
}

// Gives a decoded stream or module a channel of its own; the mixer may have been
// freed while it was decoded outside the lock.
MixerHandle AddChannel(eKind kind, std::unique_ptr<ISource> source)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.initialised)
        return Fail<MixerHandle>(MIXER_ERROR_INIT, 0);
    MixerHandle const handle = NewHandle(state);
    state.channels[handle] = MakeChannel(kind, std::move(source));
    return Succeed(handle);
}

bool SetPaused(bool paused)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.initialised)
        return Fail(MIXER_ERROR_INIT, false);
    state.paused = paused;
    return Succeed(true);
}

} // namespace

bool Mixer_Init(int device, uint32_t freq, uint32_t, void*, void const*)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> deviceGuard(state.deviceLock);
    bool offline = false;
    {
        std::lock_guard<std::mutex> guard(state.lock);
        if (state.initialised)
            return Fail(MIXER_ERROR_ALREADY, false);
        offline = state.offlineConfig;
    }
    if (device == 0 || device < -1)
        return Fail(MIXER_ERROR_DEVICE, false);
    if (freq == 0)
        return Fail(MIXER_ERROR_ILLPARAM, false);
    if (!offline)
    {
        if (!StartSDLAudio(state))
            return Fail(MIXER_ERROR_DRIVER, false);
        char const* name = nullptr;
        if (device > 0)
        {
            if (device > SDL_GetNumAudioDevices(0))
                return Fail(MIXER_ERROR_DEVICE, false);
            name = SDL_GetAudioDeviceName(device - 1, 0);
        }
        SDL_AudioSpec wanted;
        SDL_zero(wanted);
        wanted.freq = static_cast<int>(freq);
        wanted.format = AUDIO_F32SYS;
        wanted.channels = 2;
        wanted.samples = 1024;
        wanted.callback = DeviceCallback;
        SDL_AudioSpec obtained;
        SDL_AudioDeviceID const opened = SDL_OpenAudioDevice(name, 0, &wanted, &obtained, 0);
        if (opened == 0)
            return Fail(MIXER_ERROR_DEVICE, false);
        state.device = opened;
    }
    {
        std::lock_guard<std::mutex> guard(state.lock);
        state.offline = offline;
        state.outputRate = freq;
        state.paused = false;
        state.initialised = true;
    }
    if (state.device != 0)
        SDL_PauseAudioDevice(state.device, 0);
    return Succeed(true);
}

char const* Mixer_GetDeviceDescription(int device)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> deviceGuard(state.deviceLock);
    bool offline = false;
    {
        std::lock_guard<std::mutex> guard(state.lock);
        offline = state.offlineConfig;
    }
    if (device < 1 || offline || !StartSDLAudio(state))
        return Fail<char const*>(MIXER_ERROR_DEVICE, nullptr);
    if (device > SDL_GetNumAudioDevices(0))
        return Fail<char const*>(MIXER_ERROR_DEVICE, nullptr);
    char const* name = SDL_GetAudioDeviceName(device - 1, 0);
    if (!name)
        return Fail<char const*>(MIXER_ERROR_DEVICE, nullptr);
    return Succeed(name);
}

bool Mixer_Start()
{
    return SetPaused(false);
}

bool Mixer_Pause()
{
    return SetPaused(true);
}

bool Mixer_Free()
{
    MixerState& state = State();
    std::lock_guard<std::mutex> deviceGuard(state.deviceLock);
    {
        std::lock_guard<std::mutex> guard(state.lock);
        if (!state.initialised)
            return Fail(MIXER_ERROR_INIT, false);
        state.initialised = false;
    }
    // Closing waits for a running callback, which takes the state lock.
    if (state.device != 0)
        SDL_CloseAudioDevice(state.device);
    state.device = 0;
    StopSDLAudio(state);
    std::lock_guard<std::mutex> guard(state.lock);
    state.channels.clear();
    state.samples.clear();
    state.paused = false;
    state.offline = false;
    return Succeed(true);
}

int Mixer_ErrorGetCode()
{
    return tLastError;
}

bool Mixer_SetConfig(uint32_t option, uint32_t value)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (option != MIXER_CONFIG_OFFLINE)
        return Fail(MIXER_ERROR_ILLPARAM, false);
    state.offlineConfig = value != 0;
    return Succeed(true);
}

MixerHandle Mixer_SampleLoad(bool memory, void const* file, uint64_t offset, uint32_t length, uint32_t max,
                             uint32_t flags)
{
    if (!IsInitialised())
        return Fail<MixerHandle>(MIXER_ERROR_INIT, 0);
    if (max < 1)
        return Fail<MixerHandle>(MIXER_ERROR_ILLPARAM, 0);
    FileBytes bytes;
    if (!TakeBytes(memory, file, offset, length, &bytes))
        return Fail<MixerHandle>(MIXER_ERROR_FILEOPEN, 0);
    // Decoding can take a while: do it outside the lock so that mixing goes on.
    std::shared_ptr<DecodedSound> sound = DecodeSound(bytes.data, bytes.size);
    if (!sound)
        return Fail<MixerHandle>(MIXER_ERROR_FILEFORM, 0);
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.initialised)
        return Fail<MixerHandle>(MIXER_ERROR_INIT, 0);
    MixerHandle const handle = NewHandle(state);
    Sample& sample = state.samples[handle];
    sample.sound = sound;
    sample.max = max;
    sample.flags = flags;
    return Succeed(handle);
}

MixerHandle Mixer_SampleGetChannel(MixerHandle sampleHandle, bool onlyNew)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.initialised)
        return Fail<MixerHandle>(MIXER_ERROR_INIT, 0);
    auto found = state.samples.find(sampleHandle);
    if (found == state.samples.end())
        return Fail<MixerHandle>(MIXER_ERROR_HANDLE, 0);
    Sample& sample = found->second;
    if (sample.channels.size() >= sample.max)
    {
        // Reuse a channel that is not playing, else take over the longest-playing one.
        auto reuse = std::find_if(sample.channels.begin(), sample.channels.end(), [&](MixerHandle handle) {
            return state.channels[handle].state == kState_Stopped;
        });
        if (reuse == sample.channels.end())
        {
            if (onlyNew || !(sample.flags & MIXER_SAMPLE_OVERPOS))
                return Fail<MixerHandle>(MIXER_ERROR_NOCHAN, 0);
            reuse = std::min_element(sample.channels.begin(), sample.channels.end(),
                                     [&](MixerHandle a, MixerHandle b) {
                                         return state.channels[a].startOrder < state.channels[b].startOrder;
                                     });
        }
        state.channels.erase(*reuse);
        sample.channels.erase(reuse);
    }
    MixerHandle const handle = NewHandle(state);
    Channel& channel = state.channels[handle] = MakeChannel(kKind_SampleChannel, CreateDecodedSource(sample.sound));
    channel.sample = sampleHandle;
    sample.channels.push_back(handle);
    return Succeed(handle);
}

bool Mixer_SampleFree(MixerHandle sampleHandle)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.initialised)
        return Fail(MIXER_ERROR_INIT, false);
    auto found = state.samples.find(sampleHandle);
    if (found == state.samples.end())
        return Fail(MIXER_ERROR_HANDLE, false);
    for (MixerHandle channel : found->second.channels)
        state.channels.erase(channel);
    state.samples.erase(found);
    return Succeed(true);
}

MixerHandle Mixer_StreamCreateFile(bool memory, void const* file, uint64_t offset, uint64_t length, uint32_t)
{
    if (!IsInitialised())
        return Fail<MixerHandle>(MIXER_ERROR_INIT, 0);
    FileBytes bytes;
    if (!TakeBytes(memory, file, offset, length, &bytes))
        return Fail<MixerHandle>(MIXER_ERROR_FILEOPEN, 0);
    std::unique_ptr<ISource> source = CreateStreamSource(std::move(bytes));
    if (!source)
        return Fail<MixerHandle>(MIXER_ERROR_FILEFORM, 0);
    return AddChannel(kKind_Stream, std::move(source));
}

bool Mixer_StreamFree(MixerHandle stream)
{
    return FreeChannelOfKind(stream, kKind_Stream);
}

MixerHandle Mixer_MusicLoad(bool memory, void const* file, uint64_t offset, uint32_t length, uint32_t,
                            uint32_t freq)
{
    uint32_t outputRate = 0;
    if (!IsInitialised(&outputRate))
        return Fail<MixerHandle>(MIXER_ERROR_INIT, 0);
    uint32_t const rate = freq == 0 ? outputRate : freq;
    FileBytes bytes;
    if (!TakeBytes(memory, file, offset, length, &bytes))
        return Fail<MixerHandle>(MIXER_ERROR_FILEOPEN, 0);
    std::unique_ptr<ISource> source = CreateModuleSource(bytes.data, bytes.size, rate);
    if (!source)
        return Fail<MixerHandle>(MIXER_ERROR_FILEFORM, 0);
    return AddChannel(kKind_Music, std::move(source));
}

bool Mixer_MusicFree(MixerHandle music)
{
    return FreeChannelOfKind(music, kKind_Music);
}

bool Mixer_ChannelPlay(MixerHandle handle, bool restart)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    Channel* channel = nullptr;
    if (int const error = LookUpChannel(state, handle, &channel))
        return Fail(error, false);
    if (restart)
        channel->Rewind();
    channel->state = kState_Playing;
    channel->startOrder = ++state.startCounter;
    return Succeed(true);
}

bool Mixer_ChannelPause(MixerHandle handle)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    Channel* channel = nullptr;
    if (int const error = LookUpChannel(state, handle, &channel))
        return Fail(error, false);
    if (channel->state == kState_Stopped)
        return Fail(MIXER_ERROR_NOPLAY, false);
    channel->state = kState_Paused;
    return Succeed(true);
}

bool Mixer_ChannelStop(MixerHandle handle)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    Channel* channel = nullptr;
    if (int const error = LookUpChannel(state, handle, &channel))
        return Fail(error, false);
    channel->state = kState_Stopped;
    return Succeed(true);
}

uint32_t Mixer_ChannelIsActive(MixerHandle handle)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    Channel* channel = nullptr;
    if (int const error = LookUpChannel(state, handle, &channel))
        return Fail<uint32_t>(error, MIXER_ACTIVE_STOPPED);
    switch (channel->state)
    {
    case kState_Playing:
        return Succeed<uint32_t>(MIXER_ACTIVE_PLAYING);
    case kState_Paused:
        return Succeed<uint32_t>(MIXER_ACTIVE_PAUSED);
    default:
        return Succeed<uint32_t>(MIXER_ACTIVE_STOPPED);
    }
}

bool Mixer_ChannelGetAttributes(MixerHandle handle, uint32_t* freq, uint32_t* volume, int32_t* pan)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    Channel* channel = nullptr;
    if (int const error = LookUpChannel(state, handle, &channel))
        return Fail(error, false);
    if (freq)
        *freq = channel->naturalRate;
    if (volume)
        *volume = static_cast<uint32_t>(channel->volume);
    if (pan)
        *pan = channel->pan;
    return Succeed(true);
}

bool Mixer_ChannelSetAttributes(MixerHandle handle, int32_t freq, int32_t volume, int32_t pan)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    Channel* channel = nullptr;
    if (int const error = LookUpChannel(state, handle, &channel))
        return Fail(error, false);
    bool const freqValid = freq == 0 || (freq >= MIXER_FREQ_MIN && freq <= MIXER_FREQ_MAX);
    if (!freqValid || volume < 0 || volume > 100 || pan < -100 || pan > 100)
        return Fail(MIXER_ERROR_ILLPARAM, false);
    channel->frequency = freq == 0 ? channel->naturalRate : static_cast<double>(freq);
    channel->volume = volume;
    channel->pan = pan;
    return Succeed(true);
}

uint32_t Mixer_Render(float* buffer, uint32_t frames)
{
    MixerState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.initialised)
        return Fail<uint32_t>(MIXER_ERROR_INIT, 0);
    if (!state.offline)
        return Fail<uint32_t>(MIXER_ERROR_NOTAVAIL, 0);
    if (!buffer)
        return Fail<uint32_t>(MIXER_ERROR_ILLPARAM, 0);
    MixLocked(state, buffer, frames);
    return Succeed(frames);
}
