#include "Core/Source/Label.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

using namespace Corvane;

namespace
{

typedef cHashMap<char const*, char*, cCaselessStringHasher> NameMap;

// Keeps the texts alive for a map that stores pointers only.
struct NameStore
{
    char* Add(std::string const& text)
    {
        texts.push_back(std::unique_ptr<char[]>(new char[text.size() + 1]));
        std::memcpy(texts.back().get(), text.c_str(), text.size() + 1);
        return texts.back().get();
    }
    std::vector<std::unique_ptr<char[]>> texts;
};

} // namespace

// ---- hashing -------------------------------------------------------------

TEST(LabelHasher, TwoLettersHashTheSameInAnyCase)
{
    cCaselessStringHasher hasher;
    // (65 x 31) XOR 66
    EXPECT_EQ(1949u, hasher.ComputeHash("ab"));
    EXPECT_EQ(1949u, hasher.ComputeHash("AB"));
    EXPECT_EQ(1949u, hasher.ComputeHash("aB"));
    EXPECT_EQ(1949u, hasher.ComputeHash(L"Ab"));
}

TEST(LabelHasher, NullAndEmptyHashToZero)
{
    cCaselessStringHasher hasher;
    EXPECT_EQ(0u, hasher.ComputeHash(static_cast<char const*>(nullptr)));
    EXPECT_EQ(0u, hasher.ComputeHash(""));
    EXPECT_EQ(0u, hasher.ComputeHash(static_cast<wchar_t const*>(nullptr)));
    EXPECT_EQ(0u, hasher.ComputeHash(L""));
}

TEST(LabelHasher, HighBytesAreSignedInNarrowAndCodeUnitsInWide)
{
    cCaselessStringHasher hasher;
    // 0xE9 taken as -23, passed through the fold unchanged.
    EXPECT_EQ(0xFFFFFFE9u, hasher.ComputeHash("\xE9"));
    // -23 x 31 = -713 = 0xFFFFFD37, XOR 'A'.
    EXPECT_EQ(0xFFFFFD76u, hasher.ComputeHash("\xE9" "a"));
    EXPECT_EQ(0xE9u, hasher.ComputeHash(L"\u00E9"));
    // Only ASCII letters fold: e-acute and E-acute stay different.
    EXPECT_NE(hasher.ComputeHash(L"\u00E9"), hasher.ComputeHash(L"\u00C9"));
}

TEST(LabelHasher, WideKeyEquality)
{
    cCaselessStringHasher hasher;
    EXPECT_TRUE(hasher.AreKeysEqual(L"Splash1", L"SPLASH1"));
    EXPECT_TRUE(hasher.AreKeysEqual(L"", L""));
    EXPECT_FALSE(hasher.AreKeysEqual(L"ab", L"abc"));
    EXPECT_FALSE(hasher.AreKeysEqual(L"abc", L"ab"));
    EXPECT_FALSE(hasher.AreKeysEqual(L"ab", L"ac"));
    EXPECT_FALSE(hasher.AreKeysEqual(L"\u00E9", L"\u00C9"));
    // '[' and '{' differ by the case bit but are not letters.
    EXPECT_FALSE(hasher.AreKeysEqual(L"[", L"{"));
}

TEST(LabelHasher, NarrowKeyEqualityFoldsOnlyAsciiLetters)
{
    cCaselessStringHasher hasher;
    EXPECT_TRUE(hasher.AreKeysEqual("Camion", "CAMION"));
    EXPECT_FALSE(hasher.AreKeysEqual("Cami\xF3n", "CAMI\xD3N"));
    EXPECT_FALSE(hasher.AreKeysEqual("@", "`"));
    EXPECT_FALSE(hasher.AreKeysEqual("ab", "abc"));
}

// ---- hash map ------------------------------------------------------------

TEST(LabelHashMap, ElevenEntriesFitSixteenSlotsAndTheTwelfthDoubles)
{
    NameStore store;
    NameMap map(16);
    EXPECT_EQ(15u, map.GetMask());
    std::vector<char*> names;
    for (int n = 0; n < 11; ++n)
    {
        names.push_back(store.Add("Nombre" + std::to_string(n)));
        ASSERT_EQ(0, map.SetValue(names.back(), names.back()));
    }
    EXPECT_EQ(16, map.GetCapacity());
    EXPECT_EQ(11, map.GetEntryCount());

    names.push_back(store.Add("Nombre11"));
    ASSERT_EQ(0, map.SetValue(names.back(), names.back()));
    EXPECT_EQ(32, map.GetCapacity());
    EXPECT_EQ(31u, map.GetMask());
    EXPECT_EQ(16, map.GetInitialCapacity());
    ASSERT_EQ(12, map.GetEntryCount());
    for (int n = 0; n < 12; ++n)
    {
        EXPECT_EQ(names[n], map.GetEntry(n).key) << "entry order after growth, index " << n;
        EXPECT_EQ(names[n], map.GetValue(("NOMBRE" + std::to_string(n)).c_str()));
    }
    EXPECT_EQ(nullptr, map.GetValue("Nombre12"));
}

TEST(LabelHashMap, SetValueOnAnExistingKeyReplacesItsValue)
{
    NameStore store;
    NameMap map(16);
    char* const first = store.Add("Grua");
    char* const second = store.Add("GRUA");
    map.SetValue(first, first);
    map.SetValue(second, second);
    EXPECT_EQ(1, map.GetEntryCount());
    EXPECT_EQ(first, map.GetEntry(0).key);
    EXPECT_EQ(second, map.GetValue("grua"));
}

TEST(LabelHashMap, OddCapacitiesStillFindEverything)
{
    for (int capacity : {1, 3, 12})
    {
        NameStore store;
        NameMap map(capacity);
        for (int n = 0; n < 200; ++n)
        {
            char* name = store.Add("Ladrillo" + std::to_string(n));
            ASSERT_EQ(0, map.SetValue(name, name));
        }
        EXPECT_EQ(200, map.GetEntryCount());
        EXPECT_GE(4 * map.GetCapacity(), 3 * 200);
        for (int n = 0; n < 200; ++n)
        {
            std::string const name = "LADRILLO" + std::to_string(n);
            ASSERT_NE(nullptr, map.GetValue(name.c_str())) << "capacity " << capacity << " " << name;
            EXPECT_STREQ(("Ladrillo" + std::to_string(n)).c_str(), map.GetValue(name.c_str()));
        }
    }
}

namespace
{
// Every key lands on a fixed point of the probe step: h x 1987 XOR NOT(h >> 8) == h.
struct FixedPointHasher : cCaselessStringHasher
{
    std::uint32_t ComputeHash(char const*) const { return 879302037u; }
};
} // namespace

TEST(LabelHashMap, ProbingEndsEvenWhenTheWalkCannotMove)
{
    std::uint32_t const h = 879302037u;
    ASSERT_EQ(h, (h * 1987u) ^ ~(h >> 8));

    NameStore store;
    cHashMap<char const*, char*, FixedPointHasher> map(16);
    for (int n = 0; n < 40; ++n)
    {
        char* name = store.Add("Colisi\xF3n" + std::to_string(n));
        ASSERT_EQ(0, map.SetValue(name, name));
    }
    EXPECT_EQ(40, map.GetEntryCount());
    for (int n = 0; n < 40; ++n)
        EXPECT_STREQ(("Colisi\xF3n" + std::to_string(n)).c_str(), map.GetValue(("COLISI\xF3N" + std::to_string(n)).c_str()));
    EXPECT_EQ(nullptr, map.GetValue("Colisi\xF3n40"));
}

TEST(LabelHashMap, MissingKeyGivesTheDefaultValue)
{
    static char fallback[] = "ninguno";
    NameMap map(16, cCaselessStringHasher(), fallback);
    EXPECT_EQ(fallback, map.GetValue("Pala"));
    EXPECT_EQ(-1, map.FindIndexForGet("Pala"));
    EXPECT_EQ(0, map.GetTombstoneCount());
}

// ---- string arena --------------------------------------------------------

TEST(LabelStringDuper, OverflowGoesToTheHeapWithoutAdvancingTheArena)
{
    std::unique_ptr<cStringDuper> duper(new cStringDuper());
    EXPECT_EQ(nullptr, duper->Duplicate(nullptr));

    std::string const block(999, 'x');
    for (int n = 0; n < 65; ++n)
        ASSERT_TRUE(duper->IsInArena(duper->Duplicate(block.c_str())));
    ASSERT_EQ(65000u, duper->GetUsed());

    // 600 bytes do not fit in the 536 left.
    std::string const big(599, 'y');
    char* const heap = duper->Duplicate(big.c_str());
    EXPECT_FALSE(duper->IsInArena(heap));
    EXPECT_EQ(big, heap);
    EXPECT_EQ(65000u, duper->GetUsed());
    delete[] heap;

    // A shorter one still fits, ending exactly at the arena's end.
    std::string const exact(535, 'z');
    char* const fits = duper->Duplicate(exact.c_str());
    EXPECT_TRUE(duper->IsInArena(fits));
    EXPECT_EQ(exact, fits);
    EXPECT_EQ(cStringDuper::kArenaSize, duper->GetUsed());

    char* const tiny = duper->Duplicate("");
    EXPECT_FALSE(duper->IsInArena(tiny));
    EXPECT_STREQ("", tiny);
    delete[] tiny;
}

// ---- dictionary ----------------------------------------------------------

TEST(LabelDictionary, FirstSpellingWinsAndOverflowIsFreedWithTheDictionary)
{
    std::unique_ptr<LabelDictionary> dictionary(new LabelDictionary());
    EXPECT_EQ(nullptr, dictionary->GetUniqueString(nullptr));
    char const* const first = dictionary->GetUniqueString("Excavadora");
    EXPECT_EQ(first, dictionary->GetUniqueString("EXCAVADORA"));
    EXPECT_STREQ("Excavadora", dictionary->GetUniqueString("excavadora"));

    std::vector<char const*> interned;
    std::vector<std::string> texts;
    for (int n = 0; n < 200; ++n)
    {
        texts.push_back("Cami" + std::to_string(n) + std::string(500, 'o'));
        interned.push_back(dictionary->GetUniqueString(texts.back().c_str()));
    }
    int onHeap = 0;
    for (size_t n = 0; n < texts.size(); ++n)
    {
        EXPECT_EQ(interned[n], dictionary->GetUniqueString(texts[n].c_str()));
        onHeap += dictionary->GetDuper().IsInArena(interned[n]) ? 0 : 1;
    }
    // 200 x 506 bytes cannot all fit in 64 KB.
    EXPECT_GT(onHeap, 0);
    EXPECT_EQ(201, dictionary->GetMap().GetEntryCount());
    // Destruction frees the heap copies (checked for leaks and double frees under the sanitizers).
    dictionary.reset();
}

// ---- labels --------------------------------------------------------------

TEST(Label, CaseFoldingKeepsTheFirstSpelling)
{
    Label const mixed = Label::GetUniqueString("CoreBasicsSplash1");
    Label const upper = Label::GetUniqueString("COREBASICSSPLASH1");
    EXPECT_EQ(mixed, upper);
    EXPECT_STREQ("CoreBasicsSplash1", upper.GetString());

    Label const upperFirst = Label::GetUniqueString("COREBASICSSPLASH2");
    Label const mixedLater = Label::GetUniqueString("CoreBasicsSplash2");
    EXPECT_EQ(upperFirst, mixedLater);
    EXPECT_STREQ("COREBASICSSPLASH2", mixedLater.GetString());
    EXPECT_NE(mixed, upperFirst);
}

TEST(Label, NullAndEmptyAreDifferentNames)
{
    Label const none = Label::GetUniqueString(nullptr);
    Label const empty = Label::GetUniqueString("");
    EXPECT_TRUE(none.IsNull());
    EXPECT_EQ(Label(), none);
    EXPECT_FALSE(empty.IsNull());
    EXPECT_NE(none, empty);
    EXPECT_EQ(empty, Label::FromString(std::string()));
    EXPECT_STREQ("", none.GetString());
    EXPECT_STREQ("", empty.GetString());
}

TEST(Label, WideNamesWithNonAsciiLettersBecomeQuestionMarks)
{
    Label const doll = Label(L"CoreBasicsMu\u00F1eca");
    EXPECT_STREQ("CoreBasicsMu?eca", doll.GetString());
    EXPECT_EQ(doll, Label::FromString(std::wstring(L"COREBASICSMU\u00E9ECA")));
    EXPECT_EQ(doll, Label::GetUniqueString("corebasicsmu?eca"));
    // A code point outside the basic plane is one character, one '?'.
    EXPECT_STREQ("CoreBasicsGr?a", Label(L"CoreBasicsGr\U0001F600a").GetString());
    EXPECT_TRUE(Label(static_cast<wchar_t const*>(nullptr)).IsNull());
}

TEST(Label, FromStringFFormatsGeneratedNames)
{
    Label const splash = Label::FromStringF("CoreBasicsSplash%d", 3);
    EXPECT_EQ(Label::GetUniqueString("corebasicssplash3"), splash);
    EXPECT_EQ(Label::GetUniqueString("CoreBasicsListScrollUp"), Label::FromStringF("%sScrollUp", "CoreBasicsList"));
    EXPECT_EQ(Label::GetUniqueString("CoreBasicsPala?"), Label::FromStringF("CoreBasics%ls", L"Pala\u00F1"));
    EXPECT_EQ(Label::GetUniqueString("CoreBasics0.5"), Label::FromStringF("CoreBasics%.1f", 0.5));
}

TEST(Label, FromStringFTruncatesAtItsBuffer)
{
    std::string const longName = "CoreBasicsLong" + std::string(5000, 'q');
    Label const label = Label::FromStringF("%s", longName.c_str());
    EXPECT_EQ(4095u, std::strlen(label.GetString()));
    EXPECT_EQ(0, std::strncmp(longName.c_str(), label.GetString(), 4095));
}

TEST(Label, OrderingFollowsTheWholeHandle)
{
    // Long names overflow to the heap, far from the arena in the address space.
    std::vector<Label> labels;
    for (int n = 0; n < 40; ++n)
    {
        labels.push_back(Label::FromStringF("CoreBasicsOrder%d", n));
        labels.push_back(Label::FromString("CoreBasicsOrderLong" + std::to_string(n) + std::string(4000, 'k')));
    }
    std::less<char const*> const before;
    for (Label a : labels)
        for (Label b : labels)
        {
            EXPECT_EQ(before(a.GetPointer(), b.GetPointer()), a < b);
            EXPECT_EQ(a.GetPointer() == b.GetPointer(), a == b);
        }
    std::set<Label> unique(labels.begin(), labels.end());
    EXPECT_EQ(labels.size(), unique.size());
}

TEST(Label, ConcurrentInterningGivesOneHandlePerName)
{
    int const kNames = 300;
    std::vector<Label> seen[4];
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t, &seen] {
            for (int n = 0; n < kNames; ++n)
                seen[t].push_back(t % 2 ? Label::FromStringF("CoreBasicsThread%d", n)
                                        : Label::FromStringF("COREBASICSTHREAD%d", n));
        });
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 1; t < 4; ++t)
        EXPECT_EQ(seen[0], seen[t]);
}

TEST(Label, ShutdownStartsAnEmptyDictionary)
{
    // Run in a child process: the dictionary is shared with every other test.
    EXPECT_EXIT(
        {
            Label const before = Label::GetUniqueString("CoreBasicsShutdownName");
            Label::Shutdown();
            Label::Shutdown();
            Label const after = Label::GetUniqueString("COREBASICSSHUTDOWNNAME");
            bool const ok = before.IsValid() && std::strcmp(after.GetString(), "COREBASICSSHUTDOWNNAME") == 0 &&
                            after == Label::GetUniqueString("corebasicsshutdownname");
            _exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
