// What the engine's frames show on the desktop platform with the real OpenGL
// platform: full screen takes the desktop's own full-screen window with the
// picture scaled into it and black bars beside it, clicks on the screen reach
// the modes in the picture's coordinates, and a mode pushed over another
// darkens it by half. Frames are read back before each swap.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>

#include "Core/Source/Singleton.h"
#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/EngineHooks.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopEngineSetup.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "2DEngine/Source/Platform/MacOSX/MacOSXPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"
#include "2DEngine/Tests/Platform/DesktopTestSupport.h"

namespace
{
using namespace Corvane;

struct sPixel
{
    int r;
    int g;
    int b;
};

typedef std::pair<int, int> Point;

std::function<void()>& FrameProbe()
{
    static std::function<void()> probe;
    return probe;
}

// Lets the test read the finished frame before it is swapped away.
class ReadingGraphicsPlatform : public MacOSX::OpenGLGraphicsPlatform
{
public:
    explicit ReadingGraphicsPlatform(unsigned long caps) : OpenGLGraphicsPlatform(caps) {}

    int EndScene() override
    {
        if (FrameProbe())
        {
            std::function<void()> const probe = FrameProbe();
            FrameProbe() = nullptr;
            probe();
        }
        return OpenGLGraphicsPlatform::EndScene();
    }
};

SDL_Window* GetWindow()
{
    MacOSX::Platform* const platform = MacOSX::GetPlatform();
    return platform ? platform->GetWindowRef() : nullptr;
}

// The pixel at (x, y) of the window, y down.
sPixel ReadPixel(int x, int y)
{
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(GetWindow(), &width, &height);
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return sPixel{rgba[0], rgba[1], rgba[2]};
}

void PushClick(int x, int y)
{
    for (bool down : {true, false})
    {
        SDL_Event event;
        SDL_zero(event);
        event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.windowID = SDL_GetWindowID(GetWindow());
        event.button.button = SDL_BUTTON_LEFT;
        event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = x;
        event.button.y = y;
        SDL_PushEvent(&event);
    }
}

// One run of the engine: what the test asks for and what it saw.
struct sRun
{
    sWindowConfig window = {kWindowMode_Windowed, 1, 800, 600};
    // Screen positions to click once the window has settled, from its size.
    std::function<std::vector<Point>(int width, int height)> clicksAt;
    // Pushes a non-opaque mode over the picture before the frame is read.
    bool pushOverlay = false;
    // Reads the frame (context current, before the swap), given the window's size.
    std::function<void(int width, int height)> read;

    std::vector<Point> clicks;
    int width = 0;
    int height = 0;
    uint32_t windowFlags = 0;
    bool finished = false;
    int frames = 0;
};

// The picture: its left half red, its right half blue.
class PictureMode : public ApplicationMode
{
public:
    explicit PictureMode(sRun* run) : mRun(run) {}

    void Draw() override
    {
        sWindowConfig const& config = Window::GetConfig();
        Graphics::DrawStateNPI state;
        state.color = ColorF(1.0f, 0.0f, 0.0f, 1.0f);
        Graphics::DrawFilledRect(Rect<int>(0, 0, config.width / 2, config.height), state);
        state.color = ColorF(0.0f, 0.0f, 1.0f, 1.0f);
        Graphics::DrawFilledRect(Rect<int>(config.width / 2, 0, config.width - config.width / 2, config.height),
                                 state);
    }

    MessageResult OnMouseDown(MouseButton button, int x, int y) override
    {
        mRun->clicks.push_back(Point(x, y));
        return ApplicationMode::OnMouseDown(button, x, y);
    }

private:
    sRun* mRun;
};

// Lets the picture show through, darkened, and draws a small green square.
class OverlayMode : public ApplicationMode
{
public:
    bool IsOpaque() const override { return false; }
    void Draw() override
    {
        Graphics::DrawStateNPI state;
        state.color = ColorF(0.0f, 1.0f, 0.0f, 1.0f);
        Graphics::DrawFilledRect(Rect<int>(10, 10, 20, 20), state);
    }
};

// Drives the run from the application's update, which goes on whichever mode is on top.
class ScriptApplication : public DesktopTesting::TestApplication
{
public:
    explicit ScriptApplication(sRun* run) : mRun(run) {}

    sApplicationConfig const& GetConfig() const override { return mConfig; }
    sWindowConfig const& GetDefaultWindowConfig() const override { return mRun->window; }
    void Setup() override { MainLoop::ChangeMode(new PictureMode(mRun)); }

    void Update(float) override
    {
        if (++mRun->frames > 600)
        {
            MainLoop::Exit();
            return;
        }
        SDL_Window* const window = GetWindow();
        if (!window)
            return;
        if (mStep == 0)
        {
            // The display answers a new window in its own time: wait until
            // the window has kept its size for a while.
            int width = 0;
            int height = 0;
            SDL_GL_GetDrawableSize(window, &width, &height);
            mSettled = (width == mRun->width && height == mRun->height && width > 0) ? mSettled + 1 : 0;
            mRun->width = width;
            mRun->height = height;
            if (mSettled >= 10)
                ++mStep;
            return;
        }
        if (mStep == 1)
        {
            mRun->windowFlags = SDL_GetWindowFlags(window);
            if (mRun->clicksAt)
                mClicks = mRun->clicksAt(mRun->width, mRun->height);
            for (Point const& click : mClicks)
                PushClick(click.first, click.second);
            if (mRun->pushOverlay)
                MainLoop::PushMode(new OverlayMode());
            ++mStep;
            return;
        }
        if (mStep == 2 && mRun->clicks.size() >= mClicks.size() && ++mWaited >= 3)
        {
            ++mStep;
            FrameProbe() = [this] {
                if (mRun->read)
                    mRun->read(mRun->width, mRun->height);
                mRun->finished = true;
                MainLoop::Exit();
            };
        }
    }

private:
    sRun* mRun;
    sApplicationConfig mConfig = {false, true};
    std::vector<Point> mClicks;
    int mStep = 0;
    int mSettled = 0;
    int mWaited = 0;
};

class EnginePictureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv(MacOSX::kLogMessageBoxesVariable, "1", 1);
        setenv("XDG_DATA_HOME", mFolder.Join("datos").c_str(), 1);
        MacOSX::Internal::SetBundleFolders(Wide(mFolder.Join("app")), Wide(mFolder.Join("app/Resources")));
        mFolder.Write("app/Resources/nada.txt", "");
        MacOSX::RequestSoftwareRenderer();
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            GTEST_SKIP() << "no display: " << SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        mSavedHooks = MainLoop::Internal::GetEngineHooks();
        mSavedDim = Internal::GetDimScreenHook();
        Window::Internal::Reset();
        MacOSX::InstallEngineHooks();
        Window::Internal::SetGraphicsPlatformFactory(
            [](unsigned long caps) -> IGraphicsPlatform* { return new ReadingGraphicsPlatform(caps); });
    }

    void TearDown() override
    {
        FrameProbe() = nullptr;
        delete GetPlatform();
        MainLoop::Internal::GetEngineHooks() = mSavedHooks;
        Internal::SetDimScreenHook(mSavedDim);
        Window::Internal::SetGraphicsPlatformFactory(nullptr);
        Window::Internal::Reset();
        MacOSX::Internal::SetBundleFolders(L"", L"");
    }

    // Runs the engine; returns what it logged.
    std::string Execute(sRun* run)
    {
        ScriptApplication application(run);
        testing::internal::CaptureStderr();
        MainLoop::Execute();
        return testing::internal::GetCapturedStderr();
    }

    static std::wstring Wide(std::string const& utf8) { return std::wstring(utf8.begin(), utf8.end()); }

    FileTestSupport::ScratchFolder mFolder;
    MainLoop::Internal::sEngineHooks mSavedHooks;
    Internal::DimScreenHook mSavedDim = nullptr;
};

bool IsNear(sPixel const& pixel, int r, int g, int b)
{
    return std::abs(pixel.r - r) <= 3 && std::abs(pixel.g - g) <= 3 && std::abs(pixel.b - b) <= 3;
}

::testing::AssertionResult PixelIs(sPixel const& pixel, int r, int g, int b)
{
    if (IsNear(pixel, r, g, b))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel is (" << pixel.r << ", " << pixel.g << ", " << pixel.b
                                         << "), expected (" << r << ", " << g << ", " << b << ")";
}

} // namespace

// The 800 x 600 picture in full screen on a display without an 800 x 600
// mode: the desktop's full-screen window, the picture scaled to fill it.
TEST_F(EnginePictureTest, FullScreenTakesTheDesktopAndScalesThePicture)
{
    sRun run;
    run.window = {kWindowMode_FullScreen, 1, 800, 600};
    sPixel leftQuarter = {};
    sPixel rightQuarter = {};
    sPixel farCorner = {};
    run.clicksAt = [](int width, int height) {
        return std::vector<Point>{Point(width / 2, height / 2), Point(3 * width / 4, height / 4),
                                  Point(width - 1, height - 1)};
    };
    run.read = [&](int width, int height) {
        leftQuarter = ReadPixel(width / 4, height / 2);
        rightQuarter = ReadPixel(3 * width / 4, height / 2);
        farCorner = ReadPixel(width - 2, height - 2);
    };

    std::string const log = Execute(&run);

    ASSERT_TRUE(run.finished) << "the script stopped after " << run.frames << " updates\n" << log;
    EXPECT_EQ(std::string::npos, log.find("Error initializing IGraphicsPlatform")) << log;
    EXPECT_EQ(kWindowMode_FullScreen, Window::GetConfig().mode);
    EXPECT_EQ(Uint32(SDL_WINDOW_FULLSCREEN_DESKTOP), run.windowFlags & SDL_WINDOW_FULLSCREEN_DESKTOP);
    SDL_DisplayMode desktop;
    ASSERT_EQ(0, SDL_GetDesktopDisplayMode(0, &desktop));
    EXPECT_EQ(desktop.w, run.width);
    EXPECT_EQ(desktop.h, run.height);
    ASSERT_TRUE(run.width > 800 || run.height > 600) << "the display is no larger than the picture";
    EXPECT_TRUE(PixelIs(leftQuarter, 255, 0, 0));
    EXPECT_TRUE(PixelIs(rightQuarter, 0, 0, 255));
    // Beyond 800 x 600 pixels: the picture is scaled, not drawn at its own size.
    EXPECT_TRUE(PixelIs(farCorner, 0, 0, 255));

    // The display here has the picture's shape, so the scale is the same on both axes.
    double const scale = double(run.width) / 800.0;
    ASSERT_EQ(3u, run.clicks.size());
    EXPECT_NEAR(400, run.clicks[0].first, 1);
    EXPECT_NEAR(300, run.clicks[0].second, 1);
    EXPECT_NEAR((3 * run.width / 4) / scale, run.clicks[1].first, 1);
    EXPECT_NEAR((run.height / 4) / scale, run.clicks[1].second, 1);
    EXPECT_EQ(799, run.clicks[2].first);
    EXPECT_EQ(599, run.clicks[2].second);
}

// A picture wider than the display is centred with black bars above and
// below it; a click on a bar reaches the nearest edge of the picture.
TEST_F(EnginePictureTest, FullScreenLetterboxesThePictureWithBlackBars)
{
    sRun run;
    run.window = {kWindowMode_FullScreen, 1, 800, 400};
    sPixel topBar = {};
    sPixel bottomBar = {};
    sPixel left = {};
    sPixel right = {};
    int barHeight = 0;
    auto const barOf = [](int width, int height) {
        double const scale = std::min(width / 800.0, height / 400.0);
        return int((height - 400.0 * scale) / 2.0);
    };
    run.clicksAt = [&](int width, int height) {
        barHeight = barOf(width, height);
        return std::vector<Point>{Point(width / 4, height / 2), Point(width / 2, barHeight / 2),
                                  Point(3 * width / 4, height - 1 - barHeight)};
    };
    run.read = [&](int width, int height) {
        topBar = ReadPixel(width / 4, barHeight / 2);
        bottomBar = ReadPixel(3 * width / 4, height - barHeight / 2);
        left = ReadPixel(width / 4, barHeight + 4);
        right = ReadPixel(3 * width / 4, height - barHeight - 4);
    };

    std::string const log = Execute(&run);

    ASSERT_TRUE(run.finished) << "the script stopped after " << run.frames << " updates\n" << log;
    EXPECT_EQ(kWindowMode_FullScreen, Window::GetConfig().mode);
    ASSERT_GT(barHeight, 8) << "the display is as wide as the picture: no bars to see";
    EXPECT_TRUE(PixelIs(topBar, 0, 0, 0));
    EXPECT_TRUE(PixelIs(bottomBar, 0, 0, 0));
    EXPECT_TRUE(PixelIs(left, 255, 0, 0));
    EXPECT_TRUE(PixelIs(right, 0, 0, 255));

    ASSERT_EQ(3u, run.clicks.size());
    EXPECT_NEAR(200, run.clicks[0].first, 1);
    EXPECT_NEAR(200, run.clicks[0].second, 1);
    EXPECT_NEAR(400, run.clicks[1].first, 1);
    EXPECT_EQ(0, run.clicks[1].second);
    EXPECT_NEAR(600, run.clicks[2].first, 1);
    EXPECT_NEAR(399, run.clicks[2].second, 1);
}

// A popup over the picture darkens it to half brightness; the popup's own
// drawing, done after the darkening, keeps its colour.
TEST_F(EnginePictureTest, ModePushedOverAnotherDarkensItByHalf)
{
    sRun run;
    run.pushOverlay = true;
    sPixel left = {};
    sPixel right = {};
    sPixel square = {};
    run.read = [&](int, int) {
        left = ReadPixel(200, 300);
        right = ReadPixel(600, 300);
        square = ReadPixel(20, 20);
    };

    std::string const log = Execute(&run);

    ASSERT_TRUE(run.finished) << "the script stopped after " << run.frames << " updates\n" << log;
    EXPECT_TRUE(PixelIs(left, 128, 0, 0));
    EXPECT_TRUE(PixelIs(right, 0, 0, 128));
    EXPECT_TRUE(PixelIs(square, 0, 255, 0));
}

// The software renderer does not darken behind a popup.
TEST_F(EnginePictureTest, SoftwarePlatformDoesNotDarkenBelowAPopup)
{
    Window::Internal::SetGraphicsPlatformFactory([](unsigned long) -> IGraphicsPlatform* {
        return new ReadingGraphicsPlatform(kGraphicsPlatformCaps_Software);
    });
    sRun run;
    run.pushOverlay = true;
    sPixel left = {};
    run.read = [&](int, int) { left = ReadPixel(200, 300); };

    std::string const log = Execute(&run);

    ASSERT_TRUE(run.finished) << "the script stopped after " << run.frames << " updates\n" << log;
    EXPECT_TRUE(PixelIs(left, 255, 0, 0));
}
