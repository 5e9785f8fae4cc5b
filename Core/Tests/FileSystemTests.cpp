#include "Core/Source/FileSystem.h"

#include "Core/Source/MemoryStream.h"
#include "Core/Source/Singleton.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <set>

using namespace Corvane;

namespace
{
    // A partition in memory that records what it was asked.
    class RecordingPartition : public IFileSystemPartition
    {
    public:
        RecordingPartition(std::wstring tag, std::set<std::wstring> files) : mTag(std::move(tag)), mFiles(std::move(files)) {}

        IStream* OpenStream(FileAddress const* address, FileAccess, FileCreation) override
        {
            ++opens;
            if (!mFiles.count(address->GetFileName()))
                return nullptr;
            auto stream = new MemoryStream(mTag);
            return stream;
        }
        void Lock() override { ++locks; }
        void Unlock() override { --locks; }
        bool FindFile(FileAddress* address) override
        {
            ++finds;
            if (!mFiles.count(address->GetFileName()))
                return false;
            address->SetFolder(L"./" + mTag);
            return true;
        }
        bool FindFiles(FileAddress const* address, std::vector<FileAddress>& found) override
        {
            ++listings;
            for (auto const& file : mFiles)
                found.emplace_back(address->partition, L".", file, L"");
            return !found.empty();
        }
        void DeleteFile(FileAddress const* address) override
        {
            ++deletes;
            mFiles.erase(address->GetFileName());
        }
        bool FileExists(FileAddress const* address) override { return mFiles.count(address->GetFileName()) > 0; }
        eReplaceResult ReplaceFile(FileAddress const*, FileAddress const*, eReplaceMode) override
        {
            return kReplaceResult_NotHere;
        }

        std::wstring mTag;
        std::set<std::wstring> mFiles;
        int opens = 0, locks = 0, finds = 0, listings = 0, deletes = 0;
    };

    class FileSystemTest : public ::testing::Test
    {
    protected:
        void SetUp() override { mFileSystem = new FileSystem; }
        void TearDown() override
        {
            mFileSystem->Cleanup();
            Internal::DeleteAllSingletons();
            EXPECT_EQ(GetFileSystem(), nullptr);
        }
        RecordingPartition* Add(FileSystemPartition id, std::wstring tag, std::set<std::wstring> files)
        {
            auto partition = new RecordingPartition(std::move(tag), std::move(files));
            mFileSystem->AddFileSystemPartition(id, partition);
            return partition;
        }

        FileSystem* mFileSystem = nullptr;
    };
}

// --- normal case ---

TEST_F(FileSystemTest, IsTheProcessWideFileSystem)
{
    EXPECT_EQ(GetFileSystem(), mFileSystem);
}

TEST_F(FileSystemTest, FirstRegisteredPartitionHoldingTheFileWins)
{
    Add(kFileSystemPartition_Resources, L"first", {L"a.xml"});
    auto second = Add(kFileSystemPartition_Resources, L"second", {L"a.xml", L"b.xml"});
    FileAddress const a(kFileSystemPartition_Resources, L".", L"a", L".xml");
    IStream* stream = mFileSystem->OpenStream(&a, kFileRead, kFileOpenExisting);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->GetName(), L"first");
    mFileSystem->CloseStream(stream);
    EXPECT_EQ(second->opens, 0);

    FileAddress const b(kFileSystemPartition_Resources, L".", L"b", L".xml");
    AutoStream later(&b, kFileRead, kFileOpenExisting);
    ASSERT_TRUE(later);
    EXPECT_EQ(later->GetName(), L"second");
}

TEST_F(FileSystemTest, FindFileFillsInTheFolderOfTheFirstPartitionThatHasIt)
{
    Add(kFileSystemPartition_Resources, L"first", {L"x.png"});
    Add(kFileSystemPartition_Resources, L"second", {L"y.png"});
    FileAddress y(L"y", L".png");
    ASSERT_TRUE(mFileSystem->FindFile(&y));
    EXPECT_EQ(y.GetFolder(), L"./second");
}

TEST_F(FileSystemTest, FindFilesStopsAtTheFirstPartitionThatFindsAny)
{
    auto first = Add(kFileSystemPartition_UserData, L"first", {L"1"});
    auto second = Add(kFileSystemPartition_UserData, L"second", {L"2"});
    std::vector<FileAddress> found;
    FileAddress const pattern(kFileSystemPartition_UserData, L".", L"*", L".act");
    EXPECT_TRUE(mFileSystem->FindFiles(&pattern, found));
    EXPECT_EQ(found.size(), 1u);
    EXPECT_EQ(first->listings, 1);
    EXPECT_EQ(second->listings, 0);
}

TEST_F(FileSystemTest, DeleteAsksEveryPartitionAndLockReachesAll)
{
    auto first = Add(kFileSystemPartition_UserData, L"first", {L"z.act"});
    auto second = Add(kFileSystemPartition_UserData, L"second", {L"z.act"});
    auto other = Add(kFileSystemPartition_Application, L"app", {});
    FileAddress const z(kFileSystemPartition_UserData, L".", L"z", L".act");
    mFileSystem->DeleteFile(&z);
    EXPECT_EQ(first->deletes, 1);
    EXPECT_EQ(second->deletes, 1);
    mFileSystem->Lock();
    EXPECT_EQ(other->locks, 1);
    EXPECT_EQ(first->locks, 1);
    mFileSystem->Unlock();
    EXPECT_EQ(second->locks, 0);
}

TEST_F(FileSystemTest, UniqueFileDrawsAgainUntilNoPartitionHasTheName)
{
    // A partition that claims every name for the first three questions.
    struct Crowded : RecordingPartition
    {
        Crowded() : RecordingPartition(L"crowded", {}) {}
        bool FindFile(FileAddress* address) override
        {
            ++finds;
            if (finds > 3)
                return false;
            address->SetFolder(L".");
            return true;
        }
    };
    auto crowded = new Crowded;
    mFileSystem->AddFileSystemPartition(kFileSystemPartition_UserData, crowded);
    FileAddress address(kFileSystemPartition_UserData, L".", L"", L".act");
    GetUniqueFile(&address);
    EXPECT_EQ(crowded->finds, 4);
    std::wstring const name = address.GetName();
    ASSERT_FALSE(name.empty());
    EXPECT_LE(name.size(), 8u);
    for (wchar_t c : name)
        EXPECT_TRUE(std::iswdigit(c)) << "name " << std::string(name.begin(), name.end());
    EXPECT_TRUE(name == L"0" || name[0] != L'0');
    EXPECT_EQ(address.GetExtension(), L".act");
    EXPECT_EQ(address.GetFolder(), L".");
    EXPECT_EQ(address.partition, kFileSystemPartition_UserData);
}

// --- invalid input ---

TEST_F(FileSystemTest, MissingFilesAndUnknownIdsGiveNullOrFalse)
{
    Add(kFileSystemPartition_Resources, L"first", {L"a.xml"});
    FileAddress missing(L"b", L".xml");
    EXPECT_EQ(mFileSystem->OpenStream(&missing, kFileRead, kFileOpenExisting), nullptr);
    EXPECT_FALSE(mFileSystem->FindFile(&missing));
    FileAddress elsewhere(kFileSystemPartition_Application, L".", L"a", L".xml");
    EXPECT_EQ(mFileSystem->OpenStream(&elsewhere, kFileRead, kFileOpenExisting), nullptr);
    std::vector<FileAddress> found;
    EXPECT_FALSE(mFileSystem->FindFiles(&elsewhere, found));
    mFileSystem->CloseStream(nullptr);
}

TEST_F(FileSystemTest, AddressesLeavingThePartitionNeverReachIt)
{
    auto partition = Add(kFileSystemPartition_UserData, L"p", {L"passwd"});
    FileAddress escape(kFileSystemPartition_UserData, L"../../etc", L"passwd", L"");
    EXPECT_EQ(mFileSystem->OpenStream(&escape, kFileRead, kFileOpenExisting), nullptr);
    EXPECT_FALSE(mFileSystem->FindFile(&escape));
    mFileSystem->DeleteFile(&escape);
    EXPECT_EQ(partition->opens + partition->finds + partition->deletes, 0);
}

// --- failure leaves state unchanged ---

TEST_F(FileSystemTest, CleanupDeletesPartitionsAndLeavesAnEmptyRegistry)
{
    Add(kFileSystemPartition_Resources, L"first", {L"a.xml"});
    mFileSystem->Cleanup();
    FileAddress a(L"a", L".xml");
    EXPECT_FALSE(mFileSystem->FindFile(&a));
    EXPECT_FALSE(a.HasFolder());
}
