#include "Core/Source/TextWriter.h"

#include "Core/Source/Utf8Forms.h"

namespace Corvane
{
    TextWriter::TextWriter(IStream* stream)
        : mStream(stream)
    {
    }

    void TextWriter::Write(wchar_t character)
    {
        if (character < 0)
            return;
        uint32_t value = uint32_t(character);
        for (int i = 0; i < Internal::kUtf8FormCount; ++i)
        {
            const Internal::sUtf8Form& form = Internal::kUtf8Forms[i];
            if (value < form.smallest || value > form.largest)
                continue;
            unsigned char bytes[6];
            for (int j = form.continuationBytes; j > 0; --j)
            {
                bytes[j] = static_cast<unsigned char>((value & 0x3F) | 0x80);
                value >>= 6;
            }
            bytes[0] = static_cast<unsigned char>((value & form.dataMask) | form.leadValue);
            mStream->Write(bytes, size_t(form.continuationBytes) + 1);
            return;
        }
    }

    void TextWriter::Write(const std::wstring& text)
    {
        for (wchar_t character : text)
            Write(character);
    }

    void TextWriter::Write(const wchar_t* text)
    {
        if (!text)
            return;
        for (; *text; ++text)
            Write(*text);
    }

    void TextWriter::WriteLine(const wchar_t* text)
    {
        Write(text);
        Write(wchar_t(0x0D));
        Write(wchar_t(0x0A));
    }
}
