#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "2DEngine/Source/Graphics/CircleVertices.h"

using namespace Corvane;
using namespace Corvane::Internal;

// ---- Normal case ------------------------------------------------------------------------------

TEST(CircleVerticesTest, RadiusRoundsToHalfPixelsAndKeepsRepeats)
{
    CircleVerticesCacheI cache;
    CircleVerticesCacheI::VertexList const& list = cache.GetCachedVertices(2.3f);
    std::vector<Vector2<int>> const expected = {{2, 0}, {2, 0}, {1, 1}, {0, 2}, {0, 2}};
    EXPECT_EQ(expected, list);
    // 2.3 and 2.6 both round to 2.5: the same cached list.
    EXPECT_EQ(&list, &cache.GetCachedVertices(2.6f));
}

TEST(CircleVerticesTest, FloatVerticesLieOnTheRoundedCircle)
{
    CircleVerticesCacheF cache;
    CircleVerticesCacheF::VertexList const& list = cache.GetCachedVertices(10.2f);
    ASSERT_EQ(17u, list.size());
    for (Vector2<float> const& vertex : list)
        EXPECT_NEAR(10.0f, std::sqrt(vertex.x * vertex.x + vertex.y * vertex.y), 1e-4f);
    EXPECT_FLOAT_EQ(10.0f, list.front().x);
    EXPECT_NEAR(10.0f, list.back().y, 1e-5f);
    EXPECT_NEAR(0.0f, list.back().x, 1e-5f);
}

TEST(CircleVerticesTest, SmallestRadiusLeavesOutTheCentre)
{
    CircleVerticesCacheI cache;
    // r = 0.5 truncates to (0, 0) at both ends.
    EXPECT_TRUE(cache.GetCachedVertices(0.5f).empty());
    CircleVerticesCacheF floats;
    ASSERT_FALSE(floats.GetCachedVertices(0.5f).empty());
    EXPECT_FLOAT_EQ(0.5f, floats.GetCachedVertices(0.5f).front().x);
}

// ---- Invalid input ----------------------------------------------------------------------------

TEST(CircleVerticesTest, UnusableRadiiGiveTheEmptyListWithoutGrowing)
{
    CircleVerticesCacheF cache;
    float const bad[] = {0.0f,
                         0.2f,
                         -3.0f,
                         -1e30f,
                         std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity(),
                         kMaxCachedCircleRadius + 1.0f,
                         3e9f};
    for (float radius : bad)
    {
        EXPECT_TRUE(cache.GetCachedVertices(radius).empty()) << radius;
        EXPECT_EQ(0u, cache.GetTableSize()) << radius;
    }
}

TEST(CircleVerticesTest, TheLargestRadiusIsServed)
{
    CircleVerticesCacheI cache;
    EXPECT_FALSE(cache.GetCachedVertices(kMaxCachedCircleRadius).empty());
    EXPECT_EQ(size_t(2 * kMaxCachedCircleRadius) + 256, cache.GetTableSize());
}
