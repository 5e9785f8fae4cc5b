// libFuzzer target for the XML reader: any input must end in elements or an XMLError, never in
// a crash, a hang or a read out of bounds; every attribute value and text read must survive
// a write and a second read unchanged.
#include "Core/Source/MemoryStream.h"
#include "Core/Source/XMLReader.h"
#include "Core/Source/XMLWriter.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace Corvane;

namespace
{
    std::unique_ptr<IXMLReader> ReaderOver(MemoryStream& stream)
    {
        stream.Seek(kSeekBegin, 0);
        return std::unique_ptr<IXMLReader>(CreateXMLReader(&stream));
    }

    // Writes <e v="value">value</e> and checks that it reads back as written.
    void CheckRoundTrip(const std::wstring& value)
    {
        MemoryStream stream(L"roundtrip");
        {
            XMLWriter writer(&stream);
            writer.WriteStartElement(L"e");
            writer.WriteAttribute(L"v", value.c_str());
            writer.WriteText(value);
            writer.WriteEndElement();
        }
        std::unique_ptr<IXMLReader> reader = ReaderOver(stream);
        // The line break after the declaration comes first, as white-space text.
        XMLElement* lineBreak = reader->ReadElement();
        if (lineBreak->kind != XMLElement::kText || lineBreak->name != L"\r\n")
            std::abort();
        XMLElement* start = reader->ReadElement();
        if (start->kind != XMLElement::kStartElement || start->GetAttribute(L"v") != value)
            std::abort();
        if (!value.empty())
        {
            XMLElement* text = reader->ReadElement();
            if (text->kind != XMLElement::kText || text->name != value)
                std::abort();
        }
        XMLElement* end = reader->ReadElement();
        if (end->kind != XMLElement::kEndElement || end->name != L"e")
            std::abort();
    }

    void ReadDocument(MemoryStream& stream)
    {
        std::unique_ptr<IXMLReader> reader = ReaderOver(stream);
        int subtrees = 0;
        while (!reader->IsEOF())
        {
            XMLElement* element = reader->ReadElement();
            reader->GetProgress();
            reader->GetCurLine();
            if (element->kind == XMLElement::kStartElement)
            {
                for (const auto& attribute : element->GetAttributes())
                    CheckRoundTrip(attribute.second);
                // Confine every other start element to its subtree and replay it.
                if (++subtrees % 2 == 0)
                {
                    XMLElementList list;
                    XMLElementReader subtree(reader.get());
                    CopyAllElements(subtree, &list);
                    while (!list.IsEOF())
                        list.ReadElement();
                }
            }
            else if (element->kind == XMLElement::kText)
                CheckRoundTrip(element->name);
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryStream stream(L"fuzz.xml");
    if (size > 0)
        stream.Write(data, size);
    try
    {
        ReadDocument(stream);
    }
    catch (const XMLError&)
    {
    }
    return 0;
}
