#pragma once

#include "Core/Source/Stream.h"
#include "Core/Source/TextWriter.h"

#include <string>
#include <vector>

namespace Corvane
{
    class XMLElement;

    // Writes UTF-8 XML that CreateXMLReader reads back: lines end with CR LF, nothing is
    // indented, an element with nothing inside is closed in the short form. Characters above
    // U+FFFF are written as numeric references so that they survive a read.
    class XMLWriter
    {
    public:
        // Writes the XML declaration at once. The stream is not owned.
        explicit XMLWriter(IStream* stream);
        // Ends every element still open, innermost first; never throws.
        ~XMLWriter();

        void WriteStartElement(const wchar_t* name);
        // Only right after WriteStartElement or another WriteAttribute.
        void WriteAttribute(const wchar_t* name, const wchar_t* value);
        void WriteText(const wchar_t* text);
        void WriteText(const std::wstring& text);
        // Ends the innermost open element; does nothing when none is open.
        void WriteEndElement();
        // Replays an element read from a reader (an end element ends the innermost one).
        void WriteElement(const XMLElement& element);

    private:
        XMLWriter(const XMLWriter&) = delete;
        XMLWriter& operator=(const XMLWriter&) = delete;

        void WriteEscaped(const wchar_t* text, bool attribute);
        void WriteNumericReference(wchar_t character);

        TextWriter mWriter;
        int mTagOpen;
        std::vector<std::wstring> mOpenElements;
    };
}
