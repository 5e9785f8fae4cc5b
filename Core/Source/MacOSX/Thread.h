#pragma once

#include "Core/Source/Thread.h"

#include <memory>
#include <pthread.h>

namespace MacOSX
{
    // A recursive critical region over a POSIX mutex.
    class Mutex : public Corvane::IMutex
    {
    public:
        Mutex();
        ~Mutex() override;
        Mutex(Mutex const&) = delete;
        Mutex& operator=(Mutex const&) = delete;

        void Lock() override;
        void Unlock() override;

    private:
        pthread_mutex_t mRegion;
    };

    // Where a running thread posts its end; shared with the thread itself so that deleting
    // the Thread object before the thread ends never leaves it writing to freed memory.
    struct TerminationQueue;

    class Thread : public Corvane::IThread
    {
    public:
        explicit Thread(Corvane::IEntryPoint* entryPoint);
        ~Thread() override;
        Thread(Thread const&) = delete;
        Thread& operator=(Thread const&) = delete;

        uint32_t GetThreadID() const override;
        void Start() override;
        void WaitUntilFinished() override;
        void WaitUntilFinished(uint32_t milliseconds) override;
        Corvane::eThreadState GetState() override;

        // The stack every thread gets.
        static constexpr size_t kStackSize = 0x80000;

    private:
        Corvane::IEntryPoint* mEntryPoint;
        Corvane::eThreadState mState;
        uint32_t mTaskID;
        std::shared_ptr<TerminationQueue> mTerminationQueue;
    };

    // An auto-reset event: a binary semaphore of maximum count 1, initially clear.
    class ThreadSignal : public Corvane::IThreadSignal
    {
    public:
        ThreadSignal();
        ~ThreadSignal() override;
        ThreadSignal(ThreadSignal const&) = delete;
        ThreadSignal& operator=(ThreadSignal const&) = delete;

        void Signal() override;
        void Wait() override;
        bool TryWait() override;

    private:
        pthread_mutex_t mMutex;
        pthread_cond_t mCondition;
        bool mSignalled;
    };
}
