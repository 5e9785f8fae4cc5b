#include "CorvaneExtensions/AudioPlatform/BASS/BASSLibrary.h"

#include "Core/Source/Log.h"
#include "CorvaneExtensions/AudioPlatform/Mixer/Mixer.h"

uint32_t const kBASSFrequencyMin = MIXER_FREQ_MIN;
uint32_t const kBASSFrequencyMax = MIXER_FREQ_MAX;

namespace
{

class MixerLibrary : public IBASSLibrary
{
public:
    bool Init(int device, uint32_t freq, uint32_t flags, void* window, void const* classId) override
    {
        return Mixer_Init(device, freq, flags, window, classId);
    }
    char const* GetDeviceDescription(int device) override { return Mixer_GetDeviceDescription(device); }
    bool Start() override { return Mixer_Start(); }
    bool Pause() override { return Mixer_Pause(); }
    bool Free() override { return Mixer_Free(); }
    int ErrorGetCode() override { return Mixer_ErrorGetCode(); }

    uint32_t SampleLoad(bool memory, void const* file, uint64_t offset, uint32_t length, uint32_t max,
                        uint32_t flags) override
    {
        return Mixer_SampleLoad(memory, file, offset, length, max, flags);
    }
    uint32_t SampleGetChannel(uint32_t sample, bool onlyNew) override
    {
        return Mixer_SampleGetChannel(sample, onlyNew);
    }
    bool SampleFree(uint32_t sample) override { return Mixer_SampleFree(sample); }
    uint32_t StreamCreateFile(bool memory, void const* file, uint64_t offset, uint64_t length,
                              uint32_t flags) override
    {
        return Mixer_StreamCreateFile(memory, file, offset, length, flags);
    }
    bool StreamFree(uint32_t stream) override { return Mixer_StreamFree(stream); }
    uint32_t MusicLoad(bool memory, void const* file, uint64_t offset, uint32_t length, uint32_t flags,
                       uint32_t freq) override
    {
        return Mixer_MusicLoad(memory, file, offset, length, flags, freq);
    }
    bool MusicFree(uint32_t music) override { return Mixer_MusicFree(music); }

    bool ChannelPlay(uint32_t channel, bool restart) override { return Mixer_ChannelPlay(channel, restart); }
    bool ChannelPause(uint32_t channel) override { return Mixer_ChannelPause(channel); }
    bool ChannelStop(uint32_t channel) override { return Mixer_ChannelStop(channel); }
    uint32_t ChannelIsActive(uint32_t channel) override { return Mixer_ChannelIsActive(channel); }
    bool ChannelGetAttributes(uint32_t channel, uint32_t* freq, uint32_t* volume, int32_t* pan) override
    {
        return Mixer_ChannelGetAttributes(channel, freq, volume, pan);
    }
    bool ChannelSetAttributes(uint32_t channel, int32_t freq, int32_t volume, int32_t pan) override
    {
        return Mixer_ChannelSetAttributes(channel, freq, volume, pan);
    }
};

MixerLibrary gMixerLibrary;
IBASSLibrary* gReplacement = nullptr;

// Indexed by code.
char const* const kErrorNames[] = {
    "BASS_OK", "BASS_ERROR_MEM", "BASS_ERROR_FILEOPEN", "BASS_ERROR_DRIVER", "BASS_ERROR_BUFLOST",
    "BASS_ERROR_HANDLE", "BASS_ERROR_FORMAT", "BASS_ERROR_POSITION", "BASS_ERROR_INIT", "BASS_ERROR_START",
    "BASS_ERROR_ALREADY", "BASS_ERROR_NOPAUSE", "BASS_ERROR_NOCHAN", "BASS_ERROR_ILLTYPE", "BASS_ERROR_ILLPARAM",
    "BASS_ERROR_NO3D", "BASS_ERROR_NOEAX", "BASS_ERROR_DEVICE", "BASS_ERROR_NOPLAY", "BASS_ERROR_FREQ",
    "BASS_ERROR_NOTFILE", "BASS_ERROR_NOHW", "BASS_ERROR_EMPTY", "BASS_ERROR_NONET", "BASS_ERROR_CREATE",
    "BASS_ERROR_NOFX", "BASS_ERROR_PLAYING", "BASS_ERROR_NOTAVAIL", "BASS_ERROR_DECODE", "BASS_ERROR_DX",
    "BASS_ERROR_TIMEOUT", "BASS_ERROR_FILEFORM", "BASS_ERROR_SPEAKER", "BASS_ERROR_VERSION", "BASS_ERROR_CODEC"};

} // namespace

IBASSLibrary& GetBASSLibrary()
{
    return gReplacement ? *gReplacement : gMixerLibrary;
}

IBASSLibrary* SetBASSLibrary(IBASSLibrary* library)
{
    IBASSLibrary* const previous = gReplacement;
    gReplacement = library;
    return previous;
}

char const* GetBASSErrorName(int code)
{
    int const count = static_cast<int>(sizeof(kErrorNames) / sizeof(kErrorNames[0]));
    return code >= 0 && code < count ? kErrorNames[code] : "unknown error";
}

bool TestBASSError(char const* callText)
{
    int const code = GetBASSLibrary().ErrorGetCode();
    if (code == 0)
        return true;
    Corvane::Internal::LogWrite("%s error: %d (%s)\n", callText, code, GetBASSErrorName(code));
    return false;
}
