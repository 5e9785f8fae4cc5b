#pragma once

#include "Core/Source/FileAddress.h"
#include "Core/Source/Stream.h"

#include <cstdint>
#include <map>
#include <vector>

namespace Corvane
{
    class IMutex;

    // How ReplaceFile puts a finished temporary file in place.
    enum eReplaceMode
    {
        // Over whatever file has the target's name.
        kReplace_Overwrite = 0,
        // Only when no file has the target's name; the existing file is never touched.
        kReplace_Exclusive = 1
    };

    enum eReplaceResult
    {
        kReplaceResult_Done = 0,
        // This partition does not hold the temporary file; ask the next one.
        kReplaceResult_NotHere = 1,
        // Exclusive mode and the target exists: nothing was changed.
        kReplaceResult_TargetExists = 2,
        // The temporary could not be synced or renamed: nothing was changed.
        kReplaceResult_Failed = 3
    };

    // One version of a file on disk: a file written in place or put in place by ReplaceFile
    // gets another stamp, so a reader may keep what it parsed while the stamp stays the same.
    struct sFileStamp
    {
        int64_t modifiedNanoseconds = 0;
        uint64_t size = 0;
        uint64_t device = 0;
        uint64_t inode = 0;

        bool operator==(sFileStamp const& other) const
        {
            return modifiedNanoseconds == other.modifiedNanoseconds && size == other.size &&
                   device == other.device && inode == other.inode;
        }
        bool operator!=(sFileStamp const& other) const { return !(*this == other); }
    };

    // One folder tree standing behind a partition id.
    class IFileSystemPartition
    {
    public:
        virtual ~IFileSystemPartition() {}
        virtual IStream* OpenStream(FileAddress const* address, FileAccess access, FileCreation creation) = 0;
        virtual void Lock() = 0;
        virtual void Unlock() = 0;
        // Fills in the address's folder when it finds the file.
        virtual bool FindFile(FileAddress* address) = 0;
        virtual bool FindFiles(FileAddress const* address, std::vector<FileAddress>& found) = 0;
        virtual void DeleteFile(FileAddress const* address) = 0;
        // Whether the file is on disk now, at the address's folder (the root when it has none).
        // Never answered from a cached list, so a writer can tell a missing file from one it
        // failed to read.
        virtual bool FileExists(FileAddress const* address) = 0;
        // Makes a fully written temporary file durable and moves it to the target's name in one
        // step, so that a reader sees either the old file or the new one, never a mixture.
        virtual eReplaceResult ReplaceFile(FileAddress const* temporary, FileAddress const* target,
                                           eReplaceMode mode) = 0;
        // False when the file is not here or the partition cannot tell versions apart; callers
        // then read the file afresh.
        virtual bool GetFileStamp(FileAddress const*, sFileStamp*) { return false; }
    };

    class IFileSystem
    {
    public:
        virtual ~IFileSystem() {}
        virtual void Setup() = 0;
        virtual void Cleanup() = 0;
        // Null when no partition of the address's id can open the file.
        virtual IStream* OpenStream(FileAddress const* address, FileAccess access, FileCreation creation) = 0;
        virtual void CloseStream(IStream* stream) = 0;
        // Brackets a burst of lookups: partitions may cache their file lists until Unlock.
        virtual void Lock() = 0;
        virtual void Unlock() = 0;
        virtual bool FindFile(FileAddress* address) = 0;
        virtual bool FindFiles(FileAddress const* address, std::vector<FileAddress>& found) = 0;
        virtual void DeleteFile(FileAddress const* address) = 0;
        // True as soon as one partition of the address's id holds the file now.
        virtual bool FileExists(FileAddress const* address) = 0;
        // Asked of the partitions in order; the first that holds the temporary file decides.
        virtual eReplaceResult ReplaceFile(FileAddress const* temporary, FileAddress const* target,
                                           eReplaceMode mode) = 0;
        // The stamp from the first partition of the address's id that holds the file.
        virtual bool GetFileStamp(FileAddress const*, sFileStamp*) { return false; }
    };

    // The process-wide file system: for each partition id an ordered list of partitions, asked in
    // turn, all under one mutex. It owns its partitions (deleted by Cleanup).
    class FileSystem : public IFileSystem
    {
    public:
        // Becomes the process-wide file system and is deleted with the other singletons.
        FileSystem();
        ~FileSystem() override;
        FileSystem(FileSystem const&) = delete;
        FileSystem& operator=(FileSystem const&) = delete;

        void Setup() override;
        void Cleanup() override;
        IStream* OpenStream(FileAddress const* address, FileAccess access, FileCreation creation) override;
        void CloseStream(IStream* stream) override;
        void Lock() override;
        void Unlock() override;
        bool FindFile(FileAddress* address) override;
        bool FindFiles(FileAddress const* address, std::vector<FileAddress>& found) override;
        void DeleteFile(FileAddress const* address) override;
        bool FileExists(FileAddress const* address) override;
        eReplaceResult ReplaceFile(FileAddress const* temporary, FileAddress const* target,
                                   eReplaceMode mode) override;
        bool GetFileStamp(FileAddress const* address, sFileStamp* stamp) override;

        // Later partitions of an id are asked after earlier ones; the file system takes ownership.
        void AddFileSystemPartition(FileSystemPartition id, IFileSystemPartition* partition);

    private:
        std::vector<IFileSystemPartition*> const* GetPartitions(FileSystemPartition id) const;

        IMutex* mMutex;
        std::map<int, std::vector<IFileSystemPartition*>> mRegistry;
    };

    // Null before the file system is made and after it is destroyed.
    IFileSystem* GetFileSystem();

    // Replaces the address's name by a decimal number of at most 8 digits that no partition of
    // its id holds.
    void GetUniqueFile(FileAddress* address);

    // Opens through the file system and closes through the same one.
    class AutoStream
    {
    public:
        AutoStream(FileAddress const* address, FileAccess access, FileCreation creation);
        ~AutoStream();
        AutoStream(AutoStream const&) = delete;
        AutoStream& operator=(AutoStream const&) = delete;

        IStream* Get() const { return mStream; }
        IStream* operator->() const { return mStream; }
        explicit operator bool() const { return mStream != nullptr; }

    private:
        IFileSystem* mFileSystem;
        IStream* mStream;
    };
}
