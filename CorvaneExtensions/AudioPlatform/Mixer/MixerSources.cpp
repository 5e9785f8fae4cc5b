#include "CorvaneExtensions/AudioPlatform/Mixer/MixerSources.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <libopenmpt/libopenmpt.h>
#include <sndfile.h>

namespace MixerInternal
{

namespace
{

// A read position over bytes that libsndfile reads through its virtual I/O.
struct MemoryCursor
{
    unsigned char const* data;
    sf_count_t size;
    sf_count_t position;
};

sf_count_t CursorLength(void* user)
{
    return static_cast<MemoryCursor*>(user)->size;
}

sf_count_t CursorSeek(sf_count_t offset, int whence, void* user)
{
    MemoryCursor* cursor = static_cast<MemoryCursor*>(user);
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = cursor->position;
    else if (whence == SEEK_END)
        base = cursor->size;
    sf_count_t const target = base + offset;
    if (target < 0 || target > cursor->size)
        return -1;
    cursor->position = target;
    return target;
}

sf_count_t CursorRead(void* buffer, sf_count_t count, void* user)
{
    MemoryCursor* cursor = static_cast<MemoryCursor*>(user);
    sf_count_t const left = cursor->size - cursor->position;
    sf_count_t const taken = std::max<sf_count_t>(0, std::min(count, left));
    if (taken > 0)
        std::memcpy(buffer, cursor->data + cursor->position, static_cast<size_t>(taken));
    cursor->position += taken;
    return taken;
}

sf_count_t CursorWrite(void const*, sf_count_t, void*)
{
    return 0;
}

sf_count_t CursorTell(void* user)
{
    return static_cast<MemoryCursor*>(user)->position;
}

SF_VIRTUAL_IO gMemoryIO = {CursorLength, CursorSeek, CursorRead, CursorWrite, CursorTell};

// An open libsndfile reader over memory; the cursor lives beside the handle.
class SoundFileReader
{
public:
    SoundFileReader(unsigned char const* data, size_t size)
        : mCursor{data, static_cast<sf_count_t>(size), 0}, mFile(nullptr)
    {
        std::memset(&mInfo, 0, sizeof(mInfo));
        if (data && size > 0)
            mFile = sf_open_virtual(&gMemoryIO, SFM_READ, &mInfo, &mCursor);
        if (mFile && (mInfo.channels < 1 || mInfo.samplerate < 1))
        {
            sf_close(mFile);
            mFile = nullptr;
        }
    }
    ~SoundFileReader()
    {
        if (mFile)
            sf_close(mFile);
    }
    SoundFileReader(SoundFileReader const&) = delete;
    SoundFileReader& operator=(SoundFileReader const&) = delete;

    bool IsOpen() const { return mFile != nullptr; }
    uint32_t GetRate() const { return static_cast<uint32_t>(mInfo.samplerate); }

    // Reads up to frames frames as stereo: mono goes to both sides, channels
    // past the second are dropped.
    uint32_t ReadStereo(float* stereo, uint32_t frames)
    {
        size_t const channels = static_cast<size_t>(mInfo.channels);
        mScratch.resize(static_cast<size_t>(frames) * channels);
        sf_count_t const got = sf_readf_float(mFile, mScratch.data(), frames);
        uint32_t const count = got > 0 ? static_cast<uint32_t>(got) : 0;
        for (uint32_t i = 0; i < count; ++i)
        {
            float const* in = &mScratch[i * channels];
            stereo[2 * i] = in[0];
            stereo[2 * i + 1] = channels > 1 ? in[1] : in[0];
        }
        return count;
    }

    void Rewind() { sf_seek(mFile, 0, SEEK_SET); }

private:
    MemoryCursor mCursor;
    SF_INFO mInfo;
    SNDFILE* mFile;
    std::vector<float> mScratch;
};

class DecodedSource : public ISource
{
public:
    explicit DecodedSource(std::shared_ptr<DecodedSound> const& sound) : mSound(sound), mPosition(0) {}

    uint32_t Read(float* stereo, uint32_t frames) override
    {
        size_t const total = mSound->frames.size() / 2;
        size_t const count = std::min<size_t>(frames, total - mPosition);
        std::copy(mSound->frames.begin() + 2 * mPosition, mSound->frames.begin() + 2 * (mPosition + count), stereo);
        mPosition += count;
        return static_cast<uint32_t>(count);
    }
    void Rewind() override { mPosition = 0; }
    uint32_t GetRate() const override { return mSound->rate; }

private:
    std::shared_ptr<DecodedSound> mSound;
    size_t mPosition;
};

class StreamSource : public ISource
{
public:
    explicit StreamSource(FileBytes&& bytes)
        : mBytes(std::move(bytes)), mReader(mBytes.owned.empty() ? mBytes.data : mBytes.owned.data(),
                                           mBytes.owned.empty() ? mBytes.size : mBytes.owned.size())
    {
    }

    bool IsOpen() const { return mReader.IsOpen(); }
    uint32_t Read(float* stereo, uint32_t frames) override { return mReader.ReadStereo(stereo, frames); }
    void Rewind() override { mReader.Rewind(); }
    uint32_t GetRate() const override { return mReader.GetRate(); }

private:
    FileBytes mBytes;
    SoundFileReader mReader;
};

class ModuleSource : public ISource
{
public:
    ModuleSource(openmpt_module* module, uint32_t rate) : mModule(module), mRate(rate) {}
    ~ModuleSource() override { openmpt_module_destroy(mModule); }
    ModuleSource(ModuleSource const&) = delete;
    ModuleSource& operator=(ModuleSource const&) = delete;

    uint32_t Read(float* stereo, uint32_t frames) override
    {
        return static_cast<uint32_t>(
            openmpt_module_read_interleaved_float_stereo(mModule, static_cast<int32_t>(mRate), frames, stereo));
    }
    void Rewind() override { openmpt_module_set_position_seconds(mModule, 0.0); }
    uint32_t GetRate() const override { return mRate; }

private:
    openmpt_module* mModule;
    uint32_t mRate;
};

} // namespace

bool ReadFileBytes(char const* path, FileBytes* bytes)
{
    if (!path)
        return false;
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    std::vector<unsigned char> content;
    unsigned char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0)
        content.insert(content.end(), chunk, chunk + got);
    bool const failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return false;
    bytes->owned.swap(content);
    bytes->data = bytes->owned.data();
    bytes->size = bytes->owned.size();
    return true;
}

std::shared_ptr<DecodedSound> DecodeSound(unsigned char const* data, size_t size)
{
    SoundFileReader reader(data, size);
    if (!reader.IsOpen())
        return nullptr;
    std::shared_ptr<DecodedSound> sound = std::make_shared<DecodedSound>();
    sound->rate = reader.GetRate();
    float chunk[2 * 4096];
    uint32_t got;
    while ((got = reader.ReadStereo(chunk, 4096)) > 0)
        sound->frames.insert(sound->frames.end(), chunk, chunk + 2 * got);
    return sound;
}

std::unique_ptr<ISource> CreateDecodedSource(std::shared_ptr<DecodedSound> const& sound)
{
    return std::unique_ptr<ISource>(new DecodedSource(sound));
}

std::unique_ptr<ISource> CreateStreamSource(FileBytes&& bytes)
{
    std::unique_ptr<StreamSource> source(new StreamSource(std::move(bytes)));
    if (!source->IsOpen())
        return nullptr;
    return std::unique_ptr<ISource>(source.release());
}

std::unique_ptr<ISource> CreateModuleSource(unsigned char const* data, size_t size, uint32_t rate)
{
    if (!data || size == 0 || rate == 0)
        return nullptr;
    int error = 0;
    openmpt_module* module = openmpt_module_create_from_memory2(data, size, openmpt_log_func_silent, nullptr,
                                                                nullptr, nullptr, &error, nullptr, nullptr);
    if (!module)
        return nullptr;
    return std::unique_ptr<ISource>(new ModuleSource(module, rate));
}

} // namespace MixerInternal
