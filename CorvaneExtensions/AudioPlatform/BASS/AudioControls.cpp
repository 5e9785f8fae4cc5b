#include "CorvaneExtensions/AudioPlatform/BASS/AudioControls.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "2DEngine/Source/Framework/Account.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"

namespace Corvane
{
namespace Internal
{

BaseAudioControls::BaseAudioControls(IAudioControls* parent)
    : mParent(parent),
      mPaused(false),
      mPauseAfter(-FLT_MAX),
      mResumeAfter(-FLT_MAX),
      mStopAfter(-FLT_MAX),
      mStopRequested(false),
      mMuted(false),
      mVolume(1.0f),
      mRate(1.0f),
      mPan(0.0f),
      mVolumeTarget(1.0f),
      mRateTarget(1.0f),
      mPanTarget(0.0f),
      mDirty(true)
{
}

BaseAudioControls::~BaseAudioControls() {}

void BaseAudioControls::AddRef()
{
    mReferences.Add();
}

void BaseAudioControls::Release()
{
    if (mReferences.Remove())
        delete this;
}

bool BaseAudioControls::IsPaused()
{
    return mPaused || (mParent && mParent->IsPaused());
}

void BaseAudioControls::Pause()
{
    mPaused = true;
    mDirty = true;
}

void BaseAudioControls::PauseAfter(float seconds)
{
    mPauseAfter = seconds;
    mDirty = true;
}

void BaseAudioControls::Resume()
{
    mPaused = false;
    mDirty = true;
}

void BaseAudioControls::ResumeAfter(float seconds)
{
    mResumeAfter = seconds;
    mDirty = true;
}

bool BaseAudioControls::IsStopNeeded()
{
    return mStopRequested || (mParent && mParent->IsStopNeeded());
}

void BaseAudioControls::Stop()
{
    mStopRequested = true;
    mDirty = true;
}

void BaseAudioControls::StopAfter(float seconds)
{
    mStopAfter = seconds;
    mDirty = true;
}

bool BaseAudioControls::IsMuted()
{
    return mMuted || (mParent && mParent->IsMuted());
}

void BaseAudioControls::Mute(bool muted)
{
    mMuted = muted;
    mDirty = true;
}

float BaseAudioControls::GetVolume()
{
    return mVolume.GetValue() * (mParent ? mParent->GetVolume() : 1.0f);
}

void BaseAudioControls::SetVolume(float volume)
{
    mVolume.Set(volume);
    mVolumeTarget = volume;
    mDirty = true;
}

void BaseAudioControls::AnimateVolumeTo(float target, float seconds)
{
    mVolume.Animate(target, seconds);
    mVolumeTarget = target;
    mDirty = true;
}

float BaseAudioControls::GetRate()
{
    return mRate.GetValue() * (mParent ? mParent->GetRate() : 1.0f);
}

void BaseAudioControls::SetRate(float rate)
{
    mRate.Set(rate);
    mRateTarget = rate;
    mDirty = true;
}

void BaseAudioControls::AnimateRateTo(float target, float seconds)
{
    mRate.Animate(target, seconds);
    mRateTarget = target;
    mDirty = true;
}

float BaseAudioControls::GetPan()
{
    float const pan = mPan.GetValue() + (mParent ? mParent->GetPan() : 0.0f);
    // Clamping would turn NaN into a side.
    if (std::isnan(pan))
        return 0.0f;
    return std::max(-1.0f, std::min(1.0f, pan));
}

void BaseAudioControls::SetPan(float pan)
{
    mPan.Set(pan);
    mPanTarget = pan;
    mDirty = true;
}

void BaseAudioControls::AnimatePanTo(float target, float seconds)
{
    mPan.Animate(target, seconds);
    mPanTarget = target;
    mDirty = true;
}

bool BaseAudioControls::IsDirty()
{
    return mDirty || (mParent && mParent->IsDirty());
}

bool BaseAudioControls::RunTimer(float& timer, float dt)
{
    if (!(timer > 0.0f))
        return false;
    timer -= dt;
    if (timer > 0.0f)
        return false;
    timer = -FLT_MAX;
    return true;
}

bool BaseAudioControls::Update(float dt)
{
    mDirty = false;
    mStopRequested = false;
    if (RunTimer(mPauseAfter, dt))
        Pause();
    if (RunTimer(mResumeAfter, dt))
        Resume();
    if (RunTimer(mStopAfter, dt))
        Stop();
    // At most one fade moves per update, the volume's first.
    mDirty = mDirty || mVolume.Update(dt) || mRate.Update(dt) || mPan.Update(dt);
    return mDirty;
}

void BaseAudioControls::SaveSettings(AudioSettings* settings)
{
    if (!settings)
        return;
    settings->volume = mVolume.IsAnimating() ? mVolumeTarget : mVolume.GetValue();
    settings->rate = mRate.IsAnimating() ? mRateTarget : mRate.GetValue();
    settings->pan = mPan.IsAnimating() ? mPanTarget : mPan.GetValue();
    settings->muted = mMuted;
}

void BaseAudioControls::RestoreSettings(AudioSettings const& settings)
{
    SetVolume(settings.volume);
    SetPan(settings.pan);
    SetRate(settings.rate);
    mMuted = settings.muted;
    mDirty = true;
}

} // namespace Internal

namespace Audio
{

namespace
{

struct sAccountControls
{
    wchar_t const* name;
    boost::intrusive_ptr<IAudioControls> controls;
};

// The four controls kept in the account, in their order.
void GetAccountControls(sAccountControls (&rows)[4])
{
    rows[0] = {L"Corvane::Audio::MasterControls", GetMasterControls()};
    rows[1] = {L"Corvane::Audio::SfxControls", GetControls(GetEffectKind())};
    rows[2] = {L"Corvane::Audio::AmbientControls", GetControls(GetAmbientKind())};
    rows[3] = {L"Corvane::Audio::MusicControls", GetControls(GetMusicKind())};
}

// Applies the load or the save to the four controls with the current account;
// nothing without an audio platform or an account.
void ForEachAccountControls(void (*apply)(Account*, std::wstring const&, IAudioControls*))
{
    if (!IsAudioPlatformRegistered())
        return;
    Account* const account = GetAccountManager()->GetCurrentAccount();
    if (!account)
        return;
    sAccountControls rows[4];
    GetAccountControls(rows);
    for (sAccountControls const& row : rows)
        apply(account, row.name, row.controls.get());
}

} // namespace

void LoadAudioControls(Account* account, std::wstring const& name, IAudioControls* controls)
{
    if (!account || !controls)
        return;
    AudioSettings settings;
    controls->SaveSettings(&settings);
    // A damaged value keeps the current volume rather than silencing or deafening everything; so
    // does a volume too low to hear, which no setting of the game brings back.
    settings.volume = account->ReadValue(name + L"::Volume", settings.volume, kLowestRestoredVolume, 1.0f);
    settings.muted = account->ReadCheckedValue(name + L"::IsMuted", settings.muted);
    controls->RestoreSettings(settings);
}

void SaveAudioControls(Account* account, std::wstring const& name, IAudioControls* controls)
{
    if (!account || !controls)
        return;
    AudioSettings settings;
    controls->SaveSettings(&settings);
    account->WriteValue(name + L"::Volume", settings.volume);
    account->WriteValue(name + L"::IsMuted", settings.muted);
}

void LoadAccountSettings()
{
    ForEachAccountControls(&LoadAudioControls);
}

void SaveAccountSettings()
{
    ForEachAccountControls(&SaveAudioControls);
}

} // namespace Audio
} // namespace Corvane
