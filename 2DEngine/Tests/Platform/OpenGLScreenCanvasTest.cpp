#include "2DEngine/Tests/Platform/OpenGLTestSupport.h"

#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLScreenCanvas.h"

using namespace OpenGLTesting;
using namespace Corvane::Graphics;

namespace
{
    class OpenGLScreenCanvasTest : public OpenGLFixture
    {
    protected:
        void SetUp() override
        {
            OpenGLFixture::SetUp();
            if (IsSkipped() || HasFatalFailure())
                return;
            Begin();
            state = sDrawState::GetDefaults();
            image.reset(MakeHalvesImage(8, 8));
        }

        sDrawState state;
        std::unique_ptr<Image> image;
    };
}

// ---- Normal case ------------------------------------------------------------------------------

TEST_F(OpenGLScreenCanvasTest, OffersEverythingButPixels)
{
    ICanvas* const canvas = platform->GetScreenCanvas();
    EXPECT_STREQ("OpenGLScreenCanvas", canvas->GetKind().GetString());
    EXPECT_NE(nullptr, QueryCanvasInterface<IQuadDrawingCanvas>(canvas));
    EXPECT_NE(nullptr, QueryCanvasInterface<IEllipseDrawingCanvas>(canvas));
    EXPECT_NE(nullptr, QueryCanvasInterface<ILineDrawingCanvas>(canvas));
    EXPECT_NE(nullptr, QueryCanvasInterface<IScreen>(canvas));
    EXPECT_EQ(canvas, QueryCanvasInterface<ICanvas>(canvas));
    EXPECT_EQ(nullptr, QueryCanvasInterface<IPixelSettingCanvas>(canvas));
    EXPECT_EQ(nullptr, QueryCanvasInterface<ITextDrawingCanvas>(canvas));
}

TEST_F(OpenGLScreenCanvasTest, FilledRectangleCoversItsInterior)
{
    state.color = ColorF(1, 0, 0, 1);
    EXPECT_EQ(kDrawn, DrawFilledRect(Rect<int>(10, 10, 20, 10), state));
    EXPECT_RGB(255, 0, 0, ReadPixel(15, 15));
    EXPECT_RGB(255, 0, 0, ReadPixel(29, 19));
    EXPECT_RGB(0, 0, 0, ReadPixel(5, 5));
    EXPECT_RGB(0, 0, 0, ReadPixel(31, 15));
    EXPECT_RGB(0, 0, 0, ReadPixel(15, 21));
}

TEST_F(OpenGLScreenCanvasTest, ImageDrawsItsPixelsInPlace)
{
    EXPECT_EQ(kDrawn, DrawImage(image.get(), 10, 10, state));
    EXPECT_RGB(255, 0, 0, ReadPixel(11, 12));
    EXPECT_RGB(0, 0, 255, ReadPixel(16, 12));
    EXPECT_RGB(0, 0, 0, ReadPixel(19, 12));
}

TEST_F(OpenGLScreenCanvasTest, TintAndFlipChangeTheImage)
{
    state.tint = ColorF(0.5f, 1, 1, 1);
    state.flags |= DRAW_FLAG_FLIP_H;
    DrawImage(image.get(), 10, 10, state);
    // Mirrored: blue on the left, red (halved by the tint) on the right.
    EXPECT_RGB(0, 0, 255, ReadPixel(11, 12));
    EXPECT_RGB(128, 0, 0, ReadPixel(16, 12));
}

TEST_F(OpenGLScreenCanvasTest, BothFlipsMirrorBothAxes)
{
    std::unique_ptr<Image> quarters(MakeHalvesImage(8, 8, true));
    state.flags |= DRAW_FLAG_FLIP_H | DRAW_FLAG_FLIP_V;
    DrawImage(quarters.get(), 10, 10, state);
    // Top row now shows the green bottom; bottom row the top, mirrored: blue at left.
    EXPECT_RGB(0, 255, 0, ReadPixel(11, 11));
    EXPECT_RGB(0, 0, 255, ReadPixel(11, 16));
    EXPECT_RGB(255, 0, 0, ReadPixel(16, 16));
}

TEST_F(OpenGLScreenCanvasTest, ClipOverTheLeftHalfShowsTheLeftHalf)
{
    state.clip = Rect<int>(10, 10, 4, 8);
    EXPECT_EQ(kDrawn, DrawImage(image.get(), 10, 10, state));
    EXPECT_RGB(255, 0, 0, ReadPixel(11, 12));
    EXPECT_RGB(255, 0, 0, ReadPixel(13, 17));
    EXPECT_RGB(0, 0, 0, ReadPixel(16, 12));
}

TEST_F(OpenGLScreenCanvasTest, ClippedMirroredImageShowsWhatTheUnclippedOneShowsThere)
{
    state.clip = Rect<int>(10, 10, 4, 8);
    state.flags |= DRAW_FLAG_FLIP_H;
    DrawImage(image.get(), 10, 10, state);
    EXPECT_RGB(0, 0, 255, ReadPixel(11, 12));
    EXPECT_RGB(0, 0, 0, ReadPixel(16, 12));
}

TEST_F(OpenGLScreenCanvasTest, SourceRectDrawsThatPartOnly)
{
    DrawStateNPI part(state);
    part.SourceRect(4, 0, 4, 8);
    DrawImage(image.get(), 10, 10, part);
    EXPECT_RGB(0, 0, 255, ReadPixel(11, 12));
    EXPECT_RGB(0, 0, 0, ReadPixel(15, 12));
}

TEST_F(OpenGLScreenCanvasTest, StretchedAndRotatedImagesLandWhereAsked)
{
    DrawStretchedImage(image.get(), Rect<int>(0, 0, 32, 16), state);
    EXPECT_RGB(255, 0, 0, ReadPixel(4, 8));
    EXPECT_RGB(0, 0, 255, ReadPixel(28, 8));
    // Top-left anchored, half a turn keeps that corner at (48, 32): the image
    // now covers (40, 24)-(48, 32), blue on the left.
    DrawRotatedImage(image.get(), 48, 32, Angle::FromDegrees(180.0f), state);
    EXPECT_RGB(0, 0, 255, ReadPixel(41, 28));
    EXPECT_RGB(255, 0, 0, ReadPixel(46, 28));
    EXPECT_RGB(0, 0, 0, ReadPixel(50, 34));
    // Angle 0 takes the plain path, centred on the point.
    state.hAlign = kHAlignment_Center;
    state.vAlign = kVAlignment_Middle;
    DrawRotatedImage(image.get(), 48, 10, Angle(), state);
    EXPECT_RGB(255, 0, 0, ReadPixel(45, 10));
    EXPECT_RGB(0, 0, 255, ReadPixel(50, 10));
}

TEST_F(OpenGLScreenCanvasTest, LineIsDrawnInTheColour)
{
    state.color = ColorF(0, 1, 0, 1);
    EXPECT_EQ(kDrawn, DrawLine(2.0f, 20.5f, 60.0f, 20.5f, state));
    EXPECT_RGB(0, 255, 0, ReadPixel(30, 20));
    EXPECT_RGB(0, 0, 0, ReadPixel(30, 23));
    EXPECT_RGB(0, 0, 0, ReadPixel(30, 17));
}

TEST_F(OpenGLScreenCanvasTest, EllipseFillsItsInteriorOnly)
{
    state.color = ColorF(1, 1, 0, 1);
    EXPECT_EQ(kDrawn, DrawFilledEllipse(Rect<float>(10, 10, 40, 20), state));
    EXPECT_RGB(255, 255, 0, ReadPixel(30, 20));
    EXPECT_RGB(255, 255, 0, ReadPixel(47, 20));
    EXPECT_RGB(255, 255, 0, ReadPixel(30, 12));
    // Corners of the box lie outside the ellipse.
    EXPECT_RGB(0, 0, 0, ReadPixel(12, 12));
    EXPECT_RGB(0, 0, 0, ReadPixel(48, 28));
}

TEST_F(OpenGLScreenCanvasTest, NearlySquareEllipseIsACircleOfHalfTheWidth)
{
    state.color = ColorF(1, 1, 1, 1);
    // 20.5 x 20: a circle of radius 10.25 around (20.25, 20.25).
    DrawFilledEllipse(Rect<float>(10, 10, 20.5f, 20), state);
    EXPECT_RGB(255, 255, 255, ReadPixel(20, 29));
    EXPECT_RGB(0, 0, 0, ReadPixel(12, 12));
    IEllipseDrawingCanvas* const ellipses = QueryCanvasInterface<IEllipseDrawingCanvas>(GetCanvas());
    ASSERT_NE(nullptr, ellipses);
    EXPECT_EQ(kDrawn, ellipses->DrawLineCircle(40, 30, 5, state));
    EXPECT_EQ(kDrawn, ellipses->DrawFilledCircle(40, 30, 1, state));
}

TEST_F(OpenGLScreenCanvasTest, TextureCoordinatesOfPrimitivesScaleToTheImage)
{
    sPrimitiveVertex const strip[4] = {{10, 10, 1, 1, 1, 1, 0, 0},
                                       {10, 30, 1, 1, 1, 1, 0, 1},
                                       {30, 10, 1, 1, 1, 1, 1, 0},
                                       {30, 30, 1, 1, 1, 1, 1, 1}};
    IQuadDrawingCanvas* const quads = QueryCanvasInterface<IQuadDrawingCanvas>(GetCanvas());
    ASSERT_NE(nullptr, quads);
    EXPECT_EQ(kDrawn, quads->DrawPrimitive(kPrimitive_TriangleStrip, image.get(), 4, strip, state));
    EXPECT_RGB(255, 0, 0, ReadPixel(12, 20));
    EXPECT_RGB(0, 0, 255, ReadPixel(28, 20));
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST_F(OpenGLScreenCanvasTest, NearlyTransparentTintDrawsNothing)
{
    state.tint.a = 0.001f;
    EXPECT_EQ(kNothingToDraw, DrawImage(image.get(), 10, 10, state));
    EXPECT_RGB(0, 0, 0, ReadPixel(11, 12));
    state.tint.a = 0.002f;
    EXPECT_EQ(kDrawn, DrawImage(image.get(), 10, 10, state));
    state.color.a = 0.0005f;
    EXPECT_EQ(kNothingToDraw, DrawLine(0, 0, 10, 10, state));
    EXPECT_EQ(kNothingToDraw, DrawFilledEllipse(Rect<float>(0, 0, 10, 12), state));
    EXPECT_EQ(kNothingToDraw, DrawFilledRect(Rect<int>(0, 0, 10, 10), state));
}

TEST_F(OpenGLScreenCanvasTest, ClipMissingOneOrBothAxes)
{
    state.clip = Rect<int>(40, 40, 5, 5);
    EXPECT_EQ(kNothingToDraw, DrawImage(image.get(), 10, 10, state));
    // Overlaps horizontally only: a quad of no height, drawn but invisible.
    state.clip = Rect<int>(12, 40, 5, 5);
    EXPECT_EQ(kDrawn, DrawImage(image.get(), 10, 10, state));
    EXPECT_RGB(0, 0, 0, ReadPixel(13, 12));
}

TEST_F(OpenGLScreenCanvasTest, NoImageOrNoPixelsDrawNothing)
{
    IQuadDrawingCanvas* const quads = QueryCanvasInterface<IQuadDrawingCanvas>(GetCanvas());
    ASSERT_NE(nullptr, quads);
    Image empty;
    EXPECT_EQ(kNothingToDraw, quads->DrawImage(nullptr, 0, 0, state));
    EXPECT_EQ(kNothingToDraw, quads->DrawStretchedImage(nullptr, Rect<int>(0, 0, 4, 4), state));
    EXPECT_EQ(kNothingToDraw, quads->DrawRotatedImage(nullptr, 0, 0, Angle(1.0f), state));
    EXPECT_EQ(kNothingToDraw, quads->DrawStretchedRotatedImage(nullptr, Rect<int>(0, 0, 4, 4), Angle(), state));
    EXPECT_EQ(kNothingToDraw, quads->DrawImage(&empty, 0, 0, state));
    EXPECT_EQ(kNothingToDraw, quads->DrawStretchedImage(&empty, Rect<int>(0, 0, 4, 4), state));
    EXPECT_EQ(kNothingToDraw, quads->DrawRotatedImage(&empty, 5, 5, Angle(1.0f), state));
    EXPECT_EQ(kNothingToDraw, quads->DrawPrimitive(kPrimitive_TriangleFan, nullptr, 3, nullptr, state));
    EXPECT_EQ(kNothingToDraw, quads->DrawPrimitive(PrimitiveKind(9), nullptr, 0, nullptr, state));
    EXPECT_EQ(kNothingToDraw, DrawFilledEllipse(Rect<float>(0, 0, std::nanf(""), 3), state));
}
