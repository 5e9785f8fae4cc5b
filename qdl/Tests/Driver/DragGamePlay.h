#pragma once

// What the plays of the games in which a child picks a piece up and drops it
// in its place (the shed's tools, the job's cards, the puzzle's pieces) check
// alike: quitting with a piece in hand. Each game's fixture says how to start it, bring the child into
// play and see its live pieces.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Core/Source/Vector2.h"
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
    // Makes the game, started alone as StartMiniGame starts it.
    std::function<Corvane::ApplicationMode*()> makeGame;
    // From the start until the child may pick a piece up.
    std::function<bool(Child&)> reachPlay;
    // Whether the child holds a piece.
    std::function<bool(Child&)> isHolding;
    // A point of each piece lying ready to be picked up (Centres).
    std::function<std::vector<Corvane::Vector2<int> >(Child&)> livePieces;
};

// The points of pieces with members x and y.
template <class Piece>
std::vector<Corvane::Vector2<int> > Centres(std::vector<Piece> const& pieces)
{
    std::vector<Corvane::Vector2<int> > points;
    for (Piece const& piece : pieces)
        points.push_back(Corvane::Vector2<int>(piece.x, piece.y));
    return points;
}

// Quit with a piece in hand and Yes: the main menu alone, the account as it was.
inline void ExpectQuitWithAPieceHeldKeepsTheAccount(Driver& driver, sDragGame const& game)
{
    StartMiniGame(driver, kGameModeDifficulty_Easy, game.makeGame);
    driver.Play([&game](Child& child) {
        ASSERT_TRUE(game.reachPlay(child));
        std::string const account = child.AccountFile();
        std::vector<Corvane::Vector2<int> > const pieces = game.livePieces(child);
        ASSERT_FALSE(pieces.empty());
        ASSERT_TRUE(ClickAt(child, pieces.front()));
        ASSERT_TRUE(game.isHolding(child));
        ASSERT_TRUE(QuitToMainMenu(child));
        EXPECT_EQ(std::vector<std::string>{"MainMenuMode"}, child.Screens());
        EXPECT_EQ(account, child.AccountFile());
    });
}

} // namespace GameDriver
