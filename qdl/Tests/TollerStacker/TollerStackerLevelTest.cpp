// The stacking game's level reader over manifest text: objects in document
// order at any depth, names matched exactly, a level of an unknown difficulty
// made but not registered, and the objects the game could not place left out.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevelResourceFactory.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerMode.h"
#include "qdl/Tests/GameTestSupport.h"

using Corvane::AutoResource;
using Corvane::Label;

namespace
{

class TollerStackerLevelTest : public GameTestSupport::GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        Corvane::GetResourceManager()->AddResourceFactory(L"TollerStackerLevel", new TollerStackerLevelResourceFactory());
    }

    void Load(std::wstring const& levels)
    {
        testing::internal::CaptureStderr();
        LoadManifest(L"TollerStackerMode", L"<resources>" + levels + L"</resources>");
        log = testing::internal::GetCapturedStderr();
    }

    static bool Registered(char const* level, GameModeDifficulty difficulty)
    {
        std::vector<Label> const& levels = GetLevelManager()->getLevels(kGameModeType_TollerStacker, difficulty);
        return std::find(levels.begin(), levels.end(), Label::GetUniqueString(level)) != levels.end();
    }

    std::string log;
};

void ExpectObject(StackableObjectData const& object, int size, int color, int type)
{
    EXPECT_EQ(size, object.size);
    EXPECT_EQ(color, object.color);
    EXPECT_EQ(type, object.type);
}

TEST_F(TollerStackerLevelTest, ObjectsInDocumentOrderAtAnyDepthWithSizesReadAsNumbers)
{
    Load(L"<TollerStackerLevel name='Ts_Order' difficulty='Medium'>"
         L"  <StackObject size='3' color='Blue' type='Log'/>"
         L"  <group><deeper><StackObject size=' +5 big' color='Red' type='Girder'/></deeper></group>"
         L"  <stackobject size='1' color='Red' type='Log'/>"
         L"</TollerStackerLevel>"
         L"<StackObject size='2' color='Red' type='Log'/>");
    AutoResource<TollerStackerLevel> const level("Ts_Order");
    ASSERT_TRUE(level);
    ASSERT_EQ(2u, level->objects.size());
    ExpectObject(level->objects[0], 3, kStackObjectColor_Blue, kStackObjectType_Log);
    ExpectObject(level->objects[1], 5, kStackObjectColor_Red, kStackObjectType_Girder);
    EXPECT_TRUE(Registered("Ts_Order", kGameModeDifficulty_Medium));
}

TEST_F(TollerStackerLevelTest, ADifficultyInAnotherCaseOrMissingIsMadeButNeverDrawn)
{
    Load(L"<TollerStackerLevel name='Ts_Lower' difficulty='medium'><StackObject size='1' color='Red' type='Log'/>"
         L"</TollerStackerLevel>"
         L"<TollerStackerLevel name='Ts_None'><StackObject size='1' color='Red' type='Log'/></TollerStackerLevel>"
         L"<TollerStackerLevel name='Ts_Hard' difficulty='Hard'/>");
    for (char const* name : {"Ts_Lower", "Ts_None"})
    {
        EXPECT_TRUE(AutoResource<TollerStackerLevel>(name)) << name;
        for (int difficulty = 0; difficulty < kNumGameModeDifficulties; ++difficulty)
            EXPECT_FALSE(Registered(name, static_cast<GameModeDifficulty>(difficulty))) << name;
    }
    EXPECT_NE(std::string::npos, log.find("Ts_Lower")) << log;
    // An empty level is made, but with nothing to stack it could never end: it is not offered.
    EXPECT_FALSE(Registered("Ts_Hard", kGameModeDifficulty_Hard));
    EXPECT_TRUE(AutoResource<TollerStackerLevel>("Ts_Hard")->objects.empty());
}

TEST_F(TollerStackerLevelTest, ObjectsTheGameCouldNotPlaceAreLeftOutAndLogged)
{
    std::wstring objects;
    // An unknown colour and type (names are exact), then six red and six blue.
    objects += L"<StackObject size='1' color='red' type='Log'/><StackObject size='2' color='Blue' type='Beam'/>";
    objects += L"<StackObject size='2' color='Green' type='Girder'/><StackObject size='3' type='Log'/>";
    for (int size = 1; size <= 6; ++size)
        objects += L"<StackObject size='" + std::to_wstring(size) + L"' color='Red' type='Girder'/>";
    for (int size = 1; size <= 6; ++size)
        objects += L"<StackObject size='" + std::to_wstring(size) + L"' color='Blue' type='Log'/>";
    Load(L"<TollerStackerLevel name='Ts_Crowded' difficulty='Hard'>" + objects + L"</TollerStackerLevel>");
    AutoResource<TollerStackerLevel> const level("Ts_Crowded");
    ASSERT_TRUE(level);
    // Five of each colour fit the platforms, ten the ground.
    ASSERT_EQ(10u, level->objects.size());
    for (size_t i = 0; i < 5; ++i)
    {
        ExpectObject(level->objects[i], static_cast<int>(i) + 1, kStackObjectColor_Red, kStackObjectType_Girder);
        ExpectObject(level->objects[i + 5], static_cast<int>(i) + 1, kStackObjectColor_Blue, kStackObjectType_Log);
    }
    EXPECT_NE(std::string::npos, log.find("unknown colour or type")) << log;
    EXPECT_NE(std::string::npos, log.find("the rest are left out")) << log;
    EXPECT_TRUE(Registered("Ts_Crowded", kGameModeDifficulty_Hard));
}

} // namespace

namespace
{

TEST_F(TollerStackerLevelTest, RedsPlatformGoesLeftAndEveryObjectGetsAGroundPlaceOfItsOwn)
{
    TollerStackerLevel level;
    for (int size = 5; size >= 1; --size)
        level.objects.push_back({size, kStackObjectColor_Blue, kStackObjectType_Log});
    sStackerPlan plan = TollerStackerMode::planLevel(level);
    EXPECT_EQ(std::vector<StackObjectColor>{kStackObjectColor_Blue}, plan.platformColors);

    for (int size = 1; size <= 5; ++size)
        level.objects.push_back({size, kStackObjectColor_Red, kStackObjectType_Girder});
    plan = TollerStackerMode::planLevel(level);
    EXPECT_EQ((std::vector<StackObjectColor>{kStackObjectColor_Red, kStackObjectColor_Blue}), plan.platformColors);
    std::vector<int> places = plan.objectPlaces;
    std::sort(places.begin(), places.end());
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), places);

    // A record that was not read by the reader: what fits is placed, nothing more.
    level.objects.push_back({3, kStackObjectColor_Red, kStackObjectType_Log});
    EXPECT_EQ(10u, TollerStackerMode::planLevel(level).objectPlaces.size());
    EXPECT_TRUE(TollerStackerMode::planLevel(TollerStackerLevel()).objectPlaces.empty());
}

} // namespace
