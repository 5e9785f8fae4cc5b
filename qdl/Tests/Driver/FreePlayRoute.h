#pragma once

// The ways a child comes to a mini-game: the title's Play, a profile and OK,
// New game, the main menu's Free play, the game's picture, a difficulty and
// OK; or Continue, the main menu's Story, a difficulty and OK. Each popup is
// clicked only once it has come to rest, as a child waits for it. The
// mini-games' plays start with them; a child leaves through Quit.

#include <string>
#include <vector>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"
#include "qdl/Source/Game/GameModeTypes.h"
#include "qdl/Tests/Driver/GameDriver.h"

namespace GameDriver
{

// The difficulty selection's buttons, by GameModeDifficulty.
char const* const kDifficultyButtons[kNumGameModeDifficulties] = {"EasyButton", "MediumButton", "HardButton"};

// Until the popup on top has arrived and takes clicks.
inline bool WaitForPopupToRest(Child& child, std::string const& screen)
{
    return child.WaitForScreen(screen) &&
           child.WaitUntil(
               [] {
                   PopupMode const* const popup = dynamic_cast<PopupMode const*>(Corvane::MainLoop::GetTopMostMode(0));
                   return popup && !popup->isIgnoringMouseClicks();
               },
               "the popup to come to rest");
}

// From the title to the main menu, with the profile of that button and the
// account screen's "NewGame" or "Continue".
inline bool ComeToMainMenu(Child& child, std::string const& profile, std::string const& newOrContinue)
{
    return child.WaitForScreen("TitleMode") && child.Click("PlayButton") &&
           WaitForPopupToRest(child, "MyAccountMode") && child.Click(profile) && child.Click("OkButton") &&
           WaitForPopupToRest(child, "AccountConfirmMode") && child.Click(newOrContinue) &&
           child.WaitForScreen("MainMenuMode");
}

// From the main menu, once its buttons have faded in, into the story at that
// difficulty ("EasyButton").
inline bool StartTheStory(Child& child, std::string const& difficulty)
{
    return child.Wait(0.2f) && child.Click("StoryButton") && WaitForPopupToRest(child, "DifficultySelectMode") &&
           child.Click(difficulty) && child.Click("OkButton");
}

// From the title into the story where the profile of that button left it.
inline bool ContinueTheStory(Child& child, std::string const& difficulty, std::string const& profile = "PondoButton")
{
    return ComeToMainMenu(child, profile, "Continue") && StartTheStory(child, difficulty);
}

// From the title to the game of that free-play picture ("ToolShed") at that
// difficulty ("EasyButton", "MediumButton", "HardButton"), with the profile of
// that button ("PondoButton"), started as a new game. False where a step
// fails; the game is then the top screen's concern.
inline bool ComeToGameThroughFreePlay(Child& child, std::string const& game, std::string const& difficulty,
                                      std::string const& profile = "PondoButton")
{
    return ComeToMainMenu(child, profile, "NewGame") && child.Click("FreePlayButton") &&
           child.WaitForScreen("FreePlaySelectMode") && child.Click(game) &&
           WaitForPopupToRest(child, "DifficultySelectMode") && child.Click(difficulty) && child.Click("OkButton");
}

inline bool ComeToGameThroughFreePlay(Child& child, std::string const& game, GameModeDifficulty difficulty,
                                      std::string const& profile = "PondoButton")
{
    return ComeToGameThroughFreePlay(child, game, kDifficultyButtons[difficulty], profile);
}

// Quit, then Yes once the question has come to rest, until the main menu is on top.
inline bool QuitToMainMenu(Child& child)
{
    return child.Click("QuitButton") && WaitForPopupToRest(child, "QuitConfirmMode") && child.Click("YesButton") &&
           child.WaitForScreen("MainMenuMode");
}

// The same: true when the child is on the main menu, and only there.
inline bool LeaveThroughQuit(Child& child)
{
    return QuitToMainMenu(child) && child.Screens() == std::vector<std::string>{"MainMenuMode"};
}

} // namespace GameDriver
