#include "2DEngine/Tests/Framework/ResourceTestSupport.h"

#include <chrono>
#include <condition_variable>
#include <functional>

#include "Core/Source/Error.h"

using namespace Corvane;
using namespace ResourceTesting;

namespace
{
    class ResourceManagerTest : public ResourceFixture
    {
    protected:
        eLoadingJobStatus LoadAndWait(wchar_t const* manifest)
        {
            LoadingJobRef job = manager->LoadAsync(manifest);
            manager->Load(manifest);
            // Load added one to the count; the test wants the count of one request.
            manager->Unload(manifest);
            return job->GetStatus();
        }
    };

    // Counts its own destruction, to see a replaced factory deleted.
    class CountedFactory : public ThingFactory
    {
    public:
        explicit CountedFactory(int* destroyed) : mDestroyed(destroyed) {}
        ~CountedFactory() override { ++*mDestroyed; }

    private:
        int* mDestroyed;
    };

    // A factory that holds the loader thread inside its first call until the test lets it go.
    class GateFactory : public ThingFactory
    {
    public:
        IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                            IAttributeContainer const& attributes, IXMLReader& reader) const override
        {
            {
                std::unique_lock<std::mutex> lock(mLock);
                mEntered = true;
                mChanged.notify_all();
                mChanged.wait(lock, [this] { return mOpen; });
            }
            return ThingFactory::CreateResource(manifest, name, attributes, reader);
        }

        bool HasEntered() const
        {
            std::lock_guard<std::mutex> lock(mLock);
            return mEntered;
        }

        void Open()
        {
            std::lock_guard<std::mutex> lock(mLock);
            mOpen = true;
            mChanged.notify_all();
        }

    private:
        mutable std::mutex mLock;
        mutable std::condition_variable mChanged;
        mutable bool mEntered = false;
        bool mOpen = false;
    };

    // Asks to abort once the gate factory is working, and opens the gate only after the
    // abort has been passed to the job (OnProgress follows the abort in the same poll).
    class AbortingSink : public IResourceLoadProgress
    {
    public:
        explicit AbortingSink(GateFactory* gate) : mGate(gate) {}

        void OnProgress(float) override
        {
            ++progressCalls;
            if (abortRequested)
                mGate->Open();
        }

        bool ShouldAbort() override
        {
            if (mGate->HasEntered())
                abortRequested = true;
            return abortRequested;
        }

        bool abortRequested = false;
        int progressCalls = 0;

    private:
        GateFactory* mGate;
    };

    bool WaitUntil(std::function<bool()> const& condition)
    {
        for (int i = 0; i < 5000; ++i)
        {
            if (condition())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    class RecordingSink : public IResourceLoadProgress
    {
    public:
        void OnProgress(float fraction) override { fractions.push_back(fraction); }
        bool ShouldAbort() override
        {
            ++abortQuestions;
            return false;
        }

        std::vector<float> fractions;
        int abortQuestions = 0;
    };
}

// ---- Normal use -------------------------------------------------------------------------------

TEST_F(ResourceManagerTest, LoadMakesEveryNamedElementOnTheLoaderThread)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Hammer' value='heavy'/>\n"
                                           L"<group><thing name='Saw' value='sharp'/></group>"));
    LoadingJobRef job = manager->LoadAsync(L"Tools");
    manager->Load(L"Tools");

    EXPECT_EQ(kLoadingJobStatus_Complete, job->GetStatus());
    EXPECT_EQ(2, manager->GetLoadCount(L"Tools"));
    Thing* hammer = FindThing("Hammer");
    ASSERT_NE(nullptr, hammer);
    EXPECT_EQ(L"heavy", hammer->value);
    EXPECT_NE(std::this_thread::get_id(), hammer->madeOn);
    ASSERT_NE(nullptr, FindThing("Saw"));
    EXPECT_EQ(L"sharp", FindThing("Saw")->value);
    EXPECT_EQ(1, Files().GetOpenCount(L"Tools.xml"));
}

TEST_F(ResourceManagerTest, LoadReportsProgressToTheSinkOnTheCallersThread)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Hammer'/>"));
    RecordingSink sink;
    manager->Load(L"Tools", &sink);
    EXPECT_NE(nullptr, FindThing("Hammer"));
    // Completion is checked before the first poll, so a fast load may ask nothing; a slow one
    // asks once per poll.
    EXPECT_EQ(sink.fractions.size(), size_t(sink.abortQuestions));
}

TEST_F(ResourceManagerTest, TwoLoadsNeedTwoUnloads)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Hammer'/>"));
    manager->Load(L"Tools");
    manager->Load(L"Tools");
    EXPECT_EQ(2, manager->GetLoadCount(L"Tools"));
    EXPECT_EQ(1, Files().GetOpenCount(L"Tools.xml"));

    manager->Unload(L"Tools");
    EXPECT_EQ(1, manager->GetLoadCount(L"Tools"));
    EXPECT_NE(nullptr, FindThing("Hammer"));

    testing::internal::CaptureStderr();
    manager->Unload(L"Tools");
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(0, manager->GetLoadCount(L"Tools"));
    EXPECT_EQ(nullptr, manager->GetResource(L8("Hammer")));
    EXPECT_NE(std::string::npos, log.find("Unloading resource file: Tools\n"));

    // Unloaded for good: the next Load reads the file again.
    manager->Load(L"Tools");
    EXPECT_EQ(2, Files().GetOpenCount(L"Tools.xml"));
    EXPECT_NE(nullptr, FindThing("Hammer"));
}

TEST_F(ResourceManagerTest, UnloadErasesOnlyTheManifestsOwnResources)
{
    Files().SetFile(L"A.xml", Manifest(L"<thing name='One'/><thing name='Two'/>"));
    Files().SetFile(L"B.xml", Manifest(L"<thing name='Three'/>"));
    manager->Load(L"A");
    manager->Load(L"B");
    manager->Unload(L"A");
    EXPECT_EQ(nullptr, manager->GetResource(L8("One")));
    EXPECT_EQ(nullptr, manager->GetResource(L8("Two")));
    EXPECT_NE(nullptr, FindThing("Three"));
}

TEST_F(ResourceManagerTest, LoadFromStreamReadsOnTheCallersThreadAndOnlyCountsAgain)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Hammer'/><thing name='Saw'/>"));
    std::unique_ptr<IStream> stream(Files().OpenFileStream(FileAddress(L"Tools", L".xml")));
    RecordingSink sink;
    manager->LoadFromStream(stream.get(), L"Tools", &sink);

    ASSERT_NE(nullptr, FindThing("Hammer"));
    EXPECT_EQ(std::this_thread::get_id(), FindThing("Hammer")->madeOn);
    EXPECT_EQ(1, manager->GetLoadCount(L"Tools"));
    EXPECT_EQ(0, sink.abortQuestions);
    ASSERT_FALSE(sink.fractions.empty());
    EXPECT_FLOAT_EQ(1.0f, sink.fractions.back());

    stream->Seek(kSeekBegin, 0);
    manager->LoadFromStream(stream.get(), L"Tools", &sink);
    EXPECT_EQ(2, manager->GetLoadCount(L"Tools"));
    EXPECT_EQ(0u, stream->Tell());
}

TEST_F(ResourceManagerTest, NamesAreCaselessAndElementsWithoutUsableNamesArePassedOver)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Hammer'/>\n"
                                           L"<thing name='' value='nameless'/>\n"
                                           L"<thing value='unnamed'/>\n"
                                           L"<unknown name='Mystery'/>\n"
                                           L"<thing name='Refused' refuse='true'/>"));
    manager->Load(L"Tools");
    EXPECT_EQ(FindThing("Hammer"), FindThing("HAMMER"));
    EXPECT_NE(nullptr, FindThing("hammer"));
    EXPECT_EQ(nullptr, manager->GetResource(L8("")));
    EXPECT_EQ(nullptr, manager->GetResource(L8("Mystery")));
    EXPECT_EQ(nullptr, manager->GetResource(L8("Refused")));
    EXPECT_EQ(1u, manager->GetResources<Thing>().size());
}

TEST_F(ResourceManagerTest, ANestedNamedElementThatItsParentDoesNotReadIsAResourceOfItsOwn)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Box'><thing name='Inside' value='x'/></thing>"));
    manager->Load(L"Tools");
    ASSERT_NE(nullptr, FindThing("Box"));
    ASSERT_NE(nullptr, FindThing("Inside"));
    EXPECT_EQ(L"x", FindThing("Inside")->value);
}

TEST_F(ResourceManagerTest, ANameDeclaredTwiceInOneManifestTakesTheLaterDefinition)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Hammer' value='first'/>"
                                           L"<thing name='Hammer' value='second'/>"
                                           L"<thing name='Saw' value='kept'/>"
                                           L"<thing name='Saw' refuse='true'/>"));
    manager->Load(L"Tools");
    ASSERT_NE(nullptr, FindThing("Hammer"));
    EXPECT_EQ(L"second", FindThing("Hammer")->value);
    // A replacing element that its factory refuses leaves the name unbound.
    EXPECT_EQ(nullptr, manager->GetResource(L8("Saw")));
}

TEST_F(ResourceManagerTest, AnAliasSharesItsSourceAcrossManifests)
{
    Files().SetFile(L"Source.xml", Manifest(L"<thing name='Original' value='o'/>"));
    Files().SetFile(L"Aliases.xml", Manifest(L"<alias name='Copy' src='original'/>"));
    manager->Load(L"Source");
    manager->Load(L"Aliases");
    ASSERT_NE(nullptr, FindThing("Copy"));
    EXPECT_EQ(FindThing("Original"), FindThing("Copy"));

    // The alias belongs to its source: unloading its own manifest leaves it bound...
    manager->Unload(L"Aliases");
    EXPECT_EQ(FindThing("Original"), FindThing("Copy"));
    // ...and unloading the source's manifest removes both.
    manager->Unload(L"Source");
    EXPECT_EQ(nullptr, manager->GetResource(L8("Original")));
    EXPECT_EQ(nullptr, manager->GetResource(L8("Copy")));
}

TEST_F(ResourceManagerTest, AnAliasOfANameNotLoadedBindsNothingAndRaisesNothing)
{
    Files().SetFile(L"Aliases.xml", Manifest(L"<alias name='Copy' src='Later'/><thing name='Later'/>"));
    LoadingJobRef job = manager->LoadAsync(L"Aliases");
    manager->Load(L"Aliases");
    EXPECT_EQ(kLoadingJobStatus_Complete, job->GetStatus());
    EXPECT_EQ(nullptr, manager->GetResource(L8("Copy")));
    EXPECT_NE(nullptr, FindThing("Later"));
}

TEST_F(ResourceManagerTest, ASecondFactoryForATagDeletesTheFirst)
{
    int destroyed = 0;
    manager->AddResourceFactory(L"counted", new CountedFactory(&destroyed));
    manager->AddResourceFactory(L"counted", new GadgetFactory());
    EXPECT_EQ(1, destroyed);
    Files().SetFile(L"Mixed.xml", Manifest(L"<counted name='Item'/>"));
    manager->Load(L"Mixed");
    EXPECT_NE(nullptr, AutoResource<Gadget>("Item").Get());
    EXPECT_EQ(nullptr, FindThing("Item"));
}

TEST_F(ResourceManagerTest, GetResourcesListsOnlyTheAskedKind)
{
    Files().SetFile(L"Mixed.xml", Manifest(L"<thing name='A'/><gadget name='B'/><thing name='C'/>"));
    manager->Load(L"Mixed");
    std::vector<IResourceDescriptor*> things = manager->GetResources<Thing>();
    ASSERT_EQ(2u, things.size());
    for (IResourceDescriptor* thing : things)
        EXPECT_NE(nullptr, dynamic_cast<Thing*>(thing));
    EXPECT_EQ(1u, manager->GetResources<Gadget>().size());
}

TEST_F(ResourceManagerTest, ReloadKeepsTheLoadCountAndMakesFreshResources)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Hammer' value='old'/>"));
    manager->Load(L"Tools");
    manager->Load(L"Tools");
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Hammer' value='new'/>"));

    ResourceUtils::Reload(L"Tools", nullptr, false);
    EXPECT_EQ(2, manager->GetLoadCount(L"Tools"));
    ASSERT_NE(nullptr, FindThing("Hammer"));
    EXPECT_EQ(L"new", FindThing("Hammer")->value);
    EXPECT_EQ(std::this_thread::get_id(), FindThing("Hammer")->madeOn);
}

TEST_F(ResourceManagerTest, ReloadOfAManifestNotLoadedLoadsItOnce)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Hammer'/>"));
    ResourceUtils::Reload(L"Tools", nullptr, false);
    EXPECT_EQ(1, manager->GetLoadCount(L"Tools"));
    EXPECT_NE(nullptr, FindThing("Hammer"));
}

TEST_F(ResourceManagerTest, AbortThroughTheSinkEndsTheLoadAndKeepsWhatWasMade)
{
    GateFactory* gate = new GateFactory();
    manager->AddResourceFactory(L"gate", gate);
    Files().SetFile(L"Slow.xml", Manifest(L"<thing name='Before'/><gate name='During'/><thing name='After'/>"));
    Files().SetFile(L"Next.xml", Manifest(L"<thing name='Next'/>"));

    AbortingSink sink(gate);
    LoadingJobRef job = manager->LoadAsync(L"Slow");
    manager->Load(L"Slow", &sink);
    EXPECT_TRUE(sink.abortRequested);
    EXPECT_EQ(kLoadingJobStatus_Aborted, job->GetStatus());

    // Jobs are read in order: once the next one is done the aborted one has stopped.
    manager->Load(L"Next");
    EXPECT_NE(nullptr, FindThing("Before"));
    EXPECT_EQ(nullptr, manager->GetResource(L8("During")));
    EXPECT_EQ(nullptr, manager->GetResource(L8("After")));
    EXPECT_EQ(kLoadingJobStatus_Aborted, job->GetStatus());
    EXPECT_NE(nullptr, FindThing("Next"));
}

TEST_F(ResourceManagerTest, UnloadingAManifestStillBeingReadLeavesNothingOfItBehind)
{
    GateFactory* gate = new GateFactory();
    manager->AddResourceFactory(L"gate", gate);
    Files().SetFile(L"Slow.xml", Manifest(L"<thing name='Before'/><gate name='During'/><thing name='After'/>"));
    Files().SetFile(L"Next.xml", Manifest(L"<thing name='Next'/>"));

    LoadingJobRef job = manager->LoadAsync(L"Slow");
    ASSERT_TRUE(WaitUntil([gate] { return gate->HasEntered(); }));
    manager->Unload(L"Slow");
    gate->Open();
    manager->Load(L"Next");

    EXPECT_EQ(kLoadingJobStatus_Aborted, job->GetStatus());
    EXPECT_EQ(0, manager->GetLoadCount(L"Slow"));
    EXPECT_EQ(nullptr, manager->GetResource(L8("Before")));
    EXPECT_EQ(nullptr, manager->GetResource(L8("During")));
    EXPECT_EQ(nullptr, manager->GetResource(L8("After")));
}

TEST_F(ResourceManagerTest, CleanupEndsTheLoaderThreadAndDropsEveryResource)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Hammer'/>"));
    manager->Load(L"Tools");
    manager->Cleanup();
    EXPECT_EQ(nullptr, manager->GetResource(L8("Hammer")));

    // No thread is left to read a later request: it ends at once instead of waiting for ever.
    Files().SetFile(L"Late.xml", Manifest(L"<thing name='Late'/>"));
    LoadingJobRef job = manager->LoadAsync(L"Late");
    manager->Load(L"Late");
    EXPECT_EQ(kLoadingJobStatus_Aborted, job->GetStatus());
    EXPECT_EQ(nullptr, manager->GetResource(L8("Late")));
}

// ---- Spanish names ----------------------------------------------------------------------------

TEST_F(ResourceManagerTest, ManifestAndResourceNamesWithAccentsLoad)
{
    Files().SetFile(L"Canción.xml", Manifest(L"<thing name='Camión' value='grúa'/>"));
    testing::internal::CaptureStderr();
    manager->Load(L"Canción");
    std::string const log = testing::internal::GetCapturedStderr();
    ASSERT_NE(nullptr, FindThing("Cami?n"));
    EXPECT_EQ(L"grúa", FindThing("Cami?n")->value);
    EXPECT_NE(std::string::npos, log.find("Loading resource file: Canci?n\n"));
}

TEST_F(ResourceManagerTest, NamesThatDifferOnlyInCaseOrAccentsCollideAcrossManifests)
{
    Files().SetFile(L"A.xml", Manifest(L"<thing name='Piedra'/><thing name='Camión'/>"));
    Files().SetFile(L"B.xml", Manifest(L"<thing name='PIEDRA'/>"));
    Files().SetFile(L"C.xml", Manifest(L"<thing name='Camiøn'/>"));
    manager->Load(L"A");
    EXPECT_EQ(kLoadingJobStatus_Failed, LoadAndWait(L"B"));
    EXPECT_EQ(kLoadingJobStatus_Failed, LoadAndWait(L"C"));
    EXPECT_EQ(L"A", manager->GetResource(L8("piedra"))->GetManifest());
}

// ---- Invalid input and failures ---------------------------------------------------------------

TEST_F(ResourceManagerTest, AMissingManifestIsLoggedAndNotRetried)
{
    testing::internal::CaptureStderr();
    LoadingJobRef job = manager->LoadAsync(L"Missing");
    manager->Load(L"Missing");
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(kLoadingJobStatus_FileMissing, job->GetStatus());
    EXPECT_NE(std::string::npos, log.find("Missing.xml"));
    EXPECT_EQ(2, manager->GetLoadCount(L"Missing"));

    manager->Load(L"Missing");
    EXPECT_EQ(1, Files().GetOpenCount(L"Missing.xml"));
    EXPECT_EQ(kLoadingJobStatus_FileMissing, job->GetStatus());
}

TEST_F(ResourceManagerTest, ADuplicateNameAcrossManifestsEndsTheJobAndKeepsEarlierResources)
{
    Files().SetFile(L"First.xml", Manifest(L"<thing name='Shared' value='first'/>"));
    Files().SetFile(L"Second.xml", Manifest(L"<thing name='Own'/><thing name='shared'/><thing name='Late'/>"));
    Files().SetFile(L"Third.xml", Manifest(L"<thing name='Third'/>"));
    manager->Load(L"First");

    testing::internal::CaptureStderr();
    LoadingJobRef job = manager->LoadAsync(L"Second");
    manager->Load(L"Second");
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(kLoadingJobStatus_Failed, job->GetStatus());
    EXPECT_TRUE(job->HasErrorOccurred());
    EXPECT_NE(std::string::npos,
              log.find("The manifests 'First' and 'Second' both contain a resource named 'shared'."));
    EXPECT_NE(nullptr, FindThing("Own"));
    EXPECT_EQ(nullptr, manager->GetResource(L8("Late")));
    EXPECT_EQ(L"first", FindThing("Shared")->value);

    manager->Load(L"Third");
    EXPECT_NE(nullptr, FindThing("Third"));
}

TEST_F(ResourceManagerTest, ADuplicateNameReadFromAStreamThrowsToTheCaller)
{
    Files().SetFile(L"First.xml", Manifest(L"<thing name='Shared'/>"));
    Files().SetFile(L"Second.xml", Manifest(L"<thing name='Shared'/>"));
    manager->Load(L"First");
    std::unique_ptr<IStream> stream(Files().OpenFileStream(FileAddress(L"Second", L".xml")));
    try
    {
        manager->LoadFromStream(stream.get(), L"Second");
        FAIL() << "no error was raised";
    }
    catch (RuntimeError const& error)
    {
        EXPECT_STREQ("The manifests 'First' and 'Second' both contain a resource named 'Shared'.", error.what());
    }
    EXPECT_EQ(L"First", manager->GetResource(L8("Shared"))->GetManifest());
}

TEST_F(ResourceManagerTest, AMalformedManifestEndsItsJobAndTheNextLoadWorks)
{
    // The reader parses a little ahead of the elements it hands out: the error lies far
    // enough after the good element for that one to be made first.
    Files().SetFile(L"Broken.xml", L"<resources><thing name='Fine'/><group><a/><b/><c/></group>"
                                   L"<thing name='Bad' value=oops/></resources>");
    Files().SetFile(L"Good.xml", Manifest(L"<thing name='Good'/>"));
    testing::internal::CaptureStderr();
    LoadingJobRef job = manager->LoadAsync(L"Broken");
    manager->Load(L"Broken");
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(kLoadingJobStatus_Failed, job->GetStatus());
    EXPECT_NE(std::string::npos, log.find("Resource file Broken could not be loaded: "));
    EXPECT_NE(std::string::npos, log.find("Expected quote"));
    EXPECT_NE(nullptr, FindThing("Fine"));

    manager->Load(L"Good");
    EXPECT_NE(nullptr, FindThing("Good"));
}

TEST_F(ResourceManagerTest, AManifestCutShortIsLoggedWithItsFileAndTheLineItStopsAt)
{
    Files().SetFile(L"Cut.xml", L"<resources>\n  <thing name='Fine'/>\n  <thing name='Half' value=\"1");
    testing::internal::CaptureStderr();
    manager->Load(L"Cut");
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, log.find("Resource file Cut.xml cannot be read past line 3.\n")) << log;
    EXPECT_NE(std::string::npos, log.find("unknown(-1): EOF while eating '\"'")) << log;
}

TEST_F(ResourceManagerTest, AFactorysExceptionEndsOnlyItsJob)
{
    Files().SetFile(L"Throws.xml", Manifest(L"<thing name='Boom' fail='runtime'/>"));
    Files().SetFile(L"Hungry.xml", Manifest(L"<thing name='Greedy' fail='memory'/>"));
    Files().SetFile(L"Good.xml", Manifest(L"<thing name='Good'/>"));

    testing::internal::CaptureStderr();
    LoadingJobRef throws = manager->LoadAsync(L"Throws");
    manager->Load(L"Throws");
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(kLoadingJobStatus_Failed, throws->GetStatus());
    EXPECT_NE(std::string::npos, log.find("The thing factory was told to fail."));

    testing::internal::CaptureStderr();
    LoadingJobRef hungry = manager->LoadAsync(L"Hungry");
    manager->Load(L"Hungry");
    log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(kLoadingJobStatus_Failed, hungry->GetStatus());
    EXPECT_NE(std::string::npos, log.find("Resource file Hungry could not be loaded: out of memory"));

    manager->Load(L"Good");
    EXPECT_NE(nullptr, FindThing("Good"));
}

TEST_F(ResourceManagerTest, UnloadOfAManifestNeverLoadedIsLoggedAndChangesNothing)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Hammer'/>"));
    manager->Load(L"Tools");
    testing::internal::CaptureStderr();
    manager->Unload(L"Never");
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, log.find("Never"));
    EXPECT_EQ(0, manager->GetLoadCount(L"Never"));
    EXPECT_EQ(1, manager->GetLoadCount(L"Tools"));
    EXPECT_NE(nullptr, FindThing("Hammer"));
}

TEST_F(ResourceManagerTest, ReloadOfAManifestWhoseFileWentAwayLogsIt)
{
    Files().SetFile(L"Tools.xml", Manifest(L"<thing name='Hammer'/>"));
    ResourceUtils::Reload(L"Tools", nullptr, false);
    Files().Clear();
    testing::internal::CaptureStderr();
    ResourceUtils::Reload(L"Tools", nullptr, false);
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, log.find("Tools.xml"));
    EXPECT_EQ(0, manager->GetLoadCount(L"Tools"));
}
