#ifndef CORVANE_PLATFORM_MACOSX_WINDOWMANAGERQUERY_H
#define CORVANE_PLATFORM_MACOSX_WINDOWMANAGERQUERY_H

// Kept apart from the rest of the platform: the X11 headers define macros
// (None, Status, Bool...) that clash with the engine's names.

struct SDL_Window;

namespace MacOSX
{

// Whether a window manager runs on the window's display: a manager that
// follows the desktop conventions owns the selection WM_S<screen> or names its
// check window on the root window. A driver that draws off screen has none;
// other displays than X11 are assumed to have one.
bool QueryWindowManager(SDL_Window* window);

} // namespace MacOSX

#endif
