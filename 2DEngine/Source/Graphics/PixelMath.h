#ifndef CORVANE_GRAPHICS_PIXELMATH_H
#define CORVANE_GRAPHICS_PIXELMATH_H

// Float-to-pixel conversions that stay defined for any input: values beyond
// the int range are limited to it and NaN becomes 0.

#include <cmath>
#include <cstdint>
#include <limits>

#include "Core/Source/Rect.h"

namespace Corvane
{
namespace Internal
{

inline int ClampToInt(int64_t value)
{
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(value);
}

// Toward zero.
inline int64_t TruncToInt64(float value)
{
    if (!(value == value))
        return 0;
    double const limit = 9.0e15;
    double const v = double(value);
    if (v > limit)
        return int64_t(limit);
    if (v < -limit)
        return -int64_t(limit);
    return int64_t(v);
}

inline int TruncToInt(float value)
{
    return ClampToInt(TruncToInt64(value));
}

inline int FloorToInt(float value)
{
    if (!(value == value))
        return 0;
    return ClampToInt(TruncToInt64(std::floor(value)));
}

inline Rect<int> FloorRect(Rect<float> const& rect)
{
    return Rect<int>(FloorToInt(rect.x), FloorToInt(rect.y), FloorToInt(rect.width), FloorToInt(rect.height));
}

} // namespace Internal
} // namespace Corvane

#endif
