#include "Core/Source/Base64.h"

#include "Core/Source/MemoryStream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Corvane;

namespace
{
    std::wstring EncodeBytes(const std::vector<unsigned char>& bytes)
    {
        MemoryStream stream(L"bytes");
        if (!bytes.empty())
            stream.Write(bytes.data(), bytes.size());
        stream.Seek(kSeekBegin, 0);
        return Base64::Encode(&stream);
    }

    std::vector<unsigned char> DecodeText(const std::wstring& text)
    {
        MemoryStream stream(L"bytes");
        Base64::Decode(text, &stream);
        return stream.GetData();
    }
}

// Normal case

TEST(Base64, EncodesWithPadding)
{
    EXPECT_EQ(L"TWE=", EncodeBytes({0x4D, 0x61}));
    EXPECT_EQ(L"TQ==", EncodeBytes({0x4D}));
    EXPECT_EQ(L"TWFu", EncodeBytes({0x4D, 0x61, 0x6E}));
    EXPECT_EQ(L"", EncodeBytes({}));
    EXPECT_EQ(L"//79", EncodeBytes({0xFF, 0xFE, 0xFD}));
}

TEST(Base64, EncodesFromTheCurrentPosition)
{
    MemoryStream stream(L"bytes");
    stream.Write("xMa", 3);
    stream.Seek(kSeekBegin, 1);
    EXPECT_EQ(L"TWE=", Base64::Encode(&stream));
}

TEST(Base64, DecodesWhatItEncodes)
{
    std::vector<unsigned char> bytes;
    for (int length = 0; length < 70; ++length)
    {
        EXPECT_EQ(bytes, DecodeText(EncodeBytes(bytes))) << "length " << length;
        bytes.push_back(static_cast<unsigned char>(length * 37 + 11));
    }
    EXPECT_EQ((std::vector<unsigned char>{0x4D, 0x61}), DecodeText(L"TWE="));
}

// Invalid input

TEST(Base64, SkipsCharactersOutsideTheAlphabet)
{
    std::wstring plain = EncodeBytes({1, 2, 3, 4, 5, 250, 251});
    std::wstring broken;
    for (wchar_t c : plain)
        broken += std::wstring(1, c) + L" \r\n\tñ";
    EXPECT_EQ(DecodeText(plain), DecodeText(broken));
    EXPECT_TRUE(DecodeText(L"====").empty());
    // The bits of an incomplete last group are dropped.
    EXPECT_EQ((std::vector<unsigned char>{0x4D}), DecodeText(L"TW"));
    EXPECT_EQ((std::vector<unsigned char>{0x4D, 0x61}), DecodeText(L"TWF"));
    EXPECT_TRUE(DecodeText(L"T").empty());
}
