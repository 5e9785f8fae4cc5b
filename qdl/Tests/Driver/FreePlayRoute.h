#pragma once

// The way a child comes to a mini-game: the title's Play, a profile and OK,
// New game, the main menu's Free play, the game's picture, a difficulty and
// OK. Each popup is clicked only once it has come to rest, as a child waits
// for it. The mini-games' plays start with it; a child leaves through Quit.

#include <string>
#include <vector>

#include "2DEngine/Source/Framework/MainLoop.h"
#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"
#include "qdl/Tests/Driver/GameDriver.h"

namespace GameDriver
{

// Until the popup on top has arrived and takes clicks.
inline bool WaitForPopupToRest(Child& child, std::string const& screen)
{
    return child.WaitForScreen(screen, 300) && child.WaitUntil(
                                                   [] {
                                                       PopupMode const* const popup = dynamic_cast<PopupMode const*>(
                                                           Corvane::MainLoop::GetTopMostMode(0));
                                                       return popup && !popup->isIgnoringMouseClicks();
                                                   },
                                                   200);
}

// From the title to the game of that free-play picture ("ToolShed") at that
// difficulty ("EasyButton", "MediumButton", "HardButton"), with the profile of
// that button ("PondoButton"), started as a new game. False where a step
// fails; the game is then the top screen's concern.
inline bool ComeToGameThroughFreePlay(Child& child, std::string const& game, std::string const& difficulty,
                                      std::string const& profile = "PondoButton")
{
    return child.WaitForScreen("TitleMode") && child.Click("PlayButton") &&
           WaitForPopupToRest(child, "MyAccountMode") && child.Click(profile) && child.Click("OkButton") &&
           WaitForPopupToRest(child, "AccountConfirmMode") && child.Click("NewGame") &&
           child.WaitForScreen("MainMenuMode", 300) && child.Click("FreePlayButton") &&
           child.WaitForScreen("FreePlaySelectMode", 300) && child.Click(game) &&
           WaitForPopupToRest(child, "DifficultySelectMode") && child.Click(difficulty) && child.Click("OkButton");
}

// Quit, then Yes on the quit question once it has come to rest: true when
// the child is on the main menu, and only there.
inline bool LeaveThroughQuit(Child& child)
{
    return child.Click("QuitButton") && WaitForPopupToRest(child, "QuitConfirmMode") && child.Click("YesButton") &&
           child.WaitForScreen("MainMenuMode", 300) && child.Screens() == std::vector<std::string>{"MainMenuMode"};
}

} // namespace GameDriver
