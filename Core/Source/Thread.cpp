#include "Core/Source/Thread.h"

namespace Corvane
{
    ScopedLock::~ScopedLock()
    {
        if (mMutex)
            mMutex->Unlock();
    }
}
