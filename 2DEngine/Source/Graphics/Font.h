#ifndef CORVANE_GRAPHICS_FONT_H
#define CORVANE_GRAPHICS_FONT_H

// A bitmap font as text drawing sees it: each character is a rectangle of an
// atlas image, drawn tinted, and advances the pen by its kerned width.

#include <cstdint>

namespace Corvane
{

class IImage;

class Font
{
public:
    struct sGlyph
    {
        // The atlas; null for a character the font has no glyph for.
        IImage const* image;
        int32_t x;
        int32_t y;
        int32_t width;
        int32_t height;
    };

    virtual ~Font() {}

    virtual void GetGlyph(wchar_t c, sGlyph* out) const = 0;
    // Line height in pixels.
    virtual int32_t GetGlyphHeight() const = 0;
    // Horizontal advance after c when next follows it.
    virtual int32_t GetKernedLetterWidth(wchar_t c, wchar_t next) const = 0;

    // The sum of the kerned advances of every character, the last one paired
    // with the terminating 0; 0 for an empty or null text.
    int32_t GetStringWidth(wchar_t const* text) const;
};

} // namespace Corvane

#endif
