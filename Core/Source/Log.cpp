#include "Core/Source/Log.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <locale.h>

namespace Corvane
{

namespace
{

// A UTF-8 locale with C conventions: "%ls" of any code point succeeds and "%f"
// always prints a point. Without one, the plain C locale still keeps the point.
locale_t GetFormattingLocale()
{
    static locale_t const locale = [] {
        locale_t made = newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(0));
        if (made == static_cast<locale_t>(0))
            made = newlocale(LC_ALL_MASK, "C.utf8", static_cast<locale_t>(0));
        if (made == static_cast<locale_t>(0))
            made = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
        return made;
    }();
    return locale;
}

// Replaces each UTF-8 sequence, and each stray byte above 127, by one '?'.
std::size_t FoldToASCII(char* text)
{
    unsigned char* read = reinterpret_cast<unsigned char*>(text);
    char* write = text;
    while (*read)
    {
        unsigned char const lead = *read++;
        if (lead < 0x80)
        {
            *write++ = static_cast<char>(lead);
            continue;
        }
        int continuation = 0;
        if (lead >= 0xC0 && lead <= 0xDF)
            continuation = 1;
        else if (lead >= 0xE0 && lead <= 0xEF)
            continuation = 2;
        else if (lead >= 0xF0 && lead <= 0xF7)
            continuation = 3;
        while (continuation > 0 && *read >= 0x80 && *read <= 0xBF)
        {
            ++read;
            --continuation;
        }
        *write++ = '?';
    }
    *write = 0;
    return static_cast<std::size_t>(write - text);
}

} // namespace

void Log(char const* text)
{
    if (text == nullptr || *text == 0)
        return;
    // One fwrite keeps a message from interleaving with another thread's.
    std::fwrite(text, 1, std::strlen(text), stderr);
}

namespace Internal
{

std::size_t FormatASCII(char* buffer, std::size_t size, char const* format, va_list arguments)
{
    if (buffer == nullptr || size == 0)
        return 0;
    buffer[0] = 0;
    if (format == nullptr)
        return 0;
    locale_t const formatting = GetFormattingLocale();
    locale_t const previous = formatting ? uselocale(formatting) : static_cast<locale_t>(0);
    int const written = std::vsnprintf(buffer, size, format, arguments);
    if (formatting)
        uselocale(previous);
    // On a formatting error the buffer's contents are unspecified.
    if (written < 0)
    {
        buffer[0] = 0;
        return 0;
    }
    return FoldToASCII(buffer);
}

void LogWrite(char const* format, ...)
{
    char buffer[1024];
    va_list arguments;
    va_start(arguments, format);
    std::size_t const length = FormatASCII(buffer, sizeof(buffer), format, arguments);
    va_end(arguments);
    if (length > 0)
        Log(buffer);
}

} // namespace Internal

} // namespace Corvane
