// The HammerTheNail level reader and the game's name tables: nails and tools
// at any depth in document order, the tool box's order, names matched exactly,
// and the levels the game cannot play kept out of the level manager.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/MemoryStream.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/GameConstants.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevelResourceFactory.h"

using namespace Corvane;

namespace
{
class HammerTheNailLevelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Internal::DeleteAllSingletons();
        GetResourceManager()->AddResourceFactory(L"HammerTheNailLevel", new HammerTheNailLevelResourceFactory());
    }

    void TearDown() override
    {
        GetResourceManager()->Cleanup();
        Internal::DeleteAllSingletons();
    }

    // Loads the levels as a manifest; returns what the reader logged.
    std::string Load(std::wstring const& levels)
    {
        MemoryStream stream(L"HammerLevels");
        std::string const bytes = ConvertStringWideToUTF8String(L"<resources>" + levels + L"</resources>");
        stream.Write(bytes.data(), bytes.size());
        stream.Seek(kSeekBegin, 0);
        ::testing::internal::CaptureStderr();
        GetResourceManager()->LoadFromStream(&stream, L"HammerLevels");
        return ::testing::internal::GetCapturedStderr();
    }

    static HammerTheNailLevel const& Level(char const* name)
    {
        static HammerTheNailLevel const none;
        AutoResource<HammerTheNailLevel> const level(name);
        EXPECT_TRUE(level) << name;
        return level ? *level : none;
    }

    static bool Registered(char const* name, GameModeDifficulty difficulty)
    {
        std::vector<Label> const& levels = GetLevelManager()->getLevels(kGameModeType_HammerTheNail, difficulty);
        return std::find(levels.begin(), levels.end(), Label::GetUniqueString(name)) != levels.end();
    }

    static bool RegisteredAnywhere(char const* name)
    {
        return Registered(name, kGameModeDifficulty_Easy) || Registered(name, kGameModeDifficulty_Medium) ||
               Registered(name, kGameModeDifficulty_Hard);
    }
};

std::vector<FixItTool> Tools(std::initializer_list<FixItTool> tools)
{
    return std::vector<FixItTool>(tools);
}
} // namespace

TEST_F(HammerTheNailLevelTest, ExtraToolsComeFirstThenOneToolPerKindOfNailByTypeThenColour)
{
    Load(L"<HammerTheNailLevel name='Martillo_Ejemplo' difficulty='Medium'>"
         L"  <Nail type='DriverPlus' color='Red' clickCount='2' x='10' y='20'/>"
         L"  <Nail type='Wrench' color='Blue' clickCount='1' x='300' y='40'/>"
         L"  <Nail type='DriverPlus' color='Red' clickCount='3'/>"
         L"  <Tool type='Wrench' color='Green'/>"
         L"</HammerTheNailLevel>");
    HammerTheNailLevel const& level = Level("Martillo_Ejemplo");
    EXPECT_EQ(Tools({{kFixItToolType_Wrench, kFixItToolColor_Green},
                     {kFixItToolType_Wrench, kFixItToolColor_Blue},
                     {kFixItToolType_DriverPlus, kFixItToolColor_Red}}),
              level.tools);
    ASSERT_EQ(3u, level.nails.size());
    EXPECT_EQ(kFixItToolType_DriverPlus, level.nails[0].type);
    EXPECT_EQ(kFixItToolColor_Red, level.nails[0].color);
    EXPECT_EQ(2, level.nails[0].clickCount);
    EXPECT_EQ(10, level.nails[0].x);
    EXPECT_EQ(20, level.nails[0].y);
    EXPECT_EQ(3, level.nails[2].clickCount);
    // Missing coordinates read as 0.
    EXPECT_EQ(0, level.nails[2].x);
    EXPECT_TRUE(Registered("Martillo_Ejemplo", kGameModeDifficulty_Medium));
}

TEST_F(HammerTheNailLevelTest, NailsAreReadAtAnyDepthAndAToolEqualToANailsIsNotMerged)
{
    Load(L"<HammerTheNailLevel name='Nested' difficulty='Hard'>"
         L"  <Row><Group><Nail type='DriverMinus' color='Yellow' clickCount='1'/></Group></Row>"
         L"  Some text <Unknown/>"
         L"  <Tool type='DriverMinus' color='Yellow'/>"
         L"</HammerTheNailLevel>");
    HammerTheNailLevel const& level = Level("Nested");
    ASSERT_EQ(1u, level.nails.size());
    EXPECT_EQ(kFixItToolType_DriverMinus, level.nails[0].type);
    EXPECT_EQ(Tools({{kFixItToolType_DriverMinus, kFixItToolColor_Yellow},
                     {kFixItToolType_DriverMinus, kFixItToolColor_Yellow}}),
              level.tools);
    EXPECT_TRUE(Registered("Nested", kGameModeDifficulty_Hard));
}

TEST_F(HammerTheNailLevelTest, ALevelOfToolsOnlyOrOfNailsWithoutClicksIsReadButNeverDrawn)
{
    Load(L"<HammerTheNailLevel name='OnlyTools' difficulty='Easy'>"
         L"  <Tool type='Wrench' color='Red'/><Tool type='DriverPlus' color='Blue'/>"
         L"</HammerTheNailLevel>"
         L"<HammerTheNailLevel name='DrivenIn' difficulty='Easy'>"
         L"  <Nail type='Wrench' color='Red' clickCount='0'/><Nail type='Wrench' color='Red' clickCount='two'/>"
         L"  <Nail type='Wrench' color='Red'/>"
         L"</HammerTheNailLevel>");
    EXPECT_TRUE(Level("OnlyTools").nails.empty());
    EXPECT_EQ(2u, Level("OnlyTools").tools.size());
    ASSERT_EQ(3u, Level("DrivenIn").nails.size());
    for (NailData const& nail : Level("DrivenIn").nails)
        EXPECT_EQ(0, nail.clickCount);
    // Two nails of one kind add one tool, not two.
    EXPECT_EQ(1u, Level("DrivenIn").tools.size());
    // Won when a click drives the last nail in: with no click to give, never.
    EXPECT_FALSE(RegisteredAnywhere("OnlyTools"));
    EXPECT_FALSE(RegisteredAnywhere("DrivenIn"));
}

TEST_F(HammerTheNailLevelTest, AnUnknownDifficultyIsLoadedButNeverDrawn)
{
    std::string const log = Load(L"<HammerTheNailLevel name='LowerCase' difficulty='easy'>"
                                 L"<Nail type='Wrench' color='Red' clickCount='1'/></HammerTheNailLevel>"
                                 L"<HammerTheNailLevel name='NoDifficulty'/>");
    EXPECT_TRUE(AutoResource<HammerTheNailLevel>("LowerCase"));
    EXPECT_FALSE(RegisteredAnywhere("LowerCase"));
    EXPECT_FALSE(RegisteredAnywhere("NoDifficulty"));
    EXPECT_NE(std::string::npos, log.find("LowerCase")) << log;
}

TEST_F(HammerTheNailLevelTest, ANailOrToolOfNoKnownTypeOrColourIsLeftOutAndLogged)
{
    std::string const log =
        Load(L"<HammerTheNailLevel name='BadNames' difficulty='Easy'>"
             L"  <Nail type='Hammer' color='Red' clickCount='1'/>"
             L"  <Nail type='Wrench' color='Orange' clickCount='1'/>"
             L"  <Nail type='wrench' color='Red' clickCount='1'/>"
             L"  <Nail type='Wrench' color='Rojo\u00f1' clickCount='1'/>"
             L"  <Tool type='Screwdriver' color='Blue'/>"
             L"  <Tool color='Blue'/>"
             L"  <Nail type='DriverPlus' color='Green' clickCount='1'/>"
             L"</HammerTheNailLevel>");
    HammerTheNailLevel const& level = Level("BadNames");
    ASSERT_EQ(1u, level.nails.size());
    EXPECT_EQ(kFixItToolType_DriverPlus, level.nails[0].type);
    EXPECT_EQ(Tools({{kFixItToolType_DriverPlus, kFixItToolColor_Green}}), level.tools);
    EXPECT_NE(std::string::npos, log.find("\"Hammer\"")) << log;
    EXPECT_NE(std::string::npos, log.find("\"Orange\"")) << log;
    EXPECT_NE(std::string::npos, log.find("\"Screwdriver\"")) << log;
    EXPECT_TRUE(Registered("BadNames", kGameModeDifficulty_Easy));
}

TEST_F(HammerTheNailLevelTest, ALevelYieldingMoreToolsThanSlotsIsLoggedAndNeverDrawn)
{
    std::string const log = Load(L"<HammerTheNailLevel name='FiveTools' difficulty='Hard'>"
                                 L"  <Tool type='Wrench' color='Red'/><Tool type='Wrench' color='Green'/>"
                                 L"  <Tool type='Wrench' color='Blue'/><Tool type='Wrench' color='Yellow'/>"
                                 L"  <Nail type='DriverPlus' color='Red' clickCount='1'/>"
                                 L"</HammerTheNailLevel>"
                                 L"<HammerTheNailLevel name='FourTools' difficulty='Hard'>"
                                 L"  <Tool type='Wrench' color='Red'/><Tool type='Wrench' color='Green'/>"
                                 L"  <Tool type='Wrench' color='Blue'/>"
                                 L"  <Nail type='DriverPlus' color='Red' clickCount='1'/>"
                                 L"</HammerTheNailLevel>");
    EXPECT_EQ(5u, Level("FiveTools").tools.size());
    EXPECT_FALSE(RegisteredAnywhere("FiveTools"));
    EXPECT_NE(std::string::npos, log.find("FiveTools: it needs 5 tools")) << log;
    EXPECT_TRUE(Registered("FourTools", kGameModeDifficulty_Hard));
}

TEST(HammerTheNailNames, TablesMatchExactlyAndComposeThePictureNames)
{
    EXPECT_EQ(1, lookUpName(L"Medium", kGameModeDifficultyNames));
    EXPECT_EQ(-1, lookUpName(L"MEDIUM", kGameModeDifficultyNames));
    EXPECT_EQ(-1, lookUpName(L"Hammer", kFixItToolTypeNames));
    EXPECT_EQ(-1, lookUpName(L"Screwdriver", kFixItToolTypeNames));
    EXPECT_EQ(-1, lookUpName(L"Orange", kFixItToolColorNames));
    EXPECT_EQ(2, lookUpName(L"DriverMinus", kFixItToolTypeNames));
    EXPECT_EQ(3, lookUpName(L"Yellow", kFixItToolColorNames));

    EXPECT_EQ("FixIt_Tool_InBox_DriverMinus", fixItToolInBoxImageName(kFixItToolType_DriverMinus));
    EXPECT_EQ("SpriteType_DriverMinus_Yellow", fixItDriverSpriteTypeName(kFixItToolType_DriverMinus, kFixItToolColor_Yellow));
    EXPECT_EQ("FixIt_Nail_DriverMinus_Yellow", fixItNailImageName(kFixItToolType_DriverMinus, kFixItToolColor_Yellow));
    EXPECT_EQ("FixIt_Tool_InBox_Wrench", fixItToolInBoxImageName(kFixItToolType_Wrench));
    EXPECT_EQ("MaterialSources/Source_4", fixItNodePathText(kFixItToolSlotPaths[3]));
    EXPECT_EQ("InGameFenn/mouth", fixItNodePathText(kFixItFennMouthPath));
}
