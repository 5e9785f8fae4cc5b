#pragma once

#include "Core/Source/Vector2.h"

namespace Corvane
{
    // An angle in radians.
    class Angle
    {
    public:
        constexpr Angle() : mRadians(0.0f) {}
        constexpr explicit Angle(float radians) : mRadians(radians) {}

        float GetRadians() const { return mRadians; }
        float GetDegrees() const { return mRadians * 180.0f / pi(); }

        static float pi();
        // A full turn, 2 pi.
        static float circle();
        static Angle Circle();
        static Angle FromDegrees(float degrees);
        static Angle FromRadians(float radians) { return Angle(radians); }

        // The equivalent angle in [0, 2 pi), except that -2 pi wraps to 2 pi itself.
        Angle Wrap() const;
        bool IsEquivalent(Angle const& other) const;
        Vector2<float> Rotate(Vector2<float> const& vector) const;

        Angle operator/(float divisor) const { return Angle(mRadians / divisor); }
        Angle operator*(float factor) const { return Angle(mRadians * factor); }
        Angle operator+(Angle const& other) const { return Angle(mRadians + other.mRadians); }
        Angle operator-(Angle const& other) const { return Angle(mRadians - other.mRadians); }
        Angle operator-() const { return Angle(-mRadians); }
        Angle& operator+=(Angle const& other) { mRadians += other.mRadians; return *this; }
        Angle& operator-=(Angle const& other) { mRadians -= other.mRadians; return *this; }

        bool operator==(Angle const& other) const { return mRadians == other.mRadians; }
        bool operator!=(Angle const& other) const { return mRadians != other.mRadians; }
        bool operator<(Angle const& other) const { return mRadians < other.mRadians; }
        bool operator>(Angle const& other) const { return mRadians > other.mRadians; }
        bool operator<=(Angle const& other) const { return mRadians <= other.mRadians; }
        bool operator>=(Angle const& other) const { return mRadians >= other.mRadians; }

    private:
        float mRadians;
    };
}
