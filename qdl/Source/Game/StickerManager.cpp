#include "qdl/Source/Game/StickerManager.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "Core/Source/Base64.h"
#include "Core/Source/Log.h"
#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/ImageList.h"
#include "qdl/Source/Game/ProfileKeys.h"

using namespace Corvane;

namespace
{

wchar_t const* const kStickerArrayLengthKey = L"StickerArrayLength";

Account* currentAccount()
{
    return GetAccountManager()->GetCurrentAccount();
}

wchar_t const* const kUnlockArraySuffix = L"_StickerUnlockArray";
wchar_t const* const kCountSuffix = L"_StickerCount";
// Beside a value that could not be read, so that a damaged collection can still be mended by hand.
wchar_t const* const kBackupSuffix = L"_Unreadable";

// Decodes a saved unlock array by position: every group of four characters
// gives its three bytes in their place, so that a damaged character loses only
// its own group. Returns how many bytes from the start were decoded;
// readable[i] tells whether byte i was.
int decodeByPosition(std::wstring const& text, uint8_t* bytes, bool* readable, int size)
{
    int reached = 0;
    for (size_t group = 0; group * 4 < text.size() && static_cast<int>(group) * 3 < size; ++group)
    {
        uint32_t bits = 0;
        int valid = 0;
        for (size_t k = 0; k < 4 && group * 4 + k < text.size(); ++k)
        {
            int const value = Base64::ValueOf(text[group * 4 + k]);
            if (value < 0)
                break;
            bits |= static_cast<uint32_t>(value) << (18 - 6 * k);
            ++valid;
        }
        // Two characters make one byte, three make two.
        int const got = valid == 4 ? 3 : (valid >= 2 ? valid - 1 : 0);
        for (int b = 0; b < 3 && static_cast<int>(group) * 3 + b < size; ++b)
        {
            int const index = static_cast<int>(group) * 3 + b;
            readable[index] = b < got;
            if (b < got)
                bytes[index] = static_cast<uint8_t>(bits >> (16 - 8 * b));
        }
        reached = static_cast<int>(group) * 3 + std::min(got, 3);
    }
    return std::min(reached, size);
}

// The saved text without its blanks and line breaks, which the account's decoding skips too, so that
// the salvage by position of a wrapped value is not thrown out of step by them.
std::wstring withoutBlanks(std::wstring text)
{
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }),
               text.end());
    return text;
}

// Keeps a value the game could not use under a backup name before it is replaced.
void keepUnreadable(Account& account, std::wstring const& key, std::wstring const& value)
{
    // An empty value holds nothing to mend.
    if (value.empty())
        return;
    std::wstring const backup = key + kBackupSuffix;
    if (account.WriteValue(backup, value))
        Internal::LogWrite("The unreadable value of %ls was kept as %ls\n", key.c_str(), backup.c_str());
    else
        Internal::LogWrite("The unreadable value of %ls could not be kept\n", key.c_str());
}

// The number of stickers in the loaded list; -1 when the list is not loaded.
int countStickers()
{
    static Label const name = Label::GetUniqueString("AllStickersList");
    AutoResource<IImageList> list(name);
    if (!list)
        return -1;
    return list->GetNumImages();
}

} // namespace

StickerManager::StickerManager() : stickerCount(0), allUnlocked(false)
{
    std::memset(unlocked, 0, sizeof(unlocked));
}

bool StickerManager::isUnlocked(int index) const
{
    return index >= 0 && index < numStickers() && unlockedFlags[index];
}

void StickerManager::saveUnlocked()
{
    Account* const account = currentAccount();
    if (!account)
        return;
    // Both are written even when the first fails: the account keeps what its file could not take.
    bool const arraySaved = account->WriteBinary(profileKey(*account, kUnlockArraySuffix).c_str(), unlocked,
                                                 kMaxStickers) == static_cast<unsigned long>(kMaxStickers);
    bool const countSaved = account->WriteValue(profileKey(*account, kCountSuffix), static_cast<int>(stickerCount));
    if (!arraySaved || !countSaved)
        Internal::LogWrite("The earned stickers could not be saved\n");
}

int StickerManager::unlockRandomSticker()
{
    int const n = numStickers();
    // Without stickers there is nothing to earn and no screen to show.
    if (allUnlocked || n == 0)
        return kAlreadyComplete;

    int const start = Random::GetIntRange(n - 1);
    int i = (start >= 0 && start < n) ? start : 0;
    int const first = i;
    do
    {
        if (!unlockedFlags[i])
        {
            unlockedFlags[i] = true;
            unlocked[i] = 1;
            ++stickerCount;
            saveUnlocked();
            return i;
        }
        i = (i + 1) % n;
    } while (i != first);
    allUnlocked = true;
    return kNoStickerLeft;
}

void StickerManager::loadUnlockedStickerData()
{
    int n = countStickers();
    unlockedFlags.clear();
    std::memset(unlocked, 0, sizeof(unlocked));
    stickerCount = 0;
    allUnlocked = false;

    // Writing a length of 0 now would make the next real load throw every profile's stickers away.
    if (n <= 0)
    {
        Internal::LogWrite(n < 0 ? "The sticker list AllStickersList is not loaded; no stickers are read\n"
                                 : "The sticker list AllStickersList holds no stickers\n");
        return;
    }
    if (n > kMaxStickers)
    {
        Internal::LogWrite("The sticker list AllStickersList holds %d stickers; only the first %d are used\n", n,
                           kMaxStickers);
        n = kMaxStickers;
    }
    unlockedFlags.assign(n, false);

    Account* const account = currentAccount();
    bool fresh = true;
    bool salvaged = false;
    if (account)
        loadSavedStickers(*account, n, &fresh, &salvaged);
    if (fresh)
    {
        stickerCount = 0;
        allUnlocked = false;
        for (int k = 0; k < 3; ++k)
            unlockRandomSticker();
    }

    stickerCount = 0;
    allUnlocked = true;
    for (int i = 0; i < n; ++i)
    {
        unlockedFlags[i] = unlocked[i] != 0;
        if (unlockedFlags[i])
            ++stickerCount;
        else
            allUnlocked = false;
    }
    // What was kept of a damaged record replaces it, and the count follows.
    if (salvaged && !fresh)
        saveUnlocked();
    if (account)
        account->WriteValue(kStickerArrayLengthKey, n);
}

void StickerManager::loadSavedStickers(Account& account, int n, bool* fresh, bool* salvaged)
{
    *fresh = true;
    *salvaged = false;
    int const kUnreadable = -1;
    // Only an account that never held the length is new; a record of it with no value is damage.
    int const stored = account.HasRecord(kStickerArrayLengthKey)
                           ? account.ReadValue(kStickerArrayLengthKey, kUnreadable, 1, kMaxStickers)
                           : 0;
    bool const lengthDamaged = stored == kUnreadable;

    // A length that is a number but another one is a content update: the saved stickers meant
    // other pictures. An unreadable length says nothing of the kind.
    if (!lengthDamaged && stored != n)
        return;

    std::wstring const arrayKey = profileKey(account, kUnlockArraySuffix);
    uint8_t buffer[kMaxStickers] = {};
    bool const whole = account.ReadBinary(arrayKey.c_str(), buffer, kMaxStickers) == kMaxStickers;
    if (whole && !lengthDamaged)
    {
        std::memcpy(unlocked, buffer, kMaxStickers);
        *fresh = false;
        return;
    }
    if (!whole)
        Internal::LogWrite("Error loading level sticker data\n");
    if (lengthDamaged)
        keepUnreadable(account, kStickerArrayLengthKey, account.ReadValue(kStickerArrayLengthKey));
    // A profile that has not earned anything yet.
    if (!account.HasRecord(arrayKey))
        return;

    std::wstring const arrayText = account.ReadValue(arrayKey);
    if (arrayText.empty())
        Internal::LogWrite("The sticker record '%ls' in the account '%ls' has no value\n", arrayKey.c_str(),
                           account.GetName().c_str());
    // Damaged: every sticker whose byte can still be read stays earned.
    bool readable[kMaxStickers] = {};
    int decoded = kMaxStickers;
    if (whole)
        std::fill(readable, readable + kMaxStickers, true);
    else
        decoded = decodeByPosition(withoutBlanks(arrayText), buffer, readable, kMaxStickers);
    int kept = 0;
    for (int i = 0; i < std::min(n, decoded); ++i)
    {
        if (readable[i] && buffer[i] != 0)
        {
            unlocked[i] = 1;
            ++kept;
        }
    }
    if (!whole)
        keepUnreadable(account, arrayKey, arrayText);
    Internal::LogWrite("%d earned stickers were kept from the damaged sticker record\n", kept);
    *salvaged = true;
    *fresh = kept == 0;
}

void StickerManager::resetUnlockedStickerData()
{
    stickerCount = 0;
    Account* const account = currentAccount();
    if (!account)
        return;
    account->DeleteValue(profileKey(*account, kUnlockArraySuffix).c_str());
    account->DeleteValue(profileKey(*account, kCountSuffix).c_str());
}

int StickerManager::readStickerCount(Account& account, std::wstring const& profile) const
{
    int const kUnreadable = -1;
    // A count above the stickers that exist could not have been earned.
    int const most = numStickers() > 0 ? numStickers() : static_cast<int>(kMaxStickers);
    std::wstring const countKey = profile + kCountSuffix;
    int const stored = account.ReadValue(countKey, kUnreadable, 0, most);
    uint8_t record[kMaxStickers] = {};
    // A damaged record is mended by the load of its own profile, which writes the count too.
    if (account.ReadBinary((profile + kUnlockArraySuffix).c_str(), record, kMaxStickers) != kMaxStickers)
        return stored == kUnreadable ? std::min(3, most) : stored;

    int const earned = static_cast<int>(std::count_if(record, record + most, [](uint8_t byte) { return byte != 0; }));
    if (stored == earned)
        return earned;
    Internal::LogWrite("The sticker count '%ls' of '%ls' in the account '%ls' is not the %d stickers of its record; "
                       "the count is repaired\n",
                       account.ReadValue(countKey).c_str(), countKey.c_str(), account.GetName().c_str(), earned);
    if (!account.WriteValue(countKey, earned))
        Internal::LogWrite("The repaired sticker count of %ls could not be saved\n", countKey.c_str());
    return earned;
}

StickerManager* GetStickerManager()
{
    static StickerManager* const manager = new StickerManager();
    return manager;
}
