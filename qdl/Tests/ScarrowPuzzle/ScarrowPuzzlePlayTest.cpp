// ScarrowPuzzle played as a child plays it, through the driver over the real
// content: from free play at every difficulty, wrong slots far and near, the
// ground putting a piece back, quitting with a piece held, and a content copy
// without the level asked for.

#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Constant.h"
#include "2DEngine/Source/Framework/MainLoop.h"
#include "2DEngine/Source/Framework/Resource.h"
#include "CorvaneExtensions/Source/SceneNode.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleElements.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevel.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleMode.h"
#include "qdl/Tests/Driver/DragGamePlay.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

using GameDriver::Child;
using GameDriver::ClickAt;
using GameDriver::CountPlays;

namespace
{

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


// The live pieces, each with an opaque point: the middle of its cell.
std::vector<sPlace> LivePieces(Child& child)
{
    return child.Look([] {
        std::vector<sPlace> pieces;
        for (ScarrowPuzzlePiece* const piece : GameDriver::LiveObjects<ScarrowPuzzleMode, ScarrowPuzzlePiece>("ScarrowPuzzle_PuzzlePiece"))
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
        for (ScarrowPuzzlePieceSlot* const slot : GameDriver::LiveObjects<ScarrowPuzzleMode, ScarrowPuzzlePieceSlot>("ScarrowPuzzle_PuzzlePieceSlot"))
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

bool IsHolding(Child& child)
{
    return child.Look([] { return DragSource<ScarrowPuzzlePiece*>::GetHeldDragSource() != nullptr; });
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
    return GameDriver::PassTheInstructions(child, "ScarrowPuzzleMode", "GameScreenRoot/Playfield/MouseInput_ClickMask");
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

class ScarrowPuzzlePlay : public GameDriver::PlayTest
{
protected:
    void StartAt(GameModeDifficulty difficulty)
    {
        GameDriver::StartMiniGame(driver, difficulty, [] { return new ScarrowPuzzleMode(); });
    }
};

class ScarrowPuzzlePlayWin : public ScarrowPuzzlePlay, public ::testing::WithParamInterface<GameModeDifficulty>
{
};

} // namespace

TEST_P(ScarrowPuzzlePlayWin, AChildComesThroughFreePlayAndWins)
{
    GameModeDifficulty const difficulty = GetParam();
    driver.Play([difficulty](Child& child) {
        ASSERT_TRUE(GameDriver::ComeToGameThroughFreePlay(child, "ScarrowPuzzle", difficulty));
        ASSERT_TRUE(child.WaitForScreen("ScarrowPuzzleMode"));
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
        GameDriver::SaveGameScreenshot(child, std::string("ScarrowPuzzle_") + kGameModeDifficultyNames[difficulty]);
        int const stickers = GameDriver::StickerCount(child);
        SolveThePuzzle(child);
        ASSERT_TRUE(child.WaitUntil([] { return !Game(); }, "the game to leave the top"));
        EXPECT_EQ(1, CountPlays(child, "ScarrowPuzzle_GameComplete"));
        GameDriver::ExpectStickerThenFreePlay(child, stickers);
    });
    EXPECT_TRUE(driver.Notifications().empty());
}

PLAY_AT_EVERY_DIFFICULTY(ScarrowPuzzlePlayWin);

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
        EXPECT_TRUE(child.WaitUntil([] { return !Game(); }, "the game to leave the top"));
    });
}

// The game as the drag games' shared checks see it.
GameDriver::sDragGame const kDragGame = {"ScarrowPuzzleMode", [] { return new ScarrowPuzzleMode(); }, ReachPlay,
                                         IsHolding,
                                         [](Child& child) { return GameDriver::Centres(LivePieces(child)); }};

TEST_F(ScarrowPuzzlePlay, QuittingWithAPieceHeldLeadsToTheMainMenuAndKeepsTheAccount)
{
    GameDriver::ExpectQuitWithAPieceHeldKeepsTheAccount(driver, kDragGame);
}

// A node the game builds its slots or pieces under, renamed in a content copy.
// The parameter: the node's name, and the start of the path the game looks up through it.
class ScarrowPuzzleBrokenLayout : public ScarrowPuzzlePlay,
                                  public ::testing::WithParamInterface<std::pair<std::string, std::string> >
{
};

TEST_P(ScarrowPuzzleBrokenLayout, TheMissingNodeIsLoggedAndQuitStillLeaves)
{
    GameDriver::ExpectMissingLayoutNodeLoggedAndQuitLeaves(
        driver, "ScarrowPuzzleMode", GetParam().first, GetParam().second, [this] { StartAt(kGameModeDifficulty_Easy); },
        ReachPlay);
}

using ScarrowPuzzleNode = ScarrowPuzzleBrokenLayout::ParamType;

INSTANTIATE_TEST_SUITE_P(Nodes, ScarrowPuzzleBrokenLayout,
                         ::testing::Values(ScarrowPuzzleNode("PuzzlePieceSlots", "PuzzlePieceSlots"),
                                           ScarrowPuzzleNode("PuzzlePieces", "PuzzlePieces/Source_")),
                         [](::testing::TestParamInfo<ScarrowPuzzleNode> const& info) { return info.param.first; });
