#include "platform/backends/SdlKeys.h"

#include "platform/base/TextConv.h"
#include "platform/win/WinKeys.h"

namespace quorvel::backends {
namespace {

struct KeyPair {
    SDL_Keycode key;
    UINT vk;
};

constexpr KeyPair kNamedKeys[] = {
    {SDLK_LEFT, VK_LEFT},      {SDLK_RIGHT, VK_RIGHT},
    {SDLK_UP, VK_UP},          {SDLK_DOWN, VK_DOWN},
    {SDLK_RETURN, VK_RETURN},  {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_ESCAPE, VK_ESCAPE},  {SDLK_TAB, VK_TAB},
    {SDLK_BACKSPACE, VK_BACK}, {SDLK_DELETE, VK_DELETE},
    {SDLK_PAGEUP, VK_PRIOR},   {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_SPACE, VK_SPACE},    {SDLK_F1, VK_F1},
    {SDLK_F2, VK_F2},          {SDLK_F3, VK_F3},
    {SDLK_F4, VK_F4},          {SDLK_F5, VK_F5},
    {SDLK_F6, VK_F6},          {SDLK_F7, VK_F7},
    {SDLK_F8, VK_F8},          {SDLK_F9, VK_F9},
    {SDLK_F10, VK_F10},        {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},   {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},      {SDLK_CAPSLOCK, VK_CAPITAL},
};

// Printable characters a key press already gives through TranslateMessage.
bool ComesFromKey(uint32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ';
}

}  // namespace

UINT VirtualKeyForSdl(SDL_Keycode key, Uint16 modifiers) {
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<UINT>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) {
        // A shifted digit types punctuation, which comes as text.
        if (modifiers & KMOD_SHIFT) return 0;
        return static_cast<UINT>('0' + (key - SDLK_0));
    }
    // The keypad's digits are the handheld's digit keys too (screens take
    // them as hot keys), whatever the host's Num Lock says.
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return static_cast<UINT>('1' + (key - SDLK_KP_1));
    if (key == SDLK_KP_0) return static_cast<UINT>('0');
    for (const KeyPair& pair : kNamedKeys) {
        if (pair.key == key) return pair.vk;
    }
    return 0;
}

std::vector<WCHAR> CharsFromText(const char* utf8) {
    std::vector<WCHAR> chars;
    if (utf8 == nullptr) return chars;
    const CString text = FromUtf8(utf8);
    for (LPCWSTR p = text.GetString(); *p != 0; ++p) {
        const uint32_t c = static_cast<uint32_t>(*p);
        // The device's characters are all in the Basic Multilingual Plane.
        if (ComesFromKey(c) || c < 0x20 || c == 0x7F || c > 0xFFFF || c == 0xFFFD) continue;
        chars.push_back(static_cast<WCHAR>(c));
    }
    return chars;
}

}  // namespace quorvel::backends
