#include "Core/Source/Label.h"

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "Core/Source/Thread.h"

#include <cstdarg>
#include <cstring>
#include <new>

namespace Corvane
{

namespace
{

// Folds only 'a'-'z'; every other value (bytes above 0x7F arrive negative) passes unchanged.
inline int FoldUpper(int c)
{
    return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c;
}

inline std::uint32_t FoldUpperWide(wchar_t c)
{
    return (c >= L'a' && c <= L'z') ? static_cast<std::uint32_t>(c - (L'a' - L'A')) : static_cast<std::uint32_t>(c);
}

} // namespace

std::uint32_t cCaselessStringHasher::ComputeHash(char const* text) const
{
    if (text == nullptr || *text == 0)
        return 0;
    std::uint32_t h = static_cast<std::uint32_t>(FoldUpper(static_cast<signed char>(*text)));
    for (char const* p = text + 1; *p; ++p)
        h = static_cast<std::uint32_t>(FoldUpper(static_cast<signed char>(*p))) ^ (h * 31u);
    return h;
}

std::uint32_t cCaselessStringHasher::ComputeHash(wchar_t const* text) const
{
    if (text == nullptr || *text == 0)
        return 0;
    std::uint32_t h = FoldUpperWide(*text);
    for (wchar_t const* p = text + 1; *p; ++p)
        h = FoldUpperWide(*p) ^ (h * 31u);
    return h;
}

bool cCaselessStringHasher::AreKeysEqual(char const* a, char const* b) const
{
    if (a == b)
        return true;
    if (a == nullptr || b == nullptr)
        return false;
    for (;; ++a, ++b)
    {
        if (FoldUpper(static_cast<signed char>(*a)) != FoldUpper(static_cast<signed char>(*b)))
            return false;
        if (*a == 0)
            return true;
    }
}

bool cCaselessStringHasher::AreKeysEqual(wchar_t const* a, wchar_t const* b) const
{
    if (a == b)
        return true;
    if (a == nullptr || b == nullptr)
        return false;
    for (;; ++a, ++b)
    {
        if (*a == 0)
            return *b == 0;
        if (FoldUpperWide(*a) != FoldUpperWide(*b))
            return false;
    }
}

cStringDuper::cStringDuper() : mFill(mArena)
{
}

char* cStringDuper::Duplicate(char const* text)
{
    if (text == nullptr)
        return nullptr;
    std::size_t const size = std::strlen(text) + 1;
    std::size_t const room = static_cast<std::size_t>((mArena + kArenaSize) - mFill);
    if (size <= room)
    {
        char* const copy = mFill;
        std::memcpy(copy, text, size);
        mFill += size;
        return copy;
    }
    char* const copy = new char[size];
    std::memcpy(copy, text, size);
    return copy;
}

bool cStringDuper::IsInArena(char const* text) const
{
    std::less<char const*> const before;
    return text != nullptr && !before(text, mArena) && before(text, mArena + kArenaSize);
}

LabelDictionary::LabelDictionary() : mMap(16)
{
}

LabelDictionary::~LabelDictionary()
{
    for (int n = mMap.GetEntryCount() - 1; n >= 0; --n)
    {
        char* const value = mMap.GetEntry(n).value;
        if (value != nullptr && !mDuper.IsInArena(value))
            delete[] value;
    }
}

char const* LabelDictionary::GetUniqueString(char const* text)
{
    if (text == nullptr)
        return nullptr;
    int const found = mMap.FindIndexForGet(text);
    if (found >= 0)
        return mMap.GetSlot(found)->value;
    char* const copy = mDuper.Duplicate(text);
    try
    {
        mMap.SetValue(copy, copy);
    }
    catch (...)
    {
        if (!mDuper.IsInArena(copy))
            delete[] copy;
        throw;
    }
    return copy;
}

namespace
{

// The dictionary lives in static storage so that interning during static
// initialisation needs no heap block of 64 KB and Shutdown can rebuild it.
alignas(LabelDictionary) unsigned char gDictionaryStorage[sizeof(LabelDictionary)];
LabelDictionary* gDictionary = nullptr;

struct LabelMutexHolder
{
    LabelMutexHolder() : mutex(CreateMutex()) {}
    ~LabelMutexHolder()
    {
        IMutex* const doomed = mutex;
        // Labels made by other static destructors after this one run unlocked;
        // by then the process has a single thread.
        mutex = nullptr;
        try
        {
            delete doomed;
        }
        catch (...)
        {
        }
    }
    IMutex* mutex;
};

IMutex* GetLabelMutex()
{
    static LabelMutexHolder holder;
    return holder.mutex;
}

} // namespace

Label::Label(wchar_t const* text) : mString(nullptr)
{
    if (text != nullptr)
        mString = GetUniqueString(TruncateStringWideToASCII(text).c_str()).mString;
}

Label Label::GetUniqueString(char const* text)
{
    IMutex* const mutex = GetLabelMutex();
    ScopedLock lock(mutex);
    if (gDictionary == nullptr)
        gDictionary = new (gDictionaryStorage) LabelDictionary();
    return Label(gDictionary->GetUniqueString(text));
}

Label Label::FromString(std::string const& text)
{
    return GetUniqueString(text.c_str());
}

Label Label::FromString(std::wstring const& text)
{
    return GetUniqueString(TruncateStringWideToASCII(text).c_str());
}

Label Label::FromStringF(char const* format, ...)
{
    if (format == nullptr)
        return Label();
    char buffer[4096];
    va_list arguments;
    va_start(arguments, format);
    Internal::FormatASCII(buffer, sizeof(buffer), format, arguments);
    va_end(arguments);
    return GetUniqueString(buffer);
}

void Label::Shutdown()
{
    if (gDictionary == nullptr)
        return;
    gDictionary->~LabelDictionary();
    gDictionary = nullptr;
}

} // namespace Corvane
