// The pieces of the message box: its layout on the 240 x 320 screen, its
// button labels and its icons. Internal to platform/dialogs.
#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

namespace quorvel::dialogs::detail {

// Client-area positions of everything in a box, in pixels.
struct MessageBoxLayout {
    SIZE client{};
    POINT icon{};  // top left of the 32 x 32 icon, when the type has one
    RECT text{};
    std::vector<RECT> buttons;  // in MessageBoxButtons order
};

// Lays the box out with the font selected into `measure`: the text wrapped
// to what the screen leaves beside the icon, the buttons centred in a row
// below, every button as wide as the widest label needs.
MessageBoxLayout LayOutMessageBox(HDC measure, const CString& text, UINT type,
                                  const std::vector<int>& buttons);

const wchar_t* MessageBoxButtonLabel(int id);

bool HasIcon(UINT type);
void DrawMessageBoxIcon(HDC hdc, int x, int y, UINT type);

}  // namespace quorvel::dialogs::detail
