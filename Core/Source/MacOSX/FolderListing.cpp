#include "Core/Source/MacOSX/FolderListing.h"

#include "Core/Source/MacOSX/FolderWalk.h"

#include <atomic>
#include <ctime>
#include <dirent.h>
#include <mutex>
#include <sys/stat.h>

namespace MacOSX
{
    namespace
    {
        // Longer than the coarsest stamp a disk keeps (two seconds on FAT) and than the clock
        // tick file times are taken from.
        long long const kSettledNanoseconds = 2000000000LL;
        // Many short-lived folders (scratch folders of tests) must not make the cache grow forever.
        size_t const kMostFoldersKept = 4096;

        long long Nanoseconds(timespec const& time)
        {
            return static_cast<long long>(time.tv_sec) * 1000000000LL + time.tv_nsec;
        }

        struct FolderStamp
        {
            dev_t device;
            ino_t inode;
            long long modified;
            long long changed;

            bool operator==(FolderStamp const& other) const
            {
                return device == other.device && inode == other.inode && modified == other.modified &&
                       changed == other.changed;
            }
        };

        struct KeptListing
        {
            FolderStamp stamp;
            std::shared_ptr<FolderListing const> listing;
        };

        struct ListingCache
        {
            std::mutex mutex;
            std::unordered_map<std::string, KeptListing> folders;
        };

        ListingCache& Cache()
        {
            static ListingCache cache;
            return cache;
        }

        std::atomic<unsigned long long> gFolderReads{0};

        bool IsFolderEntry(std::string const& folder, dirent const* entry)
        {
            if (entry->d_type == DT_DIR)
                return true;
            if (entry->d_type != DT_UNKNOWN)
                return false;
            struct stat status;
            std::string const path = folder + "/" + entry->d_name;
            return lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        }

        std::shared_ptr<FolderListing const> ReadFolder(std::string const& path)
        {
            DIR* folder = opendir(path.c_str());
            if (!folder)
                return nullptr;
            ++gFolderReads;
            auto listing = std::make_shared<FolderListing>();
            while (dirent* entry = readdir(folder))
            {
                std::string name = entry->d_name;
                if (name == "." || name == "..")
                    continue;
                size_t const index = listing->entries.size();
                bool const isFolder = IsFolderEntry(path, entry);
                std::string const key = FileNameKey(name);
                listing->firstByKey.emplace(key, index);
                if (isFolder)
                    listing->folders.push_back(index);
                else
                    listing->firstFileByKey.emplace(key, index);
                listing->entries.push_back(FolderEntry{std::move(name), isFolder});
            }
            closedir(folder);
            return listing;
        }
    }

    std::shared_ptr<FolderListing const> ListFolder(std::string const& givenPath)
    {
        std::string const path = givenPath.empty() ? std::string("/") : givenPath;
        timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        struct stat status;
        if (stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
            return nullptr;
        FolderStamp const stamp{status.st_dev, status.st_ino, Nanoseconds(status.st_mtim),
                                Nanoseconds(status.st_ctim)};
        ListingCache& cache = Cache();
        {
            std::lock_guard<std::mutex> lock(cache.mutex);
            auto kept = cache.folders.find(path);
            if (kept != cache.folders.end() && kept->second.stamp == stamp)
                return kept->second.listing;
        }
        // Read without holding the lock: other threads go on with other folders meanwhile. The
        // stamp was taken before reading, so a change made during the read shows next time.
        std::shared_ptr<FolderListing const> listing = ReadFolder(path);
        if (!listing)
            return nullptr;
        std::lock_guard<std::mutex> lock(cache.mutex);
        if (Nanoseconds(now) - stamp.modified < kSettledNanoseconds)
        {
            cache.folders.erase(path);
            return listing;
        }
        if (cache.folders.size() >= kMostFoldersKept)
            cache.folders.clear();
        cache.folders[path] = KeptListing{stamp, listing};
        return listing;
    }

    unsigned long long GetFolderReadCount()
    {
        return gFolderReads.load();
    }
}
