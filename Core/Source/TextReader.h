#pragma once

#include "Core/Source/Stream.h"

#include <cstddef>
#include <memory>

namespace Corvane
{
    // What TextReader::Read returns at the end of the input.
    const wchar_t kTextEOF = static_cast<wchar_t>(-1);

    // Decodes UTF-8 one character at a time, counting lines. Never throws of its own accord:
    // a bad sequence reads as U+FFFD, the end as kTextEOF.
    //
    // The stream is read ahead in blocks (a call per character made large files slow to
    // parse), so its own position runs ahead of the characters read; GetBytesRead says how
    // far the reading really is.
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
        // The bytes of the stream taken by the characters read so far.
        size_t GetBytesRead() const { return mStreamBytes - (mEnd - mPos); }

    private:
        TextReader(const TextReader&) = delete;
        TextReader& operator=(const TextReader&) = delete;

        // Plain ASCII other than NUL decodes to itself.
        static bool IsPlain(unsigned char byte) { return byte - 1u < 0x7Fu; }
        // The general case of Read (consume) and Peek.
        wchar_t Decode(bool consume);
        // Reads from the stream until wanted bytes are buffered or the stream ends; returns
        // the bytes buffered.
        size_t Fill(size_t wanted);
        void CountLine(wchar_t character)
        {
            if (mNewlinePending)
            {
                ++mLine;
                mNewlinePending = false;
            }
            if (character == L'\n')
                mNewlinePending = true;
        }

        IStream* mStream;
        bool mCanSeek;
        int mLine;
        bool mNewlinePending;
        std::unique_ptr<unsigned char[]> mBuffer;
        size_t mPos;
        size_t mEnd;
        size_t mStreamBytes;
    };

    inline wchar_t TextReader::Read()
    {
        if (mPos < mEnd && IsPlain(mBuffer[mPos]))
        {
            wchar_t const character = wchar_t(mBuffer[mPos++]);
            CountLine(character);
            return character;
        }
        return Decode(true);
    }

    inline wchar_t TextReader::Peek()
    {
        if (!mCanSeek)
            return kTextEOF;
        if (mPos < mEnd && IsPlain(mBuffer[mPos]))
            return wchar_t(mBuffer[mPos]);
        return Decode(false);
    }
}
