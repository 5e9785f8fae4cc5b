#include "2DEngine/Tests/Platform/OpenGLTestSupport.h"

#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLScreenCanvas.h"
#include "2DEngine/Source/Platform/MacOSX/OpenGLTexture.h"

using namespace OpenGLTesting;
using namespace Corvane::Graphics;

namespace
{
    class OpenGLTextureTest : public OpenGLFixture
    {
    };

    OpenGLTexture* TextureOf(Image const& image)
    {
        return dynamic_cast<OpenGLTexture*>(image.GetTexture());
    }
}

// ---- Normal case ------------------------------------------------------------------------------

TEST_F(OpenGLTextureTest, FirstDrawCreatesAPowerOfTwoTextureHeldByTheImage)
{
    Begin();
    Image image(100, 30);
    EXPECT_EQ(nullptr, image.GetTexture());
    DrawImage(&image, 0, 0);
    OpenGLTexture* const texture = TextureOf(image);
    ASSERT_NE(nullptr, texture);
    EXPECT_EQ(&image, texture->GetImage());
    EXPECT_EQ(128, texture->GetDescriptor().textureWidth);
    EXPECT_EQ(32, texture->GetDescriptor().textureHeight);
    EXPECT_FLOAT_EQ(0.78125f, texture->GetDescriptor().maxU);
    EXPECT_TRUE(texture->HasTextureName());
    // Only the image holds it.
    EXPECT_EQ(1, texture->GetReferenceCount());
    GLint width = 0;
    glBindTexture(GL_TEXTURE_2D, texture->GetTextureID());
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(128, width);
}

TEST_F(OpenGLTextureTest, TextureIsReleasedWhenItsImageIsDestroyed)
{
    Begin();
    size_t const before = OpenGLTexture::GetAllTextures().size();
    {
        Image image(16, 16);
        DrawImage(&image, 0, 0);
        EXPECT_EQ(before + 1, OpenGLTexture::GetAllTextures().size());
    }
    EXPECT_EQ(before, OpenGLTexture::GetAllTextures().size());
}

TEST_F(OpenGLTextureTest, ChangedPixelsAreUploadedAtTheNextDraw)
{
    Begin();
    std::unique_ptr<Image> image(MakeHalvesImage(8, 8));
    DrawImage(image.get(), 10, 10);
    EXPECT_RGB(255, 0, 0, ReadPixel(11, 12));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            image->SetPixel(x, y, Color32(0xFF00FF00u));
    ASSERT_EQ(0, platform->BeginScene());
    DrawImage(image.get(), 10, 10);
    EXPECT_RGB(0, 255, 0, ReadPixel(11, 12));
}

TEST_F(OpenGLTextureTest, TextureUploadsAgainAfterThePlatformIsRebuilt)
{
    Begin();
    std::unique_ptr<Image> image(MakeHalvesImage(8, 8));
    DrawImage(image.get(), 10, 10);
    OpenGLTexture* const texture = TextureOf(*image);
    ASSERT_NE(nullptr, texture);
    platform->EndScene();

    platform->Cleanup();
    // The texture object survives without its GL name.
    EXPECT_EQ(1u, OpenGLTexture::GetAllTextures().count(texture));
    EXPECT_FALSE(texture->HasTextureName());
    EXPECT_TRUE(texture->IsDirty());

    platform.reset();
    platform.reset(new MacOSX::OpenGLGraphicsPlatform(kGraphicsPlatformCaps_Hardware));
    Begin();
    DrawImage(image.get(), 10, 10);
    EXPECT_EQ(texture, TextureOf(*image));
    EXPECT_TRUE(texture->HasTextureName());
    EXPECT_RGB(255, 0, 0, ReadPixel(11, 12));
    EXPECT_RGB(0, 0, 255, ReadPixel(16, 12));
}

TEST_F(OpenGLTextureTest, ImageRefilledAtAnotherSizeIsReallocated)
{
    Begin();
    Image image;
    Color32* small = new Color32[4];
    std::fill(small, small + 4, Color32(0xFFFF0000u));
    image.Init(small, 2, 2, false, false);
    DrawStretchedImage(&image, Rect<int>(0, 0, 8, 8));
    ASSERT_NE(nullptr, TextureOf(image));

    Color32* large = new Color32[40 * 20];
    std::fill(large, large + 40 * 20, Color32(0xFF0000FFu));
    image.Init(large, 40, 20, false, false);
    ASSERT_EQ(0, platform->BeginScene());
    DrawImage(&image, 10, 10);
    EXPECT_EQ(64, TextureOf(image)->GetDescriptor().textureWidth);
    EXPECT_RGB(0, 0, 255, ReadPixel(45, 25));
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST_F(OpenGLTextureTest, ImagesThatAreNotPixelImagesDrawUntextured)
{
    class PlainImage : public IImage
    {
    public:
        int GetWidth() const override { return 8; }
        int GetHeight() const override { return 8; }
        Color32 GetPixel(int, int) const override { return Color32(0xFF00FF00u); }
        void SetTexture(ITexture*) const override {}
        ITexture* GetTexture() const override { return nullptr; }
    } plain;
    Begin();
    EXPECT_EQ(nullptr, OpenGLScreenCanvas::GetTextureOfImage(&plain));
    EXPECT_EQ(nullptr, OpenGLScreenCanvas::GetTextureOfImage(nullptr));
    sDrawState state = sDrawState::GetDefaults();
    state.tint = ColorF(1, 0, 1, 1);
    EXPECT_EQ(kDrawn, DrawImage(&plain, 10, 10, state));
    // A flat quad in the tint.
    EXPECT_RGB(255, 0, 255, ReadPixel(12, 12));
}

TEST_F(OpenGLTextureTest, OverTheBudgetTheTexturesDrawnLongestAgoGoAndComeBack)
{
    Begin();
    std::unique_ptr<Image> oldest(MakeHalvesImage(64, 64));
    std::unique_ptr<Image> older(MakeHalvesImage(64, 64, true));
    std::unique_ptr<Image> current(MakeHalvesImage(64, 64));
    DrawImage(oldest.get(), 0, 0);
    OpenGLTexture::EndFrame(size_t(1) << 30);
    DrawImage(older.get(), 0, 0);
    OpenGLTexture::EndFrame(size_t(1) << 30);
    DrawImage(current.get(), 0, 0);
    // Room for two of the three 64 x 64 textures.
    size_t const one = 64 * 64 * 4;
    OpenGLTexture::EndFrame(OpenGLTexture::GetAllocatedBytes() - one);
    EXPECT_FALSE(TextureOf(*oldest)->HasTextureName());
    EXPECT_TRUE(TextureOf(*older)->HasTextureName());
    EXPECT_TRUE(TextureOf(*current)->HasTextureName());

    // Drawn again, it is filled from its image, with its pixels dropped meanwhile.
    oldest->KeepPacked();
    for (int frame = 0; frame < 4; ++frame)
        Image::EndFrame(1);
    ASSERT_FALSE(oldest->HasPixelsInMemory());
    ASSERT_EQ(0, platform->BeginScene());
    DrawImage(oldest.get(), 10, 10);
    EXPECT_TRUE(TextureOf(*oldest)->HasTextureName());
    EXPECT_RGB(255, 0, 0, ReadPixel(11, 12));
    EXPECT_RGB(0, 0, 255, ReadPixel(50, 12));

    // Nothing drawn in the frame just ended goes, however small the budget.
    OpenGLTexture::EndFrame(0);
    EXPECT_TRUE(TextureOf(*oldest)->HasTextureName());
}
