#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Core/Source/StringUtils.h"
#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Graphics/Font.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Tests/Graphics/FontTestSupport.h"
#include "2DEngine/Tests/Graphics/ImageTestSupport.h"

using namespace Corvane;
using FontTesting::StderrCapture;

namespace
{

bool Parse(std::string const& text, sFontDescriptor* out, std::string* error = nullptr)
{
    return ParseFontDescriptor(reinterpret_cast<unsigned char const*>(text.data()), text.size(), out, error);
}

ImageFont* MakeFont(std::string const& text)
{
    sFontDescriptor descriptor;
    EXPECT_TRUE(Parse(text, &descriptor));
    ImageFont* font = new ImageFont();
    font->Init(descriptor, new Image(4, 4));
    return font;
}

// A source image whose glyph k is filled with colour 0xFF000000 + k + 1.
Image* StripImage(int width, int height, std::vector<sGlyphRect> const& rects)
{
    Image* image = new Image(width, height);
    for (size_t k = 0; k < rects.size(); ++k)
        for (int y = rects[k].y; y < rects[k].y + rects[k].height; ++y)
            for (int x = rects[k].x; x < rects[k].x + rects[k].width; ++x)
                image->SetPixel(x, y, 0xFF000000u + Color32(k + 1));
    return image;
}

} // namespace

// ---------------------------------------------------------------------------
// Descriptor

TEST(FontDescriptorTest, ReadsHeaderGlyphsAndKerning)
{
    sFontDescriptor d;
    ASSERT_TRUE(Parse("2 18 1 2 6 2\nA 0 10\nV 12 9\n0 -2\n-3 0\n", &d));
    EXPECT_EQ(2, d.glyphTop);
    EXPECT_EQ(18, d.glyphHeight);
    EXPECT_EQ(1, d.spacing);
    EXPECT_EQ(2, d.version);
    EXPECT_EQ(6, d.spaceWidth);
    ASSERT_EQ((std::vector<uint8_t>{'A', 'V'}), d.order);
    // Below version 3 every glyph sits on the glyph row.
    EXPECT_EQ(12, d.glyphs['V'].x);
    EXPECT_EQ(2, d.glyphs['V'].y);
    EXPECT_EQ(9, d.glyphs['V'].width);
    EXPECT_EQ(18, d.glyphs['V'].height);
    ASSERT_EQ(65536u, d.kerning.size());
    EXPECT_EQ(-2, d.kerning['A' * 256 + 'V']);
    EXPECT_EQ(-3, d.kerning['V' * 256 + 'A']);
    EXPECT_EQ(0, d.kerning['A' * 256 + 'A']);
}

TEST(FontDescriptorTest, VersionThreeReadsPerGlyphRectangles)
{
    sFontDescriptor d;
    ASSERT_TRUE(Parse("0 20 0 3 5 1 Q 4 7 30 11 0", &d));
    EXPECT_EQ(4, d.glyphs['Q'].x);
    EXPECT_EQ(30, d.glyphs['Q'].y);
    EXPECT_EQ(7, d.glyphs['Q'].width);
    EXPECT_EQ(11, d.glyphs['Q'].height);
    // One kerning number for the single pair.
    EXPECT_FALSE(d.kerning.empty());
}

TEST(FontDescriptorTest, NonASCIIGlyphsUseTheLatin1Decoding)
{
    sFontDescriptor d;
    // "é" (C3 A9) and "Ñ" (C3 91) and "¡" (C2 A1).
    ASSERT_TRUE(Parse("0 10 0 1 4 3 \xC3\xA9 0 5 \xC3\x91 6 7 \xC2\xA1 14 3", &d));
    EXPECT_EQ(5, d.glyphs[0xE9].width);
    EXPECT_EQ(7, d.glyphs[0xD1].width);
    EXPECT_EQ(3, d.glyphs[0xA1].width);
    EXPECT_EQ((std::vector<uint8_t>{0xE9, 0xD1, 0xA1}), d.order);
}

TEST(FontDescriptorTest, ALaterRecordForTheSameCharacterWins)
{
    sFontDescriptor d;
    ASSERT_TRUE(Parse("0 10 0 1 4 2 A 0 5 A 9 3", &d));
    EXPECT_EQ(9, d.glyphs['A'].x);
    EXPECT_EQ(3, d.glyphs['A'].width);
}

TEST(FontDescriptorTest, MalformedDescriptorsAreRejectedAndLeaveTheOutputAlone)
{
    char const* const bad[] = {
        "",                                       // nothing
        "0 18 1 1 6",                             // a header number missing
        "0 18 x 1 6 0",                           // not a number
        "0 18 1 1 6 2 A 0 10",                    // fewer records than the count
        "0 18 1 1 6 1 A 0",                       // a glyph lacks its width
        "0 18 1 1 6 257",                         // more than 256 glyphs
        "0 18 1 1 6 -1",                          // negative count
        "0 -18 1 1 6 0",                          // negative glyph height
        "0 18 1 1 -6 0",                          // negative space width
        "0 18 1 1 6 1 A 0 -4",                    // negative glyph width
        "0 18 1 3 6 1 A 0 4 2 -1 0",              // negative glyph height (version 3)
        "0 18 1 2 6 2 A 0 4 B 5 4 0 1 2",         // kerning table short by one
        "0 18 1 -1 6 0",                          // negative version
        "0 18 1 1 6 99999999999",                 // count beyond 32 bits
    };
    for (char const* text : bad)
    {
        sFontDescriptor d;
        d.glyphHeight = 77;
        std::string error;
        EXPECT_FALSE(Parse(text, &d, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(77, d.glyphHeight) << text;
        EXPECT_TRUE(d.order.empty()) << text;
    }
}

TEST(FontDescriptorTest, AllTwoHundredFiftySixGlyphsAreAccepted)
{
    std::string text = "0 10 0 1 4 256";
    for (int c = 0; c < 256; ++c)
        text += " A 0 1";
    sFontDescriptor d;
    EXPECT_TRUE(Parse(text, &d));
    EXPECT_EQ(256u, d.order.size());
}

// ---------------------------------------------------------------------------
// Metrics

TEST(ImageFontTest, ANewFontHasNothing)
{
    ImageFont font;
    EXPECT_EQ(0, font.GetGlyphHeight());
    EXPECT_EQ(nullptr, font.GetAtlas());
    EXPECT_FALSE(font.HasKerning());
    EXPECT_EQ(0, font.GetKernedLetterWidth(L'A', 0));
}

TEST(ImageFontTest, FixedWidthFontsAdvanceBySpacingWhateverTheGlyph)
{
    std::unique_ptr<ImageFont> font(MakeFont("0 16 9 0 3 2 i 0 2 W 3 14"));
    EXPECT_FALSE(font->IsProportional());
    EXPECT_EQ(9, font->GetKernedLetterWidth(L'i', L'W'));
    EXPECT_EQ(9, font->GetKernedLetterWidth(L'W', 0));
    EXPECT_EQ(9, font->GetKernedLetterWidth(L' ', 0));
    EXPECT_EQ(27, font->GetStringWidth(L"i W"));
}

TEST(ImageFontTest, ProportionalFontsAddSpacingAndKerning)
{
    std::unique_ptr<ImageFont> font(MakeFont("0 18 1 2 6 2 A 0 10 V 12 9 0 -2 -3 0"));
    EXPECT_TRUE(font->HasKerning());
    // A + spacing + kerning[A][V], then V + spacing + kerning[V][0].
    EXPECT_EQ((10 + 1 - 2) + (9 + 1 + 0), font->GetStringWidth(L"AV"));
    EXPECT_EQ(10 + 1, font->GetKernedLetterWidth(L'A', L'A'));
    EXPECT_EQ(9 + 1 - 3, font->GetKernedLetterWidth(L'V', L'A'));
}

TEST(ImageFontTest, WithoutAKerningTableTheKerningTermsAreZero)
{
    std::unique_ptr<ImageFont> font(MakeFont("0 18 1 1 6 2 A 0 10 V 12 9"));
    EXPECT_FALSE(font->HasKerning());
    EXPECT_EQ(11 + 10, font->GetStringWidth(L"AV"));
}

TEST(ImageFontTest, TheSpaceAdvancesBySpaceWidthEvenWhenListed)
{
    std::unique_ptr<ImageFont> font(MakeFont("0 18 2 1 6 1 A 0 10"));
    EXPECT_EQ(6 + 2, font->GetKernedLetterWidth(L' ', L'A'));
}

TEST(ImageFontTest, CharactersBeyondOneByteHaveNoGlyphAndNoWidth)
{
    std::unique_ptr<ImageFont> font(MakeFont("0 18 2 1 6 1 A 0 10"));
    Font::sGlyph glyph = {font->GetAtlas(), 1, 2, 3, 4};
    font->GetGlyph(L'\x20AC', &glyph);
    EXPECT_EQ(nullptr, glyph.image);
    EXPECT_EQ(0, glyph.width);
    EXPECT_EQ(0, font->GetKernedLetterWidth(L'\x20AC', 0));
    EXPECT_EQ(0, font->GetKernedLetterWidth(L'A', L'\x20AC'));
    EXPECT_EQ(0, font->GetKernedLetterWidth(wchar_t(-5), 0));
    // The A before the euro sign pairs with it and so adds nothing either.
    EXPECT_EQ(12, font->GetStringWidth(L"A\x20AC" L"A"));

    font->GetGlyph(L'A', &glyph);
    EXPECT_EQ(font->GetAtlas(), glyph.image);
    EXPECT_EQ(10, glyph.width);
}

TEST(ImageFontTest, WrappedDimensionsCountTheLines)
{
    // Every character advances 10.
    std::unique_ptr<ImageFont> fixed(MakeFont("0 20 10 0 0 0"));
    // "aaa bbb " is 80 wide, so the line breaks after its blank, which stays on it.
    EXPECT_EQ(std::make_pair(80, 40), fixed->GetWrappedStringDimensions(L"aaa bbb ccc", 75));
    EXPECT_EQ(std::make_pair(0, 20), fixed->GetWrappedStringDimensions(L"", 100));
}

// ---------------------------------------------------------------------------
// Re-packing

TEST(FontRepackTest, ThreeRowsFitSixtyFourSquareAndPixelsMove)
{
    // Glyph height 18, row step 20; glyphs 20 wide: two per row (0, 22), the third starts a row.
    std::vector<sGlyphRect> rects;
    std::string text = "0 18 0 1 4 5";
    for (int k = 0; k < 5; ++k)
    {
        rects.push_back({k * 30, 0, 20, 18});
        text += " " + std::string(1, char('a' + k)) + " " + std::to_string(k * 30) + " 20";
    }
    std::unique_ptr<Image> source(StripImage(150, 18, rects));
    sFontDescriptor d;
    ASSERT_TRUE(Parse(text, &d));

    StderrCapture log;
    std::unique_ptr<Image> atlas(RepackFontAtlas(source.get(), &d, L"Fuente_Ñ"));
    std::string const lines = log.Take();
    ASSERT_NE(nullptr, atlas);
    EXPECT_EQ(64, atlas->GetWidth());
    EXPECT_EQ(64, atlas->GetHeight());
    EXPECT_EQ("Font: Fuente_? was 150x18 now 64x64\n", lines);

    EXPECT_EQ(0, d.glyphs['a'].x);
    EXPECT_EQ(22, d.glyphs['b'].x);
    EXPECT_EQ(0, d.glyphs['c'].x);
    EXPECT_EQ(20, d.glyphs['c'].y);
    EXPECT_EQ(40, d.glyphs['e'].y);
    for (int k = 0; k < 5; ++k)
    {
        sGlyphRect const& g = d.glyphs['a' + k];
        EXPECT_EQ(0xFF000000u + Color32(k + 1), atlas->GetPixel(g.x + 5, g.y + 9)) << k;
        EXPECT_EQ(0xFF000000u + Color32(k + 1), atlas->GetPixel(g.x + 19, g.y + 17)) << k;
    }
    // The gap between glyphs stays empty.
    EXPECT_EQ(0u, atlas->GetPixel(20, 5));
}

TEST(FontRepackTest, FourRowsDoNotFitAndTheNextSizeIsTried)
{
    std::vector<sGlyphRect> rects;
    std::string text = "0 18 0 1 4 7";
    for (int k = 0; k < 7; ++k)
    {
        rects.push_back({k * 20, 0, 20, 18});
        text += " " + std::string(1, char('a' + k)) + " " + std::to_string(k * 20) + " 20";
    }
    std::unique_ptr<Image> source(StripImage(140, 18, rects));
    sFontDescriptor d;
    ASSERT_TRUE(Parse(text, &d));
    StderrCapture log;
    std::unique_ptr<Image> atlas(RepackFontAtlas(source.get(), &d, L"f"));
    EXPECT_EQ("Font: f did not fit into a 64x64\nFont: f was 140x18 now 64x128\n", log.Take());
    ASSERT_NE(nullptr, atlas);
    EXPECT_EQ(128, atlas->GetHeight());
    EXPECT_EQ(60, d.glyphs['g'].y);
}

TEST(FontRepackTest, AGlyphExactlyFillingTheRowStartsANewRow)
{
    // 30 + 2 + 32 = 64: the second glyph would end exactly at the edge.
    std::unique_ptr<Image> source(StripImage(62, 10, {{0, 0, 30, 10}, {30, 0, 32, 10}}));
    sFontDescriptor d;
    ASSERT_TRUE(Parse("0 10 0 1 4 2 a 0 30 b 30 32", &d));
    StderrCapture log;
    std::unique_ptr<Image> atlas(RepackFontAtlas(source.get(), &d, L"f"));
    ASSERT_NE(nullptr, atlas);
    EXPECT_EQ(0, d.glyphs['b'].x);
    EXPECT_EQ(12, d.glyphs['b'].y);
}

TEST(FontRepackTest, GrowthStopsAtTheBoundAndLeavesTheDescriptor)
{
    std::string text = "0 4000 0 1 4 256";
    for (int c = 0; c < 256; ++c)
        text += " A " + std::to_string(c) + " 100";
    std::unique_ptr<Image> source(new Image(1, 1));
    sFontDescriptor d;
    ASSERT_TRUE(Parse(text, &d));
    sFontDescriptor const before = d;
    StderrCapture log;
    EXPECT_EQ(nullptr, RepackFontAtlas(source.get(), &d, L"huge"));
    std::string const lines = log.Take();
    EXPECT_NE(std::string::npos, lines.find("Font: huge does not fit into a 4096x4096 atlas"));
    EXPECT_EQ(before.glyphs['A'].x, d.glyphs['A'].x);
}

TEST(FontRepackTest, AGlyphWiderThanTheLargestAtlasIsRefused)
{
    std::unique_ptr<Image> source(new Image(1, 1));
    sFontDescriptor d;
    ASSERT_TRUE(Parse("0 10 0 1 4 1 a 0 5000", &d));
    StderrCapture log;
    EXPECT_EQ(nullptr, RepackFontAtlas(source.get(), &d, L"wide"));
}

// ---------------------------------------------------------------------------
// Factory

namespace
{

class FontFactoryTest : public ImageTesting::ImageFileFixture
{
protected:
    IResourceDescriptor* Create(std::wstring const& src)
    {
        AttributeContainer::AttributeMap attributes;
        attributes[L"src"] = src;
        attributes[L"name"] = L"TestFont";
        XMLElement element(XMLElement::kStartElement, L"font");
        element.SetAttributes(attributes);
        XMLElementList reader;
        reader.AddElement(element);
        return FontResourceFactory().CreateResource(L"Manifest", Label::GetUniqueString("TestFont"), element,
                                                    reader);
    }

    void SetDescriptor(std::wstring const& name, std::string const& text)
    {
        Files().SetFile(name + L".txt", ImageTesting::Bytes(text.begin(), text.end()));
    }

    void SetImage(std::wstring const& name, int width, int height)
    {
        std::vector<Color32> pixels(size_t(width * height), 0xFFFFFFFFu);
        Files().SetFile(name + L".png", ImageTesting::MakePNG(width, height, pixels));
    }
};

} // namespace

TEST_F(FontFactoryTest, LoadsAnOldFontAndRepacksIt)
{
    SetImage(L"Fuentes/Señal", 200, 20);
    SetDescriptor(L"Fuentes/Señal", "1 18 1 2 5 2 A 0 10 \xC3\x91 12 9 0 -1 -2 0");
    StderrCapture log;
    std::unique_ptr<IResourceDescriptor> resource(Create(L"Fuentes/Señal"));
    ASSERT_NE(nullptr, resource);
    ImageFont* font = dynamic_cast<ImageFont*>(resource.get());
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(18, font->GetGlyphHeight());
    EXPECT_EQ(1, font->GetGlyphTop());
    ASSERT_NE(nullptr, font->GetAtlas());
    EXPECT_EQ(64, font->GetAtlas()->GetWidth());
    EXPECT_EQ(10 + 1 - 1, font->GetKernedLetterWidth(L'A', L'\xD1'));
    EXPECT_EQ(12, font->GetGlyphRect(0xD1).x);
    EXPECT_NE(std::string::npos, log.Take().find("was 200x20 now 64x64"));
}

TEST_F(FontFactoryTest, VersionThreeKeepsItsImage)
{
    SetImage(L"Nueva", 30, 40);
    SetDescriptor(L"Nueva", "0 16 0 3 4 1 A 3 5 7 9 0");
    std::unique_ptr<IResourceDescriptor> resource(Create(L"Nueva"));
    ImageFont* font = dynamic_cast<ImageFont*>(resource.get());
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(30, font->GetAtlas()->GetWidth());
    EXPECT_EQ(7, font->GetGlyphRect('A').y);
}

TEST_F(FontFactoryTest, AMissingImageOrDescriptorGivesNothing)
{
    SetDescriptor(L"SinImagen", "0 16 0 1 4 0");
    SetImage(L"SinTexto", 8, 8);
    StderrCapture log;
    EXPECT_EQ(nullptr, Create(L"SinImagen"));
    EXPECT_EQ(nullptr, Create(L"SinTexto"));
}

TEST_F(FontFactoryTest, AMalformedDescriptorIsLoggedAndGivesNothing)
{
    SetImage(L"Rota", 8, 8);
    SetDescriptor(L"Rota", "0 16 0 1 4 300");
    StderrCapture log;
    EXPECT_EQ(nullptr, Create(L"Rota"));
    EXPECT_NE(std::string::npos, log.Take().find("Font: Rota.txt is malformed"));
}

TEST(FontFactoryFilesTest, ListsDescriptorImageAndMask)
{
    AttributeContainer::AttributeMap attributes;
    attributes[L"src"] = L"Fonts/Big";
    AttributeContainer container(attributes);
    XMLElementList reader;
    std::list<FileVariant> files;
    FontResourceFactory().GetFileListForResource(&files, L"M", Label(), container, reader);
    ASSERT_EQ(3u, files.size());
    auto it = files.begin();
    EXPECT_EQ(L"Fonts/Big", it->name);
    EXPECT_EQ((std::list<std::wstring>{L".txt"}), it->extensions);
    ++it;
    EXPECT_EQ(L"Fonts/Big", it->name);
    ++it;
    EXPECT_EQ(L"Fonts/Big_mask", it->name);
}
