#include "2DEngine/Tests/Framework/AccountTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ctime>

#include <sys/time.h>

using namespace Corvane;
using namespace AccountTestSupport;

namespace
{
    struct RecordingHandler : IAccountChangeHandler
    {
        explicit RecordingHandler(std::string* log) : mLog(log) {}
        void OnBeforeAccountChange() override { *mLog += "before "; }
        void OnAfterAccountChange() override { *mLog += "after "; }
        std::string* mLog;
    };

    std::string AccountText(std::string const& name, bool current)
    {
        return kDeclaration + "<account>\r\n" + Record("Corvane::AccountManager::Name", name) +
               Record("Corvane::AccountManager::IsCurrent", current ? "true" : "false") + "</account>\r\n";
    }

    class AccountManagerTest : public AccountFixture
    {
    protected:
        std::string FileOf(Account const* account) const
        {
            std::wstring const name = account->GetFile().GetFileName();
            return mFolder.Read(std::string(name.begin(), name.end()));
        }
    };
}

// --- normal case ---

TEST_F(AccountManagerTest, FirstStartMakesACurrentPlayerWithExactlyTheTwoRecords)
{
    AccountManager* manager = GetAccountManager();
    ASSERT_EQ(manager, GetAccountManager());
    ASSERT_EQ(manager->GetAccounts().size(), 1u);
    Account* player = manager->GetCurrentAccount();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->GetName(), L"Player");
    EXPECT_TRUE(player->IsCurrent());
    EXPECT_EQ(FileOf(player), AccountText("Player", true));
    std::vector<std::string> const files = Listing();
    ASSERT_EQ(files.size(), 1u);
    std::string const stem = files[0].substr(0, files[0].find('.'));
    EXPECT_EQ(files[0].substr(stem.size()), ".act");
    EXPECT_LE(stem.size(), 8u);
    for (char c : stem)
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c)));
}

TEST_F(AccountManagerTest, ExistingAccountsAreFoundAndTheCurrentOneKept)
{
    mFolder.Write("100.act", AccountText("Ana", false));
    mFolder.Write("200.ACT", AccountText("Íñigo", true));
    mFolder.Write("300.act.tmp", AccountText("Leftover", true));
    mFolder.Write("400.act.bad", AccountText("Damaged", true));
    AccountManager manager;
    ASSERT_EQ(manager.GetAccounts().size(), 2u);
    ASSERT_NE(manager.GetCurrentAccount(), nullptr);
    EXPECT_EQ(manager.GetCurrentAccount()->GetName(), L"Íñigo");
    EXPECT_TRUE(manager.IsExistingAccount(L"Ana"));
    EXPECT_FALSE(manager.IsExistingAccount(L"ana"));
    EXPECT_FALSE(manager.IsExistingAccount(L"Leftover"));
    EXPECT_EQ(mFolder.Read("100.act"), AccountText("Ana", false));
}

TEST_F(AccountManagerTest, WithoutACurrentAccountTheFirstBecomesCurrent)
{
    mFolder.Write("100.act", AccountText("Ana", false));
    AccountManager manager;
    ASSERT_NE(manager.GetCurrentAccount(), nullptr);
    EXPECT_EQ(manager.GetCurrentAccount()->GetName(), L"Ana");
    EXPECT_EQ(mFolder.Read("100.act"), AccountText("Ana", true));
}

TEST_F(AccountManagerTest, SwitchingAccountsWritesBothFlagsAndTellsTheHandlers)
{
    AccountManager* manager = GetAccountManager();
    Account* player = manager->GetCurrentAccount();
    Account* ana = manager->NewAccount(L"Ana");
    ASSERT_NE(ana, nullptr);
    EXPECT_EQ(FileOf(ana), AccountText("Ana", false));
    std::string log;
    RecordingHandler first(&log), second(&log);
    manager->AddChangeHandler(&first);
    manager->AddChangeHandler(&second);
    manager->AddChangeHandler(&first);
    EXPECT_TRUE(manager->SetCurrentAccount(L"Ana"));
    EXPECT_EQ(log, "before before after after ");
    EXPECT_EQ(manager->GetCurrentAccount(), ana);
    EXPECT_FALSE(player->IsCurrent());
    EXPECT_EQ(FileOf(ana), AccountText("Ana", true));
    EXPECT_EQ(FileOf(player), AccountText("Player", false));
    manager->RemoveChangeHandler(&second);
    log.clear();
    std::string const before = FileOf(ana);
    EXPECT_TRUE(manager->SetCurrentAccount(L"Ana"));
    EXPECT_EQ(log, "before after ");
    EXPECT_EQ(FileOf(ana), before);
}

TEST_F(AccountManagerTest, SwitchingToTheOtherOfTwoMarkedCurrentKeepsItsMark)
{
    mFolder.Write("100.act", AccountText("Ana", true));
    mFolder.Write("200.act", AccountText("Bea", true));
    // Ana's file is the older one: Bea is chosen and Ana's mark waits to be cleared.
    struct timeval const hourAgo[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    ASSERT_EQ(0, utimes((mFolder.Path() + "/100.act").c_str(), hourAgo));
    AccountManager manager;
    ASSERT_NE(manager.GetCurrentAccount(), nullptr);
    EXPECT_EQ(manager.GetCurrentAccount()->GetName(), L"Bea");
    EXPECT_TRUE(manager.SetCurrentAccount(L"Ana"));
    EXPECT_EQ(mFolder.Read("100.act"), AccountText("Ana", true));
    EXPECT_EQ(mFolder.Read("200.act"), AccountText("Bea", false));
    AccountManager again;
    ASSERT_NE(again.GetCurrentAccount(), nullptr);
    EXPECT_EQ(again.GetCurrentAccount()->GetName(), L"Ana");
}

TEST_F(AccountManagerTest, NewAccountsPersistAcrossRuns)
{
    {
        AccountManager manager;
        ASSERT_NE(manager.NewAccount(L"Lucía"), nullptr);
        EXPECT_TRUE(manager.SetCurrentAccount(L"Lucía"));
    }
    AccountManager again;
    EXPECT_EQ(again.GetAccounts().size(), 2u);
    ASSERT_NE(again.GetCurrentAccount(), nullptr);
    EXPECT_EQ(again.GetCurrentAccount()->GetName(), L"Lucía");
}

// --- invalid input ---

TEST_F(AccountManagerTest, ATakenNameMakesNoAccountAndWritesNothing)
{
    AccountManager manager;
    std::vector<std::string> const before = Listing();
    EXPECT_EQ(manager.NewAccount(L"Player"), nullptr);
    EXPECT_EQ(manager.GetAccounts().size(), 1u);
    EXPECT_EQ(Listing(), before);
}

TEST_F(AccountManagerTest, AnUnknownNameChangesNothingAndCallsNoHandler)
{
    AccountManager manager;
    Account* player = manager.GetCurrentAccount();
    std::string const before = FileOf(player);
    std::string log;
    RecordingHandler handler(&log);
    manager.AddChangeHandler(&handler);
    EXPECT_FALSE(manager.SetCurrentAccount(L"Nadie"));
    EXPECT_EQ(manager.GetCurrentAccount(), player);
    EXPECT_EQ(log, "");
    EXPECT_EQ(FileOf(player), before);
}

// --- failure leaves state unchanged ---

TEST_F(AccountManagerTest, ANewAccountNeverTruncatesAFileThatAppearedMeanwhile)
{
    AccountManager manager;
    // Names look free, and another program takes the first name drawn just before it is used.
    mPartition->hideFiles = true;
    std::string taken;
    mPartition->beforeReplace = [&](FileAddress const& target) {
        if (!taken.empty())
            return;
        std::wstring const name = target.GetFileName();
        taken.assign(name.begin(), name.end());
        mFolder.Write(taken, "someone else's");
    };
    Account* ana = manager.NewAccount(L"Ana");
    ASSERT_NE(ana, nullptr);
    ASSERT_FALSE(taken.empty());
    EXPECT_EQ(mFolder.Read(taken), "someone else's");
    std::wstring const anaFile = ana->GetFile().GetFileName();
    EXPECT_NE(std::string(anaFile.begin(), anaFile.end()), taken);
    EXPECT_EQ(FileOf(ana), AccountText("Ana", false));
}

TEST_F(AccountManagerTest, AnAccountWhoseFileCannotBeMadeIsNotReported)
{
    AccountManager manager;
    mPartition->refuseWrites = true;
    std::vector<std::string> const before = Listing();
    EXPECT_EQ(manager.NewAccount(L"Ana"), nullptr);
    EXPECT_FALSE(manager.IsExistingAccount(L"Ana"));
    EXPECT_EQ(Listing(), before);
}

TEST_F(AccountManagerTest, AnUnwritableDiskStillGivesACurrentPlayer)
{
    mPartition->refuseWrites = true;
    AccountManager manager;
    ASSERT_NE(manager.GetCurrentAccount(), nullptr);
    EXPECT_EQ(manager.GetCurrentAccount()->GetName(), L"Player");
    EXPECT_TRUE(Listing().empty());
    mPartition->refuseWrites = false;
    EXPECT_TRUE(manager.GetCurrentAccount()->WriteValue(L"Level", 1));
    EXPECT_EQ(manager.GetCurrentAccount()->ReadValue(L"Level", 0), 1);
}
