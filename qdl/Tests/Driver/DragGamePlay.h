#pragma once

// What the plays of the games in which a child picks a piece up and drops it
// in its place (the shed's tools, the job's cards, the puzzle's pieces) check
// alike: quitting with a piece in hand, and content without the levels of a
// difficulty. Each game's fixture says how to start it, bring the child into
// play and see its live pieces.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qdl/Source/Game/GameModeTypes.h"
#include "qdl/Tests/Driver/FreePlayRoute.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/Driver/MiniGamePlay.h"

namespace GameDriver
{

struct sDragGame
{
    // The game's screen class ("PlanAJobMode"); its manifest is that name with ".xml".
    std::string mode;
    // Starts the game alone at that difficulty (StartMiniGame).
    std::function<void(Driver&, GameModeDifficulty)> startAt;
    // From the start until the child may pick a piece up.
    std::function<bool(Child&)> reachPlay;
    // Picks up the first live piece; whether it is held then.
    std::function<bool(Child&)> pickUpFirst;
    // How many pieces lie ready to be picked up.
    std::function<std::size_t(Child&)> livePieces;
    // The sound of the game won ("PlanAJob_GameComplete").
    std::string completeSound;
};

// Quit with a piece in hand and Yes: the main menu alone, the account as it was.
inline void ExpectQuitWithAPieceHeldKeepsTheAccount(Driver& driver, sDragGame const& game)
{
    game.startAt(driver, kGameModeDifficulty_Easy);
    driver.Play([&game](Child& child) {
        ASSERT_TRUE(game.reachPlay(child));
        std::string const account = child.AccountFile();
        ASSERT_TRUE(game.pickUpFirst(child));
        ASSERT_TRUE(QuitToMainMenu(child));
        EXPECT_EQ(std::vector<std::string>{"MainMenuMode"}, child.Screens());
        EXPECT_EQ(account, child.AccountFile());
    });
}

// Over a content copy whose manifest names no level of Hard: the child is told
// once, the game runs on with no piece to pick up and is never won (nothing
// stored), and Quit still asks.
inline void ExpectNoHardLevelsToldOnceAndNeverWon(Driver& driver, sDragGame const& game)
{
    WithoutLevelsOf(driver, game.mode + ".xml");
    game.startAt(driver, kGameModeDifficulty_Hard);
    driver.Play([&game](Child& child) {
        ASSERT_TRUE(game.reachPlay(child));
        std::string const account = child.AccountFile();
        // Time a level would have taken to start.
        ASSERT_TRUE(child.Wait(3.0f));
        EXPECT_EQ(game.mode, child.TopScreen());
        EXPECT_EQ(0u, game.livePieces(child));
        EXPECT_EQ(0, CountPlays(child, game.completeSound));
        EXPECT_EQ(account, child.AccountFile());
        ASSERT_TRUE(child.Click("QuitButton"));
        EXPECT_TRUE(child.WaitForScreen("QuitConfirmMode"));
    });
    EXPECT_EQ(std::vector<std::string>{": " + LevelNotFoundMessage(game.mode)}, driver.Notifications());
}

} // namespace GameDriver
