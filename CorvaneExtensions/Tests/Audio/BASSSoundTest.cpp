// Sound resources: their attributes, the file-extension order, the library
// objects behind them, random picks and the file lists.

#include <cfloat>
#include <set>

#include <gtest/gtest.h>

#include "Core/Source/XMLReader.h"
#include "CorvaneExtensions/Tests/Audio/AudioTestSupport.h"

namespace AudioTesting
{
namespace
{

typedef std::vector<std::string> Calls;

// A loaded file that always gives the same handle.
class FixedFile : public SoundFileData
{
public:
    explicit FixedFile(uint32_t handle) : mHandle(handle) {}
    uint32_t GetChannel() const override { return mHandle; }
    bool IsLoaded() const override { return true; }

private:
    uint32_t mHandle;
};

// Runs the visit with the first element of the text and a reader confined to it.
template <class Visit>
void WithElement(std::wstring const& text, Visit visit)
{
    MemoryStream stream(L"element");
    std::string const bytes = ConvertStringWideToUTF8String(text);
    stream.Write(bytes.data(), bytes.size());
    stream.Seek(kSeekBegin, 0);
    std::unique_ptr<IXMLReader> reader(CreateXMLReader(&stream));
    XMLElement* element = reader->ReadElement();
    while (element && element->kind != XMLElement::kStartElement)
        element = reader->ReadElement();
    ASSERT_NE(nullptr, element);
    XMLElement const copy(*element);
    XMLElementReader confined(reader.get());
    visit(copy, confined);
}

class BASSSoundTest : public AudioFixture
{
protected:
    BASSSound* FindBASSSound(char const* name) { return dynamic_cast<BASSSound*>(FindSound(name)); }
};

// --- normal case -----------------------------------------------------------

TEST_F(BASSSoundTest, AttributesGiveTheSoundsDefaults)
{
    BASSSound* const plain = dynamic_cast<BASSSound*>(MakeSound("Simple"));
    ASSERT_NE(nullptr, plain);
    EXPECT_EQ(Audio::GetEffectKind(), plain->GetKind());
    EXPECT_EQ(1.0f, plain->GetDefaultVolume());
    EXPECT_EQ(1.0f, plain->GetDefaultRate());
    EXPECT_EQ(0.0f, plain->GetDefaultPan());
    EXPECT_EQ(1, plain->GetDefaultLoopCount());

    BASSSound* const set =
        dynamic_cast<BASSSound*>(MakeSound("Puesto", L"type=\"ambient\" volume=\"0.5\" pan=\"-0.5\" rate=\"2\" loop=\"3\""));
    ASSERT_NE(nullptr, set);
    EXPECT_EQ(Audio::GetAmbientKind(), set->GetKind());
    EXPECT_FLOAT_EQ(0.5f, set->GetDefaultVolume());
    EXPECT_FLOAT_EQ(-0.5f, set->GetDefaultPan());
    EXPECT_FLOAT_EQ(2.0f, set->GetDefaultRate());
    EXPECT_EQ(3, set->GetDefaultLoopCount());
}

TEST_F(BASSSoundTest, TypeTextsMapToKinds)
{
    EXPECT_EQ(Audio::GetEffectKind(), ToSoundKind(L""));
    EXPECT_EQ(Audio::GetEffectKind(), ToSoundKind(L"effect"));
    EXPECT_EQ(Audio::GetEffectKind(), ToSoundKind(L"sfx"));
    EXPECT_EQ(Audio::GetMusicKind(), ToSoundKind(L"music"));
    EXPECT_EQ(Audio::GetAmbientKind(), ToSoundKind(L"ambient"));
    // Not the "music" text, but the label of "Music", which is the same caseless label.
    EXPECT_EQ(Audio::GetMusicKind(), ToSoundKind(L"Music"));
    EXPECT_EQ(L8("Voz"), ToSoundKind(L"voz"));
    // Content names are wide text.
    EXPECT_EQ(Label(L"Canción"), ToSoundKind(L"Canción"));
}

TEST_F(BASSSoundTest, AStreamedFileIsLoadedFromMemoryAndKeptUntilItsDataGoes)
{
    WriteResource("golpe.wav", std::string(1234, 'x'));
    LoadManifest(L"<sound name=\"Golpe\" src=\"golpe\"/>");
    EXPECT_EQ((Calls{"StreamCreateFile 1 0 1234 0"}), library.Take());
    GetResourceManager()->Unload(L"Sonidos");
    EXPECT_EQ((Calls{"StreamFree 100"}), library.Take());
}

TEST_F(BASSSoundTest, TheFirstExtensionInOrderWins)
{
    WriteResource("tema.mod", std::string(10, 'm'));
    WriteResource("tema.ogg", std::string(20, 'o'));
    WriteResource("tema.wav", std::string(30, 'w'));
    WriteResource("otro.wav", std::string(30, 'w'));
    WriteResource("otro.mp3", std::string(40, 'p'));
    LoadManifest(L"<sound name=\"Tema\" src=\"tema\"/><sound name=\"Otro\" src=\"otro\"/>");
    EXPECT_EQ((Calls{"StreamCreateFile 1 0 20 0", "StreamCreateFile 1 0 40 0"}), library.Take());
}

TEST_F(BASSSoundTest, TrackerFilesLoadAsMusic)
{
    WriteResource("baile.xm", std::string(50, 'x'));
    LoadManifest(L"<sound name=\"Baile\" src=\"baile\" type=\"music\"/>");
    EXPECT_EQ((Calls{"MusicLoad 1 0 50 0 0"}), library.Take());
    BASSSound* const sound = FindBASSSound("Baile");
    ASSERT_NE(nullptr, sound);
    EXPECT_EQ(100u, sound->GetBASSSoundData()->GetBASSChannel());
    GetResourceManager()->Unload(L"Sonidos");
    EXPECT_EQ((Calls{"MusicFree 100"}), library.Take());
}

TEST_F(BASSSoundTest, ASampleGivesANewChannelForEveryPass)
{
    WriteResource("chispa.wav", std::string(64, 's'));
    std::shared_ptr<SoundFileData> const file = CreateBASSSoundFileData(L"chispa", false);
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(101u, file->GetChannel());
    EXPECT_EQ(102u, file->GetChannel());
    EXPECT_EQ((Calls{"SampleLoad 1 0 64 32 131072", "SampleGetChannel 100 1", "SampleGetChannel 100 1"}),
              library.Take());
}

TEST_F(BASSSoundTest, ARandomSoundLoadsItsChildSoundsInOrder)
{
    WriteResource("a.wav", std::string(1, 'a'));
    WriteResource("b.wav", std::string(2, 'b'));
    WriteResource("c.wav", std::string(3, 'c'));
    LoadManifest(L"<randomsound name=\"Pasos\" type=\"ambient\" loop=\"forever\">"
                 L"<sound src=\"a\"/><nota src=\"b\"/><sound src=\"c\"/><grupo><sound src=\"b\"/></grupo>"
                 L"</randomsound>");
    EXPECT_EQ((Calls{"StreamCreateFile 1 0 1 0", "StreamCreateFile 1 0 3 0"}), library.Take());
    BASSSound* const sound = FindBASSSound("Pasos");
    ASSERT_NE(nullptr, sound);
    EXPECT_EQ(2u, sound->GetBASSSoundData()->GetFiles().size());
    EXPECT_EQ(Audio::GetAmbientKind(), sound->GetKind());
    EXPECT_EQ(0, sound->GetDefaultLoopCount());
}

TEST_F(BASSSoundTest, ThreeFilesOrMoreNeverRepeatAFileInARow)
{
    BASSSoundData data;
    for (uint32_t handle = 1; handle <= 3; ++handle)
        data.AddFile(std::make_shared<FixedFile>(handle));
    std::set<uint32_t> seen;
    uint32_t previous = 0;
    for (int pass = 0; pass < 600; ++pass)
    {
        uint32_t const handle = data.GetBASSChannel();
        EXPECT_NE(previous, handle);
        previous = handle;
        seen.insert(handle);
    }
    EXPECT_EQ(3u, seen.size());
}

TEST_F(BASSSoundTest, TwoFilesMayRepeatAndOneFileAlwaysDoes)
{
    BASSSoundData two;
    two.AddFile(std::make_shared<FixedFile>(1));
    two.AddFile(std::make_shared<FixedFile>(2));
    int repeats = 0;
    uint32_t previous = 0;
    for (int pass = 0; pass < 200; ++pass)
    {
        uint32_t const handle = two.GetBASSChannel();
        repeats += handle == previous ? 1 : 0;
        previous = handle;
    }
    EXPECT_GT(repeats, 0);

    BASSSoundData one;
    one.AddFile(std::make_shared<FixedFile>(7));
    EXPECT_EQ(7u, one.GetBASSChannel());
    EXPECT_EQ(7u, one.GetBASSChannel());
    EXPECT_EQ(0, one.GetLastPick());

    BASSSoundData none;
    EXPECT_EQ(0u, none.GetBASSChannel());
}

TEST_F(BASSSoundTest, TwoChannelsOfOneStreamShareItsHandle)
{
    ISound* const sound = MakeSound("Golpe");
    boost::intrusive_ptr<ISoundChannel> first, second;
    Audio::Play(sound, &first, Audio::sPlayState());
    clock.AdvanceMS(30);
    Audio::Play(sound, &second, Audio::sPlayState());
    EXPECT_EQ((Calls{"ChannelPlay 100 1", "ChannelPlay 100 1"}), library.Matching("ChannelPlay"));
    library.Take();
    second->Stop();
    Step();
    EXPECT_FALSE(first->IsPlaying());
}

TEST_F(BASSSoundTest, FileListsNameEveryCandidateFile)
{
    BASSSoundResourceFactory const single;
    BASSRandomSoundResourceFactory const random;
    std::list<std::wstring> const extensions = {L".ogg", L".mp3", L".wav", L".aif", L".mod", L".s3m",
                                                L".xm",  L".it",  L".mo3", L".mtm", L".umx"};
    WithElement(L"<sound name=\"Golpe\" src=\"efectos/golpe\"/>", [&](XMLElement const& element, IXMLReader& reader) {
        std::list<FileVariant> files;
        single.GetFileListForResource(&files, L"Sonidos", L8("Golpe"), element, reader);
        ASSERT_EQ(1u, files.size());
        EXPECT_EQ(L"efectos/golpe", files.front().name);
        EXPECT_EQ(extensions, files.front().extensions);
    });
    WithElement(L"<randomsound name=\"Pasos\"><sound src=\"paso1\"/><otro src=\"x\"/><sound src=\"paso2\"/>"
                L"</randomsound>",
                [&](XMLElement const& element, IXMLReader& reader) {
                    std::list<FileVariant> files;
                    random.GetFileListForResource(&files, L"Sonidos", L8("Pasos"), element, reader);
                    ASSERT_EQ(2u, files.size());
                    EXPECT_EQ(L"paso1", files.front().name);
                    EXPECT_EQ(L"paso2", files.back().name);
                    EXPECT_EQ(extensions, files.back().extensions);
                });
}

TEST_F(BASSSoundTest, SpanishFileNamesLoad)
{
    WriteResource("canción.wav", std::string(5, 'c'));
    LoadManifest(L"<sound name=\"Canción\" src=\"canción\"/>");
    EXPECT_EQ((Calls{"StreamCreateFile 1 0 5 0"}), library.Take());
    EXPECT_NE(nullptr, AutoResource<ISound>(Label(L"Canción")).Get());
}

// --- invalid input ---------------------------------------------------------

TEST_F(BASSSoundTest, AttributeValuesAreHeldWithinTheirLimits)
{
    struct Case
    {
        wchar_t const* attributes;
        float volume, pan, rate;
        int loops;
    };
    Case const cases[] = {
        {L"volume=\"1.5\" pan=\"-2\" rate=\"0\"", 1.0f, -1.0f, FLT_MIN, 1},
        {L"volume=\"-1\" pan=\"3\" rate=\"-5\"", 0.0f, 1.0f, FLT_MIN, 1},
        {L"volume=\"nan\" pan=\"nan\" rate=\"nan\"", 1.0f, 0.0f, 1.0f, 1},
        {L"loop=\"forever\"", 1.0f, 0.0f, 1.0f, 0},
        {L"loop=\"-3\"", 1.0f, 0.0f, 1.0f, 0},
        {L"loop=\"0\"", 1.0f, 0.0f, 1.0f, 0},
        {L"loop=\"7\"", 1.0f, 0.0f, 1.0f, 7},
    };
    int index = 0;
    for (Case const& c : cases)
    {
        std::string const name = Format("Caso%d", index++);
        ISound* const sound = MakeSound(name.c_str(), c.attributes);
        ASSERT_NE(nullptr, sound);
        EXPECT_EQ(c.volume, sound->GetDefaultVolume()) << name;
        EXPECT_EQ(c.pan, sound->GetDefaultPan()) << name;
        EXPECT_EQ(c.rate, sound->GetDefaultRate()) << name;
        EXPECT_EQ(c.loops, sound->GetDefaultLoopCount()) << name;
    }
    EXPECT_EQ(1.1754944e-38f, FLT_MIN);
}

TEST_F(BASSSoundTest, AFailedLoadIsLoggedAndLeavesASilentSound)
{
    WriteResource("roto.wav");
    WriteResource("rota.it");
    library.failures["StreamCreateFile"] = 41;
    library.failures["MusicLoad"] = 6;
    LogCapture log;
    LoadManifest(L"<sound name=\"Roto\" src=\"roto\"/><sound name=\"Rota\" src=\"rota\"/>");
    EXPECT_EQ("BASS_StreamCreateFile error: 41\nSound file roto.wav could not be decoded; it plays nothing.\n"
              "BASS_MusicLoad error: 6\nSound file rota.it could not be decoded; it plays nothing.\n",
              AudioLines(log.Take()));
    BASSSound* const sound = FindBASSSound("Roto");
    ASSERT_NE(nullptr, sound);
    ASSERT_EQ(1u, sound->GetBASSSoundData()->GetFiles().size());
    library.Take();
    Audio::Play(sound, Audio::sPlayState());
    EXPECT_EQ(Calls{}, library.Take());
    // Nothing to free either.
    GetResourceManager()->Unload(L"Sonidos");
    EXPECT_EQ(Calls{}, library.Take());
}

TEST_F(BASSSoundTest, AMissingFileGivesASoundWithoutFiles)
{
    LogCapture log;
    LoadManifest(L"<sound name=\"Fantasma\" src=\"no-existe\"/><sound name=\"Vacio\"/>");
    EXPECT_EQ("", AudioLines(log.Take()));
    for (char const* name : {"Fantasma", "Vacio"})
    {
        BASSSound* const sound = FindBASSSound(name);
        ASSERT_NE(nullptr, sound) << name;
        EXPECT_TRUE(sound->GetBASSSoundData()->GetFiles().empty());
    }
    EXPECT_EQ(Calls{}, library.Take());
}

TEST_F(BASSSoundTest, FailedFreesAreLogged)
{
    ISound* const sound = MakeSound("Golpe");
    ASSERT_NE(nullptr, sound);
    library.failures["StreamFree"] = 5;
    LogCapture log;
    GetResourceManager()->Unload(L"Golpe");
    EXPECT_EQ("BASS_StreamFree(m_hstream) error: 5 (BASS_ERROR_HANDLE)\n", AudioLines(log.Take()));
}

// --- failure leaves state unchanged ----------------------------------------

class BASSSoundWithoutLibraryTest : public AudioFixture
{
protected:
    bool SetUpPlatform() const override { return false; }
};

TEST_F(BASSSoundWithoutLibraryTest, SoundsAreMadeWithoutFileData)
{
    WriteResource("golpe.wav");
    BASSSoundResourceFactory const factory;
    WithElement(L"<sound name=\"Golpe\" src=\"golpe\" volume=\"0.5\"/>", [&](XMLElement const& element,
                                                                              IXMLReader& reader) {
        std::unique_ptr<IResourceDescriptor> made(
            factory.CreateResource(L"Sonidos", L8("Golpe"), element, reader));
        BASSSound* const sound = dynamic_cast<BASSSound*>(made.get());
        ASSERT_NE(nullptr, sound);
        EXPECT_FLOAT_EQ(0.5f, sound->GetDefaultVolume());
        EXPECT_TRUE(sound->GetBASSSoundData()->GetFiles().empty());
    });
    EXPECT_EQ(Calls{}, library.Take());
}

TEST_F(BASSSoundTest, DataOutlivingTheLibraryFreesNothing)
{
    ISound* const sound = MakeSound("Golpe");
    boost::intrusive_ptr<IReferenced> data = sound->GetSoundData();
    GetResourceManager()->Unload(L"Golpe");
    platform->Cleanup();
    library.Take();
    LogCapture log;
    data.reset();
    EXPECT_EQ(Calls{}, library.Take());
    EXPECT_EQ("", log.Take());
}

} // namespace
} // namespace AudioTesting
