#include "2DEngine/Source/Framework/FileSource.h"

#include "Core/Source/Checksum.h"
#include "Core/Source/DiskPartition.h"
#include "Core/Source/Error.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "Core/Tests/FileTestSupport.h"

#include <gtest/gtest.h>

using namespace Corvane;
using FileTestSupport::ScratchFolder;

namespace
{
    struct sListed
    {
        std::string path;
        std::string contents;
    };

    void PutLE32(std::string& bytes, size_t at, uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>(value >> (8 * i));
    }

    uint32_t Checksum(std::string const& bytes)
    {
        return ComputeChecksum(bytes.data(), bytes.size());
    }

    // A table listing each file under the hash of its name, with the checksum of the contents
    // given (text files the whitespace-free way), and a correct trailing checksum.
    std::string MakeTable(std::vector<sListed> const& files)
    {
        std::string table(4 + 20 * files.size(), '\0');
        PutLE32(table, 0, static_cast<uint32_t>(files.size()));
        for (size_t i = 0; i < files.size(); ++i)
        {
            std::string const& path = files[i].path;
            std::string const fileName = path.substr(path.find_last_of("/\\") + 1);
            std::wstring const wide = ConvertStringUTF8ToWide(fileName);
            std::string const& contents = files[i].contents;
            uint32_t checksum = Checksum(contents);
            if (IsTextFile(std::wstring(path.begin(), path.end())))
                checksum = AppendToChecksum_IgnoreWhitespace(0, contents.data(), contents.size());
            PutLE32(table, 4 + 20 * i, ComputeHash(wide));
            PutLE32(table, 8 + 20 * i, checksum);
            PutLE32(table, 12 + 20 * i, static_cast<uint32_t>(contents.size()));
            PutLE32(table, 16 + 20 * i, static_cast<uint32_t>(table.size()));
            table += path;
            table += '\0';
        }
        return table;
    }

    std::string Sealed(std::string table)
    {
        uint32_t const sum = Checksum(table);
        table.resize(table.size() + 4);
        PutLE32(table, table.size() - 4, sum);
        return table;
    }

    std::string ReadAll(IStream* stream)
    {
        std::string bytes(stream->GetLength(), '\0');
        bytes.resize(stream->Read(&bytes[0], bytes.size()));
        return bytes;
    }

    struct RecordingDownloads : IDownloadManager
    {
        void Setup() override {}
        void Cleanup() override {}
        void SetBaseURL(std::wstring const& url) override { base = url; }
        FileTransferRef Download(std::wstring const& requested, FileAddress const& target, int priority,
                                 int size) override
        {
            ++calls;
            path = requested;
            destination = target;
            lastPriority = priority;
            lastSize = size;
            return nullptr;
        }
        std::wstring base, path;
        FileAddress destination;
        int calls = 0, lastPriority = 0, lastSize = 0;
    };

    class FileSourceTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            mFileSystem = new FileSystem;
            mFileSystem->AddFileSystemPartition(kFileSystemPartition_Resources,
                                                new MacOSX::FileSystemPartition(mResources.WidePath()));
            mFileSystem->AddFileSystemPartition(kFileSystemPartition_UserData,
                                                new MacOSX::FileSystemPartition(mUser.WidePath()));
            RegisterDownloadManager(&mDownloads);
        }
        void TearDown() override
        {
            UnregisterDownloadManager(&mDownloads);
            mFileSystem->Cleanup();
            Internal::DeleteAllSingletons();
        }

        std::string Open(FileSource const& source, FileAddress const& address)
        {
            IStream* stream = source.OpenFileStream(address);
            if (!stream)
                return "<null>";
            std::string const bytes = ReadAll(stream);
            GetFileSystem()->CloseStream(stream);
            return bytes;
        }

        void Stream(FileSource& source, std::vector<sListed> const& files)
        {
            mResources.Write("resources.toc", Sealed(MakeTable(files)));
            source.InitializeStreaming(L"http://example.invalid/base/");
        }

        ScratchFolder mResources;
        ScratchFolder mUser;
        FileSystem* mFileSystem = nullptr;
        RecordingDownloads mDownloads;
    };
}

// --- normal case: plain mode ---

TEST_F(FileSourceTest, PlainModeFindsAFileWhateverFolderTheCallerNamed)
{
    mResources.Write("Images/Splash.PNG", "pixels");
    FileSource source;
    FileAddress const named(kFileSystemPartition_Resources, L"./elsewhere", L"splash", L".png");
    EXPECT_EQ(Open(source, named), "pixels");
    EXPECT_EQ(source.GetFileStatus(named), kFileStatus_Available);
    FileAddress const absent(L"missing", L".png");
    EXPECT_EQ(Open(source, absent), "<null>");
    EXPECT_EQ(source.GetFileStatus(absent), kFileStatus_Unavailable);
    EXPECT_FALSE(source.Acquire(absent, 100));
    EXPECT_EQ(mDownloads.calls, 0);
    EXPECT_FALSE(source.IsStreamingInitialized());
    EXPECT_FALSE(source.Cleanup());
}

TEST_F(FileSourceTest, TheDefaultSourceIsRegisteredOnceAndUnregistersWhenDeleted)
{
    RegisterDefaultFileSource();
    IFileSource* source = GetFileSource();
    ASSERT_NE(source, nullptr);
    EXPECT_NE(dynamic_cast<IStreamable*>(source), nullptr);
    Internal::DeleteAllSingletons();
    EXPECT_FALSE(IsFileSourceRegistered());
    mFileSystem = new FileSystem;
}

// --- normal case: streaming ---

TEST_F(FileSourceTest, AVerifiedUserCopyComesFirst)
{
    mResources.Write("Images/splash.png", "old pixels");
    mUser.Write("Data/Images/splash.png", "new pixels");
    FileSource source;
    Stream(source, {{"Data/Images/splash.png", "new pixels"}});
    EXPECT_TRUE(source.IsStreamingInitialized());
    EXPECT_EQ(mDownloads.base, L"http://example.invalid/base/");
    FileAddress const splash(L"splash", L".png");
    EXPECT_EQ(Open(source, splash), "new pixels");
    EXPECT_EQ(source.GetFileStatus(splash), kFileStatus_Available);
    EXPECT_TRUE(source.Cleanup());
    EXPECT_FALSE(source.IsStreamingInitialized());
}

TEST_F(FileSourceTest, AUserCopyFailingVerificationIsNotOpenedAndIsToBeFetched)
{
    mUser.Write("Data/splash.png", "damaged!!!");
    FileSource source;
    Stream(source, {{"Data/splash.png", "new pixels"}});
    FileAddress const splash(L"splash", L".png");
    EXPECT_EQ(Open(source, splash), "<null>");
    EXPECT_EQ(source.GetFileStatus(splash), kFileStatus_ToBeFetched);
}

TEST_F(FileSourceTest, TextFilesVerifyWhateverTheirWhitespace)
{
    mResources.Write("Data/Layouts/menu.xml", "<a>\r\n\t<b/>\r\n</a>\r\n");
    FileSource source;
    Stream(source, {{"Data/Layouts/menu.xml", "<a><b/></a>"}});
    EXPECT_EQ(source.GetFileStatus(FileAddress(L"menu", L".xml")), kFileStatus_Available);
}

TEST_F(FileSourceTest, ABinaryFileOfAnotherLengthFailsEvenWithAMatchingChecksum)
{
    // A zero byte leaves this checksum unchanged.
    mResources.Write("Data/blank.wav", std::string(1, '\0'));
    FileSource source;
    Stream(source, {{"Data/blank.wav", ""}});
    TOCEntry entry;
    ASSERT_TRUE(source.GetTOCEntry(FileAddress(L"blank", L".wav"), &entry));
    EXPECT_EQ(entry.checksum, Checksum(std::string(1, '\0')));
    EXPECT_EQ(source.GetFileStatus(FileAddress(L"blank", L".wav")), kFileStatus_ToBeFetched);
}

TEST_F(FileSourceTest, FilesOfOneNameInDifferentFoldersShareAnEntry)
{
    FileSource source;
    Stream(source, {{"Data/A/click.wav", "a"}, {"Data/B/click.wav", "bb"}});
    TOCEntry first, second;
    ASSERT_TRUE(source.GetTOCEntry(FileAddress(kFileSystemPartition_Resources, L"./B", L"click", L".wav"), &first));
    ASSERT_TRUE(source.GetTOCEntry(FileAddress(L"CLICK", L".WAV"), &second));
    EXPECT_EQ(first.name, L"Data/A/click.wav");
    EXPECT_EQ(second.name, first.name);
    EXPECT_EQ(first.size, 1u);
}

TEST_F(FileSourceTest, AMissingListedFileIsDownloadedBelowItsFirstFolder)
{
    FileSource source;
    Stream(source, {{"Data\\Sounds\\click.wav", "click!"}});
    FileAddress const click(L"click", L".wav");
    EXPECT_EQ(source.GetFileStatus(click), kFileStatus_ToBeFetched);
    EXPECT_FALSE(source.Acquire(click, 100));
    ASSERT_EQ(mDownloads.calls, 1);
    EXPECT_EQ(mDownloads.path, L"/Sounds/click.wav");
    EXPECT_EQ(mDownloads.destination.partition, kFileSystemPartition_UserData);
    EXPECT_EQ(mDownloads.destination.GetFolder(), L"Data/Sounds");
    EXPECT_EQ(mDownloads.destination.GetFileName(), L"click.wav");
    EXPECT_EQ(mDownloads.lastPriority, 100);
    EXPECT_EQ(mDownloads.lastSize, 6);
    EXPECT_EQ(source.GetFileStatus(FileAddress(L"unlisted", L".wav")), kFileStatus_Unavailable);
}

TEST_F(FileSourceTest, AMissingTableLeavesEveryFileUnavailable)
{
    mResources.Write("Data/click.wav", "click!");
    FileSource source;
    source.InitializeStreaming(L"http://example.invalid");
    EXPECT_TRUE(source.IsStreamingInitialized());
    FileAddress const click(L"click", L".wav");
    EXPECT_EQ(source.GetFileStatus(click), kFileStatus_Unavailable);
    EXPECT_FALSE(source.Acquire(click, 1));
    EXPECT_EQ(Open(source, click), "<null>");
}

// --- invalid input ---

TEST_F(FileSourceTest, ATableWithABadChecksumIsRefused)
{
    std::string table = Sealed(MakeTable({{"Data/click.wav", "x"}}));
    table[5] ^= 1;
    mResources.Write("resources.toc", table);
    FileSource source;
    try
    {
        source.InitializeStreaming(L"http://example.invalid");
        FAIL() << "a damaged table was accepted";
    }
    catch (RuntimeError const& error)
    {
        EXPECT_STREQ(error.what(), "Resource TOC checksum is invalid!");
    }
    EXPECT_FALSE(source.IsStreamingInitialized());
}

TEST_F(FileSourceTest, TablesThatDoNotFitTheirLengthAreRefusedBeforeAnyEntryIsRead)
{
    std::string const good = MakeTable({{"Data/click.wav", "x"}});
    std::string tooManyEntries = good;
    PutLE32(tooManyEntries, 0, 0x10000000u);
    std::string offsetOutside = good;
    PutLE32(offsetOutside, 16, 0xFFFFFFF0u);
    std::string unterminated = good.substr(0, good.size() - 1);
    std::vector<std::string> const tables = {Sealed(tooManyEntries), Sealed(offsetOutside), Sealed(unterminated),
                                             std::string("\x01\x00", 2), Sealed("")};
    for (std::string const& table : tables)
    {
        mResources.Write("resources.toc", table);
        FileSource source;
        EXPECT_THROW(source.InitializeStreaming(L"http://example.invalid"), RuntimeError) << table.size();
        EXPECT_FALSE(source.IsStreamingInitialized());
        TOCEntry entry;
        EXPECT_FALSE(source.GetTOCEntry(FileAddress(L"click", L".wav"), &entry));
    }
}

TEST_F(FileSourceTest, TableEntriesCannotSendDownloadsOutsideTheUserFolder)
{
    FileSource source;
    Stream(source, {{"Data/../../evil.wav", "e"}, {"/abs/boot.wav", "b"}, {"plain.wav", "p"}});
    EXPECT_FALSE(source.Acquire(FileAddress(L"evil", L".wav"), 1));
    EXPECT_FALSE(source.Acquire(FileAddress(L"boot", L".wav"), 1));
    EXPECT_FALSE(source.Acquire(FileAddress(L"plain", L".wav"), 1));
    EXPECT_EQ(mDownloads.calls, 0);
}

// --- non-ASCII names ---

TEST_F(FileSourceTest, SpanishNamesAreFoundAndListed)
{
    mResources.Write("Voces/Camión_SP.wav", "hola");
    FileSource plain;
    EXPECT_EQ(Open(plain, FileAddress(L"camión_SP", L".wav")), "hola");
    FileSource source;
    Stream(source, {{"Voces/Camión_SP.wav", "hola"}});
    EXPECT_EQ(Open(source, FileAddress(L"Camión_SP", L".wav")), "hola");
    TOCEntry entry;
    ASSERT_TRUE(source.GetTOCEntry(FileAddress(L"camión_sp", L".WAV"), &entry));
    EXPECT_EQ(entry.name, L"Voces/Camión_SP.wav");
}

// --- failure leaves state unchanged ---

TEST_F(FileSourceTest, ARefusedTableLeavesAnEarlierOneInPlace)
{
    FileSource source;
    Stream(source, {{"Data/click.wav", "x"}});
    mResources.Write("resources.toc", std::string("\x05\x00\x00\x00", 4));
    EXPECT_THROW(source.InitTOC(), RuntimeError);
    TOCEntry entry;
    EXPECT_TRUE(source.GetTOCEntry(FileAddress(L"click", L".wav"), &entry));
    EXPECT_EQ(entry.name, L"Data/click.wav");
}
