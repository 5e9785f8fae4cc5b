#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>
#include <algorithm>
#include <boost/shared_array.hpp>

// Text inside the program is wide (UTF-32 code points); files are UTF-8, platform strings
// UTF-16, labels and logs narrow ASCII. None of these conversions fails: undecodable input
// becomes U+FFFD (or '?' in ASCII).
//
// Every buffer form takes (source, destination, capacity in destination units):
// with a null destination or a capacity of 0 it returns the units needed, terminator
// included, and writes nothing; otherwise it converts whole code points while they fit
// before the last unit, writes the terminator and returns the capacity.
namespace Corvane
{
    size_t ConvertStringASCIIToWide(char const* source, wchar_t* destination, size_t capacity);
    std::wstring ConvertStringASCIIToWide(char const* source);
    std::wstring ConvertStringASCIIToWide(std::string const& source);

    // Characters above 127 become '?'.
    size_t TruncateStringWideToASCII(wchar_t const* source, char* destination, size_t capacity);
    std::string TruncateStringWideToASCII(wchar_t const* source);
    std::string TruncateStringWideToASCII(std::wstring const& source);

    size_t ConvertStringUTF8ToWide(unsigned char const* source, wchar_t* destination, size_t capacity);
    std::wstring ConvertStringUTF8ToWide(unsigned char const* source);
    std::wstring ConvertStringUTF8ToWide(char const* source);
    std::wstring ConvertStringUTF8ToWide(std::string const& source);

    size_t ConvertStringUTF16ToWide(unsigned short const* source, wchar_t* destination, size_t capacity);
    std::wstring ConvertStringUTF16ToWide(unsigned short const* source);

    // Zero-terminated.
    size_t ConvertStringWideToUTF16(wchar_t const* source, unsigned short* destination, size_t capacity);
    boost::shared_array<unsigned short> ConvertStringWideToUTF16(wchar_t const* source);

    // Zero-terminated.
    size_t ConvertStringWideToUTF8(wchar_t const* source, unsigned char* destination, size_t capacity);
    boost::shared_array<unsigned char> ConvertStringWideToUTF8(wchar_t const* source);
    // The same bytes as a narrow string, without the terminator.
    std::string ConvertStringWideToUTF8String(std::wstring const& source);

    // '0'-'9' give 0-9, letters of either case 10-35, anything else 0.
    int htoi(wchar_t character);

    // Skips leading blanks and tabs, then accumulates letters and digits (as htoi) in
    // unsigned 32-bit arithmetic until the first other character. No sign.
    uint32_t ConvertStringToInteger(wchar_t const* text, int base);
    uint32_t ConvertStringToInteger(std::wstring const& text, int base);

    std::wstring ConvertToForwardSlashes(std::wstring const& path);
}

// Prints the value in decimal into a buffer of at least 32 wide characters; the radix is ignored.
wchar_t* itow(int value, wchar_t* buffer, int radix);
// Base-10 integer with leading white space and a sign; 0 without digits; clamped to the int range.
int wtoi(wchar_t const* text);
int wtoi(std::wstring const& text);
// The leading decimal number, read in the C locale whatever the user's locale; 0 without one.
float wtof(wchar_t const* text);
float wtof(std::wstring const& text);
// Difference of the towlower'ed characters at the first mismatch; 0 when equal.
int wcsicmp(wchar_t const* a, wchar_t const* b);

// UTF-16 for the platform: surrogate pairs above U+FFFF, values above U+10FFFF dropped; stops
// when the next unit or pair would not fit before the last unit; zero-terminated.
// Returns the units written, terminator excluded.
size_t wcstoucs(wchar_t const* source, unsigned short* destination, size_t capacity);

namespace StringUtils
{
    template <class String, class Characters>
    String RemoveCharacters(String const& text, Characters const& characters)
    {
        String result;
        result.reserve(text.size());
        for (auto c : text)
        {
            if (std::find(std::begin(characters), std::end(characters), c) == std::end(characters))
                result.push_back(c);
        }
        return result;
    }

    // A leading separator is dropped, a trailing one adds no empty word, two adjacent ones
    // add one empty word, and an empty text gives no words.
    template <class String, class Character>
    std::vector<String> GetWords(String const& text, Character separator)
    {
        std::vector<String> words;
        size_t position = 0;
        if (!text.empty() && text[0] == separator)
            position = 1;
        while (position < text.size())
        {
            size_t next = text.find(separator, position);
            if (next == String::npos)
            {
                words.push_back(text.substr(position));
                break;
            }
            words.push_back(text.substr(position, next - position));
            position = next + 1;
        }
        return words;
    }
}

namespace Corvane
{
    namespace StringUtils = ::StringUtils;
}

// Raised to at least low, then lowered to at most high.
template <class T>
T restrict_range(T value, T high, T low)
{
    if (value < low)
        value = low;
    if (value > high)
        value = high;
    return value;
}
