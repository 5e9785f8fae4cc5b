// The audio platform over our real mixer, rendered offline: sound resources
// made from generated WAV and Ogg files are heard as their plays ask.

#include <gtest/gtest.h>

#include "CorvaneExtensions/Tests/Audio/AudioTestSupport.h"
#include "CorvaneExtensions/Tests/Audio/MixerTestSupport.h"

namespace AudioTesting
{
namespace
{

using namespace MixerTesting;

class MixerPlatformTest : public AudioFixture
{
protected:
    void SetUp() override
    {
        Mixer_SetConfig(MIXER_CONFIG_OFFLINE, 1);
        AudioFixture::SetUp();
        ASSERT_TRUE(IsBassAudioPlatformInitialized());
        // 0.2 s of tone at 44100 Hz: 8820 frames.
        ASSERT_TRUE(WriteTone(scratch.Join("resources/tono.wav"), kWav, 1, 0.2));
        ASSERT_TRUE(WriteTone(scratch.Join("resources/música.ogg"), kOgg, 2, 0.2));
        LoadManifest(L"<sound name=\"Tono\" src=\"tono\" type=\"effect\"/>"
                     L"<sound name=\"Musica\" src=\"música\" type=\"music\"/>");
        // Kinds play at half volume; these tests listen at full volume.
        Audio::GetControls(Audio::GetEffectKind())->SetVolume(1.0f);
        Audio::GetControls(Audio::GetMusicKind())->SetVolume(1.0f);
        platform->Activate(true);
    }
    void TearDown() override
    {
        AudioFixture::TearDown();
        Mixer_SetConfig(MIXER_CONFIG_OFFLINE, 0);
    }
    bool UseRecordingLibrary() const override { return false; }

    boost::intrusive_ptr<ISoundChannel> PlayHeld(char const* name, Audio::sPlayState const& state = Audio::sPlayState())
    {
        boost::intrusive_ptr<ISoundChannel> channel;
        Audio::Play(FindSound(name), &channel, state);
        return channel;
    }

    // Renders one main-loop step of output, then runs the platform's update.
    std::vector<float> Frame()
    {
        std::vector<float> heard = Render(882);
        Step();
        return heard;
    }

    // The steps until the channel no longer plays.
    int StepsUntilEnd(ISoundChannel* channel)
    {
        int steps = 0;
        while (channel->IsPlaying() && steps < 1000)
        {
            Frame();
            ++steps;
        }
        return steps;
    }
};

// --- normal case -----------------------------------------------------------

TEST_F(MixerPlatformTest, AGeneratedWavIsHeardOnBothSides)
{
    boost::intrusive_ptr<ISoundChannel> const channel = PlayHeld("Tono");
    ASSERT_NE(nullptr, channel);
    std::vector<float> const heard = Frame();
    EXPECT_NEAR(0.35, Rms(heard, 0), 0.03);
    EXPECT_NEAR(0.35, Rms(heard, 1), 0.03);
}

TEST_F(MixerPlatformTest, AGeneratedOggIsHeard)
{
    boost::intrusive_ptr<ISoundChannel> const channel = PlayHeld("Musica");
    ASSERT_NE(nullptr, channel);
    Frame();
    std::vector<float> const heard = Frame();
    EXPECT_GT(Rms(heard, 0), 0.2);
    EXPECT_GT(Rms(heard, 1), 0.2);
}

TEST_F(MixerPlatformTest, TheKindsVolumeIsHeard)
{
    Audio::GetControls(Audio::GetEffectKind())->SetVolume(0.5f);
    PlayHeld("Tono");
    EXPECT_NEAR(0.35 / 2, Rms(Frame(), 0), 0.02);
}

TEST_F(MixerPlatformTest, PanFullyLeftSilencesTheRightSide)
{
    Audio::sPlayState state;
    state.pan = -1.0f;
    PlayHeld("Tono", state);
    std::vector<float> const heard = Frame();
    EXPECT_GT(Rms(heard, 0), 0.3);
    EXPECT_EQ(0.0, Rms(heard, 1));
}

TEST_F(MixerPlatformTest, RateTwoHalvesTheLength)
{
    boost::intrusive_ptr<ISoundChannel> const natural = PlayHeld("Tono");
    int const naturalSteps = StepsUntilEnd(natural.get());
    EXPECT_NEAR(10, naturalSteps, 1);
    Audio::sPlayState state;
    state.rate = 2.0f;
    boost::intrusive_ptr<ISoundChannel> const doubled = PlayHeld("Tono", state);
    EXPECT_NEAR(naturalSteps / 2.0, StepsUntilEnd(doubled.get()), 1);
}

TEST_F(MixerPlatformTest, StoppingTheKindGivesSilence)
{
    boost::intrusive_ptr<ISoundChannel> const channel = PlayHeld("Tono");
    Frame();
    Audio::GetControls(Audio::GetEffectKind())->Stop();
    Step();
    EXPECT_FALSE(channel->IsPlaying());
    EXPECT_TRUE(IsSilent(Render(4410)));
}

TEST_F(MixerPlatformTest, DeactivatingFreezesChannelsWithoutEndingThem)
{
    boost::intrusive_ptr<ISoundChannel> const channel = PlayHeld("Tono");
    Frame();
    Frame();
    platform->Activate(false);
    for (int i = 0; i < 30; ++i)
        EXPECT_TRUE(IsSilent(Frame()));
    EXPECT_TRUE(channel->IsPlaying());
    platform->Activate(true);
    EXPECT_GT(Rms(Frame(), 0), 0.3);
    // What was left before the pause is heard, no more and no less.
    EXPECT_NEAR(7, StepsUntilEnd(channel.get()), 1);
}

TEST_F(MixerPlatformTest, PausedControlsResumeWhereTheyStopped)
{
    boost::intrusive_ptr<ISoundChannel> const channel = PlayHeld("Tono");
    Frame();
    channel->GetControls()->Pause();
    Step();
    EXPECT_TRUE(IsSilent(Frame()));
    EXPECT_TRUE(channel->IsPlaying());
    channel->GetControls()->Resume();
    Step();
    EXPECT_NEAR(9, StepsUntilEnd(channel.get()), 1);
}

TEST_F(MixerPlatformTest, APlayThatStartsPausedIsHeardOnceResumed)
{
    Audio::sPlayState state;
    state.paused = true;
    boost::intrusive_ptr<ISoundChannel> const channel = PlayHeld("Tono", state);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(IsSilent(Frame()));
    ASSERT_TRUE(channel->IsPlaying());
    channel->GetControls()->Resume();
    Step();
    EXPECT_GT(Rms(Frame(), 0), 0.3);
}

TEST_F(MixerPlatformTest, ThreeLoopsLastThreeTimesAsLong)
{
    LoadManifest(L"<sound name=\"Tres\" src=\"tono\" loop=\"3\"/>", L"Bucles");
    Audio::GetControls(Audio::GetEffectKind())->SetVolume(1.0f);
    boost::intrusive_ptr<ISoundChannel> const channel = PlayHeld("Tres");
    EXPECT_NEAR(30, StepsUntilEnd(channel.get()), 3);
}

// --- failure leaves state unchanged ----------------------------------------

TEST_F(MixerPlatformTest, UnloadingASoundWhileItPlaysLetsItPlayToTheEnd)
{
    boost::intrusive_ptr<ISoundChannel> const channel = PlayHeld("Tono");
    Frame();
    GetResourceManager()->Unload(L"Sonidos");
    ASSERT_EQ(nullptr, FindSound("Tono"));
    EXPECT_GT(Rms(Frame(), 0), 0.3);
    EXPECT_NEAR(8, StepsUntilEnd(channel.get()), 1);
}

} // namespace
} // namespace AudioTesting
