#include <gtest/gtest.h>

#include "2DEngine/Source/Graphics/Texture.h"

using namespace Corvane;

TEST(TextureDescriptorTest, SizesRoundUpToPowersOfTwo)
{
    sTextureDescriptor const d = sTextureDescriptor::ForImageSize(100, 30);
    EXPECT_EQ(0, d.x);
    EXPECT_EQ(0, d.y);
    EXPECT_EQ(100, d.width);
    EXPECT_EQ(30, d.height);
    EXPECT_EQ(128, d.textureWidth);
    EXPECT_EQ(32, d.textureHeight);
    EXPECT_FLOAT_EQ(0.78125f, d.maxU);
    EXPECT_FLOAT_EQ(0.9375f, d.maxV);
}

TEST(TextureDescriptorTest, ExactPowersStayAndTinySizesGiveOne)
{
    sTextureDescriptor const one = sTextureDescriptor::ForImageSize(1, 1);
    EXPECT_EQ(1, one.textureWidth);
    EXPECT_EQ(1, one.textureHeight);
    EXPECT_FLOAT_EQ(1.0f, one.maxU);
    sTextureDescriptor const square = sTextureDescriptor::ForImageSize(64, 64);
    EXPECT_EQ(64, square.textureWidth);
    EXPECT_EQ(64, square.textureHeight);
    EXPECT_FLOAT_EQ(1.0f, square.maxV);
    EXPECT_EQ(65536, GetTextureSize(40000));
}

TEST(TextureDescriptorTest, EmptyAndNegativeSizesGiveAnEmptyArea)
{
    sTextureDescriptor const empty = sTextureDescriptor::ForImageSize(0, -5);
    EXPECT_EQ(0, empty.width);
    EXPECT_EQ(0, empty.height);
    EXPECT_EQ(1, empty.textureWidth);
    EXPECT_EQ(1, empty.textureHeight);
    EXPECT_FLOAT_EQ(0.0f, empty.maxU);
    EXPECT_FLOAT_EQ(0.0f, empty.maxV);
    EXPECT_EQ(1 << 30, GetTextureSize(2147483647));
}

TEST(TextureDescriptorTest, ConstructedDescriptorIsAllZero)
{
    sTextureDescriptor const d;
    EXPECT_EQ(0, d.textureWidth);
    EXPECT_EQ(0, d.width);
    EXPECT_FLOAT_EQ(0.0f, d.maxU);
}
