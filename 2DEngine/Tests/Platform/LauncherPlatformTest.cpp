#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <SDL2/SDL.h>

#include "Core/Source/FileSystem.h"
#include "Core/Source/Singleton.h"
#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Platform/MacOSX/LauncherPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"
#include "2DEngine/Tests/Platform/DesktopTestSupport.h"

namespace
{
using namespace Corvane;
using DesktopTesting::ActivationRecorder;
using DesktopTesting::RecordingSink;
using DesktopTesting::sRecorded;

struct sHostRect
{
    int x, y, width, height;
};

// The host program as the platform sees it.
class FakeHost : public ILauncherHost
{
public:
    void* GetBundle() override { return bundle; }
    SDL_Window* CreateWindow() override
    {
        ++windowsAsked;
        return window;
    }
    void GetRenderRect(int* x, int* y, int* width, int* height) override
    {
        *x = render.x, *y = render.y, *width = render.width, *height = render.height;
    }
    void GetRenderClipRect(int* x, int* y, int* width, int* height) override
    {
        *x = clip.x, *y = clip.y, *width = clip.width, *height = clip.height;
    }

    void* bundle = nullptr;
    SDL_Window* window = nullptr;
    sHostRect render = {10, 20, 800, 600};
    sHostRect clip = {0, 0, 820, 640};
    int windowsAsked = 0;
};

MacOSX::EventRecord Record(uint16_t what, uint32_t message = 0, int16_t v = 0, int16_t h = 0, uint16_t modifiers = 0)
{
    return MacOSX::EventRecord{what, message, 0, MacOSX::Point{v, h}, modifiers};
}

class LauncherPlatformTest : public ::testing::Test
{
protected:
    // The video subsystem stays up for the whole run, as in the other display tests.
    static void SetUpTestSuite()
    {
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
            SDL_InitSubSystem(SDL_INIT_VIDEO);
    }

    void SetUp() override
    {
        testing::internal::CaptureStderr();
        mPlatform.reset(new MacOSX::LauncherPlatform(&mHost, &mSink));
        mConstructionLog = testing::internal::GetCapturedStderr();
    }

    void TearDown() override
    {
        mPlatform.reset();
        if (mWindow)
            SDL_DestroyWindow(mWindow);
    }

    // A hidden window of the host at a known place on the screen; false without a display.
    bool MakeHostWindow(int x, int y)
    {
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
            return false;
        mWindow = SDL_CreateWindow("Anfitri\xc3\xb3n", x, y, 820, 640, SDL_WINDOW_HIDDEN);
        mHost.window = mWindow;
        return mWindow != nullptr;
    }

    // The events and the log that one event record causes.
    bool Dispatch(MacOSX::EventRecord record, std::string* log = nullptr)
    {
        testing::internal::CaptureStderr();
        bool const consumed = mPlatform->OnEvent(&record);
        std::string const written = testing::internal::GetCapturedStderr();
        if (log)
            *log = written;
        return consumed;
    }

    std::vector<sRecorded> Take()
    {
        std::vector<sRecorded> events;
        events.swap(mSink.events);
        return events;
    }

    FakeHost mHost;
    RecordingSink mSink;
    std::unique_ptr<MacOSX::LauncherPlatform> mPlatform;
    std::string mConstructionLog;
    SDL_Window* mWindow = nullptr;
};

} // namespace

// --- normal case: construction and the host's answers ---

TEST_F(LauncherPlatformTest, ConstructionRegistersAndLogsBothLinkLines)
{
    EXPECT_NE(std::string::npos,
              mConstructionLog.find("forceLauncherEntryPointToLink\nforceLauncherPlatformToLink\n"));
    EXPECT_EQ(mPlatform.get(), GetPlatform());
    EXPECT_EQ(mPlatform.get(), MacOSX::GetPlatform());
    EXPECT_EQ(MacOSX::LauncherPlatform::kActivity_HostActive | MacOSX::LauncherPlatform::kActivity_WindowActive |
                  MacOSX::LauncherPlatform::kActivity_Focus | MacOSX::LauncherPlatform::kActivity_ReportPending,
              mPlatform->GetActivity());
    EXPECT_FALSE(mPlatform->IsActive());
    EXPECT_FALSE(mPlatform->IsEventPending());
}

TEST_F(LauncherPlatformTest, WindowBundleAndRectanglesComeFromTheHost)
{
    ASSERT_TRUE(MakeHostWindow(0, 0)) << "no display";
    MacOSX::sBundle bundle{L"/aplicaci\u00f3n", L"/aplicaci\u00f3n/Recursos"};
    mHost.bundle = &bundle;
    EXPECT_EQ(&bundle, mPlatform->GetBundle());

    mPlatform->CreateWindow(sWindowConfig{kWindowMode_FullScreen, 0, 1024, 768});
    EXPECT_EQ(1, mHost.windowsAsked);
    EXPECT_EQ(mWindow, mPlatform->GetHostWindow());
    EXPECT_EQ(mWindow, MacOSX::GetRenderWindow());

    sPlatformRect const render = mPlatform->GetRenderRect();
    EXPECT_EQ(10, render.left);
    EXPECT_EQ(20, render.top);
    EXPECT_EQ(810, render.right);
    EXPECT_EQ(620, render.bottom);
    sPlatformRect const clip = mPlatform->GetRenderClipRect();
    EXPECT_EQ(0, clip.left);
    EXPECT_EQ(0, clip.top);
    EXPECT_EQ(820, clip.right);
    EXPECT_EQ(640, clip.bottom);

    // The host keeps its window: destroying only forgets it.
    mPlatform->DestroyWindow();
    EXPECT_EQ(nullptr, mPlatform->GetHostWindow());
    EXPECT_EQ(nullptr, MacOSX::GetRenderWindow());
    EXPECT_NE(0u, SDL_GetWindowID(mWindow));
}

TEST_F(LauncherPlatformTest, TheWindowIsAlwaysWindowedAtAFixedSize)
{
    sWindowConfig config = {kWindowMode_FullScreen, 1, 1024, 768};
    mPlatform->GetSupportedWindowConfig(&config);
    EXPECT_EQ(kWindowMode_Windowed, config.mode);
    EXPECT_EQ(2u, config.aspectLock);
    EXPECT_EQ(1024, config.width);
    EXPECT_EQ(768, config.height);
    mPlatform->GetSupportedWindowConfig(nullptr);
}

TEST_F(LauncherPlatformTest, TheHostDeliversTheEvents)
{
    RecordingSink other;
    mPlatform->HandleEvents(&other);
    mPlatform->WaitForEvent();
    mPlatform->SetApplicationTitle(L"Gr\u00faa");
    EXPECT_TRUE(other.events.empty());
    EXPECT_TRUE(Take().empty());
}

// --- activity ---

TEST_F(LauncherPlatformTest, TheFirstReevaluationAlwaysReports)
{
    ActivationRecorder audio;
    std::string log;
    // Nothing changes (the platform starts inactive and stays so), but a report is pending.
    EXPECT_FALSE(Dispatch(Record(MacOSX::kEvent_Activate, 0, 0, 0, 0), &log));
    EXPECT_EQ("mActive = false - mHostActive = false - mUpdateActive = true - mFocus = true - From activateEvt\n", log);
    std::vector<sRecorded> events = Take();
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(uint32_t(kInputEvent_Deactivate), events[0].type);
    EXPECT_EQ(std::vector<bool>{false}, audio.calls);
    EXPECT_FALSE(mPlatform->GetActivity() & MacOSX::LauncherPlatform::kActivity_ReportPending);

    // The same again changes nothing: no line, no event.
    EXPECT_FALSE(Dispatch(Record(MacOSX::kEvent_Activate, 0, 0, 0, 0), &log));
    EXPECT_EQ("", log);
    EXPECT_TRUE(Take().empty());

    EXPECT_FALSE(Dispatch(Record(MacOSX::kEvent_Activate, 0, 0, 0, MacOSX::kActivationFlag), &log));
    EXPECT_EQ("mActive = true - mHostActive = true - mUpdateActive = true - mFocus = true - From activateEvt\n", log);
    events = Take();
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(uint32_t(kInputEvent_Activate), events[0].type);
    EXPECT_TRUE(mPlatform->IsActive());
    EXPECT_EQ((std::vector<bool>{false, true}), audio.calls);
}

TEST_F(LauncherPlatformTest, LosingFocusDeactivatesWhileTheWindowStaysActive)
{
    Dispatch(Record(MacOSX::kEvent_Activate, 0, 0, 0, MacOSX::kActivationFlag));
    ASSERT_TRUE(mPlatform->IsActive());
    Take();

    std::string log;
    EXPECT_FALSE(Dispatch(Record(MacOSX::kEvent_LoseFocus), &log));
    EXPECT_EQ("mActive = false - mHostActive = true - mUpdateActive = true - mFocus = false - From loseFocusEvent\n",
              log);
    EXPECT_FALSE(mPlatform->IsActive());
    std::vector<sRecorded> events = Take();
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(uint32_t(kInputEvent_Deactivate), events[0].type);

    // Getting it back is the one event besides kind 33 that counts as consumed.
    EXPECT_TRUE(Dispatch(Record(MacOSX::kEvent_GetFocus), &log));
    EXPECT_EQ("mActive = true - mHostActive = true - mUpdateActive = true - mFocus = true - From getFocusEvent\n", log);
    EXPECT_TRUE(mPlatform->IsActive());
    events = Take();
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(uint32_t(kInputEvent_Activate), events[0].type);
}

TEST_F(LauncherPlatformTest, AnUpdateReadsTheWindowThenTheMouse)
{
    ASSERT_TRUE(MakeHostWindow(0, 0)) << "no display";
    mPlatform->CreateWindow(sWindowConfig{kWindowMode_Windowed, 2, 800, 600});
    Dispatch(Record(MacOSX::kEvent_Activate, 0, 0, 0, MacOSX::kActivationFlag));
    ASSERT_TRUE(mPlatform->IsActive());
    Take();

    // A hidden window has no keyboard focus: it is not active.
    testing::internal::CaptureStderr();
    mPlatform->OnUpdate();
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_EQ("mActive = false - mHostActive = true - mUpdateActive = false - mFocus = true - From OnUpdate\n", log);
    EXPECT_FALSE(mPlatform->IsActive());
    std::vector<sRecorded> events = Take();
    ASSERT_EQ(2u, events.size());
    EXPECT_EQ(uint32_t(kInputEvent_Deactivate), events[0].type);
    EXPECT_EQ(uint32_t(kInputEvent_MouseMove), events[1].type);
}

TEST_F(LauncherPlatformTest, AnUpdateWithoutAWindowIsInactiveAndReadsNoMouse)
{
    Dispatch(Record(MacOSX::kEvent_Activate, 0, 0, 0, MacOSX::kActivationFlag));
    Take();
    testing::internal::CaptureStderr();
    mPlatform->OnUpdate();
    testing::internal::GetCapturedStderr();
    std::vector<sRecorded> events = Take();
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(uint32_t(kInputEvent_Deactivate), events[0].type);
}

// --- event dispatch ---

TEST_F(LauncherPlatformTest, MouseRecordsArriveInThePicturesCoordinates)
{
    // No window: its content starts at the screen's origin.
    EXPECT_FALSE(Dispatch(Record(MacOSX::kEvent_MouseDown, 0, 125, 110)));
    EXPECT_FALSE(Dispatch(Record(MacOSX::kEvent_MouseUp, 0, 130, 115)));
    mPlatform->OnMouseMove(MacOSX::Point{30, 15});
    mPlatform->OnMouseDown(MacOSX::Point{25, 12}, kMouseButtonSecondary);
    std::vector<sRecorded> const events = Take();
    ASSERT_EQ(4u, events.size());
    EXPECT_EQ(uint32_t(kInputEvent_MouseDown), events[0].type);
    EXPECT_EQ(100, events[0].x);
    EXPECT_EQ(105, events[0].y);
    EXPECT_EQ(0, events[0].code);
    EXPECT_EQ(uint32_t(kInputEvent_MouseUp), events[1].type);
    EXPECT_EQ(105, events[1].x);
    EXPECT_EQ(110, events[1].y);
    EXPECT_EQ(uint32_t(kInputEvent_MouseMove), events[2].type);
    EXPECT_EQ(5, events[2].x);
    EXPECT_EQ(10, events[2].y);
    // Off the picture's top-left corner positions go negative.
    EXPECT_EQ(2, events[3].x);
    EXPECT_EQ(5, events[3].y);
    EXPECT_EQ(kMouseButtonSecondary, events[3].code);
}

TEST_F(LauncherPlatformTest, ScreenPositionsLoseTheWindowsOriginToo)
{
    ASSERT_TRUE(MakeHostWindow(120, 80)) << "no display";
    int x = 0, y = 0;
    SDL_GetWindowPosition(mWindow, &x, &y);
    if (x != 120 || y != 80)
        GTEST_SKIP() << "the display placed the window at " << x << ", " << y;
    mPlatform->CreateWindow(sWindowConfig{kWindowMode_Windowed, 2, 800, 600});
    Vector2<int> const inPicture = mPlatform->ScreenToWindow(MacOSX::Point{200, 300});
    EXPECT_EQ(300 - 120 - 10, inPicture.x);
    EXPECT_EQ(200 - 80 - 20, inPicture.y);
    Vector2<int> const fromWindow = mPlatform->WindowToGameWindow(MacOSX::Point{200, 300});
    EXPECT_EQ(290, fromWindow.x);
    EXPECT_EQ(180, fromWindow.y);
}

TEST_F(LauncherPlatformTest, KeyRecordsCarryTheCharacterAndTheVirtualKey)
{
    EXPECT_FALSE(Dispatch(Record(MacOSX::kEvent_KeyDown, uint32_t('a') | (0u << 8))));
    // F5: the function character with virtual key 96.
    EXPECT_FALSE(Dispatch(Record(MacOSX::kEvent_KeyUp, 16u | (96u << 8))));
    std::vector<sRecorded> const events = Take();
    ASSERT_EQ(2u, events.size());
    EXPECT_EQ(uint32_t(kInputEvent_KeyDown), events[0].type);
    EXPECT_EQ(65, events[0].code);
    EXPECT_EQ(uint32_t(kInputEvent_KeyUp), events[1].type);
    EXPECT_EQ(116, events[1].code);
}

// --- invalid input ---

TEST_F(LauncherPlatformTest, AKeyWithoutACodeSendsNothing)
{
    EXPECT_FALSE(Dispatch(Record(MacOSX::kEvent_KeyDown, uint32_t('!'))));
    mPlatform->OnKeyUp(char(0xF1), 0);
    // A function character with a virtual key no function key has.
    mPlatform->OnKeyDown(16, 5);
    EXPECT_TRUE(Take().empty());
}

TEST_F(LauncherPlatformTest, OnlyTwoKindsAreConsumedAndUnknownKindsDoNothing)
{
    EXPECT_TRUE(Dispatch(Record(MacOSX::kEvent_Consumed)));
    for (uint16_t what : {uint16_t(0), uint16_t(5), uint16_t(7), uint16_t(30), uint16_t(34), uint16_t(0xFFFF)})
        EXPECT_FALSE(Dispatch(Record(what, 0xFFFFFFFFu, 1, 1, 0xFFFF))) << what;
    // An update with no OpenGL platform has nothing to refresh.
    EXPECT_FALSE(Dispatch(Record(MacOSX::kEvent_Update)));
    EXPECT_FALSE(mPlatform->OnEvent(nullptr));
    EXPECT_TRUE(Take().empty());
    // None of these re-evaluated the activity.
    EXPECT_TRUE(mPlatform->GetActivity() & MacOSX::LauncherPlatform::kActivity_ReportPending);
}

TEST_F(LauncherPlatformTest, WithoutAHostThereIsNothingToAsk)
{
    MacOSX::LauncherPlatform* lonely = nullptr;
    testing::internal::CaptureStderr();
    mPlatform.reset();
    lonely = new MacOSX::LauncherPlatform(nullptr, &mSink);
    testing::internal::GetCapturedStderr();
    lonely->CreateWindow(sWindowConfig{kWindowMode_Windowed, 2, 800, 600});
    EXPECT_EQ(nullptr, lonely->GetHostWindow());
    EXPECT_EQ(nullptr, lonely->GetBundle());
    EXPECT_EQ(0, lonely->GetRenderRect().right);
    delete lonely;
}

// --- non-ASCII names: the host's bundle is mounted ---

TEST_F(LauncherPlatformTest, SetupMountsTheHostsBundle)
{
    FileTestSupport::ScratchFolder folder;
    folder.Write("Aplicaci\xc3\xb3n/Recursos/gr\xc3\xba" "a.xml", "<resources/>");
    std::string const root = folder.Join("Aplicaci\xc3\xb3n");
    MacOSX::sBundle bundle{ConvertStringUTF8ToWide(root), ConvertStringUTF8ToWide(root + "/Recursos")};
    mHost.bundle = &bundle;
    testing::internal::CaptureStderr();
    mPlatform->Setup();
    testing::internal::GetCapturedStderr();
    FileAddress const address(kFileSystemPartition_Resources, L"gr\u00faa", L".xml");
    EXPECT_TRUE(GetFileSystem() && GetFileSystem()->FileExists(&address));
    GetResourceManager()->Cleanup();
    CleanupFileSource();
    GetFileSystem()->Cleanup();
    Internal::DeleteAllSingletons();
}
