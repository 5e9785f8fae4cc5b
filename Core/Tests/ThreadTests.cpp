#include "Core/Source/Thread.h"
#include "Core/Source/MacOSX/MacOSXError.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <pthread.h>
#include <stdexcept>
#include <string>

using namespace Corvane;

namespace
{
    // Runs until released through its signal, recording what it saw.
    class GatedWork : public IEntryPoint
    {
    public:
        GatedWork() : gate(CreateThreadSignal()) {}

        void Execute() override
        {
            ++runs;
            threadID = GetCurrentThreadID();
            gate->Wait();
            if (done)
                done->Signal();
        }

        std::unique_ptr<IThreadSignal> gate;
        std::atomic<int> runs{0};
        std::atomic<uint32_t> threadID{0};
        // Told when the work is over, for tests that cannot ask the thread object.
        IThreadSignal* done = nullptr;
    };

    class CountingWork : public IEntryPoint
    {
    public:
        void Execute() override { ++runs; }
        std::atomic<int> runs{0};
    };

    class ThrowingWork : public IEntryPoint
    {
    public:
        void Execute() override { throw std::runtime_error("descarga fallida"); }
    };

    class LockingWork : public IEntryPoint
    {
    public:
        explicit LockingWork(IMutex* m) : mutex(m) {}
        void Execute() override
        {
            ScopedLock lock(mutex);
            acquired = true;
        }
        IMutex* mutex;
        std::atomic<bool> acquired{false};
    };

    class StackSizeWork : public IEntryPoint
    {
    public:
        void Execute() override
        {
            pthread_attr_t attributes;
            if (pthread_getattr_np(pthread_self(), &attributes) == 0)
            {
                pthread_attr_getstacksize(&attributes, &stackSize);
                pthread_attr_destroy(&attributes);
            }
        }
        size_t stackSize = 0;
    };

    class ThrowingUnlockMutex : public IMutex
    {
    public:
        void Lock() override { ++locks; }
        void Unlock() override { throw MacOSX::MacOSXError(1, "Could not exit a critical region.", __FILE__, __LINE__, __PRETTY_FUNCTION__); }
        int locks = 0;
    };

    double MillisecondsSince(std::chrono::steady_clock::time_point start)
    {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }

    // Polls the way the loading mode does, with a bound so that a broken end never hangs the test.
    eThreadState PollUntilFinished(IThread& thread)
    {
        for (int i = 0; i < 2000 && thread.GetState() == kThreadState_Running; ++i)
            Sleep(1);
        return thread.GetState();
    }
}

// ---- Mutex ----

TEST(Mutex, IsRecursiveAndReleasedOnlyByTheLastUnlock)
{
    std::unique_ptr<IMutex> mutex(CreateMutex());
    mutex->Lock();
    mutex->Lock();
    mutex->Unlock();

    LockingWork work(mutex.get());
    std::unique_ptr<IThread> thread(CreateThread(&work, kThreadFlags_StartImmediately));
    thread->WaitUntilFinished(20);
    EXPECT_EQ(kThreadState_Running, thread->GetState());
    EXPECT_FALSE(work.acquired);

    mutex->Unlock();
    thread->WaitUntilFinished();
    EXPECT_EQ(kThreadState_Finished, thread->GetState());
    EXPECT_TRUE(work.acquired);
}

TEST(Mutex, UnlockWithoutLockThrowsWithItsMessage)
{
#if defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the thread sanitizer reports the deliberate misuse as an error";
#endif
    std::unique_ptr<IMutex> mutex(CreateMutex());
    try
    {
        mutex->Unlock();
        FAIL() << "unlocking a free mutex must fail";
    }
    catch (MacOSX::MacOSXError const& error)
    {
        EXPECT_NE(0, error.GetStatus());
        EXPECT_EQ(0u, std::string(error.what()).find("Could not exit a critical region. (Mac OS X Error "));
    }
    // The failure leaves the mutex usable.
    mutex->Lock();
    mutex->Unlock();
}

TEST(Mutex, DestroyingAHeldMutexLogsInsteadOfThrowing)
{
#if defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the thread sanitizer reports the deliberate misuse as an error";
#endif
    IMutex* mutex = CreateMutex();
    mutex->Lock();
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW(delete mutex);
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, log.find("Could not delete a critical region."));
}

TEST(ScopedLock, HoldsForTheScopeOnly)
{
    std::unique_ptr<IMutex> mutex(CreateMutex());
    LockingWork work(mutex.get());
    std::unique_ptr<IThread> thread(CreateThread(&work, kThreadFlags_None));
    {
        ScopedLock lock(mutex.get());
        thread->Start();
        thread->WaitUntilFinished(10);
        EXPECT_FALSE(work.acquired);
    }
    thread->WaitUntilFinished();
    EXPECT_TRUE(work.acquired);
}

TEST(ScopedLock, AFailingUnlockIsLoggedNotThrown)
{
    ThrowingUnlockMutex mutex;
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW({ ScopedLock lock(&mutex); });
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(1, mutex.locks);
    EXPECT_NE(std::string::npos, log.find("Could not exit a critical region."));
}

TEST(ScopedLock, NullMutexIsIgnored)
{
    EXPECT_NO_THROW({ ScopedLock lock(static_cast<IMutex*>(nullptr)); });
}

// ---- ThreadSignal ----

TEST(ThreadSignal, FreshSignalIsNotSet)
{
    std::unique_ptr<IThreadSignal> signal(CreateThreadSignal());
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(signal->TryWait());
    EXPECT_LT(MillisecondsSince(start), 50.0);
}

TEST(ThreadSignal, ManySignalsReleaseOneWait)
{
    std::unique_ptr<IThreadSignal> signal(CreateThreadSignal());
    signal->Signal();
    signal->Signal();
    signal->Signal();
    signal->Wait();
    EXPECT_FALSE(signal->TryWait());
}

TEST(ThreadSignal, TryWaitConsumesTheSignal)
{
    std::unique_ptr<IThreadSignal> signal(CreateThreadSignal());
    signal->Signal();
    EXPECT_TRUE(signal->TryWait());
    EXPECT_FALSE(signal->TryWait());
}

TEST(ThreadSignal, WakesAWaitOnAnotherThread)
{
    GatedWork work;
    std::unique_ptr<IThread> thread(CreateThread(&work, kThreadFlags_StartImmediately));
    thread->WaitUntilFinished(5);
    EXPECT_EQ(kThreadState_Running, thread->GetState());
    work.gate->Signal();
    thread->WaitUntilFinished();
    EXPECT_EQ(kThreadState_Finished, thread->GetState());
}

// ---- Thread ----

TEST(Thread, CreatedStoppedHasNoIDUntilStarted)
{
    CountingWork work;
    std::unique_ptr<IThread> thread(CreateThread(&work, kThreadFlags_None));
    EXPECT_EQ(kThreadState_NotStarted, thread->GetState());
    EXPECT_EQ(0u, thread->GetThreadID());
    // Waiting on a thread that never started returns at once.
    thread->WaitUntilFinished();
    EXPECT_EQ(kThreadState_NotStarted, thread->GetState());
    EXPECT_EQ(0, work.runs);

    thread->Start();
    EXPECT_NE(0u, thread->GetThreadID());
    EXPECT_EQ(kThreadState_Finished, PollUntilFinished(*thread));
    EXPECT_EQ(1, work.runs);
}

TEST(Thread, StartOnARunningOrFinishedThreadDoesNothing)
{
    GatedWork work;
    std::unique_ptr<IThread> thread(CreateThread(&work, kThreadFlags_StartImmediately));
    uint32_t id = thread->GetThreadID();
    thread->Start();
    EXPECT_EQ(id, thread->GetThreadID());

    work.gate->Signal();
    thread->WaitUntilFinished();
    thread->Start();
    EXPECT_EQ(kThreadState_Finished, thread->GetState());
    EXPECT_EQ(id, thread->GetThreadID());
    Sleep(2);
    EXPECT_EQ(1, work.runs);
}

TEST(Thread, TimedWaitOnALongThreadReturnsWithStateRunning)
{
    GatedWork work;
    std::unique_ptr<IThread> thread(CreateThread(&work, kThreadFlags_StartImmediately));
    auto start = std::chrono::steady_clock::now();
    thread->WaitUntilFinished(10);
    double elapsed = MillisecondsSince(start);
    EXPECT_GE(elapsed, 9.0);
    EXPECT_LT(elapsed, 500.0);
    EXPECT_EQ(kThreadState_Running, thread->GetState());

    work.gate->Signal();
    thread->WaitUntilFinished();
    EXPECT_EQ(kThreadState_Finished, thread->GetState());
    // A second wait after the end returns at once.
    start = std::chrono::steady_clock::now();
    thread->WaitUntilFinished();
    EXPECT_LT(MillisecondsSince(start), 50.0);
    EXPECT_EQ(kThreadState_Finished, thread->GetState());
}

TEST(Thread, CurrentThreadIDInsideMatchesGetThreadID)
{
    GatedWork work;
    std::unique_ptr<IThread> thread(CreateThread(&work, kThreadFlags_StartImmediately));
    work.gate->Signal();
    thread->WaitUntilFinished();
    EXPECT_EQ(thread->GetThreadID(), work.threadID.load());
    EXPECT_NE(GetCurrentThreadID(), thread->GetThreadID());
    EXPECT_EQ(GetCurrentThreadID(), GetCurrentThreadID());
}

TEST(Thread, TwoThreadsHaveDifferentIDs)
{
    CountingWork work;
    std::unique_ptr<IThread> a(CreateThread(&work, kThreadFlags_StartImmediately));
    std::unique_ptr<IThread> b(CreateThread(&work, kThreadFlags_StartImmediately));
    a->WaitUntilFinished();
    b->WaitUntilFinished();
    EXPECT_NE(a->GetThreadID(), b->GetThreadID());
    EXPECT_EQ(2, work.runs);
}

TEST(Thread, RunsOnAStackOf512KB)
{
    StackSizeWork work;
    std::unique_ptr<IThread> thread(CreateThread(&work, kThreadFlags_StartImmediately));
    thread->WaitUntilFinished();
    // Sanitizers add room of their own; the default stack would be several megabytes.
    EXPECT_GE(work.stackSize, size_t(0x80000));
    EXPECT_LT(work.stackSize, size_t(0x100000));
}

TEST(Thread, WithoutEntryPointEndsAtOnce)
{
    std::unique_ptr<IThread> thread(CreateThread(nullptr, kThreadFlags_StartImmediately));
    EXPECT_EQ(kThreadState_Finished, PollUntilFinished(*thread));
}

TEST(Thread, AnExceptionInTheWorkIsLoggedAndEndsTheThread)
{
    ThrowingWork work;
    testing::internal::CaptureStderr();
    std::unique_ptr<IThread> thread(CreateThread(&work, kThreadFlags_StartImmediately));
    thread->WaitUntilFinished();
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(kThreadState_Finished, thread->GetState());
    EXPECT_NE(std::string::npos, log.find("descarga fallida"));
}

TEST(Thread, DeletingTheObjectBeforeTheEndIsSafe)
{
    GatedWork work;
    std::unique_ptr<IThreadSignal> done(CreateThreadSignal());
    work.done = done.get();
    IThread* thread = CreateThread(&work, kThreadFlags_StartImmediately);
    delete thread;
    // The thread posts its end after the object is gone; nothing may touch freed memory.
    work.gate->Signal();
    done->Wait();
    EXPECT_EQ(1, work.runs);
    Sleep(2);
}

TEST(Sleep, BlocksAtLeastTheDuration)
{
    auto start = std::chrono::steady_clock::now();
    Sleep(5);
    EXPECT_GE(MillisecondsSince(start), 4.9);
    start = std::chrono::steady_clock::now();
    Sleep(0);
    EXPECT_LT(MillisecondsSince(start), 50.0);
}
