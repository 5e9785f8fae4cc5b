#include "Core/Source/TextReader.h"

#include "Core/Source/Utf8Forms.h"

namespace Corvane
{
    namespace
    {
        const wchar_t kReplacement = 0xFFFD;
    }

    TextReader::TextReader(IStream* stream)
        : mStream(stream), mLine(1), mNewlinePending(false)
    {
    }

    bool TextReader::IsEOF() const
    {
        return mStream->IsEOF();
    }

    wchar_t TextReader::Read()
    {
        unsigned char byte = 0;
        if (mStream->Read(&byte, 1) != 1)
            return kTextEOF;
        if (mNewlinePending)
        {
            ++mLine;
            mNewlinePending = false;
        }

        const Internal::sUtf8Form* form = nullptr;
        for (int i = 0; i < Internal::kUtf8FormCount; ++i)
        {
            if ((byte & Internal::kUtf8Forms[i].leadMask) == Internal::kUtf8Forms[i].leadValue)
            {
                form = &Internal::kUtf8Forms[i];
                break;
            }
        }
        if (!form)
            return kReplacement;

        uint32_t value = byte & form->dataMask;
        for (int i = 0; i < form->continuationBytes; ++i)
        {
            if (mStream->Read(&byte, 1) != 1)
                return kTextEOF;
            value = value * 64 + (byte & 0x3F);
            if ((byte & 0xC0) != 0x80)
            {
                // The offending byte starts the next character when the stream can go back.
                if (mStream->GetCapabilities() & kStreamCanSeek)
                    mStream->Seek(kSeekBegin, int64_t(mStream->Tell()) - 1);
                return kReplacement;
            }
        }

        if (value < form->smallest || value > form->largest || value == 0 || value > 0xFFFF)
            return kReplacement;
        if (value == 0x0A)
            mNewlinePending = true;
        return wchar_t(value);
    }

    wchar_t TextReader::Peek()
    {
        if (!(mStream->GetCapabilities() & kStreamCanSeek))
            return kTextEOF;
        uint32_t position = mStream->Tell();
        int line = mLine;
        bool newlinePending = mNewlinePending;
        wchar_t character = Read();
        mStream->Seek(kSeekBegin, position);
        mLine = line;
        mNewlinePending = newlinePending;
        return character;
    }
}
