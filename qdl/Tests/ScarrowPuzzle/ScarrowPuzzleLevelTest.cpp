// The ScarrowPuzzle level reader: the picture lists named after the puzzle,
// pieces in document order at any depth with their numbers counted from 0,
// places kept as written, and the level registered by difficulty.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "2DEngine/Source/Framework/Resource.h"
#include "2DEngine/Source/Framework/ResourceManager.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleLevelResourceFactory.h"
#include "qdl/Tests/GameTestSupport.h"

using namespace Corvane;

namespace
{

bool IsRegistered(char const* level, GameModeDifficulty difficulty)
{
    std::vector<Label> const& levels = GetLevelManager()->getLevels(kGameModeType_ScarrowPuzzle, difficulty);
    return std::find(levels.begin(), levels.end(), Label::GetUniqueString(level)) != levels.end();
}

struct sPiece
{
    int pieceNum;
    float x;
    float y;
    bool operator==(sPiece const& other) const
    {
        return pieceNum == other.pieceNum && x == other.x && y == other.y;
    }
};

std::vector<sPiece> Pieces(ScarrowPuzzleLevel const& level)
{
    std::vector<sPiece> pieces;
    for (ScarrowPuzzlePieceSlotData const& piece : level.puzzlePieces)
        pieces.push_back(sPiece{piece.pieceNum, piece.x, piece.y});
    return pieces;
}

class ScarrowPuzzleLevelTest : public GameTestSupport::GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        GetResourceManager()->AddResourceFactory(L"ScarrowPuzzleLevel", new ScarrowPuzzleLevelResourceFactory());
    }

    ScarrowPuzzleLevel const* Load(char const* name, std::wstring const& body)
    {
        LoadManifest(L"ScarrowPuzzleLevels.xml", L"<resources>" + body + L"</resources>");
        return AutoResource<ScarrowPuzzleLevel>(name).Get();
    }
};

} // namespace

TEST_F(ScarrowPuzzleLevelTest, TheExampleLevelGivesThreePiecesCountedFromZero)
{
    ScarrowPuzzleLevel const* const level =
        Load("PuzzleEasy1", L"<ScarrowPuzzleLevel name='PuzzleEasy1' puzzleID='1' difficulty='Easy'>"
                            L"<PuzzlePiece pieceNum='1' x='120' y='80'/>"
                            L"<PuzzlePiece pieceNum='2' x='250.5' y='80'/>"
                            L"<PuzzlePiece pieceNum='3' x='120' y='210'/>"
                            L"</ScarrowPuzzleLevel>");
    ASSERT_NE(nullptr, level);
    EXPECT_EQ(1, level->puzzleID);
    EXPECT_EQ((std::vector<sPiece>{{0, 120.0f, 80.0f}, {1, 250.5f, 80.0f}, {2, 120.0f, 210.0f}}), Pieces(*level));
    for (ScarrowPuzzlePieceSlotData const& piece : level->puzzlePieces)
    {
        EXPECT_STREQ("Puzzle1", piece.image.GetString());
        EXPECT_STREQ("Puzzle1_rollover", piece.rollover.GetString());
    }
    EXPECT_TRUE(IsRegistered("PuzzleEasy1", kGameModeDifficulty_Easy));
}

TEST_F(ScarrowPuzzleLevelTest, NestedPiecesCountDefaultsApplyAndNothingInsideBecomesAResource)
{
    ScarrowPuzzleLevel const* const level =
        Load("PuzzleOdd", L"<ScarrowPuzzleLevel name='PuzzleOdd' puzzleID='12' difficulty='Hard'>"
                          L"<group><PuzzlePiece pieceNum='2' x='3'/></group>"
                          L"<PuzzlePiece/>"
                          L"<ScarrowPuzzleLevel name='PuzzleInside' puzzleID='2' difficulty='Hard'/>"
                          L"<PuzzlePiece pieceNum='3' y='4.25'/>"
                          L"</ScarrowPuzzleLevel>");
    ASSERT_NE(nullptr, level);
    EXPECT_EQ((std::vector<sPiece>{{1, 3.0f, 0.0f}, {0, 0.0f, 0.0f}, {2, 0.0f, 4.25f}}), Pieces(*level));
    EXPECT_STREQ("Puzzle12_rollover", level->puzzlePieces.front().rollover.GetString());
    EXPECT_TRUE(IsRegistered("PuzzleOdd", kGameModeDifficulty_Hard));
    EXPECT_FALSE(AutoResource<ScarrowPuzzleLevel>("PuzzleInside"));
}

TEST_F(ScarrowPuzzleLevelTest, AMissingIdIsPuzzleZeroAndALowerCaseDifficultyRegistersNothing)
{
    ScarrowPuzzleLevel const* const level =
        Load("PuzzleBare", L"<ScarrowPuzzleLevel name='PuzzleBare' difficulty='medium'/>");
    ASSERT_NE(nullptr, level);
    EXPECT_EQ(0, level->puzzleID);
    EXPECT_TRUE(level->puzzlePieces.empty());
    for (int difficulty = 0; difficulty < 3; ++difficulty)
        EXPECT_FALSE(IsRegistered("PuzzleBare", static_cast<GameModeDifficulty>(difficulty)));
}
