// The near-slot rule: a click counts for a piece's own slot only when it is
// strictly closer to that slot's centre than the reach.

#include <gtest/gtest.h>

#include "qdl/Source/Game/ScarrowPuzzle/ScarrowPuzzleElements.h"

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
