#include "2DEngine/Source/Framework/DownloadManager.h"

#include "2DEngine/Source/Framework/NetworkPlatform.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/Log.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"

#include <algorithm>
#include <memory>
#include <mutex>

namespace Corvane
{
    namespace
    {
        DownloadManager* gDownloadManager = nullptr;
        std::mutex gDownloadManagerCreation;

        bool HasError(IStream* stream)
        {
            IErrorStatus* status = dynamic_cast<IErrorStatus*>(stream);
            return status && status->HasErrorOccurred();
        }

        std::wstring WithForwardSlashes(std::wstring text)
        {
            std::replace(text.begin(), text.end(), L'\\', L'/');
            return text;
        }

        // Closes a file stream through the file system even when a copy throws.
        struct ClosedThrough
        {
            IFileSystem* fileSystem;
            IStream* stream;
            ~ClosedThrough()
            {
                if (fileSystem && stream)
                    fileSystem->CloseStream(stream);
            }
            void Close()
            {
                if (fileSystem && stream)
                    fileSystem->CloseStream(stream);
                stream = nullptr;
            }
        };
    }

    Label GetTransferID(std::wstring const& address)
    {
        size_t const slash = address.rfind(L'/');
        return Label::FromString(slash == std::wstring::npos ? address : address.substr(slash + 1));
    }

    // ---------------------------------------------------------------------------------------
    // FileTransfer

    DownloadManager::FileTransfer::FileTransfer(std::wstring const& url, FileAddress const& destination,
                                                int priority, uint32_t size)
        : mMutex(CreateMutex()), mURL(url), mID(GetTransferID(url)), mPriority(priority), mDestination(destination),
          mSize(size), mBytesCopied(0), mInterrupt(false), mAbort(false), mInterrupted(false), mComplete(false)
    {
    }

    DownloadManager::FileTransfer::~FileTransfer()
    {
        delete mMutex;
    }

    unsigned DownloadManager::FileTransfer::GetDataTransferSize() const
    {
        ScopedLock lock(mMutex);
        return mSize;
    }

    unsigned DownloadManager::FileTransfer::GetDataTransferNumBytesCopied() const
    {
        ScopedLock lock(mMutex);
        return mBytesCopied;
    }

    float DownloadManager::FileTransfer::GetDataTransferPctComplete() const
    {
        ScopedLock lock(mMutex);
        if (mComplete)
            return 1.0f;
        if (mSize == 0)
            return 0.0f;
        // Every byte may be copied while the file is not yet in place; waiters must not read it.
        float const fraction = float(mBytesCopied) / float(mSize);
        return std::min(fraction, 0.999f);
    }

    void DownloadManager::FileTransfer::Abort()
    {
        ScopedLock lock(mMutex);
        mAbort = true;
    }

    void DownloadManager::FileTransfer::AddRef()
    {
        mReferences.Add();
    }

    void DownloadManager::FileTransfer::Release()
    {
        if (mReferences.Remove())
            delete this;
    }

    void DownloadManager::FileTransfer::OnDataTransferInit(unsigned long total)
    {
        SetSize(uint32_t(total));
    }

    void DownloadManager::FileTransfer::OnDataTransferProgress(float, unsigned long bytes)
    {
        ScopedLock lock(mMutex);
        mBytesCopied += uint32_t(bytes);
    }

    void DownloadManager::FileTransfer::OnDataTransferComplete()
    {
        ScopedLock lock(mMutex);
        // A body of unannounced length is as long as what arrived.
        mSize = mBytesCopied;
        mComplete = true;
    }

    void DownloadManager::FileTransfer::OnDataTransferError(int)
    {
        // The run's outcome decides the stored code (network or file); nothing to keep here.
    }

    bool DownloadManager::FileTransfer::ShouldAbort()
    {
        ScopedLock lock(mMutex);
        bool const stop = mInterrupt || mAbort;
        if (mInterrupt)
            mInterrupted = true;
        mInterrupt = false;
        return stop;
    }

    void DownloadManager::FileTransfer::SetPriority(int priority)
    {
        ScopedLock lock(mMutex);
        mPriority = priority;
    }

    int DownloadManager::FileTransfer::GetPriority() const
    {
        ScopedLock lock(mMutex);
        return mPriority;
    }

    void DownloadManager::FileTransfer::Interrupt()
    {
        ScopedLock lock(mMutex);
        mInterrupt = true;
    }

    bool DownloadManager::FileTransfer::IsAborted() const
    {
        ScopedLock lock(mMutex);
        return mAbort;
    }

    bool DownloadManager::FileTransfer::IsComplete() const
    {
        ScopedLock lock(mMutex);
        return mComplete;
    }

    void DownloadManager::FileTransfer::BeginRun()
    {
        ScopedLock lock(mMutex);
        mInterrupt = false;
        mInterrupted = false;
        mBytesCopied = 0;
    }

    bool DownloadManager::FileTransfer::WasInterrupted() const
    {
        ScopedLock lock(mMutex);
        return mInterrupted;
    }

    void DownloadManager::FileTransfer::SetSize(uint32_t size)
    {
        ScopedLock lock(mMutex);
        mSize = size;
        mBytesCopied = 0;
    }

    // ---------------------------------------------------------------------------------------
    // DownloadManager

    DownloadManager::DownloadManager() : mMutex(CreateMutex()), mQuit(false)
    {
        RegisterDownloadManager(this);
    }

    DownloadManager::~DownloadManager()
    {
        try
        {
            if (!mThreads.empty())
                Cleanup();
        }
        catch (std::exception const& error)
        {
            Internal::LogWrite("Corvane::DownloadManager: clean-up failed: %s\n", error.what());
        }
        UnregisterDownloadManager(this);
        if (gDownloadManager == this)
            gDownloadManager = nullptr;
        mQueue.clear();
        delete mMutex;
    }

    void DownloadManager::Setup()
    {
        ScopedLock lock(mMutex);
        mQuit = false;
        if (!mThreads.empty())
            return;
        for (int i = 0; i < kThreadCount; ++i)
        {
            std::unique_ptr<IThreadSignal> signal(CreateThreadSignal());
            // The thread waits for this lock before it looks itself up in the map.
            IThread* thread = CreateThread(this, kThreadFlags_StartImmediately);
            DownloadThread& entry = mThreads[thread->GetThreadID()];
            entry.thread = thread;
            entry.signal = signal.release();
        }
    }

    void DownloadManager::SetBaseURL(std::wstring const& url)
    {
        std::wstring base = WithForwardSlashes(url);
        if (!base.empty() && base.back() == L'/')
            base.pop_back();
        ScopedLock lock(mMutex);
        mBaseURL = base;
    }

    std::wstring DownloadManager::GetBaseURL() const
    {
        ScopedLock lock(mMutex);
        return mBaseURL;
    }

    FileTransferRef DownloadManager::Download(std::wstring const& path, FileAddress const& destination, int priority,
                                              int size)
    {
        std::wstring requested = WithForwardSlashes(path);
        size_t const first = requested.find_first_not_of(L'/');
        requested.erase(0, first == std::wstring::npos ? requested.size() : first);

        ScopedLock lock(mMutex);
        if (TransferRef found = FindTransfer(GetTransferID(requested)))
        {
            if (priority < found->GetPriority())
            {
                found->SetPriority(priority);
                ReassignDownloadThreads();
            }
            return FileTransferRef(found.get());
        }

        TransferRef transfer(new FileTransfer(mBaseURL + L"/" + requested, destination, priority,
                                              uint32_t(std::max(size, 0))),
                             false);
        // No file name: the request would fetch the base address itself.
        if (requested.empty() || requested.back() == L'/')
        {
            transfer->SetLastError(kFileTransferError_Network);
            return FileTransferRef(transfer.get());
        }
        if (mQuit || mThreads.empty())
        {
            // Nobody would ever run it: it ends at once rather than wait for ever.
            transfer->Abort();
            transfer->SetLastError(kFileTransferError_Aborted);
            return FileTransferRef(transfer.get());
        }
        QueueTransfer(transfer);
        return FileTransferRef(transfer.get());
    }

    DownloadManager::TransferRef DownloadManager::FindTransfer(Label id)
    {
        ScopedLock lock(mMutex);
        for (TransferRef const& transfer : mQueue)
        {
            // An aborted transfer only waits to be dropped; a new request gets a fresh one.
            if (transfer->GetID() == id && !transfer->IsAborted())
                return transfer;
        }
        return nullptr;
    }

    void DownloadManager::QueueTransfer(TransferRef const& transfer)
    {
        ScopedLock lock(mMutex);
        mQueue.push_back(transfer);
        ReassignDownloadThreads();
    }

    bool DownloadManager::IsInUse(Label id) const
    {
        for (auto const& entry : mThreads)
        {
            if ((entry.second.transfer && entry.second.transfer->GetID() == id) ||
                (entry.second.running && entry.second.running->GetID() == id))
                return true;
        }
        return false;
    }

    void DownloadManager::ReassignDownloadThreads()
    {
        ScopedLock lock(mMutex);

        // Aborted transfers that no thread touches leave the queue here, each with its code.
        for (auto transfer = mQueue.begin(); transfer != mQueue.end();)
        {
            if ((*transfer)->IsAborted() && !IsInUse((*transfer)->GetID()))
            {
                (*transfer)->SetLastError(kFileTransferError_Aborted);
                transfer = mQueue.erase(transfer);
            }
            else
                ++transfer;
        }

        mQueue.sort([](TransferRef const& a, TransferRef const& b) { return a->GetPriority() < b->GetPriority(); });
        if (mQueue.empty())
            return;
        int const urgent = mQueue.front()->GetPriority();

        for (auto& entry : mThreads)
        {
            DownloadThread& thread = entry.second;
            if (thread.transfer && thread.transfer->GetPriority() > urgent)
            {
                thread.transfer->Interrupt();
                thread.transfer = nullptr;
            }
        }

        for (TransferRef const& transfer : mQueue)
        {
            if (transfer->GetPriority() != urgent)
                break;
            // Also passed over while an interrupted run of the same file still holds its file.
            if (IsInUse(transfer->GetID()))
                continue;
            auto idle = std::find_if(mThreads.begin(), mThreads.end(),
                                     [](std::pair<uint32_t const, DownloadThread> const& entry) {
                                         return !entry.second.transfer;
                                     });
            if (idle == mThreads.end())
                break;
            idle->second.transfer = transfer;
            idle->second.signal->Signal();
        }
    }

    void DownloadManager::DeleteTransfer(FileTransfer* transfer)
    {
        ScopedLock lock(mMutex);
        for (auto& entry : mThreads)
        {
            if (entry.second.transfer.get() == transfer)
                entry.second.transfer = nullptr;
        }
        auto found = std::find_if(mQueue.begin(), mQueue.end(),
                                  [transfer](TransferRef const& queued) { return queued.get() == transfer; });
        if (found != mQueue.end())
            mQueue.erase(found);
        ReassignDownloadThreads();
    }

    void DownloadManager::Execute()
    {
        uint32_t const self = GetCurrentThreadID();
        for (;;)
        {
            TransferRef transfer;
            IThreadSignal* signal = nullptr;
            {
                ScopedLock lock(mMutex);
                if (mQuit)
                    return;
                auto entry = mThreads.find(self);
                if (entry == mThreads.end())
                    return;
                signal = entry->second.signal;
                transfer = entry->second.transfer;
            }
            if (!transfer)
            {
                signal->Wait();
                ScopedLock lock(mMutex);
                if (mQuit)
                    return;
                continue;
            }
            {
                ScopedLock lock(mMutex);
                DownloadThread& thread = mThreads[self];
                // Taken from this thread while it was waking up.
                if (thread.transfer != transfer)
                    continue;
                thread.running = transfer;
                transfer->BeginRun();
            }

            int error = 0;
            eRunOutcome outcome = kRun_Failed;
            try
            {
                outcome = Run(transfer.get(), &error);
            }
            catch (std::exception const& failure)
            {
                Internal::LogWrite("Corvane::DownloadManager: '%ls' failed: %s\n", transfer->GetURL().c_str(),
                                   failure.what());
                error = kFileTransferError_File;
            }

            {
                ScopedLock lock(mMutex);
                mThreads[self].running = nullptr;
                if (outcome == kRun_Interrupted)
                    // Another thread may now take it up.
                    ReassignDownloadThreads();
                else
                    DeleteTransfer(transfer.get());
            }
            if (outcome == kRun_Complete)
                transfer->OnDataTransferComplete();
            else if (outcome == kRun_Failed)
                transfer->SetLastError(error);
        }
    }

    FileAddress DownloadManager::GetTemporaryAddress(FileAddress const& destination)
    {
        return FileAddress(destination.GetPartition(), destination.GetFolder(), destination.GetFileName(), L".part");
    }

    DownloadManager::eRunOutcome DownloadManager::Run(FileTransfer* transfer, int* error)
    {
        *error = 0;
        if (transfer->IsAborted())
        {
            *error = kFileTransferError_Aborted;
            return kRun_Failed;
        }

        INetworkPlatform* network = GetNetworkPlatform();
        std::unique_ptr<IStream> http(network ? network->OpenHTTPStream(transfer->GetURL().c_str()) : nullptr);
        if (!http || HasError(http.get()))
        {
            *error = kFileTransferError_Network;
            return kRun_Failed;
        }

        // The good file stays untouched until the new one is complete.
        FileAddress const destination = transfer->GetDestination();
        FileAddress const temporary = GetTemporaryAddress(destination);
        IFileSystem* fileSystem = GetFileSystem();
        ClosedThrough file{fileSystem, nullptr};
        if (fileSystem && IsAddressInsidePartition(destination) && IsAddressInsidePartition(temporary))
            file.stream = fileSystem->OpenStream(&temporary, kFileWrite, kFileCreateAlways);
        if (!file.stream || HasError(file.stream))
        {
            *error = kFileTransferError_File;
            return kRun_Failed;
        }

        uint32_t const length = http->GetLength();
        bool const lengthKnown = length != kUnknownStreamLength;
        if (lengthKnown)
            transfer->OnDataTransferInit(length);
        else
            transfer->SetSize(transfer->GetDataTransferSize());
        unsigned long copied = 0;
        bool writeThrew = false;
        try
        {
            copied = StreamCopy(http.get(), file.stream, lengthKnown ? length : 0xFFFFFFFFul, transfer);
        }
        catch (std::exception const& failure)
        {
            // File streams report a failed write by throwing.
            Internal::LogWrite("Corvane::DownloadManager: writing '%ls' failed: %s\n", transfer->GetURL().c_str(),
                               failure.what());
            writeThrew = true;
        }
        bool const ended = http->IsEOF();
        bool const networkFailed = HasError(http.get());
        bool const fileFailed = writeThrew || HasError(file.stream);
        file.Close();
        http.reset();

        eRunOutcome outcome = kRun_Complete;
        if (transfer->IsAborted())
            *error = kFileTransferError_Aborted;
        else if (fileFailed)
            *error = kFileTransferError_File;
        else if (networkFailed)
            *error = kFileTransferError_Network;
        else if (!ended && transfer->WasInterrupted())
            outcome = kRun_Interrupted;
        // A body that stopped short of its announced length is not the file.
        else if (!ended || (lengthKnown && copied != length))
            *error = kFileTransferError_Network;
        else if (fileSystem->ReplaceFile(&temporary, &destination, kReplace_Overwrite) != kReplaceResult_Done)
            *error = kFileTransferError_File;

        if (*error != 0)
            outcome = kRun_Failed;
        if (outcome != kRun_Complete)
            fileSystem->DeleteFile(&temporary);
        return outcome;
    }

    void DownloadManager::Cleanup()
    {
        {
            ScopedLock lock(mMutex);
            mQuit = true;
            for (auto& entry : mThreads)
            {
                entry.second.signal->Signal();
                if (entry.second.transfer)
                    entry.second.transfer->Abort();
                if (entry.second.running)
                    entry.second.running->Abort();
            }
        }
        while (!AreThreadsFinished())
            Sleep(5);

        std::list<TransferRef> left;
        {
            ScopedLock lock(mMutex);
            for (auto& entry : mThreads)
            {
                delete entry.second.thread;
                delete entry.second.signal;
            }
            mThreads.clear();
            left.swap(mQueue);
        }
        // Whoever waits for these learns that they will never come.
        for (TransferRef const& transfer : left)
        {
            transfer->Abort();
            transfer->SetLastError(kFileTransferError_Aborted);
        }
    }

    bool DownloadManager::AreThreadsFinished()
    {
        ScopedLock lock(mMutex);
        for (auto& entry : mThreads)
        {
            if (entry.second.thread->GetState() != kThreadState_Finished)
                return false;
        }
        return true;
    }

    std::vector<FileTransferRef> DownloadManager::GetQueue() const
    {
        ScopedLock lock(mMutex);
        std::vector<FileTransferRef> queue;
        for (TransferRef const& transfer : mQueue)
            queue.push_back(FileTransferRef(transfer.get()));
        return queue;
    }

    int DownloadManager::GetBusyThreadCount() const
    {
        ScopedLock lock(mMutex);
        int busy = 0;
        for (auto const& entry : mThreads)
        {
            if (entry.second.transfer)
                ++busy;
        }
        return busy;
    }

    int DownloadManager::GetThreadCount() const
    {
        ScopedLock lock(mMutex);
        return int(mThreads.size());
    }

    DownloadManager* GetDownloadManager()
    {
        std::lock_guard<std::mutex> creation(gDownloadManagerCreation);
        if (!gDownloadManager)
        {
            gDownloadManager = new DownloadManager();
            AutoDeleteSingleton(gDownloadManager);
            gDownloadManager->Setup();
        }
        return gDownloadManager;
    }

    IDownloadManager* GetStreamingDownloadManager()
    {
        if (IDownloadManager* registered = GetRegisteredDownloadManager())
            return registered;
        return GetDownloadManager();
    }

    void CleanupDownloadManager()
    {
        if (IDownloadManager* manager = GetRegisteredDownloadManager())
            manager->Cleanup();
    }
}
