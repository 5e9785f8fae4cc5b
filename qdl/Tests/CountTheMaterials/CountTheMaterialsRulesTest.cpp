// The counting game's rules without a screen: which line a wrong pile gets,
// drive times from the named speeds (and drives that cannot be timed), the
// meeting of two queues when one side is missing, and the depth order of the
// playfield's pieces.

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/Object.h"
#include "2DEngine/Source/Framework/Tasks.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/PlayfieldEntityYSort.h"
#include "qdl/Source/Game/SimpleFunctionTask.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMode.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsMoves.h"
#include "qdl/Tests/GameTestSupport.h"

using Corvane::Label;
using Corvane::Vector2;

namespace
{

std::string Line(MaterialData const& pile, MaterialData const& request)
{
    return CountTheMaterialsMode::incorrectAnswerLine(pile, request).GetString();
}

TEST(CountTheMaterialsRules, AWrongPileGetsTheLineOfItsFault)
{
    MaterialData const redLogs{kBuildingMaterial_LogRed, 4};
    // Another material whatever its count, the same colour of another kind included.
    EXPECT_EQ("CTM_IncorrectAnswer", Line({kBuildingMaterial_ConeRed, 4}, redLogs));
    EXPECT_EQ("CTM_IncorrectAnswer", Line({kBuildingMaterial_LogBrown, 4}, redLogs));
    EXPECT_EQ("CTM_IncorrectAnswer", Line({kBuildingMaterial_Plant, 1}, redLogs));
    EXPECT_EQ("CTM_NotEnough", Line({kBuildingMaterial_LogRed, 3}, redLogs));
    EXPECT_EQ("CTM_NotEnough", Line({kBuildingMaterial_LogRed, 0}, redLogs));
    EXPECT_EQ("CTM_TooMuch", Line({kBuildingMaterial_LogRed, 6}, redLogs));
    EXPECT_EQ("", Line(redLogs, redLogs));
}

class CountTheMaterialsMoves : public GameTestSupport::GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        Corvane::CreateConstantResourceFactories();
    }

    float Duration(std::wstring const& speed)
    {
        LoadManifest(L"Speeds", L"<resources><float name='TestSpeed' value='" + speed + L"'/></resources>");
        float const seconds = driveDuration(Vector2<float>(10, 20), Vector2<float>(40, 60), "TestSpeed");
        Corvane::GetResourceManager()->Unload(L"Speeds");
        return seconds;
    }
};

TEST_F(CountTheMaterialsMoves, ADriveLastsItsStraightDistanceOverTheSpeed)
{
    // 30 across and 40 down: 50 points.
    EXPECT_FLOAT_EQ(0.5f, Duration(L"100"));
    EXPECT_FLOAT_EQ(2.0f, Duration(L"25"));
}

TEST_F(CountTheMaterialsMoves, ASpeedThatIsNotPositiveMakesTheDriveInstantLoggedOnce)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(0.0f, Duration(L"0"));
    EXPECT_EQ(0.0f, Duration(L"-40"));
    EXPECT_EQ(0.0f, Duration(L"1e40"));
    std::string const log = testing::internal::GetCapturedStderr();
    size_t const first = log.find("TestSpeed is not a positive number");
    ASSERT_NE(std::string::npos, first) << log;
    EXPECT_EQ(std::string::npos, log.find("TestSpeed is not a positive number", first + 1)) << log;
    // A missing speed is as good as none.
    EXPECT_EQ(0.0f, driveDuration(Vector2<float>(0, 0), Vector2<float>(100, 0), "NoSuchSpeed"));
}

TEST_F(CountTheMaterialsMoves, AnEmptyPathEndsWhereItStarts)
{
    Vector2<float> const start(5, 7);
    EXPECT_EQ(start, lastPointOf({}, start));
    EXPECT_EQ(Vector2<float>(1, 2), lastPointOf({Vector2<float>(9, 9), Vector2<float>(1, 2)}, start));
}

TEST_F(CountTheMaterialsMoves, AMeetingWithAMissingSideDoesNotWait)
{
    Corvane::Object alone;
    joinAtNewCuePoint(&alone, nullptr);
    joinAtNewCuePoint(nullptr, nullptr);
    bool reached = false;
    alone.AddTask(new SimpleFunctionTask<Corvane::Object>([&reached](Corvane::Object*, float) { reached = true; }));
    alone.UpdateInternal(0.02f);
    alone.UpdateInternal(0.02f);
    EXPECT_TRUE(reached);

    // Two sides pass together, once both have arrived.
    Corvane::Object first, second;
    first.AddTask(new Corvane::TimedTask(0.1f));
    joinAtNewCuePoint(&first, &second);
    bool secondPassed = false;
    second.AddTask(
        new SimpleFunctionTask<Corvane::Object>([&secondPassed](Corvane::Object*, float) { secondPassed = true; }));
    second.UpdateInternal(0.02f);
    second.UpdateInternal(0.02f);
    EXPECT_FALSE(secondPassed);
    for (int frame = 0; frame < 10; ++frame)
    {
        first.UpdateInternal(0.02f);
        second.UpdateInternal(0.02f);
    }
    EXPECT_TRUE(secondPassed);
}

TEST_F(CountTheMaterialsMoves, LoopsComeFromTheDifficultyAndAMissingEntryMeansOneLoop)
{
    LoadManifest(L"Loops", L"<resources><intarray name='RepeatedGameNumLoops'><int value='1'/><int value='2'/>"
                           L"</intarray></resources>");
    GetLevelManager()->setDifficulty(kGameModeDifficulty_Medium);
    EXPECT_EQ(2, CountTheMaterialsMode(true, -1).getLoopsLeft());
    // The next loop is made with the loops left, and has one fewer.
    EXPECT_EQ(1, CountTheMaterialsMode(false, 2).getLoopsLeft());
    EXPECT_EQ(0, CountTheMaterialsMode(false, 1).getLoopsLeft());
    testing::internal::CaptureStderr();
    GetLevelManager()->setDifficulty(kGameModeDifficulty_Hard);
    CountTheMaterialsMode const hard(true, -1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(0, hard.getLoopsLeft());
    EXPECT_TRUE(hard.getPlayIntro());
    GetLevelManager()->setDifficulty(kGameModeDifficulty_Medium);
}

// A piece standing on the layer: its box, and optionally a bottom marker.
SceneNode* Piece(SceneNode* layer, char const* name, float y, float height, float markerY = -1.0f)
{
    SceneNode* const node = new SceneNode(Label::GetUniqueString(name));
    node->LocalSetLocation(0.0f, y);
    node->SetWidth(10.0f);
    node->SetHeight(height);
    if (markerY >= 0.0f)
    {
        SceneNode* const marker = new SceneNode();
        marker->SetNodeName(Label::GetUniqueString("PlayfieldEntityBottomLoc"));
        marker->LocalSetLocation(0.0f, markerY);
        node->AttachChild(marker);
    }
    layer->AttachChild(node);
    return node;
}

std::vector<std::string> Order(SceneNode const* layer)
{
    std::vector<std::string> names;
    for (SceneNode const* child : layer->GetChildren())
        names.push_back(child->GetName().GetString());
    return names;
}

void DeleteTree(SceneNode* node)
{
    std::vector<SceneNode*> const children(node->GetChildren().begin(), node->GetChildren().end());
    for (SceneNode* child : children)
        DeleteTree(child);
    node->DetachFromParent();
    delete node;
}

TEST(CountTheMaterialsDepth, LowerPiecesAreDrawnLaterAndEqualBottomsKeepTheirOrder)
{
    SceneNode* const layer = new SceneNode();
    layer->LocalSetLocation(0.0f, 0.0f);
    Piece(layer, "digger", 300.0f, 120.0f);                 // bottom 420
    Piece(layer, "dumper", 150.0f, 140.0f);                 // bottom 290
    Piece(layer, "pileA", 380.0f, 40.0f);                   // bottom 420, after the digger
    SceneNode* const tall = Piece(layer, "sign", 100.0f, 400.0f, 90.0f); // its marker at 190
    SceneNode* const child = new SceneNode();
    child->LocalSetLocation(0.0f, 500.0f);
    child->SetWidth(5.0f);
    child->SetHeight(20.0f);
    Piece(layer, "loaded", 100.0f, 50.0f)->AttachChild(child); // a descendant reaches 620
    SortPlayfieldEntities(layer);
    EXPECT_EQ((std::vector<std::string>{"sign", "dumper", "digger", "pileA", "loaded"}), Order(layer));
    EXPECT_TRUE(PlayfieldEntityYSort(tall, layer->GetChildren().back()));
    EXPECT_FALSE(PlayfieldEntityYSort(layer->GetChildren().back(), tall));
    SortPlayfieldEntities(nullptr);
    DeleteTree(layer);
}

} // namespace
