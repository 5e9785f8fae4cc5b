#pragma once

// Fetches files over HTTP into the per-user partition: a queue of transfers kept sorted by
// priority (smaller is more urgent) and three download threads that work on the most urgent
// ones. A more urgent request takes the threads from less urgent work, which goes back to
// the queue and later starts again from the beginning.

#include "2DEngine/Source/Framework/FileTransfer.h"
#include "Core/Source/Thread.h"

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

namespace Corvane
{
    // The codes a failed transfer stores as its last error.
    enum eFileTransferError
    {
        // The HTTP stream failed to open, broke off, or the response was not a success.
        kFileTransferError_Network = -2,
        // The file could not be written or put in place.
        kFileTransferError_File = -3,
        kFileTransferError_Aborted = -4
    };

    // The label of the text after the address's last "/" (the whole text without one).
    Label GetTransferID(std::wstring const& address);

    class DownloadManager : public IDownloadManager, public IEntryPoint
    {
    public:
        static constexpr int kThreadCount = 3;

        class FileTransfer : public IFileTransfer, public IDataTransferProgress
        {
        public:
            // Starts with a reference count of 1, which its maker adopts.
            FileTransfer(std::wstring const& url, FileAddress const& destination, int priority, uint32_t size);
            ~FileTransfer() override;
            FileTransfer(FileTransfer const&) = delete;
            FileTransfer& operator=(FileTransfer const&) = delete;

            unsigned GetDataTransferSize() const override;
            unsigned GetDataTransferNumBytesCopied() const override;
            // Reaches 1 only once the file is in place, never while it is still being written.
            float GetDataTransferPctComplete() const override;
            void Abort() override;
            Label GetID() const override { return mID; }
            void AddRef() override;
            void Release() override;

            void OnDataTransferInit(unsigned long total) override;
            void OnDataTransferProgress(float fraction, unsigned long bytes) override;
            // Marks the file as in place.
            void OnDataTransferComplete() override;
            // Notes a stream's error; the download thread stores the transfer's own code once
            // the transfer has left the queue.
            void OnDataTransferError(int code) override;
            // True when interrupted or aborted; an interruption is answered once.
            bool ShouldAbort() override;

            void SetPriority(int priority);
            int GetPriority() const;
            // Asks the thread running it to give it back to the queue.
            void Interrupt();
            bool IsAborted() const;
            bool IsComplete() const;
            std::wstring GetURL() const { return mURL; }
            FileAddress const& GetDestination() const { return mDestination; }

        private:
            friend class DownloadManager;
            // A new run from the first byte: forgets a stale interruption and the bytes copied.
            void BeginRun();
            // Whether ShouldAbort answered an interruption during the current run.
            bool WasInterrupted() const;
            // Once the length is known: the size to report, the bytes copied back to 0.
            void SetSize(uint32_t size);

            IMutex* mMutex;
            std::wstring const mURL;
            Label const mID;
            int mPriority;
            FileAddress const mDestination;
            uint32_t mSize;
            uint32_t mBytesCopied;
            bool mInterrupt;
            bool mAbort;
            bool mInterrupted;
            bool mComplete;
            ReferenceCount mReferences;
        };

        typedef boost::intrusive_ptr<FileTransfer> TransferRef;

        struct DownloadThread
        {
            IThread* thread = nullptr;
            IThreadSignal* signal = nullptr;
            // What the thread is told to work on; null while idle.
            TransferRef transfer;
            // What the thread is actually running; an interrupted transfer stays here until the
            // thread has let go of its file.
            TransferRef running;
        };

        // Registers itself as the download manager. GetDownloadManager makes the process-wide
        // one; tests may make their own.
        DownloadManager();
        // Stops the threads if Cleanup was not called.
        ~DownloadManager() override;
        DownloadManager(DownloadManager const&) = delete;
        DownloadManager& operator=(DownloadManager const&) = delete;

        // Starts the three download threads (again after a Cleanup).
        void Setup() override;
        // Stops every thread, aborting what they work on, and fails what is left in the queue
        // with kFileTransferError_Aborted.
        void Cleanup() override;
        void SetBaseURL(std::wstring const& url) override;
        // The queued transfer of the same file name, made more urgent when asked; otherwise a
        // new one from base URL + "/" + path. Failures never throw: they end up in the
        // transfer's last error, and the transfer leaves the queue.
        FileTransferRef Download(std::wstring const& path, FileAddress const& destination, int priority,
                                 int size) override;
        // The body of every download thread.
        void Execute() override;

        std::wstring GetBaseURL() const;
        // The queued transfers, most urgent first once the threads were reassigned.
        std::vector<FileTransferRef> GetQueue() const;
        // How many threads are working on a transfer.
        int GetBusyThreadCount() const;
        int GetThreadCount() const;

        // Where a transfer writes before its file is complete: the destination's folder, its
        // file name followed by ".part".
        static FileAddress GetTemporaryAddress(FileAddress const& destination);

    private:
        enum eRunOutcome
        {
            kRun_Complete,
            kRun_Interrupted,
            kRun_Failed
        };

        TransferRef FindTransfer(Label id);
        void QueueTransfer(TransferRef const& transfer);
        void ReassignDownloadThreads();
        void DeleteTransfer(FileTransfer* transfer);
        bool AreThreadsFinished();
        bool IsInUse(Label id) const;
        // Fetches one transfer into its temporary file and puts it in place; error receives the
        // code of a failed run.
        eRunOutcome Run(FileTransfer* transfer, int* error);

        std::list<TransferRef> mQueue;
        std::map<uint32_t, DownloadThread> mThreads;
        IMutex* mMutex;
        bool mQuit;
        std::wstring mBaseURL;
    };

    // The process-wide manager: made on first use, handed to the shutdown deletion and set up
    // at once.
    DownloadManager* GetDownloadManager();

    // The registered download manager, or the process-wide one made on first use: what the
    // streaming file source fetches through.
    IDownloadManager* GetStreamingDownloadManager();

    // Engine clean-up: stops the registered download manager's threads, if there is one.
    void CleanupDownloadManager();
}
