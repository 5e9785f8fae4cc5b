// The audio platform over a recording library: opening the device with its
// fallback, activation, clean-up, the kind controls and the error test.

#include <gtest/gtest.h>

#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"
#include "CorvaneExtensions/Tests/Audio/AudioTestSupport.h"

namespace AudioTesting
{
namespace
{

typedef std::vector<std::string> Calls;

// A platform made but not yet set up.
class BASSPlatformSetupTest : public AudioFixture
{
protected:
    bool SetUpPlatform() const override { return false; }
};

typedef AudioFixture BASSPlatformTest;

// --- normal case -----------------------------------------------------------

TEST_F(BASSPlatformSetupTest, SetupOpensTheDefaultDeviceAndStartsPaused)
{
    LogCapture log;
    platform->Setup();
    EXPECT_EQ((Calls{"Init -1 44100 0", "Pause"}), library.Take());
    EXPECT_EQ("", log.Take());
    EXPECT_TRUE(IsBassAudioPlatformInitialized());
    EXPECT_FALSE(platform->IsActive());
    EXPECT_EQ(platform, GetAudioPlatform());
    EXPECT_EQ(L8("BASS 2.3 Audio"), platform->GetName());
}

TEST_F(BASSPlatformSetupTest, SetupRegistersTheThreeSoundFactories)
{
    platform->Setup();
    WriteResource("golpe.wav");
    LoadManifest(L"<sound name=\"Golpe\" src=\"golpe\"/>"
                 L"<randomsound name=\"Pasos\"><sound src=\"golpe\"/></randomsound>"
                 L"<soundlist name=\"Botones\"><sound event=\"Down\" src=\"Golpe\"/></soundlist>");
    EXPECT_NE(nullptr, FindSound("Golpe"));
    EXPECT_NE(nullptr, FindSound("Pasos"));
    AutoResource<SoundList> const list("Botones");
    ASSERT_TRUE(list);
    EXPECT_EQ(FindSound("Golpe"), list->GetSound(L8("Down")));
}

TEST_F(BASSPlatformSetupTest, ADeviceFallbackTriesTheNumberedDevicesInTurn)
{
    library.initResults[-1] = false;
    library.initResults[1] = false;
    library.devices = {"Altavoces", "Auriculares"};
    LogCapture log;
    platform->Setup();
    EXPECT_EQ((Calls{"Init -1 44100 0", "GetDeviceDescription 1", "GetDeviceDescription 2", "GetDeviceDescription 3",
                     "Init 1 44100 0", "Init 2 44100 0", "Pause"}),
              library.Take());
    EXPECT_EQ("BASS Initialization failed on default device\nBASS Initialization failed on device 1\n", log.Take());
    EXPECT_TRUE(IsBassAudioPlatformInitialized());
}

TEST_F(BASSPlatformTest, ActivateSwitchesOutputOnlyOnAChange)
{
    platform->Activate(true);
    platform->Activate(true);
    platform->Activate(false);
    platform->Activate(false);
    EXPECT_EQ((Calls{"Start", "Pause"}), library.Take());
}

TEST_F(BASSPlatformTest, CleanupFreesTheLibraryOnce)
{
    platform->Cleanup();
    platform->Cleanup();
    EXPECT_EQ((Calls{"Free"}), library.Take());
    EXPECT_FALSE(IsBassAudioPlatformInitialized());
    EXPECT_EQ(nullptr, platform->GetMasterControls());
}

TEST_F(BASSPlatformTest, KindControlsSitUnderTheMasterAtHalfVolume)
{
    for (Label kind : {Audio::GetEffectKind(), Audio::GetMusicKind(), Audio::GetAmbientKind(), L8("Voz")})
    {
        auto const controls = platform->GetControls(kind);
        ASSERT_NE(nullptr, controls);
        auto const* base = static_cast<Internal::BaseAudioControls*>(controls.get());
        EXPECT_EQ(platform->GetMasterControls().get(), base->GetParent());
        EXPECT_FLOAT_EQ(0.5f, base->GetOwnVolume());
        EXPECT_EQ(controls, platform->GetControls(kind));
    }
    auto const* master = static_cast<Internal::BaseAudioControls*>(platform->GetMasterControls().get());
    EXPECT_EQ(platform->GetRootControls(), master->GetParent());
    // The labels are caseless: "music" is the music kind.
    EXPECT_EQ(platform->GetControls(Audio::GetMusicKind()), platform->GetControls(L8("music")));
}

TEST_F(BASSPlatformTest, ControlsNobodyHoldsAreDroppedInTheNextUpdate)
{
    size_t const before = platform->GetControlsCount();
    {
        auto const controls = platform->CreateControls(nullptr);
        EXPECT_EQ(before + 1, platform->GetControlsCount());
        Step();
        EXPECT_EQ(before + 1, platform->GetControlsCount());
    }
    Step();
    EXPECT_EQ(before, platform->GetControlsCount());
}

TEST_F(BASSPlatformTest, CreateSoundDataMakesNothing)
{
    MemoryStream stream(L"x");
    EXPECT_EQ(nullptr, platform->CreateSoundData(L8("wav"), &stream));
}

// --- invalid input ---------------------------------------------------------

TEST_F(BASSPlatformTest, AFailedCallIsLoggedWithItsCodeAndName)
{
    LogCapture log;
    library.failures["Start"] = 5;
    platform->Activate(true);
    library.failures["Pause"] = 99;
    platform->Activate(false);
    EXPECT_EQ("BASS_Start() error: 5 (BASS_ERROR_HANDLE)\nBASS_Pause() error: 99 (unknown error)\n", log.Take());
    // The program goes on: the state still follows the call.
    EXPECT_FALSE(platform->IsActive());
}

TEST(BASSErrorNameTest, CodesMapToTheirNames)
{
    EXPECT_STREQ("BASS_OK", GetBASSErrorName(0));
    EXPECT_STREQ("BASS_ERROR_INIT", GetBASSErrorName(8));
    EXPECT_STREQ("BASS_ERROR_CODEC", GetBASSErrorName(34));
    EXPECT_STREQ("unknown error", GetBASSErrorName(35));
    EXPECT_STREQ("unknown error", GetBASSErrorName(-1));
}

// --- failure leaves state unchanged ----------------------------------------

TEST_F(BASSPlatformSetupTest, WithoutAnyDeviceThePlatformRunsSilently)
{
    library.initResults[-1] = false;
    library.initResults[1] = false;
    library.devices = {"Tarjeta"};
    LogCapture log;
    platform->Setup();
    EXPECT_EQ("BASS Initialization failed on default device\nBASS Initialization failed on device 1\n"
              "BASS Initialization failed on all devices\n",
              log.Take());
    EXPECT_FALSE(IsBassAudioPlatformInitialized());
    library.Take();

    // Sounds load without data, channels never play, activation and clean-up skip the library.
    WriteResource("golpe.wav");
    LoadManifest(L"<sound name=\"Golpe\" src=\"golpe\"/>");
    ISound* const sound = FindSound("Golpe");
    ASSERT_NE(nullptr, sound);
    boost::intrusive_ptr<ISoundChannel> channel;
    Audio::Play(sound, &channel, Audio::sPlayState());
    ASSERT_NE(nullptr, channel);
    EXPECT_FALSE(channel->IsPlaying());
    platform->Activate(true);
    Step();
    platform->Cleanup();
    EXPECT_EQ(Calls{}, library.Take());
    EXPECT_EQ(nullptr, Audio::GetMasterControls());
}

TEST_F(BASSPlatformSetupTest, WithoutADevicelistTheFallbackEndsAtOnce)
{
    library.initResults[-1] = false;
    LogCapture log;
    platform->Setup();
    EXPECT_EQ((Calls{"Init -1 44100 0", "GetDeviceDescription 1"}), library.Take());
    EXPECT_EQ("BASS Initialization failed on default device\nBASS Initialization failed on all devices\n",
              log.Take());
}

} // namespace
} // namespace AudioTesting
