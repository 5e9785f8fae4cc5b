#pragma once

#include "Core/Source/Vector2.h"

#include <algorithm>

namespace Corvane
{
    // An axis-aligned rectangle: top-left corner and size; used with int and float.
    template <class T>
    struct Rect
    {
        T x;
        T y;
        T width;
        T height;

        constexpr Rect() : x(0), y(0), width(0), height(0) {}
        constexpr Rect(T xValue, T yValue, T widthValue, T heightValue)
            : x(xValue), y(yValue), width(widthValue), height(heightValue) {}
        template <class U>
        constexpr explicit Rect(Rect<U> const& other)
            : x(static_cast<T>(other.x)), y(static_cast<T>(other.y)),
              width(static_cast<T>(other.width)), height(static_cast<T>(other.height)) {}

        T getRight() const { return x + width; }
        T getBottom() const { return y + height; }
        Vector2<T> getLocation() const { return Vector2<T>(x, y); }
        Vector2<T> getSize() const { return Vector2<T>(width, height); }

        bool isEmpty() const { return !(width > 0) || !(height > 0); }

        bool operator==(Rect const& other) const
        {
            return x == other.x && y == other.y && width == other.width && height == other.height;
        }
        bool operator!=(Rect const& other) const { return !(*this == other); }

        // Disjoint rectangles give an empty rectangle placed at the larger corner coordinates.
        Rect getIntersection(Rect const& other) const
        {
            T left = std::max(x, other.x);
            T top = std::max(y, other.y);
            T right = std::min(getRight(), other.getRight());
            T bottom = std::min(getBottom(), other.getBottom());
            T w = right - left;
            T h = bottom - top;
            return Rect(left, top, w < 0 ? T(0) : w, h < 0 ? T(0) : h);
        }

        // An empty rectangle adds nothing to the other.
        Rect getUnion(Rect const& other) const
        {
            if (isEmpty())
                return other;
            if (other.isEmpty())
                return *this;
            T left = other.x < x ? other.x : x;
            T top = other.y < y ? other.y : y;
            T right = std::max(getRight(), other.getRight());
            T bottom = std::max(getBottom(), other.getBottom());
            return Rect(left, top, right - left, bottom - top);
        }

        // True when both the other's first and last pixel lie inside this rectangle; so a
        // rectangle of zero width on the left edge is not contained.
        bool contains(Rect const& other) const
        {
            bool cornerInside = x <= other.x && other.x < getRight() && y <= other.y && other.y < getBottom();
            T lastX = other.x + other.width - 1;
            T lastY = other.y + other.height - 1;
            bool lastInside = lastX >= x && lastY >= y && lastX < getRight() && lastY < getBottom();
            return cornerInside && lastInside;
        }

        // Edges: left and top inside, right and bottom outside.
        bool contains(T px, T py) const { return x <= px && px < getRight() && y <= py && py < getBottom(); }
        bool contains(Vector2<T> const& point) const { return contains(point.x, point.y); }

        // The point limited to the rectangle, edges included.
        Vector2<T> getClosestInteriorPoint(Vector2<T> const& point) const
        {
            T px = point.x < x ? x : (point.x > getRight() ? getRight() : point.x);
            T py = point.y < y ? y : (point.y > getBottom() ? getBottom() : point.y);
            return Vector2<T>(px, py);
        }
    };

    typedef Rect<int> Recti;
    typedef Rect<float> Rectf;
}
