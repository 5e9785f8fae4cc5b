#include "Core/Source/Checksum.h"

#include "Core/Source/Label.h"
#include "Core/Source/Stream.h"
#include "Core/Source/StringUtils.h"

namespace
{
    constexpr uint32_t kModulus = 65521;
    // The largest count of bytes whose sums cannot overflow 32 bits between reductions.
    constexpr size_t kBlockSize = 5552;
    constexpr size_t kStreamBufferSize = 1024;

    bool IsChecksumWhitespace(unsigned char byte)
    {
        return byte == ' ' || byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' || byte == '\r';
    }

    // Feeds the stream's bytes to append in pieces of at most 1,024 bytes until its end, a
    // short read or limit bytes.
    template <class Append>
    uint32_t ChecksumStream(Corvane::IStream* stream, uint32_t limit, Append append)
    {
        uint32_t checksum = 0;
        if (stream == nullptr)
            return checksum;
        unsigned char buffer[kStreamBufferSize];
        uint32_t total = 0;
        while (total < limit && !stream->IsEOF())
        {
            size_t wanted = limit - total;
            if (wanted > sizeof(buffer))
                wanted = sizeof(buffer);
            size_t got = stream->Read(buffer, wanted);
            // A stream that returns nothing without reporting its end would keep us here.
            if (got == 0)
                break;
            if (got > wanted)
                got = wanted;
            checksum = append(checksum, buffer, got);
            total += static_cast<uint32_t>(got);
        }
        return checksum;
    }
}

namespace Corvane
{
    uint32_t ComputeChecksum(void const* bytes, size_t length)
    {
        return AppendToChecksum(0, bytes, length);
    }

    uint32_t AppendToChecksum(uint32_t checksum, void const* bytes, size_t length)
    {
        uint32_t a = checksum & 0xFFFF;
        uint32_t b = checksum >> 16;
        unsigned char const* p = static_cast<unsigned char const*>(bytes);
        if (p == nullptr)
            length = 0;

        size_t block = length % kBlockSize;
        while (length > 0)
        {
            length -= block;
            for (; block >= 8; block -= 8, p += 8)
            {
                a += p[0]; b += a;
                a += p[1]; b += a;
                a += p[2]; b += a;
                a += p[3]; b += a;
                a += p[4]; b += a;
                a += p[5]; b += a;
                a += p[6]; b += a;
                a += p[7]; b += a;
            }
            for (; block > 0; --block, ++p)
            {
                a += *p;
                b += a;
            }
            a %= kModulus;
            b %= kModulus;
            block = kBlockSize;
        }
        return (b << 16) + a;
    }

    uint32_t ComputeChecksum(IStream* stream, uint32_t length)
    {
        return ChecksumStream(stream, length, AppendToChecksum);
    }

    uint32_t ComputeChecksum(IStream* stream)
    {
        if (stream == nullptr)
            return 0;
        return ComputeChecksum(stream, stream->GetLength());
    }

    uint32_t AppendToChecksum_IgnoreWhitespace(uint32_t checksum, void const* bytes, size_t length)
    {
        unsigned char const* p = static_cast<unsigned char const*>(bytes);
        if (p == nullptr)
            return checksum;
        for (size_t i = 0; i < length; ++i)
        {
            if (!IsChecksumWhitespace(p[i]))
                checksum = AppendToChecksum(checksum, p + i, 1);
        }
        return checksum;
    }

    uint32_t ComputeChecksum_IgnoreWhitespace(IStream* stream)
    {
        if (stream == nullptr)
            return 0;
        return ChecksumStream(stream, stream->GetLength(), AppendToChecksum_IgnoreWhitespace);
    }

    uint32_t ComputeHash(std::wstring const& path)
    {
        return cCaselessStringHasher().ComputeHash(path.c_str());
    }

    std::wstring GetFileExtension(std::wstring const& path)
    {
        std::wstring forward = ConvertToForwardSlashes(path);
        size_t dot = forward.rfind(L'.');
        if (dot == std::wstring::npos)
            return std::wstring();
        return forward.substr(dot);
    }

    bool IsTextFile(std::wstring const& path)
    {
        std::wstring extension = GetFileExtension(path);
        return extension == L".txt" || extension == L".xml";
    }
}
