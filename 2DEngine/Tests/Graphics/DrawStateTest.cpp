#include <gtest/gtest.h>

#include "2DEngine/Source/Graphics/DrawState.h"

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
    void ExpectColor(float r, float g, float b, float a, ColorF const& actual)
    {
        EXPECT_FLOAT_EQ(r, actual.r);
        EXPECT_FLOAT_EQ(g, actual.g);
        EXPECT_FLOAT_EQ(b, actual.b);
        EXPECT_FLOAT_EQ(a, actual.a);
    }
}

// ---- Normal case ------------------------------------------------------------------------------

TEST(DrawStateTest, DefaultsNeverClipAndBlendByAlpha)
{
    sDrawState const& defaults = sDrawState::GetDefaults();
    EXPECT_EQ(nullptr, defaults.font);
    ExpectColor(1, 1, 1, 1, defaults.color);
    ExpectColor(0, 0, 0, 1, defaults.effectColor);
    EXPECT_EQ(2, defaults.effectOffsetX);
    EXPECT_EQ(2, defaults.effectOffsetY);
    ExpectColor(1, 1, 1, 1, defaults.tint);
    EXPECT_EQ(Rect<int>(-1073741824, -1073741824, 2147483647, 2147483647), defaults.clip);
    EXPECT_EQ(Rect<int>(), defaults.sourceRect);
    EXPECT_EQ(uint32_t(DRAW_FLAG_ALPHA), defaults.flags);
    EXPECT_EQ(kTextMode_Normal, defaults.textMode);
    EXPECT_EQ(kHAlignment_Left, defaults.hAlign);
    EXPECT_EQ(kVAlignment_Top, defaults.vAlign);
    // The clip's right edge must not overflow a signed 32-bit value.
    EXPECT_GT(int64_t(defaults.clip.x) + defaults.clip.width, 0);
    EXPECT_LE(int64_t(defaults.clip.x) + defaults.clip.width, int64_t(INT32_MAX));
}

TEST(DrawStateTest, ConstructedStateIsWhiteWithNothingSet)
{
    sDrawState state;
    EXPECT_EQ(nullptr, state.font);
    ExpectColor(1, 1, 1, 1, state.color);
    ExpectColor(1, 1, 1, 1, state.effectColor);
    EXPECT_EQ(0, state.effectOffsetX);
    EXPECT_EQ(Rect<int>(), state.clip);
    EXPECT_EQ(0u, state.flags);
    EXPECT_EQ(kTextMode_Normal, state.textMode);
}

TEST(DrawStateTest, SourceRectStoresAndFlagsAndChains)
{
    DrawStateNPI state;
    state.flags |= DRAW_FLAG_FLIP_H;
    DrawStateNPI& chained = state.SourceRect(1, 2, 3, 4).SourceRect(5, 6, 7, 8);
    EXPECT_EQ(&state, &chained);
    EXPECT_EQ(Rect<int>(5, 6, 7, 8), state.sourceRect);
    EXPECT_EQ(uint32_t(DRAW_FLAG_ALPHA | DRAW_FLAG_FLIP_H | DRAW_FLAG_SOURCE_RECT), state.flags);
    // The wrapper is a copy: the shared defaults are untouched.
    EXPECT_EQ(uint32_t(DRAW_FLAG_ALPHA), sDrawState::GetDefaults().flags);
}

TEST(DrawStateTest, DisplayNamesRoundTrip)
{
    EXPECT_STREQ(L"Drop Shadow", GetTextModeName(kTextMode_DropShadow));
    EXPECT_STREQ(L"Center", GetHAlignmentName(kHAlignment_Center));
    EXPECT_STREQ(L"Bottom", GetVAlignmentName(kVAlignment_Bottom));
    for (int i = 0; i < 3; ++i)
    {
        TextMode mode = kTextMode_Normal;
        HAlignment h = kHAlignment_Left;
        VAlignment v = kVAlignment_Top;
        ASSERT_TRUE(TextModeFromName(GetTextModeName(TextMode(i)), &mode));
        ASSERT_TRUE(HAlignmentFromName(GetHAlignmentName(HAlignment(i)), &h));
        ASSERT_TRUE(VAlignmentFromName(GetVAlignmentName(VAlignment(i)), &v));
        EXPECT_EQ(i, int(mode));
        EXPECT_EQ(i, int(h));
        EXPECT_EQ(i, int(v));
    }
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST(DrawStateTest, UnknownValuesHaveNoName)
{
    EXPECT_STREQ(L"", GetTextModeName(TextMode(3)));
    EXPECT_STREQ(L"", GetHAlignmentName(HAlignment(-1)));
}

// ---- A failure leaves state unchanged -----------------------------------------------------------

TEST(DrawStateTest, UnknownNameLeavesTheValueUnchanged)
{
    TextMode mode = kTextMode_Outline;
    EXPECT_FALSE(TextModeFromName(L"outline", &mode));
    EXPECT_FALSE(TextModeFromName(L"Sombra", &mode));
    EXPECT_EQ(kTextMode_Outline, mode);
    HAlignment h = kHAlignment_Right;
    EXPECT_FALSE(HAlignmentFromName(L"Izquierda", &h));
    EXPECT_EQ(kHAlignment_Right, h);
    VAlignment v = kVAlignment_Middle;
    EXPECT_FALSE(VAlignmentFromName(L"", &v));
    EXPECT_EQ(kVAlignment_Middle, v);
}
