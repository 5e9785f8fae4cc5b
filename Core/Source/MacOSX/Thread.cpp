#include "Core/Source/MacOSX/Thread.h"

#include "Core/Source/MacOSX/MacOSXError.h"
#include "Core/Source/Log.h"

#include <atomic>
#include <cerrno>
#include <ctime>
#include <exception>
#include <new>

namespace
{
    // Durations at or above this value wait forever.
    constexpr uint32_t kForever = Corvane::kWaitForever;

    // Thread identifiers are handed out from one counter so that a new thread's identifier is
    // known as soon as it is started, and 0 can mean "not started".
    std::atomic<uint32_t> gNextThreadID{1};
    thread_local uint32_t tCurrentThreadID = 0;

    uint32_t NewThreadID()
    {
        uint32_t id = gNextThreadID.fetch_add(1);
        if (id == 0)
            id = gNextThreadID.fetch_add(1);
        return id;
    }

    timespec DeadlineAfter(uint32_t milliseconds)
    {
        timespec deadline;
        clock_gettime(CLOCK_MONOTONIC, &deadline);
        deadline.tv_sec += milliseconds / 1000;
        deadline.tv_nsec += static_cast<long>(milliseconds % 1000) * 1000000L;
        if (deadline.tv_nsec >= 1000000000L)
        {
            deadline.tv_sec += 1;
            deadline.tv_nsec -= 1000000000L;
        }
        return deadline;
    }

    // A condition variable that times out against the monotonic clock, so that a change of
    // the wall clock neither shortens nor stretches a timed wait.
    int InitMonotonicCondition(pthread_cond_t* condition)
    {
        pthread_condattr_t attributes;
        int status = pthread_condattr_init(&attributes);
        if (status != 0)
            return status;
        status = pthread_condattr_setclock(&attributes, CLOCK_MONOTONIC);
        if (status == 0)
            status = pthread_cond_init(condition, &attributes);
        pthread_condattr_destroy(&attributes);
        return status;
    }
}

namespace MacOSX
{
    struct TerminationQueue
    {
        pthread_mutex_t mutex;
        pthread_cond_t posted;
        // 0 when the mutex and condition were made; otherwise why they were not.
        int status = 0;
        bool finished = false;
        Corvane::IEntryPoint* entryPoint = nullptr;
        uint32_t taskID = 0;

        TerminationQueue()
        {
            status = pthread_mutex_init(&mutex, nullptr);
            if (status != 0)
                return;
            status = InitMonotonicCondition(&posted);
            if (status != 0)
                pthread_mutex_destroy(&mutex);
        }

        ~TerminationQueue()
        {
            if (status != 0)
                return;
            int result = pthread_cond_destroy(&posted);
            int mutexResult = pthread_mutex_destroy(&mutex);
            if (result == 0)
                result = mutexResult;
            if (result != 0)
                Corvane::Internal::LogWrite("Could not delete a thread message queue. (error %d)\n", result);
        }

        TerminationQueue(TerminationQueue const&) = delete;
        TerminationQueue& operator=(TerminationQueue const&) = delete;
    };
}

namespace
{
    struct ThreadStart
    {
        std::shared_ptr<MacOSX::TerminationQueue> queue;
    };

    void* ThreadEntry(void* parameter)
    {
        ThreadStart* start = static_cast<ThreadStart*>(parameter);
        std::shared_ptr<MacOSX::TerminationQueue> queue = std::move(start->queue);
        delete start;

        tCurrentThreadID = queue->taskID;
        if (queue->entryPoint)
        {
            // An exception leaving a thread would end the whole program; the job reports its
            // failures through its own error status, so log this one and end the thread normally.
            try
            {
                queue->entryPoint->Execute();
            }
            catch (std::exception const& error)
            {
                Corvane::Internal::LogWrite("A thread ended with an uncaught exception: %s\n", error.what());
            }
            catch (...)
            {
                Corvane::Internal::LogWrite("A thread ended with an uncaught exception.\n");
            }
        }

        pthread_mutex_lock(&queue->mutex);
        queue->finished = true;
        pthread_cond_broadcast(&queue->posted);
        pthread_mutex_unlock(&queue->mutex);
        return nullptr;
    }
}

namespace MacOSX
{
    // ---- Mutex ----

    Mutex::Mutex()
    {
        pthread_mutexattr_t attributes;
        int status = pthread_mutexattr_init(&attributes);
        if (status == 0)
        {
            status = pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
            if (status == 0)
                status = pthread_mutex_init(&mRegion, &attributes);
            pthread_mutexattr_destroy(&attributes);
        }
        if (status != 0)
            MACOSX_THROW(status, "Could not create a critical region.");
    }

    Mutex::~Mutex()
    {
        int status = pthread_mutex_destroy(&mRegion);
        if (status != 0)
            Corvane::Internal::LogWrite("Could not delete a critical region. (error %d)\n", status);
    }

    void Mutex::Lock()
    {
        int status = pthread_mutex_lock(&mRegion);
        if (status != 0)
            MACOSX_THROW(status, "Could not enter a critical region.");
    }

    void Mutex::Unlock()
    {
        int status = pthread_mutex_unlock(&mRegion);
        if (status != 0)
            MACOSX_THROW(status, "Could not exit a critical region.");
    }

    // ---- Thread ----

    Thread::Thread(Corvane::IEntryPoint* entryPoint)
        : mEntryPoint(entryPoint), mState(Corvane::kThreadState_NotStarted), mTaskID(0)
    {
    }

    Thread::~Thread()
    {
        // The queue is shared with the running thread, which releases its own reference when
        // it ends; nothing here waits for it.
    }

    uint32_t Thread::GetThreadID() const
    {
        return mTaskID;
    }

    void Thread::Start()
    {
        if (mState != Corvane::kThreadState_NotStarted)
            return;
        mState = Corvane::kThreadState_Running;

        std::shared_ptr<TerminationQueue> queue;
        try
        {
            queue = std::make_shared<TerminationQueue>();
        }
        catch (std::bad_alloc const&)
        {
            mState = Corvane::kThreadState_Finished;
            MACOSX_THROW(ENOMEM, "Could not create a thread message queue.");
        }
        if (queue->status != 0)
        {
            mState = Corvane::kThreadState_Finished;
            MACOSX_THROW(queue->status, "Could not create a thread message queue.");
        }
        queue->entryPoint = mEntryPoint;
        queue->taskID = NewThreadID();

        ThreadStart* start = new (std::nothrow) ThreadStart{queue};
        int status = start ? 0 : ENOMEM;
        pthread_attr_t attributes;
        if (status == 0)
            status = pthread_attr_init(&attributes);
        if (status == 0)
        {
            pthread_attr_setstacksize(&attributes, kStackSize);
            pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
            pthread_t handle;
            status = pthread_create(&handle, &attributes, ThreadEntry, start);
            pthread_attr_destroy(&attributes);
        }
        if (status != 0)
        {
            delete start;
            mState = Corvane::kThreadState_Finished;
            MACOSX_THROW(status, "Could not create a thread.");
        }
        mTaskID = queue->taskID;
        mTerminationQueue = queue;
    }

    Corvane::eThreadState Thread::GetState()
    {
        if (mState == Corvane::kThreadState_Running)
        {
            TerminationQueue& queue = *mTerminationQueue;
            int status = pthread_mutex_lock(&queue.mutex);
            if (status != 0)
                MACOSX_THROW(status, "An immediate wait on a thread message queue failed.");
            bool finished = queue.finished;
            pthread_mutex_unlock(&queue.mutex);
            if (finished)
                mState = Corvane::kThreadState_Finished;
        }
        return mState;
    }

    void Thread::WaitUntilFinished()
    {
        WaitUntilFinished(kForever);
    }

    void Thread::WaitUntilFinished(uint32_t milliseconds)
    {
        if (mState != Corvane::kThreadState_Running)
            return;

        TerminationQueue& queue = *mTerminationQueue;
        timespec deadline = DeadlineAfter(milliseconds >= kForever ? 0 : milliseconds);
        int status = pthread_mutex_lock(&queue.mutex);
        while (status == 0 && !queue.finished)
        {
            if (milliseconds >= kForever)
                status = pthread_cond_wait(&queue.posted, &queue.mutex);
            else
                status = pthread_cond_timedwait(&queue.posted, &queue.mutex, &deadline);
        }
        bool finished = queue.finished;
        if (status == 0 || status == ETIMEDOUT)
            pthread_mutex_unlock(&queue.mutex);

        if (finished)
            mState = Corvane::kThreadState_Finished;
        else if (status != ETIMEDOUT)
            MACOSX_THROW(status, "A timed wait on a thread message queue failed.");
    }

    // ---- ThreadSignal ----

    ThreadSignal::ThreadSignal()
        : mSignalled(false)
    {
        int status = pthread_mutex_init(&mMutex, nullptr);
        if (status != 0)
            MACOSX_THROW(status, "Could not create a semaphore.");
        status = InitMonotonicCondition(&mCondition);
        if (status != 0)
        {
            pthread_mutex_destroy(&mMutex);
            MACOSX_THROW(status, "Could not create a semaphore.");
        }
    }

    ThreadSignal::~ThreadSignal()
    {
        int status = pthread_cond_destroy(&mCondition);
        int mutexStatus = pthread_mutex_destroy(&mMutex);
        if (status == 0)
            status = mutexStatus;
        if (status != 0)
            Corvane::Internal::LogWrite("Could not delete a semaphore. (error %d)\n", status);
    }

    void ThreadSignal::Signal()
    {
        int status = pthread_mutex_lock(&mMutex);
        if (status != 0)
            MACOSX_THROW(status, "Could not signal a semaphore.");
        // Signalling an already signalled semaphore changes nothing: one Wait goes through.
        mSignalled = true;
        pthread_cond_signal(&mCondition);
        pthread_mutex_unlock(&mMutex);
    }

    void ThreadSignal::Wait()
    {
        int status = pthread_mutex_lock(&mMutex);
        while (status == 0 && !mSignalled)
            status = pthread_cond_wait(&mCondition, &mMutex);
        if (status != 0)
            MACOSX_THROW(status, "An infinite wait on a semaphore failed.");
        mSignalled = false;
        pthread_mutex_unlock(&mMutex);
    }

    bool ThreadSignal::TryWait()
    {
        int status = pthread_mutex_lock(&mMutex);
        if (status != 0)
            MACOSX_THROW(status, "An timed wait on a semaphore failed.");
        bool taken = mSignalled;
        mSignalled = false;
        pthread_mutex_unlock(&mMutex);
        return taken;
    }
}

namespace Corvane
{
    IMutex* CreateMutex()
    {
        return new MacOSX::Mutex();
    }

    IThread* CreateThread(IEntryPoint* entryPoint, uint32_t flags)
    {
        std::unique_ptr<MacOSX::Thread> thread(new MacOSX::Thread(entryPoint));
        if (flags & kThreadFlags_StartImmediately)
            thread->Start();
        return thread.release();
    }

    IThreadSignal* CreateThreadSignal()
    {
        return new MacOSX::ThreadSignal();
    }

    uint32_t GetCurrentThreadID()
    {
        // The main thread and threads made elsewhere get an identifier on first request.
        if (tCurrentThreadID == 0)
            tCurrentThreadID = NewThreadID();
        return tCurrentThreadID;
    }

    void Sleep(uint32_t milliseconds)
    {
        timespec deadline = DeadlineAfter(milliseconds);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR)
        {
        }
    }

    ScopedLock::~ScopedLock()
    {
        if (mMutex == nullptr)
            return;
        // A destructor must not throw, least of all while another exception unwinds.
        try
        {
            mMutex->Unlock();
        }
        catch (std::exception const& error)
        {
            Internal::LogWrite("Could not release a lock: %s\n", error.what());
        }
        catch (...)
        {
            Internal::LogWrite("Could not release a lock.\n");
        }
    }
}
