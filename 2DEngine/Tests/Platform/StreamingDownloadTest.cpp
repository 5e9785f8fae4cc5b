#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Core/Source/Checksum.h"
#include "Core/Source/DiskPartition.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/DownloadManager.h"
#include "2DEngine/Source/Framework/EngineHooks.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Platform/MacOSX/MacOSXNetworkPlatform.h"
#include "2DEngine/Tests/Platform/LoopbackHTTPServer.h"

// The streaming file source fetching what it lacks through the process-wide
// download manager, which it makes on first use.

namespace
{
using namespace Corvane;
using FileTestSupport::ScratchFolder;

struct sListed
{
    std::string path;
    std::string contents;
};

void PutLE32(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = static_cast<char>(value >> (8 * i));
}

// A sealed table of contents listing the files (none of them text files).
std::string MakeTable(std::vector<sListed> const& files)
{
    std::string table(4 + 20 * files.size(), '\0');
    PutLE32(table, 0, uint32_t(files.size()));
    for (size_t i = 0; i < files.size(); ++i)
    {
        std::string const& path = files[i].path;
        std::string const fileName = path.substr(path.find_last_of('/') + 1);
        std::string const& contents = files[i].contents;
        PutLE32(table, 4 + 20 * i, ComputeHash(ConvertStringUTF8ToWide(fileName)));
        PutLE32(table, 8 + 20 * i, ComputeChecksum(contents.data(), contents.size()));
        PutLE32(table, 12 + 20 * i, uint32_t(contents.size()));
        PutLE32(table, 16 + 20 * i, uint32_t(table.size()));
        table += path;
        table += '\0';
    }
    uint32_t const sum = ComputeChecksum(table.data(), table.size());
    table.resize(table.size() + 4);
    PutLE32(table, table.size() - 4, sum);
    return table;
}

class StreamingDownloadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mServer.IsListening());
        ASSERT_EQ(nullptr, GetRegisteredDownloadManager());
        mFileSystem = new FileSystem;
        mFileSystem->AddFileSystemPartition(kFileSystemPartition_Resources,
                                            new MacOSX::FileSystemPartition(mResources.WidePath()));
        mFileSystem->AddFileSystemPartition(kFileSystemPartition_UserData,
                                            new MacOSX::FileSystemPartition(mUser.WidePath()));
    }

    void TearDown() override
    {
        CleanupDownloadManager();
        // A test may have deleted the singletons already.
        if (GetFileSystem())
            GetFileSystem()->Cleanup();
        Internal::DeleteAllSingletons();
    }

    static bool WaitUntilOver(FileTransferRef const& transfer)
    {
        auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline)
        {
            if (transfer->GetDataTransferPctComplete() >= 1.0f || transfer->HasErrorOccurred())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }

    HTTPTesting::LoopbackHTTPServer mServer;
    ScratchFolder mResources;
    ScratchFolder mUser;
    FileSystem* mFileSystem = nullptr;
    MacOSX::NetworkPlatform mNetwork;
};

} // namespace

TEST_F(StreamingDownloadTest, AMissingFileIsFetchedIntoThePerUserFolder)
{
    std::string const picture = HTTPTesting::MakeBody(2048, 9);
    mResources.Write("resources.toc", MakeTable({{"Data/Im\xc3\xa1genes/ladrillo.png", picture}}));
    mServer.Set("/base/Im%C3%A1genes/ladrillo.png", HTTPTesting::Body(picture));

    FileSource source;
    source.InitializeStreaming(mServer.GetWideBase() + L"/base/");
    // Streaming made the process-wide manager, with its base address.
    DownloadManager* const manager = dynamic_cast<DownloadManager*>(GetRegisteredDownloadManager());
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(3, manager->GetThreadCount());
    EXPECT_EQ(mServer.GetWideBase() + L"/base", manager->GetBaseURL());

    FileAddress const address(L"ladrillo", L".png");
    EXPECT_EQ(int(kFileStatus_ToBeFetched), source.GetFileStatus(address));
    FileTransferRef transfer = source.Acquire(address, 100);
    ASSERT_NE(nullptr, transfer);
    ASSERT_TRUE(WaitUntilOver(transfer));
    EXPECT_FALSE(transfer->HasErrorOccurred());
    EXPECT_EQ(picture, mUser.Read("Data/Im\xc3\xa1genes/ladrillo.png"));
    EXPECT_EQ(int(kFileStatus_Available), source.GetFileStatus(address));
    EXPECT_EQ(nullptr, source.Acquire(address, 100));
}

TEST_F(StreamingDownloadTest, ADamagedDownloadIsNotAvailable)
{
    std::string const picture = HTTPTesting::MakeBody(1024, 10);
    mResources.Write("resources.toc", MakeTable({{"Data/grava.png", picture}}));
    // The server has another version: it arrives whole, but fails verification.
    mServer.Set("/grava.png", HTTPTesting::Body(HTTPTesting::MakeBody(1024, 11)));
    FileSource source;
    source.InitializeStreaming(mServer.GetWideBase());
    FileAddress const address(L"grava", L".png");
    FileTransferRef transfer = source.Acquire(address, 100);
    ASSERT_NE(nullptr, transfer);
    ASSERT_TRUE(WaitUntilOver(transfer));
    EXPECT_EQ(int(kFileStatus_ToBeFetched), source.GetFileStatus(address));
    EXPECT_EQ(nullptr, source.OpenFileStream(address));
}

TEST_F(StreamingDownloadTest, ATablePathNeverLeadsOutOfThePerUserFolder)
{
    mResources.Write("resources.toc", MakeTable({{"Data/../../fuera.png", "x"}, {"/absoluta/dentro.png", "y"}}));
    mServer.Set("/../fuera.png", HTTPTesting::Body("x"));
    FileSource source;
    source.InitializeStreaming(mServer.GetWideBase());
    testing::internal::CaptureStderr();
    EXPECT_EQ(nullptr, source.Acquire(FileAddress(L"fuera", L".png"), 100));
    EXPECT_EQ(nullptr, source.Acquire(FileAddress(L"dentro", L".png"), 100));
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(mServer.GetLog().empty());
    EXPECT_TRUE(dynamic_cast<DownloadManager*>(GetRegisteredDownloadManager())->GetQueue().empty());
}

TEST_F(StreamingDownloadTest, EngineCleanupStopsTheThreads)
{
    mResources.Write("resources.toc", MakeTable({}));
    FileSource source;
    source.InitializeStreaming(mServer.GetWideBase());
    DownloadManager* const manager = GetDownloadManager();
    EXPECT_EQ(manager, GetRegisteredDownloadManager());
    MainLoop::Internal::MakeDefaultEngineHooks().cleanupDownloadManager();
    EXPECT_EQ(0, manager->GetThreadCount());
    // Deleting the singletons deletes it and forgets its registration.
    Internal::DeleteAllSingletons();
    EXPECT_EQ(nullptr, GetRegisteredDownloadManager());
}
