#ifndef CORVANE_EXTENSIONS_NUMBERGENERATOR_H
#define CORVANE_EXTENSIONS_NUMBERGENERATOR_H

#include <memory>

// A shared, cloneable source of values for the targets and durations of timed tasks.
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

private:
    T mValue;
};

#endif
