#include "Core/Source/DiskPartition.h"

#include "Core/Source/Error.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "Core/Tests/FileTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

using namespace Corvane;
using FileTestSupport::ScratchFolder;

namespace
{
    std::string ReadAll(IStream* stream)
    {
        std::string bytes(stream->GetLength(), '\0');
        size_t const got = stream->Read(&bytes[0], bytes.size());
        bytes.resize(got);
        return bytes;
    }

    std::wstring Wide(std::string const& utf8)
    {
        return ConvertStringUTF8ToWide(utf8);
    }

    class DiskPartitionTest : public ::testing::Test
    {
    protected:
        DiskPartitionTest() : mPartition(mFolder.WidePath()) {}

        ScratchFolder mFolder;
        MacOSX::FileSystemPartition mPartition;
    };
}

// --- path functions ---

TEST(PathFunctions, CombinePathAddsOneSlash)
{
    EXPECT_EQ(CombinePath(L"/a/", L"b"), L"/a/b");
    EXPECT_EQ(CombinePath(L"/a", L"b"), L"/a/b");
}

TEST(PathFunctions, CreateDirectoryMakesEveryMissingFolderAndIsRepeatable)
{
    ScratchFolder folder;
    folder.Write("x/keep", "k");
    std::wstring const path = Wide(folder.Join("x/y/z"));
    CreateDirectory(path);
    EXPECT_TRUE(folder.Exists("x/y/z"));
    CreateDirectory(path);
    EXPECT_EQ(folder.Read("x/keep"), "k");
}

TEST(PathFunctions, CreateDirectoryThroughAFileFails)
{
    ScratchFolder folder;
    folder.Write("plain", "");
    try
    {
        CreateDirectory(Wide(folder.Join("plain/sub")));
        FAIL() << "a folder was made inside a file";
    }
    catch (RuntimeError const& error)
    {
        EXPECT_STREQ(error.what(), "Could not create directory.");
    }
}

// --- finding files ---

TEST_F(DiskPartitionTest, CaselessSearchKeepsTheCallersSpellingAndFillsTheFolder)
{
    mFolder.Write("images/logo.png", "L");
    FileAddress address(kFileSystemPartition_Resources, L"Logo", L".PNG");
    ASSERT_TRUE(mPartition.FindFile(&address));
    EXPECT_EQ(address.GetName(), L"Logo");
    EXPECT_EQ(address.GetExtension(), L".PNG");
    EXPECT_EQ(address.GetFolder(), L"./images");
}

TEST_F(DiskPartitionTest, WithoutAFolderTheWholeTreeIsSearchedWithDotOnlyTheRoot)
{
    mFolder.Write("deep/er/font.xml", "F");
    FileAddress anywhere(L"font", L".xml");
    ASSERT_TRUE(mPartition.FindFile(&anywhere));
    EXPECT_EQ(anywhere.GetFolder(), L"./deep/er");
    FileAddress rootOnly(kFileSystemPartition_Resources, L".", L"font", L".xml");
    EXPECT_FALSE(mPartition.FindFile(&rootOnly));
    FileAddress inFolderAnyCase(kFileSystemPartition_Resources, L"./DEEP/Er", L"FONT", L".xml");
    ASSERT_TRUE(mPartition.FindFile(&inFolderAnyCase));
    EXPECT_EQ(inFolderAnyCase.GetFolder(), L"./deep/er");
}

TEST_F(DiskPartitionTest, NamesWithoutADotAreNeverFound)
{
    mFolder.Write("README", "r");
    FileAddress readme(L"README", L"");
    EXPECT_FALSE(mPartition.FindFile(&readme));
    mPartition.Lock();
    EXPECT_FALSE(mPartition.FindFile(&readme));
    mPartition.Unlock();
}

TEST_F(DiskPartitionTest, FilesMadeWhileLockedAppearAfterTheLastUnlock)
{
    mFolder.Write("a.xml", "a");
    mPartition.Lock();
    mPartition.Lock();
    mFolder.Write("sub/late.xml", "l");
    FileAddress late(L"late", L".xml");
    EXPECT_FALSE(mPartition.FindFile(&late));
    mPartition.Unlock();
    EXPECT_FALSE(mPartition.FindFile(&late)) << "one Unlock of two must keep the cache";
    FileAddress early(L"A", L".XML");
    EXPECT_TRUE(mPartition.FindFile(&early));
    EXPECT_EQ(early.GetFolder(), L".");
    mPartition.Unlock();
    ASSERT_TRUE(mPartition.FindFile(&late));
    EXPECT_EQ(late.GetFolder(), L"./sub");
}

TEST_F(DiskPartitionTest, FindFilesListsOneFolderWithNamesAsOnDisk)
{
    mFolder.Write("111.act", "1");
    mFolder.Write("222.ACT", "2");
    mFolder.Write("333.act.tmp", "t");
    mFolder.Write("444.act.bad", "b");
    mFolder.Write("sub/555.act", "5");
    mFolder.Write("notes.txt", "n");
    std::vector<FileAddress> found;
    FileAddress const pattern(kFileSystemPartition_UserData, L".", L"*", L".act");
    ASSERT_TRUE(mPartition.FindFiles(&pattern, found));
    std::vector<std::wstring> names;
    for (auto const& address : found)
    {
        names.push_back(address.GetFileName());
        EXPECT_EQ(address.GetFolder(), L".");
        EXPECT_EQ(address.partition, kFileSystemPartition_UserData);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"111.act", L"222.ACT"}));
    FileAddress const noFolder(kFileSystemPartition_UserData, L"*", L".act");
    std::vector<FileAddress> none;
    EXPECT_FALSE(mPartition.FindFiles(&noFolder, none));
}

TEST_F(DiskPartitionTest, LookupsOnTwoThreadsAgreeWhileOneLocksAndUnlocks)
{
    mFolder.Write("fonts/font.xml", "f");
    // Deleted with the singletons, as in the engine.
    FileSystem& fileSystem = *new FileSystem;
    fileSystem.AddFileSystemPartition(kFileSystemPartition_Resources,
                                      new MacOSX::FileSystemPartition(mFolder.WidePath()));
    std::atomic<int> misses{0};
    auto lookups = [&](bool locking) {
        for (int i = 0; i < 200; ++i)
        {
            if (locking)
                fileSystem.Lock();
            FileAddress address(L"FONT", L".xml");
            if (!fileSystem.FindFile(&address) || address.GetFolder() != L"./fonts")
                ++misses;
            if (locking)
                fileSystem.Unlock();
        }
    };
    std::thread loader(lookups, true);
    lookups(false);
    loader.join();
    EXPECT_EQ(misses.load(), 0);
    fileSystem.Cleanup();
    Internal::DeleteAllSingletons();
}

// --- opening ---

TEST_F(DiskPartitionTest, OpenResolvesEachComponentWithoutRegardToCase)
{
    mFolder.Write("Images/Buttons/Logo.PNG", "pixels");
    FileAddress const address(kFileSystemPartition_Resources, L"./images/buttons", L"logo", L".png");
    IStream* stream = mPartition.OpenStream(&address, kFileRead, kFileOpenExisting);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(ReadAll(stream), "pixels");
    delete stream;
}

TEST_F(DiskPartitionTest, CreatingMakesFoldersAndReusesAFolderOfAnotherCase)
{
    mFolder.Write("Saves/old.act", "o");
    FileAddress const address(kFileSystemPartition_UserData, L"./saves/new", L"n", L".act");
    IStream* stream = mPartition.OpenStream(&address, kFileWrite, kFileCreateAlways);
    ASSERT_NE(stream, nullptr);
    stream->Write("data", 4);
    delete stream;
    EXPECT_EQ(mFolder.Read("Saves/new/n.act"), "data");
    EXPECT_FALSE(mFolder.Exists("saves"));
}

TEST_F(DiskPartitionTest, CreateNewRefusesAFileThatExistsInAnotherCase)
{
    mFolder.Write("Taken.act", "keep");
    FileAddress const address(kFileSystemPartition_UserData, L".", L"taken", L".act");
    EXPECT_EQ(mPartition.OpenStream(&address, kFileWrite, kFileCreateNew), nullptr);
    EXPECT_EQ(mFolder.Read("Taken.act"), "keep");
}

TEST_F(DiskPartitionTest, DeleteRemovesTheFile)
{
    mFolder.Write("gone.act", "g");
    FileAddress const address(kFileSystemPartition_UserData, L".", L"GONE", L".act");
    mPartition.DeleteFile(&address);
    EXPECT_FALSE(mFolder.Exists("gone.act"));
    mPartition.DeleteFile(&address);
}

TEST_F(DiskPartitionTest, ReplaceOverwritesOrRefusesAnExistingTarget)
{
    mFolder.Write("1.act", "old");
    mFolder.Write("1.act.tmp", "new");
    FileAddress const temporary(kFileSystemPartition_UserData, L".", L"1", L".act.tmp");
    FileAddress const target(kFileSystemPartition_UserData, L".", L"1", L".act");
    EXPECT_EQ(mPartition.ReplaceFile(&temporary, &target, kReplace_Exclusive), kReplaceResult_TargetExists);
    EXPECT_EQ(mFolder.Read("1.act"), "old");
    EXPECT_EQ(mPartition.ReplaceFile(&temporary, &target, kReplace_Overwrite), kReplaceResult_Done);
    EXPECT_EQ(mFolder.Read("1.act"), "new");
    EXPECT_FALSE(mFolder.Exists("1.act.tmp"));
    EXPECT_EQ(mPartition.ReplaceFile(&temporary, &target, kReplace_Overwrite), kReplaceResult_NotHere);

    mFolder.Write("2.act.tmp", "fresh");
    FileAddress const freshTemporary(kFileSystemPartition_UserData, L".", L"2", L".act.tmp");
    FileAddress const freshTarget(kFileSystemPartition_UserData, L".", L"2", L".act");
    EXPECT_EQ(mPartition.ReplaceFile(&freshTemporary, &freshTarget, kReplace_Exclusive), kReplaceResult_Done);
    EXPECT_EQ(mFolder.Read("2.act"), "fresh");
    EXPECT_FALSE(mFolder.Exists("2.act.tmp"));
}

TEST_F(DiskPartitionTest, AFileReplacedGetsAnotherStampAndAMissingOneNone)
{
    mFolder.Write("1.act", "old");
    mFolder.Write("1.act.tmp", "new");
    FileAddress const target(kFileSystemPartition_UserData, L".", L"1", L".act");
    FileAddress const temporary(kFileSystemPartition_UserData, L".", L"1", L".act.tmp");
    sFileStamp first;
    sFileStamp again;
    ASSERT_TRUE(mPartition.GetFileStamp(&target, &first));
    ASSERT_TRUE(mPartition.GetFileStamp(&target, &again));
    EXPECT_EQ(first, again);
    EXPECT_EQ(3u, first.size);
    // Same size, possibly the same clock tick: the new file is told apart all the same.
    ASSERT_EQ(kReplaceResult_Done, mPartition.ReplaceFile(&temporary, &target, kReplace_Overwrite));
    ASSERT_TRUE(mPartition.GetFileStamp(&target, &again));
    EXPECT_NE(first, again);
    FileAddress const missing(kFileSystemPartition_UserData, L".", L"2", L".act");
    EXPECT_FALSE(mPartition.GetFileStamp(&missing, &again));
}

// --- invalid input ---

TEST_F(DiskPartitionTest, MissingFilesGiveNullAndFalse)
{
    FileAddress address(kFileSystemPartition_Resources, L".", L"absent", L".xml");
    EXPECT_EQ(mPartition.OpenStream(&address, kFileRead, kFileOpenExisting), nullptr);
    EXPECT_FALSE(mPartition.FindFile(&address));
    MacOSX::FileSystemPartition nowhere(L"/nonexistent-corvane-root");
    FileAddress anywhere(L"absent", L".xml");
    EXPECT_FALSE(nowhere.FindFile(&anywhere));
}

TEST_F(DiskPartitionTest, NothingOutsideThePartitionIsReachable)
{
    ScratchFolder outside;
    outside.Write("secret.act", "secret");
    std::string const up = "../" + outside.Path().substr(outside.Path().rfind('/') + 1);
    FileAddress const climbing(kFileSystemPartition_UserData, Wide(up), L"secret", L".act");
    EXPECT_EQ(mPartition.OpenStream(&climbing, kFileRead, kFileOpenExisting), nullptr);
    EXPECT_EQ(mPartition.OpenStream(&climbing, kFileWrite, kFileCreateAlways), nullptr);
    mPartition.DeleteFile(&climbing);
    FileAddress const absolute(kFileSystemPartition_UserData, outside.WidePath(), L"secret", L".act");
    EXPECT_EQ(mPartition.OpenStream(&absolute, kFileWrite, kFileCreateAlways), nullptr);
    mPartition.DeleteFile(&absolute);
    FileAddress const slashName(kFileSystemPartition_UserData, L".", Wide(up + "/secret"), L".act");
    EXPECT_EQ(mPartition.OpenStream(&slashName, kFileWrite, kFileCreateAlways), nullptr);
    FileAddress const nulName(kFileSystemPartition_UserData, L".", std::wstring(L"a\0b", 3), L".act");
    EXPECT_EQ(mPartition.OpenStream(&nulName, kFileWrite, kFileCreateAlways), nullptr);
    EXPECT_EQ(outside.Read("secret.act"), "secret");
    FileAddress search(kFileSystemPartition_UserData, Wide(up), L"secret", L".act");
    EXPECT_FALSE(mPartition.FindFile(&search));
}

// --- non-ASCII names ---

TEST_F(DiskPartitionTest, WalkAndCacheAgreeOnSpanishNamesAndExtraDots)
{
    mFolder.Write("Señales/Camión.png", "c");
    mFolder.Write("a.b.png", "ab");
    for (int locked = 0; locked < 2; ++locked)
    {
        if (locked)
            mPartition.Lock();
        FileAddress truck(L"camión", L".PNG");
        ASSERT_TRUE(mPartition.FindFile(&truck)) << "locked " << locked;
        EXPECT_EQ(truck.GetFolder(), L"./Señales");
        FileAddress dotted(L"a.b", L".png");
        ASSERT_TRUE(mPartition.FindFile(&dotted)) << "locked " << locked;
        EXPECT_EQ(dotted.GetFolder(), L".");
        // Only ASCII letters fold: an upper-case accented letter is another name.
        FileAddress accent(L"CAMIÓN", L".png");
        EXPECT_FALSE(mPartition.FindFile(&accent)) << "locked " << locked;
        if (locked)
            mPartition.Unlock();
    }
    FileAddress const open(kFileSystemPartition_Resources, L"./SEñALES", L"CAMIón", L".png");
    IStream* stream = mPartition.OpenStream(&open, kFileRead, kFileOpenExisting);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(ReadAll(stream), "c");
    delete stream;
}
