#include "Core/Source/Angle.h"
#include "Core/Source/Rect.h"
#include "Core/Source/Vector2.h"
#include "Core/Tests/CommaLocale.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Corvane;

// ---- Vector2 ----

TEST(Vector2, FromStringReadsTwoIntegers)
{
    EXPECT_EQ(Vector2<int>(3, 4), Vector2<int>::FromString(L"3,4"));
    EXPECT_EQ(Vector2<int>(-3, 40), Vector2<int>::FromString(L" -3, 40"));
}

TEST(Vector2, FromStringWithOneNumberRepeatsIt)
{
    EXPECT_EQ(Vector2<int>(7, 7), Vector2<int>::FromString(L"7"));
    EXPECT_EQ(Vector2<int>(7, 7), Vector2<int>::FromString(L"7,"));
    EXPECT_EQ(Vector2<int>(7, 7), Vector2<int>::FromString(L"7;8"));
    EXPECT_EQ(Vector2<int>(7, 7), Vector2<int>::FromString(L"7 ,8"));
}

TEST(Vector2, FromStringOfBadTextIsZero)
{
    EXPECT_EQ(Vector2<int>(0, 0), Vector2<int>::FromString(L""));
    EXPECT_EQ(Vector2<int>(0, 0), Vector2<int>::FromString(L"x,3"));
    EXPECT_EQ(Vector2<int>(0, 0), Vector2<int>::FromString(L"ni\u00f1o"));
    EXPECT_EQ(Vector2<int>(2147483647, -2147483647 - 1), Vector2<int>::FromString(L"99999999999,-99999999999"));
}

TEST(Vector2, FloatTextIsReadAndWrittenInTheCLocale)
{
    CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no locale with a decimal comma could be made";
    EXPECT_EQ(Vector2<float>(1.5f, -0.25f), Vector2<float>::FromString(L"1.5,-0.25"));
    Vector2<float> value(0.1f, 1234.5f);
    EXPECT_EQ(std::wstring(L"0.1,1234.5"), value.ToString());
    EXPECT_EQ(value, Vector2<float>::FromString(value.ToString()));
}

TEST(Vector2, IntTextRoundTrips)
{
    Vector2<int> value(-12, 300);
    EXPECT_EQ(value, Vector2<int>::FromString(value.ToString()));
}

TEST(Vector2, SetLengthScalesWithTruncatedCurrentLength)
{
    Vector2<int> v(3, 4);
    v.SetLength(10);
    EXPECT_EQ(Vector2<int>(6, 8), v);

    Vector2<int> zero(0, 0);
    zero.SetLength(10);
    EXPECT_EQ(Vector2<int>(0, 0), zero);

    Vector2<int> diagonal(1, 1);
    diagonal.SetLength(10);
    EXPECT_EQ(Vector2<int>(10, 10), diagonal);

    Vector2<int> negative(-3, 4);
    negative.SetLength(5);
    EXPECT_EQ(Vector2<int>(-3, 4), negative);
}

TEST(Vector2, SetLengthWithLargeValuesDoesNotOverflow)
{
    Vector2<int> v(30000, 40000);
    v.SetLength(100000);
    EXPECT_EQ(Vector2<int>(60000, 80000), v);
}

// ---- Rect ----

TEST(Rect, IntersectionOfOverlappingRectangles)
{
    EXPECT_EQ(Rect<int>(5, 5, 5, 5), Rect<int>(0, 0, 10, 10).getIntersection(Rect<int>(5, 5, 10, 10)));
    EXPECT_EQ(Rect<float>(5, 5, 5, 5), Rect<float>(0, 0, 10, 10).getIntersection(Rect<float>(5, 5, 10, 10)));
}

TEST(Rect, IntersectionOfDisjointRectanglesIsEmptyAtTheLargerCorner)
{
    Rect<int> result = Rect<int>(0, 0, 10, 10).getIntersection(Rect<int>(20, 20, 5, 5));
    EXPECT_EQ(Rect<int>(20, 20, 0, 0), result);
    EXPECT_TRUE(result.isEmpty());
}

TEST(Rect, UnionSkipsEmptyRectangles)
{
    EXPECT_EQ(Rect<int>(5, 5, 2, 2), Rect<int>(0, 0, 0, 10).getUnion(Rect<int>(5, 5, 2, 2)));
    EXPECT_EQ(Rect<int>(5, 5, 2, 2), Rect<int>(5, 5, 2, 2).getUnion(Rect<int>(0, 0, 10, -1)));
    EXPECT_EQ(Rect<float>(-1, 0, 11, 12), Rect<float>(0, 0, 10, 10).getUnion(Rect<float>(-1, 2, 3, 10)));
}

TEST(Rect, ContainsItselfButNotAZeroWidthRectangleAtTheLeftEdge)
{
    Rect<int> r(2, 3, 10, 10);
    EXPECT_TRUE(r.contains(r));
    EXPECT_FALSE(r.contains(Rect<int>(2, 3, 0, 5)));
    EXPECT_TRUE(r.contains(Rect<int>(4, 4, 2, 2)));
    EXPECT_FALSE(r.contains(Rect<int>(4, 4, 20, 2)));
    EXPECT_FALSE(r.contains(Rect<int>(1, 4, 2, 2)));
}

TEST(Rect, ContainsPointExcludesRightAndBottomEdges)
{
    Rect<float> r(0, 0, 10, 10);
    EXPECT_TRUE(r.contains(0.0f, 0.0f));
    EXPECT_FALSE(r.contains(10.0f, 5.0f));
    EXPECT_FALSE(r.contains(5.0f, -0.5f));
}

TEST(Rect, ClosestInteriorPointIncludesEdges)
{
    Rect<float> r(0, 0, 10, 20);
    EXPECT_EQ(Vector2<float>(10, 20), r.getClosestInteriorPoint(Vector2<float>(15, 30)));
    EXPECT_EQ(Vector2<float>(0, 5), r.getClosestInteriorPoint(Vector2<float>(-3, 5)));
    EXPECT_EQ(Vector2<float>(4, 6), r.getClosestInteriorPoint(Vector2<float>(4, 6)));
}

// ---- Angle ----

TEST(Angle, WrapBringsAnglesIntoOneTurn)
{
    float pi = Angle::pi();
    EXPECT_FLOAT_EQ(0.0f, Angle(Angle::circle()).Wrap().GetRadians());
    // -2 pi wraps to 2 pi itself, not to 0.
    EXPECT_FLOAT_EQ(Angle::circle(), Angle(-Angle::circle()).Wrap().GetRadians());
    EXPECT_NEAR(pi, Angle(3.0f * pi).Wrap().GetRadians(), 1e-5);
    EXPECT_NEAR(1.5f * pi, Angle(-0.5f * pi).Wrap().GetRadians(), 1e-5);
    EXPECT_FLOAT_EQ(1.0f, Angle(1.0f).Wrap().GetRadians());
}

TEST(Angle, IsEquivalentComparesWrappedAngles)
{
    EXPECT_FALSE(Angle(0.0f).IsEquivalent(Angle(-Angle::circle())));
    EXPECT_TRUE(Angle(0.0f).IsEquivalent(Angle(Angle::circle())));
    EXPECT_TRUE(Angle(1.0f).IsEquivalent(Angle(1.0f)));
}

TEST(Angle, ConstantsAndDegrees)
{
    EXPECT_FLOAT_EQ(static_cast<float>(std::acos(-1.0)), Angle::pi());
    EXPECT_FLOAT_EQ(2.0f * Angle::pi(), Angle::Circle().GetRadians());
    EXPECT_FLOAT_EQ(Angle::pi() / 2.0f, Angle::FromDegrees(90.0f).GetRadians());
    EXPECT_FLOAT_EQ(Angle::pi() / 4.0f, (Angle::FromDegrees(90.0f) / 2.0f).GetRadians());
}

TEST(Angle, RotateTurnsCounterClockwiseInMathAxes)
{
    Vector2<float> rotated = Angle::FromDegrees(90.0f).Rotate(Vector2<float>(1.0f, 0.0f));
    EXPECT_NEAR(0.0f, rotated.x, 1e-6);
    EXPECT_NEAR(1.0f, rotated.y, 1e-6);
    rotated = Angle(Angle::pi()).Rotate(Vector2<float>(2.0f, 3.0f));
    EXPECT_NEAR(-2.0f, rotated.x, 1e-5);
    EXPECT_NEAR(-3.0f, rotated.y, 1e-5);
}
