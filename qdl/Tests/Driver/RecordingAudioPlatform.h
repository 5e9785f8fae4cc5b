#pragma once

// The program's audio platform with a record of every play it is asked for.
// Its channels are the platform's own, wrapped: the sound is played for real
// and the wrapper only notes the sound's name, kind and loops first. With the
// mixer rendering offline (AdvanceOutput), sounds last their real lengths in
// the test's stepped time.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "CorvaneExtensions/AudioPlatform/BASS/BASSAudioPlatform.h"
#include "qdl/Tests/Driver/GameDriver.h"

namespace GameDriver
{

class RecordingChannel;

class RecordingAudioPlatform : public BASSAudioPlatform
{
public:
    // The clock gives the time stamp of each play.
    RecordingAudioPlatform(std::vector<sSoundPlay>* plays, std::function<uint64_t()> clock);
    ~RecordingAudioPlatform() override;

    void Cleanup() override;
    void Update(float dt) override;
    boost::intrusive_ptr<Corvane::ISoundChannel> CreateChannel() override;

    // The names of the sounds playing now, also those whose caller let go of the channel.
    std::vector<std::string> GetPlayingSounds() const;

    // Mixes the output up to the given time (milliseconds since the start):
    // nothing is heard, but the channels move on as if it had been.
    static void AdvanceOutput(uint64_t timeMS);
    // Before the platform opens its output: offline (true) or back to the device.
    static void UseOfflineOutput(bool offline);

    // Called by the channels.
    void Record(Corvane::ISound const* sound, int loops, Corvane::ISoundChannel const* channel);
    void Forget(RecordingChannel* channel);

private:
    std::vector<sSoundPlay>* mPlays;
    std::function<uint64_t()> mClock;
    std::set<RecordingChannel*> mChannels;
    // The platform's own channels, watched until they stop.
    std::vector<boost::intrusive_ptr<Corvane::ISoundChannel> > mPlaying;
    // The name of the sound each of them was last given, taken when it was
    // given: a channel plays on after its sound's manifest is unloaded, and
    // then its sound pointer points at nothing.
    std::map<Corvane::ISoundChannel const*, std::string> mNames;
};

// The name under which a sound resource was declared; "" for a sound without one.
std::string GetSoundName(Corvane::ISound const* sound);

} // namespace GameDriver
