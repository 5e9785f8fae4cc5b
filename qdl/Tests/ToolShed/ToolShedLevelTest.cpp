// The ToolShed level reader: tools and boxes in document order at any depth,
// names matched exactly, entries without a picture and boxes past the sixth
// left out, and the level registered by difficulty.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/ToolShed/ToolShedLevelResourceFactory.h"
#include "qdl/Tests/GameTestSupport.h"

using namespace Corvane;

namespace
{

typedef std::vector<std::pair<int, int> > Pairs;

Pairs Entries(std::vector<ToolShedToolData> const& tools)
{
    Pairs pairs;
    for (ToolShedToolData const& tool : tools)
        pairs.emplace_back(tool.toolType, tool.color);
    return pairs;
}

bool IsRegistered(char const* level, GameModeDifficulty difficulty)
{
    std::vector<Label> const& levels = GetLevelManager()->getLevels(kGameModeType_ToolShed, difficulty);
    return std::find(levels.begin(), levels.end(), Label::GetUniqueString(level)) != levels.end();
}

class ToolShedLevelTest : public GameTestSupport::GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        GetResourceManager()->AddResourceFactory(L"ToolShedLevel", new ToolShedLevelResourceFactory());
    }

    ToolShedLevel const* Load(char const* name, std::wstring const& body)
    {
        LoadManifest(L"ToolShedLevels.xml", L"<resources>" + body + L"</resources>");
        return AutoResource<ToolShedLevel>(name).Get();
    }
};

} // namespace

TEST_F(ToolShedLevelTest, TheExampleLevelKeepsEachKindInDocumentOrder)
{
    ToolShedLevel const* const level =
        Load("TSReaderEasy1", L"<ToolShedLevel name='TSReaderEasy1' difficulty='Easy'>"
                              L"<toolEntry toolType='Hammer' color='Red'/>"
                              L"<toolBox toolType='Hammer' color='Red'/>"
                              L"<toolEntry toolType='Saw' color='Blue'/>"
                              L"<toolEntry toolType='Hammer' color='Red'/>"
                              L"<toolBox toolType='Saw' color='Blue'/>"
                              L"</ToolShedLevel>"
                              L"<ToolShedLevel name='TSReaderHard1' difficulty='Hard'/>");
    ASSERT_NE(nullptr, level);
    EXPECT_EQ((Pairs{{2, 0}, {4, 1}, {2, 0}}), Entries(level->toolEntries));
    EXPECT_EQ((Pairs{{2, 0}, {4, 1}}), Entries(level->toolBoxes));
    EXPECT_TRUE(IsRegistered("TSReaderEasy1", kGameModeDifficulty_Easy));
    EXPECT_FALSE(IsRegistered("TSReaderEasy1", kGameModeDifficulty_Hard));
    // A level without children is registered all the same, with two empty lists.
    ToolShedLevel const* const empty = AutoResource<ToolShedLevel>("TSReaderHard1").Get();
    ASSERT_NE(nullptr, empty);
    EXPECT_TRUE(empty->toolEntries.empty() && empty->toolBoxes.empty());
    EXPECT_TRUE(IsRegistered("TSReaderHard1", kGameModeDifficulty_Hard));
}

TEST_F(ToolShedLevelTest, NestedEntriesCountAndUnknownNamesAreLeftOut)
{
    ToolShedLevel const* const level =
        Load("TSReaderOdd", L"<ToolShedLevel name='TSReaderOdd' difficulty='Medium'>"
                            L"<pile><toolEntry toolType='Pliers' color='Yellow'/></pile>"
                            L"<toolBox toolType='Drill' color='Green'><toolEntry toolType='Brush' color='Blue'/></toolBox>"
                            L"<toolEntry toolType='hammer' color='Red'/>"
                            L"<toolEntry toolType='Hammer' color='Purple'/>"
                            L"<toolEntry toolType=' Hammer' color='Red'/>"
                            L"<toolEntry/>"
                            L"<toolEntry toolType='Mart\u00edllo' color='Red'/>"
                            L"<toolEntry toolType='Level' color='Green'/>"
                            L"<toolEntry toolType='Level' color='Green'/>"
                            L"</ToolShedLevel>");
    ASSERT_NE(nullptr, level);
    EXPECT_EQ((Pairs{{7, 3}, {0, 1}, {6, 2}, {6, 2}}), Entries(level->toolEntries));
    EXPECT_EQ((Pairs{{1, 2}}), Entries(level->toolBoxes));
}

TEST_F(ToolShedLevelTest, BoxesPastTheSixthAndUnknownDifficultiesAreRefused)
{
    std::wstring body = L"<ToolShedLevel name='TSReaderBoxes' difficulty='Hard'>";
    for (int box = 0; box < 8; ++box)
        body += L"<toolBox toolType='" + std::wstring(box % 2 ? L"Saw" : L"Drill") + L"' color='Blue'/>";
    body += L"</ToolShedLevel><ToolShedLevel name='TSReaderNoDifficulty' difficulty='hard'/>";
    ToolShedLevel const* const level = Load("TSReaderBoxes", body);
    ASSERT_NE(nullptr, level);
    EXPECT_EQ(6u, level->toolBoxes.size());
    for (int d = 0; d < kNumGameModeDifficulties; ++d)
        EXPECT_FALSE(IsRegistered("TSReaderNoDifficulty", static_cast<GameModeDifficulty>(d)));
}
