#pragma once

#include <cstdint>

namespace Corvane
{
    namespace Internal
    {
        // The six UTF-8 sequence forms (up to 0x7FFFFFFF) shared by TextReader and TextWriter.
        struct sUtf8Form
        {
            unsigned char leadMask;
            unsigned char leadValue;
            unsigned char dataMask;
            int continuationBytes;
            uint32_t smallest;
            uint32_t largest;
        };

        const int kUtf8FormCount = 6;

        const sUtf8Form kUtf8Forms[kUtf8FormCount] = {
            {0x80, 0x00, 0x7F, 0, 0x0, 0x7F},
            {0xE0, 0xC0, 0x1F, 1, 0x80, 0x7FF},
            {0xF0, 0xE0, 0x0F, 2, 0x800, 0xFFFF},
            {0xF8, 0xF0, 0x07, 3, 0x10000, 0x1FFFFF},
            {0xFC, 0xF8, 0x03, 4, 0x200000, 0x3FFFFFF},
            {0xFE, 0xFC, 0x01, 5, 0x4000000, 0x7FFFFFFF},
        };
    }
}
