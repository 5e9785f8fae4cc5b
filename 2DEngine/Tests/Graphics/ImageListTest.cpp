#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Source/Graphics/SoftwareCanvas.h"
#include "2DEngine/Tests/Graphics/ImageTestSupport.h"

using namespace ImageTesting;
using namespace Corvane::Graphics;

namespace
{
    // Tells when it is destroyed.
    class TrackedImage : public IImage
    {
    public:
        TrackedImage(int width, int height, int* deletions) : mWidth(width), mHeight(height), mDeletions(deletions) {}
        ~TrackedImage() override { ++*mDeletions; }
        int GetWidth() const override { return mWidth; }
        int GetHeight() const override { return mHeight; }
        Color32 GetPixel(int x, int y) const override { return Color32(0x80000000u | uint32_t(x << 8) | uint32_t(y)); }
        void SetTexture(ITexture*) const override {}
        ITexture* GetTexture() const override { return nullptr; }

    private:
        int mWidth;
        int mHeight;
        int* mDeletions;
    };

    // Pixel (x, y) is 0xFF000000 | (x << 8) | y.
    Image* Numbered(int width, int height)
    {
        Image* const image = new Image(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image->GetPixels()[y * width + x] = Color32(0xFF000000u | uint32_t(x << 8) | uint32_t(y));
        return image;
    }

    sDrawState Defaults()
    {
        return sDrawState::GetDefaults();
    }

    // The resource manager reading manifests from the memory file source, with
    // the image factories registered.
    class ImageListResourceTest : public ImageFileFixture
    {
    protected:
        void SetUp() override
        {
            ImageFileFixture::SetUp();
            manager = GetResourceManager();
            manager->AddResourceFactory(L"image", new ImageResourceFactory());
            manager->AddResourceFactory(L"imagelist", new ImageListResourceFactory());
            manager->AddResourceFactory(L"filmstrip", new FilmStripResourceFactory());
        }

        void TearDown() override
        {
            manager->Cleanup();
            ImageFileFixture::TearDown();
        }

        void LoadManifest(std::wstring const& body)
        {
            std::wstring const text =
                L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n" + body + L"\n</resources>\n";
            std::string const utf8 = ConvertStringWideToUTF8String(text);
            Files().SetFile(L"recursos.xml", Bytes(utf8.begin(), utf8.end()));
            manager->Load(L"recursos");
        }

        // A 1 x 1 PNG of the colour n, for telling frames apart.
        void AddFrame(std::wstring const& name, uint32_t n)
        {
            Files().SetFile(name + L".png", MakePNG(1, 1, {Color32(0xFF000000u | n)}));
        }

        IImageList* List(char const* name) { return AutoResource<IImageList>(name).Get(); }

        ResourceManager* manager = nullptr;
    };
}

// ---------------------------------------------------------------------------
// ImageList

TEST(ImageListTest, ValidIndicesReachTheirImages)
{
    std::unique_ptr<Image> const borrowed(Numbered(3, 2));
    ImageList list;
    list.AddImage(borrowed.get());
    list.AddOwnedImage(Numbered(5, 4));
    list.AddImage(nullptr);
    EXPECT_EQ(3, list.GetNumImages());
    EXPECT_TRUE(list.IsValidImage(1));
    EXPECT_FALSE(list.IsValidImage(2));
    EXPECT_EQ(borrowed.get(), list.GetImage(0));
    EXPECT_EQ(5, list.GetImageWidth(1));
    EXPECT_EQ(4, list.GetImageHeight(1));
    EXPECT_EQ(Color32(0xFF000201u), list.GetImagePixel(0, 2, 1));
    EXPECT_EQ(255, list.GetImagePixelAlpha(1, 4, 3));
    EXPECT_EQ(0, list.GetImagePixelAlpha(1, 5, 3));
}

TEST(ImageListTest, InvalidIndicesGiveNothing)
{
    ImageList list;
    list.AddImage(nullptr);
    PieceRecorder canvas(100, 100);
    Rect<float> rect(0, 0, 10, 10);
    for (int index : {-1, 0, 1, 1000})
    {
        EXPECT_EQ(nullptr, list.GetImage(index));
        EXPECT_EQ(0, list.GetImageWidth(index));
        EXPECT_EQ(0, list.GetImageHeight(index));
        EXPECT_EQ(Color32(0), list.GetImagePixel(index, 0, 0));
        EXPECT_EQ(0, list.GetImagePixelAlpha(index, 0, 0));
        EXPECT_EQ(1, list.DrawImage(index, 0, 0, Defaults(), &canvas));
        EXPECT_EQ(1, list.DrawStretchedImage(index, rect, Defaults(), &canvas));
    }
    EXPECT_TRUE(canvas.pieces.empty());
}

TEST(ImageListTest, OnlyOwnedImagesAreDeletedWithTheList)
{
    int deletions = 0;
    TrackedImage borrowed(1, 1, &deletions);
    {
        ImageList list;
        list.AddImage(&borrowed);
        list.AddOwnedImage(new TrackedImage(1, 1, &deletions));
        list.AddOwnedImage(new TrackedImage(1, 1, &deletions));
    }
    EXPECT_EQ(2, deletions);
}

TEST(ImageListTest, DrawingGoesThroughTheFacadeAndFloorsStretchedRectangles)
{
    std::unique_ptr<Image> const image(Numbered(4, 4));
    ImageList list;
    list.AddImage(image.get());
    PieceRecorder canvas(100, 100);
    sDrawState state = Defaults();
    state.hAlign = kHAlignment_Right;
    EXPECT_EQ(0, list.DrawImage(0, 10.5f, 3.0f, state, &canvas));
    Rect<float> rect(1.7f, -2.2f, 3.9f, 4.5f);
    EXPECT_EQ(0, list.DrawStretchedImage(0, rect, Defaults(), &canvas));
    ASSERT_EQ(2u, canvas.pieces.size());
    EXPECT_EQ(6.5f, canvas.pieces[0].x);
    EXPECT_EQ(Rect<int>(1, -3, 3, 4), canvas.pieces[1].dest);
}

// ---------------------------------------------------------------------------
// FilmStrip

TEST(FilmStripTest, PanesAreNumberedRowByRow)
{
    FilmStrip strip;
    strip.Init(Numbered(90, 40), 3, 2);
    EXPECT_EQ(6, strip.GetNumImages());
    EXPECT_EQ(30, strip.GetImageWidth(4));
    EXPECT_EQ(20, strip.GetImageHeight(4));
    EXPECT_EQ(Rect<int>(30, 20, 30, 20), strip.GetPaneRect(4));
    EXPECT_EQ(Rect<int>(60, 0, 30, 20), strip.GetPaneRect(2));
    EXPECT_EQ(Color32(0xFF002316u), strip.GetImagePixel(4, 5, 2));
    EXPECT_EQ(255, strip.GetImagePixelAlpha(5, 29, 19));
    // Beyond the image: nothing.
    EXPECT_EQ(0, strip.GetImagePixelAlpha(5, 30, 0));
}

TEST(FilmStripTest, DrawingSelectsThePane)
{
    FilmStrip strip;
    strip.Init(Numbered(90, 40), 3, 2);
    PieceRecorder canvas(200, 200);
    EXPECT_EQ(0, strip.DrawImage(4, 7.0f, 8.0f, Defaults(), &canvas));
    Rect<float> rect(0.5f, 0.5f, 60.0f, 40.0f);
    EXPECT_EQ(0, strip.DrawStretchedImage(1, rect, Defaults(), &canvas));
    ASSERT_EQ(2u, canvas.pieces.size());
    EXPECT_EQ(strip.GetImage(), canvas.pieces[0].image);
    EXPECT_TRUE(canvas.pieces[0].state.flags & DRAW_FLAG_SOURCE_RECT);
    EXPECT_TRUE(canvas.pieces[0].state.flags & DRAW_FLAG_ALPHA);
    EXPECT_EQ(Rect<int>(30, 20, 30, 20), canvas.pieces[0].state.sourceRect);
    EXPECT_EQ(Rect<int>(30, 0, 30, 20), canvas.pieces[1].state.sourceRect);
    EXPECT_EQ(Rect<int>(0, 0, 60, 40), canvas.pieces[1].dest);

    // A frame beyond the strip addresses nothing of the image.
    Image target(50, 50);
    ICanvas* const software = CreateImageCanvas(&target);
    EXPECT_EQ(1, strip.DrawImage(6, 0, 0, Defaults(), software));
    EXPECT_EQ(0, strip.DrawImage(5, 0, 0, Defaults(), software));
    EXPECT_EQ(Color32(0xFF003C14u), target.GetPixel(0, 0));
    DestroyImageCanvas(software);
}

TEST(FilmStripTest, EmptyStripAndSinglePaneAreSafe)
{
    FilmStrip empty;
    EXPECT_EQ(0, empty.GetNumImages());
    EXPECT_EQ(0, empty.GetImageWidth(0));
    EXPECT_EQ(0, empty.GetImageHeight(0));
    EXPECT_EQ(Color32(0), empty.GetImagePixel(0, 0, 0));
    PieceRecorder canvas(10, 10);
    EXPECT_EQ(1, empty.DrawImage(0, 0, 0, Defaults(), &canvas));

    FilmStrip whole;
    whole.Init(Numbered(8, 6), 0, -2);
    EXPECT_EQ(1, whole.GetNumImages());
    EXPECT_EQ(Rect<int>(0, 0, 8, 6), whole.GetPaneRect(0));
}

// ---------------------------------------------------------------------------
// Tiling

TEST(TiledImageTest, PiecesStartAtTheNormalisedOffset)
{
    std::unique_ptr<Image> const image(Numbered(10, 10));
    PieceRecorder canvas(100, 100);
    EXPECT_EQ(0, DrawTiledImageHV(image.get(), Rect<float>(0, 0, 25, 10), Vector2<int>(-3, 0), Defaults(), &canvas));
    ASSERT_EQ(4u, canvas.pieces.size());
    EXPECT_EQ(0.0f, canvas.pieces[0].x);
    EXPECT_EQ(Rect<int>(7, 0, 3, 10), PieceRecorder::SourceOf(canvas.pieces[0]));
    EXPECT_EQ(3.0f, canvas.pieces[1].x);
    EXPECT_FALSE(canvas.pieces[1].state.flags & DRAW_FLAG_SOURCE_RECT);
    EXPECT_EQ(13.0f, canvas.pieces[2].x);
    EXPECT_EQ(23.0f, canvas.pieces[3].x);
    EXPECT_EQ(Rect<int>(0, 0, 2, 10), PieceRecorder::SourceOf(canvas.pieces[3]));
}

TEST(TiledImageTest, RowsAreCutIntoBands)
{
    std::unique_ptr<Image> const image(Numbered(4, 4));
    PieceRecorder canvas(100, 100);
    EXPECT_EQ(0, DrawTiledImageV(image.get(), 5.0f, 2.0f, 7.0f, 6, Defaults(), &canvas));
    ASSERT_EQ(3u, canvas.pieces.size());
    EXPECT_EQ(Rect<int>(0, 2, 4, 2), PieceRecorder::SourceOf(canvas.pieces[0]));
    EXPECT_EQ(4.0f, canvas.pieces[1].y);
    EXPECT_EQ(Rect<int>(0, 0, 4, 4), PieceRecorder::SourceOf(canvas.pieces[1]));
    EXPECT_EQ(8.0f, canvas.pieces[2].y);
    EXPECT_EQ(Rect<int>(0, 0, 4, 1), PieceRecorder::SourceOf(canvas.pieces[2]));

    canvas.pieces.clear();
    EXPECT_EQ(0, DrawTiledImageH(image.get(), 0.0f, 0.0f, 6.0f, 0, Defaults(), &canvas));
    ASSERT_EQ(2u, canvas.pieces.size());
    EXPECT_EQ(Rect<int>(0, 0, 2, 4), PieceRecorder::SourceOf(canvas.pieces[1]));
}

TEST(TiledImageTest, DrawnTilesMatchTheTiledPixelQuery)
{
    std::unique_ptr<Image> const image(Numbered(3, 2));
    Image target(7, 5);
    ICanvas* const canvas = CreateImageCanvas(&target);
    Vector2<int> const offset(4, -1);
    EXPECT_EQ(0, DrawTiledImageHV(image.get(), Rect<float>(0, 0, 7, 5), offset, Defaults(), canvas));
    DestroyImageCanvas(canvas);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(GetTiledImageHVPixel(image.get(), Vector2<float>(7, 5), offset, x, y),
                      int32_t(target.GetPixel(x, y).value))
                << x << "," << y;
    EXPECT_EQ(int32_t(image->GetPixel(1, 1).value),
              GetTiledImageHVPixel(image.get(), Vector2<float>(7, 5), offset, 0, 0));
}

TEST(TiledImageTest, PointsOutsideTheAreaGiveMinusOneAndAlpha255)
{
    std::unique_ptr<Image> const image(Numbered(3, 2));
    Vector2<float> const size(5.9f, 4.0f);
    EXPECT_EQ(-1, GetTiledImageHVPixel(image.get(), size, Vector2<int>(0, 0), 5, 0));
    EXPECT_EQ(-1, GetTiledImageHVPixel(image.get(), size, Vector2<int>(0, 0), -1, 0));
    EXPECT_EQ(-1, GetTiledImageHVPixel(nullptr, size, Vector2<int>(0, 0), 1, 1));
    EXPECT_EQ(255, GetTiledImageHVAlpha(image.get(), size, Vector2<int>(0, 0), 0, 4));
    EXPECT_EQ(255, GetTiledImageHVAlpha(image.get(), size, Vector2<int>(0, 0), 1, 1));
}

TEST(TiledImageTest, EmptyImagesAndAreasDrawNothing)
{
    Image empty;
    Image zeroHigh(5, 0);
    std::unique_ptr<Image> const image(Numbered(2, 2));
    PieceRecorder canvas(100, 100);
    EXPECT_EQ(1, DrawTiledImageHV(&empty, Rect<float>(0, 0, 50, 50), Vector2<int>(3, 3), Defaults(), &canvas));
    EXPECT_EQ(1, DrawTiledImageHV(&zeroHigh, Rect<float>(0, 0, 50, 50), Vector2<int>(0, 0), Defaults(), &canvas));
    EXPECT_EQ(1, DrawTiledImageHV(image.get(), Rect<float>(0, 0, 0, 50), Vector2<int>(0, 0), Defaults(), &canvas));
    EXPECT_EQ(1, DrawTiledImageHV(image.get(), Rect<float>(0, 0, 5, -1), Vector2<int>(0, 0), Defaults(), &canvas));
    EXPECT_EQ(1, DrawTiledImageHV(nullptr, Rect<float>(0, 0, 5, 5), Vector2<int>(0, 0), Defaults(), &canvas));
    EXPECT_TRUE(canvas.pieces.empty());
    EXPECT_EQ(-1, GetTiledImageHVPixel(&empty, Vector2<float>(5, 5), Vector2<int>(1, 1), 1, 1));
    EXPECT_EQ(-1, GetTiledImageHVPixel(&zeroHigh, Vector2<float>(5, 5), Vector2<int>(1, 1), 1, 1));
}

TEST(TiledImageTest, HugeAreasCostOnlyTheVisiblePieces)
{
    std::unique_ptr<Image> const image(Numbered(1, 1));
    PieceRecorder canvas(20, 10);
    auto const start = std::chrono::steady_clock::now();
    EXPECT_EQ(0, DrawTiledImageHV(image.get(), Rect<float>(-1e9f, -5e8f, 3e9f, 1e9f), Vector2<int>(0, 0), Defaults(),
                                  &canvas));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(200u, canvas.pieces.size());
    for (sPiece const& piece : canvas.pieces)
    {
        EXPECT_GE(piece.x, 0.0f);
        EXPECT_LT(piece.x, 20.0f);
    }
}

// ---------------------------------------------------------------------------
// Resources

TEST_F(ImageListResourceTest, PatternSkipsAMissingFrameZero)
{
    for (uint32_t n = 1; n <= 5; ++n)
        AddFrame(L"cubo" + std::to_wstring(n), n);
    LogCapture log;
    LoadManifest(L"<imagelist name=\"cubos\" pattern=\"cubo%1%\"/>");
    IImageList* const list = List("cubos");
    ASSERT_NE(nullptr, list);
    ASSERT_EQ(5, list->GetNumImages());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Color32(0xFF000000u | uint32_t(i + 1)), list->GetImagePixel(i, 0, 0));
}

TEST_F(ImageListResourceTest, PatternEndsAtTheFirstMissingFrameAndAtLast)
{
    for (uint32_t n : {0u, 1u, 3u})
        AddFrame(L"pala" + std::to_wstring(n), n + 10);
    for (uint32_t n = 1; n <= 5; ++n)
        AddFrame(L"clavo" + std::to_wstring(n), n);
    LogCapture log;
    LoadManifest(L"<imagelist name=\"palas\" pattern=\"pala%1%\"/>\n"
                 L"<imagelist name=\"clavos\" pattern=\"clavo%1%\" first=\"2\" last=\"3\"/>");
    ASSERT_NE(nullptr, List("palas"));
    EXPECT_EQ(2, List("palas")->GetNumImages());
    EXPECT_EQ(Color32(0xFF00000Bu), List("palas")->GetImagePixel(1, 0, 0));
    ASSERT_NE(nullptr, List("clavos"));
    ASSERT_EQ(2, List("clavos")->GetNumImages());
    EXPECT_EQ(Color32(0xFF000002u), List("clavos")->GetImagePixel(0, 0, 0));
    EXPECT_EQ(Color32(0xFF000003u), List("clavos")->GetImagePixel(1, 0, 0));
    EXPECT_NE(std::string::npos, log.Take().find("Image pala2 was not found.\n"));
}

TEST_F(ImageListResourceTest, PatternWithoutAPlaceholderTakesItsFileOnce)
{
    AddFrame(L"fijo", 7);
    LoadManifest(L"<imagelist name=\"fijos\" pattern=\"fijo\"/>");
    ASSERT_NE(nullptr, List("fijos"));
    EXPECT_EQ(1, List("fijos")->GetNumImages());
}

TEST_F(ImageListResourceTest, ChildImagesBecomeFrames)
{
    AddFrame(L"cami\u00F3n", 1);
    AddFrame(L"gr\u00FAa", 2);
    LoadManifest(L"<imagelist name=\"veh\u00EDculos\"><image src=\"cami\u00F3n\"/><!-- nota -->"
                 L"<image src=\"gr\u00FAa\" rotations=\"2\"/></imagelist>");
    IImageList* const list = AutoResource<IImageList>(Label(L"veh\u00EDculos")).Get();
    ASSERT_NE(nullptr, list);
    ASSERT_EQ(2, list->GetNumImages());
    EXPECT_EQ(Color32(0xFF000001u), list->GetImagePixel(0, 0, 0));
    EXPECT_EQ(Color32(0xFF000002u), list->GetImagePixel(1, 0, 0));
}

TEST_F(ImageListResourceTest, FailingChildFailsTheWholeListButTheManifestGoesOn)
{
    AddFrame(L"uno", 1);
    AddFrame(L"dos", 2);
    LogCapture log;
    LoadManifest(L"<imagelist name=\"mala\"><image src=\"uno\"/><image src=\"falta\"/><image src=\"dos\"/>"
                 L"</imagelist>\n<image name=\"despues\" src=\"dos\"/>");
    EXPECT_EQ(nullptr, List("mala"));
    EXPECT_NE(nullptr, AutoResource<Image>("despues").Get());
    EXPECT_NE(std::string::npos, log.Take().find("Image falta was not found.\n"));
}

TEST_F(ImageListResourceTest, FilmStripsCutTheirImage)
{
    Files().SetFile(L"tira.png", MakePNG(6, 2, std::vector<Color32>(12, Color32(0xFF102030u))));
    LogCapture log;
    LoadManifest(L"<filmstrip name=\"tira\" src=\"tira\" cols=\"3\" rows=\"2\"/>\n"
                 L"<filmstrip name=\"entera\" src=\"tira\"/>\n"
                 L"<filmstrip name=\"falta\" src=\"no_esta\"/>");
    ASSERT_NE(nullptr, List("tira"));
    EXPECT_EQ(6, List("tira")->GetNumImages());
    EXPECT_EQ(2, List("tira")->GetImageWidth(0));
    ASSERT_NE(nullptr, List("entera"));
    EXPECT_EQ(1, List("entera")->GetNumImages());
    EXPECT_EQ(6, List("entera")->GetImageWidth(0));
    EXPECT_EQ(nullptr, List("falta"));
}

TEST_F(ImageListResourceTest, FileListFollowsThePatternRun)
{
    AddFrame(L"hoja1", 1);
    AddFrame(L"hoja2", 2);
    std::wstring const text = L"<imagelist name=\"hojas\" pattern=\"hoja%1%\"><image src=\"extra\"/></imagelist>";
    std::string const utf8 = ConvertStringWideToUTF8String(text);
    MemoryStream stream(L"m.xml");
    stream.Write(utf8.data(), utf8.size());
    stream.Seek(kSeekBegin, 0);
    std::unique_ptr<IXMLReader> reader(CreateXMLReader(&stream));
    reader->ReadElement();
    XMLElement const element(*reader->GetCurrentElement());
    XMLElementReader confined(reader.get());
    std::list<FileVariant> files;
    ImageListResourceFactory().GetFileListForResource(&files, L"m", Label(), element, confined);
    std::vector<std::wstring> names;
    for (FileVariant const& file : files)
        names.push_back(file.name);
    EXPECT_EQ((std::vector<std::wstring>{L"hoja0", L"hoja0_mask", L"hoja1", L"hoja1_mask", L"hoja2", L"hoja2_mask",
                                         L"extra", L"extra_mask"}),
              names);
}

TEST_F(ImageListResourceTest, FirstFarBelowZeroEndsInBoundedTime)
{
    AddFrame(L"lejos1", 1);
    LogCapture log;
    auto const start = std::chrono::steady_clock::now();
    LoadManifest(L"<imagelist name=\"lejos\" pattern=\"lejos%1%\" first=\"-2000000000\"/>");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    ASSERT_NE(nullptr, List("lejos"));
    EXPECT_EQ(0, List("lejos")->GetNumImages());
}
