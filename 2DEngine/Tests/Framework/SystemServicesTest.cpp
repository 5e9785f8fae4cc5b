// The engine clock, the command line and the replaceable system services.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "2DEngine/Source/Framework/SystemServices.h"

namespace Corvane
{
namespace
{

class FixedServices : public ISystemServices
{
public:
    uint64_t GetTimeUS() override { return timeUS; }
    void Sleep(uint32_t) override {}
    std::wstring GetCommandLine() override { return L"-software"; }
    uint64_t timeUS = 0;
};

// The process's own arguments after the program name, read back from the system.
std::vector<std::string> OwnArguments()
{
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    std::string const all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::string> arguments;
    std::string current;
    for (char c : all)
    {
        if (c == '\0')
        {
            arguments.push_back(current);
            current.clear();
        }
        else
        {
            current += c;
        }
    }
    return arguments;
}

// --- normal case -----------------------------------------------------------

TEST(SystemServicesTest, ClockIsMonotonicAndMillisecondsFollowMicroseconds)
{
    uint64_t const first = GetTimeUS();
    uint32_t const milliseconds = GetTimeMS();
    uint64_t const second = GetTimeUS();
    EXPECT_LE(first, second);
    EXPECT_LE(static_cast<uint32_t>(first / 1000), milliseconds);
    EXPECT_GE(static_cast<uint32_t>(second / 1000), milliseconds);
}

TEST(SystemServicesTest, ArgumentsAreJoinedAfterTheProgramName)
{
    char const* argv[] = {"/opt/game/-software/bin", "-software", "-windowed"};
    EXPECT_EQ(std::wstring(L"-software -windowed"), Internal::JoinProcessArguments(3, argv));
}

TEST(SystemServicesTest, CommandLineIsTheProcessesOwnArguments)
{
    Internal::SetProcessArguments(0, nullptr);
    std::vector<std::string> const arguments = OwnArguments();
    std::vector<char const*> argv;
    for (std::string const& argument : arguments)
        argv.push_back(argument.c_str());

    EXPECT_EQ(Internal::JoinProcessArguments(static_cast<int>(argv.size()), argv.data()), GetCommandLine());
}

TEST(SystemServicesTest, RecordedArgumentsReplaceTheCapturedOnes)
{
    char const* argv[] = {"game", "-software"};
    Internal::SetProcessArguments(2, argv);
    EXPECT_EQ(std::wstring(L"-software"), GetCommandLine());
    Internal::SetProcessArguments(0, nullptr);
}

TEST(SystemServicesTest, ReplacementServicesDriveTheClockAndGoBack)
{
    FixedServices fixed;
    fixed.timeUS = 0x100000005ull * 1000 + 999;
    ISystemServices* const previous = Internal::SetSystemServices(&fixed);
    EXPECT_EQ(nullptr, previous);

    EXPECT_EQ(fixed.timeUS, GetTimeUS());
    // The 32-bit millisecond count wraps.
    EXPECT_EQ(5u, GetTimeMS());
    EXPECT_EQ(std::wstring(L"-software"), GetCommandLine());

    EXPECT_EQ(&fixed, Internal::SetSystemServices(nullptr));
    EXPECT_NE(&fixed, &Internal::GetSystemServices());
}

TEST(SystemServicesTest, DoubleClickTimeIsTicksTimesSixteen)
{
    EXPECT_EQ(480u, GetDoubleClickTime());
}

// --- invalid input -------------------------------------------------------------

TEST(SystemServicesTest, MissingArgumentsGiveAnEmptyCommandLine)
{
    EXPECT_EQ(std::wstring(), Internal::JoinProcessArguments(0, nullptr));
    EXPECT_EQ(std::wstring(), Internal::JoinProcessArguments(5, nullptr));
    char const* onlyProgram[] = {"game"};
    EXPECT_EQ(std::wstring(), Internal::JoinProcessArguments(1, onlyProgram));
    // A null entry ends the list, as it does at the end of argv.
    char const* cut[] = {"game", "-a", nullptr, "-b"};
    EXPECT_EQ(std::wstring(L"-a"), Internal::JoinProcessArguments(4, cut));
}

// --- non-ASCII arguments ---------------------------------------------------------

TEST(SystemServicesTest, Utf8ArgumentsBecomeWideText)
{
    char const* argv[] = {"game", "-perfil=Peña", "-grúa"};
    EXPECT_EQ(std::wstring(L"-perfil=Peña -grúa"), Internal::JoinProcessArguments(3, argv));
}

// --- a failure leaves state unchanged ------------------------------------------------

TEST(SystemServicesTest, RestoringWithNullKeepsTheSystemClock)
{
    EXPECT_EQ(nullptr, Internal::SetSystemServices(nullptr));
    uint64_t const before = GetTimeUS();
    EXPECT_LE(before, GetTimeUS());
}

} // namespace
} // namespace Corvane
