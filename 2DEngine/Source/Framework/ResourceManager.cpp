#include "2DEngine/Source/Framework/ResourceManager.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <exception>
#include <new>

#include "Core/Source/FileAddress.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/Log.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Framework/ResourceLoadingJob.h"

namespace Corvane
{
    namespace
    {
        std::atomic<ResourceManager*> gResourceManager(nullptr);

        wchar_t const kAliasTag[] = L"alias";

        bool HasValidName(XMLElement const& element)
        {
            return element.HasAttribute(L"name") && !element.GetAttribute(L"name").empty();
        }

        // Holds the file system locked (when asked to) so that a burst of look-ups can use
        // the partitions' caches.
        class FileSystemLock
        {
        public:
            explicit FileSystemLock(bool active) : mFileSystem(active ? GetFileSystem() : nullptr)
            {
                if (mFileSystem)
                    mFileSystem->Lock();
            }
            ~FileSystemLock()
            {
                if (mFileSystem)
                    mFileSystem->Unlock();
            }
            FileSystemLock(FileSystemLock const&) = delete;
            FileSystemLock& operator=(FileSystemLock const&) = delete;

        private:
            IFileSystem* mFileSystem;
        };

        void CloseFileStream(IStream* stream)
        {
            if (!stream)
                return;
            if (IFileSystem* fileSystem = GetFileSystem())
                fileSystem->CloseStream(stream);
            else
                delete stream;
        }

        // A stream opened through the file source, closed through the file system on every
        // way out.
        class ManifestStream
        {
        public:
            explicit ManifestStream(std::wstring const& manifest) : mStream(nullptr)
            {
                if (IFileSource* source = GetFileSource())
                    mStream = source->OpenFileStream(FileAddress(manifest, L".xml"));
            }
            ~ManifestStream() { CloseFileStream(mStream); }
            ManifestStream(ManifestStream const&) = delete;
            ManifestStream& operator=(ManifestStream const&) = delete;

            IStream* Get() const { return mStream; }

        private:
            IStream* mStream;
        };

        // Log lines are ASCII: a name with other characters shows '?' in their places instead
        // of losing the whole line.
        std::string Narrow(std::wstring const& text)
        {
            return TruncateStringWideToASCII(text);
        }

        void LogUnopenedManifest(std::wstring const& manifest)
        {
            Internal::LogWrite("Resource file %s.xml could not be opened.\n", Narrow(manifest).c_str());
        }

        [[noreturn]] void ThrowDuplicate(std::wstring const& loaded, std::wstring const& reading,
                                         std::wstring const& name)
        {
            char message[1024];
            std::snprintf(message, sizeof message, "The manifests '%s' and '%s' both contain a resource named '%s'.",
                          TruncateStringWideToASCII(loaded).c_str(), TruncateStringWideToASCII(reading).c_str(),
                          TruncateStringWideToASCII(name).c_str());
            CORVANE_THROW(std::string(message));
        }

        bool IsStreamingInitialized()
        {
            IStreamable* streamable = dynamic_cast<IStreamable*>(GetFileSource());
            return streamable && streamable->IsStreamingInitialized();
        }
    }

    // ---------------------------------------------------------------------------------------
    // ResourceManager

    ResourceManager* GetResourceManager()
    {
        ResourceManager* manager = gResourceManager.load();
        if (!manager)
            manager = new ResourceManager();
        return manager;
    }

    namespace Internal
    {
        IResourceDescriptor* FindResource(Label name)
        {
            return GetResourceManager()->GetResource(name);
        }
    }

    ResourceManager::ResourceManager()
        : mMutex(CreateMutex()), mThread(nullptr), mSignal(nullptr), mQuitting(false)
    {
        gResourceManager.store(this);
        AutoDeleteSingleton(this);
        mSignal = CreateThreadSignal();
        mThread = CreateThread(this, kThreadFlags_StartImmediately);
    }

    ResourceManager::~ResourceManager()
    {
        try
        {
            // The loader thread runs on this object: it must have ended before anything goes.
            if (mThread && mThread->GetState() == kThreadState_Running)
                Cleanup();
        }
        catch (...)
        {
        }
        for (auto& entry : mFactories)
            delete entry.second;
        mFactories.clear();
        mResources.clear();
        mPending.clear();
        mAcquiring.clear();
        mJobs.clear();
        delete mThread;
        delete mSignal;
        delete mMutex;
        ResourceManager* self = this;
        gResourceManager.compare_exchange_strong(self, nullptr);
    }

    void ResourceManager::AddResourceFactory(wchar_t const* tag, IResourceFactory* factory)
    {
        IResourceFactory*& slot = mFactories[tag];
        if (slot != factory)
            delete slot;
        slot = factory;
    }

    LoadingJobRef ResourceManager::LoadAsync(wchar_t const* manifest, bool lockFileSystem)
    {
        auto found = mJobs.find(manifest);
        if (found != mJobs.end())
        {
            ++found->second->loadCount;
            return found->second;
        }

        JobRef job(new LoadingJob(manifest, lockFileSystem, kLoadType_Create), false);
        mJobs[manifest] = job;
        {
            ScopedLock lock(mMutex);
            // After Cleanup no loader thread is left to take the job; ending it here keeps a
            // caller of Load from waiting for ever.
            if (mQuitting)
                job->Abort();
            else
                mPending.push_back(job);
        }
        mSignal->Signal();
        return job;
    }

    void ResourceManager::Load(wchar_t const* manifest, IResourceLoadProgress* progress, bool lockFileSystem)
    {
        LoadingJobRef job = LoadAsync(manifest, lockFileSystem);
        while (!job->IsComplete())
        {
            if (progress)
            {
                if (progress->ShouldAbort())
                    job->Abort();
                progress->OnProgress(job->GetResourceLoadPctComplete());
            }
            Sleep(5);
        }
    }

    void ResourceManager::LoadFromStream(IStream* stream, wchar_t const* manifest, IResourceLoadProgress* progress,
                                         bool lockFileSystem)
    {
        auto found = mJobs.find(manifest);
        if (found != mJobs.end())
        {
            ++found->second->loadCount;
            return;
        }
        if (!stream)
        {
            LogUnopenedManifest(manifest);
            return;
        }

        JobRef job(new LoadingJob(manifest, lockFileSystem, kLoadType_Create), false);
        job->SetStatus(kLoadingJobStatus_Complete);
        mJobs[manifest] = job;
        Internal::LogWrite("Loading resource file: %s\n", Narrow(manifest).c_str());

        FileSystemLock fileSystemLock(lockFileSystem);
        std::unique_ptr<IXMLReader> reader(CreateXMLReader(stream));
        ReadManifest(*reader, manifest, nullptr, false, progress);
    }

    void ResourceManager::Unload(wchar_t const* manifest)
    {
        auto found = mJobs.find(manifest);
        if (found == mJobs.end())
        {
            Internal::LogWrite("Resource file %s is not loaded and was not unloaded.\n", Narrow(manifest).c_str());
            return;
        }
        JobRef job = found->second;
        if (--job->loadCount >= 1)
            return;

        Internal::LogWrite("Unloading resource file: %s\n", Narrow(manifest).c_str());
        // A job still being read stops at its next element and binds nothing more, so that no
        // resource of an unloaded manifest is left behind.
        if (!job->IsComplete())
            job->Abort();

        // The resources are destroyed after the lock is given back: their destructors may
        // take locks of their own.
        std::vector<DescriptorRef> erased;
        {
            ScopedLock lock(mMutex);
            mJobs.erase(found);
            for (auto entry = mResources.begin(); entry != mResources.end();)
            {
                if (entry->second->GetManifest() == manifest)
                {
                    erased.push_back(entry->second);
                    entry = mResources.erase(entry);
                }
                else
                {
                    ++entry;
                }
            }
        }
    }

    int ResourceManager::GetLoadCount(std::wstring const& manifest) const
    {
        auto found = mJobs.find(manifest);
        return found == mJobs.end() ? 0 : found->second->loadCount;
    }

    bool ResourceManager::GetLoadStatus(std::wstring const& manifest, eLoadingJobStatus* status) const
    {
        auto found = mJobs.find(manifest);
        if (found == mJobs.end())
            return false;
        *status = found->second->GetStatus();
        return true;
    }

    IResourceDescriptor* ResourceManager::GetResource(Label name)
    {
        ScopedLock lock(mMutex);
        auto found = mResources.find(name);
        return found == mResources.end() ? nullptr : found->second.get();
    }

    void ResourceManager::Cleanup()
    {
        {
            ScopedLock lock(mMutex);
            for (auto& job : mPending)
                job->Abort();
            for (auto& job : mAcquiring)
                job->Abort();
            mQuitting = true;
        }
        mSignal->Signal();
        while (mThread->GetState() != kThreadState_Finished)
            Sleep(2);

        std::map<Label, DescriptorRef> dropped;
        {
            ScopedLock lock(mMutex);
            dropped.swap(mResources);
        }
    }

    bool ResourceManager::IsQuitting()
    {
        ScopedLock lock(mMutex);
        return mQuitting;
    }

    // ---------------------------------------------------------------------------------------
    // The loader thread

    void ResourceManager::Execute()
    {
        for (;;)
        {
            try
            {
                bool idle;
                {
                    ScopedLock lock(mMutex);
                    if (mQuitting)
                        return;
                    idle = mPending.empty() && mAcquiring.empty();
                }
                if (idle)
                {
                    mSignal->Wait();
                    if (IsQuitting())
                        return;
                }
                WorkPending();
                WorkAcquiring();
            }
            catch (std::exception const& error)
            {
                Internal::LogWrite("The resource loader thread met an error: %s\n", error.what());
            }
            catch (...)
            {
                Internal::LogWrite("The resource loader thread met an unknown error.\n");
            }
            Sleep(10);
        }
    }

    void ResourceManager::FailJob(LoadingJob* job, char const* reason)
    {
        Internal::LogWrite("Resource file %s could not be loaded: %s\n", Narrow(job->GetName()).c_str(), reason);
        job->SetLastError(kLoadingJobStatus_Failed);
        job->Fail();
    }

    void ResourceManager::WorkPending()
    {
        JobRef job;
        {
            ScopedLock lock(mMutex);
            if (!mPending.empty())
                job = mPending.front();
        }
        while (job)
        {
            // Whatever a manifest or a factory throws ends this job only: the thread goes on
            // with the next one, and the job's caller sees a final status.
            try
            {
                if (job->ShouldAbort())
                {
                }
                else if (IsStreamingInitialized() && AcquireFiles(job.get()))
                {
                    job->SetStatus(kLoadingJobStatus_Acquiring);
                    AddPendingLoad(job);
                    job->filesChanged = true;
                }
                else if (job->loadType == kLoadType_Create)
                {
                    job->SetStatus(kLoadingJobStatus_Reading);
                    LoadInternal(job.get(), false);
                }
                else
                {
                    job->SetStatus(kLoadingJobStatus_Complete);
                }
            }
            catch (std::bad_alloc const&)
            {
                FailJob(job.get(), "out of memory");
            }
            catch (std::exception const& error)
            {
                FailJob(job.get(), error.what());
            }
            catch (...)
            {
                FailJob(job.get(), "unknown error");
            }

            ScopedLock lock(mMutex);
            mPending.pop_front();
            job = mPending.empty() ? JobRef() : mPending.front();
        }
    }

    void ResourceManager::LoadInternal(LoadingJob* job, bool skipExisting)
    {
        std::wstring const& manifest = job->GetName();
        Internal::LogWrite("Loading resource file: %s\n", Narrow(manifest).c_str());
        FileSystemLock fileSystemLock(job->lockFileSystem);
        ManifestStream stream(manifest);
        if (!stream.Get())
        {
            LogUnopenedManifest(manifest);
            job->SetStatus(kLoadingJobStatus_FileMissing);
            return;
        }

        std::unique_ptr<IXMLReader> reader(CreateXMLReader(stream.Get()));
        ReadManifest(*reader, manifest, job, skipExisting, nullptr);

        ScopedLock lock(mMutex);
        if (!job->ShouldAbort() && !mQuitting)
            job->SetStatus(kLoadingJobStatus_Complete);
    }

    void ResourceManager::ReadManifest(IXMLReader& reader, std::wstring const& manifest, LoadingJob* job,
                                       bool skipExisting, IResourceLoadProgress* progress)
    {
        try
        {
            ReadManifestElements(reader, manifest, job, skipExisting, progress);
        }
        catch (XMLError const&)
        {
            // The reader's own message names neither the file nor the line.
            Internal::LogWrite("Resource file %s.xml cannot be read past line %d.\n", Narrow(manifest).c_str(),
                               reader.GetCurLine());
            throw;
        }
    }

    void ResourceManager::ReadManifestElements(IXMLReader& reader, std::wstring const& manifest, LoadingJob* job,
                                               bool skipExisting, IResourceLoadProgress* progress)
    {
        while (!reader.IsEOF())
        {
            XMLElement* element = reader.ReadElement();
            bool passedOver = false;
            if (element->kind == XMLElement::kStartElement)
            {
                if (!HasValidName(*element))
                {
                    passedOver = true;
                }
                else
                {
                    std::wstring const nameText = element->GetAttribute(L"name");
                    Label const name = Label::FromString(nameText);
                    bool const isAlias = element->name == kAliasTag;

                    if (!isAlias)
                    {
                        DescriptorRef released;
                        ScopedLock lock(mMutex);
                        auto bound = mResources.find(name);
                        if (bound != mResources.end())
                        {
                            std::wstring const other = bound->second->GetManifest();
                            if (other != manifest)
                                ThrowDuplicate(other, manifest, nameText);
                            if (skipExisting)
                            {
                                passedOver = true;
                            }
                            else
                            {
                                released = bound->second;
                                mResources.erase(bound);
                            }
                        }
                    }

                    if (passedOver)
                    {
                    }
                    else if (!isAlias)
                    {
                        std::unique_ptr<IResourceDescriptor> made(LoadResource(manifest.c_str(), reader));
                        if (!made)
                        {
                            passedOver = true;
                        }
                        else
                        {
                            DescriptorRef descriptor(made.release());
                            ScopedLock lock(mMutex);
                            if (!job || !job->ShouldAbort())
                                mResources[name] = descriptor;
                        }
                    }
                    else
                    {
                        Label const source = Label::FromString(element->GetAttribute(L"src"));
                        ScopedLock lock(mMutex);
                        auto bound = mResources.find(source);
                        if (bound != mResources.end())
                        {
                            DescriptorRef shared = bound->second;
                            mResources[name] = shared;
                        }
                    }
                }
            }
            if (passedOver)
                continue;

            float const fraction = reader.GetProgress();
            if (job)
            {
                job->OnProgress(fraction);
                ScopedLock lock(mMutex);
                if (job->ShouldAbort() || mQuitting)
                    break;
            }
            else
            {
                if (progress)
                    progress->OnProgress(fraction);
                if (IsQuitting())
                    break;
            }
        }
    }

    IResourceDescriptor* ResourceManager::LoadResource(wchar_t const* manifest, IXMLReader& reader)
    {
        XMLElement* current = reader.GetCurrentElement();
        if (!current || current->kind != XMLElement::kStartElement)
            return nullptr;
        Label name;
        if (HasValidName(*current))
            name = Label::FromString(current->GetAttribute(L"name"));
        auto factory = mFactories.find(current->name);
        if (factory == mFactories.end())
            return nullptr;

        // Reading the element's content moves the reader on, which frees its current
        // element: the factory gets a copy that lives as long as the call.
        XMLElement const element(*current);
        XMLElementReader confined(&reader);
        return factory->second->CreateResource(manifest, name, element, confined);
    }

    // ---------------------------------------------------------------------------------------
    // The streaming path: a manifest whose files are still to be fetched

    void ResourceManager::AddPendingLoad(JobRef const& job)
    {
        ScopedLock lock(mMutex);
        mAcquiring.push_back(job);
    }

    bool ResourceManager::AcquireFiles(LoadingJob* job)
    {
        FileSystemLock fileSystemLock(job->lockFileSystem);
        ManifestStream stream(job->GetName());
        // The direct read that follows logs the missing file.
        if (!stream.Get())
        {
            job->SetStatus(kLoadingJobStatus_FileMissing);
            return false;
        }
        IStreamable* streamable = dynamic_cast<IStreamable*>(GetFileSource());
        if (!streamable)
            return false;

        int const priority = job->loadType == kLoadType_AcquireOnly ? 200 : 100;
        bool started = false;
        std::unique_ptr<IXMLReader> reader(CreateXMLReader(stream.Get()));
        while (!reader->IsEOF())
        {
            XMLElement* element = reader->ReadElement();
            if (element->kind == XMLElement::kStartElement)
            {
                if (element->name == kAliasTag || !HasValidName(*element))
                    continue;
                auto factory = mFactories.find(element->name);
                if (factory != mFactories.end())
                {
                    Label const name = Label::FromString(element->GetAttribute(L"name"));
                    XMLElement const attributes(*element);
                    ResourceLoadDescriptor descriptor;
                    {
                        XMLElementReader confined(reader.get());
                        CopyAllElements(confined, &descriptor.elements);
                    }
                    // The factory may read the list it is given; the descriptor keeps its own
                    // copy for the replay.
                    XMLElementList elements(descriptor.elements);
                    std::list<FileVariant> variants;
                    factory->second->GetFileListForResource(&variants, job->GetName(), name, attributes, elements);
                    for (auto const& variant : variants)
                    {
                        for (auto const& extension : variant.extensions)
                        {
                            FileTransferRef transfer = streamable->Acquire(FileAddress(variant.name, extension),
                                                                           priority);
                            if (!transfer)
                                continue;
                            if (std::find(job->transfers.begin(), job->transfers.end(), transfer) !=
                                job->transfers.end())
                                continue;
                            job->transfers.push_back(transfer);
                            descriptor.transfers.push_back(transfer);
                            started = true;
                        }
                    }
                    if (job->loadType == kLoadType_Create && !variants.empty())
                        job->descriptors.push_back(descriptor);
                }
            }
            ScopedLock lock(mMutex);
            if (mQuitting || job->ShouldAbort())
                break;
        }
        if (!started)
            job->descriptors.clear();
        return started;
    }

    void ResourceManager::WorkAcquiring()
    {
        std::list<JobRef> jobs;
        {
            ScopedLock lock(mMutex);
            jobs = mAcquiring;
        }
        for (JobRef const& job : jobs)
        {
            bool leaves = true;
            try
            {
                leaves = AdvanceAcquiring(job.get());
            }
            catch (std::exception const& error)
            {
                FailJob(job.get(), error.what());
            }
            catch (...)
            {
                FailJob(job.get(), "unknown error");
            }
            if (!leaves)
                continue;
            if (job->GetStatus() < 0)
            {
                for (auto const& transfer : job->transfers)
                    transfer->Abort();
            }
            ScopedLock lock(mMutex);
            mAcquiring.remove(job);
        }
    }

    bool ResourceManager::AdvanceAcquiring(LoadingJob* job)
    {
        if (job->ShouldAbort())
            return true;

        for (auto transfer = job->transfers.begin(); transfer != job->transfers.end();)
        {
            if ((*transfer)->GetDataTransferPctComplete() >= 1.0f)
                job->OnTransferComplete(transfer->get());
            else if ((*transfer)->HasErrorOccurred())
                job->OnTransferError(transfer->get());
            else
            {
                ++transfer;
                continue;
            }
            transfer = job->transfers.erase(transfer);
            job->filesChanged = true;
        }
        job->UpdateDataTransferProgress();

        if (job->filesChanged && job->loadType == kLoadType_Create)
        {
            job->filesChanged = false;
            for (auto descriptor = job->descriptors.begin(); descriptor != job->descriptors.end();)
            {
                if (job->ShouldAbort())
                    return true;
                descriptor->RemoveCompletedFiles();
                if (!descriptor->transfers.empty())
                {
                    ++descriptor;
                    continue;
                }
                XMLElementList replay(descriptor->elements);
                replay.ReadElement();
                std::unique_ptr<IResourceDescriptor> made(LoadResource(job->GetName().c_str(), replay));
                if (made)
                {
                    DescriptorRef resource(made.release());
                    Label const name = resource->GetName();
                    ScopedLock lock(mMutex);
                    mResources[name] = resource;
                }
                descriptor = job->descriptors.erase(descriptor);
            }
            if (job->ShouldAbort())
                return true;
        }

        if (job->loadType == kLoadType_AcquireOnly)
        {
            if (!job->transfers.empty())
                return false;
            job->SetStatus(kLoadingJobStatus_Complete);
            return true;
        }
        if (!job->descriptors.empty())
            return false;
        // Makes the resources that needed no file and passes over those made above.
        LoadInternal(job, true);
        return true;
    }

    // ---------------------------------------------------------------------------------------
    // ResourceUtils

    namespace ResourceUtils
    {
        void Reload(wchar_t const* manifest, IResourceLoadProgress* progress, bool lockFileSystem)
        {
            FileSystemLock fileSystemLock(lockFileSystem);
            ResourceManager* manager = GetResourceManager();
            int const count = manager->GetLoadCount(manifest);
            for (int i = 0; i < count; ++i)
                manager->Unload(manifest);

            ManifestStream stream(manifest);
            if (!stream.Get())
            {
                LogUnopenedManifest(manifest);
                return;
            }
            for (int i = 0; i < std::max(count, 1); ++i)
                manager->LoadFromStream(stream.Get(), manifest, progress, true);
        }
    }
}
