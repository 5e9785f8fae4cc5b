// A kept frame draws some batches more cheaply than a whole repaint does
// (nearest sampling texel for pixel, no blending when opaque, nothing beneath
// an opaque batch that covers a part): the pixels must stay those of the
// whole repaint, at every kind of placement.

#include "2DEngine/Tests/Platform/OpenGLTestSupport.h"

#include <memory>
#include <vector>

#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLFrame.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLScreenCanvas.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLSubBuffer.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLTextureInk.h"

using namespace OpenGLTesting;
using namespace Corvane::Graphics;

namespace
{

enum eImage
{
    kBackground,
    kPanel,
    kHoled,
    kSprite,
    kImages
};

enum eHow
{
    kPlain,
    kStretched,
    kTurned,
    kFilled
};

// One draw of frame n, at (x + n * dx, y).
struct sDraw
{
    eImage image;
    eHow how;
    float x, y, dx;
    int width, height;
    float alpha;
    uint32_t flags;
};

// Opaque pictures over the whole window and over parts of it, with layers moving beneath and over them;
// a picture with one clear pixel; whole and fractional places, mirrored, stretched, turned, tinted and
// cut from a larger picture; opaque and translucent filled rectangles.
sDraw const kScene[] = {
    {kBackground, kPlain, 0.0f, 0.0f, 0.0f, 0, 0, 1.0f, 0},
    {kSprite, kPlain, 22.0f, 10.0f, 1.0f, 0, 0, 1.0f, 0},
    {kPanel, kPlain, 20.0f, 8.0f, 0.0f, 0, 0, 1.0f, 0},
    {kSprite, kPlain, 38.0f, 20.0f, 1.0f, 0, 0, 1.0f, 0},
    {kHoled, kPlain, 36.0f, 18.0f, 0.0f, 0, 0, 1.0f, 0},
    {kHoled, kPlain, 4.5f, 26.0f, 0.0f, 0, 0, 1.0f, 0},
    {kPanel, kPlain, 40.0f, 3.0f, 0.0f, 0, 0, 1.0f, DRAW_FLAG_FLIP_H | DRAW_FLAG_FLIP_V},
    {kPanel, kStretched, 30.0f, 30.0f, 0.0f, 26, 17, 1.0f, 0},
    {kPanel, kPlain, 50.0f, 36.0f, 0.0f, 0, 0, 1.0f, DRAW_FLAG_SOURCE_RECT},
    {kSprite, kTurned, 30.0f, 24.0f, 0.5f, 0, 0, 1.0f, 0},
    {kSprite, kPlain, 0.0f, 1.0f, 1.5f, 0, 0, 0.6f, 0},
    {kSprite, kPlain, 0.0f, 40.0f, 2.0f, 0, 0, 1.0f, DRAW_FLAG_FLIP_H},
    {kSprite, kPlain, 11.0f, 30.0f, 1.0f, 0, 0, 1.0f, 0},
    {kSprite, kFilled, 10.5f, 29.25f, 0.0f, 9, 7, 1.0f, 0},
    {kSprite, kFilled, 0.0f, 20.0f, 1.25f, 6, 6, 0.5f, 0},
};

void DrawScene(ICanvas* canvas, int n, std::unique_ptr<Image> const (&images)[kImages])
{
    IQuadDrawingCanvas* const quads = QueryCanvasInterface<IQuadDrawingCanvas>(canvas);
    ASSERT_NE(nullptr, quads);
    for (sDraw const& draw : kScene)
    {
        sDrawState state = sDrawState::GetDefaults();
        state.flags = draw.flags;
        state.sourceRect = Rect<int>(3, 2, 10, 8);
        // Mirrored pictures tinted, the others white.
        float const tint = draw.flags & DRAW_FLAG_FLIP_H ? 0.6f : 1.0f;
        state.tint = ColorF(tint, 1.0f, tint, draw.alpha);
        state.color = ColorF(0.2f, 0.9f, 0.4f, draw.alpha);
        Image const* const image = images[draw.image].get();
        float const x = draw.x + float(n) * draw.dx;
        if (draw.how == kPlain)
            quads->DrawImage(image, x, draw.y, state);
        else if (draw.how == kStretched)
            quads->DrawStretchedImage(image, Rect<int>(int(x), int(draw.y), draw.width, draw.height), state);
        else if (draw.how == kTurned)
            quads->DrawRotatedImage(image, x, draw.y, Angle::FromDegrees(float(n * 23)), state);
        else
            quads->DrawFilledRect(Rect<float>(x, draw.y, float(draw.width), float(draw.height)), state);
    }
}

} // namespace

// Frame after frame, at a picture unit to the window pixel and scaled into the window.
TEST_F(OpenGLFixture, KeptFramesDrawnMoreCheaplyShowThePixelsOfAWholeRepaint)
{
    std::unique_ptr<Image> const images[kImages] = {std::unique_ptr<Image>(MakeHalvesImage(kWidth, kHeight, true)),
                                                    std::unique_ptr<Image>(MakeHalvesImage(20, 14, true)),
                                                    std::unique_ptr<Image>(MakeHalvesImage(20, 14)),
                                                    std::unique_ptr<Image>(MakeHalvesImage(8, 6))};
    images[kHoled]->SetPixel(9, 6, Color32(0x00000000u));
    int const frames = 14;
    for (Rect<int> const picture : {Rect<int>(0, 0, kWidth, kHeight), Rect<int>(0, 0, 50, 38)})
    {
        SCOPED_TRACE(picture.width);
        platform->SetRetainedFrames(true);
        platform->Setup(sWindowConfig{kWindowMode_Windowed, 1, picture.width, picture.height});
        if (!MacOSX::GLLayer::CanCopySubBuffer())
            GTEST_SKIP() << "this OpenGL driver cannot show part of the back buffer";
        OpenGLScreenCanvas whole(picture);
        std::vector<std::vector<unsigned char>> repainted;
        for (int n = 0; n < frames; ++n)
        {
            whole.BeginFrame();
            ASSERT_NO_FATAL_FAILURE(DrawScene(&whole, n, images));
            repainted.push_back(ReadWindow());
        }
        for (int n = 0; n < frames; ++n)
        {
            ASSERT_EQ(0, platform->BeginScene());
            ASSERT_NO_FATAL_FAILURE(DrawScene(platform->GetScreenCanvas(), n, images));
            ASSERT_EQ(0, platform->EndScene());
            ASSERT_EQ(repainted[size_t(n)], ReadWindow()) << "frame " << n;
        }
        // The textures sampled at nearest were given back their linear filtering.
        whole.BeginFrame();
        ASSERT_NO_FATAL_FAILURE(DrawScene(&whole, 0, images));
        EXPECT_EQ(repainted[0], ReadWindow());
    }
}

TEST(OpenGLTextureInkTest, OnlyAnUprightQuadAtWholeUnitsSamplesTexelForUnit)
{
    std::unique_ptr<Image> const holed(MakeHalvesImage(12, 10));
    holed->SetPixel(3, 3, Color32(0x80FFFFFFu));
    std::unique_ptr<Image> const solid(MakeHalvesImage(12, 10));
    // Pictures of 12 x 10 in textures of 16 x 16.
    sTextureInk const ink = FindTextureInk(solid->GetPixels(), 12, 10, 16, 16);
    sTextureInk const holedInk = FindTextureInk(holed->GetPixels(), 12, 10, 16, 16);
    EXPECT_TRUE(ink.opaque);
    EXPECT_FALSE(holedInk.opaque);
    float const u = 12.0f / 16.0f;
    float const v = 10.0f / 16.0f;
    struct sCase
    {
        char const* what;
        float xy[8];
        float uv[8];
        bool texelForUnit;
        bool onlyOpaque;
    } const cases[] = {
        {"upright", {5, 7, 5, 17, 17, 7, 17, 17}, {0, 0, 0, v, u, 0, u, v}, true, true},
        {"mirrored", {5, 7, 5, 17, 17, 7, 17, 17}, {u, v, u, 0, 0, v, 0, 0}, true, true},
        {"a half unit off", {5.5f, 7, 5.5f, 17, 17.5f, 7, 17.5f, 17}, {0, 0, 0, v, u, 0, u, v}, false, true},
        {"stretched", {5, 7, 5, 27, 29, 7, 29, 27}, {0, 0, 0, v, u, 0, u, v}, false, true},
        {"half a texel in", {5, 7, 5, 17, 16, 7, 16, 17}, {0.5f / 16, 0, 0.5f / 16, v, 11.5f / 16, 0, 11.5f / 16, v},
         false, true},
        {"a quarter turn", {17, 7, 5, 7, 17, 19, 5, 19}, {0, 0, 0, v, u, 0, u, v}, false, true},
        {"past the picture", {0, 0, 0, 16, 16, 0, 16, 16}, {0, 0, 0, 1, 1, 0, 1, 1}, true, false},
    };
    for (sCase const& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.texelForUnit, IsTexelForUnit(ink, c.xy, c.uv));
        EXPECT_EQ(c.onlyOpaque, SamplesOnlyOpaque(ink, c.uv));
        EXPECT_FALSE(SamplesOnlyOpaque(holedInk, c.uv));
    }
}

// A part of the window starts at the last batch that paints all of it opaque: an untextured one at
// any scale, a textured one only where it is drawn texel for pixel.
TEST(OpenGLFrameTest, APartStartsAtTheLastBatchThatCoversItOpaque)
{
    std::unique_ptr<Image> const solid(MakeHalvesImage(20, 20));
    sTextureInk const ink = FindTextureInk(solid->GetPixels(), 20, 20, 32, 32);
    float const u = 20.0f / 32.0f;
    OpenGLFrame frame;
    // Untextured rectangles (full alpha, then translucent), and the opaque picture at a whole
    // place, at half alpha and at a fractional place.
    auto const quad = [&](unsigned int texture, float x, float y, float size, float alpha) {
        frame.Begin(GL_TRIANGLE_STRIP, texture, 1, texture != 0 ? &ink : nullptr);
        frame.Color(1.0f, 1.0f, 1.0f, alpha);
        float const corners[4][4] = {{x, y, 0, 0}, {x, y + size, 0, u}, {x + size, y, u, 0}, {x + size, y + size, u, u}};
        for (auto const& corner : corners)
        {
            frame.TexCoord(corner[2], corner[3]);
            frame.Vertex(corner[0], corner[1]);
        }
        frame.End();
    };
    quad(0, 0.0f, 0.0f, 100.0f, 1.0f);
    quad(7, 10.0f, 10.0f, 20.0f, 1.0f);
    quad(7, 12.0f, 12.0f, 20.0f, 0.5f);
    quad(0, 50.0f, 50.0f, 10.0f, 0.5f);
    quad(7, 60.5f, 0.0f, 20.0f, 1.0f);
    // The batch expected, or -1 for none.
    struct sCase
    {
        Rect<float> box;
        std::size_t first;
        bool unitPixels;
        int index;
    } const cases[] = {
        {Rect<float>(15, 15, 5, 5), 0, true, 1},  {Rect<float>(15, 15, 5, 5), 0, false, 0},
        {Rect<float>(10, 10, 20, 20), 0, true, 1}, {Rect<float>(9, 15, 5, 5), 0, true, 0},
        {Rect<float>(15, 15, 5, 16), 0, true, 0}, {Rect<float>(52, 52, 3, 3), 0, true, 0},
        {Rect<float>(62, 2, 3, 3), 0, true, 0},   {Rect<float>(15, 15, 5, 5), 2, true, -1},
        {Rect<float>(-1, 0, 5, 5), 0, true, -1},
    };
    for (sCase const& c : cases)
    {
        SCOPED_TRACE(c.box.x);
        std::size_t index = 0;
        bool const covered = frame.FindCover(c.box, c.first, SIZE_MAX, c.unitPixels, &index);
        EXPECT_EQ(c.index, covered ? int(index) : -1);
    }
}
