#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/MemoryStream.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/LevelProgressionData.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevel.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevel.h"
#include "qdl/Source/Game/HereToThere/HereToThereLevel.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevel.h"
#include "qdl/Source/Game/PaintTheHouse/PaintItLevel.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevel.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobLevel.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevel.h"
#include "qdl/Source/Game/StreetSigns/StreetSignLevel.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevel.h"
#include "qdl/Source/Game/ToolShed/ToolShedLevel.h"
#include "qdl/Source/Game/TrundelsDelivery/TrundelsDeliveryLevel.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevelResourceFactory.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevelResourceFactory.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevelResourceFactory.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevelResourceFactory.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevelResourceFactory.h"
#include "qdl/Tests/GameTestSupport.h"

using namespace Corvane;

namespace
{
    // Wraps an empty record, as each game's own level factory does before filling it.
    template <class T>
    class RecordFactory : public IResourceFactory
    {
    public:
        IResourceDescriptor* CreateResource(std::wstring const& manifest, Label name,
                                            IAttributeContainer const& attributes, IXMLReader&) const override
        {
            return new ResourceWrapper<T>(manifest, name, attributes);
        }
    };

    class LevelRecordsTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            Internal::DeleteAllSingletons();
            manager = GetResourceManager();
            Register<LevelProgressionData>(L"LevelProg");
            Register<CountTheMaterialsLevel>(L"CountTheMaterialsLevel");
            Register<HammerTheNailLevel>(L"HammerTheNailLevel");
            Register<HereToThereLevel>(L"HereToThereLevel");
            Register<HideAndSeekLevel>(L"HideAndSeekLevel");
            Register<TollerStackerLevel>(L"TollerStackerLevel");
            Register<TrundelsDeliveryLevel>(L"TrundelsDeliveryLevel");
            Register<PaintItLevel>(L"PaintItLevel");
            Register<PileOfLeavesLevel>(L"PileOfLeavesLevel");
            Register<PlanAJobLevel>(L"PlanAJobLevel");
            Register<ScarrowPuzzleLevel>(L"ScarrowPuzzleLevel");
            Register<StreetSignLevel>(L"StreetSignLevel");
            Register<ToolShedLevel>(L"ToolShedLevel");
        }

        void TearDown() override
        {
            manager->Cleanup();
            Internal::DeleteAllSingletons();
        }

        template <class T>
        void Register(wchar_t const* tag)
        {
            manager->AddResourceFactory(tag, new RecordFactory<T>());
        }

        void LoadText(wchar_t const* manifest, std::wstring const& text)
        {
            MemoryStream stream(manifest);
            std::string const bytes = ConvertStringWideToUTF8String(text);
            stream.Write(bytes.data(), bytes.size());
            stream.Seek(kSeekBegin, 0);
            manager->LoadFromStream(&stream, manifest);
        }

        ResourceManager* manager = nullptr;
    };

    template <class T>
    bool IsA(char const* name)
    {
        return AutoResource<T>(name).Get() != nullptr;
    }
}

TEST_F(LevelRecordsTest, EachLevelKindIsFoundOnlyThroughItsOwnRecordType)
{
    LoadText(L"Levels", L"<levels>"
                        L"<LevelProg name='ParkStory'/>"
                        L"<CountTheMaterialsLevel name='Count1'/>"
                        L"<HammerTheNailLevel name='Hammer1'/>"
                        L"<HereToThereLevel name='Here1'/>"
                        L"<HideAndSeekLevel name='Hide1'/>"
                        L"<TollerStackerLevel name='Stack1'/>"
                        L"<TrundelsDeliveryLevel name='Deliver1'/>"
                        L"<PaintItLevel name='Paint1'/>"
                        L"<PileOfLeavesLevel name='Leaves1'/>"
                        L"<PlanAJobLevel name='Plan1'/>"
                        L"<ScarrowPuzzleLevel name='Puzzle1'/>"
                        L"<StreetSignLevel name='Signs1'/>"
                        L"<ToolShedLevel name='Tools1'/>"
                        L"</levels>");

    EXPECT_TRUE(IsA<LevelProgressionData>("ParkStory"));
    EXPECT_TRUE(IsA<CountTheMaterialsLevel>("Count1"));
    EXPECT_TRUE(IsA<HammerTheNailLevel>("Hammer1"));
    EXPECT_TRUE(IsA<HereToThereLevel>("Here1"));
    EXPECT_TRUE(IsA<HideAndSeekLevel>("Hide1"));
    EXPECT_TRUE(IsA<TollerStackerLevel>("Stack1"));
    EXPECT_TRUE(IsA<TrundelsDeliveryLevel>("Deliver1"));
    EXPECT_TRUE(IsA<PaintItLevel>("Paint1"));
    EXPECT_TRUE(IsA<PileOfLeavesLevel>("Leaves1"));
    EXPECT_TRUE(IsA<PlanAJobLevel>("Plan1"));
    EXPECT_TRUE(IsA<ScarrowPuzzleLevel>("Puzzle1"));
    EXPECT_TRUE(IsA<StreetSignLevel>("Signs1"));
    EXPECT_TRUE(IsA<ToolShedLevel>("Tools1"));

    // The records have no common base: a level of one game is no level of another.
    EXPECT_FALSE(IsA<HammerTheNailLevel>("Count1"));
    EXPECT_FALSE(IsA<CountTheMaterialsLevel>("ParkStory"));
    EXPECT_FALSE(IsA<StreetSignLevel>("Tools1"));
    // Every record still answers for the element that declared it.
    AutoResource<AttributeContainer> declared("Signs1");
    ASSERT_TRUE(declared);
    EXPECT_EQ(L"Signs1", declared->GetAttribute(L"name"));
}

TEST_F(LevelRecordsTest, UnloadingTheManifestRemovesItsLevels)
{
    LoadText(L"Niveles", L"<levels><PaintItLevel name='Pintura fácil'/></levels>");
    EXPECT_TRUE(IsA<PaintItLevel>("Pintura f?cil"));
    manager->Unload(L"Niveles");
    EXPECT_FALSE(IsA<PaintItLevel>("Pintura f?cil"));
}

// ---------------------------------------------------------------------------
// A count that picks a frame of a picture list, read by its game's own reader:
// at the last frame the level is offered; one past it the pile, nail, piece or
// object would draw nothing and take no click, so the level is refused where it
// is read, with the file, the level, the element and the attribute logged.

namespace
{
    struct sPictureCount
    {
        char const* name;
        wchar_t const* tag;
        std::function<IResourceFactory*()> reader;
        GameModeType type;
        wchar_t const* pictures;
        // The rest of a level's start tag and its content, at the limit and past it.
        wchar_t const* fits;
        wchar_t const* over;
        char const* logged;
    };

    // The row by its name, so that the test's name stays the same from build to build.
    void PrintTo(sPictureCount const& count, std::ostream* os)
    {
        *os << count.name;
    }

    class PictureCounts : public LevelRecordsTest, public ::testing::WithParamInterface<sPictureCount>
    {
    };

    bool Offered(GameModeType type, char const* level)
    {
        std::vector<Label> const& levels = GetLevelManager()->getLevels(type, kGameModeDifficulty_Hard);
        return std::find(levels.begin(), levels.end(), Label::GetUniqueString(level)) != levels.end();
    }
}

TEST_P(PictureCounts, ACountPastItsPicturesRefusesTheLevelWithFileLevelAndAttributeLogged)
{
    sPictureCount const& count = GetParam();
    manager->AddResourceFactory(count.tag, count.reader());
    manager->AddResourceFactory(L"pictures", new GameTestSupport::PictureListFactory());
    std::wstring const tag = count.tag;
    testing::internal::CaptureStderr();
    LoadText(L"Levels", std::wstring(L"<levels>") + count.pictures + L"<" + tag + L" name='Fits' difficulty='Hard'" +
                            count.fits + L"</" + tag + L"><" + tag + L" name='Over' difficulty='Hard'" + count.over +
                            L"</" + tag + L"></levels>");
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(Offered(count.type, "Fits"));
    EXPECT_FALSE(Offered(count.type, "Over"));
    EXPECT_EQ(std::string::npos, log.find("level Fits")) << log;
    EXPECT_NE(std::string::npos,
              log.find(std::string("Levels.xml, level Over: ") + count.logged + "; the level is not used\n"))
        << log;
}

INSTANTIATE_TEST_SUITE_P(
    FiveGames, PictureCounts,
    ::testing::Values(
        sPictureCount{"CountTheMaterials", L"CountTheMaterialsLevel",
                      [] { return new CountTheMaterialsLevelResourceFactory(); }, kGameModeType_CountTheMaterials,
                      L"<pictures name='Materials-Plant' count='6'/>",
                      L"><Request material='Plant' number='6'/><Material type='Plant' number='6'/>",
                      L"><Request material='Plant' number='99'/><Material type='Plant' number='99'/>",
                      "Material \"number\" of 99 has no picture in \"Materials-Plant\", which has 6"},
        sPictureCount{"HammerTheNail", L"HammerTheNailLevel", [] { return new HammerTheNailLevelResourceFactory(); },
                      kGameModeType_HammerTheNail, L"<pictures name='FixIt_Nail_Wrench_Red' count='4'/>",
                      L"><Nail type='Wrench' color='Red' clickCount='3'/>",
                      L"><Nail type='Wrench' color='Red' clickCount='4'/>",
                      "Nail \"clickCount\" of 4 has no picture in \"FixIt_Nail_Wrench_Red\", which has 4"},
        sPictureCount{"HideAndSeek", L"HideAndSeekLevel", [] { return new HideAndSeekLevelResourceFactory(); },
                      kGameModeType_HideAndSeek, L"<pictures name='HideAndSeekObstacle' count='6'/>",
                      L" numHides='1' numPreviewHides='1' runSpeed='170'><Obstacle imageID='0'/><Obstacle imageID='5'/>",
                      L" numHides='1' numPreviewHides='1' runSpeed='170'><Obstacle imageID='0'/><Obstacle imageID='6'/>",
                      "Obstacle \"imageID\" of 6 has no picture in \"HideAndSeekObstacle\", which has 6"},
        sPictureCount{"ScarrowPuzzleBoard", L"ScarrowPuzzleLevel", [] { return new ScarrowPuzzleLevelResourceFactory(); },
                      kGameModeType_ScarrowPuzzle, L"<pictures name='PuzzleBG' count='9'/>",
                      L" puzzleID='9'><PuzzlePiece pieceNum='1'/>", L" puzzleID='10'><PuzzlePiece pieceNum='1'/>",
                      "ScarrowPuzzleLevel \"puzzleID\" of 10 has no picture in \"PuzzleBG\", which has 9"},
        sPictureCount{"ScarrowPuzzlePiece", L"ScarrowPuzzleLevel", [] { return new ScarrowPuzzleLevelResourceFactory(); },
                      kGameModeType_ScarrowPuzzle,
                      L"<pictures name='PuzzleBG' count='9'/><pictures name='Puzzle2' count='6'/>",
                      L" puzzleID='2'><PuzzlePiece pieceNum='6'/>", L" puzzleID='2'><PuzzlePiece pieceNum='7'/>",
                      "PuzzlePiece \"pieceNum\" of 7 has no picture in \"Puzzle2\", which has 6"},
        sPictureCount{"TollerStacker", L"TollerStackerLevel", [] { return new TollerStackerLevelResourceFactory(); },
                      kGameModeType_TollerStacker, L"<pictures name='BlueGirders' count='5'/>",
                      L"><StackObject size='5' color='Blue' type='Girder'/>",
                      L"><StackObject size='6' color='Blue' type='Girder'/>",
                      "StackObject \"size\" of 6 has no picture in \"BlueGirders\", which has 5"}),
    [](::testing::TestParamInfo<sPictureCount> const& info) { return std::string(info.param.name); });
