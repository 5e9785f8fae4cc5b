#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <memory>

#include "2DEngine/Source/Graphics/Brush.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "2DEngine/Tests/Graphics/ImageTestSupport.h"

using namespace ImageTesting;
using namespace Corvane::Graphics;

namespace
{
    sDrawState Defaults()
    {
        return sDrawState::GetDefaults();
    }

    // Frames of the given sizes; the alpha of pixel (x, y) of frame i is
    // 10 x i + x, so that reads show which frame and column they hit.
    class Frames
    {
    public:
        explicit Frames(std::vector<std::pair<int, int>> const& sizes)
        {
            for (size_t i = 0; i < sizes.size(); ++i)
            {
                Image* const image = new Image(sizes[i].first, sizes[i].second);
                for (int y = 0; y < image->GetHeight(); ++y)
                    for (int x = 0; x < image->GetWidth(); ++x)
                        image->SetPixel(x, y, Color32(uint32_t(10 * i + size_t(x)) << 24));
                list.AddOwnedImage(image);
            }
        }

        int IndexOf(IImage const* image) const
        {
            for (int i = 0; i < list.GetNumImages(); ++i)
                if (list.GetImage(i) == image)
                    return i;
            return -1;
        }

        ImageList list;
    };

    // Caps 10 wide, middle 8 wide, all 5 high.
    Frames ThreeBrush()
    {
        return Frames({{10, 5}, {8, 5}, {10, 5}});
    }
}

// ---------------------------------------------------------------------------
// Three-part brushes

TEST(BrushTest, CapsThenMiddlePiecesWithTheLastOneCut)
{
    Frames frames = ThreeBrush();
    PieceRecorder canvas(200, 100);
    EXPECT_EQ(0, DrawThreeBrush(&frames.list, 0.0f, 3.0f, 40.0f, Defaults(), &canvas));
    ASSERT_EQ(5u, canvas.pieces.size());
    int const expectedFrames[5] = {0, 2, 1, 1, 1};
    float const expectedX[5] = {0, 30, 10, 18, 26};
    for (size_t i = 0; i < 5; ++i)
    {
        EXPECT_EQ(expectedFrames[i], frames.IndexOf(canvas.pieces[i].image)) << i;
        EXPECT_EQ(expectedX[i], canvas.pieces[i].x) << i;
        EXPECT_EQ(3.0f, canvas.pieces[i].y) << i;
    }
    EXPECT_FALSE(canvas.pieces[3].state.flags & DRAW_FLAG_SOURCE_RECT);
    EXPECT_EQ(Rect<int>(0, 0, 4, 5), PieceRecorder::SourceOf(canvas.pieces[4]));
}

TEST(BrushTest, NarrowSpansLetTheCapsTouchOrOverlap)
{
    Frames frames = ThreeBrush();
    PieceRecorder canvas(200, 100);
    EXPECT_EQ(0, DrawThreeBrush(&frames.list, 0.0f, 0.0f, 20.0f, Defaults(), &canvas));
    ASSERT_EQ(2u, canvas.pieces.size());
    EXPECT_EQ(10.0f, canvas.pieces[1].x);
    canvas.pieces.clear();
    EXPECT_EQ(0, DrawThreeBrush(&frames.list, 0.0f, 0.0f, 15.0f, Defaults(), &canvas));
    ASSERT_EQ(2u, canvas.pieces.size());
    EXPECT_EQ(5.0f, canvas.pieces[1].x);
}

TEST(BrushTest, PositionsAreFlooredToWholePixels)
{
    Frames frames = ThreeBrush();
    PieceRecorder canvas(200, 100);
    EXPECT_EQ(0, DrawThreeBrush(&frames.list, 12.7f, -0.5f, 40.0f, Defaults(), &canvas));
    ASSERT_EQ(5u, canvas.pieces.size());
    EXPECT_EQ(12.0f, canvas.pieces[0].x);
    EXPECT_EQ(-1.0f, canvas.pieces[0].y);
    // span = floor(52.7) - 12 = 40.
    EXPECT_EQ(42.0f, canvas.pieces[1].x);
}

TEST(BrushTest, FirstIndexSelectsTheFramesAndIsChecked)
{
    Frames frames({{4, 4}, {4, 4}, {10, 5}, {8, 5}, {10, 5}});
    PieceRecorder canvas(200, 100);
    EXPECT_EQ(0, DrawThreeBrush(&frames.list, 2, 0.0f, 0.0f, 40.0f, Defaults(), &canvas));
    ASSERT_EQ(5u, canvas.pieces.size());
    EXPECT_EQ(2, frames.IndexOf(canvas.pieces[0].image));
    EXPECT_EQ(4, frames.IndexOf(canvas.pieces[1].image));
    EXPECT_EQ(3, frames.IndexOf(canvas.pieces[2].image));
    canvas.pieces.clear();
    EXPECT_EQ(-1, DrawThreeBrush(&frames.list, 3, 0.0f, 0.0f, 40.0f, Defaults(), &canvas));
    EXPECT_EQ(-1, DrawThreeBrush(&frames.list, -1, 0.0f, 0.0f, 40.0f, Defaults(), &canvas));
    EXPECT_EQ(-1, DrawThreeBrush(&frames.list, std::numeric_limits<int>::max(), 0.0f, 0.0f, 40.0f, Defaults(),
                                 &canvas));
    EXPECT_EQ(-1, DrawNineBrush(&frames.list, 0.0f, 0.0f, 40.0f, 40.0f, Defaults(), &canvas));
    EXPECT_EQ(1, DrawThreeBrush(nullptr, 0.0f, 0.0f, 40.0f, Defaults(), &canvas));
    EXPECT_EQ(1, DrawNineBrush(nullptr, 0, 0.0f, 0.0f, 40.0f, 40.0f, Defaults(), &canvas));
    EXPECT_TRUE(canvas.pieces.empty());
}

TEST(BrushTest, VerticalBrushRunsDownward)
{
    Frames frames({{5, 10}, {5, 8}, {5, 10}});
    PieceRecorder canvas(100, 200);
    EXPECT_EQ(0, DrawThreeBrushVertical(&frames.list, 4.0f, 0.0f, 40.0f, Defaults(), &canvas));
    ASSERT_EQ(5u, canvas.pieces.size());
    float const expectedY[5] = {0, 30, 10, 18, 26};
    for (size_t i = 0; i < 5; ++i)
    {
        EXPECT_EQ(4.0f, canvas.pieces[i].x) << i;
        EXPECT_EQ(expectedY[i], canvas.pieces[i].y) << i;
    }
    EXPECT_EQ(Rect<int>(0, 0, 5, 4), PieceRecorder::SourceOf(canvas.pieces[4]));
}

TEST(BrushTest, MiddlePieceWithoutWidthRepeatsNothing)
{
    Frames frames({{10, 5}, {0, 5}, {10, 5}});
    PieceRecorder canvas(200, 100);
    EXPECT_EQ(0, DrawThreeBrush(&frames.list, 0.0f, 0.0f, 100.0f, Defaults(), &canvas));
    EXPECT_EQ(2u, canvas.pieces.size());
    EXPECT_EQ(0, GetThreeBrushPixelAlpha(&frames.list, 0, 50, 1, 100.0f));

    Frames flat({{10, 5}, {8, 5}, {10, 5}, {10, 0}, {8, 0}, {10, 0}, {10, 5}, {8, 5}, {10, 5}});
    canvas.pieces.clear();
    EXPECT_EQ(0, DrawNineBrush(&flat.list, 0.0f, 0.0f, 40.0f, 100.0f, Defaults(), &canvas));
    // Top and bottom rows only.
    EXPECT_EQ(10u, canvas.pieces.size());
}

TEST(BrushTest, HugeWidthsDrawOnlyWhatCanBeSeen)
{
    Frames frames = ThreeBrush();
    PieceRecorder canvas(80, 20);
    auto const start = std::chrono::steady_clock::now();
    EXPECT_EQ(0, DrawThreeBrush(&frames.list, -1e9f, 0.0f, 3e9f, Defaults(), &canvas));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_LE(canvas.pieces.size(), 14u);
    for (size_t i = 2; i < canvas.pieces.size(); ++i)
    {
        EXPECT_GT(canvas.pieces[i].x, -8.0f);
        EXPECT_LT(canvas.pieces[i].x, 80.0f);
    }
}

TEST(BrushTest, PixelAlphaReadsTheRightPieceAndColumn)
{
    Frames frames = ThreeBrush();
    EXPECT_EQ(3, GetThreeBrushPixelAlpha(&frames.list, 0, 3, 2, 40.0f));
    EXPECT_EQ(20, GetThreeBrushPixelAlpha(&frames.list, 0, 30, 2, 40.0f));
    EXPECT_EQ(13, GetThreeBrushPixelAlpha(&frames.list, 0, 29, 2, 40.0f));
    EXPECT_EQ(11, GetThreeBrushPixelAlpha(&frames.list, 0, 19, 2, 40.0f));
    EXPECT_EQ(29, GetThreeBrushPixelAlpha(&frames.list, 0, 39, 2, 40.0f));
    EXPECT_EQ(0, GetThreeBrushPixelAlpha(&frames.list, 0, 40, 2, 40.0f));
    EXPECT_EQ(0, GetThreeBrushPixelAlpha(&frames.list, 0, -1, 2, 40.0f));
    EXPECT_EQ(0, GetThreeBrushPixelAlpha(&frames.list, 0, 5, 5, 40.0f));
    EXPECT_EQ(0, GetThreeBrushPixelAlpha(&frames.list, 1, 5, 1, 40.0f));
    EXPECT_EQ(0, GetThreeBrushPixelAlpha(nullptr, 0, 5, 1, 40.0f));
}

// ---------------------------------------------------------------------------
// Nine-part brushes

TEST(BrushTest, NineBrushStacksRowsAndCutsTheLastMiddleRow)
{
    // Rows 6, 8 and 6 high; 40 x 30 leaves 18 for the middle: 8, 8, then 2.
    Frames frames({{10, 6}, {8, 6}, {10, 6}, {10, 8}, {8, 8}, {10, 8}, {10, 6}, {8, 6}, {10, 6}});
    PieceRecorder canvas(200, 200);
    sDrawState state = Defaults();
    state.clip = Rect<int>(-100, -100, 1000, 1000);
    EXPECT_EQ(0, DrawNineBrush(&frames.list, 0.0f, 0.0f, 40.0f, 30.0f, state, &canvas));
    // Five pieces per row: top, bottom, three middle rows.
    ASSERT_EQ(25u, canvas.pieces.size());
    EXPECT_EQ(0, frames.IndexOf(canvas.pieces[0].image));
    EXPECT_EQ(0.0f, canvas.pieces[0].y);
    EXPECT_EQ(6, frames.IndexOf(canvas.pieces[5].image));
    EXPECT_EQ(24.0f, canvas.pieces[5].y);
    EXPECT_EQ(3, frames.IndexOf(canvas.pieces[10].image));
    EXPECT_EQ(6.0f, canvas.pieces[10].y);
    EXPECT_EQ(14.0f, canvas.pieces[15].y);
    EXPECT_EQ(22.0f, canvas.pieces[20].y);
    EXPECT_EQ(state.clip, canvas.pieces[15].state.clip);
    // The last middle row is cut to its 2 remaining rows, within the caller's clip.
    EXPECT_EQ(Rect<int>(0, 22, 40, 2), canvas.pieces[20].state.clip);

    canvas.pieces.clear();
    state.clip = Rect<int>(5, 0, 10, 23);
    DrawNineBrush(&frames.list, 0.0f, 0.0f, 40.0f, 30.0f, state, &canvas);
    int cutRows = 0;
    for (sPiece const& piece : canvas.pieces)
    {
        if (piece.y != 22.0f)
            continue;
        ++cutRows;
        EXPECT_EQ(Rect<int>(5, 22, 10, 1), piece.state.clip);
    }
    EXPECT_GT(cutRows, 0);
}
