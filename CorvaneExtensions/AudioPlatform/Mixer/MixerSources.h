#ifndef CORVANE_MIXER_MIXERSOURCES_H
#define CORVANE_MIXER_MIXERSOURCES_H

// Where the frames a channel plays come from: decoded sample memory, a file
// decoded while it plays, or tracker music rendered while it plays.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace MixerInternal
{

// Frames at the source's own rate, as interleaved left and right floats.
class ISource
{
public:
    virtual ~ISource() {}
    // Fills up to frames frames; fewer (0 at the end) when the sound ends.
    virtual uint32_t Read(float* stereo, uint32_t frames) = 0;
    // Goes back to the first frame.
    virtual void Rewind() = 0;
    virtual uint32_t GetRate() const = 0;
};

// A whole sound decoded into memory, shared by the channels of one sample.
struct DecodedSound
{
    uint32_t rate = 0;
    // Interleaved left and right.
    std::vector<float> frames;
};

// The bytes of a file: either a view of memory the caller keeps, or a copy
// read from a path.
struct FileBytes
{
    unsigned char const* data = nullptr;
    size_t size = 0;
    std::vector<unsigned char> owned;
};

// Reads a path into owned bytes; false when it cannot be read.
bool ReadFileBytes(char const* path, FileBytes* bytes);

// Decodes a whole file that libsndfile knows (WAV, AIFF, Ogg Vorbis, MP3...);
// null when the bytes are not such a file.
std::shared_ptr<DecodedSound> DecodeSound(unsigned char const* data, size_t size);

// Plays a decoded sound from its start.
std::unique_ptr<ISource> CreateDecodedSource(std::shared_ptr<DecodedSound> const& sound);

// Decodes the bytes while playing: a view must outlive the source, owned
// bytes move into it. Null when they are not a file libsndfile knows.
std::unique_ptr<ISource> CreateStreamSource(FileBytes&& bytes);

// Renders tracker music at the rate; the bytes are copied. Null when they are
// not a module libopenmpt knows.
std::unique_ptr<ISource> CreateModuleSource(unsigned char const* data, size_t size, uint32_t rate);

} // namespace MixerInternal

#endif
