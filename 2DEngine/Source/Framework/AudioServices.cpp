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

} // namespace Internal
} // namespace Corvane
