// Our mixer, rendered offline: what would be heard for streams, samples and
// music, with their frequency, volume and pan; pause and stop; and its errors.

#include <atomic>
#include <cstdlib>
#include <thread>

#include <gtest/gtest.h>

#include "CorvaneExtensions/Tests/Audio/MixerTestSupport.h"

namespace MixerTesting
{
namespace
{

class MixerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Mixer_SetConfig(MIXER_CONFIG_OFFLINE, 1));
        ASSERT_TRUE(Mixer_Init(-1, kRate, 0, nullptr, nullptr));
        wav = MakeTone(kWav, 1, 0.2);
        ASSERT_FALSE(wav.empty());
    }
    void TearDown() override
    {
        Mixer_Free();
        Mixer_SetConfig(MIXER_CONFIG_OFFLINE, 0);
    }

    MixerHandle Stream(std::vector<unsigned char> const& bytes)
    {
        return Mixer_StreamCreateFile(true, bytes.data(), 0, bytes.size(), 0);
    }

    std::vector<unsigned char> wav;
};

// --- normal case -----------------------------------------------------------

TEST_F(MixerTest, AMonoWavStreamIsHeardOnBothSides)
{
    MixerHandle const stream = Stream(wav);
    ASSERT_NE(0u, stream);
    EXPECT_TRUE(IsSilent(Render(1024)));
    ASSERT_TRUE(Mixer_ChannelPlay(stream, true));
    EXPECT_EQ(static_cast<uint32_t>(MIXER_ACTIVE_PLAYING), Mixer_ChannelIsActive(stream));
    std::vector<float> const heard = Render(4410);
    // A sine of amplitude 0.5 has an RMS of about 0.35.
    EXPECT_NEAR(0.35, Rms(heard, 0), 0.03);
    EXPECT_NEAR(Rms(heard, 0), Rms(heard, 1), 1e-6);
}

TEST_F(MixerTest, AnOggStreamIsHeard)
{
    std::vector<unsigned char> const ogg = MakeTone(kOgg, 2, 0.3);
    ASSERT_FALSE(ogg.empty());
    MixerHandle const stream = Stream(ogg);
    ASSERT_NE(0u, stream);
    uint32_t rate = 0;
    EXPECT_TRUE(Mixer_ChannelGetAttributes(stream, &rate, nullptr, nullptr));
    EXPECT_EQ(static_cast<uint32_t>(kRate), rate);
    Mixer_ChannelPlay(stream, true);
    std::vector<float> const heard = Render(4410);
    EXPECT_GT(Rms(heard, 0), 0.2);
    EXPECT_GT(Rms(heard, 1), 0.2);
}

TEST_F(MixerTest, PanningFullyLeftSilencesTheRightSide)
{
    MixerHandle const stream = Stream(wav);
    ASSERT_TRUE(Mixer_ChannelSetAttributes(stream, 0, 100, -100));
    Mixer_ChannelPlay(stream, true);
    std::vector<float> const heard = Render(4410);
    EXPECT_GT(Rms(heard, 0), 0.3);
    EXPECT_EQ(0.0, Rms(heard, 1));
}

TEST_F(MixerTest, VolumeScalesTheOutput)
{
    MixerHandle const stream = Stream(wav);
    ASSERT_TRUE(Mixer_ChannelSetAttributes(stream, 0, 25, 0));
    Mixer_ChannelPlay(stream, true);
    EXPECT_NEAR(0.35 * 0.25, Rms(Render(4410), 0), 0.01);
}

TEST_F(MixerTest, DoubleTheFrequencyHalvesTheLength)
{
    MixerHandle const stream = Stream(wav);
    Mixer_ChannelPlay(stream, true);
    uint32_t const natural = FramesUntilEnd(stream);
    EXPECT_NEAR(8820.0, natural, 256.0);
    ASSERT_TRUE(Mixer_ChannelSetAttributes(stream, 2 * kRate, 100, 0));
    Mixer_ChannelPlay(stream, true);
    uint32_t const doubled = FramesUntilEnd(stream);
    EXPECT_NEAR(natural / 2.0, doubled, 256.0);
    // The natural rate stays what the sound was made at.
    uint32_t rate = 0;
    Mixer_ChannelGetAttributes(stream, &rate, nullptr, nullptr);
    EXPECT_EQ(static_cast<uint32_t>(kRate), rate);
}

TEST_F(MixerTest, StoppingGivesSilenceAndAPlayWithoutRestartGoesOn)
{
    MixerHandle const stream = Stream(wav);
    Mixer_ChannelPlay(stream, true);
    Render(2000);
    ASSERT_TRUE(Mixer_ChannelStop(stream));
    EXPECT_EQ(static_cast<uint32_t>(MIXER_ACTIVE_STOPPED), Mixer_ChannelIsActive(stream));
    EXPECT_TRUE(IsSilent(Render(4410)));
    Mixer_ChannelPlay(stream, false);
    EXPECT_NEAR(8820.0 - 2000.0, FramesUntilEnd(stream), 256.0);
    // At its end it stays there until restarted.
    Mixer_ChannelPlay(stream, false);
    Render(256);
    EXPECT_EQ(static_cast<uint32_t>(MIXER_ACTIVE_STOPPED), Mixer_ChannelIsActive(stream));
}

TEST_F(MixerTest, AGlobalPauseFreezesChannelsWithoutEndingThem)
{
    MixerHandle const stream = Stream(wav);
    Mixer_ChannelPlay(stream, true);
    Render(2000);
    ASSERT_TRUE(Mixer_Pause());
    EXPECT_TRUE(IsSilent(Render(20000)));
    EXPECT_EQ(static_cast<uint32_t>(MIXER_ACTIVE_PLAYING), Mixer_ChannelIsActive(stream));
    ASSERT_TRUE(Mixer_Start());
    EXPECT_GT(Rms(Render(512), 0), 0.3);
    EXPECT_NEAR(8820.0 - 2000.0 - 512.0, FramesUntilEnd(stream), 256.0);
}

TEST_F(MixerTest, APausedChannelHoldsItsPlace)
{
    MixerHandle const stream = Stream(wav);
    Mixer_ChannelPlay(stream, true);
    Render(2000);
    ASSERT_TRUE(Mixer_ChannelPause(stream));
    EXPECT_EQ(static_cast<uint32_t>(MIXER_ACTIVE_PAUSED), Mixer_ChannelIsActive(stream));
    EXPECT_TRUE(IsSilent(Render(4410)));
    Mixer_ChannelPlay(stream, false);
    EXPECT_NEAR(8820.0 - 2000.0, FramesUntilEnd(stream), 256.0);
}

TEST_F(MixerTest, TwoStreamsMix)
{
    MixerHandle const left = Stream(wav);
    MixerHandle const right = Stream(wav);
    Mixer_ChannelSetAttributes(left, 0, 100, -100);
    Mixer_ChannelSetAttributes(right, 0, 50, 100);
    Mixer_ChannelPlay(left, true);
    Mixer_ChannelPlay(right, true);
    std::vector<float> const heard = Render(4410);
    EXPECT_NEAR(0.35, Rms(heard, 0), 0.03);
    EXPECT_NEAR(0.35 / 2, Rms(heard, 1), 0.02);
}

TEST_F(MixerTest, SampleChannelsShareOneDecodedSound)
{
    MixerHandle const sample = Mixer_SampleLoad(true, wav.data(), 0, static_cast<uint32_t>(wav.size()), 2, 0);
    ASSERT_NE(0u, sample);
    MixerHandle const a = Mixer_SampleGetChannel(sample, false);
    MixerHandle const b = Mixer_SampleGetChannel(sample, false);
    ASSERT_NE(0u, a);
    ASSERT_NE(0u, b);
    EXPECT_NE(a, b);
    Mixer_ChannelPlay(a, true);
    Mixer_ChannelPlay(b, true);
    EXPECT_NEAR(0.7, Rms(Render(2205), 0), 0.06);
    // Both busy and no take-over: no third channel.
    EXPECT_EQ(0u, Mixer_SampleGetChannel(sample, false));
    EXPECT_EQ(MIXER_ERROR_NOCHAN, Mixer_ErrorGetCode());
    // A stopped one is reused under a new handle.
    Mixer_ChannelStop(a);
    MixerHandle const c = Mixer_SampleGetChannel(sample, false);
    EXPECT_NE(0u, c);
    EXPECT_FALSE(Mixer_ChannelPlay(a, true));
    EXPECT_EQ(MIXER_ERROR_HANDLE, Mixer_ErrorGetCode());
}

TEST_F(MixerTest, ASampleThatMayTakeOverReplacesItsLongestPlayingChannel)
{
    MixerHandle const sample =
        Mixer_SampleLoad(true, wav.data(), 0, static_cast<uint32_t>(wav.size()), 1, MIXER_SAMPLE_OVERPOS);
    MixerHandle const first = Mixer_SampleGetChannel(sample, false);
    Mixer_ChannelPlay(first, true);
    EXPECT_EQ(0u, Mixer_SampleGetChannel(sample, true));
    MixerHandle const second = Mixer_SampleGetChannel(sample, false);
    EXPECT_NE(0u, second);
    EXPECT_EQ(static_cast<uint32_t>(MIXER_ACTIVE_STOPPED), Mixer_ChannelIsActive(first));
    EXPECT_EQ(MIXER_ERROR_HANDLE, Mixer_ErrorGetCode());
    ASSERT_TRUE(Mixer_SampleFree(sample));
    EXPECT_FALSE(Mixer_ChannelPlay(second, true));
    EXPECT_EQ(MIXER_ERROR_HANDLE, Mixer_ErrorGetCode());
}

TEST_F(MixerTest, TrackerMusicIsHeard)
{
    std::vector<unsigned char> const module = MakeModule();
    MixerHandle const music = Mixer_MusicLoad(true, module.data(), 0, static_cast<uint32_t>(module.size()), 0, 0);
    ASSERT_NE(0u, music) << Mixer_ErrorGetCode();
    uint32_t rate = 0;
    Mixer_ChannelGetAttributes(music, &rate, nullptr, nullptr);
    EXPECT_EQ(static_cast<uint32_t>(kRate), rate);
    Mixer_ChannelPlay(music, true);
    EXPECT_GT(Rms(Render(4410), 0), 0.01);
    EXPECT_TRUE(Mixer_MusicFree(music));
}

TEST_F(MixerTest, AStreamCanBeOpenedFromAPath)
{
    char path[] = "/tmp/corvane-path-XXXXXX";
    int const descriptor = mkstemp(path);
    ASSERT_GE(descriptor, 0);
    close(descriptor);
    ASSERT_TRUE(WriteTone(path, kWav, 1, 0.1));
    MixerHandle const stream = Mixer_StreamCreateFile(false, path, 0, 0, 0);
    unlink(path);
    ASSERT_NE(0u, stream);
    Mixer_ChannelPlay(stream, true);
    EXPECT_GT(Rms(Render(2000), 0), 0.3);
}

// --- invalid input ---------------------------------------------------------

TEST_F(MixerTest, UnknownFreedAndMismatchedHandlesFail)
{
    EXPECT_FALSE(Mixer_ChannelPlay(12345, true));
    EXPECT_EQ(MIXER_ERROR_HANDLE, Mixer_ErrorGetCode());
    EXPECT_FALSE(Mixer_ChannelPlay(0, true));
    EXPECT_EQ(MIXER_ERROR_HANDLE, Mixer_ErrorGetCode());
    MixerHandle const stream = Stream(wav);
    EXPECT_FALSE(Mixer_MusicFree(stream));
    EXPECT_EQ(MIXER_ERROR_HANDLE, Mixer_ErrorGetCode());
    EXPECT_FALSE(Mixer_SampleFree(stream));
    EXPECT_TRUE(Mixer_StreamFree(stream));
    EXPECT_EQ(MIXER_OK, Mixer_ErrorGetCode());
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        EXPECT_FALSE(Mixer_StreamFree(stream));
        EXPECT_FALSE(Mixer_ChannelStop(stream));
        EXPECT_FALSE(Mixer_ChannelPause(stream));
        EXPECT_FALSE(Mixer_ChannelSetAttributes(stream, 0, 100, 0));
        EXPECT_FALSE(Mixer_ChannelGetAttributes(stream, nullptr, nullptr, nullptr));
        EXPECT_EQ(static_cast<uint32_t>(MIXER_ACTIVE_STOPPED), Mixer_ChannelIsActive(stream));
        EXPECT_EQ(MIXER_ERROR_HANDLE, Mixer_ErrorGetCode());
    }
}

TEST_F(MixerTest, BytesThatAreNoSoundFailToLoad)
{
    std::vector<unsigned char> const junk(3000, 0x5A);
    EXPECT_EQ(0u, Mixer_StreamCreateFile(true, junk.data(), 0, junk.size(), 0));
    EXPECT_EQ(MIXER_ERROR_FILEFORM, Mixer_ErrorGetCode());
    EXPECT_EQ(0u, Mixer_SampleLoad(true, junk.data(), 0, static_cast<uint32_t>(junk.size()), 4, 0));
    EXPECT_EQ(MIXER_ERROR_FILEFORM, Mixer_ErrorGetCode());
    EXPECT_EQ(0u, Mixer_MusicLoad(true, junk.data(), 0, static_cast<uint32_t>(junk.size()), 0, 0));
    EXPECT_EQ(MIXER_ERROR_FILEFORM, Mixer_ErrorGetCode());
    EXPECT_EQ(0u, Mixer_StreamCreateFile(true, nullptr, 0, 10, 0));
    EXPECT_EQ(MIXER_ERROR_FILEOPEN, Mixer_ErrorGetCode());
    EXPECT_EQ(0u, Mixer_StreamCreateFile(false, "/no/such/file.wav", 0, 0, 0));
    EXPECT_EQ(MIXER_ERROR_FILEOPEN, Mixer_ErrorGetCode());
    // A truncated file: its header promises more than there is.
    std::vector<unsigned char> const cut(wav.begin(), wav.begin() + 30);
    EXPECT_EQ(0u, Mixer_StreamCreateFile(true, cut.data(), 0, cut.size(), 0));
}

TEST_F(MixerTest, AttributesOutOfRangeChangeNothing)
{
    MixerHandle const stream = Stream(wav);
    ASSERT_TRUE(Mixer_ChannelSetAttributes(stream, 22050, 40, 10));
    int32_t const bad[][3] = {{22050, 101, 0}, {22050, -1, 0}, {22050, 40, 101}, {22050, 40, -101}, {50, 40, 10},
                              {MIXER_FREQ_MAX + 1, 40, 10}, {-1, 40, 10}};
    for (auto const& values : bad)
    {
        EXPECT_FALSE(Mixer_ChannelSetAttributes(stream, values[0], values[1], values[2]));
        EXPECT_EQ(MIXER_ERROR_ILLPARAM, Mixer_ErrorGetCode());
    }
    uint32_t volume = 0;
    int32_t pan = 0;
    Mixer_ChannelGetAttributes(stream, nullptr, &volume, &pan);
    EXPECT_EQ(40u, volume);
    EXPECT_EQ(10, pan);
}

TEST_F(MixerTest, PausingAChannelThatIsNotPlayingFails)
{
    MixerHandle const stream = Stream(wav);
    EXPECT_FALSE(Mixer_ChannelPause(stream));
    EXPECT_EQ(MIXER_ERROR_NOPLAY, Mixer_ErrorGetCode());
}

// --- failure leaves state unchanged ----------------------------------------

TEST_F(MixerTest, FreeingTakesEveryHandleWithIt)
{
    MixerHandle const stream = Stream(wav);
    Mixer_ChannelPlay(stream, true);
    ASSERT_TRUE(Mixer_Free());
    EXPECT_FALSE(Mixer_ChannelPlay(stream, true));
    EXPECT_EQ(MIXER_ERROR_INIT, Mixer_ErrorGetCode());
    EXPECT_EQ(0u, Mixer_Render(Render(1).data(), 1));
    EXPECT_FALSE(Mixer_Free());
    EXPECT_EQ(MIXER_ERROR_INIT, Mixer_ErrorGetCode());
    // Handles are never handed out again after a new start.
    ASSERT_TRUE(Mixer_Init(-1, kRate, 0, nullptr, nullptr));
    MixerHandle const again = Stream(wav);
    EXPECT_NE(stream, again);
    EXPECT_FALSE(Mixer_ChannelPlay(stream, true));
}

TEST_F(MixerTest, ASecondInitFailsAndKeepsTheFirst)
{
    MixerHandle const stream = Stream(wav);
    EXPECT_FALSE(Mixer_Init(-1, kRate, 0, nullptr, nullptr));
    EXPECT_EQ(MIXER_ERROR_ALREADY, Mixer_ErrorGetCode());
    EXPECT_TRUE(Mixer_ChannelPlay(stream, true));
}

TEST_F(MixerTest, ErrorCodesBelongToTheirThread)
{
    EXPECT_FALSE(Mixer_ChannelPlay(777, true));
    int seen = -1;
    std::thread other([&] {
        Mixer_ChannelIsActive(Stream(wav));
        seen = Mixer_ErrorGetCode();
    });
    other.join();
    EXPECT_EQ(MIXER_OK, seen);
    EXPECT_EQ(MIXER_ERROR_HANDLE, Mixer_ErrorGetCode());
}

TEST_F(MixerTest, LoadingOnAnotherThreadWhileMixingIsSafe)
{
    MixerHandle const playing = Stream(wav);
    Mixer_ChannelSetAttributes(playing, 0, 100, 0);
    std::atomic<bool> done(false);
    std::thread loader([&] {
        for (int i = 0; i < 20; ++i)
        {
            MixerHandle const stream = Stream(wav);
            Mixer_ChannelPlay(stream, true);
            Mixer_StreamFree(stream);
        }
        done = true;
    });
    while (!done)
    {
        Mixer_ChannelPlay(playing, true);
        Render(256);
    }
    loader.join();
    EXPECT_TRUE(Mixer_StreamFree(playing));
}

TEST(MixerWithoutInitTest, EveryCallFailsUntilInit)
{
    EXPECT_FALSE(Mixer_Start());
    EXPECT_EQ(MIXER_ERROR_INIT, Mixer_ErrorGetCode());
    EXPECT_FALSE(Mixer_Pause());
    EXPECT_FALSE(Mixer_Free());
    EXPECT_EQ(0u, Mixer_StreamCreateFile(true, "x", 0, 1, 0));
    EXPECT_EQ(MIXER_ERROR_INIT, Mixer_ErrorGetCode());
    EXPECT_EQ(0u, Mixer_MusicLoad(true, "x", 0, 1, 0, 0));
    EXPECT_EQ(0u, Mixer_SampleLoad(true, "x", 0, 1, 1, 0));
    EXPECT_FALSE(Mixer_ChannelPlay(1, true));
    EXPECT_EQ(MIXER_ERROR_INIT, Mixer_ErrorGetCode());
    float buffer[2];
    EXPECT_EQ(0u, Mixer_Render(buffer, 1));
    EXPECT_FALSE(Mixer_SetConfig(99, 1));
    EXPECT_EQ(MIXER_ERROR_ILLPARAM, Mixer_ErrorGetCode());
}

// The SDL dummy driver stands in for a sound card, so no test ever opens a real device.
class MixerDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

TEST_F(MixerDeviceTest, TheDefaultDeviceOpensAndCloses)
{
    ASSERT_TRUE(Mixer_Init(-1, kRate, 0, nullptr, nullptr)) << Mixer_ErrorGetCode();
    // Offline rendering is only for a mixer without a device.
    float buffer[2];
    EXPECT_EQ(0u, Mixer_Render(buffer, 1));
    EXPECT_EQ(MIXER_ERROR_NOTAVAIL, Mixer_ErrorGetCode());
    std::vector<unsigned char> const wav = MakeTone(kWav, 1, 0.05);
    MixerHandle const stream = Mixer_StreamCreateFile(true, wav.data(), 0, wav.size(), 0);
    EXPECT_TRUE(Mixer_ChannelPlay(stream, true));
    EXPECT_TRUE(Mixer_Pause());
    EXPECT_TRUE(Mixer_Start());
    EXPECT_TRUE(Mixer_Free());
}

TEST_F(MixerDeviceTest, DevicesThatDoNotExistFail)
{
    EXPECT_FALSE(Mixer_Init(0, kRate, 0, nullptr, nullptr));
    EXPECT_EQ(MIXER_ERROR_DEVICE, Mixer_ErrorGetCode());
    EXPECT_FALSE(Mixer_Init(999, kRate, 0, nullptr, nullptr));
    EXPECT_EQ(MIXER_ERROR_DEVICE, Mixer_ErrorGetCode());
    EXPECT_EQ(nullptr, Mixer_GetDeviceDescription(999));
    EXPECT_EQ(nullptr, Mixer_GetDeviceDescription(0));
    EXPECT_FALSE(Mixer_Init(-1, 0, 0, nullptr, nullptr));
}

} // namespace
} // namespace MixerTesting
