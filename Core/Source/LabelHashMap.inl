// Template implementation of Corvane::cHashMap; included by Label.h only.

#include <new>

namespace Corvane
{

template <class K, class V, class H>
cHashMap<K, V, H>::cHashMap(int capacity, H const& hasher, V defaultValue)
    : mCapacity(capacity > 0 ? capacity : 1)
    , mInitialCapacity(capacity)
    , mEntryCount(0)
    , mTombstoneCount(0)
    , mDefaultValue(defaultValue)
    , mMask(1)
    , mSlots(nullptr)
    , mEntries(nullptr)
    , mHasher(hasher)
{
    Init();
}

template <class K, class V, class H>
cHashMap<K, V, H>::~cHashMap()
{
    delete[] mSlots;
    delete[] mEntries;
}

template <class K, class V, class H>
void cHashMap<K, V, H>::Init()
{
    // Allocate both arrays before touching any field so a failure leaves the map as it was.
    sEntry** slots = new sEntry*[mCapacity]();
    sEntry* entries = nullptr;
    try
    {
        entries = new sEntry[mCapacity]();
    }
    catch (...)
    {
        delete[] slots;
        throw;
    }
    delete[] mSlots;
    delete[] mEntries;
    mSlots = slots;
    mEntries = entries;
    mEntryCount = 0;
    mTombstoneCount = 0;
    std::uint32_t const top = static_cast<std::uint32_t>(mCapacity - 1);
    mMask = 1;
    while ((mMask & top) != top)
        mMask = 2 * mMask + 1;
}

template <class K, class V, class H>
typename cHashMap<K, V, H>::sEntry* cHashMap<K, V, H>::GetTombstone()
{
    static sEntry gTombstone;
    return &gTombstone;
}

// Walks the pseudo-random probe sequence until stopAt accepts a slot. The step
// function has fixed points (879302037 is one) and short cycles, so a walk may
// never reach a free slot; after a bounded number of steps it continues linearly
// from where it stopped. Insertion and look-up take the same path, so they agree.
template <class K, class V, class H>
template <class F>
int cHashMap<K, V, H>::Probe(K key, F stopAt) const
{
    std::uint32_t h = mHasher.ComputeHash(key);
    std::uint32_t const capacity = static_cast<std::uint32_t>(mCapacity);
    std::uint32_t const walkLimit = 8 * capacity + 64;
    std::uint32_t i = 0;
    for (std::uint32_t step = 0; step < walkLimit; ++step)
    {
        i = h & mMask;
        if (i >= capacity)
            i -= capacity;
        if (i < capacity)
        {
            int const found = stopAt(static_cast<int>(i));
            if (found != -2)
                return found;
        }
        h = (h * 1987u) ^ ~(h >> 8);
    }
    for (std::uint32_t n = 0; n < capacity; ++n)
    {
        int const found = stopAt(static_cast<int>((i + n) % capacity));
        if (found != -2)
            return found;
    }
    return -1;
}

template <class K, class V, class H>
int cHashMap<K, V, H>::FindIndexForGet(K key) const
{
    sEntry* const tombstone = GetTombstone();
    return Probe(key, [&](int i) -> int {
        sEntry* const slot = mSlots[i];
        if (slot == nullptr)
            return -1;
        if (slot != tombstone && mHasher.AreKeysEqual(slot->key, key))
            return i;
        return -2;
    });
}

template <class K, class V, class H>
int cHashMap<K, V, H>::FindIndexForSet(K key) const
{
    sEntry* const tombstone = GetTombstone();
    return Probe(key, [&](int i) -> int {
        sEntry* const slot = mSlots[i];
        if (slot == nullptr || slot == tombstone)
            return i;
        return -2;
    });
}

template <class K, class V, class H>
int cHashMap<K, V, H>::InsertValue(K key, V value)
{
    int const index = FindIndexForSet(key);
    if (index < 0 || mEntryCount >= mCapacity)
        return -1;
    if (mSlots[index] == GetTombstone())
        --mTombstoneCount;
    sEntry& entry = mEntries[mEntryCount++];
    entry.key = key;
    entry.value = value;
    mSlots[index] = &entry;
    return 0;
}

template <class K, class V, class H>
void cHashMap<K, V, H>::Rebuild(int newCapacity)
{
    if (newCapacity < 0)
        newCapacity = mCapacity;
    if (newCapacity < mEntryCount)
        newCapacity = mEntryCount;
    if (newCapacity < 1)
        newCapacity = 1;

    sEntry** const oldSlots = mSlots;
    sEntry* const oldEntries = mEntries;
    int const oldCount = mEntryCount;
    int const oldCapacity = mCapacity;
    int const oldTombstones = mTombstoneCount;
    std::uint32_t const oldMask = mMask;

    // Detach the old arrays so Init does not free them; restore them if Init fails.
    mSlots = nullptr;
    mEntries = nullptr;
    mCapacity = newCapacity;
    try
    {
        Init();
    }
    catch (...)
    {
        mSlots = oldSlots;
        mEntries = oldEntries;
        mCapacity = oldCapacity;
        mEntryCount = oldCount;
        mTombstoneCount = oldTombstones;
        mMask = oldMask;
        throw;
    }
    delete[] oldSlots;
    for (int n = 0; n < oldCount; ++n)
        InsertValue(oldEntries[n].key, oldEntries[n].value);
    delete[] oldEntries;
}

template <class K, class V, class H>
int cHashMap<K, V, H>::SetValue(K key, V value)
{
    int const found = FindIndexForGet(key);
    if (found >= 0)
    {
        mSlots[found]->value = value;
        return 0;
    }
    if (4 * (static_cast<long long>(mEntryCount) + mTombstoneCount + 1) >= 3 * static_cast<long long>(mCapacity))
        Rebuild(mCapacity * 2);
    return InsertValue(key, value);
}

template <class K, class V, class H>
V cHashMap<K, V, H>::GetValue(K key) const
{
    int const found = FindIndexForGet(key);
    return found >= 0 ? mSlots[found]->value : mDefaultValue;
}

} // namespace Corvane
