#include "CorvaneExtensions/AudioPlatform/BASS/BASSSound.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <memory>
#include <stdexcept>

#include "Core/Source/FileSystem.h"
#include "Core/Source/Log.h"
#include "Core/Source/Random.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/XMLReader.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Audio.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSAudioPlatform.h"
#include "CorvaneExtensions/AudioPlatform/BASS/BASSLibrary.h"

using namespace Corvane;

namespace
{

// The file is in memory: the library's first argument.
bool const kFromMemory = true;
// The most channels of one sample at once, and the sample flags.
uint32_t const kSampleMaxChannels = 32;
uint32_t const kSampleFlags = 131072;

// The extensions a sound file is looked for with: streams first, then tracker music.
wchar_t const* const kStreamExtensions[] = {L".ogg", L".mp3", L".wav", L".aif"};
wchar_t const* const kMusicExtensions[] = {L".mod", L".s3m", L".xm", L".it", L".mo3", L".mtm", L".umx"};

// The whole file; false when it cannot be opened or read.
bool GetFileBytes(FileAddress const& address, std::vector<unsigned char>* bytes)
{
    try
    {
        AutoStream stream(&address, kFileRead, kFileOpenExisting);
        if (!stream)
            return false;
        uint32_t const length = stream->GetLength();
        bytes->resize(length);
        size_t const read = length > 0 ? stream->Read(bytes->data(), length) : 0;
        bytes->resize(read);
        return true;
    }
    catch (std::exception const&)
    {
        // An unreadable file gives a silent sound, like a missing one.
        bytes->clear();
        return false;
    }
}

FileVariant MakeVariant(std::wstring const& src)
{
    FileVariant variant;
    variant.name = src;
    variant.extensions = GetBASSSoundExtensions();
    return variant;
}

// The library is gone (and took every handle with it) once it is freed.
bool CanFree(uint32_t handle)
{
    return handle != 0 && IsBassAudioPlatformInitialized();
}

} // namespace

void ForEachChildSoundElement(IXMLReader& reader, std::function<void(XMLElement const&)> const& visit)
{
    // The element itself comes first.
    XMLElement const* const own = reader.ReadElement();
    if (!own || own->kind != XMLElement::kStartElement)
        return;
    int depth = 1;
    while (!reader.IsEOF())
    {
        XMLElement const* const element = reader.ReadElement();
        if (!element)
            break;
        if (element->kind == XMLElement::kStartElement)
        {
            if (depth == 1 && element->name == L"sound")
                visit(*element);
            ++depth;
        }
        else if (element->kind == XMLElement::kEndElement)
        {
            --depth;
        }
    }
}

SampleSoundFileData::SampleSoundFileData(unsigned char const* bytes, uint32_t length)
    : m_hsample(GetBASSLibrary().SampleLoad(kFromMemory, bytes, 0, length, kSampleMaxChannels, kSampleFlags))
{
    if (m_hsample == 0)
        Internal::LogWrite("BASS_SampleLoad error: %d\n", GetBASSLibrary().ErrorGetCode());
}

SampleSoundFileData::~SampleSoundFileData()
{
    if (!CanFree(m_hsample))
        return;
    GetBASSLibrary().SampleFree(m_hsample);
    TestBASSError("BASS_SampleFree(m_hsample)");
}

uint32_t SampleSoundFileData::GetChannel() const
{
    return m_hsample != 0 ? GetBASSLibrary().SampleGetChannel(m_hsample, true) : 0;
}

StreamSoundFileData::StreamSoundFileData(std::vector<unsigned char>&& bytes) : mBytes(std::move(bytes)), m_hstream(0)
{
    m_hstream = GetBASSLibrary().StreamCreateFile(kFromMemory, mBytes.data(), 0, mBytes.size(), 0);
    if (m_hstream == 0)
    {
        Internal::LogWrite("BASS_StreamCreateFile error: %d\n", GetBASSLibrary().ErrorGetCode());
        // Nothing reads them.
        std::vector<unsigned char>().swap(mBytes);
    }
}

StreamSoundFileData::~StreamSoundFileData()
{
    if (CanFree(m_hstream))
    {
        GetBASSLibrary().StreamFree(m_hstream);
        TestBASSError("BASS_StreamFree(m_hstream)");
    }
}

uint32_t StreamSoundFileData::GetChannel() const
{
    return m_hstream;
}

MusicSoundFileData::MusicSoundFileData(unsigned char const* bytes, uint32_t length)
    : m_hmusic(GetBASSLibrary().MusicLoad(kFromMemory, bytes, 0, length, 0, 0))
{
    if (m_hmusic == 0)
        Internal::LogWrite("BASS_MusicLoad error: %d\n", GetBASSLibrary().ErrorGetCode());
}

MusicSoundFileData::~MusicSoundFileData()
{
    if (!CanFree(m_hmusic))
        return;
    GetBASSLibrary().MusicFree(m_hmusic);
    TestBASSError("BASS_MusicFree(m_hmusic)");
}

uint32_t MusicSoundFileData::GetChannel() const
{
    return m_hmusic;
}

BASSSoundData::BASSSoundData() : mLastPick(-1) {}

BASSSoundData::~BASSSoundData() {}

void BASSSoundData::AddRef()
{
    mReferences.Add();
}

void BASSSoundData::Release()
{
    if (mReferences.Remove())
        delete this;
}

uint32_t BASSSoundData::GetBASSChannel()
{
    int const count = static_cast<int>(mFiles.size());
    if (count == 0)
        return 0;
    int pick = std::min(Random::GetIntRange(count - 1), count - 1);
    if (count >= 3)
    {
        while (pick == mLastPick)
            pick = std::min(Random::GetIntRange(count - 1), count - 1);
    }
    mLastPick = pick;
    return mFiles[static_cast<size_t>(pick)]->GetChannel();
}

BASSSound::BASSSound() : mKind(Audio::GetEffectKind()), mVolume(1.0f), mRate(1.0f), mPan(0.0f), mLoopCount(1) {}

BASSSound::~BASSSound() {}

boost::intrusive_ptr<IReferenced> BASSSound::GetSoundData() const
{
    return boost::intrusive_ptr<IReferenced>(mData.get());
}

IResourceDescriptor* BASSSound::CreateResource(std::wstring const& manifest, Label name,
                                               IAttributeContainer const& attributes, IXMLReader& reader,
                                               bool random)
{
    std::unique_ptr<ResourceWrapper<BASSSound> > wrapper(new ResourceWrapper<BASSSound>(manifest, name, attributes));
    BASSSound* const sound = wrapper.get();
    boost::intrusive_ptr<BASSSoundData> const data(new BASSSoundData(), false);
    if (!random)
    {
        if (std::shared_ptr<SoundFileData> file = CreateBASSSoundFileData(attributes.GetAttribute(L"src"), true))
            data->AddFile(file);
    }
    else
    {
        ForEachChildSoundElement(reader, [&](XMLElement const& child) {
            if (std::shared_ptr<SoundFileData> file = CreateBASSSoundFileData(child.GetAttribute(L"src"), true))
                data->AddFile(file);
        });
    }
    sound->mKind = ToSoundKind(attributes.GetAttribute(L"type"));
    sound->mVolume = ReadSoundVolume(attributes);
    sound->mRate = ReadSoundRate(attributes);
    sound->mPan = ReadSoundPan(attributes);
    sound->mLoopCount = ReadSoundLoopCount(attributes);
    sound->mData = data;
    return wrapper.release();
}

void BASSSound::GetFileListForResource(std::list<FileVariant>* files, IAttributeContainer const& attributes,
                                       IXMLReader& reader, bool random)
{
    if (!files)
        return;
    if (!random)
    {
        std::wstring const src = attributes.GetAttribute(L"src");
        if (!src.empty())
            files->push_back(MakeVariant(src));
        return;
    }
    ForEachChildSoundElement(reader, [&](XMLElement const& child) {
        std::wstring const src = child.GetAttribute(L"src");
        if (!src.empty())
            files->push_back(MakeVariant(src));
    });
}

IResourceDescriptor* BASSSoundResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                              IAttributeContainer const& attributes,
                                                              IXMLReader& reader) const
{
    return BASSSound::CreateResource(manifest, name, attributes, reader, false);
}

void BASSSoundResourceFactory::GetFileListForResource(std::list<FileVariant>* files, std::wstring const&, Label,
                                                      IAttributeContainer const& attributes,
                                                      IXMLReader& reader) const
{
    BASSSound::GetFileListForResource(files, attributes, reader, false);
}

IResourceDescriptor* BASSRandomSoundResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                                    IAttributeContainer const& attributes,
                                                                    IXMLReader& reader) const
{
    return BASSSound::CreateResource(manifest, name, attributes, reader, true);
}

void BASSRandomSoundResourceFactory::GetFileListForResource(std::list<FileVariant>* files, std::wstring const&,
                                                            Label, IAttributeContainer const& attributes,
                                                            IXMLReader& reader) const
{
    BASSSound::GetFileListForResource(files, attributes, reader, true);
}

Label ToSoundKind(std::wstring const& type)
{
    if (type.empty() || type == L"effect" || type == L"sfx")
        return Audio::GetEffectKind();
    if (type == L"music")
        return Audio::GetMusicKind();
    if (type == L"ambient")
        return Audio::GetAmbientKind();
    return Label::FromString(type);
}

namespace
{

// The attribute clamped into [low, high]; the default when absent or not a number.
float ReadClamped(IAttributeContainer const& attributes, wchar_t const* name, float fallback, float low, float high)
{
    float const value = attributes.GetAttribute(name, fallback);
    if (std::isnan(value))
        return fallback;
    return std::max(low, std::min(high, value));
}

} // namespace

float ReadSoundVolume(IAttributeContainer const& attributes)
{
    return ReadClamped(attributes, L"volume", 1.0f, 0.0f, 1.0f);
}

float ReadSoundPan(IAttributeContainer const& attributes)
{
    return ReadClamped(attributes, L"pan", 0.0f, -1.0f, 1.0f);
}

float ReadSoundRate(IAttributeContainer const& attributes)
{
    return ReadClamped(attributes, L"rate", 1.0f, FLT_MIN, FLT_MAX);
}

int ReadSoundLoopCount(IAttributeContainer const& attributes)
{
    if (attributes.GetAttribute(L"loop") == L"forever")
        return 0;
    return std::max(0, attributes.GetAttribute(L"loop", 1));
}

std::list<std::wstring> GetBASSSoundExtensions()
{
    std::list<std::wstring> extensions(std::begin(kStreamExtensions), std::end(kStreamExtensions));
    extensions.insert(extensions.end(), std::begin(kMusicExtensions), std::end(kMusicExtensions));
    return extensions;
}

std::shared_ptr<SoundFileData> CreateBASSSoundFileData(std::wstring const& src, bool stream)
{
    IFileSystem* const fileSystem = GetFileSystem();
    if (!IsBassAudioPlatformInitialized() || !fileSystem || src.empty())
        return nullptr;
    bool music = false;
    FileAddress found;
    bool exists = false;
    for (std::wstring const& extension : GetBASSSoundExtensions())
    {
        FileAddress address(kFileSystemPartition_Resources, src, extension);
        if (address.IsValid() && fileSystem->FindFile(&address))
        {
            music = std::find(std::begin(kMusicExtensions), std::end(kMusicExtensions), extension) !=
                    std::end(kMusicExtensions);
            found = address;
            exists = true;
            break;
        }
    }
    if (!exists)
        return nullptr;
    std::vector<unsigned char> bytes;
    if (!GetFileBytes(found, &bytes))
        return nullptr;
    uint32_t const length = static_cast<uint32_t>(bytes.size());
    std::shared_ptr<SoundFileData> file;
    if (music)
        file = std::make_shared<MusicSoundFileData>(bytes.data(), length);
    else if (stream)
        file = std::make_shared<StreamSoundFileData>(std::move(bytes));
    else
        file = std::make_shared<SampleSoundFileData>(bytes.data(), length);
    // The library's own line gives only its error code.
    if (!file->IsLoaded())
        Internal::LogWrite("Sound file %s could not be decoded; it plays nothing.\n",
                           TruncateStringWideToASCII(found.GetFileName()).c_str());
    return file;
}
