#pragma once

// A per-user partition in a scratch folder, and a partition that can be told to fail, for the
// account tests.

#include "2DEngine/Source/Framework/Account.h"
#include "Core/Source/DiskPartition.h"
#include "Core/Source/Error.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/Singleton.h"
#include "Core/Tests/FileTestSupport.h"

#include <algorithm>
#include <dirent.h>
#include <functional>
#include <memory>

namespace AccountTestSupport
{
    using namespace Corvane;

    // Passes writes through until its budget of bytes is spent, then fails: with a short count
    // (and 0 afterwards) or with an exception, as a full disk or a pulled drive would.
    class FailingStream : public IStream
    {
    public:
        FailingStream(IStream* inner, size_t budget, bool throws) : mInner(inner), mLeft(budget), mThrows(throws) {}
        ~FailingStream() override { delete mInner; }

        std::wstring GetName() const override { return mInner->GetName(); }
        unsigned GetCapabilities() const override { return mInner->GetCapabilities(); }
        uint32_t GetLength() override { return mInner->GetLength(); }
        bool IsEOF() override { return mInner->IsEOF(); }
        size_t Read(void* buffer, size_t count) override { return mInner->Read(buffer, count); }
        size_t ReadOptimized(void*& pointer, size_t count) override { return mInner->ReadOptimized(pointer, count); }
        size_t Write(const void* buffer, size_t count) override
        {
            if (count <= mLeft)
            {
                mLeft -= count;
                return mInner->Write(buffer, count);
            }
            size_t const wrote = mLeft > 0 ? mInner->Write(buffer, mLeft) : 0;
            mLeft = 0;
            if (mThrows)
                CORVANE_THROW("No space left on device");
            return wrote;
        }
        void Seek(SeekOrigin origin, int64_t offset) override { mInner->Seek(origin, offset); }
        uint32_t Tell() override { return mInner->Tell(); }

    private:
        IStream* mInner;
        size_t mLeft;
        bool mThrows;
    };

    // A disk partition whose writes, lookups and renames a test can spoil.
    class FaultyPartition : public IFileSystemPartition
    {
    public:
        explicit FaultyPartition(std::wstring const& root) : mInner(root) {}

        IStream* OpenStream(FileAddress const* address, FileAccess access, FileCreation creation) override
        {
            if ((access & kFileWrite) && refuseWrites)
                return nullptr;
            IStream* stream = mInner.OpenStream(address, access, creation);
            if (stream && (access & kFileWrite) && writeBudget >= 0)
                return new FailingStream(stream, static_cast<size_t>(writeBudget), throwOnFailure);
            return stream;
        }
        void Lock() override { mInner.Lock(); }
        void Unlock() override { mInner.Unlock(); }
        bool FindFile(FileAddress* address) override { return hideFiles ? false : mInner.FindFile(address); }
        bool FindFiles(FileAddress const* address, std::vector<FileAddress>& found) override
        {
            return mInner.FindFiles(address, found);
        }
        void DeleteFile(FileAddress const* address) override { mInner.DeleteFile(address); }
        bool FileExists(FileAddress const* address) override { return mInner.FileExists(address); }
        bool GetFileStamp(FileAddress const* address, sFileStamp* stamp) override
        {
            return mInner.GetFileStamp(address, stamp);
        }
        eReplaceResult ReplaceFile(FileAddress const* temporary, FileAddress const* target, eReplaceMode mode) override
        {
            if (beforeReplace)
                beforeReplace(*target);
            if (failReplace)
                return kReplaceResult_Failed;
            return mInner.ReplaceFile(temporary, target, mode);
        }

        // Bytes each write stream may take; negative means no limit.
        long writeBudget = -1;
        bool throwOnFailure = false;
        bool refuseWrites = false;
        bool hideFiles = false;
        bool failReplace = false;
        std::function<void(FileAddress const&)> beforeReplace;

    private:
        MacOSX::FileSystemPartition mInner;
    };

    // A file system whose per-user partition is a scratch folder.
    class AccountFixture : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            mFileSystem = new FileSystem;
            mPartition = new FaultyPartition(mFolder.WidePath());
            mFileSystem->AddFileSystemPartition(kFileSystemPartition_UserData, mPartition);
        }
        void TearDown() override
        {
            mFileSystem->Cleanup();
            Internal::DeleteAllSingletons();
        }

        // Every name in the folder, sorted.
        std::vector<std::string> Listing() const
        {
            std::vector<std::string> names;
            if (DIR* folder = opendir(mFolder.Path().c_str()))
            {
                while (dirent* entry = readdir(folder))
                {
                    std::string const name = entry->d_name;
                    if (name != "." && name != "..")
                        names.push_back(name);
                }
                closedir(folder);
            }
            std::sort(names.begin(), names.end());
            return names;
        }

        Account MakeAccount(std::string const& fileName, std::string const& contents, std::wstring const& name = L"Ana")
        {
            mFolder.Write(fileName, contents);
            size_t const dot = fileName.find('.');
            std::string const stem = fileName.substr(0, dot);
            std::string const extension = fileName.substr(dot);
            return Account(FileAddress(kFileSystemPartition_UserData, L".", std::wstring(stem.begin(), stem.end()),
                                       std::wstring(extension.begin(), extension.end())),
                           name, false);
        }

        FileTestSupport::ScratchFolder mFolder;
        FileSystem* mFileSystem = nullptr;
        FaultyPartition* mPartition = nullptr;
    };

    inline std::string const kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n";

    inline std::string Record(std::string const& name, std::string const& value)
    {
        return "<record name=\"" + name + "\" value=\"" + value + "\"/>\r\n";
    }
}
