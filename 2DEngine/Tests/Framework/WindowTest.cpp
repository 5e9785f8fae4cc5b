#include "2DEngine/Tests/Support/QuietPlatform.h"
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Core/Source/DiskPartition.h"
#include "Core/Source/Error.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/MacOSX/MacOSXError.h"
#include "Core/Source/Singleton.h"
#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Framework/SystemServices.h"
#include "2DEngine/Source/Framework/Window.h"

namespace
{
using namespace Corvane;

std::vector<std::string>& Calls()
{
    static std::vector<std::string> calls;
    return calls;
}

std::string Describe(sWindowConfig const& config)
{
    return std::to_string(int(config.mode)) + " " + std::to_string(config.aspectLock) + " " +
           std::to_string(config.width) + "x" + std::to_string(config.height);
}

// A desktop that records what the window asks of it.
class RecordingPlatform : public Testing::QuietPlatform
{
public:
    void CreateWindow(sWindowConfig const& config) override
    {
        Calls().push_back("CreateWindow " + Describe(config));
        if (failCreateWindow)
            throw MacOSX::MacOSXError(-1, "Could not create a window.", "Desk.cpp", 7, "CreateWindow");
        hasWindow = true;
    }
    void DestroyWindow() override
    {
        if (hasWindow)
            Calls().push_back("DestroyWindow");
        hasWindow = false;
    }
    void EnableHardwareCursor(bool enable) override { hardwareCursor = enable; }
    void SetHardwareCursor(eCursor cursor) override { Calls().push_back("SetHardwareCursor " + std::to_string(cursor)); }
    IImage const* GetCustomCursorImage(eCursor cursor) const override
    {
        return cursor == kCursor_Arrow ? arrow : nullptr;
    }
    Vector2<int> GetCustomCursorHotSpot(eCursor cursor) const override
    {
        return cursor == kCursor_Arrow ? Vector2<int>(1, 2) : Vector2<int>(0, 0);
    }

    bool hasWindow = false;
    bool failCreateWindow = false;
    bool hardwareCursor = true;
    IImage const* arrow = reinterpret_cast<IImage const*>(&hardwareCursor);
};

enum eFailure
{
    kFailure_None,
    kFailure_RuntimeError,
    kFailure_StandardException
};

// A graphics platform that fails its set-up for the entries a test names.
class FakeGraphicsPlatform : public IGraphicsPlatform
{
public:
    FakeGraphicsPlatform(unsigned long caps, eFailure failure) : mCaps(caps), mFailure(failure)
    {
        RegisterSingleton(this);
    }
    ~FakeGraphicsPlatform() override
    {
        Calls().push_back("delete graphics");
        UnregisterSingleton(this);
    }

    Label GetName() override { return Label(); }
    void GetSupportedWindowConfig(sWindowConfig* config) override
    {
        if (adjustWidth)
            config->width = adjustWidth;
    }
    unsigned long GetCaps() override { return mCaps; }
    void Setup(sWindowConfig const& config) override
    {
        Calls().push_back("Setup " + std::to_string(mCaps) + " " + Describe(config));
        if (mFailure == kFailure_RuntimeError)
            throw RuntimeError("Could not choose a pixel format.", "Source/Platform/FakeGraphics.cpp", 236,
                               "virtual void FakeGraphics::Setup(const Corvane::sWindowConfig&)");
        if (mFailure == kFailure_StandardException)
            throw std::runtime_error("out of video memory");
    }
    void Cleanup() override { Calls().push_back("Cleanup"); }
    int BeginScene() override { return 0; }
    int EndScene() override { return 0; }
    Graphics::ICanvas* GetScreenCanvas() override { return nullptr; }
    ITexture* CreateTexture(Image const*, Rect<int> const*) override { return nullptr; }

    int adjustWidth = 0;

private:
    unsigned long mCaps;
    eFailure mFailure;
};

class TestServices : public ISystemServices
{
public:
    uint64_t GetTimeUS() override { return 0; }
    void Sleep(uint32_t) override {}
    std::wstring GetCommandLine() override { return commandLine; }
    std::wstring commandLine;
};

class TestApplication : public BaseApplication
{
public:
    unsigned long GetDefaultGraphicsPlatformCaps() const override { return caps; }
    unsigned long caps = kGraphicsPlatformCaps_Hardware;
};

std::vector<std::string> Filter(std::string const& prefix)
{
    std::vector<std::string> found;
    for (std::string const& call : Calls())
    {
        if (call.compare(0, prefix.size(), prefix) == 0)
            found.push_back(call);
    }
    return found;
}

sWindowConfig const kFullScreen = {kWindowMode_FullScreen, 1, 800, 600};
sWindowConfig const kWindowed = {kWindowMode_Windowed, 1, 800, 600};

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Calls().clear();
        Window::Internal::Reset();
        mPreviousServices = Internal::SetSystemServices(&mServices);
        mPreviousFactory = Window::Internal::SetGraphicsPlatformFactory(
            [this](unsigned long caps) -> IGraphicsPlatform* {
                Calls().push_back("Create " + std::to_string(caps));
                eFailure failure = kFailure_None;
                for (auto const& entry : mFailures)
                {
                    if (entry.first == caps)
                        failure = entry.second;
                }
                return new FakeGraphicsPlatform(caps, failure);
            });
    }

    void TearDown() override
    {
        if (IsGraphicsPlatformRegistered())
            delete GetGraphicsPlatform();
        Window::Internal::SetGraphicsPlatformFactory(mPreviousFactory);
        Internal::SetSystemServices(mPreviousServices);
        Window::Internal::Reset();
    }

    // Every graphics platform of these caps fails its set-up in this way.
    void Fail(unsigned long caps, eFailure failure) { mFailures.push_back({caps, failure}); }

    TestApplication mApplication;
    RecordingPlatform mPlatform;
    TestServices mServices;
    ISystemServices* mPreviousServices = nullptr;
    Window::Internal::GraphicsPlatformFactory mPreviousFactory;
    std::vector<std::pair<unsigned long, eFailure>> mFailures;
};

} // namespace

TEST_F(WindowTest, FullScreenThatWorksNeedsOneCandidate)
{
    Window::SetConfig(kFullScreen);
    EXPECT_EQ((std::vector<std::string>{"Create 2", "CreateWindow 1 1 800x600", "Setup 2 1 1 800x600"}), Calls());
    EXPECT_EQ(kWindowMode_FullScreen, Window::GetConfig().mode);
    EXPECT_TRUE(mPlatform.hasWindow);
    ASSERT_TRUE(IsGraphicsPlatformRegistered());
    EXPECT_EQ(2u, GetGraphicsPlatform()->GetCaps());
}

// Hardware full screen, software full screen, hardware windowed, software
// windowed, each failure logged in full.
TEST_F(WindowTest, FallbackWalkFromFullScreen)
{
    testing::internal::CaptureStderr();
    // Hardware always fails; software fails only for its first (full-screen) attempt.
    Window::Internal::SetGraphicsPlatformFactory([](unsigned long caps) -> IGraphicsPlatform* {
        Calls().push_back("Create " + std::to_string(caps));
        eFailure failure = kFailure_None;
        if (caps == kGraphicsPlatformCaps_Hardware)
            failure = kFailure_RuntimeError;
        else if (Filter("Create ").size() <= 2)
            failure = kFailure_StandardException;
        return new FakeGraphicsPlatform(caps, failure);
    });
    Window::SetConfig(kFullScreen);
    std::string const log = testing::internal::GetCapturedStderr();

    EXPECT_EQ((std::vector<std::string>{"Setup 2 1 1 800x600", "Setup 1 1 1 800x600", "Setup 2 0 1 800x600",
                                        "Setup 1 0 1 800x600"}),
              Filter("Setup"));
    EXPECT_EQ(kWindowMode_Windowed, Window::GetConfig().mode);
    ASSERT_TRUE(IsGraphicsPlatformRegistered());
    EXPECT_EQ(1u, GetGraphicsPlatform()->GetCaps());
    // Each failed candidate was torn down before the next: one platform left.
    EXPECT_EQ(3u, Filter("delete graphics").size());
    EXPECT_EQ(3u, Filter("Cleanup").size());

    std::string const runtimeFailure = "Error initializing IGraphicsPlatform: Corvane::RuntimeError\n"
                                       "\tFunction:\tvirtual void FakeGraphics::Setup(const Corvane::sWindowConfig&)\n"
                                       "\tFile:\tSource/Platform/FakeGraphics.cpp\n"
                                       "\tLine:\t236\n"
                                       "\tMessage:\tCould not choose a pixel format.\n";
    std::string const standardFailure = "Error initializing IGraphicsPlatform: std::runtime_error\n"
                                        "\tMessage:\tout of video memory\n";
    EXPECT_EQ(runtimeFailure + standardFailure + runtimeFailure, log);
}

TEST_F(WindowTest, WindowedWithSoftwareSwitchTriesOnlySoftwareWindowed)
{
    mServices.commandLine = L"-fast -software";
    Fail(kGraphicsPlatformCaps_Software, kFailure_RuntimeError);
    testing::internal::CaptureStderr();
    EXPECT_THROW(Window::SetConfig(kWindowed), RuntimeError);
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_EQ((std::vector<std::string>{"Create 1"}), Filter("Create "));
    EXPECT_EQ(1u, Filter("Setup").size());
    EXPECT_NE(std::string::npos, log.find("\tMessage:\tCould not choose a pixel format.\n"));
}

TEST_F(WindowTest, SoftwareSwitchSkipsHardwareInFullScreen)
{
    mServices.commandLine = L"-software";
    Window::SetConfig(kFullScreen);
    EXPECT_EQ((std::vector<std::string>{"Create 1"}), Filter("Create "));
    EXPECT_EQ(kWindowMode_FullScreen, Window::GetConfig().mode);
}

// The application's own bits join the entry's; software clears hardware.
TEST_F(WindowTest, CapabilityBitsCombineWithTheApplications)
{
    mApplication.caps = kGraphicsPlatformCaps_Hardware | 8;
    Fail(kGraphicsPlatformCaps_Hardware | 8, kFailure_RuntimeError);
    testing::internal::CaptureStderr();
    Window::SetConfig(kWindowed);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ((std::vector<std::string>{"Create 10", "Create 9"}), Filter("Create "));
}

TEST_F(WindowTest, WindowCreationFailureFallsBackToo)
{
    mPlatform.failCreateWindow = true;
    testing::internal::CaptureStderr();
    EXPECT_THROW(Window::SetConfig(kFullScreen), MacOSX::MacOSXError);
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(4u, Filter("CreateWindow").size());
    EXPECT_NE(std::string::npos, log.find("Error initializing IGraphicsPlatform: MacOSX::MacOSXError\n"
                                          "\tFunction:\tCreateWindow\n\tFile:\tDesk.cpp\n\tLine:\t7\n"));
}

// A failure leaves state unchanged enough to try again: after every
// candidate failed, the same request is applied again rather than ignored.
TEST_F(WindowTest, AfterTotalFailureTheSameRequestIsTriedAgain)
{
    mPlatform.failCreateWindow = true;
    testing::internal::CaptureStderr();
    EXPECT_THROW(Window::SetConfig(kWindowed), RuntimeError);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(kWindowMode_None, Window::GetConfig().mode);

    mPlatform.failCreateWindow = false;
    Calls().clear();
    Window::SetConfig(kWindowed);
    EXPECT_EQ(1u, Filter("CreateWindow").size());
    EXPECT_EQ(kWindowMode_Windowed, Window::GetConfig().mode);
}

TEST_F(WindowTest, RequestsLikeTheCurrentOneAreIgnored)
{
    Window::SetConfig(kWindowed);
    Calls().clear();
    Window::SetMode(kWindowMode_Windowed);
    sWindowConfig lockedOnly = kWindowed;
    lockedOnly.aspectLock = 2;
    Window::SetConfig(lockedOnly);
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(1u, Window::GetConfig().aspectLock);

    sWindowConfig larger = kWindowed;
    larger.width = 1024;
    Window::SetConfig(larger);
    EXPECT_EQ((std::vector<std::string>{"CreateWindow 0 1 1024x600"}), Filter("CreateWindow"));
}

TEST_F(WindowTest, ToggleModeSwitchesBothWays)
{
    Window::SetConfig(kWindowed);
    Window::ToggleMode();
    EXPECT_EQ(kWindowMode_FullScreen, Window::GetConfig().mode);
    Window::ToggleMode();
    EXPECT_EQ(kWindowMode_Windowed, Window::GetConfig().mode);
    // Every switch tore the old window and graphics platform down first.
    EXPECT_EQ(2u, Filter("DestroyWindow").size());
    EXPECT_EQ(2u, Filter("delete graphics").size());
}

TEST_F(WindowTest, AnUnknownModeOpensAWindowAndIsLogged)
{
    sWindowConfig request = kWindowed;
    request.mode = static_cast<eWindowMode>(7);
    testing::internal::CaptureStderr();
    Window::SetConfig(request);
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("window mode 7 is not known"));
    EXPECT_EQ(kWindowMode_Windowed, Window::GetConfig().mode);
    EXPECT_EQ(1u, Filter("CreateWindow").size());
}

TEST_F(WindowTest, SupportedConfigurationAdjustsTheRequest)
{
    Window::Internal::SetGraphicsPlatformFactory([](unsigned long caps) -> IGraphicsPlatform* {
        FakeGraphicsPlatform* made = new FakeGraphicsPlatform(caps, kFailure_None);
        made->adjustWidth = 640;
        return made;
    });
    Window::SetConfig(kWindowed);
    EXPECT_EQ(640, Window::GetConfig().width);
    EXPECT_EQ((std::vector<std::string>{"CreateWindow 0 1 640x600"}), Filter("CreateWindow"));
}

// Invalid input: a mode that is no table entry changes nothing.
TEST_F(WindowTest, UnknownModeChangesNothing)
{
    Window::SetConfig(kWindowed);
    Calls().clear();
    Window::SetMode(static_cast<eWindowMode>(7));
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(kWindowMode_Windowed, Window::GetConfig().mode);
}

TEST_F(WindowTest, NoFactoryIsAFailureOfEveryCandidate)
{
    Window::Internal::SetGraphicsPlatformFactory(nullptr);
    testing::internal::CaptureStderr();
    EXPECT_THROW(Window::SetConfig(kWindowed), RuntimeError);
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, log.find("\tMessage:\tNo graphics platform can be made.\n"));
    EXPECT_FALSE(IsGraphicsPlatformRegistered());
}

TEST_F(WindowTest, CustomCursorAndHardwareCursorAreOpposite)
{
    Window::EnableCustomCursor(true);
    EXPECT_TRUE(Window::IsCustomCursorEnabled());
    EXPECT_FALSE(mPlatform.hardwareCursor);
    Window::EnableCustomCursor(false);
    EXPECT_TRUE(mPlatform.hardwareCursor);
}

TEST_F(WindowTest, SetCursorTakesThePlatformsImage)
{
    Window::SetCursor(kCursor_Arrow);
    EXPECT_EQ(mPlatform.arrow, Window::GetCustomCursorImage());
    EXPECT_EQ(1, Window::GetCustomCursorHotSpot().x);
    EXPECT_EQ(2, Window::GetCustomCursorHotSpot().y);
    EXPECT_EQ((std::vector<std::string>{"SetHardwareCursor 1"}), Filter("SetHardwareCursor"));
    Window::SetCursor(kCursor_None);
    EXPECT_EQ(nullptr, Window::GetCustomCursorImage());
}

// The image is drawn with its hot spot on the mouse; nothing when the mouse
// has left (-50, -50), when the cursor is off, or without an image.
TEST_F(WindowTest, CustomCursorDrawPosition)
{
    float x = 0.0f;
    float y = 0.0f;
    Window::SetCursor(kCursor_Arrow);
    EXPECT_FALSE(Window::Internal::GetCustomCursorDrawPosition(100, 120, &x, &y));
    Window::EnableCustomCursor(true);
    ASSERT_TRUE(Window::Internal::GetCustomCursorDrawPosition(100, 120, &x, &y));
    EXPECT_FLOAT_EQ(99.0f, x);
    EXPECT_FLOAT_EQ(118.0f, y);
    ASSERT_TRUE(Window::Internal::GetCustomCursorDrawPosition(0, 0, &x, &y));
    EXPECT_FLOAT_EQ(-1.0f, x);
    EXPECT_FLOAT_EQ(-2.0f, y);
    EXPECT_FALSE(Window::Internal::GetCustomCursorDrawPosition(-50, -50, &x, &y));
    EXPECT_FALSE(Window::Internal::GetCustomCursorDrawPosition(10, -1, &x, &y));
    Window::SetCursor(kCursor_None);
    EXPECT_FALSE(Window::Internal::GetCustomCursorDrawPosition(100, 120, &x, &y));
}

namespace
{
class WindowAccountTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        mFileSystem = new FileSystem;
        mFileSystem->AddFileSystemPartition(kFileSystemPartition_UserData,
                                            new MacOSX::FileSystemPartition(mFolder.WidePath()));
        mAccount = GetAccountManager()->NewAccount(L"Se\u00f1ora Mu\u00f1oz");
        ASSERT_NE(nullptr, mAccount);
        ASSERT_TRUE(GetAccountManager()->SetCurrentAccount(L"Se\u00f1ora Mu\u00f1oz"));
        ASSERT_EQ(mAccount, GetAccountManager()->GetCurrentAccount());
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        mFileSystem->Cleanup();
        Internal::DeleteAllSingletons();
    }

    FileTestSupport::ScratchFolder mFolder;
    FileSystem* mFileSystem = nullptr;
    Account* mAccount = nullptr;
};
} // namespace

TEST_F(WindowAccountTest, SettingsRoundTripThroughTheAccount)
{
    Window::SetConfig(kFullScreen);
    Window::EnableCustomCursor(true);
    Window::SaveAccountSettings();
    EXPECT_EQ(1, mAccount->ReadValue(Window::kModeKey, -7));
    EXPECT_TRUE(mAccount->ReadValue(Window::kIsCustomCursorEnabledKey, false));

    Window::SetMode(kWindowMode_Windowed);
    Window::EnableCustomCursor(false);
    Window::LoadAccountSettings();
    EXPECT_EQ(kWindowMode_FullScreen, Window::GetConfig().mode);
    EXPECT_TRUE(Window::IsCustomCursorEnabled());
    EXPECT_FALSE(mPlatform.hardwareCursor);
}

TEST_F(WindowAccountTest, AccountWithoutTheKeysKeepsTheCurrentChoice)
{
    Window::SetConfig(kWindowed);
    Window::EnableCustomCursor(true);
    Calls().clear();
    Window::LoadAccountSettings();
    EXPECT_EQ(kWindowMode_Windowed, Window::GetConfig().mode);
    EXPECT_TRUE(Window::IsCustomCursorEnabled());
    EXPECT_TRUE(Filter("CreateWindow").empty());
}

// Invalid input: a damaged file's mode is not applied.
TEST_F(WindowAccountTest, StoredModeOutsideTheRealModesIsIgnored)
{
    Window::SetConfig(kWindowed);
    ASSERT_TRUE(mAccount->WriteValue(Window::kModeKey, 42));
    Calls().clear();
    Window::LoadAccountSettings();
    EXPECT_EQ(kWindowMode_Windowed, Window::GetConfig().mode);
    EXPECT_TRUE(Filter("CreateWindow").empty());
    ASSERT_TRUE(mAccount->WriteValue(Window::kModeKey, L"completa"));
    Window::LoadAccountSettings();
    EXPECT_EQ(kWindowMode_Windowed, Window::GetConfig().mode);
}

TEST_F(WindowAccountTest, WithoutAWindowTheStoredModeIsKept)
{
    ASSERT_TRUE(mAccount->WriteValue(Window::kModeKey, 1));
    ASSERT_EQ(kWindowMode_None, Window::GetConfig().mode);
    Window::SaveAccountSettings();
    EXPECT_EQ(L"1", mAccount->ReadValue(Window::kModeKey));
}
