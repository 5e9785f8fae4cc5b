#include "2DEngine/Source/Framework/ResourceLoadingJob.h"

#include <memory>

namespace Corvane
{
    ILoadingJob::ILoadingJob(std::wstring const& name)
        : mStatusLock(CreateMutex()), mName(name), mStatus(kLoadingJobStatus_Queued)
    {
    }

    ILoadingJob::~ILoadingJob()
    {
        delete mStatusLock;
    }

    void ILoadingJob::AddRef()
    {
        mReferences.Add();
    }

    void ILoadingJob::Release()
    {
        if (mReferences.Remove())
            delete this;
    }

    eLoadingJobStatus ILoadingJob::GetStatus() const
    {
        ScopedLock lock(mStatusLock);
        return mStatus;
    }

    void ILoadingJob::SetStatus(eLoadingJobStatus status)
    {
        ScopedLock lock(mStatusLock);
        mStatus = status;
    }

    bool ILoadingJob::IsComplete() const
    {
        ScopedLock lock(mStatusLock);
        return mStatus == kLoadingJobStatus_Complete || mStatus < 0;
    }

    void ILoadingJob::Abort()
    {
        ScopedLock lock(mStatusLock);
        if (mStatus != kLoadingJobStatus_Complete)
            mStatus = kLoadingJobStatus_Aborted;
    }

    void ILoadingJob::Fail()
    {
        ScopedLock lock(mStatusLock);
        if (mStatus != kLoadingJobStatus_Complete && mStatus >= 0)
            mStatus = kLoadingJobStatus_Failed;
    }

    ResourceManager::LoadingJob::LoadingJob(std::wstring const& manifest, bool lockFileSystemWhileReading,
                                            eLoadType type)
        : ILoadingJob(manifest), lockFileSystem(lockFileSystemWhileReading), loadType(type), loadCount(1),
          filesChanged(false), mDataLock(CreateMutex()), mProgress(0.0f), mCompletedBytes(0), mTransferSize(0),
          mBytesCopied(0)
    {
    }

    ResourceManager::LoadingJob::~LoadingJob()
    {
        delete mDataLock;
    }

    float ResourceManager::LoadingJob::GetResourceLoadPctComplete() const
    {
        ScopedLock lock(mDataLock);
        return mProgress;
    }

    unsigned ResourceManager::LoadingJob::GetDataTransferSize() const
    {
        ScopedLock lock(mDataLock);
        return mTransferSize;
    }

    unsigned ResourceManager::LoadingJob::GetDataTransferNumBytesCopied() const
    {
        ScopedLock lock(mDataLock);
        return mBytesCopied;
    }

    void ResourceManager::LoadingJob::OnProgress(float fraction)
    {
        ScopedLock lock(mDataLock);
        mProgress = fraction;
    }

    bool ResourceManager::LoadingJob::ShouldAbort()
    {
        return GetStatus() == kLoadingJobStatus_Aborted;
    }

    void ResourceManager::LoadingJob::OnTransferComplete(IFileTransfer* transfer)
    {
        unsigned const size = transfer->GetDataTransferSize();
        ScopedLock lock(mDataLock);
        mCompletedBytes += size;
    }

    void ResourceManager::LoadingJob::OnTransferError(IFileTransfer* transfer)
    {
        SetLastError(transfer->GetLastError());
    }

    void ResourceManager::LoadingJob::UpdateDataTransferProgress()
    {
        unsigned outstandingSize = 0;
        unsigned outstandingCopied = 0;
        for (auto const& transfer : transfers)
        {
            outstandingSize += transfer->GetDataTransferSize();
            outstandingCopied += transfer->GetDataTransferNumBytesCopied();
        }
        ScopedLock lock(mDataLock);
        mTransferSize = mCompletedBytes + outstandingSize;
        mBytesCopied = mCompletedBytes + outstandingCopied;
    }

    void ResourceManager::ResourceLoadDescriptor::RemoveCompletedFiles()
    {
        for (auto transfer = transfers.begin(); transfer != transfers.end();)
        {
            if ((*transfer)->GetDataTransferPctComplete() >= 1.0f || (*transfer)->HasErrorOccurred())
                transfer = transfers.erase(transfer);
            else
                ++transfer;
        }
    }
}
