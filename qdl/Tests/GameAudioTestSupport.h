#pragma once

// The game's audio manager over the audio platform driven by a recording sound
// library: frames run as the main loop runs them (platform update, then the
// application's queue), and a voice-over ends when the test ends its pass.

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CorvaneExtensions/Tests/Audio/AudioTestSupport.h"
#include "qdl/Source/Game/GameAudioManager.h"

namespace GameAudioTesting
{

using namespace AudioTesting;
typedef std::vector<std::string> Names;

class GameAudioFixture : public AudioFixture
{
protected:
    void SetUp() override
    {
        AudioFixture::SetUp();
        manager = GetAudioManager();
        manager->reset();
    }

    void TearDown() override
    {
        manager->reset();
        AudioFixture::TearDown();
    }

    // A sound resource known to the test by name; attributes as in a manifest.
    // Its data is one sample, whose handle tells its plays apart.
    ISound* Sound(char const* name, std::wstring const& attributes = L"")
    {
        uint32_t const sample = library.nextHandle;
        MakeSound(name, attributes);
        // Names from the manifest's wide text are labelled as wide text.
        ISound* const sound = Find(name);
        EXPECT_NE(nullptr, sound) << name;
        EXPECT_EQ(sample + 1, library.nextHandle) << name;
        names[sound] = name;
        sampleNames[sample] = name;
        return sound;
    }

    // A sound list whose events are the given (event, sound) pairs; the sounds are made.
    void List(char const* list, std::vector<std::pair<char const*, char const*>> const& entries)
    {
        std::wstring body = L"<soundlist name=\"" + ConvertStringUTF8ToWide(list) + L"\">";
        for (auto const& entry : entries)
        {
            if (!Find(entry.second))
                Sound(entry.second);
            body += L"<sound event=\"" + ConvertStringUTF8ToWide(entry.first) + L"\" src=\"" +
                    ConvertStringUTF8ToWide(entry.second) + L"\"/>";
        }
        LoadManifest(body + L"</soundlist>", ConvertStringUTF8ToWide(list).c_str());
        library.Take();
    }

    ISound* Find(char const* name) { return AutoResource<ISound>(Label(ConvertStringUTF8ToWide(name).c_str())).Get(); }

    // One frame: the platform's update, then the application's.
    void Frame()
    {
        Step();
        manager->updateVocalAudioQueues();
        RecordPlays();
    }

    // The names of the sounds started since the last call, in order.
    Names Started()
    {
        RecordPlays();
        Names taken;
        taken.swap(started);
        return taken;
    }

    std::string Name(ISound const* sound) const
    {
        auto const found = names.find(sound);
        return found == names.end() ? std::string(sound ? "?" : "-") : found->second;
    }

    std::string Voice() const
    {
        ISoundChannel* const channel = manager->getVoiceChannel();
        return Name(channel ? channel->GetSound() : nullptr);
    }

    Names Queue() const
    {
        Names queued;
        for (Label name : manager->getVoiceQueue())
            queued.push_back(Name(AutoResource<ISound>(name).Get()));
        return queued;
    }

    // Ends the pass of the sound of that name.
    void End(std::string const& name)
    {
        for (auto const& entry : sampleNames)
            if (entry.second == name)
                library.EndPass(entry.first);
    }

    float MusicVolume() { return Audio::GetControls(Audio::GetMusicKind())->GetVolume(); }

    AudioManager* manager = nullptr;
    std::map<ISound const*, std::string> names;

private:
    // A play shows as "ChannelPlay <sample> 1"; a resume restarts nothing and shows with 0.
    void RecordPlays()
    {
        for (std::string const& call : library.Take())
        {
            if (call.rfind("ChannelPlay ", 0) != 0 || call.compare(call.size() - 2, 2, " 1") != 0)
                continue;
            uint32_t const handle = static_cast<uint32_t>(std::strtoul(call.c_str() + 12, nullptr, 10));
            auto const found = sampleNames.find(handle);
            started.push_back(found == sampleNames.end() ? "?" : found->second);
        }
    }

    Names started;
    std::map<uint32_t, std::string> sampleNames;
};

} // namespace GameAudioTesting
