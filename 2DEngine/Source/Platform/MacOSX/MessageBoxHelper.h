#ifndef CORVANE_PLATFORM_MACOSX_MESSAGEBOXHELPER_H
#define CORVANE_PLATFORM_MACOSX_MESSAGEBOXHELPER_H

// What surrounds the system's message box. The box is drawn by a helper
// process that SDL forks and waits for: its text is laid out on lines that fit
// the screen first, and the helper is tied to the game, so that a request to
// end the game closes the box and a game that dies takes its box along.

#include <cstddef>
#include <string>

namespace MacOSX
{

// The text broken at spaces (and inside words longer than a line) into lines
// of at most `columns` characters; the text's own line breaks stay. Past
// `maxLines` lines the rest is cut and the last line ends with "...".
std::wstring WrapMessageBoxText(std::wstring const& text, size_t columns, size_t maxLines);

// The characters per line and the lines that a box may hold on a display of
// that size, leaving room for the window's frame and its button.
size_t GetMessageBoxColumns(int displayWidth);
size_t GetMessageBoxLines(int displayHeight);

// While one lives, a process forked by this thread is the box's helper: it
// ends when the game ends, and a termination signal ends it at once.
class MessageBoxHelperScope
{
public:
    MessageBoxHelperScope();
    ~MessageBoxHelperScope();
    MessageBoxHelperScope(MessageBoxHelperScope const&) = delete;
    MessageBoxHelperScope& operator=(MessageBoxHelperScope const&) = delete;
};

namespace Internal
{
// From the termination signal handler (async-signal-safe): kills the helper
// of the box being shown, if any, and keeps a helper still being forked from
// showing anything.
void EndMessageBoxHelper();
} // namespace Internal

} // namespace MacOSX

#endif
