#include "2DEngine/Source/Framework/Interpolators.h"

#include <algorithm>
#include <cmath>

namespace Corvane
{

namespace
{

double Smooth(float time, float duration, float exponent)
{
    double s = static_cast<double>(time) / static_cast<double>(duration);
    s = (s < 0.0) ? 0.0 : std::min(1.0, s);
    if (exponent == 0.0f)
        return 3.0 * s * s - 2.0 * s * s * s;
    if (exponent < 0.0f)
        return std::pow(s, -static_cast<double>(exponent));
    return 1.0 - std::pow(1.0 - s, static_cast<double>(exponent));
}

} // namespace

float LinearInterpolator::interpolate(float from, float to, float time, float duration)
{
    if (duration == 0.0f)
        return to;
    return from + (to - from) * (std::min(duration, time) / duration);
}

float SmoothInterpolator::interpolate(float from, float to, float time, float duration)
{
    if (duration == 0.0f)
        return to;
    double const progress = Smooth(std::min(duration, time), duration, mExponent);
    return from + (to - from) * static_cast<float>(progress);
}

float ImmediateInterpolator::interpolate(float, float to, float, float)
{
    return to;
}

} // namespace Corvane
