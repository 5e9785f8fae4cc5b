// The platform-neutral sound resource: its factory asks the registered
// platform for the data of the first of three file kinds found.

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/FileSource.h"
#include "CorvaneExtensions/AudioPlatform/BASS/Sound.h"
#include "CorvaneExtensions/Tests/Audio/AudioTestSupport.h"

namespace AudioTesting
{
namespace
{

typedef std::vector<std::string> Calls;

// Opens resources through the file system, as the default file source does.
class ScratchFileSource : public IFileSource
{
public:
    IStream* OpenFileStream(FileAddress const& address) const override
    {
        FileAddress found(address);
        if (!GetFileSystem()->FindFile(&found))
            return nullptr;
        return GetFileSystem()->OpenStream(&found, kFileRead, kFileOpenExisting);
    }
    bool Cleanup() override { return false; }
};

// Makes counted data from a stream and remembers what it was asked.
class DataPlatform : public Internal::BaseAudioPlatform
{
public:
    void Setup() override {}
    void Cleanup() override {}
    void Activate(bool) override {}
    void Update(float) override {}
    boost::intrusive_ptr<IReferenced> CreateSoundData(Label format, IStream* stream) override
    {
        formats.push_back(format);
        lengths.push_back(stream ? stream->GetLength() : 0);
        return boost::intrusive_ptr<IReferenced>(new Internal::BaseSoundData(), false);
    }

    std::vector<Label> formats;
    std::vector<uint32_t> lengths;
};

class SoundTest : public AudioFixture
{
protected:
    void SetUp() override
    {
        AudioFixture::SetUp();
        RegisterSingleton(static_cast<IFileSource*>(&files));
    }
    void TearDown() override
    {
        RegisterSingleton(static_cast<IFileSource*>(nullptr));
        AudioFixture::TearDown();
    }

    // The resource the factory makes of the element, or null.
    std::unique_ptr<IResourceDescriptor> Make(std::wstring const& attributes)
    {
        MemoryStream stream(L"e");
        std::string const bytes = ConvertStringWideToUTF8String(L"<sound " + attributes + L"/>");
        stream.Write(bytes.data(), bytes.size());
        stream.Seek(kSeekBegin, 0);
        std::unique_ptr<IXMLReader> reader(CreateXMLReader(&stream));
        XMLElement* read = reader->ReadElement();
        while (read && read->kind != XMLElement::kStartElement)
            read = reader->ReadElement();
        XMLElement const copy(*read);
        XMLElementReader confined(reader.get());
        return std::unique_ptr<IResourceDescriptor>(factory.CreateResource(L"Sonidos", L8("Voz"), copy, confined));
    }

    ScratchFileSource files;
    SoundResourceFactory const factory;
};

// --- normal case -----------------------------------------------------------

TEST_F(SoundTest, TheFirstOfOggMp3AndWavIsGivenToThePlatform)
{
    DataPlatform data;
    WriteResource("voz.wav", std::string(30, 'w'));
    WriteResource("voz.mp3", std::string(20, 'm'));
    std::unique_ptr<IResourceDescriptor> const made = Make(L"src=\"voz\" type=\"music\" volume=\"2\" loop=\"forever\"");
    Sound const* const sound = dynamic_cast<Sound const*>(made.get());
    ASSERT_NE(nullptr, sound);
    ASSERT_EQ(1u, data.formats.size());
    EXPECT_EQ(L8("mp3"), data.formats[0]);
    EXPECT_EQ(20u, data.lengths[0]);
    EXPECT_NE(nullptr, sound->GetSoundData());
    EXPECT_EQ(Audio::GetMusicKind(), sound->GetKind());
    EXPECT_EQ(1.0f, sound->GetDefaultVolume());
    EXPECT_EQ(0, sound->GetDefaultLoopCount());
}

TEST_F(SoundTest, ItsFileListNamesTheThreeKinds)
{
    std::list<FileVariant> list;
    XMLElement element(XMLElement::kStartElement, L"sound");
    element.SetAttributes(IAttributeContainer::AttributeMap{{L"src", L"voz"}});
    XMLElementList reader;
    factory.GetFileListForResource(&list, L"Sonidos", L8("Voz"), element, reader);
    ASSERT_EQ(1u, list.size());
    EXPECT_EQ(L"voz", list.front().name);
    EXPECT_EQ((std::list<std::wstring>{L".ogg", L".mp3", L".wav"}), list.front().extensions);
}

// --- invalid input ---------------------------------------------------------

TEST_F(SoundTest, NoFileMakesNoResource)
{
    DataPlatform data;
    WriteResource("voz.mod");
    EXPECT_EQ(nullptr, Make(L"src=\"voz\""));
    EXPECT_EQ(nullptr, Make(L""));
    EXPECT_TRUE(data.formats.empty());
}

// --- failure leaves state unchanged ----------------------------------------

TEST_F(SoundTest, TheProgramsPlatformMakesNoDataSoTheSoundIsSilent)
{
    WriteResource("voz.ogg");
    std::unique_ptr<IResourceDescriptor> const made = Make(L"src=\"voz\"");
    Sound const* const sound = dynamic_cast<Sound const*>(made.get());
    ASSERT_NE(nullptr, sound);
    EXPECT_EQ(nullptr, sound->GetSoundData());
    Audio::Play(sound, Audio::sPlayState());
    EXPECT_EQ(Calls{}, library.Take());
}

} // namespace
} // namespace AudioTesting
