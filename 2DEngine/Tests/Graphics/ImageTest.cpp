#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <thread>

#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/Texture.h"

using namespace Corvane;

namespace
{
    // Counts references and refreshes; tells when it is destroyed.
    class CountingTexture : public ITexture
    {
    public:
        explicit CountingTexture(bool* destroyed) : mDestroyed(destroyed) {}
        ~CountingTexture() override { *mDestroyed = true; }

        void AddRef() override { ++references; }
        void Release() override
        {
            if (--references == 0)
                delete this;
        }
        sTextureDescriptor const& GetDescriptor() const override { return mDescriptor; }
        Image const* GetImage() const override { return nullptr; }
        void Refresh() override { ++refreshes; }
        void SendToRenderer() override {}

        int references = 1;
        int refreshes = 0;

    private:
        bool* mDestroyed;
        sTextureDescriptor mDescriptor;
    };

    // A w x h image whose pixel (x, y) is 0xFF000000 | (y << 8) | x.
    std::unique_ptr<Image> Numbered(int width, int height)
    {
        std::unique_ptr<Image> image(new Image(width, height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image->SetPixel(x, y, Color32(0xFF000000u | uint32_t(y << 8) | uint32_t(x)));
        return image;
    }

    bool SamePixels(Image const& a, Image const& b)
    {
        if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
            return false;
        for (int y = 0; y < a.GetHeight(); ++y)
            for (int x = 0; x < a.GetWidth(); ++x)
                if (a.GetPixel(x, y) != b.GetPixel(x, y))
                    return false;
        return true;
    }
}

// ---------------------------------------------------------------------------
// Pixels

TEST(ImageTest, NewImagesAreTransparentBlackWithAlpha)
{
    Image image(3, 2);
    EXPECT_EQ(3, image.GetWidth());
    EXPECT_EQ(2, image.GetHeight());
    EXPECT_TRUE(image.HasAlpha());
    EXPECT_FALSE(image.IsKeyed());
    EXPECT_TRUE(image.IsDirty());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(Color32(0), image.GetPixel(x, y));

    Image empty;
    EXPECT_EQ(0, empty.GetWidth());
    EXPECT_FALSE(empty.HasAlpha());
    EXPECT_EQ(nullptr, empty.GetPixels());
    EXPECT_EQ(Color32(0), empty.GetPixel(0, 0));

    Image negative(-4, 5);
    EXPECT_EQ(0, negative.GetWidth());
    EXPECT_EQ(nullptr, negative.GetPixels());
}

TEST(ImageTest, PixelsOutsideReadAsZeroAndIgnoreWrites)
{
    Image image(4, 3);
    image.SetPixel(1, 1, Color32(0xFF112233u));
    EXPECT_EQ(Color32(0xFF112233u), image.GetPixel(1, 1));
    EXPECT_EQ(Color32(0xFF112233u), image.GetPixels()[4 + 1]);

    bool destroyed = false;
    CountingTexture* texture = new CountingTexture(&destroyed);
    image.SetTexture(texture);
    texture->Release();
    image.GetTexture();
    ASSERT_FALSE(image.IsDirty());

    for (auto point : {std::make_pair(-1, 0), std::make_pair(4, 0), std::make_pair(0, -1), std::make_pair(0, 3)})
    {
        EXPECT_EQ(Color32(0), image.GetPixel(point.first, point.second));
        image.SetPixel(point.first, point.second, Color32(0xFFFFFFFFu));
    }
    EXPECT_FALSE(image.IsDirty());
    image.SetPixel(0, 0, Color32(1));
    EXPECT_TRUE(image.IsDirty());
}

TEST(ImageTest, CopyKeepsPixelsAndFlagsButNoCache)
{
    std::unique_ptr<Image> source = Numbered(5, 4);
    source->SetKeyed(true);
    source->SetRotationCount(4);
    std::unique_ptr<Image> const copy(source->Copy());
    EXPECT_TRUE(SamePixels(*source, *copy));
    EXPECT_TRUE(copy->IsKeyed());
    EXPECT_TRUE(copy->HasAlpha());
    EXPECT_EQ(nullptr, copy->GetRotationCache());
    EXPECT_EQ(nullptr, copy->GetCachedRotation(Angle(1.0f)));
    EXPECT_NE(source->GetPixels(), copy->GetPixels());
}

TEST(ImageTest, InitAdoptsPixelsAndDropsTheCache)
{
    Image image;
    image.SetRotationCount(4);
    Color32* pixels = new Color32[6]();
    pixels[5] = Color32(0xFF0000FFu);
    image.Init(pixels, 3, 2, false, false);
    EXPECT_EQ(3, image.GetWidth());
    EXPECT_EQ(Color32(0xFF0000FFu), image.GetPixel(2, 1));
    EXPECT_FALSE(image.HasAlpha());
    EXPECT_EQ(nullptr, image.GetRotationCache());
}

// ---------------------------------------------------------------------------
// Texture link

TEST(ImageTest, TextureIsRefreshedOnlyWhenThePixelsChanged)
{
    Image image(2, 2);
    EXPECT_EQ(nullptr, image.GetTexture());
    bool destroyed = false;
    CountingTexture* texture = new CountingTexture(&destroyed);
    image.SetTexture(texture);
    EXPECT_EQ(2, texture->references);
    EXPECT_EQ(texture, image.GetTexture());
    EXPECT_EQ(1, texture->refreshes);
    image.GetTexture();
    EXPECT_EQ(1, texture->refreshes);
    image.SetPixel(1, 1, Color32(5));
    image.GetTexture();
    EXPECT_EQ(2, texture->refreshes);
    texture->Release();
    EXPECT_FALSE(destroyed);
}

TEST(ImageTest, TextureIsReleasedWithItsImageOrWhenReplaced)
{
    bool firstDestroyed = false;
    bool secondDestroyed = false;
    {
        Image image(1, 1);
        CountingTexture* first = new CountingTexture(&firstDestroyed);
        image.SetTexture(first);
        first->Release();
        CountingTexture* second = new CountingTexture(&secondDestroyed);
        image.SetTexture(second);
        second->Release();
        EXPECT_TRUE(firstDestroyed);
        EXPECT_FALSE(secondDestroyed);
        // Linking the same texture again keeps its count.
        image.SetTexture(second);
        EXPECT_EQ(1, second->references);
    }
    EXPECT_TRUE(secondDestroyed);
}

// ---------------------------------------------------------------------------
// Rotations

TEST(ImageTest, QuarterTurnsAreClockwiseOnScreen)
{
    std::unique_ptr<Image> const source = Numbered(3, 2);
    std::unique_ptr<Image> const r90(ImageTool::Rotate90(source.get()));
    ASSERT_EQ(2, r90->GetWidth());
    ASSERT_EQ(3, r90->GetHeight());
    // The bottom-left corner comes to the top-left.
    EXPECT_EQ(source->GetPixel(0, 1), r90->GetPixel(0, 0));
    EXPECT_EQ(source->GetPixel(0, 0), r90->GetPixel(1, 0));
    EXPECT_EQ(source->GetPixel(2, 0), r90->GetPixel(1, 2));

    std::unique_ptr<Image> const r180(ImageTool::Rotate180(source.get()));
    EXPECT_EQ(source->GetPixel(2, 1), r180->GetPixel(0, 0));
    EXPECT_EQ(source->GetPixel(0, 0), r180->GetPixel(2, 1));

    std::unique_ptr<Image> const r270(ImageTool::Rotate270(source.get()));
    ASSERT_EQ(2, r270->GetWidth());
    EXPECT_EQ(source->GetPixel(2, 0), r270->GetPixel(0, 0));
    EXPECT_EQ(source->GetPixel(0, 1), r270->GetPixel(1, 2));

    // Four quarter turns come back to the start.
    std::unique_ptr<Image> const twice(ImageTool::Rotate90(r90.get()));
    EXPECT_TRUE(SamePixels(*twice, *r180));
    std::unique_ptr<Image> const back(ImageTool::Rotate90(r270.get()));
    EXPECT_TRUE(SamePixels(*back, *source));
}

TEST(ImageTest, RotateTakesTheExactPathNearQuarterTurns)
{
    std::unique_ptr<Image> const source = Numbered(3, 2);
    std::unique_ptr<Image> const exact(ImageTool::Rotate90(source.get()));
    std::unique_ptr<Image> const by90(ImageTool::Rotate(source.get(), Angle::FromDegrees(90.0f)));
    EXPECT_TRUE(SamePixels(*exact, *by90));
    std::unique_ptr<Image> const byMinus270(ImageTool::Rotate(source.get(), Angle::FromDegrees(-270.0f)));
    EXPECT_TRUE(SamePixels(*exact, *byMinus270));
    std::unique_ptr<Image> const by360(ImageTool::Rotate(source.get(), Angle::FromDegrees(360.0f)));
    EXPECT_TRUE(SamePixels(*source, *by360));
    std::unique_ptr<Image> const by180(ImageTool::Rotate(source.get(), Angle::FromDegrees(180.0005f)));
    EXPECT_TRUE(SamePixels(*by180, *std::unique_ptr<Image>(ImageTool::Rotate180(source.get()))));
}

TEST(ImageTest, RotateByFortyFiveDegreesFitsTheBoundingBox)
{
    std::unique_ptr<Image> source(new Image(10, 10));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            source->SetPixel(x, y, Color32(0xFFFFFFFFu));
    std::unique_ptr<Image> const rotated(ImageTool::Rotate(source.get(), Angle::FromDegrees(45.0f)));
    ASSERT_EQ(15, rotated->GetWidth());
    ASSERT_EQ(15, rotated->GetHeight());
    EXPECT_EQ(Color32(0), rotated->GetPixel(0, 0));
    EXPECT_EQ(Color32(0), rotated->GetPixel(14, 0));
    EXPECT_EQ(Color32(0), rotated->GetPixel(0, 14));
    EXPECT_EQ(Color32(0), rotated->GetPixel(14, 14));
    EXPECT_EQ(Color32(0xFFFFFFFFu), rotated->GetPixel(7, 7));
    EXPECT_EQ(Color32(0xFFFFFFFFu), rotated->GetPixel(7, 1));
    EXPECT_EQ(Color32(0xFFFFFFFFu), rotated->GetPixel(1, 7));
    EXPECT_TRUE(rotated->HasAlpha());
}

TEST(ImageTest, RotateIsClockwiseForSmallAngles)
{
    // A mark right of the centre moves down when turned clockwise by 30 degrees.
    Image source(21, 21);
    source.SetPixel(18, 10, Color32(0xFFFF0000u));
    std::unique_ptr<Image> const rotated(ImageTool::Rotate(&source, Angle::FromDegrees(30.0f)));
    int markX = -1;
    int markY = -1;
    for (int y = 0; y < rotated->GetHeight(); ++y)
        for (int x = 0; x < rotated->GetWidth(); ++x)
            if (rotated->GetPixel(x, y) == Color32(0xFFFF0000u))
            {
                markX = x;
                markY = y;
            }
    ASSERT_GE(markX, 0);
    EXPECT_GT(markX, rotated->GetWidth() / 2);
    EXPECT_GT(markY, rotated->GetHeight() / 2);
}

TEST(ImageTest, RotateOfEmptyOrStrangeInputStaysSafe)
{
    Image empty;
    std::unique_ptr<Image> const rotated(ImageTool::Rotate(&empty, Angle::FromDegrees(33.0f)));
    EXPECT_EQ(0, rotated->GetWidth());
    std::unique_ptr<Image> const source = Numbered(4, 3);
    std::unique_ptr<Image> const notANumber(
        ImageTool::Rotate(source.get(), Angle(std::numeric_limits<float>::quiet_NaN())));
    EXPECT_TRUE(SamePixels(*source, *notANumber));
    EXPECT_EQ(nullptr, ImageTool::Rotate(nullptr, Angle(1.0f)));
}

// ---------------------------------------------------------------------------
// Rotation cache

TEST(ImageTest, CacheSlotsCoverHalfAStepEachSide)
{
    ImageRotationCache cache(4);
    EXPECT_EQ(0, cache.GetIndex(Angle::FromDegrees(44.0f)));
    EXPECT_EQ(1, cache.GetIndex(Angle::FromDegrees(46.0f)));
    EXPECT_EQ(0, cache.GetIndex(Angle::FromDegrees(359.0f)));
    EXPECT_EQ(3, cache.GetIndex(Angle::FromDegrees(-90.0f)));
    EXPECT_EQ(2, cache.GetIndex(Angle::FromDegrees(180.0f + 720.0f)));
    EXPECT_EQ(0, cache.GetIndex(Angle(std::numeric_limits<float>::infinity())));

    ImageRotationCache none(0);
    EXPECT_EQ(1, none.GetCount());
    EXPECT_EQ(0, none.GetIndex(Angle::FromDegrees(200.0f)));
}

TEST(ImageTest, CachedRotationsAreMadeOncePerSlot)
{
    std::unique_ptr<Image> const image = Numbered(6, 4);
    image->SetRotationCount(4);
    EXPECT_EQ(image.get(), image->GetCachedRotation(Angle::FromDegrees(359.0f)));
    Image const* const quarter = image->GetCachedRotation(Angle::FromDegrees(80.0f));
    ASSERT_NE(nullptr, quarter);
    EXPECT_EQ(4, quarter->GetWidth());
    EXPECT_EQ(6, quarter->GetHeight());
    // Rotated by the slot's own angle, not the requested one.
    EXPECT_TRUE(SamePixels(*quarter, *std::unique_ptr<Image>(ImageTool::Rotate90(image.get()))));
    EXPECT_EQ(quarter, image->GetCachedRotation(Angle::FromDegrees(100.0f)));
}

TEST(ImageTest, ChangedPixelsRebuildTheRotations)
{
    std::unique_ptr<Image> const image = Numbered(2, 2);
    image->SetRotationCount(2);
    Image const* const before = image->GetCachedRotation(Angle::FromDegrees(180.0f));
    ASSERT_NE(nullptr, before);
    EXPECT_EQ(image->GetPixel(1, 1), before->GetPixel(0, 0));
    image->SetPixel(1, 1, Color32(0xFFABCDEFu));
    Image const* const after = image->GetCachedRotation(Angle::FromDegrees(180.0f));
    ASSERT_NE(nullptr, after);
    EXPECT_EQ(Color32(0xFFABCDEFu), after->GetPixel(0, 0));
}

TEST(ImageTest, WithoutACacheThereIsNoCachedRotation)
{
    std::unique_ptr<Image> const image = Numbered(2, 2);
    EXPECT_EQ(nullptr, image->GetCachedRotation(Angle(0.0f)));
    image->SetRotationCount(1);
    EXPECT_EQ(nullptr, image->GetRotationCache());
    EXPECT_EQ(nullptr, image->GetCachedRotation(Angle(0.0f)));
}

TEST(ImageTest, CacheOwnsOnlyWhatWasAttached)
{
    std::unique_ptr<Image> const borrowed = Numbered(1, 1);
    {
        ImageRotationCache cache(3);
        cache.SetImage(0, borrowed.get());
        cache.AttachImage(Angle::FromDegrees(120.0f), new Image(2, 2));
        cache.AttachImage(7, new Image(1, 1));
        EXPECT_EQ(borrowed.get(), cache.GetImage(Angle(0.0f)));
        ASSERT_NE(nullptr, cache.GetImageAt(1));
        EXPECT_EQ(nullptr, cache.GetImageAt(7));
        cache.Flush();
        EXPECT_EQ(nullptr, cache.GetImageAt(0));
        EXPECT_EQ(nullptr, cache.GetImageAt(1));
    }
    // The borrowed image is still whole.
    EXPECT_EQ(Color32(0xFF000000u), borrowed->GetPixel(0, 0));
}

// ---- Packed images ------------------------------------------------------------------------------

TEST(ImageTest, PackedPixelsDropWhenUnreadAndComeBackTheSame)
{
    std::unique_ptr<Image> const reference = Numbered(40, 30);
    std::unique_ptr<Image> image(reference->Copy());
    image->KeepPacked();
    ASSERT_TRUE(image->IsPacked());
    EXPECT_FALSE(image->HasPixelsInMemory());
    bool const dirty = image->IsDirty();

    // Read within the window: kept.
    for (int frame = 0; frame < 3; ++frame)
    {
        EXPECT_EQ(reference->GetPixel(5, 7), image->GetPixel(5, 7));
        Image::EndFrame(2);
    }
    EXPECT_TRUE(image->HasPixelsInMemory());
    EXPECT_GT(Image::GetUnpackedPixelBytes(), 0u);

    for (int frame = 0; frame < 3; ++frame)
        Image::EndFrame(2);
    EXPECT_FALSE(image->HasPixelsInMemory());
    // Dropping is no change: the texture need not be filled again.
    EXPECT_EQ(dirty, image->IsDirty());

    Image const& readOnly = *image;
    ASSERT_NE(nullptr, readOnly.GetPixels());
    EXPECT_TRUE(SamePixels(*reference, *image));
    std::unique_ptr<Image> const copy(image->Copy());
    EXPECT_TRUE(SamePixels(*reference, *copy));
}

TEST(ImageTest, WritingIntoAPackedImageKeepsTheWrittenPixels)
{
    std::unique_ptr<Image> image = Numbered(8, 8);
    image->KeepPacked();
    image->SetPixel(1, 1, Color32(0xFF123456u));
    EXPECT_FALSE(image->IsPacked());
    image->KeepPacked();
    image->GetPixels()[2] = Color32(0xFF654321u);
    EXPECT_FALSE(image->IsPacked());
    for (int frame = 0; frame < 5; ++frame)
        Image::EndFrame(1);
    EXPECT_EQ(Color32(0xFF123456u), image->GetPixel(1, 1));
    EXPECT_EQ(Color32(0xFF654321u), image->GetPixel(2, 0));
}

TEST(ImageTest, PixelsReadByAnotherThreadAreNeverDropped)
{
    std::unique_ptr<Image> image = Numbered(16, 16);
    image->KeepPacked();
    for (int frame = 0; frame < 4; ++frame)
        Image::EndFrame(1);
    ASSERT_FALSE(image->HasPixelsInMemory());

    Color32 const* seen = nullptr;
    std::thread([&] { seen = static_cast<Image const&>(*image).GetPixels(); }).join();
    for (int frame = 0; frame < 4; ++frame)
        Image::EndFrame(1);
    EXPECT_TRUE(image->HasPixelsInMemory());
    ASSERT_NE(nullptr, seen);
    EXPECT_EQ(Color32(0xFF000302u), seen[3 * 16 + 2]);
}
