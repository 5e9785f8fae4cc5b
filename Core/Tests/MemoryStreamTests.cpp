#include "Core/Source/MemoryStream.h"

#include "Core/Source/Error.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace Corvane;

namespace
{
    std::vector<unsigned char> Contents(MemoryStream& stream)
    {
        return stream.GetData();
    }
}

// Normal case

TEST(MemoryStream, FreshStreamIsEmptyAndAtItsEnd)
{
    MemoryStream stream(L"fresh");
    EXPECT_EQ(0u, stream.GetLength());
    EXPECT_EQ(0u, stream.Tell());
    EXPECT_TRUE(stream.IsEOF());
    stream.Seek(kSeekBegin, 5);
    EXPECT_EQ(0u, stream.Tell());
    EXPECT_EQ(15u, stream.GetCapabilities());
    EXPECT_EQ(L"fresh", stream.GetName());
}

TEST(MemoryStream, WriteThenReadBack)
{
    MemoryStream stream(L"m");
    const char text[] = "hello";
    EXPECT_EQ(5u, stream.Write(text, 5));
    EXPECT_EQ(5u, stream.Tell());
    EXPECT_TRUE(stream.IsEOF());
    stream.Seek(kSeekBegin, 1);
    char buffer[8] = {};
    EXPECT_EQ(3u, stream.Read(buffer, 3));
    EXPECT_STREQ("ell", buffer);
    EXPECT_EQ(4u, stream.Tell());
    EXPECT_FALSE(stream.IsEOF());
}

TEST(MemoryStream, WritingPastTheEndGrowsToExactlyTheNeededLength)
{
    MemoryStream stream(L"m");
    const unsigned char two[] = {1, 2};
    stream.Write(two, 2);
    stream.Seek(kSeekBegin, 1);
    const unsigned char three[] = {7, 8, 9};
    EXPECT_EQ(3u, stream.Write(three, 3));
    EXPECT_EQ(4u, stream.GetLength());
    EXPECT_EQ(4u, stream.Tell());
    EXPECT_EQ((std::vector<unsigned char>{1, 7, 8, 9}), Contents(stream));
}

TEST(MemoryStream, SeekClampsIntoTheData)
{
    MemoryStream stream(L"m");
    stream.Write("abcdef", 6);
    stream.Seek(kSeekBegin, -5);
    EXPECT_EQ(0u, stream.Tell());
    stream.Seek(kSeekEnd, 10);
    EXPECT_EQ(6u, stream.Tell());
    stream.Seek(kSeekEnd, -2);
    EXPECT_EQ(4u, stream.Tell());
    stream.Seek(kSeekCurrent, -1);
    EXPECT_EQ(3u, stream.Tell());
    stream.Seek(kSeekCurrent, INT64_MAX);
    EXPECT_EQ(6u, stream.Tell());
    stream.Seek(kSeekCurrent, INT64_MIN);
    EXPECT_EQ(0u, stream.Tell());
    // An unknown origin leaves the position where it was.
    stream.Seek(kSeekBegin, 2);
    stream.Seek(static_cast<SeekOrigin>(7), 3);
    EXPECT_EQ(2u, stream.Tell());
}

TEST(MemoryStream, ReadOptimizedPointsIntoTheStreamAndAdvances)
{
    MemoryStream stream(L"m");
    stream.Write("abcdef", 6);
    stream.Seek(kSeekBegin, 2);
    void* pointer = nullptr;
    EXPECT_EQ(3u, stream.ReadOptimized(pointer, 3));
    ASSERT_NE(nullptr, pointer);
    EXPECT_EQ(0, std::memcmp(pointer, "cde", 3));
    EXPECT_EQ(5u, stream.Tell());
    EXPECT_EQ(1u, stream.ReadOptimized(pointer, 100));
    EXPECT_EQ(0u, stream.ReadOptimized(pointer, 100));
    EXPECT_EQ(nullptr, pointer);
}

TEST(MemoryStream, WriteOfNothingChangesNothing)
{
    MemoryStream stream(L"m");
    EXPECT_EQ(0u, stream.Write("x", 0));
    EXPECT_EQ(0u, stream.GetLength());
}

// Invalid input

TEST(MemoryStream, ReadAtTheEndReturnsNothingAndLeavesTheBufferAlone)
{
    MemoryStream stream(L"m");
    stream.Write("ab", 2);
    char buffer[4] = {'x', 'y', 'z', 0};
    EXPECT_EQ(0u, stream.Read(buffer, 3));
    EXPECT_STREQ("xyz", buffer);
    stream.Seek(kSeekBegin, 1);
    EXPECT_EQ(1u, stream.Read(buffer, 3));
    EXPECT_EQ('b', buffer[0]);
}

TEST(ReadOnlyMemoryStream, ReadsSeeksAndRefusesWrites)
{
    const char block[] = "0123456789";
    ReadOnlyMemoryStream stream(L"block", block, 10);
    EXPECT_EQ(9u, stream.GetCapabilities());
    EXPECT_EQ(10u, stream.GetLength());
    char buffer[4] = {};
    EXPECT_EQ(3u, stream.Read(buffer, 3));
    EXPECT_STREQ("012", buffer);
    stream.Seek(kSeekEnd, -2);
    EXPECT_EQ(8u, stream.Tell());
    stream.Seek(kSeekCurrent, 100);
    EXPECT_TRUE(stream.IsEOF());
    void* pointer = nullptr;
    EXPECT_EQ(0u, stream.ReadOptimized(pointer, 5));
    EXPECT_EQ(block + 10, pointer);

    try
    {
        stream.Write("x", 1);
        FAIL() << "Write must throw";
    }
    catch (const RuntimeError& error)
    {
        EXPECT_STREQ("ReadOnlyMemoryStream::Write is not implemented.", error.what());
    }
    // A failure leaves state unchanged.
    EXPECT_EQ(10u, stream.Tell());
    EXPECT_EQ(0, std::memcmp(block, "0123456789", 10));
}

// Non-ASCII names

TEST(MemoryStream, KeepsANonASCIIName)
{
    MemoryStream stream(L"Canción del león");
    EXPECT_EQ(L"Canción del león", stream.GetName());
}
