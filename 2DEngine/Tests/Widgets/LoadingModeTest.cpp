#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "Core/Source/Thread.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Widgets/LoadingMode.h"
#include "2DEngine/Source/Widgets/SpriteObjects.h"
#include "2DEngine/Tests/Widgets/WidgetTestSupport.h"

using namespace Corvane;
using namespace WidgetTesting;

namespace
{

// A task the test steers: it reports a progress, then waits for its gate or an abort.
class GateTask : public ILoadingTask
{
public:
    struct sControl
    {
        std::atomic<bool> open{true};
        std::atomic<float> progress{0.0f};
        std::atomic<bool> waiting{false};
        std::atomic<bool> sawAbort{false};
        std::atomic<int> runs{0};
        bool throws = false;
    };

    explicit GateTask(sControl* control) : mControl(control) {}

    void Execute(IResourceLoadProgress* progress) override
    {
        ++mControl->runs;
        if (mControl->throws)
            throw std::runtime_error("el manifiesto está roto");
        progress->OnProgress(mControl->progress);
        mControl->waiting = true;
        while (!mControl->open)
        {
            if (progress->ShouldAbort())
            {
                mControl->sawAbort = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        mControl->waiting = false;
    }

private:
    sControl* mControl;
};

class RecordingLoadingMode : public LoadingMode
{
public:
    void OnAfterLoad() override { ++afterLoad; }
    void OnBeforeLoad() override { ++beforeLoad; }
    int afterLoad = 0;
    int beforeLoad = 0;
};

template <class Predicate>
bool WaitFor(Predicate const& predicate)
{
    for (int i = 0; i < 5000; ++i)
    {
        if (predicate())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return predicate();
}

class LoadingModeTest : public WidgetFixture
{
protected:
    void SetUp() override
    {
        WidgetFixture::SetUp();
        window.reset(new WindowOfSize(800, 600));
    }

    void TearDown() override
    {
        if (loading)
        {
            MainLoop::AutoContext saver;
            MainLoop::WithinContext(loading.get(), saver);
            loading->Destroy();
            loading.reset();
        }
        window.reset();
        WidgetFixture::TearDown();
    }

    // The "Loading" manifest: the screen's objects, and as many splash images as asked.
    void DefineLoadingScreen(int splashImages, bool splashObjects = true)
    {
        std::wstring body = L"<testimage name=\"Bar\" width=\"200\" height=\"20\"/>"
                            L"<testfont name=\"Small\" advance=\"10\" height=\"16\"/>";
        for (int n = 1; n <= splashImages; ++n)
            body += L"<testimage name=\"Splash" + std::to_wstring(n) + L"\" width=\"8\" height=\"8\"/>";
        body += L"<layout name=\"LoadingMode\">";
        if (splashObjects)
            body += L"<imagesprite name=\"Splash1\"/><imagesprite name=\"Splash2\"/>";
        body += L"<imagesprite name=\"LoadingBackground\" src=\"Bar\"/>"
                L"<imagesprite name=\"LoadingEmpty\" src=\"Bar\"/>"
                L"<imagesprite name=\"LoadingFull\" src=\"Bar\"/>"
                L"<textsprite name=\"LoadingText\" font=\"Small\"/></layout>";
        files.files[L"Loading.xml"] =
            L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n" + body + L"\n</resources>\n";
    }

    void Start()
    {
        MainLoop::AutoContext saver;
        MainLoop::WithinContext(loading.get(), saver);
        loading->Setup();
    }

    void Step(float dt = 0.02f)
    {
        MainLoop::AutoContext saver;
        MainLoop::WithinContext(loading.get(), saver);
        loading->Update(dt);
    }

    template <class T>
    T* Screen(char const* name)
    {
        MainLoop::AutoContext saver;
        MainLoop::WithinContext(loading.get(), saver);
        return AutoObject<T>(Label::GetUniqueString(name)).Get();
    }

    std::unique_ptr<WindowOfSize> window;
    // Outlive the loading thread, which TearDown joins.
    GateTask::sControl first;
    GateTask::sControl second;
    std::unique_ptr<RecordingLoadingMode> loading{new RecordingLoadingMode()};
};

} // namespace

TEST_F(LoadingModeTest, WeightedProgressDrivesTheTextAndTheMeter)
{
    DefineLoadingScreen(0);
    second.open = false;
    second.progress = 0.5f;
    loading->AddLoadingTask(new GateTask(&first), 1);
    loading->AddLoadingTask(new GateTask(&second), 3);
    Start();
    EXPECT_EQ(1, loading->beforeLoad);
    ASSERT_TRUE(WaitFor([&] { return second.waiting.load(); }));
    EXPECT_FLOAT_EQ(62.5f, loading->GetPercentageComplete());

    // The cue point passes in the first update, the visible task runs in the next.
    Step();
    Step();
    TextSpriteObject* text = Screen<TextSpriteObject>("LoadingText");
    ImageSpriteObject* meter = Screen<ImageSpriteObject>("LoadingFull");
    ASSERT_NE(nullptr, text);
    ASSERT_NE(nullptr, meter);
    EXPECT_EQ(L"62%", text->GetText());
    EXPECT_TRUE(meter->IsSourceRectEnabled());
    EXPECT_EQ(Rect<int>(0, 0, 125, 20), meter->GetSourceRect());
    // Nothing waits at the splash cue point once its tasks arrived; the screen shows.
    EXPECT_TRUE(loading->AreSplashScreensComplete());
    EXPECT_TRUE(text->IsVisible());
    EXPECT_EQ(0, loading->afterLoad);

    second.open = true;
    FontTesting::StderrCapture log;
    ASSERT_TRUE(WaitFor([&] { return !second.waiting.load() && loading->GetPercentageComplete() == 100.0f; }));
    ASSERT_TRUE(WaitFor([&] {
        Step();
        return loading->afterLoad == 1;
    }));
    std::string const lines = log.Take();
    EXPECT_EQ(0u, lines.find("LoadingMode Actual Load Times: \n\tTask 0 - "));
    EXPECT_NE(std::string::npos, lines.find("\tTask 1 - "));
    EXPECT_EQ(L"100%", text->GetText());
    EXPECT_EQ(200, meter->GetSourceRect().width);
    Step();
    EXPECT_EQ(1, loading->afterLoad);
    EXPECT_TRUE(loading->AllowQuit());
}

TEST_F(LoadingModeTest, WeightsThatSumToZeroShareTheProgressEqually)
{
    DefineLoadingScreen(0);
    second.open = false;
    second.progress = 0.5f;
    loading->AddLoadingTask(new GateTask(&first), 0);
    loading->AddLoadingTask(new GateTask(&second), 0);
    Start();
    ASSERT_TRUE(WaitFor([&] { return second.waiting.load(); }));
    EXPECT_FLOAT_EQ(75.0f, loading->GetPercentageComplete());
    second.open = true;
}

TEST_F(LoadingModeTest, AQuitWhileLoadingAbortsAndExitsInsteadOfHandingOver)
{
    DefineLoadingScreen(2);
    first.open = false;
    second.open = false;
    loading->AddLoadingTask(new GateTask(&first), 1);
    loading->AddLoadingTask(new GateTask(&second), 1);
    Start();
    ASSERT_TRUE(WaitFor([&] { return first.waiting.load(); }));
    EXPECT_FALSE(loading->AllowQuit());
    EXPECT_TRUE(loading->IsAbortRequested());
    ASSERT_TRUE(WaitFor([&] { return !second.waiting.load() && second.runs.load() == 1; }));
    EXPECT_TRUE(first.sawAbort);
    // The remaining task still starts, sees the abort and ends at once.
    EXPECT_TRUE(WaitFor([&] { return second.sawAbort.load(); }));
    FontTesting::StderrCapture log;
    // The splash sequence is not waited for.
    ASSERT_TRUE(WaitFor([&] {
        Step();
        return !loading->IsLoading();
    }));
    EXPECT_EQ(0, loading->afterLoad);
    EXPECT_LT(loading->GetPercentageComplete(), 100.0f + 1e-3f);
}

TEST_F(LoadingModeTest, AnExceptionInATaskIsLoggedAndEndsTheLoadingCleanly)
{
    DefineLoadingScreen(0);
    first.throws = true;
    loading->AddLoadingTask(new GateTask(&first), 1);
    loading->AddLoadingTask(new GateTask(&second), 1);
    FontTesting::StderrCapture log;
    Start();
    ASSERT_TRUE(WaitFor([&] {
        Step();
        return !loading->IsLoading();
    }));
    std::string const lines = log.Take();
    EXPECT_NE(std::string::npos, lines.find("LoadingMode: loading task 0 failed; loading ends here."));
    EXPECT_NE(std::string::npos, lines.find("\tMessage:\tel manifiesto est"));
    EXPECT_TRUE(loading->HasLoadingFailed());
    EXPECT_EQ(0, second.runs.load());
    // The game runs on with what did load.
    EXPECT_EQ(1, loading->afterLoad);
}

TEST_F(LoadingModeTest, TearingDownWhileTheThreadRunsStopsAndJoinsItFirst)
{
    DefineLoadingScreen(0);
    GateTask::sControl& blocked = first;
    blocked.open = false;
    loading->AddLoadingTask(new GateTask(&blocked), 1);
    Start();
    ASSERT_TRUE(WaitFor([&] { return blocked.waiting.load(); }));
    {
        MainLoop::AutoContext saver;
        MainLoop::WithinContext(loading.get(), saver);
        loading->Destroy();
    }
    EXPECT_TRUE(blocked.sawAbort);
    EXPECT_FALSE(blocked.waiting);
    EXPECT_FALSE(loading->IsLoading());
    EXPECT_EQ(0, GetResourceManager()->GetLoadCount(L"Loading"));
    loading.reset();

    // The destructor alone also stops the thread.
    GateTask::sControl& again = second;
    again.open = false;
    loading.reset(new RecordingLoadingMode());
    loading->AddLoadingTask(new GateTask(&again), 1);
    Start();
    ASSERT_TRUE(WaitFor([&] { return again.waiting.load(); }));
    loading.reset();
    EXPECT_TRUE(again.sawAbort);
}

TEST_F(LoadingModeTest, TheSplashSequenceIsWaitedForAndHidesTheProgressUntilItEnds)
{
    DefineLoadingScreen(2);
    Start();
    ImageSpriteObject* splashA = Screen<ImageSpriteObject>("Splash1");
    ImageSpriteObject* splashB = Screen<ImageSpriteObject>("Splash2");
    TextSpriteObject* text = Screen<TextSpriteObject>("LoadingText");
    ASSERT_NE(nullptr, splashA);
    ASSERT_NE(nullptr, text);
    EXPECT_FLOAT_EQ(1.0f, splashA->GetAlpha());
    EXPECT_FLOAT_EQ(0.0f, splashB->GetAlpha());
    EXPECT_FALSE(text->IsVisible());

    // No tasks: the thread finishes at once at 100 %, and the mode waits for the splash.
    ASSERT_TRUE(WaitFor([&] { return loading->GetPercentageComplete() == 100.0f; }));
    Step(0.1f);
    EXPECT_EQ(AutoResource<IImage>("Splash1").Get(), splashA->GetImage());
    float elapsed = 0.1f;
    bool secondShown = false;
    FontTesting::StderrCapture log;
    while (loading->afterLoad == 0 && elapsed < 20.0f)
    {
        EXPECT_FALSE(text->IsVisible()) << elapsed;
        Step(0.1f);
        elapsed += 0.1f;
        secondShown = secondShown || splashB->GetImage() == AutoResource<IImage>("Splash2").Get();
    }
    // Two images shown for 1 + 1.5 s each before the cue point.
    EXPECT_GE(elapsed, 4.95f);
    EXPECT_LT(elapsed, 6.0f);
    EXPECT_TRUE(secondShown);
    EXPECT_EQ(1, loading->afterLoad);
}

TEST_F(LoadingModeTest, WithoutSplashObjectsTheModeHandsOverAsSoonAsLoaded)
{
    DefineLoadingScreen(3, false);
    Start();
    FontTesting::StderrCapture log;
    ASSERT_TRUE(WaitFor([&] {
        Step();
        return loading->afterLoad == 1;
    }));
    // The screen's objects stay as the layout made them and take no progress.
    EXPECT_TRUE(Screen<TextSpriteObject>("LoadingText")->IsVisible());
    EXPECT_EQ(L"", Screen<TextSpriteObject>("LoadingText")->GetText());
}
