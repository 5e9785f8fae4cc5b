#include "Core/Source/XMLWriter.h"

#include "Core/Source/Error.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/XMLReader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace Corvane;

namespace
{
    const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n";

    std::string Bytes(const MemoryStream& stream)
    {
        return std::string(stream.GetData().begin(), stream.GetData().end());
    }

    // The bytes a writer leaves after the calls and its own destruction.
    std::string Write(const std::function<void(XMLWriter&)>& calls)
    {
        MemoryStream stream(L"out.xml");
        {
            XMLWriter writer(&stream);
            calls(writer);
        }
        return Bytes(stream);
    }

    // A stream that fails once a number of bytes were written.
    class BrokenStream : public MemoryStream
    {
    public:
        explicit BrokenStream(size_t limit) : MemoryStream(L"broken"), mLimit(limit) {}
        size_t Write(const void* buffer, size_t count) override
        {
            if (GetLength() + count > mLimit)
                CORVANE_THROW("disk full");
            return MemoryStream::Write(buffer, count);
        }

    private:
        size_t mLimit;
    };
}

// Normal case

TEST(XMLWriter, DeclarationOnly)
{
    EXPECT_EQ(kDeclaration, Write([](XMLWriter&) {}));
}

TEST(XMLWriter, EmptyElementWithAnAttribute)
{
    EXPECT_EQ(kDeclaration + "<a k=\"v\"/>\r\n", Write([](XMLWriter& w) {
                  w.WriteStartElement(L"a");
                  w.WriteAttribute(L"k", L"v");
                  w.WriteEndElement();
              }));
}

TEST(XMLWriter, TextStaysOnTheLineOfItsElement)
{
    EXPECT_EQ(kDeclaration + "<a>x</a>\r\n", Write([](XMLWriter& w) {
                  w.WriteStartElement(L"a");
                  w.WriteText(L"x");
                  w.WriteEndElement();
              }));
}

TEST(XMLWriter, ChildElementsGetLinesOfTheirOwn)
{
    EXPECT_EQ(kDeclaration + "<a>\r\n<b/>\r\n</a>\r\n", Write([](XMLWriter& w) {
                  w.WriteStartElement(L"a");
                  w.WriteStartElement(L"b");
                  w.WriteEndElement();
                  w.WriteEndElement();
              }));
}

TEST(XMLWriter, DestructionEndsOpenElements)
{
    EXPECT_EQ(kDeclaration + "<a>\r\n<b/>\r\n</a>\r\n", Write([](XMLWriter& w) {
                  w.WriteStartElement(L"a");
                  w.WriteStartElement(L"b");
              }));
    EXPECT_EQ(kDeclaration + "<a>\r\n<b>t</b>\r\n</a>\r\n", Write([](XMLWriter& w) {
                  w.WriteStartElement(L"a");
                  w.WriteStartElement(L"b");
                  w.WriteText(std::wstring(L"t"));
              }));
}

TEST(XMLWriter, EscapesTextAndAttributesByTheirRules)
{
    EXPECT_EQ(kDeclaration + "<a>a&lt;b &amp; c &quot;q&quot; 'x' &gt;\n\t\r&#1;&#31;</a>\r\n", Write([](XMLWriter& w) {
                  w.WriteStartElement(L"a");
                  w.WriteText(L"a<b & c \"q\" 'x' >\n\t\r\x01\x1F");
                  w.WriteEndElement();
              }));
    EXPECT_EQ(kDeclaration + "<a v=\"&#10;&#9;&#13;&amp;&lt;&gt;&quot;'\"/>\r\n", Write([](XMLWriter& w) {
                  w.WriteStartElement(L"a");
                  w.WriteAttribute(L"v", L"\n\t\r&<>\"'");
                  w.WriteEndElement();
              }));
}

TEST(XMLWriter, CharactersAboveTheBasicPlaneBecomeReferences)
{
    EXPECT_EQ(kDeclaration + "<a v=\"&#128512;\">&#1114111;\xC3\xA9</a>\r\n", Write([](XMLWriter& w) {
                  w.WriteStartElement(L"a");
                  w.WriteAttribute(L"v", L"\U0001F600");
                  w.WriteText(L"\U0010FFFF\u00E9");
                  w.WriteEndElement();
              }));
}

TEST(XMLWriter, WriteElementReplaysAttributesInNameOrder)
{
    XMLElement start(XMLElement::kStartElement, L"e");
    start.SetAttributes({{L"z", L"1"}, {L"a", L"2"}});
    XMLElement text(XMLElement::kText, L"t");
    XMLElement end(XMLElement::kEndElement, L"ignored");
    EXPECT_EQ(kDeclaration + "<e a=\"2\" z=\"1\">t</e>\r\n", Write([&](XMLWriter& w) {
                  w.WriteElement(start);
                  w.WriteElement(text);
                  w.WriteElement(end);
              }));
}

// Invalid input

TEST(XMLWriter, EndingWithNothingOpenWritesNothing)
{
    EXPECT_EQ(kDeclaration, Write([](XMLWriter& w) { w.WriteEndElement(); }));
}

TEST(XMLWriter, StreamFailuresPassThroughAndDestructionDoesNotThrow)
{
    BrokenStream stream(kDeclaration.size() + 3);
    {
        XMLWriter writer(&stream);
        writer.WriteStartElement(L"a");
        EXPECT_THROW(writer.WriteStartElement(L"longer"), RuntimeError);
        // The destructor meets the same failure and swallows it.
    }
    EXPECT_EQ(kDeclaration + "<a>", Bytes(stream));
}

// Non-ASCII names

TEST(XMLWriter, WritesSpanishAsUTF8)
{
    EXPECT_EQ(kDeclaration + "<jugador nombre=\"Mar\xC3\xAD" "a\">\xC2\xA1" "Ol\xC3\xA9!</jugador>\r\n", Write([](XMLWriter& w) {
                  w.WriteStartElement(L"jugador");
                  w.WriteAttribute(L"nombre", L"María");
                  w.WriteText(L"¡Olé!");
                  w.WriteEndElement();
              }));
}
