#pragma once

// The screens that the front end leads to and that are made elsewhere: each
// maker returns a new screen for the main loop to own, or null while that
// screen is not built yet (the screen asking for it then stays and says so).

namespace Corvane
{
class ApplicationMode;
}

Corvane::ApplicationMode* newProfileSelectionScreen();
Corvane::ApplicationMode* newOptionsScreen();
Corvane::ApplicationMode* newCreditsScreen();
// A new main menu, through the game shell's screen makers.
Corvane::ApplicationMode* newMainMenuScreen();
