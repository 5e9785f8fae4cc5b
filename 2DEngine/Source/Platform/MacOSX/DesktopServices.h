#ifndef CORVANE_PLATFORM_MACOSX_DESKTOPSERVICES_H
#define CORVANE_PLATFORM_MACOSX_DESKTOPSERVICES_H

// The pieces of the desktop that the application platform builds on, kept
// apart from its event handling so that each can be checked alone: message
// boxes, the picture's place in a window of any size, the keyboard as the
// platform's character and virtual-key pairs, and the key chords that stand
// in for a menu bar.

#include <cstdint>
#include <string>

#include "2DEngine/Source/Framework/Platform.h"

struct SDL_Window;

namespace MacOSX
{

// Whether the path names a folder on the disk.
bool IsHostFolder(std::wstring const& path);

// Menu command ids, four characters packed big-end first.
constexpr uint32_t MakeCommandID(char const (&text)[5])
{
    return (uint32_t(uint8_t(text[0])) << 24) | (uint32_t(uint8_t(text[1])) << 16) |
           (uint32_t(uint8_t(text[2])) << 8) | uint32_t(uint8_t(text[3]));
}
constexpr uint32_t kCommand_None = 0;
constexpr uint32_t kCommand_Quit = MakeCommandID("quit");
constexpr uint32_t kCommand_About = MakeCommandID("abou");
constexpr uint32_t kCommand_License = MakeCommandID("LICS");
constexpr uint32_t kCommand_Readme = MakeCommandID("READ");
constexpr uint32_t kCommand_Minimize = MakeCommandID("mini");
constexpr uint32_t kCommand_Zoom = MakeCommandID("zoom");
constexpr uint32_t kCommand_FullScreen = MakeCommandID("FULL");

// Set to anything but "" or "0", message boxes are written to the log
// instead of shown: under a virtual display nobody would dismiss them.
extern char const* const kLogMessageBoxesVariable; // "CORVANE_LOG_MESSAGE_BOXES"
bool AreMessageBoxesLogged();

enum eMessageBoxKind
{
    kMessageBox_Information = 0,
    kMessageBox_Caution = 1
};

// Shows a box with one button and waits until it is dismissed; the parent may
// be null. The text is broken into lines that fit the display. With the switch
// set, or once a termination signal has come (which also closes a box being
// shown), logs "Message box: <title>: <text>" instead.
void ShowMessageBox(eMessageBoxKind kind, std::wstring const& title, std::wstring const& text, SDL_Window* parent);

// Where a picture of the given size is drawn in a window of the outer size:
// scaled by the same factor on both axes to fill as much as it can, centred,
// with bars on the two other sides. Sizes of 0 or less give the whole window.
Corvane::sPlatformRect ComputeLetterbox(int outerWidth, int outerHeight, int pictureWidth, int pictureHeight);

// A window position in the picture's own coordinates (pictureWidth x
// pictureHeight); true when it lies on the picture. With clamp, positions off
// the picture are moved to its nearest edge.
bool MapWindowToPicture(Corvane::sPlatformRect const& picture, int pictureWidth, int pictureHeight, int windowX,
                        int windowY, bool clamp, int* x, int* y);

// The width that keeps configWidth : configHeight at the new height, truncated.
int KeepAspectWidth(int configWidth, int configHeight, int newHeight);

// A key as the keyboard mapping reads it: the character it types (control
// codes for the editing and arrow keys, 16 for function keys) and the virtual
// key code that tells the function keys apart.
struct sKeyCharacter
{
    char character;
    unsigned long virtualKey;
};

// From an SDL key symbol; character 0 for keys the mapping does not know.
sKeyCharacter TranslateKey(int32_t keySymbol);

// The menu command a key chord stands for, or kCommand_None:
//   Ctrl+Q quit; Ctrl+F or Alt+Enter full screen; Ctrl+M minimise;
//   Ctrl+Shift+M zoom; Ctrl+Shift+A about; Ctrl+Shift+L licence; Ctrl+Shift+R read-me.
// modifiers are SDL's key modifier bits.
uint32_t GetMenuCommandForKey(int32_t keySymbol, uint16_t modifiers);

} // namespace MacOSX

#endif
