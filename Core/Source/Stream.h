#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Corvane
{
    // Where a Seek offset is measured from.
    enum SeekOrigin
    {
        kSeekBegin = 0,
        kSeekCurrent = 1,
        kSeekEnd = 2
    };

    // What a stream is opened for (bit 1 read, bit 2 write).
    enum FileAccess
    {
        kFileRead = 1,
        kFileWrite = 2,
        kFileReadWrite = 3
    };

    // What opening does with an existing or a missing file.
    enum FileCreation
    {
        // Create, truncating an existing file.
        kFileCreateAlways = 0,
        // Create a new file; fail if it exists.
        kFileCreateNew = 1,
        // Open, creating the file when it is missing.
        kFileOpenAlways = 2,
        // Open an existing file only (any other value means the same).
        kFileOpenExisting = 3
    };

    // Bits of IStream::GetCapabilities.
    enum eStreamCapability
    {
        kStreamCanRead = 1,
        kStreamCanWrite = 2,
        kStreamCanSeek = 4,
        // ReadOptimized hands out pointers into the stream's own memory.
        kStreamDirectAccess = 8
    };

    // The byte stream every read and write of the engine goes through.
    class IStream
    {
    public:
        virtual ~IStream() {}

        virtual std::wstring GetName() const = 0;
        virtual unsigned GetCapabilities() const = 0;
        virtual uint32_t GetLength() = 0;
        virtual bool IsEOF() = 0;
        // Returns the bytes copied; fewer than count only at the end of the stream.
        virtual size_t Read(void* buffer, size_t count) = 0;
        // Sets pointer to up to count bytes inside the stream's own memory and consumes them;
        // the pointer stays valid until the next write that grows the stream.
        virtual size_t ReadOptimized(void*& pointer, size_t count) = 0;
        virtual size_t Write(const void* buffer, size_t count) = 0;
        virtual void Seek(SeekOrigin origin, int64_t offset) = 0;
        virtual uint32_t Tell() = 0;
    };

    // Told about a long copy; may ask for it to stop between passes.
    class IDataTransferProgress
    {
    public:
        virtual void OnDataTransferInit(unsigned long total) = 0;
        virtual void OnDataTransferProgress(float fraction, unsigned long bytes) = 0;
        virtual void OnDataTransferComplete() = 0;
        virtual void OnDataTransferError(int code) = 0;
        virtual bool ShouldAbort() = 0;

    protected:
        ~IDataTransferProgress() {}
    };

    // Mixin of objects that copy data and can say how far they are.
    class IDataTransferProgressQuery
    {
    public:
        virtual ~IDataTransferProgressQuery() {}
        virtual unsigned GetDataTransferSize() const = 0;
        virtual unsigned GetDataTransferNumBytesCopied() const = 0;
        // A fraction from 0 to 1 (0 when the size is 0), despite the name.
        virtual float GetDataTransferPctComplete() const;
    };

    // Copies up to count bytes in passes of 1024, reporting each pass to progress (may be
    // null). Stops at the source's end, on an error of either stream (a stream that also is an
    // IErrorStatus with an error set), or when progress asks to abort. Returns the bytes written.
    unsigned long StreamCopy(IStream* source, IStream* target, unsigned long count, IDataTransferProgress* progress);
    // Copies the source's GetLength() bytes.
    unsigned long StreamCopy(IStream* source, IStream* target, IDataTransferProgress* progress);
}
