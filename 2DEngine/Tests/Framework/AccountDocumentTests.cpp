// The flat reading of account documents gives what the general reader gives.
#include "2DEngine/Source/Framework/AccountFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Corvane;
using namespace Corvane::AccountFile;

namespace
{
    std::shared_ptr<sDocument> Parse(std::string const& text, eParse how)
    {
        return ParseDocument(Bytes(text.begin(), text.end()), how);
    }

    // Every record name of the document, and one it does not have.
    std::vector<std::wstring> KeysOf(sDocument const& document)
    {
        std::vector<std::wstring> keys(1, L"Missing");
        for (sRecord const& record : document.records)
            keys.push_back(TextOf(document, record.name));
        return keys;
    }

    // Both documents give the same answer for every key.
    void ExpectSameRecords(sDocument const& flat, sDocument const& general, std::string const& name)
    {
        for (std::wstring const& key : KeysOf(general))
        {
            std::wstring flatValue = L"unset";
            std::wstring generalValue = L"unset";
            EXPECT_EQ(FindValue(general, key, &generalValue), FindValue(flat, key, &flatValue)) << name;
            EXPECT_EQ(generalValue, flatValue) << name;
            EXPECT_EQ(CountRecords(general, key), CountRecords(flat, key)) << name;
        }
    }

    struct sCase
    {
        char const* name;
        std::string text;
        bool flat;
    };

    std::string const kWritten = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<account>\r\n"
                                 "<record name=\"A\" value=\"1\"/>\r\n<record name=\"B\" value=\"x y\"/>\r\n</account>\r\n";

    std::vector<sCase> const kCases = {
        {"as written", kWritten, true},
        {"entities and UTF-8", "<account><record name=\"Caf\xc3\xa9\" value=\"&lt;&amp;&#9;&#x1F600;&bogus;&#0;\"/></account>", true},
        {"quotes, no blanks, a key twice", "<account><record name='A' value='say \"hi\"'/><record name=\"A\"value=\"2\"/></account>", true},
        {"sequences cut by the quote", "<account><record name=\"N\" value=\"ab\xc3\"/><record name=\"M\" value=\"\xff\xe2\x82\"/></account>", true},
        {"NUL and controls", std::string("<account><record name=\"A\" value=\"a") + '\0' + "b\x01\"/></account>", true},
        {"no records", "<?xml?><account>\n</account>", true},
        {"empty texts", "<account><record name=\"\" value=\"\"/></account>", true},
        {"comment", "<account><!-- c --><record name=\"A\" value=\"1\"/></account>", false},
        {"comment in the declaration", "<?xml <!-- ?> -->?><account><record name=\"A\" value=\"1\"/></account>", false},
        {"other attribute", "<account><record name=\"A\" value=\"1\" extra=\"2\"/><record name=\"B\" value=\"2\"/></account>", false},
        {"no value", "<account><record name=\"A\"/><record name=\"B\" value=\"2\"/></account>", false},
        {"value first", "<account><record value=\"1\" name=\"A\"/></account>", false},
        {"attribute twice", "<account><record name=\"A\" value=\"1\" value=\"2\"/></account>", false},
        {"end tags", "<account><record name=\"A\" value=\"1\"></record></account>", false},
        {"text after", "<account><record name=\"A\" value=\"1\"/></account>x", false},
        {"byte order mark", "\xef\xbb\xbf<account><record name=\"A\" value=\"1\"/></account>", false},
        {"cut short", "<account><record name=\"A\" value=\"1\"/><record name=\"B\" value=\"2\"/><record name=\"C\" val", false},
        {"damaged inside", "<account><record name=\"A\" value=\"1\"/><record name=\"B\" value=2/></account>", false},
        {"empty", "", false},
    };

    TEST(AccountDocument, TheFlatReadingGivesTheGeneralReadersRecordsDamageAndRebuilds)
    {
        for (sCase const& c : kCases)
        {
            std::shared_ptr<sDocument> const flat = Parse(c.text, kParse_Any);
            std::shared_ptr<sDocument> const general = Parse(c.text, kParse_General);
            EXPECT_EQ(c.flat, flat->flat) << c.name;
            EXPECT_EQ(general->damaged, flat->damaged) << c.name;
            EXPECT_EQ(general->errorType, flat->errorType) << c.name;
            EXPECT_EQ(general->errorMessage, flat->errorMessage) << c.name;
            ExpectSameRecords(*flat, *general, c.name);
            for (std::wstring const& key : {KeysOf(*general).back(), std::wstring(L"New")})
            {
                for (eRebuild mode : {kRebuild_Write, kRebuild_Delete})
                {
                    sRebuildResult const a = Rebuild(*flat, key, L"<v\xe9>", mode);
                    sRebuildResult const b = Rebuild(*general, key, L"<v\xe9>", mode);
                    EXPECT_EQ(b.document, a.document) << c.name;
                    EXPECT_EQ(b.keyFound, a.keyFound) << c.name;
                }
            }
        }
    }

    // A value replaced in the bytes moves the records after it; every record still reads as the
    // bytes now say.
    TEST(AccountDocument, AValueReplacedInTheBytesLeavesEveryRecordReadable)
    {
        std::shared_ptr<sDocument> const document =
            Parse(kWritten.substr(0, kWritten.size() - 12) + "<record name=\"C\" value=\"&amp;\"/>\r\n</account>\r\n",
                  kParse_Any);
        ASSERT_TRUE(document->flat);
        struct
        {
            wchar_t const* key;
            wchar_t const* value;
        } const steps[] = {{L"A", L"longer value"}, {L"B", L"z"}, {L"A", L"1234567890ab"}, {L"A", L"<&\"\t\xe9>"},
                           {L"C", L"plain"},        {L"A", L"0"}};
        for (auto const& step : steps)
        {
            ASSERT_TRUE(ReplaceInPlace(*document, step.key, step.value)) << step.value;
            std::wstring value;
            EXPECT_TRUE(FindValue(*document, step.key, &value));
            EXPECT_EQ(step.value, value);
            std::string const text(document->bytes.begin(), document->bytes.end());
            std::shared_ptr<sDocument> const reread = Parse(text, kParse_General);
            EXPECT_FALSE(reread->damaged) << text;
            ExpectSameRecords(*document, *reread, text);
        }
    }
}
