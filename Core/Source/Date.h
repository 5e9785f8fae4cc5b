#pragma once

#include <cstdint>
#include <string>

namespace Corvane
{
    // How much of a date or a time a formatted text shows, as the platform's date formatter styles.
    enum eDateStyle
    {
        kDateStyle_None = 0,
        kDateStyle_Short = 1,
        kDateStyle_Medium = 2,
        kDateStyle_Long = 3,
        kDateStyle_Full = 4
    };

    // Seconds since 1 January 1970 00:00 UTC, shown in the player's locale and time zone.
    struct DateTime
    {
        int32_t seconds;

        constexpr DateTime() : seconds(0) {}
        constexpr explicit DateTime(int32_t secondsSince1970) : seconds(secondsSince1970) {}

        static DateTime Now();

        // Short date and short time.
        std::wstring ToString() const;
        // Short time only.
        std::wstring ToTimeString() const;
        // Short date only.
        std::wstring ToDateString() const;

        bool operator==(DateTime const& other) const { return seconds == other.seconds; }
        bool operator!=(DateTime const& other) const { return seconds != other.seconds; }
    };

    // In the locale of the environment and the default time zone.
    std::wstring FormatDateTime(int32_t seconds, eDateStyle dateStyle, eDateStyle timeStyle);
    // The same in the named locale ("C", "es_ES.UTF-8"...); an unknown name falls back to "C".
    std::wstring FormatDateTimeInLocale(int32_t seconds, eDateStyle dateStyle, eDateStyle timeStyle, char const* localeName);
}
