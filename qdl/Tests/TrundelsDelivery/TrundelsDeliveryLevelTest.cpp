// The delivery game's level reader over manifest text, and the rule that
// names what a wrong choice got wrong.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryConstants.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevelResourceFactory.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryMode.h"
#include "Core/Source/StringUtils.h"
#include "qdl/Tests/GameTestSupport.h"

using Corvane::AutoResource;
using Corvane::Label;

namespace
{

typedef std::vector<int> Pattern;

class TrundelsDeliveryLevelTest : public GameTestSupport::GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        Corvane::GetResourceManager()->AddResourceFactory(L"TrundelsDeliveryLevel",
                                                          new TrundelsDeliveryLevelResourceFactory());
    }

    void Load(std::wstring const& levels)
    {
        testing::internal::CaptureStderr();
        LoadManifest(L"TrundelsDeliveryMode", L"<resources>" + levels + L"</resources>");
        log = testing::internal::GetCapturedStderr();
    }

    static bool Registered(char const* level, GameModeDifficulty difficulty)
    {
        std::vector<Label> const& levels = GetLevelManager()->getLevels(kGameModeType_TrundelsDelivery, difficulty);
        return std::find(levels.begin(), levels.end(), Label::GetUniqueString(level)) != levels.end();
    }

    std::string log;
};

TEST_F(TrundelsDeliveryLevelTest, LettersOfEitherCaseAndNothingElseMakeTheSymbols)
{
    EXPECT_EQ((Pattern{0, 1, 0, 2}), TrundelsDeliveryLevelResourceFactory::readPattern(L"ABAC"));
    EXPECT_EQ((Pattern{0, 1, 2}), TrundelsDeliveryLevelResourceFactory::readPattern(L"abc"));
    EXPECT_EQ((Pattern{0, 1}), TrundelsDeliveryLevelResourceFactory::readPattern(L"A B"));
    EXPECT_EQ((Pattern{0, 0, 1, 2}), TrundelsDeliveryLevelResourceFactory::readPattern(L"Aa B-c"));
    EXPECT_EQ(Pattern{}, TrundelsDeliveryLevelResourceFactory::readPattern(L"x"));
    // Letters that only look like A, B and C are not them.
    EXPECT_EQ(Pattern{}, TrundelsDeliveryLevelResourceFactory::readPattern(L"\u0391\u0412\u0421\u00e1"));
}

TEST_F(TrundelsDeliveryLevelTest, PatternsAtAnyDepthInOrderAndEmptyOnesLeftOut)
{
    Load(L"<TrundelsDeliveryLevel name='Td_Order' difficulty='Hard'>"
         L"  <Pattern order='ABAC'/>"
         L"  <group><Pattern order='x'/><Pattern/><deeper><Pattern order='b a'/></deeper></group>"
         L"  <pattern order='C'/>"
         L"</TrundelsDeliveryLevel>"
         L"<TrundelsDeliveryLevel name='Td_Empty' difficulty='Easy'><Pattern order=''/></TrundelsDeliveryLevel>");
    AutoResource<TrundelsDeliveryLevel> const level("Td_Order");
    ASSERT_TRUE(level);
    ASSERT_EQ(2u, level->patterns.size());
    EXPECT_EQ((Pattern{0, 1, 0, 2}), level->patterns[0]);
    EXPECT_EQ((Pattern{1, 0}), level->patterns[1]);
    EXPECT_TRUE(Registered("Td_Order", kGameModeDifficulty_Hard));
    EXPECT_NE(std::string::npos, log.find("Td_Order: a Pattern without the letters")) << log;

    // Made, but never drawn: the game would have no pattern to show.
    AutoResource<TrundelsDeliveryLevel> const empty("Td_Empty");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->patterns.empty());
    EXPECT_FALSE(Registered("Td_Empty", kGameModeDifficulty_Easy));
}

TEST_F(TrundelsDeliveryLevelTest, ADifficultyInAnotherCaseOrMissingIsMadeButNeverDrawn)
{
    Load(L"<TrundelsDeliveryLevel name='Td_Small' difficulty='easy'><Pattern order='AB'/></TrundelsDeliveryLevel>"
         L"<TrundelsDeliveryLevel name='Td_Capital' difficulty='HARD'><Pattern order='AB'/></TrundelsDeliveryLevel>"
         L"<TrundelsDeliveryLevel name='Td_None'><Pattern order='AB'/></TrundelsDeliveryLevel>");
    for (char const* name : {"Td_Small", "Td_Capital", "Td_None"})
    {
        EXPECT_TRUE(AutoResource<TrundelsDeliveryLevel>(name)) << name;
        for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
            EXPECT_FALSE(Registered(name, static_cast<GameModeDifficulty>(difficulty))) << name;
    }
}

TEST(TrundelsDeliveryWrongChoice, TheVoiceSaysWhetherTheKindTheColourOrBothAreWrong)
{
    // Plain bucket for a plain pipe: both of no colour, so the kind is wrong.
    EXPECT_STREQ("TrundelsDelivery_WrongType", wrongChoiceLine(6, 9));
    // A red cone for an orange one; a blue barrel for a plain one.
    EXPECT_STREQ("TrundelsDelivery_WrongColor", wrongChoiceLine(1, 2));
    EXPECT_STREQ("TrundelsDelivery_WrongColor", wrongChoiceLine(11, 10));
    // A red bucket for a red pipe.
    EXPECT_STREQ("TrundelsDelivery_WrongType", wrongChoiceLine(5, 8));
    // The tyre is of a kind of its own.
    for (int type = 1; type < kNumTrundelsDeliveryTypes; ++type)
    {
        bool const plain = kTrundelsDeliveryColorCodes[type] == -1;
        EXPECT_STREQ(plain ? "TrundelsDelivery_WrongType" : "TrundelsDelivery_Wrong", wrongChoiceLine(0, type))
            << type;
    }
    EXPECT_STREQ("TrundelsDelivery_Wrong", wrongChoiceLine(-1, 3));
}

} // namespace

namespace
{

// Letter k stands for type 10 + k, so the carts read as letters.
std::vector<TrundelsDeliveryType> const kLetters = {10, 11, 12, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2};

std::vector<int> cartsOf(char const* order)
{
    std::vector<int> letters;
    for (TrundelsDeliveryType type :
         TrundelsDeliveryMode::cartTypes(TrundelsDeliveryLevelResourceFactory::readPattern(
                                             Corvane::ConvertStringUTF8ToWide(order)),
                                         kLetters))
        letters.push_back(type - 10);
    return letters;
}

TEST(TrundelsDeliveryCarts, FiveCartsShowThePatternRepeatedAndTheSixthNeedsTheNextLetter)
{
    EXPECT_EQ((Pattern{0, 1, 0, 1, 0, 1}), cartsOf("AB"));
    EXPECT_EQ((Pattern{0, 1, 2, 0, 1, 2}), cartsOf("ABC"));
    EXPECT_EQ((Pattern{0, 0, 1, 0, 0, 1}), cartsOf("AAB"));
    EXPECT_EQ((Pattern{0, 0, 0, 0, 0, 0}), cartsOf("A"));
    EXPECT_EQ((Pattern{0, 1, 2, 2, 1, 0}), cartsOf("ABCCB"));
    EXPECT_EQ((Pattern{0, 1, 2, 1, 0, 2}), cartsOf("ABCBACA"));
    EXPECT_TRUE(cartsOf("").empty());
}

TEST(TrundelsDeliveryCarts, FiveDifferentChoicesAmongThemTheThreeLetters)
{
    for (int round = 0; round < 20; ++round)
    {
        std::vector<TrundelsDeliveryType> choices = TrundelsDeliveryMode::choiceTypes(kLetters);
        ASSERT_EQ(5u, choices.size());
        std::sort(choices.begin(), choices.end());
        EXPECT_EQ((std::vector<TrundelsDeliveryType>{3, 4, 10, 11, 12}), choices);
    }
    // Without a level every choice shows nothing.
    EXPECT_EQ(std::vector<TrundelsDeliveryType>(5, -1),
              TrundelsDeliveryMode::choiceTypes(std::vector<TrundelsDeliveryType>(13, -1)));
}

} // namespace
