// The level reader and the placement of the houses, without a window: levels
// read from manifest text through the real resource manager, and houses
// placed on many random streams, each checked against the rules a child
// relies on (every slot filled once, no decoy that could pass for another
// house, the colour rule of "matchColor") and against levels that ask too much.

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/MemoryStream.h"
#include "Core/Source/Random.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/HereToThere/HereToThereHousePlacement.h"
#include "qdl/Source/Game/HereToThere/HereToThereLevelResourceFactory.h"

using namespace Corvane;

namespace
{

class HereToThereLevelReader : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Internal::DeleteAllSingletons();
        *GetLevelManager() = LevelManager();
        GetResourceManager()->AddResourceFactory(L"HereToThereLevel", new HereToThereLevelResourceFactory());
    }

    void TearDown() override
    {
        GetResourceManager()->Cleanup();
        Internal::DeleteAllSingletons();
        // The level manager lives as long as the program: the plays that follow must not draw these levels.
        *GetLevelManager() = LevelManager();
    }

    void Load(std::wstring const& levels)
    {
        MemoryStream stream(L"Niveles");
        std::string const bytes = ConvertStringWideToUTF8String(L"<resources>" + levels + L"</resources>");
        stream.Write(bytes.data(), bytes.size());
        stream.Seek(kSeekBegin, 0);
        GetResourceManager()->LoadFromStream(&stream, L"Niveles");
    }

    static HereToThereLevel const* Level(char const* name) { return AutoResource<HereToThereLevel>(name).Get(); }

    static bool Registered(char const* name, GameModeDifficulty difficulty)
    {
        std::vector<Label> const& list = GetLevelManager()->getLevels(kGameModeType_HereToThere, difficulty);
        return std::find(list.begin(), list.end(), Label::GetUniqueString(name)) != list.end();
    }
};

typedef std::vector<std::pair<int, int> > Animals;

Animals AnimalsOf(HereToThereLevel const* level)
{
    Animals animals;
    for (HereToThereAnimalData const& animal : level->animals)
        animals.push_back(std::make_pair(static_cast<int>(animal.type), static_cast<int>(animal.color)));
    return animals;
}

TEST_F(HereToThereLevelReader, ReadsTheExampleLevelAndRegistersItAtItsDifficulty)
{
    Load(L"<HereToThereLevel name='Ejemplo' difficulty='Medium' numBuildings='5' matchColor='true'>"
         L"<Animal type='Circle' color='Blue'/><Animal type='Star' color='Yellow'/></HereToThereLevel>");
    HereToThereLevel const* const level = Level("Ejemplo");
    ASSERT_NE(nullptr, level);
    EXPECT_EQ(5, level->numBuildings);
    EXPECT_TRUE(level->matchColor);
    EXPECT_EQ((Animals{{1, 0}, {3, 3}}), AnimalsOf(level));
    EXPECT_TRUE(Registered("Ejemplo", kGameModeDifficulty_Medium));
}

TEST_F(HereToThereLevelReader, OnlyTheExactWordTrueTurnsMatchColorOn)
{
    Load(L"<HereToThereLevel name='M1' difficulty='Easy' matchColor='1'/>"
         L"<HereToThereLevel name='M2' difficulty='Easy' matchColor='TRUE'/>"
         L"<HereToThereLevel name='M3' difficulty='Easy' matchColor='trueish'/>"
         L"<HereToThereLevel name='M4' difficulty='Easy' matchColor='false'/>"
         L"<HereToThereLevel name='M5' difficulty='Easy'/>"
         L"<HereToThereLevel name='M6' difficulty='Easy' matchColor='true'/>");
    for (char const* name : {"M1", "M2", "M3", "M4", "M5"})
    {
        ASSERT_NE(nullptr, Level(name)) << name;
        EXPECT_FALSE(Level(name)->matchColor) << name;
    }
    EXPECT_TRUE(Level("M6")->matchColor);
}

TEST_F(HereToThereLevelReader, AnimalsAreTakenAtAnyDepthInOrderAndUnknownNamesBecomeMinusOne)
{
    Load(L"<HereToThereLevel name='Anidado' difficulty='Hard' numBuildings='12abc'>"
         L"<Animal type='Triangle' color='Purple'/>"
         L"<Grupo><Animal type='Square' color='Green'>texto</Animal></Grupo>"
         L"<animal type='Star' color='Blue'/>"
         L"<Animal type='Estrella' color='blue'/>"
         L"<Animal/>"
         L"</HereToThereLevel>"
         L"<HereToThereLevel name='Vacio' difficulty='Easy' numBuildings='muchas'/>");
    HereToThereLevel const* const nested = Level("Anidado");
    ASSERT_NE(nullptr, nested);
    EXPECT_EQ(12, nested->numBuildings);
    EXPECT_EQ((Animals{{2, 2}, {0, 1}, {-1, -1}, {-1, -1}}), AnimalsOf(nested));
    // -1 held in an enum whose values need only three bits would be undefined.
    static_assert(std::is_same<std::underlying_type<HereToThereObjectColor>::type, int>::value &&
                      std::is_same<std::underlying_type<HereToThereObjectShape>::type, int>::value,
                  "an unknown name's -1 must be a value of the colour and shape types");
    HereToThereLevel const* const empty = Level("Vacio");
    ASSERT_NE(nullptr, empty);
    EXPECT_TRUE(empty->animals.empty());
    EXPECT_EQ(0, empty->numBuildings);
    EXPECT_FALSE(empty->matchColor);
}

TEST_F(HereToThereLevelReader, ADifficultyThatIsNotOneOfTheThreeWordsRegistersNowhere)
{
    Load(L"<HereToThereLevel name='Minusculas' difficulty='easy'/>"
         L"<HereToThereLevel name='Espacio' difficulty=' Hard'/>"
         L"<HereToThereLevel name='SinDificultad'/>"
         L"<HereToThereLevel name='Facil' difficulty='Easy'><Animal type='Star' color='Blue'/></HereToThereLevel>"
         L"<HereToThereLevel name='Dificil' difficulty='Hard'><Animal type='Star' color='Blue'/></HereToThereLevel>");
    for (char const* name : {"Minusculas", "Espacio", "SinDificultad"})
    {
        EXPECT_NE(nullptr, Level(name)) << name;
        for (int d = 0; d < kNumGameModeDifficulties; ++d)
            EXPECT_FALSE(Registered(name, static_cast<GameModeDifficulty>(d))) << name;
    }
    EXPECT_TRUE(Registered("Facil", kGameModeDifficulty_Easy));
    EXPECT_TRUE(Registered("Dificil", kGameModeDifficulty_Hard));
}

// ---- Placement

struct sHouse
{
    int slot;
    int color;
    int shape;
    int road;
};

class RecordingSite : public HereToThereHouseSite
{
public:
    void placeHouse(int slot, HereToThereObjectColor color, HereToThereObjectShape shape, int road) override
    {
        houses.push_back(sHouse{slot, color, shape, road});
        slots.push_back(slot);
    }
    void placeDummyHouse(int slot) override
    {
        dummies.push_back(slot);
        slots.push_back(slot);
    }

    std::vector<sHouse> houses;
    std::vector<int> dummies;
    std::vector<int> slots;
};

class HereToThereHousePlacement : public ::testing::Test
{
protected:
    void SetUp() override { Random::Engine_Setup(); }
    void TearDown() override { Random::Engine_Destroy(); }

    static HereToThereLevel MakeLevel(Animals const& animals, int numBuildings, bool matchColor)
    {
        HereToThereLevel level;
        level.numBuildings = numBuildings;
        level.matchColor = matchColor;
        for (auto const& animal : animals)
            level.animals.push_back(HereToThereAnimalData{static_cast<HereToThereObjectShape>(animal.first),
                                                          static_cast<HereToThereObjectColor>(animal.second)});
        return level;
    }

    // Every slot once, each on its road; the animals' houses first, in order.
    static void ExpectSoundPlacement(RecordingSite const& site, Animals const& animals)
    {
        std::vector<int> slots = site.slots;
        std::sort(slots.begin(), slots.end());
        std::vector<int> all(12);
        for (int i = 0; i < 12; ++i)
            all[i] = i;
        EXPECT_EQ(all, slots);
        ASSERT_GE(site.houses.size(), animals.size());
        for (size_t i = 0; i < animals.size(); ++i)
        {
            EXPECT_EQ(animals[i].first, site.houses[i].shape);
            EXPECT_EQ(animals[i].second, site.houses[i].color);
        }
        for (sHouse const& house : site.houses)
            EXPECT_EQ(house.slot / 4, house.road);
    }
};

TEST_F(HereToThereHousePlacement, TwelveRealHousesGiveDecoysOfPairsNoOtherHouseHas)
{
    Animals const animals{{1, 0}, {3, 1}, {0, 2}, {2, 3}};
    for (int run = 0; run < 200; ++run)
    {
        RecordingSite site;
        placeHereToThereHouses(MakeLevel(animals, 12, false), site);
        ExpectSoundPlacement(site, animals);
        EXPECT_EQ(12u, site.houses.size());
        EXPECT_TRUE(site.dummies.empty());
        std::set<std::pair<int, int> > pairs;
        for (sHouse const& house : site.houses)
            pairs.insert(std::make_pair(house.shape, house.color));
        EXPECT_EQ(12u, pairs.size());
    }
}

TEST_F(HereToThereHousePlacement, WithMatchColorNoDecoyCarriesAnAnimalsColour)
{
    Animals const animals{{1, 0}, {0, 1}};
    std::set<int> decoyColours;
    for (int run = 0; run < 200; ++run)
    {
        RecordingSite site;
        placeHereToThereHouses(MakeLevel(animals, 6, true), site);
        ExpectSoundPlacement(site, animals);
        ASSERT_EQ(6u, site.houses.size());
        EXPECT_EQ(6u, site.dummies.size());
        for (size_t i = animals.size(); i < site.houses.size(); ++i)
            decoyColours.insert(site.houses[i].color);
    }
    EXPECT_EQ((std::set<int>{2, 3}), decoyColours);
}

TEST_F(HereToThereHousePlacement, TwinAnimalsGetTwinHousesAndTooFewBuildingsGetNoDecoys)
{
    Animals const twins{{3, 2}, {3, 2}, {1, 1}};
    RecordingSite site;
    placeHereToThereHouses(MakeLevel(twins, 0, false), site);
    ExpectSoundPlacement(site, twins);
    EXPECT_EQ(3u, site.houses.size());
    EXPECT_EQ(9u, site.dummies.size());
}

TEST_F(HereToThereHousePlacement, DecoysStopWhenNoFreePairIsLeft)
{
    // All four colours taken with matchColor: no decoy may be drawn at all.
    Animals const animals{{0, 0}, {1, 1}, {2, 2}, {3, 3}};
    testing::internal::CaptureStderr();
    RecordingSite site;
    placeHereToThereHouses(MakeLevel(animals, 12, true), site);
    std::string const log = testing::internal::GetCapturedStderr();
    ExpectSoundPlacement(site, animals);
    EXPECT_EQ(4u, site.houses.size());
    EXPECT_EQ(8u, site.dummies.size());
    EXPECT_NE(std::string::npos, log.find("no colour and shape is left")) << log;
}

TEST_F(HereToThereHousePlacement, OnlyTheFirstFourAnimalsAndTwelveHousesAreUsed)
{
    Animals const five{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {0, 1}};
    testing::internal::CaptureStderr();
    RecordingSite site;
    placeHereToThereHouses(MakeLevel(five, 40, false), site);
    std::string const log = testing::internal::GetCapturedStderr();
    ExpectSoundPlacement(site, Animals(five.begin(), five.begin() + 4));
    EXPECT_EQ(12u, site.houses.size());
    EXPECT_EQ(4, getUsedHereToThereAnimalCount(MakeLevel(five, 0, false)));
    EXPECT_NE(std::string::npos, log.find("only the first 4 are used")) << log;
    EXPECT_NE(std::string::npos, log.find("only 12 slots are there")) << log;
}

} // namespace
