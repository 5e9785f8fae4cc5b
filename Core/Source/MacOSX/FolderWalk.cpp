#include "Core/Source/MacOSX/FolderWalk.h"

#include "Core/Source/MacOSX/FolderListing.h"

#include "Core/Source/DiskPartition.h"
#include "Core/Source/StringUtils.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace MacOSX
{
    std::string FileNameKey(std::string const& name)
    {
        std::string key = name;
        for (char& c : key)
        {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return key;
    }

    namespace
    {
        // The folder of a file entry, relative to root, in the form "." or "./a/b".
        std::string RelativeFolder(std::string const& root, std::string const& entryPath)
        {
            size_t const slash = entryPath.rfind('/');
            std::string const directory = slash == std::string::npos ? std::string() : entryPath.substr(0, slash);
            std::string relative;
            if (directory.size() > root.size() && directory.compare(0, root.size(), root) == 0)
                relative = directory.substr(root.size());
            std::string folder = ".";
            for (std::string const& component : SplitFolder(relative))
                folder += "/" + component;
            return folder;
        }
    }

    std::vector<std::string> SplitFolder(std::string const& folder)
    {
        std::vector<std::string> components;
        size_t start = 0;
        while (start <= folder.size())
        {
            size_t end = folder.find_first_of("/\\", start);
            if (end == std::string::npos)
                end = folder.size();
            std::string const component = folder.substr(start, end - start);
            if (!component.empty() && component != ".")
                components.push_back(component);
            start = end + 1;
        }
        return components;
    }

    namespace
    {
        // The path of an entry of folder, spelled as a walk from folder spells it.
        std::string ChildPath(std::string const& folder, std::string const& name)
        {
            return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
        }

        // Walks start itself only when it is a real folder, not a link to one.
        bool IsWalkableFolder(std::string const& start)
        {
            struct stat status;
            return lstat(start.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        }

        // Depth-first in the disk's order, as the walk has always gone: a folder's entries one by
        // one, each subfolder entered where it is met. Returns true when the visitor stopped it.
        bool WalkListed(std::string const& root, std::string const& path, bool recursive, FileVisitor const& visit)
        {
            std::shared_ptr<FolderListing const> const listing = ListFolder(path);
            if (!listing)
                return false;
            std::string const folder = RelativeFolder(root, path + "/");
            for (FolderEntry const& entry : listing->entries)
            {
                if (!entry.isFolder)
                {
                    if (visit(folder, entry.name))
                        return true;
                }
                else if (recursive && WalkListed(root, ChildPath(path, entry.name), true, visit))
                {
                    return true;
                }
            }
            return false;
        }

        // The same order as WalkListed, without visiting every file: the first file with the key
        // comes after the subfolders listed before it.
        bool FindListed(std::string const& root, std::string const& path, bool recursive, std::string const& key,
                        std::string* found)
        {
            std::shared_ptr<FolderListing const> const listing = ListFolder(path);
            if (!listing)
                return false;
            auto const file = listing->firstFileByKey.find(key);
            size_t const fileIndex = file == listing->firstFileByKey.end() ? std::string::npos : file->second;
            if (recursive)
            {
                for (size_t const index : listing->folders)
                {
                    if (index > fileIndex)
                        break;
                    if (FindListed(root, ChildPath(path, listing->entries[index].name), true, key, found))
                        return true;
                }
            }
            if (fileIndex != std::string::npos)
            {
                *found = RelativeFolder(root, path + "/");
                return true;
            }
            return false;
        }
    }

    bool WalkFolder(std::string const& root, std::string const& start, bool recursive, FileVisitor const& visit)
    {
        if (IsWalkableFolder(start))
            WalkListed(root, start, recursive, visit);
        return true;
    }

    bool FindFileInTree(std::string const& root, std::string const& start, bool recursive, std::string const& key,
                        std::string* folder)
    {
        return IsWalkableFolder(start) && FindListed(root, start, recursive, key, folder);
    }

    bool HostFileExists(std::string const& path)
    {
        struct stat status;
        return lstat(path.c_str(), &status) == 0;
    }

    std::string ResolveCaseless(std::string const& base, std::vector<std::string> const& components)
    {
        std::string path = base;
        for (std::string const& component : components)
        {
            if (component == ".")
                continue;
            std::string const exact = path + "/" + component;
            if (HostFileExists(exact))
            {
                path = exact;
                continue;
            }
            std::string match = component;
            if (std::shared_ptr<FolderListing const> const listing = ListFolder(path))
            {
                auto const entry = listing->firstByKey.find(FileNameKey(component));
                if (entry != listing->firstByKey.end())
                    match = listing->entries[entry->second].name;
            }
            path += "/" + match;
        }
        return path;
    }

    namespace
    {
        bool SyncPath(std::string const& path, int flags)
        {
            int descriptor;
            do
                descriptor = open(path.c_str(), flags | O_CLOEXEC);
            while (descriptor < 0 && errno == EINTR);
            if (descriptor < 0)
                return false;
            int result;
            do
                result = fsync(descriptor);
            while (result != 0 && errno == EINTR);
            close(descriptor);
            return result == 0;
        }

        std::string FolderOf(std::string const& path)
        {
            size_t const slash = path.rfind('/');
            if (slash == std::string::npos)
                return ".";
            return slash == 0 ? std::string("/") : path.substr(0, slash);
        }
    }

    Corvane::eReplaceResult ReplaceHostFile(std::string const& temporary, std::string const& target,
                                            Corvane::eReplaceMode mode)
    {
        if (!HostFileExists(temporary))
            return Corvane::kReplaceResult_NotHere;
        if (!SyncPath(temporary, O_RDONLY))
            return Corvane::kReplaceResult_Failed;
        if (mode == Corvane::kReplace_Exclusive)
        {
            // link() refuses an existing target, so a file made meanwhile by anyone is never
            // replaced.
            if (link(temporary.c_str(), target.c_str()) != 0)
            {
                if (errno == EEXIST)
                    return Corvane::kReplaceResult_TargetExists;
                // Disks without hard links: reserve the name exclusively, then rename over the
                // reservation, which is ours.
                int const reservation = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
                if (reservation < 0)
                    return errno == EEXIST ? Corvane::kReplaceResult_TargetExists : Corvane::kReplaceResult_Failed;
                close(reservation);
                if (rename(temporary.c_str(), target.c_str()) != 0)
                {
                    unlink(target.c_str());
                    return Corvane::kReplaceResult_Failed;
                }
            }
            else
            {
                unlink(temporary.c_str());
            }
        }
        else if (rename(temporary.c_str(), target.c_str()) != 0)
        {
            return Corvane::kReplaceResult_Failed;
        }
        // The rename itself is only durable once the folder is synced; the new file is in place
        // whatever this reports.
        SyncPath(FolderOf(target), O_RDONLY | O_DIRECTORY);
        return Corvane::kReplaceResult_Done;
    }

    std::wstring GetUserDataFolder(std::wstring const& company, std::wstring const& product)
    {
        std::string base;
        char const* dataHome = std::getenv("XDG_DATA_HOME");
        if (dataHome && dataHome[0] == '/')
        {
            base = dataHome;
        }
        else
        {
            char const* home = std::getenv("HOME");
            if (!home || home[0] != '/')
            {
                if (passwd const* user = getpwuid(getuid()))
                    home = user->pw_dir;
            }
            base = std::string(home ? home : "/tmp") + "/.local/share";
        }
        std::wstring const wideBase = Corvane::ConvertStringUTF8ToWide(base);
        return Corvane::CombinePath(Corvane::CombinePath(wideBase, company), product);
    }

    std::wstring GetApplicationFolder()
    {
        char buffer[PATH_MAX];
        ssize_t const length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
        if (length <= 0)
            return L".";
        std::string const path(buffer, static_cast<size_t>(length));
        return Corvane::ConvertStringUTF8ToWide(FolderOf(path));
    }
}
