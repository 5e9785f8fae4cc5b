#pragma once

#include "Core/Source/StringUtils.h"

#include <locale>
#include <map>
#include <sstream>
#include <string>

namespace Corvane
{
    // Typed read access to the attributes of an XML element.
    class IAttributeContainer
    {
    public:
        typedef std::map<std::wstring, std::wstring> AttributeMap;

        virtual ~IAttributeContainer() {}

        virtual const AttributeMap& GetAttributes() const = 0;
        // Names compare exactly, with case.
        virtual bool HasAttribute(std::wstring const& name) const = 0;
        // The value, or the empty text when absent.
        virtual std::wstring GetAttribute(std::wstring const& name) const = 0;
        // The stored characters (valid while the container lives and the attribute is not
        // replaced), or defaultValue when absent. Present but empty gives an empty text.
        virtual wchar_t const* GetAttribute(std::wstring const& name, wchar_t const* defaultValue) const = 0;
        // Base-10 with leading white space and a sign; text without digits gives 0, not the
        // default; values beyond the int range are clamped.
        virtual int GetAttribute(std::wstring const& name, int const& defaultValue) const = 0;
        // The leading decimal number (exponents accepted); text without one gives 0.
        virtual float GetAttribute(std::wstring const& name, float const& defaultValue) const = 0;
        // "true" or "false" (lower case, leading white space allowed); anything else gives
        // the default.
        virtual bool GetAttribute(std::wstring const& name, bool const& defaultValue) const = 0;
    };

    // The one implementation: an ordered, case-sensitive map of name to wide text.
    // Header-only because the core library's XMLElement derives from it.
    class AttributeContainer : public IAttributeContainer
    {
    public:
        AttributeContainer() {}
        explicit AttributeContainer(const AttributeMap& attributes) : mAttributes(attributes) {}
        AttributeContainer(const AttributeContainer& other) = default;
        AttributeContainer& operator=(const AttributeContainer& other) = default;
        // Moved, not copied, when a list of them grows.
        AttributeContainer(AttributeContainer&& other) = default;
        AttributeContainer& operator=(AttributeContainer&& other) = default;
        ~AttributeContainer() override {}

        void SetAttributes(const AttributeMap& attributes) { mAttributes = attributes; }

        const AttributeMap& GetAttributes() const override { return mAttributes; }

        bool HasAttribute(std::wstring const& name) const override
        {
            return mAttributes.find(name) != mAttributes.end();
        }

        std::wstring GetAttribute(std::wstring const& name) const override
        {
            AttributeMap::const_iterator found = mAttributes.find(name);
            return found == mAttributes.end() ? std::wstring() : found->second;
        }

        wchar_t const* GetAttribute(std::wstring const& name, wchar_t const* defaultValue) const override
        {
            AttributeMap::const_iterator found = mAttributes.find(name);
            return found == mAttributes.end() ? defaultValue : found->second.c_str();
        }

        int GetAttribute(std::wstring const& name, int const& defaultValue) const override
        {
            AttributeMap::const_iterator found = mAttributes.find(name);
            return found == mAttributes.end() ? defaultValue : wtoi(found->second);
        }

        float GetAttribute(std::wstring const& name, float const& defaultValue) const override
        {
            AttributeMap::const_iterator found = mAttributes.find(name);
            return found == mAttributes.end() ? defaultValue : wtof(found->second);
        }

        bool GetAttribute(std::wstring const& name, bool const& defaultValue) const override
        {
            AttributeMap::const_iterator found = mAttributes.find(name);
            if (found == mAttributes.end())
                return defaultValue;
            std::wistringstream stream(found->second);
            stream.imbue(std::locale::classic());
            bool value = false;
            stream >> std::boolalpha >> value;
            return stream.fail() ? defaultValue : value;
        }

    protected:
        AttributeMap mAttributes;
    };
}
