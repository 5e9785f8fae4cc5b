#include "qdl/Tests/Driver/RecordingAudioPlatform.h"

#include <vector>

#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "CorvaneExtensions/AudioPlatform/Mixer/Mixer.h"

namespace GameDriver
{

namespace
{

// The platform's output rate.
uint64_t const kOutputRate = 44100;
uint64_t gRenderedFrames = 0;

} // namespace

std::string GetSoundName(Corvane::ISound const* sound)
{
    Corvane::IResourceDescriptor const* const descriptor = dynamic_cast<Corvane::IResourceDescriptor const*>(sound);
    return descriptor ? descriptor->GetName().GetString() : std::string();
}

class RecordingChannel : public Corvane::Internal::BaseSoundChannel
{
public:
    RecordingChannel(RecordingAudioPlatform* platform, boost::intrusive_ptr<Corvane::ISoundChannel> const& inner)
        : mPlatform(platform), mInner(inner)
    {
    }
    ~RecordingChannel() override
    {
        if (mPlatform)
            mPlatform->Forget(this);
    }

    void Play(Corvane::ISound const* sound, int loops) override
    {
        if (mPlatform)
            mPlatform->Record(sound, loops, mInner.get());
        mInner->Play(sound, loops);
    }
    void Stop() override { mInner->Stop(); }
    bool IsPlaying() const override { return mInner->IsPlaying(); }
    Corvane::ISound const* GetSound() const override { return mInner->GetSound(); }
    boost::intrusive_ptr<Corvane::IAudioControls> GetControls() override { return mInner->GetControls(); }
    void SetControls(Corvane::IAudioControls* controls) override { mInner->SetControls(controls); }
    // The platform updates the channel it made itself.
    void Update(float) override {}

    // The platform went away before the channel.
    void Detach() { mPlatform = nullptr; }

private:
    RecordingAudioPlatform* mPlatform;
    boost::intrusive_ptr<Corvane::ISoundChannel> mInner;
};

RecordingAudioPlatform::RecordingAudioPlatform(std::vector<sSoundPlay>* plays, std::function<uint64_t()> clock)
    : mPlays(plays), mClock(std::move(clock))
{
}

RecordingAudioPlatform::~RecordingAudioPlatform()
{
    for (RecordingChannel* channel : mChannels)
        channel->Detach();
}

void RecordingAudioPlatform::Cleanup()
{
    mPlaying.clear();
    mNames.clear();
    BASSAudioPlatform::Cleanup();
}

void RecordingAudioPlatform::Update(float dt)
{
    BASSAudioPlatform::Update(dt);
    // Let go of what has stopped, so that the platform drops it on its next update.
    std::vector<boost::intrusive_ptr<Corvane::ISoundChannel> > still;
    for (auto const& channel : mPlaying)
    {
        if (channel->IsPlaying())
            still.push_back(channel);
        else
            mNames.erase(channel.get());
    }
    mPlaying.swap(still);
}

boost::intrusive_ptr<Corvane::ISoundChannel> RecordingAudioPlatform::CreateChannel()
{
    boost::intrusive_ptr<Corvane::ISoundChannel> const inner = BASSAudioPlatform::CreateChannel();
    if (!inner)
        return inner;
    mPlaying.push_back(inner);
    RecordingChannel* const channel = new RecordingChannel(this, inner);
    mChannels.insert(channel);
    return boost::intrusive_ptr<Corvane::ISoundChannel>(channel, false);
}

std::vector<std::string> RecordingAudioPlatform::GetPlayingSounds() const
{
    std::vector<std::string> playing;
    for (auto const& channel : mPlaying)
    {
        auto const name = mNames.find(channel.get());
        if (channel->IsPlaying() && channel->GetSound() && name != mNames.end())
            playing.push_back(name->second);
    }
    return playing;
}

void RecordingAudioPlatform::Record(Corvane::ISound const* sound, int loops, Corvane::ISoundChannel const* channel)
{
    if (!sound)
        return;
    mNames[channel] = GetSoundName(sound);
    if (mPlays)
        mPlays->push_back(sSoundPlay{mNames[channel], sound->GetKind().GetString(), loops, mClock ? mClock() : 0});
}

void RecordingAudioPlatform::Forget(RecordingChannel* channel)
{
    mChannels.erase(channel);
}

void RecordingAudioPlatform::AdvanceOutput(uint64_t timeMS)
{
    uint64_t const target = timeMS * kOutputRate / 1000;
    if (target <= gRenderedFrames)
        return;
    std::vector<float> buffer(size_t(target - gRenderedFrames) * 2);
    Mixer_Render(buffer.data(), uint32_t(target - gRenderedFrames));
    gRenderedFrames = target;
}

void RecordingAudioPlatform::UseOfflineOutput(bool offline)
{
    Mixer_SetConfig(MIXER_CONFIG_OFFLINE, offline ? 1 : 0);
    gRenderedFrames = 0;
}

} // namespace GameDriver
