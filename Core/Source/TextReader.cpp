#include "Core/Source/TextReader.h"

#include "Core/Source/Utf8Forms.h"

#include <cstring>

namespace Corvane
{
    namespace
    {
        const wchar_t kReplacement = 0xFFFD;
        const size_t kBlockSize = 65536;
    }

    TextReader::TextReader(IStream* stream)
        : mStream(stream), mCanSeek((stream->GetCapabilities() & kStreamCanSeek) != 0), mLine(1),
          mNewlinePending(false), mBuffer(new unsigned char[kBlockSize]), mPos(0), mEnd(0), mStreamBytes(0)
    {
    }

    bool TextReader::IsEOF() const
    {
        return mPos == mEnd && mStream->IsEOF();
    }

    size_t TextReader::Fill(size_t wanted)
    {
        if (mEnd - mPos >= wanted)
            return mEnd - mPos;
        if (mPos > 0)
        {
            std::memmove(mBuffer.get(), mBuffer.get() + mPos, mEnd - mPos);
            mEnd -= mPos;
            mPos = 0;
        }
        while (mEnd < wanted)
        {
            size_t const n = mStream->Read(mBuffer.get() + mEnd, kBlockSize - mEnd);
            if (n == 0)
                break;
            mEnd += n;
            mStreamBytes += n;
        }
        return mEnd - mPos;
    }

    wchar_t TextReader::Decode(bool consume)
    {
        if (Fill(1) == 0)
            return kTextEOF;
        unsigned char byte = mBuffer[mPos];

        const Internal::sUtf8Form* form = nullptr;
        for (int i = 0; i < Internal::kUtf8FormCount; ++i)
        {
            if ((byte & Internal::kUtf8Forms[i].leadMask) == Internal::kUtf8Forms[i].leadValue)
            {
                form = &Internal::kUtf8Forms[i];
                break;
            }
        }

        wchar_t character = kReplacement;
        bool cutOff = false;
        size_t next = mPos + 1;
        if (form)
        {
            Fill(1 + size_t(form->continuationBytes));
            next = mPos + 1;
            uint32_t value = byte & form->dataMask;
            bool broken = false;
            for (int i = 0; i < form->continuationBytes && !broken; ++i)
            {
                if (next == mEnd)
                {
                    cutOff = true;
                    break;
                }
                byte = mBuffer[next++];
                value = value * 64 + (byte & 0x3F);
                if ((byte & 0xC0) != 0x80)
                {
                    // The offending byte starts the next character when the stream can go back.
                    if (mCanSeek)
                        --next;
                    broken = true;
                }
            }
            if (!broken && !cutOff && value >= form->smallest && value <= form->largest && value != 0 &&
                value <= 0xFFFF)
                character = wchar_t(value);
        }

        if (consume)
        {
            mPos = next;
            CountLine(character);
        }
        return cutOff ? kTextEOF : character;
    }
}
