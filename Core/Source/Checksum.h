#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Corvane
{
    class IStream;

    // Adler-32 arithmetic (sum of bytes in the low 16 bits, sum of sums in the high 16 bits,
    // both modulo 65521) but starting from 0 rather than 1: the values stored in the resources
    // table of contents depend on it.
    uint32_t ComputeChecksum(void const* bytes, size_t length);
    // Checksumming a buffer in pieces gives the value of the whole.
    uint32_t AppendToChecksum(uint32_t checksum, void const* bytes, size_t length);
    // From the stream's current position, until its end or length bytes; a short read ends it.
    uint32_t ComputeChecksum(IStream* stream, uint32_t length);
    // The stream's whole GetLength().
    uint32_t ComputeChecksum(IStream* stream);

    // Skips space, tab, line feed, vertical tab, form feed and carriage return, so that a text
    // file verifies the same whatever its line endings and indentation.
    uint32_t AppendToChecksum_IgnoreWhitespace(uint32_t checksum, void const* bytes, size_t length);
    uint32_t ComputeChecksum_IgnoreWhitespace(IStream* stream);

    // The caseless hash of a path (ASCII letters folded): 0 for an empty path.
    uint32_t ComputeHash(std::wstring const& path);

    // From the last '.' of the whole path (back slashes read as forward), dot included;
    // empty without a dot.
    std::wstring GetFileExtension(std::wstring const& path);
    // Exactly ".txt" or ".xml", case included.
    bool IsTextFile(std::wstring const& path);
}
