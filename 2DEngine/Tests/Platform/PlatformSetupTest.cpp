#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <SDL2/SDL.h>

#include "Core/Source/FileSystem.h"
#include "Core/Source/Label.h"
#include "Core/Source/Singleton.h"
#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Platform/MacOSX/ApplicationPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopEngineSetup.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "2DEngine/Tests/Platform/DesktopTestSupport.h"

namespace
{
using namespace Corvane;

// The smallest GIF: one white pixel.
std::string const kOnePixelGIF("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                               "\x21\xf9\x04\x01\x00\x00\x00\x00"
                               "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b",
                               43);

class NamedApplication : public BaseApplication
{
public:
    NamedApplication(wchar_t const* company, wchar_t const* product)
    {
        mDescriptor.companyName = company;
        mDescriptor.productName = product;
    }
};

class PlatformSetupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv(MacOSX::kLogMessageBoxesVariable, "1", 1);
        char const* const previous = std::getenv("XDG_DATA_HOME");
        mPreviousDataHome = previous ? previous : "";
        mHadDataHome = previous != nullptr;
        setenv("XDG_DATA_HOME", mFolder.Join("datos").c_str(), 1);
        MacOSX::Internal::SetBundleFolders(Wide(mFolder.Join("app")), Wide(mFolder.Join("app/Resources")));
        mFolder.Write("app/uno.txt", "1");
    }

    void TearDown() override
    {
        if (IsPlatformRegistered())
        {
            GetResourceManager()->Cleanup();
            CleanupFileSource();
            if (GetFileSystem())
                GetFileSystem()->Cleanup();
            Internal::DeleteAllSingletons();
        }
        delete mPlatform;
        MacOSX::Internal::SetBundleFolders(L"", L"");
        MacOSX::Internal::GetPlatformSetupHooks() = MacOSX::Internal::MakeDefaultPlatformSetupHooks();
        if (mHadDataHome)
            setenv("XDG_DATA_HOME", mPreviousDataHome.c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }

    static std::wstring Wide(std::string const& utf8) { return std::wstring(utf8.begin(), utf8.end()); }

    // False (and the test skipped) without a display.
    bool SetupPlatform()
    {
        testing::internal::CaptureStderr();
        mPlatform = new MacOSX::ApplicationPlatform();
        testing::internal::GetCapturedStderr();
        mPlatform->Setup();
        return true;
    }

    static bool Exists(FileSystemPartition partition, wchar_t const* name, wchar_t const* extension)
    {
        FileAddress const address(partition, name, extension);
        return GetFileSystem() && GetFileSystem()->FileExists(&address);
    }

    FileTestSupport::ScratchFolder mFolder;
    MacOSX::ApplicationPlatform* mPlatform = nullptr;
    std::string mPreviousDataHome;
    bool mHadDataHome = false;
};

} // namespace

TEST_F(PlatformSetupTest, MountsTheThreePartitions)
{
    NamedApplication application(L"Pruebas Corvane", L"Gr\u00faa Amarilla");
    mFolder.Write("app/Resources/dos.xml", "<resources/>");
    SetupPlatform();

    EXPECT_TRUE(Exists(kFileSystemPartition_Application, L"uno", L".txt"));
    EXPECT_FALSE(Exists(kFileSystemPartition_Application, L"dos", L".xml"));
    EXPECT_TRUE(Exists(kFileSystemPartition_Resources, L"dos", L".xml"));
    // The per-user folder is made, under its non-ASCII name.
    std::string const userFolder = "datos/Pruebas Corvane/Gr\xc3\xba" "a Amarilla";
    EXPECT_TRUE(mFolder.Exists(userFolder));
    mFolder.Write(userFolder + "/tres.act", "3");
    EXPECT_TRUE(Exists(kFileSystemPartition_UserData, L"tres", L".act"));
}

TEST_F(PlatformSetupTest, MissingResourcesFolderIsLeftOut)
{
    NamedApplication application(L"Pruebas Corvane", L"Gr\u00faa");
    SetupPlatform();
    EXPECT_TRUE(Exists(kFileSystemPartition_Application, L"uno", L".txt"));
    EXPECT_FALSE(Exists(kFileSystemPartition_Resources, L"uno", L".txt"));
}

// Invalid input: names that would climb out of the per-user folder, or reach
// below it, or are too long, make no folder and no partition.
TEST_F(PlatformSetupTest, UnsafeNamesMakeNoUserPartition)
{
    std::wstring const longName(1025, L'x');
    struct sCase
    {
        wchar_t const* company;
        wchar_t const* product;
    } const cases[] = {{L"Pruebas", L".."}, {L"..", L"Gr\u00faa"}, {L"Pruebas", L"a/b"}, {L"Pruebas", L"a\\b"},
                       {L"", L"Gr\u00faa"}, {L"Pruebas", nullptr},  {L"Pruebas", longName.c_str()}};
    for (sCase const& test : cases)
    {
        NamedApplication application(test.company, test.product);
        SetupPlatform();
        mFolder.Write("datos/sentinel.act", "x");
        EXPECT_FALSE(Exists(kFileSystemPartition_UserData, L"sentinel", L".act"));
        GetResourceManager()->Cleanup();
        GetFileSystem()->Cleanup();
        Internal::DeleteAllSingletons();
        delete mPlatform;
        mPlatform = nullptr;
    }
    EXPECT_FALSE(mFolder.Exists("datos/Pruebas/a"));
    EXPECT_FALSE(mFolder.Exists("Gr\xc3\xba" "a"));
}

// The image, image-list and film-strip factories are registered: a manifest
// in the resources partition loads through them.
TEST_F(PlatformSetupTest, RegistersTheImageFactories)
{
    NamedApplication application(L"Pruebas Corvane", L"Gr\u00faa");
    mFolder.Write("app/Resources/ladrillo.gif", kOnePixelGIF);
    mFolder.Write("app/Resources/Ladrillos.xml",
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n"
                  "<image name=\"Ladrillo\" src=\"ladrillo\"/>\n"
                  "<filmstrip name=\"Tira\" src=\"ladrillo\"/>\n"
                  "<imagelist name=\"Lista\" pattern=\"ladrillo\" first=\"0\" last=\"0\"/>\n"
                  "</resources>\n");
    SetupPlatform();
    RegisterDefaultFileSource();
    GetResourceManager()->Load(L"Ladrillos");
    EXPECT_NE(nullptr, GetResourceManager()->GetResource(Label::FromString(L"Ladrillo")));
    EXPECT_NE(nullptr, GetResourceManager()->GetResource(Label::FromString(L"Tira")));
    EXPECT_NE(nullptr, GetResourceManager()->GetResource(Label::FromString(L"Lista")));
}

TEST_F(PlatformSetupTest, CallsTheLaterSubsystemsHooks)
{
    NamedApplication application(L"Pruebas Corvane", L"Gr\u00faa");
    int fonts = 0;
    int networks = 0;
    MacOSX::Internal::GetPlatformSetupHooks().registerFontFactory = [&fonts] { ++fonts; };
    MacOSX::Internal::GetPlatformSetupHooks().createNetworkPlatform = [&networks] { ++networks; };
    SetupPlatform();
    EXPECT_EQ(1, fonts);
    EXPECT_EQ(1, networks);
}

TEST_F(PlatformSetupTest, DesktopDefaults)
{
    NamedApplication application(L"Pruebas Corvane", L"Gr\u00faa");
    SetupPlatform();
    EXPECT_FALSE(mPlatform->EnforceSingleInstance());
    sWindowConfig config = {kWindowMode_FullScreen, 3, 1234, 567};
    mPlatform->GetSupportedWindowConfig(&config);
    EXPECT_EQ(kWindowMode_FullScreen, config.mode);
    EXPECT_EQ(3u, config.aspectLock);
    EXPECT_EQ(1234, config.width);
    EXPECT_EQ(567, config.height);
    EXPECT_FALSE(mPlatform->IsActive());
    EXPECT_FALSE(mPlatform->IsQuitPending());
    EXPECT_FALSE(mPlatform->IsRepaintPending());
    EXPECT_EQ(MacOSX::ApplicationPlatform::kCursor_HardwareEnabled | MacOSX::ApplicationPlatform::kCursor_HardwareShown,
              mPlatform->GetCursorState());
    auto const* bundle = static_cast<MacOSX::sBundle const*>(mPlatform->GetBundle());
    ASSERT_NE(nullptr, bundle);
    EXPECT_EQ(Wide(mFolder.Join("app/Resources")), bundle->resourcesFolder);
}

// A document is opened from "redist" when the resources have one, and the
// window leaves full screen for it; a missing document changes nothing.
TEST_F(PlatformSetupTest, DocumentsOpenFromTheResources)
{
    NamedApplication application(L"Pruebas Corvane", L"Gr\u00faa");
    mFolder.Write("app/Resources/redist/license.txt", "MIT");
    mFolder.Write("app/Resources/readme.txt", "Hola");
    SetupPlatform();
    Window::Internal::Reset();
    Window::Internal::GraphicsPlatformFactory const previous = Window::Internal::SetGraphicsPlatformFactory(
        [](unsigned long caps) -> IGraphicsPlatform* { return new DesktopTesting::NullGraphicsPlatform(caps); });
    Window::SetConfig(sWindowConfig{kWindowMode_FullScreen, 1, 800, 600});
    ASSERT_EQ(kWindowMode_FullScreen, Window::GetConfig().mode);

    testing::internal::CaptureStderr();
    mPlatform->LaunchDocument(L"nada.txt");
    EXPECT_EQ(kWindowMode_FullScreen, Window::GetConfig().mode);
    mPlatform->LaunchDocument(L"license.txt");
    EXPECT_EQ(kWindowMode_Windowed, Window::GetConfig().mode);
    mPlatform->LaunchDocument(L"readme.txt");
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_EQ("Document to open: " + mFolder.Join("app/Resources/redist/license.txt") + "\n", log);

    mFolder.Write("app/Resources/license.txt", "MIT");
    std::system(("rm -rf '" + mFolder.Join("app/Resources/redist") + "'").c_str());
    testing::internal::CaptureStderr();
    mPlatform->LaunchDocument(L"readme.txt");
    std::string const second = testing::internal::GetCapturedStderr();
    EXPECT_EQ("Document to open: " + mFolder.Join("app/Resources/readme.txt") + "\n", second);

    delete GetGraphicsPlatform();
    Window::Internal::SetGraphicsPlatformFactory(previous);
    Window::Internal::Reset();
}
