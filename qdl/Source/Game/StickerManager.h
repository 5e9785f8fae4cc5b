#pragma once

// Which stickers the current profile has earned. Sticker i is image i of the
// image list "AllStickersList"; at most kMaxStickers are kept. The record is
// read from the current account when the main menu or the profile screen is
// set up, and every unlock is saved at once under the profile's
// "<AccountID>_StickerUnlockArray" (150 bytes) and "<AccountID>_StickerCount".
// Main thread only.

#include <cstdint>
#include <string>
#include <vector>

namespace Corvane
{
class Account;
}

class StickerManager
{
public:
    static constexpr int kMaxStickers = 150;

    // unlockRandomSticker's answers besides an index.
    static constexpr int kNoStickerLeft = -1;
    static constexpr int kAlreadyComplete = -2;

    StickerManager();

    // Rebuilds the record for the current profile; a profile without saved
    // stickers, or saved for another number of stickers, gets three. A damaged
    // record keeps every sticker that can still be read, keeps the damaged
    // value under its key followed by "_Unreadable" and is saved again. Before
    // the sticker list is loaded, or when it is empty, the record is emptied
    // and the account is left untouched.
    void loadUnlockedStickerData();
    // The index of the sticker just unlocked, kNoStickerLeft when none was
    // locked (the record is now complete), kAlreadyComplete when it already
    // was or when there are no stickers.
    int unlockRandomSticker();
    // Starts the profile again: removes its saved stickers and count.
    void resetUnlockedStickerData();
    // The sticker count of the named profile, as the profile screen shows it: what its saved
    // record holds among the loaded stickers. A stored count that is unreadable or disagrees
    // with a readable record is logged and written again. Without a readable record, the
    // stored count, or 3 when there is none that could have been earned.
    int readStickerCount(Corvane::Account& account, std::wstring const& profile) const;

    int getStickerCount() const { return stickerCount; }
    bool areAllUnlocked() const { return allUnlocked; }
    // One flag per existing sticker.
    std::vector<bool> const& getUnlockedFlags() const { return unlockedFlags; }
    bool isUnlocked(int index) const;

private:
    // n, the number of stickers the record covers.
    int numStickers() const { return static_cast<int>(unlockedFlags.size()); }
    void saveUnlocked();
    // Fills unlocked from the account. fresh: nothing earned could be read (the profile gets
    // three); salvaged: the record was damaged and what was kept must replace it.
    void loadSavedStickers(Corvane::Account& account, int n, bool* fresh, bool* salvaged);

    uint8_t unlocked[kMaxStickers];
    std::vector<bool> unlockedFlags;
    int32_t stickerCount;
    bool allUnlocked;
};

// The one sticker manager, made on first use and never destroyed.
StickerManager* GetStickerManager();
