#include "Core/Source/Error.h"
#include "Core/Source/MacOSX/MacOSXError.h"
#include "Core/Source/StringFormatter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

using namespace Corvane;

namespace
{

// Raises from a named function so the recorded signature can be checked.
void RaiseWideError(int code)
{
    StringFormatter message(L"Pieza %1% no v\u00E1lida");
    message.Arg(code);
    CORVANE_THROW(std::wstring(message.c_str()));
}

class OverriddenStatus : public IErrorStatus
{
public:
    int GetLastError() override { return -7; }
};

} // namespace

// ---- RuntimeError --------------------------------------------------------

TEST(RuntimeError, KeepsMessageAndLocation)
{
    RuntimeError const error(std::string("Could not open the file."), "Loader.cpp", 42, "void Loader::Open()");
    EXPECT_STREQ("Could not open the file.", error.what());
    EXPECT_EQ("Loader.cpp", error.GetFile());
    EXPECT_EQ(42, error.GetLine());
    EXPECT_EQ("void Loader::Open()", error.GetFunction());
}

TEST(RuntimeError, NullFileAndFunctionGiveEmptyStrings)
{
    RuntimeError const error("Sin lugar", nullptr, 17, nullptr);
    EXPECT_EQ("", error.GetFile());
    EXPECT_EQ("", error.GetFunction());
    EXPECT_EQ(17, error.GetLine());
    RuntimeError const none(static_cast<char const*>(nullptr), nullptr, 0, nullptr);
    EXPECT_STREQ("", none.what());
}

TEST(RuntimeError, WideMessagesLoseNonAsciiCharacters)
{
    RuntimeError const error(std::wstring(L"Cami\u00F3n perdido"), "a.cpp", 1, "f");
    EXPECT_STREQ("Cami?n perdido", error.what());
    RuntimeError const pointer(L"Gr\u00FAa \U0001F600", "a.cpp", 1, "f");
    EXPECT_STREQ("Gr?a ?", pointer.what());
}

TEST(RuntimeError, ThrowMacroRecordsWhereItWasRaised)
{
    int const line = __LINE__ + 3;
    try
    {
        CORVANE_THROW("Algo fall\xF3");
        FAIL() << "nothing was thrown";
    }
    catch (RuntimeError const& error)
    {
        EXPECT_STREQ("Algo fall\xF3", error.what());
        EXPECT_NE(std::string::npos, error.GetFile().find("ErrorTests.cpp"));
        EXPECT_EQ(line, error.GetLine());
        EXPECT_NE(std::string::npos, error.GetFunction().find("ThrowMacroRecordsWhereItWasRaised"));
    }

    try
    {
        RaiseWideError(12);
        FAIL() << "nothing was thrown";
    }
    catch (std::runtime_error const& error)
    {
        EXPECT_STREQ("Pieza 12 no v?lida", error.what());
        RuntimeError const* const runtime = dynamic_cast<RuntimeError const*>(&error);
        ASSERT_NE(nullptr, runtime);
        EXPECT_NE(std::string::npos, runtime->GetFunction().find("RaiseWideError(int)"));
    }
}

TEST(MacOSXError, MessageCarriesTheStatus)
{
    MacOSX::MacOSXError const error(-5, "Could not create a critical region.", "Thread.cpp", 9, "MacOSX::Mutex::Mutex()");
    EXPECT_STREQ("Could not create a critical region. (Mac OS X Error -5)", error.what());
    EXPECT_EQ(-5, error.GetStatus());
    EXPECT_EQ("Thread.cpp", error.GetFile());
    EXPECT_EQ(9, error.GetLine());

    try
    {
        MACOSX_THROW(12, "Could not signal a semaphore.");
    }
    catch (RuntimeError const& caught)
    {
        EXPECT_STREQ("Could not signal a semaphore. (Mac OS X Error 12)", caught.what());
        EXPECT_NE(std::string::npos, caught.GetFunction().find("MessageCarriesTheStatus"));
    }
}

// ---- IErrorStatus --------------------------------------------------------

TEST(ErrorStatus, NegativeCodesAreErrors)
{
    IErrorStatus status;
    EXPECT_EQ(0, status.GetLastError());
    EXPECT_FALSE(status.HasErrorOccurred());
    status.SetLastError(1);
    EXPECT_FALSE(status.HasErrorOccurred());
    EXPECT_EQ(1, status.GetLastError());
    status.SetLastError(-1);
    EXPECT_TRUE(status.HasErrorOccurred());
    status.ClearError();
    EXPECT_EQ(0, status.GetLastError());
    EXPECT_FALSE(status.HasErrorOccurred());
}

TEST(ErrorStatus, HasErrorOccurredHonoursAnOverride)
{
    OverriddenStatus status;
    EXPECT_TRUE(status.HasErrorOccurred());
    IErrorStatus& base = status;
    EXPECT_EQ(-7, base.GetLastError());
}

TEST(ErrorStatus, WorkerWritesWhileOthersPoll)
{
    IErrorStatus status;
    std::atomic<bool> done(false);
    std::thread worker([&] {
        for (int n = 1; n <= 2000; ++n)
            status.SetLastError(n % 2 ? -n : n);
        done = true;
    });
    do
    {
        int const code = status.GetLastError();
        EXPECT_LE(code > 0 ? code : -code, 2000);
    } while (!done);
    worker.join();
    EXPECT_EQ(2000, status.GetLastError());
}
