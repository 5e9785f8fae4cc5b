#include "Core/Source/Date.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

using namespace Corvane;

namespace
{
    // Sets the time zone for the lifetime of the object.
    class TimeZone
    {
    public:
        explicit TimeZone(char const* zone)
        {
            char const* current = std::getenv("TZ");
            mHad = current != nullptr;
            if (mHad)
                mSaved = current;
            setenv("TZ", zone, 1);
            tzset();
        }
        ~TimeZone()
        {
            if (mHad)
                setenv("TZ", mSaved.c_str(), 1);
            else
                unsetenv("TZ");
            tzset();
        }

    private:
        bool mHad;
        std::string mSaved;
    };
}

TEST(DateTime, EpochInUTC)
{
    TimeZone utc("UTC0");
    EXPECT_EQ(std::wstring(L"01/01/70"), FormatDateTimeInLocale(0, kDateStyle_Short, kDateStyle_None, "C"));
    EXPECT_EQ(std::wstring(L"00:00"), FormatDateTimeInLocale(0, kDateStyle_None, kDateStyle_Short, "C"));
    EXPECT_EQ(std::wstring(L"01/01/70 00:00"), FormatDateTimeInLocale(0, kDateStyle_Short, kDateStyle_Short, "C"));
}

TEST(DateTime, EpochWestOfUTCIsTheDayBefore)
{
    TimeZone west("EST5");
    EXPECT_EQ(std::wstring(L"12/31/69"), FormatDateTimeInLocale(0, kDateStyle_Short, kDateStyle_None, "C"));
    EXPECT_EQ(std::wstring(L"19:00"), FormatDateTimeInLocale(0, kDateStyle_None, kDateStyle_Short, "C"));
}

TEST(DateTime, NegativeAndLateSeconds)
{
    TimeZone utc("UTC0");
    EXPECT_EQ(std::wstring(L"12/31/69 23:59"), FormatDateTimeInLocale(-1, kDateStyle_Short, kDateStyle_Short, "C"));
    EXPECT_EQ(std::wstring(L"01/19/38 03:14"), FormatDateTimeInLocale(2147483647, kDateStyle_Short, kDateStyle_Short, "C"));
}

TEST(DateTime, NoStylesGiveEmptyText)
{
    EXPECT_EQ(std::wstring(), FormatDateTimeInLocale(0, kDateStyle_None, kDateStyle_None, "C"));
}

TEST(DateTime, UnknownLocaleFallsBackToC)
{
    TimeZone utc("UTC0");
    EXPECT_EQ(std::wstring(L"01/01/70"), FormatDateTimeInLocale(0, kDateStyle_Short, kDateStyle_None, "xx_NOWHERE.UTF-8"));
}

TEST(DateTime, MemberFormsUseTheirStyles)
{
    TimeZone utc("UTC0");
    DateTime date(86400 + 3600 + 60);
    std::wstring both = date.ToString();
    std::wstring dateOnly = date.ToDateString();
    std::wstring timeOnly = date.ToTimeString();
    EXPECT_FALSE(dateOnly.empty());
    EXPECT_FALSE(timeOnly.empty());
    EXPECT_EQ(dateOnly + L" " + timeOnly, both);
    EXPECT_NE(std::wstring::npos, timeOnly.find(L"01"));
}
