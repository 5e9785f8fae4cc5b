// The engine started on the desktop platform with a test application that
// shows the real loading screen, built from the generated content, while it
// loads several manifests. Frames are read back before each swap: the splash,
// then the progress bar at three stages and the percentage text over it.
//
// Set CORVANE_LOADING_SCREENSHOT to a file path to keep a picture of the
// screen at 50 % (PNG).

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>
#include <stb/stb_image_write.h>

#include "Core/Source/Singleton.h"
#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/EngineHooks.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Framework/SystemServices.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopEngineSetup.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "2DEngine/Source/Platform/MacOSX/MacOSXPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"
#include "2DEngine/Source/Widgets/LoadingMode.h"
#include "2DEngine/Source/Widgets/ObjectFactory.h"
#include "2DEngine/Source/Widgets/SpriteObjects.h"

namespace
{
using namespace Corvane;

struct sPixel
{
    int r;
    int g;
    int b;
};

bool Near(sPixel const& pixel, int r, int g, int b)
{
    return std::abs(pixel.r - r) <= 24 && std::abs(pixel.g - g) <= 24 && std::abs(pixel.b - b) <= 24;
}

::testing::AssertionResult IsColour(sPixel const& pixel, int r, int g, int b)
{
    if (Near(pixel, r, g, b))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << pixel.r << ", " << pixel.g << ", " << pixel.b << ") is not (" << r
                                         << ", " << g << ", " << b << ")";
}

sPixel ReadPixel(int x, int y)
{
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadPixels(x, 600 - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return sPixel{rgba[0], rgba[1], rgba[2]};
}

std::vector<unsigned char> ReadFrame()
{
    std::vector<unsigned char> rgba(800 * 600 * 4);
    glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    // OpenGL rows run bottom up.
    std::vector<unsigned char> flipped(rgba.size());
    for (int y = 0; y < 600; ++y)
        std::copy(rgba.begin() + (599 - y) * 3200, rgba.begin() + (600 - y) * 3200, flipped.begin() + y * 3200);
    return flipped;
}

// The columns of near-white pixels in the text's band: the percentage in white.
struct sInk
{
    int left = 10000;
    int right = -1;
    int Width() const { return right >= left ? right - left + 1 : 0; }
};

sInk FindTextInk(std::vector<unsigned char> const& frame, int top, int bottom)
{
    sInk ink;
    for (int y = top; y < bottom; ++y)
        for (int x = 150; x < 650; ++x)
        {
            unsigned char const* p = &frame[(y * 800 + x) * 4];
            if (p[0] > 200 && p[1] > 200 && p[2] > 200)
            {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
            }
        }
    return ink;
}

std::function<void()>& FrameProbe()
{
    static std::function<void()> probe;
    return probe;
}

class ProbingGraphicsPlatform : public MacOSX::OpenGLGraphicsPlatform
{
public:
    explicit ProbingGraphicsPlatform(unsigned long caps) : OpenGLGraphicsPlatform(caps) {}

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

// Time moves only when the loop sleeps, so the splash sequence takes frames, not seconds.
class SteppedClock : public ISystemServices
{
public:
    uint64_t GetTimeUS() override { return mNowUS.load(); }
    void Sleep(uint32_t milliseconds) override
    {
        mNowUS += uint64_t(milliseconds) * 1000;
        // Give the loading threads a moment.
        std::this_thread::yield();
    }
    std::wstring GetCommandLine() override { return L""; }

private:
    std::atomic<uint64_t> mNowUS{1000000};
};

// A task the script steers: it reports the progress it is given until released.
struct sGate
{
    std::atomic<float> progress{0.0f};
    std::atomic<bool> open{false};
    std::atomic<bool> waiting{false};
};

class GateTask : public ILoadingTask
{
public:
    explicit GateTask(sGate* gate) : mGate(gate) {}
    void Execute(IResourceLoadProgress* progress) override
    {
        mGate->waiting = true;
        while (!mGate->open && !progress->ShouldAbort())
        {
            progress->OnProgress(mGate->progress);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        mGate->waiting = false;
    }

private:
    sGate* mGate;
};

struct sProbes
{
    sPixel splashSky{};
    // The bar's inside at 30 %, 50 % and 100 %: x = 260 (15 %), 390 (47 %), 450 (62 %), 590 (97 %).
    sPixel bar[3][4]{};
    sInk ink[3];
    std::wstring text[3];
    int advance[3] = {0, 0, 0};
    bool loadingFailed = false;
    int frames = 0;
    int stage = 0;
};

std::string ScreenshotPath()
{
    char const* path = std::getenv("CORVANE_LOADING_SCREENSHOT");
    return path ? path : "";
}

class ProbedLoadingMode : public LoadingMode
{
public:
    ProbedLoadingMode(sProbes* probes, sGate* gate) : mProbes(probes), mGate(gate) {}

    void OnAfterLoad() override { mHandedOver = true; }

    void Update(float dt) override
    {
        LoadingMode::Update(dt);
        if (++mProbes->frames > 4000)
        {
            MainLoop::Exit();
            return;
        }
        if (mProbing)
            return;
        TextSpriteObject* const text = AutoObject<TextSpriteObject>(Label::GetUniqueString("LoadingText")).Get();
        float const percentage = GetPercentageComplete();
        switch (mProbes->stage)
        {
        case 0:
            if (mProbes->frames == 10)
                Probe([this] { mProbes->splashSky = ReadPixel(40, 300); });
            break;
        case 1:
            mGate->progress = 0.25f;
            if (AreSplashScreensComplete() && SplashesFadedOut() && text && text->IsVisible() && mGate->waiting &&
                std::abs(percentage - 30.0f) < 0.01f)
                ProbeProgress(0);
            break;
        case 2:
            mGate->progress = 0.75f;
            if (std::abs(percentage - 50.0f) < 0.01f && text && text->GetText() == L"50%")
                ProbeProgress(1);
            break;
        case 3:
            mGate->open = true;
            if (mHandedOver && text && text->GetText() == L"100%")
                ProbeProgress(2);
            break;
        default:
            mProbes->loadingFailed = HasLoadingFailed();
            MainLoop::Exit();
            break;
        }
    }

private:
    // The splash pictures fade out over the progress screen after the cue point.
    bool SplashesFadedOut() const
    {
        for (char const* name : {"Splash1", "Splash2"})
        {
            ImageSpriteObject* const splash = AutoObject<ImageSpriteObject>(Label::GetUniqueString(name)).Get();
            if (splash && splash->GetAlpha() > 0.001f)
                return false;
        }
        return true;
    }

    void Probe(std::function<void()> read)
    {
        mProbing = true;
        FrameProbe() = [this, read] {
            read();
            mProbing = false;
            ++mProbes->stage;
        };
    }

    void ProbeProgress(int index)
    {
        TextSpriteObject* const text = AutoObject<TextSpriteObject>(Label::GetUniqueString("LoadingText")).Get();
        mProbes->text[index] = text->GetText();
        mProbes->advance[index] = text->GetFont() ? text->GetFont()->GetStringWidth(text->GetText().c_str()) : -1;
        Probe([this, index] {
            int const xs[4] = {260, 390, 450, 590};
            for (int i = 0; i < 4; ++i)
                mProbes->bar[index][i] = ReadPixel(xs[i], 500);
            std::vector<unsigned char> const frame = ReadFrame();
            // The text's top is at 420; the font is 38 pixels high.
            mProbes->ink[index] = FindTextInk(frame, 420, 460);
            std::string const path = ScreenshotPath();
            if (index == 1 && !path.empty())
                stbi_write_png(path.c_str(), 800, 600, 4, frame.data(), 800 * 4);
        });
    }

    sProbes* mProbes;
    sGate* mGate;
    bool mProbing = false;
    bool mHandedOver = false;
};

class LoadingScreenApplication : public BaseApplication
{
public:
    LoadingScreenApplication(sProbes* probes, sGate* gate) : mProbes(probes), mGate(gate)
    {
        mDescriptor.companyName = L"Pruebas Corvane";
        mDescriptor.productName = L"Pantalla de carga";
        mDescriptor.fullVersion = L"1.0";
        mDescriptor.copyright = L"2026";
        mDescriptor.windowTitle = nullptr;
    }

    sApplicationConfig const& GetConfig() const override { return mConfig; }
    sWindowConfig const& GetDefaultWindowConfig() const override { return mWindow; }

    void Setup() override
    {
        ProbedLoadingMode* const mode = new ProbedLoadingMode(mProbes, mGate);
        mode->AddLoadingTask(new ResourceLoadTask(L"PruebaA"), 1);
        mode->AddLoadingTask(new GateTask(mGate), 2);
        mode->AddLoadingTask(new ResourceLoadTask(L"PruebaB"), 1);
        mode->AddLoadingTask(new ResourceLoadTask(L"PruebaC"), 1);
        MainLoop::ChangeMode(mode);
    }

private:
    sProbes* mProbes;
    sGate* mGate;
    sApplicationConfig mConfig = {false, true};
    sWindowConfig mWindow = {kWindowMode_Windowed, 1, 800, 600};
};

// A manifest of images made from the generated pictures.
std::string TestManifest(char const* prefix, int count)
{
    char const* const pictures[] = {"Splash1", "Splash2", "LoadingBackground", "LoadingEmpty", "LoadingFull"};
    std::string body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n";
    for (int i = 0; i < count; ++i)
        body += "  <image name=\"" + std::string(prefix) + std::to_string(i) + "\" src=\"" + pictures[i % 5] +
                "\"/>\n";
    return body + "</resources>\n";
}

class LoadingScreenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv(MacOSX::kLogMessageBoxesVariable, "1", 1);
        setenv("XDG_DATA_HOME", mFolder.Join("datos").c_str(), 1);
        std::string const resources = mFolder.Join("app/Resources");
        std::filesystem::create_directories(resources);
        for (auto const& entry : std::filesystem::directory_iterator(CORVANE_TEST_RESOURCES_DIR))
            std::filesystem::copy(entry.path(), resources + "/" + entry.path().filename().string());
        mFolder.Write("app/Resources/PruebaA.xml", TestManifest("PruebaA", 12));
        mFolder.Write("app/Resources/PruebaB.xml", TestManifest("PruebaB", 8));
        mFolder.Write("app/Resources/PruebaC.xml", TestManifest("PruebaC", 8));
        MacOSX::Internal::SetBundleFolders(Wide(mFolder.Join("app")), Wide(resources));

        MacOSX::RequestSoftwareRenderer();
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            GTEST_SKIP() << "no display: " << SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);

        mSavedHooks = MainLoop::Internal::GetEngineHooks();
        Window::Internal::Reset();
        MacOSX::InstallEngineHooks();
        InstallWidgetEngineHooks();
        MacOSX::Internal::sPlatformSetupHooks& platformHooks = MacOSX::Internal::GetPlatformSetupHooks();
        mSavedFontHook = platformHooks.registerFontFactory;
        if (!platformHooks.registerFontFactory)
            platformHooks.registerFontFactory = [] {
                GetResourceManager()->AddResourceFactory(L"font", CreateFontResourceFactory());
            };
        Window::Internal::SetGraphicsPlatformFactory(
            [](unsigned long caps) -> IGraphicsPlatform* { return new ProbingGraphicsPlatform(caps); });
        mSavedServices = Internal::SetSystemServices(&mClock);
    }

    void TearDown() override
    {
        Internal::SetSystemServices(mSavedServices);
        FrameProbe() = nullptr;
        delete GetPlatform();
        MainLoop::Internal::GetEngineHooks() = mSavedHooks;
        MacOSX::Internal::GetPlatformSetupHooks().registerFontFactory = mSavedFontHook;
        Window::Internal::SetGraphicsPlatformFactory(nullptr);
        Window::Internal::Reset();
        MacOSX::Internal::SetBundleFolders(L"", L"");
    }

    static std::wstring Wide(std::string const& utf8) { return std::wstring(utf8.begin(), utf8.end()); }

    FileTestSupport::ScratchFolder mFolder;
    MainLoop::Internal::sEngineHooks mSavedHooks;
    std::function<void()> mSavedFontHook;
    SteppedClock mClock;
    ISystemServices* mSavedServices = nullptr;
};

} // namespace

TEST_F(LoadingScreenTest, TheProgressBarGrowsAndTheTextReadsThePercentage)
{
    sProbes probes;
    sGate gate;
    LoadingScreenApplication application(&probes, &gate);

    MainLoop::Execute();

    ASSERT_EQ(4, probes.stage) << "the script stopped after " << probes.frames << " updates";
    EXPECT_FALSE(probes.loadingFailed);
    // The first splash covers the screen: its sky.
    EXPECT_TRUE(IsColour(probes.splashSky, 120, 190, 235));

    int const orange[3] = {255, 153, 0};
    int const grey[3] = {64, 64, 64};
    // Revealed from the left: 30 % reaches x = 320, 50 % x = 400, 100 % the end.
    bool const filled[3][4] = {{true, false, false, false}, {true, true, false, false}, {true, true, true, true}};
    for (int stage = 0; stage < 3; ++stage)
        for (int i = 0; i < 4; ++i)
        {
            int const* colour = filled[stage][i] ? orange : grey;
            EXPECT_TRUE(IsColour(probes.bar[stage][i], colour[0], colour[1], colour[2]))
                << "stage " << stage << ", probe " << i;
        }

    EXPECT_EQ(L"30%", probes.text[0]);
    EXPECT_EQ(L"50%", probes.text[1]);
    EXPECT_EQ(L"100%", probes.text[2]);
    for (int stage = 0; stage < 3; ++stage)
    {
        // The white ink spans the measured text (less the bearings), centred on the screen.
        ASSERT_GT(probes.advance[stage], 0) << stage;
        EXPECT_NEAR(probes.advance[stage], probes.ink[stage].Width(), 14) << stage;
        EXPECT_NEAR(400, (probes.ink[stage].left + probes.ink[stage].right) / 2, 6) << stage;
    }
    // One digit more is one digit's advance wider.
    EXPECT_NEAR(probes.advance[2] - probes.advance[1], probes.ink[2].Width() - probes.ink[1].Width(), 4);
}
