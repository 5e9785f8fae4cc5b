#include "qdl/Source/Game/LevelResourceFactory.h"

#include <cmath>
#include <cstdio>
#include <cwctype>
#include <type_traits>

#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Graphics/ImageList.h"

namespace
{

// Whether the text starts with a number: white space, a sign, then a digit, or
// (for a decimal) a point and a digit. "NaN", "inf" and "" are no numbers.
bool startsWithNumber(std::wstring const& text, bool decimal)
{
    size_t at = 0;
    while (at < text.size() && std::iswspace(static_cast<wint_t>(text[at])))
        ++at;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-'))
        ++at;
    if (decimal && at < text.size() && text[at] == L'.')
        ++at;
    return at < text.size() && text[at] >= L'0' && text[at] <= L'9';
}

std::string narrow(std::wstring const& text)
{
    return Corvane::TruncateStringWideToASCII(text);
}

std::string numberText(int value)
{
    return std::to_string(value);
}

std::string numberText(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

} // namespace

LevelNumbers::LevelNumbers(std::wstring const& manifest, Corvane::Label level_)
    : file(narrow(manifest) + ".xml"), level(level_), refused(false)
{
}

template <class Number>
Number LevelNumbers::refuse(std::wstring const& node, wchar_t const* attribute, std::wstring const& text,
                            char const* why, Number absent, Number low, Number high)
{
    bool const absentFits = absent >= low && absent <= high;
    Corvane::Internal::LogWrite("%s, level %s: %s \"%s\" of \"%s\" %s (it takes %s to %s); %s\n", file.c_str(),
                                level.GetString(), narrow(node).c_str(), narrow(attribute).c_str(),
                                narrow(text).c_str(), why, numberText(low).c_str(), numberText(high).c_str(),
                                absentFits ? "the value for none is used" : "the level is not used");
    if (!absentFits)
        refused = true;
    return absent;
}

template <class Number>
Number LevelNumbers::number(Corvane::IAttributeContainer const& element, std::wstring const& node,
                            wchar_t const* attribute, Number absent, Number low, Number high)
{
    if (!element.HasAttribute(attribute))
    {
        if (!(absent >= low && absent <= high))
            refuseLevel(narrow(node) + " has no \"" + narrow(attribute) + "\"");
        return absent;
    }
    std::wstring const text = element.GetAttribute(attribute);
    if (!startsWithNumber(text, std::is_floating_point<Number>::value))
        return refuse(node, attribute, text, "is no number", absent, low, high);
    Number const value = element.GetAttribute(attribute, absent);
    if (!std::isfinite(static_cast<double>(value)))
        return refuse(node, attribute, text, "is not finite", absent, low, high);
    if (value < low || value > high)
        return refuse(node, attribute, text, "is out of range", absent, low, high);
    return value;
}

int LevelNumbers::wholeNumber(Corvane::IAttributeContainer const& element, std::wstring const& node,
                              wchar_t const* attribute, int absent, int low, int high)
{
    return number(element, node, attribute, absent, low, high);
}

float LevelNumbers::decimalNumber(Corvane::IAttributeContainer const& element, std::wstring const& node,
                                  wchar_t const* attribute, float absent, float low, float high)
{
    return number(element, node, attribute, absent, low, high);
}

void LevelNumbers::pictureFrame(std::wstring const& node, wchar_t const* attribute, int value, int frame,
                                char const* pictures)
{
    if (!pictures || frame < 0)
        return;
    Corvane::AutoResource<Corvane::IImageList> const list(pictures);
    if (list && frame >= list->GetNumImages())
        refuseLevel(narrow(node) + " \"" + narrow(attribute) + "\" of " + numberText(value) + " has no picture in \"" +
                pictures + "\", which has " + numberText(list->GetNumImages()));
}

void LevelNumbers::refuseLevel(std::string const& reason)
{
    Corvane::Internal::LogWrite("%s, level %s: %s; the level is not used\n", file.c_str(), level.GetString(),
                                reason.c_str());
    refused = true;
}
