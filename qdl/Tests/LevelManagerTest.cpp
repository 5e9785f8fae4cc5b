#include <set>

#include "qdl/Source/Game/GameModeTypes.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/LevelProgressionResourceFactory.h"
#include "qdl/Tests/GameTestSupport.h"

using namespace Corvane;
using GameTestSupport::GameFixture;
using GameTestSupport::ScreenRecorder;

namespace
{

Label L(char const* text)
{
    return Label::GetUniqueString(text);
}

class LevelManagerTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        GetResourceManager()->AddResourceFactory(L"LevelProg", new LevelProgressionResourceFactory());
        ASSERT_TRUE(account->WriteValue(L"AccountID", L"SloamButton"));
    }

    void LoadStory(std::wstring const& steps)
    {
        LoadManifest(L"LevelProgressionPark", L"<resources><LevelProg name='ParkStory'>" + steps +
                                                  L"</LevelProg></resources>");
    }

    int SavedProgress() { return account->ReadValue(L"SloamButton_Progress", -99); }

    LevelManager manager;
    ScreenRecorder recorder;
};

// ---- Levels by game and difficulty

TEST_F(LevelManagerTest, AGameWithOneLevelGivesItEveryTime)
{
    manager.addLevelForGameModeType(kGameModeType_ToolShed, L("ToolShed_Medium1"), kGameModeDifficulty_Medium);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(L("ToolShed_Medium1"), manager.getLevelForGameModeType(kGameModeType_ToolShed));
    EXPECT_EQ(L("ToolShed_Medium1"), manager.getLastLevel());
}

TEST_F(LevelManagerTest, TwoLevelsAlternateAndThreeNeverRepeatAtOnce)
{
    manager.addLevelForGameModeType(kGameModeType_HideAndSeek, L("Hide_A"), kGameModeDifficulty_Medium);
    manager.addLevelForGameModeType(kGameModeType_HideAndSeek, L("Hide_B"), kGameModeDifficulty_Medium);
    Label previous = manager.getLevelForGameModeType(kGameModeType_HideAndSeek);
    for (int i = 0; i < 20; ++i)
    {
        Label const next = manager.getLevelForGameModeType(kGameModeType_HideAndSeek);
        EXPECT_NE(previous, next);
        previous = next;
    }

    manager.setDifficulty(kGameModeDifficulty_Hard);
    for (char const* name : {"Hard_1", "Hard_2", "Hard_3"})
        manager.addLevelForGameModeType(kGameModeType_HideAndSeek, L(name), kGameModeDifficulty_Hard);
    std::set<Label> seen;
    previous = manager.getLevelForGameModeType(kGameModeType_HideAndSeek);
    for (int i = 0; i < 60; ++i)
    {
        Label const next = manager.getLevelForGameModeType(kGameModeType_HideAndSeek);
        EXPECT_NE(previous, next);
        seen.insert(next);
        previous = next;
    }
    EXPECT_EQ(3u, seen.size());
}

TEST_F(LevelManagerTest, LevelsAreKeptApartByGameAndDifficulty)
{
    manager.addLevelForGameModeType(kGameModeType_PlanAJob, L("Plan_Easy"), kGameModeDifficulty_Easy);
    manager.addLevelForGameModeType(kGameModeType_StreetSigns, L("Signs_Medium"), kGameModeDifficulty_Medium);
    EXPECT_TRUE(manager.getLevelForGameModeType(kGameModeType_PlanAJob).IsNull());
    manager.setDifficulty(kGameModeDifficulty_Easy);
    EXPECT_EQ(L("Plan_Easy"), manager.getLevelForGameModeType(kGameModeType_PlanAJob));
    EXPECT_TRUE(manager.getLevelForGameModeType(kGameModeType_StreetSigns).IsNull());
}

TEST_F(LevelManagerTest, ALevelRegisteredTwiceIsKeptOnceSoTheDrawEnds)
{
    // A manifest loaded again registers its levels again.
    for (int i = 0; i < 2; ++i)
    {
        manager.addLevelForGameModeType(kGameModeType_PaintIt, L("Pintura_Fácil"), kGameModeDifficulty_Medium);
        manager.addLevelForGameModeType(kGameModeType_PaintIt, L("Pintura_Fácil"), kGameModeDifficulty_Medium);
    }
    EXPECT_EQ(1u, manager.getLevels(kGameModeType_PaintIt, kGameModeDifficulty_Medium).size());
    // One distinct level: the draw must end even though it equals the last pick.
    EXPECT_EQ(L("Pintura_Fácil"), manager.getLevelForGameModeType(kGameModeType_PaintIt));
    EXPECT_EQ(L("Pintura_Fácil"), manager.getLevelForGameModeType(kGameModeType_PaintIt));
}

TEST_F(LevelManagerTest, ARemovedLevelLeavesEveryDifficultyOfItsGameAndOnlyThat)
{
    manager.addLevelForGameModeType(kGameModeType_PaintIt, L("Pintura_1"), kGameModeDifficulty_Easy);
    manager.addLevelForGameModeType(kGameModeType_PaintIt, L("Pintura_1"), kGameModeDifficulty_Hard);
    manager.addLevelForGameModeType(kGameModeType_PaintIt, L("Pintura_2"), kGameModeDifficulty_Hard);
    manager.addLevelForGameModeType(kGameModeType_PlanAJob, L("Pintura_1"), kGameModeDifficulty_Easy);
    manager.removeLevelForGameModeType(kGameModeType_PaintIt, L("Pintura_1"));
    EXPECT_TRUE(manager.getLevels(kGameModeType_PaintIt, kGameModeDifficulty_Easy).empty());
    EXPECT_EQ(std::vector<Corvane::Label>{L("Pintura_2")},
              manager.getLevels(kGameModeType_PaintIt, kGameModeDifficulty_Hard));
    EXPECT_EQ(std::vector<Corvane::Label>{L("Pintura_1")},
              manager.getLevels(kGameModeType_PlanAJob, kGameModeDifficulty_Easy));
}

TEST_F(LevelManagerTest, DifficultiesOutsideTheThreeAreRefusedAndChangeNothing)
{
    testing::internal::CaptureStderr();
    manager.addLevelForGameModeType(kGameModeType_TollerStacker, L("Stack_Bad"), static_cast<GameModeDifficulty>(-1));
    manager.addLevelForGameModeType(kGameModeType_TollerStacker, L("Stack_Bad"), static_cast<GameModeDifficulty>(3));
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, log.find("Stack_Bad"));
    for (int d = 0; d < kNumGameModeDifficulties; ++d)
        EXPECT_TRUE(manager.getLevels(kGameModeType_TollerStacker, static_cast<GameModeDifficulty>(d)).empty());

    manager.setDifficulty(static_cast<GameModeDifficulty>(7));
    EXPECT_EQ(kGameModeDifficulty_Medium, manager.getDifficulty());
}

TEST_F(LevelManagerTest, AGameWithoutLevelsGivesNoneAndKeepsTheLastPick)
{
    manager.addLevelForGameModeType(kGameModeType_ToolShed, L("Tools_1"), kGameModeDifficulty_Medium);
    ASSERT_EQ(L("Tools_1"), manager.getLevelForGameModeType(kGameModeType_ToolShed));
    EXPECT_TRUE(manager.getLevelForGameModeType(kGameModeType_HereToThere).IsNull());
    EXPECT_EQ(L("Tools_1"), manager.getLastLevel());
}

// ---- Game labels

TEST_F(LevelManagerTest, GameLabelsNameTheTwelveGamesAndUnknownLabelsStartNothing)
{
    EXPECT_EQ(kGameModeType_TrundelsDelivery, getGameModeTypeForLabel(L("TrundelDelivery")));
    EXPECT_EQ(-1, getGameModeTypeForLabel(L("TrundelsDelivery")));
    EXPECT_EQ(kGameModeType_PaintIt, getGameModeTypeForLabel(L("PaintIt")));
    for (int type = 0; type < kNumGameModeTypes; ++type)
        EXPECT_EQ(type, getGameModeTypeForLabel(getGameModeLabel(static_cast<GameModeType>(type))));

    manager.pushGameModeOfType(L("PlanAJob"), L("Plan_Nivel_Año"));
    manager.pushGameModeOfType(L("Pelota"), L("x"));
    manager.pushGameModeOfType(Label(), Label());
    EXPECT_EQ(std::vector<std::string>({std::string("game 2 ") + L("Plan_Nivel_Año").GetString()}), recorder.screens);
}

// ---- The story

TEST_F(LevelManagerTest, TheStoryRunsItsEntriesInOrderAndSavesThePositionBeingPlayed)
{
    LoadStory(L"<Cutscene cutsceneID='Intro'/><Level gameType='PlanAJob' levelID='Plan1'/>"
              L"<Level gameType='CountTheMaterials'/>");
    manager.setLevelProgression(L("ParkStory"));
    EXPECT_EQ(0, manager.getProgressIndex());

    manager.beginNextLevelProgressionMode();
    EXPECT_EQ(0, SavedProgress());
    manager.beginNextLevelProgressionMode();
    EXPECT_EQ(1, SavedProgress());
    manager.beginNextLevelProgressionMode();
    EXPECT_EQ(2, SavedProgress());
    EXPECT_EQ(std::vector<std::string>({"cutscene Intro", "game 2 Plan1", "game 6 -"}), recorder.screens);

    // After the last entry the sticker book opens over the main menu and the story starts again.
    recorder.screens.clear();
    manager.beginNextLevelProgressionMode();
    EXPECT_EQ(std::vector<std::string>({"main menu", "sticker book"}), recorder.screens);
    EXPECT_EQ(0, SavedProgress());
    EXPECT_EQ(0, manager.getProgressIndex());
}

TEST_F(LevelManagerTest, ASavedPositionIsWhereTheStoryResumes)
{
    LoadStory(L"<Level gameType='ToolShed'/><Level gameType='StreetSigns'/><Level gameType='HideAndSeek'/>"
              L"<Level gameType='HereToThere'/>");
    ASSERT_TRUE(account->WriteValue(L"SloamButton_Progress", 3));
    manager.setLevelProgression(L("ParkStory"));
    EXPECT_EQ(3, manager.getProgressIndex());
    manager.beginNextLevelProgressionMode();
    EXPECT_EQ(std::vector<std::string>({"game 11 -"}), recorder.screens);
    EXPECT_EQ(3, SavedProgress());

    // A new game writes 0 before the story is entered again.
    manager.resetLevelProgress();
    EXPECT_EQ(0, SavedProgress());
    manager.setLevelProgression(L("ParkStory"));
    EXPECT_EQ(0, manager.getProgressIndex());
}

TEST_F(LevelManagerTest, AVideoIsPassedOverToTheEntryAfterIt)
{
    LoadStory(L"<Video videoID='Opening'/><Level gameType='PlanAJob' levelID='Plan1'/>"
              L"<Video videoID='V2'/><Video videoID='V3'/><Cutscene cutsceneID='Fin'/>");
    manager.setLevelProgression(L("ParkStory"));

    // The level of an entry reached past a video is not passed on.
    manager.beginNextLevelProgressionMode();
    EXPECT_EQ(std::vector<std::string>({"game 2 -"}), recorder.screens);
    EXPECT_EQ(1, SavedProgress());

    // A video after a video starts nothing; the position is the second video's.
    manager.beginNextLevelProgressionMode();
    EXPECT_EQ(1u, recorder.screens.size());
    EXPECT_EQ(3, SavedProgress());
    manager.beginNextLevelProgressionMode();
    EXPECT_EQ("cutscene Fin", recorder.screens.back());
    EXPECT_EQ(4, SavedProgress());
}

TEST_F(LevelManagerTest, AVideoAsTheLastEntryEndsTheStory)
{
    LoadStory(L"<Level gameType='ToolShed'/><Video videoID='Final'/>");
    manager.setLevelProgression(L("ParkStory"));
    manager.beginNextLevelProgressionMode();
    manager.beginNextLevelProgressionMode();
    EXPECT_EQ(std::vector<std::string>({"game 0 -", "main menu", "sticker book"}), recorder.screens);
    EXPECT_EQ(0, SavedProgress());
    EXPECT_EQ(0, manager.getProgressIndex());
}

TEST_F(LevelManagerTest, AnEmptyStoryEndsAtOnce)
{
    LoadStory(L"");
    manager.setLevelProgression(L("ParkStory"));
    manager.beginNextLevelProgressionMode();
    EXPECT_EQ(std::vector<std::string>({"main menu", "sticker book"}), recorder.screens);
}

TEST_F(LevelManagerTest, AnUnknownGameStartsNothingButTheStoryMovesOn)
{
    LoadStory(L"<Level gameType='Pelota'/><Level gameType='ToolShed'/>");
    manager.setLevelProgression(L("ParkStory"));
    manager.beginNextLevelProgressionMode();
    EXPECT_TRUE(recorder.screens.empty());
    EXPECT_EQ(0, SavedProgress());
    manager.beginNextLevelProgressionMode();
    EXPECT_EQ(std::vector<std::string>({"game 0 -"}), recorder.screens);
}

TEST_F(LevelManagerTest, AMissingStoryGoesBackToTheMainMenuAndKeepsTheSavedPosition)
{
    ASSERT_TRUE(account->WriteValue(L"SloamButton_Progress", 5));
    std::string const before = AccountFileText();
    testing::internal::CaptureStderr();
    manager.setLevelProgression(L("ParkStory"));
    manager.beginNextLevelProgressionMode();
    std::string const log = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, log.find("ParkStory"));
    EXPECT_EQ(std::vector<std::string>({"main menu"}), recorder.screens);
    EXPECT_EQ(before, AccountFileText());
    EXPECT_EQ(5, SavedProgress());

    // Never chosen at all: the same.
    LevelManager fresh;
    fresh.beginNextLevelProgressionMode();
    EXPECT_EQ(5, SavedProgress());
}

TEST_F(LevelManagerTest, ADamagedPositionStartsTheStoryFromTheBeginningWithALogLine)
{
    LoadStory(L"<Cutscene cutsceneID='Intro'/><Cutscene cutsceneID='Dos'/>");
    // Past the story's end (2), a story of two would otherwise end at once and show the book.
    // "-" stands for a record with no value at all.
    for (wchar_t const* damaged : {L"-4", L"3", L"2147483648", L"uno", L"1x", L"", L"-"})
    {
        recorder.screens.clear();
        ASSERT_TRUE(account->WriteValue(L"SloamButton_Progress", std::wstring(damaged)));
        if (std::wstring(damaged) == L"-")
        {
            ASSERT_TRUE(EditAccountFile(" value=\"-\"", ""));
        }
        testing::internal::CaptureStderr();
        manager.setLevelProgression(L("ParkStory"));
        EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("SloamButton_Progress")) << damaged;
        manager.beginNextLevelProgressionMode();
        EXPECT_EQ(std::vector<std::string>({"cutscene Intro"}), recorder.screens) << damaged;
        EXPECT_EQ(0, SavedProgress()) << damaged;
    }
}

TEST_F(LevelManagerTest, APositionAtTheStoryEndFinishesItWithoutALogLine)
{
    LoadStory(L"<Cutscene cutsceneID='Intro'/><Cutscene cutsceneID='Dos'/>");
    ASSERT_TRUE(account->WriteValue(L"SloamButton_Progress", 2));
    testing::internal::CaptureStderr();
    manager.setLevelProgression(L("ParkStory"));
    EXPECT_EQ("", testing::internal::GetCapturedStderr());
    EXPECT_EQ(2, manager.getProgressIndex());
    manager.beginNextLevelProgressionMode();
    EXPECT_EQ(std::vector<std::string>({"main menu", "sticker book"}), recorder.screens);
    EXPECT_EQ(0, SavedProgress());
    EXPECT_EQ(0, manager.getProgressIndex());
}

TEST_F(LevelManagerTest, AReloadedStoryIsReadAfresh)
{
    LoadStory(L"<Cutscene cutsceneID='Uno'/><Cutscene cutsceneID='Dos'/>");
    manager.setLevelProgression(L("ParkStory"));
    manager.beginNextLevelProgressionMode();
    GetResourceManager()->Unload(L"LevelProgressionPark");
    LoadStory(L"<Cutscene cutsceneID='Uno'/><Cutscene cutsceneID='Nueva'/>");
    manager.beginNextLevelProgressionMode();
    EXPECT_EQ(std::vector<std::string>({"cutscene Uno", "cutscene Nueva"}), recorder.screens);
}

} // namespace
