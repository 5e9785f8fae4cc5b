#include "Core/Source/FileStream.h"

#include "Core/Source/Error.h"
#include "Core/Source/StringUtils.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace MacOSX
{
    namespace
    {
        std::string SystemMessage(int error)
        {
            char buffer[256];
            // The GNU strerror_r may return a static text instead of filling the buffer.
            const char* text = strerror_r(error, buffer, sizeof buffer);
            return text ? std::string(text) : std::string("error ") + std::to_string(error);
        }

        int OpenFlags(Corvane::FileAccess access, Corvane::FileCreation creation)
        {
            bool read = (access & Corvane::kFileRead) != 0;
            bool write = (access & Corvane::kFileWrite) != 0;
            int flags = O_CLOEXEC;
            if (read && write)
                flags |= O_RDWR;
            else if (write)
                flags |= O_WRONLY;
            else
                flags |= O_RDONLY;
            switch (creation)
            {
            case Corvane::kFileCreateAlways:
                flags |= O_CREAT | O_TRUNC;
                break;
            case Corvane::kFileCreateNew:
                flags |= O_CREAT | O_EXCL;
                break;
            case Corvane::kFileOpenAlways:
                flags |= O_CREAT;
                break;
            default:
                break;
            }
            return flags;
        }
    }

    FileStream::FileStream(const std::wstring& path, Corvane::FileAccess access, Corvane::FileCreation creation)
        : mName(path), mDescriptor(-1), mCapabilities(Corvane::kStreamCanSeek)
    {
        if (access & Corvane::kFileRead)
            mCapabilities |= Corvane::kStreamCanRead;
        if (access & Corvane::kFileWrite)
            mCapabilities |= Corvane::kStreamCanWrite;

        std::string utf8 = Corvane::ConvertStringWideToUTF8String(path);
        // A path with an embedded NUL would silently open a different file.
        if (utf8.find('\0') != std::string::npos)
            CORVANE_THROW(L"Could not open file " + path);

        int flags = OpenFlags(access, creation);
        // Truncation waits until the lock is held, so that a file locked by another writer is
        // never emptied under it.
        bool truncate = (flags & O_TRUNC) != 0 && (access & Corvane::kFileWrite) != 0;
        if (truncate)
            flags &= ~O_TRUNC;
        do
            mDescriptor = ::open(utf8.c_str(), flags, 0644);
        while (mDescriptor < 0 && errno == EINTR);
        if (mDescriptor < 0)
            CORVANE_THROW(L"Could not open file " + path);

        if (access & Corvane::kFileWrite)
        {
            // The exclusive lock of a writer. Not waiting for it: a second writer in this very
            // process would otherwise wait forever.
            int locked;
            do
                locked = ::flock(mDescriptor, LOCK_EX | LOCK_NB);
            while (locked < 0 && errno == EINTR);
            if (locked < 0 || (truncate && ::ftruncate(mDescriptor, 0) < 0))
            {
                ::close(mDescriptor);
                mDescriptor = -1;
                CORVANE_THROW(L"Could not open file " + path);
            }
        }
    }

    FileStream::~FileStream()
    {
        if (mDescriptor >= 0)
            ::close(mDescriptor);
    }

    void FileStream::ThrowSystemError(const char* what, int error) const
    {
        std::wstring message = Corvane::ConvertStringASCIIToWide(what) + mName + L": " +
                               Corvane::ConvertStringASCIIToWide(SystemMessage(error));
        CORVANE_THROW(message);
    }

    std::wstring FileStream::GetName() const
    {
        return mName;
    }

    unsigned FileStream::GetCapabilities() const
    {
        return mCapabilities;
    }

    uint32_t FileStream::GetLength()
    {
        uint32_t position = Tell();
        Seek(Corvane::kSeekEnd, 0);
        uint32_t length = Tell();
        Seek(Corvane::kSeekBegin, position);
        return length;
    }

    bool FileStream::IsEOF()
    {
        return Tell() == GetLength();
    }

    size_t FileStream::Read(void* buffer, size_t count)
    {
        unsigned char* bytes = static_cast<unsigned char*>(buffer);
        size_t total = 0;
        while (total < count)
        {
            ssize_t n = ::read(mDescriptor, bytes + total, count - total);
            if (n < 0)
            {
                if (errno == EINTR)
                    continue;
                ThrowSystemError("Could not read file ", errno);
            }
            if (n == 0)
                break;
            total += size_t(n);
        }
        return total;
    }

    size_t FileStream::ReadOptimized(void*&, size_t)
    {
        CORVANE_THROW("MacOSX::FileStream does not implement ReadOptimized.");
    }

    size_t FileStream::Write(const void* buffer, size_t count)
    {
        const unsigned char* bytes = static_cast<const unsigned char*>(buffer);
        size_t total = 0;
        while (total < count)
        {
            ssize_t n = ::write(mDescriptor, bytes + total, count - total);
            if (n < 0)
            {
                if (errno == EINTR)
                    continue;
                ThrowSystemError("Could not write file ", errno);
            }
            // write() never returns 0 for a regular file unless nothing was asked; guard anyway.
            if (n == 0)
                ThrowSystemError("Could not write file ", EIO);
            total += size_t(n);
        }
        return total;
    }

    int FileStream::ToWhence(Corvane::SeekOrigin origin)
    {
        switch (origin)
        {
        case Corvane::kSeekBegin:
            return SEEK_SET;
        case Corvane::kSeekCurrent:
            return SEEK_CUR;
        case Corvane::kSeekEnd:
            return SEEK_END;
        }
        CORVANE_THROW("Invalid value for Corvane::SeekOrigin");
    }

    void FileStream::Seek(Corvane::SeekOrigin origin, int64_t offset)
    {
        int whence = ToWhence(origin);
        if (::lseek(mDescriptor, off_t(offset), whence) == off_t(-1))
            ThrowSystemError("Could not seek in file ", errno);
    }

    uint32_t FileStream::Tell()
    {
        off_t position = ::lseek(mDescriptor, 0, SEEK_CUR);
        if (position == off_t(-1))
            ThrowSystemError("Could not seek in file ", errno);
        return uint32_t(position);
    }

    void FileStream::Sync()
    {
        int result;
        do
            result = ::fsync(mDescriptor);
        while (result < 0 && errno == EINTR);
        if (result < 0)
            ThrowSystemError("Could not write file ", errno);
    }
}
