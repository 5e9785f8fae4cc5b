#ifndef CORVANE_AUDIO_SOUNDLIST_H
#define CORVANE_AUDIO_SOUNDLIST_H

// A resource that maps event labels to sounds, resolved once when it is made.

#include <map>
#include <string>

#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "Core/Source/Label.h"

namespace Corvane
{

class SoundList
{
public:
    // Null when the event is not in the list or its sound was missing.
    ISound const* GetSound(Label event) const;
    // Plays the event's sound with a default play state; nothing without one.
    void PlaySound(Label event) const;

    void SetSound(Label event, ISound const* sound) { mSounds[event] = sound; }
    size_t GetCount() const { return mSounds.size(); }

private:
    // Not counted: the sounds are resources that outlive the list.
    std::map<Label, ISound const*> mSounds;
};

class SoundListResourceFactory : public IResourceFactory
{
public:
    IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name, IAttributeContainer const& attributes,
                                        IXMLReader& reader) const override;
};

} // namespace Corvane

#endif
