#pragma once

#include "Core/Source/FileSystem.h"

#include <map>
#include <string>

namespace Corvane
{
    // first, then '/' unless first already ends with one, then second.
    std::wstring CombinePath(std::wstring const& first, std::wstring const& second);
    // Makes every missing folder along the path; throws RuntimeError "Could not create directory.".
    void CreateDirectory(std::wstring const& path);
    // A new file stream for the host path; throws as the stream's constructor does.
    IStream* OpenFileStream(std::wstring const& path, FileAccess access, FileCreation creation);
}

namespace MacOSX
{
    // A folder tree on the host disk. Files are matched by their whole name without regard to
    // the case of ASCII letters, on disks that do care about case too: every component of a path
    // is looked up that way. While the partition is locked, lookups use a list of every file
    // taken once, instead of walking the disk each time.
    class FileSystemPartition : public Corvane::IFileSystemPartition
    {
    public:
        // The absolute path of the host folder, with or without a trailing slash.
        explicit FileSystemPartition(std::wstring const& root);
        ~FileSystemPartition() override;
        FileSystemPartition(FileSystemPartition const&) = delete;
        FileSystemPartition& operator=(FileSystemPartition const&) = delete;

        Corvane::IStream* OpenStream(Corvane::FileAddress const* address, Corvane::FileAccess access,
                                     Corvane::FileCreation creation) override;
        void Lock() override;
        void Unlock() override;
        bool FindFile(Corvane::FileAddress* address) override;
        bool FindFiles(Corvane::FileAddress const* address, std::vector<Corvane::FileAddress>& found) override;
        void DeleteFile(Corvane::FileAddress const* address) override;
        bool FileExists(Corvane::FileAddress const* address) override;
        Corvane::eReplaceResult ReplaceFile(Corvane::FileAddress const* temporary, Corvane::FileAddress const* target,
                                            Corvane::eReplaceMode mode) override;
        bool GetFileStamp(Corvane::FileAddress const* address, Corvane::sFileStamp* stamp) override;

        // root + folder + name + extension, without looking at the disk.
        std::wstring BuildFilePath(std::wstring const& folder, std::wstring const& name,
                                   std::wstring const& extension) const;
        // The path of the address's file as it is spelled on disk: each existing component matched
        // without regard to case; components that do not exist are kept as given.
        std::wstring ResolveFilePath(Corvane::FileAddress const& address) const;

        std::wstring const& GetRoot() const { return mRoot; }

    private:
        bool Accept(Corvane::FileAddress const* address, char const* operation) const;
        bool FindFileInFolder(std::wstring const& folder, Corvane::FileAddress* address, bool recursive) const;

        std::wstring mRoot;
        unsigned mLockCount;
        // Caseless key of a whole file name (see FileNameKey) to the folder of its first file.
        std::map<std::string, std::wstring> mFileListCache;
        Corvane::IMutex* mMutex;
    };
}
