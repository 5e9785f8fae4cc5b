#include "Core/Source/DiskPartition.h"

#include "Core/Source/Error.h"
#include "Core/Source/FileStream.h"
#include "Core/Source/Log.h"
#include "Core/Source/MacOSX/FolderWalk.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/Thread.h"

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <typeinfo>
#include <unistd.h>

namespace Corvane
{
    std::wstring CombinePath(std::wstring const& first, std::wstring const& second)
    {
        if (!first.empty() && first.back() == L'/')
            return first + second;
        return first + L"/" + second;
    }

    void CreateDirectory(std::wstring const& widePath)
    {
        std::string const path = ConvertStringWideToUTF8String(widePath);
        size_t const first = path.find_first_not_of('/');
        if (first == std::string::npos)
            return;
        size_t slash = path.find('/', first);
        for (;;)
        {
            std::string const prefix = slash == std::string::npos ? path : path.substr(0, slash);
            if (DIR* folder = opendir(prefix.c_str()))
            {
                closedir(folder);
            }
            else if (mkdir(prefix.c_str(), 0755) != 0)
            {
                // Another thread or process may have made it in the meantime.
                DIR* again = errno == EEXIST ? opendir(prefix.c_str()) : nullptr;
                if (!again)
                    CORVANE_THROW("Could not create directory.");
                closedir(again);
            }
            if (slash == std::string::npos)
                return;
            slash = path.find('/', slash + 1);
        }
    }

    IStream* OpenFileStream(std::wstring const& path, FileAccess access, FileCreation creation)
    {
        return new MacOSX::FileStream(path, access, creation);
    }
}

namespace MacOSX
{
    using namespace Corvane;

    namespace
    {
        std::string ToUTF8(std::wstring const& text)
        {
            return ConvertStringWideToUTF8String(text);
        }

        std::wstring ToWide(std::string const& text)
        {
            return ConvertStringUTF8ToWide(text);
        }

        // The host path of the partition's root as the walks and resolution start it.
        std::string RootBytes(std::wstring const& root)
        {
            std::string bytes = ToUTF8(root);
            return bytes == "/" ? std::string() : bytes;
        }

        std::wstring FolderPart(std::wstring const& path)
        {
            size_t const slash = path.rfind(L'/');
            return slash == std::wstring::npos ? path : path.substr(0, slash);
        }
    }

    FileSystemPartition::FileSystemPartition(std::wstring const& root)
        : mRoot(root), mLockCount(0), mMutex(nullptr)
    {
        while (mRoot.size() > 1 && mRoot.back() == L'/')
            mRoot.pop_back();
        mMutex = CreateMutex();
    }

    FileSystemPartition::~FileSystemPartition()
    {
        delete mMutex;
    }

    bool FileSystemPartition::Accept(FileAddress const* address, char const* operation) const
    {
        if (!address)
            return false;
        std::string reason;
        if (IsAddressInsidePartition(*address, &reason))
            return true;
        Internal::LogWrite("MacOSX::FileSystemPartition::%s: refused the file '%ls%ls' in folder '%ls': %s.\n",
                           operation, address->GetName().c_str(), address->GetExtension().c_str(),
                           address->GetFolder().c_str(), reason.c_str());
        return false;
    }

    std::wstring FileSystemPartition::BuildFilePath(std::wstring const& folder, std::wstring const& name,
                                                    std::wstring const& extension) const
    {
        return CombinePath(CombinePath(mRoot, ConvertToForwardSlashes(folder)), name) + extension;
    }

    std::wstring FileSystemPartition::ResolveFilePath(FileAddress const& address) const
    {
        std::wstring const folder = address.HasFolder() ? address.GetFolder() : std::wstring(L".");
        std::vector<std::string> components = SplitFolder(ToUTF8(folder));
        components.push_back(ToUTF8(address.GetFileName()));
        return ToWide(ResolveCaseless(RootBytes(mRoot), components));
    }

    IStream* FileSystemPartition::OpenStream(FileAddress const* address, FileAccess access, FileCreation creation)
    {
        if (!Accept(address, "OpenStream"))
            return nullptr;
        try
        {
            std::wstring const path = ResolveFilePath(*address);
            if (creation == kFileCreateAlways || creation == kFileCreateNew)
                CreateDirectory(FolderPart(path));
            return OpenFileStream(path, access, creation);
        }
        catch (RuntimeError const& error)
        {
            Internal::LogWrite("MacOSX::FileSystemPartition::OpenStream Exception: ");
            Internal::LogWrite("%s\n", typeid(error).name());
            Internal::LogWrite("\tFunction:\t%s\n", error.GetFunction().c_str());
            Internal::LogWrite("\tFile:\t%s\n", error.GetFile().c_str());
            Internal::LogWrite("\tLine:\t%d\n", error.GetLine());
            Internal::LogWrite("\tMessage:\t%s\n", error.what());
        }
        catch (std::exception const& error)
        {
            Internal::LogWrite("MacOSX::FileSystemPartition::OpenStream Exception: ");
            Internal::LogWrite("%s\n", typeid(error).name());
            Internal::LogWrite("\tMessage:\t%s\n", error.what());
        }
        return nullptr;
    }

    bool FileSystemPartition::FindFileInFolder(std::wstring const& folder, FileAddress* address, bool recursive) const
    {
        std::string const root = RootBytes(mRoot);
        std::string const start = ResolveCaseless(root, SplitFolder(ToUTF8(folder)));
        std::string foundFolder;
        bool const found = FindFileInTree(root, start.empty() ? std::string("/") : start, recursive,
                                          FileNameKey(ToUTF8(address->GetFileName())), &foundFolder);
        if (found)
            address->SetFolder(ToWide(foundFolder));
        return found;
    }

    bool FileSystemPartition::FindFile(FileAddress* address)
    {
        if (!Accept(address, "FindFile"))
            return false;
        ScopedLock lock(mMutex);
        // A name without any dot is never a content file: the walk and the cache both pass it over.
        if (address->GetFileName().find(L'.') == std::wstring::npos)
            return false;
        if (mLockCount > 0)
        {
            auto cached = mFileListCache.find(FileNameKey(ToUTF8(address->GetFileName())));
            if (cached == mFileListCache.end())
                return false;
            address->SetFolder(cached->second);
            return true;
        }
        if (address->HasFolder())
            return FindFileInFolder(address->GetFolder(), address, false);
        return FindFileInFolder(L".", address, true);
    }

    bool FileSystemPartition::FindFiles(FileAddress const* address, std::vector<FileAddress>& found)
    {
        if (!Accept(address, "FindFiles") || !address->HasFolder())
            return false;
        ScopedLock lock(mMutex);
        std::string const root = RootBytes(mRoot);
        std::string const start = ResolveCaseless(root, SplitFolder(ToUTF8(address->GetFolder())));
        std::string const wanted = FileNameKey(ToUTF8(address->GetExtension()));
        WalkFolder(root, start.empty() ? std::string("/") : start, false,
                   [&](std::string const& fileFolder, std::string const& fileName) {
                       size_t const dot = fileName.find('.');
                       if (dot == std::string::npos || FileNameKey(fileName.substr(dot)) != wanted)
                           return false;
                       found.emplace_back(address->partition, ToWide(fileFolder), ToWide(fileName.substr(0, dot)),
                                          ToWide(fileName.substr(dot)));
                       return false;
                   });
        return !found.empty();
    }

    void FileSystemPartition::Lock()
    {
        ScopedLock lock(mMutex);
        if (mLockCount == 0)
        {
            std::string const root = RootBytes(mRoot);
            WalkFolder(root, root.empty() ? std::string("/") : root, true,
                       [this](std::string const& fileFolder, std::string const& fileName) {
                           mFileListCache.emplace(FileNameKey(fileName), ToWide(fileFolder));
                           return false;
                       });
        }
        ++mLockCount;
    }

    void FileSystemPartition::Unlock()
    {
        ScopedLock lock(mMutex);
        if (mLockCount == 0)
            return;
        if (--mLockCount == 0)
            mFileListCache.clear();
    }

    void FileSystemPartition::DeleteFile(FileAddress const* address)
    {
        if (!Accept(address, "DeleteFile"))
            return;
        unlink(ToUTF8(ResolveFilePath(*address)).c_str());
    }

    bool FileSystemPartition::FileExists(FileAddress const* address)
    {
        if (!Accept(address, "FileExists"))
            return false;
        return HostFileExists(ToUTF8(ResolveFilePath(*address)));
    }

    eReplaceResult FileSystemPartition::ReplaceFile(FileAddress const* temporary, FileAddress const* target,
                                                    eReplaceMode mode)
    {
        if (!Accept(temporary, "ReplaceFile") || !Accept(target, "ReplaceFile"))
            return kReplaceResult_Failed;
        return ReplaceHostFile(ToUTF8(ResolveFilePath(*temporary)), ToUTF8(ResolveFilePath(*target)), mode);
    }

    bool FileSystemPartition::GetFileStamp(FileAddress const* address, sFileStamp* stamp)
    {
        if (!stamp || !Accept(address, "GetFileStamp"))
            return false;
        struct stat status;
        if (stat(ToUTF8(ResolveFilePath(*address)).c_str(), &status) != 0 || !S_ISREG(status.st_mode))
            return false;
        stamp->modifiedNanoseconds =
            static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 + static_cast<int64_t>(status.st_mtim.tv_nsec);
        stamp->size = static_cast<uint64_t>(status.st_size);
        stamp->device = static_cast<uint64_t>(status.st_dev);
        stamp->inode = static_cast<uint64_t>(status.st_ino);
        return true;
    }
}
