#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "2DEngine/Source/Framework/Platform.h"
#include "2DEngine/Source/Graphics/Context.h"
#include "2DEngine/Source/Graphics/Drawing.h"

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
    // A canvas that offers only the root interface.
    class BareCanvas : public ICanvas
    {
    public:
        explicit BareCanvas(char const* kind) : mKind(Label::GetUniqueString(kind)), mBounds(0, 0, 8, 8) {}
        Label GetKind() override { return mKind; }
        Rect<int> const& GetBounds() override { return mBounds; }
        bool QueryInterface(Label name, void** out) override
        {
            if (name != ICanvas::InterfaceLabel())
                return false;
            *out = static_cast<ICanvas*>(this);
            return true;
        }

    private:
        Label mKind;
        Rect<int> mBounds;
    };

    // A graphics platform whose screen canvas the test chooses.
    class StubGraphicsPlatform : public IGraphicsPlatform
    {
    public:
        StubGraphicsPlatform() { RegisterSingleton(this); }
        ~StubGraphicsPlatform() override { UnregisterSingleton(this); }
        Label GetName() override { return Label::GetUniqueString("StubGraphicsPlatform"); }
        void GetSupportedWindowConfig(sWindowConfig*) override {}
        unsigned long GetCaps() override { return 0; }
        void Setup(sWindowConfig const&) override {}
        void Cleanup() override {}
        int BeginScene() override { return 0; }
        int EndScene() override { return 0; }
        ICanvas* GetScreenCanvas() override { return screen; }
        ITexture* CreateTexture(Image const*, Rect<int> const*) override { return nullptr; }

        ICanvas* screen = nullptr;
    };

    class ContextTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            // Every test starts from the context the program starts with.
            while (GetContextDepth() > 0)
                PopContext();
            GetContext() = Context(nullptr, sDrawState::GetDefaults());
        }
        void TearDown() override { SetUp(); }
    };
}

// ---- Normal case ------------------------------------------------------------------------------

TEST_F(ContextTest, PushRedirectsAndPopRestores)
{
    BareCanvas image("ImagenDePrueba");
    sDrawState red = sDrawState::GetDefaults();
    red.color = ColorF(1, 0, 0, 1);

    ASSERT_TRUE(PushContext(Context(&image, red)));
    EXPECT_EQ(1, GetContextDepth());
    EXPECT_EQ(&image, GetCanvas());
    EXPECT_FLOAT_EQ(0.0f, GetDrawState().color.g);

    PopContext();
    EXPECT_EQ(0, GetContextDepth());
    EXPECT_EQ(GetScreenCanvas(), GetCanvas());
    EXPECT_FLOAT_EQ(1.0f, GetDrawState().color.g);
}

TEST_F(ContextTest, PushingTheCurrentContextKeepsIt)
{
    sDrawState state = sDrawState::GetDefaults();
    state.effectOffsetX = 7;
    SetDrawState(state);
    ASSERT_TRUE(PushContext(GetContext()));
    EXPECT_EQ(7, GetDrawState().effectOffsetX);
    GetContext().state.effectOffsetX = 1;
    PopContext();
    EXPECT_EQ(7, GetDrawState().effectOffsetX);
}

TEST_F(ContextTest, NullCanvasMeansTheScreen)
{
    EXPECT_EQ(GetScreenCanvas(), GetCanvas());
    BareCanvas other("Otro");
    GetContext().canvas = &other;
    EXPECT_EQ(&other, GetCanvas());
}

TEST_F(ContextTest, ScreenProxyForwardsToThePlatformsCanvas)
{
    StubGraphicsPlatform platform;
    BareCanvas screen("PantallaDePrueba");
    platform.screen = &screen;

    ICanvas* const proxy = GetScreenCanvas();
    EXPECT_EQ(screen.GetKind(), proxy->GetKind());
    EXPECT_EQ(&screen.GetBounds(), &proxy->GetBounds());
    void* out = nullptr;
    ASSERT_TRUE(proxy->QueryInterface(ICanvas::InterfaceLabel(), &out));
    EXPECT_EQ(static_cast<ICanvas*>(&screen), out);
    // The proxy asks anew each time: a replaced screen canvas is seen at once.
    BareCanvas next("SiguientePantalla");
    platform.screen = &next;
    EXPECT_EQ(next.GetKind(), proxy->GetKind());
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST_F(ContextTest, PopWithNothingPushedChangesNothing)
{
    BareCanvas canvas("Lienzo");
    GetContext().canvas = &canvas;
    GetContext().state.effectOffsetY = 9;
    PopContext();
    EXPECT_EQ(0, GetContextDepth());
    EXPECT_EQ(&canvas, GetCanvas());
    EXPECT_EQ(9, GetDrawState().effectOffsetY);
}

TEST_F(ContextTest, ProxyWithoutAPlatformOffersNothing)
{
    ASSERT_FALSE(IsGraphicsPlatformRegistered());
    ICanvas* const proxy = GetScreenCanvas();
    EXPECT_TRUE(proxy->GetKind().IsNull());
    EXPECT_TRUE(proxy->GetBounds().isEmpty());
    void* out = nullptr;
    EXPECT_FALSE(proxy->QueryInterface(ICanvas::InterfaceLabel(), &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(kMissingInterface, DrawFilledRect(Rect<int>(0, 0, 4, 4)));
    EXPECT_EQ(kMissingInterface, DrawLine(0, 0, 3, 3));

    StubGraphicsPlatform platform;
    EXPECT_FALSE(proxy->QueryInterface(ICanvas::InterfaceLabel(), &out));
}

// ---- A failure leaves state unchanged -----------------------------------------------------------

TEST_F(ContextTest, SixtyFifthPushIsRefusedAndPopsStayBalanced)
{
    std::vector<std::unique_ptr<BareCanvas>> owned;
    std::vector<BareCanvas*> canvases;
    for (int i = 0; i <= kContextStackSize; ++i)
    {
        owned.emplace_back(new BareCanvas("Lienzo"));
        canvases.push_back(owned.back().get());
    }
    for (int i = 0; i < kContextStackSize; ++i)
        ASSERT_TRUE(PushContext(Context(canvases[i], sDrawState::GetDefaults())));
    EXPECT_EQ(canvases[kContextStackSize - 1], GetCanvas());

    testing::internal::CaptureStderr();
    EXPECT_FALSE(PushContext(Context(canvases[kContextStackSize], sDrawState::GetDefaults())));
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, log.find("context stack is full")) << log;
    EXPECT_EQ(kContextStackSize, GetContextDepth());
    EXPECT_EQ(canvases[kContextStackSize - 1], GetCanvas());

    // The refused push's pop undoes nothing; the next pop undoes the 64th push.
    PopContext();
    EXPECT_EQ(canvases[kContextStackSize - 1], GetCanvas());
    PopContext();
    EXPECT_EQ(canvases[kContextStackSize - 2], GetCanvas());
    for (int i = 0; i < kContextStackSize - 1; ++i)
        PopContext();
    EXPECT_EQ(0, GetContextDepth());
    EXPECT_EQ(GetScreenCanvas(), GetCanvas());
}
