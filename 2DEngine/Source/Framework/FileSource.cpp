#include "2DEngine/Source/Framework/FileSource.h"

#include "2DEngine/Source/Framework/DownloadManager.h"

#include "Core/Source/Checksum.h"
#include "Core/Source/Error.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/Log.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"

namespace Corvane
{
    namespace
    {
        uint32_t const kEntrySize = 20;
        uint32_t const kHeaderSize = 4;
        uint32_t const kTrailerSize = 4;

        uint32_t ReadLE32(uint8_t const* bytes)
        {
            return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
        }

        // Every entry and every path string must lie before the trailing checksum, and every path
        // must end there; only then are the entries read.
        bool IsTableWellFormed(std::vector<uint8_t> const& table)
        {
            if (table.size() < kHeaderSize + kTrailerSize)
                return false;
            uint64_t const end = table.size() - kTrailerSize;
            uint64_t const count = ReadLE32(table.data());
            if (kHeaderSize + count * kEntrySize > end)
                return false;
            for (uint64_t i = 0; i < count; ++i)
            {
                uint64_t const offset = ReadLE32(table.data() + kHeaderSize + i * kEntrySize + 12);
                if (offset >= end)
                    return false;
                bool terminated = false;
                for (uint64_t at = offset; at < end && !terminated; ++at)
                    terminated = table[at] == 0;
                if (!terminated)
                    return false;
            }
            return true;
        }

        void CloseThrough(IStream* stream)
        {
            if (IFileSystem* fileSystem = GetFileSystem())
                fileSystem->CloseStream(stream);
            else
                delete stream;
        }
    }

    FileSource::FileSource()
        : mStreaming(false), mTOCSize(0), mHasTOC(false)
    {
    }

    FileSource::~FileSource()
    {
        if (GetFileSource() == this)
            RegisterSingleton(static_cast<IFileSource*>(nullptr));
    }

    IFileSource* CreateDefaultFileSource()
    {
        return new FileSource;
    }

    void RegisterDefaultFileSource()
    {
        if (!IsFileSourceRegistered())
            RegisterSingleton(CreateDefaultFileSource());
        AutoDeleteSingleton(GetFileSource());
    }

    void CleanupFileSource()
    {
        if (IFileSource* source = GetFileSource())
            source->Cleanup();
    }

    void FileSource::InitTOC()
    {
        IFileSystem* fileSystem = GetFileSystem();
        if (!fileSystem)
            return;
        FileAddress address(kFileSystemPartition_Resources, L"resources", L".toc");
        if (!fileSystem->FindFile(&address))
            return;
        IStream* stream = fileSystem->OpenStream(&address, kFileRead, kFileOpenExisting);
        if (!stream)
            return;
        std::vector<uint8_t> table;
        try
        {
            table.resize(stream->GetLength());
            size_t done = 0;
            while (done < table.size())
            {
                size_t const got = stream->Read(table.data() + done, table.size() - done);
                if (got == 0)
                    break;
                done += got;
            }
            table.resize(done);
        }
        catch (...)
        {
            fileSystem->CloseStream(stream);
            throw;
        }
        fileSystem->CloseStream(stream);
        if (table.size() < kTrailerSize)
            CORVANE_THROW("Resource TOC is invalid!");
        uint32_t const stored = ReadLE32(table.data() + table.size() - kTrailerSize);
        if (ComputeChecksum(table.data(), table.size() - kTrailerSize) != stored)
            CORVANE_THROW("Resource TOC checksum is invalid!");
        if (!IsTableWellFormed(table))
            CORVANE_THROW("Resource TOC is invalid!");
        mTOCAddress = address;
        mTOCSize = static_cast<uint32_t>(table.size());
        mTOC.swap(table);
        mHasTOC = true;
    }

    bool FileSource::GetTOCEntry(FileAddress const& address, TOCEntry* entry) const
    {
        if (!mHasTOC || !entry || !IsTableWellFormed(mTOC))
            return false;
        uint32_t const hash = ComputeHash(address.GetName() + address.GetExtension());
        uint32_t const count = ReadLE32(mTOC.data());
        for (uint32_t i = 0; i < count; ++i)
        {
            uint8_t const* record = mTOC.data() + kHeaderSize + size_t(i) * kEntrySize;
            if (ReadLE32(record) != hash)
                continue;
            entry->hash = hash;
            entry->checksum = ReadLE32(record + 4);
            entry->size = ReadLE32(record + 8);
            // Paths are ASCII; reading them as UTF-8 keeps content names with accents intact.
            entry->name = ConvertStringUTF8ToWide(reinterpret_cast<char const*>(mTOC.data() + ReadLE32(record + 12)));
            return true;
        }
        return false;
    }

    bool FileSource::VerifyFile(FileAddress const& address, IStream* stream) const
    {
        TOCEntry entry;
        if (!stream || !GetTOCEntry(address, &entry))
            return false;
        if (IsTextFile(entry.name))
            return ComputeChecksum_IgnoreWhitespace(stream) == entry.checksum;
        if (stream->GetLength() != entry.size)
            return false;
        return ComputeChecksum(stream) == entry.checksum;
    }

    bool FileSource::Locate(FileAddress& address) const
    {
        IFileSystem* fileSystem = GetFileSystem();
        if (!fileSystem)
            return false;
        address.SetFolder(L"");
        if (mStreaming)
        {
            address.SetPartition(kFileSystemPartition_UserData);
            if (fileSystem->FindFile(&address))
                return true;
            address.SetFolder(L"");
        }
        address.SetPartition(kFileSystemPartition_Resources);
        return fileSystem->FindFile(&address);
    }

    IStream* FileSource::OpenFileStream(FileAddress const& address) const
    {
        FileAddress found = address;
        if (!Locate(found))
            return nullptr;
        IFileSystem* fileSystem = GetFileSystem();
        if (mStreaming)
        {
            IStream* check = fileSystem->OpenStream(&found, kFileRead, kFileOpenExisting);
            bool const verified = VerifyFile(found, check);
            fileSystem->CloseStream(check);
            if (!verified)
                return nullptr;
        }
        return fileSystem->OpenStream(&found, kFileRead, kFileOpenExisting);
    }

    int FileSource::GetFileStatus(FileAddress const& address) const
    {
        TOCEntry entry;
        if (mStreaming && !GetTOCEntry(address, &entry))
            return kFileStatus_Unavailable;
        FileAddress found = address;
        if (!Locate(found))
            return mStreaming ? kFileStatus_ToBeFetched : kFileStatus_Unavailable;
        if (!mStreaming)
            return kFileStatus_Available;
        IStream* stream = GetFileSystem()->OpenStream(&found, kFileRead, kFileOpenExisting);
        bool const verified = stream && VerifyFile(found, stream);
        CloseThrough(stream);
        return verified ? kFileStatus_Available : kFileStatus_ToBeFetched;
    }

    bool FileSource::GetDownloadRequest(TOCEntry const& entry, std::wstring* path, FileAddress* destination) const
    {
        std::wstring const listed = ConvertToForwardSlashes(entry.name);
        size_t const firstSlash = listed.find(L'/');
        if (firstSlash == std::wstring::npos)
            return false;
        if (!IsRelativePathInside(listed))
        {
            Internal::LogWrite("Corvane::FileSource: refused the table entry '%ls': it leaves the resource folders.\n",
                               listed.c_str());
            return false;
        }
        size_t const lastSlash = listed.rfind(L'/');
        std::wstring const folder = listed.substr(0, lastSlash);
        std::wstring const fileName = listed.substr(lastSlash + 1);
        size_t const dot = fileName.rfind(L'.');
        std::wstring const name = dot == std::wstring::npos ? fileName : fileName.substr(0, dot);
        std::wstring const extension = dot == std::wstring::npos ? std::wstring() : fileName.substr(dot);
        FileAddress const target(kFileSystemPartition_UserData, folder, name, extension);
        if (!IsAddressInsidePartition(target))
        {
            Internal::LogWrite("Corvane::FileSource: refused the table entry '%ls': it leaves the resource folders.\n",
                               listed.c_str());
            return false;
        }
        if (path)
            *path = listed.substr(firstSlash);
        if (destination)
            *destination = target;
        return true;
    }

    FileTransferRef FileSource::Acquire(FileAddress const& address, int priority)
    {
        if (GetFileStatus(address) != kFileStatus_ToBeFetched)
            return nullptr;
        TOCEntry entry;
        if (!GetTOCEntry(address, &entry))
            return nullptr;
        std::wstring path;
        FileAddress destination;
        if (!GetDownloadRequest(entry, &path, &destination))
            return nullptr;
        IDownloadManager* manager = GetStreamingDownloadManager();
        if (!manager)
            return nullptr;
        return manager->Download(path, destination, priority, static_cast<int>(entry.size));
    }

    void FileSource::InitializeStreaming(std::wstring const& baseAddress)
    {
        InitTOC();
        if (IDownloadManager* manager = GetStreamingDownloadManager())
            manager->SetBaseURL(baseAddress);
        mStreaming = true;
    }

    bool FileSource::Cleanup()
    {
        bool const wasStreaming = mStreaming;
        mStreaming = false;
        return wasStreaming;
    }
}
