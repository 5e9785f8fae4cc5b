#include "CorvaneExtensions/AudioPlatform/BASS/BASSAudioPlatform.h"

#include <atomic>

#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Framework/SystemServices.h"
#include "Core/Source/Log.h"
#include "Core/Source/Singleton.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSLibrary.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSSound.h"
#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

using namespace Corvane;

namespace
{

// Read by the sound factories on the loader thread.
std::atomic<bool> gLibraryInitialised(false);

uint32_t const kOutputRate = 44100;

float const kKindVolume = 0.5f;

} // namespace

bool IsBassAudioPlatformInitialized()
{
    return gLibraryInitialised;
}

namespace Corvane
{

IAudioPlatform* CreateDefaultAudioPlatform()
{
    BASSAudioPlatform* const platform = new BASSAudioPlatform();
    AutoDeleteSingleton(platform);
    return platform;
}

} // namespace Corvane

BASSAudioPlatform::BASSAudioPlatform() : mActive(false) {}

BASSAudioPlatform::~BASSAudioPlatform() {}

Label BASSAudioPlatform::GetName()
{
    static Label const name = Label::GetUniqueString("BASS 2.3 Audio");
    return name;
}

void BASSAudioPlatform::OpenDevice()
{
    IBASSLibrary& library = GetBASSLibrary();
    if (library.Init(-1, kOutputRate, 0, nullptr, nullptr))
    {
        gLibraryInitialised = true;
        return;
    }
    Internal::LogWrite("BASS Initialization failed on default device\n");
    int lastDevice = 0;
    while (library.GetDeviceDescription(lastDevice + 1))
        ++lastDevice;
    for (int device = 1; device <= lastDevice; ++device)
    {
        if (library.Init(device, kOutputRate, 0, nullptr, nullptr))
        {
            gLibraryInitialised = true;
            return;
        }
        Internal::LogWrite("BASS Initialization failed on device %d\n", device);
    }
    Internal::LogWrite("BASS Initialization failed on all devices\n");
}

void BASSAudioPlatform::Setup()
{
    ResourceManager* const resources = GetResourceManager();
    resources->AddResourceFactory(L"sound", new BASSSoundResourceFactory());
    resources->AddResourceFactory(L"randomsound", new BASSRandomSoundResourceFactory());
    resources->AddResourceFactory(L"soundlist", new SoundListResourceFactory());

    OpenDevice();

    // There is no root yet, so the root is made without a parent.
    mRootControls = CreateControls(nullptr);
    mMasterControls = CreateControls(mRootControls.get());
    GetControls(Audio::GetEffectKind());
    GetControls(Audio::GetMusicKind());
    GetControls(Audio::GetAmbientKind());

    // No sound is heard until the engine activates the platform.
    mActive = true;
    Activate(false);
}

void BASSAudioPlatform::Activate(bool active)
{
    if (!gLibraryInitialised || active == mActive)
        return;
    if (active)
    {
        GetBASSLibrary().Start();
        TestBASSError("BASS_Start()");
    }
    else
    {
        GetBASSLibrary().Pause();
        TestBASSError("BASS_Pause()");
    }
    mActive = active;
}

void BASSAudioPlatform::Cleanup()
{
    mChannels.clear();
    mAllControls.clear();
    mKindControls.clear();
    mMasterControls.reset();
    mRootControls.reset();
    if (gLibraryInitialised)
    {
        GetBASSLibrary().Free();
        TestBASSError("BASS_Free()");
    }
    gLibraryInitialised = false;
}

void BASSAudioPlatform::Update(float dt)
{
    for (auto channel = mChannels.begin(); channel != mChannels.end();)
    {
        (*channel)->Update(dt);
        if (!(*channel)->IsPlaying() && (*channel)->GetReferenceCount() == 1)
        {
            (*channel)->Stop();
            channel = mChannels.erase(channel);
        }
        else
        {
            ++channel;
        }
    }
    for (auto controls = mAllControls.begin(); controls != mAllControls.end();)
    {
        (*controls)->Update(dt);
        if ((*controls)->GetReferenceCount() == 1)
            controls = mAllControls.erase(controls);
        else
            ++controls;
    }
}

boost::intrusive_ptr<IReferenced> BASSAudioPlatform::CreateSoundData(Label, IStream*)
{
    return boost::intrusive_ptr<IReferenced>();
}

boost::intrusive_ptr<ISoundChannel> BASSAudioPlatform::CreateChannel()
{
    boost::intrusive_ptr<BASSSoundChannel> const channel(new BASSSoundChannel(), false);
    mChannels.push_back(channel);
    return channel;
}

boost::intrusive_ptr<IAudioControls> BASSAudioPlatform::GetMasterControls()
{
    return mMasterControls;
}

boost::intrusive_ptr<IAudioControls> BASSAudioPlatform::GetControls(Label kind)
{
    auto const found = mKindControls.find(kind);
    if (found != mKindControls.end())
        return found->second;
    boost::intrusive_ptr<IAudioControls> const controls = CreateControls(mMasterControls.get());
    controls->SetVolume(kKindVolume);
    mKindControls[kind] = controls;
    return controls;
}

boost::intrusive_ptr<IAudioControls> BASSAudioPlatform::CreateControls(IAudioControls* parent)
{
    boost::intrusive_ptr<Internal::BaseAudioControls> const controls(
        new Internal::BaseAudioControls(parent ? parent : mRootControls.get()), false);
    mAllControls.push_back(controls);
    return controls;
}

bool BASSAudioPlatform::WasSoundPlayedRecently(ISound const* sound, unsigned int milliseconds)
{
    uint32_t const now = GetTimeMS();
    for (auto const& channel : mChannels)
    {
        // Unsigned difference: right also when the clock wraps.
        if (channel->GetSound() == sound && channel->IsPlaying() && now - channel->GetStartTime() <= milliseconds)
            return true;
    }
    return false;
}
