// The streaming path of the resource manager: a manifest whose files are still being fetched
// waits for their transfers, then makes its resources.

#include "2DEngine/Tests/Framework/ResourceTestSupport.h"

#include <chrono>
#include <functional>

using namespace Corvane;
using namespace ResourceTesting;

namespace
{
    // A transfer that the test finishes or fails by hand.
    class ManualTransfer : public IFileTransfer
    {
    public:
        explicit ManualTransfer(unsigned size) : mSize(size) {}

        unsigned GetDataTransferSize() const override
        {
            std::lock_guard<std::mutex> lock(mLock);
            return mSize;
        }
        unsigned GetDataTransferNumBytesCopied() const override
        {
            std::lock_guard<std::mutex> lock(mLock);
            return mCopied;
        }
        void Abort() override
        {
            std::lock_guard<std::mutex> lock(mLock);
            mAborted = true;
        }
        Label GetID() const override { return Label(); }
        void AddRef() override { ++mReferences; }
        void Release() override
        {
            if (--mReferences == 0)
                delete this;
        }

        void Finish()
        {
            std::lock_guard<std::mutex> lock(mLock);
            mCopied = mSize;
        }
        bool WasAborted() const
        {
            std::lock_guard<std::mutex> lock(mLock);
            return mAborted;
        }

    private:
        mutable std::mutex mLock;
        unsigned mSize;
        unsigned mCopied = 0;
        bool mAborted = false;
        std::atomic<int> mReferences{1};
    };

    // Streams: files named as remote are fetched through a manual transfer before they open.
    class StreamingFileSource : public MemoryFileSource, public IStreamable
    {
    public:
        int GetFileStatus(FileAddress const& address) const override
        {
            std::lock_guard<std::mutex> lock(mRemoteLock);
            return mRemote.count(address.GetFileName()) ? kFileStatus_ToBeFetched : kFileStatus_Available;
        }

        FileTransferRef Acquire(FileAddress const& address, int priority) override
        {
            std::lock_guard<std::mutex> lock(mRemoteLock);
            ++acquireCalls;
            auto remote = mRemote.find(address.GetFileName());
            if (remote == mRemote.end())
                return FileTransferRef();
            lastPriority = priority;
            FileTransferRef& transfer = mTransfers[remote->first];
            if (!transfer)
                transfer = FileTransferRef(new ManualTransfer(unsigned(remote->second.size())), false);
            return transfer;
        }

        bool IsStreamingInitialized() const override { return true; }
        void InitializeStreaming(std::wstring const&) override {}

        void SetRemoteFile(std::wstring const& name, std::wstring const& text)
        {
            std::lock_guard<std::mutex> lock(mRemoteLock);
            mRemote[name] = text;
        }

        ManualTransfer* GetTransfer(std::wstring const& name)
        {
            std::lock_guard<std::mutex> lock(mRemoteLock);
            auto found = mTransfers.find(name);
            return found == mTransfers.end() ? nullptr : static_cast<ManualTransfer*>(found->second.get());
        }

        std::atomic<int> lastPriority{0};
        std::atomic<int> acquireCalls{0};

    private:
        mutable std::mutex mRemoteLock;
        std::map<std::wstring, std::wstring> mRemote;
        std::map<std::wstring, FileTransferRef> mTransfers;
    };

    // "picture" elements need the file named by their "file" attribute, as ".png" or ".gif".
    class PictureFactory : public ThingFactory
    {
    public:
        explicit PictureFactory(std::atomic<int>* made) : mMade(made) {}

        IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                            IAttributeContainer const& attributes, IXMLReader& reader) const override
        {
            ++*mMade;
            return ThingFactory::CreateResource(manifest, name, attributes, reader);
        }

        void GetFileListForResource(std::list<FileVariant>* files, std::wstring const&, Label,
                                    IAttributeContainer const& attributes, IXMLReader&) const override
        {
            FileVariant variant;
            variant.name = attributes.GetAttribute(L"file");
            if (!attributes.GetAttribute(L"bare", false))
                variant.extensions = {L".png", L".gif"};
            files->push_back(variant);
        }

    private:
        std::atomic<int>* mMade;
    };

    bool WaitFor(std::function<bool()> const& condition)
    {
        auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!condition())
        {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    class ResourceStreamingTest : public ResourceFixture
    {
    protected:
        void SetUp() override
        {
            ResourceFixture::SetUp();
            RegisterSingleton(static_cast<IFileSource*>(&mSource));
            manager->AddResourceFactory(L"picture", new PictureFactory(&picturesMade));
            mSource.SetFile(L"Pictures.xml", Manifest(L"<picture name='Sky' file='sky'/>"
                                                      L"<picture name='Ground' file='ground'/>"
                                                      L"<thing name='Plain'/>"));
            mSource.SetFile(L"ground.png", L"ground");
            mSource.SetRemoteFile(L"sky.png", L"twelve bytes");
        }

        void TearDown() override
        {
            ResourceFixture::TearDown();
            RegisterSingleton(static_cast<IFileSource*>(&GetMemoryFileSource()));
        }

        bool IsBound(char const* name) { return manager->GetResource(L8(name)) != nullptr; }

        StreamingFileSource mSource;
        std::atomic<int> picturesMade{0};
    };
}

TEST_F(ResourceStreamingTest, AManifestWaitsForItsFilesThenMakesItsResources)
{
    LoadingJobRef job = manager->LoadAsync(L"Pictures");
    ASSERT_TRUE(WaitFor([&] { return job->GetStatus() == kLoadingJobStatus_Acquiring; }));
    EXPECT_EQ(100, mSource.lastPriority.load());
    // A resource whose files are all present is made at once; the others wait.
    ASSERT_TRUE(WaitFor([&] { return IsBound("Ground"); }));
    EXPECT_FALSE(IsBound("Sky"));
    EXPECT_FALSE(IsBound("Plain"));
    EXPECT_EQ(kLoadingJobStatus_Acquiring, job->GetStatus());

    ManualTransfer* sky = mSource.GetTransfer(L"sky.png");
    ASSERT_NE(nullptr, sky);
    sky->Finish();
    ASSERT_TRUE(WaitFor([&] { return job->IsComplete(); }));
    EXPECT_EQ(kLoadingJobStatus_Complete, job->GetStatus());
    EXPECT_TRUE(IsBound("Sky"));
    EXPECT_TRUE(IsBound("Plain"));
    // The last pass over the manifest passes over what the waiting made.
    EXPECT_EQ(2, picturesMade.load());
    EXPECT_EQ(12u, job->GetDataTransferSize());
    EXPECT_EQ(12u, job->GetDataTransferNumBytesCopied());
    EXPECT_FALSE(job->HasErrorOccurred());
}

TEST_F(ResourceStreamingTest, AFailedTransferBecomesTheJobsErrorAndTheResourceIsStillMade)
{
    LoadingJobRef job = manager->LoadAsync(L"Pictures");
    ASSERT_TRUE(WaitFor([&] { return mSource.GetTransfer(L"sky.png") != nullptr; }));
    mSource.GetTransfer(L"sky.png")->SetLastError(-2);
    ASSERT_TRUE(WaitFor([&] { return job->IsComplete(); }));
    EXPECT_EQ(kLoadingJobStatus_Complete, job->GetStatus());
    EXPECT_EQ(-2, job->GetLastError());
    EXPECT_TRUE(IsBound("Sky"));
}

TEST_F(ResourceStreamingTest, AbortingAWaitingJobAbortsItsTransfers)
{
    LoadingJobRef job = manager->LoadAsync(L"Pictures");
    ASSERT_TRUE(WaitFor([&] { return job->GetStatus() == kLoadingJobStatus_Acquiring; }));
    ManualTransfer* sky = mSource.GetTransfer(L"sky.png");
    ASSERT_NE(nullptr, sky);
    // Keeps the transfer alive after the job lets it go.
    FileTransferRef keep(sky);
    job->Abort();
    ASSERT_TRUE(WaitFor([&] { return sky->WasAborted(); }));
    EXPECT_EQ(kLoadingJobStatus_Aborted, job->GetStatus());
    EXPECT_FALSE(IsBound("Sky"));
    EXPECT_FALSE(IsBound("Plain"));
}

TEST_F(ResourceStreamingTest, CleanupEndsAJobStillWaiting)
{
    LoadingJobRef job = manager->LoadAsync(L"Pictures");
    ASSERT_TRUE(WaitFor([&] { return job->GetStatus() == kLoadingJobStatus_Acquiring; }));
    manager->Cleanup();
    EXPECT_EQ(kLoadingJobStatus_Aborted, job->GetStatus());
}

TEST_F(ResourceStreamingTest, AFileVariantWithoutExtensionsAsksForNoFile)
{
    mSource.SetFile(L"Bare.xml", Manifest(L"<picture name='Sky' file='sky' bare='true'/>"));
    LoadingJobRef job = manager->LoadAsync(L"Bare");
    manager->Load(L"Bare");
    EXPECT_EQ(kLoadingJobStatus_Complete, job->GetStatus());
    EXPECT_EQ(0, mSource.acquireCalls.load());
    EXPECT_EQ(nullptr, mSource.GetTransfer(L"sky.png"));
    EXPECT_TRUE(IsBound("Sky"));
}
