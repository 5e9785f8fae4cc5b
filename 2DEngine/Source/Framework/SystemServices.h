#ifndef CORVANE_FRAMEWORK_SYSTEMSERVICES_H
#define CORVANE_FRAMEWORK_SYSTEMSERVICES_H

// The engine clock, sleeping and the process's command line. They go through
// one replaceable ISystemServices so that the main loop's timing can be driven
// by a test clock.

#include <cstdint>
#include <string>

namespace Corvane
{

class ISystemServices
{
public:
    virtual ~ISystemServices() {}
    // Microseconds of a monotonic clock.
    virtual uint64_t GetTimeUS() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
    // The process's arguments after the program name, separated by single spaces.
    virtual std::wstring GetCommandLine() = 0;
};

// Microseconds since system start-up.
uint64_t GetTimeUS();
// GetTimeUS() / 1000 as a 32-bit count that wraps.
uint32_t GetTimeMS();
// The double-click interval in milliseconds.
uint32_t GetDoubleClickTime();
// The command line as wide text; the window looks in it for "-software".
std::wstring GetCommandLine();

namespace Internal
{
// The services in use: the system's unless a replacement is installed.
ISystemServices& GetSystemServices();
// Installs a replacement (not owned); null goes back to the system's. Returns
// the replacement that was installed before, or null.
ISystemServices* SetSystemServices(ISystemServices* services);

// Records the process's arguments. The system services capture them at process
// start; a program may record them again from main. A null argv goes back to
// the captured ones.
void SetProcessArguments(int argc, char const* const* argv);
// The recorded arguments joined as GetCommandLine gives them.
std::wstring JoinProcessArguments(int argc, char const* const* argv);
} // namespace Internal

} // namespace Corvane

#endif
