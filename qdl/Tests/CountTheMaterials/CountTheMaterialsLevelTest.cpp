// The counting game's level reader over manifest text: piles in document
// order at any depth, the last request, names matched exactly, and the levels
// it keeps from the game (no request, an unknown material, an unknown
// difficulty) while still making the record.
//
// The level manager lives as long as the process: the levels offered here stay
// offered (without their records) to any game played later in the same
// process. ctest runs every test in a process of its own.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevelResourceFactory.h"
#include "qdl/Tests/GameTestSupport.h"

using Corvane::AutoResource;
using Corvane::Label;

namespace
{

class CountTheMaterialsLevelTest : public GameTestSupport::GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        Corvane::GetResourceManager()->AddResourceFactory(L"CountTheMaterialsLevel",
                                                          new CountTheMaterialsLevelResourceFactory());
    }

    // Loads the levels, the log kept.
    void Load(std::wstring const& levels)
    {
        testing::internal::CaptureStderr();
        LoadManifest(L"CountTheMaterialsMode", L"<resources>" + levels + L"</resources>");
        log = testing::internal::GetCapturedStderr();
    }

    static bool Registered(char const* level, GameModeDifficulty difficulty)
    {
        std::vector<Label> const& levels = GetLevelManager()->getLevels(kGameModeType_CountTheMaterials, difficulty);
        return std::find(levels.begin(), levels.end(), Label::GetUniqueString(level)) != levels.end();
    }

    static bool RegisteredAnywhere(char const* level)
    {
        return Registered(level, kGameModeDifficulty_Easy) || Registered(level, kGameModeDifficulty_Medium) ||
               Registered(level, kGameModeDifficulty_Hard);
    }

    std::string log;
};

void ExpectPile(MaterialData const& pile, BuildingMaterial type, int number)
{
    EXPECT_EQ(type, pile.type);
    EXPECT_EQ(number, pile.number);
}

TEST_F(CountTheMaterialsLevelTest, PilesInDocumentOrderAtAnyDepthAndTheLastRequest)
{
    Load(L"<CountTheMaterialsLevel name='Ctm_Order' difficulty='Medium'>"
         L"  <Material type='ConeRed' number='3'/>"
         L"  <Request material='LogRed' number='2'/>"
         L"  <group><Material type='Plant' number='1'/><deeper><Material type='BricksBlue' number='6'/></deeper></group>"
         L"  <material type='LogRed' number='2'/>"
         L"  <Request material='BricksBlue' number=' +6 bags'/>"
         L"</CountTheMaterialsLevel>");
    AutoResource<CountTheMaterialsLevel> const level("Ctm_Order");
    ASSERT_TRUE(level);
    ASSERT_EQ(3u, level->materials.size());
    ExpectPile(level->materials[0], kBuildingMaterial_ConeRed, 3);
    ExpectPile(level->materials[1], kBuildingMaterial_Plant, 1);
    ExpectPile(level->materials[2], kBuildingMaterial_BricksBlue, 6);
    EXPECT_EQ(kBuildingMaterial_BricksBlue, level->requestedMaterial);
    EXPECT_EQ(6, level->requestedNumber);
    EXPECT_TRUE(Registered("Ctm_Order", kGameModeDifficulty_Medium));
    EXPECT_EQ(std::string::npos, log.find("Ctm_Order")) << log;
}

TEST_F(CountTheMaterialsLevelTest, DifficultiesAndMaterialsAreMatchedExactlyWithCase)
{
    Load(L"<CountTheMaterialsLevel name='Ctm_Easy' difficulty='Easy'><Request material='Plant' number='1'/><Material type='Plant' number='1'/></CountTheMaterialsLevel>"
         L"<CountTheMaterialsLevel name='Ctm_Hard' difficulty='Hard'><Request material='BricksBlue' number='1'/><Material type='BricksBlue' number='1'/></CountTheMaterialsLevel>"
         L"<CountTheMaterialsLevel name='Ctm_Lower' difficulty='easy'><Request material='Plant' number='1'/></CountTheMaterialsLevel>"
         L"<CountTheMaterialsLevel name='Ctm_Upper' difficulty='HARD'><Request material='Plant' number='1'/></CountTheMaterialsLevel>"
         L"<CountTheMaterialsLevel name='Ctm_None'><Request material='Plant' number='1'/></CountTheMaterialsLevel>");
    EXPECT_TRUE(Registered("Ctm_Easy", kGameModeDifficulty_Easy));
    EXPECT_TRUE(Registered("Ctm_Hard", kGameModeDifficulty_Hard));
    // Not offered at any difficulty, but loaded, and the reason logged by name.
    for (char const* level : {"Ctm_Lower", "Ctm_Upper", "Ctm_None"})
    {
        EXPECT_FALSE(RegisteredAnywhere(level)) << level;
        EXPECT_TRUE(AutoResource<CountTheMaterialsLevel>(level)) << level;
        EXPECT_NE(std::string::npos, log.find(level)) << log;
    }
}

TEST_F(CountTheMaterialsLevelTest, ALevelWithoutRequestOrWithAnUnknownMaterialIsReadButNotPlayed)
{
    Load(L"<CountTheMaterialsLevel name='Ctm_NoRequest' difficulty='Easy'><Material type='Plant'/><Material number='2'/>"
         L"</CountTheMaterialsLevel>"
         L"<CountTheMaterialsLevel name='Ctm_PileUnknown' difficulty='Easy'><Request material='Plant' number='1'/>"
         L"<Material type='plant' number='1'/></CountTheMaterialsLevel>"
         L"<CountTheMaterialsLevel name='Ctm_AskUnknown' difficulty='Easy'><Request material='Ladrillo\u00d1' number='1'/>"
         L"<Material type='Plant' number='1'/></CountTheMaterialsLevel>");
    AutoResource<CountTheMaterialsLevel> const noRequest("Ctm_NoRequest");
    ASSERT_TRUE(noRequest);
    EXPECT_EQ(kBuildingMaterial_None, noRequest->requestedMaterial);
    EXPECT_EQ(0, noRequest->requestedNumber);
    // A pile without a number has none; one without a type has no material.
    ASSERT_EQ(2u, noRequest->materials.size());
    ExpectPile(noRequest->materials[0], kBuildingMaterial_Plant, 0);
    ExpectPile(noRequest->materials[1], kBuildingMaterial_None, 2);

    AutoResource<CountTheMaterialsLevel> const askUnknown("Ctm_AskUnknown");
    ASSERT_TRUE(askUnknown);
    EXPECT_EQ(kBuildingMaterial_None, askUnknown->requestedMaterial);
    for (char const* level : {"Ctm_NoRequest", "Ctm_PileUnknown", "Ctm_AskUnknown"})
    {
        EXPECT_FALSE(RegisteredAnywhere(level)) << level;
        EXPECT_NE(std::string::npos, log.find(level)) << log;
    }
}

TEST_F(CountTheMaterialsLevelTest, ALevelReadAgainIsOfferedOnlyWhereItsLatestRecordSays)
{
    // The later record replaces the earlier one of its name: the game must not draw the name
    // and find a level it cannot play.
    Load(L"<CountTheMaterialsLevel name='Ctm_Twice' difficulty='Easy'><Request material='Plant' number='1'/>"
         L"<Material type='Plant' number='1'/></CountTheMaterialsLevel>"
         L"<CountTheMaterialsLevel name='Ctm_Twice' difficulty='Easy'><Material type='Plant' number='1'/>"
         L"</CountTheMaterialsLevel>"
         L"<CountTheMaterialsLevel name='Ctm_Moved' difficulty='Easy'><Request material='Plant' number='1'/>"
         L"</CountTheMaterialsLevel>"
         L"<CountTheMaterialsLevel name='Ctm_Moved' difficulty='Hard'><Request material='Plant' number='1'/>"
         L"<Material type='Plant' number='1'/>"
         L"</CountTheMaterialsLevel>");
    AutoResource<CountTheMaterialsLevel> const twice("Ctm_Twice");
    ASSERT_TRUE(twice);
    EXPECT_FALSE(twice->hasRequest);
    EXPECT_FALSE(RegisteredAnywhere("Ctm_Twice"));
    EXPECT_FALSE(Registered("Ctm_Moved", kGameModeDifficulty_Easy));
    EXPECT_TRUE(Registered("Ctm_Moved", kGameModeDifficulty_Hard));
}

TEST_F(CountTheMaterialsLevelTest, PilesPastTheFifthAreLeftOutAndLogged)
{
    Load(L"<CountTheMaterialsLevel name='Ctm_Seven' difficulty='Hard'><Request material='LogBrown' number='2'/>"
         L"<Material type='LogBrown' number='1'/><Material type='LogBrown' number='2'/><Material type='LogBrown' number='3'/>"
         L"<Material type='LogBrown' number='4'/><Material type='LogBrown' number='5'/><Material type='LogBrown' number='6'/>"
         L"<Material type='Plant' number='1'/></CountTheMaterialsLevel>");
    AutoResource<CountTheMaterialsLevel> const level("Ctm_Seven");
    ASSERT_TRUE(level);
    ASSERT_EQ(5u, level->materials.size());
    for (int i = 0; i < 5; ++i)
        ExpectPile(level->materials[i], kBuildingMaterial_LogBrown, i + 1);
    EXPECT_EQ(7, level->pilesInFile);
    EXPECT_TRUE(Registered("Ctm_Seven", kGameModeDifficulty_Hard));
    EXPECT_NE(std::string::npos, log.find("Ctm_Seven has 7 piles")) << log;
}

TEST_F(CountTheMaterialsLevelTest, EveryLookUpByMaterialIsBoundsChecked)
{
    for (int material : {-1, static_cast<int>(kNumBuildingMaterials), 1000})
    {
        EXPECT_FALSE(isBuildingMaterial(material));
        EXPECT_EQ(nullptr, buildingMaterialImageList(material));
        EXPECT_EQ(nullptr, buildingMaterialRolloverImageList(material));
        EXPECT_EQ(-1, buildingMaterialKind(material));
        EXPECT_EQ(-1, buildingMaterialColor(material));
    }
    EXPECT_EQ(-1, buildingMaterialColor(kBuildingMaterial_Plant));
    EXPECT_EQ(kQuarrydaleColor_Red, buildingMaterialColor(kBuildingMaterial_ConeRed));
    EXPECT_EQ(kQuarrydaleMaterial_Cone, buildingMaterialKind(kBuildingMaterial_ConeRed));
    EXPECT_STREQ("Materials-Cones-Rollover", buildingMaterialRolloverImageList(kBuildingMaterial_ConeYellow));
}

} // namespace
