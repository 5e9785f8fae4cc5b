#include "qdl/Source/Game/StickerManager.h"

#include <cstring>
#include <string>

#include "Core/Source/Log.h"
#include "Core/Source/Random.h"
#include "2DEngine/Source/Framework/Account.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Graphics/ImageList.h"

using namespace Corvane;

namespace
{

wchar_t const* const kStickerArrayLengthKey = L"StickerArrayLength";

Account* currentAccount()
{
    return GetAccountManager()->GetCurrentAccount();
}

std::wstring profileKey(Account const& account, wchar_t const* suffix)
{
    return account.ReadValue(L"AccountID") + suffix;
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
    if (account->WriteBinary(profileKey(*account, L"_StickerUnlockArray").c_str(), unlocked, kMaxStickers) !=
            static_cast<unsigned long>(kMaxStickers) ||
        !account->WriteValue(profileKey(*account, L"_StickerCount"), static_cast<int>(stickerCount)))
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
    int const stored = account ? account->ReadValue(kStickerArrayLengthKey, 0) : 0;
    bool fresh = n != stored;
    if (!fresh)
    {
        uint8_t buffer[kMaxStickers];
        unsigned long const read =
            account->ReadBinary(profileKey(*account, L"_StickerUnlockArray").c_str(), buffer, kMaxStickers);
        if (read == static_cast<unsigned long>(kMaxStickers))
        {
            std::memcpy(unlocked, buffer, kMaxStickers);
        }
        else
        {
            Internal::LogWrite("Error loading level sticker data\n");
            fresh = true;
        }
    }
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
    if (account)
        account->WriteValue(kStickerArrayLengthKey, n);
}

void StickerManager::resetUnlockedStickerData()
{
    stickerCount = 0;
    Account* const account = currentAccount();
    if (!account)
        return;
    account->DeleteValue(profileKey(*account, L"_StickerUnlockArray").c_str());
    account->DeleteValue(profileKey(*account, L"_StickerCount").c_str());
}

StickerManager* GetStickerManager()
{
    static StickerManager* const manager = new StickerManager();
    return manager;
}
