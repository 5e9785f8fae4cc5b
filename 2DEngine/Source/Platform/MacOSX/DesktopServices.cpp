#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include <SDL2/SDL.h>

#include "Core/Source/Log.h"
#include "Core/Source/StringUtils.h"
#include "2DEngine/Source/Platform/MacOSX/MessageBoxHelper.h"
#include "2DEngine/Source/Platform/MacOSX/TerminationSignals.h"

namespace MacOSX
{

char const* const kLogMessageBoxesVariable = "CORVANE_LOG_MESSAGE_BOXES";

bool IsHostFolder(std::wstring const& path)
{
    if (path.empty())
        return false;
    struct stat info;
    std::string const utf8 = Corvane::ConvertStringWideToUTF8String(path);
    return stat(utf8.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool AreMessageBoxesLogged()
{
    char const* const value = std::getenv(kLogMessageBoxesVariable);
    return value && value[0] && std::strcmp(value, "0") != 0;
}

namespace
{

// The box's text laid out for the display the parent window is on (the first
// display without a parent).
std::wstring layOutForDisplay(std::wstring const& text, SDL_Window* parent)
{
    int display = parent ? SDL_GetWindowDisplayIndex(parent) : 0;
    SDL_Rect bounds = {0, 0, 800, 600};
    if (display < 0 || SDL_GetDisplayUsableBounds(display, &bounds) != 0)
        bounds = SDL_Rect{0, 0, 800, 600};
    return WrapMessageBoxText(text, GetMessageBoxColumns(bounds.w), GetMessageBoxLines(bounds.h));
}

} // namespace

void ShowMessageBox(eMessageBoxKind kind, std::wstring const& title, std::wstring const& text, SDL_Window* parent)
{
    // Once the program is asked to end nobody waits for an answer: the box would only hold up the quit.
    if (AreMessageBoxesLogged() || IsTerminationRequested())
    {
        Corvane::Internal::LogWrite("Message box: %ls: %ls\n", title.c_str(), text.c_str());
        return;
    }
    std::string const utf8Title = Corvane::ConvertStringWideToUTF8String(title);
    std::string const utf8Text = Corvane::ConvertStringWideToUTF8String(layOutForDisplay(text, parent));
    Uint32 const flags = kind == kMessageBox_Caution ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
    int result = 0;
    {
        MessageBoxHelperScope const helper;
        result = SDL_ShowSimpleMessageBox(flags, utf8Title.c_str(), utf8Text.c_str(), parent);
    }
    if (result == 0)
        return;
    if (IsTerminationRequested())
        Corvane::Internal::LogWrite("Message box (closed, the program is ending): %ls: %ls\n", title.c_str(),
                                    text.c_str());
    else
        // Without a display the text must still reach someone.
        Corvane::Internal::LogWrite("Message box (not shown: %s): %ls: %ls\n", SDL_GetError(), title.c_str(),
                                    text.c_str());
}

Corvane::sPlatformRect ComputeLetterbox(int outerWidth, int outerHeight, int pictureWidth, int pictureHeight)
{
    Corvane::sPlatformRect whole = {0, 0, outerHeight > 0 ? outerHeight : 0, outerWidth > 0 ? outerWidth : 0};
    if (outerWidth <= 0 || outerHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0)
        return whole;

    double const scale =
        std::fmin(double(outerWidth) / double(pictureWidth), double(outerHeight) / double(pictureHeight));
    int width = int(std::lround(pictureWidth * scale));
    int height = int(std::lround(pictureHeight * scale));
    if (width > outerWidth)
        width = outerWidth;
    if (height > outerHeight)
        height = outerHeight;
    Corvane::sPlatformRect rect;
    rect.left = (outerWidth - width) / 2;
    rect.top = (outerHeight - height) / 2;
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    return rect;
}

bool MapWindowToPicture(Corvane::sPlatformRect const& picture, int pictureWidth, int pictureHeight, int windowX,
                        int windowY, bool clamp, int* x, int* y)
{
    int const width = picture.right - picture.left;
    int const height = picture.bottom - picture.top;
    if (width <= 0 || height <= 0 || pictureWidth <= 0 || pictureHeight <= 0)
    {
        *x = windowX;
        *y = windowY;
        return false;
    }
    bool const inside =
        windowX >= picture.left && windowX < picture.right && windowY >= picture.top && windowY < picture.bottom;

    // In 64 bits: a window position can be anything the system reports.
    int64_t mappedX = (int64_t(windowX) - picture.left) * pictureWidth;
    int64_t mappedY = (int64_t(windowY) - picture.top) * pictureHeight;
    // Rounded toward minus infinity, so that the pixels just left of the picture map below 0.
    mappedX = mappedX >= 0 ? mappedX / width : -((-mappedX + width - 1) / width);
    mappedY = mappedY >= 0 ? mappedY / height : -((-mappedY + height - 1) / height);
    if (clamp)
    {
        mappedX = mappedX < 0 ? 0 : (mappedX >= pictureWidth ? pictureWidth - 1 : mappedX);
        mappedY = mappedY < 0 ? 0 : (mappedY >= pictureHeight ? pictureHeight - 1 : mappedY);
    }
    *x = int(mappedX);
    *y = int(mappedY);
    return inside;
}

int KeepAspectWidth(int configWidth, int configHeight, int newHeight)
{
    if (configHeight <= 0)
        return configWidth;
    float const width = float(configWidth) / float(configHeight) * float(newHeight);
    return int(width);
}

sKeyCharacter TranslateKey(int32_t keySymbol)
{
    if ((keySymbol >= SDLK_a && keySymbol <= SDLK_z) || (keySymbol >= SDLK_0 && keySymbol <= SDLK_9))
        return sKeyCharacter{char(keySymbol), 0};
    if (keySymbol >= SDLK_KP_1 && keySymbol <= SDLK_KP_9)
        return sKeyCharacter{char('1' + (keySymbol - SDLK_KP_1)), 0};

    switch (keySymbol)
    {
    case SDLK_BACKSPACE:
        return sKeyCharacter{8, 0};
    case SDLK_TAB:
        return sKeyCharacter{9, 0};
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return sKeyCharacter{13, 0};
    case SDLK_ESCAPE:
        return sKeyCharacter{27, 0};
    case SDLK_SPACE:
        return sKeyCharacter{32, 0};
    case SDLK_LEFT:
        return sKeyCharacter{28, 0};
    case SDLK_RIGHT:
        return sKeyCharacter{29, 0};
    case SDLK_UP:
        return sKeyCharacter{30, 0};
    case SDLK_DOWN:
        return sKeyCharacter{31, 0};
    case SDLK_PAGEUP:
        return sKeyCharacter{11, 0};
    case SDLK_PAGEDOWN:
        return sKeyCharacter{12, 0};
    case SDLK_HOME:
        return sKeyCharacter{1, 0};
    case SDLK_END:
        return sKeyCharacter{4, 0};
    // Function keys type character 16; the virtual key codes are the ones the
    // keyboard mapping table tells them apart by.
    case SDLK_F1:
        return sKeyCharacter{16, 122};
    case SDLK_F2:
        return sKeyCharacter{16, 120};
    case SDLK_F3:
        return sKeyCharacter{16, 99};
    case SDLK_F4:
        return sKeyCharacter{16, 118};
    case SDLK_F5:
        return sKeyCharacter{16, 96};
    case SDLK_F6:
        return sKeyCharacter{16, 97};
    case SDLK_F7:
        return sKeyCharacter{16, 98};
    case SDLK_F8:
        return sKeyCharacter{16, 100};
    case SDLK_F9:
        return sKeyCharacter{16, 101};
    case SDLK_F10:
        return sKeyCharacter{16, 109};
    case SDLK_F11:
        return sKeyCharacter{16, 103};
    case SDLK_F12:
        return sKeyCharacter{16, 111};
    // Insert sits where the help key does and Pause where F15 does; they are
    // the adjust-mode keys.
    case SDLK_INSERT:
        return sKeyCharacter{5, 114};
    case SDLK_PAUSE:
        return sKeyCharacter{16, 113};
    case SDLK_MINUS:
    case SDLK_EQUALS:
    case SDLK_LEFTBRACKET:
    case SDLK_RIGHTBRACKET:
    case SDLK_BACKSLASH:
    case SDLK_SEMICOLON:
    case SDLK_QUOTE:
    case SDLK_COMMA:
    case SDLK_PERIOD:
    case SDLK_SLASH:
    case SDLK_BACKQUOTE:
        return sKeyCharacter{char(keySymbol), 0};
    case SDLK_KP_0:
        return sKeyCharacter{'0', 0};
    case SDLK_KP_PERIOD:
        return sKeyCharacter{'.', 0};
    case SDLK_KP_DIVIDE:
        return sKeyCharacter{'/', 0};
    case SDLK_KP_MINUS:
        return sKeyCharacter{'-', 0};
    case SDLK_KP_EQUALS:
        return sKeyCharacter{'=', 0};
    case SDLK_KP_MULTIPLY:
        return sKeyCharacter{'*', 0};
    case SDLK_KP_PLUS:
        return sKeyCharacter{'+', 0};
    default:
        return sKeyCharacter{0, 0};
    }
}

uint32_t GetMenuCommandForKey(int32_t keySymbol, uint16_t modifiers)
{
    bool const control = (modifiers & KMOD_CTRL) != 0;
    bool const shift = (modifiers & KMOD_SHIFT) != 0;
    bool const alt = (modifiers & KMOD_ALT) != 0;

    if (alt && !control && (keySymbol == SDLK_RETURN || keySymbol == SDLK_KP_ENTER))
        return kCommand_FullScreen;
    if (!control || alt)
        return kCommand_None;

    switch (keySymbol)
    {
    case SDLK_q:
        return kCommand_Quit;
    case SDLK_f:
        return shift ? kCommand_None : kCommand_FullScreen;
    case SDLK_m:
        return shift ? kCommand_Zoom : kCommand_Minimize;
    case SDLK_a:
        return shift ? kCommand_About : kCommand_None;
    case SDLK_l:
        return shift ? kCommand_License : kCommand_None;
    case SDLK_r:
        return shift ? kCommand_Readme : kCommand_None;
    default:
        return kCommand_None;
    }
}

} // namespace MacOSX
