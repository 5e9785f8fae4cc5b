#include "Core/Source/XMLReader.h"

#include "Core/Source/XMLEntities.h"
#include "Core/Tests/XMLTestSupport.h"
#include "Core/Tests/Support/StderrCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace Corvane;
using XMLTest::ErrorOf;
using XMLTest::ReadAll;
using XMLTest::Reader;

typedef std::vector<std::wstring> Elements;

// Normal case

TEST(XMLReader, EmptyElementTagGivesStartAndEnd)
{
    std::unique_ptr<IXMLReader> reader = Reader("<a x='1' y=\"2\"/>");
    ASSERT_FALSE(reader->IsEOF());
    XMLElement* start = reader->ReadElement();
    EXPECT_EQ(XMLElement::kStartElement, start->kind);
    EXPECT_EQ(L"a", start->name);
    EXPECT_EQ(L"1", start->GetAttribute(L"x"));
    EXPECT_EQ(2, start->GetAttribute(L"y", 0));
    EXPECT_EQ(start, reader->GetCurrentElement());
    ASSERT_FALSE(reader->IsEOF());
    XMLElement* end = reader->ReadElement();
    EXPECT_EQ(XMLElement::kEndElement, end->kind);
    EXPECT_EQ(L"a", end->name);
    EXPECT_TRUE(end->GetAttributes().empty());
    EXPECT_TRUE(reader->IsEOF());
}

TEST(XMLReader, WhiteSpaceBetweenTagsIsText)
{
    EXPECT_EQ((Elements{L"<a>", L"text[\n  ]", L"<b>", L"</b>", L"text[\n]", L"</a>"}),
              ReadAll("<a>\n  <b/>\n</a>"));
    // Text keeps its white space; white space at the very start and end is dropped.
    EXPECT_EQ((Elements{L"<p>", L"text[ two  words ]", L"</p>"}), ReadAll("\r\n <p> two  words </p>\r\n "));
}

TEST(XMLReader, DecodesEntitiesInTextAndAttributes)
{
    EXPECT_EQ((Elements{L"<t>", L"text[x & y AB !foo! \x00E9]", L"</t>"}),
              ReadAll("<t>x &amp; y &#65;&#x42; &foo; &eacute;</t>"));
    EXPECT_EQ((Elements{L"<t v=<\"'>>", L"</t>"}), ReadAll("<t v='&lt;&quot;&apos;&gt;'/>"));
    EXPECT_EQ((Elements{L"text[\x20AC\x2122\x2026\x00FF]"}), ReadAll("&euro;&trade;&hellip;&yuml;"));
}

TEST(XMLReader, EntityQuirks)
{
    // Entity names are case-sensitive; an upper-case X is not hexadecimal.
    EXPECT_EQ((Elements{L"text[!AMP! \x00C9]"}), ReadAll("&AMP; &Eacute;"));
    EXPECT_EQ((Elements{L"text[\x0D0D]"}), ReadAll("&#X41;"));
    // Decoding resumes after the next ';'; an entity without one takes the rest.
    EXPECT_EQ((Elements{L"text[A def]"}), ReadAll("&#65 abc; def"));
    EXPECT_EQ((Elements{L"text[AT!T rocks!]"}), ReadAll("AT&T rocks"));
    EXPECT_EQ((Elements{L"text[&]"}), ReadAll("&amp"));
}

TEST(XMLReader, TheEntityTableHoldsItsNamesOnce)
{
    std::set<std::wstring> names;
    for (const Internal::sXMLEntity& entity : Internal::kXMLEntities)
    {
        EXPECT_TRUE(names.insert(entity.name).second) << entity.name;
        wchar_t character = 0;
        EXPECT_TRUE(Internal::LookUpXMLEntity(entity.name, character));
        EXPECT_EQ(entity.character, character);
    }
    EXPECT_EQ(131u, names.size());
    wchar_t character = 0;
    EXPECT_FALSE(Internal::LookUpXMLEntity(L"alpha", character));
    EXPECT_TRUE(Internal::LookUpXMLEntity(L"nbsp", character));
    EXPECT_EQ(160, character);
    EXPECT_TRUE(Internal::LookUpXMLEntity(L"OElig", character));
    EXPECT_EQ(338, character);
}

TEST(XMLReader, CommentsAndProcessingInstructionsAreSkippedAndNest)
{
    EXPECT_EQ((Elements{L"<r>", L"</r>"}), ReadAll("<?xml version=\"1.0\"?><!-- a <!-- b --> c --><r/>"));
    EXPECT_EQ((Elements{L"text[\n]", L"<r>", L"</r>"}), ReadAll("<?xml version=\"1.0\"?>\n<r/>"));
    // Overlapping partial matches still find the terminator.
    EXPECT_EQ((Elements{L"<r>", L"</r>"}), ReadAll("<!-- x ---><? y ?" "?><r/>"));
    EXPECT_EQ((Elements{L"<r>", L"text[a]", L"</r>"}), ReadAll("<r><!-- <b/> -->a</r>"));
}

TEST(XMLReader, TagSyntaxCorners)
{
    // The last of a duplicated attribute wins, and the tag is logged with its file and
    // line; white space before '=' belongs to the name.
    {
        TestSupport::StderrCapture log;
        EXPECT_EQ((Elements{L"<r>", L"text[\n]", L"<a k=2>", L"</a>", L"</r>"}), ReadAll("<r>\n<a k='1' k='2'/></r>"));
        std::string const logged = log.Take();
        EXPECT_NE(std::string::npos, logged.find("test.xml(2): <a> gives the attribute \"k\" twice")) << logged;
    }
    EXPECT_EQ((Elements{L"<a k =v>", L"</a>"}), ReadAll("<a k ='v'/>"));
    // Anything after an end tag's name is skipped.
    EXPECT_EQ((Elements{L"<a>", L"</a>"}), ReadAll("< a\t></a junk >"));
    // Nesting is the consumer's concern.
    EXPECT_EQ((Elements{L"<a>", L"</b>"}), ReadAll("<a></b>"));
}

TEST(XMLReader, ReportsLineFileNameAndProgress)
{
    std::unique_ptr<MemoryStream> source = XMLTest::Source("<a>\n<b/>\n</a>", L"levels.xml");
    std::unique_ptr<IXMLReader> reader(CreateXMLReader(source.get()));
    EXPECT_EQ(L"levels.xml", reader->GetFileName());
    EXPECT_EQ(0.0f, reader->GetProgress());
    reader->ReadElement();
    EXPECT_EQ(1, reader->GetCurLine());
    while (!reader->IsEOF())
        reader->ReadElement();
    EXPECT_EQ(3, reader->GetCurLine());
    EXPECT_EQ(1.0f, reader->GetProgress());
}

TEST(XMLReader, ReadsFromAStreamWithoutDirectAccess)
{
    class PlainStream : public MemoryStream
    {
    public:
        PlainStream() : MemoryStream(L"plain") {}
        unsigned GetCapabilities() const override { return kStreamCanRead | kStreamCanSeek; }
        size_t ReadOptimized(void*&, size_t) override { throw std::logic_error("not direct"); }
    } source;
    std::string document = "<big>" + std::string(40000, 'x') + "</big>";
    source.Write(document.data(), document.size());
    source.Seek(kSeekBegin, 0);
    std::unique_ptr<IXMLReader> reader(CreateXMLReader(&source));
    Elements elements = ReadAll(*reader);
    ASSERT_EQ(3u, elements.size());
    EXPECT_EQ(40006u, elements[1].size());
}

TEST(XMLReader, EmptySource)
{
    std::unique_ptr<IXMLReader> reader = Reader("");
    EXPECT_TRUE(reader->IsEOF());
    EXPECT_TRUE(std::isnan(reader->GetProgress()));
    EXPECT_EQ(nullptr, reader->GetCurrentElement());
    EXPECT_TRUE(Reader(" \r\n\t ")->IsEOF());
}

// Invalid input: messages word for word

TEST(XMLReader, ErrorMessages)
{
    EXPECT_EQ("unknown(-1): Expected quote, got ' '", ErrorOf("<a x = '1'/>"));
    EXPECT_EQ("unknown(-1): Expected quote, got 'b'", ErrorOf("<a x=b/>"));
    EXPECT_EQ("unknown(-1): UnnamedElement", ErrorOf("<>"));
    EXPECT_EQ("unknown(-1): UnnamedElement", ErrorOf("<r>< ></r>"));
    EXPECT_EQ("unknown(-1): Couldn't eat '!--'", ErrorOf("<!DOCTYPE html><r/>"));
    EXPECT_EQ("unknown(-1): Couldn't eat '!--'", ErrorOf("<r><![CDATA[x]]></r>"));
    EXPECT_EQ("unknown(-1): Couldn't eat '>'", ErrorOf("<a/ >"));
    EXPECT_EQ("unknown(-1): EOF while eating '='", ErrorOf("<a x='1'"));
    EXPECT_EQ("unknown(-1): EOF while eating '='", ErrorOf("<a"));
    EXPECT_EQ("unknown(-1): EOF while eating '>'", ErrorOf("<a></a"));
    EXPECT_EQ("unknown(-1): EOF while eating '''", ErrorOf("<a x='1"));
    EXPECT_EQ("unknown(-1): EOF while eating '\"'", ErrorOf("<a x="));
    EXPECT_EQ("unknown(-1): EOF while eating '!--'", ErrorOf("<!-"));
}

TEST(XMLReader, FormatErrorFillsFileLineAndMessage)
{
    EXPECT_EQ(L"levels.xml(1,234): oops", XMLError::FormatError(L"levels.xml", 1234, L"oops"));
    XMLError error(L"f", 3, L"m", "source.cpp", 42, "void f()");
    EXPECT_STREQ("f(3): m", error.what());
    EXPECT_EQ("source.cpp", error.GetFile());
    EXPECT_EQ(42, error.GetLine());
}

TEST(XMLReader, UnclosedCommentsAndInstructionsEndInAnError)
{
    EXPECT_EQ("unknown(-1): EOF while eating '-->'", ErrorOf("<r/><!-- never closed"));
    EXPECT_EQ("unknown(-1): EOF while eating '-->'", ErrorOf("<?xml <!-- inner ?>"));
    EXPECT_EQ("unknown(-1): EOF while eating '?>'", ErrorOf("<?xml version='1.0'"));
    EXPECT_EQ("unknown(-1): EOF while eating '-->'", ErrorOf("<!--" + std::string(100000, '<') + "!--"));
    // Deep nesting does not exhaust the stack.
    std::string deep;
    for (int i = 0; i < 200000; ++i)
        deep += "<!--";
    EXPECT_EQ("unknown(-1): EOF while eating '-->'", ErrorOf(deep));
}

TEST(XMLReader, BadReferencesBecomeReplacementCharacters)
{
    EXPECT_EQ((Elements{L"text[\xFFFD|\xFFFD|\xFFFD|\xFFFD|\xFFFD]"}),
              ReadAll("&#0;|&#;|&#x110000;|&#99999999999999999999;|&#xD800;"));
    EXPECT_EQ((Elements{L"text[\x10FFFF]"}), ReadAll("&#x10FFFF;"));
    std::wstring longName(200, L'n');
    std::string longNameUtf8(200, 'n');
    EXPECT_EQ((Elements{L"text[!" + longName + L"!x]"}), ReadAll("&" + longNameUtf8 + ";x"));
    EXPECT_EQ((Elements{L"<a v=!" + longName + L"!>", L"</a>"}), ReadAll("<a v='&" + longNameUtf8 + "'/>"));
}

TEST(XMLReader, ReadingPastTheEndThrowsInsteadOfCrashing)
{
    std::unique_ptr<IXMLReader> reader = Reader("<a/>");
    reader->ReadElement();
    reader->ReadElement();
    EXPECT_TRUE(reader->IsEOF());
    EXPECT_THROW(reader->ReadElement(), XMLError);
    EXPECT_EQ(nullptr, reader->GetCurrentElement());
}

TEST(XMLReader, AFailedReaderEndsInsteadOfParsingGarbage)
{
    std::unique_ptr<IXMLReader> reader = Reader("<a><!DOCTYPE x><b/></a>");
    EXPECT_EQ(L"a", reader->ReadElement()->name);
    EXPECT_THROW(reader->IsEOF(), XMLError);
    // A failure leaves the element already returned intact.
    EXPECT_EQ(L"a", reader->GetCurrentElement()->name);
    EXPECT_TRUE(reader->IsEOF());
}

TEST(XMLReader, BinaryGarbageNeverCrashes)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 7919 + 13) % 256);
    for (size_t cut = 0; cut < garbage.size(); cut += 97)
    {
        std::string input = "<a b='" + garbage.substr(cut) + "'>" + garbage.substr(0, cut);
        try
        {
            ReadAll(input);
        }
        catch (const XMLError&)
        {
        }
    }
}

// Non-ASCII names

TEST(XMLReader, SpanishNamesAndValues)
{
    EXPECT_EQ((Elements{L"<canción año=2009 título=El León>", L"text[¡Olé!]", L"</canción>"}),
              ReadAll("<canción año='2009' título='El Le&oacute;n'>¡Olé!</canción>"));
    // An exception text turns what ASCII cannot hold into '?'.
    EXPECT_EQ("unknown(-1): Expected quote, got '?'", ErrorOf("<a x=ñ/>"));
}
