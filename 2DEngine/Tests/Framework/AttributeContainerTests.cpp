#include "2DEngine/Source/Framework/AttributeContainer.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Corvane;

typedef IAttributeContainer::AttributeMap Map;

namespace
{
    AttributeContainer With(const std::wstring& name, const std::wstring& value)
    {
        return AttributeContainer(Map{{name, value}});
    }

    int IntOf(const std::wstring& text, int defaultValue = 99)
    {
        return With(L"v", text).GetAttribute(L"v", defaultValue);
    }

    float FloatOf(const std::wstring& text, float defaultValue = 99.0f)
    {
        return With(L"v", text).GetAttribute(L"v", defaultValue);
    }

    bool BoolOf(const std::wstring& text, bool defaultValue)
    {
        return With(L"v", text).GetAttribute(L"v", defaultValue);
    }
}

// Normal case

TEST(AttributeContainer, PresentAndAbsentAttributes)
{
    AttributeContainer container(Map{{L"name", L"Fenn"}, {L"count", L"3"}});
    const IAttributeContainer& attributes = container;
    EXPECT_TRUE(attributes.HasAttribute(L"name"));
    EXPECT_FALSE(attributes.HasAttribute(L"Name"));
    EXPECT_EQ(L"Fenn", attributes.GetAttribute(L"name"));
    EXPECT_EQ(L"", attributes.GetAttribute(L"missing"));
    EXPECT_STREQ(L"Fenn", attributes.GetAttribute(L"name", L"default"));
    const wchar_t* fallback = L"default";
    EXPECT_EQ(fallback, attributes.GetAttribute(L"missing", fallback));
    EXPECT_EQ(3, attributes.GetAttribute(L"count", 7));
    EXPECT_EQ(7, attributes.GetAttribute(L"missing", 7));
    EXPECT_EQ(2.5f, attributes.GetAttribute(L"missing", 2.5f));
    EXPECT_TRUE(attributes.GetAttribute(L"missing", true));
    EXPECT_EQ(2u, attributes.GetAttributes().size());
}

TEST(AttributeContainer, IntegerReads)
{
    EXPECT_EQ(12, IntOf(L"12abc"));
    EXPECT_EQ(0, IntOf(L"abc"));
    EXPECT_EQ(-7, IntOf(L"  -7"));
    EXPECT_EQ(0, IntOf(L"0x1F"));
    EXPECT_EQ(3, IntOf(L"3.9"));
    EXPECT_EQ(0, IntOf(L""));
}

TEST(AttributeContainer, FloatReads)
{
    EXPECT_FLOAT_EQ(0.5f, FloatOf(L".5"));
    EXPECT_FLOAT_EQ(1500.0f, FloatOf(L"1.5e3"));
    EXPECT_FLOAT_EQ(-2.25f, FloatOf(L" -2.25px"));
    EXPECT_EQ(0.0f, FloatOf(L"abc"));
}

TEST(AttributeContainer, BoolReads)
{
    EXPECT_FALSE(BoolOf(L"false", true));
    EXPECT_TRUE(BoolOf(L"true", false));
    EXPECT_TRUE(BoolOf(L"  true", false));
    EXPECT_TRUE(BoolOf(L"1", true));
    EXPECT_FALSE(BoolOf(L"1", false));
    EXPECT_TRUE(BoolOf(L"True", true));
    EXPECT_FALSE(BoolOf(L"True", false));
    EXPECT_TRUE(BoolOf(L"", true));
    EXPECT_FALSE(BoolOf(L"", false));
}

// Invalid input

TEST(AttributeContainer, OutOfRangeIntegersAreClampedNotWrapped)
{
    EXPECT_EQ(INT_MAX, IntOf(L"4294967297"));
    EXPECT_EQ(INT_MAX, IntOf(L"99999999999999999999999"));
    EXPECT_EQ(INT_MIN, IntOf(L"-4294967297"));
    EXPECT_EQ(INT_MAX, IntOf(L"2147483647"));
    EXPECT_EQ(INT_MIN, IntOf(L"-2147483648"));
}

TEST(AttributeContainer, EmptyValueIsNotTheDefault)
{
    AttributeContainer container = With(L"label", L"");
    const wchar_t* text = container.GetAttribute(L"label", L"default");
    ASSERT_NE(nullptr, text);
    EXPECT_STREQ(L"", text);
    EXPECT_TRUE(container.HasAttribute(L"label"));
}

// A failure leaves state unchanged

TEST(AttributeContainer, CopiesAreIndependent)
{
    AttributeContainer original(Map{{L"a", L"1"}});
    AttributeContainer copy(original);
    copy.SetAttributes(Map{{L"b", L"2"}});
    EXPECT_TRUE(original.HasAttribute(L"a"));
    EXPECT_FALSE(original.HasAttribute(L"b"));
    EXPECT_FALSE(copy.HasAttribute(L"a"));
    AttributeContainer assigned;
    assigned = original;
    EXPECT_EQ(L"1", assigned.GetAttribute(L"a"));
    // A read that falls back to the default changes nothing.
    EXPECT_TRUE(original.GetAttribute(L"a", true));
    EXPECT_EQ(L"1", original.GetAttribute(L"a"));
}

// Non-ASCII names

TEST(AttributeContainer, SpanishNamesAndValues)
{
    AttributeContainer container(Map{{L"año", L"2009"}, {L"título", L"El León"}});
    EXPECT_EQ(2009, container.GetAttribute(L"año", 0));
    EXPECT_STREQ(L"El León", container.GetAttribute(L"título", L""));
    EXPECT_FALSE(container.HasAttribute(L"Año"));
}
