#include "Core/Source/StringUtils.h"

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <locale.h>

namespace
{
    constexpr uint32_t kReplacement = 0xFFFD;
    constexpr uint32_t kMaxCodePoint = 0x10FFFF;

    bool IsSurrogate(uint32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

    // Each decoder reads one code point at the cursor and advances it; it is never called
    // on the terminating zero and never steps past it.
    uint32_t DecodeASCII(char const*& cursor)
    {
        unsigned char byte = static_cast<unsigned char>(*cursor++);
        return byte < 0x80 ? byte : kReplacement;
    }

    uint32_t DecodeUTF8(unsigned char const*& cursor)
    {
        unsigned char lead = *cursor++;
        if (lead < 0x80)
            return lead;

        int continuations;
        uint32_t value;
        uint32_t minimum;
        if (lead >= 0xC0 && lead <= 0xDF)
        {
            continuations = 1;
            value = lead & 0x1F;
            minimum = 0x80;
        }
        else if (lead >= 0xE0 && lead <= 0xEF)
        {
            continuations = 2;
            value = lead & 0x0F;
            minimum = 0x800;
        }
        else if (lead >= 0xF0 && lead <= 0xF7)
        {
            continuations = 3;
            value = lead & 0x07;
            minimum = 0x10000;
        }
        else
        {
            // A lone continuation byte or a byte that never starts a sequence.
            return kReplacement;
        }

        for (int i = 0; i < continuations; ++i)
        {
            unsigned char next = *cursor;
            // The text ends here: the cut sequence is replaced and the zero stays for the caller.
            if (next == 0)
                return kReplacement;
            ++cursor;
            if (next < 0x80 || next > 0xBF)
                return kReplacement;
            value = (value << 6) | (next & 0x3F);
        }

        // Overlong forms could smuggle characters such as '/' or NUL past checks made on the
        // decoded text, and encoded surrogates are not characters: neither is accepted.
        if (value < minimum || IsSurrogate(value) || value > kMaxCodePoint)
            return kReplacement;
        return value;
    }

    uint32_t DecodeUTF16(unsigned short const*& cursor)
    {
        uint32_t unit = *cursor++;
        if (unit < 0xD800 || unit > 0xDFFF)
            return unit;
        if (unit >= 0xDC00)
            return kReplacement;

        uint32_t low = *cursor;
        if (low == 0)
            return kReplacement;
        ++cursor;
        if (low < 0xDC00 || low > 0xDFFF)
            return kReplacement;
        return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }

    uint32_t DecodeWide(wchar_t const*& cursor)
    {
        return static_cast<uint32_t>(*cursor++);
    }

    // Each encoder writes the code point into units (room for four) and returns the count.
    size_t EncodeASCII(uint32_t c, char* units)
    {
        units[0] = c < 0x80 ? static_cast<char>(c) : '?';
        return 1;
    }

    size_t EncodeUTF8(uint32_t c, unsigned char* units)
    {
        if (c > kMaxCodePoint || IsSurrogate(c))
            c = kReplacement;
        if (c < 0x80)
        {
            units[0] = static_cast<unsigned char>(c);
            return 1;
        }
        if (c < 0x800)
        {
            units[0] = static_cast<unsigned char>(0xC0 + (c >> 6));
            units[1] = static_cast<unsigned char>(0x80 + (c & 0x3F));
            return 2;
        }
        if (c < 0x10000)
        {
            units[0] = static_cast<unsigned char>(0xE0 + (c >> 12));
            units[1] = static_cast<unsigned char>(0x80 + ((c >> 6) & 0x3F));
            units[2] = static_cast<unsigned char>(0x80 + (c & 0x3F));
            return 3;
        }
        units[0] = static_cast<unsigned char>(0xF0 + (c >> 18));
        units[1] = static_cast<unsigned char>(0x80 + ((c >> 12) & 0x3F));
        units[2] = static_cast<unsigned char>(0x80 + ((c >> 6) & 0x3F));
        units[3] = static_cast<unsigned char>(0x80 + (c & 0x3F));
        return 4;
    }

    size_t EncodeUTF16(uint32_t c, unsigned short* units)
    {
        if (c > kMaxCodePoint || IsSurrogate(c))
            c = kReplacement;
        if (c < 0x10000)
        {
            units[0] = static_cast<unsigned short>(c);
            return 1;
        }
        units[0] = static_cast<unsigned short>(0xD7C0 + (c >> 10));
        units[1] = static_cast<unsigned short>(0xDC00 + (c & 0x3FF));
        return 2;
    }

    size_t EncodeWide(uint32_t c, wchar_t* units)
    {
        units[0] = static_cast<wchar_t>(c);
        return 1;
    }

    template <class Source, class Unit, class Decode, class Encode>
    size_t Convert(Source const* source, Unit* destination, size_t capacity, Decode decode, Encode encode)
    {
        Unit units[4];
        if (destination == nullptr || capacity == 0)
        {
            size_t needed = 1;
            if (source)
            {
                while (*source != 0)
                    needed += encode(decode(source), units);
            }
            return needed;
        }

        size_t written = 0;
        if (source)
        {
            while (*source != 0)
            {
                size_t count = encode(decode(source), units);
                // A code point is never split, and the last unit is kept for the terminator.
                if (written + count > capacity - 1)
                    break;
                for (size_t i = 0; i < count; ++i)
                    destination[written++] = units[i];
            }
        }
        destination[written] = 0;
        return capacity;
    }

    template <class Source, class Decode>
    std::wstring ConvertToWideString(Source const* source, Decode decode)
    {
        std::wstring result;
        if (source)
        {
            while (*source != 0)
                result.push_back(static_cast<wchar_t>(decode(source)));
        }
        return result;
    }

    locale_t GetCLocale()
    {
        static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
        return cLocale;
    }
}

namespace Corvane
{
    size_t ConvertStringASCIIToWide(char const* source, wchar_t* destination, size_t capacity)
    {
        return Convert(source, destination, capacity, DecodeASCII, EncodeWide);
    }

    std::wstring ConvertStringASCIIToWide(char const* source)
    {
        return ConvertToWideString(source, DecodeASCII);
    }

    std::wstring ConvertStringASCIIToWide(std::string const& source)
    {
        return ConvertStringASCIIToWide(source.c_str());
    }

    size_t TruncateStringWideToASCII(wchar_t const* source, char* destination, size_t capacity)
    {
        return Convert(source, destination, capacity, DecodeWide, EncodeASCII);
    }

    std::string TruncateStringWideToASCII(wchar_t const* source)
    {
        std::string result;
        char unit;
        if (source)
        {
            while (*source != 0)
            {
                EncodeASCII(DecodeWide(source), &unit);
                result.push_back(unit);
            }
        }
        return result;
    }

    std::string TruncateStringWideToASCII(std::wstring const& source)
    {
        return TruncateStringWideToASCII(source.c_str());
    }

    size_t ConvertStringUTF8ToWide(unsigned char const* source, wchar_t* destination, size_t capacity)
    {
        return Convert(source, destination, capacity, DecodeUTF8, EncodeWide);
    }

    std::wstring ConvertStringUTF8ToWide(unsigned char const* source)
    {
        return ConvertToWideString(source, DecodeUTF8);
    }

    std::wstring ConvertStringUTF8ToWide(char const* source)
    {
        return ConvertStringUTF8ToWide(reinterpret_cast<unsigned char const*>(source));
    }

    std::wstring ConvertStringUTF8ToWide(std::string const& source)
    {
        return ConvertStringUTF8ToWide(source.c_str());
    }

    size_t ConvertStringUTF16ToWide(unsigned short const* source, wchar_t* destination, size_t capacity)
    {
        return Convert(source, destination, capacity, DecodeUTF16, EncodeWide);
    }

    std::wstring ConvertStringUTF16ToWide(unsigned short const* source)
    {
        return ConvertToWideString(source, DecodeUTF16);
    }

    size_t ConvertStringWideToUTF16(wchar_t const* source, unsigned short* destination, size_t capacity)
    {
        return Convert(source, destination, capacity, DecodeWide, EncodeUTF16);
    }

    boost::shared_array<unsigned short> ConvertStringWideToUTF16(wchar_t const* source)
    {
        size_t size = ConvertStringWideToUTF16(source, nullptr, 0);
        boost::shared_array<unsigned short> result(new unsigned short[size]);
        ConvertStringWideToUTF16(source, result.get(), size);
        return result;
    }

    size_t ConvertStringWideToUTF8(wchar_t const* source, unsigned char* destination, size_t capacity)
    {
        return Convert(source, destination, capacity, DecodeWide, EncodeUTF8);
    }

    boost::shared_array<unsigned char> ConvertStringWideToUTF8(wchar_t const* source)
    {
        size_t size = ConvertStringWideToUTF8(source, nullptr, 0);
        boost::shared_array<unsigned char> result(new unsigned char[size]);
        ConvertStringWideToUTF8(source, result.get(), size);
        return result;
    }

    std::string ConvertStringWideToUTF8String(std::wstring const& source)
    {
        std::string result;
        result.reserve(source.size());
        unsigned char units[4];
        for (wchar_t c : source)
        {
            size_t count = EncodeUTF8(static_cast<uint32_t>(c), units);
            result.append(reinterpret_cast<char const*>(units), count);
        }
        return result;
    }

    int htoi(wchar_t character)
    {
        if (character >= L'0' && character <= L'9')
            return character - L'0';
        if (character >= L'a' && character <= L'z')
            return character - L'a' + 10;
        if (character >= L'A' && character <= L'Z')
            return character - L'A' + 10;
        return 0;
    }

    uint32_t ConvertStringToInteger(wchar_t const* text, int base)
    {
        if (text == nullptr)
            return 0;
        while (*text == L' ' || *text == L'\t')
            ++text;
        uint32_t value = 0;
        for (; *text != 0; ++text)
        {
            wchar_t c = *text;
            bool isDigit = (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
            if (!isDigit)
                break;
            value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(htoi(c));
        }
        return value;
    }

    uint32_t ConvertStringToInteger(std::wstring const& text, int base)
    {
        return ConvertStringToInteger(text.c_str(), base);
    }

    std::wstring ConvertToForwardSlashes(std::wstring const& path)
    {
        std::wstring result(path);
        std::replace(result.begin(), result.end(), L'\\', L'/');
        return result;
    }
}

wchar_t* itow(int value, wchar_t* buffer, int /*radix*/)
{
    swprintf(buffer, 32, L"%d", value);
    return buffer;
}

int wtoi(wchar_t const* text)
{
    if (text == nullptr)
        return 0;
    long value = wcstol(text, nullptr, 10);
    // long is 64 bits here: keep out-of-range text at the int limits instead of wrapping.
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

int wtoi(std::wstring const& text)
{
    return wtoi(text.c_str());
}

float wtof(wchar_t const* text)
{
    if (text == nullptr)
        return 0.0f;
    // Content writes "0.5" whatever the player's locale, so never read a decimal comma.
    locale_t cLocale = GetCLocale();
    if (cLocale != static_cast<locale_t>(0))
        return wcstof_l(text, nullptr, cLocale);
    return wcstof(text, nullptr);
}

float wtof(std::wstring const& text)
{
    return wtof(text.c_str());
}

int wcsicmp(wchar_t const* a, wchar_t const* b)
{
    for (;; ++a, ++b)
    {
        wint_t lowerA = towlower(static_cast<wint_t>(*a));
        wint_t lowerB = towlower(static_cast<wint_t>(*b));
        if (lowerA != lowerB || *a == 0 || *b == 0)
            return static_cast<int>(lowerA) - static_cast<int>(lowerB);
    }
}

size_t wcstoucs(wchar_t const* source, unsigned short* destination, size_t capacity)
{
    if (destination == nullptr || capacity == 0)
        return 0;
    size_t written = 0;
    for (; source && *source != 0; ++source)
    {
        uint32_t c = static_cast<uint32_t>(*source);
        if (c > kMaxCodePoint)
            continue;
        if (c < 0x10000)
        {
            if (written + 1 > capacity - 1)
                break;
            destination[written++] = static_cast<unsigned short>(c);
        }
        else
        {
            if (written + 2 > capacity - 1)
                break;
            destination[written++] = static_cast<unsigned short>(0xD7C0 + (c >> 10));
            destination[written++] = static_cast<unsigned short>(0xDC00 + (c & 0x3FF));
        }
    }
    destination[written] = 0;
    return written;
}
