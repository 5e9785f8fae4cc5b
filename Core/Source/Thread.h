#pragma once

#include <cstdint>

namespace Corvane
{
    enum eThreadState
    {
        kThreadState_NotStarted = 0,
        kThreadState_Running = 1,
        kThreadState_Finished = 2
    };

    enum eThreadFlags
    {
        kThreadFlags_None = 0,
        kThreadFlags_StartImmediately = 1
    };

    // Durations in milliseconds; this one means "wait forever".
    constexpr uint32_t kWaitForever = 0x7FFFFFFF;

    // A recursive lock: the holding thread may lock again, each Lock needs its own Unlock.
    class IMutex
    {
    public:
        virtual ~IMutex() {}
        virtual void Lock() = 0;
        virtual void Unlock() = 0;
    };

    // The work a thread runs.
    class IEntryPoint
    {
    public:
        virtual ~IEntryPoint() {}
        virtual void Execute() = 0;
    };

    class IThread
    {
    public:
        virtual ~IThread() {}
        // 0 until the thread is started.
        virtual uint32_t GetThreadID() const = 0;
        // Does nothing unless the thread has never been started.
        virtual void Start() = 0;
        virtual void WaitUntilFinished() = 0;
        // Returns after the thread ends or after the timeout; GetState tells which.
        virtual void WaitUntilFinished(uint32_t milliseconds) = 0;
        // Polls for the end of the thread without waiting.
        virtual eThreadState GetState() = 0;
    };

    // An auto-reset event: any number of Signal calls before a Wait release exactly one Wait.
    class IThreadSignal
    {
    public:
        virtual ~IThreadSignal() {}
        virtual void Signal() = 0;
        virtual void Wait() = 0;
        // True when the signal was taken (and consumed); never blocks.
        virtual bool TryWait() = 0;
    };

    // The caller owns each returned object. The entry point is not owned by the thread.
    IMutex* CreateMutex();
    IThread* CreateThread(IEntryPoint* entryPoint, uint32_t flags);
    IThreadSignal* CreateThreadSignal();

    // Comparable with IThread::GetThreadID.
    uint32_t GetCurrentThreadID();
    void Sleep(uint32_t milliseconds);

    // Holds a mutex for the lifetime of the scope.
    class ScopedLock
    {
    public:
        explicit ScopedLock(IMutex* mutex) : mMutex(mutex) { if (mMutex) mMutex->Lock(); }
        explicit ScopedLock(IMutex& mutex) : mMutex(&mutex) { mMutex->Lock(); }
        ~ScopedLock();
        ScopedLock(ScopedLock const&) = delete;
        ScopedLock& operator=(ScopedLock const&) = delete;

    private:
        IMutex* mMutex;
    };
}
