// The play operation: the repeat window, the play state's overrides, the
// controls each play gets, and the forms without a platform or a sound.

#include <gtest/gtest.h>

#include "CorvaneExtensions/AudioPlatform/BASS/AudioControls.h"
#include "CorvaneExtensions/Tests/Audio/AudioTestSupport.h"

namespace AudioTesting
{
namespace
{

typedef std::vector<std::string> Calls;

// A sound that lives outside the resource manager.
class LooseSound : public ISound
{
public:
    Label GetKind() const override { return Audio::GetEffectKind(); }
    float GetDefaultVolume() const override { return 1.0f; }
    float GetDefaultRate() const override { return 1.0f; }
    float GetDefaultPan() const override { return 0.0f; }
    int GetDefaultLoopCount() const override { return 1; }
    boost::intrusive_ptr<IReferenced> GetSoundData() const override { return nullptr; }
};

class AudioFacadeTest : public AudioFixture
{
protected:
    Internal::BaseAudioControls* ControlsOf(ISoundChannel* channel)
    {
        return static_cast<Internal::BaseAudioControls*>(channel->GetControls().get());
    }
};

// --- normal case -----------------------------------------------------------

TEST_F(AudioFacadeTest, TheSameSoundWithin20msPlaysOnce)
{
    ISound* const sound = MakeSound("Golpe", L"loop=\"forever\"");
    boost::intrusive_ptr<ISoundChannel> first, second, third;
    Audio::Play(sound, &first, Audio::sPlayState());
    clock.AdvanceMS(20);
    Audio::Play(sound, &second, Audio::sPlayState());
    EXPECT_NE(nullptr, first);
    EXPECT_EQ(nullptr, second);
    clock.AdvanceMS(1);
    Audio::Play(sound, &third, Audio::sPlayState());
    EXPECT_NE(nullptr, third);
    EXPECT_NE(first, third);
}

TEST_F(AudioFacadeTest, ASoundWhoseChannelStoppedPlaysAgainAtOnce)
{
    ISound* const sound = MakeSound("Golpe");
    boost::intrusive_ptr<ISoundChannel> first, second;
    Audio::Play(sound, &first, Audio::sPlayState());
    first->Stop();
    Audio::Play(sound, &second, Audio::sPlayState());
    EXPECT_NE(nullptr, second);
}

TEST_F(AudioFacadeTest, DifferentSoundsDoNotBlockEachOther)
{
    ISound* const one = MakeSound("Uno");
    ISound* const two = MakeSound("Dos");
    boost::intrusive_ptr<ISoundChannel> a, b;
    Audio::Play(one, &a, Audio::sPlayState());
    Audio::Play(two, &b, Audio::sPlayState());
    EXPECT_NE(nullptr, a);
    EXPECT_NE(nullptr, b);
}

TEST_F(AudioFacadeTest, ADefaultStatePlaysWithTheResourceDefaultsUnderItsKind)
{
    ISound* const sound = MakeSound("Viento", L"type=\"ambient\" volume=\"0.8\" rate=\"1.5\" pan=\"0.25\" loop=\"2\"");
    boost::intrusive_ptr<ISoundChannel> channel;
    Audio::Play(sound, &channel, Audio::sPlayState());
    ASSERT_NE(nullptr, channel);
    Internal::BaseAudioControls* const controls = ControlsOf(channel.get());
    EXPECT_EQ(platform->GetControls(Audio::GetAmbientKind()).get(), controls->GetParent());
    EXPECT_FLOAT_EQ(0.8f, controls->GetOwnVolume());
    EXPECT_FLOAT_EQ(1.5f, controls->GetOwnRate());
    EXPECT_FLOAT_EQ(0.25f, controls->GetOwnPan());
    EXPECT_FALSE(controls->IsPaused());
    EXPECT_FALSE(controls->IsMuted());
    EXPECT_EQ(2, static_cast<BASSSoundChannel*>(channel.get())->GetLoopsRemaining());
    EXPECT_EQ(Calls{"ChannelSetAttributes 100 66150 40 25"}, library.Matching("ChannelSetAttributes"));
}

TEST_F(AudioFacadeTest, EveryPlayGetsControlsOfItsOwn)
{
    ISound* const one = MakeSound("Uno");
    ISound* const two = MakeSound("Dos");
    boost::intrusive_ptr<ISoundChannel> a, b;
    Audio::Play(one, &a, Audio::sPlayState());
    Audio::Play(two, &b, Audio::sPlayState());
    EXPECT_NE(a->GetControls(), b->GetControls());
    a->GetControls()->Pause();
    EXPECT_FALSE(b->GetControls()->IsPaused());
}

TEST_F(AudioFacadeTest, FadesInTheStateStartFromTheStartValues)
{
    ISound* const sound = MakeSound("Musica", L"type=\"music\"");
    Audio::sPlayState state;
    state.volume = 0.0f;
    state.volumeTarget = 1.0f;
    state.volumeTime = 1.0f;
    state.pan = -1.0f;
    state.panTarget = 1.0f;
    state.panTime = 2.0f;
    state.muted = true;
    state.paused = true;
    boost::intrusive_ptr<ISoundChannel> channel;
    Audio::Play(sound, &channel, state);
    Internal::BaseAudioControls* const controls = ControlsOf(channel.get());
    EXPECT_EQ(0.0f, controls->GetOwnVolume());
    EXPECT_TRUE(controls->IsVolumeAnimating());
    EXPECT_FLOAT_EQ(-1.0f, controls->GetOwnPan());
    EXPECT_TRUE(controls->IsPanAnimating());
    EXPECT_FALSE(controls->IsRateAnimating());
    EXPECT_TRUE(controls->IsMuted());
    EXPECT_TRUE(controls->IsPaused());
}

TEST_F(AudioFacadeTest, AParentInTheStateReplacesTheKind)
{
    ISound* const sound = MakeSound("Golpe");
    Audio::sPlayState state;
    state.parentControls = Audio::CreateControls(nullptr);
    boost::intrusive_ptr<ISoundChannel> channel;
    Audio::Play(sound, &channel, state);
    EXPECT_EQ(state.parentControls.get(), ControlsOf(channel.get())->GetParent());
    Audio::GetControls(Audio::GetEffectKind())->SetVolume(0.0f);
    EXPECT_FLOAT_EQ(1.0f, channel->GetControls()->GetVolume());
}

TEST_F(AudioFacadeTest, CopyingAStateSharesItsParentControls)
{
    Audio::sPlayState state;
    state.parentControls = Audio::CreateControls(nullptr);
    auto* const controls = static_cast<Internal::BaseAudioControls*>(state.parentControls.get());
    int const before = controls->GetReferenceCount();
    {
        Audio::sPlayState const copy = state;
        EXPECT_EQ(before + 1, controls->GetReferenceCount());
        EXPECT_EQ(state.parentControls, copy.parentControls);
    }
    EXPECT_EQ(before, controls->GetReferenceCount());
}

TEST_F(AudioFacadeTest, TheCallerOwnsOneReferenceOfTheReturnedChannel)
{
    ISound* const sound = MakeSound("Golpe");
    ISoundChannel* raw = nullptr;
    Audio::Play(sound, &raw, Audio::sPlayState());
    ASSERT_NE(nullptr, raw);
    EXPECT_EQ(2, static_cast<BASSSoundChannel*>(raw)->GetReferenceCount());
    raw->Release();
    boost::intrusive_ptr<ISoundChannel> counted;
    clock.AdvanceMS(50);
    Audio::Play(sound, &counted, Audio::sPlayState());
    EXPECT_EQ(2, static_cast<BASSSoundChannel*>(counted.get())->GetReferenceCount());
}

TEST_F(AudioFacadeTest, APlayByLabelFindsTheSoundResource)
{
    MakeSound("Campana");
    ISoundChannel* raw = nullptr;
    Audio::Play(L8("campana"), &raw, Audio::sPlayState());
    ASSERT_NE(nullptr, raw);
    EXPECT_EQ(FindSound("Campana"), raw->GetSound());
    raw->Release();
}

// --- invalid input ---------------------------------------------------------

TEST_F(AudioFacadeTest, UnsetValuesFallBackToTheSoundsDefaults)
{
    ISound* const sound = MakeSound("Golpe", L"volume=\"0.6\" rate=\"1.25\" pan=\"0.5\" loop=\"4\"");
    struct Case
    {
        float volume, rate, pan;
        int loops;
        float expectedVolume, expectedRate, expectedPan;
        int expectedLoops;
    };
    Case const cases[] = {
        {-0.5f, 0.0f, -1.5f, -1, 0.6f, 1.25f, 0.5f, 4},
        {0.0f, 2.0f, -1.0f, 0, 0.0f, 2.0f, -1.0f, 0},
        {0.3f, -1.0f, 1.0f, 2, 0.3f, 1.25f, 1.0f, 2},
    };
    for (Case const& c : cases)
    {
        clock.AdvanceMS(100);
        Audio::sPlayState state;
        state.volume = c.volume;
        state.rate = c.rate;
        state.pan = c.pan;
        state.loopCount = c.loops;
        boost::intrusive_ptr<ISoundChannel> channel;
        Audio::Play(sound, &channel, state);
        ASSERT_NE(nullptr, channel);
        Internal::BaseAudioControls* const controls = ControlsOf(channel.get());
        EXPECT_FLOAT_EQ(c.expectedVolume, controls->GetOwnVolume());
        EXPECT_FLOAT_EQ(c.expectedRate, controls->GetOwnRate());
        EXPECT_FLOAT_EQ(c.expectedPan, controls->GetOwnPan());
        EXPECT_EQ(c.expectedLoops, static_cast<BASSSoundChannel*>(channel.get())->GetLoopsRemaining());
        channel->Stop();
    }
}

TEST_F(AudioFacadeTest, AZeroVolumeIsSentAsSilence)
{
    ISound* const sound = MakeSound("Golpe");
    Audio::sPlayState state;
    state.volume = 0.0f;
    Audio::Play(sound, state);
    EXPECT_EQ(Calls{"ChannelSetAttributes 100 44100 0 0"}, library.Matching("ChannelSetAttributes"));
}

TEST_F(AudioFacadeTest, APlayOfNothingDoesNothing)
{
    LogCapture log;
    ISoundChannel* raw = reinterpret_cast<ISoundChannel*>(&log);
    Audio::Play(static_cast<ISound const*>(nullptr), &raw, Audio::sPlayState());
    EXPECT_EQ(nullptr, raw);
    raw = reinterpret_cast<ISoundChannel*>(&log);
    Audio::Play(L8("No Existe"), &raw, Audio::sPlayState());
    EXPECT_EQ(nullptr, raw);
    Audio::Play(Label(), &raw, Audio::sPlayState());
    EXPECT_EQ(nullptr, raw);
    EXPECT_EQ(0u, platform->GetChannelCount());
    EXPECT_EQ(Calls{}, library.Take());
    EXPECT_EQ("", log.Take());
}

// --- failure leaves state unchanged ----------------------------------------

TEST_F(AudioFacadeTest, WithoutAPlatformEveryLookUpIsNullAndPlaysNothing)
{
    platform->Cleanup();
    Internal::DeleteAllSingletons();
    platform = nullptr;
    ASSERT_FALSE(IsAudioPlatformRegistered());
    EXPECT_EQ(nullptr, Audio::GetMasterControls());
    EXPECT_EQ(nullptr, Audio::GetControls(Audio::GetEffectKind()));
    EXPECT_EQ(nullptr, Audio::CreateControls(nullptr));
    LooseSound const sound;
    boost::intrusive_ptr<ISoundChannel> channel;
    Audio::Play(&sound, &channel, Audio::sPlayState());
    EXPECT_EQ(nullptr, channel);
    Audio::LoadAccountSettings();
    Audio::SaveAccountSettings();
}

TEST_F(AudioFacadeTest, TheOutPointersOldChannelIsNotReleased)
{
    ISound* const sound = MakeSound("Golpe");
    ISoundChannel* kept = nullptr;
    Audio::Play(sound, &kept, Audio::sPlayState());
    ASSERT_NE(nullptr, kept);
    ISoundChannel* out = kept;
    clock.AdvanceMS(5);
    // A refused play writes null and leaves the caller's reference alone.
    Audio::Play(sound, &out, Audio::sPlayState());
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(2, static_cast<BASSSoundChannel*>(kept)->GetReferenceCount());
    kept->Release();
}

} // namespace
} // namespace AudioTesting
