#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Core/Source/DiskPartition.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/Singleton.h"
#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/DownloadManager.h"
#include "2DEngine/Source/Platform/MacOSX/MacOSXNetworkPlatform.h"
#include "2DEngine/Tests/Platform/LoopbackHTTPServer.h"

namespace
{
using namespace Corvane;
using FileTestSupport::ScratchFolder;
using HTTPTesting::sLogLine;
using HTTPTesting::sResponse;

constexpr int kLowPriority = 200;
constexpr int kHighPriority = 100;

// A body long enough, and sent slowly enough, that a transfer of it is still
// running when the test acts on it: 64 KB in pieces of 512 bytes, 2 ms apart.
sResponse SlowBody(unsigned seed)
{
    sResponse response = HTTPTesting::Body(HTTPTesting::MakeBody(64 * 1024, seed));
    response.chunk = 512;
    response.pauseMilliseconds = 2;
    return response;
}

// Index of the n-th (from 0) log line with this kind and path; -1 when missing.
int Find(std::vector<sLogLine> const& log, std::string const& what, std::string const& path, int n = 0)
{
    for (size_t i = 0; i < log.size(); ++i)
    {
        if (log[i].what == what && log[i].path == path && n-- == 0)
            return int(i);
    }
    return -1;
}

bool IsOver(FileTransferRef const& transfer)
{
    return transfer->GetDataTransferPctComplete() >= 1.0f || transfer->HasErrorOccurred();
}

class DownloadManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mServer.IsListening());
        mFileSystem = new FileSystem;
        mFileSystem->AddFileSystemPartition(kFileSystemPartition_UserData,
                                            new MacOSX::FileSystemPartition(mUser.WidePath()));
        mManager.reset(new DownloadManager());
        mManager->Setup();
        mManager->SetBaseURL(mServer.GetWideBase());
    }

    void TearDown() override
    {
        mManager->Cleanup();
        mManager.reset();
        mFileSystem->Cleanup();
        Internal::DeleteAllSingletons();
    }

    static FileAddress UserFile(std::wstring const& folder, std::wstring const& name, std::wstring const& extension)
    {
        return FileAddress(kFileSystemPartition_UserData, folder, name, extension);
    }

    // Waits, bounded, until every transfer has completed or failed.
    static bool WaitUntilOver(std::vector<FileTransferRef> const& transfers, int timeoutMilliseconds = 10000)
    {
        auto const deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
        while (std::chrono::steady_clock::now() < deadline)
        {
            if (std::all_of(transfers.begin(), transfers.end(), IsOver))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }

    bool WaitForRequests(std::vector<std::string> const& paths)
    {
        return mServer.WaitFor([&](std::vector<sLogLine> const& log) {
            return std::all_of(paths.begin(), paths.end(),
                               [&](std::string const& path) { return Find(log, "GET", path) >= 0; });
        });
    }

    HTTPTesting::LoopbackHTTPServer mServer;
    ScratchFolder mUser;
    FileSystem* mFileSystem = nullptr;
    MacOSX::NetworkPlatform mNetwork;
    std::unique_ptr<DownloadManager> mManager;
};

} // namespace

// --- normal case ---

TEST_F(DownloadManagerTest, StartsThreeThreadsAndRegistersItself)
{
    EXPECT_EQ(3, mManager->GetThreadCount());
    EXPECT_EQ(mManager.get(), GetRegisteredDownloadManager());
    EXPECT_EQ(0, mManager->GetBusyThreadCount());
}

TEST_F(DownloadManagerTest, AnExactBodyLandsInThePerUserFolder)
{
    std::string const body = HTTPTesting::MakeBody(10000, 4);
    mServer.Set("/Sonidos/clic.wav", HTTPTesting::Body(body));
    FileTransferRef transfer =
        mManager->Download(L"/Sonidos/clic.wav", UserFile(L"Data/Sonidos", L"clic", L".wav"), kHighPriority, 9999);
    ASSERT_NE(nullptr, transfer);
    ASSERT_TRUE(WaitUntilOver({transfer}));
    EXPECT_FALSE(transfer->HasErrorOccurred());
    EXPECT_FLOAT_EQ(1.0f, transfer->GetDataTransferPctComplete());
    // The response's length replaces the expected size.
    EXPECT_EQ(10000u, transfer->GetDataTransferSize());
    EXPECT_EQ(10000u, transfer->GetDataTransferNumBytesCopied());
    EXPECT_EQ(Label::FromString(L"clic.wav"), transfer->GetID());
    EXPECT_EQ(body, mUser.Read("Data/Sonidos/clic.wav"));
    EXPECT_FALSE(mUser.Exists("Data/Sonidos/clic.wav.part"));
    EXPECT_TRUE(mManager->GetQueue().empty());
}

TEST_F(DownloadManagerTest, BaseAndPathJoinWithExactlyOneSlash)
{
    mManager->SetBaseURL(mServer.GetWideBase() + L"\\recursos\\");
    EXPECT_EQ(mServer.GetWideBase() + L"/recursos", mManager->GetBaseURL());
    mServer.Set("/recursos/Sonidos/clic.wav", HTTPTesting::Body("clic"));
    FileTransferRef transfer = mManager->Download(L"\\\\Sonidos\\clic.wav", UserFile(L"Data/Sonidos", L"clic", L".wav"),
                                                  kHighPriority, 4);
    ASSERT_TRUE(WaitUntilOver({transfer}));
    EXPECT_FALSE(transfer->HasErrorOccurred());
    EXPECT_EQ(1, mServer.CountRequests("/recursos/Sonidos/clic.wav"));
    EXPECT_EQ("clic", mUser.Read("Data/Sonidos/clic.wav"));
}

TEST_F(DownloadManagerTest, TheSameFileTwiceIsOneTransfer)
{
    mServer.Set("/A/tabla.png", SlowBody(1));
    FileTransferRef first = mManager->Download(L"A/tabla.png", UserFile(L"A", L"tabla", L".png"), kLowPriority, 0);
    // Another folder, another case: the file name alone identifies it.
    FileTransferRef second = mManager->Download(L"B/TABLA.png", UserFile(L"B", L"tabla", L".png"), kLowPriority, 0);
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(1u, mManager->GetQueue().size());
    ASSERT_TRUE(WaitUntilOver({first}));
    EXPECT_EQ(1, mServer.CountRequests("/A/tabla.png"));
    EXPECT_EQ(0, mServer.CountRequests("/B/TABLA.png"));
}

TEST_F(DownloadManagerTest, FourOfEqualPriorityRunThreeAtOnce)
{
    std::vector<FileTransferRef> transfers;
    for (int i = 0; i < 4; ++i)
    {
        std::string const path = "/viga" + std::to_string(i) + ".png";
        mServer.Set(path, SlowBody(unsigned(i)));
        std::wstring const wide(path.begin(), path.end());
        transfers.push_back(
            mManager->Download(wide, UserFile(L"Vigas", L"viga" + std::to_wstring(i), L".png"), kLowPriority, 0));
    }
    EXPECT_EQ(3, mManager->GetBusyThreadCount());
    ASSERT_TRUE(WaitUntilOver(transfers));
    EXPECT_EQ(3, mServer.GetMostAtOnce());
    std::vector<sLogLine> const log = mServer.GetLog();
    int firstSent = int(log.size());
    for (int i = 0; i < 3; ++i)
        firstSent = std::min(firstSent, Find(log, "LAST", "/viga" + std::to_string(i) + ".png"));
    // The fourth waited for a thread to come free.
    EXPECT_GT(Find(log, "GET", "/viga3.png"), firstSent);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_FALSE(transfers[size_t(i)]->HasErrorOccurred());
        EXPECT_EQ(HTTPTesting::MakeBody(64 * 1024, unsigned(i)), mUser.Read("Vigas/viga" + std::to_string(i) + ".png"));
    }
}

TEST_F(DownloadManagerTest, AnUrgentTransferInterruptsLessUrgentOnes)
{
    std::vector<FileTransferRef> slow;
    for (int i = 0; i < 3; ++i)
    {
        std::string const path = "/lento" + std::to_string(i) + ".bin";
        mServer.Set(path, SlowBody(unsigned(10 + i)));
        slow.push_back(mManager->Download(std::wstring(path.begin(), path.end()),
                                          UserFile(L"Lentos", L"lento" + std::to_wstring(i), L".bin"), kLowPriority, 0));
    }
    ASSERT_TRUE(WaitForRequests({"/lento0.bin", "/lento1.bin", "/lento2.bin"}));
    mServer.Set("/urgente.png", HTTPTesting::Body("urgente"));
    FileTransferRef urgent = mManager->Download(L"urgente.png", UserFile(L"", L"urgente", L".png"), kHighPriority, 7);
    std::vector<FileTransferRef> all = slow;
    all.push_back(urgent);
    ASSERT_TRUE(WaitUntilOver(all));

    std::vector<sLogLine> const log = mServer.GetLog();
    int const urgentSent = Find(log, "LAST", "/urgente.png");
    ASSERT_GE(urgentSent, 0);
    for (int i = 0; i < 3; ++i)
    {
        std::string const path = "/lento" + std::to_string(i) + ".bin";
        // Each started again from the beginning once the urgent one was done.
        EXPECT_EQ(2, mServer.CountRequests(path)) << path;
        EXPECT_GT(Find(log, "GET", path, 1), urgentSent) << path;
        EXPECT_FALSE(slow[size_t(i)]->HasErrorOccurred());
        EXPECT_EQ(HTTPTesting::MakeBody(64 * 1024, unsigned(10 + i)), mUser.Read("Lentos/lento" + std::to_string(i) + ".bin"));
        EXPECT_FALSE(mUser.Exists("Lentos/lento" + std::to_string(i) + ".bin.part"));
    }
    EXPECT_EQ("urgente", mUser.Read("urgente.png"));
}

TEST_F(DownloadManagerTest, RaisingAQueuedRequestInterruptsTheRunningOnes)
{
    std::vector<FileTransferRef> slow;
    for (int i = 0; i < 3; ++i)
    {
        std::string const path = "/muro" + std::to_string(i) + ".bin";
        mServer.Set(path, SlowBody(unsigned(20 + i)));
        slow.push_back(mManager->Download(std::wstring(path.begin(), path.end()),
                                          UserFile(L"Muros", L"muro" + std::to_wstring(i), L".bin"), kLowPriority, 0));
    }
    mServer.Set("/puerta.png", HTTPTesting::Body("puerta"));
    FileTransferRef waiting = mManager->Download(L"puerta.png", UserFile(L"", L"puerta", L".png"), kLowPriority, 6);
    ASSERT_TRUE(WaitForRequests({"/muro0.bin", "/muro1.bin", "/muro2.bin"}));
    EXPECT_EQ(0, mServer.CountRequests("/puerta.png"));

    FileTransferRef raised = mManager->Download(L"puerta.png", UserFile(L"", L"puerta", L".png"), kHighPriority, 6);
    EXPECT_EQ(waiting.get(), raised.get());
    std::vector<FileTransferRef> all = slow;
    all.push_back(raised);
    ASSERT_TRUE(WaitUntilOver(all));
    std::vector<sLogLine> const log = mServer.GetLog();
    int const doorSent = Find(log, "LAST", "/puerta.png");
    ASSERT_GE(doorSent, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_GT(Find(log, "GET", "/muro" + std::to_string(i) + ".bin", 1), doorSent);
    EXPECT_EQ("puerta", mUser.Read("puerta.png"));
}

TEST_F(DownloadManagerTest, ALessUrgentRequestDoesNotLowerAQueuedOne)
{
    mServer.Set("/grua.png", SlowBody(5));
    FileTransferRef first = mManager->Download(L"grua.png", UserFile(L"", L"grua", L".png"), kHighPriority, 0);
    FileTransferRef again = mManager->Download(L"grua.png", UserFile(L"", L"grua", L".png"), kLowPriority, 0);
    EXPECT_EQ(first.get(), again.get());
    EXPECT_EQ(kHighPriority, static_cast<DownloadManager::FileTransfer*>(first.get())->GetPriority());
    ASSERT_TRUE(WaitUntilOver({first}));
    EXPECT_EQ(1, mServer.CountRequests("/grua.png"));
}

TEST_F(DownloadManagerTest, ABodyWithoutLengthCompletes)
{
    sResponse response = HTTPTesting::Body(HTTPTesting::MakeBody(4321, 6));
    response.sendLength = false;
    mServer.Set("/arena.bin", response);
    FileTransferRef transfer = mManager->Download(L"arena.bin", UserFile(L"", L"arena", L".bin"), kHighPriority, 4000);
    ASSERT_TRUE(WaitUntilOver({transfer}));
    EXPECT_FALSE(transfer->HasErrorOccurred());
    EXPECT_FLOAT_EQ(1.0f, transfer->GetDataTransferPctComplete());
    EXPECT_EQ(4321u, transfer->GetDataTransferSize());
    EXPECT_EQ(response.body, mUser.Read("arena.bin"));
}

TEST_F(DownloadManagerTest, ARedirectIsFollowed)
{
    mServer.Set("/viejo/pala.png", HTTPTesting::Redirect("/nuevo/pala.png", 301));
    mServer.Set("/nuevo/pala.png", HTTPTesting::Body("pala nueva"));
    FileTransferRef transfer = mManager->Download(L"viejo/pala.png", UserFile(L"", L"pala", L".png"), kHighPriority, 0);
    ASSERT_TRUE(WaitUntilOver({transfer}));
    EXPECT_FALSE(transfer->HasErrorOccurred());
    EXPECT_EQ("pala nueva", mUser.Read("pala.png"));
}

// --- invalid input and failures ---

TEST_F(DownloadManagerTest, NotFoundFailsWithTheNetworkCode)
{
    FileTransferRef transfer = mManager->Download(L"falta.png", UserFile(L"", L"falta", L".png"), kHighPriority, 10);
    ASSERT_TRUE(WaitUntilOver({transfer}));
    EXPECT_EQ(kFileTransferError_Network, transfer->GetLastError());
    EXPECT_LT(transfer->GetDataTransferPctComplete(), 1.0f);
    EXPECT_FALSE(mUser.Exists("falta.png"));
    EXPECT_FALSE(mUser.Exists("falta.png.part"));
    EXPECT_TRUE(mManager->GetQueue().empty());
}

TEST_F(DownloadManagerTest, AShortBodyFailsAndTheGoodFileStays)
{
    mUser.Write("Data/martillo.png", "GOOD FILE");
    sResponse response = HTTPTesting::Body(HTTPTesting::MakeBody(500, 7));
    response.announced = 1000;
    mServer.Set("/martillo.png", response);
    FileTransferRef transfer =
        mManager->Download(L"martillo.png", UserFile(L"Data", L"martillo", L".png"), kHighPriority, 1000);
    ASSERT_TRUE(WaitUntilOver({transfer}));
    EXPECT_EQ(kFileTransferError_Network, transfer->GetLastError());
    EXPECT_LT(transfer->GetDataTransferPctComplete(), 1.0f);
    EXPECT_EQ("GOOD FILE", mUser.Read("Data/martillo.png"));
    EXPECT_FALSE(mUser.Exists("Data/martillo.png.part"));
    EXPECT_TRUE(mManager->GetQueue().empty());
}

TEST_F(DownloadManagerTest, NoServerFailsWithTheNetworkCode)
{
    int port = 0;
    {
        HTTPTesting::LoopbackHTTPServer closed(0, 0);
        port = closed.GetPort();
    }
    std::string const base = "http://127.0.0.1:" + std::to_string(port);
    mManager->SetBaseURL(std::wstring(base.begin(), base.end()));
    FileTransferRef transfer = mManager->Download(L"nada.png", UserFile(L"", L"nada", L".png"), kHighPriority, 10);
    ASSERT_TRUE(WaitUntilOver({transfer}));
    EXPECT_EQ(kFileTransferError_Network, transfer->GetLastError());
}

TEST_F(DownloadManagerTest, AnUnwritableDestinationFailsWithTheFileCode)
{
    mServer.Set("/clavo.png", HTTPTesting::Body("clavo"));
    // No partition stands behind the application id in this test.
    FileTransferRef transfer = mManager->Download(
        L"clavo.png", FileAddress(kFileSystemPartition_Application, L"", L"clavo", L".png"), kHighPriority, 5);
    ASSERT_TRUE(WaitUntilOver({transfer}));
    EXPECT_EQ(kFileTransferError_File, transfer->GetLastError());
    // A destination that would leave its partition is refused the same way.
    mServer.Set("/tornillo.png", HTTPTesting::Body("tornillo"));
    FileTransferRef outside =
        mManager->Download(L"tornillo.png", UserFile(L"../fuera", L"tornillo", L".png"), kHighPriority, 5);
    ASSERT_TRUE(WaitUntilOver({outside}));
    EXPECT_EQ(kFileTransferError_File, outside->GetLastError());
}

TEST_F(DownloadManagerTest, APathWithoutAFileNameFailsAtOnce)
{
    for (wchar_t const* path : {L"", L"///", L"Sonidos/"})
    {
        FileTransferRef transfer = mManager->Download(path, UserFile(L"", L"base", L".html"), kHighPriority, 0);
        ASSERT_NE(nullptr, transfer);
        EXPECT_EQ(kFileTransferError_Network, transfer->GetLastError()) << path;
    }
    EXPECT_TRUE(mManager->GetQueue().empty());
    EXPECT_TRUE(mServer.GetLog().empty());
    EXPECT_FALSE(mUser.Exists("base.html"));
}

TEST_F(DownloadManagerTest, AbortingARunningTransferKeepsTheGoodFile)
{
    mUser.Write("ladrillo.png", "GOOD FILE");
    mServer.Set("/ladrillo.png", SlowBody(8));
    FileTransferRef transfer = mManager->Download(L"ladrillo.png", UserFile(L"", L"ladrillo", L".png"), kHighPriority, 0);
    ASSERT_TRUE(WaitForRequests({"/ladrillo.png"}));
    transfer->Abort();
    ASSERT_TRUE(WaitUntilOver({transfer}, 3000));
    EXPECT_EQ(kFileTransferError_Aborted, transfer->GetLastError());
    EXPECT_EQ("GOOD FILE", mUser.Read("ladrillo.png"));
    EXPECT_FALSE(mUser.Exists("ladrillo.png.part"));
    EXPECT_TRUE(mManager->GetQueue().empty());
}

TEST_F(DownloadManagerTest, AnAbortedQueuedTransferIsDroppedAndARequestAfterItStartsAfresh)
{
    std::vector<FileTransferRef> running;
    for (int i = 0; i < 3; ++i)
    {
        std::string const path = "/carga" + std::to_string(i) + ".bin";
        mServer.Set(path, SlowBody(unsigned(30 + i)));
        running.push_back(mManager->Download(std::wstring(path.begin(), path.end()),
                                             UserFile(L"", L"carga" + std::to_wstring(i), L".bin"), kLowPriority, 0));
    }
    mServer.Set("/cubo.png", HTTPTesting::Body("cubo"));
    FileTransferRef queued = mManager->Download(L"cubo.png", UserFile(L"", L"cubo", L".png"), kLowPriority, 4);
    queued->Abort();
    FileTransferRef fresh = mManager->Download(L"cubo.png", UserFile(L"", L"cubo", L".png"), kLowPriority, 4);
    EXPECT_NE(queued.get(), fresh.get());
    std::vector<FileTransferRef> all = running;
    all.push_back(queued);
    all.push_back(fresh);
    ASSERT_TRUE(WaitUntilOver(all));
    EXPECT_EQ(kFileTransferError_Aborted, queued->GetLastError());
    EXPECT_FALSE(fresh->HasErrorOccurred());
    EXPECT_EQ(1, mServer.CountRequests("/cubo.png"));
    EXPECT_EQ("cubo", mUser.Read("cubo.png"));
}

TEST_F(DownloadManagerTest, CleanupStopsTheThreadsAndFailsWhatIsLeft)
{
    std::vector<FileTransferRef> transfers;
    for (int i = 0; i < 5; ++i)
    {
        std::string const path = "/saco" + std::to_string(i) + ".bin";
        mServer.Set(path, SlowBody(unsigned(40 + i)));
        transfers.push_back(mManager->Download(std::wstring(path.begin(), path.end()),
                                               UserFile(L"", L"saco" + std::to_wstring(i), L".bin"), kLowPriority, 0));
    }
    ASSERT_TRUE(WaitForRequests({"/saco0.bin", "/saco1.bin", "/saco2.bin"}));
    auto const start = std::chrono::steady_clock::now();
    mManager->Cleanup();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(0, mManager->GetThreadCount());
    EXPECT_TRUE(mManager->GetQueue().empty());
    for (FileTransferRef const& transfer : transfers)
        EXPECT_EQ(kFileTransferError_Aborted, transfer->GetLastError());
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(mUser.Exists("saco" + std::to_string(i) + ".bin.part"));

    // Nothing would run a request now: it fails at once instead of waiting for ever.
    FileTransferRef late = mManager->Download(L"tarde.png", UserFile(L"", L"tarde", L".png"), kHighPriority, 1);
    EXPECT_EQ(kFileTransferError_Aborted, late->GetLastError());

    // Set up again, it works as before.
    mManager->Setup();
    EXPECT_EQ(3, mManager->GetThreadCount());
    mServer.Set("/otra.png", HTTPTesting::Body("otra vez"));
    FileTransferRef again = mManager->Download(L"otra.png", UserFile(L"", L"otra", L".png"), kHighPriority, 8);
    ASSERT_TRUE(WaitUntilOver({again}));
    EXPECT_EQ("otra vez", mUser.Read("otra.png"));
}

TEST_F(DownloadManagerTest, TheEngineCleanupHookStopsTheRegisteredManager)
{
    CleanupDownloadManager();
    EXPECT_EQ(0, mManager->GetThreadCount());
}

// --- non-ASCII names ---

TEST_F(DownloadManagerTest, NonASCIINamesAreFetchedAndStored)
{
    mServer.Set("/Se%C3%B1ales/Se%C3%B1al%20de%20stop.png", HTTPTesting::Body("se\xc3\xb1" "al"));
    FileTransferRef transfer = mManager->Download(L"Se\u00f1ales/Se\u00f1al de stop.png",
                                                  UserFile(L"Se\u00f1ales", L"Se\u00f1al de stop", L".png"),
                                                  kHighPriority, 6);
    ASSERT_TRUE(WaitUntilOver({transfer}));
    EXPECT_FALSE(transfer->HasErrorOccurred());
    EXPECT_EQ("se\xc3\xb1" "al", mUser.Read("Se\xc3\xb1" "ales/Se\xc3\xb1" "al de stop.png"));
}
