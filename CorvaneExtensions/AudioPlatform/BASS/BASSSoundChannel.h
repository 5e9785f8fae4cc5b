#ifndef CORVANE_AUDIO_BASSSOUNDCHANNEL_H
#define CORVANE_AUDIO_BASSSOUNDCHANNEL_H

// A channel over one library handle: loops, pauses, stops and follows its
// controls once per frame.

#include <cstdint>

#include <boost/intrusive_ptr.hpp>

#include "2DEngine/Source/Framework/AudioServices.h"

class BASSSoundData;

class BASSSoundChannel : public Corvane::ISoundChannel
{
public:
    BASSSoundChannel();
    ~BASSSoundChannel() override;
    BASSSoundChannel(BASSSoundChannel const&) = delete;
    BASSSoundChannel& operator=(BASSSoundChannel const&) = delete;

    void AddRef() override;
    void Release() override;
    int GetReferenceCount() const { return mReferences.Get(); }

    void Play(Corvane::ISound const* sound, int loops) override;
    void Stop() override;
    bool IsPlaying() const override;
    Corvane::ISound const* GetSound() const override { return mSound; }
    boost::intrusive_ptr<Corvane::IAudioControls> GetControls() override { return mControls; }
    void SetControls(Corvane::IAudioControls* controls) override { mControls = controls; }
    void Update(float dt) override;

    uint32_t GetHandle() const { return mBassChannel; }
    uint32_t GetStartTime() const { return mStartTime; }
    int GetLoopsRemaining() const { return mLoopsRemaining; }
    bool IsStarted() const { return mStarted; }

private:
    void BeginNextLoop();
    void PauseHandle();
    void ResumeHandle();
    void ApplyControls();
    void ReadNaturalRate();

    Corvane::ReferenceCount mReferences;
    uint32_t mBassChannel;
    boost::intrusive_ptr<Corvane::IAudioControls> mControls;
    // Not counted: valid while the play lasts and its resource stays loaded.
    Corvane::ISound const* mSound;
    // Keeps the library objects alive while the channel plays, also when the
    // sound's resource is unloaded meanwhile.
    boost::intrusive_ptr<BASSSoundData> mData;
    uint32_t mStartTime;
    bool mIgnoreNextStop;
    uint32_t mNaturalSamplePlaybackRate;
    bool mStarted;
    // 0 means forever, 1 the last pass.
    int mLoopsRemaining;
};

#endif
