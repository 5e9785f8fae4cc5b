#pragma once

#include "Core/Source/Stream.h"

#include <string>

namespace Corvane
{
    // Encodes wide characters to UTF-8 (forms of up to six bytes, code points up to
    // 0x7FFFFFFF) onto a stream; lines end with CR LF.
    class TextWriter
    {
    public:
        // The stream is not owned.
        explicit TextWriter(IStream* stream);

        // A negative character writes nothing.
        void Write(wchar_t character);
        void Write(const std::wstring& text);
        void Write(const wchar_t* text);
        // The text, then CR LF.
        void WriteLine(const wchar_t* text);

    private:
        IStream* mStream;
    };
}
