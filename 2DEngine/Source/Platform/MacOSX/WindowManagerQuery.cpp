#include "2DEngine/Source/Platform/MacOSX/WindowManagerQuery.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>

#include <cstring>
#include <string>

namespace MacOSX
{

bool QueryWindowManager(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    // A video driver without a window system (drawing off screen) has no manager to hand out the focus.
    char const* const driver = SDL_GetCurrentVideoDriver();
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
        return false;
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11 || !info.info.x11.display)
        return true;
    Display* const display = info.info.x11.display;
    int const screen = DefaultScreen(display);
    std::string const selection = "WM_S" + std::to_string(screen);
    if (XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False)) != None)
        return true;
    Atom const check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    int const status = XGetWindowProperty(display, RootWindow(display, screen), check, 0, 1, False, AnyPropertyType,
                                          &type, &format, &count, &remaining, &data);
    bool const named = status == Success && data && count > 0;
    if (data)
        XFree(data);
    return named;
}

} // namespace MacOSX
