#ifndef CORVANE_AUDIO_SOUND_H
#define CORVANE_AUDIO_SOUND_H

// A sound resource whose data the registered platform makes from a stream;
// its factory is not registered by the program's platform.

#include <list>
#include <string>

#include <boost/intrusive_ptr.hpp>

#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "Core/Source/Label.h"

namespace Corvane
{

class Sound : public ISound
{
public:
    Sound();
    ~Sound() override;
    Sound(Sound const&) = delete;
    Sound& operator=(Sound const&) = delete;

    Label GetKind() const override { return mKind; }
    float GetDefaultVolume() const override { return mVolume; }
    float GetDefaultRate() const override { return mRate; }
    float GetDefaultPan() const override { return mPan; }
    int GetDefaultLoopCount() const override { return mLoopCount; }
    boost::intrusive_ptr<IReferenced> GetSoundData() const override { return mData; }

private:
    friend class SoundResourceFactory;

    Label mKind;
    float mVolume;
    float mRate;
    float mPan;
    int mLoopCount;
    boost::intrusive_ptr<IReferenced> mData;
};

class SoundResourceFactory : public IResourceFactory
{
public:
    // Null when no file of "src" is found.
    IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name, IAttributeContainer const& attributes,
                                        IXMLReader& reader) const override;
    void GetFileListForResource(std::list<FileVariant>* files, std::wstring const& manifest, Label name,
                                IAttributeContainer const& attributes, IXMLReader& reader) const override;
};

} // namespace Corvane

#endif
