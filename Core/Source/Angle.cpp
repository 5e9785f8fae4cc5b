#include "Core/Source/Angle.h"

#include <cmath>

namespace Corvane
{
    float Angle::pi()
    {
        static float const value = static_cast<float>(std::acos(-1.0));
        return value;
    }

    float Angle::circle()
    {
        static float const value = static_cast<float>(2.0 * std::acos(-1.0));
        return value;
    }

    Angle Angle::Circle()
    {
        return Angle(circle());
    }

    Angle Angle::FromDegrees(float degrees)
    {
        return Angle(pi() / 180.0f * degrees);
    }

    Angle Angle::Wrap() const
    {
        float turn = circle();
        if (mRadians < 0.0f)
            return Angle(turn - Angle(-mRadians).Wrap().mRadians);
        if (mRadians < turn)
            return *this;
        return Angle(std::fmod(mRadians, turn));
    }

    bool Angle::IsEquivalent(Angle const& other) const
    {
        return Wrap().mRadians == other.Wrap().mRadians;
    }

    Vector2<float> Angle::Rotate(Vector2<float> const& vector) const
    {
        float c = std::cos(mRadians);
        float s = std::sin(mRadians);
        return Vector2<float>(vector.x * c - vector.y * s, vector.x * s + vector.y * c);
    }
}
