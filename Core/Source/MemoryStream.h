#pragma once

#include "Core/Source/Stream.h"

#include <vector>

namespace Corvane
{
    // A growable stream in memory: read, write, seek and direct access.
    class MemoryStream : public IStream
    {
    public:
        explicit MemoryStream(const std::wstring& name);
        ~MemoryStream() override;

        std::wstring GetName() const override;
        unsigned GetCapabilities() const override;
        uint32_t GetLength() override;
        bool IsEOF() override;
        size_t Read(void* buffer, size_t count) override;
        size_t ReadOptimized(void*& pointer, size_t count) override;
        // Writing past the end grows the data to exactly the needed length, new bytes 0.
        size_t Write(const void* buffer, size_t count) override;
        // Clamps the position into [0, length]; on empty data the position stays 0.
        void Seek(SeekOrigin origin, int64_t offset) override;
        uint32_t Tell() override;

        // The whole contents, whatever the position.
        const std::vector<unsigned char>& GetData() const { return mData; }

    private:
        std::wstring mName;
        std::vector<unsigned char> mData;
        // Offset of the cursor; meaningful only once mHasCursor is set (first write, or a seek
        // on non-empty data).
        size_t mCursor;
        bool mHasCursor;
    };

    // A read-only view of a memory block that the stream neither owns nor frees.
    class ReadOnlyMemoryStream : public IStream
    {
    public:
        ReadOnlyMemoryStream(const std::wstring& name, const void* block, uint32_t length);
        ~ReadOnlyMemoryStream() override;

        std::wstring GetName() const override;
        // Read and direct access only; Seek works all the same.
        unsigned GetCapabilities() const override;
        uint32_t GetLength() override;
        bool IsEOF() override;
        size_t Read(void* buffer, size_t count) override;
        size_t ReadOptimized(void*& pointer, size_t count) override;
        // Always throws RuntimeError.
        size_t Write(const void* buffer, size_t count) override;
        void Seek(SeekOrigin origin, int64_t offset) override;
        uint32_t Tell() override;

    private:
        std::wstring mName;
        const unsigned char* mBase;
        uint32_t mLength;
        uint32_t mCursor;
    };
}
