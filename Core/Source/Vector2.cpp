#include "Core/Source/Vector2.h"

#include "Core/Source/ValueText.h"

#include <cstdint>

namespace
{
    template <class T, class Read>
    Corvane::Vector2<T> ParsePair(std::wstring const& text, Read read)
    {
        size_t position = 0;
        T x = 0;
        T y = 0;
        if (!read(text, position, x))
            return Corvane::Vector2<T>(0, 0);
        if (position < text.size() && text[position] == L',')
        {
            ++position;
            if (read(text, position, y))
                return Corvane::Vector2<T>(x, y);
        }
        return Corvane::Vector2<T>(x, x);
    }
}

namespace Corvane
{
    template <>
    void Vector2<int>::SetLength(int length)
    {
        int current = static_cast<int>(GetLength());
        if (current == 0)
            return;
        // 64-bit intermediates: the product of a component and the length may not fit an int.
        x = static_cast<int>(static_cast<int64_t>(x) * length / current);
        y = static_cast<int>(static_cast<int64_t>(y) * length / current);
    }

    template <>
    void Vector2<float>::SetLength(float length)
    {
        float current = static_cast<float>(GetLength());
        if (current == 0.0f)
            return;
        x = x * length / current;
        y = y * length / current;
    }

    template <>
    Vector2<int> Vector2<int>::FromString(std::wstring const& text)
    {
        return ParsePair<int>(text, ValueText::ReadInt);
    }

    template <>
    Vector2<float> Vector2<float>::FromString(std::wstring const& text)
    {
        return ParsePair<float>(text, ValueText::ReadFloat);
    }

    template <>
    std::wstring Vector2<int>::ToString() const
    {
        return std::to_wstring(x) + L"," + std::to_wstring(y);
    }

    template <>
    std::wstring Vector2<float>::ToString() const
    {
        return ValueText::FormatFloat(x) + L"," + ValueText::FormatFloat(y);
    }
}
