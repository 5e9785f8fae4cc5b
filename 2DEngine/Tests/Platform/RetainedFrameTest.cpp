#include "2DEngine/Tests/Platform/OpenGLTestSupport.h"

#include <memory>
#include <vector>

#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/ReferenceDrawing.h"
#include "2DEngine/Source/Graphics/Texture.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLFrame.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLScreenCanvas.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLSubBuffer.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLTextureInk.h"

using namespace OpenGLTesting;
using namespace Corvane::Graphics;

namespace
{

// The picture is scaled into the window as a full-screen game is: 50 x 38
// picture units over the 64 x 48 window.
constexpr int kPictureWidth = 50;
constexpr int kPictureHeight = 38;

// A picture of transparent pixels with a visible dot off its centre.
Image* MakeDotImage()
{
    Image* const image = new Image(12, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            image->SetPixel(x, y, Color32(x >= 7 && x < 10 && y >= 2 && y < 4 ? 0xFFFFFF00u : 0x00FF00FFu));
    return image;
}

// Frame n of a scene with something of every kind that changes: a backdrop
// (tinted from frame 16 on), a half-transparent picture sliding over it, a
// turning picture, a line, a circle that comes and goes, a picture whose
// pixels change and a turning dot in a transparent picture.
void DrawScene(ICanvas* canvas, int n, Image* backdrop, Image* sprite, Image* changing, Image* dot)
{
    sDrawState state = sDrawState::GetDefaults();
    IQuadDrawingCanvas* const quads = QueryCanvasInterface<IQuadDrawingCanvas>(canvas);
    ASSERT_NE(nullptr, quads);
    sDrawState backdropState = state;
    if (n >= 16)
        backdropState.tint = ColorF(0.5f, 0.7f, 1.0f, 1.0f);
    quads->DrawStretchedImage(backdrop, Rect<int>(0, 0, kPictureWidth, kPictureHeight), backdropState);
    quads->DrawRotatedImage(dot, 12.0f + float(n % 5), 28.0f, Angle::FromDegrees(float(n * 23)), state);
    sDrawState faded = state;
    faded.tint = ColorF(1.0f, 1.0f, 1.0f, 0.6f);
    quads->DrawImage(sprite, float(2 + n * 3), float(1 + n), faded);
    quads->DrawRotatedImage(sprite, 35.0f, 25.0f, Angle::FromDegrees(float(n * 17)), state);
    sDrawState line = state;
    line.color = ColorF(1.0f, 1.0f, 0.0f, 1.0f);
    if (ILineDrawingCanvas* lines = QueryCanvasInterface<ILineDrawingCanvas>(canvas))
        lines->DrawLine(float(n), 30.0f, float(n + 10), 36.0f, line);
    if (n % 3 != 1)
        if (IEllipseDrawingCanvas* ellipses = QueryCanvasInterface<IEllipseDrawingCanvas>(canvas))
            ellipses->DrawFilledCircle(42.0f, 8.0f, 4.0f, line);
    quads->DrawImage(changing, 20.0f, 20.0f, state);
}

} // namespace

// A kept canvas repaints only what changed; the window must hold, frame after
// frame, exactly the pixels that drawing the whole frame gives.
TEST_F(OpenGLFixture, AKeptFrameShowsTheSamePixelsAsAWholeRepaint)
{
    platform->SetRetainedFrames(true);
    platform->Setup(sWindowConfig{kWindowMode_Windowed, 1, kPictureWidth, kPictureHeight});
    if (!MacOSX::GLLayer::CanCopySubBuffer())
        GTEST_SKIP() << "this OpenGL driver cannot show part of the back buffer";
    OpenGLScreenCanvas whole(Rect<int>(0, 0, kPictureWidth, kPictureHeight));

    std::unique_ptr<Image> backdrop(MakeHalvesImage(16, 12, true));
    std::unique_ptr<Image> sprite(MakeHalvesImage(8, 6));
    std::unique_ptr<Image> changing(MakeHalvesImage(6, 6));
    std::unique_ptr<Image> dot(MakeDotImage());

    // Long enough for the layers under the changes to be kept as a picture, and dropped when they change.
    for (int n = 0; n < 24; ++n)
    {
        if (n == 5)
        {
            changing->SetPixel(0, 0, Color32(0xFFFFFFFFu));
            changing->GetTexture()->Refresh();
        }
        ASSERT_EQ(0, platform->BeginScene());
        ASSERT_NO_FATAL_FAILURE(DrawScene(platform->GetScreenCanvas(), n, backdrop.get(), sprite.get(), changing.get(), dot.get()));
        ASSERT_EQ(0, platform->EndScene());
        std::vector<unsigned char> const kept = ReadWindow();

        whole.BeginFrame();
        ASSERT_NO_FATAL_FAILURE(DrawScene(&whole, n, backdrop.get(), sprite.get(), changing.get(), dot.get()));
        std::vector<unsigned char> const repainted = ReadWindow();
        ASSERT_EQ(repainted, kept) << "frame " << n;
    }
}

// Reference drawing draws a kept canvas's frame at once and whole; the kept
// frame after it cannot build on what the back buffer held and is drawn whole.
TEST_F(OpenGLFixture, AReferenceFrameIsDrawnAtOnceAndTheNextKeptFrameWhole)
{
    platform->SetRetainedFrames(true);
    platform->Setup(sWindowConfig{kWindowMode_Windowed, 1, kPictureWidth, kPictureHeight});
    if (!MacOSX::GLLayer::CanCopySubBuffer())
        GTEST_SKIP() << "this OpenGL driver cannot show part of the back buffer";
    OpenGLScreenCanvas whole(Rect<int>(0, 0, kPictureWidth, kPictureHeight));
    std::unique_ptr<Image> backdrop(MakeHalvesImage(16, 12, true));
    std::unique_ptr<Image> sprite(MakeHalvesImage(8, 6));
    std::unique_ptr<Image> changing(MakeHalvesImage(6, 6));
    std::unique_ptr<Image> dot(MakeDotImage());
    auto const drawWhole = [&](int n) {
        whole.BeginFrame();
        DrawScene(&whole, n, backdrop.get(), sprite.get(), changing.get(), dot.get());
        return ReadWindow();
    };

    ASSERT_EQ(0, platform->BeginScene());
    ASSERT_NO_FATAL_FAILURE(DrawScene(platform->GetScreenCanvas(), 0, backdrop.get(), sprite.get(), changing.get(), dot.get()));
    ASSERT_EQ(0, platform->EndScene());

    std::vector<unsigned char> drawnAtOnce;
    {
        ScopedReferenceDrawing const plainly;
        ASSERT_EQ(0, platform->BeginScene());
        ASSERT_NO_FATAL_FAILURE(
            DrawScene(platform->GetScreenCanvas(), 7, backdrop.get(), sprite.get(), changing.get(), dot.get()));
        drawnAtOnce = ReadWindow();
        ASSERT_EQ(0, platform->EndScene());
    }
    EXPECT_FALSE(IsReferenceDrawing());
    EXPECT_EQ(drawWhole(7), drawnAtOnce);

    // The same frame as the last kept one: only a whole repaint shows it again.
    ASSERT_EQ(0, platform->BeginScene());
    ASSERT_NO_FATAL_FAILURE(DrawScene(platform->GetScreenCanvas(), 0, backdrop.get(), sprite.get(), changing.get(), dot.get()));
    ASSERT_EQ(0, platform->EndScene());
    std::vector<unsigned char> const kept = ReadWindow();
    EXPECT_EQ(drawWhole(0), kept);
}

TEST(OpenGLFrameTest, OnlyTheBatchesThatDifferCountAndTouchingPartsMerge)
{
    OpenGLFrame shown;
    OpenGLFrame next;
    for (OpenGLFrame* frame : {&shown, &next})
    {
        frame->Begin(GL_TRIANGLE_STRIP, 0, 0);
        frame->Vertex(0.0f, 0.0f);
        frame->Vertex(100.0f, 100.0f);
        frame->End();
    }
    EXPECT_TRUE(next.Difference(shown, 4).empty());

    // A sprite moves by a few units: its old and new places touch and become one part.
    shown.Begin(GL_TRIANGLE_STRIP, 0, 0);
    shown.Vertex(10.0f, 10.0f);
    shown.Vertex(20.0f, 20.0f);
    shown.End();
    next.Begin(GL_TRIANGLE_STRIP, 0, 0);
    next.Vertex(15.0f, 10.0f);
    next.Vertex(25.0f, 20.0f);
    next.End();
    // A batch only the new frame has, far away.
    next.Begin(GL_LINES, 0, 0);
    next.Vertex(80.0f, 80.0f);
    next.Vertex(90.0f, 85.0f);
    next.End();

    std::vector<Rect<float>> const parts = next.Difference(shown, 4);
    ASSERT_EQ(2u, parts.size());
    EXPECT_FLOAT_EQ(10.0f, parts[0].x);
    EXPECT_FLOAT_EQ(15.0f, parts[0].width);
    EXPECT_FLOAT_EQ(80.0f, parts[1].x);
    EXPECT_EQ(1u, next.Difference(shown, 1).size());

    // The same vertices over another upload of the texture are a change.
    OpenGLFrame a;
    OpenGLFrame b;
    a.Begin(GL_TRIANGLE_STRIP, 7, 1);
    b.Begin(GL_TRIANGLE_STRIP, 7, 2);
    a.Vertex(1.0f, 1.0f);
    b.Vertex(1.0f, 1.0f);
    EXPECT_EQ(1u, a.Difference(b, 4).size());
}

// A picture with a transparent border changes only the pixels near its ink,
// however it is turned; a quad the ink cannot narrow keeps its own bounds.
TEST(OpenGLTextureInkTest, AQuadChangesOnlyThePixelsAroundItsTexturesInk)
{
    std::unique_ptr<Image> const dot(MakeDotImage());
    // The 12 x 10 picture in a 16 x 16 texture; its ink is texels 7-9 of rows 2-3.
    sTextureInk const ink = FindTextureInk(dot->GetPixels(), 12, 10, 16, 16);
    float const u = 12.0f / 16.0f;
    float const v = 10.0f / 16.0f;
    float const uv[8] = {0.0f, 0.0f, 0.0f, v, u, 0.0f, u, v};
    Rect<float> const upright(100.0f, 50.0f, 12.0f, 10.0f);
    float const uprightXY[8] = {100.0f, 50.0f, 100.0f, 60.0f, 112.0f, 50.0f, 112.0f, 60.0f};
    // A quarter turn about the picture's centre (106, 55).
    float const turnedXY[8] = {111.0f, 49.0f, 101.0f, 49.0f, 111.0f, 61.0f, 101.0f, 61.0f};
    Rect<float> const turned(101.0f, 49.0f, 10.0f, 12.0f);
    float const skewedXY[8] = {100.0f, 50.0f, 100.0f, 60.0f, 112.0f, 50.0f, 130.0f, 70.0f};
    struct sCase
    {
        float const* xy;
        Rect<float> quad;
        // Where the visible texels land, and the expected bounds' size at most.
        float inkX0, inkY0, inkX1, inkY1;
        float mostWidth, mostHeight;
    } const cases[] = {
        {uprightXY, upright, 107.0f, 52.0f, 110.0f, 54.0f, 7.0f, 6.0f},
        {turnedXY, turned, 107.0f, 56.0f, 109.0f, 59.0f, 6.0f, 7.0f},
        {skewedXY, Rect<float>(100.0f, 50.0f, 30.0f, 20.0f), 100.0f, 50.0f, 130.0f, 70.0f, 30.0f, 20.0f},
    };
    for (sCase const& c : cases)
    {
        Rect<float> const bounds = InkBoundsOfQuad(ink, c.xy, uv, c.quad);
        SCOPED_TRACE(c.quad.x);
        EXPECT_LE(bounds.x, c.inkX0);
        EXPECT_LE(bounds.y, c.inkY0);
        EXPECT_GE(bounds.x + bounds.width, c.inkX1);
        EXPECT_GE(bounds.y + bounds.height, c.inkY1);
        EXPECT_LE(bounds.width, c.mostWidth);
        EXPECT_LE(bounds.height, c.mostHeight);
    }
}
