// The near-slot rule: a click counts for a piece's own slot only when it is
// strictly closer to that slot's centre than the reach; and the mode's set-up
// from a level record: the pieces it builds and the background frame.

#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleElements.h"
#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleMode.h"

using Corvane::Vector2;

TEST(ScarrowPuzzleRules, AClickExactlyAtTheReachIsNotNear)
{
    Vector2<float> const centre(260.0f, 160.0f);
    // 3-4-5: the distance is exactly 75.
    EXPECT_FALSE(ScarrowPuzzlePieceSlot::isNear(75.0f, centre, Vector2<float>(305.0f, 220.0f)));
    EXPECT_TRUE(ScarrowPuzzlePieceSlot::isNear(75.0f, centre, Vector2<float>(304.0f, 220.0f)));
    EXPECT_TRUE(ScarrowPuzzlePieceSlot::isNear(75.0f, centre, centre));
    EXPECT_FALSE(ScarrowPuzzlePieceSlot::isNear(75.0f, centre, Vector2<float>(260.0f, 40.0f)));
    // No reach: nothing is near, not even the centre.
    EXPECT_FALSE(ScarrowPuzzlePieceSlot::isNear(0.0f, centre, centre));
}

TEST(ScarrowPuzzleRules, OnlyTheFirstFivePiecesAreBuiltInTheirOrder)
{
    ScarrowPuzzleLevel level;
    for (int number = 0; number < 7; ++number)
    {
        level.puzzlePieces.emplace_back();
        level.puzzlePieces.back().pieceNum = number;
    }
    std::vector<ScarrowPuzzlePieceSlotData> const built = ScarrowPuzzleMode::piecesInPlay(level, Corvane::Label());
    ASSERT_EQ(5u, built.size());
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(i, built[static_cast<size_t>(i)].pieceNum);
    EXPECT_TRUE(ScarrowPuzzleMode::piecesInPlay(ScarrowPuzzleLevel(), Corvane::Label()).empty());
}

TEST(ScarrowPuzzleRules, TheBackgroundIsThePuzzleNumberLessOneAndNoNumberBelowOneHasOne)
{
    EXPECT_EQ(0, ScarrowPuzzleMode::backgroundFrame(1));
    EXPECT_EQ(8, ScarrowPuzzleMode::backgroundFrame(9));
    EXPECT_EQ(-1, ScarrowPuzzleMode::backgroundFrame(0));
    // What the reader keeps of a number beyond the int range: one less would overflow.
    EXPECT_EQ(-1, ScarrowPuzzleMode::backgroundFrame(INT_MIN));
    EXPECT_EQ(INT_MAX - 1, ScarrowPuzzleMode::backgroundFrame(INT_MAX));
}
