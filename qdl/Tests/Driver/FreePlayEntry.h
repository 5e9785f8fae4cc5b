#pragma once

// The way a child comes to a mini-game in free play, for the games' plays:
// from the title, Play, Pondo's profile, OK, New game, Free play, the game's
// picture, a difficulty, OK, and the instruction overlay's OK.

#include <string>

#include <gtest/gtest.h>

#include "qdl/Source/Game/GameModeTypes.h"
#include "qdl/Tests/Driver/GameDriver.h"
#include "qdl/Tests/FrontEnd/FrontEndPlaySupport.h"

namespace GameDriver
{

// gameButton is the free-play picture's name ("TollerStacker", "FarmerBrambold").
inline void EnterFreePlayGameFromTitle(Child& child, std::string const& gameButton, GameModeDifficulty difficulty)
{
    char const* const difficultyButtons[] = {"EasyButton", "MediumButton", "HardButton"};
    ASSERT_TRUE(child.WaitForScreen("TitleMode"));
    ASSERT_TRUE(child.Click("PlayButton"));
    ASSERT_TRUE(FrontEndPlay::WaitForPopup(child, "MyAccountMode"));
    ASSERT_TRUE(child.Click("PondoButton"));
    ASSERT_TRUE(child.Click("OkButton"));
    ASSERT_TRUE(FrontEndPlay::WaitForPopup(child, "AccountConfirmMode"));
    ASSERT_TRUE(child.Click("NewGame"));
    ASSERT_TRUE(child.WaitForScreen("MainMenuMode"));
    ASSERT_TRUE(child.Wait(0.2f));
    ASSERT_TRUE(child.Click("FreePlayButton"));
    ASSERT_TRUE(child.WaitForScreen("FreePlaySelectMode"));
    ASSERT_TRUE(child.Click(gameButton));
    ASSERT_TRUE(FrontEndPlay::WaitForPopup(child, "DifficultySelectMode"));
    ASSERT_TRUE(child.Click(difficultyButtons[difficulty]));
    ASSERT_TRUE(child.Click("OkButton"));
    ASSERT_TRUE(child.WaitForScreen("FennInstructionMode", 100));
    ASSERT_TRUE(child.Click("OkButton"));
}

} // namespace GameDriver
