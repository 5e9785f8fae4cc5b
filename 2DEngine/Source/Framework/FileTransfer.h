#pragma once

// What the file source needs of downloads: the transfer handle and the manager interface.
// The HTTP download manager itself registers its instance here when it is built.

#include "Core/Source/Error.h"
#include "Core/Source/FileAddress.h"
#include "Core/Source/Label.h"
#include "Core/Source/Stream.h"

#include <boost/intrusive_ptr.hpp>

#include <string>

namespace Corvane
{
    // One file being fetched: its progress, its last error (negative codes are errors) and a
    // reference count; a new transfer starts with a count of 1.
    class IFileTransfer : public IDataTransferProgressQuery, public IErrorStatus, public IReferenced
    {
    public:
        ~IFileTransfer() override {}
        virtual void Abort() = 0;
        // The label of the text after the address's last "/".
        virtual Label GetID() const = 0;
    };

    typedef boost::intrusive_ptr<IFileTransfer> FileTransferRef;

    class IDownloadManager
    {
    public:
        virtual ~IDownloadManager() {}
        virtual void Setup() = 0;
        virtual void Cleanup() = 0;
        virtual void SetBaseURL(std::wstring const& url) = 0;
        // Null when nothing is to be fetched.
        virtual FileTransferRef Download(std::wstring const& path, FileAddress const& destination, int priority,
                                         int size) = 0;
    };

    // The seam to the download subsystem: it registers its manager; until then streaming
    // fetches nothing (Acquire gives null). Registration does not transfer ownership.
    void RegisterDownloadManager(IDownloadManager* manager);
    void UnregisterDownloadManager(IDownloadManager* manager);
    IDownloadManager* GetRegisteredDownloadManager();
}
