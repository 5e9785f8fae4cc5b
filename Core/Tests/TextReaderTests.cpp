#include "Core/Source/TextReader.h"
#include "Core/Source/TextWriter.h"

#include "Core/Source/MemoryStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Corvane;

namespace
{
    // Holds the bytes and reads them; the stream outlives every reader made on it.
    class Bytes
    {
    public:
        explicit Bytes(const std::string& bytes) : mStream(L"bytes")
        {
            mStream.Write(bytes.data(), bytes.size());
            mStream.Seek(kSeekBegin, 0);
        }
        IStream* Stream() { return &mStream; }

    private:
        MemoryStream mStream;
    };

    // A stream that cannot seek back.
    class ForwardOnlyStream : public MemoryStream
    {
    public:
        explicit ForwardOnlyStream(const std::string& bytes) : MemoryStream(L"forward")
        {
            Write(bytes.data(), bytes.size());
            Seek(kSeekBegin, 0);
        }
        unsigned GetCapabilities() const override { return kStreamCanRead; }
    };

    std::vector<wchar_t> ReadAll(IStream* stream)
    {
        TextReader reader(stream);
        std::vector<wchar_t> characters;
        for (wchar_t c = reader.Read(); c != kTextEOF; c = reader.Read())
            characters.push_back(c);
        return characters;
    }

    std::vector<wchar_t> ReadAll(const std::string& bytes)
    {
        Bytes input(bytes);
        return ReadAll(input.Stream());
    }

    std::string Written(const std::wstring& text)
    {
        MemoryStream stream(L"out");
        TextWriter writer(&stream);
        writer.Write(text);
        const std::vector<unsigned char>& data = stream.GetData();
        return std::string(data.begin(), data.end());
    }
}

// Normal case

TEST(TextReader, DecodesUTF8)
{
    EXPECT_EQ((std::vector<wchar_t>{L'a', 0xE9, 0x20AC, L'z'}), ReadAll("a\xC3\xA9\xE2\x82\xAC" "z"));
    EXPECT_TRUE(ReadAll("").empty());
}

TEST(TextReader, CountsLinesFromTheCharacterAfterALineFeed)
{
    Bytes input("a\nb");
    TextReader reader(input.Stream());
    EXPECT_EQ(1, reader.GetLine());
    EXPECT_EQ(L'a', reader.Read());
    EXPECT_EQ(1, reader.GetLine());
    EXPECT_EQ(L'\n', reader.Read());
    EXPECT_EQ(1, reader.GetLine());
    EXPECT_EQ(L'b', reader.Read());
    EXPECT_EQ(2, reader.GetLine());
    EXPECT_EQ(kTextEOF, reader.Read());
    EXPECT_EQ(2, reader.GetLine());
    EXPECT_TRUE(reader.IsEOF());
}

TEST(TextReader, PeekDoesNotConsumeOrCount)
{
    Bytes input("\n\xC3\xB1x");
    TextReader reader(input.Stream());
    EXPECT_EQ(L'\n', reader.Read());
    EXPECT_EQ(wchar_t(0xF1), reader.Peek());
    EXPECT_EQ(1, reader.GetLine());
    EXPECT_EQ(wchar_t(0xF1), reader.Read());
    EXPECT_EQ(2, reader.GetLine());
    EXPECT_EQ(L'x', reader.Peek());
    EXPECT_EQ(L'x', reader.Read());
    EXPECT_EQ(kTextEOF, reader.Peek());
}

// Invalid input

TEST(TextReader, BadSequencesReadAsReplacementCharacters)
{
    // Over-long NUL, a NUL byte, a lone continuation byte, bytes that lead nothing.
    EXPECT_EQ((std::vector<wchar_t>{0xFFFD}), ReadAll(std::string("\xC0\x80", 2)));
    EXPECT_EQ((std::vector<wchar_t>{L'a', 0xFFFD, L'b'}), ReadAll(std::string("a\0b", 3)));
    EXPECT_EQ((std::vector<wchar_t>{0xFFFD, L'q'}), ReadAll("\x80q"));
    EXPECT_EQ((std::vector<wchar_t>{0xFFFD, 0xFFFD}), ReadAll("\xFE\xFF"));
    // Beyond 16 bits, one replacement for the whole sequence.
    EXPECT_EQ((std::vector<wchar_t>{0xFFFD, L'!'}), ReadAll("\xF0\x9F\x98\x80!"));
    // Surrogate code points pass through.
    EXPECT_EQ((std::vector<wchar_t>{0xD800}), ReadAll("\xED\xA0\x80"));
}

TEST(TextReader, ABrokenSequenceRereadsTheOffendingByte)
{
    EXPECT_EQ((std::vector<wchar_t>{0xFFFD, L'A'}), ReadAll("\xE2" "A"));
    EXPECT_EQ((std::vector<wchar_t>{0xFFFD, 0xE9}), ReadAll("\xE2\xC3\xA9"));
    // Without seeking, the offending byte is lost with the sequence.
    ForwardOnlyStream forward("\xE2" "AB");
    EXPECT_EQ((std::vector<wchar_t>{0xFFFD, L'B'}), ReadAll(&forward));
    ForwardOnlyStream peeking("x");
    TextReader reader(&peeking);
    EXPECT_EQ(kTextEOF, reader.Peek());
    EXPECT_EQ(L'x', reader.Read());
}

TEST(TextReader, ASequenceCutOffByTheEndIsTheEnd)
{
    EXPECT_EQ((std::vector<wchar_t>{L'a'}), ReadAll("a\xE2\x82"));
    EXPECT_EQ((std::vector<wchar_t>{L'a'}), ReadAll("a\xC3"));
}

// Large input is read in blocks: a sequence may straddle where one block ends, and lines
// are counted across blocks.
TEST(TextReader, SequencesAndLinesCarryAcrossBlocks)
{
    const size_t kBlock = 65536;
    for (size_t lead : {kBlock - 3, kBlock - 2, kBlock - 1, kBlock, 2 * kBlock - 1})
    {
        SCOPED_TRACE(lead);
        std::string bytes(lead, '\n');
        bytes += "\xE2\x82\xAC" "\xE2" "A";
        Bytes input(bytes);
        TextReader reader(input.Stream());
        for (size_t i = 0; i < lead; ++i)
            ASSERT_EQ(L'\n', reader.Read());
        EXPECT_EQ(wchar_t(0x20AC), reader.Peek());
        EXPECT_EQ(wchar_t(0x20AC), reader.Read());
        EXPECT_EQ(int(lead) + 1, reader.GetLine());
        EXPECT_EQ(lead + 3, reader.GetBytesRead());
        EXPECT_EQ(wchar_t(0xFFFD), reader.Read());
        EXPECT_EQ(L'A', reader.Read());
        EXPECT_EQ(kTextEOF, reader.Read());
        EXPECT_TRUE(reader.IsEOF());
    }
}

TEST(TextWriter, EncodesEachFormAndEndsLinesWithCRLF)
{
    EXPECT_EQ("\xC3\xA9", Written(std::wstring(1, 0xE9)));
    EXPECT_EQ("A\xE2\x82\xAC", Written(L"A\x20AC"));
    EXPECT_EQ("\xF0\x9F\x98\x80", Written(std::wstring(1, 0x1F600)));
    EXPECT_EQ("\xFD\xBF\xBF\xBF\xBF\xBF", Written(std::wstring(1, 0x7FFFFFFF)));
    EXPECT_EQ("", Written(std::wstring(1, wchar_t(-5))));

    MemoryStream stream(L"out");
    TextWriter writer(&stream);
    writer.WriteLine(L"");
    EXPECT_EQ((std::vector<unsigned char>{0x0D, 0x0A}), stream.GetData());
}

// Non-ASCII text

TEST(TextWriter, SpanishTextSurvivesWriteThenRead)
{
    std::wstring text = L"¡Hola, niño! ¿Qué tal el camión?\r\n€";
    std::string bytes = Written(text);
    std::vector<wchar_t> back = ReadAll(bytes);
    EXPECT_EQ(text, std::wstring(back.begin(), back.end()));
}
