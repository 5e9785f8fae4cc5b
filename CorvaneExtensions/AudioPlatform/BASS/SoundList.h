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
    // Null when the event is not in the list, its sound was missing when the
    // list was made, or its sound's resource has been unloaded since.
    ISound const* GetSound(Label event) const;
    // Plays the event's sound with a default play state; nothing without one.
    void PlaySound(Label event) const;

    // The sound resource of that name as it is bound now; a null sound keeps the entry empty.
    void SetSound(Label event, Label name, ISound const* sound);
    size_t GetCount() const { return mSounds.size(); }

private:
    // The resource name of a sound found when the list was made, or the null
    // label for a missing one. The sound is looked up again on use, so that a
    // list never reaches a sound whose manifest was unloaded before the list's.
    std::map<Label, Label> mSounds;
};

class SoundListResourceFactory : public IResourceFactory
{
public:
    IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name, IAttributeContainer const& attributes,
                                        IXMLReader& reader) const override;
};

} // namespace Corvane

#endif
