#pragma once

#include <cstdint>
#include <string>

namespace Corvane
{
    // A colour packed as 0xAARRGGBB; also the pixel format of images. Behaves as its
    // 32-bit value, so equality compares the whole value.
    struct Color32
    {
        uint32_t value;

        constexpr Color32() : value(0) {}
        constexpr Color32(uint32_t packed) : value(packed) {}
        constexpr operator uint32_t() const { return value; }

        static constexpr Color32 FromARGB(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue)
        {
            return Color32((uint32_t(alpha) << 24) | (uint32_t(red) << 16) | (uint32_t(green) << 8) | uint32_t(blue));
        }

        constexpr uint8_t GetAlpha() const { return uint8_t(value >> 24); }
        constexpr uint8_t GetRed() const { return uint8_t(value >> 16); }
        constexpr uint8_t GetGreen() const { return uint8_t(value >> 8); }
        constexpr uint8_t GetBlue() const { return uint8_t(value); }

        // "#RRGGBBAA", readable by ColorF::FromString.
        std::wstring ToString() const;
    };

    static_assert(sizeof(Color32) == 4, "pixels are stored as packed Color32 words");

    // A colour as four floats, nominally 0 to 1.
    struct ColorF
    {
        float r;
        float g;
        float b;
        float a;

        // Opaque white, so that a colour nobody set draws things unchanged.
        constexpr ColorF() : r(1.0f), g(1.0f), b(1.0f), a(1.0f) {}
        constexpr ColorF(float red, float green, float blue, float alpha = 1.0f) : r(red), g(green), b(blue), a(alpha) {}
        // Each byte divided by 255.
        explicit ColorF(Color32 color);

        // '#' and six or eight hexadecimal digits (red, green, blue, optional alpha); any
        // other text gives opaque black. Letters beyond 'f' count as 16-35, giving channels
        // above 1.
        [[nodiscard]] static ColorF FromString(std::wstring const& text);

        // A shared constant made from the four bytes on first use.
        template <int R, int G, int B, int A>
        static ColorF const& StaticColor()
        {
            static ColorF const color(Color32::FromARGB(uint8_t(A), uint8_t(R), uint8_t(G), uint8_t(B)));
            return color;
        }

        // Each channel times 255, truncated; channels outside 0 to 1 are limited to them so that
        // one channel never spills into the next.
        Color32 ToColor32() const;
        // "#RRGGBBAA" of ToColor32.
        std::wstring ToString() const;

        bool operator==(ColorF const& other) const { return r == other.r && g == other.g && b == other.b && a == other.a; }
        bool operator!=(ColorF const& other) const { return !(*this == other); }
        // Channel by channel, as a tint is applied.
        ColorF operator*(ColorF const& other) const { return ColorF(r * other.r, g * other.g, b * other.b, a * other.a); }
    };
}
