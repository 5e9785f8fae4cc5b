#pragma once

#include "Core/Source/Stream.h"

namespace Corvane
{
    // What TextReader::Read returns at the end of the input.
    const wchar_t kTextEOF = static_cast<wchar_t>(-1);

    // Decodes UTF-8 one character at a time, counting lines. Never throws of its own accord:
    // a bad sequence reads as U+FFFD, the end as kTextEOF.
    class TextReader
    {
    public:
        // The stream is not owned.
        explicit TextReader(IStream* stream);

        bool IsEOF() const;
        // The next character, U+FFFD for a bad sequence (also for NUL and anything above
        // U+FFFF), kTextEOF at the end (also for a sequence cut off by the end).
        wchar_t Read();
        // What Read would return, without consuming it; kTextEOF when the stream cannot seek.
        wchar_t Peek();
        // The line (from 1) of the last character read; a line feed belongs to the line it ends.
        int GetLine() const { return mLine; }

    private:
        IStream* mStream;
        int mLine;
        bool mNewlinePending;
    };
}
