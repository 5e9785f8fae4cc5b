#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// Folder listings kept between lookups. Resolving a name without regard to case has to read the
// whole folder; the game resolves thousands of names in the same few folders, so each folder is
// read once and read again only when the folder has changed since.
namespace MacOSX
{
    struct FolderEntry
    {
        std::string name;
        bool isFolder; // a real folder, not a symbolic link to one
    };

    struct FolderListing
    {
        // In the order the disk gives them, without "." and "..".
        std::vector<FolderEntry> entries;
        // FileNameKey of a name to the index of its first entry, of any kind / of a non-folder.
        std::unordered_map<std::string, size_t> firstByKey;
        std::unordered_map<std::string, size_t> firstFileByKey;
        // Indexes of the folder entries, ascending.
        std::vector<size_t> folders;
    };

    // The listing of the folder at path (symbolic links followed), or null when it cannot be read.
    // A kept listing is used only while the folder's identity and change times are those seen
    // when it was read, and only when that read came well after the last change: disks stamp
    // changes with a coarse clock, so a change made just after a read can carry the same time.
    // Safe to call from any thread.
    std::shared_ptr<FolderListing const> ListFolder(std::string const& path);

    // How many times a folder was actually read from the disk; lets tests see the listings kept.
    unsigned long long GetFolderReadCount();
}
