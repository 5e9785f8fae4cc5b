#include "Core/Source/Error.h"
#include "Core/Source/Log.h"

#include "Core/Tests/CommaLocale.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <unistd.h>

using namespace Corvane;

namespace
{

// Runs the action with the standard error stream sent to a temporary file and returns what it wrote.
std::string CaptureStandardError(std::function<void()> const& action)
{
    std::fflush(stderr);
    std::FILE* const capture = std::tmpfile();
    if (capture == nullptr)
    {
        ADD_FAILURE() << "no temporary file";
        return std::string();
    }
    int const saved = dup(fileno(stderr));
    dup2(fileno(capture), fileno(stderr));
    action();
    std::fflush(stderr);
    dup2(saved, fileno(stderr));
    close(saved);
    std::string text;
    std::rewind(capture);
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof(chunk), capture)) > 0)
        text.append(chunk, got);
    std::fclose(capture);
    return text;
}

} // namespace

TEST(Log, WritesTheTextExactly)
{
    EXPECT_EQ("Loading", CaptureStandardError([] { Log("Loading"); }));
    EXPECT_EQ("", CaptureStandardError([] { Log(""); }));
    EXPECT_EQ("", CaptureStandardError([] { Log(nullptr); }));
}

TEST(Log, LogWriteFormats)
{
    EXPECT_EQ("Loading resource file: Nivel1\n",
              CaptureStandardError([] { Internal::LogWrite("Loading resource file: %ls\n", L"Nivel1"); }));
    EXPECT_EQ("7 of 9\n", CaptureStandardError([] { Internal::LogWrite("%d of %d\n", 7, 9); }));
    EXPECT_EQ("", CaptureStandardError([] { Internal::LogWrite("%s", ""); }));
}

TEST(Log, PercentSignsInArgumentsAreWrittenUnchanged)
{
    EXPECT_EQ("Image 100%s.png could not be loaded.\n",
              CaptureStandardError([] { Internal::LogWrite("Image %ls could not be loaded.\n", L"100%s.png"); }));
}

TEST(Log, LogWriteKeeps1023CharactersAndCutsLonger)
{
    std::string const exact(1023, 'a');
    EXPECT_EQ(exact, CaptureStandardError([&] { Internal::LogWrite("%s", exact.c_str()); }));
    std::string const longer = std::string(1500, 'b') + "end";
    EXPECT_EQ(std::string(1023, 'b'), CaptureStandardError([&] { Internal::LogWrite("%s", longer.c_str()); }));
}

TEST(Log, SpanishNamesAreLoggedWithQuestionMarks)
{
    // Without a UTF-8 conversion the whole message would be lost.
    EXPECT_EQ("Image Cami?n.png could not be loaded.\n",
              CaptureStandardError([] { Internal::LogWrite("Image %ls could not be loaded.\n", L"Cami\u00F3n.png"); }));
    EXPECT_EQ("Se?al ? ?\n", CaptureStandardError([] { Internal::LogWrite("%s %ls\n", "Se\xC3\xB1" "al", L"\U0001F600 \u00E9"); }));
}

TEST(Log, NumbersUseADecimalPointInAnyLocale)
{
    CommaLocale comma;
    EXPECT_EQ("0.50\n", CaptureStandardError([] { Internal::LogWrite("%.2f\n", 0.5); }));
    if (!comma.Active())
        GTEST_SKIP() << "no locale with a decimal comma could be made";
}

TEST(Log, RuntimeErrorReportNamesEveryPart)
{
    RuntimeError const error("Could not open.", "Loader.cpp", 31, "void Loader::Open()");
    std::string const text = CaptureStandardError([&] { LogRuntimeError(error); });
    EXPECT_NE(std::string::npos, text.find("Could not open."));
    EXPECT_NE(std::string::npos, text.find("void Loader::Open()"));
    EXPECT_NE(std::string::npos, text.find("Loader.cpp"));
    EXPECT_NE(std::string::npos, text.find("31"));
}
