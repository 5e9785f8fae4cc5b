#pragma once

#include <list>
#include <string>

#include "Core/Source/Thread.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/FileTransfer.h"
#include "2DEngine/Source/Framework/ResourceManager.h"

// The resource manager's own view of a loading job: its progress, and on the streaming path
// the file transfers it waits for. Used only by the manager.
namespace Corvane
{
    // One resource of the streaming path waiting for its files: a copy of its element with
    // all its content, replayed to the factory once no transfer of it is outstanding.
    class ResourceManager::ResourceLoadDescriptor
    {
    public:
        // Drops every transfer that finished or failed.
        void RemoveCompletedFiles();

        XMLElementList elements;
        std::list<FileTransferRef> transfers;
    };

    class ResourceManager::LoadingJob : public ILoadingJob, public IResourceLoadProgress
    {
    public:
        LoadingJob(std::wstring const& manifest, bool lockFileSystem, eLoadType loadType);
        ~LoadingJob() override;

        float GetResourceLoadPctComplete() const override;
        unsigned GetDataTransferSize() const override;
        unsigned GetDataTransferNumBytesCopied() const override;
        void OnProgress(float fraction) override;
        // True exactly when the job was aborted.
        bool ShouldAbort() override;

        void OnTransferComplete(IFileTransfer* transfer);
        void OnTransferError(IFileTransfer* transfer);
        // Transfer size and bytes copied from the finished bytes plus every outstanding transfer.
        void UpdateDataTransferProgress();

        // The fields below are the loader thread's, except loadCount, which belongs to the
        // thread that loads and unloads.
        std::list<FileTransferRef> transfers;
        std::list<ResourceLoadDescriptor> descriptors;
        bool const lockFileSystem;
        eLoadType const loadType;
        int32_t loadCount;
        bool filesChanged;

    private:
        IMutex* mDataLock;
        float mProgress;
        unsigned mCompletedBytes;
        unsigned mTransferSize;
        unsigned mBytesCopied;
    };
}
