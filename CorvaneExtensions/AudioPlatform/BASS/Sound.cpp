#include "CorvaneExtensions/AudioPlatform/BASS/Sound.h"

#include <memory>

#include "2DEngine/Source/Framework/FileSource.h"
#include "Core/Source/FileSystem.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSSound.h"

namespace Corvane
{

namespace
{

wchar_t const* const kExtensions[] = {L".ogg", L".mp3", L".wav"};

void CloseStream(IStream* stream)
{
    if (IFileSystem* fileSystem = GetFileSystem())
        fileSystem->CloseStream(stream);
    else
        delete stream;
}

} // namespace

Sound::Sound() : mKind(Audio::GetEffectKind()), mVolume(1.0f), mRate(1.0f), mPan(0.0f), mLoopCount(1) {}

Sound::~Sound() {}

IResourceDescriptor* SoundResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                          IAttributeContainer const& attributes, IXMLReader&) const
{
    IFileSource* const source = GetFileSource();
    if (!source)
        return nullptr;
    std::wstring const src = attributes.GetAttribute(L"src");
    for (wchar_t const* extension : kExtensions)
    {
        IStream* const stream = source->OpenFileStream(FileAddress(kFileSystemPartition_Resources, src, extension));
        if (!stream)
            continue;
        std::unique_ptr<ResourceWrapper<Sound> > wrapper(new ResourceWrapper<Sound>(manifest, name, attributes));
        Sound* const sound = wrapper.get();
        sound->mKind = ToSoundKind(attributes.GetAttribute(L"type"));
        sound->mVolume = ReadSoundVolume(attributes);
        sound->mRate = ReadSoundRate(attributes);
        sound->mPan = ReadSoundPan(attributes);
        sound->mLoopCount = ReadSoundLoopCount(attributes);
        if (IAudioPlatform* const platform = GetAudioPlatform())
        {
            // The format is the extension without its dot.
            Label const format = Label::FromString(std::wstring(extension + 1));
            try
            {
                sound->mData = platform->CreateSoundData(format, stream);
            }
            catch (...)
            {
                CloseStream(stream);
                throw;
            }
        }
        CloseStream(stream);
        return wrapper.release();
    }
    return nullptr;
}

void SoundResourceFactory::GetFileListForResource(std::list<FileVariant>* files, std::wstring const&, Label,
                                                  IAttributeContainer const& attributes, IXMLReader&) const
{
    if (!files)
        return;
    FileVariant variant;
    variant.name = attributes.GetAttribute(L"src");
    variant.extensions.assign(std::begin(kExtensions), std::end(kExtensions));
    files->push_back(variant);
}

} // namespace Corvane
