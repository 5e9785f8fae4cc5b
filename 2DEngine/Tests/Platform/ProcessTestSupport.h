#pragma once

// The processes of a test that runs a program showing message boxes: which
// processes a parent has started, and whether one is gone, read from /proc.

#include <sys/types.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace ProcessTestSupport
{

// The processes whose parent is `parent`, from /proc.
inline std::vector<pid_t> ChildrenOf(pid_t parent)
{
    std::vector<pid_t> children;
    for (auto const& entry : std::filesystem::directory_iterator("/proc"))
    {
        std::ifstream stat(entry.path() / "stat");
        std::string text;
        if (!std::getline(stat, text))
            continue;
        // "pid (name) state ppid ...": the name may hold spaces and parentheses.
        size_t const close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream rest(text.substr(close + 1));
        char state = 0;
        pid_t ppid = 0;
        rest >> state >> ppid;
        if (ppid == parent && state != 'Z')
            children.push_back(static_cast<pid_t>(std::atoi(entry.path().filename().c_str())));
    }
    return children;
}

// Gone, or a zombie nobody needs to see.
inline bool IsGone(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text))
        return true;
    size_t const close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z';
}

} // namespace ProcessTestSupport
