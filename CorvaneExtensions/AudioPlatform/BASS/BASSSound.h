#ifndef CORVANE_AUDIO_BASSSOUND_H
#define CORVANE_AUDIO_BASSSOUND_H

// Sound resources of the "sound" and "randomsound" elements, the loaded files
// behind them, and the factories that make them.

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include <boost/intrusive_ptr.hpp>

#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "Core/Source/Label.h"
#include "Core/Source/XMLReader.h"

// One loaded file: the library object and the handle a pass plays. It owns the
// library object, so it is never copied.
class SoundFileData
{
public:
    SoundFileData() = default;
    virtual ~SoundFileData() {}
    SoundFileData(SoundFileData const&) = delete;
    SoundFileData& operator=(SoundFileData const&) = delete;
    // The handle to play; 0 when the file did not load.
    virtual uint32_t GetChannel() const = 0;
    // Whether the library made its object of the file.
    virtual bool IsLoaded() const = 0;
};

// A sample: a new channel of it for every pass.
class SampleSoundFileData : public SoundFileData
{
public:
    // The bytes are not kept.
    SampleSoundFileData(unsigned char const* bytes, uint32_t length);
    ~SampleSoundFileData() override;
    uint32_t GetChannel() const override;
    bool IsLoaded() const override { return m_hsample != 0; }
    uint32_t GetHandle() const { return m_hsample; }

private:
    uint32_t m_hsample;
};

// A stream played from memory: the library reads the bytes while it plays, so
// they live as long as the stream.
class StreamSoundFileData : public SoundFileData
{
public:
    explicit StreamSoundFileData(std::vector<unsigned char>&& bytes);
    ~StreamSoundFileData() override;
    uint32_t GetChannel() const override;
    bool IsLoaded() const override { return m_hstream != 0; }

private:
    std::vector<unsigned char> mBytes;
    uint32_t m_hstream;
};

// Tracker music.
class MusicSoundFileData : public SoundFileData
{
public:
    // The bytes are not kept.
    MusicSoundFileData(unsigned char const* bytes, uint32_t length);
    ~MusicSoundFileData() override;
    uint32_t GetChannel() const override;
    bool IsLoaded() const override { return m_hmusic != 0; }

private:
    uint32_t m_hmusic;
};

// The files of one sound; a random sound picks one of them for each pass.
class BASSSoundData : public Corvane::IReferenced
{
public:
    BASSSoundData();
    ~BASSSoundData() override;
    BASSSoundData(BASSSoundData const&) = delete;
    BASSSoundData& operator=(BASSSoundData const&) = delete;

    void AddRef() override;
    void Release() override;

    void AddFile(std::shared_ptr<SoundFileData> const& file) { mFiles.push_back(file); }
    std::vector<std::shared_ptr<SoundFileData> > const& GetFiles() const { return mFiles; }
    // The handle for the next pass, 0 without files. With three files or more
    // the same file never comes twice in a row.
    uint32_t GetBASSChannel();
    // -1 before the first pick.
    int GetLastPick() const { return mLastPick; }

private:
    Corvane::ReferenceCount mReferences;
    std::vector<std::shared_ptr<SoundFileData> > mFiles;
    int mLastPick;
};

class BASSSound : public Corvane::ISound
{
public:
    BASSSound();
    ~BASSSound() override;
    BASSSound(BASSSound const&) = delete;
    BASSSound& operator=(BASSSound const&) = delete;

    Corvane::Label GetKind() const override { return mKind; }
    float GetDefaultVolume() const override { return mVolume; }
    float GetDefaultRate() const override { return mRate; }
    float GetDefaultPan() const override { return mPan; }
    int GetDefaultLoopCount() const override { return mLoopCount; }
    boost::intrusive_ptr<Corvane::IReferenced> GetSoundData() const override;
    BASSSoundData* GetBASSSoundData() const { return mData.get(); }

    // Makes the resource of a "sound" element, or of a "randomsound" with its
    // child "sound" elements. A file that is missing or does not load leaves a
    // sound that plays nothing.
    static Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                        Corvane::IAttributeContainer const& attributes,
                                                        Corvane::IXMLReader& reader, bool random);
    static void GetFileListForResource(std::list<Corvane::FileVariant>* files,
                                       Corvane::IAttributeContainer const& attributes,
                                       Corvane::IXMLReader& reader, bool random);

private:
    Corvane::Label mKind;
    float mVolume;
    float mRate;
    float mPan;
    int mLoopCount;
    boost::intrusive_ptr<BASSSoundData> mData;
};

class BASSSoundResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader& reader) const override;
    void GetFileListForResource(std::list<Corvane::FileVariant>* files, std::wstring const& manifest,
                                Corvane::Label name, Corvane::IAttributeContainer const& attributes,
                                Corvane::IXMLReader& reader) const override;
};

class BASSRandomSoundResourceFactory : public Corvane::IResourceFactory
{
public:
    Corvane::IResourceDescriptor* CreateResource(std::wstring const& manifest, Corvane::Label name,
                                                 Corvane::IAttributeContainer const& attributes,
                                                 Corvane::IXMLReader& reader) const override;
    void GetFileListForResource(std::list<Corvane::FileVariant>* files, std::wstring const& manifest,
                                Corvane::Label name, Corvane::IAttributeContainer const& attributes,
                                Corvane::IXMLReader& reader) const override;
};

// The kind of a "type" text: "effect", "sfx" or "" give "Effect", "music"
// "Music", "ambient" "Ambient"; any other text names a kind of its own.
Corvane::Label ToSoundKind(std::wstring const& type);

// The values of the "volume", "pan", "rate" and "loop" attributes with their
// defaults and limits.
float ReadSoundVolume(Corvane::IAttributeContainer const& attributes);
float ReadSoundPan(Corvane::IAttributeContainer const& attributes);
float ReadSoundRate(Corvane::IAttributeContainer const& attributes);
int ReadSoundLoopCount(Corvane::IAttributeContainer const& attributes);

// Calls visit with each child "sound" element of the element the reader is
// confined to; deeper elements and other tags are passed over.
void ForEachChildSoundElement(Corvane::IXMLReader& reader,
                              std::function<void(Corvane::XMLElement const&)> const& visit);

// The extensions a sound file is looked for with, in order.
std::list<std::wstring> GetBASSSoundExtensions();

// Loads the file named src in the resources partition; null when the library
// is not initialised or no file is found. stream false loads a sample. A file
// the library cannot decode is logged by its name.
std::shared_ptr<SoundFileData> CreateBASSSoundFileData(std::wstring const& src, bool stream);

#endif
