// The host keyboard as the handheld's keys.
//
// Keys with a virtual key on the handheld (arrows, Enter, Escape, Tab,
// Backspace, Delete, F1 to F10, Page Up and Down, letters, digits, also
// those of the keypad, space and the shift, Alt and Caps Lock modifiers) go
// in as key presses; the window manager's TranslateMessage turns the
// printable ones into WM_CHAR.
// Everything else that types a character (punctuation, shifted digits,
// characters of other layouts) comes from SDL's text input and goes in as a
// WM_CHAR of its own, so no character arrives twice.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace quorvel::backends {

// The virtual key for a host key with these modifiers, 0 when the key only
// types text or means nothing on the handheld.
UINT VirtualKeyForSdl(SDL_Keycode key, Uint16 modifiers);

// The characters of SDL text input the program should get as WM_CHAR:
// those that no key press already produces.
std::vector<WCHAR> CharsFromText(const char* utf8);

}  // namespace quorvel::backends
