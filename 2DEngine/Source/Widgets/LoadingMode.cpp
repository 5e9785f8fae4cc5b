#include "2DEngine/Source/Widgets/LoadingMode.h"

#include <algorithm>
#include <exception>
#include <typeinfo>
#include <utility>

#include "Core/Source/Error.h"
#include "Core/Source/Log.h"
#include "Core/Source/StringFormatter.h"
#include "2DEngine/Source/Framework/Layout.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/SystemServices.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "2DEngine/Source/Graphics/Animation.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Widgets/SpriteObjects.h"

namespace Corvane
{

namespace
{

Label SplashCompleteLabel()
{
    static Label const label = Label::GetUniqueString("SplashComplete");
    return label;
}

} // namespace

void ResourceLoadTask::Execute(IResourceLoadProgress* progress)
{
    GetResourceManager()->Load(mManifest.c_str(), progress, true);
}

LoadingMode::LoadingMode()
    : mBody(this), mThread(nullptr), mMutex(nullptr), mAbortRequested(false), mFailed(false), mCurrentProgress(0.0f),
      mCurrentWeight(0.0f), mCompleted(0.0f), mMeter(kInvalidObjectID), mText(kInvalidObjectID),
      mQuitHandlerAdded(false)
{
}

LoadingMode::~LoadingMode()
{
    StopThread();
    if (mQuitHandlerAdded)
        MainLoop::RemoveQuitHandler(this);
    delete mMutex;
    mMutex = nullptr;
    for (sTaskEntry& entry : mTasks)
        delete entry.task;
}

void LoadingMode::AddLoadingTask(ILoadingTask* task, unsigned long long weight)
{
    if (!task)
        return;
    if (mThread)
    {
        // The thread reads the task list without a lock.
        Internal::LogWrite("LoadingMode: a loading task added while loading runs is ignored.\n");
        delete task;
        return;
    }
    mTasks.push_back(sTaskEntry{task, weight, 0});
}

float LoadingMode::GetPercentageComplete() const
{
    ScopedLock lock(mMutex);
    return std::min(100.0f, (mCompleted + mCurrentProgress * mCurrentWeight) * 100.0f);
}

bool LoadingMode::AreSplashScreensComplete() const
{
    auto const found = CuePoint::gmCuePoints.find(SplashCompleteLabel());
    return found == CuePoint::gmCuePoints.end() || found->second->CanPass();
}

void LoadingMode::Setup()
{
    MainLoop::AddQuitHandler(this);
    mQuitHandlerAdded = true;
    GetResourceManager()->Load(L"Loading", nullptr, true);
    if (Layout* layout = AutoResource<Layout>("LoadingMode").Get())
        layout->Load(Label());
    CycleSplashScreens();
    OnBeforeLoad();
    mMutex = CreateMutex();
    mThread = CreateThread(&mBody, kThreadFlags_StartImmediately);
}

void LoadingMode::CycleSplashScreens()
{
    ImageSpriteObject* a = AutoObject<ImageSpriteObject>(Label::GetUniqueString("Splash1")).Get();
    ImageSpriteObject* b = AutoObject<ImageSpriteObject>(Label::GetUniqueString("Splash2")).Get();
    if (!a || !b)
        return;
    a->SetAlpha(1.0f);
    b->SetAlpha(0.0f);

    for (int n = 1;; ++n)
    {
        IImage* const image = AutoResource<IImage>(Label::FromStringF("Splash%d", n)).Get();
        if (!image)
            break;
        a->AddTask(new SetImageTask(image));
        a->AddTask(new AlphaTask(1.0f, 1.0f));
        a->AddTask(new TimedTask(1.5f));
        b->AddTask(new AlphaTask(0.0f, 1.0f));
        b->AddTask(new TimedTask(1.5f));
        std::swap(a, b);
    }
    a->AddTask(new CuePointTask(SplashCompleteLabel()));
    a->AddTask(new AlphaTask(0.0f, 0.5f));
    b->AddTask(new AlphaTask(0.0f, 0.5f));

    char const* const shownAfterSplash[] = {"LoadingBackground", "LoadingEmpty", "LoadingFull", "LoadingText"};
    for (char const* name : shownAfterSplash)
    {
        Object* const object = AutoObject<Object>(Label::GetUniqueString(name)).Get();
        if (!object)
            continue;
        if (IVisible* visible = dynamic_cast<IVisible*>(object))
            visible->SetVisible(false);
        object->AddTask(new CuePointTask(SplashCompleteLabel()));
        object->AddTask(new VisibleTask(true));
        if (dynamic_cast<ImageSpriteObject*>(object) && std::string(name) == "LoadingFull")
            mMeter = object->GetID();
        if (dynamic_cast<TextSpriteObject*>(object) && std::string(name) == "LoadingText")
            mText = object->GetID();
    }
}

void LoadingMode::Execute()
{
    RunTasks();
}

void LoadingMode::RunTasks()
{
    unsigned long long total = 0;
    for (sTaskEntry const& entry : mTasks)
        total += entry.weight;

    for (std::size_t i = 0; i < mTasks.size(); ++i)
    {
        sTaskEntry& entry = mTasks[i];
        {
            ScopedLock lock(mMutex);
            mCurrentProgress = 0.0f;
            // Weights that sum to nothing share the progress equally.
            mCurrentWeight = total > 0 ? float(double(entry.weight) / double(total)) : 1.0f / float(mTasks.size());
        }
        uint64_t const start = GetTimeUS();
        try
        {
            entry.task->Execute(&mBody);
        }
        catch (RuntimeError const& error)
        {
            Internal::LogWrite("LoadingMode: loading task %d failed; loading ends here.\n", int(i));
            LogRuntimeError(error);
            mFailed = true;
        }
        catch (std::exception const& error)
        {
            Internal::LogWrite("LoadingMode: loading task %d failed; loading ends here.\n%s\n\tMessage:\t%s\n",
                               int(i), typeid(error).name(), error.what());
            mFailed = true;
        }
        catch (...)
        {
            Internal::LogWrite("LoadingMode: loading task %d failed with an unknown exception; loading ends here.\n",
                               int(i));
            mFailed = true;
        }
        entry.time = GetTimeUS() - start;
        {
            ScopedLock lock(mMutex);
            mCompleted += mCurrentWeight;
            mCurrentProgress = 0.0f;
            mCurrentWeight = 0.0f;
        }
        if (mFailed)
            return;
    }
    if (!mAbortRequested)
    {
        ScopedLock lock(mMutex);
        mCompleted = 1.0f;
    }
}

void LoadingMode::OnProgress(float fraction)
{
    SetCurrentProgress(fraction);
}

void LoadingMode::SetCurrentProgress(float fraction)
{
    ScopedLock lock(mMutex);
    mCurrentProgress = std::max(0.0f, std::min(1.0f, fraction));
}

bool LoadingMode::ShouldAbort()
{
    return mAbortRequested;
}

bool LoadingMode::AllowQuit()
{
    if (!mThread)
        return true;
    mAbortRequested = true;
    return false;
}

void LoadingMode::UpdateProgressDisplay()
{
    float const percentage = GetPercentageComplete();
    if (TextSpriteObject* text = dynamic_cast<TextSpriteObject*>(ObjectDatabase::GetObject(mText)))
        text->SetText(StringFormatter(L"%1:.0%%%").Arg(percentage).c_str());
    if (ImageSpriteObject* meter = dynamic_cast<ImageSpriteObject*>(ObjectDatabase::GetObject(mMeter)))
    {
        if (IImage const* image = meter->GetImage())
        {
            meter->SetSourceRect(
                Rect<int>(0, 0, int(float(image->GetWidth()) * percentage / 100.0f), image->GetHeight()));
            meter->EnableSourceRect(true);
        }
    }
}

void LoadingMode::Update(float dt)
{
    ApplicationMode::Update(dt);
    UpdateProgressDisplay();

    if (!mThread || mThread->GetState() != kThreadState_Finished)
        return;
    if (!AreSplashScreensComplete() && !mAbortRequested)
        return;

    Internal::LogWrite("LoadingMode Actual Load Times: \n");
    for (std::size_t i = 0; i < mTasks.size(); ++i)
        Internal::LogWrite("\tTask %d - %d\n", int(i), int(mTasks[i].time));
    delete mThread;
    mThread = nullptr;

    if (mAbortRequested)
        MainLoop::Exit();
    else
        OnAfterLoad();
}

void LoadingMode::Draw()
{
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.color = ColorF(0.0f, 0.0f, 0.0f, 1.0f);
    Graphics::ICanvas* const canvas = Graphics::GetCanvas();
    if (canvas)
        Graphics::DrawFilledRect(canvas->GetBounds(), state, canvas);
    ApplicationMode::Draw();
}

void LoadingMode::StopThread()
{
    if (!mThread)
        return;
    mAbortRequested = true;
    mThread->WaitUntilFinished();
    delete mThread;
    mThread = nullptr;
}

void LoadingMode::Destroy()
{
    StopThread();
    delete mMutex;
    mMutex = nullptr;
    GetResourceManager()->Unload(L"Loading");
    MainLoop::RemoveQuitHandler(this);
    mQuitHandlerAdded = false;
}

} // namespace Corvane
