#ifndef CORVANE_TESTS_FRAMEWORK_MAINLOOPTESTSUPPORT_H
#define CORVANE_TESTS_FRAMEWORK_MAINLOOPTESTSUPPORT_H

// Recording fakes of the platform, the graphics platform, the audio platform,
// the application, the clock and the modes, so that whole runs of
// MainLoop::Execute can be scripted pass by pass and checked call by call.

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/EngineHooks.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Framework/SystemServices.h"

namespace Corvane
{
namespace MainLoopTest
{

inline std::vector<std::string>& CallLog()
{
    static std::vector<std::string> log;
    return log;
}

inline void Record(char const* format, ...) __attribute__((format(printf, 1, 2)));
inline void Record(char const* format, ...)
{
    char buffer[256];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(buffer, sizeof(buffer), format, arguments);
    va_end(arguments);
    CallLog().push_back(buffer);
}

inline bool StartsWith(std::string const& text, std::string const& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The entries that start with one of the prefixes, in order.
inline std::vector<std::string> Filter(std::vector<std::string> const& entries,
                                       std::vector<std::string> const& prefixes)
{
    std::vector<std::string> kept;
    for (std::string const& entry : entries)
        for (std::string const& prefix : prefixes)
            if (StartsWith(entry, prefix))
            {
                kept.push_back(entry);
                break;
            }
    return kept;
}

// The entries after the marker "pass <n>" and before the next "pass" marker.
inline std::vector<std::string> Pass(int n)
{
    std::vector<std::string> entries;
    std::string const marker = "pass " + std::to_string(n);
    bool inside = false;
    for (std::string const& entry : CallLog())
    {
        if (StartsWith(entry, "pass "))
        {
            if (inside)
                break;
            inside = entry == marker;
            continue;
        }
        if (inside)
            entries.push_back(entry);
    }
    return entries;
}

// The entries of set-up and the first frame, before the first pass.
inline std::vector<std::string> BeforeFirstPass()
{
    std::vector<std::string> entries;
    for (std::string const& entry : CallLog())
    {
        if (entry == "pass 1")
            break;
        entries.push_back(entry);
    }
    return entries;
}

inline int Count(std::vector<std::string> const& entries, std::string const& prefix)
{
    int count = 0;
    for (std::string const& entry : entries)
        if (StartsWith(entry, prefix))
            ++count;
    return count;
}

// A clock moved by hand. Sleep is recorded, not slept, and moves nothing.
class FakeSystemServices : public ISystemServices
{
public:
    uint64_t GetTimeUS() override { return nowMS * 1000; }
    void Sleep(uint32_t milliseconds) override { Record("sleep %u", milliseconds); }
    std::wstring GetCommandLine() override { return commandLine; }

    uint64_t nowMS = 1000;
    std::wstring commandLine;
};

class FakePlatform : public IPlatform
{
public:
    FakePlatform() { RegisterSingleton(static_cast<IPlatform*>(this)); }
    ~FakePlatform() override { UnregisterSingleton(static_cast<IPlatform*>(this)); }

    void Setup() override { Record("platform Setup"); }
    void Destroy() override { Record("platform Destroy"); }
    bool EnforceSingleInstance() override
    {
        Record("platform EnforceSingleInstance");
        return anotherInstanceRuns;
    }
    void CreateWindow(sWindowConfig const&) override { Record("platform CreateWindow"); }
    void DestroyWindow() override { Record("platform DestroyWindow"); }
    void EnsureWindowVisible() override { Record("platform EnsureWindowVisible"); }
    void EnableHardwareCursor(bool) override {}
    void SetHardwareCursor(eCursor) override {}
    IImage const* GetCustomCursorImage(eCursor) const override { return nullptr; }
    Vector2<int> GetCustomCursorHotSpot(eCursor) const override { return Vector2<int>(0, 0); }
    void GetSupportedWindowConfig(sWindowConfig*) override {}
    bool IsActive() const override { return active; }
    // Asked at the top of every pass of the loop: runs the test's script.
    bool IsQuitPending() const override
    {
        FakePlatform* self = const_cast<FakePlatform*>(this);
        ++self->pass;
        Record("pass %d", pass);
        if (self->script)
            self->script(pass);
        return quitPending || pass > maxPasses;
    }
    bool IsEventPending() const override { return !events.empty(); }
    bool IsRepaintPending() const override { return repaintPending; }
    void ClearPendingRepaint() override
    {
        Record("platform ClearPendingRepaint");
        repaintPending = false;
    }
    void HandleEvents(IInputEventSink* sink) override
    {
        Record("platform HandleEvents");
        while (!events.empty())
        {
            sInputEvent const event = events.front();
            events.pop_front();
            sink->HandleEvent(event);
        }
    }
    void WaitForEvent() override
    {
        Record("platform WaitForEvent");
        if (onWait)
            onWait();
    }
    void CaptureMouse() override {}
    void ReleaseMouse() override {}
    void* GetBundle() const override { return nullptr; }
    sPlatformRect GetRenderRect() const override { return sPlatformRect{0, 0, 600, 800}; }
    sPlatformRect GetRenderClipRect() const override { return GetRenderRect(); }

    bool active = true;
    bool quitPending = false;
    bool repaintPending = false;
    bool anotherInstanceRuns = false;
    int pass = 0;
    // A safety net: no scripted run lasts longer.
    int maxPasses = 1;
    std::deque<sInputEvent> events;
    std::function<void(int)> script;
    std::function<void()> onWait;
};

class FakeGraphicsPlatform : public IGraphicsPlatform
{
public:
    explicit FakeGraphicsPlatform(unsigned long caps) : mCaps(caps)
    {
        RegisterSingleton(static_cast<IGraphicsPlatform*>(this));
    }
    ~FakeGraphicsPlatform() override
    {
        Record("gp deleted");
        UnregisterSingleton(static_cast<IGraphicsPlatform*>(this));
    }

    Label GetName() override { return Label::GetUniqueString("FakeGraphics"); }
    void GetSupportedWindowConfig(sWindowConfig*) override {}
    unsigned long GetCaps() override { return mCaps; }
    void Setup(sWindowConfig const&) override {}
    void Cleanup() override { Record("gp Cleanup"); }
    int BeginScene() override
    {
        Record("gp BeginScene");
        return beginSceneResult;
    }
    int EndScene() override
    {
        Record("gp EndScene");
        return 0;
    }
    // The loop only tests the canvas for null; it never draws on it.
    Graphics::ICanvas* GetScreenCanvas() override
    {
        return hasCanvas ? reinterpret_cast<Graphics::ICanvas*>(&mCanvasStandIn) : nullptr;
    }
    ITexture* CreateTexture(Image const*, Rect<int> const*) override { return nullptr; }

    int beginSceneResult = 0;
    bool hasCanvas = true;

private:
    unsigned long mCaps;
    int mCanvasStandIn = 0;
};

class FakeAudioPlatform : public Internal::BaseAudioPlatform
{
public:
    void Setup() override { Record("audio Setup"); }
    void Cleanup() override { Record("audio Cleanup"); }
    void Activate(bool active) override { Record("audio Activate %d", active ? 1 : 0); }
    void Update(float dt) override { Record("audio Update %g", dt); }
};

class FakeApplication : public BaseApplication
{
public:
    sApplicationConfig const& GetConfig() const override { return config; }
    void RegisterSingletons() override { Record("app RegisterSingletons"); }
    void Setup() override
    {
        Record("app Setup");
        if (onSetup)
            onSetup();
    }
    void Cleanup() override { Record("app Cleanup"); }
    void Draw() override { Record("app Draw"); }
    void Update(float dt) override { Record("app Update %g", dt); }
    void OnEnterMode() override { Record("app OnEnterMode"); }

    sApplicationConfig config = {false, false};
    std::function<void()> onSetup;
};

inline char const* ContextName();

// A mode that records its callbacks, with the context mode seen by the
// life-cycle and drawing calls in brackets.
class RecordingMode : public ApplicationMode
{
public:
    explicit RecordingMode(std::string name, bool opaque = true) : mName(std::move(name)), mOpaque(opaque) {}
    ~RecordingMode() override { Record("%s deleted", mName.c_str()); }

    MessageResult OnKeyDown(int key) override
    {
        Record("%s KeyDown %d", mName.c_str(), key);
        return kMessageHandled;
    }
    MessageResult OnKeyUp(int key) override
    {
        Record("%s KeyUp %d", mName.c_str(), key);
        return kMessageHandled;
    }
    MessageResult OnMouseMove(int x, int y) override
    {
        Record("%s MouseMove %d %d", mName.c_str(), x, y);
        return kMessageHandled;
    }
    MessageResult OnMouseDown(MouseButton button, int x, int y) override
    {
        Record("%s MouseDown %d %d %d", mName.c_str(), button, x, y);
        return kMessageHandled;
    }
    MessageResult OnMouseUp(MouseButton button, int x, int y) override
    {
        Record("%s MouseUp %d %d %d", mName.c_str(), button, x, y);
        return kMessageHandled;
    }
    MessageResult OnMouseWheel(float delta, int x, int y) override
    {
        Record("%s MouseWheel %g %d %d", mName.c_str(), delta, x, y);
        return kMessageHandled;
    }
    MessageResult OnMouseLeave() override
    {
        Record("%s MouseLeave", mName.c_str());
        return kMessageHandled;
    }
    MessageResult OnTextInput(std::wstring const& text) override
    {
        lastText = text;
        Record("%s TextInput", mName.c_str());
        return kMessageHandled;
    }
    void Update(float dt) override
    {
        Record("%s Update %g", mName.c_str(), dt);
        if (onUpdate)
            onUpdate();
    }
    void Draw() override { Record("%s Draw [%s]", mName.c_str(), ContextName()); }
    void Setup() override
    {
        Record("%s Setup [%s]", mName.c_str(), ContextName());
        if (onSetup)
            onSetup();
    }
    void Destroy() override
    {
        Record("%s Destroy [%s]", mName.c_str(), ContextName());
        if (onDestroy)
            onDestroy();
    }
    void Enter() override
    {
        Record("%s Enter", mName.c_str());
        if (onEnter)
            onEnter();
    }
    void Exit() override { Record("%s Exit", mName.c_str()); }
    bool IsOpaque() const override
    {
        Record("%s IsOpaque", mName.c_str());
        return mOpaque;
    }
    void DrawBackground() override
    {
        Record("%s DrawBackground [%s]", mName.c_str(), ContextName());
        ApplicationMode::DrawBackground();
    }

    std::string const& GetName() const { return mName; }

    std::wstring lastText;
    std::function<void()> onSetup;
    std::function<void()> onDestroy;
    std::function<void()> onEnter;
    std::function<void()> onUpdate;

private:
    std::string mName;
    bool mOpaque;
};

inline char const* ContextName()
{
    RecordingMode* mode = dynamic_cast<RecordingMode*>(MainLoop::GetContextMode());
    return mode ? mode->GetName().c_str() : "none";
}

inline void RecordDim()
{
    Record("dim");
}

// Installs the fakes and recording hooks for one test and puts everything
// back afterwards. The window hook makes the graphics platform, as the window does.
class MainLoopFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CallLog().clear();
        mSavedHooks = MainLoop::Internal::GetEngineHooks();
        mSavedDim = Internal::GetDimScreenHook();
        mSavedServices = Internal::SetSystemServices(&clock);

        MainLoop::Internal::sEngineHooks& hooks = MainLoop::Internal::GetEngineHooks();
        hooks = MainLoop::Internal::sEngineHooks();
        hooks.setupRandom = [] { Record("hook setupRandom"); };
        hooks.registerDefaultFileSource = [] { Record("hook registerDefaultFileSource"); };
        hooks.setWindowConfig = [this](sWindowConfig const& config) {
            Record("hook setWindowConfig %d %u %d %d", static_cast<int>(config.mode), config.aspectLock,
                   config.width, config.height);
            graphics = new FakeGraphicsPlatform(graphicsCaps);
        };
        hooks.createConstantResourceFactories = [] { Record("hook createConstantResourceFactories"); };
        hooks.createLayoutFactories = [] { Record("hook createLayoutFactories"); };
        hooks.drawCustomCursor = [] { Record("hook drawCustomCursor"); };
        hooks.cleanupResourceManager = [] { Record("hook cleanupResourceManager"); };
        hooks.cleanupDownloadManager = [] { Record("hook cleanupDownloadManager"); };
        hooks.cleanupFileSource = [] { Record("hook cleanupFileSource"); };
        hooks.deleteAllSingletons = [] { Record("hook deleteAllSingletons"); };
        hooks.shutdownLabels = [] { Record("hook shutdownLabels"); };
        hooks.destroyRandom = [] { Record("hook destroyRandom"); };
        Internal::SetDimScreenHook(&RecordDim);

        application.reset(new FakeApplication());
        platform.reset(new FakePlatform());
        audio.reset(new FakeAudioPlatform());
    }

    void TearDown() override
    {
        // The loop deletes the graphics platform at tear-down; a run that
        // ended early may leave it.
        if (IsGraphicsPlatformRegistered())
            delete GetGraphicsPlatform();
        audio.reset();
        platform.reset();
        application.reset();
        Internal::SetDimScreenHook(mSavedDim);
        Internal::SetSystemServices(mSavedServices);
        MainLoop::Internal::GetEngineHooks() = mSavedHooks;
    }

    // Runs the loop; the script runs at the top of every pass, before the
    // quit test, and the run stops after the given number of passes.
    void RunPasses(int passes, std::function<void(int)> script = nullptr)
    {
        platform->maxPasses = passes;
        platform->script = std::move(script);
        MainLoop::Execute();
    }

    // Pushes the modes, bottom first, from the application's Setup. For one
    // run only: the loop deletes the modes at its tear-down.
    void StartWith(std::vector<RecordingMode*> modes)
    {
        application->onSetup = [modes] {
            for (RecordingMode* mode : modes)
                MainLoop::PushMode(mode);
        };
    }

    FakeSystemServices clock;
    std::unique_ptr<FakeApplication> application;
    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<FakeAudioPlatform> audio;
    FakeGraphicsPlatform* graphics = nullptr;
    unsigned long graphicsCaps = kGraphicsPlatformCaps_Hardware;

private:
    MainLoop::Internal::sEngineHooks mSavedHooks;
    Internal::DimScreenHook mSavedDim = nullptr;
    ISystemServices* mSavedServices = nullptr;
};

} // namespace MainLoopTest
} // namespace Corvane

#endif
