#ifndef CORVANE_AUDIO_AUDIOCONTROLS_H
#define CORVANE_AUDIO_AUDIOCONTROLS_H

// The controls of a group of sounds, in a tree: each value a channel uses is
// its own controls' value combined with every ancestor's.


#include <boost/intrusive_ptr.hpp>

#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/Tasks.h"

namespace Corvane
{
namespace Internal
{

class BaseAudioControls : public IAudioControls
{
public:
    explicit BaseAudioControls(IAudioControls* parent);
    ~BaseAudioControls() override;
    BaseAudioControls(BaseAudioControls const&) = delete;
    BaseAudioControls& operator=(BaseAudioControls const&) = delete;

    void AddRef() override;
    void Release() override;
    int GetReferenceCount() const { return mReferences.Get(); }

    bool IsPaused() override;
    void Pause() override;
    void PauseAfter(float seconds) override;
    void Resume() override;
    void ResumeAfter(float seconds) override;
    bool IsStopNeeded() override;
    void Stop() override;
    void StopAfter(float seconds) override;
    bool IsMuted() override;
    void Mute(bool muted) override;
    float GetVolume() override;
    void SetVolume(float volume) override;
    void AnimateVolumeTo(float target, float seconds) override;
    float GetRate() override;
    void SetRate(float rate) override;
    void AnimateRateTo(float target, float seconds) override;
    float GetPan() override;
    void SetPan(float pan) override;
    void AnimatePanTo(float target, float seconds) override;
    bool IsDirty() override;
    bool Update(float dt) override;
    void SaveSettings(AudioSettings* settings) override;
    void RestoreSettings(AudioSettings const& settings) override;

    IAudioControls* GetParent() const { return mParent.get(); }
    // The object's own values, without its ancestors.
    float GetOwnVolume() const { return mVolume.GetValue(); }
    float GetOwnRate() const { return mRate.GetValue(); }
    float GetOwnPan() const { return mPan.GetValue(); }
    bool IsVolumeAnimating() const { return mVolume.IsAnimating(); }
    bool IsRateAnimating() const { return mRate.IsAnimating(); }
    bool IsPanAnimating() const { return mPan.IsAnimating(); }

private:
    // Counts the timer down; true when it fires.
    static bool RunTimer(float& timer, float dt);

    Corvane::ReferenceCount mReferences;
    boost::intrusive_ptr<IAudioControls> mParent;
    bool mPaused;
    float mPauseAfter;
    float mResumeAfter;
    float mStopAfter;
    bool mStopRequested;
    bool mMuted;
    Animating<float> mVolume;
    Animating<float> mRate;
    Animating<float> mPan;
    // The targets of the animations, which saving needs.
    float mVolumeTarget;
    float mRateTarget;
    float mPanTarget;
    bool mDirty;
};

} // namespace Internal
} // namespace Corvane

#endif
