#pragma once

#include <cmath>
#include <cstdint>
#include <string>

namespace Corvane
{
    // A two-component vector; used with int and float.
    template <class T>
    struct Vector2
    {
        T x;
        T y;

        constexpr Vector2() : x(0), y(0) {}
        constexpr Vector2(T xValue, T yValue) : x(xValue), y(yValue) {}
        template <class U>
        constexpr explicit Vector2(Vector2<U> const& other) : x(static_cast<T>(other.x)), y(static_cast<T>(other.y)) {}

        Vector2& operator+=(Vector2 const& other) { x += other.x; y += other.y; return *this; }
        Vector2& operator-=(Vector2 const& other) { x -= other.x; y -= other.y; return *this; }
        Vector2& operator*=(T factor) { x *= factor; y *= factor; return *this; }
        Vector2& operator/=(T divisor) { x /= divisor; y /= divisor; return *this; }

        Vector2 operator+(Vector2 const& other) const { return Vector2(x + other.x, y + other.y); }
        Vector2 operator-(Vector2 const& other) const { return Vector2(x - other.x, y - other.y); }
        Vector2 operator-() const { return Vector2(-x, -y); }
        Vector2 operator*(T factor) const { return Vector2(x * factor, y * factor); }
        Vector2 operator/(T divisor) const { return Vector2(x / divisor, y / divisor); }

        bool operator==(Vector2 const& other) const { return x == other.x && y == other.y; }
        bool operator!=(Vector2 const& other) const { return !(*this == other); }

        double GetLength() const { return std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y); }

        // Scales to the new length. With int the current length is truncated first, so (1, 1)
        // scaled to 10 becomes (10, 10); a zero-length vector is left alone.
        void SetLength(T length);

        // Two numbers separated by a comma, blanks allowed before each ("3,4", " 3, 4"); with
        // only one number both components take it; unreadable text gives (0, 0). Numbers are
        // read in the C locale whatever the player's locale.
        [[nodiscard]] static Vector2 FromString(std::wstring const& text);
        // "x,y", readable by FromString.
        std::wstring ToString() const;
    };

    typedef Vector2<int> Vector2i;
    typedef Vector2<float> Vector2f;

    template <>
    void Vector2<int>::SetLength(int length);
    template <>
    void Vector2<float>::SetLength(float length);
    template <>
    Vector2<int> Vector2<int>::FromString(std::wstring const& text);
    template <>
    Vector2<float> Vector2<float>::FromString(std::wstring const& text);
    template <>
    std::wstring Vector2<int>::ToString() const;
    template <>
    std::wstring Vector2<float>::ToString() const;
}
