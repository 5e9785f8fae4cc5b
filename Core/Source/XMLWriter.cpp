#include "Core/Source/XMLWriter.h"

#include "Core/Source/Log.h"
#include "Core/Source/StringFormatter.h"
#include "Core/Source/XMLReader.h"

#include <exception>

namespace Corvane
{
    XMLWriter::XMLWriter(IStream* stream)
        : mWriter(stream), mTagOpen(0)
    {
        mWriter.WriteLine(L"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");
    }

    XMLWriter::~XMLWriter()
    {
        try
        {
            while (!mOpenElements.empty())
                WriteEndElement();
        }
        catch (const std::exception& error)
        {
            Internal::LogWrite("XMLWriter could not end its open elements: %s\n", error.what());
        }
        catch (...)
        {
            Log("XMLWriter could not end its open elements.\n");
        }
    }

    void XMLWriter::WriteStartElement(const wchar_t* name)
    {
        if (mTagOpen == 1)
            mWriter.WriteLine(L">");
        mWriter.Write(L"<");
        mWriter.Write(name);
        mOpenElements.push_back(name ? name : L"");
        mTagOpen = 1;
    }

    void XMLWriter::WriteAttribute(const wchar_t* name, const wchar_t* value)
    {
        mWriter.Write(L' ');
        mWriter.Write(name);
        mWriter.Write(L"=\"");
        WriteEscaped(value, true);
        mWriter.Write(L'"');
    }

    void XMLWriter::WriteText(const wchar_t* text)
    {
        if (mTagOpen == 1)
        {
            mWriter.Write(L">");
            mTagOpen = 0;
        }
        WriteEscaped(text, false);
    }

    void XMLWriter::WriteText(const std::wstring& text)
    {
        WriteText(text.c_str());
    }

    void XMLWriter::WriteEndElement()
    {
        if (mOpenElements.empty())
            return;
        // Popped first so that a failing stream cannot make the destructor retry forever.
        std::wstring name = mOpenElements.back();
        mOpenElements.pop_back();
        bool empty = mTagOpen == 1;
        mTagOpen = 0;
        if (empty)
            mWriter.WriteLine(L"/>");
        else
        {
            mWriter.Write(L"</");
            mWriter.Write(name);
            mWriter.WriteLine(L">");
        }
    }

    void XMLWriter::WriteElement(const XMLElement& element)
    {
        switch (element.kind)
        {
        case XMLElement::kStartElement:
            WriteStartElement(element.name.c_str());
            for (const auto& attribute : element.GetAttributes())
                WriteAttribute(attribute.first.c_str(), attribute.second.c_str());
            break;
        case XMLElement::kEndElement:
            WriteEndElement();
            break;
        case XMLElement::kText:
            WriteText(element.name);
            break;
        default:
            break;
        }
    }

    void XMLWriter::WriteEscaped(const wchar_t* text, bool attribute)
    {
        if (!text)
            return;
        for (; *text; ++text)
        {
            wchar_t character = *text;
            switch (character)
            {
            case L'&':
                mWriter.Write(L"&amp;");
                continue;
            case L'"':
                mWriter.Write(L"&quot;");
                continue;
            case L'<':
                mWriter.Write(L"&lt;");
                continue;
            case L'>':
                mWriter.Write(L"&gt;");
                continue;
            case L'\t':
            case L'\n':
            case L'\r':
                if (attribute)
                    WriteNumericReference(character);
                else
                    mWriter.Write(character);
                continue;
            default:
                break;
            }
            // The reader decodes UTF-8 only up to U+FFFF; a reference carries the rest.
            if ((character >= 0 && character < 32) || uint32_t(character) > 0xFFFF)
                WriteNumericReference(character);
            else
                mWriter.Write(character);
        }
    }

    void XMLWriter::WriteNumericReference(wchar_t character)
    {
        // Decimal without grouping: a comma would end the reference early.
        StringFormatter formatter(L"&#%1:d%;");
        formatter.Arg(static_cast<unsigned int>(character));
        mWriter.Write(formatter.c_str());
    }
}
