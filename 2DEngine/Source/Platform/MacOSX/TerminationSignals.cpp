#include "2DEngine/Source/Platform/MacOSX/TerminationSignals.h"

#include <csignal>
#include <initializer_list>

#include "2DEngine/Source/Platform/MacOSX/MessageBoxHelper.h"

namespace MacOSX
{

namespace
{

volatile std::sig_atomic_t gTerminationRequested = 0;
bool gInstalled = false;

extern "C" void OnTerminationSignal(int)
{
    gTerminationRequested = 1;
    // A message box holds the main thread until its helper ends: end it, so that the loop sees the request.
    Internal::EndMessageBoxHelper();
}

void CatchSignals()
{
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    // The handler is reset on delivery, so a second signal ends a program that hangs.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    for (int const kind : {SIGTERM, SIGINT, SIGHUP})
        sigaction(kind, &action, nullptr);
}

} // namespace

void InstallTerminationHandlers()
{
    if (gInstalled)
        return;
    gInstalled = true;
    CatchSignals();
}

bool IsTerminationRequested()
{
    return gTerminationRequested != 0;
}

namespace Internal
{
void ResetTerminationRequest()
{
    gTerminationRequested = 0;
    gInstalled = true;
    CatchSignals();
}
} // namespace Internal

} // namespace MacOSX
