#ifndef CORVANE_GRAPHICS_FONT_H
#define CORVANE_GRAPHICS_FONT_H

// A bitmap font as text drawing sees it: each character is a rectangle of an
// atlas image, drawn tinted, and advances the pen by its kerned width.
//
// ImageFont is the font read from an image and its descriptor, the image's name
// plus ".txt": six header numbers (glyph top, glyph height, spacing, version,
// space width, glyph count), then per glyph the character, its x and width (and
// from version 3 on its y and height), then from version 2 on a count x count
// kerning table. Fonts older than version 3 are re-packed into a small atlas.

#include <array>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "2DEngine/Source/Framework/Resource.h"

namespace Corvane
{

class IImage;
class Image;

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
    // The text broken into lines for the width: (widest line's width, glyph
    // height x number of lines).
    std::pair<int32_t, int32_t> GetWrappedStringDimensions(wchar_t const* text, int32_t width) const;
};

// A glyph's rectangle in the atlas.
struct sGlyphRect
{
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

// Character codes a font can hold: one byte.
constexpr int kFontGlyphCount = 256;
// Re-packing gives up beyond this atlas size rather than growing for ever.
constexpr int kMaxFontAtlasSide = 4096;

// A descriptor file as read, before the font is built.
struct sFontDescriptor
{
    int32_t glyphTop = 0;
    int32_t glyphHeight = 0;
    int32_t spacing = 0;
    int32_t version = 0;
    int32_t spaceWidth = 0;
    // The character codes in the order the file lists them (repeats kept).
    std::vector<uint8_t> order;
    // Zero size for characters not listed.
    std::array<sGlyphRect, kFontGlyphCount> glyphs{};
    // 256 x 256 extra advances indexed [c * 256 + next]; empty below version 2.
    std::vector<int8_t> kerning;
};

// Reads a descriptor. A malformed one (a missing or unreadable number, a glyph
// count above 256 or below 0, a negative version, size or position) gives false
// with the reason in error, and out left as it was.
bool ParseFontDescriptor(unsigned char const* bytes, std::size_t size, sFontDescriptor* out, std::string* error);

// Copies the listed glyphs of a pre-version-3 font from the source image into
// the smallest power-of-two atlas (from 64 x 64, growing the narrower side) in
// which rows of glyph height + 2 hold them, and moves the descriptor's glyphs
// to their new places. Each size that is too small is logged. Null, with the
// descriptor unchanged, when no atlas up to kMaxFontAtlasSide fits.
Image* RepackFontAtlas(Image const* source, sFontDescriptor* descriptor, wchar_t const* name);

class ImageFont : public Font
{
public:
    // Every field zero or none.
    ImageFont();
    ~ImageFont() override;
    ImageFont(ImageFont const&) = delete;
    ImageFont& operator=(ImageFont const&) = delete;

    void GetGlyph(wchar_t c, sGlyph* out) const override;
    int32_t GetGlyphHeight() const override { return mGlyphHeight; }
    int32_t GetKernedLetterWidth(wchar_t c, wchar_t next) const override;

    // Takes the header, glyphs and kerning (none below version 2) of the
    // descriptor and owns the atlas. Whatever the font held before is freed.
    void Init(sFontDescriptor const& descriptor, Image* atlas);

    int32_t GetGlyphTop() const { return mGlyphTop; }
    int32_t GetSpacing() const { return mSpacing; }
    bool IsProportional() const { return mProportional; }
    int32_t GetSpaceWidth() const { return mSpaceWidth; }
    bool HasKerning() const { return mKerning != nullptr; }
    Image const* GetAtlas() const { return mAtlas.get(); }
    sGlyphRect const& GetGlyphRect(uint8_t c) const { return mGlyphs[c]; }

private:
    int32_t mGlyphTop;
    int32_t mGlyphHeight;
    int32_t mSpacing;
    bool mProportional;
    int32_t mSpaceWidth;
    std::unique_ptr<int8_t[]> mKerning;
    std::unique_ptr<sGlyphRect[]> mGlyphs;
    std::unique_ptr<Image> mAtlas;
};

// The "font" element: "src" names the image; the descriptor is "src" + ".txt".
class FontResourceFactory : public IResourceFactory
{
public:
    // Null when the image or the descriptor is missing (silently) or the
    // descriptor is malformed or too large (logged).
    IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name, IAttributeContainer const& attributes,
                                        IXMLReader& reader) const override;
    // The descriptor, the image variant and the mask variant of "src".
    void GetFileListForResource(std::list<FileVariant>* files, std::wstring const& manifest, Label name,
                                IAttributeContainer const& attributes, IXMLReader& reader) const override;
};

// A new factory for the platform to register under "font".
IResourceFactory* CreateFontResourceFactory();

// Descriptors larger than this are refused unread.
constexpr uint32_t kMaxFontDescriptorBytes = 4u * 1024u * 1024u;

} // namespace Corvane

#endif
