// Drawing shared by the command bar and its drop-down menus, in the
// handheld's classic grey look: the menu font, labels (greyed ones
// embossed), check marks, 3-D button faces and the close box.
#pragma once

#include "platform/gdi/GdiApi.h"

namespace quorvel::framework::paint {

HFONT MenuFont();
// A single line of text in `rect`, `format` adding the alignment
// (DT_LEFT/DT_CENTER). A disabled label is drawn in the embossed grey.
void Label(HDC hdc, const RECT& rect, LPCTSTR text, UINT format, bool enabled, COLORREF color);
// Width of a single line of text in the menu font.
int LabelWidth(HDC hdc, LPCTSTR text);
// A tick whose box is `rect`.
void CheckMark(HDC hdc, const RECT& rect, COLORREF color);
// A button face: raised, or sunken while pressed or checked.
void ButtonFace(HDC hdc, const RECT& rect, bool sunken);
// The close adornment: a button face with a cross.
void CloseBox(HDC hdc, const RECT& rect, bool pressed);
// A horizontal etched line across `rect`, centred vertically.
void EtchedLine(HDC hdc, const RECT& rect);

}  // namespace quorvel::framework::paint
