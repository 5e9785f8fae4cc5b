#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "2DEngine/Source/Platform/MacOSX/PlatformServices.h"

namespace
{
using Corvane::sPlatformRect;

void ExpectRect(int left, int top, int right, int bottom, sPlatformRect const& rect)
{
    EXPECT_EQ(left, rect.left);
    EXPECT_EQ(top, rect.top);
    EXPECT_EQ(right, rect.right);
    EXPECT_EQ(bottom, rect.bottom);
}
} // namespace

TEST(Letterbox, SameShapeFillsTheWindow)
{
    ExpectRect(0, 0, 800, 600, MacOSX::ComputeLetterbox(800, 600, 800, 600));
    ExpectRect(0, 0, 1600, 1200, MacOSX::ComputeLetterbox(1600, 1200, 800, 600));
}

TEST(Letterbox, WiderWindowGetsBarsLeftAndRight)
{
    // 1920 x 1080: scale 1.8, picture 1440 x 1080.
    ExpectRect(240, 0, 1680, 1080, MacOSX::ComputeLetterbox(1920, 1080, 800, 600));
}

TEST(Letterbox, TallerWindowGetsBarsAboveAndBelow)
{
    // 800 x 800: scale 1, picture 800 x 600.
    ExpectRect(0, 100, 800, 700, MacOSX::ComputeLetterbox(800, 800, 800, 600));
}

TEST(Letterbox, DegenerateSizesGiveTheWholeWindow)
{
    ExpectRect(0, 0, 640, 480, MacOSX::ComputeLetterbox(640, 480, 0, 600));
    ExpectRect(0, 0, 640, 480, MacOSX::ComputeLetterbox(640, 480, 800, -1));
    ExpectRect(0, 0, 0, 0, MacOSX::ComputeLetterbox(0, 0, 800, 600));
    ExpectRect(0, 0, 0, 0, MacOSX::ComputeLetterbox(-5, -5, 800, 600));
}

TEST(PictureMapping, PositionsScaleAndOffsetBack)
{
    sPlatformRect const picture = MacOSX::ComputeLetterbox(1920, 1080, 800, 600);
    int x = -1;
    int y = -1;
    EXPECT_TRUE(MacOSX::MapWindowToPicture(picture, 800, 600, 240, 0, false, &x, &y));
    EXPECT_EQ(0, x);
    EXPECT_EQ(0, y);
    EXPECT_TRUE(MacOSX::MapWindowToPicture(picture, 800, 600, 960, 540, false, &x, &y));
    EXPECT_EQ(400, x);
    EXPECT_EQ(300, y);
    EXPECT_TRUE(MacOSX::MapWindowToPicture(picture, 800, 600, 1679, 1079, false, &x, &y));
    EXPECT_EQ(799, x);
    EXPECT_EQ(599, y);
}

TEST(PictureMapping, BarsAreOutsideThePicture)
{
    sPlatformRect const picture = MacOSX::ComputeLetterbox(1920, 1080, 800, 600);
    int x = 0;
    int y = 0;
    EXPECT_FALSE(MacOSX::MapWindowToPicture(picture, 800, 600, 239, 10, false, &x, &y));
    EXPECT_LT(x, 0);
    EXPECT_FALSE(MacOSX::MapWindowToPicture(picture, 800, 600, 1680, 10, false, &x, &y));
    EXPECT_GE(x, 800);
    // Clamped, as full screen wants: the nearest edge.
    EXPECT_FALSE(MacOSX::MapWindowToPicture(picture, 800, 600, 5, 2000, true, &x, &y));
    EXPECT_EQ(0, x);
    EXPECT_EQ(599, y);
}

TEST(PictureMapping, UnscaledWindowKeepsPositions)
{
    sPlatformRect const picture = MacOSX::ComputeLetterbox(800, 600, 800, 600);
    int x = 0;
    int y = 0;
    EXPECT_TRUE(MacOSX::MapWindowToPicture(picture, 800, 600, 123, 456, false, &x, &y));
    EXPECT_EQ(123, x);
    EXPECT_EQ(456, y);
    EXPECT_FALSE(MacOSX::MapWindowToPicture(picture, 800, 600, 800, 10, false, &x, &y));
    EXPECT_FALSE(MacOSX::MapWindowToPicture(picture, 800, 600, -1, 10, false, &x, &y));
    EXPECT_EQ(-1, x);
}

// Invalid input: extreme positions neither overflow nor divide by zero.
TEST(PictureMapping, ExtremeInputIsSafe)
{
    sPlatformRect const picture = MacOSX::ComputeLetterbox(3, 3, 800, 600);
    int x = 0;
    int y = 0;
    MacOSX::MapWindowToPicture(picture, 800, 600, 2147483647, -2147483647 - 1, true, &x, &y);
    EXPECT_EQ(799, x);
    EXPECT_EQ(0, y);
    sPlatformRect const empty = {0, 0, 0, 0};
    EXPECT_FALSE(MacOSX::MapWindowToPicture(empty, 800, 600, 10, 20, false, &x, &y));
    EXPECT_EQ(10, x);
    EXPECT_EQ(20, y);
}

TEST(AspectLock, ResizingKeepsTheConfiguredShape)
{
    EXPECT_EQ(533, MacOSX::KeepAspectWidth(800, 600, 400));
    EXPECT_EQ(800, MacOSX::KeepAspectWidth(800, 600, 600));
    EXPECT_EQ(1066, MacOSX::KeepAspectWidth(800, 600, 800));
    EXPECT_EQ(800, MacOSX::KeepAspectWidth(800, 0, 400));
}

TEST(MessageBoxes, LoggedWhenTheSwitchIsSet)
{
    setenv(MacOSX::kLogMessageBoxesVariable, "1", 1);
    ASSERT_TRUE(MacOSX::AreMessageBoxesLogged());
    testing::internal::CaptureStderr();
    Corvane::Platform::ModalNotification(L"The disk is full.", L"Warning");
    MacOSX::ShowMessageBox(MacOSX::kMessageBox_Information, L"Acerca de Gr\u00faa", L"Versi\u00f3n 1", nullptr);
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_EQ("Message box: Warning: The disk is full.\nMessage box: Acerca de Gr?a: Versi?n 1\n", log);
}

TEST(MessageBoxes, SwitchValues)
{
    setenv(MacOSX::kLogMessageBoxesVariable, "0", 1);
    EXPECT_FALSE(MacOSX::AreMessageBoxesLogged());
    setenv(MacOSX::kLogMessageBoxesVariable, "", 1);
    EXPECT_FALSE(MacOSX::AreMessageBoxesLogged());
    unsetenv(MacOSX::kLogMessageBoxesVariable);
    EXPECT_FALSE(MacOSX::AreMessageBoxesLogged());
    setenv(MacOSX::kLogMessageBoxesVariable, "yes", 1);
    EXPECT_TRUE(MacOSX::AreMessageBoxesLogged());
}

TEST(PlatformPaths, ExtensionPathAndName)
{
    using namespace Corvane::Platform;
    EXPECT_EQ(L".txt", GetFileExtension(L"/docs/readme.txt"));
    EXPECT_EQ(L".gz", GetFileExtension(L"archive.tar.gz"));
    EXPECT_EQ(L"", GetFileExtension(L"/docs/readme"));
    EXPECT_EQ(L"/docs", GetFilePath(L"/docs/readme.txt"));
    EXPECT_EQ(L"readme.txt", GetFilePath(L"readme.txt"));
    EXPECT_EQ(L"readme", GetFileName(L"/docs/readme.txt"));
    EXPECT_EQ(L"archive.tar", GetFileName(L"archive.tar.gz"));
    EXPECT_EQ(L"readme", GetFileName(L"/docs/readme"));
}

TEST(PlatformPaths, BackSlashesAndDotsInFolders)
{
    using namespace Corvane::Platform;
    EXPECT_EQ(L"C:/docs", GetFilePath(L"C:\\docs\\readme.txt"));
    EXPECT_EQ(L"readme", GetFileName(L"C:\\docs\\readme.txt"));
    // A dot only in a folder name does not cut the file name.
    EXPECT_EQ(L"readme", GetFileName(L"/my.docs/readme"));
    EXPECT_EQ(L".docs/readme", GetFileExtension(L"/my.docs/readme"));
    EXPECT_EQ(L"", GetFileName(L"/docs/"));
    EXPECT_EQ(L"", GetFileName(L""));
}

TEST(PlatformPaths, NonAsciiNames)
{
    using namespace Corvane::Platform;
    EXPECT_EQ(L"gr\u00faa", GetFileName(L"/m\u00fasica/gr\u00faa.png"));
    EXPECT_EQ(L"/m\u00fasica", GetFilePath(L"/m\u00fasica/gr\u00faa.png"));
    EXPECT_EQ(L".png", GetFileExtension(L"/m\u00fasica/gr\u00faa.png"));
}
