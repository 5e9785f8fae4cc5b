#pragma once

#include "2DEngine/Source/Framework/FileTransfer.h"
#include "Core/Source/FileAddress.h"
#include "Core/Source/Stream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Corvane
{
    // How every resource file is opened: by name and extension.
    class IFileSource
    {
    public:
        // Null when the file is not available. The caller closes the stream through the file
        // system (CloseStream).
        virtual IStream* OpenFileStream(FileAddress const& address) const = 0;
        // Leaves streaming mode; returns whether it was on.
        virtual bool Cleanup() = 0;
        virtual ~IFileSource() {}
    };

    // File status values of IStreamable::GetFileStatus.
    enum eFileStatus
    {
        kFileStatus_Available = 0,
        kFileStatus_ToBeFetched = 1,
        kFileStatus_Unavailable = 2
    };

    // A file source whose resources may be incomplete on disk and fetched as needed.
    class IStreamable
    {
    public:
        virtual int GetFileStatus(FileAddress const& address) const = 0;
        // Null when nothing is to be fetched.
        virtual FileTransferRef Acquire(FileAddress const& address, int priority) = 0;
        virtual bool IsStreamingInitialized() const = 0;
        virtual void InitializeStreaming(std::wstring const& baseAddress) = 0;
        virtual ~IStreamable() {}
    };

    // One file of the resources table of contents.
    struct TOCEntry
    {
        uint32_t hash = 0;
        uint32_t checksum = 0;
        uint32_t size = 0;
        std::wstring name;
    };

    // The default file source: files by name and extension from the resources partition; in
    // streaming mode, first from the per-user partition, every file verified against the table of
    // contents ("resources.toc") before it is opened.
    class FileSource : public IFileSource, public IStreamable
    {
    public:
        FileSource();
        ~FileSource() override;
        FileSource(FileSource const&) = delete;
        FileSource& operator=(FileSource const&) = delete;

        IStream* OpenFileStream(FileAddress const& address) const override;
        bool Cleanup() override;
        int GetFileStatus(FileAddress const& address) const override;
        FileTransferRef Acquire(FileAddress const& address, int priority) override;
        bool IsStreamingInitialized() const override { return mStreaming; }
        // Loads the table; throws RuntimeError when the table is damaged (streaming stays off).
        void InitializeStreaming(std::wstring const& baseAddress) override;

        // Loads and checks the table: a missing table leaves none; one whose trailing checksum
        // does not match, or whose entries or paths do not fit its length, throws RuntimeError.
        void InitTOC();
        bool GetTOCEntry(FileAddress const& address, TOCEntry* entry) const;
        // Checks an open file against its entry (reads the stream from its current position).
        bool VerifyFile(FileAddress const& address, IStream* stream) const;

        // The download path and the per-user destination of a file listed in the table; false
        // when the entry's path has no folder or would leave the per-user partition.
        bool GetDownloadRequest(TOCEntry const& entry, std::wstring* path, FileAddress* destination) const;

    private:
        // Fills in the address's folder from the partition where it is found; false when absent.
        bool Locate(FileAddress& address) const;

        bool mStreaming;
        uint32_t mTOCSize;
        std::vector<uint8_t> mTOC;
        bool mHasTOC;
        FileAddress mTOCAddress;
    };

    // A new FileSource, in plain mode with no table.
    IFileSource* CreateDefaultFileSource();
}

namespace Corvane
{
    // Engine set-up: makes and registers the default file source unless the application
    // registered its own, and hands the registered one to the shutdown deletion.
    void RegisterDefaultFileSource();
    // Engine clean-up: leaves streaming mode before the singletons are deleted.
    void CleanupFileSource();
}
