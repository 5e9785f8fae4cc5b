#include <algorithm>
#include <cstring>
#include <set>

#include "Core/Source/StringUtils.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/GameTestSupport.h"

using namespace Corvane;
using GameTestSupport::GameFixture;

namespace
{

class StickerManagerTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        GetResourceManager()->AddResourceFactory(L"stickers", new GameTestSupport::PictureListFactory());
        ASSERT_TRUE(account->WriteValue(L"AccountID", L"PondoButton"));
    }

    void LoadStickers(int count)
    {
        GetResourceManager()->Unload(L"StickerBook");
        LoadManifest(L"StickerBook",
                     L"<resources><stickers name='AllStickersList' count='" + std::to_wstring(count) + L"'/></resources>");
    }

    int CountFlags() const
    {
        int count = 0;
        for (bool flag : manager.getUnlockedFlags())
            count += flag ? 1 : 0;
        return count;
    }

    std::vector<uint8_t> SavedArray()
    {
        std::vector<uint8_t> bytes(200, 0xEE);
        unsigned long const read = account->ReadBinary(L"PondoButton_StickerUnlockArray", bytes.data(), 200);
        bytes.resize(read);
        return bytes;
    }

    void SaveArray(int stored, std::vector<int> const& unlockedIndices)
    {
        uint8_t bytes[StickerManager::kMaxStickers] = {};
        for (int i : unlockedIndices)
            bytes[i] = 1;
        ASSERT_EQ(150u, account->WriteBinary(L"PondoButton_StickerUnlockArray", bytes, sizeof(bytes)));
        ASSERT_TRUE(account->WriteValue(L"StickerArrayLength", stored));
    }

    StickerManager manager;
};

TEST_F(StickerManagerTest, ANewProfileStartsWithThreeStickersSavedAtOnce)
{
    LoadStickers(12);
    manager.loadUnlockedStickerData();
    EXPECT_EQ(3, manager.getStickerCount());
    EXPECT_EQ(12u, manager.getUnlockedFlags().size());
    EXPECT_EQ(3, CountFlags());
    EXPECT_FALSE(manager.areAllUnlocked());
    EXPECT_EQ(3, account->ReadValue(L"PondoButton_StickerCount", -1));
    EXPECT_EQ(12, account->ReadValue(L"StickerArrayLength", -1));
    std::vector<uint8_t> const saved = SavedArray();
    ASSERT_EQ(150u, saved.size());
    for (int i = 0; i < 150; ++i)
        EXPECT_EQ(manager.isUnlocked(i) ? 1 : 0, saved[i]) << i;

    // Loading again keeps the same stickers.
    std::vector<bool> const first = manager.getUnlockedFlags();
    StickerManager again;
    again.loadUnlockedStickerData();
    EXPECT_EQ(first, again.getUnlockedFlags());
    EXPECT_EQ(3, again.getStickerCount());
}

TEST_F(StickerManagerTest, ANewGameLogsAndGrantsThreeNewStickers)
{
    LoadStickers(20);
    manager.loadUnlockedStickerData();
    manager.resetUnlockedStickerData();
    EXPECT_EQ(0, manager.getStickerCount());
    EXPECT_EQ(0u, SavedArray().size());
    EXPECT_EQ(-1, account->ReadValue(L"PondoButton_StickerCount", -1));

    testing::internal::CaptureStderr();
    manager.loadUnlockedStickerData();
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("Error loading level sticker data\n"));
    EXPECT_EQ(3, manager.getStickerCount());
    EXPECT_EQ(3, CountFlags());
}

TEST_F(StickerManagerTest, TheLastLockedStickerIsFoundWhateverTheStartThenTheBookIsComplete)
{
    std::vector<int> all;
    for (int i = 0; i < 10; ++i)
        if (i != 6)
            all.push_back(i);
    LoadStickers(10);
    SaveArray(10, all);
    manager.loadUnlockedStickerData();
    EXPECT_EQ(9, manager.getStickerCount());

    EXPECT_EQ(6, manager.unlockRandomSticker());
    EXPECT_EQ(10, manager.getStickerCount());
    EXPECT_EQ(10, account->ReadValue(L"PondoButton_StickerCount", -1));
    EXPECT_EQ(StickerManager::kNoStickerLeft, manager.unlockRandomSticker());
    EXPECT_TRUE(manager.areAllUnlocked());
    EXPECT_EQ(StickerManager::kAlreadyComplete, manager.unlockRandomSticker());
    EXPECT_EQ(10, manager.getStickerCount());

    // A load that finds every sticker earned reports the book complete at once.
    StickerManager complete;
    complete.loadUnlockedStickerData();
    EXPECT_TRUE(complete.areAllUnlocked());
    EXPECT_EQ(StickerManager::kAlreadyComplete, complete.unlockRandomSticker());
}

TEST_F(StickerManagerTest, EveryStickerIsEarnedOnceBeforeTheBookIsComplete)
{
    LoadStickers(7);
    manager.loadUnlockedStickerData();
    std::set<int> earned;
    for (int i = 0; i < 7; ++i)
        if (manager.isUnlocked(i))
            earned.insert(i);
    for (int i = 0; i < 4; ++i)
    {
        int const index = manager.unlockRandomSticker();
        ASSERT_GE(index, 0);
        ASSERT_LT(index, 7);
        EXPECT_TRUE(earned.insert(index).second) << index;
    }
    EXPECT_EQ(StickerManager::kNoStickerLeft, manager.unlockRandomSticker());
}

TEST_F(StickerManagerTest, SavedStickersForAnotherNumberOfStickersAreIgnored)
{
    std::vector<int> all;
    for (int i = 0; i < 150; ++i)
        all.push_back(i);
    SaveArray(150, all);
    LoadStickers(10);
    manager.loadUnlockedStickerData();
    EXPECT_EQ(3, manager.getStickerCount());
    EXPECT_EQ(10, account->ReadValue(L"StickerArrayLength", -1));
    std::vector<uint8_t> const saved = SavedArray();
    ASSERT_EQ(150u, saved.size());
    int ones = 0;
    for (uint8_t byte : saved)
        ones += byte;
    EXPECT_EQ(3, ones);
}

// A damaged record keeps every sticker that can still be read; the damaged
// value is kept beside it and the record is written back with what was kept.
struct sDamage
{
    char const* what;
    // Turns the saved length and unlock array (as text) into damaged ones.
    void (*damage)(std::wstring& length, std::wstring& array);
    int expectedKept;
    char const* backupKey;
};

sDamage const kDamages[] = {
    {"a length that is not a number", [](std::wstring& length, std::wstring&) { length = L"doce"; }, 12,
     "StickerArrayLength_Unreadable"},
    {"a length above the record", [](std::wstring& length, std::wstring&) { length = L"151"; }, 12,
     "StickerArrayLength_Unreadable"},
    {"a broken last character", [](std::wstring&, std::wstring& array) { array.back() = L'!'; }, 12,
     "PondoButton_StickerUnlockArray_Unreadable"},
    {"a broken character among the earned", [](std::wstring&, std::wstring& array) { array[1] = L'*'; }, 9,
     "PondoButton_StickerUnlockArray_Unreadable"},
    {"an array cut short", [](std::wstring&, std::wstring& array) { array.resize(12); }, 9,
     "PondoButton_StickerUnlockArray_Unreadable"},
    // The blank is not damage: it must not throw the characters after it out of their places.
    {"a blank before a broken character",
     [](std::wstring&, std::wstring& array) {
         array.insert(0, L" ");
         array[2] = L'*';
     },
     9, "PondoButton_StickerUnlockArray_Unreadable"},
    {"a length with no value", [](std::wstring& length, std::wstring&) { length.clear(); }, 12,
     "StickerArrayLength_Unreadable"},
};

TEST_F(StickerManagerTest, ADamagedRecordKeepsEveryStickerThatCanStillBeRead)
{
    // Twelve of twenty earned: bytes 0, 1, 2 (first group), 3..8 and 15, 16, 19.
    std::vector<int> const earned = {0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 16, 19};
    for (sDamage const& damage : kDamages)
    {
        LoadStickers(20);
        SaveArray(20, earned);
        std::wstring length = account->ReadValue(L"StickerArrayLength");
        std::wstring array = account->ReadValue(L"PondoButton_StickerUnlockArray");
        damage.damage(length, array);
        ASSERT_TRUE(account->WriteValue(L"StickerArrayLength", length));
        ASSERT_TRUE(account->WriteValue(L"PondoButton_StickerUnlockArray", array));

        testing::internal::CaptureStderr();
        manager.loadUnlockedStickerData();
        std::string const log = testing::internal::GetCapturedStderr();
        EXPECT_NE(std::string::npos, log.find("were kept from the damaged sticker record")) << damage.what << log;

        std::wstring const backupKey = Corvane::ConvertStringUTF8ToWide(damage.backupKey);
        EXPECT_EQ(backupKey.find(L"Length") != std::wstring::npos ? length : array, account->ReadValue(backupKey))
            << damage.what;
        EXPECT_EQ(damage.expectedKept, manager.getStickerCount()) << damage.what;
        std::vector<uint8_t> const saved = SavedArray();
        ASSERT_EQ(150u, saved.size()) << damage.what;
        // Saved as held, and no sticker appears that was not earned.
        for (int i = 0; i < 20; ++i)
        {
            EXPECT_EQ(manager.isUnlocked(i) ? 1 : 0, saved[i]) << damage.what << " " << i;
            if (manager.isUnlocked(i))
            {
                EXPECT_NE(earned.end(), std::find(earned.begin(), earned.end(), i)) << damage.what << " " << i;
            }
        }
        // Written back with the count and the length of what was kept.
        EXPECT_EQ(damage.expectedKept, account->ReadValue(L"PondoButton_StickerCount", -1)) << damage.what;
        EXPECT_EQ(20, account->ReadValue(L"StickerArrayLength", -1)) << damage.what;

        // The next load finds a sound record.
        testing::internal::CaptureStderr();
        StickerManager again;
        again.loadUnlockedStickerData();
        EXPECT_EQ(std::string::npos, testing::internal::GetCapturedStderr().find("damaged")) << damage.what;
        EXPECT_EQ(manager.getUnlockedFlags(), again.getUnlockedFlags()) << damage.what;
        account->DeleteValue(backupKey.c_str());
    }
}

TEST_F(StickerManagerTest, BlanksAndLineBreaksInASavedRecordAreNotDamage)
{
    std::vector<int> const earned = {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22};
    for (wchar_t const* blank : {L" ", L"\t", L"\n", L"\r\n"})
    {
        for (size_t at : {size_t(0), size_t(100), size_t(200)})
        {
            LoadStickers(30);
            SaveArray(30, earned);
            std::wstring array = account->ReadValue(L"PondoButton_StickerUnlockArray");
            array.insert(at, blank);
            ASSERT_TRUE(account->WriteValue(L"PondoButton_StickerUnlockArray", array));

            testing::internal::CaptureStderr();
            StickerManager loaded;
            loaded.loadUnlockedStickerData();
            std::string const log = testing::internal::GetCapturedStderr();
            SCOPED_TRACE(::testing::Message() << "blank " << static_cast<int>(blank[0]) << " at " << at);
            EXPECT_TRUE(log.empty()) << log;
            EXPECT_EQ(12, loaded.getStickerCount());
            for (int i = 0; i < 30; ++i)
                EXPECT_EQ(std::find(earned.begin(), earned.end(), i) != earned.end(), loaded.isUnlocked(i)) << i;
            EXPECT_FALSE(account->HasRecord(L"PondoButton_StickerUnlockArray_Unreadable"));
        }
    }
}

// Nothing to read, whether the value is broken, empty or missing from its record: three
// stickers, and the damage is logged with the account and the key.
TEST_F(StickerManagerTest, ARecordWithNothingReadableGetsThreeStickersAndKeepsTheDamagedValue)
{
    struct
    {
        char const* stored;
        char const* backup;
    } const cases[] = {{"!!!!!!!!", "!!!!!!!!"}, {"", nullptr}, {nullptr, nullptr}};
    for (auto const& c : cases)
    {
        SCOPED_TRACE(c.stored ? c.stored : "(no value)");
        LoadStickers(20);
        SaveArray(20, {4, 5});
        ASSERT_TRUE(account->WriteValue(L"PondoButton_StickerUnlockArray",
                                        Corvane::ConvertStringUTF8ToWide(c.stored ? c.stored : "SIN")));
        if (!c.stored)
        {
            ASSERT_TRUE(EditAccountFile(" value=\"SIN\"", ""));
        }
        testing::internal::CaptureStderr();
        StickerManager loaded;
        loaded.loadUnlockedStickerData();
        std::string const log = testing::internal::GetCapturedStderr();
        EXPECT_NE(std::string::npos, log.find("Error loading level sticker data\n")) << log;
        EXPECT_NE(std::string::npos, log.find("0 earned stickers were kept from the damaged sticker record")) << log;
        if (!c.backup)
        {
            EXPECT_NE(std::string::npos, log.find("_StickerUnlockArray' in the account 'Player' has no value")) << log;
        }
        EXPECT_EQ(3, loaded.getStickerCount());
        EXPECT_EQ(3, account->ReadValue(L"PondoButton_StickerCount", -1));
        EXPECT_EQ(Corvane::ConvertStringUTF8ToWide(c.backup ? c.backup : ""),
                  account->ReadValue(L"PondoButton_StickerUnlockArray_Unreadable"));
        account->DeleteValue(L"PondoButton_StickerUnlockArray_Unreadable");
    }
}

TEST_F(StickerManagerTest, FewerThanThreeStickersAreAllGivenAtTheFirstLoad)
{
    LoadStickers(2);
    manager.loadUnlockedStickerData();
    EXPECT_EQ(2, manager.getStickerCount());
    EXPECT_TRUE(manager.areAllUnlocked());
    EXPECT_EQ(StickerManager::kAlreadyComplete, manager.unlockRandomSticker());
}

TEST_F(StickerManagerTest, BeforeTheStickersAreLoadedNothingIsEarnedAndTheAccountIsUntouched)
{
    SaveArray(10, {1, 4, 5});
    std::string const before = AccountFileText();

    // Asked before anything was loaded.
    EXPECT_EQ(StickerManager::kAlreadyComplete, manager.unlockRandomSticker());

    testing::internal::CaptureStderr();
    manager.loadUnlockedStickerData();
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("AllStickersList"));
    EXPECT_TRUE(manager.getUnlockedFlags().empty());
    EXPECT_EQ(0, manager.getStickerCount());
    EXPECT_EQ(StickerManager::kAlreadyComplete, manager.unlockRandomSticker());
    EXPECT_FALSE(manager.isUnlocked(0));
    EXPECT_EQ(before, AccountFileText());

    // Once the list is there the saved stickers are still the profile's.
    LoadStickers(10);
    manager.loadUnlockedStickerData();
    EXPECT_EQ(3, manager.getStickerCount());
    EXPECT_TRUE(manager.isUnlocked(1) && manager.isUnlocked(4) && manager.isUnlocked(5));
}

TEST_F(StickerManagerTest, AnEmptyStickerListEarnsNothingAndKeepsTheSavedStickers)
{
    SaveArray(10, {2});
    std::string const before = AccountFileText();
    LoadStickers(0);
    testing::internal::CaptureStderr();
    manager.loadUnlockedStickerData();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(StickerManager::kAlreadyComplete, manager.unlockRandomSticker());
    EXPECT_EQ(before, AccountFileText());
}

TEST_F(StickerManagerTest, MoreThanAHundredAndFiftyStickersKeepTheFirstHundredAndFifty)
{
    LoadStickers(160);
    testing::internal::CaptureStderr();
    manager.loadUnlockedStickerData();
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("160"));
    EXPECT_EQ(150u, manager.getUnlockedFlags().size());
    EXPECT_EQ(3, manager.getStickerCount());
    for (int i = 0; i < 147; ++i)
    {
        int const index = manager.unlockRandomSticker();
        ASSERT_GE(index, 0);
        ASSERT_LT(index, 150);
    }
    EXPECT_EQ(StickerManager::kNoStickerLeft, manager.unlockRandomSticker());
    EXPECT_EQ(150, account->ReadValue(L"StickerArrayLength", -1));

    // The same list next time keeps the record.
    StickerManager again;
    again.loadUnlockedStickerData();
    EXPECT_EQ(150, again.getStickerCount());
}

} // namespace
