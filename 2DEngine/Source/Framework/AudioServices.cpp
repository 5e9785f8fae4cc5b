#include "2DEngine/Source/Framework/AudioServices.h"

namespace Corvane
{
namespace Internal
{

BaseAudioPlatform::BaseAudioPlatform()
{
    RegisterSingleton(static_cast<IAudioPlatform*>(this));
}

BaseAudioPlatform::~BaseAudioPlatform()
{
    UnregisterSingleton(static_cast<IAudioPlatform*>(this));
}

Label BaseAudioPlatform::GetName()
{
    return Label();
}

boost::intrusive_ptr<IReferenced> BaseAudioPlatform::CreateSoundData(Label, IStream*)
{
    return boost::intrusive_ptr<IReferenced>();
}

boost::intrusive_ptr<ISoundChannel> BaseAudioPlatform::CreateChannel()
{
    return boost::intrusive_ptr<ISoundChannel>();
}

boost::intrusive_ptr<IAudioControls> BaseAudioPlatform::GetMasterControls()
{
    return boost::intrusive_ptr<IAudioControls>();
}

boost::intrusive_ptr<IAudioControls> BaseAudioPlatform::GetControls(Label)
{
    return boost::intrusive_ptr<IAudioControls>();
}

boost::intrusive_ptr<IAudioControls> BaseAudioPlatform::CreateControls(IAudioControls*)
{
    return boost::intrusive_ptr<IAudioControls>();
}

bool BaseAudioPlatform::WasSoundPlayedRecently(ISound const*, unsigned int)
{
    return false;
}

} // namespace Internal
} // namespace Corvane
