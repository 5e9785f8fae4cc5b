#include "2DEngine/Tests/Support/QuietPlatform.h"
#include "2DEngine/Tests/Platform/OpenGLTestSupport.h"

#include <string>
#include <vector>

#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/ReferenceDrawing.h"

using namespace OpenGLTesting;
using MacOSX::GLLayer::sDisplayMode;
using MacOSX::OpenGLGraphicsPlatform;

namespace
{
    // An application platform whose render and clip rectangles the test sets.
    class RectPlatform : public Testing::QuietPlatform
    {
    public:
        sPlatformRect GetRenderRect() const override { return render; }
        sPlatformRect GetRenderClipRect() const override { return clip; }

        sPlatformRect render = {0, 0, kHeight, kWidth};
        sPlatformRect clip = {0, 0, kHeight, kWidth};
    };

    std::vector<sDisplayMode> Modes(std::initializer_list<sDisplayMode> modes)
    {
        return std::vector<sDisplayMode>(modes);
    }

    class OpenGLPlatformTest : public OpenGLFixture
    {
    };
}

// ---- Display modes, pixel formats and errors (no display needed) ------------------------------

TEST(OpenGLPlatformModesTest, ExactSizeIsTakenAtTheDeepestDepth)
{
    std::vector<sDisplayMode> const modes =
        Modes({{800, 600, 16, 60}, {1024, 768, 32, 60}, {800, 600, 24, 75}, {800, 600, 32, 60}, {800, 601, 32, 60}});
    sDisplayMode const chosen = OpenGLGraphicsPlatform::ChooseFullScreenMode(modes, 800, 600);
    EXPECT_EQ(32, chosen.bitsPerPixel);
    EXPECT_EQ(800, chosen.width);
    EXPECT_EQ(24, OpenGLGraphicsPlatform::ChooseFullScreenMode(
                      Modes({{800, 600, 16, 60}, {800, 600, 24, 75}}), 800, 600).bitsPerPixel);
}

TEST(OpenGLPlatformModesTest, ASizeOnlyAtSixteenBitsTakesThatMode)
{
    sDisplayMode const chosen =
        OpenGLGraphicsPlatform::ChooseFullScreenMode(Modes({{1024, 768, 32, 60}, {800, 600, 16, 72}}), 800, 600);
    EXPECT_EQ(16, chosen.bitsPerPixel);
    EXPECT_EQ(72, chosen.refreshRate);
}

TEST(OpenGLPlatformModesTest, NoExactModeFailsWithItsMessage)
{
    std::vector<sDisplayMode> const modes = Modes({{800, 600, 8, 60}, {1024, 768, 32, 60}, {801, 600, 32, 60}});
    try
    {
        OpenGLGraphicsPlatform::ChooseFullScreenMode(modes, 800, 600);
        FAIL() << "no exception";
    }
    catch (RuntimeError const& error)
    {
        EXPECT_STREQ("Could not find a display mode suitable for full screen mode.", error.what());
        EXPECT_EQ("Source/Platform/MacOSX/MacOSXOpenGLGraphicsPlatform", error.GetFile());
        EXPECT_EQ(178, error.GetLine());
    }
    EXPECT_THROW(OpenGLGraphicsPlatform::ChooseFullScreenMode({}, 800, 600), RuntimeError);
}

TEST(OpenGLPlatformModesTest, CapabilityTwoAsksForHardwareOtherwiseSoftware)
{
    using namespace MacOSX::GLLayer;
    EXPECT_EQ((std::vector<int32_t>{kAttribute_RGBA, kAttribute_DoubleBuffer, kAttribute_Accelerated,
                                    kAttribute_NoRecovery, kAttribute_None}),
              OpenGLGraphicsPlatform::GetPixelFormatAttributes(false, 2));
    EXPECT_EQ((std::vector<int32_t>{kAttribute_RGBA, kAttribute_DoubleBuffer, kAttribute_RendererID,
                                    kRendererGenericFloatID, kAttribute_None}),
              OpenGLGraphicsPlatform::GetPixelFormatAttributes(false, 0));
    EXPECT_EQ((std::vector<int32_t>{kAttribute_RGBA, kAttribute_FullScreen, kAttribute_DoubleBuffer,
                                    kAttribute_Accelerated, kAttribute_NoRecovery, kAttribute_None}),
              OpenGLGraphicsPlatform::GetPixelFormatAttributes(true, 3));
    EXPECT_EQ((std::vector<int32_t>{kAttribute_RGBA, kAttribute_FullScreen, kAttribute_DoubleBuffer,
                                    kAttribute_RendererID, kRendererGenericFloatID, kAttribute_None}),
              OpenGLGraphicsPlatform::GetPixelFormatAttributes(true, 1));
}

TEST(OpenGLPlatformModesTest, ContextErrorMessageCarriesTheCodeAndItsText)
{
    MacOSX::AglError const error(10003, "Could not create an OpenGL context.", "archivo", 7, "función");
    EXPECT_STREQ("Could not create an OpenGL context.\ninvalid context (OpenGL Error 10003)", error.what());
    EXPECT_EQ(10003u, error.GetCode());
    EXPECT_EQ(7, error.GetLine());
}

TEST(OpenGLPlatformModesTest, PlatformRegistersItselfAndIsNamed)
{
    ASSERT_FALSE(IsGraphicsPlatformRegistered());
    {
        std::unique_ptr<IGraphicsPlatform> platform(IGraphicsPlatform::Create(1));
        EXPECT_EQ(platform.get(), GetGraphicsPlatform());
        EXPECT_EQ(1ul, platform->GetCaps());
        EXPECT_STREQ("MacOSX::GraphicsPlatform", platform->GetName().GetString());
        EXPECT_EQ(nullptr, platform->GetScreenCanvas());
        // Nothing to draw on before set-up: the frame is skipped, not crashed into.
        EXPECT_NE(0, platform->BeginScene());
        EXPECT_EQ(0, platform->EndScene());
        sWindowConfig config = {kWindowMode_FullScreen, 2, 640, 480};
        platform->GetSupportedWindowConfig(&config);
        EXPECT_EQ(640, config.width);
        EXPECT_EQ(2u, config.aspectLock);
    }
    EXPECT_FALSE(IsGraphicsPlatformRegistered());
}

// ---- Set-up and clean-up on a window ----------------------------------------------------------

TEST_F(OpenGLPlatformTest, SetupMakesTheScreenCanvasAndCleanupRemovesIt)
{
    EXPECT_EQ(nullptr, platform->GetScreenCanvas());
    platform->Setup(Windowed());
    Graphics::ICanvas* const canvas = platform->GetScreenCanvas();
    ASSERT_NE(nullptr, canvas);
    EXPECT_EQ(Rect<int>(0, 0, kWidth, kHeight), canvas->GetBounds());
    EXPECT_TRUE(platform->HasContext());
    platform->Cleanup();
    EXPECT_EQ(nullptr, platform->GetScreenCanvas());
    EXPECT_FALSE(platform->HasContext());
    // The screen proxy follows: nothing can be drawn now.
    EXPECT_EQ(Graphics::kMissingInterface, Graphics::DrawFilledRect(Rect<int>(0, 0, 4, 4)));
}

TEST_F(OpenGLPlatformTest, FixedStateBlendsByAlphaAndClearsToTransparentBlack)
{
    Begin();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    // Drawing in one plane needs no depth test; the plain drawing keeps it.
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    {
        Graphics::ScopedReferenceDrawing const plainly;
        EXPECT_EQ(0, platform->EndScene());
        ASSERT_EQ(0, platform->BeginScene());
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    }
    GLint source = 0;
    GLint destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(GL_SRC_ALPHA, source);
    EXPECT_EQ(GL_ONE_MINUS_SRC_ALPHA, destination);
    sRGBA const cleared = ReadPixel(kWidth / 2, kHeight / 2);
    EXPECT_EQ(0, cleared.r + cleared.g + cleared.b);
    EXPECT_EQ(0, platform->EndScene());
}

TEST_F(OpenGLPlatformTest, ClipRectangleOfThePlatformCutsDrawing)
{
    RectPlatform windowPlatform;
    windowPlatform.clip = sPlatformRect{0, 0, kHeight, kWidth / 2};
    Begin();
    Graphics::sDrawState state = Graphics::sDrawState::GetDefaults();
    state.color = ColorF(1, 1, 1, 1);
    Graphics::DrawFilledRect(Rect<int>(0, 0, kWidth, kHeight), state);
    EXPECT_RGB(255, 255, 255, ReadPixel(10, 20));
    EXPECT_RGB(0, 0, 0, ReadPixel(kWidth - 10, 20));
}

// What the buffer held before the frame (the last frame, or nothing defined
// after a resize) must not stay in the bars beside a clipped picture.
TEST_F(OpenGLPlatformTest, FrameClearsOutsideTheClipAndKeepsTheClip)
{
    RectPlatform windowPlatform;
    windowPlatform.clip = sPlatformRect{0, 0, kHeight, kWidth / 2};
    platform->Setup(Windowed());
    glDisable(GL_SCISSOR_TEST);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glEnable(GL_SCISSOR_TEST);

    ASSERT_EQ(0, platform->BeginScene());
    EXPECT_RGB(0, 0, 0, ReadPixel(kWidth - 4, kHeight / 2));
    EXPECT_RGB(0, 0, 0, ReadPixel(4, kHeight / 2));
    Graphics::sDrawState state = Graphics::sDrawState::GetDefaults();
    state.color = ColorF(1, 1, 1, 1);
    Graphics::DrawFilledRect(Rect<int>(0, 0, kWidth, kHeight), state);
    EXPECT_RGB(255, 255, 255, ReadPixel(4, kHeight / 2));
    EXPECT_RGB(0, 0, 0, ReadPixel(kWidth - 4, kHeight / 2));
}

TEST_F(OpenGLPlatformTest, RenderRectangleBecomesTheViewport)
{
    RectPlatform windowPlatform;
    // The lower-right quarter of the window (y down).
    windowPlatform.render = sPlatformRect{kHeight / 2, kWidth / 2, kHeight, kWidth};
    Begin();
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(kWidth / 2, viewport[0]);
    EXPECT_EQ(0, viewport[1]);
    EXPECT_EQ(kWidth / 2, viewport[2]);
    EXPECT_EQ(kHeight / 2, viewport[3]);
}

TEST_F(OpenGLPlatformTest, UpdateWithoutContextDoesNothing)
{
    EXPECT_NO_THROW(platform->UpdateRenderContext(Windowed()));
    EXPECT_FALSE(platform->HasContext());
}

// ---- Failures ---------------------------------------------------------------------------------

TEST_F(OpenGLPlatformTest, NoWindowMeansNoPixelFormat)
{
    MacOSX::SetRenderWindow(nullptr);
    try
    {
        platform->Setup(Windowed());
        FAIL() << "no exception";
    }
    catch (MacOSX::AglError const& error)
    {
        EXPECT_EQ(std::string("Could not choose a pixel format.\ninvalid pixel format (OpenGL Error 10002)"),
                  error.what());
        EXPECT_EQ(236, error.GetLine());
        EXPECT_EQ("virtual void MacOSX::OpenGLGraphicsPlatform::Setup(const Corvane::sWindowConfig&)",
                  error.GetFunction());
    }
    EXPECT_EQ(nullptr, platform->GetScreenCanvas());
    EXPECT_FALSE(platform->HasContext());
}

TEST_F(OpenGLPlatformTest, FullScreenWithoutAnExactModeFailsAndLeavesNoCanvas)
{
    sWindowConfig const config = {kWindowMode_FullScreen, 1, 123, 45};
    try
    {
        platform->Setup(config);
        FAIL() << "no exception";
    }
    catch (RuntimeError const& error)
    {
        EXPECT_STREQ("Could not find a display mode suitable for full screen mode.", error.what());
    }
    EXPECT_EQ(nullptr, platform->GetScreenCanvas());
    EXPECT_EQ(0u, SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN);
}

TEST_F(OpenGLPlatformTest, FullScreenAtTheDisplaysSizeTakesAndGivesBackTheDisplay)
{
    SDL_DisplayMode desktop;
    ASSERT_EQ(0, SDL_GetDesktopDisplayMode(0, &desktop));
    sWindowConfig const config = {kWindowMode_FullScreen, 1, desktop.w, desktop.h};
    platform->Setup(config);
    ASSERT_NE(nullptr, platform->GetScreenCanvas());
    EXPECT_NE(0u, SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(desktop.w, viewport[2]);
    EXPECT_EQ(desktop.h, viewport[3]);
    platform->Cleanup();
    EXPECT_EQ(0u, SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN);
}

// A window that already covers the desktop is taken as it is, whatever the
// picture's size: no display mode of that size is needed, and the picture is
// placed where the platform's render rectangle says.
TEST_F(OpenGLPlatformTest, FullScreenOnTheDesktopWindowNeedsNoExactMode)
{
    SDL_DestroyWindow(window);
    window = SDL_CreateWindow("Pantalla completa", 0, 0, kWidth, kHeight,
                              SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_FULLSCREEN_DESKTOP);
    ASSERT_NE(nullptr, window) << SDL_GetError();
    MacOSX::SetRenderWindow(window);
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);

    RectPlatform windowPlatform;
    // A picture with bars left and right of it (y down).
    windowPlatform.render = sPlatformRect{0, width / 4, height, width - width / 4};
    sWindowConfig const config = {kWindowMode_FullScreen, 1, 123, 45};
    ASSERT_NO_THROW(platform->Setup(config));
    ASSERT_NE(nullptr, platform->GetScreenCanvas());
    EXPECT_EQ(Rect<int>(0, 0, 123, 45), platform->GetScreenCanvas()->GetBounds());
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(width / 4, viewport[0]);
    EXPECT_EQ(0, viewport[1]);
    EXPECT_EQ(width - 2 * (width / 4), viewport[2]);
    EXPECT_EQ(height, viewport[3]);

    // The window stays the desktop's: giving the display back leaves it so.
    platform->Cleanup();
    EXPECT_EQ(Uint32(SDL_WINDOW_FULLSCREEN_DESKTOP), SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP);
}

TEST_F(OpenGLPlatformTest, DestroyingWithoutCleanupReleasesTheContext)
{
    platform->Setup(Windowed());
    platform.reset();
    EXPECT_EQ(nullptr, SDL_GL_GetCurrentContext());
    EXPECT_FALSE(IsGraphicsPlatformRegistered());
}
