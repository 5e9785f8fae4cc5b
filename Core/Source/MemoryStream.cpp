#include "Core/Source/MemoryStream.h"

#include "Core/Source/Error.h"

#include <cstring>

namespace Corvane
{
    namespace
    {
        // position + offset, clamped into [0, length] without overflowing on huge offsets.
        size_t ClampedPosition(size_t position, int64_t offset, size_t length)
        {
            if (offset < 0)
            {
                uint64_t back = offset == INT64_MIN ? uint64_t(INT64_MAX) + 1 : uint64_t(-offset);
                return back >= position ? 0 : position - size_t(back);
            }
            uint64_t forward = uint64_t(offset);
            return forward >= length - position ? length : position + size_t(forward);
        }

        size_t SeekTarget(SeekOrigin origin, int64_t offset, size_t current, size_t length)
        {
            switch (origin)
            {
            case kSeekBegin:
                return ClampedPosition(0, offset, length);
            case kSeekCurrent:
                return ClampedPosition(current, offset, length);
            case kSeekEnd:
                return ClampedPosition(length, offset, length);
            }
            return current > length ? length : current;
        }
    }

    MemoryStream::MemoryStream(const std::wstring& name)
        : mName(name), mCursor(0), mHasCursor(false)
    {
    }

    MemoryStream::~MemoryStream()
    {
    }

    std::wstring MemoryStream::GetName() const
    {
        return mName;
    }

    unsigned MemoryStream::GetCapabilities() const
    {
        return kStreamCanRead | kStreamCanWrite | kStreamCanSeek | kStreamDirectAccess;
    }

    uint32_t MemoryStream::GetLength()
    {
        return uint32_t(mData.size());
    }

    bool MemoryStream::IsEOF()
    {
        return Tell() == GetLength();
    }

    size_t MemoryStream::Read(void* buffer, size_t count)
    {
        size_t position = mHasCursor ? mCursor : 0;
        size_t available = mData.size() - position;
        size_t n = count < available ? count : available;
        if (n > 0)
        {
            std::memcpy(buffer, mData.data() + position, n);
            mCursor = position + n;
            mHasCursor = true;
        }
        return n;
    }

    size_t MemoryStream::ReadOptimized(void*& pointer, size_t count)
    {
        size_t position = mHasCursor ? mCursor : 0;
        size_t available = mData.size() - position;
        size_t n = count < available ? count : available;
        if (n > 0)
        {
            pointer = mData.data() + position;
            mCursor = position + n;
            mHasCursor = true;
        }
        else
            pointer = nullptr;
        return n;
    }

    size_t MemoryStream::Write(const void* buffer, size_t count)
    {
        if (count == 0)
            return 0;
        size_t position = mHasCursor ? mCursor : 0;
        size_t end = position + count;
        if (end > mData.size())
            mData.resize(end, 0);
        std::memcpy(mData.data() + position, buffer, count);
        mCursor = end;
        mHasCursor = true;
        return count;
    }

    void MemoryStream::Seek(SeekOrigin origin, int64_t offset)
    {
        if (mData.empty())
        {
            mHasCursor = false;
            mCursor = 0;
            return;
        }
        mCursor = SeekTarget(origin, offset, mHasCursor ? mCursor : 0, mData.size());
        mHasCursor = true;
    }

    uint32_t MemoryStream::Tell()
    {
        return mHasCursor ? uint32_t(mCursor) : 0;
    }

    ReadOnlyMemoryStream::ReadOnlyMemoryStream(const std::wstring& name, const void* block, uint32_t length)
        : mName(name), mBase(static_cast<const unsigned char*>(block)), mLength(block ? length : 0), mCursor(0)
    {
    }

    ReadOnlyMemoryStream::~ReadOnlyMemoryStream()
    {
    }

    std::wstring ReadOnlyMemoryStream::GetName() const
    {
        return mName;
    }

    unsigned ReadOnlyMemoryStream::GetCapabilities() const
    {
        return kStreamCanRead | kStreamDirectAccess;
    }

    uint32_t ReadOnlyMemoryStream::GetLength()
    {
        return mLength;
    }

    bool ReadOnlyMemoryStream::IsEOF()
    {
        return mCursor == mLength;
    }

    size_t ReadOnlyMemoryStream::Read(void* buffer, size_t count)
    {
        size_t available = mLength - mCursor;
        size_t n = count < available ? count : available;
        if (n > 0)
        {
            std::memcpy(buffer, mBase + mCursor, n);
            mCursor += uint32_t(n);
        }
        return n;
    }

    size_t ReadOnlyMemoryStream::ReadOptimized(void*& pointer, size_t count)
    {
        size_t available = mLength - mCursor;
        size_t n = count < available ? count : available;
        pointer = const_cast<unsigned char*>(mBase ? mBase + mCursor : nullptr);
        mCursor += uint32_t(n);
        return n;
    }

    size_t ReadOnlyMemoryStream::Write(const void*, size_t)
    {
        CORVANE_THROW("ReadOnlyMemoryStream::Write is not implemented.");
    }

    void ReadOnlyMemoryStream::Seek(SeekOrigin origin, int64_t offset)
    {
        mCursor = uint32_t(SeekTarget(origin, offset, mCursor, mLength));
    }

    uint32_t ReadOnlyMemoryStream::Tell()
    {
        return mCursor;
    }
}
