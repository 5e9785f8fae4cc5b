#include <gtest/gtest.h>

#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Platform/MacOSX/ArrowCursor.h"

namespace
{
using Corvane::Color32;

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlack = 0xFF000000u;

uint32_t Pixel(int x, int y)
{
    return uint32_t(MacOSX::GetArrowCursorImage()->GetPixel(x, y));
}
} // namespace

TEST(ArrowCursor, IsOneSharedImageWithItsHotSpot)
{
    Corvane::Image const* const arrow = MacOSX::GetArrowCursorImage();
    ASSERT_NE(nullptr, arrow);
    EXPECT_EQ(arrow, MacOSX::GetArrowCursorImage());
    EXPECT_EQ(32, arrow->GetWidth());
    EXPECT_EQ(32, arrow->GetHeight());
    EXPECT_TRUE(arrow->HasAlpha());
    EXPECT_EQ(1, MacOSX::GetArrowCursorHotSpot().x);
    EXPECT_EQ(2, MacOSX::GetArrowCursorHotSpot().y);
}

// A white outline round a black inside, on a transparent ground.
TEST(ArrowCursor, OutlineInsideAndGround)
{
    EXPECT_EQ(kWhite, Pixel(0, 0));
    EXPECT_EQ(0u, Pixel(1, 0));
    // Rows 1 to 9: outline at column 0 and at the row's own column.
    EXPECT_EQ(kWhite, Pixel(0, 5));
    EXPECT_EQ(kBlack, Pixel(3, 5));
    EXPECT_EQ(kWhite, Pixel(5, 5));
    EXPECT_EQ(0u, Pixel(6, 5));
    // Row 10: the base of the head.
    for (int x = 6; x <= 10; ++x)
        EXPECT_EQ(kWhite, Pixel(x, 10)) << x;
    EXPECT_EQ(kBlack, Pixel(5, 10));
    // Row 12: the notch between the head and the tail.
    EXPECT_EQ(kWhite, Pixel(2, 12));
    EXPECT_EQ(0u, Pixel(3, 12));
    EXPECT_EQ(kWhite, Pixel(4, 12));
    EXPECT_EQ(kBlack, Pixel(5, 12));
    // The tail's end.
    EXPECT_EQ(kWhite, Pixel(6, 16));
    EXPECT_EQ(kWhite, Pixel(7, 16));
    EXPECT_EQ(0u, Pixel(8, 16));
    // Rows 17 to 31 and the right side are empty.
    for (int y = 17; y < 32; ++y)
        EXPECT_EQ(0u, Pixel(0, y)) << y;
    EXPECT_EQ(0u, Pixel(31, 0));
}

// Every pixel is opaque white, opaque black or fully transparent black:
// no colour leaks outside the mask.
TEST(ArrowCursor, OnlyThreeKindsOfPixel)
{
    int white = 0;
    int black = 0;
    for (int y = 0; y < 32; ++y)
    {
        for (int x = 0; x < 32; ++x)
        {
            uint32_t const pixel = Pixel(x, y);
            ASSERT_TRUE(pixel == kWhite || pixel == kBlack || pixel == 0u) << x << "," << y;
            white += pixel == kWhite;
            black += pixel == kBlack;
        }
    }
    EXPECT_GT(white, 30);
    EXPECT_GT(black, 30);
}
