#include "Core/Source/XMLReader.h"
#include "Core/Source/XMLWriter.h"

#include "Core/Source/MemoryStream.h"
#include "Core/Tests/XMLTestSupport.h"

#include <gtest/gtest.h>

using namespace Corvane;

namespace
{
    // Every character class the writer escapes differently, plus Spanish and the astral planes.
    std::wstring Awkward()
    {
        std::wstring text = L"a<b>&c\"d'e\tf\ng\rh ñ€ ";
        for (wchar_t c = 1; c < 32; ++c)
            text += c;
        text += L"\U0001F600\U0010FFFF\uFFFD\u00A0";
        return text;
    }

    void ExpectRoundTrip(const std::wstring& value)
    {
        MemoryStream stream(L"roundtrip.xml");
        {
            XMLWriter writer(&stream);
            writer.WriteStartElement(L"account");
            writer.WriteStartElement(L"record");
            writer.WriteAttribute(L"key", value.c_str());
            writer.WriteText(value);
            writer.WriteEndElement();
            writer.WriteStartElement(L"empty");
            writer.WriteAttribute(L"v", L"");
        }
        stream.Seek(kSeekBegin, 0);
        std::unique_ptr<IXMLReader> reader(CreateXMLReader(&stream));
        std::vector<XMLElement> elements;
        while (!reader->IsEOF())
        {
            XMLElement* element = reader->ReadElement();
            // Line breaks between tags come back as white-space text.
            if (element->kind == XMLElement::kText && element->name == L"\r\n")
                continue;
            elements.push_back(*element);
        }
        ASSERT_EQ(7u, elements.size());
        EXPECT_EQ(L"account", elements[0].name);
        EXPECT_EQ(L"record", elements[1].name);
        EXPECT_EQ(value, elements[1].GetAttribute(L"key"));
        EXPECT_EQ(XMLElement::kText, elements[2].kind);
        EXPECT_EQ(value, elements[2].name);
        EXPECT_EQ(XMLElement::kEndElement, elements[3].kind);
        EXPECT_EQ(L"empty", elements[4].name);
        EXPECT_TRUE(elements[4].HasAttribute(L"v"));
        EXPECT_EQ(L"", elements[4].GetAttribute(L"v"));
        EXPECT_EQ(L"empty", elements[5].name);
        EXPECT_EQ(L"account", elements[6].name);
    }
}

TEST(XMLRoundTrip, AwkwardTextSurvivesWriteThenRead)
{
    ExpectRoundTrip(Awkward());
}

TEST(XMLRoundTrip, SpanishTextSurvives)
{
    ExpectRoundTrip(L"¿Dónde está el pingüino? ¡Aquí, señor Muñoz!");
}

TEST(XMLRoundTrip, ReplayingAReadDocumentWritesTheSameBytes)
{
    std::string original = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
                           "<level name=\"Nivel 1\" z=\"&lt;&amp;\">\r\n<pile count=\"3\"/>\r\n<say>Hola &#128512;</say>\r\n</level>\r\n";
    std::unique_ptr<MemoryStream> source = XMLTest::Source(original);
    std::unique_ptr<IXMLReader> reader(CreateXMLReader(source.get()));
    MemoryStream copy(L"copy.xml");
    {
        XMLWriter writer(&copy);
        while (!reader->IsEOF())
        {
            XMLElement* element = reader->ReadElement();
            if (element->kind == XMLElement::kText && element->name == L"\r\n")
                continue;
            writer.WriteElement(*element);
        }
    }
    EXPECT_EQ(original, std::string(copy.GetData().begin(), copy.GetData().end()));
}
