// The darkening behind an overlay mode: black at half opacity over the whole
// screen canvas, only on a hardware graphics platform, read back from the
// frame before any swap.

#include "2DEngine/Tests/Platform/OpenGLTestSupport.h"

#include "2DEngine/Source/Framework/ApplicationMode.h"
#include "2DEngine/Source/Framework/EngineHooks.h"
#include "2DEngine/Source/Framework/Window.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"
#include "2DEngine/Source/Graphics/ScreenDimming.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopEngineSetup.h"

using namespace OpenGLTesting;

namespace
{
    class ScreenDimmingTest : public OpenGLFixture
    {
    protected:
        void SetUp() override
        {
            OpenGLFixture::SetUp();
            mSavedHook = Internal::GetDimScreenHook();
            Internal::SetDimScreenHook(&Internal::DimScreen);
        }

        void TearDown() override
        {
            Internal::SetDimScreenHook(mSavedHook);
            OpenGLFixture::TearDown();
        }

        // Fills the picture: white on the left half, orange on the right.
        static void DrawPicture()
        {
            Graphics::sDrawState state = Graphics::sDrawState::GetDefaults();
            state.color = ColorF(1.0f, 1.0f, 1.0f, 1.0f);
            Graphics::DrawFilledRect(Rect<int>(0, 0, kWidth / 2, kHeight), state);
            state.color = ColorF(1.0f, 0.5f, 0.0f, 1.0f);
            Graphics::DrawFilledRect(Rect<int>(kWidth / 2, 0, kWidth - kWidth / 2, kHeight), state);
        }

    private:
        Internal::DimScreenHook mSavedHook = nullptr;
    };

    class OverlayMode : public ApplicationMode
    {
    public:
        bool IsOpaque() const override { return false; }
    };
}

TEST_F(ScreenDimmingTest, DimmingHalvesTheWholePictureAndRestoresTheContext)
{
    Begin();
    DrawPicture();
    Graphics::sDrawState state = Graphics::GetDrawState();
    state.color = ColorF(0.25f, 0.5f, 0.75f, 1.0f);
    state.flags = 0;
    Graphics::SetDrawState(state);
    int const depth = Graphics::GetContextDepth();

    Internal::DimScreen();

    EXPECT_RGB(128, 128, 128, ReadPixel(1, 1));
    EXPECT_RGB(128, 128, 128, ReadPixel(kWidth / 4, kHeight / 2));
    EXPECT_RGB(128, 64, 0, ReadPixel(kWidth - 2, kHeight - 2));
    EXPECT_EQ(depth, Graphics::GetContextDepth());
    EXPECT_FLOAT_EQ(0.25f, Graphics::GetDrawState().color.r);
    EXPECT_FLOAT_EQ(1.0f, Graphics::GetDrawState().color.a);
    EXPECT_EQ(0u, Graphics::GetDrawState().flags);
}

TEST_F(ScreenDimmingTest, OverlayOnAHardwarePlatformDarkensWhatIsBelow)
{
    ASSERT_NE(0ul, platform->GetCaps() & kGraphicsPlatformCaps_Hardware);
    Begin();
    DrawPicture();
    OverlayMode overlay;
    overlay.DrawBackground();
    EXPECT_RGB(128, 128, 128, ReadPixel(kWidth / 4, kHeight / 2));
    EXPECT_RGB(128, 64, 0, ReadPixel(3 * kWidth / 4, kHeight / 2));
}

TEST_F(ScreenDimmingTest, SoftwarePlatformLeavesThePictureAsItIs)
{
    platform.reset(new MacOSX::OpenGLGraphicsPlatform(kGraphicsPlatformCaps_Software));
    Begin();
    DrawPicture();
    OverlayMode overlay;
    overlay.DrawBackground();
    EXPECT_RGB(255, 255, 255, ReadPixel(kWidth / 4, kHeight / 2));
    EXPECT_RGB(255, 128, 0, ReadPixel(3 * kWidth / 4, kHeight / 2));
}

// Before set-up there is no screen to darken; the context stack stays balanced.
TEST_F(ScreenDimmingTest, WithoutAScreenNothingIsDrawn)
{
    int const depth = Graphics::GetContextDepth();
    Internal::DimScreen();
    EXPECT_EQ(depth, Graphics::GetContextDepth());
    platform.reset();
    EXPECT_FALSE(IsGraphicsPlatformRegistered());
    Internal::DimScreen();
    EXPECT_EQ(depth, Graphics::GetContextDepth());
}

TEST(ScreenDimmingHooksTest, DesktopEngineInstallsTheDimming)
{
    MainLoop::Internal::sEngineHooks const savedEngine = MainLoop::Internal::GetEngineHooks();
    MacOSX::Internal::sPlatformSetupHooks const savedSetup = MacOSX::Internal::GetPlatformSetupHooks();
    Internal::DimScreenHook const savedDim = Internal::GetDimScreenHook();
    Window::Internal::GraphicsPlatformFactory const savedFactory = Window::Internal::SetGraphicsPlatformFactory(nullptr);
    Internal::SetDimScreenHook(nullptr);

    MacOSX::InstallEngineHooks();
    EXPECT_EQ(&Internal::DimScreen, Internal::GetDimScreenHook());

    Internal::SetDimScreenHook(savedDim);
    MacOSX::Internal::GetPlatformSetupHooks() = savedSetup;
    MainLoop::Internal::GetEngineHooks() = savedEngine;
    Window::Internal::SetGraphicsPlatformFactory(savedFactory);
}
