// Whether texts show whole on the screen: a text's ink where the screen
// shows it against the same text drawn alone, uncut, in the same font.
// Ink is the dark pixels (each channel below 0x40): black text on the
// button face or on a white plan.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "platform/gdi/Image.h"
#include "platform/win/WinApi.h"

namespace quorvel::testing {

// The box of the ink within `area` of the image; empty (all zero) when
// there is none.
RECT InkBox(const gdi::Image& image, const RECT& area);

// The size of the ink of `text` drawn alone in `font`, far from any edge.
SIZE InkAlone(HFONT font, std::wstring_view text);

// `text` in `font` shows whole in `area` (client coordinates) of `window`:
// its ink there spans at least as many columns and rows as drawn alone
// (what a plan draws across it afterwards may add to them).
::testing::AssertionResult TextLiesWhole(HWND window, const RECT& area, HFONT font,
                                         std::wstring_view text);

// Every visible label of `dialog` (a static text with the id IDC_STATIC)
// shows in its control pixel for pixel as drawn alone in the control's
// font: not cut by its own edges, not painted over by a neighbour, and no
// neighbour's ink inside it.
::testing::AssertionResult LabelsLieWhole(HWND dialog);

}  // namespace quorvel::testing
