#include "2DEngine/Source/Platform/MacOSX/ArrowCursor.h"

#include <cstdint>

#include "2DEngine/Source/Graphics/Image.h"

namespace MacOSX
{

namespace
{

constexpr int kSize = 32;

// One word per row, column x in bit 31 - x; rows 17 to 31 are empty.
uint32_t const kMask[17] = {0x80000000, 0xC0000000, 0xE0000000, 0xF0000000, 0xF8000000, 0xFC000000,
                            0xFE000000, 0xFF000000, 0xFF800000, 0xFFC00000, 0xFFE00000, 0xFE000000,
                            0xEF000000, 0xCF000000, 0x87800000, 0x07800000, 0x03000000};
// Set bits are white (the outline), clear bits black.
uint32_t const kColor[17] = {0x80000000, 0xC0000000, 0xA0000000, 0x90000000, 0x88000000, 0x84000000,
                             0x82000000, 0x81000000, 0x80800000, 0x80400000, 0x83E00000, 0x92000000,
                             0xA9000000, 0xC9000000, 0x84800000, 0x04800000, 0x03000000};

Corvane::Image* BuildArrow()
{
    Corvane::Color32* const pixels = new Corvane::Color32[kSize * kSize];
    for (int y = 0; y < kSize; ++y)
    {
        uint32_t const mask = y < 17 ? kMask[y] : 0;
        uint32_t const color = y < 17 ? kColor[y] : 0;
        for (int x = 0; x < kSize; ++x)
        {
            uint32_t const bit = 1u << (31 - x);
            uint32_t const alpha = (mask & bit) ? 0xFF000000u : 0;
            uint32_t const rgb = (color & bit) ? 0x00FFFFFFu : 0;
            pixels[y * kSize + x] = Corvane::Color32(alpha | rgb);
        }
    }
    return new Corvane::Image(pixels, kSize, kSize, true, true);
}

} // namespace

Corvane::Image const* GetArrowCursorImage()
{
    static Corvane::Image const* const arrow = BuildArrow();
    return arrow;
}

Corvane::Vector2<int> GetArrowCursorHotSpot()
{
    return Corvane::Vector2<int>(1, 2);
}

} // namespace MacOSX
