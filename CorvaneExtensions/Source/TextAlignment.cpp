#include "CorvaneExtensions/Source/TextAlignment.h"

namespace Corvane
{

HAlignment StringToHAlignment(std::wstring const& text, HAlignment defaultValue)
{
    if (text == L"left")
        return kHAlignment_Left;
    if (text == L"center")
        return kHAlignment_Center;
    if (text == L"right")
        return kHAlignment_Right;
    return defaultValue;
}

VAlignment StringToVAlignment(std::wstring const& text, VAlignment defaultValue)
{
    if (text == L"top")
        return kVAlignment_Top;
    if (text == L"middle")
        return kVAlignment_Middle;
    if (text == L"bottom")
        return kVAlignment_Bottom;
    return defaultValue;
}

} // namespace Corvane
