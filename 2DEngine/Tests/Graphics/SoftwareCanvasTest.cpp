#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <set>

#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Graphics/SoftwareCanvas.h"
#include "2DEngine/Source/Graphics/Texture.h"

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
    // Destroys the canvas at the end of the scope.
    struct CanvasHolder
    {
        explicit CanvasHolder(Image* image) : canvas(CreateImageCanvas(image)) {}
        ~CanvasHolder() { DestroyImageCanvas(canvas); }
        ICanvas* canvas;
    };

    std::unique_ptr<Image> Filled(int width, int height, Color32 color, bool hasAlpha = true, bool keyed = false)
    {
        std::unique_ptr<Image> image(new Image(width, height));
        for (int i = 0; i < width * height; ++i)
            image->GetPixels()[i] = color;
        image->SetHasAlpha(hasAlpha);
        image->SetKeyed(keyed);
        return image;
    }

    // Pixel (x, y) is 0xFF000000 | (x << 8) | y.
    std::unique_ptr<Image> Numbered(int width, int height)
    {
        std::unique_ptr<Image> image(new Image(width, height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image->GetPixels()[y * width + x] = Color32(0xFF000000u | uint32_t(x << 8) | uint32_t(y));
        image->SetHasAlpha(false);
        return image;
    }

    BLIT_TARGET TargetOf(Image& image)
    {
        return BLIT_TARGET{image.GetPixels(), image.GetWidth(), image.GetHeight()};
    }

    std::set<std::pair<int, int>> SetPixels(Image const& image)
    {
        std::set<std::pair<int, int>> set;
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x)
                if (image.GetPixel(x, y) != Color32(0))
                    set.insert(std::make_pair(x, y));
        return set;
    }

    sDrawState Defaults()
    {
        return sDrawState::GetDefaults();
    }

    sDrawState WithColor(ColorF const& color)
    {
        sDrawState state = Defaults();
        state.color = color;
        return state;
    }
}

// ---------------------------------------------------------------------------
// The canvas itself

TEST(SoftwareCanvasTest, OffersQuadsPixelsAndEllipsesButNoLines)
{
    Image image(7, 5);
    CanvasHolder holder(&image);
    ICanvas* const canvas = holder.canvas;
    EXPECT_EQ(Label::GetUniqueString("ImageCanvas"), canvas->GetKind());
    EXPECT_EQ(Rect<int>(0, 0, 7, 5), canvas->GetBounds());
    void* out = nullptr;
    EXPECT_FALSE(canvas->QueryInterface(ILineDrawingCanvas::InterfaceLabel(), &out));
    EXPECT_FALSE(canvas->QueryInterface(IScreen::InterfaceLabel(), &out));
    EXPECT_FALSE(canvas->QueryInterface(Label::GetUniqueString("Lienzo\xC3\xB1"), &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_NE(nullptr, QueryCanvasInterface<ICanvas>(canvas));
    EXPECT_NE(nullptr, QueryCanvasInterface<IQuadDrawingCanvas>(canvas));
    EXPECT_NE(nullptr, QueryCanvasInterface<IPixelSettingCanvas>(canvas));
    EXPECT_NE(nullptr, QueryCanvasInterface<IEllipseDrawingCanvas>(canvas));
    DestroyImageCanvas(nullptr);
}

TEST(SoftwareCanvasTest, PixelsAreSetAtTruncatedCoordinates)
{
    Image image(4, 4);
    CanvasHolder holder(&image);
    IPixelSettingCanvas* const pixels = QueryCanvasInterface<IPixelSettingCanvas>(holder.canvas);
    EXPECT_EQ(0, pixels->SetPixel(2.9f, 1.2f, Color32(0xFF00FF00u)));
    EXPECT_EQ(Color32(0xFF00FF00u), image.GetPixel(2, 1));
    EXPECT_EQ(Color32(0xFF00FF00u), pixels->GetPixel(2.5f, 1.99f));
    EXPECT_EQ(0, pixels->SetPixel(-1.0f, 1e30f, Color32(1)));
    EXPECT_EQ(1u, SetPixels(image).size());
}

TEST(SoftwareCanvasTest, LinesReachTheImageThroughThePixelPath)
{
    Image image(6, 6);
    CanvasHolder holder(&image);
    EXPECT_EQ(0, DrawLine(0.0f, 2.0f, 5.0f, 2.0f, WithColor(ColorF(1, 0, 0, 1)), holder.canvas));
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(Color32(0xFFFF0000u), image.GetPixel(x, 2)) << x;
    EXPECT_EQ(6u, SetPixels(image).size());
}

TEST(SoftwareCanvasTest, FilledRectIsClippedAndBlendedWithAlpha)
{
    std::unique_ptr<Image> image = Filled(6, 4, Color32(0xFF000000u));
    CanvasHolder holder(image.get());
    sDrawState state = WithColor(ColorF(1, 1, 1, 1));
    state.clip = Rect<int>(2, 0, 100, 100);
    EXPECT_EQ(0, DrawFilledRect(Rect<int>(-3, 1, 7, 2), state, holder.canvas));
    EXPECT_EQ(Color32(0xFF000000u), image->GetPixel(1, 1));
    EXPECT_EQ(Color32(0xFFFFFFFFu), image->GetPixel(2, 1));
    EXPECT_EQ(Color32(0xFFFFFFFFu), image->GetPixel(3, 2));
    EXPECT_EQ(Color32(0xFF000000u), image->GetPixel(4, 1));
    EXPECT_EQ(Color32(0xFF000000u), image->GetPixel(2, 3));

    // Half-transparent white over black: (128 x 255 + 128 x 0) >> 8 per channel.
    sDrawState half = WithColor(ColorF(1, 1, 1, 0.5f));
    EXPECT_EQ(0, DrawFilledRect(Rect<float>(5.7f, 0.2f, 1.0f, 1.0f), half, holder.canvas));
    EXPECT_EQ(Color32(0xBF7F7F7Fu), image->GetPixel(5, 0));

    // Without the alpha flag the colour is written as it is.
    half.flags = 0;
    DrawFilledRect(Rect<int>(0, 0, 1, 1), half, holder.canvas);
    EXPECT_EQ(Color32(0x7FFFFFFFu), image->GetPixel(0, 0));

    EXPECT_EQ(1, DrawFilledRect(Rect<int>(6, 0, 3, 3), state, holder.canvas));
    EXPECT_EQ(1, DrawFilledRect(Rect<int>(2, 2, 0, 5), state, holder.canvas));
}

TEST(SoftwareCanvasTest, DrawingMarksTheImageDirty)
{
    Image target(4, 4);
    std::unique_ptr<Image> const source = Filled(2, 2, Color32(0xFF123456u), false);
    CanvasHolder holder(&target);
    target.MarkDirty();
    ASSERT_TRUE(target.IsDirty());
    // Only a linked texture clears the flag; check the drawing sets it back.
    class NullTexture : public ITexture
    {
    public:
        void AddRef() override {}
        void Release() override {}
        sTextureDescriptor const& GetDescriptor() const override { return descriptor; }
        Image const* GetImage() const override { return nullptr; }
        void Refresh() override {}
        void SendToRenderer() override {}
        sTextureDescriptor descriptor;
    } texture;
    target.SetTexture(&texture);
    target.GetTexture();
    ASSERT_FALSE(target.IsDirty());
    EXPECT_EQ(0, DrawImage(source.get(), 1.0f, 1.0f, Defaults(), holder.canvas));
    EXPECT_TRUE(target.IsDirty());
    target.GetTexture();
    EXPECT_EQ(1, DrawImage(source.get(), 10.0f, 10.0f, Defaults(), holder.canvas));
    EXPECT_FALSE(target.IsDirty());
    target.SetTexture(nullptr);
}

// ---------------------------------------------------------------------------
// Blits

TEST(SoftwareCanvasTest, BlitAtANegativePointWritesOnlyTheVisibleCorner)
{
    std::unique_ptr<Image> const source = Numbered(10, 10);
    Image target(20, 20);
    BLIT_TARGET blit = TargetOf(target);
    EXPECT_EQ(0, BlitImage(source.get(), -5, -5, &blit, Defaults()));
    EXPECT_EQ(25u, SetPixels(target).size());
    EXPECT_EQ(source->GetPixel(5, 5), target.GetPixel(0, 0));
    EXPECT_EQ(source->GetPixel(9, 9), target.GetPixel(4, 4));
    EXPECT_EQ(Color32(0), target.GetPixel(5, 0));
    EXPECT_EQ(1, BlitImage(source.get(), 20, 0, &blit, Defaults()));
    EXPECT_EQ(1, BlitImage(nullptr, 0, 0, &blit, Defaults()));
}

TEST(SoftwareCanvasTest, SameSizeBlitCopiesTheWholeImage)
{
    std::unique_ptr<Image> const source = Numbered(5, 3);
    Image target(5, 3);
    BLIT_TARGET blit = TargetOf(target);
    EXPECT_EQ(0, BlitImage(source.get(), 0, 0, &blit, Defaults()));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(source->GetPixel(x, y), target.GetPixel(x, y));
}

TEST(SoftwareCanvasTest, AlphaBlitSkipsFaintPixelsAndCopiesNearlyOpaqueOnes)
{
    std::unique_ptr<Image> const faint = Filled(1, 1, Color32(0x0AFFFFFFu));
    std::unique_ptr<Image> const strong = Filled(1, 1, Color32(0xFA102030u));
    std::unique_ptr<Image> const half = Filled(1, 1, Color32(0x80000000u));
    std::unique_ptr<Image> target = Filled(3, 1, Color32(0xFFC8C8C8u));
    BLIT_TARGET blit = TargetOf(*target);
    BlitImage(faint.get(), 0, 0, &blit, Defaults());
    BlitImage(strong.get(), 1, 0, &blit, Defaults());
    BlitImage(half.get(), 2, 0, &blit, Defaults());
    EXPECT_EQ(Color32(0xFFC8C8C8u), target->GetPixel(0, 0));
    EXPECT_EQ(Color32(0xFA102030u), target->GetPixel(1, 0));
    // A darker source lowers the channel: 200 + ((0 - 200) x 129 >> 8) = 99.
    EXPECT_EQ(Color32(0xFF636363u), target->GetPixel(2, 0));

    // Without the alpha flag the pixels are copied as they are.
    sDrawState state = Defaults();
    state.flags = 0;
    BlitImage(faint.get(), 0, 0, &blit, state);
    EXPECT_EQ(Color32(0x0AFFFFFFu), target->GetPixel(0, 0));
}

TEST(SoftwareCanvasTest, KeyedBlitCopiesEveryPixelThatIsNotTransparent)
{
    std::unique_ptr<Image> source(new Image(2, 1));
    source->SetPixel(0, 0, Color32(0x00FF0000u));
    source->SetPixel(1, 0, Color32(0xFF00FF00u));
    source->SetKeyed(true);
    std::unique_ptr<Image> target = Filled(2, 1, Color32(0xFF0000FFu));
    BLIT_TARGET blit = TargetOf(*target);
    BlitImage(source.get(), 0, 0, &blit, Defaults());
    EXPECT_EQ(Color32(0xFF0000FFu), target->GetPixel(0, 0));
    EXPECT_EQ(Color32(0xFF00FF00u), target->GetPixel(1, 0));
}

TEST(SoftwareCanvasTest, HalfOpacityHalvesWhiteOverBlack)
{
    std::unique_ptr<Image> const white = Filled(2, 2, Color32(0xFFFFFFFFu));
    for (bool hasAlpha : {true, false})
    {
        white->SetHasAlpha(hasAlpha);
        std::unique_ptr<Image> target = Filled(2, 2, Color32(0xFF000000u));
        BLIT_TARGET blit = TargetOf(*target);
        sDrawState state = Defaults();
        state.tint = ColorF(1, 1, 1, 0.5f);
        EXPECT_EQ(0, BlitImage(white.get(), 0, 0, &blit, state));
        EXPECT_EQ(Color32(0xFF7F7F7Fu), target->GetPixel(1, 1)) << hasAlpha;
    }
    std::unique_ptr<Image> target = Filled(1, 1, Color32(0xFF000000u));
    BLIT_TARGET blit = TargetOf(*target);
    sDrawState invisible = Defaults();
    invisible.tint = ColorF(1, 1, 1, 0.0f);
    EXPECT_EQ(1, BlitImage(white.get(), 0, 0, &blit, invisible));
    EXPECT_EQ(Color32(0xFF000000u), target->GetPixel(0, 0));
}

TEST(SoftwareCanvasTest, TintScalesEachChannel)
{
    std::unique_ptr<Image> const source = Filled(1, 1, Color32(0xFFFFFFFFu), false);
    std::unique_ptr<Image> target = Filled(1, 1, Color32(0xFF000000u));
    BLIT_TARGET blit = TargetOf(*target);
    sDrawState state = Defaults();
    state.tint = ColorF(0.5f, 1.0f, 0.0f, 1.0f);
    BlitImage(source.get(), 0, 0, &blit, state);
    // Tint bytes 127, 255, 0: (255 x 128) >> 8, 255, (255 x 1) >> 8.
    EXPECT_EQ(Color32(0xFF7FFF00u), target->GetPixel(0, 0));

    // Tinted and half transparent by alpha: the tinted colour blended by (a + 1).
    std::unique_ptr<Image> const glass = Filled(1, 1, Color32(0x7FFFFFFFu));
    BlitImage(glass.get(), 0, 0, &blit, state);
    EXPECT_EQ(Color32(0xFF7FFF00u), target->GetPixel(0, 0));
    std::unique_ptr<Image> black = Filled(1, 1, Color32(0xFF000000u));
    BLIT_TARGET blackBlit = TargetOf(*black);
    BlitImage(glass.get(), 0, 0, &blackBlit, state);
    EXPECT_EQ(Color32(0xFF3F7F00u), black->GetPixel(0, 0));
}

TEST(SoftwareCanvasTest, SourceRectangleIsPlacedAtThePointAndNeverReadOutside)
{
    std::unique_ptr<Image> const source = Numbered(4, 4);
    Image target(8, 8);
    BLIT_TARGET blit = TargetOf(target);
    DrawStateNPI state;
    state.SourceRect(2, 1, 10, 2);
    EXPECT_EQ(0, BlitImage(source.get(), 3, 3, &blit, state));
    EXPECT_EQ(source->GetPixel(2, 1), target.GetPixel(3, 3));
    EXPECT_EQ(source->GetPixel(3, 2), target.GetPixel(4, 4));
    // Only the 2 x 2 pixels the source image holds.
    EXPECT_EQ(4u, SetPixels(target).size());

    DrawStateNPI outside;
    outside.SourceRect(-10, -10, 3, 3);
    EXPECT_EQ(1, BlitImage(source.get(), 0, 0, &blit, outside));
}

TEST(SoftwareCanvasTest, BlitHonoursTheClip)
{
    std::unique_ptr<Image> const source = Numbered(4, 4);
    Image target(8, 8);
    BLIT_TARGET blit = TargetOf(target);
    sDrawState state = Defaults();
    state.clip = Rect<int>(2, 2, 2, 1);
    EXPECT_EQ(0, BlitImage(source.get(), 0, 0, &blit, state));
    EXPECT_EQ((std::set<std::pair<int, int>>{{2, 2}, {3, 2}}), SetPixels(target));
    state.clip = Rect<int>(6, 6, 5, 5);
    EXPECT_EQ(1, BlitImage(source.get(), 0, 0, &blit, state));
}

// ---------------------------------------------------------------------------
// Stretched blits

TEST(SoftwareCanvasTest, StretchedBlitScalesByNearestPixel)
{
    std::unique_ptr<Image> const source = Numbered(2, 2);
    Image target(6, 6);
    BLIT_TARGET blit = TargetOf(target);
    EXPECT_EQ(0, BlitStretchedImage(source.get(), Rect<int>(1, 1, 4, 4), &blit, Defaults()));
    EXPECT_EQ(source->GetPixel(0, 0), target.GetPixel(1, 1));
    EXPECT_EQ(source->GetPixel(0, 0), target.GetPixel(2, 2));
    EXPECT_EQ(source->GetPixel(1, 0), target.GetPixel(3, 1));
    EXPECT_EQ(source->GetPixel(1, 1), target.GetPixel(4, 4));
    EXPECT_EQ(16u, SetPixels(target).size());
    EXPECT_EQ(1, BlitStretchedImage(source.get(), Rect<int>(0, 0, 0, 4), &blit, Defaults()));
    EXPECT_EQ(1, BlitStretchedImage(source.get(), Rect<int>(0, 0, -3, 4), &blit, Defaults()));
}

TEST(SoftwareCanvasTest, FlippedStretchOfAPaneMirrorsWithinThePane)
{
    // A strip of two 3 x 1 panes; the second pane is drawn mirrored.
    std::unique_ptr<Image> const strip = Numbered(6, 1);
    Image target(3, 2);
    BLIT_TARGET blit = TargetOf(target);
    DrawStateNPI state;
    state.SourceRect(3, 0, 3, 1);
    state.flags |= DRAW_FLAG_FLIP_H;
    EXPECT_EQ(0, BlitStretchedImage(strip.get(), Rect<int>(0, 0, 3, 1), &blit, state));
    EXPECT_EQ(strip->GetPixel(5, 0), target.GetPixel(0, 0));
    EXPECT_EQ(strip->GetPixel(4, 0), target.GetPixel(1, 0));
    EXPECT_EQ(strip->GetPixel(3, 0), target.GetPixel(2, 0));

    DrawStateNPI vertical;
    vertical.flags |= DRAW_FLAG_FLIP_V;
    std::unique_ptr<Image> const column = Numbered(1, 2);
    EXPECT_EQ(0, BlitStretchedImage(column.get(), Rect<int>(0, 0, 1, 2), &blit, vertical));
    EXPECT_EQ(column->GetPixel(0, 1), target.GetPixel(0, 0));
    EXPECT_EQ(column->GetPixel(0, 0), target.GetPixel(0, 1));
}

TEST(SoftwareCanvasTest, StretchedBlitTintsThenBlends)
{
    std::unique_ptr<Image> const source = Filled(1, 1, Color32(0x80FFFFFFu));
    std::unique_ptr<Image> target = Filled(2, 2, Color32(0xFF000000u));
    BLIT_TARGET blit = TargetOf(*target);
    sDrawState state = Defaults();
    state.tint = ColorF(1.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_EQ(0, BlitStretchedImage(source.get(), Rect<int>(0, 0, 2, 2), &blit, state));
    Color32 const tinted = ApplyTintToPixel(state.tint.ToColor32(), Color32(0x80FFFFFFu));
    EXPECT_EQ(BlendColors(tinted, Color32(0xFF000000u)), target->GetPixel(1, 1));
    state.tint = ColorF(0, 0, 0, 0);
    EXPECT_EQ(1, BlitStretchedImage(source.get(), Rect<int>(0, 0, 2, 2), &blit, state));
}

TEST(SoftwareCanvasTest, CanvasDrawsOnlyPixelImages)
{
    Image target(4, 4);
    CanvasHolder holder(&target);
    // An image that is not a pixel Image.
    class PlainImage : public IImage
    {
    public:
        int GetWidth() const override { return 2; }
        int GetHeight() const override { return 2; }
        Color32 GetPixel(int, int) const override { return Color32(0xFFFFFFFFu); }
        void SetTexture(ITexture*) const override {}
        ITexture* GetTexture() const override { return nullptr; }
    } plain;
    EXPECT_EQ(1, DrawImage(&plain, 0, 0, Defaults(), holder.canvas));
    EXPECT_EQ(1, DrawStretchedImage(&plain, Rect<int>(0, 0, 4, 4), Defaults(), holder.canvas));
    EXPECT_EQ(1, DrawRotatedImage(&plain, 2, 2, Angle(1.0f), Defaults(), holder.canvas));
    IQuadDrawingCanvas* const quads = QueryCanvasInterface<IQuadDrawingCanvas>(holder.canvas);
    EXPECT_EQ(-2, quads->DrawPrimitive(kPrimitive_TriangleStrip, nullptr, 0, nullptr, Defaults()));
}

TEST(SoftwareCanvasTest, RotatedDrawingUsesTheCacheCentredOnThePoint)
{
    Image target(10, 10);
    CanvasHolder holder(&target);
    std::unique_ptr<Image> const source = Numbered(4, 2);
    EXPECT_EQ(-2, DrawRotatedImage(source.get(), 5, 5, Angle::FromDegrees(90.0f), Defaults(), holder.canvas));
    source->SetRotationCount(4);
    sDrawState centred = Defaults();
    centred.hAlign = kHAlignment_Center;
    centred.vAlign = kVAlignment_Middle;
    EXPECT_EQ(0, DrawRotatedImage(source.get(), 5, 5, Angle::FromDegrees(90.0f), centred, holder.canvas));
    // The 2 x 4 quarter turn covers (4..5, 3..6).
    EXPECT_EQ(source->GetPixel(0, 1), target.GetPixel(4, 3));
    EXPECT_EQ(source->GetPixel(3, 0), target.GetPixel(5, 6));
    EXPECT_EQ(8u, SetPixels(target).size());
}

// ---------------------------------------------------------------------------
// Circles and ellipses

TEST(SoftwareCanvasTest, HalfPixelCircleSetsOnePixelAndFaintCirclesDrawNothing)
{
    Image image(5, 5);
    CanvasHolder holder(&image);
    IEllipseDrawingCanvas* const ellipses = QueryCanvasInterface<IEllipseDrawingCanvas>(holder.canvas);
    EXPECT_EQ(0, ellipses->DrawFilledCircle(2.7f, 1.2f, 0.5f, WithColor(ColorF(1, 0, 0, 1))));
    EXPECT_EQ((std::set<std::pair<int, int>>{{2, 1}}), SetPixels(image));
    EXPECT_EQ(1, ellipses->DrawFilledCircle(2.0f, 2.0f, 2.0f, WithColor(ColorF(1, 0, 0, 0.4f))));
    EXPECT_EQ(1u, SetPixels(image).size());
}

TEST(SoftwareCanvasTest, RadiusOneCircleFillsTwoByTwo)
{
    Image image(6, 6);
    CanvasHolder holder(&image);
    IEllipseDrawingCanvas* const ellipses = QueryCanvasInterface<IEllipseDrawingCanvas>(holder.canvas);
    EXPECT_EQ(0, ellipses->DrawFilledCircle(3.0f, 3.0f, 1.0f, WithColor(ColorF(1, 1, 1, 1))));
    EXPECT_EQ((std::set<std::pair<int, int>>{{3, 3}, {4, 3}, {3, 4}, {4, 4}}), SetPixels(image));
}

TEST(SoftwareCanvasTest, FilledCircleSpansAreSymmetric)
{
    Image image(21, 21);
    CanvasHolder holder(&image);
    IEllipseDrawingCanvas* const ellipses = QueryCanvasInterface<IEllipseDrawingCanvas>(holder.canvas);
    EXPECT_EQ(0, ellipses->DrawFilledCircle(10.0f, 10.0f, 5.0f, WithColor(ColorF(0, 0, 1, 1))));
    std::set<std::pair<int, int>> const set = SetPixels(image);
    EXPECT_TRUE(set.count({5, 10}) && set.count({15, 10}) && set.count({10, 5}) && set.count({10, 15}));
    EXPECT_FALSE(set.count({4, 10}) || set.count({16, 10}) || set.count({5, 5}) || set.count({15, 15}));
    for (auto const& point : set)
    {
        EXPECT_TRUE(set.count({20 - point.first, point.second}));
        EXPECT_TRUE(set.count({point.first, 20 - point.second}));
    }
    EXPECT_EQ(Color32(0xFF0000FFu), image.GetPixel(10, 10));
}

TEST(SoftwareCanvasTest, OutlineCircleLeavesTheInsideEmpty)
{
    Image image(21, 21);
    CanvasHolder holder(&image);
    EXPECT_EQ(0, DrawLineEllipse(Rect<float>(5, 5, 10, 10), WithColor(ColorF(1, 1, 1, 1)), holder.canvas));
    std::set<std::pair<int, int>> const set = SetPixels(image);
    EXPECT_TRUE(set.count({15, 10}) && set.count({5, 10}) && set.count({10, 5}) && set.count({10, 15}));
    EXPECT_FALSE(set.count({10, 10}));
    EXPECT_FALSE(set.count({12, 10}));
}

TEST(SoftwareCanvasTest, NearlySquareEllipseIsTheCircleOfItsWidth)
{
    Image ellipse(25, 25);
    Image circle(25, 25);
    CanvasHolder ellipseCanvas(&ellipse);
    CanvasHolder circleCanvas(&circle);
    sDrawState const state = WithColor(ColorF(1, 1, 0, 1));
    EXPECT_EQ(0, DrawFilledEllipse(Rect<float>(0, 0, 20, 20.4f), state, ellipseCanvas.canvas));
    QueryCanvasInterface<IEllipseDrawingCanvas>(circleCanvas.canvas)->DrawFilledCircle(10, 10, 10, state);
    EXPECT_EQ(SetPixels(circle), SetPixels(ellipse));
    EXPECT_TRUE(SetPixels(ellipse).count({0, 10}));
    EXPECT_TRUE(SetPixels(ellipse).count({20, 10}));
}

TEST(SoftwareCanvasTest, WideEllipseReachesItsHalfAxes)
{
    Image image(30, 20);
    CanvasHolder holder(&image);
    EXPECT_EQ(0, DrawFilledEllipse(Rect<float>(2, 5, 24, 10), WithColor(ColorF(1, 1, 1, 1)), holder.canvas));
    std::set<std::pair<int, int>> const set = SetPixels(image);
    // Centre (14, 10); half-axes 12 and 5.
    EXPECT_TRUE(set.count({2, 10}) && set.count({26, 10}));
    EXPECT_TRUE(set.count({14, 5}) && set.count({14, 15}));
    EXPECT_FALSE(set.count({14, 4}) || set.count({14, 16}) || set.count({1, 10}) || set.count({27, 10}));
    EXPECT_FALSE(set.count({3, 6}));

    Image tall(20, 30);
    CanvasHolder tallHolder(&tall);
    EXPECT_EQ(0, DrawLineEllipse(Rect<float>(5, 2, 10, 24), WithColor(ColorF(1, 1, 1, 1)), tallHolder.canvas));
    std::set<std::pair<int, int>> const outline = SetPixels(tall);
    EXPECT_TRUE(outline.count({10, 2}) && outline.count({10, 26}) && outline.count({5, 14}) && outline.count({15, 14}));
    EXPECT_FALSE(outline.count({10, 14}));
}

TEST(SoftwareCanvasTest, ShapesOutsideTheClipOrNotFiniteDrawNothing)
{
    Image image(10, 10);
    CanvasHolder holder(&image);
    IEllipseDrawingCanvas* const ellipses = QueryCanvasInterface<IEllipseDrawingCanvas>(holder.canvas);
    sDrawState state = WithColor(ColorF(1, 1, 1, 1));
    EXPECT_EQ(1, ellipses->DrawFilledCircle(40.0f, 40.0f, 5.0f, state));
    EXPECT_EQ(1, ellipses->DrawFilledCircle(5.0f, 5.0f, -3.0f, state));
    EXPECT_EQ(1, ellipses->DrawFilledCircle(5.0f, 5.0f, std::numeric_limits<float>::quiet_NaN(), state));
    EXPECT_EQ(1, ellipses->DrawFilledEllipse(Rect<float>(1, 1, std::numeric_limits<float>::infinity(), 3), state));
    EXPECT_EQ(0, ellipses->DrawFilledCircle(5.0f, 5.0f, 1e9f, state));
    state.clip = Rect<int>(0, 0, 3, 3);
    EXPECT_EQ(1, ellipses->DrawLineCircle(8.0f, 8.0f, 2.0f, state));
    EXPECT_EQ(0, ellipses->DrawFilledCircle(3.0f, 3.0f, 3.0f, state));
    for (auto const& point : SetPixels(image))
    {
        EXPECT_LT(point.first, 3);
        EXPECT_LT(point.second, 3);
    }
}

TEST(SoftwareCanvasTest, ImageFilledAgainSmallerIsNeverWrittenPastItsPixels)
{
    Image image(20, 20);
    CanvasHolder holder(&image);
    image.Init(new Color32[4](), 2, 2, true, false);
    sDrawState const state = WithColor(ColorF(1, 1, 1, 1));
    EXPECT_EQ(0, DrawFilledRect(Rect<int>(0, 0, 20, 20), state, holder.canvas));
    QueryCanvasInterface<IEllipseDrawingCanvas>(holder.canvas)->DrawFilledCircle(10, 10, 9, state);
    QueryCanvasInterface<IEllipseDrawingCanvas>(holder.canvas)->DrawLineEllipse(Rect<float>(0, 0, 19, 9), state);
    std::unique_ptr<Image> const source = Filled(20, 20, Color32(0xFF00FF00u));
    DrawImage(source.get(), 0, 0, state, holder.canvas);
    DrawStretchedImage(source.get(), Rect<int>(0, 0, 15, 18), state, holder.canvas);
    EXPECT_EQ(Color32(0xFF00FF00u), image.GetPixel(1, 1));
}
