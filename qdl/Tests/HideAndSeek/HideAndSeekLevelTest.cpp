// The hide-and-seek level reader through the resource manager: the fields,
// the obstacles wherever they stand, the words it takes for true and false,
// the difficulty it registers the level under, and the levels it logs as
// unplayable as they are read.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/MemoryStream.h"
#include "Core/Source/Random.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevel.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevelResourceFactory.h"

using namespace Corvane;

namespace
{

class HideAndSeekLevelRead : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Internal::DeleteAllSingletons();
        Random::Engine_Setup();
        GetResourceManager()->AddResourceFactory(L"HideAndSeekLevel", new HideAndSeekLevelResourceFactory());
    }

    void TearDown() override
    {
        GetResourceManager()->Cleanup();
        Internal::DeleteAllSingletons();
        Random::Engine_Destroy();
    }

    // Loads the levels as a manifest of their own; returns what was logged meanwhile.
    std::string Load(std::wstring const& levels)
    {
        MemoryStream stream(L"Levels");
        std::string const bytes = ConvertStringWideToUTF8String(L"<resources>" + levels + L"</resources>");
        stream.Write(bytes.data(), bytes.size());
        stream.Seek(kSeekBegin, 0);
        testing::internal::CaptureStderr();
        GetResourceManager()->LoadFromStream(&stream, L"Levels");
        return testing::internal::GetCapturedStderr();
    }

    static bool IsRegistered(char const* level, GameModeDifficulty difficulty)
    {
        std::vector<Label> const& levels = GetLevelManager()->getLevels(kGameModeType_HideAndSeek, difficulty);
        return std::find(levels.begin(), levels.end(), Label::GetUniqueString(level)) != levels.end();
    }

    static std::vector<int> ImageIDs(HideAndSeekLevel const& level)
    {
        std::vector<int> ids;
        for (HideAndSeekObstacleData const& obstacle : level.obstacles)
            ids.push_back(obstacle.imageID);
        return ids;
    }
};

TEST_F(HideAndSeekLevelRead, TheExampleLevelIsReadAndRegisteredUnderItsDifficulty)
{
    std::string const log = Load(L"<HideAndSeekLevel name='Escondite difícil' difficulty='Hard' numHides='3' "
                                 L"numPreviewHides='4' runSpeed='350.5' showTail='false'>"
                                 L"<Obstacle imageID='0'/><Obstacle imageID='2'/><Obstacle imageID='5'/>"
                                 L"</HideAndSeekLevel>");
    AutoResource<HideAndSeekLevel> const level("Escondite dif?cil");
    ASSERT_TRUE(level);
    EXPECT_EQ((std::vector<int>{0, 2, 5}), ImageIDs(*level));
    EXPECT_EQ(3, level->numHides);
    EXPECT_EQ(4, level->numPreviewHides);
    EXPECT_FLOAT_EQ(350.5f, level->runSpeed);
    EXPECT_FALSE(level->showTail);
    EXPECT_TRUE(IsRegistered("Escondite dif?cil", kGameModeDifficulty_Hard));
    EXPECT_FALSE(IsRegistered("Escondite dif?cil", kGameModeDifficulty_Easy));
    EXPECT_EQ(std::string::npos, log.find("HideAndSeekLevel")) << log;
}

TEST_F(HideAndSeekLevelRead, ObstaclesAreTakenAtAnyDepthInDocumentOrderAndNothingElseIs)
{
    Load(L"<HideAndSeekLevel name='Nested' difficulty='Easy' numPreviewHides='1' runSpeed='100'>"
         L"<Obstacle imageID='4'/>"
         L"<Row>text<Obstacle imageID='1'><Obstacle imageID='3'/></Obstacle></Row>"
         L"<obstacle imageID='9'/><OBSTACLE imageID='8'/>"
         L"<Obstacle/>"
         L"</HideAndSeekLevel>"
         L"<HideAndSeekLevel name='Next' difficulty='Easy'><Obstacle imageID='7'/></HideAndSeekLevel>");
    AutoResource<HideAndSeekLevel> const nested("Nested");
    ASSERT_TRUE(nested);
    // Lower case and capitals are other elements; an obstacle without a picture shows picture 0.
    EXPECT_EQ((std::vector<int>{4, 1, 3, 0}), ImageIDs(*nested));
    AutoResource<HideAndSeekLevel> const next("Next");
    ASSERT_TRUE(next);
    EXPECT_EQ(std::vector<int>{7}, ImageIDs(*next));
}

TEST_F(HideAndSeekLevelRead, OnlyTheWordFalseTurnsTheTailOff)
{
    Load(L"<HideAndSeekLevel name='T0' difficulty='Medium'/>"
         L"<HideAndSeekLevel name='T1' difficulty='Medium' showTail='1'/>"
         L"<HideAndSeekLevel name='T2' difficulty='Medium' showTail='yes'/>"
         L"<HideAndSeekLevel name='T3' difficulty='Medium' showTail='FALSE'/>"
         L"<HideAndSeekLevel name='T4' difficulty='Medium' showTail='0'/>"
         L"<HideAndSeekLevel name='T5' difficulty='Medium' showTail='true'/>"
         L"<HideAndSeekLevel name='T6' difficulty='Medium' showTail='false'/>");
    for (char const* name : {"T0", "T1", "T2", "T3", "T4", "T5"})
    {
        AutoResource<HideAndSeekLevel> const level(name);
        ASSERT_TRUE(level) << name;
        EXPECT_TRUE(level->showTail) << name;
    }
    AutoResource<HideAndSeekLevel> const off("T6");
    ASSERT_TRUE(off);
    EXPECT_FALSE(off->showTail);
}

TEST_F(HideAndSeekLevelRead, ALevelWithoutRunsSpeedOrObstaclesIsLoggedAndNeverDrawn)
{
    std::wstring const obstacles = L"<Obstacle imageID='0'/><Obstacle imageID='1'/>";
    std::string const log = Load(L"<HideAndSeekLevel name='Bare' difficulty='Easy'>" + obstacles +
                                 L"</HideAndSeekLevel>"
                                 L"<HideAndSeekLevel name='Backwards' difficulty='Easy' numHides='2' "
                                 L"numPreviewHides='-3' runSpeed='-40'>" + obstacles + L"</HideAndSeekLevel>"
                                 L"<HideAndSeekLevel name='Endless' difficulty='Easy' numPreviewHides='2' "
                                 L"runSpeed='inf'>" + obstacles + L"</HideAndSeekLevel>"
                                 L"<HideAndSeekLevel name='Alone' difficulty='Easy' numPreviewHides='2' "
                                 L"runSpeed='90'/>");
    AutoResource<HideAndSeekLevel> const bare("Bare");
    ASSERT_TRUE(bare);
    EXPECT_EQ(0, bare->numHides);
    EXPECT_EQ(0, bare->numPreviewHides);
    EXPECT_FLOAT_EQ(0.0f, bare->runSpeed);
    // The cat never hides without a run, takes no time without a speed, and needs a place.
    EXPECT_NE(std::string::npos, log.find("level Bare: HideAndSeekLevel has no \"numPreviewHides\"")) << log;
    EXPECT_NE(std::string::npos, log.find("level Backwards: HideAndSeekLevel \"runSpeed\" of \"-40\"")) << log;
    EXPECT_NE(std::string::npos, log.find("level Endless: HideAndSeekLevel \"runSpeed\" of \"inf\" is no number"))
        << log;
    EXPECT_NE(std::string::npos, log.find("level Alone: it has no Obstacle")) << log;
    for (char const* name : {"Bare", "Backwards", "Endless", "Alone"})
        EXPECT_FALSE(IsRegistered(name, kGameModeDifficulty_Easy)) << name;
    // A refused number keeps the value of a missing one.
    EXPECT_EQ(0, AutoResource<HideAndSeekLevel>("Backwards")->numPreviewHides);
}

TEST_F(HideAndSeekLevelRead, ADifficultyNotSpelledExactlyRegistersNothing)
{
    Load(L"<HideAndSeekLevel name='Lower' difficulty='easy'/>"
         L"<HideAndSeekLevel name='Spaced' difficulty=' Hard'/>"
         L"<HideAndSeekLevel name='Trailing' difficulty='Medium '/>"
         L"<HideAndSeekLevel name='None'/>"
         L"<HideAndSeekLevel name='Medio' difficulty='Medium' numPreviewHides='1' runSpeed='100'>"
         L"<Obstacle imageID='0'/><Obstacle imageID='1'/></HideAndSeekLevel>");
    for (char const* name : {"Lower", "Spaced", "Trailing", "None"})
    {
        // The level is still made; no difficulty's list holds it.
        EXPECT_TRUE(AutoResource<HideAndSeekLevel>(name)) << name;
        for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
            EXPECT_FALSE(IsRegistered(name, static_cast<GameModeDifficulty>(difficulty))) << name;
    }
    EXPECT_TRUE(IsRegistered("Medio", kGameModeDifficulty_Medium));
}

} // namespace
