#include <gtest/gtest.h>

#include "platform/backends/SdlKeys.h"
#include "platform/win/WinKeys.h"

using quorvel::backends::CharsFromText;
using quorvel::backends::VirtualKeyForSdl;

TEST(SdlKeys, HandheldKeysAndTextDoNotOverlap) {
    EXPECT_EQ(VirtualKeyForSdl(SDLK_q, KMOD_NONE), static_cast<UINT>('Q'));
    EXPECT_EQ(VirtualKeyForSdl(SDLK_q, KMOD_LSHIFT), static_cast<UINT>('Q'));
    EXPECT_EQ(VirtualKeyForSdl(SDLK_7, KMOD_NONE), static_cast<UINT>('7'));
    EXPECT_EQ(VirtualKeyForSdl(SDLK_7, KMOD_RSHIFT), 0u);  // '&' comes as text
    EXPECT_EQ(VirtualKeyForSdl(SDLK_KP_ENTER, KMOD_NONE), static_cast<UINT>(VK_RETURN));
    EXPECT_EQ(VirtualKeyForSdl(SDLK_KP_0, KMOD_NUM), static_cast<UINT>('0'));
    EXPECT_EQ(VirtualKeyForSdl(SDLK_KP_9, KMOD_NONE), static_cast<UINT>('9'));
    EXPECT_EQ(VirtualKeyForSdl(SDLK_KP_PERIOD, KMOD_NUM), 0u);  // '.' comes as text
    EXPECT_EQ(VirtualKeyForSdl(SDLK_PAGEDOWN, KMOD_NONE), static_cast<UINT>(VK_NEXT));
    EXPECT_EQ(VirtualKeyForSdl(SDLK_F10, KMOD_NONE), static_cast<UINT>(VK_F10));
    EXPECT_EQ(VirtualKeyForSdl(SDLK_F11, KMOD_NONE), 0u);  // the handheld stops at F10
    EXPECT_EQ(VirtualKeyForSdl(SDLK_COMMA, KMOD_NONE), 0u);

    // Text that keys already type is dropped; the rest comes through, in
    // order, including characters beyond ASCII.
    EXPECT_EQ(CharsFromText("a"), std::vector<WCHAR>{});
    EXPECT_EQ(CharsFromText("Z9 "), std::vector<WCHAR>{});
    EXPECT_EQ(CharsFromText(",!"), (std::vector<WCHAR>{L',', L'!'}));
    EXPECT_EQ(CharsFromText("x\xC3\xA9\xE6\xB5\x8B"), (std::vector<WCHAR>{0xE9, 0x6D4B}));
    // Broken sequences and characters outside the device's plane are dropped.
    EXPECT_EQ(CharsFromText("\xC3(\xF0\x9F\x98\x80\xFF."), (std::vector<WCHAR>{L'(', L'.'}));
    EXPECT_EQ(CharsFromText("\xE6\xB5"), std::vector<WCHAR>{});
    // A lone surrogate or an overlong slash is broken too, not a character.
    EXPECT_EQ(CharsFromText("\xED\xA0\x80\xE0\x80\xAF"), std::vector<WCHAR>{});
}
