#pragma once

// Shared by the audio tests: a recording stand-in for the sound library, a
// test clock, and a fixture with the audio platform set up over a scratch
// resources folder.

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Framework/SystemServices.h"
#include "Core/Source/DiskPartition.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/Random.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "Core/Tests/FileTestSupport.h"
#include "Core/Tests/Support/StderrCapture.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSAudioPlatform.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSLibrary.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSSound.h"

namespace AudioTesting
{
using namespace Corvane;

inline std::string Format(char const* format, ...) __attribute__((format(printf, 1, 2)));
inline std::string Format(char const* format, ...)
{
    char buffer[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, sizeof(buffer), format, arguments);
    va_end(arguments);
    return buffer;
}

// Records every call that changes something, answers as scripted, and keeps
// the activity of each handle: playing after ChannelPlay, paused after
// ChannelPause, stopped after ChannelStop or when a test ends a pass.
class RecordingLibrary : public IBASSLibrary
{
public:
    bool Init(int device, uint32_t freq, uint32_t flags, void*, void const*) override
    {
        calls.push_back(Format("Init %d %u %u", device, freq, flags));
        auto const found = initResults.find(device);
        bool const ok = found == initResults.end() ? true : found->second;
        lastError = ok ? 0 : 23;
        return ok;
    }
    char const* GetDeviceDescription(int device) override
    {
        calls.push_back(Format("GetDeviceDescription %d", device));
        lastError = 0;
        if (device >= 1 && device <= static_cast<int>(devices.size()))
            return devices[static_cast<size_t>(device - 1)].c_str();
        return nullptr;
    }
    bool Start() override { return Simple("Start"); }
    bool Pause() override { return Simple("Pause"); }
    bool Free() override { return Simple("Free"); }
    int ErrorGetCode() override { return lastError; }

    uint32_t SampleLoad(bool memory, void const*, uint64_t offset, uint32_t length, uint32_t max,
                        uint32_t flags) override
    {
        calls.push_back(Format("SampleLoad %d %llu %u %u %u", memory ? 1 : 0,
                               static_cast<unsigned long long>(offset), length, max, flags));
        return MakeHandle("SampleLoad");
    }
    uint32_t SampleGetChannel(uint32_t sample, bool onlyNew) override
    {
        calls.push_back(Format("SampleGetChannel %u %d", sample, onlyNew ? 1 : 0));
        return MakeHandle("SampleGetChannel");
    }
    bool SampleFree(uint32_t sample) override { return Simple(Format("SampleFree %u", sample), "SampleFree"); }
    uint32_t StreamCreateFile(bool memory, void const*, uint64_t offset, uint64_t length, uint32_t flags) override
    {
        calls.push_back(Format("StreamCreateFile %d %llu %llu %u", memory ? 1 : 0,
                               static_cast<unsigned long long>(offset), static_cast<unsigned long long>(length),
                               flags));
        return MakeHandle("StreamCreateFile");
    }
    bool StreamFree(uint32_t stream) override { return Simple(Format("StreamFree %u", stream), "StreamFree"); }
    uint32_t MusicLoad(bool memory, void const*, uint64_t offset, uint32_t length, uint32_t flags,
                       uint32_t freq) override
    {
        calls.push_back(Format("MusicLoad %d %llu %u %u %u", memory ? 1 : 0,
                               static_cast<unsigned long long>(offset), length, flags, freq));
        return MakeHandle("MusicLoad");
    }
    bool MusicFree(uint32_t music) override { return Simple(Format("MusicFree %u", music), "MusicFree"); }

    bool ChannelPlay(uint32_t channel, bool restart) override
    {
        bool const ok = Simple(Format("ChannelPlay %u %d", channel, restart ? 1 : 0), "ChannelPlay");
        if (ok)
            active[channel] = 1;
        return ok;
    }
    bool ChannelPause(uint32_t channel) override
    {
        bool const ok = Simple(Format("ChannelPause %u", channel), "ChannelPause");
        if (ok)
            active[channel] = 3;
        return ok;
    }
    bool ChannelStop(uint32_t channel) override
    {
        bool const ok = Simple(Format("ChannelStop %u", channel), "ChannelStop");
        if (ok)
            active[channel] = 0;
        return ok;
    }
    uint32_t ChannelIsActive(uint32_t channel) override
    {
        lastError = 0;
        auto const found = active.find(channel);
        return found == active.end() ? 0 : found->second;
    }
    bool ChannelGetAttributes(uint32_t channel, uint32_t* freq, uint32_t*, int32_t*) override
    {
        bool const ok = Simple(Format("ChannelGetAttributes %u", channel), "ChannelGetAttributes");
        if (ok && freq)
        {
            auto const found = naturalRates.find(channel);
            *freq = found == naturalRates.end() ? 44100 : found->second;
        }
        return ok;
    }
    bool ChannelSetAttributes(uint32_t channel, int32_t freq, int32_t volume, int32_t pan) override
    {
        return Simple(Format("ChannelSetAttributes %u %d %d %d", channel, freq, volume, pan), "ChannelSetAttributes");
    }

    // The pass of the handle has ended.
    void EndPass(uint32_t handle) { active[handle] = 0; }

    // The calls recorded since the last Take.
    std::vector<std::string> Take()
    {
        std::vector<std::string> taken;
        taken.swap(calls);
        return taken;
    }

    // Calls whose text starts with the prefix.
    std::vector<std::string> Matching(std::string const& prefix) const
    {
        std::vector<std::string> found;
        for (std::string const& call : calls)
        {
            if (call.compare(0, prefix.size(), prefix) == 0)
                found.push_back(call);
        }
        return found;
    }

    std::vector<std::string> calls;
    // Per call name: the error code it fails with.
    std::map<std::string, int> failures;
    // Per device: whether Init succeeds (succeeds when absent).
    std::map<int, bool> initResults;
    std::vector<std::string> devices;
    std::map<uint32_t, uint32_t> active;
    std::map<uint32_t, uint32_t> naturalRates;
    uint32_t nextHandle = 100;
    int lastError = 0;

private:
    bool Simple(std::string const& text, char const* name)
    {
        calls.push_back(text);
        auto const found = failures.find(name);
        lastError = found == failures.end() ? 0 : found->second;
        return lastError == 0;
    }
    bool Simple(char const* name) { return Simple(name, name); }
    uint32_t MakeHandle(char const* name)
    {
        auto const found = failures.find(name);
        lastError = found == failures.end() ? 0 : found->second;
        return lastError == 0 ? nextHandle++ : 0;
    }
};

// A clock the tests move by hand.
class TestClock : public ISystemServices
{
public:
    uint64_t GetTimeUS() override { return now; }
    void Sleep(uint32_t) override {}
    std::wstring GetCommandLine() override { return std::wstring(); }
    void AdvanceMS(uint32_t milliseconds) { now += 1000ull * milliseconds; }

    uint64_t now = 5000000;
};

inline Label L8(char const* text)
{
    return Label::GetUniqueString(text);
}

inline std::wstring Manifest(std::wstring const& body)
{
    return L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n" + body + L"\n</resources>\n";
}

// Collects what the code under test writes to the log.
using LogCapture = ::TestSupport::StderrCapture;

// The log without the resource manager's own lines about manifests.
inline std::string AudioLines(std::string const& log)
{
    std::string kept;
    size_t start = 0;
    while (start < log.size())
    {
        size_t end = log.find('\n', start);
        end = end == std::string::npos ? log.size() : end + 1;
        std::string const line = log.substr(start, end - start);
        if (line.rfind("Loading resource file: ", 0) != 0 && line.rfind("Unloading resource file: ", 0) != 0)
            kept += line;
        start = end;
    }
    return kept;
}

// Each test gets fresh singletons: a file system whose resources partition is
// a scratch folder, a user partition beside it, the test clock, and the audio
// platform made and (unless a test says otherwise) set up over the library
// the fixture names.
class AudioFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Internal::DeleteAllSingletons();
        // Random sounds draw from the engine's streams.
        Random::Engine_Setup();
        mPreviousServices = Internal::SetSystemServices(&clock);
        FileSystem* const fileSystem = new FileSystem();
        scratch.Write("resources/.keep.txt", "");
        scratch.Write("user/.keep.txt", "");
        fileSystem->AddFileSystemPartition(kFileSystemPartition_Resources,
                                           new MacOSX::FileSystemPartition(ResourcesPath()));
        fileSystem->AddFileSystemPartition(kFileSystemPartition_UserData,
                                           new MacOSX::FileSystemPartition(scratch.WidePath() + L"/user"));
        SetBASSLibrary(UseRecordingLibrary() ? &library : nullptr);
        platform = static_cast<BASSAudioPlatform*>(CreateDefaultAudioPlatform());
        if (SetUpPlatform())
            platform->Setup();
        library.Take();
    }

    void TearDown() override
    {
        if (platform)
            platform->Cleanup();
        GetResourceManager()->Cleanup();
        if (IFileSystem* fileSystem = GetFileSystem())
            fileSystem->Cleanup();
        Internal::DeleteAllSingletons();
        SetBASSLibrary(nullptr);
        Internal::SetSystemServices(mPreviousServices);
        Random::Engine_Destroy();
    }

    virtual bool UseRecordingLibrary() const { return true; }
    virtual bool SetUpPlatform() const { return true; }

    std::wstring ResourcesPath() const { return scratch.WidePath() + L"/resources"; }

    // A file in the resources folder; the name is UTF-8.
    void WriteResource(std::string const& name, std::string const& bytes = "not really sound")
    {
        scratch.Write("resources/" + name, bytes);
    }

    void LoadManifest(std::wstring const& body, wchar_t const* name = L"Sonidos")
    {
        MemoryStream stream(name);
        std::string const bytes = ConvertStringWideToUTF8String(Manifest(body));
        stream.Write(bytes.data(), bytes.size());
        stream.Seek(kSeekBegin, 0);
        GetResourceManager()->LoadFromStream(&stream, name);
    }

    ISound* FindSound(char const* name) { return AutoResource<ISound>(name).Get(); }

    // A "sound" resource over a file "<name>.wav", in a manifest of its own
    // named after it; the library's calls made while loading are dropped.
    ISound* MakeSound(char const* name, std::wstring const& attributes = L"")
    {
        WriteResource(std::string(name) + ".wav");
        std::wstring const wide = ConvertStringUTF8ToWide(name);
        LoadManifest(L"<sound name=\"" + wide + L"\" src=\"" + wide + L"\" " + attributes + L"/>", wide.c_str());
        library.Take();
        return FindSound(name);
    }

    // One main-loop step of 20 ms.
    void Step(int count = 1)
    {
        for (int i = 0; i < count; ++i)
        {
            clock.AdvanceMS(20);
            platform->Update(0.02f);
        }
    }

    FileTestSupport::ScratchFolder scratch;
    TestClock clock;
    RecordingLibrary library;
    BASSAudioPlatform* platform = nullptr;

private:
    ISystemServices* mPreviousServices = nullptr;
};

} // namespace AudioTesting
