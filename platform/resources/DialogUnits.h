// Dialog units to pixels, the platform's MapDialogRect.
//
// Template coordinates are in dialog units of the dialog's font (the
// template's FONT, else the system font). The dialogs library measures that
// font through the graphics library and converts:
//   avgCharWidth = (width of "A".."Z" and "a".."z" in one run + 26) / 52
//   charHeight   = the font's tmHeight
//   x pixels = MulDiv(x units, avgCharWidth, 4)   (left, right, width)
//   y pixels = MulDiv(y units, charHeight, 8)     (top, bottom, height)
// MulDiv rounds to nearest, halves away from zero. A control is placed at
// the converted left/top with the converted width/height, all relative to
// the dialog's client area.
#pragma once

#include "platform/base/WinTypes.h"

namespace quorvel::resources {

struct DialogBaseUnits {
    int avgCharWidth;
    int charHeight;
};

// a * b / c rounded to nearest, halves away from zero; -1 when c is 0.
int MulDivRound(int a, int b, int c);

int DialogXToPixels(int units, const DialogBaseUnits& base);
int DialogYToPixels(int units, const DialogBaseUnits& base);

// MapDialogRect: converts all four sides in place.
void DialogRectToPixels(RECT& rect, const DialogBaseUnits& base);

}  // namespace quorvel::resources
