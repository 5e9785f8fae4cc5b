// The engine started on the desktop platform with the real OpenGL platform:
// the window opens, the active state is reached, and the custom cursor is
// drawn where the mouse is, read back from the frame before each swap.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>
#include <string>
#include <utility>

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>

#include "Core/Source/Singleton.h"
#include "Core/Tests/FileTestSupport.h"
#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/EngineHooks.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Platform/MacOSX/ApplicationPlatform.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopEngineSetup.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
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

std::function<void()>& FrameProbe()
{
    static std::function<void()> probe;
    return probe;
}

// Paints every frame mid grey and lets the test read the finished frame
// before it is swapped away.
class ProbingGraphicsPlatform : public MacOSX::OpenGLGraphicsPlatform
{
public:
    explicit ProbingGraphicsPlatform(unsigned long caps) : OpenGLGraphicsPlatform(caps) {}

    int BeginScene() override
    {
        int const result = OpenGLGraphicsPlatform::BeginScene();
        if (result == 0)
        {
            glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        }
        return result;
    }

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

sPixel ReadPixel(int x, int y)
{
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadPixels(x, 600 - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return sPixel{rgba[0], rgba[1], rgba[2]};
}

bool IsNear(sPixel const& pixel, int value)
{
    return std::abs(pixel.r - value) <= 40 && std::abs(pixel.g - value) <= 40 && std::abs(pixel.b - value) <= 40;
}

// What the display does on its own (the pointer crossing the window, focus
// moving to another test's window) is dropped; the test pushes its own.
bool gPushing = false;
int SDLCALL AdmitPushedInput(void*, SDL_Event* event)
{
    if (gPushing)
        return 1;
    if (event->type == SDL_MOUSEMOTION)
        return 0;
    if (event->type != SDL_WINDOWEVENT)
        return 1;
    // Size changes stay: the renderer must follow the window.
    switch (event->window.event)
    {
    case SDL_WINDOWEVENT_ENTER:
    case SDL_WINDOWEVENT_LEAVE:
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_TAKE_FOCUS:
        return 0;
    default:
        return 1;
    }
}

void Push(SDL_Event event)
{
    gPushing = true;
    SDL_PushEvent(&event);
    gPushing = false;
}

uint32_t WindowID()
{
    MacOSX::Platform* const platform = MacOSX::GetPlatform();
    return platform && platform->GetWindowRef() ? SDL_GetWindowID(platform->GetWindowRef()) : 0;
}

void PushMotion(int x, int y)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = WindowID();
    event.motion.x = x;
    event.motion.y = y;
    Push(event);
}

void PushWindowEvent(uint8_t kind)
{
    SDL_Event event;
    SDL_zero(event);
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = WindowID();
    event.window.event = kind;
    Push(event);
}

struct sCursorProbes
{
    // At mouse (100, 120): the arrow's tip, its hot spot, its inside, beyond it.
    sPixel tip;
    sPixel hotSpot;
    sPixel inside;
    sPixel beyond;
    // After the mouse left.
    sPixel tipAfterLeave;
    sPixel hotSpotAfterLeave;
    // At mouse (300, 200).
    sPixel movedTip;
    sPixel movedHotSpot;
    sPixel oldTip;
    bool finished = false;
    int frames = 0;
};

// Drives the cursor through enter, leave and enter again, one step per update.
class CursorScriptMode : public ApplicationMode
{
public:
    explicit CursorScriptMode(sCursorProbes* probes) : mProbes(probes) {}

    void Update(float dt) override
    {
        ApplicationMode::Update(dt);
        std::pair<int, int> const mouse = MainLoop::GetLastMousePos();
        if (++mProbes->frames > 2000)
        {
            MainLoop::Exit();
            return;
        }
        switch (mStep)
        {
        case 0:
            Window::EnableCustomCursor(true);
            Window::SetCursor(kCursor_Arrow);
            SDL_SetEventFilter(&AdmitPushedInput, nullptr);
            PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
            PushMotion(100, 120);
            ++mStep;
            break;
        case 1:
            if (mouse == std::make_pair(100, 120))
                Probe([this] {
                    mProbes->tip = ReadPixel(99, 118);
                    mProbes->hotSpot = ReadPixel(100, 120);
                    mProbes->inside = ReadPixel(104, 126);
                    mProbes->beyond = ReadPixel(119, 138);
                });
            break;
        case 2:
            PushWindowEvent(SDL_WINDOWEVENT_LEAVE);
            ++mStep;
            break;
        case 3:
            if (mouse.first < 0)
                Probe([this] {
                    mProbes->tipAfterLeave = ReadPixel(99, 118);
                    mProbes->hotSpotAfterLeave = ReadPixel(100, 120);
                });
            break;
        case 4:
            PushMotion(300, 200);
            ++mStep;
            break;
        case 5:
            if (mouse == std::make_pair(300, 200))
                Probe([this] {
                    mProbes->movedTip = ReadPixel(299, 198);
                    mProbes->movedHotSpot = ReadPixel(300, 200);
                    mProbes->oldTip = ReadPixel(99, 118);
                });
            break;
        default:
            mProbes->finished = true;
            MainLoop::Exit();
            break;
        }
    }

private:
    // Reads the next finished frame, then goes on to the next step.
    void Probe(std::function<void()> read)
    {
        if (mWaiting)
            return;
        mWaiting = true;
        FrameProbe() = [this, read] {
            read();
            mWaiting = false;
            ++mStep;
        };
    }

    sCursorProbes* mProbes;
    int mStep = 0;
    bool mWaiting = false;
};

class CursorApplication : public DesktopTesting::TestApplication
{
public:
    explicit CursorApplication(sCursorProbes* probes) : mProbes(probes) {}

    sApplicationConfig const& GetConfig() const override { return mConfig; }
    sWindowConfig const& GetDefaultWindowConfig() const override { return mWindow; }
    void Setup() override { MainLoop::ChangeMode(new CursorScriptMode(mProbes)); }

    sApplicationConfig mConfig = {false, true};
    sWindowConfig mWindow = {kWindowMode_Windowed, 1, 800, 600};

private:
    sCursorProbes* mProbes;
};

class DesktopEngineTest : public ::testing::Test
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
        Window::Internal::Reset();
        MacOSX::InstallEngineHooks();
    }

    void TearDown() override
    {
        SDL_SetEventFilter(nullptr, nullptr);
        FrameProbe() = nullptr;
        delete GetPlatform();
        MainLoop::Internal::GetEngineHooks() = mSavedHooks;
        Window::Internal::SetGraphicsPlatformFactory(nullptr);
        Window::Internal::Reset();
        MacOSX::Internal::SetBundleFolders(L"", L"");
    }

    static std::wstring Wide(std::string const& utf8) { return std::wstring(utf8.begin(), utf8.end()); }

    FileTestSupport::ScratchFolder mFolder;
    MainLoop::Internal::sEngineHooks mSavedHooks;
};

} // namespace

TEST_F(DesktopEngineTest, CustomCursorIsDrawnAtTheMouse)
{
    sCursorProbes probes;
    CursorApplication application(&probes);
    Window::Internal::SetGraphicsPlatformFactory(
        [](unsigned long caps) -> IGraphicsPlatform* { return new ProbingGraphicsPlatform(caps); });

    MainLoop::Execute();

    ASSERT_TRUE(probes.finished) << "the script stopped after " << probes.frames << " updates";
    // The arrow's white outline at its tip, black inside, transparent beyond.
    EXPECT_TRUE(IsNear(probes.tip, 255)) << probes.tip.r;
    EXPECT_TRUE(IsNear(probes.hotSpot, 0)) << probes.hotSpot.r;
    EXPECT_TRUE(IsNear(probes.inside, 0)) << probes.inside.r;
    EXPECT_TRUE(IsNear(probes.beyond, 128)) << probes.beyond.r;
    // Gone after the mouse left.
    EXPECT_TRUE(IsNear(probes.tipAfterLeave, 128)) << probes.tipAfterLeave.r;
    EXPECT_TRUE(IsNear(probes.hotSpotAfterLeave, 128)) << probes.hotSpotAfterLeave.r;
    // Back at the next move inside, at the new place only.
    EXPECT_TRUE(IsNear(probes.movedTip, 255)) << probes.movedTip.r;
    EXPECT_TRUE(IsNear(probes.movedHotSpot, 0)) << probes.movedHotSpot.r;
    EXPECT_TRUE(IsNear(probes.oldTip, 128)) << probes.oldTip.r;
}

namespace
{
// Stops the loop as soon as the application is active.
class WaitForActiveMode : public ApplicationMode
{
public:
    void Update(float dt) override
    {
        ApplicationMode::Update(dt);
        if (GetPlatform()->IsActive())
            MainLoop::Exit();
    }
};

class ActiveApplication : public DesktopTesting::TestApplication
{
public:
    sApplicationConfig const& GetConfig() const override { return mConfig; }
    sWindowConfig const& GetDefaultWindowConfig() const override { return mWindow; }
    void Setup() override { MainLoop::ChangeMode(new WaitForActiveMode()); }
    void RegisterSingletons() override { audio.reset(new DesktopTesting::ActivationRecorder()); }
    void Cleanup() override
    {
        activations = audio->calls;
        audio.reset();
    }

    sApplicationConfig mConfig = {false, false};
    sWindowConfig mWindow = {kWindowMode_Windowed, 1, 800, 600};
    std::unique_ptr<DesktopTesting::ActivationRecorder> audio;
    std::vector<bool> activations;
};

// Asks the program to quit after a while, so that a window that never gets
// the focus fails the test instead of leaving the loop waiting for ever.
class QuitDeadline
{
public:
    explicit QuitDeadline(std::chrono::milliseconds delay)
        : mThread([this, delay] {
              std::unique_lock<std::mutex> lock(mMutex);
              if (mCondition.wait_for(lock, delay, [this] { return mCancelled; }))
                  return;
              fired = true;
              SDL_Event quit;
              SDL_zero(quit);
              quit.type = SDL_QUIT;
              SDL_PushEvent(&quit);
          })
    {
    }
    ~QuitDeadline()
    {
        {
            std::lock_guard<std::mutex> lock(mMutex);
            mCancelled = true;
        }
        mCondition.notify_all();
        mThread.join();
    }

    std::atomic<bool> fired{false};

private:
    std::mutex mMutex;
    std::condition_variable mCondition;
    bool mCancelled = false;
    std::thread mThread;
};
} // namespace

// Without a window manager nobody hands the new window the focus; the
// platform takes it itself, so the loop (which waits for events while
// inactive) reaches the active state.
TEST_F(DesktopEngineTest, NewWindowBecomesActive)
{
    ActiveApplication application;
    Window::Internal::SetGraphicsPlatformFactory(
        [](unsigned long caps) -> IGraphicsPlatform* { return new MacOSX::OpenGLGraphicsPlatform(caps); });
    {
        // With other programs taking the focus at the same moment the loop may
        // be inactive again before its next update: then the deadline ends it.
        QuitDeadline deadline(std::chrono::seconds(5));
        MainLoop::Execute();
    }
    ASSERT_FALSE(application.activations.empty());
    EXPECT_TRUE(application.activations.front());
    EXPECT_EQ(kWindowMode_Windowed, Window::GetConfig().mode);
}

namespace
{
struct sLetterboxProbes
{
    sPixel centre;
    sPixel pictureLeftEdge;
    sPixel leftBar;
    sPixel rightBar;
    sPixel movedTo;
    bool finished = false;
    int frames = 0;
};

// Fills the whole picture red, makes the window twice as wide as the
// picture, and reads the frame once the renderer has followed.
class LetterboxScriptMode : public ApplicationMode
{
public:
    explicit LetterboxScriptMode(sLetterboxProbes* probes) : mProbes(probes) {}

    void Draw() override
    {
        Graphics::DrawStateNPI state;
        state.color = ColorF(1.0f, 0.0f, 0.0f, 1.0f);
        Graphics::DrawFilledRect(Rect<int>(0, 0, 800, 600), state);
    }

    void Update(float dt) override
    {
        ApplicationMode::Update(dt);
        if (++mProbes->frames > 2000)
        {
            MainLoop::Exit();
            return;
        }
        SDL_Window* const window = MacOSX::GetPlatform()->GetWindowRef();
        if (mStep == 0)
        {
            SDL_SetEventFilter(&AdmitPushedInput, nullptr);
            PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
            SDL_SetWindowSize(window, 1600, 600);
            SDL_Event resized;
            SDL_zero(resized);
            resized.type = SDL_WINDOWEVENT;
            resized.window.windowID = WindowID();
            resized.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
            resized.window.data1 = 1600;
            resized.window.data2 = 600;
            Push(resized);
            ++mStep;
            return;
        }
        // The display answers the resize in its own time: wait until the
        // window has kept the new size for a while.
        if (mStep == 1)
        {
            int width = 0;
            int height = 0;
            SDL_GL_GetDrawableSize(window, &width, &height);
            mSettled = (width == 1600 && height == 600) ? mSettled + 1 : 0;
            if (mSettled >= 10)
                ++mStep;
            return;
        }
        if (mStep == 2)
        {
            PushMotion(800, 300);
            ++mStep;
            return;
        }
        if (mStep == 3 && !mWaiting)
        {
            mWaiting = true;
            FrameProbe() = [this] {
                mProbes->centre = ReadPixel(800, 300);
                mProbes->pictureLeftEdge = ReadPixel(402, 300);
                mProbes->leftBar = ReadPixel(100, 300);
                mProbes->rightBar = ReadPixel(1500, 300);
                std::pair<int, int> const mouse = MainLoop::GetLastMousePos();
                mProbes->movedTo = sPixel{mouse.first, mouse.second, 0};
                // A busy display may still be catching up with the resize:
                // look again at a later frame before giving the answer.
                bool const settled = mProbes->centre.r == 255 && mProbes->leftBar.r != 255 &&
                                     mouse == std::make_pair(400, 300);
                if (settled || ++mAttempts >= 250)
                {
                    mProbes->finished = true;
                    MainLoop::Exit();
                }
                mWaiting = false;
            };
        }
    }

private:
    sLetterboxProbes* mProbes;
    int mStep = 0;
    int mSettled = 0;
    int mAttempts = 0;
    bool mWaiting = false;
};

class LetterboxApplication : public DesktopTesting::TestApplication
{
public:
    explicit LetterboxApplication(sLetterboxProbes* probes) : mProbes(probes) {}

    sApplicationConfig const& GetConfig() const override { return mConfig; }
    sWindowConfig const& GetDefaultWindowConfig() const override { return mWindow; }
    void Setup() override { MainLoop::ChangeMode(new LetterboxScriptMode(mProbes)); }

    sApplicationConfig mConfig = {false, true};
    // Freely resizable, so that the platform keeps the width the test asks for.
    sWindowConfig mWindow = {kWindowMode_Windowed, 0, 800, 600};

private:
    sLetterboxProbes* mProbes;
};
} // namespace

// A window of another shape shows the whole picture, scaled and centred,
// and the mouse over its middle is the picture's middle.
TEST_F(DesktopEngineTest, ResizedWindowShowsThePictureLetterboxed)
{
    sLetterboxProbes probes;
    LetterboxApplication application(&probes);
    Window::Internal::SetGraphicsPlatformFactory(
        [](unsigned long caps) -> IGraphicsPlatform* { return new ProbingGraphicsPlatform(caps); });

    MainLoop::Execute();

    ASSERT_TRUE(probes.finished) << "the script stopped after " << probes.frames << " updates";
    EXPECT_EQ(255, probes.centre.r);
    EXPECT_EQ(0, probes.centre.g);
    EXPECT_EQ(255, probes.pictureLeftEdge.r);
    EXPECT_NE(255, probes.leftBar.r);
    EXPECT_NE(255, probes.rightBar.r);
    EXPECT_EQ(400, probes.movedTo.r);
    EXPECT_EQ(300, probes.movedTo.g);
}
