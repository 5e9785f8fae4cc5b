// The twelve mini-games' level readers over damaged manifest text: a number
// that is no number, not finite or out of what its game can use is refused
// where it is read, logged with the file, the level, the element and the
// attribute, and the value of a missing one takes its place, or the level is
// not offered; and a level a child could not finish is never offered, except
// where the game ends an empty level at once.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "qdl/Source/Game/Application.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/CountTheMaterials/CountTheMaterialsLevel.h"
#include "qdl/Source/Game/HammerTheNail/HammerTheNailLevel.h"
#include "qdl/Source/Game/HereToThere/HereToThereLevel.h"
#include "qdl/Source/Game/HideAndSeek/HideAndSeekLevel.h"
#include "qdl/Source/Game/PileOfLeaves/PileOfLeavesLevel.h"
#include "qdl/Source/Game/PlanAJob/PlanAJobLevel.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevel.h"
#include "qdl/Source/Game/TollerStacker/TollerStackerLevel.h"
#include "qdl/Tests/GameTestSupport.h"

using Corvane::AutoResource;
using Corvane::Label;

namespace
{

class LevelNumbersTest : public GameTestSupport::GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        *GetLevelManager() = LevelManager();
        Application::registerResourceFactories();
    }

    void TearDown() override
    {
        *GetLevelManager() = LevelManager();
        GameFixture::TearDown();
    }

    // Loads one level into the game's manifest; the log of the load.
    std::string Load(std::string const& manifest, std::string const& level)
    {
        testing::internal::CaptureStderr();
        LoadManifest(Corvane::ConvertStringUTF8ToWide(manifest).c_str(),
                     L"<resources>" + Corvane::ConvertStringUTF8ToWide(level) + L"</resources>");
        return testing::internal::GetCapturedStderr();
    }

    static bool Offered(GameModeType type, char const* level)
    {
        for (int d = 0; d < kNumGameModeDifficulties; ++d)
        {
            std::vector<Label> const& levels = GetLevelManager()->getLevels(type, static_cast<GameModeDifficulty>(d));
            if (std::find(levels.begin(), levels.end(), Label::GetUniqueString(level)) != levels.end())
                return true;
        }
        return false;
    }
};

// A level named "Damaged" with one number damaged; what the log says of it,
// whether the level is still offered, and the value the record keeps.
struct sDamagedNumber
{
    char const* manifest;
    GameModeType type;
    std::string level;
    std::string logged;
    bool offered;
    std::function<double()> kept;
    double expected;
};

template <class Level>
std::function<double()> Field(std::function<double(Level const&)> read)
{
    return [read] {
        AutoResource<Level> const level("Damaged");
        return level ? read(*level) : -999.0;
    };
}

TEST_F(LevelNumbersTest, ANumberTheGameCannotUseIsRefusedWhereItIsReadAndNamed)
{
    std::string const nails = "<Nail type='Wrench' color='Red' clickCount='1' x='20' y='20'/>";
    std::string const obstacles = "<Obstacle imageID='0'/><Obstacle imageID='1'/>";
    std::vector<sDamagedNumber> const rows = {
        {"CountTheMaterialsMode", kGameModeType_CountTheMaterials,
         "<CountTheMaterialsLevel name='Damaged' difficulty='Easy'><Request material='Plant' number='2'/>"
         "<Material type='Plant' number='2'/><Material type='LogRed' number='NaN'/></CountTheMaterialsLevel>",
         "Material \"number\" of \"NaN\" is no number (it takes 1 to 2147483647); the level is not used", false,
         Field<CountTheMaterialsLevel>([](CountTheMaterialsLevel const& l) { return l.materials[1].number; }), 0},
        {"HammerTheNailMode", kGameModeType_HammerTheNail,
         "<HammerTheNailLevel name='Damaged' difficulty='Easy'><Nail type='Wrench' color='Red' clickCount='-5'/>" +
             nails + "</HammerTheNailLevel>",
         "Nail \"clickCount\" of \"-5\" is out of range (it takes 0 to 2147483647); the value for none is used", true,
         Field<HammerTheNailLevel>([](HammerTheNailLevel const& l) { return l.nails[0].clickCount; }), 0},
        {"HammerTheNailMode", kGameModeType_HammerTheNail,
         "<HammerTheNailLevel name='Damaged' difficulty='Easy'>" + nails +
             "<Nail type='Wrench' color='Red' clickCount='1' y='9000'/></HammerTheNailLevel>",
         "Nail \"y\" of \"9000\" is out of range (it takes 0 to 600)", true,
         Field<HammerTheNailLevel>([](HammerTheNailLevel const& l) { return l.nails[1].y; }), 0},
        {"HereToThereMode", kGameModeType_HereToThere,
         "<HereToThereLevel name='Damaged' difficulty='Easy' numBuildings='13'><Animal type='Star' color='Blue'/>"
         "</HereToThereLevel>",
         "HereToThereLevel \"numBuildings\" of \"13\" is out of range (it takes 0 to 12)", true,
         Field<HereToThereLevel>([](HereToThereLevel const& l) { return l.numBuildings; }), 0},
        {"HideAndSeekMode", kGameModeType_HideAndSeek,
         "<HideAndSeekLevel name='Damaged' difficulty='Easy' numPreviewHides='2' runSpeed='NaN'>" + obstacles +
             "</HideAndSeekLevel>",
         "HideAndSeekLevel \"runSpeed\" of \"NaN\" is no number", false,
         Field<HideAndSeekLevel>([](HideAndSeekLevel const& l) { return l.runSpeed; }), 0},
        {"HideAndSeekMode", kGameModeType_HideAndSeek,
         "<HideAndSeekLevel name='Damaged' difficulty='Easy' numPreviewHides='2' runSpeed='1e39'>" + obstacles +
             "</HideAndSeekLevel>",
         "HideAndSeekLevel \"runSpeed\" of \"1e39\" is not finite", false,
         Field<HideAndSeekLevel>([](HideAndSeekLevel const& l) { return l.runSpeed; }), 0},
        {"HideAndSeekMode", kGameModeType_HideAndSeek,
         "<HideAndSeekLevel name='Damaged' difficulty='Easy' numHides='-2' numPreviewHides='2' runSpeed='90'>"
         "<Obstacle imageID='-1'/><Obstacle imageID='1'/></HideAndSeekLevel>",
         "Obstacle \"imageID\" of \"-1\" is out of range", true,
         Field<HideAndSeekLevel>([](HideAndSeekLevel const& l) { return l.obstacles[0].imageID + l.numHides; }), 0},
        {"TollerStackerMode", kGameModeType_TollerStacker,
         "<TollerStackerLevel name='Damaged' difficulty='Easy'><StackObject size='NaN' color='Red' type='Log'/>"
         "<StackObject size='2' color='Red' type='Log'/></TollerStackerLevel>",
         "StackObject \"size\" of \"NaN\" is no number (it takes 1 to 2147483647); the level is not used", false,
         Field<TollerStackerLevel>([](TollerStackerLevel const& l) { return l.objects[0].size; }), 0},
        {"PileOfLeavesMode", kGameModeType_PileOfLeaves,
         "<PileOfLeavesLevel name='Damaged' difficulty='Easy' numTools='4' cursorRadius='0' areaCover='5000'/>",
         "PileOfLeavesLevel \"cursorRadius\" of \"0\" is out of range (it takes 1 to 1000); the value for none is used",
         true, Field<PileOfLeavesLevel>([](PileOfLeavesLevel const& l) { return l.cursorRadius + l.areaCover; }),
         100},
        {"PileOfLeavesMode", kGameModeType_PileOfLeaves,
         "<PileOfLeavesLevel name='Damaged' difficulty='Easy' numTools=''/>",
         "PileOfLeavesLevel \"numTools\" of \"\" is no number", false,
         Field<PileOfLeavesLevel>([](PileOfLeavesLevel const& l) { return l.numTools; }), 0},
        {"PlanAJobMode", kGameModeType_PlanAJob,
         "<PlanAJobLevel name='Damaged' difficulty='Easy' imageList='J' numEmpty='9'/>",
         "PlanAJobLevel \"numEmpty\" of \"9\" is out of range (it takes 1 to 5); the level is not used", false,
         Field<PlanAJobLevel>([](PlanAJobLevel const& l) { return l.numEmpty; }), 0},
        {"ScarrowPuzzleMode", kGameModeType_ScarrowPuzzle,
         "<ScarrowPuzzleLevel name='Damaged' puzzleID='1' difficulty='Easy'><PuzzlePiece pieceNum='-1' x='inf'/>"
         "</ScarrowPuzzleLevel>",
         "PuzzlePiece \"pieceNum\" of \"-1\" is out of range (it takes 1 to 2147483647); the value for none is used",
         true,
         Field<ScarrowPuzzleLevel>([](ScarrowPuzzleLevel const& l) { return l.puzzlePieces[0].pieceNum + l.puzzlePieces[0].x; }),
         0},
        {"ScarrowPuzzleMode", kGameModeType_ScarrowPuzzle,
         "<ScarrowPuzzleLevel name='Damaged' puzzleID='NaN' difficulty='Easy'><PuzzlePiece/></ScarrowPuzzleLevel>",
         "ScarrowPuzzleLevel \"puzzleID\" of \"NaN\" is no number", false,
         Field<ScarrowPuzzleLevel>([](ScarrowPuzzleLevel const& l) { return l.puzzleID; }), 0},
    };
    for (sDamagedNumber const& row : rows)
    {
        SCOPED_TRACE(row.level);
        std::string const log = Load(row.manifest, row.level);
        EXPECT_NE(std::string::npos, log.find(std::string(row.manifest) + ".xml, level Damaged: " + row.logged))
            << log;
        EXPECT_EQ(row.offered, Offered(row.type, "Damaged"));
        EXPECT_EQ(row.expected, row.kept());
        Corvane::GetResourceManager()->Unload(Corvane::ConvertStringUTF8ToWide(row.manifest).c_str());
        *GetLevelManager() = LevelManager();
    }
}

// A game's level with something to play, and the same level with nothing the
// child could finish; whether that one is still offered (its game ends it at once).
struct sUnplayable
{
    char const* manifest;
    GameModeType type;
    std::string playable;
    std::string unplayable;
    bool offered;
};

TEST_F(LevelNumbersTest, ALevelAChildCouldNotFinishIsNeverOffered)
{
    std::vector<sUnplayable> const rows = {
        {"CountTheMaterialsMode", kGameModeType_CountTheMaterials,
         "<CountTheMaterialsLevel name='%' difficulty='Easy'><Request material='Plant' number='2'/>"
         "<Material type='Plant' number='2'/></CountTheMaterialsLevel>",
         "<CountTheMaterialsLevel name='%' difficulty='Easy'><Request material='Plant' number='2'/>"
         "<Material type='Plant' number='3'/></CountTheMaterialsLevel>",
         false},
        {"HammerTheNailMode", kGameModeType_HammerTheNail,
         "<HammerTheNailLevel name='%' difficulty='Easy'><Nail type='Wrench' color='Red' clickCount='1'/>"
         "</HammerTheNailLevel>",
         "<HammerTheNailLevel name='%' difficulty='Easy'><Nail type='Wrench' color='Red' clickCount='0'/>"
         "</HammerTheNailLevel>",
         false},
        {"HereToThereMode", kGameModeType_HereToThere,
         "<HereToThereLevel name='%' difficulty='Easy'><Animal type='Star' color='Blue'/></HereToThereLevel>",
         "<HereToThereLevel name='%' difficulty='Easy' numBuildings='3'/>", false},
        {"HideAndSeekMode", kGameModeType_HideAndSeek,
         "<HideAndSeekLevel name='%' difficulty='Easy' numPreviewHides='1' runSpeed='9'><Obstacle/>"
         "</HideAndSeekLevel>",
         "<HideAndSeekLevel name='%' difficulty='Easy' numPreviewHides='1' runSpeed='9'/>",
         false},
        {"TollerStackerMode", kGameModeType_TollerStacker,
         "<TollerStackerLevel name='%' difficulty='Easy'><StackObject size='1' color='Red' type='Log'/>"
         "<StackObject size='1' color='Blue' type='Log'/></TollerStackerLevel>",
         "<TollerStackerLevel name='%' difficulty='Easy'><StackObject size='1' color='Red' type='Log'/>"
         "<StackObject size='1' color='Red' type='Girder'/></TollerStackerLevel>",
         false},
        {"TrundelsDeliveryMode", kGameModeType_TrundelsDelivery,
         "<TrundelsDeliveryLevel name='%' difficulty='Easy'><Pattern order='AB'/></TrundelsDeliveryLevel>",
         "<TrundelsDeliveryLevel name='%' difficulty='Easy'><Pattern order='xy'/></TrundelsDeliveryLevel>", false},
        {"PaintTheHouseMode", kGameModeType_PaintIt,
         "<PaintItLevel name='%' difficulty='Easy'><Pattern order='AB'/></PaintItLevel>",
         "<PaintItLevel name='%' difficulty='Easy'/>", false},
        {"PileOfLeavesMode", kGameModeType_PileOfLeaves, "<PileOfLeavesLevel name='%' difficulty='Easy' numTools='2'/>",
         "<PileOfLeavesLevel name='%' difficulty='Easy'/>", false},
        {"PlanAJobMode", kGameModeType_PlanAJob, "<PlanAJobLevel name='%' difficulty='Easy' numEmpty='1'/>",
         "<PlanAJobLevel name='%' difficulty='Easy' numEmpty='0'/>", false},
        {"StreetSignsMode", kGameModeType_StreetSigns,
         "<StreetSignLevel name='%' difficulty='Easy'><attRequest color='Red'/><signEntry color='Red' shape='Circle'/>"
         "</StreetSignLevel>",
         "<StreetSignLevel name='%' difficulty='Easy'><attRequest color='Red'/></StreetSignLevel>", false},
        // The two games whose win comes when nothing is left to place end an empty level at once.
        {"ScarrowPuzzleMode", kGameModeType_ScarrowPuzzle,
         "<ScarrowPuzzleLevel name='%' difficulty='Easy' puzzleID='1'><PuzzlePiece/></ScarrowPuzzleLevel>",
         "<ScarrowPuzzleLevel name='%' difficulty='Easy' puzzleID='1'/>", true},
        {"ToolShedMode", kGameModeType_ToolShed,
         "<ToolShedLevel name='%' difficulty='Easy'><toolEntry toolType='Saw' color='Red'/>"
         "<toolBox toolType='Saw' color='Red'/></ToolShedLevel>",
         "<ToolShedLevel name='%' difficulty='Easy'><toolBox toolType='Saw' color='Red'/></ToolShedLevel>", true},
    };
    auto named = [](std::string text, char const* name) { return text.replace(text.find('%'), 1, name); };
    for (sUnplayable const& row : rows)
    {
        SCOPED_TRACE(row.manifest);
        std::string const log = Load(row.manifest, named(row.playable, "Whole") + named(row.unplayable, "Empty"));
        EXPECT_TRUE(Offered(row.type, "Whole"));
        EXPECT_EQ(row.offered, Offered(row.type, "Empty"));
        // The record is made all the same, and a level not offered says why, by file and name.
        EXPECT_TRUE(Corvane::Internal::FindResource(Label::GetUniqueString("Empty")));
        EXPECT_EQ(!row.offered, log.find(std::string(row.manifest) + ".xml, level Empty: ") != std::string::npos)
            << log;
        EXPECT_EQ(std::string::npos, log.find("level Whole")) << log;
        Corvane::GetResourceManager()->Unload(Corvane::ConvertStringUTF8ToWide(row.manifest).c_str());
        *GetLevelManager() = LevelManager();
    }
}

} // namespace
