#pragma once

#include <cstddef>
#include <string>

// Reading and printing numbers in value-type text, always in the C locale so that content
// written as "0.5" reads the same for a player whose locale uses a decimal comma.
namespace Corvane
{
    namespace ValueText
    {
        // Skips white space, reads an optionally signed decimal integer at position, clamps it
        // to the int range, and moves position past it. False (position unchanged) without digits.
        bool ReadInt(std::wstring const& text, size_t& position, int& value);
        // The same for a float in the C locale.
        bool ReadFloat(std::wstring const& text, size_t& position, float& value);
        // Shortest text that reads back to the same float.
        std::wstring FormatFloat(float value);
    }
}
