#ifndef CORVANE_EXTENSIONS_TESTS_DISPLAYTESTSUPPORT_H
#define CORVANE_EXTENSIONS_TESTS_DISPLAYTESTSUPPORT_H

// What the scene tests that draw on the OpenGL screen share: a hidden window with
// the software renderer, the black clear, pixels read back from the top-left corner
// and compared within a small tolerance, and the fixture of the widget screens.

#include "CorvaneExtensions/Tests/Scene/ControlTestSupport.h"

#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>

#include <gtest/gtest.h>

#include <memory>

namespace DisplayTesting
{

struct sRGB
{
    int r;
    int g;
    int b;
};

// For SetUpTestSuite: the software renderer, and video when a display is there.
inline void StartVideo()
{
    MacOSX::RequestSoftwareRenderer();
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        SDL_InitSubSystem(SDL_INIT_VIDEO);
}

inline bool HasVideo()
{
    return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

// The OpenGL screen on a hidden window, made the render window while open.
class TestScreen
{
public:
    TestScreen() = default;
    ~TestScreen() { Close(); }
    TestScreen(TestScreen const&) = delete;
    TestScreen& operator=(TestScreen const&) = delete;

    // Call through ASSERT_NO_FATAL_FAILURE: a window or scene that cannot be made fails the test.
    void Open(char const* title, int width, int height)
    {
        mHeight = height;
        mWindow = SDL_CreateWindow(title, 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(nullptr, mWindow) << SDL_GetError();
        MacOSX::SetRenderWindow(mWindow);
        mGraphics.reset(new MacOSX::OpenGLGraphicsPlatform(Corvane::kGraphicsPlatformCaps_Hardware));
        mGraphics->Setup(Corvane::sWindowConfig{Corvane::kWindowMode_Windowed, 1, width, height});
        ASSERT_EQ(0, mGraphics->BeginScene());
    }

    void Close()
    {
        mGraphics.reset();
        MacOSX::SetRenderWindow(nullptr);
        if (mWindow)
            SDL_DestroyWindow(mWindow);
        mWindow = nullptr;
    }

    static void ClearToBlack()
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    // The back buffer's pixel, with y counted down from the top as the scene counts it.
    sRGB ReadPixel(int x, int y) const
    {
        unsigned char rgba[4] = {0, 0, 0, 0};
        glReadPixels(x, mHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return sRGB{rgba[0], rgba[1], rgba[2]};
    }

private:
    SDL_Window* mWindow = nullptr;
    std::unique_ptr<MacOSX::OpenGLGraphicsPlatform> mGraphics;
    int mHeight = 0;
};

// A screen of widget nodes: each test's SetUp opens the display and instantiates
// its layout as screen; this closes them again.
class ControlScreenFixture : public ControlTesting::ControlFixture
{
protected:
    static void SetUpTestSuite() { StartVideo(); }

    void TearDown() override
    {
        scene.reset();
        display.Close();
        ControlTesting::ControlFixture::TearDown();
    }

    template <class T>
    T* Find(wchar_t const* nodeName)
    {
        return dynamic_cast<T*>(screen->GetChildByName(Corvane::Label::FromString(std::wstring(nodeName))));
    }

    // One frame: the mode's update, then the scene drawn on a black screen.
    void Redraw()
    {
        Frame();
        TestScreen::ClearToBlack();
        scene->mode->Draw();
    }

    sRGB ReadPixel(int x, int y) const { return display.ReadPixel(x, y); }

    TestScreen display;
    SceneNode* screen = nullptr;
};

} // namespace DisplayTesting

#define EXPECT_RGB(r_, g_, b_, pixel_)                                                                               \
    do                                                                                                               \
    {                                                                                                                \
        ::DisplayTesting::sRGB const p_ = (pixel_);                                                                  \
        EXPECT_NEAR((r_), p_.r, 3) << "red";                                                                         \
        EXPECT_NEAR((g_), p_.g, 3) << "green";                                                                       \
        EXPECT_NEAR((b_), p_.b, 3) << "blue";                                                                        \
    } while (false)

#endif
