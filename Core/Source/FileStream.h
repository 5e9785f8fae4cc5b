#pragma once

#include "Core/Source/Stream.h"

namespace MacOSX
{
    // A POSIX file. Opening for writing takes an exclusive advisory lock on the file, held
    // until the stream is destroyed; a file already locked by another open stream cannot be
    // opened for writing.
    class FileStream : public Corvane::IStream
    {
    public:
        // Throws Corvane::RuntimeError "Could not open file <path>" when the file cannot be
        // opened as asked.
        FileStream(const std::wstring& path, Corvane::FileAccess access, Corvane::FileCreation creation);
        // Closes the file.
        ~FileStream() override;

        std::wstring GetName() const override;
        // Seek, plus read and write as opened; never direct access.
        unsigned GetCapabilities() const override;
        uint32_t GetLength() override;
        bool IsEOF() override;
        // Reads until count bytes or the end of the file; throws RuntimeError with the
        // system's message on a failure.
        size_t Read(void* buffer, size_t count) override;
        // Not supported: always throws RuntimeError.
        size_t ReadOptimized(void*& pointer, size_t count) override;
        // Writes all count bytes or throws RuntimeError with the system's message.
        size_t Write(const void* buffer, size_t count) override;
        void Seek(Corvane::SeekOrigin origin, int64_t offset) override;
        uint32_t Tell() override;

        // Forces written data to the disk (fsync); throws RuntimeError on a failure. Atomic
        // saves call it before renaming a temporary file over the original.
        void Sync();

        // Maps a seek origin to lseek's whence; throws RuntimeError for a value outside 0-2.
        static int ToWhence(Corvane::SeekOrigin origin);

    private:
        FileStream(const FileStream&) = delete;
        FileStream& operator=(const FileStream&) = delete;

        [[noreturn]] void ThrowSystemError(const char* what, int error) const;

        std::wstring mName;
        int mDescriptor;
        unsigned mCapabilities;
    };
}
