#ifndef CORVANE_TESTS_PLATFORM_OPENGLTESTSUPPORT_H
#define CORVANE_TESTS_PLATFORM_OPENGLTESTSUPPORT_H

// A window with the OpenGL platform set up on it, and pixel read-back. The
// tests draw into the back buffer and read it before any swap.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>

#include "2DEngine/Source/Graphics/Image.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLContextLayer.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLPlatform.h"

namespace OpenGLTesting
{
    using namespace Corvane;

    constexpr int kWidth = 64;
    constexpr int kHeight = 48;

    struct sRGBA
    {
        int r;
        int g;
        int b;
        int a;
    };

    // An opaque image whose left half is red and right half blue, top to bottom,
    // except its bottom rows, which are green when greenBottom is set.
    inline Image* MakeHalvesImage(int width, int height, bool greenBottom = false)
    {
        Image* image = new Image(width, height);
        for (int y = 0; y < height; ++y)
        {
            for (int x = 0; x < width; ++x)
            {
                Color32 color = x < width / 2 ? Color32(0xFFFF0000u) : Color32(0xFF0000FFu);
                if (greenBottom && y >= height / 2)
                    color = Color32(0xFF00FF00u);
                image->SetPixel(x, y, color);
            }
        }
        return image;
    }

    // Every pixel of the window, RGBA, rows from the bottom.
    inline std::vector<unsigned char> ReadWindow()
    {
        std::vector<unsigned char> rgba(size_t(kWidth) * kHeight * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    }

    class OpenGLFixture : public ::testing::Test
    {
    protected:
        // The video subsystem stays up for the whole run: shutting it down
        // unloads the GL driver, which leak checkers then misreport.
        static void SetUpTestSuite()
        {
            MacOSX::RequestSoftwareRenderer();
            if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
                SDL_InitSubSystem(SDL_INIT_VIDEO);
        }

        void SetUp() override
        {
            if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
                GTEST_SKIP() << "no display: " << SDL_GetError();
            window = SDL_CreateWindow("Prueba", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
            ASSERT_NE(nullptr, window) << SDL_GetError();
            MacOSX::SetRenderWindow(window);
            platform.reset(new MacOSX::OpenGLGraphicsPlatform(kGraphicsPlatformCaps_Hardware));
        }

        void TearDown() override
        {
            platform.reset();
            MacOSX::SetRenderWindow(nullptr);
            if (window)
                SDL_DestroyWindow(window);
            window = nullptr;
        }

        static sWindowConfig Windowed() { return sWindowConfig{kWindowMode_Windowed, 1, kWidth, kHeight}; }

        // Sets the platform up and begins a frame.
        void Begin()
        {
            platform->Setup(Windowed());
            ASSERT_EQ(0, platform->BeginScene());
        }

        // The pixel at (x, y), y down from the top of the window.
        static sRGBA ReadPixel(int x, int y)
        {
            unsigned char rgba[4] = {0, 0, 0, 0};
            glReadPixels(x, kHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
            return sRGBA{rgba[0], rgba[1], rgba[2], rgba[3]};
        }

        // The whole window (of that size), RGBA rows from the bottom.
        static std::vector<unsigned char> ReadWindow(int width = kWidth, int height = kHeight)
        {
            std::vector<unsigned char> rgba(size_t(width) * size_t(height) * 4);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
            return rgba;
        }

        SDL_Window* window = nullptr;
        std::unique_ptr<MacOSX::OpenGLGraphicsPlatform> platform;
    };

#define EXPECT_RGB(expectedR, expectedG, expectedB, pixel)                                                         \
    do                                                                                                               \
    {                                                                                                                \
        ::OpenGLTesting::sRGBA const p_ = (pixel);                                                                   \
        EXPECT_NEAR((expectedR), p_.r, 2) << "red";                                                                  \
        EXPECT_NEAR((expectedG), p_.g, 2) << "green";                                                                \
        EXPECT_NEAR((expectedB), p_.b, 2) << "blue";                                                                 \
    } while (false)
}

#endif
