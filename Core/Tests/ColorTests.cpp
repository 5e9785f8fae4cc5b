#include "Core/Source/Color.h"

#include <gtest/gtest.h>

using namespace Corvane;

namespace
{
    void ExpectColor(ColorF const& color, float r, float g, float b, float a)
    {
        EXPECT_FLOAT_EQ(r, color.r);
        EXPECT_FLOAT_EQ(g, color.g);
        EXPECT_FLOAT_EQ(b, color.b);
        EXPECT_FLOAT_EQ(a, color.a);
    }
}

TEST(ColorF, FromStringSixDigitsIsOpaque)
{
    ExpectColor(ColorF::FromString(L"#FF8000"), 1.0f, 128.0f / 255.0f, 0.0f, 1.0f);
    ExpectColor(ColorF::FromString(L"#ff8000"), 1.0f, 128.0f / 255.0f, 0.0f, 1.0f);
}

TEST(ColorF, FromStringEightDigitsCarriesAlpha)
{
    ExpectColor(ColorF::FromString(L"#FF800080"), 1.0f, 128.0f / 255.0f, 0.0f, 128.0f / 255.0f);
    ExpectColor(ColorF::FromString(L"#00000000"), 0.0f, 0.0f, 0.0f, 0.0f);
}

TEST(ColorF, FromStringOfOtherTextIsOpaqueBlack)
{
    for (wchar_t const* text : {L"red", L"", L"#", L"FF8000", L"#FF80", L"#FF80001", L"#FF8000800", L" #FF8000",
                                L"rojo\u00f1o"})
        ExpectColor(ColorF::FromString(text), 0.0f, 0.0f, 0.0f, 1.0f);
}

TEST(ColorF, FromStringReadsOddDigitsAsHtoiDoes)
{
    // A non-digit counts as 0; letters beyond 'f' go beyond 15, giving a channel above 1.
    ExpectColor(ColorF::FromString(L"#-F0000"), 15.0f / 255.0f, 0.0f, 0.0f, 1.0f);
    ExpectColor(ColorF::FromString(L"#zz0000"), (35.0f * 16 + 35) / 255.0f, 0.0f, 0.0f, 1.0f);
    ExpectColor(ColorF::FromString(L"#FF80\u00f1F"), 1.0f, 128.0f / 255.0f, 15.0f / 255.0f, 1.0f);
}

TEST(ColorF, FromColor32SplitsTheBytes)
{
    ExpectColor(ColorF(Color32(0x80FF0000)), 1.0f, 0.0f, 0.0f, 128.0f / 255.0f);
    ExpectColor(ColorF(Color32(0xFF00FF40)), 0.0f, 1.0f, 64.0f / 255.0f, 1.0f);
}

TEST(ColorF, DefaultIsOpaqueWhite)
{
    ExpectColor(ColorF(), 1.0f, 1.0f, 1.0f, 1.0f);
}

TEST(ColorF, ToColor32RoundTripsEveryByte)
{
    for (uint32_t byte = 0; byte < 256; ++byte)
    {
        Color32 packed = Color32::FromARGB(uint8_t(byte), uint8_t(255 - byte), uint8_t(byte), uint8_t(byte / 2));
        EXPECT_EQ(packed.value, ColorF(packed).ToColor32().value) << byte;
    }
}

TEST(ColorF, ToColor32KeepsChannelsFromSpillingOver)
{
    ColorF bright(2.0f, -1.0f, 0.5f, 1.0f);
    Color32 packed = bright.ToColor32();
    EXPECT_EQ(255, packed.GetRed());
    EXPECT_EQ(0, packed.GetGreen());
    EXPECT_EQ(127, packed.GetBlue());
    EXPECT_EQ(255, packed.GetAlpha());
}

TEST(ColorF, TextFormRoundTrips)
{
    ColorF color = ColorF::FromString(L"#1A2B3C4D");
    EXPECT_EQ(std::wstring(L"#1A2B3C4D"), color.ToString());
    EXPECT_EQ(color, ColorF::FromString(color.ToString()));
}

TEST(ColorF, StaticColorsAreSharedConstants)
{
    ColorF const& black = ColorF::StaticColor<0, 0, 0, 255>();
    ExpectColor(black, 0.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(&black, &(ColorF::StaticColor<0, 0, 0, 255>()));
    ExpectColor(ColorF::StaticColor<255, 0, 0, 255>(), 1.0f, 0.0f, 0.0f, 1.0f);
    ExpectColor(ColorF::StaticColor<255, 255, 255, 255>(), 1.0f, 1.0f, 1.0f, 1.0f);
}

TEST(Color32, PacksAsARGB)
{
    Color32 color = Color32::FromARGB(0x11, 0x22, 0x33, 0x44);
    EXPECT_EQ(0x11223344u, color.value);
    EXPECT_EQ(0x22, color.GetRed());
    EXPECT_EQ(0x44, color.GetBlue());
    EXPECT_TRUE(color == Color32(0x11223344));
    EXPECT_FALSE(color == Color32(0x11223345));
    EXPECT_EQ(std::wstring(L"#22334411"), color.ToString());
}
