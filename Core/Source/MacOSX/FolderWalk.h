#pragma once

#include "Core/Source/FileSystem.h"

#include <functional>
#include <string>
#include <vector>

// POSIX helpers behind the disk partitions. Paths and names here are UTF-8 bytes.
namespace MacOSX
{
    // The key under which file names are compared: ASCII letters folded to lower case, every other
    // byte kept. The walk, the cached list and path resolution all use it, so they agree on names
    // with non-ASCII characters and extra dots.
    std::string FileNameKey(std::string const& name);

    // Called for each file met; returning true stops the walk. folder is in the form "." or
    // "./sub/dir", relative to the walk's root.
    using FileVisitor = std::function<bool(std::string const& folder, std::string const& fileName)>;

    // Walks start (a folder at or below root) depth-first without following symbolic links,
    // visiting files (not folders). When not recursive, folders below start are not entered.
    // Returns false when the walk could not start.
    bool WalkFolder(std::string const& root, std::string const& start, bool recursive, FileVisitor const& visit);

    // Finds the file the walk above would meet first among those whose FileNameKey is key, and
    // sets folder to its folder, in the walk's form. Returns false when there is none.
    bool FindFileInTree(std::string const& root, std::string const& start, bool recursive, std::string const& key,
                        std::string* folder);

    // Appends each component to base, taking the entry on disk whose FileNameKey equals the
    // component's when the exact spelling does not exist. "." components are dropped; a component
    // found nowhere is appended as given.
    std::string ResolveCaseless(std::string const& base, std::vector<std::string> const& components);

    // Splits a relative folder text at '/' and '\', dropping empty and "." components.
    std::vector<std::string> SplitFolder(std::string const& folder);

    // Forces the file's data to the disk, then renames it to target (or, exclusively, links it
    // there and removes the temporary name), then forces the folder's entry to the disk.
    Corvane::eReplaceResult ReplaceHostFile(std::string const& temporary, std::string const& target,
                                            Corvane::eReplaceMode mode);

    bool HostFileExists(std::string const& path);

    // $XDG_DATA_HOME (default ~/.local/share) / company / product: where player data belongs.
    std::wstring GetUserDataFolder(std::wstring const& company, std::wstring const& product);
    // The folder of the running executable.
    std::wstring GetApplicationFolder();
}
