#include "Core/Source/FileSystem.h"

#include "Core/Source/Log.h"
#include "Core/Source/Random.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/Thread.h"

#include <random>

namespace Corvane
{
    namespace
    {
        IFileSystem* gFileSystem = nullptr;

        // Refused addresses never reach a partition: a content name must not name a file outside
        // the tree it belongs to.
        bool AcceptAddress(FileAddress const* address, char const* operation)
        {
            if (!address)
                return false;
            std::string reason;
            if (IsAddressInsidePartition(*address, &reason))
                return true;
            Internal::LogWrite("Corvane::FileSystem::%s: refused the file '%ls%ls' in folder '%ls': %s.\n", operation,
                               address->GetName().c_str(), address->GetExtension().c_str(),
                               address->GetFolder().c_str(), reason.c_str());
            return false;
        }

        float DrawUniqueFileFloat()
        {
            if (IRandomNumberStream* stream = Random::GetNamedStream(2))
                return stream->GetFloat();
            // Before the engine's streams exist (tools, tests) a private stream still gives
            // well-spread names.
            static std::mt19937 fallback{std::random_device{}()};
            return std::generate_canonical<float, 24>(fallback) * 0.99999994f;
        }
    }

    FileSystem::FileSystem()
        : mMutex(nullptr)
    {
        gFileSystem = this;
        AutoDeleteSingleton(this);
        mMutex = CreateMutex();
    }

    FileSystem::~FileSystem()
    {
        // Partitions left by a missing Cleanup would otherwise leak.
        for (auto& entry : mRegistry)
        {
            for (IFileSystemPartition* partition : entry.second)
                delete partition;
        }
        delete mMutex;
        if (gFileSystem == this)
            gFileSystem = nullptr;
    }

    IFileSystem* GetFileSystem()
    {
        return gFileSystem;
    }

    void FileSystem::Setup()
    {
    }

    void FileSystem::Cleanup()
    {
        ScopedLock lock(mMutex);
        for (auto& entry : mRegistry)
        {
            for (IFileSystemPartition* partition : entry.second)
                delete partition;
        }
        mRegistry.clear();
    }

    void FileSystem::AddFileSystemPartition(FileSystemPartition id, IFileSystemPartition* partition)
    {
        if (!partition)
            return;
        ScopedLock lock(mMutex);
        mRegistry[id].push_back(partition);
    }

    std::vector<IFileSystemPartition*> const* FileSystem::GetPartitions(FileSystemPartition id) const
    {
        auto found = mRegistry.find(id);
        return found == mRegistry.end() ? nullptr : &found->second;
    }

    IStream* FileSystem::OpenStream(FileAddress const* address, FileAccess access, FileCreation creation)
    {
        if (!AcceptAddress(address, "OpenStream"))
            return nullptr;
        ScopedLock lock(mMutex);
        if (auto partitions = GetPartitions(address->partition))
        {
            for (IFileSystemPartition* partition : *partitions)
            {
                if (IStream* stream = partition->OpenStream(address, access, creation))
                    return stream;
            }
        }
        return nullptr;
    }

    void FileSystem::CloseStream(IStream* stream)
    {
        delete stream;
    }

    void FileSystem::Lock()
    {
        ScopedLock lock(mMutex);
        for (auto& entry : mRegistry)
        {
            for (IFileSystemPartition* partition : entry.second)
                partition->Lock();
        }
    }

    void FileSystem::Unlock()
    {
        ScopedLock lock(mMutex);
        for (auto& entry : mRegistry)
        {
            for (IFileSystemPartition* partition : entry.second)
                partition->Unlock();
        }
    }

    bool FileSystem::FindFile(FileAddress* address)
    {
        if (!AcceptAddress(address, "FindFile"))
            return false;
        ScopedLock lock(mMutex);
        if (auto partitions = GetPartitions(address->partition))
        {
            for (IFileSystemPartition* partition : *partitions)
            {
                if (partition->FindFile(address))
                    return true;
            }
        }
        return false;
    }

    bool FileSystem::FindFiles(FileAddress const* address, std::vector<FileAddress>& found)
    {
        if (!AcceptAddress(address, "FindFiles"))
            return false;
        ScopedLock lock(mMutex);
        if (auto partitions = GetPartitions(address->partition))
        {
            for (IFileSystemPartition* partition : *partitions)
            {
                if (partition->FindFiles(address, found))
                    return true;
            }
        }
        return false;
    }

    void FileSystem::DeleteFile(FileAddress const* address)
    {
        if (!AcceptAddress(address, "DeleteFile"))
            return;
        ScopedLock lock(mMutex);
        if (auto partitions = GetPartitions(address->partition))
        {
            for (IFileSystemPartition* partition : *partitions)
                partition->DeleteFile(address);
        }
    }

    bool FileSystem::FileExists(FileAddress const* address)
    {
        if (!AcceptAddress(address, "FileExists"))
            return false;
        ScopedLock lock(mMutex);
        if (auto partitions = GetPartitions(address->partition))
        {
            for (IFileSystemPartition* partition : *partitions)
            {
                if (partition->FileExists(address))
                    return true;
            }
        }
        return false;
    }

    eReplaceResult FileSystem::ReplaceFile(FileAddress const* temporary, FileAddress const* target, eReplaceMode mode)
    {
        if (!AcceptAddress(temporary, "ReplaceFile") || !AcceptAddress(target, "ReplaceFile"))
            return kReplaceResult_Failed;
        ScopedLock lock(mMutex);
        if (auto partitions = GetPartitions(target->partition))
        {
            for (IFileSystemPartition* partition : *partitions)
            {
                eReplaceResult const result = partition->ReplaceFile(temporary, target, mode);
                if (result != kReplaceResult_NotHere)
                    return result;
            }
        }
        return kReplaceResult_NotHere;
    }

    bool FileSystem::GetFileStamp(FileAddress const* address, sFileStamp* stamp)
    {
        if (!stamp || !AcceptAddress(address, "GetFileStamp"))
            return false;
        ScopedLock lock(mMutex);
        if (auto partitions = GetPartitions(address->partition))
        {
            for (IFileSystemPartition* partition : *partitions)
            {
                if (partition->FileExists(address))
                    return partition->GetFileStamp(address, stamp);
            }
        }
        return false;
    }

    void GetUniqueFile(FileAddress* address)
    {
        if (!address)
            return;
        do
        {
            float const f = DrawUniqueFileFloat();
            unsigned long const n = static_cast<unsigned long>(f * 100000000.0f);
            FileAddress const renamed(address->partition, address->GetFolder(), std::to_wstring(n),
                                      address->GetExtension());
            *address = renamed;
        } while (GetFileSystem() && GetFileSystem()->FindFile(address));
    }

    AutoStream::AutoStream(FileAddress const* address, FileAccess access, FileCreation creation)
        : mFileSystem(GetFileSystem()), mStream(nullptr)
    {
        if (mFileSystem)
            mStream = mFileSystem->OpenStream(address, access, creation);
    }

    AutoStream::~AutoStream()
    {
        if (mFileSystem)
            mFileSystem->CloseStream(mStream);
    }
}
