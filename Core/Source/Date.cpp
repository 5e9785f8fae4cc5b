#include "Core/Source/Date.h"

#include "Core/Source/StringUtils.h"

#include <ctime>
#include <cwchar>
#include <langinfo.h>
#include <locale.h>

namespace
{
    // A short time leaves the seconds out of the locale's time format.
    std::wstring ShortTimeFormat(locale_t locale)
    {
        std::wstring format = Corvane::ConvertStringASCIIToWide(nl_langinfo_l(T_FMT, locale));
        size_t found;
        while ((found = format.find(L"%T")) != std::wstring::npos)
            format.replace(found, 2, L"%H:%M");
        while ((found = format.find(L":%S")) != std::wstring::npos)
            format.erase(found, 3);
        while ((found = format.find(L".%S")) != std::wstring::npos)
            format.erase(found, 3);
        if (format.empty())
            format = L"%H:%M";
        return format;
    }

    std::wstring DateFormat(Corvane::eDateStyle style, locale_t locale)
    {
        switch (style)
        {
        case Corvane::kDateStyle_None:
            return std::wstring();
        case Corvane::kDateStyle_Short:
            return Corvane::ConvertStringASCIIToWide(nl_langinfo_l(D_FMT, locale));
        case Corvane::kDateStyle_Medium:
            return L"%e %b %Y";
        case Corvane::kDateStyle_Long:
            return L"%e %B %Y";
        default:
            return L"%A %e %B %Y";
        }
    }

    std::wstring TimeFormat(Corvane::eDateStyle style, locale_t locale)
    {
        switch (style)
        {
        case Corvane::kDateStyle_None:
            return std::wstring();
        case Corvane::kDateStyle_Short:
            return ShortTimeFormat(locale);
        case Corvane::kDateStyle_Medium:
            return Corvane::ConvertStringASCIIToWide(nl_langinfo_l(T_FMT, locale));
        default:
            return Corvane::ConvertStringASCIIToWide(nl_langinfo_l(T_FMT, locale)) + L" %Z";
        }
    }
}

namespace Corvane
{
    DateTime DateTime::Now()
    {
        return DateTime(static_cast<int32_t>(std::time(nullptr)));
    }

    std::wstring DateTime::ToString() const
    {
        return FormatDateTime(seconds, kDateStyle_Short, kDateStyle_Short);
    }

    std::wstring DateTime::ToTimeString() const
    {
        return FormatDateTime(seconds, kDateStyle_None, kDateStyle_Short);
    }

    std::wstring DateTime::ToDateString() const
    {
        return FormatDateTime(seconds, kDateStyle_Short, kDateStyle_None);
    }

    std::wstring FormatDateTime(int32_t seconds, eDateStyle dateStyle, eDateStyle timeStyle)
    {
        return FormatDateTimeInLocale(seconds, dateStyle, timeStyle, "");
    }

    std::wstring FormatDateTimeInLocale(int32_t seconds, eDateStyle dateStyle, eDateStyle timeStyle, char const* localeName)
    {
        locale_t locale = newlocale(LC_ALL_MASK, localeName ? localeName : "C", static_cast<locale_t>(0));
        if (locale == static_cast<locale_t>(0))
            locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
        if (locale == static_cast<locale_t>(0))
            return std::wstring();

        std::wstring format = DateFormat(dateStyle, locale);
        std::wstring timeFormat = TimeFormat(timeStyle, locale);
        if (!format.empty() && !timeFormat.empty())
            format += L" ";
        format += timeFormat;

        std::wstring result;
        std::time_t time = seconds;
        std::tm local;
        // Picks up a change of the TZ variable since the last call.
        tzset();
        if (!format.empty() && localtime_r(&time, &local) != nullptr)
        {
            wchar_t buffer[256];
            size_t length = wcsftime_l(buffer, sizeof(buffer) / sizeof(buffer[0]), format.c_str(), &local, locale);
            result.assign(buffer, length);
        }
        freelocale(locale);
        return result;
    }
}
