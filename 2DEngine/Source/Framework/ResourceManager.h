#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <boost/intrusive_ptr.hpp>

#include "Core/Source/Error.h"
#include "Core/Source/Label.h"
#include "Core/Source/Stream.h"
#include "Core/Source/Thread.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/Resource.h"

namespace Corvane
{
    class IFileTransfer;

    enum eLoadingJobStatus
    {
        // Queued, not yet taken by the loader thread.
        kLoadingJobStatus_Queued = 0,
        // Waiting for file transfers.
        kLoadingJobStatus_Acquiring = 1,
        kLoadingJobStatus_Reading = 2,
        kLoadingJobStatus_Complete = 3,
        // The manifest file could not be opened.
        kLoadingJobStatus_FileMissing = -1,
        kLoadingJobStatus_Aborted = -2,
        // Reading stopped on an error (a malformed manifest, a duplicate name, a factory's
        // exception); the message is in the log and the resources read before it stay loaded.
        kLoadingJobStatus_Failed = -3
    };

    class IResourceLoadProgressQuery
    {
    public:
        virtual ~IResourceLoadProgressQuery() {}
        // The fraction of the manifest read, 0 to 1.
        virtual float GetResourceLoadPctComplete() const = 0;
    };

    // The progress sink a caller gives to a load.
    class IResourceLoadProgress
    {
    public:
        virtual ~IResourceLoadProgress() {}
        virtual void OnProgress(float fraction) = 0;
        virtual bool ShouldAbort() = 0;
    };

    // One manifest's loading job as callers see it. Shared through intrusive pointers; the
    // last Release deletes it.
    class ILoadingJob : public IResourceLoadProgressQuery,
                        public IDataTransferProgressQuery,
                        public IErrorStatus,
                        public IReferenced
    {
    public:
        explicit ILoadingJob(std::wstring const& name);
        ~ILoadingJob() override;
        ILoadingJob(ILoadingJob const&) = delete;
        ILoadingJob& operator=(ILoadingJob const&) = delete;

        void AddRef() override;
        void Release() override;

        std::wstring const& GetName() const { return mName; }
        eLoadingJobStatus GetStatus() const;
        void SetStatus(eLoadingJobStatus status);
        // True once complete (3) or failed, aborted or missing (negative).
        bool IsComplete() const;
        // Marks the job aborted unless it is complete.
        void Abort();
        // Marks the job failed unless it already is complete, failed or aborted.
        void Fail();

    private:
        ReferenceCount mReferences;
        IMutex* mStatusLock;
        std::wstring mName;
        eLoadingJobStatus mStatus;
    };

    typedef boost::intrusive_ptr<ILoadingJob> LoadingJobRef;

    // Holds every resource factory, the table of loaded resources by label, one loading job
    // per manifest and the loader thread that reads manifests in the background.
    //
    // A manifest is "<name>.xml" opened through the file source. Every start element with a
    // non-empty "name" declares a resource, made by the factory registered for its tag; the
    // tag "alias" binds its "name" to the resource already bound to its "src".
    class ResourceManager : private IEntryPoint
    {
    public:
        enum eLoadType
        {
            kLoadType_AcquireOnly = 0,
            kLoadType_Create = 1
        };

        class LoadingJob;
        class ResourceLoadDescriptor;

        // Made by GetResourceManager, which makes it the process-wide manager.
        ResourceManager();
        ~ResourceManager() override;
        ResourceManager(ResourceManager const&) = delete;
        ResourceManager& operator=(ResourceManager const&) = delete;

        // The manager owns the factory; one registered before for the same tag is deleted.
        void AddResourceFactory(wchar_t const* tag, IResourceFactory* factory);

        // Queues the manifest for the loader thread, or adds one to the load count of a
        // manifest that already has a job (whatever its status: a failed job is not retried).
        LoadingJobRef LoadAsync(wchar_t const* manifest, bool lockFileSystem = false);
        // LoadAsync, then waits (polling every 5 ms) until the job is complete, failed or
        // aborted. The sink, when given, is asked on this thread.
        void Load(wchar_t const* manifest, IResourceLoadProgress* progress = nullptr, bool lockFileSystem = false);
        // Reads a manifest from an open stream on this thread (a loaded one only gains a
        // count). Errors, a duplicate name among them, throw to the caller. The stream stays open.
        void LoadFromStream(IStream* stream, wchar_t const* manifest, IResourceLoadProgress* progress = nullptr,
                            bool lockFileSystem = false);
        // Takes one from the load count; at zero the manifest's resources are erased.
        void Unload(wchar_t const* manifest);
        // 0 for a manifest without a job.
        int GetLoadCount(std::wstring const& manifest) const;
        // The status of the manifest's job; false, and nothing stored, when it has none.
        bool GetLoadStatus(std::wstring const& manifest, eLoadingJobStatus* status) const;

        // Not a new reference; null when the name is not bound.
        IResourceDescriptor* GetResource(Label name);
        // Every bound descriptor that is also a T, in label-handle order. For the main thread
        // between loads.
        template <class T>
        std::vector<IResourceDescriptor*> GetResources();

        // Aborts queued jobs, stops and joins the loader thread, and drops every resource.
        void Cleanup();

    private:
        typedef boost::intrusive_ptr<LoadingJob> JobRef;
        typedef std::shared_ptr<IResourceDescriptor> DescriptorRef;

        void Execute() override;
        void WorkPending();
        void WorkAcquiring();
        // One pass over a job waiting for its files; true when it leaves the waiting list.
        bool AdvanceAcquiring(LoadingJob* job);
        void LoadInternal(LoadingJob* job, bool skipExisting);
        bool AcquireFiles(LoadingJob* job);
        void AddPendingLoad(JobRef const& job);
        IResourceDescriptor* LoadResource(wchar_t const* manifest, IXMLReader& reader);
        void ReadManifest(IXMLReader& reader, std::wstring const& manifest, LoadingJob* job, bool skipExisting,
                          IResourceLoadProgress* progress);
        void ReadManifestElements(IXMLReader& reader, std::wstring const& manifest, LoadingJob* job,
                                  bool skipExisting, IResourceLoadProgress* progress);
        void FailJob(LoadingJob* job, char const* reason);
        bool IsQuitting();

        IMutex* mMutex;
        IThread* mThread;
        IThreadSignal* mSignal;
        std::map<std::wstring, IResourceFactory*> mFactories;
        std::map<Label, DescriptorRef> mResources;
        std::list<JobRef> mPending;
        std::list<JobRef> mAcquiring;
        std::map<std::wstring, JobRef> mJobs;
        bool mQuitting;
    };

    template <class T>
    std::vector<IResourceDescriptor*> ResourceManager::GetResources()
    {
        std::vector<IResourceDescriptor*> found;
        for (auto const& entry : mResources)
        {
            if (dynamic_cast<T*>(entry.second.get()))
                found.push_back(entry.second.get());
        }
        return found;
    }

    // The process-wide manager, made (with its loader thread running) on first use.
    ResourceManager* GetResourceManager();
}
