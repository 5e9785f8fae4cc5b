#include <gtest/gtest.h>

#include <memory>

#include "Core/Source/XMLReader.h"
#include "2DEngine/Source/Framework/AttributeContainer.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/ImageManager.h"
#include "2DEngine/Tests/Graphics/ImageTestSupport.h"

using namespace ImageTesting;

namespace
{
    std::vector<sRGB> const kPalette = {{10, 20, 30}, {30, 60, 90}, {200, 100, 50}, {255, 255, 255}};

    std::vector<Color32> Solid(int count, Color32 color)
    {
        return std::vector<Color32>(size_t(count), color);
    }

    class ImageManagerTest : public ImageFileFixture
    {
    protected:
        std::unique_ptr<Image> Load(wchar_t const* name)
        {
            return std::unique_ptr<Image>(ImageManager::LoadImage(name));
        }
    };
}

// ---------------------------------------------------------------------------
// Finding files

TEST_F(ImageManagerTest, GIFIsPreferredOverJPEGAndPNG)
{
    Files().SetFile(L"ladrillo.gif", SimpleGif(2, 1, kPalette, {2, 2}));
    Files().SetFile(L"ladrillo.jpg", MakeJPEG(2, 1, Solid(2, Color32(0xFF0000FFu))));
    Files().SetFile(L"ladrillo.png", MakePNG(2, 1, Solid(2, Color32(0xFF00FF00u))));
    std::unique_ptr<Image> const image = Load(L"ladrillo");
    ASSERT_TRUE(image);
    EXPECT_EQ(Color32(0xFFC86432u), image->GetPixel(0, 0));
    EXPECT_FALSE(image->HasAlpha());

    Files().Clear();
    Files().SetFile(L"ladrillo.jpg", MakeJPEG(2, 1, Solid(2, Color32(0xFF0000FFu))));
    Files().SetFile(L"ladrillo.png", MakePNG(2, 1, Solid(2, Color32(0xFF00FF00u))));
    std::unique_ptr<Image> const jpeg = Load(L"ladrillo");
    ASSERT_TRUE(jpeg);
    EXPECT_TRUE(NearlyEqual(Color32(0xFF0000FFu), jpeg->GetPixel(1, 0), 8));
}

TEST_F(ImageManagerTest, MissingImageIsLoggedAndLeavesTheImageUnchanged)
{
    Image image(2, 2);
    image.SetPixel(0, 0, Color32(0xFF123456u));
    LogCapture log;
    EXPECT_EQ(nullptr, ImageManager::LoadImage(L"nada", &image));
    EXPECT_EQ("Image nada was not found.\n", log.Take());
    EXPECT_EQ(2, image.GetWidth());
    EXPECT_EQ(Color32(0xFF123456u), image.GetPixel(0, 0));
    std::vector<std::wstring> const opened = Files().Opened();
    EXPECT_EQ((std::vector<std::wstring>{L"nada.gif", L"nada.jpg", L"nada.png"}), opened);
}

TEST_F(ImageManagerTest, NonASCIINamesLoadAndLogWithQuestionMarks)
{
    Files().SetFile(L"se\u00F1al.png", MakePNG(1, 1, Solid(1, Color32(0x80FF0000u))));
    std::unique_ptr<Image> const image = Load(L"se\u00F1al");
    ASSERT_TRUE(image);
    EXPECT_EQ(Color32(0x80FF0000u), image->GetPixel(0, 0));
    LogCapture log;
    EXPECT_FALSE(Load(L"ni\u00F1o"));
    EXPECT_EQ("Image ni?o was not found.\n", log.Take());
}

TEST_F(ImageManagerTest, FileVariantsListTheirExtensionsInOrder)
{
    FileVariant const image = ImageManager::GetImageFileVariant(L"fondos/cielo");
    EXPECT_EQ(L"fondos/cielo", image.name);
    EXPECT_EQ((std::list<std::wstring>{L".jpg", L".gif", L".png"}), image.extensions);
    FileVariant const mask = ImageManager::GetImageMaskFileVariant(L"fondos/cielo");
    EXPECT_EQ(L"fondos/cielo_mask", mask.name);
    EXPECT_EQ((std::list<std::wstring>{L".gif", L".png", L".jpg"}), mask.extensions);
}

// ---------------------------------------------------------------------------
// Kinds of files

TEST_F(ImageManagerTest, PNGKeepsItsAlpha)
{
    std::vector<Color32> const pixels = {Color32(0x00000000u), Color32(0x7F102030u), Color32(0xFFFFFFFFu),
                                         Color32(0x01020304u)};
    Files().SetFile(L"vidrio.png", MakePNG(2, 2, pixels));
    std::unique_ptr<Image> const image = Load(L"vidrio");
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->HasAlpha());
    EXPECT_FALSE(image->IsKeyed());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pixels[size_t(i)], image->GetPixel(i % 2, i / 2));
}

TEST_F(ImageManagerTest, JPEGIsOpaqueWithoutAMask)
{
    Files().SetFile(L"arena.jpg", MakeJPEG(8, 8, Solid(64, Color32(0xFF808080u))));
    std::unique_ptr<Image> const image = Load(L"arena");
    ASSERT_TRUE(image);
    EXPECT_EQ(8, image->GetWidth());
    EXPECT_FALSE(image->HasAlpha());
    EXPECT_TRUE(NearlyEqual(Color32(0xFF808080u), image->GetPixel(3, 3), 3));
}

TEST_F(ImageManagerTest, GIFWithATransparentColourIsKeyed)
{
    Files().SetFile(L"valla.gif", SimpleGif(2, 1, kPalette, {0, 1}, 0));
    std::unique_ptr<Image> const image = Load(L"valla");
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->HasAlpha());
    EXPECT_TRUE(image->IsKeyed());
    EXPECT_EQ(Color32(0x000A141Eu), image->GetPixel(0, 0));
    EXPECT_EQ(Color32(0xFF1E3C5Au), image->GetPixel(1, 0));
}

// ---------------------------------------------------------------------------
// Masks

TEST_F(ImageManagerTest, GIFMaskTakesTheMeanAndClearsKeyed)
{
    Files().SetFile(L"valla.gif", SimpleGif(2, 1, kPalette, {0, 2}, 0));
    Files().SetFile(L"valla_mask.gif", SimpleGif(2, 1, kPalette, {1, 3}));
    std::unique_ptr<Image> const image = Load(L"valla");
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->HasAlpha());
    EXPECT_FALSE(image->IsKeyed());
    EXPECT_EQ(Color32(0x3C0A141Eu), image->GetPixel(0, 0));
    EXPECT_EQ(Color32(0xFFC86432u), image->GetPixel(1, 0));
}

TEST_F(ImageManagerTest, PNGMaskIsPreferredOverJPEGAndTakesTheBlueChannel)
{
    Files().SetFile(L"grua.jpg", MakeJPEG(2, 2, Solid(4, Color32(0xFFFFFFFFu))));
    Files().SetFile(L"grua_mask.png", MakePNG(2, 2, Solid(4, Color32(0xFF1E3C5Au))));
    Files().SetFile(L"grua_mask.jpg", MakeJPEG(2, 2, Solid(4, Color32(0xFF000000u))));
    std::unique_ptr<Image> const image = Load(L"grua");
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->HasAlpha());
    EXPECT_EQ(0x5A, image->GetPixel(1, 1).GetAlpha());
    EXPECT_TRUE(NearlyEqual(Color32(0x5AFFFFFFu), image->GetPixel(0, 1), 2));
}

TEST_F(ImageManagerTest, JPEGMaskOfTheRightSizeGivesAlpha)
{
    Files().SetFile(L"tubo.png", MakePNG(4, 4, Solid(16, Color32(0xFF203040u))));
    Files().SetFile(L"tubo_mask.jpg", MakeJPEG(4, 4, Solid(16, Color32(0xFF808080u))));
    std::unique_ptr<Image> const image = Load(L"tubo");
    ASSERT_TRUE(image);
    EXPECT_NEAR(0x80, image->GetPixel(2, 2).GetAlpha(), 3);
    EXPECT_EQ(0x203040u, image->GetPixel(2, 2).value & 0xFFFFFFu);
}

TEST_F(ImageManagerTest, MaskOfAnotherSizeIsLoggedAndIgnored)
{
    Files().SetFile(L"valla.gif", SimpleGif(2, 1, kPalette, {0, 1}, 0));
    Files().SetFile(L"valla_mask.png", MakePNG(3, 1, Solid(3, Color32(0xFF000000u))));
    LogCapture log;
    std::unique_ptr<Image> const image = Load(L"valla");
    EXPECT_EQ("Image valla had an alpha mask that was the wrong size.\n", log.Take());
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->IsKeyed());
    EXPECT_EQ(Color32(0xFF1E3C5Au), image->GetPixel(1, 0));
}

TEST_F(ImageManagerTest, UndecodableMaskIsLoggedAndIgnored)
{
    Files().SetFile(L"valla.png", MakePNG(1, 1, Solid(1, Color32(0x40FFFFFFu))));
    Files().SetFile(L"valla_mask.gif", Bytes{'G', 'I', 'F', '8', '9', 'a'});
    LogCapture log;
    std::unique_ptr<Image> const image = Load(L"valla");
    EXPECT_EQ("Image Mask valla could not be loaded.\nImage valla had an alpha mask that was the wrong size.\n",
              log.Take());
    ASSERT_TRUE(image);
    EXPECT_EQ(Color32(0x40FFFFFFu), image->GetPixel(0, 0));
}

// ---------------------------------------------------------------------------
// Files that cannot be loaded

TEST_F(ImageManagerTest, UndecodableImageIsLoggedAndLeavesTheImageUnchanged)
{
    Files().SetFile(L"roto.gif", Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B});
    Image image(1, 1);
    image.SetPixel(0, 0, Color32(0xFF00FF00u));
    LogCapture log;
    EXPECT_EQ(nullptr, ImageManager::LoadImage(L"roto", &image));
    EXPECT_EQ("Image roto could not be loaded.\n", log.Take());
    EXPECT_EQ(Color32(0xFF00FF00u), image.GetPixel(0, 0));
}

TEST_F(ImageManagerTest, RejectedPNGNamesTheStreamThenTheImage)
{
    Bytes damaged = MakePNG(4, 4, Solid(16, Color32(0xFF000000u)));
    damaged.resize(damaged.size() / 2);
    Files().SetFile(L"medio.png", damaged);
    LogCapture log;
    EXPECT_FALSE(Load(L"medio"));
    EXPECT_EQ("PNGLoader: Failed to load file: medio.png\r\nImage medio could not be loaded.\n", log.Take());
}

TEST_F(ImageManagerTest, FileOfAnotherKindUnderTheExtensionIsRefused)
{
    Files().SetFile(L"disfraz.png", SimpleGif(1, 1, kPalette, {1}));
    Files().SetFile(L"otro.jpg", MakePNG(1, 1, Solid(1, Color32(0xFFFFFFFFu))));
    LogCapture log;
    EXPECT_FALSE(Load(L"disfraz"));
    EXPECT_FALSE(Load(L"otro"));
    std::string const text = log.Take();
    EXPECT_NE(std::string::npos, text.find("Image disfraz could not be loaded.\n"));
    EXPECT_NE(std::string::npos, text.find("Image otro could not be loaded.\n"));
}

TEST_F(ImageManagerTest, HugeImagesAreRefusedBeforeDecoding)
{
    Files().SetFile(L"ancho.png", PNGHeaderOnly(16385, 1));
    Files().SetFile(L"enorme.png", PNGHeaderOnly(8192, 8193));
    Files().SetFile(L"alto.jpg", JPEGHeaderOnly(1, 20000));
    Files().SetFile(L"grande.gif", GifWriter().Header(16385, 2, kPalette).Image(0, 0, 1, 1, 2, LiteralCodes({1}, 2)).Trailer().bytes);
    for (wchar_t const* name : {L"ancho", L"enorme", L"alto", L"grande"})
    {
        LogCapture log;
        EXPECT_FALSE(Load(name));
        EXPECT_NE(std::string::npos, log.Take().find(" could not be loaded.\n")) << name;
    }
}

TEST_F(ImageManagerTest, EmptyFilesAndMissingSourceFailCleanly)
{
    Files().SetFile(L"vacio.jpg", Bytes());
    {
        LogCapture log;
        EXPECT_FALSE(Load(L"vacio"));
        EXPECT_EQ("Image vacio could not be loaded.\n", log.Take());
    }
    Internal::DeleteAllSingletons();
    RegisterSingleton(static_cast<IFileSource*>(nullptr));
    LogCapture log;
    EXPECT_FALSE(Load(L"vacio"));
    EXPECT_EQ(nullptr, ImageManager::LoadImage(L"vacio", nullptr));
}

// ---------------------------------------------------------------------------
// The "image" resource

namespace
{
    AttributeContainer Attributes(IAttributeContainer::AttributeMap const& map)
    {
        return AttributeContainer(map);
    }
}

TEST_F(ImageManagerTest, ImageResourceLoadsAndPrebuildsItsRotations)
{
    Files().SetFile(L"rueda.png", MakePNG(4, 2, Solid(8, Color32(0xFF445566u))));
    AttributeContainer const attributes = Attributes({{L"src", L"rueda"}, {L"rotations", L"4"}});
    XMLElementList reader;
    std::unique_ptr<IResourceDescriptor> resource(
        ImageResourceFactory().CreateResource(L"manifiesto", Label::GetUniqueString("rueda"), attributes, reader));
    ASSERT_TRUE(resource);
    Image* const image = dynamic_cast<Image*>(resource.get());
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(4, image->GetWidth());
    ASSERT_NE(nullptr, image->GetRotationCache());
    EXPECT_EQ(4, image->GetRotationCache()->GetCount());
    EXPECT_EQ(image, image->GetRotationCache()->GetImageAt(0));
    for (int slot = 1; slot < 4; ++slot)
        EXPECT_NE(nullptr, image->GetRotationCache()->GetImageAt(slot)) << slot;
    EXPECT_EQ(2, image->GetRotationCache()->GetImageAt(1)->GetWidth());
    EXPECT_EQ(L"manifiesto", resource->GetManifest());
}

TEST_F(ImageManagerTest, ImageResourceWithOneRotationHasNoCacheAndAMissingFileGivesNull)
{
    Files().SetFile(L"rueda.png", MakePNG(1, 1, Solid(1, Color32(0xFF445566u))));
    XMLElementList reader;
    std::unique_ptr<IResourceDescriptor> one(ImageResourceFactory().CreateResource(
        L"m", Label(), Attributes({{L"src", L"rueda"}, {L"rotations", L"1"}}), reader));
    ASSERT_TRUE(one);
    EXPECT_EQ(nullptr, dynamic_cast<Image*>(one.get())->GetCachedRotation(Angle(1.0f)));

    LogCapture log;
    EXPECT_EQ(nullptr, ImageResourceFactory().CreateResource(L"m", Label(), Attributes({{L"src", L"falta"}}), reader));
    EXPECT_EQ("Image falta was not found.\n", log.Take());
}

TEST_F(ImageManagerTest, ImageResourceAnnouncesItsImageAndMaskFiles)
{
    std::list<FileVariant> files;
    XMLElementList reader;
    ImageResourceFactory().GetFileListForResource(&files, L"m", Label(), Attributes({{L"src", L"cami\u00F3n"}}), reader);
    ASSERT_EQ(2u, files.size());
    EXPECT_EQ(L"cami\u00F3n", files.front().name);
    EXPECT_EQ(L".jpg", files.front().extensions.front());
    EXPECT_EQ(L"cami\u00F3n_mask", files.back().name);
    EXPECT_EQ(L".gif", files.back().extensions.front());
}
