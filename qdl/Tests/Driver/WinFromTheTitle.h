#pragma once

// The play every mini-game has: from the title through free play at each
// difficulty, the game won, then the sticker and back to free play, with no
// notification on the way. A game's test names its free-play picture and
// plays the part between:
//
//     class StackerWin : public GameDriver::WinFromTheTitle {};
//     TEST_P(StackerWin, ...)
//     {
//         Win("TollerStacker", [&](Child& child) { ... });
//     }
//     PLAY_AT_EVERY_DIFFICULTY(StackerWin);
//
// A game of loops plays each loop with PlayEveryLoop once the loop has begun.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/Label.h"
#include "qdl/Source/Game/GameModeTypes.h"
#include "qdl/Source/Game/LevelManager.h"
#include "qdl/Tests/Driver/FreePlayRoute.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

namespace GameDriver
{

class WinFromTheTitle : public DifficultyPlayTest
{
protected:
    // The difficulty's name, as the pictures kept are named ("Easy").
    std::string DifficultyName() const { return kGameModeDifficultyNames[GetParam()]; }

    // Comes to the game of that free-play picture at this test's difficulty,
    // then `play` wins it from the difficulty's OK on; the profile's sticker
    // count is read before, the sticker and free play are checked after.
    void Win(std::string const& picture, std::function<void(Child&)> const& play)
    {
        GameModeDifficulty const difficulty = GetParam();
        driver.Play([this, &picture, &play, difficulty](Child& child) {
            ASSERT_TRUE(ComeToGameThroughFreePlay(child, picture, difficulty));
            int const stickers = StickerCount(child);
            play(child);
            if (HasFatalFailure())
                return;
            EXPECT_EQ(difficulty, child.Look([] { return GetLevelManager()->getDifficulty(); }));
            ExpectStickerThenFreePlay(child, stickers);
        });
        EXPECT_TRUE(driver.Notifications().empty());
    }
};

// Plays `loops` loops of a game of that type at this difficulty: before each,
// waits until `loopsLeft` (on the loop's thread; -1 while the game is not on
// top or its outro runs) says the loop has begun, then `playLoop` plays it
// with the loop's index and the difficulty's levels, among which each loop's
// level must be.
inline void PlayEveryLoop(Child& child, GameModeType type, GameModeDifficulty difficulty, int loops,
                          std::function<int()> const& loopsLeft,
                          std::function<void(int loop, std::vector<Corvane::Label> const& levels)> const& playLoop)
{
    std::vector<Corvane::Label> const levels =
        child.Look([type, difficulty] { return GetLevelManager()->getLevels(type, difficulty); });
    EXPECT_GE(levels.size(), 3u);
    for (int loop = 0; loop < loops; ++loop)
    {
        SCOPED_TRACE("loop " + std::to_string(loop + 1) + " of " + std::to_string(loops));
        int const left = loops - 1 - loop;
        ASSERT_TRUE(child.WaitUntil([&loopsLeft, left] { return loopsLeft() == left; }, "the next loop"));
        playLoop(loop, levels);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

} // namespace GameDriver
