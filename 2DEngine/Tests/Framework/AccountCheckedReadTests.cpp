// Checked reads of account values, and the parsed file kept between reads.
#include "2DEngine/Tests/Framework/AccountTestSupport.h"

#include "2DEngine/Source/Framework/AccountFile.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace Corvane;
using namespace AccountTestSupport;

namespace
{
    class AccountCheckedReadTest : public AccountFixture
    {
    protected:
        Account WithValue(std::string const& text)
        {
            return MakeAccount("1.act", kDeclaration + "<account>" + Record("Value", text) + "</account>");
        }
    };

    struct sIntCase
    {
        char const* text;
        int expected;
        bool logged;
    };

    // Range 0..1, default 5: only a whole number in range is taken.
    sIntCase const kIntCases[] = {
        {"0", 0, false},   {"1", 1, false},   {" 1 ", 1, false}, {"7", 5, true},  {"-1", 5, true},
        {"1abc", 5, true}, {"abc", 5, true},  {"0x1", 5, true},  {"1.5", 5, true}, {"99999999999999999999", 5, true},
        {"", 5, true},
    };

    TEST_F(AccountCheckedReadTest, WholeNumbersInRangeAreTakenAnythingElseGivesTheDefaultAndALogLine)
    {
        for (sIntCase const& c : kIntCases)
        {
            Account account = WithValue(c.text);
            testing::internal::CaptureStderr();
            EXPECT_EQ(c.expected, account.ReadValue(L"Value", 5, 0, 1)) << c.text;
            std::string const log = testing::internal::GetCapturedStderr();
            EXPECT_EQ(c.logged, log.find("'Value'") != std::string::npos) << c.text << "\n" << log;
            if (c.logged)
            {
                EXPECT_NE(std::string::npos, log.find("'Ana'")) << log;
            }
        }
    }

    struct sFloatCase
    {
        char const* text;
        float expected;
    };

    TEST_F(AccountCheckedReadTest, NumbersOutsideTheRangeOrNotFiniteGiveTheDefault)
    {
        sFloatCase const cases[] = {{"0.25", 0.25f}, {"1", 1.0f},    {".5", 0.5f},   {"5e-1", 0.5f},
                                    {"0", 0.75f},    {"1.01", 0.75f}, {"nan", 0.75f}, {"inf", 0.75f},
                                    {"-0.5", 0.75f}, {"0.5x", 0.75f}, {"1e39", 0.75f}};
        for (sFloatCase const& c : cases)
        {
            Account account = WithValue(c.text);
            testing::internal::CaptureStderr();
            EXPECT_FLOAT_EQ(c.expected, account.ReadValue(L"Value", 0.75f, 0.01f, 1.0f)) << c.text;
            testing::internal::GetCapturedStderr();
        }
    }

    TEST_F(AccountCheckedReadTest, OnlyTheTwoWordsAreBooleans)
    {
        struct
        {
            char const* text;
            bool expected;
            bool logged;
        } const cases[] = {{"true", true, false}, {"false", false, false}, {"1", true, true},
                           {"True", true, true},  {"", true, true}};
        for (auto const& c : cases)
        {
            Account account = WithValue(c.text);
            testing::internal::CaptureStderr();
            EXPECT_EQ(c.expected, account.ReadCheckedValue(L"Value", true)) << c.text;
            EXPECT_EQ(c.logged, testing::internal::GetCapturedStderr().find("'Value'") != std::string::npos) << c.text;
        }
    }

    // A record whose value is gone is damage, as an unreadable one is; a key the file never held
    // is a value not chosen yet.
    TEST_F(AccountCheckedReadTest, ARecordWithNoValueIsLoggedAndAMissingKeyIsNot)
    {
        Account account = MakeAccount("1.act", kDeclaration + "<account><record name=\"Value\"/></account>");
        EXPECT_TRUE(account.HasRecord(L"Value"));
        EXPECT_FALSE(account.HasRecord(L"Missing"));
        testing::internal::CaptureStderr();
        EXPECT_EQ(5, account.ReadValue(L"Value", 5, 0, 9));
        EXPECT_FLOAT_EQ(0.5f, account.ReadValue(L"Value", 0.5f, 0.0f, 1.0f));
        EXPECT_TRUE(account.ReadCheckedValue(L"Value", true));
        std::string const log = testing::internal::GetCapturedStderr();
        size_t lines = 0;
        for (size_t at = log.find("'Value' in the account 'Ana' has no value"); at != std::string::npos;
             at = log.find("'Value' in the account 'Ana' has no value", at + 1))
            ++lines;
        EXPECT_EQ(3u, lines) << log;

        testing::internal::CaptureStderr();
        EXPECT_EQ(5, account.ReadValue(L"Missing", 5, 0, 9));
        EXPECT_FALSE(account.ReadCheckedValue(L"Missing", false));
        EXPECT_EQ("", testing::internal::GetCapturedStderr());
    }

    // --- the parsed file is kept ---

    TEST_F(AccountCheckedReadTest, ReadsAndWritesParseTheFileOnceUntilItChangesOnDisk)
    {
        std::string big = kDeclaration + "<account>" + Record("Corvane::AccountManager::Name", "Ana");
        for (int i = 0; i < 2000; ++i)
            big += Record("Filler" + std::to_string(i), std::string(40, 'x'));
        Account account = MakeAccount("1.act", big + Record("Level", "3") + "</account>");

        size_t const before = AccountFile::GetParseCount();
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(3, account.ReadValue(L"Level", 0));
        EXPECT_EQ(before + 1, AccountFile::GetParseCount());

        // A write keeps what it wrote; the next reads parse nothing.
        ASSERT_TRUE(account.WriteValue(L"Level", 4));
        ASSERT_TRUE(account.WriteValue(L"Sound", true));
        EXPECT_EQ(4, account.ReadValue(L"Level", 0));
        EXPECT_TRUE(account.ReadValue(L"Sound", false));
        EXPECT_EQ(L"Ana", account.ReadValue(L"Corvane::AccountManager::Name"));
        EXPECT_EQ(before + 1, AccountFile::GetParseCount());
        // What was kept is what is on disk.
        Account fresh = MakeAccount("2.act", mFolder.Read("1.act"));
        EXPECT_EQ(4, fresh.ReadValue(L"Level", 0));
        EXPECT_EQ(L"x", fresh.ReadValue(L"Filler1999").substr(0, 1));

        // Another program replaces the file: it is read again.
        mFolder.Write("1.act", kDeclaration + "<account>" + Record("Level", "9") + "</account>");
        EXPECT_EQ(9, account.ReadValue(L"Level", 0));
        EXPECT_EQ(9, account.ReadValue(L"Level", 0));
        EXPECT_EQ(before + 3, AccountFile::GetParseCount());
    }

    // A changed value is replaced in the file's bytes when the file is plain; the result is what
    // rebuilding the whole document gives, and reads back the same.
    TEST_F(AccountCheckedReadTest, AChangedValueGivesTheSameFileAsARebuild)
    {
        struct
        {
            char const* what;
            std::string file;
            std::wstring value;
        } const cases[] = {
            {"plain", kDeclaration + "<account>\r\n" + Record("A", "1") + Record("Key", "old") + "</account>\r\n",
             L"Ñandú <&\"'>"},
            {"plain, emptied", kDeclaration + "<account>\r\n" + Record("Key", "old") + "</account>\r\n", L""},
            {"with a comment", kDeclaration + "<account>\r\n<!-- <record name=\"Key\" value=\"old\"/> -->\r\n" +
                                   Record("Key", "old") + "</account>\r\n",
             L"new"},
            {"twice", kDeclaration + "<account>\r\n" + Record("Key", "old") + Record("Key", "old2") + "</account>\r\n",
             L"new"},
        };
        for (auto const& c : cases)
        {
            Account account = MakeAccount("1.act", c.file);
            EXPECT_EQ(L"old", account.ReadValue(L"Key").substr(0, 3)) << c.what;
            AccountFile::Bytes const original(c.file.begin(), c.file.end());
            AccountFile::Bytes const rebuilt = AccountFile::Rebuild(original, L"Key", c.value, AccountFile::kRebuild_Write).document;
            ASSERT_TRUE(account.WriteValue(L"Key", c.value)) << c.what;
            EXPECT_EQ(std::string(rebuilt.begin(), rebuilt.end()), mFolder.Read("1.act")) << c.what;
            EXPECT_EQ(c.value, account.ReadValue(L"Key")) << c.what;
            EXPECT_EQ(c.value, MakeAccount("2.act", mFolder.Read("1.act")).ReadValue(L"Key")) << c.what;
        }
    }

    TEST_F(AccountCheckedReadTest, AValueAlreadyStoredIsNotWrittenAgain)
    {
        Account account = WithValue("7");
        std::string const original = mFolder.Read("1.act");
        ASSERT_TRUE(account.WriteValue(L"Value", 7));
        EXPECT_EQ(original, mFolder.Read("1.act"));
        ASSERT_TRUE(account.WriteValue(L"Value", 8));
        EXPECT_EQ(8, account.ReadValue(L"Value", 0));
    }
}
