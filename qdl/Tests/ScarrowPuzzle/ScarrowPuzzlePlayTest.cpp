// ScarrowPuzzle played as a child plays it, through the driver over the real
// content: from free play at every difficulty, wrong slots far and near, the
// ground putting a piece back, quitting with a piece held, and a content copy
// without the level asked for.

#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleElements.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevel.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleMode.h"
#include "qdl/Source/Game/StickerManager.h"
#include "qdl/Tests/Driver/FreePlayRoute.h"
#include "qdl/Tests/Driver/GameDriver.h"

using GameDriver::Child;

namespace
{

char const* const kDifficultyNames[] = {"Easy", "Medium", "Hard"};
char const* const kDifficultyButtons[] = {"EasyButton", "MediumButton", "HardButton"};

struct sPlace
{
    int pieceNum;
    int x;
    int y;
    bool filled;
};

ScarrowPuzzleMode* Game()
{
    return dynamic_cast<ScarrowPuzzleMode*>(Corvane::MainLoop::GetTopMostMode(0));
}

template <class T>
std::vector<T*> Live(char const* role)
{
    std::vector<T*> found;
    Corvane::ObjectDatabase* const database = Corvane::GetObjectDatabase();
    if (!database || !Game())
        return found;
    for (Corvane::ObjectID id : database->GetObjectsWithRole(Corvane::Label::GetUniqueString(role)))
        if (T* const object = dynamic_cast<T*>(database->GetObject(id)))
            found.push_back(object);
    return found;
}

// The live pieces, each with an opaque point: the middle of its cell.
std::vector<sPlace> LivePieces(Child& child)
{
    return child.Look([] {
        std::vector<sPlace> pieces;
        for (ScarrowPuzzlePiece* const piece : Live<ScarrowPuzzlePiece>("ScarrowPuzzle_PuzzlePiece"))
        {
            Corvane::Rect<float> const bounds = piece->getInputNode()->GlobalGetBounds();
            pieces.push_back(sPlace{piece->pieceNum, int(bounds.x + bounds.width / 2),
                                    int(bounds.y + bounds.height / 2), false});
        }
        return pieces;
    });
}

std::vector<sPlace> Slots(Child& child)
{
    return child.Look([] {
        std::vector<sPlace> slots;
        for (ScarrowPuzzlePieceSlot* const slot : Live<ScarrowPuzzlePieceSlot>("ScarrowPuzzle_PuzzlePieceSlot"))
        {
            Corvane::Vector2<float> const centre = slot->getCentre();
            slots.push_back(sPlace{slot->pieceNum, int(centre.x), int(centre.y), slot->isFilled()});
        }
        return slots;
    });
}

sPlace SlotOf(Child& child, int pieceNum)
{
    for (sPlace const& slot : Slots(child))
        if (slot.pieceNum == pieceNum)
            return slot;
    return sPlace{-1, 0, 0, false};
}

bool ClickAt(Child& child, int x, int y)
{
    return child.MoveMouseTo(x, y) && child.PressMouse() && child.ReleaseMouse();
}

bool IsHolding(Child& child)
{
    return child.Look([] { return DragSource<ScarrowPuzzlePiece*>::GetHeldDragSource() != nullptr; });
}

int CountPlays(Child& child, std::string const& sound, std::size_t from = 0)
{
    std::vector<GameDriver::sSoundPlay> const plays = child.Sounds();
    int count = 0;
    for (std::size_t i = from; i < plays.size(); ++i)
        count += plays[i].sound == sound;
    return count;
}

std::size_t LevelPieceCount(Child& child)
{
    return child.Look([] {
        Corvane::AutoResource<ScarrowPuzzleLevel> const level(GetLevelManager()->getLastLevel());
        return level ? level->puzzlePieces.size() : std::size_t(0);
    });
}

bool ReachPlay(Child& child)
{
    if (!child.WaitForScreen("FennInstructionMode", 3000))
        return false;
    child.Wait(0.5f);
    if (child.IsShown("OkButton") && !child.Click("OkButton"))
        return false;
    if (!child.WaitForScreen("ScarrowPuzzleMode", 1500))
        return false;
    return child.WaitUntil(
        [] { return !Child::FindNode("GameScreenRoot/Playfield/MouseInput_ClickMask")->LocalIsVisible(); }, 200);
}

void SaveScreenshot(Child& child, std::string const& name)
{
    if (char const* const folder = std::getenv("QDL_GAME_SCREENSHOT_DIR"))
    {
        EXPECT_TRUE(child.SaveScreenshot(std::string(folder) + "/" + name + ".png"));
    }
}

// The automated player: each piece, then the middle of its slot.
void SolveThePuzzle(Child& child)
{
    for (int guard = 0; guard < 6; ++guard)
    {
        std::vector<sPlace> const pieces = LivePieces(child);
        if (pieces.empty())
            return;
        sPlace const piece = pieces.front();
        ASSERT_TRUE(ClickAt(child, piece.x, piece.y));
        ASSERT_TRUE(IsHolding(child));
        sPlace const slot = SlotOf(child, piece.pieceNum);
        ASSERT_GE(slot.pieceNum, 0);
        ASSERT_TRUE(ClickAt(child, slot.x, slot.y));
        child.Frames(2);
        ASSERT_FALSE(IsHolding(child));
        EXPECT_TRUE(SlotOf(child, piece.pieceNum).filled);
    }
    FAIL() << "pieces were left";
}

class ScarrowPuzzlePlay : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string reason;
        if (!driver.HasDisplay(&reason))
            GTEST_SKIP() << "no display: " << reason;
    }

    void StartAt(GameModeDifficulty difficulty)
    {
        driver.SetAccountValue("AccountID", "PondoButton");
        driver.StartWith([difficulty]() -> Corvane::ApplicationMode* {
            GetLevelManager()->setDifficulty(difficulty);
            GetLevelManager()->setFreePlay(true);
            GetStickerManager()->loadUnlockedStickerData();
            return new ScarrowPuzzleMode();
        });
    }

    GameDriver::Driver driver;
};

} // namespace

TEST_F(ScarrowPuzzlePlay, AChildComesThroughFreePlayAndWinsAtEveryDifficulty)
{
    for (int difficulty = 0; difficulty < 3; ++difficulty)
    {
        SCOPED_TRACE(kDifficultyNames[difficulty]);
        GameDriver::Driver play;
        play.Play([difficulty](Child& child) {
            ASSERT_TRUE(GameDriver::ComeToGameThroughFreePlay(child, "ScarrowPuzzle", kDifficultyButtons[difficulty]));
            ASSERT_TRUE(child.WaitForScreen("ScarrowPuzzleMode", 100));
            // Before the intro the pieces lie whole on the picture, each over its own slot.
            for (sPlace const& piece : LivePieces(child))
            {
                sPlace const slot = SlotOf(child, piece.pieceNum);
                EXPECT_EQ(slot.x, piece.x);
                EXPECT_EQ(slot.y, piece.y);
            }
            ASSERT_TRUE(ReachPlay(child));
            std::vector<sPlace> const pieces = LivePieces(child);
            EXPECT_EQ(LevelPieceCount(child), pieces.size());
            EXPECT_EQ(std::size_t(3 + difficulty), pieces.size());
            // Distinct source places.
            std::set<std::pair<int, int> > places;
            for (sPlace const& piece : pieces)
                places.insert({piece.x, piece.y});
            EXPECT_EQ(pieces.size(), places.size());
            SaveScreenshot(child, std::string("ScarrowPuzzle_") + kDifficultyNames[difficulty]);
            std::string const stickers = GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount");
            SolveThePuzzle(child);
            ASSERT_TRUE(child.WaitUntil([] { return !Game(); }, 300));
            EXPECT_EQ(1, CountPlays(child, "ScarrowPuzzle_GameComplete"));
            EXPECT_NE(stickers, GameDriver::AccountRecord(child.AccountFile(), "PondoButton_StickerCount"));
            ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode", 1000));
        });
        EXPECT_TRUE(play.Notifications().empty());
    }
}

TEST_F(ScarrowPuzzlePlay, WrongSlotsFarAndNearAndTheGroundPutsThePieceBack)
{
    StartAt(kGameModeDifficulty_Hard);
    driver.Play([](Child& child) {
        ASSERT_TRUE(ReachPlay(child));
        float const reach = child.Look([] { return float(Corvane::Constant<float>("PieceSlotMaxClickDist")); });
        std::vector<sPlace> const pieces = LivePieces(child);
        std::vector<sPlace> const slots = Slots(child);
        // A piece whose slot has a neighbour beside it (cells are 120 apart) and a far slot.
        sPlace piece = {-1, 0, 0, false};
        sPlace near = {-1, 0, 0, false};
        sPlace far = {-1, 0, 0, false};
        for (sPlace const& candidate : pieces)
        {
            sPlace const own = SlotOf(child, candidate.pieceNum);
            for (sPlace const& slot : slots)
            {
                int const dx = slot.x - own.x;
                int const dy = slot.y - own.y;
                if (dy == 0 && (dx == 120 || dx == -120))
                    near = slot;
                if (dx * dx + dy * dy > 4 * int(reach * reach))
                    far = slot;
            }
            if (near.pieceNum >= 0 && far.pieceNum >= 0)
            {
                piece = candidate;
                break;
            }
            near.pieceNum = far.pieceNum = -1;
        }
        ASSERT_GE(piece.pieceNum, 0);
        sPlace const own = SlotOf(child, piece.pieceNum);

        ASSERT_TRUE(ClickAt(child, piece.x, piece.y));
        ASSERT_TRUE(IsHolding(child));
        // Far: the copy wobbles and the wrong-slot voice speaks; the piece stays held.
        std::size_t mark = child.Sounds().size();
        ASSERT_TRUE(ClickAt(child, far.x, far.y));
        child.Frames(2);
        EXPECT_EQ(1, CountPlays(child, "ScarrowPuzzle_IncorrectAnswer", mark));
        EXPECT_TRUE(IsHolding(child));
        EXPECT_FALSE(SlotOf(child, far.pieceNum).filled);

        // The ground: back at its source, and no slot has taken it.
        ASSERT_TRUE(ClickAt(child, 400, 590));
        child.Frames(2);
        EXPECT_FALSE(IsHolding(child));
        EXPECT_EQ(pieces.size(), LivePieces(child).size());
        EXPECT_FALSE(SlotOf(child, piece.pieceNum).filled);

        // Near: inside the neighbour's zone, 10 px from the shared edge, strictly within reach of its own slot.
        ASSERT_TRUE(ClickAt(child, piece.x, piece.y));
        ASSERT_TRUE(IsHolding(child));
        mark = child.Sounds().size();
        int const x = own.x + (near.x > own.x ? 70 : -70);
        ASSERT_TRUE(ClickAt(child, x, own.y));
        child.Frames(2);
        EXPECT_FALSE(IsHolding(child));
        EXPECT_TRUE(SlotOf(child, piece.pieceNum).filled);
        EXPECT_FALSE(SlotOf(child, near.pieceNum).filled);
        EXPECT_EQ(0, CountPlays(child, "ScarrowPuzzle_IncorrectAnswer", mark));
        EXPECT_EQ(1, CountPlays(child, "General_CorrectAnswer", mark));

        // Another piece held over the filled slot, then the ground: it goes back, not into that slot.
        sPlace const other = LivePieces(child).front();
        ASSERT_TRUE(ClickAt(child, other.x, other.y));
        ASSERT_TRUE(child.MoveMouseTo(own.x, own.y));
        child.Frames(1);
        ASSERT_TRUE(ClickAt(child, 400, 590));
        child.Frames(2);
        EXPECT_FALSE(IsHolding(child));
        EXPECT_EQ(pieces.size() - 1, LivePieces(child).size());
        SolveThePuzzle(child);
        EXPECT_TRUE(child.WaitUntil([] { return !Game(); }, 300));
    });
}

TEST_F(ScarrowPuzzlePlay, QuittingWithAPieceHeldLeadsToTheMainMenuAndKeepsTheAccount)
{
    StartAt(kGameModeDifficulty_Easy);
    driver.Play([](Child& child) {
        ASSERT_TRUE(ReachPlay(child));
        std::string const account = child.AccountFile();
        sPlace const piece = LivePieces(child).front();
        ASSERT_TRUE(ClickAt(child, piece.x, piece.y));
        ASSERT_TRUE(IsHolding(child));
        ASSERT_TRUE(child.Click("QuitButton"));
        ASSERT_TRUE(child.WaitForScreen("QuitConfirmMode", 100));
        child.Wait(1.0f);
        ASSERT_TRUE(child.Click("YesButton"));
        ASSERT_TRUE(child.WaitForScreen("MainMenuMode", 300));
        EXPECT_EQ(std::vector<std::string>{"MainMenuMode"}, child.Screens());
        EXPECT_EQ(account, child.AccountFile());
    });
}

TEST_F(ScarrowPuzzlePlay, AContentCopyWithoutHardLevelsTellsOnceAndNeverWins)
{
    driver.UseContentCopy([](std::string const& folder) {
        ASSERT_TRUE(GameDriver::ReplaceInTextFile(folder + "/ScarrowPuzzleMode.xml", "difficulty=\"Hard\"",
                                                  "difficulty=\"Gone\""));
    });
    StartAt(kGameModeDifficulty_Hard);
    driver.Play([](Child& child) {
        ASSERT_TRUE(ReachPlay(child));
        std::string const account = child.AccountFile();
        child.Wait(3.0f);
        EXPECT_EQ("ScarrowPuzzleMode", child.TopScreen());
        EXPECT_TRUE(LivePieces(child).empty());
        EXPECT_EQ(0, CountPlays(child, "ScarrowPuzzle_GameComplete"));
        EXPECT_EQ(account, child.AccountFile());
        ASSERT_TRUE(child.Click("QuitButton"));
        EXPECT_TRUE(child.WaitForScreen("QuitConfirmMode", 100));
    });
    EXPECT_EQ(std::vector<std::string>{": Difficulty Level Not Found for ScarrowPuzzleMode. Fix the problem and press "
                                       "F5 to reload"},
              driver.Notifications());
}

// A node the game builds its slots or pieces under, renamed in a content copy.
// The parameter: the node's name, and the start of the path the game looks up through it.
class ScarrowPuzzleBrokenLayout : public ScarrowPuzzlePlay,
                                  public ::testing::WithParamInterface<std::pair<std::string, std::string> >
{
};

TEST_P(ScarrowPuzzleBrokenLayout, TheMissingNodeIsLoggedAndQuitStillLeaves)
{
    std::string const node = GetParam().first;
    driver.UseContentCopy([node](std::string const& folder) {
        ASSERT_TRUE(GameDriver::ReplaceInTextFile(folder + "/ScarrowPuzzleMode.xml", "nodeName=\"" + node + "\"",
                                                  "nodeName=\"" + node + "Gone\""));
    });
    StartAt(kGameModeDifficulty_Easy);
    driver.Play([](Child& child) {
        ASSERT_TRUE(ReachPlay(child));
        std::string const account = child.AccountFile();
        child.Wait(1.0f);
        EXPECT_EQ("ScarrowPuzzleMode", child.TopScreen());
        EXPECT_TRUE(GameDriver::LeaveThroughQuit(child));
        EXPECT_EQ(account, child.AccountFile());
    });
    std::string const missing = std::string("ScarrowPuzzleMode: the node \"") + GetParam().second;
    EXPECT_NE(std::string::npos, driver.Log().find(missing)) << driver.Log();
    EXPECT_TRUE(driver.Notifications().empty());
}

using ScarrowPuzzleNode = ScarrowPuzzleBrokenLayout::ParamType;

INSTANTIATE_TEST_SUITE_P(Nodes, ScarrowPuzzleBrokenLayout,
                         ::testing::Values(ScarrowPuzzleNode("PuzzlePieceSlots", "PuzzlePieceSlots"),
                                           ScarrowPuzzleNode("PuzzlePieces", "PuzzlePieces/Source_")),
                         [](::testing::TestParamInfo<ScarrowPuzzleNode> const& info) { return info.param.first; });
