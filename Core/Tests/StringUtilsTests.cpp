#include "Core/Source/StringUtils.h"
#include "Core/Tests/CommaLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

using namespace Corvane;

namespace
{
    std::wstring FromUTF8Bytes(std::vector<unsigned char> bytes)
    {
        bytes.push_back(0);
        return ConvertStringUTF8ToWide(bytes.data());
    }

    std::vector<unsigned char> ToUTF8Bytes(std::wstring const& text)
    {
        boost::shared_array<unsigned char> converted = ConvertStringWideToUTF8(text.c_str());
        std::vector<unsigned char> bytes;
        for (size_t i = 0; converted[i] != 0; ++i)
            bytes.push_back(converted[i]);
        return bytes;
    }

    std::vector<unsigned short> ToUTF16Units(std::wstring const& text)
    {
        boost::shared_array<unsigned short> converted = ConvertStringWideToUTF16(text.c_str());
        std::vector<unsigned short> units;
        for (size_t i = 0; converted[i] != 0; ++i)
            units.push_back(converted[i]);
        return units;
    }

    std::wstring FromUTF16Units(std::vector<unsigned short> units)
    {
        units.push_back(0);
        return ConvertStringUTF16ToWide(units.data());
    }

    std::wstring const kSpanish = L"Ca\u00f1\u00f3n, ni\u00f1o y cig\u00fce\u00f1a \u00bfqu\u00e9? \u00a1S\u00ed!";
    std::wstring const kAboveBMP = L"a\U0001F600b\U00010000\U0010FFFF";
}

// ---- UTF-8 decoding ----

TEST(StringUtilsUTF8, DecodesTwoByteSequence)
{
    EXPECT_EQ(std::wstring(L"\u00e9"), FromUTF8Bytes({0xC3, 0xA9}));
}

TEST(StringUtilsUTF8, BrokenSequenceConsumesTheUnexpectedByte)
{
    EXPECT_EQ(std::wstring(L"\uFFFD"), FromUTF8Bytes({0xC3, 0x41}));
    EXPECT_EQ(std::wstring(L"\uFFFDb"), FromUTF8Bytes({0xE2, 0x82, 0x41, 0x62}));
}

TEST(StringUtilsUTF8, SequenceCutByTheEndGivesOneReplacementAndStops)
{
    EXPECT_EQ(std::wstring(L"a\uFFFD"), FromUTF8Bytes({0x61, 0xC3}));
    EXPECT_EQ(std::wstring(L"a\uFFFD"), FromUTF8Bytes({0x61, 0xF0, 0x9F, 0x98}));
}

TEST(StringUtilsUTF8, LoneContinuationAndInvalidLeadBytesAreReplacedOneByOne)
{
    EXPECT_EQ(std::wstring(L"\uFFFDa\uFFFD\uFFFD"), FromUTF8Bytes({0x80, 0x61, 0xF8, 0xFF}));
}

TEST(StringUtilsUTF8, FourByteSequenceGivesOneCharacterAboveBMP)
{
    std::wstring text = FromUTF8Bytes({0xF0, 0x9F, 0x98, 0x80});
    ASSERT_EQ(1u, text.size());
    EXPECT_EQ(0x1F600, static_cast<int>(text[0]));
}

TEST(StringUtilsUTF8, OverlongFormsAndEncodedSurrogatesAreRefused)
{
    // An overlong '/' and an overlong NUL must not decode to the characters they imitate.
    EXPECT_EQ(std::wstring(L"\uFFFD"), FromUTF8Bytes({0xC0, 0xAF}));
    EXPECT_EQ(std::wstring(L"\uFFFDx"), FromUTF8Bytes({0xC0, 0x80, 0x78}));
    EXPECT_EQ(std::wstring(L"\uFFFD"), FromUTF8Bytes({0xE0, 0x80, 0xAF}));
    EXPECT_EQ(std::wstring(L"\uFFFD"), FromUTF8Bytes({0xED, 0xA0, 0x80}));
    EXPECT_EQ(std::wstring(L"\uFFFD"), FromUTF8Bytes({0xF4, 0x90, 0x80, 0x80}));
}

TEST(StringUtilsUTF8, NullSourceGivesEmptyText)
{
    EXPECT_EQ(std::wstring(), ConvertStringUTF8ToWide(static_cast<unsigned char const*>(nullptr)));
    EXPECT_EQ(1u, ConvertStringUTF8ToWide(static_cast<unsigned char const*>(nullptr), nullptr, 0));
}

// ---- UTF-8 encoding ----

TEST(StringUtilsUTF8, EncodesEveryLength)
{
    EXPECT_EQ((std::vector<unsigned char>{0x41}), ToUTF8Bytes(L"A"));
    EXPECT_EQ((std::vector<unsigned char>{0xC3, 0xB1}), ToUTF8Bytes(L"\u00f1"));
    EXPECT_EQ((std::vector<unsigned char>{0xE2, 0x82, 0xAC}), ToUTF8Bytes(L"\u20ac"));
    EXPECT_EQ((std::vector<unsigned char>{0xF0, 0x9F, 0x98, 0x80}), ToUTF8Bytes(L"\U0001F600"));
}

TEST(StringUtilsUTF8, ValuesOutsideUnicodeBecomeReplacementInThreeBytes)
{
    std::wstring text;
    text.push_back(static_cast<wchar_t>(0x110000));
    text.push_back(static_cast<wchar_t>(0xD800));
    std::vector<unsigned char> replacement{0xEF, 0xBF, 0xBD, 0xEF, 0xBF, 0xBD};
    EXPECT_EQ(replacement, ToUTF8Bytes(text));
    EXPECT_EQ(7u, ConvertStringWideToUTF8(text.c_str(), nullptr, 0));
}

TEST(StringUtilsUTF8, SpanishAndAboveBMPSurviveARoundTrip)
{
    for (std::wstring const& text : {kSpanish, kAboveBMP})
    {
        boost::shared_array<unsigned char> bytes = ConvertStringWideToUTF8(text.c_str());
        EXPECT_EQ(text, ConvertStringUTF8ToWide(bytes.get()));
        EXPECT_EQ(std::string(reinterpret_cast<char const*>(bytes.get())), ConvertStringWideToUTF8String(text));
    }
}

// ---- Buffer forms ----

TEST(StringUtilsBuffers, SizeQueryCountsTheTerminator)
{
    EXPECT_EQ(6u, ConvertStringASCIIToWide("hello", nullptr, 0));
    EXPECT_EQ(1u, ConvertStringASCIIToWide("", nullptr, 0));
    wchar_t unused[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(6u, ConvertStringASCIIToWide("hello", unused, 0));
    EXPECT_EQ(L'x', unused[0]);
    // "a", 2, 3 and 4 bytes, terminator.
    EXPECT_EQ(11u, ConvertStringWideToUTF8(L"a\u00e9\u20ac\U0001F600", nullptr, 0));
    EXPECT_EQ(4u, ConvertStringWideToUTF16(L"a\U0001F600", nullptr, 0));
}

TEST(StringUtilsBuffers, ConversionStopsBeforeSplittingACodePoint)
{
    unsigned char bytes[6];
    std::fill(bytes, bytes + 6, 0xAA);
    // 'a' (1) + U+20AC (3) fit in 5 units with the terminator; U+00E9 (2) would need 6.
    EXPECT_EQ(5u, ConvertStringWideToUTF8(L"a\u20ac\u00e9", bytes, 5));
    EXPECT_EQ(0x61, bytes[0]);
    EXPECT_EQ(0xE2, bytes[1]);
    EXPECT_EQ(0xAC, bytes[3]);
    EXPECT_EQ(0, bytes[4]);
    EXPECT_EQ(0xAA, bytes[5]);

    unsigned short units[3];
    ConvertStringWideToUTF16(L"a\U0001F600", units, 3);
    EXPECT_EQ(L'a', units[0]);
    EXPECT_EQ(0, units[1]);
}

TEST(StringUtilsBuffers, CapacityOneWritesOnlyTheTerminator)
{
    wchar_t one[1] = {L'x'};
    EXPECT_EQ(1u, ConvertStringUTF8ToWide(reinterpret_cast<unsigned char const*>("abc"), one, 1));
    EXPECT_EQ(0, one[0]);
}

TEST(StringUtilsBuffers, ExactSizeConvertsEverything)
{
    std::wstring text = kSpanish;
    size_t size = ConvertStringWideToUTF16(text.c_str(), nullptr, 0);
    std::vector<unsigned short> units(size, 0xAAAA);
    ConvertStringWideToUTF16(text.c_str(), units.data(), size);
    EXPECT_EQ(0, units[size - 1]);
    EXPECT_EQ(text, ConvertStringUTF16ToWide(units.data()));
}

// ---- UTF-16 ----

TEST(StringUtilsUTF16, EncodesAboveBMPAsSurrogatePair)
{
    EXPECT_EQ((std::vector<unsigned short>{0xD83D, 0xDE00}), ToUTF16Units(L"\U0001F600"));
    EXPECT_EQ((std::vector<unsigned short>{0xDBFF, 0xDFFF}), ToUTF16Units(L"\U0010FFFF"));
    std::wstring outside;
    outside.push_back(static_cast<wchar_t>(0x110000));
    EXPECT_EQ((std::vector<unsigned short>{0xFFFD}), ToUTF16Units(outside));
}

TEST(StringUtilsUTF16, DecodesPairsAndReplacesLoneSurrogates)
{
    EXPECT_EQ(std::wstring(L"\U0001F600"), FromUTF16Units({0xD83D, 0xDE00}));
    // A lone low surrogate; a high surrogate followed by a letter consumes the letter.
    EXPECT_EQ(std::wstring(L"\uFFFDa"), FromUTF16Units({0xDE00, 0x61}));
    EXPECT_EQ(std::wstring(L"\uFFFDb"), FromUTF16Units({0xD83D, 0x61, 0x62}));
    // A high surrogate at the end never consumes the terminator.
    EXPECT_EQ(std::wstring(L"x\uFFFD"), FromUTF16Units({0x78, 0xD83D}));
}

TEST(StringUtilsUTF16, AboveBMPSurvivesARoundTrip)
{
    boost::shared_array<unsigned short> units = ConvertStringWideToUTF16(kAboveBMP.c_str());
    EXPECT_EQ(kAboveBMP, ConvertStringUTF16ToWide(units.get()));
}

TEST(StringUtilsUTF16, WcstoucsDropsValuesOutsideUnicodeAndFitsPairs)
{
    std::wstring text = L"a";
    text.push_back(static_cast<wchar_t>(0x110000));
    text += L"\U0001F600";
    unsigned short units[8];
    EXPECT_EQ(3u, wcstoucs(text.c_str(), units, 8));
    EXPECT_EQ(0x61, units[0]);
    EXPECT_EQ(0xD83D, units[1]);
    EXPECT_EQ(0xDE00, units[2]);
    EXPECT_EQ(0, units[3]);
    // The pair does not fit before the last unit.
    EXPECT_EQ(1u, wcstoucs(text.c_str(), units, 3));
    EXPECT_EQ(0, units[1]);
}

// ---- ASCII ----

TEST(StringUtilsASCII, TruncationReplacesEachCharacterAbove127)
{
    EXPECT_EQ(std::string("?"), TruncateStringWideToASCII(L"\u00e9"));
    EXPECT_EQ(std::string("?"), TruncateStringWideToASCII(L"\U0001F600"));
    EXPECT_EQ(std::string("Ca?on"), TruncateStringWideToASCII(std::wstring(L"Ca\u00f1on")));
    EXPECT_EQ(std::string(), TruncateStringWideToASCII(static_cast<wchar_t const*>(nullptr)));
}

TEST(StringUtilsASCII, BytesAbove127DecodeToReplacement)
{
    EXPECT_EQ(std::wstring(L"a\uFFFDb"), ConvertStringASCIIToWide("a\xe9" "b"));
}

TEST(StringUtilsASCII, BufferFormTruncatesAtCapacity)
{
    char buffer[4];
    EXPECT_EQ(4u, TruncateStringWideToASCII(L"abcdef", buffer, 4));
    EXPECT_EQ(std::string("abc"), std::string(buffer));
}

// ---- Numbers and characters ----

TEST(StringUtilsNumbers, HtoiReadsDigitsAndLettersOnly)
{
    EXPECT_EQ(15, htoi(L'f'));
    EXPECT_EQ(15, htoi(L'F'));
    EXPECT_EQ(9, htoi(L'9'));
    EXPECT_EQ(35, htoi(L'z'));
    EXPECT_EQ(0, htoi(L'-'));
    EXPECT_EQ(0, htoi(L'\u00f1'));
}

TEST(StringUtilsNumbers, ConvertStringToInteger)
{
    EXPECT_EQ(26u, ConvertStringToInteger(L"1A", 16));
    EXPECT_EQ(42u, ConvertStringToInteger(L"  \t42", 10));
    EXPECT_EQ(42u, ConvertStringToInteger(L"42;rest", 10));
    EXPECT_EQ(0u, ConvertStringToInteger(L"-5", 10));
    EXPECT_EQ(0u, ConvertStringToInteger(L"", 10));
    EXPECT_EQ(0x10FFFFu, ConvertStringToInteger(std::wstring(L"10FFFF"), 16));
}

TEST(StringUtilsNumbers, ItowPrintsDecimal)
{
    wchar_t buffer[32];
    EXPECT_EQ(std::wstring(L"-2147483648"), std::wstring(itow(-2147483647 - 1, buffer, 16)));
    EXPECT_EQ(std::wstring(L"255"), std::wstring(itow(255, buffer, 16)));
}

TEST(StringUtilsNumbers, WtoiAcceptsBlanksAndSignAndClampsToInt)
{
    EXPECT_EQ(-12, wtoi(L"  -12px"));
    EXPECT_EQ(7, wtoi(L"+7"));
    EXPECT_EQ(0, wtoi(L"abc"));
    EXPECT_EQ(0, wtoi(static_cast<wchar_t const*>(nullptr)));
    EXPECT_EQ(2147483647, wtoi(L"99999999999"));
    EXPECT_EQ(-2147483647 - 1, wtoi(std::wstring(L"-99999999999")));
}

TEST(StringUtilsNumbers, WtofReadsAPointWhateverTheLocale)
{
    EXPECT_FLOAT_EQ(0.5f, wtof(L"0.5"));
    EXPECT_FLOAT_EQ(-2.25f, wtof(L" -2.25s"));
    EXPECT_FLOAT_EQ(0.0f, wtof(L"x1"));

    // A locale with a decimal comma must not change how content numbers read.
    CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no locale with a decimal comma could be made";
    EXPECT_FLOAT_EQ(1.5f, wtof(L"1.5"));
    EXPECT_FLOAT_EQ(-0.25f, wtof(std::wstring(L"-0.25")));
}

TEST(StringUtilsCompare, WcsicmpFoldsCase)
{
    EXPECT_EQ(0, wcsicmp(L"ABC", L"abc"));
    EXPECT_LT(wcsicmp(L"ab", L"abc"), 0);
    EXPECT_GT(wcsicmp(L"abd", L"ABC"), 0);
    EXPECT_EQ(0, wcsicmp(L"", L""));
}

TEST(StringUtilsPaths, ConvertToForwardSlashes)
{
    EXPECT_EQ(std::wstring(L"Sonidos/Ca\u00f1\u00f3n/a.wav"), ConvertToForwardSlashes(L"Sonidos\\Ca\u00f1\u00f3n\\a.wav"));
}

// ---- String utilities ----

TEST(StringUtilsWords, GetWordsKeepsEmptyMiddleWords)
{
    std::vector<std::wstring> words = StringUtils::GetWords(std::wstring(L"a,,b"), L',');
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"", L"b"}), words);
}

TEST(StringUtilsWords, LeadingAndTrailingSeparatorsAddNoWord)
{
    EXPECT_EQ((std::vector<std::wstring>{L"a"}), StringUtils::GetWords(std::wstring(L",a"), L','));
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b"}), StringUtils::GetWords(std::wstring(L"a,b,"), L','));
    EXPECT_TRUE(StringUtils::GetWords(std::wstring(), L',').empty());
    EXPECT_TRUE(StringUtils::GetWords(std::wstring(L","), L',').empty());
    EXPECT_EQ((std::vector<std::wstring>{L""}), StringUtils::GetWords(std::wstring(L",,"), L','));
}

TEST(StringUtilsWords, NonASCIIWords)
{
    EXPECT_EQ((std::vector<std::wstring>{L"ni\u00f1o", L"cig\u00fce\u00f1a"}),
              StringUtils::GetWords(std::wstring(L"ni\u00f1o cig\u00fce\u00f1a"), L' '));
}

TEST(StringUtilsWords, RemoveCharacters)
{
    std::vector<wchar_t> remove{L' ', L'\u00f1'};
    EXPECT_EQ(std::wstring(L"Caoncito"), StringUtils::RemoveCharacters(std::wstring(L"Ca\u00f1on cito"), remove));
    EXPECT_EQ(std::wstring(L"abc"), StringUtils::RemoveCharacters(std::wstring(L"abc"), std::vector<wchar_t>()));
}

TEST(StringUtilsRange, RestrictRange)
{
    EXPECT_EQ(10, restrict_range(15, 10, 0));
    EXPECT_EQ(0, restrict_range(-3, 10, 0));
    EXPECT_EQ(4, restrict_range(4, 10, 0));
}
