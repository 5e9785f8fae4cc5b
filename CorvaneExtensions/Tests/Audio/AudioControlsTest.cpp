// The controls tree: values combined with ancestors, timers, fades, saving and
// the account keys.

#include <cmath>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Account.h"
#include "CorvaneExtensions/AudioPlatform/BASS/AudioControls.h"
#include "CorvaneExtensions/Tests/Audio/AudioTestSupport.h"

namespace AudioTesting
{
namespace
{

using Internal::BaseAudioControls;
typedef boost::intrusive_ptr<BaseAudioControls> ControlsRef;

ControlsRef MakeControls(IAudioControls* parent = nullptr)
{
    return ControlsRef(new BaseAudioControls(parent), false);
}

// --- normal case -----------------------------------------------------------

TEST(AudioControlsTest, VolumeAndRateMultiplyAlongTheTree)
{
    ControlsRef const master = MakeControls();
    ControlsRef const kind = MakeControls(master.get());
    ControlsRef const play = MakeControls(kind.get());
    kind->SetVolume(0.5f);
    EXPECT_FLOAT_EQ(0.5f, play->GetVolume());
    master->SetVolume(0.5f);
    EXPECT_FLOAT_EQ(0.25f, play->GetVolume());
    EXPECT_FLOAT_EQ(1.0f, play->GetOwnVolume());

    kind->SetRate(2.0f);
    play->SetRate(1.5f);
    EXPECT_FLOAT_EQ(3.0f, play->GetRate());
}

TEST(AudioControlsTest, AParentsPauseMuteAndStopReachEveryChild)
{
    ControlsRef const master = MakeControls();
    ControlsRef const play = MakeControls(master.get());
    play->Mute(false);
    master->Mute(true);
    EXPECT_TRUE(play->IsMuted());
    master->Pause();
    EXPECT_TRUE(play->IsPaused());
    master->Stop();
    EXPECT_TRUE(play->IsStopNeeded());
    // The child's own state is untouched.
    master->Mute(false);
    master->Resume();
    EXPECT_FALSE(play->IsMuted());
    EXPECT_FALSE(play->IsPaused());
}

TEST(AudioControlsTest, PanAddsUpAndStaysWithinBothSides)
{
    ControlsRef const parent = MakeControls();
    ControlsRef const child = MakeControls(parent.get());
    parent->SetPan(0.5f);
    child->SetPan(0.8f);
    EXPECT_FLOAT_EQ(1.0f, child->GetPan());
    parent->SetPan(-0.5f);
    child->SetPan(-0.8f);
    EXPECT_FLOAT_EQ(-1.0f, child->GetPan());
    child->SetPan(0.25f);
    EXPECT_FLOAT_EQ(-0.25f, child->GetPan());
}

TEST(AudioControlsTest, ChangesMarkDirtyUntilTheNextUpdate)
{
    ControlsRef const parent = MakeControls();
    ControlsRef const child = MakeControls(parent.get());
    EXPECT_TRUE(child->IsDirty());
    parent->Update(0.02f);
    EXPECT_FALSE(child->Update(0.02f));
    EXPECT_FALSE(child->IsDirty());
    parent->SetVolume(0.3f);
    EXPECT_TRUE(child->IsDirty());
    parent->Update(0.02f);
    EXPECT_FALSE(child->IsDirty());
}

TEST(AudioControlsTest, StopAfterRaisesOneRequestThatLastsOneUpdate)
{
    ControlsRef const controls = MakeControls();
    controls->Update(0.25f);
    controls->StopAfter(2.0f);
    int firedAt = -1;
    int requests = 0;
    for (int update = 1; update <= 40; ++update)
    {
        controls->Update(0.25f);
        if (controls->IsStopNeeded())
        {
            ++requests;
            if (firedAt < 0)
                firedAt = update;
        }
    }
    EXPECT_EQ(8, firedAt);
    EXPECT_EQ(1, requests);
}

TEST(AudioControlsTest, StopAfterInFrameStepsFiresOnceNearTheEnd)
{
    ControlsRef const controls = MakeControls();
    controls->StopAfter(2.0f);
    std::vector<int> fired;
    for (int update = 1; update <= 300; ++update)
    {
        controls->Update(0.02f);
        if (controls->IsStopNeeded())
            fired.push_back(update);
    }
    ASSERT_EQ(1u, fired.size());
    EXPECT_GE(fired[0], 100);
    EXPECT_LE(fired[0], 101);
}

TEST(AudioControlsTest, PauseAndResumeTimersFireInTurn)
{
    ControlsRef const controls = MakeControls();
    controls->PauseAfter(0.5f);
    controls->ResumeAfter(1.0f);
    controls->Update(0.25f);
    EXPECT_FALSE(controls->IsPaused());
    controls->Update(0.25f);
    EXPECT_TRUE(controls->IsPaused());
    controls->Update(0.25f);
    controls->Update(0.25f);
    EXPECT_FALSE(controls->IsPaused());
}

TEST(AudioControlsTest, VolumeFadeReachesItsTargetExactlyAndHoldsBackOtherFades)
{
    ControlsRef const controls = MakeControls();
    controls->Update(0.02f);
    controls->AnimateVolumeTo(0.0f, 1.0f);
    controls->AnimateRateTo(2.0f, 1.0f);
    for (int i = 0; i < 25; ++i)
        EXPECT_TRUE(controls->Update(0.02f));
    EXPECT_NEAR(0.5f, controls->GetOwnVolume(), 1e-4f);
    EXPECT_FLOAT_EQ(1.0f, controls->GetOwnRate());
    for (int i = 0; i < 30 && controls->IsVolumeAnimating(); ++i)
        controls->Update(0.02f);
    EXPECT_FALSE(controls->IsVolumeAnimating());
    EXPECT_EQ(0.0f, controls->GetOwnVolume());
    // Now the rate fade moves.
    EXPECT_TRUE(controls->Update(0.5f));
    EXPECT_FLOAT_EQ(1.5f, controls->GetOwnRate());
}

TEST(AudioControlsTest, AFiredTimerHoldsTheFadesForThatUpdate)
{
    ControlsRef const controls = MakeControls();
    controls->AnimatePanTo(1.0f, 1.0f);
    controls->PauseAfter(0.1f);
    controls->Update(0.1f);
    EXPECT_TRUE(controls->IsPaused());
    EXPECT_FLOAT_EQ(0.0f, controls->GetOwnPan());
    controls->Update(0.5f);
    EXPECT_FLOAT_EQ(0.5f, controls->GetOwnPan());
}

TEST(AudioControlsTest, SavingDuringAFadeKeepsTheTarget)
{
    ControlsRef const controls = MakeControls();
    controls->SetRate(1.25f);
    controls->AnimateVolumeTo(0.2f, 1.0f);
    controls->Update(0.5f);
    AudioSettings settings;
    controls->SaveSettings(&settings);
    EXPECT_FLOAT_EQ(0.2f, settings.volume);
    EXPECT_FLOAT_EQ(1.25f, settings.rate);
    EXPECT_FLOAT_EQ(0.0f, settings.pan);
    EXPECT_FALSE(settings.muted);
}

TEST(AudioControlsTest, SettingAValueEndsItsFade)
{
    ControlsRef const controls = MakeControls();
    controls->AnimateVolumeTo(0.0f, 1.0f);
    controls->Update(0.5f);
    controls->SetVolume(0.8f);
    EXPECT_FALSE(controls->IsVolumeAnimating());
    controls->Update(0.5f);
    EXPECT_FLOAT_EQ(0.8f, controls->GetOwnVolume());
}

TEST(AudioControlsTest, RestoreSettingsAppliesTheRecordAndMarksDirty)
{
    ControlsRef const parent = MakeControls();
    ControlsRef const controls = MakeControls(parent.get());
    parent->Mute(true);
    controls->Update(0.02f);
    parent->Update(0.02f);
    controls->RestoreSettings(AudioSettings{0.4f, 1.5f, -0.5f, true});
    EXPECT_TRUE(controls->IsDirty());
    AudioSettings saved;
    controls->SaveSettings(&saved);
    EXPECT_FLOAT_EQ(0.4f, saved.volume);
    EXPECT_FLOAT_EQ(1.5f, saved.rate);
    EXPECT_FLOAT_EQ(-0.5f, saved.pan);
    EXPECT_TRUE(saved.muted);
    // Only the own flag is saved, not the parent's.
    controls->Mute(false);
    controls->SaveSettings(&saved);
    EXPECT_FALSE(saved.muted);
}

// --- invalid input ---------------------------------------------------------

TEST(AudioControlsTest, TimersOfZeroOrLessNeverFire)
{
    ControlsRef const controls = MakeControls();
    controls->StopAfter(0.0f);
    controls->PauseAfter(-1.0f);
    for (int i = 0; i < 10; ++i)
    {
        controls->Update(0.02f);
        EXPECT_FALSE(controls->IsStopNeeded());
        EXPECT_FALSE(controls->IsPaused());
    }
}

TEST(AudioControlsTest, TheChildHoldsItsParentAlive)
{
    BaseAudioControls* const parent = new BaseAudioControls(nullptr);
    ControlsRef const child = MakeControls(parent);
    EXPECT_EQ(2, parent->GetReferenceCount());
    parent->SetVolume(0.5f);
    parent->Release();
    EXPECT_EQ(1, parent->GetReferenceCount());
    EXPECT_FLOAT_EQ(0.5f, child->GetVolume());
}

// --- the account -----------------------------------------------------------

class AudioAccountTest : public AudioFixture
{
protected:
    Account MakeAccount(std::wstring const& name)
    {
        return Account(FileAddress(kFileSystemPartition_UserData, name, L".act"), name, true);
    }
};

TEST_F(AudioAccountTest, ControlsRoundTripThroughAnAccountWithASpanishName)
{
    Account account = MakeAccount(L"Jugadora Núñez");
    ControlsRef const controls = MakeControls();
    controls->SetVolume(0.3f);
    controls->Mute(true);
    controls->SetPan(0.5f);
    Audio::SaveAudioControls(&account, L"Corvane::Audio::SfxControls", controls.get());
    EXPECT_FLOAT_EQ(0.3f, account.ReadValue(L"Corvane::Audio::SfxControls::Volume", 9.0f));
    EXPECT_TRUE(account.ReadValue(L"Corvane::Audio::SfxControls::IsMuted", false));

    ControlsRef const restored = MakeControls();
    restored->SetPan(-0.25f);
    Audio::LoadAudioControls(&account, L"Corvane::Audio::SfxControls", restored.get());
    EXPECT_FLOAT_EQ(0.3f, restored->GetOwnVolume());
    EXPECT_TRUE(restored->IsMuted());
    // Pan is never stored.
    EXPECT_FLOAT_EQ(-0.25f, restored->GetOwnPan());
}

TEST_F(AudioAccountTest, AnAccountWithoutAudioKeysKeepsTheCurrentValues)
{
    Account account = MakeAccount(L"Vacía");
    ControlsRef const controls = MakeControls();
    controls->SetVolume(0.7f);
    controls->Mute(true);
    Audio::LoadAudioControls(&account, L"Corvane::Audio::MusicControls", controls.get());
    EXPECT_FLOAT_EQ(0.7f, controls->GetOwnVolume());
    EXPECT_TRUE(controls->IsMuted());
}

TEST_F(AudioAccountTest, ADamagedVolumeKeepsTheCurrentOne)
{
    Account account = MakeAccount(L"Dañada");
    ASSERT_TRUE(account.WriteValue(L"Corvane::Audio::MasterControls::Volume", std::wstring(L"nan")));
    ControlsRef const controls = MakeControls();
    controls->SetVolume(0.6f);
    Audio::LoadAudioControls(&account, L"Corvane::Audio::MasterControls", controls.get());
    EXPECT_FLOAT_EQ(0.6f, controls->GetOwnVolume());
}

TEST_F(AudioAccountTest, AccountSettingsTreatTheMasterAndTheThreeKinds)
{
    Account* const account = GetAccountManager()->GetCurrentAccount();
    ASSERT_NE(nullptr, account);
    Audio::GetMasterControls()->SetVolume(0.9f);
    Audio::GetControls(Audio::GetEffectKind())->SetVolume(0.1f);
    Audio::GetControls(Audio::GetAmbientKind())->Mute(true);
    Audio::GetControls(Audio::GetMusicKind())->SetVolume(0.4f);
    Audio::SaveAccountSettings();

    EXPECT_FLOAT_EQ(0.9f, account->ReadValue(L"Corvane::Audio::MasterControls::Volume", -1.0f));
    EXPECT_FLOAT_EQ(0.1f, account->ReadValue(L"Corvane::Audio::SfxControls::Volume", -1.0f));
    EXPECT_FLOAT_EQ(0.5f, account->ReadValue(L"Corvane::Audio::AmbientControls::Volume", -1.0f));
    EXPECT_TRUE(account->ReadValue(L"Corvane::Audio::AmbientControls::IsMuted", false));
    EXPECT_FLOAT_EQ(0.4f, account->ReadValue(L"Corvane::Audio::MusicControls::Volume", -1.0f));
    EXPECT_FALSE(account->ReadValue(L"Corvane::Audio::MusicControls::IsMuted", true));
    EXPECT_EQ(L"", account->ReadValue(L"Corvane::Audio::SfxControls::Rate"));

    Audio::GetControls(Audio::GetMusicKind())->SetVolume(1.0f);
    Audio::GetControls(Audio::GetAmbientKind())->Mute(false);
    Audio::LoadAccountSettings();
    EXPECT_FLOAT_EQ(0.4f, Audio::GetControls(Audio::GetMusicKind())->GetVolume() / 0.9f);
    EXPECT_TRUE(Audio::GetControls(Audio::GetAmbientKind())->IsMuted());
}

// --- failure leaves state unchanged ----------------------------------------

TEST_F(AudioAccountTest, NullAccountOrControlsDoNothing)
{
    ControlsRef const controls = MakeControls();
    controls->SetVolume(0.2f);
    Audio::LoadAudioControls(nullptr, L"Corvane::Audio::MasterControls", controls.get());
    Audio::SaveAudioControls(nullptr, L"Corvane::Audio::MasterControls", controls.get());
    Account account = MakeAccount(L"Nadie");
    Audio::SaveAudioControls(&account, L"Corvane::Audio::MasterControls", nullptr);
    EXPECT_FLOAT_EQ(0.2f, controls->GetOwnVolume());
    EXPECT_EQ(L"", account.ReadValue(L"Corvane::Audio::MasterControls::Volume"));
}

} // namespace
} // namespace AudioTesting
