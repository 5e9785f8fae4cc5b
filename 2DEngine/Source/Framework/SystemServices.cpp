#include "2DEngine/Source/Framework/SystemServices.h"

#include <time.h>

#include <string>
#include <vector>

#include "Core/Source/StringUtils.h"
#include "Core/Source/Thread.h"

namespace Corvane
{

namespace
{

// The system's double-click interval in ticks of 1/60 s when the desktop does
// not tell us one.
constexpr uint32_t kDefaultDoubleClickTicks = 30;

// Function-local statics: the capture below runs before the static
// constructors of this file.
std::vector<std::string>& CapturedArguments()
{
    static std::vector<std::string> arguments;
    return arguments;
}

std::vector<std::string>& RecordedArguments()
{
    static std::vector<std::string> arguments;
    return arguments;
}

bool gArgumentsRecorded = false;

void CopyArguments(int argc, char const* const* argv, std::vector<std::string>& into)
{
    into.clear();
    for (int i = 0; argv && i < argc && argv[i]; ++i)
        into.push_back(argv[i]);
}

// Copied, because a program may rearrange its argv (test runners remove their
// own flags from it).
void CaptureProcessArguments(int argc, char** argv, char**)
{
    CopyArguments(argc, argv, CapturedArguments());
}

// The C library calls .init_array entries with argc, argv and envp, which lets
// the engine know its command line although main hands it nothing.
__attribute__((section(".init_array"), used))
void (*gCaptureProcessArguments)(int, char**, char**) = &CaptureProcessArguments;

std::wstring JoinArguments(std::vector<std::string> const& arguments)
{
    std::vector<char const*> argv;
    for (std::string const& argument : arguments)
        argv.push_back(argument.c_str());
    return Internal::JoinProcessArguments(static_cast<int>(argv.size()), argv.data());
}

class SystemServices : public ISystemServices
{
public:
    uint64_t GetTimeUS() override
    {
        timespec now = {0, 0};
        clock_gettime(CLOCK_MONOTONIC, &now);
        uint64_t const nanoseconds =
            static_cast<uint64_t>(now.tv_sec) * 1000000000ull + static_cast<uint64_t>(now.tv_nsec);
        return nanoseconds / 1000;
    }

    void Sleep(uint32_t milliseconds) override
    {
        Corvane::Sleep(milliseconds);
    }

    std::wstring GetCommandLine() override
    {
        return JoinArguments(gArgumentsRecorded ? RecordedArguments() : CapturedArguments());
    }
};

ISystemServices* gReplacement = nullptr;

} // namespace

uint64_t GetTimeUS()
{
    return Internal::GetSystemServices().GetTimeUS();
}

uint32_t GetTimeMS()
{
    return static_cast<uint32_t>(GetTimeUS() / 1000);
}

uint32_t GetDoubleClickTime()
{
    return kDefaultDoubleClickTicks << 4;
}

std::wstring GetCommandLine()
{
    return Internal::GetSystemServices().GetCommandLine();
}

namespace Internal
{

ISystemServices& GetSystemServices()
{
    if (gReplacement)
        return *gReplacement;
    static SystemServices system;
    return system;
}

ISystemServices* SetSystemServices(ISystemServices* services)
{
    ISystemServices* const previous = gReplacement;
    gReplacement = services;
    return previous;
}

void SetProcessArguments(int argc, char const* const* argv)
{
    gArgumentsRecorded = argv != nullptr;
    CopyArguments(argc, argv, RecordedArguments());
}

std::wstring JoinProcessArguments(int argc, char const* const* argv)
{
    std::wstring line;
    if (!argv)
        return line;
    // argv[0] is the program's path, which may itself contain any text.
    for (int i = 1; i < argc; ++i)
    {
        if (!argv[i])
            break;
        if (!line.empty())
            line += L' ';
        line += ConvertStringUTF8ToWide(argv[i]);
    }
    return line;
}

} // namespace Internal
} // namespace Corvane
