// The leaf-blowing game's level reader over manifest text, and the rules the
// mode sets up by: which tools may be drawn, where a tool may lie, and where
// the pointer pushes a leaf.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/PileOfLeaves/LeafElements.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesConstants.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevelResourceFactory.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesMode.h"
#include "qdl/Tests/GameTestSupport.h"

using Corvane::AutoResource;
using Corvane::Label;
using Corvane::Vector2;

namespace
{

class PileOfLeavesLevelTest : public GameTestSupport::GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
            kept[difficulty] = GetLevelManager()->getLevels(kGameModeType_PileOfLeaves, static_cast<GameModeDifficulty>(difficulty));
        Corvane::GetResourceManager()->AddResourceFactory(L"PileOfLeavesLevel", new PileOfLeavesLevelResourceFactory());
    }

    // The level manager outlives the test: the plays that follow in this
    // program must not draw the levels registered here.
    void TearDown() override
    {
        for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
            const_cast<std::vector<Label>&>(
                GetLevelManager()->getLevels(kGameModeType_PileOfLeaves, static_cast<GameModeDifficulty>(difficulty))) = kept[difficulty];
        GameFixture::TearDown();
    }

    void Load(std::wstring const& levels)
    {
        testing::internal::CaptureStderr();
        LoadManifest(L"PileOfLeavesMode", L"<resources>" + levels + L"</resources>");
        log = testing::internal::GetCapturedStderr();
    }

    static bool Registered(char const* level, GameModeDifficulty difficulty)
    {
        std::vector<Label> const& levels = GetLevelManager()->getLevels(kGameModeType_PileOfLeaves, difficulty);
        return std::find(levels.begin(), levels.end(), Label::GetUniqueString(level)) != levels.end();
    }

    // numTools, cursorRadius, areaCover, toolCover; -1s when not loaded.
    static std::vector<int> Fields(char const* level)
    {
        AutoResource<PileOfLeavesLevel> const record(level);
        if (!record)
            return {-1, -1, -1, -1};
        return {record->numTools, record->cursorRadius, record->areaCover, record->toolCover};
    }

    std::string log;
    std::vector<Label> kept[kNumGameModeDifficulties];
};

TEST_F(PileOfLeavesLevelTest, AttributesAloneWithTheirDefaultsAndTheirLeadingNumbers)
{
    Load(L"<PileOfLeavesLevel name='Leaves_Full' difficulty='Hard' numTools='8' cursorRadius='80' areaCover='40'"
         L"  toolCover='6'><Tool numTools='9'/></PileOfLeavesLevel>"
         L"<PileOfLeavesLevel name='Leaves_Px' difficulty='Medium' cursorRadius='60px' numTools='4' areaCover=' 30'/>"
         L"<PileOfLeavesLevel name='Leaves_Bare' difficulty='Easy' numTools='3'/>");
    // Child elements change nothing; text after a number is not read.
    EXPECT_EQ((std::vector<int>{8, 80, 40, 6}), Fields("Leaves_Full"));
    EXPECT_EQ((std::vector<int>{4, 60, 30, 0}), Fields("Leaves_Px"));
    EXPECT_EQ((std::vector<int>{3, 100, 0, 0}), Fields("Leaves_Bare"));
    EXPECT_TRUE(Registered("Leaves_Full", kGameModeDifficulty_Hard));
    EXPECT_TRUE(Registered("Leaves_Px", kGameModeDifficulty_Medium));
    EXPECT_TRUE(Registered("Leaves_Bare", kGameModeDifficulty_Easy));
    EXPECT_EQ(std::string::npos, log.find("level Leaves_")) << log;
}

TEST_F(PileOfLeavesLevelTest, ADifficultyNotWrittenExactlyOrTooFewToolsRegistersNothing)
{
    Corvane::CreateConstantResourceFactories();
    LoadManifest(L"Constants", L"<resources><intarray name='RepeatedGameNumLoops'>"
                               L"<int value='1'/><int value='2'/><int value='2'/></intarray></resources>");
    Load(L"<PileOfLeavesLevel name='Leaves_Small' difficulty='easy' numTools='3'/>"
         L"<PileOfLeavesLevel name='Leaves_Caps' difficulty='HARD' numTools='3'/>"
         L"<PileOfLeavesLevel name='Leaves_None' numTools='3'/>"
         L"<PileOfLeavesLevel name='Leaves_Few' difficulty='Hard' numTools='2'/>"
         L"<PileOfLeavesLevel name='Leaves_Enough' difficulty='Hard' numTools='3'/>");
    for (char const* level : {"Leaves_Small", "Leaves_Caps", "Leaves_None", "Leaves_Few"})
        for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
            EXPECT_FALSE(Registered(level, static_cast<GameModeDifficulty>(difficulty))) << level;
    // Each tool found is taken away: two loops at Hard ask for three tools.
    EXPECT_NE(std::string::npos, log.find("PileOfLeavesMode.xml, level Leaves_Few: PileOfLeavesLevel \"numTools\" of "
                                          "\"2\" is out of range (it takes 3 to 22)"))
        << log;
    EXPECT_TRUE(Registered("Leaves_Enough", kGameModeDifficulty_Hard));
}

TEST_F(PileOfLeavesLevelTest, ThePointerPushesALeafToTheEdgeOfItsCircleAndOnlyInsideItsSquare)
{
    Vector2<int> const rest(400, 300);
    Vector2<int> at;
    // 60 pixels left of the leaf: 40 further right, 100 from the pointer.
    ASSERT_TRUE(Leaf::pushedPosition(rest, 100, 340, 300, &at));
    EXPECT_EQ(Vector2<int>(440, 300), at);
    // Right on it: cursorRadius - 1 to the right.
    ASSERT_TRUE(Leaf::pushedPosition(rest, 100, 400, 300, &at));
    EXPECT_EQ(Vector2<int>(499, 300), at);
    // In the square, out of the circle: home again.
    ASSERT_TRUE(Leaf::pushedPosition(rest, 100, 320, 220, &at));
    EXPECT_EQ(rest, at);
    // Out of the square: not moved, wherever it is.
    EXPECT_FALSE(Leaf::pushedPosition(rest, 100, 299, 300, &at));
    // No circle at all: nothing moves.
    EXPECT_FALSE(Leaf::pushedPosition(rest, 0, 400, 300, &at));
    EXPECT_FALSE(Leaf::pushedPosition(rest, 0, 390, 300, &at));
    // The largest radius read does not overflow its square.
    ASSERT_TRUE(Leaf::pushedPosition(rest, PileOfLeavesLevelResourceFactory::kMaxCursorRadius, 0, 0, &at));
    EXPECT_GT(at.x, rest.x);
}

TEST_F(PileOfLeavesLevelTest, ToolPairsPerLevelSizeAndTheCapThatKeepsToolMakingFinite)
{
    EXPECT_EQ(16, PileOfLeavesMode::toolsAvailable(6));
    EXPECT_EQ(kMaxLeafCoveredTools, PileOfLeavesMode::toolsAvailable(7));
    EXPECT_EQ(kMaxLeafCoveredTools, PileOfLeavesMode::toolsAvailable(40));
    EXPECT_TRUE(PileOfLeavesMode::mayDrawTool(6, kQuarrydaleTool_Hammer, 1));
    EXPECT_FALSE(PileOfLeavesMode::mayDrawTool(6, kQuarrydaleTool_Saw, 2));
    EXPECT_FALSE(PileOfLeavesMode::mayDrawTool(7, kQuarrydaleTool_Hammer, 1));
    EXPECT_FALSE(PileOfLeavesMode::mayDrawTool(7, kQuarrydaleTool_Drill, 1));
    EXPECT_TRUE(PileOfLeavesMode::mayDrawTool(7, kQuarrydaleTool_Wrench, 1));
    EXPECT_FALSE(PileOfLeavesMode::mayDrawTool(7, kQuarrydaleTool_Screwdriver, 2));
    EXPECT_TRUE(PileOfLeavesMode::mayDrawTool(7, kQuarrydaleTool_Pliers, 3));
    // Drawn without a scene: as many as may be, each pair once.
    std::vector<sLeafToolDraw> const drawn = PileOfLeavesMode::drawTools(40);
    std::vector<std::pair<int, int> > pairs;
    for (sLeafToolDraw const& tool : drawn)
        pairs.emplace_back(tool.type, tool.color);
    std::sort(pairs.begin(), pairs.end());
    EXPECT_EQ(static_cast<size_t>(kMaxLeafCoveredTools), pairs.size());
    EXPECT_TRUE(std::adjacent_find(pairs.begin(), pairs.end()) == pairs.end());
    EXPECT_TRUE(PileOfLeavesMode::drawTools(-2).empty());
}

TEST_F(PileOfLeavesLevelTest, APlaceIsFreeInsideThePlayAreaAndOffTheOtherToolsByMoreThanAPixel)
{
    typedef Corvane::Rect<float> Box;
    std::vector<Box> const others{Box(100, 300, 72, 48)};
    EXPECT_EQ(0.0f, PileOfLeavesMode::placeOverlap(Box(300, 300, 72, 48), others));
    // Touching by a pixel is allowed; more both ways is not.
    EXPECT_EQ(0.0f, PileOfLeavesMode::placeOverlap(Box(171, 300, 72, 48), others));
    EXPECT_GT(PileOfLeavesMode::placeOverlap(Box(160, 330, 72, 48), others), 0.0f);
    EXPECT_GT(PileOfLeavesMode::placeOverlap(Box(0.5f, 300, 72, 48), others), 0.0f);
    EXPECT_GT(PileOfLeavesMode::placeOverlap(Box(740, 300, 72, 48), others), 0.0f);
    EXPECT_GT(PileOfLeavesMode::placeOverlap(Box(300, 560, 72, 48), others), 0.0f);
    // Less overlap scores lower, so a crowded level takes the least-overlapping place.
    EXPECT_LT(PileOfLeavesMode::placeOverlap(Box(160, 340, 72, 48), others),
              PileOfLeavesMode::placeOverlap(Box(120, 310, 72, 48), others));
}

} // namespace
