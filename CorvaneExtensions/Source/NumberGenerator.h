#ifndef CORVANE_EXTENSIONS_NUMBERGENERATOR_H
#define CORVANE_EXTENSIONS_NUMBERGENERATOR_H

// Shared, cloneable sources of values for the targets and durations of timed tasks:
// a task draws a value when it starts, and a clone of the task clones its generators
// so that it starts from a fresh generator state.

#include "Core/Source/Vector2.h"

#include <memory>

template <class T>
class NumberGenerator
{
public:
    virtual ~NumberGenerator() {}
    virtual T Generate() = 0;
    virtual std::shared_ptr<NumberGenerator<T> > Clone() const = 0;
};

template <class T>
class ConstNumberGenerator : public NumberGenerator<T>
{
public:
    explicit ConstNumberGenerator(T const& value) : mValue(value) {}

    T Generate() override { return mValue; }
    std::shared_ptr<NumberGenerator<T> > Clone() const override
    {
        return std::make_shared<ConstNumberGenerator<T> >(mValue);
    }

    T const& GetValue() const { return mValue; }

private:
    T mValue;
};

// Yields the start value, then adds one drawn step per call.
template <class T>
class IncrementNumberGenerator : public NumberGenerator<T>
{
public:
    // The start generator is drawn once, now.
    IncrementNumberGenerator(std::shared_ptr<NumberGenerator<T> > const& start,
                             std::shared_ptr<NumberGenerator<T> > const& step)
        : mStart(start), mStep(step), mCurrent(start->Generate())
    {
    }
    IncrementNumberGenerator(T const& start, T const& step)
        : mStart(std::make_shared<ConstNumberGenerator<T> >(start)),
          mStep(std::make_shared<ConstNumberGenerator<T> >(step)),
          mCurrent(start)
    {
    }

    T Generate() override
    {
        T const result = mCurrent;
        mCurrent += mStep->Generate();
        return result;
    }

    // The clone carries on from the value this one would yield next, and shares the
    // step generator rather than copying it.
    std::shared_ptr<NumberGenerator<T> > Clone() const override
    {
        return std::make_shared<IncrementNumberGenerator<T> >(std::make_shared<ConstNumberGenerator<T> >(mCurrent),
                                                              mStep);
    }

    T const& GetCurrent() const { return mCurrent; }

private:
    std::shared_ptr<NumberGenerator<T> > mStart;
    std::shared_ptr<NumberGenerator<T> > mStep;
    T mCurrent;
};

template <class T>
class Vector2Generator
{
public:
    virtual ~Vector2Generator() {}
    virtual Corvane::Vector2<T> Generate() = 0;
    virtual std::shared_ptr<Vector2Generator<T> > Clone() const = 0;
};

// A vector made of two scalar generators.
template <class T>
class Vector2ToVector2Generator : public Vector2Generator<T>
{
public:
    Vector2ToVector2Generator(std::shared_ptr<NumberGenerator<T> > const& x,
                              std::shared_ptr<NumberGenerator<T> > const& y)
        : mX(x), mY(y)
    {
    }
    explicit Vector2ToVector2Generator(Corvane::Vector2<T> const& value)
        : mX(std::make_shared<ConstNumberGenerator<T> >(value.x)),
          mY(std::make_shared<ConstNumberGenerator<T> >(value.y))
    {
    }

    // y is drawn before x: content that feeds both from one stateful generator
    // relies on that order.
    Corvane::Vector2<T> Generate() override
    {
        T const y = mY->Generate();
        T const x = mX->Generate();
        return Corvane::Vector2<T>(x, y);
    }

    std::shared_ptr<Vector2Generator<T> > Clone() const override
    {
        return std::make_shared<Vector2ToVector2Generator<T> >(mX->Clone(), mY->Clone());
    }

private:
    std::shared_ptr<NumberGenerator<T> > mX;
    std::shared_ptr<NumberGenerator<T> > mY;
};

inline std::shared_ptr<Vector2Generator<float> > ConstVector2FGenerator(Corvane::Vector2<float> const& value)
{
    return std::make_shared<Vector2ToVector2Generator<float> >(value);
}

#endif
