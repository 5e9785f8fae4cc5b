#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Tests/Graphics/RecordingCanvas.h"

using namespace FacadeTesting;

namespace
{
    std::set<std::pair<int, int>> PixelSet(RecordingCanvas const& canvas)
    {
        std::set<std::pair<int, int>> set;
        for (auto const& entry : canvas.pixels)
            set.insert(entry.first);
        return set;
    }

    RecordingCanvas PixelCanvas(int width, int height)
    {
        RecordingCanvas canvas(width, height);
        canvas.offersPixels = true;
        return canvas;
    }

    RecordingCanvas QuadCanvas()
    {
        RecordingCanvas canvas(100, 100);
        canvas.offersQuads = true;
        return canvas;
    }

    // A list that reports which frame it was asked to draw.
    class CountingList : public IImageList
    {
    public:
        int GetNumImages() const override { return 3; }
        int GetImageWidth(int) const override { return 0; }
        int GetImageHeight(int) const override { return 0; }
        int GetImagePixelAlpha(int, int, int) const override { return 0; }
        Color32 GetImagePixel(int, int, int) const override { return Color32(0); }
        int DrawImage(int index, float, float, sDrawState const&, ICanvas* canvas) const override
        {
            lastCanvas = canvas;
            return 10 + index;
        }
        int DrawStretchedImage(int index, Rect<float>&, sDrawState const&, ICanvas*) const override
        {
            return 20 + index;
        }
        mutable ICanvas* lastCanvas = nullptr;
    };
}

// ---- Lines through the pixel interface --------------------------------------------------------

TEST(DrawingTest, LineRectOfOnePixelPlotsThatPixelFourTimes)
{
    RecordingCanvas canvas = PixelCanvas(20, 20);
    EXPECT_EQ(kDrawn, DrawLineRect(Rect<float>(10, 10, 1, 1), sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ((std::set<std::pair<int, int>>{{10, 10}}), PixelSet(canvas));
    EXPECT_EQ(4, canvas.setPixelCalls);
}

TEST(DrawingTest, LineWithEqualEndsPlotsOnePixel)
{
    RecordingCanvas canvas = PixelCanvas(20, 20);
    EXPECT_EQ(kDrawn, DrawLine(5, 6, 5, 6, sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ(1, canvas.setPixelCalls);
    EXPECT_TRUE(canvas.HasPixel(5, 6));
}

TEST(DrawingTest, LineStepsDiagonallyAndEndsOnItsEndPoint)
{
    RecordingCanvas canvas = PixelCanvas(20, 20);
    DrawLine(0, 0, 4, 2, sDrawState::GetDefaults(), &canvas);
    EXPECT_EQ((std::set<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}), PixelSet(canvas));
}

TEST(DrawingTest, SteepLineHasOnePixelPerRowEitherWay)
{
    for (bool reversed : {false, true})
    {
        RecordingCanvas canvas = PixelCanvas(20, 20);
        if (reversed)
            DrawLine(3, 9, 1, 0, sDrawState::GetDefaults(), &canvas);
        else
            DrawLine(1, 0, 3, 9, sDrawState::GetDefaults(), &canvas);
        ASSERT_EQ(10u, canvas.pixels.size());
        std::set<int> rows;
        for (auto const& entry : canvas.pixels)
        {
            rows.insert(entry.first.second);
            EXPECT_GE(entry.first.first, 1);
            EXPECT_LE(entry.first.first, 3);
        }
        EXPECT_EQ(10u, rows.size());
        EXPECT_TRUE(canvas.HasPixel(1, 0));
        EXPECT_TRUE(canvas.HasPixel(3, 9));
    }
}

TEST(DrawingTest, LineEndsRoundHalfUp)
{
    RecordingCanvas canvas = PixelCanvas(20, 20);
    DrawLine(0.4f, 0.6f, 2.5f, 0.6f, sDrawState::GetDefaults(), &canvas);
    EXPECT_EQ((std::set<std::pair<int, int>>{{0, 1}, {1, 1}, {2, 1}, {3, 1}}), PixelSet(canvas));
}

TEST(DrawingTest, LineIsCutByBoundsAndClip)
{
    RecordingCanvas canvas = PixelCanvas(10, 10);
    sDrawState state = sDrawState::GetDefaults();
    state.clip = Rect<int>(2, 0, 3, 10);
    DrawLine(-5, 2, 30, 2, state, &canvas);
    EXPECT_EQ((std::set<std::pair<int, int>>{{2, 2}, {3, 2}, {4, 2}}), PixelSet(canvas));

    // A clip reaching past the largest int does not wrap round.
    RecordingCanvas wide = PixelCanvas(10, 10);
    state.clip = Rect<int>(5, 0, 2147483647, 2147483647);
    DrawLine(0, 1, 9, 1, state, &wide);
    EXPECT_EQ(5u, wide.pixels.size());
}

TEST(DrawingTest, LineGoesToTheLineInterfaceFirst)
{
    RecordingCanvas canvas = PixelCanvas(10, 10);
    canvas.offersLines = true;
    EXPECT_EQ(kDrawn, DrawLine(0, 0, 5, 5, sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ(1, canvas.lines);
    EXPECT_EQ(0, canvas.setPixelCalls);
}

TEST(DrawingTest, PixelsBlendOnlyWithTheAlphaFlag)
{
    RecordingCanvas canvas = PixelCanvas(4, 4);
    canvas.pixels[{1, 1}] = Color32(0xFF000000u);
    canvas.pixels[{2, 1}] = Color32(0xFF000000u);
    sDrawState state = sDrawState::GetDefaults();
    state.color = ColorF(1, 1, 1, 0.5f);
    DrawLine(1, 1, 1, 1, state, &canvas);
    EXPECT_EQ(0xBF7F7F7Fu, canvas.GetPixel(1, 1).value);
    state.flags = 0;
    DrawLine(2, 1, 2, 1, state, &canvas);
    EXPECT_EQ(0x7FFFFFFFu, canvas.GetPixel(2, 1).value);
}

// ---- Pixel operations -------------------------------------------------------------------------

TEST(DrawingTest, BlendColorsWeighsBySourceAlpha)
{
    EXPECT_EQ(0x12345678u, BlendColors(Color32(0x00FFFFFFu), Color32(0x12345678u)).value);
    EXPECT_EQ(0xFF102030u, (BlendColors(Color32(0xFF102030u), Color32(0x12345678u)).value));
    // a = 129, b = 127: (129 * 255 + 127 * 0) >> 8 = 128.
    // Alpha: (129 * 128 + 127 * 255) >> 8 = 191.
    EXPECT_EQ(0xBF800000u, BlendColors(Color32(0x80FF0000u), Color32(0xFF000000u)).value);
}

TEST(DrawingTest, TintScalesEveryChannel)
{
    EXPECT_EQ(0x80402010u, (ApplyTintToPixel(Color32(0xFFFFFFFFu), Color32(0x80402010u)).value));
    EXPECT_EQ(0u, ApplyTintToPixel(Color32(0u), Color32(0xFFFFFFFFu)).value);
    // Half alpha, full colour: ((127 + 1) * 255) >> 8 = 127 in alpha, 255 elsewhere.
    EXPECT_EQ(0x7FFFFFFFu, ApplyTintToPixel(Color32(0x7FFFFFFFu), Color32(0xFFFFFFFFu)).value);
    // A dark pixel under a grey tint: ((0x80 + 1) * 0x40) >> 8 = 0x20.
    EXPECT_EQ(0xFF202020u, ApplyTintToPixel(Color32(0xFF808080u), Color32(0xFF404040u)).value);
    // Red only.
    EXPECT_EQ(0xFFFF0000u, ApplyTintToPixel(Color32(0xFFFF0000u), Color32(0xFFFFFFFFu)).value);
}

// ---- Quads, ellipses, image lists -------------------------------------------------------------

TEST(DrawingTest, FilledRectsAndEllipsesReachTheirOverloads)
{
    RecordingCanvas canvas = QuadCanvas();
    canvas.offersEllipses = true;
    EXPECT_EQ(3, DrawFilledRect(Rect<int>(1, 2, 3, 4), sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ(4, DrawFilledRect(Rect<float>(1.5f, 2, 3, 4), sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ(5, DrawFilledEllipse(Rect<float>(0, 0, 22, 20), sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ(kDrawn, DrawLineEllipse(Rect<float>(0, 0, 22, 20), sDrawState::GetDefaults(), &canvas));
    ASSERT_EQ(2u, canvas.rects.size());
    EXPECT_FLOAT_EQ(1.5f, canvas.rects[1].x);
    EXPECT_EQ(2u, canvas.ellipses.size());
}

TEST(DrawingTest, ImageListsDrawThemselves)
{
    CountingList list;
    RecordingCanvas canvas = QuadCanvas();
    EXPECT_EQ(12, DrawImageList(&list, 2, 0, 0, sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ(&canvas, list.lastCanvas);
    Rect<float> rect(0, 0, 5, 5);
    EXPECT_EQ(21, DrawStretchedImageList(&list, 1, rect, sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ(kNothingToDraw, DrawImageList(nullptr, 0, 0, 0, sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ(kNothingToDraw, DrawStretchedImageList(nullptr, 0, rect, sDrawState::GetDefaults(), &canvas));
}

// ---- Alignment --------------------------------------------------------------------------------

TEST(DrawingTest, ImageAlignmentUsesWholePixelHalves)
{
    SizedImage image(7, 5);
    RecordingCanvas canvas = QuadCanvas();
    sDrawState state = sDrawState::GetDefaults();
    state.hAlign = kHAlignment_Center;
    state.vAlign = kVAlignment_Middle;
    DrawImage(&image, 50, 50, state, &canvas);
    state.hAlign = kHAlignment_Right;
    state.vAlign = kVAlignment_Bottom;
    DrawImage(&image, 50, 50, state, &canvas);
    ASSERT_EQ(2u, canvas.images.size());
    EXPECT_FLOAT_EQ(47.0f, canvas.images[0].x);
    EXPECT_FLOAT_EQ(48.0f, canvas.images[0].y);
    EXPECT_FLOAT_EQ(43.0f, canvas.images[1].x);
    EXPECT_FLOAT_EQ(45.0f, canvas.images[1].y);
    // The canvas receives the caller's state, alignments still set.
    EXPECT_EQ(kHAlignment_Right, canvas.images[1].state.hAlign);
}

TEST(DrawingTest, SourceRectSizeStandsForTheImageInAlignment)
{
    SizedImage image(100, 100);
    RecordingCanvas canvas = QuadCanvas();
    DrawStateNPI state;
    state.SourceRect(10, 10, 9, 3);
    state.hAlign = kHAlignment_Center;
    state.vAlign = kVAlignment_Bottom;
    DrawImage(&image, 20, 20, state, &canvas);
    ASSERT_EQ(1u, canvas.images.size());
    EXPECT_FLOAT_EQ(16.0f, canvas.images[0].x);
    EXPECT_FLOAT_EQ(17.0f, canvas.images[0].y);
}

TEST(DrawingTest, RotatedImageIsAnchoredByItsAlignment)
{
    SizedImage image(10, 4);
    RecordingCanvas canvas = QuadCanvas();
    sDrawState state = sDrawState::GetDefaults();
    Angle const quarter = Angle::FromDegrees(90.0f);
    // Top-left anchor: the centre lies (5, 2) away, turned a quarter: (-2, 5).
    DrawRotatedImage(&image, 100, 100, quarter, state, &canvas);
    state.hAlign = kHAlignment_Center;
    state.vAlign = kVAlignment_Middle;
    DrawRotatedImage(&image, 100, 100, quarter, state, &canvas);
    state.hAlign = kHAlignment_Right;
    state.vAlign = kVAlignment_Bottom;
    DrawRotatedImage(&image, 100, 100, quarter, state, &canvas);
    ASSERT_EQ(3u, canvas.images.size());
    EXPECT_NEAR(98.0f, canvas.images[0].x, 1e-4f);
    EXPECT_NEAR(105.0f, canvas.images[0].y, 1e-4f);
    EXPECT_FLOAT_EQ(100.0f, canvas.images[1].x);
    EXPECT_FLOAT_EQ(100.0f, canvas.images[1].y);
    EXPECT_NEAR(102.0f, canvas.images[2].x, 1e-4f);
    EXPECT_NEAR(95.0f, canvas.images[2].y, 1e-4f);
}

TEST(DrawingTest, StretchedImageShiftsItsDestination)
{
    SizedImage image(4, 4);
    RecordingCanvas canvas = QuadCanvas();
    sDrawState state = sDrawState::GetDefaults();
    state.hAlign = kHAlignment_Center;
    state.vAlign = kVAlignment_Bottom;
    DrawStretchedImage(&image, Rect<int>(10, 10, 7, 6), state, &canvas);
    ASSERT_EQ(1u, canvas.stretched.size());
    EXPECT_EQ(Rect<int>(7, 4, 7, 6), canvas.stretched[0]);
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST(DrawingTest, NothingToDrawWithoutCanvasOrImage)
{
    SizedImage image(4, 4);
    sDrawState const& state = sDrawState::GetDefaults();
    EXPECT_EQ(kNothingToDraw, DrawLine(0, 0, 1, 1, state, nullptr));
    EXPECT_EQ(kNothingToDraw, DrawLineRect(Rect<float>(0, 0, 2, 2), state, nullptr));
    EXPECT_EQ(kNothingToDraw, DrawFilledRect(Rect<int>(0, 0, 2, 2), state, nullptr));
    EXPECT_EQ(kNothingToDraw, DrawFilledEllipse(Rect<float>(0, 0, 2, 2), state, nullptr));
    EXPECT_EQ(kNothingToDraw, DrawImage(&image, 0, 0, state, nullptr));
    EXPECT_EQ(kNothingToDraw, DrawStretchedImage(&image, Rect<int>(0, 0, 2, 2), state, nullptr));
    RecordingCanvas canvas = QuadCanvas();
    EXPECT_EQ(kNothingToDraw, DrawImage(nullptr, 0, 0, state, &canvas));
    EXPECT_EQ(kNothingToDraw, DrawRotatedImage(nullptr, 0, 0, Angle(1.0f), state, &canvas));
    EXPECT_TRUE(canvas.images.empty());
}

TEST(DrawingTest, MissingInterfacesReportMinusTwo)
{
    SizedImage image(4, 4);
    RecordingCanvas canvas(10, 10);
    sDrawState const& state = sDrawState::GetDefaults();
    EXPECT_EQ(kMissingInterface, DrawLine(0, 0, 5, 5, state, &canvas));
    EXPECT_EQ(kMissingInterface, DrawLineRect(Rect<float>(0, 0, 3, 3), state, &canvas));
    EXPECT_EQ(kMissingInterface, DrawFilledRect(Rect<float>(0, 0, 3, 3), state, &canvas));
    EXPECT_EQ(kMissingInterface, DrawLineEllipse(Rect<float>(0, 0, 3, 3), state, &canvas));
    EXPECT_EQ(kMissingInterface, DrawImage(&image, 0, 0, state, &canvas));
    EXPECT_EQ(kMissingInterface, DrawRotatedImage(&image, 0, 0, Angle(), state, &canvas));
    EXPECT_EQ(kMissingInterface, DrawStretchedImage(&image, Rect<int>(0, 0, 3, 3), state, &canvas));
    EXPECT_TRUE(canvas.pixels.empty());
    EXPECT_EQ(0, canvas.lines);
}

TEST(DrawingTest, LinesWithUnusableEndsDrawNothing)
{
    RecordingCanvas canvas = PixelCanvas(10, 10);
    float const nan = std::numeric_limits<float>::quiet_NaN();
    float const inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(kNothingToDraw, DrawLine(nan, 0, 5, 5, sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ(kNothingToDraw, DrawLine(0, 0, inf, 5, sDrawState::GetDefaults(), &canvas));
    EXPECT_EQ(kNothingToDraw, DrawLine(0, 0, 5, -3e9f, sDrawState::GetDefaults(), &canvas));
    EXPECT_TRUE(canvas.pixels.empty());
}
