#ifndef CORVANE_WIDGETS_LOADINGMODE_H
#define CORVANE_WIDGETS_LOADINGMODE_H

// The engine's loading screen: a mode that runs weighted loading tasks on a
// thread of its own while the main thread draws a cross-fading sequence of
// splash images, then a progress meter and a percentage. When both the tasks
// and the splash sequence are done it calls OnAfterLoad, which a game
// overrides to move on. A quit request while loading is refused and turned
// into an orderly abort that exits the main loop.
//
// The screen is the layout "LoadingMode" of the manifest "Loading": image
// sprites "Splash1" and "Splash2" (the two alternating splash objects, showing
// the images "Splash1", "Splash2", ...), "LoadingBackground", "LoadingEmpty",
// "LoadingFull" (revealed from the left as loading progresses) and the text
// sprite "LoadingText" (the percentage).

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "Core/Source/Thread.h"
#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ResourceManager.h"

namespace Corvane
{

class ILoadingTask
{
public:
    virtual ~ILoadingTask() {}
    // Runs on the loading thread; reports progress and polls for abort through the sink.
    virtual void Execute(IResourceLoadProgress* progress) = 0;
};

// Loads one manifest through the resource manager.
class ResourceLoadTask : public ILoadingTask
{
public:
    explicit ResourceLoadTask(std::wstring const& manifest) : mManifest(manifest) {}
    void Execute(IResourceLoadProgress* progress) override;
    std::wstring const& GetManifest() const { return mManifest; }

private:
    std::wstring mManifest;
};

class LoadingMode : public ApplicationMode, public IEntryPoint, public IResourceLoadProgress, public IQuitHandler
{
public:
    LoadingMode();
    // Stops and joins the loading thread if it still runs, then deletes the tasks.
    ~LoadingMode() override;
    LoadingMode(LoadingMode const&) = delete;
    LoadingMode& operator=(LoadingMode const&) = delete;

    // The mode owns the task. Tasks are added before Setup, which starts the thread.
    void AddLoadingTask(ILoadingTask* task, unsigned long long weight);

    // 0 to 100.
    float GetPercentageComplete() const;
    // The cue point "SplashComplete" can pass (true when nothing waits at it).
    bool AreSplashScreensComplete() const;

    void Setup() override;
    void Destroy() override;
    void Update(float dt) override;
    void Draw() override;

    virtual void OnBeforeLoad() {}
    virtual void OnAfterLoad() {}
    virtual void CycleSplashScreens();

    // The thread body.
    void Execute() override;
    void OnProgress(float fraction) override;
    bool ShouldAbort() override;
    // Refuses while the thread exists, asking it to abort.
    bool AllowQuit() override;

    bool IsAbortRequested() const { return mAbortRequested.load(); }
    // True once a task threw; the loading then ended without the remaining tasks.
    bool HasLoadingFailed() const { return mFailed.load(); }
    bool IsLoading() const { return mThread != nullptr; }

    struct sTaskEntry
    {
        ILoadingTask* task;
        unsigned long long weight;
        // Microseconds the task took, known once the thread has finished.
        unsigned long long time;
    };
    std::vector<sTaskEntry> const& GetTasks() const { return mTasks; }

private:
    // What the loading thread calls. A member of its own, so that the thread never
    // makes a virtual call on the mode while a derived mode's destructor is
    // changing the mode's virtual table.
    class ThreadBody : public IEntryPoint, public IResourceLoadProgress
    {
    public:
        explicit ThreadBody(LoadingMode* mode) : mMode(mode) {}
        void Execute() override { mMode->RunTasks(); }
        void OnProgress(float fraction) override { mMode->SetCurrentProgress(fraction); }
        bool ShouldAbort() override { return mMode->mAbortRequested.load(); }

    private:
        LoadingMode* mMode;
    };

    void RunTasks();
    void SetCurrentProgress(float fraction);
    // Asks the thread to stop, waits for it and deletes it.
    void StopThread();
    void UpdateProgressDisplay();

    ThreadBody mBody;

    IThread* mThread;
    IMutex* mMutex;
    // Written by the main thread, read by the loading thread.
    std::atomic<bool> mAbortRequested;
    std::atomic<bool> mFailed;
    float mCurrentProgress;
    float mCurrentWeight;
    float mCompleted;
    std::vector<sTaskEntry> mTasks;
    ObjectID mMeter;
    ObjectID mText;
    bool mQuitHandlerAdded;
};

} // namespace Corvane

#endif
