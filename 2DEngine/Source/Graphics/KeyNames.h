#ifndef CORVANE_GRAPHICS_KEYNAMES_H
#define CORVANE_GRAPHICS_KEYNAMES_H

// Keys named as text in content (a button's hot key, a key that skips a scene)
// and the engine's key codes that the platform delivers with key events. The
// codes follow the Windows virtual-key values, with sixteen game-pad buttons
// from 256 upwards, so a named key and a pressed key compare as integers.

namespace Corvane
{

enum eKeyCode : int
{
    kKey_Null = 0,
    kKey_Backspace = 8,
    kKey_Tab = 9,
    kKey_Clear = 12,
    kKey_Enter = 13,
    kKey_Shift = 16,
    kKey_Control = 17,
    kKey_Alt = 18,
    kKey_Escape = 27,
    kKey_Space = 32,
    kKey_PageUp = 33,
    kKey_PageDown = 34,
    kKey_End = 35,
    kKey_Home = 36,
    kKey_Left = 37,
    kKey_Up = 38,
    kKey_Right = 39,
    kKey_Down = 40,
    kKey_Delete = 46,
    kKey_F1 = 112,
    kKey_F12 = 123,
    kKey_F16 = 127,
    kKey_Semicolon = 186,
    kKey_Equals = 187,
    kKey_Comma = 188,
    kKey_Minus = 189,
    kKey_Period = 190,
    kKey_Slash = 191,
    kKey_BackQuote = 192,
    kKey_LeftBracket = 219,
    kKey_Backslash = 220,
    kKey_RightBracket = 221,
    kKey_Apostrophe = 222,
    kKey_GamePadStart = 256,
    kKey_GamePadLeft = 271
};

// The key code of a key name, compared without regard to ASCII case: the
// first entry of the name table that matches, else a single character of code
// 127 or less (letters upper-cased), else 0. Null and empty names give 0.
int GetKeyCodeByName(wchar_t const* name);

} // namespace Corvane

#endif
