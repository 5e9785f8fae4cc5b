#include "2DEngine/Source/Framework/MainLoop.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "2DEngine/Source/Framework/Application.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/AudioServices.h"
#include "2DEngine/Source/Framework/EngineHooks.h"
#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Framework/SystemServices.h"
#include "Core/Source/Error.h"
#include "Core/Source/Log.h"

namespace Corvane
{
namespace MainLoop
{

namespace
{

constexpr int kNoMousePosition = -50;

class Looper : public IInputEventSink
{
public:
    void HandleEvent(sInputEvent const& event) override;

    bool SetupEngine();
    void Run();
    void Destroy();

    bool ProcessModeTransitions();
    void UpdateOrDraw();
    void Draw();
    void Update(float dt);
    void RequestQuit();
    // Deletes the modes of changes that were queued but never applied.
    void DiscardPendingChanges();

    void Queue(ApplicationMode* mode, ApplicationModeTransition transition);
    bool HasPendingChanges() const { return !mPendingChanges.empty(); }
    ApplicationMode* GetTopMostMode(int depth) const;

    ApplicationMode* mContextMode = nullptr;
    bool mQuitRequested = false;
    int mLastMouseX = kNoMousePosition;
    int mLastMouseY = kNoMousePosition;
    std::vector<IQuitHandler*> mQuitHandlers;

private:
    void Push(ApplicationMode* mode);
    void Pop();
    void CleanupEngine();
    void DeleteQueuedModes(std::set<ApplicationMode*>& deleted);

    uint32_t const mStepLength = 20;
    float const mStepTime = 0.02f;
    uint32_t mLastUpdateTime = 0;
    uint32_t mLastDrawTime = 0;
    // back() is the top; the stack owns the modes.
    std::vector<ApplicationMode*> mModes;
    std::deque<ApplicationModeChange> mPendingChanges;
};

Looper& GetLooper()
{
    static Looper looper;
    return looper;
}

// Makes a mode the context for the length of a callback, restoring the previous
// context also when an exception passes.
class ContextScope
{
public:
    explicit ContextScope(ApplicationMode* mode) : mSaved(GetLooper().mContextMode)
    {
        GetLooper().mContextMode = mode;
    }
    ~ContextScope() { GetLooper().mContextMode = mSaved; }
    ContextScope(ContextScope const&) = delete;
    ContextScope& operator=(ContextScope const&) = delete;

private:
    ApplicationMode* mSaved;
};

Internal::sEngineHooks& Hooks()
{
    return Internal::GetEngineHooks();
}

template <typename Hook, typename... Args>
void CallHook(Hook const& hook, Args&&... args)
{
    if (hook)
        hook(std::forward<Args>(args)...);
}

IApplication& Application()
{
    IApplication* application = GetApplication();
    if (!application)
        CORVANE_THROW("No application is registered.");
    return *application;
}

IPlatform& Platform()
{
    IPlatform* platform = GetPlatform();
    if (!platform)
        CORVANE_THROW("No platform is registered.");
    return *platform;
}

bool Looper::SetupEngine()
{
    IApplication& application = Application();

    CallHook(Hooks().setupRandom);
    if (!IsPlatformRegistered() && Hooks().createPlatform)
    {
        IPlatform* created = Hooks().createPlatform();
        if (created && !IsPlatformRegistered())
            RegisterSingleton(created);
    }
    if (!IsPlatformRegistered())
        CORVANE_THROW("No platform is registered and none could be created.");
    Platform().Setup();
    application.RegisterSingletons();
    CallHook(Hooks().registerDefaultFileSource);
    if (IsAudioPlatformRegistered())
        GetAudioPlatform()->Setup();
    CallHook(Hooks().setWindowConfig, application.GetDefaultWindowConfig());
    CallHook(Hooks().createConstantResourceFactories);
    CallHook(Hooks().createLayoutFactories);
    application.Setup();

    if (application.GetConfig().singleInstance && Platform().EnforceSingleInstance())
        return false;
    return true;
}

void Looper::Run()
{
    uint32_t now = GetTimeMS();
    mLastDrawTime = now;
    mLastUpdateTime = now - mStepLength;

    ProcessModeTransitions();
    Update(mStepTime);
    Draw();

    for (;;)
    {
        if (Platform().IsQuitPending() || mQuitRequested)
            break;
        if (Platform().IsEventPending())
            Platform().HandleEvents(this);

        if (Platform().IsActive() || Application().GetConfig().runInBackground)
        {
            UpdateOrDraw();
        }
        else if (Platform().IsRepaintPending())
        {
            Draw();
        }
        else
        {
            Platform().WaitForEvent();
            // Time spent inactive is not caught up.
            now = GetTimeMS();
            mLastDrawTime = now;
            mLastUpdateTime = now - mStepLength;
        }
    }
}

void Looper::Destroy()
{
    std::set<ApplicationMode*> deleted(mModes.begin(), mModes.end());

    if (!mModes.empty())
        mModes.back()->Exit();
    while (!mModes.empty())
        Pop();
    DeleteQueuedModes(deleted);

    CleanupEngine();

    mQuitRequested = false;
    mContextMode = nullptr;
    mLastMouseX = kNoMousePosition;
    mLastMouseY = kNoMousePosition;
}

// Modes queued but never applied were never set up; the stack never owned them,
// so nobody else would delete them.
void Looper::DeleteQueuedModes(std::set<ApplicationMode*>& deleted)
{
    while (!mPendingChanges.empty())
    {
        ApplicationMode* const mode = mPendingChanges.front().mode;
        mPendingChanges.pop_front();
        if (mode && deleted.insert(mode).second)
            delete mode;
    }
}

void Looper::DiscardPendingChanges()
{
    std::set<ApplicationMode*> onStack(mModes.begin(), mModes.end());
    DeleteQueuedModes(onStack);
}

void Looper::CleanupEngine()
{
    Application().Cleanup();
    CallHook(Hooks().cleanupResourceManager);
    CallHook(Hooks().cleanupDownloadManager);
    CallHook(Hooks().cleanupFileSource);
    if (IsGraphicsPlatformRegistered())
    {
        IGraphicsPlatform* const graphics = GetGraphicsPlatform();
        graphics->Cleanup();
        UnregisterSingleton(graphics);
        delete graphics;
    }
    if (IsAudioPlatformRegistered())
        GetAudioPlatform()->Cleanup();
    if (IsPlatformRegistered())
    {
        GetPlatform()->DestroyWindow();
        GetPlatform()->Destroy();
    }
    CallHook(Hooks().deleteAllSingletons);
    CallHook(Hooks().shutdownLabels);
    CallHook(Hooks().destroyRandom);
}

void Looper::Push(ApplicationMode* mode)
{
    mModes.push_back(mode);
    ContextScope context(mode);
    mode->Setup();
}

void Looper::Pop()
{
    if (mModes.empty())
        return;
    // Owned before Destroy runs, so that it is deleted even when Destroy throws.
    std::unique_ptr<ApplicationMode> mode(mModes.back());
    mModes.pop_back();
    ContextScope context(mode.get());
    mode->Destroy();
}

bool Looper::ProcessModeTransitions()
{
    if (mPendingChanges.empty())
        return false;

    if (!mModes.empty())
        mModes.back()->Exit();

    // A change queued by a Setup or Destroy of this batch joins the batch.
    while (!mPendingChanges.empty())
    {
        ApplicationModeChange const change = mPendingChanges.front();
        mPendingChanges.pop_front();
        switch (change.transition)
        {
        case kApplicationModeTransition_Change:
            Pop();
            Push(change.mode);
            break;
        case kApplicationModeTransition_Push:
            Push(change.mode);
            break;
        case kApplicationModeTransition_UnwindTo:
            while (!mModes.empty() && mModes.back() != change.mode)
                Pop();
            if (mModes.empty())
                Push(change.mode);
            break;
        case kApplicationModeTransition_Pop:
            Pop();
            break;
        default:
            break;
        }
    }

    if (!mModes.empty())
    {
        ApplicationMode* const top = mModes.back();
        top->Enter();
        top->OnMouseMove(mLastMouseX, mLastMouseY);
        Application().OnEnterMode();
    }
    return true;
}

void Looper::UpdateOrDraw()
{
    bool const changed = ProcessModeTransitions();
    uint32_t const now = GetTimeMS();
    // Unsigned arithmetic: the millisecond clock wraps.
    uint32_t const elapsed = now - mLastUpdateTime;
    uint32_t const sinceDraw = now - mLastDrawTime;

    bool draw = false;
    if (!changed)
    {
        if (elapsed < mStepLength)
        {
            bool const updatedSinceDraw = mLastUpdateTime >= mLastDrawTime;
            if (sinceDraw > 199 || updatedSinceDraw)
                draw = true;
            else
                return;
        }
        else if (sinceDraw > 199)
        {
            draw = true;
        }
    }

    if (!draw)
    {
        uint32_t budget = std::min(elapsed, 2 * mStepLength);
        if (changed && budget < mStepLength)
        {
            Update(static_cast<float>(budget / 1000.0));
            budget = 0;
        }
        // A step that queues a mode change ends the catch-up so the change goes first.
        while (budget >= mStepLength && mPendingChanges.empty())
        {
            Update(mStepTime);
            budget -= mStepLength;
        }
        mLastUpdateTime = now - budget;
        return;
    }

    Draw();
    mLastDrawTime = now;
    uint32_t const sinceUpdate = GetTimeMS() - mLastUpdateTime;
    if (sinceUpdate < mStepLength)
        Corvane::Internal::GetSystemServices().Sleep(mStepLength - sinceUpdate);
}

void Looper::Draw()
{
    Platform().ClearPendingRepaint();

    // Before the window exists there is nothing to draw on.
    IGraphicsPlatform* const graphics = GetGraphicsPlatform();
    if (!graphics)
        return;
    if (graphics->BeginScene() != 0)
        return;

    if (graphics->GetScreenCanvas() && !mModes.empty())
    {
        size_t const top = mModes.size() - 1;
        size_t start = top;
        while (start > 0 && !mModes[start]->IsOpaque())
            --start;

        for (size_t i = start; i < top; ++i)
        {
            ContextScope context(mModes[i]);
            mModes[i]->Draw();
        }
        ApplicationMode* const topMode = mModes[top];
        ContextScope context(topMode);
        if (start < top)
            topMode->DrawBackground();
        topMode->Draw();
    }

    Application().Draw();
    if (Platform().IsActive())
        CallHook(Hooks().drawCustomCursor);
    graphics->EndScene();
}

void Looper::Update(float dt)
{
    if (IsAudioPlatformRegistered())
        GetAudioPlatform()->Update(dt);
    Application().Update(dt);
    if (!mModes.empty())
        mModes.back()->Update(dt);
}

void Looper::RequestQuit()
{
    // A copy: a handler may add or remove handlers while it is asked.
    std::vector<IQuitHandler*> const handlers = mQuitHandlers;
    for (IQuitHandler* handler : handlers)
    {
        if (!handler->AllowQuit())
        {
            if (IsPlatformRegistered())
                GetPlatform()->EnsureWindowVisible();
            return;
        }
    }
    mQuitRequested = true;
}

void Looper::HandleEvent(sInputEvent const& event)
{
    if (mModes.empty() || !mPendingChanges.empty() || event.type > kInputEvent_Last)
        return;
    ApplicationMode* const top = mModes.back();
    if (!top)
        return;

    switch (event.type)
    {
    case kInputEvent_MouseMove:
        mLastMouseX = event.x;
        mLastMouseY = event.y;
        top->OnMouseMove(event.x, event.y);
        break;
    case kInputEvent_MouseUp:
        top->OnMouseUp(event.code, event.x, event.y);
        break;
    case kInputEvent_MouseDown:
        top->OnMouseDown(event.code, event.x, event.y);
        break;
    case kInputEvent_KeyUp:
        top->OnKeyUp(event.code);
        break;
    case kInputEvent_KeyDown:
        top->OnKeyDown(event.code);
        break;
    case kInputEvent_MouseLeave:
        mLastMouseX = kNoMousePosition;
        mLastMouseY = kNoMousePosition;
        top->OnMouseLeave();
        break;
    case kInputEvent_TextInput:
        top->OnTextInput(std::wstring(GetInputEventText(event)));
        break;
    case kInputEvent_MouseWheel:
        top->OnMouseWheel(GetInputEventWheelDelta(event), event.x, event.y);
        break;
    default:
        // Activation changes reach the loop through the platform's IsActive.
        break;
    }
}

void Looper::Queue(ApplicationMode* mode, ApplicationModeTransition transition)
{
    if (!mode && transition != kApplicationModeTransition_Pop)
    {
        Corvane::Internal::LogWrite("MainLoop: a mode change without a mode was ignored.\n");
        return;
    }
    mPendingChanges.push_back(ApplicationModeChange{mode, transition});
}

ApplicationMode* Looper::GetTopMostMode(int depth) const
{
    if (depth < 0 || static_cast<size_t>(depth) >= mModes.size())
        return nullptr;
    return mModes[mModes.size() - 1 - static_cast<size_t>(depth)];
}

} // namespace

AutoContext::AutoContext() : mSaved(GetLooper().mContextMode)
{
}

AutoContext::~AutoContext()
{
    GetLooper().mContextMode = mSaved;
}

void Execute()
{
    Looper& looper = GetLooper();
    if (!looper.SetupEngine())
    {
        // The process ends without the loop; drop what the application queued.
        looper.DiscardPendingChanges();
        return;
    }
    looper.Run();
    looper.Destroy();
}

void ChangeMode(ApplicationMode* mode)
{
    GetLooper().Queue(mode, kApplicationModeTransition_Change);
}

void PushMode(ApplicationMode* mode)
{
    GetLooper().Queue(mode, kApplicationModeTransition_Push);
}

void PopMode()
{
    GetLooper().Queue(nullptr, kApplicationModeTransition_Pop);
}

void UnwindToMode(ApplicationMode* mode)
{
    GetLooper().Queue(mode, kApplicationModeTransition_UnwindTo);
}

bool IsModeChangePending()
{
    return GetLooper().HasPendingChanges();
}

ApplicationMode* GetTopMostMode(int depth)
{
    return GetLooper().GetTopMostMode(depth);
}

ApplicationMode* GetContextMode()
{
    Looper& looper = GetLooper();
    if (looper.mContextMode)
        return looper.mContextMode;
    return looper.GetTopMostMode(0);
}

void WithinContext(ApplicationMode* mode, AutoContext const&)
{
    GetLooper().mContextMode = mode;
}

void Exit()
{
    GetLooper().mQuitRequested = true;
}

void RequestQuit()
{
    GetLooper().RequestQuit();
}

void AddQuitHandler(IQuitHandler* handler)
{
    GetLooper().mQuitHandlers.push_back(handler);
}

void RemoveQuitHandler(IQuitHandler* handler)
{
    std::vector<IQuitHandler*>& handlers = GetLooper().mQuitHandlers;
    handlers.erase(std::remove(handlers.begin(), handlers.end(), handler), handlers.end());
}

std::pair<int, int> GetLastMousePos()
{
    return std::make_pair(GetLooper().mLastMouseX, GetLooper().mLastMouseY);
}

namespace Internal
{
IInputEventSink* GetInputEventSink()
{
    return &GetLooper();
}

void DrawFrame()
{
    GetLooper().Draw();
}
} // namespace Internal

} // namespace MainLoop
} // namespace Corvane
