#ifndef CORVANE_CORE_LABEL_H
#define CORVANE_CORE_LABEL_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace Corvane
{

// Case-insensitive hashing and comparison that fold only the ASCII letters,
// whatever the process locale, so that hashes and equality always agree.
class cCaselessStringHasher
{
public:
    std::uint32_t ComputeHash(char const* text) const;
    std::uint32_t ComputeHash(wchar_t const* text) const;
    bool AreKeysEqual(char const* a, char const* b) const;
    bool AreKeysEqual(wchar_t const* a, wchar_t const* b) const;
};

// Open-addressing map whose slots point into one dense entry array kept in
// insertion order. There is no removal; tombstones are still honoured so the
// probing stays correct should one ever be written.
template <class K, class V, class H>
class cHashMap
{
public:
    struct sEntry
    {
        K key;
        V value;
    };

    explicit cHashMap(int capacity, H const& hasher = H(), V defaultValue = V());
    ~cHashMap();
    cHashMap(cHashMap const&) = delete;
    cHashMap& operator=(cHashMap const&) = delete;

    void Init();
    int FindIndexForGet(K key) const;
    int FindIndexForSet(K key) const;
    int InsertValue(K key, V value);
    void Rebuild(int newCapacity);
    int SetValue(K key, V value);

    // The value stored under the key, or the default value.
    V GetValue(K key) const;

    int GetCapacity() const { return mCapacity; }
    int GetInitialCapacity() const { return mInitialCapacity; }
    int GetEntryCount() const { return mEntryCount; }
    int GetTombstoneCount() const { return mTombstoneCount; }
    std::uint32_t GetMask() const { return mMask; }
    sEntry const& GetEntry(int index) const { return mEntries[index]; }
    sEntry const* GetSlot(int index) const { return mSlots[index]; }

    static sEntry* GetTombstone();

private:
    template <class F>
    int Probe(K key, F stopAt) const;

    int mCapacity;
    int mInitialCapacity;
    int mEntryCount;
    int mTombstoneCount;
    V mDefaultValue;
    std::uint32_t mMask;
    sEntry** mSlots;
    sEntry* mEntries;
    H mHasher;
};

// Packs interned strings into one arena; only what does not fit goes to the heap.
class cStringDuper
{
public:
    static constexpr std::size_t kArenaSize = 65536;

    cStringDuper();
    cStringDuper(cStringDuper const&) = delete;
    cStringDuper& operator=(cStringDuper const&) = delete;

    // A copy of the text, or null for null. Heap copies are released by the owner
    // (see IsInArena) with delete[].
    char* Duplicate(char const* text);
    bool IsInArena(char const* text) const;
    std::size_t GetUsed() const { return static_cast<std::size_t>(mFill - mArena); }

private:
    char mArena[kArenaSize];
    char* mFill;
};

// The process-wide interning table behind Label.
class LabelDictionary
{
public:
    typedef cHashMap<char const*, char*, cCaselessStringHasher> Map;

    LabelDictionary();
    ~LabelDictionary();
    LabelDictionary(LabelDictionary const&) = delete;
    LabelDictionary& operator=(LabelDictionary const&) = delete;

    char const* GetUniqueString(char const* text);

    Map const& GetMap() const { return mMap; }
    cStringDuper const& GetDuper() const { return mDuper; }

private:
    Map mMap;
    cStringDuper mDuper;
};

// A handle to one interned, case-folded narrow name. Comparison and ordering
// are on the handle only; the full pointer is compared.
class Label
{
public:
    Label() : mString(nullptr) {}
    Label(wchar_t const* text);

    static Label GetUniqueString(char const* text);
    static Label FromString(std::string const& text);
    static Label FromString(std::wstring const& text);
    static Label FromStringF(char const* format, ...) __attribute__((format(printf, 1, 2)));
    // Frees every interned string; every earlier label dangles afterwards.
    static void Shutdown();

    // The text as first interned; "" for the null label so it is always printable.
    char const* GetString() const { return mString ? mString : ""; }
    // The raw handle: null for the null label.
    char const* GetPointer() const { return mString; }
    bool IsNull() const { return mString == nullptr; }
    bool IsValid() const { return mString != nullptr; }

    bool operator==(Label other) const { return mString == other.mString; }
    bool operator!=(Label other) const { return mString != other.mString; }
    bool operator<(Label other) const { return std::less<char const*>()(mString, other.mString); }
    bool operator>(Label other) const { return other < *this; }
    bool operator<=(Label other) const { return !(other < *this); }
    bool operator>=(Label other) const { return !(*this < other); }

private:
    explicit Label(char const* interned) : mString(interned) {}

    char const* mString;
};

} // namespace Corvane

namespace std
{
template <>
struct hash<Corvane::Label>
{
    size_t operator()(Corvane::Label label) const noexcept
    {
        return hash<char const*>()(label.GetPointer());
    }
};
} // namespace std

#include "Core/Source/LabelHashMap.inl"

#endif
