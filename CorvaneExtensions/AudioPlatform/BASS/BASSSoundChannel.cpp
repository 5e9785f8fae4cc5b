#include "CorvaneExtensions/AudioPlatform/BASS/BASSSoundChannel.h"

#include <algorithm>
#include <cmath>

#include "2DEngine/Source/Framework/SystemServices.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSAudioPlatform.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSLibrary.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSSound.h"

using namespace Corvane;

namespace
{

// The library's integer attributes from the controls' floats. Out-of-range
// values are clamped and NaN gives silence, the centre and the natural rate,
// so that no conversion overflows.
int32_t ToLibraryFrequency(uint32_t naturalRate, float rate)
{
    if (naturalRate == 0)
        return 0;
    double frequency = static_cast<double>(static_cast<float>(naturalRate) * rate);
    if (std::isnan(frequency))
        frequency = naturalRate;
    frequency = std::max<double>(kBASSFrequencyMin, std::min<double>(kBASSFrequencyMax, frequency));
    return static_cast<int32_t>(frequency);
}

int32_t ToLibraryVolume(float volume)
{
    if (std::isnan(volume))
        return 0;
    return static_cast<int32_t>(std::max(0.0f, std::min(1.0f, volume)) * 100.0f);
}

int32_t ToLibraryPan(float pan)
{
    if (std::isnan(pan))
        return 0;
    return static_cast<int32_t>(std::max(-1.0f, std::min(1.0f, pan)) * 100.0f);
}

} // namespace

BASSSoundChannel::BASSSoundChannel()
    : mBassChannel(0),
      mSound(nullptr),
      mStartTime(0),
      mIgnoreNextStop(false),
      mNaturalSamplePlaybackRate(0),
      mStarted(false),
      mLoopsRemaining(0)
{
}

BASSSoundChannel::~BASSSoundChannel() {}

void BASSSoundChannel::AddRef()
{
    mReferences.Add();
}

void BASSSoundChannel::Release()
{
    if (mReferences.Remove())
        delete this;
}

void BASSSoundChannel::Play(ISound const* sound, int loops)
{
    if (!IsBassAudioPlatformInitialized())
        return;
    Stop();
    if (!sound)
        return;
    boost::intrusive_ptr<IReferenced> const data = sound->GetSoundData();
    BASSSoundData* const bassData = dynamic_cast<BASSSoundData*>(data.get());
    if (!bassData)
        return;
    uint32_t const handle = bassData->GetBASSChannel();
    if (handle == 0)
        return;
    mSound = sound;
    mData = bassData;
    mBassChannel = handle;
    mLoopsRemaining = loops;
    mStartTime = GetTimeMS();
    ReadNaturalRate();
    if (mControls)
    {
        ApplyControls();
        if (!mControls->IsPaused())
            ResumeHandle();
    }
}

void BASSSoundChannel::Stop()
{
    if (mBassChannel != 0)
    {
        GetBASSLibrary().ChannelStop(mBassChannel);
        TestBASSError("BASS_ChannelStop(mBassChannel)");
    }
    mBassChannel = 0;
    mSound = nullptr;
    mData.reset();
    mStartTime = 0;
    mIgnoreNextStop = mControls && mControls->IsStopNeeded();
    mLoopsRemaining = 0;
    mStarted = false;
}

bool BASSSoundChannel::IsPlaying() const
{
    if (mBassChannel == 0)
        return false;
    if (mLoopsRemaining == 0 || mLoopsRemaining >= 2)
        return true;
    // A handle that has not been started yet (a play that starts paused) has
    // not ended its pass.
    if (!mStarted)
        return true;
    return GetBASSLibrary().ChannelIsActive(mBassChannel) != 0;
}

void BASSSoundChannel::Update(float)
{
    bool follow = false;
    if (mBassChannel != 0 && mStarted && GetBASSLibrary().ChannelIsActive(mBassChannel) == 0 &&
        (mLoopsRemaining == 0 || mLoopsRemaining >= 2))
    {
        BeginNextLoop();
        follow = true;
    }
    else
    {
        follow = IsPlaying() && mControls && mControls->IsDirty();
    }
    if (follow && mControls)
    {
        if (mControls->IsPaused())
            PauseHandle();
        else
            ResumeHandle();
        if (mControls->IsStopNeeded())
        {
            if (mIgnoreNextStop)
                mIgnoreNextStop = false;
            else
                Stop();
        }
        ApplyControls();
    }
    if (!IsPlaying())
        Stop();
}

void BASSSoundChannel::BeginNextLoop()
{
    if (mLoopsRemaining > 1)
        --mLoopsRemaining;
    uint32_t const previous = mBassChannel;
    mBassChannel = mData ? mData->GetBASSChannel() : 0;
    if (mBassChannel == 0)
    {
        Stop();
        return;
    }
    mStarted = false;
    // A random sound's next file may have another natural rate.
    if (mBassChannel != previous)
        ReadNaturalRate();
}

void BASSSoundChannel::PauseHandle()
{
    // A handle not started yet has nothing to hold.
    if (mBassChannel == 0 || !mStarted)
        return;
    GetBASSLibrary().ChannelPause(mBassChannel);
    TestBASSError("BASS_ChannelPause(mBassChannel)");
}

void BASSSoundChannel::ResumeHandle()
{
    if (mBassChannel == 0)
        return;
    bool const restartSound = !mStarted;
    GetBASSLibrary().ChannelPlay(mBassChannel, restartSound);
    TestBASSError("BASS_ChannelPlay(mBassChannel, restartSound)");
    mStarted = true;
}

void BASSSoundChannel::ApplyControls()
{
    if (mBassChannel == 0 || !mControls || mControls->IsPaused())
        return;
    int32_t const freq = ToLibraryFrequency(mNaturalSamplePlaybackRate, mControls->GetRate());
    int32_t const volume = mControls->IsMuted() ? 0 : ToLibraryVolume(mControls->GetVolume());
    int32_t const pan = ToLibraryPan(mControls->GetPan());
    GetBASSLibrary().ChannelSetAttributes(mBassChannel, freq, volume, pan);
    TestBASSError("BASS_ChannelSetAttributes(mBassChannel, freq, volume, pan)");
}

void BASSSoundChannel::ReadNaturalRate()
{
    mNaturalSamplePlaybackRate = 0;
    GetBASSLibrary().ChannelGetAttributes(mBassChannel, &mNaturalSamplePlaybackRate, nullptr, nullptr);
    TestBASSError("BASS_ChannelGetAttributes(mBassChannel, &mNaturalSamplePlaybackRate, NULL, NULL)");
}
