#ifndef CORVANE_PLATFORM_MACOSX_TERMINATIONSIGNALS_H
#define CORVANE_PLATFORM_MACOSX_TERMINATIONSIGNALS_H

// The desktop's requests to end the program (SIGTERM from a session ending or
// a service manager, SIGINT from a terminal, SIGHUP from a closed terminal).
// They bypass the quit handlers that a menu quit asks: the loop ends and the
// engine tears down as after a normal quit, saving what a normal quit saves.

namespace MacOSX
{

// Catches the three signals once for the process; a second signal of a kind
// ends the program at once, should the first not have been heard.
void InstallTerminationHandlers();
// True once one of the signals has arrived.
bool IsTerminationRequested();

namespace Internal
{
// Forgets an arrived signal and catches the kinds again (tests).
void ResetTerminationRequest();
} // namespace Internal

} // namespace MacOSX

#endif
