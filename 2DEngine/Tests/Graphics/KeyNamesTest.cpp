#include <gtest/gtest.h>

#include "2DEngine/Source/Graphics/KeyNames.h"

using Corvane::GetKeyCodeByName;

// Normal case: names from the table, in any mix of case.
TEST(KeyNames, TableNamesIgnoreCase)
{
    EXPECT_EQ(13, GetKeyCodeByName(L"Enter"));
    EXPECT_EQ(13, GetKeyCodeByName(L"eNtEr"));
    EXPECT_EQ(13, GetKeyCodeByName(L"ENTER"));
    EXPECT_EQ(13, GetKeyCodeByName(L"VK_RETURN"));
    EXPECT_EQ(27, GetKeyCodeByName(L"vk_escape"));
    EXPECT_EQ(27, GetKeyCodeByName(L"Escape"));
    EXPECT_EQ(32, GetKeyCodeByName(L"space"));
}

TEST(KeyNames, SharedCodesAndRanges)
{
    EXPECT_EQ(256, GetKeyCodeByName(L"start"));
    EXPECT_EQ(GetKeyCodeByName(L"GamePadStart"), GetKeyCodeByName(L"Start"));
    EXPECT_EQ(257, GetKeyCodeByName(L"Select"));
    EXPECT_EQ(271, GetKeyCodeByName(L"GamePadLeft"));
    EXPECT_EQ(269, GetKeyCodeByName(L"GamePadRight"));
    // The navigation block is listed out of numeric order.
    EXPECT_EQ(33, GetKeyCodeByName(L"PageUp"));
    EXPECT_EQ(34, GetKeyCodeByName(L"PageDown"));
    EXPECT_EQ(36, GetKeyCodeByName(L"Home"));
    EXPECT_EQ(35, GetKeyCodeByName(L"End"));
    EXPECT_EQ(96, GetKeyCodeByName(L"Num0"));
    EXPECT_EQ(105, GetKeyCodeByName(L"num9"));
    // NumSub skips 108.
    EXPECT_EQ(109, GetKeyCodeByName(L"NumSub"));
    EXPECT_EQ(112, GetKeyCodeByName(L"F1"));
    EXPECT_EQ(127, GetKeyCodeByName(L"f16"));
    EXPECT_EQ(145, GetKeyCodeByName(L"ScrLock"));
}

TEST(KeyNames, PunctuationComesFromTheTable)
{
    EXPECT_EQ(186, GetKeyCodeByName(L";"));
    EXPECT_EQ(187, GetKeyCodeByName(L"="));
    EXPECT_EQ(188, GetKeyCodeByName(L","));
    EXPECT_EQ(189, GetKeyCodeByName(L"-"));
    EXPECT_EQ(190, GetKeyCodeByName(L"."));
    EXPECT_EQ(191, GetKeyCodeByName(L"/"));
    EXPECT_EQ(192, GetKeyCodeByName(L"`"));
    EXPECT_EQ(219, GetKeyCodeByName(L"["));
    EXPECT_EQ(220, GetKeyCodeByName(L"\\"));
    EXPECT_EQ(221, GetKeyCodeByName(L"]"));
    EXPECT_EQ(222, GetKeyCodeByName(L"'"));
}

TEST(KeyNames, SingleCharactersGiveTheirUpperCaseCode)
{
    EXPECT_EQ(65, GetKeyCodeByName(L"a"));
    EXPECT_EQ(65, GetKeyCodeByName(L"A"));
    EXPECT_EQ(90, GetKeyCodeByName(L"z"));
    EXPECT_EQ(55, GetKeyCodeByName(L"7"));
    EXPECT_EQ(48, GetKeyCodeByName(L"0"));
    // Not in the table: its own code.
    EXPECT_EQ(43, GetKeyCodeByName(L"+"));
    EXPECT_EQ(127, GetKeyCodeByName(L"\x7f"));
}

// Invalid input.
TEST(KeyNames, UnknownNamesGiveZero)
{
    EXPECT_EQ(0, GetKeyCodeByName(nullptr));
    EXPECT_EQ(0, GetKeyCodeByName(L""));
    EXPECT_EQ(0, GetKeyCodeByName(L"Null"));
    EXPECT_EQ(0, GetKeyCodeByName(L"F17"));
    EXPECT_EQ(0, GetKeyCodeByName(L"Ab"));
    EXPECT_EQ(0, GetKeyCodeByName(L"Enter "));
    EXPECT_EQ(0, GetKeyCodeByName(L"GamePad"));
}

// Non-ASCII names: a single character above 127 is not a key, nor is a
// Spanish word that merely resembles a table name.
TEST(KeyNames, NonAsciiNamesGiveZero)
{
    EXPECT_EQ(0, GetKeyCodeByName(L"\u00f1"));
    EXPECT_EQ(0, GetKeyCodeByName(L"\u00d1"));
    EXPECT_EQ(0, GetKeyCodeByName(L"\u00e9"));
    EXPECT_EQ(0, GetKeyCodeByName(L"Espaci\u00f3"));
    // Caseless matching folds only ASCII letters.
    EXPECT_EQ(0, GetKeyCodeByName(L"\u0130nsert"));
}
