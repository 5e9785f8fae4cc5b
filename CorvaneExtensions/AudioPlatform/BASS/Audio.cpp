#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"

#include "2DEngine/Source/Framework/Resource.h"

namespace Corvane
{
namespace Audio
{

namespace
{

// The span within which the same sound object is not started again.
unsigned int const kRepeatWindowMS = 20;

} // namespace

Label GetEffectKind()
{
    static Label const kind = Label::GetUniqueString("Effect");
    return kind;
}

Label GetAmbientKind()
{
    static Label const kind = Label::GetUniqueString("Ambient");
    return kind;
}

Label GetMusicKind()
{
    static Label const kind = Label::GetUniqueString("Music");
    return kind;
}

boost::intrusive_ptr<IAudioControls> GetMasterControls()
{
    IAudioPlatform* const platform = GetAudioPlatform();
    return platform ? platform->GetMasterControls() : boost::intrusive_ptr<IAudioControls>();
}

boost::intrusive_ptr<IAudioControls> GetControls(Label kind)
{
    IAudioPlatform* const platform = GetAudioPlatform();
    return platform ? platform->GetControls(kind) : boost::intrusive_ptr<IAudioControls>();
}

boost::intrusive_ptr<IAudioControls> CreateControls(IAudioControls* parent)
{
    IAudioPlatform* const platform = GetAudioPlatform();
    return platform ? platform->CreateControls(parent) : boost::intrusive_ptr<IAudioControls>();
}

void Play(ISound const* sound, ISoundChannel** out, sPlayState const& state)
{
    if (out)
        *out = nullptr;
    IAudioPlatform* const platform = GetAudioPlatform();
    if (!sound || !platform || platform->WasSoundPlayedRecently(sound, kRepeatWindowMS))
        return;
    boost::intrusive_ptr<ISoundChannel> const channel = platform->CreateChannel();
    if (!channel)
        return;
    boost::intrusive_ptr<IAudioControls> const parent =
        state.parentControls ? state.parentControls : GetControls(sound->GetKind());
    boost::intrusive_ptr<IAudioControls> const controls = CreateControls(parent.get());
    if (controls)
    {
        channel->SetControls(controls.get());

        controls->SetVolume(sound->GetDefaultVolume());
        if (state.volume >= 0.0f)
            controls->SetVolume(state.volume);
        if (state.volumeTime > 0.0f)
            controls->AnimateVolumeTo(state.volumeTarget, state.volumeTime);

        controls->SetRate(sound->GetDefaultRate());
        if (state.rate > 0.0f)
            controls->SetRate(state.rate);
        if (state.rateTime > 0.0f)
            controls->AnimateRateTo(state.rateTarget, state.rateTime);

        controls->SetPan(sound->GetDefaultPan());
        if (state.pan >= -1.0f)
            controls->SetPan(state.pan);
        if (state.panTime > 0.0f)
            controls->AnimatePanTo(state.panTarget, state.panTime);

        if (state.paused)
            controls->Pause();
        else
            controls->Resume();
        controls->Mute(state.muted);
    }

    int const loops = state.loopCount >= 0 ? state.loopCount : sound->GetDefaultLoopCount();
    channel->Play(sound, loops);

    if (out)
    {
        *out = channel.get();
        channel->AddRef();
    }
}

void Play(Label sound, ISoundChannel** out, sPlayState const& state)
{
    AutoResource<ISound> const resource(sound);
    Play(resource.Get(), out, state);
}

void Play(ISound const* sound, boost::intrusive_ptr<ISoundChannel>* out, sPlayState const& state)
{
    ISoundChannel* channel = nullptr;
    Play(sound, &channel, state);
    if (out)
        *out = channel;
    if (channel)
        channel->Release();
}

void Play(ISound const* sound, sPlayState const& state)
{
    Play(sound, static_cast<ISoundChannel**>(nullptr), state);
}

} // namespace Audio
} // namespace Corvane
