#ifndef CORVANE_AUDIO_BASSAUDIOPLATFORM_H
#define CORVANE_AUDIO_BASSAUDIOPLATFORM_H

// The program's audio platform: opens the output device, registers the sound
// resource factories, owns the controls tree and every channel it hands out,
// and drives the channels once per frame.

#include <list>
#include <map>

#include <boost/intrusive_ptr.hpp>

#include "2DEngine/Source/Framework/AudioServices.h"
#include "Core/Source/Label.h"
#include "CorvaneExtensions/AudioPlatform/BASS/AudioControls.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSSoundChannel.h"

// Whether the library's device is open.
bool IsBassAudioPlatformInitialized();

class BASSAudioPlatform : public Corvane::Internal::BaseAudioPlatform
{
public:
    // Registers itself as the audio platform.
    BASSAudioPlatform();
    ~BASSAudioPlatform() override;

    Corvane::Label GetName() override;
    void Setup() override;
    void Cleanup() override;
    void Activate(bool active) override;
    void Update(float dt) override;
    boost::intrusive_ptr<Corvane::IReferenced> CreateSoundData(Corvane::Label format,
                                                               Corvane::IStream* stream) override;
    boost::intrusive_ptr<Corvane::ISoundChannel> CreateChannel() override;
    boost::intrusive_ptr<Corvane::IAudioControls> GetMasterControls() override;
    boost::intrusive_ptr<Corvane::IAudioControls> GetControls(Corvane::Label kind) override;
    boost::intrusive_ptr<Corvane::IAudioControls> CreateControls(Corvane::IAudioControls* parent) override;
    bool WasSoundPlayedRecently(Corvane::ISound const* sound, unsigned int milliseconds) override;

    bool IsActive() const { return mActive; }
    size_t GetChannelCount() const { return mChannels.size(); }
    size_t GetControlsCount() const { return mAllControls.size(); }
    Corvane::IAudioControls* GetRootControls() const { return mRootControls.get(); }

private:
    void OpenDevice();

    bool mActive;
    std::list<boost::intrusive_ptr<BASSSoundChannel> > mChannels;
    boost::intrusive_ptr<Corvane::IAudioControls> mRootControls;
    boost::intrusive_ptr<Corvane::IAudioControls> mMasterControls;
    std::map<Corvane::Label, boost::intrusive_ptr<Corvane::IAudioControls> > mKindControls;
    std::list<boost::intrusive_ptr<Corvane::Internal::BaseAudioControls> > mAllControls;
};

#endif
