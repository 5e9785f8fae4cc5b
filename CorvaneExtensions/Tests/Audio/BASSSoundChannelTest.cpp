// Channels over a recording library: loops, pause, stop, mute, the values
// sent to the library, and channels that outlive their sound's resource.

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "CorvaneExtensions/Tests/Audio/AudioTestSupport.h"

namespace AudioTesting
{
namespace
{

typedef std::vector<std::string> Calls;

class BASSSoundChannelTest : public AudioFixture
{
protected:
    BASSSoundChannel* PlayHeld(ISound* sound, Audio::sPlayState const& state = Audio::sPlayState())
    {
        Audio::Play(sound, &held, state);
        return static_cast<BASSSoundChannel*>(held.get());
    }

    boost::intrusive_ptr<ISoundChannel> held;
};

// --- normal case -----------------------------------------------------------

TEST_F(BASSSoundChannelTest, APlayAsksTheNaturalRateSetsTheValuesAndStartsFromTheBeginning)
{
    ISound* const sound = MakeSound("Golpe");
    Audio::Play(sound, Audio::sPlayState());
    EXPECT_EQ((Calls{"ChannelGetAttributes 100", "ChannelSetAttributes 100 44100 50 0", "ChannelPlay 100 1"}),
              library.Take());
}

TEST_F(BASSSoundChannelTest, ThreeLoopsPlayThreePassesAndThenTheChannelGoes)
{
    ISound* const sound = MakeSound("Golpe", L"loop=\"3\"");
    BASSSoundChannel* const channel = PlayHeld(sound);
    held.reset();
    Step();
    EXPECT_EQ(3, channel->GetLoopsRemaining());
    library.Take();

    library.EndPass(100);
    Step();
    EXPECT_EQ(2, channel->GetLoopsRemaining());
    EXPECT_EQ(Calls{"ChannelPlay 100 1"}, library.Matching("ChannelPlay"));
    library.Take();

    library.EndPass(100);
    Step();
    EXPECT_EQ(1, channel->GetLoopsRemaining());
    EXPECT_EQ(Calls{"ChannelPlay 100 1"}, library.Matching("ChannelPlay"));
    EXPECT_EQ(1u, platform->GetChannelCount());
    library.Take();

    library.EndPass(100);
    Step();
    EXPECT_EQ((Calls{"ChannelStop 100"}), library.Take());
    EXPECT_EQ(0u, platform->GetChannelCount());
}

TEST_F(BASSSoundChannelTest, LoopingForeverNeverEnds)
{
    ISound* const sound = MakeSound("Motor", L"loop=\"forever\"");
    BASSSoundChannel* const channel = PlayHeld(sound);
    library.Take();
    for (int pass = 0; pass < 10; ++pass)
    {
        library.EndPass(100);
        Step();
    }
    EXPECT_TRUE(channel->IsPlaying());
    EXPECT_EQ(0, channel->GetLoopsRemaining());
    EXPECT_EQ(10u, library.Matching("ChannelPlay 100 1").size());
    EXPECT_EQ(Calls{}, library.Matching("ChannelStop"));
}

TEST_F(BASSSoundChannelTest, AHeldChannelStaysStoppedInTheListUntilReleased)
{
    ISound* const sound = MakeSound("Golpe");
    BASSSoundChannel* const channel = PlayHeld(sound);
    library.EndPass(100);
    Step();
    EXPECT_FALSE(channel->IsPlaying());
    EXPECT_EQ(nullptr, channel->GetSound());
    EXPECT_EQ(1u, platform->GetChannelCount());
    Step();
    EXPECT_EQ(1u, platform->GetChannelCount());
    held.reset();
    Step();
    EXPECT_EQ(0u, platform->GetChannelCount());
}

TEST_F(BASSSoundChannelTest, StoppingAKindStopsItsChannelsButNotOneStartedAfterTheRequest)
{
    ISound* const first = MakeSound("Uno", L"loop=\"forever\"");
    ISound* const second = MakeSound("Dos", L"loop=\"forever\"");
    ISound* const late = MakeSound("Tres", L"loop=\"forever\"");
    boost::intrusive_ptr<ISoundChannel> a, b, c;
    Audio::Play(first, &a, Audio::sPlayState());
    Audio::Play(second, &b, Audio::sPlayState());
    Step();
    Audio::GetControls(Audio::GetEffectKind())->Stop();
    Audio::Play(late, &c, Audio::sPlayState());
    library.Take();
    Step();
    EXPECT_FALSE(a->IsPlaying());
    EXPECT_FALSE(b->IsPlaying());
    EXPECT_TRUE(c->IsPlaying());
    EXPECT_EQ((Calls{"ChannelStop 100", "ChannelStop 101"}), library.Matching("ChannelStop"));
    Step(5);
    EXPECT_TRUE(c->IsPlaying());
}

TEST_F(BASSSoundChannelTest, MutingSendsSilenceAndUnmutingRestoresTheVolume)
{
    ISound* const sound = MakeSound("Golpe", L"loop=\"forever\"");
    BASSSoundChannel* const channel = PlayHeld(sound);
    Step();
    library.Take();
    channel->GetControls()->Mute(true);
    Step();
    EXPECT_EQ(Calls{"ChannelSetAttributes 100 44100 0 0"}, library.Matching("ChannelSetAttributes"));
    EXPECT_FLOAT_EQ(0.5f, channel->GetControls()->GetVolume());
    library.Take();
    channel->GetControls()->Mute(false);
    Step();
    EXPECT_EQ(Calls{"ChannelSetAttributes 100 44100 50 0"}, library.Matching("ChannelSetAttributes"));
}

TEST_F(BASSSoundChannelTest, PausedControlsHoldTheChannelAndResumeWhereItWas)
{
    ISound* const sound = MakeSound("Golpe");
    BASSSoundChannel* const channel = PlayHeld(sound);
    Step();
    library.Take();
    Audio::GetMasterControls()->Pause();
    Step();
    EXPECT_EQ((Calls{"ChannelPause 100"}), library.Take());
    // While paused nothing is sent, whatever changes.
    channel->GetControls()->SetVolume(0.4f);
    Step(3);
    EXPECT_EQ(Calls{}, library.Matching("ChannelSetAttributes"));
    EXPECT_TRUE(channel->IsPlaying());
    library.Take();
    Audio::GetMasterControls()->Resume();
    Step();
    EXPECT_EQ((Calls{"ChannelPlay 100 0", "ChannelSetAttributes 100 44100 20 0"}), library.Take());
}

TEST_F(BASSSoundChannelTest, VolumeAndPanReachTheLibraryAsWholeHundredths)
{
    ISound* const sound = MakeSound("Golpe");
    Audio::sPlayState state;
    state.volume = 0.5f;
    state.pan = -0.333f;
    Audio::Play(sound, state);
    EXPECT_EQ(Calls{"ChannelSetAttributes 100 44100 25 -33"}, library.Matching("ChannelSetAttributes"));
}

TEST_F(BASSSoundChannelTest, APlayThatStartsPausedWaitsForItsResume)
{
    ISound* const sound = MakeSound("Golpe");
    Audio::sPlayState state;
    state.paused = true;
    BASSSoundChannel* const channel = PlayHeld(sound, state);
    held.reset();
    Step(3);
    EXPECT_EQ((Calls{"ChannelGetAttributes 100"}), library.Take());
    EXPECT_TRUE(channel->IsPlaying());
    EXPECT_EQ(1u, platform->GetChannelCount());
    channel->GetControls()->Resume();
    Step();
    EXPECT_EQ((Calls{"ChannelPlay 100 1", "ChannelSetAttributes 100 44100 50 0"}), library.Take());
}

TEST_F(BASSSoundChannelTest, ARandomSoundsNextFileIsPlayedAtItsOwnRate)
{
    WriteResource("paso1.wav");
    WriteResource("paso2.wav");
    WriteResource("paso3.wav");
    LoadManifest(L"<randomsound name=\"Pasos\" loop=\"forever\">"
                 L"<sound src=\"paso1\"/><sound src=\"paso2\"/><sound src=\"paso3\"/></randomsound>");
    library.naturalRates[100] = 11025;
    library.naturalRates[101] = 22050;
    library.naturalRates[102] = 44100;
    library.Take();
    BASSSoundChannel* const channel = PlayHeld(FindSound("Pasos"));
    for (int pass = 0; pass < 6; ++pass)
    {
        uint32_t const handle = channel->GetHandle();
        uint32_t const rate = library.naturalRates[handle];
        std::string const expected = Format("ChannelSetAttributes %u %u 50 0", handle, rate);
        EXPECT_EQ(expected, library.Matching("ChannelSetAttributes").back());
        library.Take();
        library.EndPass(handle);
        Step();
        EXPECT_NE(handle, channel->GetHandle());
    }
}

// --- invalid input ---------------------------------------------------------

TEST_F(BASSSoundChannelTest, OutOfRangeAndNaNValuesAreClampedBeforeConversion)
{
    ISound* const sound = MakeSound("Golpe", L"loop=\"forever\"");
    BASSSoundChannel* const channel = PlayHeld(sound);
    boost::intrusive_ptr<IAudioControls> const controls = channel->GetControls();
    struct Case
    {
        float volume, rate, pan;
        char const* expected;
    };
    float const nan = std::numeric_limits<float>::quiet_NaN();
    Case const cases[] = {
        {3.0f, 1.0f, 0.0f, "ChannelSetAttributes 100 44100 100 0"},
        {-2.0f, 1.0f, 0.0f, "ChannelSetAttributes 100 44100 0 0"},
        {nan, 1.0f, 0.0f, "ChannelSetAttributes 100 44100 0 0"},
        {1.0f, nan, 0.0f, "ChannelSetAttributes 100 44100 50 0"},
        {1.0f, 1e30f, 0.0f, "ChannelSetAttributes 100 1000000 50 0"},
        {1.0f, std::numeric_limits<float>::infinity(), 0.0f, "ChannelSetAttributes 100 1000000 50 0"},
        {1.0f, 0.0f, 0.0f, "ChannelSetAttributes 100 100 50 0"},
        {1.0f, -3.0f, 0.0f, "ChannelSetAttributes 100 100 50 0"},
        {1.0f, 1.0f, nan, "ChannelSetAttributes 100 44100 50 0"},
    };
    for (Case const& c : cases)
    {
        library.Take();
        controls->SetVolume(c.volume);
        controls->SetRate(c.rate);
        controls->SetPan(c.pan);
        Step();
        EXPECT_EQ(Calls{c.expected}, library.Matching("ChannelSetAttributes"))
            << c.volume << " " << c.rate << " " << c.pan;
    }
}

TEST_F(BASSSoundChannelTest, AChannelWithoutControlsIsNeverStarted)
{
    ISound* const sound = MakeSound("Golpe");
    boost::intrusive_ptr<ISoundChannel> const channel = platform->CreateChannel();
    channel->Play(sound, 1);
    Step(2);
    EXPECT_EQ((Calls{"ChannelGetAttributes 100"}), library.Take());
}

TEST_F(BASSSoundChannelTest, PlayingANullSoundOrOneWithoutDataStopsAndPlaysNothing)
{
    ISound* const sound = MakeSound("Golpe", L"loop=\"forever\"");
    LoadManifest(L"<sound name=\"Perdido\" src=\"no-existe\"/>", L"Perdido");
    BASSSoundChannel* const channel = PlayHeld(sound);
    library.Take();
    channel->Play(FindSound("Perdido"), 1);
    EXPECT_EQ((Calls{"ChannelStop 100"}), library.Take());
    EXPECT_FALSE(channel->IsPlaying());
    channel->Play(nullptr, 1);
    EXPECT_EQ(Calls{}, library.Take());
}

TEST_F(BASSSoundChannelTest, FailedChannelCallsAreLoggedWithTheirCallText)
{
    ISound* const sound = MakeSound("Golpe");
    library.failures["ChannelPlay"] = 5;
    library.failures["ChannelGetAttributes"] = 8;
    library.failures["ChannelSetAttributes"] = 14;
    LogCapture log;
    Audio::Play(sound, Audio::sPlayState());
    EXPECT_EQ("BASS_ChannelGetAttributes(mBassChannel, &mNaturalSamplePlaybackRate, NULL, NULL) error: 8 "
              "(BASS_ERROR_INIT)\n"
              "BASS_ChannelSetAttributes(mBassChannel, freq, volume, pan) error: 14 (BASS_ERROR_ILLPARAM)\n"
              "BASS_ChannelPlay(mBassChannel, restartSound) error: 5 (BASS_ERROR_HANDLE)\n",
              log.Take());
}

// --- failure leaves state unchanged ----------------------------------------

TEST_F(BASSSoundChannelTest, UnloadingASoundWhileItPlaysFreesItsStreamOnlyAfterTheEnd)
{
    ISound* const sound = MakeSound("Golpe", L"loop=\"2\"");
    Audio::Play(sound, Audio::sPlayState());
    Step();
    library.Take();
    GetResourceManager()->Unload(L"Golpe");
    EXPECT_EQ(nullptr, FindSound("Golpe"));
    EXPECT_EQ(Calls{}, library.Matching("StreamFree"));
    library.EndPass(100);
    Step();
    EXPECT_EQ(Calls{"ChannelPlay 100 1"}, library.Matching("ChannelPlay"));
    EXPECT_EQ(Calls{}, library.Matching("StreamFree"));
    library.EndPass(100);
    Step();
    EXPECT_EQ(0u, platform->GetChannelCount());
    EXPECT_EQ(Calls{"StreamFree 100"}, library.Matching("StreamFree"));
}

} // namespace
} // namespace AudioTesting
