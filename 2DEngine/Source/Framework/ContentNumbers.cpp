#include "2DEngine/Source/Framework/ContentNumbers.h"

#include <climits>
#include <cmath>
#include <limits>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"

namespace Corvane
{
    namespace NumberRanges
    {
        namespace
        {
            double const kHuge = std::numeric_limits<double>::max();
        }

        NumberRange const kFinite = {"a number", -kHuge, kHuge};
        NumberRange const kPosition = {"a position", -kHuge, kHuge};
        NumberRange const kSize = {"a size", 0.0, kHuge};
        NumberRange const kTime = {"a time", 0.0, 60.0};
        NumberRange const kFraction = {"a fraction", 0.0, 1.0};
        NumberRange const kCount = {"a count", 0.0, double(INT_MAX)};
        NumberRange const kFrameRate = {"a frame rate", 0.01, 1000.0};
    }

    namespace
    {
        thread_local ContentReadScope const* tInnermost = nullptr;
    }

    bool NumberFits(double value, NumberRange const& range)
    {
        return std::isfinite(value) && value >= range.min && value <= range.max;
    }

    ContentReadScope::ContentReadScope(std::wstring const& file, std::wstring const& node)
        : mOuter(tInnermost), mFile(file), mNode(node)
    {
        tInnermost = this;
    }

    ContentReadScope::ContentReadScope(std::wstring const& step)
        : mOuter(tInnermost), mFile(mOuter ? mOuter->mFile : std::wstring()),
          mNode(mOuter && !mOuter->mNode.empty() ? mOuter->mNode + L"/" + step : step)
    {
        tInnermost = this;
    }

    ContentReadScope::~ContentReadScope()
    {
        tInnermost = mOuter;
    }

    std::string ContentReadPlace()
    {
        ContentReadScope const* const scope = tInnermost;
        if (!scope)
            return "(content)";
        std::string place =
            ConvertStringWideToUTF8String(scope->mFile.empty() ? std::wstring(L"(no file)") : scope->mFile);
        if (!scope->mNode.empty())
            place += ": " + ConvertStringWideToUTF8String(scope->mNode);
        return place;
    }

    void ReportContentFault(std::string const& fault)
    {
        Internal::LogWrite("%s: %s\n", ContentReadPlace().c_str(), fault.c_str());
    }

    void ReportRefusedNumber(wchar_t const* attribute, std::wstring const& text, NumberRange const& range,
                             double fallback)
    {
        std::string const place = ContentReadPlace();
        Internal::LogWrite("%s: \"%s\" is \"%s\", which %s cannot take; %g is used.\n", place.c_str(),
                           ConvertStringWideToUTF8String(attribute).c_str(),
                           ConvertStringWideToUTF8String(text).c_str(), range.what, fallback);
    }

    namespace
    {
        template <class T>
        T ReadChecked(IAttributeContainer const& attributes, wchar_t const* name, T defaultValue,
                      NumberRange const& range)
        {
            std::wstring const key(name);
            if (!attributes.HasAttribute(key))
                return defaultValue;
            T const value = attributes.GetAttribute(key, defaultValue);
            if (NumberFits(value, range))
                return value;
            ReportRefusedNumber(name, attributes.GetAttribute(key), range, defaultValue);
            return defaultValue;
        }
    }

    float ReadNumber(IAttributeContainer const& attributes, wchar_t const* name, float defaultValue,
                     NumberRange const& range)
    {
        return ReadChecked(attributes, name, defaultValue, range);
    }

    int ReadNumber(IAttributeContainer const& attributes, wchar_t const* name, int defaultValue,
                   NumberRange const& range)
    {
        return ReadChecked(attributes, name, defaultValue, range);
    }
}
