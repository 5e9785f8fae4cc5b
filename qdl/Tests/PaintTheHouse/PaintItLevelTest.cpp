// The fence-painting game's level reader over manifest text, and the fence
// the mode sets up from a pattern and a colour map.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/PaintTheHouse/PaintItLevelResourceFactory.h"
#include "qdl/Source/Game/PaintTheHouse/PaintTheHouseConstants.h"
#include "qdl/Source/Game/PaintTheHouse/PaintTheHouseMode.h"
#include "qdl/Tests/GameTestSupport.h"

using Corvane::AutoResource;
using Corvane::Label;

namespace
{

typedef std::vector<int> Symbols;
typedef std::vector<Symbols> Patterns;

class PaintItLevelTest : public GameTestSupport::GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
            kept[difficulty] = GetLevelManager()->getLevels(kGameModeType_PaintIt, static_cast<GameModeDifficulty>(difficulty));
        Corvane::GetResourceManager()->AddResourceFactory(L"PaintItLevel", new PaintItLevelResourceFactory());
    }

    // The level manager outlives the test: the plays that follow in this
    // program must not draw the levels registered here.
    void TearDown() override
    {
        for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
            const_cast<std::vector<Label>&>(
                GetLevelManager()->getLevels(kGameModeType_PaintIt, static_cast<GameModeDifficulty>(difficulty))) = kept[difficulty];
        GameFixture::TearDown();
    }

    void Load(std::wstring const& levels)
    {
        testing::internal::CaptureStderr();
        LoadManifest(L"PaintTheHouseMode", L"<resources>" + levels + L"</resources>");
        log = testing::internal::GetCapturedStderr();
    }

    static bool Registered(char const* level, GameModeDifficulty difficulty)
    {
        std::vector<Label> const& levels = GetLevelManager()->getLevels(kGameModeType_PaintIt, difficulty);
        return std::find(levels.begin(), levels.end(), Label::GetUniqueString(level)) != levels.end();
    }

    static Patterns PatternsOf(char const* level)
    {
        AutoResource<PaintItLevel> const record(level);
        return record ? record->patterns : Patterns{{-1}};
    }

    std::string log;
    std::vector<Label> kept[kNumGameModeDifficulties];
};

TEST_F(PaintItLevelTest, LettersOfEitherCaseAndNothingElseMakeTheSymbols)
{
    EXPECT_EQ((Symbols{0, 1, 0, 2}), PaintItLevelResourceFactory::readPatternOrder(L"ABAC"));
    EXPECT_EQ((Symbols{0, 1, 2}), PaintItLevelResourceFactory::readPatternOrder(L"abc"));
    EXPECT_EQ((Symbols{0, 1}), PaintItLevelResourceFactory::readPatternOrder(L"A B"));
    EXPECT_EQ(Symbols{}, PaintItLevelResourceFactory::readPatternOrder(L"x"));
    EXPECT_EQ(Symbols{}, PaintItLevelResourceFactory::readPatternOrder(L""));
    // Letters that only look like A, B and C (Greek and fullwidth) are not them.
    EXPECT_EQ(Symbols{}, PaintItLevelResourceFactory::readPatternOrder(L"\u0391\u0392\uFF23"));
}

TEST_F(PaintItLevelTest, PatternsAnywhereInTheLevelInDocumentOrderAndEmptyOnesLeftOutAndLogged)
{
    Load(L"<PaintItLevel name='Paint_Two' difficulty='Easy'><Pattern order='AB'/><Pattern order='abc'/></PaintItLevel>"
         L"<PaintItLevel name='Paint_Nested' difficulty='Medium'><Row><Pattern order='ABB'/></Row>"
         L"  <pattern order='C'/></PaintItLevel>"
         L"<PaintItLevel name='Paint_Empty' difficulty='Hard'><Pattern order='x'/><Pattern/></PaintItLevel>"
         L"<PaintItLevel name='Paint_None' difficulty='Hard'/>");
    EXPECT_EQ((Patterns{{0, 1}, {0, 1, 2}}), PatternsOf("Paint_Two"));
    // Nested counts; the lower-case element name does not.
    EXPECT_EQ((Patterns{{0, 1, 1}}), PatternsOf("Paint_Nested"));
    // No empty pattern is kept, so the mode never steps modulo 0; each one left out is logged.
    EXPECT_EQ(Patterns{}, PatternsOf("Paint_Empty"));
    EXPECT_EQ(Patterns{}, PatternsOf("Paint_None"));
    EXPECT_NE(std::string::npos, log.find("Paint_Empty: a Pattern without the letters A, B or C")) << log;
    EXPECT_TRUE(Registered("Paint_Two", kGameModeDifficulty_Easy));
    EXPECT_TRUE(Registered("Paint_Nested", kGameModeDifficulty_Medium));
    // Without a pattern there is no fence to paint: made, never drawn.
    EXPECT_FALSE(Registered("Paint_None", kGameModeDifficulty_Hard));
    EXPECT_FALSE(Registered("Paint_Empty", kGameModeDifficulty_Hard));
}

TEST_F(PaintItLevelTest, ADifficultyNotWrittenExactlyRegistersTheLevelUnderNone)
{
    Load(L"<PaintItLevel name='Paint_Small' difficulty='easy'><Pattern order='A'/></PaintItLevel>"
         L"<PaintItLevel name='Paint_Caps' difficulty='HARD'><Pattern order='A'/></PaintItLevel>"
         L"<PaintItLevel name='Paint_NoDifficulty'><Pattern order='A'/></PaintItLevel>");
    for (char const* level : {"Paint_Small", "Paint_Caps", "Paint_NoDifficulty"})
    {
        EXPECT_EQ((Patterns{{0}}), PatternsOf(level)) << level;
        for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
            EXPECT_FALSE(Registered(level, static_cast<GameModeDifficulty>(difficulty))) << level;
    }
}

TEST_F(PaintItLevelTest, TheFenceSpellsThePatternFromItsFirstSymbolAndTheBareStripesContinueIt)
{
    // Red, green, blue, yellow for A, B, C and the unused fourth.
    std::vector<int> const map{0, 1, 2, 3};
    EXPECT_EQ((Symbols{0, 1, 0, 1, 0, 1, 0, 1, 0, 1}), PaintTheHouseMode::stripeColors({0, 1}, map));
    EXPECT_EQ((Symbols{0, 1, 2, 0, 1, 2, 0, 1, 2, 0}), PaintTheHouseMode::stripeColors({0, 1, 2}, map));
    EXPECT_EQ((Symbols{0, 0, 1, 0, 0, 1, 0, 0, 1, 0}), PaintTheHouseMode::stripeColors({0, 0, 1}, map));
    EXPECT_EQ(Symbols(10, 2), PaintTheHouseMode::stripeColors({0}, {2, 0, 1, 3}));
    EXPECT_EQ((Symbols{3, 1, 0, 0, 3, 1, 0, 0, 3, 1}), PaintTheHouseMode::stripeColors({0, 1, 2, 2}, {3, 1, 0, 2}));
    // Nothing to paint from an empty pattern, a symbol past the map or an unfilled map.
    EXPECT_EQ(Symbols{}, PaintTheHouseMode::stripeColors({}, map));
    EXPECT_EQ(Symbols{}, PaintTheHouseMode::stripeColors({0, 3, 1}, {0, 1, 2}));
    EXPECT_EQ(Symbols{}, PaintTheHouseMode::stripeColors({0, 1}, {-1, -1, -1, -1}));
}

TEST_F(PaintItLevelTest, TheColourMapIsEveryColourOnceSoABAndCAreAlwaysThreeDifferentColours)
{
    std::vector<int> seenFirst(kNumHousePaintColors, 0);
    for (int draw = 0; draw < 200; ++draw)
    {
        std::vector<int> map = PaintTheHouseMode::drawColorMapping();
        ++seenFirst[map.at(0)];
        std::sort(map.begin(), map.end());
        ASSERT_EQ((Symbols{0, 1, 2, 3}), map);
    }
    for (int color = 0; color < kNumHousePaintColors; ++color)
        EXPECT_GT(seenFirst[color], 20) << "colour " << color << " is rarely the colour of A";
}

} // namespace
