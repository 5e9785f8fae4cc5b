#pragma once

#include "Core/Source/Stream.h"

#include <string>

namespace Corvane
{
    // RFC 4648 Base64 with '=' padding and no line breaks.
    namespace Base64
    {
        // Encodes the source from its current position to its end.
        std::wstring Encode(IStream* source);
        // Writes the decoded bytes to the target. Characters outside the alphabet (padding,
        // white space, line breaks) are skipped; bits of an incomplete last group are dropped.
        void Decode(const std::wstring& text, IStream* target);
        // The six bits a character of the alphabet stands for; -1 for any other character.
        int ValueOf(wchar_t character);
    }
}
