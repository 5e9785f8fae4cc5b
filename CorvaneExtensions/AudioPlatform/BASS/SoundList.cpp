#include "CorvaneExtensions/AudioPlatform/BASS/SoundList.h"

#include <memory>

#include "Core/Source/XMLReader.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSSound.h"

namespace Corvane
{

ISound const* SoundList::GetSound(Label event) const
{
    auto const found = mSounds.find(event);
    if (found == mSounds.end() || found->second.IsNull())
        return nullptr;
    return AutoResource<ISound>(found->second).Get();
}

void SoundList::SetSound(Label event, Label name, ISound const* sound)
{
    mSounds[event] = sound ? name : Label();
}

void SoundList::PlaySound(Label event) const
{
    if (ISound const* sound = GetSound(event))
        Audio::Play(sound, Audio::sPlayState());
}

IResourceDescriptor* SoundListResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                              IAttributeContainer const& attributes,
                                                              IXMLReader& reader) const
{
    std::unique_ptr<ResourceWrapper<SoundList> > list(new ResourceWrapper<SoundList>(manifest, name, attributes));
    ForEachChildSoundElement(reader, [&](XMLElement const& child) {
        Label const name = Label::FromString(child.GetAttribute(L"src"));
        list->SetSound(Label::FromString(child.GetAttribute(L"event")), name, AutoResource<ISound>(name).Get());
    });
    return list.release();
}

} // namespace Corvane
