#ifndef CORVANE_FRAMEWORK_INTERPOLATORS_H
#define CORVANE_FRAMEWORK_INTERPOLATORS_H

namespace Corvane
{

// The value reached at a time of a change from one value to another lasting a
// duration. Interpolators are shared between tasks and their clones.
class Interpolator
{
public:
    virtual ~Interpolator() {}
    virtual float interpolate(float from, float to, float time, float duration) = 0;
};

class LinearInterpolator : public Interpolator
{
public:
    float interpolate(float from, float to, float time, float duration) override;
};

// Exponent 0 eases in and out; a negative exponent -e eases in as s^e; a positive
// exponent e eases out as 1 - (1 - s)^e.
class SmoothInterpolator : public Interpolator
{
public:
    explicit SmoothInterpolator(float exponent) : mExponent(exponent) {}

    float interpolate(float from, float to, float time, float duration) override;
    float GetExponent() const { return mExponent; }

private:
    float mExponent;
};

// Reaches the target at once.
class ImmediateInterpolator : public Interpolator
{
public:
    float interpolate(float from, float to, float time, float duration) override;
};

} // namespace Corvane

#endif
