#include "2DEngine/Tests/Framework/AccountTestSupport.h"

#include "Core/Source/StringUtils.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>

using namespace Corvane;
using namespace AccountTestSupport;

namespace
{
    std::string const kSmall = kDeclaration + "<account>\r\n" + Record("Corvane::AccountManager::Name", "Ana") +
                               Record("Level", "3") + "</account>\r\n";

    class AccountTest : public AccountFixture
    {
    };
}

// --- normal case ---

TEST_F(AccountTest, TypedValuesAreStoredAsText)
{
    Account account = MakeAccount("1.act", kSmall);
    EXPECT_TRUE(account.WriteValue(L"Count", 7));
    EXPECT_TRUE(account.WriteValue(L"Sound", true));
    EXPECT_TRUE(account.WriteValue(L"Volume", 0.25f));
    EXPECT_TRUE(account.WriteValue(std::wstring(L"Hints"), false));
    EXPECT_EQ(account.ReadValue(L"Count"), L"7");
    EXPECT_EQ(account.ReadValue(L"Sound"), L"true");
    EXPECT_EQ(account.ReadValue(L"Count", 0), 7);
    EXPECT_EQ(account.ReadValue(L"Sound", false), true);
    EXPECT_EQ(account.ReadValue(L"Hints", true), false);
    EXPECT_FLOAT_EQ(account.ReadValue(L"Volume", 1.0f), 0.25f);
    EXPECT_EQ(account.ReadValue(L"Level", 0), 3);
}

TEST_F(AccountTest, WritingAKeyAgainReplacesItsRecordInPlace)
{
    Account account = MakeAccount("1.act", kSmall);
    EXPECT_TRUE(account.WriteValue(L"Level", 4));
    EXPECT_EQ(mFolder.Read("1.act"), kDeclaration + "<account>\r\n" + Record("Corvane::AccountManager::Name", "Ana") +
                                         Record("Level", "4") + "</account>\r\n");
    EXPECT_TRUE(account.WriteValue(L"Stickers", L"a"));
    EXPECT_TRUE(account.WriteValue(L"Level", 5));
    EXPECT_EQ(mFolder.Read("1.act"), kDeclaration + "<account>\r\n" + Record("Corvane::AccountManager::Name", "Ana") +
                                         Record("Level", "5") + Record("Stickers", "a") + "</account>\r\n");
}

TEST_F(AccountTest, MissingKeysGiveTheDefaultAndBadNumbersTheContainersRule)
{
    Account account = MakeAccount("1.act", kSmall);
    EXPECT_EQ(account.ReadValue(L"Absent", 5), 5);
    EXPECT_FLOAT_EQ(account.ReadValue(L"Absent", 0.5f), 0.5f);
    EXPECT_EQ(account.ReadValue(L"Absent", true), true);
    EXPECT_EQ(account.ReadValue(L"Absent"), L"");
    EXPECT_TRUE(account.WriteValue(L"Word", L"abc"));
    EXPECT_EQ(account.ReadValue(L"Word", 5), 0);
    EXPECT_EQ(account.ReadValue(L"Word", true), true);
    // Keys compare with case.
    EXPECT_EQ(account.ReadValue(L"level", 9), 9);
}

TEST_F(AccountTest, TwoRecordsOfOneKeyReadTheLastAndAreBothReplaced)
{
    Account account = MakeAccount("1.act", kDeclaration + "<account>" + Record("K", "first") + Record("Other", "o") +
                                               Record("K", "second") + "</account>");
    EXPECT_EQ(account.ReadValue(L"K"), L"second");
    EXPECT_TRUE(account.WriteValue(L"K", L"third"));
    EXPECT_EQ(mFolder.Read("1.act"), kDeclaration + "<account>\r\n" + Record("K", "third") + Record("Other", "o") +
                                         Record("K", "third") + "</account>\r\n");
}

TEST_F(AccountTest, DeleteRemovesOnlyThatKey)
{
    Account account = MakeAccount("1.act", kSmall);
    EXPECT_TRUE(account.WriteValue(L"Stickers", L"x"));
    EXPECT_TRUE(account.DeleteValue(L"Level"));
    EXPECT_EQ(account.ReadValue(L"Level"), L"");
    EXPECT_EQ(account.ReadValue(L"Stickers"), L"x");
    EXPECT_EQ(account.ReadValue(L"Corvane::AccountManager::Name"), L"Ana");
    std::string const before = mFolder.Read("1.act");
    EXPECT_TRUE(account.DeleteValue(L"Never"));
    EXPECT_EQ(mFolder.Read("1.act"), before);
}

TEST_F(AccountTest, BinaryValuesRoundTripThroughBase64)
{
    Account account = MakeAccount("1.act", kSmall);
    unsigned char bytes[256];
    for (int i = 0; i < 256; ++i)
        bytes[i] = static_cast<unsigned char>(i);
    EXPECT_EQ(account.WriteBinary(L"Blob", bytes, sizeof(bytes)), sizeof(bytes));
    unsigned char back[300] = {};
    EXPECT_EQ(account.ReadBinary(L"Blob", back, sizeof(back)), sizeof(bytes));
    EXPECT_EQ(std::memcmp(bytes, back, sizeof(bytes)), 0);
    EXPECT_EQ(account.ReadBinary(L"Blob", back, 10), 10u);

    EXPECT_EQ(account.WriteBinary(L"Empty", nullptr, 0), 0u);
    EXPECT_TRUE(account.ReadValue(L"Empty").empty());
    EXPECT_NE(mFolder.Read("1.act").find("name=\"Empty\" value=\"\""), std::string::npos);
    EXPECT_EQ(account.ReadBinary(L"Empty", back, sizeof(back)), 0u);
    EXPECT_EQ(account.ReadBinary(L"Absent", back, sizeof(back)), 0u);
}

TEST_F(AccountTest, ValueStreamStoresItsContentWhenDeleted)
{
    Account account = MakeAccount("1.act", kSmall);
    IStream* stream = account.OpenValueStream(L"Page");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->GetLength(), 0u);
    stream->Write("Ma", 2);
    delete stream;
    EXPECT_EQ(account.ReadValue(L"Page"), L"TWE=");
    std::unique_ptr<IStream> again(account.OpenValueStream(L"Page"));
    char read[4] = {};
    EXPECT_EQ(again->Tell(), 0u);
    EXPECT_EQ(again->Read(read, sizeof(read)), 2u);
    EXPECT_EQ(std::string(read, 2), "Ma");
}

// --- invalid input ---

TEST_F(AccountTest, AMissingFileGetsAFreshRootHoldingTheRecord)
{
    Account account(FileAddress(kFileSystemPartition_UserData, L".", L"404", L".act"), L"Ana", false);
    EXPECT_EQ(account.ReadValue(L"Level", 1), 1);
    EXPECT_TRUE(account.DeleteValue(L"Level"));
    EXPECT_FALSE(mFolder.Exists("404.act"));
    EXPECT_TRUE(account.WriteValue(L"Level", 2));
    EXPECT_EQ(mFolder.Read("404.act"), kDeclaration + "<account>\r\n" + Record("Level", "2") + "</account>\r\n");
}

TEST_F(AccountTest, AFileThatCannotBeReadIsLeftAlone)
{
    // A folder where the file should be opens but cannot be read, even for the super-user.
    mFolder.Write("7.act/inside", "keep");
    Account account(FileAddress(kFileSystemPartition_UserData, L".", L"7", L".act"), L"Ana", false);
    EXPECT_EQ(account.ReadValue(L"Level", 4), 4);
    EXPECT_FALSE(account.WriteValue(L"Level", 2));
    EXPECT_FALSE(account.DeleteValue(L"Level"));
    EXPECT_EQ(mFolder.Read("7.act/inside"), "keep");
    EXPECT_EQ(Listing(), (std::vector<std::string>{"7.act"}));
}

TEST_F(AccountTest, AFileWithoutTheAccountRootGetsOne)
{
    Account account = MakeAccount("1.act", kDeclaration + "<other a=\"1\"/>\r\n");
    EXPECT_TRUE(account.WriteValue(L"Level", 2));
    EXPECT_EQ(account.ReadValue(L"Level", 0), 2);
    EXPECT_EQ(mFolder.Read("1.act"),
              kDeclaration + "<other a=\"1\"/>\r\n<account>\r\n" + Record("Level", "2") + "</account>\r\n");
}

TEST_F(AccountTest, DamagedXMLIsKeptAsBadAndWhatCameBeforeIsSaved)
{
    std::string const damaged = kDeclaration + "<account>\r\n" + Record("Corvane::AccountManager::Name", "Ana") +
                                Record("Level", "3") + "<record name=\"Sti";
    Account account = MakeAccount("1.act", damaged);
    EXPECT_EQ(account.ReadValue(L"Level", 0), 3);
    EXPECT_TRUE(account.WriteValue(L"Stickers", L"cat"));
    EXPECT_EQ(mFolder.Read("1.act.bad"), damaged);
    EXPECT_EQ(account.ReadValue(L"Level", 0), 3);
    EXPECT_EQ(account.ReadValue(L"Stickers"), L"cat");
    EXPECT_EQ(account.ReadValue(L"Corvane::AccountManager::Name"), L"Ana");
    EXPECT_EQ(Listing(), (std::vector<std::string>{"1.act", "1.act.bad"}));
}

TEST_F(AccountTest, DeletingFromADamagedFileNeverThrows)
{
    std::string const damaged = kDeclaration + "<account>" + Record("Level", "3") + Record("Keep", "k") + "<record x=1";
    Account account = MakeAccount("1.act", damaged);
    EXPECT_NO_THROW(EXPECT_TRUE(account.DeleteValue(L"Level")));
    EXPECT_EQ(mFolder.Read("1.act.bad"), damaged);
    EXPECT_EQ(account.ReadValue(L"Level"), L"");
    EXPECT_EQ(account.ReadValue(L"Keep"), L"k");
}

TEST_F(AccountTest, UnbalancedTagsAreClosedSoundly)
{
    Account account = MakeAccount("1.act", kDeclaration + "<account><record name=\"A\" value=\"1\"></x></account>");
    EXPECT_TRUE(account.WriteValue(L"B", 2));
    EXPECT_EQ(account.ReadValue(L"A", 0), 1);
    EXPECT_EQ(account.ReadValue(L"B", 0), 2);
    EXPECT_EQ(mFolder.Read("1.act"), kDeclaration + "<account>\r\n" + Record("A", "1") + Record("B", "2") + "</account>\r\n");
}

TEST_F(AccountTest, ElementsThatWouldNotReadBackAreLeftOutOfARewrite)
{
    // The reader takes "< !x>" as an element named "!x", which written back would end every
    // later read of the file.
    Account account = MakeAccount("1.act", kDeclaration + "<account>< !x>" + Record("Level", "3") + "</!x></account>");
    EXPECT_TRUE(account.WriteValue(L"Stickers", L"a"));
    EXPECT_EQ(mFolder.Read("1.act"),
              kDeclaration + "<account>\r\n" + Record("Level", "3") + Record("Stickers", "a") + "</account>\r\n");
    EXPECT_EQ(account.ReadValue(L"Level", 0), 3);
}

// --- non-ASCII names ---

TEST_F(AccountTest, SpanishTextAndCharactersBeyondTheBasicPlaneSurvive)
{
    Account account = MakeAccount("1.act", kSmall, L"Íñigo");
    std::wstring const text = L"Señora Ñandú \U0001F600 <&\"'>";
    EXPECT_TRUE(account.WriteValue(L"Saludo", text));
    EXPECT_TRUE(account.WriteValue(L"Pegatina_camión", 1));
    EXPECT_EQ(account.ReadValue(L"Saludo"), text);
    EXPECT_EQ(account.ReadValue(L"Pegatina_camión", 0), 1);
}

// --- failure leaves state unchanged ---

TEST_F(AccountTest, ARefusedRenameLeavesTheFileAndNoTemporary)
{
    Account account = MakeAccount("1.act", kSmall);
    mPartition->failReplace = true;
    EXPECT_FALSE(account.WriteValue(L"Level", 9));
    EXPECT_FALSE(account.DeleteValue(L"Level"));
    EXPECT_EQ(mFolder.Read("1.act"), kSmall);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"1.act"}));
}

TEST_F(AccountTest, ADamagedFileIsNotRewrittenWhenItsCopyCannotBeKept)
{
    std::string const damaged = kDeclaration + "<account>" + Record("Level", "3") + "<rec";
    Account account = MakeAccount("1.act", damaged);
    mPartition->refuseWrites = true;
    EXPECT_FALSE(account.WriteValue(L"Level", 4));
    EXPECT_EQ(mFolder.Read("1.act"), damaged);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"1.act"}));
}

// Every prefix of a failing write, failing with a short count or with an exception, leaves the
// original byte for byte and readable, and no temporary behind.
TEST_F(AccountTest, AWriteThatFailsAfterAnyNumberOfBytesLosesNothing)
{
    for (bool throws : {false, true})
    {
        Account account = MakeAccount("1.act", kSmall);
        mPartition->throwOnFailure = throws;
        bool succeeded = false;
        long budget = 0;
        for (; budget < 4096 && !succeeded; ++budget)
        {
            mPartition->writeBudget = budget;
            succeeded = account.WriteValue(L"Stickers", L"camión,grúa");
            if (succeeded)
                break;
            ASSERT_EQ(mFolder.Read("1.act"), kSmall) << "budget " << budget << " throws " << throws;
            mPartition->writeBudget = -1;
            ASSERT_EQ(account.ReadValue(L"Level", 0), 3);
            ASSERT_EQ(Listing(), (std::vector<std::string>{"1.act"})) << "budget " << budget;
        }
        ASSERT_TRUE(succeeded);
        mPartition->writeBudget = -1;
        EXPECT_GT(budget, static_cast<long>(kSmall.size()));
        EXPECT_EQ(account.ReadValue(L"Stickers"), L"camión,grúa");
        EXPECT_EQ(account.ReadValue(L"Level", 0), 3);
    }
}

// --- writes deferred together ---

// Settings saved together (changed in place, added, removed, in nested scopes) reach the file in
// one write at the end of the outermost scope, with the bytes the same writes give one by one.
TEST_F(AccountTest, DeferredWritesReachTheFileOnceWithTheSameBytes)
{
    std::string const damaged =
        kDeclaration + "<account>" + Record("Corvane::AccountManager::Name", "Ana") + Record("Level", "3") + "<rec";
    for (std::string const& original : {kSmall, damaged})
    {
        std::map<std::wstring, int> replaced;
        mPartition->beforeReplace = [&](FileAddress const& target) { ++replaced[target.GetName() + target.GetExtension()]; };
        auto const change = [](Account& account) {
            EXPECT_TRUE(account.WriteValue(L"Level", 4));
            EXPECT_TRUE(account.WriteValue(L"Volume", 0.5f));
            EXPECT_TRUE(account.DeleteValue(L"Corvane::AccountManager::Name"));
            EXPECT_TRUE(account.WriteValue(L"Level", 5));
        };
        Account oneByOne = MakeAccount("1.act", original);
        change(oneByOne);
        Account together = MakeAccount("2.act", original);
        {
            Account::DeferredWrites const outer(&together);
            {
                Account::DeferredWrites const inner(&together);
                change(together);
            }
            EXPECT_EQ(together.ReadValue(L"Level", 0), 5);
            EXPECT_EQ(mFolder.Read("2.act"), original);
        }
        EXPECT_EQ(replaced[L"1.act"], 4);
        EXPECT_EQ(replaced[L"2.act"], 1);
        EXPECT_EQ(mFolder.Read("2.act"), mFolder.Read("1.act"));
        // Alone again, a write reaches the file at once.
        EXPECT_TRUE(together.WriteValue(L"Level", 6));
        EXPECT_EQ(replaced[L"2.act"], 2);
        EXPECT_EQ(Account(together.GetFile(), L"Ana", false).ReadValue(L"Level", 0), 6);
    }
}

// What the file could not take stays in the running game, and the next write, even one that
// changes nothing, stores it with its own value.
TEST_F(AccountTest, DeferredWritesThatCannotBeStoredLeaveTheFileAndStayUntilALaterWrite)
{
    Account account = MakeAccount("1.act", kSmall);
    Account::DeferredWrites together(&account);
    EXPECT_TRUE(account.WriteValue(L"Level", 4));
    EXPECT_TRUE(account.WriteValue(L"Stickers", L"a"));
    mPartition->failReplace = true;
    EXPECT_FALSE(together.Finish());
    EXPECT_EQ(mFolder.Read("1.act"), kSmall);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"1.act"}));
    EXPECT_EQ(account.ReadValue(L"Level", 0), 4);
    EXPECT_EQ(account.ReadValue(L"Stickers"), L"a");
    EXPECT_EQ(account.GetUnsavedKeys(), (std::vector<std::wstring>{L"Level", L"Stickers"}));
    EXPECT_FALSE(account.WriteValue(L"Level", 4));
    EXPECT_FALSE(account.SaveUnsaved());

    mPartition->failReplace = false;
    EXPECT_TRUE(account.WriteValue(L"Level", 4));
    EXPECT_TRUE(account.GetUnsavedKeys().empty());
    Account const reread(account.GetFile(), L"Ana", false);
    EXPECT_EQ(reread.ReadValue(L"Level", 0), 4);
    EXPECT_EQ(reread.ReadValue(L"Stickers"), L"a");
}
