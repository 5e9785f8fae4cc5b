#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <random>
#include <thread>

#include "Core/Source/MemoryStream.h"
#include "2DEngine/Source/Graphics/GIFDecoder.h"
#include "2DEngine/Tests/Graphics/ImageTestSupport.h"

using namespace ImageTesting;
using Corvane::Internal::C_ImageSet;

namespace
{
    struct sDecoded
    {
        std::unique_ptr<Color32[]> pixels;
        int width = -1;
        int height = -1;
        bool transparent = false;
        int frames = -1;

        Color32 At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    };

    sDecoded Decode(Bytes const& bytes)
    {
        MemoryStream stream(L"prueba.gif");
        if (!bytes.empty())
            stream.Write(bytes.data(), bytes.size());
        stream.Seek(kSeekBegin, 0);
        sDecoded decoded;
        C_ImageSet set;
        decoded.pixels.reset(set.LoadOpenFileGIF(&stream, decoded.width, decoded.height, decoded.transparent,
                                                 decoded.frames));
        return decoded;
    }

    std::vector<sRGB> const kFour = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {30, 60, 90}};

    Color32 Opaque(sRGB c)
    {
        return Color32::FromARGB(255, c.r, c.g, c.b);
    }

    std::vector<sRGB> GreyRamp(int entries)
    {
        std::vector<sRGB> palette;
        for (int i = 0; i < entries; ++i)
            palette.push_back(sRGB{uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)});
        return palette;
    }

    // Pixels of a w x h image with long runs and some noise, so that the
    // compressor uses long strings, fills its table and clears it.
    std::vector<uint8_t> Pattern(int width, int height, unsigned seed)
    {
        std::mt19937 random(seed);
        std::vector<uint8_t> indices;
        for (int i = 0; i < width * height; ++i)
            indices.push_back(random() % 5 == 0 ? uint8_t(random() % 256) : uint8_t((i / 7) % 256));
        return indices;
    }
}

// ---------------------------------------------------------------------------
// Normal files

TEST(GIFDecoderTest, DecodesEveryPixelThroughThePalette)
{
    std::vector<uint8_t> const indices = {0, 1, 2, 3, 3, 2, 1, 0};
    sDecoded const decoded = Decode(SimpleGif(4, 2, kFour, indices));
    ASSERT_TRUE(decoded.pixels);
    EXPECT_EQ(4, decoded.width);
    EXPECT_EQ(2, decoded.height);
    EXPECT_FALSE(decoded.transparent);
    EXPECT_EQ(1, decoded.frames);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Opaque(kFour[indices[size_t(i)]]), decoded.At(i % 4, i / 4)) << i;
}

TEST(GIFDecoderTest, CompressedRoundTripWithFullTablesAndClears)
{
    int const width = 211;
    int const height = 157;
    std::vector<uint8_t> const indices = Pattern(width, height, 7);
    std::vector<sRGB> const palette = GreyRamp(256);
    sDecoded const decoded = Decode(SimpleGif(width, height, palette, indices));
    ASSERT_TRUE(decoded.pixels);
    EXPECT_EQ(1, decoded.frames);
    int mismatches = 0;
    for (int i = 0; i < width * height; ++i)
        mismatches += decoded.At(i % width, i / width) != Opaque(palette[indices[size_t(i)]]);
    EXPECT_EQ(0, mismatches);
}

TEST(GIFDecoderTest, InterlacedThreeRowsFillRowsZeroTwoOne)
{
    // The file holds the rows in pass order: row 0, then row 2, then row 1.
    std::vector<uint8_t> const inFileOrder = {0, 0, 2, 2, 1, 1};
    GifWriter gif;
    gif.Header(2, 3, kFour).Image(0, 0, 2, 3, 2, LiteralCodes(inFileOrder, 2), true).Trailer();
    sDecoded const decoded = Decode(gif.bytes);
    ASSERT_TRUE(decoded.pixels);
    EXPECT_EQ(Opaque(kFour[0]), decoded.At(1, 0));
    EXPECT_EQ(Opaque(kFour[1]), decoded.At(0, 1));
    EXPECT_EQ(Opaque(kFour[2]), decoded.At(1, 2));
}

TEST(GIFDecoderTest, InterlacedPassesCoverEveryRowOnce)
{
    EXPECT_EQ((std::vector<int>{0, 8, 4, 2, 6, 1, 3, 5, 7, 9}), Internal::GetGIFRowOrder(10, true));
    EXPECT_EQ((std::vector<int>{0, 1}), Internal::GetGIFRowOrder(2, true));
    // A tall image: each row once, whatever the passes skip.
    std::vector<int> rows = Internal::GetGIFRowOrder(37, true);
    std::sort(rows.begin(), rows.end());
    for (int i = 0; i < 37; ++i)
        EXPECT_EQ(i, rows[size_t(i)]);

    std::vector<uint8_t> inFileOrder;
    for (int row : Internal::GetGIFRowOrder(10, true))
        inFileOrder.push_back(uint8_t(row));
    GifWriter gif;
    gif.Header(1, 10, GreyRamp(16)).Image(0, 0, 1, 10, 4, LiteralCodes(inFileOrder, 4), true).Trailer();
    sDecoded const decoded = Decode(gif.bytes);
    ASSERT_TRUE(decoded.pixels);
    for (int row = 0; row < 10; ++row)
        EXPECT_EQ(Opaque(GreyRamp(16)[size_t(row)]), decoded.At(0, row)) << row;
}

TEST(GIFDecoderTest, TransparentIndexGivesAlphaZeroAndKeepsTheColour)
{
    sDecoded const decoded = Decode(SimpleGif(2, 1, kFour, {1, 3}, 1));
    ASSERT_TRUE(decoded.pixels);
    EXPECT_TRUE(decoded.transparent);
    EXPECT_EQ(Color32(0x0000FF00u), decoded.At(0, 0));
    EXPECT_EQ(Opaque(kFour[3]), decoded.At(1, 0));
}

TEST(GIFDecoderTest, TwelveBitCodesGoOnUntilAClearCode)
{
    // More literals than a 12-bit table holds, without a clear: the width
    // stays at 12 bits; then a clear brings it back to 9 bits.
    std::vector<uint8_t> indices = Pattern(100, 50, 3);
    CodeWriter writer;
    CodeWidthTracker tracker(8);
    writer.Put(256, tracker.width);
    for (uint8_t index : indices)
    {
        writer.Put(index, tracker.width);
        tracker.Advance();
    }
    EXPECT_EQ(12, tracker.width);
    writer.Put(256, tracker.width);
    tracker.Clear();
    std::vector<uint8_t> const after = {9, 8, 7, 6, 5};
    for (uint8_t index : after)
    {
        writer.Put(index, tracker.width);
        tracker.Advance();
    }
    writer.Put(257, tracker.width);
    indices.insert(indices.end(), after.begin(), after.end());

    GifWriter gif;
    gif.Header(5005, 1, GreyRamp(256)).Image(0, 0, 5005, 1, 8, writer.Finish()).Trailer();
    sDecoded const decoded = Decode(gif.bytes);
    ASSERT_TRUE(decoded.pixels);
    EXPECT_EQ(1, decoded.frames);
    std::vector<sRGB> const palette = GreyRamp(256);
    int mismatches = 0;
    for (size_t i = 0; i < indices.size(); ++i)
        mismatches += decoded.At(int(i), 0) != Opaque(palette[indices[i]]);
    EXPECT_EQ(0, mismatches);
}

TEST(GIFDecoderTest, OtherExtensionsAreSkippedByTheirSizes)
{
    GifWriter gif;
    gif.Header(2, 1, kFour)
        .Comment(std::string(300, '#'))
        .Application("NETSCAPE2.0", {1, 0, 0})
        .GraphicControl(2, 7, 2)
        .Comment("otra")
        .Image(0, 0, 2, 1, 2, LiteralCodes({2, 3}, 2))
        .Trailer();
    MemoryStream stream(L"prueba.gif");
    stream.Write(gif.bytes.data(), gif.bytes.size());
    stream.Seek(kSeekBegin, 0);
    C_ImageSet set;
    int width = 0;
    int height = 0;
    bool transparent = false;
    int frames = 0;
    std::unique_ptr<Color32[]> const pixels(set.LoadOpenFileGIF(&stream, width, height, transparent, frames));
    ASSERT_TRUE(pixels);
    EXPECT_EQ(Color32(0x000000FFu), pixels[0]);
    EXPECT_EQ(Opaque(kFour[3]), pixels[1]);
    ASSERT_EQ(1, set.GetImageCount());
    EXPECT_EQ(70, set.GetImage(0)->delayMilliseconds);
    EXPECT_TRUE(set.GetImage(0)->disposal);
    EXPECT_EQ(2, set.GetImage(0)->transparentIndex);
}

TEST(GIFDecoderTest, WithoutAGlobalTableThePaletteIsGrey)
{
    GifWriter gif;
    gif.HeaderWithoutPalette(3, 1, 8).Image(0, 0, 3, 1, 8, LiteralCodes({0, 77, 255}, 8)).Trailer();
    sDecoded const decoded = Decode(gif.bytes);
    ASSERT_TRUE(decoded.pixels);
    EXPECT_EQ(Color32(0xFF000000u), decoded.At(0, 0));
    EXPECT_EQ(Color32(0xFF4D4D4Du), decoded.At(1, 0));
    EXPECT_EQ(Color32(0xFFFFFFFFu), decoded.At(2, 0));
}

TEST(GIFDecoderTest, LocalTableReplacesTheGlobalOneForItsFrame)
{
    std::vector<sRGB> const local = {{1, 2, 3}, {4, 5, 6}};
    GifWriter gif;
    gif.Header(2, 1, kFour).Image(0, 0, 2, 1, 2, LiteralCodes({1, 0}, 2), false, local).Trailer();
    sDecoded const decoded = Decode(gif.bytes);
    ASSERT_TRUE(decoded.pixels);
    EXPECT_EQ(Color32(0xFF040506u), decoded.At(0, 0));
    EXPECT_EQ(Color32(0xFF010203u), decoded.At(1, 0));
}

TEST(GIFDecoderTest, GIF87aIsReadToo)
{
    GifWriter gif;
    gif.Header(1, 1, kFour, "GIF87a").Image(0, 0, 1, 1, 2, LiteralCodes({2}, 2)).Trailer();
    sDecoded const decoded = Decode(gif.bytes);
    ASSERT_TRUE(decoded.pixels);
    EXPECT_EQ(Opaque(kFour[2]), decoded.At(0, 0));
}

TEST(GIFDecoderTest, GreyModeGivesTheMeanOfThePaletteColour)
{
    Bytes const bytes = SimpleGif(2, 1, kFour, {3, 0});
    MemoryStream stream(L"mascara.gif");
    stream.Write(bytes.data(), bytes.size());
    stream.Seek(kSeekBegin, 0);
    C_ImageSet set;
    int width = 0;
    int height = 0;
    int frames = 0;
    std::unique_ptr<uint8_t[]> const grey(set.LoadOpenFileGIFGrey(&stream, width, height, frames));
    ASSERT_TRUE(grey);
    EXPECT_EQ(60, grey[0]);
    EXPECT_EQ(85, grey[1]);
}

// ---------------------------------------------------------------------------
// Frames that do not cover the logical screen

TEST(GIFDecoderTest, SmallFrameIsPlacedOnATransparentScreen)
{
    GifWriter gif;
    gif.Header(6, 5, kFour).Image(3, 2, 2, 2, 2, LiteralCodes({0, 1, 2, 3}, 2)).Trailer();
    sDecoded const decoded = Decode(gif.bytes);
    ASSERT_TRUE(decoded.pixels);
    EXPECT_EQ(6, decoded.width);
    EXPECT_EQ(5, decoded.height);
    EXPECT_TRUE(decoded.transparent);
    EXPECT_EQ(Opaque(kFour[0]), decoded.At(3, 2));
    EXPECT_EQ(Opaque(kFour[1]), decoded.At(4, 2));
    EXPECT_EQ(Opaque(kFour[2]), decoded.At(3, 3));
    EXPECT_EQ(Opaque(kFour[3]), decoded.At(4, 3));
    int covered = 0;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            covered += decoded.At(x, y) != Color32(0);
    EXPECT_EQ(4, covered);
}

TEST(GIFDecoderTest, FrameReachingPastTheScreenIsCut)
{
    GifWriter gif;
    gif.Header(3, 3, kFour).Image(2, 1, 4, 4, 2, LiteralCodes(std::vector<uint8_t>(16, 1), 2)).Trailer();
    sDecoded const decoded = Decode(gif.bytes);
    ASSERT_TRUE(decoded.pixels);
    EXPECT_EQ(3, decoded.width);
    EXPECT_EQ(Opaque(kFour[1]), decoded.At(2, 1));
    EXPECT_EQ(Opaque(kFour[1]), decoded.At(2, 2));
    EXPECT_EQ(Color32(0), decoded.At(1, 1));
    EXPECT_EQ(Color32(0), decoded.At(2, 0));
}

TEST(GIFDecoderTest, ScreenWithoutSizeTakesTheFrameExtent)
{
    GifWriter gif;
    gif.Header(0, 0, kFour).Image(1, 0, 2, 1, 2, LiteralCodes({3, 3}, 2)).Trailer();
    sDecoded const decoded = Decode(gif.bytes);
    ASSERT_TRUE(decoded.pixels);
    EXPECT_EQ(3, decoded.width);
    EXPECT_EQ(1, decoded.height);
    EXPECT_EQ(Color32(0), decoded.At(0, 0));
    EXPECT_EQ(Opaque(kFour[3]), decoded.At(2, 0));
}

// ---------------------------------------------------------------------------
// Damaged and hostile files

TEST(GIFDecoderTest, CodeAboveTheNextFreeCodeFailsAndLeavesTheRestTransparent)
{
    // clear, literal 1, then 7 while the next free code is 6.
    CodeWriter writer;
    writer.Put(4, 3);
    writer.Put(1, 3);
    writer.Put(7, 3);
    writer.Put(2, 3);
    GifWriter gif;
    gif.Header(4, 1, kFour).Image(0, 0, 4, 1, 2, writer.Finish()).Trailer();
    sDecoded const decoded = Decode(gif.bytes);
    ASSERT_TRUE(decoded.pixels);
    EXPECT_EQ(0, decoded.frames);
    EXPECT_TRUE(decoded.transparent);
    EXPECT_EQ(Opaque(kFour[1]), decoded.At(0, 0));
    for (int x = 1; x < 4; ++x)
        EXPECT_EQ(Color32(0), decoded.At(x, 0)) << x;
}

TEST(GIFDecoderTest, DictionaryCodeRightAfterAClearFails)
{
    CodeWriter writer;
    writer.Put(4, 3);
    writer.Put(1, 3);
    writer.Put(2, 3);
    writer.Put(4, 3);
    writer.Put(6, 3);
    GifWriter gif;
    gif.Header(4, 1, kFour).Image(0, 0, 4, 1, 2, writer.Finish()).Trailer();
    sDecoded const decoded = Decode(gif.bytes);
    ASSERT_TRUE(decoded.pixels);
    EXPECT_EQ(0, decoded.frames);
    EXPECT_EQ(Opaque(kFour[1]), decoded.At(0, 0));
    EXPECT_EQ(Opaque(kFour[2]), decoded.At(1, 0));
    EXPECT_EQ(Color32(0), decoded.At(2, 0));
    EXPECT_EQ(Color32(0), decoded.At(3, 0));
}

TEST(GIFDecoderTest, CodeOfTheEntryBeingDefinedRepeatsThePreviousString)
{
    // clear, 1, then 6 (the entry about to be made): 1, 1 1.
    CodeWriter writer;
    writer.Put(4, 3);
    writer.Put(1, 3);
    writer.Put(6, 3);
    writer.Put(5, 3);
    GifWriter gif;
    gif.Header(3, 1, kFour).Image(0, 0, 3, 1, 2, writer.Finish()).Trailer();
    sDecoded const decoded = Decode(gif.bytes);
    ASSERT_TRUE(decoded.pixels);
    EXPECT_EQ(1, decoded.frames);
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(Opaque(kFour[1]), decoded.At(x, 0)) << x;
}

TEST(GIFDecoderTest, DataEndingEarlyLeavesTheUnreachedPixelsTransparent)
{
    GifWriter gif;
    gif.Header(5, 2, kFour).Image(0, 0, 5, 2, 2, LiteralCodes({3, 3, 3}, 2, true, false)).Trailer();
    sDecoded const decoded = Decode(gif.bytes);
    ASSERT_TRUE(decoded.pixels);
    EXPECT_TRUE(decoded.transparent);
    EXPECT_EQ(Opaque(kFour[3]), decoded.At(2, 0));
    // The padding bits of the last byte still form one more code.
    EXPECT_EQ(Color32(0), decoded.At(4, 0));
    EXPECT_EQ(Color32(0), decoded.At(0, 1));
    EXPECT_EQ(Color32(0), decoded.At(4, 1));
}

TEST(GIFDecoderTest, DecoderRefusesBadArguments)
{
    uint8_t data[8] = {0};
    uint8_t destination[16] = {0};
    EXPECT_EQ(0, Internal::LZWDecoder(data, sizeof(data), destination, 0, 4, 4, 4, false));
    EXPECT_EQ(0, Internal::LZWDecoder(data, sizeof(data), destination, 9, 4, 4, 4, false));
    EXPECT_EQ(0, Internal::LZWDecoder(data, sizeof(data), nullptr, 2, 4, 4, 4, false));
    EXPECT_EQ(0, Internal::LZWDecoder(data, sizeof(data), destination, 2, 2, 4, 4, false));
    EXPECT_EQ(0, Internal::LZWDecoder(nullptr, 0, destination, 2, 4, 4, 4, false));
}

TEST(GIFDecoderTest, WhatIsNotAGIFImageGivesNothing)
{
    EXPECT_FALSE(Decode({}).pixels);
    EXPECT_FALSE(Decode({'G', 'I', 'F', '8', '8', 'a', 1, 0, 1, 0, 0, 0, 0}).pixels);
    GifWriter trailerFirst;
    trailerFirst.Header(1, 1, kFour).Comment("nada").Trailer();
    EXPECT_FALSE(Decode(trailerFirst.bytes).pixels);
    GifWriter endsInExtension;
    endsInExtension.Header(1, 1, kFour).Comment("nada");
    EXPECT_FALSE(Decode(endsInExtension.bytes).pixels);
}

TEST(GIFDecoderTest, EveryTruncationOfAFileIsHandled)
{
    GifWriter gif;
    gif.Header(9, 7, kFour).GraphicControl(0).Image(1, 1, 8, 6, 2, LiteralCodes(Pattern(8, 6, 1), 2), true).Trailer();
    for (size_t length = 0; length < gif.bytes.size(); ++length)
    {
        Bytes const cut(gif.bytes.begin(), gif.bytes.begin() + long(length));
        sDecoded const decoded = Decode(cut);
        if (decoded.pixels)
        {
            EXPECT_EQ(9, decoded.width);
            EXPECT_EQ(7, decoded.height);
        }
    }
}

TEST(GIFDecoderTest, SizesBeyondTheLimitAreRefused)
{
    GifWriter wide;
    wide.Header(16385, 1, kFour).Image(0, 0, 1, 1, 2, LiteralCodes({1}, 2)).Trailer();
    EXPECT_FALSE(Decode(wide.bytes).pixels);

    GifWriter many;
    many.Header(8192, 8193, kFour).Image(0, 0, 1, 1, 2, LiteralCodes({1}, 2)).Trailer();
    EXPECT_FALSE(Decode(many.bytes).pixels);

    GifWriter hugeFrame;
    hugeFrame.Header(2, 2, kFour).Image(0, 0, 65535, 65535, 2, LiteralCodes({1}, 2)).Trailer();
    EXPECT_FALSE(Decode(hugeFrame.bytes).pixels);

    GifWriter atTheLimit;
    atTheLimit.Header(16384, 1, kFour).Image(0, 0, 1, 1, 2, LiteralCodes({1}, 2)).Trailer();
    EXPECT_TRUE(Decode(atTheLimit.bytes).pixels);
}

TEST(GIFDecoderTest, MutatedFilesNeverBreakTheDecoder)
{
    GifWriter gif;
    gif.Header(12, 9, GreyRamp(16))
        .GraphicControl(3)
        .Comment("hola")
        .Image(2, 1, 10, 8, 4, CompressLZW(Pattern(10, 8, 5), 4), true)
        .Trailer();
    std::mt19937 random(12345);
    for (int round = 0; round < 3000; ++round)
    {
        Bytes mutated = gif.bytes;
        int const changes = 1 + int(random() % 4);
        for (int i = 0; i < changes; ++i)
            mutated[random() % mutated.size()] = uint8_t(random());
        sDecoded const decoded = Decode(mutated);
        if (decoded.pixels)
        {
            EXPECT_GT(decoded.width, 0);
            EXPECT_GT(decoded.height, 0);
        }
    }
}

// ---------------------------------------------------------------------------
// Concurrency

TEST(GIFDecoderTest, DecodesOnSeveralThreadsAtOnce)
{
    std::vector<Bytes> files;
    std::vector<std::vector<uint8_t>> expected;
    for (unsigned i = 0; i < 4; ++i)
    {
        expected.push_back(Pattern(64, 48, 100 + i));
        files.push_back(SimpleGif(64, 48, GreyRamp(256), expected.back()));
    }
    std::vector<sRGB> const palette = GreyRamp(256);
    std::atomic<int> failures(0);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < files.size(); ++t)
    {
        threads.emplace_back([&, t]() {
            for (int round = 0; round < 20; ++round)
            {
                sDecoded const decoded = Decode(files[t]);
                if (!decoded.pixels)
                {
                    ++failures;
                    continue;
                }
                for (int i = 0; i < 64 * 48; ++i)
                {
                    if (decoded.At(i % 64, i / 64) != Opaque(palette[expected[t][size_t(i)]]))
                    {
                        ++failures;
                        break;
                    }
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(0, failures.load());
}
