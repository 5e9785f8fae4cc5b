#pragma once

// Makes the engine run the game on the desktop: the SDL application platform
// with its OpenGL window and cursor, the widget layouts of the loading screen,
// and the font reader. The game program calls it
// before the main loop starts (a static object of main's unit does); tests
// that start the real game call it themselves.

void installDesktopEngine();
