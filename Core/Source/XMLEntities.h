#pragma once

#include <string>

namespace Corvane
{
    namespace Internal
    {
        struct sXMLEntity
        {
            const wchar_t* name;
            wchar_t character;
        };

        const int kXMLEntityCount = 131;
        extern const sXMLEntity kXMLEntities[kXMLEntityCount];

        // Case-sensitive; false when the name is not an entity.
        bool LookUpXMLEntity(const std::wstring& name, wchar_t& character);

        // Character data or an attribute value as the reader gives it: entities and character
        // references replaced; an unknown entity becomes "!name!".
        std::wstring DecodeXMLEntities(const std::wstring& text);
    }
}
