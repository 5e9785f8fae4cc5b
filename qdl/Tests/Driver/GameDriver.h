#pragma once

// Plays the real game in a test: the program's own start-up over the build's
// content, in a window of the test display, with a per-user folder of its own.
//
// The main loop runs on the test's thread as in the program; its clock moves
// only when the loop sleeps after a drawn frame, by exactly one 20 ms step, so
// every run sees the same frames. At each such frame boundary the loop waits
// for the script, which runs on a thread of its own and reads like a child
// at the computer:
//
//     driver.Play([](Child& child) {
//         ASSERT_TRUE(child.WaitForScreen("TitleMode"));
//         child.Click("QuitButton");
//         ...
//     });
//
// Everything the script does to the game (input, look-ups, pictures) runs on
// the loop's thread while the loop waits, so the game never sees a second thread.
//
// What the driver records instead of letting it happen:
// - sounds: every play the audio platform is asked for (sound name, kind,
//   loops), while the sounds play for their real lengths on an output that
//   advances with the stepped clock;
// - notifications: message boxes are logged, not shown, and collected;
// - quit requests: counted, and allowed or refused as the test says.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Corvane
{
class ApplicationMode;
}

class SceneNode;

namespace GameDriver
{

// One play the audio platform was asked for.
struct sSoundPlay
{
    std::string sound;
    // "Effect", "Music", "Ambient" or the sound's own type.
    std::string kind;
    int loops;
    // The game's clock when it was asked for, in milliseconds since the start.
    uint64_t timeMS;
};

// A picture of the game's window: RGBA rows from the top, every pixel opaque.
struct sPicture
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
};

// Keeps the picture as a PNG file; false when it cannot be written.
bool SavePicture(sPicture const& picture, std::string const& path);

class Session;

// The script's hands and eyes. Every call waits for the loop; once the game
// has ended, input does nothing and look-ups see an empty mode stack.
class Child
{
public:
    explicit Child(Session* session) : mSession(session) {}

    // Lets the game run this many frames (20 ms each); false when it ended first.
    // For a span of game time a rule is about (a pause, a sound's length), never
    // to give the game time to reach a state: that is what WaitUntil is for.
    bool Frames(int count);
    // Lets the game run for this long in game time.
    bool Wait(float seconds);
    // Runs frames until the condition (evaluated between frames on the loop's
    // thread) holds. A state the game does not reach fails the test, naming
    // `what`, once both the game's clock and the wall clock have run `seconds`
    // (so a busy machine, on which frames come slowly, gets the same game time
    // and a loading screen, which takes real time, the same real time); false
    // then, or when the game ended first.
    bool WaitUntil(std::function<bool()> const& condition, std::string const& what, float seconds = kPatienceSeconds);
    // The same for the top screen of the named class ("TitleMode"; a test's
    // own screens as "(anonymous namespace)::Name").
    bool WaitForScreen(std::string const& screenClass, float seconds = kPatienceSeconds);
    // Whether the condition comes to hold within that much game time, for a
    // state the game may or may not reach (an overlay a level may skip);
    // nothing fails when it does not.
    bool Within(std::function<bool()> const& condition, float seconds);
    // WaitUntil that counts the frames it ran (the game time the state took
    // to come, in 20 ms steps); -1 when the wait failed.
    int FramesUntil(std::function<bool()> const& condition, std::string const& what, float seconds = kPatienceSeconds);
    // Until the sound has been asked for, as play number `from` or later.
    bool WaitForSound(std::string const& sound, std::size_t from = 0, float seconds = kPatienceSeconds);
    // Until the loading screen has handed over: a count of frames after it is
    // a span of game time, while the loading takes the machine's own time.
    bool WaitForLoading(float seconds = kPatienceSeconds);
    // The condition that the top screen is of the named class.
    static std::function<bool()> OnTop(std::string const& screenClass);

    // How long a wait gives the game: far beyond what any step of a play takes.
    static constexpr float kPatienceSeconds = 60.0f;

    // Runs the function on the loop's thread between frames and returns its result.
    template <class F>
    auto Look(F const& function) -> decltype(function())
    {
        typedef decltype(function()) Result;
        std::shared_ptr<Result> result = std::make_shared<Result>();
        RunOnLoop([&function, result] { *result = function(); });
        return *result;
    }
    void RunOnLoop(std::function<void()> const& function);

    // The mouse, at the centre of a node of the top screen: a path of node
    // names from the scene root ("TitleMainMenu/UI/PlayButton"), or an object
    // name ("QuitButton"), or else the first node of that node name. Each
    // takes one frame; false when no such node is shown.
    bool MoveMouseTo(std::string const& target);
    bool MoveMouseTo(int x, int y);
    bool PressMouse();
    bool ReleaseMouse();
    // Moves there, presses and releases, a frame apart.
    bool Click(std::string const& target);
    // A key by its SDL name ("Escape", "F5", "Return", "A"), down then up.
    bool PressKey(std::string const& keyName);

    // The mode stack from the bottom, by class name.
    std::vector<std::string> Screens();
    std::string TopScreen();
    bool HasEnded();

    // The node found as MoveMouseTo finds it, on the loop's thread only (in Look).
    static SceneNode* FindNode(std::string const& target);
    bool IsShown(std::string const& target);
    float Alpha(std::string const& target);

    // Every play asked for so far, in order.
    std::vector<sSoundPlay> Sounds();
    // The names of the sounds playing now.
    std::vector<std::string> PlayingSounds();
    std::vector<std::string> Notifications();
    // What the game has logged so far.
    std::string Log();
    int QuitRequests();
    // The current account file as stored on disk.
    std::string AccountFile();

    // Keeps the next drawn frame as a PNG picture; false when nothing was drawn.
    bool SaveScreenshot(std::string const& path);
    // Draws the current state twice without an update: as the game draws it
    // (a kept frame: only what differs from the picture on screen), read from
    // the window as the display shows it (from the back buffer as it goes on
    // screen where the window cannot be read), then whole with every drawing
    // optimisation off (Graphics reference drawing), read from the back buffer.
    // False when either could not be read.
    bool DrawOptimisedAndReference(sPicture* optimised, sPicture* reference);

private:
    Session* mSession;
};

class Driver
{
public:
    Driver();
    ~Driver();
    Driver(Driver const&) = delete;
    Driver& operator=(Driver const&) = delete;

    // False (with the reason) when the test display cannot be opened.
    bool HasDisplay(std::string* reason);

    // A value stored in the player's account before the game starts ("true",
    // "false", numbers or text). The window is always windowed.
    void SetAccountValue(std::string const& key, std::string const& value);
    // An account file of the per-user folder as it stands, written after the
    // one made from the values ("Player.act", which a file of that name
    // replaces), last written that many seconds before the game starts
    // (negative: after), to play over a damaged or extra account.
    void SetAccountFile(std::string const& fileName, std::string const& text, int secondsAgo = 0);
    // Instead of the title screen, the loading screen hands over to this screen
    // (one screen over the real content). The game shell's screen makers, this
    // one and any the test sets itself, are put back when the driver goes.
    void StartWith(std::function<Corvane::ApplicationMode*()> const& makeScreen);
    // Whether quit requests are allowed (true) or refused.
    void AllowQuit(bool allow);
    // The program started again after an earlier play ended: this play starts
    // over the account files that play left (copied, the earlier one keeps
    // its own), and the values set with SetAccountValue are not written.
    void StartOverAccountsOf(Driver const& earlier);
    // Plays over a copy of the build's content instead of the content itself:
    // the text files (manifests, tables) are copied, every other file is
    // linked, and the edit runs on the copy's folder before the game starts,
    // to remove or break what the test needs missing or broken.
    void UseContentCopy(std::function<void(std::string const& folder)> const& edit);

    // Starts the game and plays the script; returns when the game has ended
    // (by itself, or because the script finished).
    void Play(std::function<void(Child&)> const& script);

    // After the play.
    bool EndedByQuit() const;
    std::vector<sSoundPlay> Sounds() const;
    std::vector<std::string> Notifications() const;
    int QuitRequests() const;
    std::string AccountFile() const;
    std::string UserFolder() const;
    // What the game logged during the play.
    std::string Log() const;

private:
    std::unique_ptr<Session> mSession;
};

// Rewrites a text file in place (of a content copy, for instance); false when
// it cannot be read or written.
bool EditTextFile(std::string const& path, std::function<void(std::string& text)> const& edit);
// Replaces every `from` in the text file with `to` (a difficulty, a layout
// node's name); false when the file cannot be edited or holds no `from`.
bool ReplaceInTextFile(std::string const& path, std::string const& from, std::string const& to);

// Whether the account file holds the record of that key with that value.
bool HasAccountRecord(std::string const& accountFile, std::string const& key, std::string const& value);
// The value stored under the key, or "" when there is none.
std::string AccountRecord(std::string const& accountFile, std::string const& key);

} // namespace GameDriver
