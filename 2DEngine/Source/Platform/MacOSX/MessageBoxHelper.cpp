#include "2DEngine/Source/Platform/MacOSX/MessageBoxHelper.h"

#include <pthread.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <initializer_list>
#include <new>
#include <vector>

#include "2DEngine/Source/Platform/MacOSX/TerminationSignals.h"

namespace MacOSX
{

namespace
{

// Box text at about 12 points: no character is wider than this, in pixels.
int const kCharacterWidth = 9;
int const kLineHeight = 16;
// The frame, the margins and the button.
int const kFrameHeight = 160;

void splitParagraph(std::wstring const& paragraph, size_t columns, std::vector<std::wstring>* lines)
{
    std::wstring line;
    size_t position = 0;
    while (position < paragraph.size())
    {
        if (paragraph[position] == L' ')
        {
            ++position;
            continue;
        }
        size_t const end = std::min(paragraph.find(L' ', position), paragraph.size());
        std::wstring word = paragraph.substr(position, end - position);
        position = end;
        if (!line.empty() && line.size() + 1 + word.size() <= columns)
        {
            line += L' ';
            line += word;
            continue;
        }
        if (!line.empty())
            lines->push_back(line);
        // A path or a name longer than a line is cut where the line ends.
        while (word.size() > columns)
        {
            lines->push_back(word.substr(0, columns));
            word.erase(0, columns);
        }
        line = word;
    }
    lines->push_back(line);
}

// Shared with the helper after the fork, so that the signal handler knows
// whom to end and the helper knows whether it is still wanted.
struct sHelperState
{
    std::atomic<pid_t> helper;
    std::atomic<int> ending;
};

std::atomic<sHelperState*> gState(nullptr);
pid_t gParent = 0;
thread_local bool tShowingBox = false;

void onForkChild()
{
    sHelperState* const state = gState.load();
    if (!tShowingBox || !state)
        return;
    // The helper is ended by its parent, not by the game's own handlers.
    for (int const kind : {SIGTERM, SIGINT, SIGHUP})
        std::signal(kind, SIG_DFL);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The game may have died before the line above.
    if (getppid() != gParent)
        _exit(1);
    state->helper.store(getpid());
    // A signal that came before the store did not see this process.
    if (state->ending.load())
        _exit(1);
}

sHelperState* helperState()
{
    static sHelperState* const state = [] {
        void* const page = mmap(nullptr, sizeof(sHelperState), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS,
                                -1, 0);
        if (page == MAP_FAILED)
            return static_cast<sHelperState*>(nullptr);
        sHelperState* const made = new (page) sHelperState();
        pthread_atfork(nullptr, nullptr, onForkChild);
        return made;
    }();
    return state;
}

} // namespace

std::wstring WrapMessageBoxText(std::wstring const& text, size_t columns, size_t maxLines)
{
    columns = std::max<size_t>(columns, 4);
    maxLines = std::max<size_t>(maxLines, 1);
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (;;)
    {
        size_t const end = text.find(L'\n', start);
        splitParagraph(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start), columns,
                       &lines);
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    if (lines.size() > maxLines)
    {
        lines.resize(maxLines);
        std::wstring& last = lines.back();
        if (last.size() + 3 > columns)
            last.resize(columns - 3);
        last += L"...";
    }
    std::wstring wrapped;
    for (std::wstring const& line : lines)
    {
        if (&line != &lines.front())
            wrapped += L'\n';
        wrapped += line;
    }
    return wrapped;
}

size_t GetMessageBoxColumns(int displayWidth)
{
    // Half the screen at most: the box stays a box, not a banner.
    int const columns = displayWidth / 2 / kCharacterWidth;
    return static_cast<size_t>(std::max(24, std::min(columns, 90)));
}

size_t GetMessageBoxLines(int displayHeight)
{
    int const lines = (displayHeight - kFrameHeight) / kLineHeight;
    return static_cast<size_t>(std::max(4, lines));
}

MessageBoxHelperScope::MessageBoxHelperScope()
{
    sHelperState* const state = helperState();
    if (!state)
        return;
    gParent = getpid();
    state->helper.store(0);
    state->ending.store(0);
    gState.store(state);
    // A signal from before the line above found no box to end.
    if (IsTerminationRequested())
        state->ending.store(1);
    tShowingBox = true;
}

MessageBoxHelperScope::~MessageBoxHelperScope()
{
    tShowingBox = false;
    if (sHelperState* const state = gState.exchange(nullptr))
        state->helper.store(0);
}

namespace Internal
{

void EndMessageBoxHelper()
{
    sHelperState* const state = gState.load();
    if (!state)
        return;
    state->ending.store(1);
    pid_t const helper = state->helper.load();
    if (helper > 0)
        kill(helper, SIGKILL);
}

} // namespace Internal

} // namespace MacOSX
