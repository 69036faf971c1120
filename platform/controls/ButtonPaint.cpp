// Drawing of buttons: through the style painter, or by the parent for
// owner-drawn ones.
#include "platform/base/Geometry.h"
#include "platform/controls/Button.h"
#include "platform/controls/StylePainter.h"

namespace quorvel::controls {

UINT Button::TextFormat() const {
    const DWORD s = style();
    UINT format = (s & BS_MULTILINE) ? (DT_WORDBREAK | DT_VCENTER) : (DT_SINGLELINE | DT_VCENTER);
    DWORD h = s & BS_CENTER;
    if (h == 0) h = (IsCheckType() && !(s & BS_PUSHLIKE)) ? BS_LEFT : BS_CENTER;
    if (h == BS_CENTER) format |= DT_CENTER;
    if (h == BS_RIGHT) format |= DT_RIGHT;
    return format;
}

void Button::Paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    if (!hdc) return;
    const RECT r = clientRect();
    const DWORD type = Type();
    if (type == BS_OWNERDRAW) {
        PaintOwnerDrawn(hdc, ODA_DRAWENTIRE);
        EndPaint(m_hwnd, &ps);
        return;
    }
    const ButtonLook look{m_pushed, focused(), !enabled(), type == BS_DEFPUSHBUTTON};
    if (type == BS_GROUPBOX) {
        HBRUSH brush = AskColors(WM_CTLCOLORSTATIC, hdc, COLOR_BTNFACE, COLOR_BTNTEXT);
        const COLORREF ink = GetTextColor(hdc);
        FillAroundSiblings(hdc, brush);
        StylePainter(hdc, m_font).GroupBox(r, text(), look.disabled, ink, brush);
    } else if (!IsCheckType() || (style() & BS_PUSHLIKE)) {
        AskColors(WM_CTLCOLORBTN, hdc, COLOR_BTNFACE, COLOR_BTNTEXT);
        ButtonLook push = look;
        push.pressed = m_pushed || (IsCheckType() && m_check == BST_CHECKED);
        StylePainter painter(hdc, m_font);
        painter.PushButton(r, text(), push, TextFormat());
        if (m_image) {
            const bool icon = (style() & BS_ICON) != 0;
            RECT inner = r;
            if (push.pressed) OffsetRect(&inner, 1, 1);
            painter.Picture(inner, m_image, icon, true);
        }
    } else {
        HBRUSH brush = AskColors(WM_CTLCOLORSTATIC, hdc, COLOR_BTNFACE, COLOR_BTNTEXT);
        const COLORREF ink = GetTextColor(hdc);
        StylePainter painter(hdc, m_font);
        painter.Fill(r, brush);
        painter.CheckButton(r, text(), m_check, IsRadio(), look, TextFormat(),
                            (style() & BS_LEFTTEXT) != 0, ink);
    }
    EndPaint(m_hwnd, &ps);
}

// The background goes in the brush the parent gives (a null brush leaves
// it), then the parent draws the rest with the button's font selected.
void Button::PaintOwnerDrawn(HDC hdc, UINT action) {
    const RECT r = clientRect();
    if (action == ODA_DRAWENTIRE) {
        HBRUSH brush = AskColors(WM_CTLCOLORBTN, hdc, COLOR_BTNFACE, COLOR_BTNTEXT);
        FillRect(hdc, &r, brush);
    }
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(id());
    item.itemAction = action;
    item.itemState = (m_pushed ? ODS_SELECTED : 0) | (focused() ? ODS_FOCUS : 0) |
                     (enabled() ? 0 : ODS_DISABLED);
    item.hwndItem = m_hwnd;
    item.hDC = hdc;
    item.rcItem = r;
    // The parent draws the caption in the button's own font.
    HGDIOBJ oldFont = SelectObject(hdc, m_font ? m_font : GetStockObject(SYSTEM_FONT));
    SendToParent(WM_DRAWITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&item));
    SelectObject(hdc, oldFont);
}

void Button::DrawOwnerDrawnNow(UINT action) {
    if (!IsWindowVisible(m_hwnd)) return;
    HDC hdc = GetDC(m_hwnd);
    if (!hdc) return;
    PaintOwnerDrawn(hdc, action);
    ReleaseDC(m_hwnd, hdc);
}

}  // namespace quorvel::controls
