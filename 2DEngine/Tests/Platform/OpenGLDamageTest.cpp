#include "2DEngine/Tests/Platform/OpenGLTestSupport.h"

#include <cmath>
#include <memory>
#include <vector>

#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLScreenCanvas.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLSubBuffer.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLDamage.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLFrame.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLTextureInk.h"

using namespace OpenGLTesting;
using namespace Corvane::Graphics;

namespace
{

constexpr int kRingSize = 64;

// A ring of ink of another colour on each side, round a transparent centre,
// in transparent corners: turned, every pixel of it changes.
Image* MakeRingImage()
{
    Image* const image = new Image(kRingSize, kRingSize);
    for (int y = 0; y < kRingSize; ++y)
        for (int x = 0; x < kRingSize; ++x)
        {
            float const r = std::hypot(float(x) + 0.5f - 32.0f, float(y) + 0.5f - 32.0f);
            bool const ink = r >= 14.0f && r < 31.0f;
            Color32 const colour(x < 32 ? 0xFF20A040u : 0xFFE03010u);
            image->SetPixel(x, y, ink ? colour : Color32(0x00FFFFFFu));
        }
    return image;
}

// A window large enough for the turning pictures to be repainted in bands, not one box.
class LargeWindowFixture : public OpenGLFixture
{
protected:
    static constexpr int kLargeWidth = 512;
    static constexpr int kLargeHeight = 384;

    void SetUp() override
    {
        OpenGLFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        SDL_SetWindowSize(window, kLargeWidth, kLargeHeight);
    }
};

bool Covered(std::vector<Rect<float>> const& rects, float x, float y)
{
    for (Rect<float> const& r : rects)
        if (x >= r.x && x <= r.x + r.width && y >= r.y && y <= r.y + r.height)
            return true;
    return false;
}

} // namespace

// The bands of a turned, scaled or mirrored picture cover every point where
// linear filtering can reach a visible texel, and leave out its transparent corners.
TEST(OpenGLDamageTest, InkBandsCoverEveryPointTheInkReachesAndSpareTheCorners)
{
    std::unique_ptr<Image> const ring(MakeRingImage());
    // In a texture twice the picture's size.
    sTextureInk const ink = FindTextureInk(ring->GetPixels(), kRingSize, kRingSize, 2 * kRingSize, 2 * kRingSize);
    struct sCase
    {
        float degrees;
        float scaleX, scaleY;
        bool mirrored;
        // The bands' area at most, of the bounds' (the corners they leave out).
        float mostOfBounds;
    } const cases[] = {
        {0.0f, 1.0f, 1.0f, false, 0.92f},  {17.0f, 1.0f, 1.0f, false, 0.9f},    {45.0f, 2.5f, 2.5f, false, 0.85f},
        {123.0f, 3.0f, 1.5f, false, 0.72f}, {250.0f, 1.28f, 1.28f, true, 0.88f}, {90.0f, 2.0f, 0.6f, true, 0.9f},
    };
    for (sCase const& c : cases)
    {
        SCOPED_TRACE(c.degrees);
        float const cx = 300.0f;
        float const cy = 200.0f;
        float const cosine = std::cos(c.degrees * 3.14159265f / 180.0f);
        float const sine = std::sin(c.degrees * 3.14159265f / 180.0f);
        // Texel coordinates of the picture to the frame.
        auto const toFrame = [&](float tx, float ty, float* x, float* y) {
            float const lx = (tx - 32.0f) * c.scaleX;
            float const ly = (ty - 32.0f) * c.scaleY;
            *x = cx + lx * cosine - ly * sine;
            *y = cy + lx * sine + ly * cosine;
        };
        float xy[8];
        float const corners[4][2] = {{0, 0}, {0, 64}, {64, 0}, {64, 64}};
        for (int k = 0; k < 4; ++k)
            toFrame(corners[k][0], corners[k][1], &xy[2 * k], &xy[2 * k + 1]);
        float const u = c.mirrored ? 0.5f : 0.0f;
        float const uv[8] = {u, 0.0f, u, 0.5f, 0.5f - u, 0.0f, 0.5f - u, 0.5f};
        float left = xy[0];
        float top = xy[1];
        float right = xy[0];
        float bottom = xy[1];
        for (int k = 1; k < 4; ++k)
        {
            left = std::min(left, xy[2 * k]);
            right = std::max(right, xy[2 * k]);
            top = std::min(top, xy[2 * k + 1]);
            bottom = std::max(bottom, xy[2 * k + 1]);
        }
        Rect<float> const bounds = InkBoundsOfQuad(ink, xy, uv, Rect<float>(left, top, right - left, bottom - top));
        std::vector<Rect<float>> bands;
        ASSERT_TRUE(AddInkBandsOfQuad(ink, xy, uv, bounds, 0.0f, 8.0f, &bands));

        float area = 0.0f;
        for (Rect<float> const& band : bands)
            area += band.width * band.height;
        EXPECT_LT(area, c.mostOfBounds * bounds.width * bounds.height);
        // Every sample point whose filter footprint holds a visible texel.
        int missed = 0;
        for (float ty = -2.0f; ty <= 66.0f; ty += 0.25f)
            for (float tx = -2.0f; tx <= 66.0f; tx += 0.25f)
            {
                float const px = c.mirrored ? 64.0f - tx : tx;
                bool visible = false;
                for (int dy = 0; dy < 2 && !visible; ++dy)
                    for (int dx = 0; dx < 2 && !visible; ++dx)
                    {
                        int const texelX = int(std::floor(px - 0.5f)) + dx;
                        int const texelY = int(std::floor(ty - 0.5f)) + dy;
                        visible = texelX >= 0 && texelY >= 0 && texelX < kRingSize && texelY < kRingSize &&
                                  ring->GetPixel(texelX, texelY).GetAlpha() != 0;
                    }
                float x = 0.0f;
                float y = 0.0f;
                toFrame(tx, ty, &x, &y);
                if (visible && !Covered(bands, x, y))
                    ++missed;
            }
        EXPECT_EQ(0, missed);
    }
}

// The union cuts overlapping rectangles into disjoint ones covering the same
// area; merging joins them where a larger part costs less than two.
TEST(OpenGLDamageTest, TheUnionIsDisjointAndMergingWeighsAreaAgainstParts)
{
    std::vector<Rect<float>> const rects = {Rect<float>(0, 0, 10, 10), Rect<float>(5, 5, 10, 10),
                                            Rect<float>(40, 0, 10, 10), Rect<float>(0, 0, 4, 4)};
    std::vector<Rect<float>> const parts = DisjointUnion(rects);
    float area = 0.0f;
    for (std::size_t i = 0; i < parts.size(); ++i)
    {
        area += parts[i].width * parts[i].height;
        for (std::size_t j = i + 1; j < parts.size(); ++j)
            EXPECT_FALSE(parts[i].x < parts[j].x + parts[j].width && parts[j].x < parts[i].x + parts[i].width &&
                         parts[i].y < parts[j].y + parts[j].height && parts[j].y < parts[i].y + parts[i].height);
    }
    EXPECT_FLOAT_EQ(100.0f + 100.0f - 25.0f + 100.0f, area);

    struct sCase
    {
        float part;
        std::size_t maxParts;
        std::size_t expected;
    } const cases[] = {
        // Free parts: the L-shaped pair stays in pieces, apart from the far square.
        {0.0f, 8, parts.size()},
        // The pair's box wastes 50 units: worth it at 60 a part; one box with the far square wastes 425.
        {60.0f, 8, 2},
        {500.0f, 8, 1},
        {0.0f, 1, 1},
    };
    for (sCase const& c : cases)
    {
        std::vector<Rect<float>> merged = parts;
        sRepaintCosts costs;
        costs.part = c.part;
        costs.maxParts = c.maxParts;
        MergeRects(&merged, costs, [](Rect<float> const&) { return 1; });
        EXPECT_EQ(c.expected, merged.size()) << c.part << " " << c.maxParts;
        for (Rect<float> const& r : rects)
            EXPECT_TRUE(Covered(merged, r.x + r.width * 0.5f, r.y + r.height * 0.5f));
    }
}

// Turning rings (the largest repainted in bands), a picture put in
// and taken out under them, and a sliding one: the kept frames show exactly
// the pixels of whole repaints, the picture scaled into the window at several sizes.
TEST_F(LargeWindowFixture, KeptFramesOfTurningRingsShowTheSamePixelsAsWholeRepaints)
{
    struct sCase
    {
        int pictureWidth, pictureHeight;
    } const cases[] = {{640, 480}, {400, 300}, {512, 384}, {300, 420}};
    std::unique_ptr<Image> const ring(MakeRingImage());
    std::unique_ptr<Image> const backdrop(MakeHalvesImage(16, 12, true));
    std::unique_ptr<Image> const sprite(MakeHalvesImage(8, 6));
    for (sCase const& c : cases)
    {
        SCOPED_TRACE(c.pictureWidth);
        platform->SetRetainedFrames(true);
        platform->Setup(sWindowConfig{kWindowMode_Windowed, 1, c.pictureWidth, c.pictureHeight});
        if (!MacOSX::GLLayer::CanCopySubBuffer())
            GTEST_SKIP() << "this OpenGL driver cannot show part of the back buffer";
        OpenGLScreenCanvas whole(Rect<int>(0, 0, c.pictureWidth, c.pictureHeight));
        float const w = float(c.pictureWidth);
        float const h = float(c.pictureHeight);
        auto const draw = [&](ICanvas* canvas, int n) {
            sDrawState const state = sDrawState::GetDefaults();
            IQuadDrawingCanvas* const quads = QueryCanvasInterface<IQuadDrawingCanvas>(canvas);
            ASSERT_NE(nullptr, quads);
            quads->DrawStretchedImage(backdrop.get(), Rect<int>(0, 0, c.pictureWidth, c.pictureHeight), state);
            if (n % 3 == 1)
                quads->DrawImage(sprite.get(), w * 0.1f, h * 0.8f, state);
            int const size = int(h * 1.1f);
            quads->DrawStretchedRotatedImage(ring.get(), Rect<int>(int(w * 0.5f) + n % 2, int(h * 0.5f), size, size),
                                             Angle::FromDegrees(float(n * 23)), state);
            quads->DrawRotatedImage(ring.get(), w * 0.8f, h * 0.3f, Angle::FromDegrees(float(n * -41)), state);
            quads->DrawImage(sprite.get(), float(n * 3), h * 0.4f, state);
        };
        for (int n = 0; n < 12; ++n)
        {
            ASSERT_EQ(0, platform->BeginScene());
            ASSERT_NO_FATAL_FAILURE(draw(platform->GetScreenCanvas(), n));
            ASSERT_EQ(0, platform->EndScene());
            std::vector<unsigned char> const kept = ReadWindow(kLargeWidth, kLargeHeight);
            whole.BeginFrame();
            ASSERT_NO_FATAL_FAILURE(draw(&whole, n));
            ASSERT_EQ(ReadWindow(kLargeWidth, kLargeHeight), kept) << "frame " << n;
        }
    }
}
