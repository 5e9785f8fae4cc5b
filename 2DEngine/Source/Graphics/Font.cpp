#include "2DEngine/Source/Graphics/Font.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "Core/Source/FileAddress.h"
#include "Core/Source/FileSystem.h"
#include "Core/Source/Log.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/FileSource.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageManager.h"
#include "2DEngine/Source/Graphics/StyledText.h"

namespace Corvane
{

int32_t Font::GetStringWidth(wchar_t const* text) const
{
    if (!text)
        return 0;
    int32_t width = 0;
    for (; *text; ++text)
        width += GetKernedLetterWidth(text[0], text[1]);
    return width;
}

std::pair<int32_t, int32_t> Font::GetWrappedStringDimensions(wchar_t const* text, int32_t width) const
{
    Graphics::LineBreakList breaks;
    Graphics::ComputeLineBreaks(&breaks, text, width, this, nullptr);
    return std::make_pair(breaks.GetWidestWidth(), GetGlyphHeight() * breaks.GetLineCount());
}

namespace
{

// Reads the descriptor's characters one at a time: C2 b gives b, C3 b gives
// b + 0x40 (UTF-8 for U+0080 to U+00FF), every other byte itself.
class DescriptorScanner
{
public:
    DescriptorScanner(unsigned char const* bytes, std::size_t size) : mBytes(bytes), mSize(size), mPos(0) {}

    bool ReadCharacter(uint32_t* out)
    {
        SkipBlanks();
        if (AtEnd())
            return false;
        *out = Next();
        return true;
    }

    bool ReadInteger(int32_t* out)
    {
        SkipBlanks();
        std::size_t const start = mPos;
        uint32_t c = AtEnd() ? 0 : Peek();
        bool negative = false;
        if (c == '-' || c == '+')
        {
            negative = c == '-';
            Next();
        }
        int64_t value = 0;
        bool digits = false;
        while (!AtEnd() && (c = Peek()) >= '0' && c <= '9')
        {
            Next();
            digits = true;
            value = value * 10 + (c - '0');
            if (value > INT32_MAX)
            {
                mPos = start;
                return false;
            }
        }
        if (!digits || (!AtEnd() && !IsBlank(Peek())))
        {
            mPos = start;
            return false;
        }
        *out = static_cast<int32_t>(negative ? -value : value);
        return true;
    }

private:
    static bool IsBlank(uint32_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

    bool AtEnd() const { return mPos >= mSize; }

    uint32_t Peek() const
    {
        std::size_t pos = mPos;
        return Decode(&pos);
    }

    uint32_t Next() { return Decode(&mPos); }

    uint32_t Decode(std::size_t* pos) const
    {
        unsigned char const b = mBytes[(*pos)++];
        if ((b == 0xC2 || b == 0xC3) && *pos < mSize)
        {
            unsigned char const second = mBytes[(*pos)++];
            return b == 0xC2 ? second : second + 0x40u;
        }
        return b;
    }

    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(Peek()))
            Next();
    }

    unsigned char const* mBytes;
    std::size_t mSize;
    std::size_t mPos;
};

bool Fail(std::string* error, std::string const& reason)
{
    if (error)
        *error = reason;
    return false;
}

bool IsPowerOfTwoGrowthDone(int width, int height)
{
    return width > kMaxFontAtlasSide || height > kMaxFontAtlasSide;
}

} // namespace

bool ParseFontDescriptor(unsigned char const* bytes, std::size_t size, sFontDescriptor* out, std::string* error)
{
    if (!out || (!bytes && size > 0))
        return Fail(error, "no descriptor");
    DescriptorScanner scanner(bytes, size);
    sFontDescriptor parsed;
    int32_t count = 0;
    int32_t* const header[6] = {&parsed.glyphTop,   &parsed.glyphHeight, &parsed.spacing,
                                &parsed.version,    &parsed.spaceWidth,  &count};
    static char const* const kHeaderNames[6] = {"glyph top", "glyph height", "spacing",
                                                "version",   "space width",  "glyph count"};
    for (int i = 0; i < 6; ++i)
    {
        if (!scanner.ReadInteger(header[i]))
            return Fail(error, std::string("the ") + kHeaderNames[i] + " is missing or not a number");
    }
    if (parsed.glyphTop < 0 || parsed.glyphHeight < 0 || parsed.spaceWidth < 0)
        return Fail(error, "a header size is negative");
    if (parsed.version < 0)
        return Fail(error, "the version is negative");
    if (count < 0 || count > kFontGlyphCount)
        return Fail(error, "the glyph count " + std::to_string(count) + " is outside 0 to 256");

    parsed.order.reserve(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i)
    {
        uint32_t character = 0;
        if (!scanner.ReadCharacter(&character))
            return Fail(error, "glyph " + std::to_string(i) + " is missing");
        sGlyphRect rect = {0, parsed.glyphTop, 0, parsed.glyphHeight};
        bool read = scanner.ReadInteger(&rect.x) && scanner.ReadInteger(&rect.width);
        if (read && parsed.version >= 3)
            read = scanner.ReadInteger(&rect.y) && scanner.ReadInteger(&rect.height);
        if (!read)
            return Fail(error, "glyph " + std::to_string(i) + " lacks a number");
        if (rect.x < 0 || rect.y < 0 || rect.width < 0 || rect.height < 0)
            return Fail(error, "glyph " + std::to_string(i) + " has a negative position or size");
        uint8_t const code = static_cast<uint8_t>(character & 0xFFu);
        parsed.order.push_back(code);
        parsed.glyphs[code] = rect;
    }

    if (parsed.version >= 2)
    {
        parsed.kerning.assign(kFontGlyphCount * kFontGlyphCount, 0);
        for (int32_t row = 0; row < count; ++row)
        {
            for (int32_t column = 0; column < count; ++column)
            {
                int32_t value = 0;
                if (!scanner.ReadInteger(&value))
                    return Fail(error, "the kerning table is incomplete");
                parsed.kerning[parsed.order[row] * kFontGlyphCount + parsed.order[column]] =
                    static_cast<int8_t>(value);
            }
        }
    }

    *out = std::move(parsed);
    return true;
}

Image* RepackFontAtlas(Image const* source, sFontDescriptor* descriptor, wchar_t const* name)
{
    if (!source || !descriptor)
        return nullptr;
    wchar_t const* const printable = name ? name : L"";
    int32_t const glyphHeight = descriptor->glyphHeight;
    int32_t const rowStep = glyphHeight + 2;
    int32_t widest = 0;
    for (uint8_t code : descriptor->order)
        widest = std::max(widest, descriptor->glyphs[code].width);

    int width = 64;
    int height = 64;
    while (!IsPowerOfTwoGrowthDone(width, height))
    {
        // A glyph that spans a whole row would be cut, so only wider atlases are tried.
        bool const skip = int64_t(source->GetWidth() / width) * glyphHeight > height || widest >= width;
        if (!skip)
        {
            std::vector<sGlyphRect> placed(descriptor->order.size());
            int32_t penX = 0;
            int32_t row = 0;
            for (std::size_t i = 0; i < descriptor->order.size(); ++i)
            {
                sGlyphRect const& glyph = descriptor->glyphs[descriptor->order[i]];
                if (penX + glyph.width >= width)
                {
                    ++row;
                    penX = 0;
                }
                placed[i] = {penX, row * rowStep, glyph.width, glyph.height};
                penX += glyph.width + 2;
            }
            if (int64_t(row + 1) * rowStep <= height)
            {
                Image* const atlas = new Image(width, height);
                Color32* const pixels = atlas->GetPixels();
                // Pixels are copied, not blended: the glyph's own alpha is kept.
                for (std::size_t i = 0; i < descriptor->order.size(); ++i)
                {
                    sGlyphRect const& from = descriptor->glyphs[descriptor->order[i]];
                    sGlyphRect const& to = placed[i];
                    for (int32_t y = 0; y < from.height && to.y + y < height; ++y)
                    {
                        for (int32_t x = 0; x < from.width && to.x + x < width; ++x)
                            pixels[(to.y + y) * width + to.x + x] = source->GetPixel(from.x + x, from.y + y);
                    }
                }
                atlas->MarkDirty();
                Internal::LogWrite("Font: %ls was %dx%d now %dx%d\n", printable, source->GetWidth(),
                                   source->GetHeight(), width, height);
                for (std::size_t i = 0; i < descriptor->order.size(); ++i)
                {
                    sGlyphRect& glyph = descriptor->glyphs[descriptor->order[i]];
                    glyph.x = placed[i].x;
                    glyph.y = placed[i].y;
                }
                return atlas;
            }
            Internal::LogWrite("Font: %ls did not fit into a %dx%d\n", printable, width, height);
        }
        if (width < height)
            width *= 2;
        else
            height *= 2;
    }
    Internal::LogWrite("Font: %ls does not fit into a %dx%d atlas; it is not loaded\n", printable,
                       kMaxFontAtlasSide, kMaxFontAtlasSide);
    return nullptr;
}

ImageFont::ImageFont()
    : mGlyphTop(0), mGlyphHeight(0), mSpacing(0), mProportional(false), mSpaceWidth(0),
      mGlyphs(new sGlyphRect[kFontGlyphCount]())
{
}

ImageFont::~ImageFont() {}

void ImageFont::Init(sFontDescriptor const& descriptor, Image* atlas)
{
    mGlyphTop = descriptor.glyphTop;
    mGlyphHeight = descriptor.glyphHeight;
    mSpacing = descriptor.spacing;
    mProportional = descriptor.version > 0;
    mSpaceWidth = descriptor.spaceWidth;
    if (descriptor.version >= 2 && descriptor.kerning.size() == std::size_t(kFontGlyphCount * kFontGlyphCount))
    {
        mKerning.reset(new int8_t[kFontGlyphCount * kFontGlyphCount]);
        std::memcpy(mKerning.get(), descriptor.kerning.data(), descriptor.kerning.size());
    }
    else
    {
        mKerning.reset();
    }
    std::copy(descriptor.glyphs.begin(), descriptor.glyphs.end(), mGlyphs.get());
    mAtlas.reset(atlas);
}

void ImageFont::GetGlyph(wchar_t c, sGlyph* out) const
{
    if (!out)
        return;
    if (static_cast<uint32_t>(c) >= uint32_t(kFontGlyphCount))
    {
        *out = {nullptr, 0, 0, 0, 0};
        return;
    }
    sGlyphRect const& rect = mGlyphs[c];
    *out = {mAtlas.get(), rect.x, rect.y, rect.width, rect.height};
}

int32_t ImageFont::GetKernedLetterWidth(wchar_t c, wchar_t next) const
{
    uint32_t const code = static_cast<uint32_t>(c);
    uint32_t const following = static_cast<uint32_t>(next);
    if (code >= uint32_t(kFontGlyphCount) || following >= uint32_t(kFontGlyphCount))
        return 0;
    if (!mProportional)
        return mSpacing;
    int32_t advance = (code == 32 ? mSpaceWidth : mGlyphs[code].width) + mSpacing;
    if (mKerning)
        advance += mKerning[code * kFontGlyphCount + following];
    return advance;
}

namespace
{

// Closes a stream of the file source through the file system.
class ScopedFontStream
{
public:
    explicit ScopedFontStream(IStream* stream) : mStream(stream) {}
    ~ScopedFontStream()
    {
        if (!mStream)
            return;
        if (IFileSystem* fileSystem = GetFileSystem())
            fileSystem->CloseStream(mStream);
        else
            delete mStream;
    }
    ScopedFontStream(ScopedFontStream const&) = delete;
    ScopedFontStream& operator=(ScopedFontStream const&) = delete;
    IStream* Get() const { return mStream; }

private:
    IStream* mStream;
};

} // namespace

IResourceDescriptor* FontResourceFactory::CreateResource(std::wstring const& manifest, Label name,
                                                         IAttributeContainer const& attributes, IXMLReader&) const
{
    std::wstring const src = attributes.GetAttribute(L"src");
    std::unique_ptr<Image> source(ImageManager::LoadImage(src.c_str()));
    if (!source)
        return nullptr;

    IFileSource* const files = GetFileSource();
    if (!files)
        return nullptr;
    ScopedFontStream stream(files->OpenFileStream(FileAddress(src, L".txt")));
    if (!stream.Get())
        return nullptr;
    uint32_t const length = stream.Get()->GetLength();
    if (length > kMaxFontDescriptorBytes)
    {
        Internal::LogWrite("Font: %ls.txt is larger than %u bytes; the font is not loaded\n", src.c_str(),
                           kMaxFontDescriptorBytes);
        return nullptr;
    }
    std::vector<unsigned char> bytes(length);
    std::size_t got = 0;
    while (got < bytes.size())
    {
        std::size_t const read = stream.Get()->Read(bytes.data() + got, bytes.size() - got);
        if (read == 0)
            break;
        got += read;
    }
    bytes.resize(got);

    sFontDescriptor descriptor;
    std::string reason;
    if (!ParseFontDescriptor(bytes.data(), bytes.size(), &descriptor, &reason))
    {
        Internal::LogWrite("Font: %ls.txt is malformed (%s); the font is not loaded\n", src.c_str(), reason.c_str());
        return nullptr;
    }

    Image* atlas = nullptr;
    if (descriptor.version < 3)
    {
        atlas = RepackFontAtlas(source.get(), &descriptor, src.c_str());
        if (!atlas)
            return nullptr;
        source.reset();
    }
    else
    {
        atlas = source.release();
    }

    ResourceWrapper<ImageFont>* const font = new ResourceWrapper<ImageFont>(manifest, name, attributes);
    font->Init(descriptor, atlas);
    return font;
}

void FontResourceFactory::GetFileListForResource(std::list<FileVariant>* files, std::wstring const&, Label,
                                                 IAttributeContainer const& attributes, IXMLReader&) const
{
    if (!files)
        return;
    std::wstring const src = attributes.GetAttribute(L"src");
    FileVariant descriptor;
    descriptor.name = src;
    descriptor.extensions.push_back(L".txt");
    files->push_back(descriptor);
    ImageManager::AddImageFileVariants(files, src);
}

IResourceFactory* CreateFontResourceFactory()
{
    return new FontResourceFactory();
}

} // namespace Corvane
