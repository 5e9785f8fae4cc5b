// The PlanAJob level reader: the pictures' names from the base and the
// difficulty, numEmpty held to 1..5, the level registered by difficulty, and
// the element's children left to the manifest; and the steps the mode deals.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobLevelResourceFactory.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobMode.h"
#include "qdl/Tests/GameTestSupport.h"

using namespace Corvane;

namespace
{

bool IsRegistered(char const* level, GameModeDifficulty difficulty)
{
    std::vector<Label> const& levels = GetLevelManager()->getLevels(kGameModeType_PlanAJob, difficulty);
    return std::find(levels.begin(), levels.end(), Label::GetUniqueString(level)) != levels.end();
}

std::string Text(Label label)
{
    return label.IsValid() ? label.GetString() : "(null)";
}

class PlanAJobLevelTest : public GameTestSupport::GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        GetResourceManager()->AddResourceFactory(L"PlanAJobLevel", new PlanAJobLevelResourceFactory());
    }

    PlanAJobLevel const* Load(char const* name, std::wstring const& body)
    {
        LoadManifest(L"PlanAJobLevels.xml", L"<resources>" + body + L"</resources>");
        return AutoResource<PlanAJobLevel>(name).Get();
    }
};

} // namespace

TEST_F(PlanAJobLevelTest, TheExampleLevelNamesItsPicturesAndIsRegisteredAsEasy)
{
    PlanAJobLevel const* const level = Load(
        "BuildShed_Easy", L"<PlanAJobLevel name='BuildShed_Easy' difficulty='Easy' imageList='BuildShed' numEmpty='2'/>");
    ASSERT_NE(nullptr, level);
    EXPECT_EQ("BuildShed_Objects_Easy", Text(level->objects));
    EXPECT_EQ("BuildShed_Targets", Text(level->targets));
    EXPECT_EQ("BuildShed_SpriteType", Text(level->spriteType));
    EXPECT_EQ(2, level->numEmpty);
    EXPECT_TRUE(IsRegistered("BuildShed_Easy", kGameModeDifficulty_Easy));
}

TEST_F(PlanAJobLevelTest, TheCardsSuffixFollowsTheDifficultyAndAnUnknownOneTakesHard)
{
    struct sCase
    {
        char const* name;
        wchar_t const* difficulty;
        char const* objects;
    };
    sCase const cases[] = {{"PJMedium", L"Medium", "Job_Objects_Medium"},
                           {"PJHard", L"Hard", "Job_Objects_Hard"},
                           {"PJLower", L"easy", "Job_Objects_Hard"},
                           {"PJNone", nullptr, "Job_Objects_Hard"}};
    std::wstring body;
    for (sCase const& c : cases)
    {
        std::wstring const name(c.name, c.name + std::char_traits<char>::length(c.name));
        body += L"<PlanAJobLevel name='" + name + L"' imageList='Job' numEmpty='3'" +
                (c.difficulty ? std::wstring(L" difficulty='") + c.difficulty + L"'" : std::wstring()) + L"/>";
    }
    LoadManifest(L"PlanAJobLevels.xml", L"<resources>" + body + L"</resources>");
    for (sCase const& c : cases)
    {
        AutoResource<PlanAJobLevel> const level(c.name);
        ASSERT_TRUE(level) << c.name;
        EXPECT_EQ(c.objects, Text(level->objects)) << c.name;
    }
    EXPECT_TRUE(IsRegistered("PJMedium", kGameModeDifficulty_Medium));
    EXPECT_TRUE(IsRegistered("PJHard", kGameModeDifficulty_Hard));
    // No difficulty: kept as a resource, drawn by no difficulty.
    for (int difficulty = 0; difficulty < 3; ++difficulty)
        EXPECT_FALSE(IsRegistered("PJLower", static_cast<GameModeDifficulty>(difficulty)));
}

TEST_F(PlanAJobLevelTest, ALevelWithoutOneToFiveEmptyStepsIsLoggedAndNeverDrawn)
{
    testing::internal::CaptureStderr();
    LoadManifest(L"PlanAJobLevels",
                 L"<resources><PlanAJobLevel name='PJZero' difficulty='Easy' imageList='J' numEmpty='0'/>"
                 L"<PlanAJobLevel name='PJMissing' difficulty='Easy' imageList='J'/>"
                 L"<PlanAJobLevel name='PJSix' difficulty='Hard' imageList='J' numEmpty='6'/>"
                 L"<PlanAJobLevel name='PJFive' difficulty='Hard' imageList='J' numEmpty='5'/></resources>");
    std::string const log = testing::internal::GetCapturedStderr();
    // No empty step: the blueprint would be full before the child could play.
    for (char const* level : {"PJZero", "PJMissing", "PJSix"})
    {
        EXPECT_TRUE(AutoResource<PlanAJobLevel>(level)) << level;
        EXPECT_FALSE(IsRegistered(level, kGameModeDifficulty_Easy) || IsRegistered(level, kGameModeDifficulty_Hard))
            << level;
    }
    EXPECT_NE(std::string::npos, log.find("PlanAJobLevels.xml, level PJZero: PlanAJobLevel \"numEmpty\" of \"0\""))
        << log;
    EXPECT_NE(std::string::npos, log.find("level PJMissing: PlanAJobLevel has no \"numEmpty\"")) << log;
    EXPECT_EQ(5, AutoResource<PlanAJobLevel>("PJFive")->numEmpty);
    EXPECT_TRUE(IsRegistered("PJFive", kGameModeDifficulty_Hard));
    EXPECT_EQ(std::string::npos, log.find("PJFive")) << log;
}

TEST_F(PlanAJobLevelTest, ChildrenOfALevelAreLeftToTheManifestAndChangeNothing)
{
    PlanAJobLevel const* const outer =
        Load("PJOuter", L"<PlanAJobLevel name='PJOuter' difficulty='Medium' imageList='Outer' numEmpty='3'>"
                        L"<PlanAJobLevel name='PJInner' difficulty='Hard' imageList='Inner' numEmpty='4'/>"
                        L"</PlanAJobLevel>");
    ASSERT_NE(nullptr, outer);
    EXPECT_EQ("Outer_Targets", Text(outer->targets));
    EXPECT_EQ(3, outer->numEmpty);
    AutoResource<PlanAJobLevel> const inner("PJInner");
    ASSERT_TRUE(inner);
    EXPECT_EQ("Inner_Objects_Hard", Text(inner->objects));
    EXPECT_TRUE(IsRegistered("PJInner", kGameModeDifficulty_Hard));
}

TEST_F(PlanAJobLevelTest, AJobReadAgainIsListedOnlyAtItsLatestDifficulty)
{
    PlanAJobLevel const* const level =
        Load("Cobertizo_Mover", L"<PlanAJobLevel name='Cobertizo_Mover' difficulty='Easy' imageList='A' numEmpty='1'/>"
                                L"<PlanAJobLevel name='Cobertizo_Mover' difficulty='Hard' imageList='A'"
                                L" numEmpty='5'/>");
    ASSERT_NE(nullptr, level);
    EXPECT_EQ(5, level->numEmpty);
    EXPECT_FALSE(IsRegistered("Cobertizo_Mover", kGameModeDifficulty_Easy));
    EXPECT_TRUE(IsRegistered("Cobertizo_Mover", kGameModeDifficulty_Hard));
}

TEST_F(PlanAJobLevelTest, EveryDealLeavesExactlyTheEmptyStepsAndPreFillsTheRest)
{
    // Outside 1..5 the deal is held to the nearest end, as the reader holds numEmpty.
    for (int numEmpty : {-3, 0, 1, 3, 5, 9})
    {
        int const empty = std::min(std::max(numEmpty, 1), PlanAJobLevel::kNumSteps);
        sPlanAJobDeal const deal = PlanAJobMode::dealSteps(numEmpty);
        ASSERT_EQ(static_cast<size_t>(PlanAJobLevel::kNumSteps), deal.preFilled.size());
        ASSERT_EQ(static_cast<size_t>(empty), deal.missing.size()) << numEmpty;
        std::vector<bool> seen(PlanAJobLevel::kNumSteps, false);
        for (int const step : deal.missing)
        {
            ASSERT_TRUE(step >= 0 && step < PlanAJobLevel::kNumSteps);
            EXPECT_FALSE(deal.preFilled[static_cast<size_t>(step)] || seen[static_cast<size_t>(step)]) << step;
            seen[static_cast<size_t>(step)] = true;
        }
        EXPECT_EQ(PlanAJobLevel::kNumSteps - empty, std::count(deal.preFilled.begin(), deal.preFilled.end(), true));
    }
}
