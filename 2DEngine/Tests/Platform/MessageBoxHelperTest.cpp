// The system's message box: its text laid out to fit the screen, and the
// helper process that shows it, which a termination signal closes and which
// dies with the program. The box is shown for real on the test display, by a
// forked copy of this test standing in for the game.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <SDL2/SDL.h>

#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "2DEngine/Source/Platform/MacOSX/MessageBoxHelper.h"
#include "2DEngine/Source/Platform/MacOSX/TerminationSignals.h"
#include "2DEngine/Tests/Platform/ProcessTestSupport.h"

namespace
{

using Clock = std::chrono::steady_clock;
using ProcessTestSupport::ChildrenOf;
using ProcessTestSupport::IsGone;

std::vector<std::wstring> Lines(std::wstring const& text)
{
    std::vector<std::wstring> lines;
    std::wstringstream stream(text);
    std::wstring line;
    while (std::getline(stream, line))
        lines.push_back(line);
    return lines;
}

std::wstring WithoutBreaks(std::wstring text)
{
    for (wchar_t& character : text)
        if (character == L'\n')
            character = L' ';
    return text;
}

template <class Condition>
bool WaitFor(Condition const& condition, std::chrono::seconds limit)
{
    Clock::time_point const end = Clock::now() + limit;
    while (Clock::now() < end)
    {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

// A copy of this test that opens a window, as the game does, shows a real box
// over it and exits 0 when the box returned because the program was asked to
// end, 3 when it returned otherwise and 4 without a window.
pid_t ForkGameShowingABox()
{
    pid_t const pid = fork();
    if (pid != 0)
        return pid;
    unsetenv(MacOSX::kLogMessageBoxesVariable);
    MacOSX::Internal::ResetTerminationRequest();
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        _exit(4);
    SDL_Window* const window = SDL_CreateWindow("Quarrydale", 0, 0, 640, 480, SDL_WINDOW_SHOWN);
    if (!window)
        _exit(4);
    MacOSX::ShowMessageBox(MacOSX::kMessageBox_Caution, L"Quarrydale",
                           L"The scene layout HideAndSeekModeLayout is missing or broken, so HideAndSeekMode has "
                           L"nothing to show. Fix the problem and press F5 to reload",
                           window);
    _exit(MacOSX::IsTerminationRequested() ? 0 : 3);
}

int WaitForExit(pid_t pid, std::chrono::seconds limit)
{
    int status = 0;
    bool const ended = WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, limit);
    if (!ended)
    {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

TEST(MessageBoxText, LinesFitTheColumnsAndKeepEveryWord)
{
    struct sCase
    {
        char const* what;
        std::wstring text;
        size_t columns;
        std::vector<std::wstring> expected;
    };
    std::vector<sCase> const cases = {
        {"short text", L"The disk is full.", 40, {L"The disk is full."}},
        {"broken at spaces", L"Difficulty Level Not Found for HideAndSeekMode", 20,
         {L"Difficulty Level Not", L"Found for", L"HideAndSeekMode"}},
        {"own breaks kept", L"Function:\tSetup\nLine:\t12\n\nno level", 40,
         {L"Function:\tSetup", L"Line:\t12", L"", L"no level"}},
        {"long path cut", L"in /usr/share/quarrydale/Resources/HideAndSeekMode.xml now", 16,
         {L"in", L"/usr/share/quarr", L"ydale/Resources/", L"HideAndSeekMode.", L"xml now"}},
        {"spaces collapse", L"a   b    c", 3, {L"a b", L"c"}},
        {"non-ASCII", L"Nivel de dificultad no encontrado: Gr\u00faa", 12,
         {L"Nivel de", L"dificultad", L"no", L"encontrado:", L"Gr\u00faa"}},
    };
    for (sCase const& row : cases)
    {
        SCOPED_TRACE(row.what);
        std::vector<std::wstring> const lines = Lines(MacOSX::WrapMessageBoxText(row.text, row.columns, 50));
        EXPECT_EQ(row.expected, lines);
        for (std::wstring const& line : lines)
            EXPECT_LE(line.size(), row.columns);
    }
}

TEST(MessageBoxText, TooManyLinesAreCutWithAnEllipsis)
{
    std::wstring const text = L"one two three four five six seven eight nine ten";
    EXPECT_EQ(std::vector<std::wstring>({L"one two", L"three..."}),
              Lines(MacOSX::WrapMessageBoxText(text, 9, 2)));
    // The ellipsis does not push the last line past the columns.
    EXPECT_EQ(std::vector<std::wstring>({L"abcdefghi", L"jklmno..."}),
              Lines(MacOSX::WrapMessageBoxText(L"abcdefghijklmnopqrstuvwxyz", 9, 2)));
}

TEST(MessageBoxText, AGameMessageFitsA1024PixelScreen)
{
    std::wstring const message = L"The scene layout HideAndSeekModeLayout is missing or broken, so HideAndSeekMode has "
                                 L"nothing to show. Fix the problem and press F5 to reload";
    size_t const columns = MacOSX::GetMessageBoxColumns(1024);
    std::wstring const wrapped = MacOSX::WrapMessageBoxText(message, columns, MacOSX::GetMessageBoxLines(768));
    EXPECT_EQ(message, WithoutBreaks(wrapped));
    std::vector<std::wstring> const lines = Lines(wrapped);
    EXPECT_GT(lines.size(), 1u);
    for (std::wstring const& line : lines)
        // Even at 12 pixels a character, with the box's margins.
        EXPECT_LT(static_cast<int>(line.size()) * 12 + 40, 1024) << std::string(line.begin(), line.end());
    // Small screens still get a readable line, big ones no banner.
    EXPECT_GE(MacOSX::GetMessageBoxColumns(100), 24u);
    EXPECT_LE(MacOSX::GetMessageBoxColumns(4000), 90u);
    EXPECT_GE(MacOSX::GetMessageBoxLines(0), 4u);
}

// Each termination signal closes the box; the program goes on to its normal
// quit, and no helper is left. A program killed outright takes its box along.
TEST(MessageBoxHelper, ATerminationSignalClosesTheBoxAndAKilledGameTakesItAlong)
{
#if defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the thread sanitizer holds a signal back until the thread next enters the sanitizer, and the box's wait never does";
#endif
    ASSERT_NE(nullptr, std::getenv("DISPLAY")) << "the box is shown on the test display";
    struct sCase
    {
        char const* what;
        int signal;
        int expectedStatus;
    };
    sCase const cases[] = {
        {"SIGTERM", SIGTERM, 0},
        {"SIGINT", SIGINT, 0},
        {"SIGHUP", SIGHUP, 0},
        {"SIGKILL", SIGKILL, 128 + SIGKILL},
    };
    for (sCase const& row : cases)
    {
        SCOPED_TRACE(row.what);
        pid_t const game = ForkGameShowingABox();
        ASSERT_GT(game, 0);
        std::vector<pid_t> helpers;
        bool const shown = WaitFor(
            [&] {
                helpers = ChildrenOf(game);
                return !helpers.empty();
            },
            std::chrono::seconds(20));
        if (!shown)
        {
            int const status = WaitForExit(game, std::chrono::seconds(0));
            FAIL() << "the box's helper never started; the game's status: " << status;
        }
        ASSERT_EQ(1u, helpers.size());
        // Let the helper draw its box before the game is ended.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        kill(game, row.signal);
        // Generous limits: a sanitizer or a loaded machine slows the way out, not whether it is taken.
        EXPECT_EQ(row.expectedStatus, WaitForExit(game, std::chrono::seconds(30)));
        EXPECT_TRUE(WaitFor([&] { return IsGone(helpers.front()); }, std::chrono::seconds(30)))
            << "the helper " << helpers.front() << " outlived the game";
        if (!IsGone(helpers.front()))
            kill(helpers.front(), SIGKILL);
    }
}
