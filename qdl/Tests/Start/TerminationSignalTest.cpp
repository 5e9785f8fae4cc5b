// The real game program ended by the desktop: SIGTERM, SIGINT or SIGHUP end
// it within two seconds in every state, with the account saved as a normal
// quit saves it. The program runs as a child process on the test display.

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "2DEngine/Tests/Platform/ProcessTestSupport.h"

// After gtest: Xlib's macros (None, Bool) would clash with its names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

extern char** environ;

namespace
{

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string ReadFile(fs::path const& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class GameProcess
{
public:
    // With showBoxes, the game shows its message boxes instead of logging them.
    explicit GameProcess(std::string const& name, bool showBoxes = false)
    {
        mHome = fs::temp_directory_path() / ("qdl-termination-" + name + "-" + std::to_string(getpid()));
        fs::remove_all(mHome);
        fs::create_directories(mHome);
        mLog = mHome / "game.log";

        std::string const home = "XDG_DATA_HOME=" + mHome.string();
        std::vector<std::string> environment{home};
        for (char** entry = environ; *entry; ++entry)
            if (std::string(*entry).rfind("XDG_DATA_HOME=", 0) != 0 &&
                !(showBoxes && std::string(*entry).rfind("CORVANE_LOG_MESSAGE_BOXES=", 0) == 0))
                environment.push_back(*entry);
        std::vector<char*> envp;
        for (std::string& entry : environment)
            envp.push_back(entry.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, mLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        std::string program = QDL_GAME_EXECUTABLE;
        char* argv[] = {program.data(), nullptr};
        if (posix_spawn(&mPid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0)
            mPid = -1;
        posix_spawn_file_actions_destroy(&actions);
    }

    ~GameProcess()
    {
        if (mPid > 0 && !mReaped)
        {
            kill(mPid, SIGKILL);
            waitpid(mPid, nullptr, 0);
        }
        fs::remove_all(mHome);
    }

    bool Started() const { return mPid > 0; }

    // Waits until the game's log holds the text; false when the game ended or
    // the time ran out first.
    bool WaitForLog(std::string const& text, std::chrono::seconds limit)
    {
        Clock::time_point const end = Clock::now() + limit;
        while (Clock::now() < end)
        {
            if (ReadFile(mLog).find(text) != std::string::npos)
                return true;
            if (Exited())
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    void Signal(int kind) { kill(mPid, kind); }
    pid_t Pid() const { return mPid; }

    // The exit status once the game has ended within the limit, else -1.
    int WaitForExit(std::chrono::milliseconds limit)
    {
        Clock::time_point const end = Clock::now() + limit;
        while (Clock::now() < end)
        {
            if (Exited())
                return WIFEXITED(mStatus) ? WEXITSTATUS(mStatus) : 128 + WTERMSIG(mStatus);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

    // The text of the one account file of the per-user folder, empty when there is none.
    std::string AccountText() const
    {
        for (fs::directory_entry const& entry : fs::recursive_directory_iterator(mHome))
            if (entry.path().extension() == ".act")
                return ReadFile(entry.path());
        return std::string();
    }

    std::string LogText() const { return ReadFile(mLog); }

private:
    bool Exited()
    {
        if (mReaped)
            return true;
        if (waitpid(mPid, &mStatus, WNOHANG) == mPid)
            mReaped = true;
        return mReaped;
    }

    fs::path mHome;
    fs::path mLog;
    pid_t mPid = -1;
    int mStatus = 0;
    bool mReaped = false;
};

void ExpectSavedOnSignal(GameProcess& game, int kind)
{
    game.Signal(kind);
    // Generous: saving and shutting down is slow under a sanitizer or on a loaded machine; a game
    // that ignores the signal still never ends.
    EXPECT_EQ(0, game.WaitForExit(std::chrono::seconds(30))) << game.LogText();
    std::string const account = game.AccountText();
    EXPECT_NE(std::string::npos, account.find("Corvane::Window::Mode")) << account;
    EXPECT_NE(std::string::npos, account.find("Corvane::Audio::MusicControls::Volume")) << account;
    EXPECT_NE(std::string::npos, account.find("</account>")) << account;
}

// The top-level window of the process on the display, or 0.
Window WindowOf(Display* display, pid_t pid)
{
    Atom const pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (pidAtom == None || !XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i)
    {
        Atom type = None;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* value = nullptr;
        if (XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                               &after, &value) == Success &&
            value && items == 1 && *reinterpret_cast<unsigned long*>(value) == static_cast<unsigned long>(pid))
            found = children[i];
        if (value)
            XFree(value);
    }
    if (children)
        XFree(children);
    return found;
}

// Ctrl+Shift+A, the about box's chord, typed into the window.
void TypeAboutChord(Display* display, Window window)
{
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    unsigned int state = 0;
    for (KeySym const symbol : {XK_Control_L, XK_Shift_L, XK_a})
    {
        XKeyEvent key = {};
        key.type = KeyPress;
        key.display = display;
        key.window = window;
        key.root = DefaultRootWindow(display);
        key.time = CurrentTime;
        key.same_screen = True;
        key.keycode = XKeysymToKeycode(display, symbol);
        key.state = state;
        XSendEvent(display, window, True, KeyPressMask, reinterpret_cast<XEvent*>(&key));
        state |= symbol == XK_Control_L ? ControlMask : (symbol == XK_Shift_L ? ShiftMask : 0);
    }
    XSync(display, False);
}

} // namespace

// While loading, the loading screen refuses a menu quit; a termination signal still ends the program.
TEST(TerminationSignalTest, SigtermDuringTheSplashEndsTheGameWithTheAccountSaved)
{
    GameProcess game("splash");
    ASSERT_TRUE(game.Started());
    ASSERT_TRUE(game.WaitForLog("Loading resource file", std::chrono::seconds(60))) << game.LogText();
    ExpectSavedOnSignal(game, SIGTERM);
}

TEST(TerminationSignalTest, SigtermAndSighupOnTheTitleEndTheGameWithTheAccountSaved)
{
    for (int const kind : {SIGTERM, SIGHUP})
    {
        GameProcess game("title-" + std::to_string(kind));
        ASSERT_TRUE(game.Started());
        ASSERT_TRUE(game.WaitForLog("LoadingMode Actual Load Times", std::chrono::seconds(120))) << game.LogText();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ExpectSavedOnSignal(game, kind);
    }
}

// The about box is up, the main thread waiting in it, when the signal comes:
// the box closes, the game ends as a normal quit with the account saved, and
// the box's helper process does not outlive it.
TEST(TerminationSignalTest, ASignalWhileAMessageBoxIsUpEndsTheGameWithTheAccountSaved)
{
#if defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the thread sanitizer holds a signal back until the thread next enters the sanitizer, and the box's wait never does";
#endif
    for (int const kind : {SIGTERM, SIGINT})
    {
        SCOPED_TRACE(kind);
        GameProcess game("box-" + std::to_string(kind), true);
        ASSERT_TRUE(game.Started());
        ASSERT_TRUE(game.WaitForLog("LoadingMode Actual Load Times", std::chrono::seconds(120))) << game.LogText();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        Display* const display = XOpenDisplay(nullptr);
        ASSERT_NE(nullptr, display);
        Window const window = WindowOf(display, game.Pid());
        EXPECT_NE(0u, window);
        TypeAboutChord(display, window);
        XCloseDisplay(display);
        std::vector<pid_t> helpers;
        Clock::time_point const end = Clock::now() + std::chrono::seconds(10);
        while (helpers.empty() && Clock::now() < end)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            helpers = ProcessTestSupport::ChildrenOf(game.Pid());
        }
        ASSERT_EQ(1u, helpers.size()) << "no box came up\n" << game.LogText();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ExpectSavedOnSignal(game, kind);
        EXPECT_TRUE(ProcessTestSupport::IsGone(helpers.front()));
    }
}
