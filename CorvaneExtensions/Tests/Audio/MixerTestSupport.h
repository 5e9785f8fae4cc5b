#pragma once

// Sound files made by the tests (WAV and Ogg through libsndfile, a small MOD
// by hand) and helpers that render the mixer offline and measure the result.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <sndfile.h>
#include <unistd.h>

#include "CorvaneExtensions/AudioPlatform/Mixer/Mixer.h"

namespace MixerTesting
{

int const kRate = 44100;

// A sine tone written by libsndfile to the path; false when it could not be written.
inline bool WriteTone(std::string const& path, int format, int channels, double seconds, double frequency = 440.0,
                      float amplitude = 0.5f)
{
    SF_INFO info = {};
    info.samplerate = kRate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    sf_count_t const frames = static_cast<sf_count_t>(seconds * kRate);
    std::vector<float> samples(static_cast<size_t>(frames * channels));
    for (sf_count_t i = 0; i < frames; ++i)
    {
        float const value = amplitude * static_cast<float>(std::sin(2.0 * M_PI * frequency * i / kRate));
        for (int c = 0; c < channels; ++c)
            samples[static_cast<size_t>(i * channels + c)] = value;
    }
    sf_count_t const written = sf_writef_float(file, samples.data(), frames);
    sf_close(file);
    return written == frames;
}

inline int const kWav = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
inline int const kOgg = SF_FORMAT_OGG | SF_FORMAT_VORBIS;

inline std::vector<unsigned char> ReadBytes(std::string const& path)
{
    std::vector<unsigned char> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    unsigned char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    return bytes;
}

// The bytes of a tone file of that format.
inline std::vector<unsigned char> MakeTone(int format, int channels, double seconds, double frequency = 440.0)
{
    char path[] = "/tmp/corvane-tone-XXXXXX";
    int const descriptor = mkstemp(path);
    if (descriptor < 0)
        return std::vector<unsigned char>();
    close(descriptor);
    std::vector<unsigned char> bytes;
    if (WriteTone(path, format, channels, seconds, frequency))
        bytes = ReadBytes(path);
    unlink(path);
    return bytes;
}

// A four-channel MOD with one looping square-wave sample played on the first
// row, at one tick per row so that the one pattern lasts about 1.3 seconds.
inline std::vector<unsigned char> MakeModule()
{
    std::vector<unsigned char> bytes(20 + 31 * 30 + 2 + 128 + 4, 0);
    std::string const title = "prueba";
    std::copy(title.begin(), title.end(), bytes.begin());
    size_t const sampleWords = 500;
    unsigned char* sample = &bytes[20];
    sample[22] = static_cast<unsigned char>(sampleWords >> 8);
    sample[23] = static_cast<unsigned char>(sampleWords & 0xFF);
    sample[25] = 64;
    sample[28] = static_cast<unsigned char>(sampleWords >> 8);
    sample[29] = static_cast<unsigned char>(sampleWords & 0xFF);
    size_t const songLength = 20 + 31 * 30;
    bytes[songLength] = 1;
    bytes[songLength + 1] = 127;
    bytes[songLength + 2 + 128] = 'M';
    bytes[songLength + 2 + 129] = '.';
    bytes[songLength + 2 + 130] = 'K';
    bytes[songLength + 2 + 131] = '.';
    std::vector<unsigned char> pattern(64 * 4 * 4, 0);
    // Row 0, channel 0: sample 1 at period 428.
    pattern[0] = 0x01;
    pattern[1] = 0xAC;
    pattern[2] = 0x10;
    // Row 0, channel 1: speed 1.
    pattern[4 + 2] = 0x0F;
    pattern[4 + 3] = 0x01;
    bytes.insert(bytes.end(), pattern.begin(), pattern.end());
    for (size_t i = 0; i < sampleWords * 2; ++i)
        bytes.push_back(static_cast<unsigned char>((i / 16) % 2 ? 0x60 : 0xA0));
    return bytes;
}

// Interleaved stereo frames of the mixer's output.
inline std::vector<float> Render(uint32_t frames)
{
    std::vector<float> buffer(2 * static_cast<size_t>(frames), 99.0f);
    Mixer_Render(buffer.data(), frames);
    return buffer;
}

// Root mean square of one side (0 left, 1 right).
inline double Rms(std::vector<float> const& buffer, int side)
{
    double sum = 0.0;
    size_t const frames = buffer.size() / 2;
    for (size_t i = 0; i < frames; ++i)
        sum += static_cast<double>(buffer[2 * i + side]) * buffer[2 * i + side];
    return frames ? std::sqrt(sum / static_cast<double>(frames)) : 0.0;
}

inline bool IsSilent(std::vector<float> const& buffer)
{
    for (float value : buffer)
    {
        if (value != 0.0f)
            return false;
    }
    return true;
}

// Renders in blocks until the channel is no longer active; the frames it took.
inline uint32_t FramesUntilEnd(MixerHandle channel, uint32_t block = 256, uint32_t limit = 10 * kRate)
{
    uint32_t frames = 0;
    while (Mixer_ChannelIsActive(channel) != MIXER_ACTIVE_STOPPED && frames < limit)
    {
        Render(block);
        frames += block;
    }
    return frames;
}

} // namespace MixerTesting
