#include "Core/Source/XMLReader.h"

#include "Core/Tests/XMLTestSupport.h"

#include <gtest/gtest.h>

using namespace Corvane;
using XMLTest::Describe;
using XMLTest::ReadAll;
using XMLTest::Reader;

typedef std::vector<std::wstring> Elements;

// Normal case

TEST(XMLElementReader, IsConfinedToOneSubtree)
{
    std::unique_ptr<IXMLReader> reader = Reader("<a><b/></a><c/>");
    ASSERT_EQ(L"a", reader->ReadElement()->name);
    {
        XMLElementReader subtree(reader.get());
        // The caller reads the first element without asking.
        EXPECT_TRUE(subtree.IsEOF());
        EXPECT_EQ(L"<a>", Describe(*subtree.ReadElement()));
        EXPECT_EQ((Elements{L"<b>", L"</b>", L"</a>"}), ReadAll(subtree));
        EXPECT_TRUE(subtree.IsEOF());
        EXPECT_EQ(0.5f, subtree.GetProgress());
        EXPECT_EQ(reader->GetCurrentElement(), subtree.GetCurrentElement());
        EXPECT_EQ(reader->GetFileName(), subtree.GetFileName());
    }
    ASSERT_FALSE(reader->IsEOF());
    EXPECT_EQ(L"<c>", Describe(*reader->ReadElement()));
}

TEST(XMLElementReader, NestedSubtreesOfTheSameName)
{
    std::unique_ptr<IXMLReader> reader = Reader("<r><n><n>x</n></n><after/></r>");
    reader->ReadElement();
    reader->ReadElement();
    XMLElementReader subtree(reader.get());
    subtree.ReadElement();
    EXPECT_EQ((Elements{L"<n>", L"text[x]", L"</n>", L"</n>"}), ReadAll(subtree));
    EXPECT_EQ(L"<after>", Describe(*reader->ReadElement()));
}

TEST(CopyAllElements, ReplaysASubtree)
{
    std::unique_ptr<IXMLReader> reader = Reader("<a k='v'><b/></a><c/>");
    reader->ReadElement();
    XMLElementList list;
    {
        XMLElementReader subtree(reader.get());
        CopyAllElements(subtree, &list);
    }
    EXPECT_EQ(4u, list.GetCount());
    EXPECT_EQ(nullptr, list.GetCurrentElement());

    XMLElementList replay(list);
    std::vector<float> progress;
    Elements elements;
    while (!replay.IsEOF())
    {
        elements.push_back(Describe(*replay.ReadElement()));
        progress.push_back(replay.GetProgress());
    }
    EXPECT_EQ((Elements{L"<a k=v>", L"<b>", L"</b>", L"</a>"}), elements);
    EXPECT_EQ((std::vector<float>{0.25f, 0.5f, 0.75f, 1.0f}), progress);
    EXPECT_EQ(0, replay.GetCurLine());
    EXPECT_EQ(L"", replay.GetFileName());
    // The copy was independent of the original.
    EXPECT_EQ(nullptr, list.GetCurrentElement());
    EXPECT_EQ(L"<c>", Describe(*reader->ReadElement()));
}

// Invalid input

TEST(XMLElementReader, ADocumentEndingInsideTheSubtreeEndsIt)
{
    std::unique_ptr<IXMLReader> reader = Reader("<a><b><c>text");
    reader->ReadElement();
    XMLElementReader subtree(reader.get());
    subtree.ReadElement();
    EXPECT_EQ((Elements{L"<b>", L"<c>", L"text[text]"}), ReadAll(subtree));
    EXPECT_TRUE(subtree.IsEOF());
    EXPECT_THROW(subtree.ReadElement(), XMLError);
}

TEST(XMLElementReader, UnbalancedEndTagsEndTheSubtree)
{
    std::unique_ptr<IXMLReader> reader = Reader("<a></x></y><z/>");
    reader->ReadElement();
    XMLElementReader subtree(reader.get());
    subtree.ReadElement();
    EXPECT_EQ((Elements{L"</x>"}), ReadAll(subtree));
    EXPECT_THROW(subtree.ReadElement(), XMLError);
    // The wrapped reader stopped right after the subtree.
    EXPECT_EQ(L"</y>", Describe(*reader->ReadElement()));
}

TEST(XMLElementReader, WithoutACurrentElementThrows)
{
    std::unique_ptr<IXMLReader> reader = Reader("<a/>");
    XMLElementReader subtree(reader.get());
    EXPECT_THROW(subtree.ReadElement(), XMLError);
}

TEST(XMLElementList, EmptyAndPastTheEnd)
{
    XMLElementList list;
    EXPECT_TRUE(list.IsEOF());
    EXPECT_EQ(1.0f, list.GetProgress());
    EXPECT_THROW(list.ReadElement(), XMLError);
    list.AddElement(XMLElement(XMLElement::kText, L"only"));
    EXPECT_FALSE(list.IsEOF());
    EXPECT_EQ(L"only", list.ReadElement()->name);
    EXPECT_TRUE(list.IsEOF());
    EXPECT_THROW(list.ReadElement(), XMLError);
    // The failed read left the position alone.
    EXPECT_EQ(L"only", list.GetCurrentElement()->name);
}

// Non-ASCII names

TEST(CopyAllElements, KeepsSpanishNames)
{
    std::unique_ptr<IXMLReader> reader = Reader("<piña color='amarillo'>Ñandú</piña>");
    reader->ReadElement();
    XMLElementReader subtree(reader.get());
    XMLElementList list;
    CopyAllElements(subtree, &list);
    EXPECT_EQ((Elements{L"<piña color=amarillo>", L"text[Ñandú]", L"</piña>"}), ReadAll(list));
}
