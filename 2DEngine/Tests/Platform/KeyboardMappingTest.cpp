#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include "2DEngine/Source/Graphics/KeyNames.h"
#include "2DEngine/Source/Platform/MacOSX/DesktopServices.h"
#include "2DEngine/Source/Platform/MacOSX/MacOSXPlatform.h"
#include "2DEngine/Source/Widgets/ControlLogic.h"

namespace
{
using MacOSX::Platform;

int CodeOfKey(SDL_Keycode symbol)
{
    MacOSX::sKeyCharacter const typed = MacOSX::TranslateKey(symbol);
    return Platform::ToKeyCode(typed.character, typed.virtualKey);
}
} // namespace

TEST(KeyboardMapping, LettersAndDigits)
{
    EXPECT_EQ(65, Platform::ToKeyCode('a', 0));
    EXPECT_EQ(65, Platform::ToKeyCode('A', 0));
    EXPECT_EQ(90, Platform::ToKeyCode('z', 17));
    EXPECT_EQ(48, Platform::ToKeyCode('0', 0));
    EXPECT_EQ(57, Platform::ToKeyCode('9', 0));
}

TEST(KeyboardMapping, TableRows)
{
    EXPECT_EQ(8, Platform::ToKeyCode(8, 51));
    EXPECT_EQ(13, Platform::ToKeyCode(13, 36));
    EXPECT_EQ(37, Platform::ToKeyCode(28, 123));
    EXPECT_EQ(38, Platform::ToKeyCode(30, 126));
    EXPECT_EQ(39, Platform::ToKeyCode(29, 124));
    EXPECT_EQ(40, Platform::ToKeyCode(31, 125));
    EXPECT_EQ(33, Platform::ToKeyCode(11, 0));
    EXPECT_EQ(34, Platform::ToKeyCode(12, 0));
    EXPECT_EQ(36, Platform::ToKeyCode(1, 0));
    EXPECT_EQ(35, Platform::ToKeyCode(4, 0));
    EXPECT_EQ(186, Platform::ToKeyCode(';', 41));
    EXPECT_EQ(222, Platform::ToKeyCode('\'', 0));
    EXPECT_EQ(220, Platform::ToKeyCode('\\', 0));
}

// Function keys all type character 16; only the virtual key tells them apart.
TEST(KeyboardMapping, FunctionKeysNeedTheirVirtualKey)
{
    EXPECT_EQ(116, Platform::ToKeyCode(16, 96));
    EXPECT_EQ(112, Platform::ToKeyCode(16, 122));
    EXPECT_EQ(123, Platform::ToKeyCode(16, 111));
    EXPECT_EQ(0, Platform::ToKeyCode(16, 0));
    EXPECT_EQ(0, Platform::ToKeyCode(16, 105));
}

// Invalid input: characters neither in the table nor letters or digits.
TEST(KeyboardMapping, UnknownCharactersGiveZero)
{
    EXPECT_EQ(0, Platform::ToKeyCode('!', 0));
    EXPECT_EQ(0, Platform::ToKeyCode('+', 0));
    EXPECT_EQ(0, Platform::ToKeyCode(127, 117));
    EXPECT_EQ(0, Platform::ToKeyCode(0, 0));
    // A byte of a non-ASCII character (as the Latin-1 'n' with tilde).
    EXPECT_EQ(0, Platform::ToKeyCode(char(0xF1), 0));
}

// What the SDL keyboard gives reaches the same codes that key names name, so
// a named hot key compares equal to the pressed key.
TEST(KeyboardMapping, DesktopKeysMatchKeyNames)
{
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"a"), CodeOfKey(SDLK_a));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"7"), CodeOfKey(SDLK_7));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"Enter"), CodeOfKey(SDLK_RETURN));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"Enter"), CodeOfKey(SDLK_KP_ENTER));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"Escape"), CodeOfKey(SDLK_ESCAPE));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"Space"), CodeOfKey(SDLK_SPACE));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"Backspace"), CodeOfKey(SDLK_BACKSPACE));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"Tab"), CodeOfKey(SDLK_TAB));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"Left"), CodeOfKey(SDLK_LEFT));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"Right"), CodeOfKey(SDLK_RIGHT));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"Up"), CodeOfKey(SDLK_UP));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"Down"), CodeOfKey(SDLK_DOWN));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"PageUp"), CodeOfKey(SDLK_PAGEUP));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"PageDown"), CodeOfKey(SDLK_PAGEDOWN));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"Home"), CodeOfKey(SDLK_HOME));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"End"), CodeOfKey(SDLK_END));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L";"), CodeOfKey(SDLK_SEMICOLON));
    EXPECT_EQ(Corvane::GetKeyCodeByName(L"`"), CodeOfKey(SDLK_BACKQUOTE));
    SDL_Keycode const functionKeys[] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                                        SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
    for (int i = 0; i < 12; ++i)
    {
        std::wstring const name = L"F" + std::to_wstring(i + 1);
        EXPECT_EQ(Corvane::GetKeyCodeByName(name.c_str()), CodeOfKey(functionKeys[i])) << i + 1;
    }
}

// The adjust-mode codes come from keys of their own, which no named key reaches.
TEST(KeyboardMapping, InsertAndPauseAreTheAdjustModeKeys)
{
    EXPECT_EQ(Corvane::ControlLogic::kKeyAdjustMode, CodeOfKey(SDLK_INSERT));
    EXPECT_EQ(Corvane::ControlLogic::kKeyAdjustModeLeave, CodeOfKey(SDLK_PAUSE));
    // Character 16 without F15's virtual key stays no key; the help character needs its key too.
    EXPECT_EQ(0, Platform::ToKeyCode(16, 114));
    EXPECT_EQ(0, Platform::ToKeyCode(5, 113));
}

TEST(KeyboardMapping, KeysWithoutACodeGiveZero)
{
    EXPECT_EQ(0, CodeOfKey(SDLK_LSHIFT));
    EXPECT_EQ(0, CodeOfKey(SDLK_DELETE));
    EXPECT_EQ(0, CodeOfKey(SDLK_F13));
    EXPECT_EQ(0, CodeOfKey(SDLK_KP_PLUS));
    EXPECT_EQ(0, CodeOfKey(SDLK_UNKNOWN));
}

TEST(MenuChords, DesktopChordsGiveTheMenuCommands)
{
    EXPECT_EQ(MacOSX::kCommand_Quit, MacOSX::GetMenuCommandForKey(SDLK_q, KMOD_LCTRL));
    EXPECT_EQ(MacOSX::kCommand_Quit, MacOSX::GetMenuCommandForKey(SDLK_q, KMOD_RCTRL | KMOD_NUM));
    EXPECT_EQ(MacOSX::kCommand_FullScreen, MacOSX::GetMenuCommandForKey(SDLK_f, KMOD_LCTRL));
    EXPECT_EQ(MacOSX::kCommand_FullScreen, MacOSX::GetMenuCommandForKey(SDLK_RETURN, KMOD_LALT));
    EXPECT_EQ(MacOSX::kCommand_FullScreen, MacOSX::GetMenuCommandForKey(SDLK_KP_ENTER, KMOD_RALT));
    EXPECT_EQ(MacOSX::kCommand_Minimize, MacOSX::GetMenuCommandForKey(SDLK_m, KMOD_LCTRL));
    EXPECT_EQ(MacOSX::kCommand_Zoom, MacOSX::GetMenuCommandForKey(SDLK_m, KMOD_LCTRL | KMOD_LSHIFT));
    EXPECT_EQ(MacOSX::kCommand_About, MacOSX::GetMenuCommandForKey(SDLK_a, KMOD_LCTRL | KMOD_RSHIFT));
    EXPECT_EQ(MacOSX::kCommand_License, MacOSX::GetMenuCommandForKey(SDLK_l, KMOD_CTRL | KMOD_SHIFT));
    EXPECT_EQ(MacOSX::kCommand_Readme, MacOSX::GetMenuCommandForKey(SDLK_r, KMOD_CTRL | KMOD_SHIFT));
}

// Plain keys and other chords stay keys for the game.
TEST(MenuChords, OtherKeysAreNotCommands)
{
    EXPECT_EQ(MacOSX::kCommand_None, MacOSX::GetMenuCommandForKey(SDLK_q, KMOD_NONE));
    EXPECT_EQ(MacOSX::kCommand_None, MacOSX::GetMenuCommandForKey(SDLK_RETURN, KMOD_NONE));
    EXPECT_EQ(MacOSX::kCommand_None, MacOSX::GetMenuCommandForKey(SDLK_RETURN, KMOD_LCTRL | KMOD_LALT));
    EXPECT_EQ(MacOSX::kCommand_None, MacOSX::GetMenuCommandForKey(SDLK_q, KMOD_LCTRL | KMOD_LALT));
    EXPECT_EQ(MacOSX::kCommand_None, MacOSX::GetMenuCommandForKey(SDLK_a, KMOD_LCTRL));
    EXPECT_EQ(MacOSX::kCommand_None, MacOSX::GetMenuCommandForKey(SDLK_f, KMOD_LALT));
    EXPECT_EQ(MacOSX::kCommand_None, MacOSX::GetMenuCommandForKey(SDLK_x, KMOD_LCTRL));
}
