#include "Core/Source/Checksum.h"
#include "Core/Source/Stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace Corvane;

namespace
{
    // The arithmetic reduced after every byte: slow, but plainly right.
    uint32_t ReferenceChecksum(std::vector<unsigned char> const& bytes)
    {
        uint32_t a = 0;
        uint32_t b = 0;
        for (unsigned char byte : bytes)
        {
            a = (a + byte) % 65521;
            b = (b + a) % 65521;
        }
        return (b << 16) | a;
    }

    std::vector<unsigned char> RandomBytes(size_t count, uint32_t seed)
    {
        std::mt19937 engine(seed);
        std::vector<unsigned char> bytes(count);
        for (unsigned char& byte : bytes)
            byte = static_cast<unsigned char>(engine());
        return bytes;
    }

    // Serves its bytes in pieces of at most chunk, optionally going quiet without reporting
    // its end.
    class ChunkedStream : public IStream
    {
    public:
        ChunkedStream(std::string data, size_t chunk, bool stallAtEnd = false)
            : mData(std::move(data)), mChunk(chunk), mStall(stallAtEnd) {}

        std::wstring GetName() const override { return L"chunked"; }
        unsigned GetCapabilities() const override { return kStreamCanRead; }
        uint32_t GetLength() override { return static_cast<uint32_t>(mData.size()); }
        bool IsEOF() override { return !mStall && mPosition >= mData.size(); }
        size_t Read(void* buffer, size_t count) override
        {
            ++reads;
            largestRequest = std::max(largestRequest, count);
            size_t n = std::min({count, mChunk, mData.size() - mPosition});
            std::memcpy(buffer, mData.data() + mPosition, n);
            mPosition += n;
            return n;
        }
        size_t ReadOptimized(void*&, size_t) override { return 0; }
        size_t Write(const void*, size_t) override { return 0; }
        void Seek(SeekOrigin, int64_t offset) override { mPosition = static_cast<size_t>(offset); }
        uint32_t Tell() override { return static_cast<uint32_t>(mPosition); }

        int reads = 0;
        size_t largestRequest = 0;

    private:
        std::string mData;
        size_t mChunk;
        bool mStall;
        size_t mPosition = 0;
    };
}

TEST(Checksum, KnownValues)
{
    EXPECT_EQ(0u, ComputeChecksum("", 0));
    EXPECT_EQ(0u, ComputeChecksum(static_cast<void const*>(nullptr), 10));
    // Differs from the published Adler-32 of "abc" (0x024D0127) because it starts from 0.
    EXPECT_EQ(0x024A0126u, ComputeChecksum("abc", 3));
    EXPECT_EQ(38404390u, ComputeChecksum("abc", 3));
}

TEST(Checksum, MatchesTheReferenceAcrossBlockBoundaries)
{
    for (size_t size : {size_t(1), size_t(7), size_t(8), size_t(5551), size_t(5552), size_t(5553), size_t(11104), size_t(70001)})
    {
        std::vector<unsigned char> bytes = RandomBytes(size, static_cast<uint32_t>(size));
        EXPECT_EQ(ReferenceChecksum(bytes), ComputeChecksum(bytes.data(), bytes.size())) << size;
    }
    // All 0xFF is the worst case for overflow inside a block.
    std::vector<unsigned char> ones(5552 * 3 + 17, 0xFF);
    EXPECT_EQ(ReferenceChecksum(ones), ComputeChecksum(ones.data(), ones.size()));
}

TEST(Checksum, AppendingPiecesEqualsTheWhole)
{
    std::vector<unsigned char> bytes = RandomBytes(20000, 3);
    uint32_t whole = ComputeChecksum(bytes.data(), bytes.size());
    for (size_t cut : {size_t(0), size_t(1), size_t(5552), size_t(9999), size_t(20000)})
    {
        uint32_t first = ComputeChecksum(bytes.data(), cut);
        EXPECT_EQ(whole, AppendToChecksum(first, bytes.data() + cut, bytes.size() - cut)) << cut;
    }
}

TEST(Checksum, IgnoringWhitespaceMatchesTheBareText)
{
    uint32_t bare = ComputeChecksum("abc", 3);
    for (char const* text : {"a b c", "a\tb\tc", "a\r\nb\r\nc\r\n", " \v\fa b\n\nc"})
        EXPECT_EQ(bare, AppendToChecksum_IgnoreWhitespace(0, text, std::strlen(text))) << text;
    // Bytes above 127 are never whitespace, even where a locale would say so.
    char const* nbsp = "a\xa0" "b";
    EXPECT_NE(ComputeChecksum("ab", 2), AppendToChecksum_IgnoreWhitespace(0, nbsp, 3));
}

TEST(Checksum, StreamFormsReadInPiecesOfAtMost1024)
{
    std::vector<unsigned char> bytes = RandomBytes(5000, 11);
    std::string data(bytes.begin(), bytes.end());
    ChunkedStream stream(data, 700);
    EXPECT_EQ(ComputeChecksum(bytes.data(), bytes.size()), ComputeChecksum(&stream));
    EXPECT_LE(stream.largestRequest, 1024u);
}

TEST(Checksum, StreamFormStopsAtTheGivenLength)
{
    ChunkedStream stream("abcdef", 1024);
    EXPECT_EQ(ComputeChecksum("abc", 3), ComputeChecksum(&stream, 3));
    EXPECT_EQ(3u, stream.Tell());
}

TEST(Checksum, StreamThatGoesQuietEndsTheChecksum)
{
    ChunkedStream stream("abc", 1024, true);
    // The length claims more than the stream will give; the first empty read ends it.
    EXPECT_EQ(ComputeChecksum("abc", 3), ComputeChecksum(&stream, 100));
    EXPECT_LE(stream.reads, 2);
}

TEST(Checksum, WhitespaceStreamForm)
{
    std::string text = "<a>\r\n  <b/>\r\n</a>\r\n";
    std::string crlfFree = "<a>\n\t<b/>\n</a>";
    ChunkedStream a(text, 5);
    ChunkedStream b(crlfFree, 1024);
    EXPECT_EQ(ComputeChecksum_IgnoreWhitespace(&a), ComputeChecksum_IgnoreWhitespace(&b));
    ChunkedStream c(crlfFree, 3);
    EXPECT_EQ(ComputeChecksum("<a><b/></a>", 11), ComputeChecksum_IgnoreWhitespace(&c));
}

TEST(PathHash, IsCaseless)
{
    EXPECT_EQ(60480u, ComputeHash(L"abc"));
    EXPECT_EQ(60480u, ComputeHash(L"ABC"));
    EXPECT_EQ(0u, ComputeHash(L""));
    // Only ASCII letters fold: an accented letter keeps its case.
    EXPECT_EQ(ComputeHash(L"Sonidos/ca\u00f1on.wav"), ComputeHash(L"SONIDOS/CA\u00f1ON.WAV"));
    EXPECT_NE(ComputeHash(L"ca\u00f1on"), ComputeHash(L"ca\u00d1on"));
}

TEST(FileExtension, TakesTheLastDotOfTheWholePath)
{
    EXPECT_EQ(std::wstring(), GetFileExtension(L"readme"));
    EXPECT_EQ(std::wstring(L".toc"), GetFileExtension(L"resources.toc"));
    EXPECT_EQ(std::wstring(L".d/file"), GetFileExtension(L"folder.d\\file"));
    EXPECT_EQ(std::wstring(L".xml"), GetFileExtension(L"Canci\u00f3n.es.xml"));
}

TEST(FileExtension, TextFilesAreLowerCaseTxtAndXml)
{
    EXPECT_TRUE(IsTextFile(L"Data/levels.xml"));
    EXPECT_TRUE(IsTextFile(L"license.txt"));
    EXPECT_FALSE(IsTextFile(L"levels.XML"));
    EXPECT_FALSE(IsTextFile(L"license.Txt"));
    EXPECT_FALSE(IsTextFile(L"image.png"));
    EXPECT_FALSE(IsTextFile(L"xml"));
}
