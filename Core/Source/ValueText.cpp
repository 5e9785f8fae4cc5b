#include "Core/Source/ValueText.h"

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <locale.h>

namespace
{
    locale_t GetCLocale()
    {
        static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
        return cLocale;
    }
}

namespace Corvane
{
    namespace ValueText
    {
        bool ReadInt(std::wstring const& text, size_t& position, int& value)
        {
            if (position >= text.size())
                return false;
            wchar_t const* start = text.c_str() + position;
            wchar_t* end = nullptr;
            errno = 0;
            long long number = wcstoll(start, &end, 10);
            if (end == start)
                return false;
            if (number > INT_MAX)
                number = INT_MAX;
            if (number < INT_MIN)
                number = INT_MIN;
            value = static_cast<int>(number);
            position += static_cast<size_t>(end - start);
            return true;
        }

        bool ReadFloat(std::wstring const& text, size_t& position, float& value)
        {
            if (position >= text.size())
                return false;
            wchar_t const* start = text.c_str() + position;
            wchar_t* end = nullptr;
            locale_t cLocale = GetCLocale();
            float number = cLocale != static_cast<locale_t>(0) ? wcstof_l(start, &end, cLocale) : wcstof(start, &end);
            if (end == start)
                return false;
            value = number;
            position += static_cast<size_t>(end - start);
            return true;
        }

        std::wstring FormatFloat(float value)
        {
            char buffer[64];
            locale_t cLocale = GetCLocale();
            locale_t previous = static_cast<locale_t>(0);
            if (cLocale != static_cast<locale_t>(0))
                previous = uselocale(cLocale);
            // Nine significant digits always read back to the same float; try fewer first.
            for (int digits = 6; digits <= 9; ++digits)
            {
                snprintf(buffer, sizeof(buffer), "%.*g", digits, static_cast<double>(value));
                if (strtof(buffer, nullptr) == value || digits == 9)
                    break;
            }
            if (previous != static_cast<locale_t>(0))
                uselocale(previous);
            return std::wstring(buffer, buffer + std::char_traits<char>::length(buffer));
        }
    }
}
