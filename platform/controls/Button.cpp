#include "platform/controls/Button.h"

#include "platform/controls/StylePainter.h"

namespace quorvel::controls {

bool Button::IsCheckType() const {
    switch (Type()) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return true;
        default:
            return false;
    }
}

bool Button::IsPushType() const {
    const DWORD type = Type();
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

LRESULT Button::DialogCode() const {
    switch (Type()) {
        case BS_PUSHBUTTON:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX:
            return DLGC_STATIC;
        default:
            return DLGC_BUTTON;
    }
}

LRESULT Button::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCCREATE:
            // Group boxes only frame other controls: they must not hide them.
            if ((reinterpret_cast<CREATESTRUCT*>(lParam)->style & BS_TYPEMASK) == BS_GROUPBOX)
                SetWindowLong(m_hwnd, GWL_EXSTYLE,
                              GetWindowLong(m_hwnd, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
            return Default(msg, wParam, lParam);
        case WM_NCHITTEST:
            return Type() == BS_GROUPBOX ? HTTRANSPARENT : Default(msg, wParam, lParam);
        case WM_GETDLGCODE:
            return DialogCode();
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnButtonDown();
            return 0;
        case WM_MOUSEMOVE:
            if (m_tracking) SetPushed(Inside(clientRect(), MousePoint(lParam)));
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(MousePoint(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            if (m_tracking && reinterpret_cast<HWND>(lParam) != m_hwnd) CancelTracking();
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
            OnKey(msg, wParam, lParam);
            return 0;
        case WM_CHAR:
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            OnFocus(msg == WM_SETFOCUS);
            return 0;
        case WM_ENABLE:
            if (!wParam) CancelTracking();
            return Default(msg, wParam, lParam);
        case BM_GETCHECK:
            return IsCheckType() ? m_check : BST_UNCHECKED;
        case BM_SETCHECK:
            SetCheck(static_cast<UINT>(wParam));
            return 0;
        case BM_GETSTATE:
            return m_check | (m_pushed ? BST_PUSHED : 0) | (focused() ? BST_FOCUS : 0);
        case BM_SETSTATE:
            SetPushed(wParam != 0);
            return 0;
        case BM_SETSTYLE:
            SetStyle(static_cast<DWORD>(wParam), LOWORD(lParam) != 0);
            return 0;
        case BM_CLICK:
            if (!enabled()) return 0;
            SendMessage(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessage(m_hwnd, WM_LBUTTONUP, 0, 0);
            return 0;
        case BM_SETIMAGE: {
            HANDLE previous = m_image;
            m_image = reinterpret_cast<HANDLE>(lParam);
            Invalidate();
            return reinterpret_cast<LRESULT>(previous);
        }
        case BM_GETIMAGE:
            return reinterpret_cast<LRESULT>(m_image);
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return Default(msg, wParam, lParam);
    }
}

void Button::OnButtonDown() {
    if (Type() == BS_GROUPBOX) return;
    if (!focused()) SetFocus(m_hwnd);
    if (!IsWindow(m_hwnd) || !enabled()) return;
    SetCapture(m_hwnd);
    m_tracking = true;
    SetPushed(true);
}

// The click comes last: its handler may destroy the button.
void Button::OnButtonUp(POINT p) {
    if (!m_tracking) return;
    m_tracking = false;
    const bool inside = Inside(clientRect(), p);
    SetPushed(false);
    if (GetCapture() == m_hwnd) ReleaseCapture();
    if (inside) Click();
}

void Button::CancelTracking() {
    const bool wasTracking = m_tracking;
    m_tracking = false;
    m_spaceDown = false;
    SetPushed(false);
    if (wasTracking && GetCapture() == m_hwnd) ReleaseCapture();
}

void Button::OnKey(UINT msg, WPARAM key, LPARAM flags) {
    const bool repeat = (static_cast<DWORD>(flags) & 0x40000000u) != 0;
    if (key == VK_SPACE && msg == WM_KEYDOWN && !repeat && Type() != BS_GROUPBOX) {
        m_spaceDown = true;
        SetPushed(true);
    } else if (key == VK_SPACE && msg == WM_KEYUP && m_spaceDown) {
        m_spaceDown = false;
        const bool wasPushed = m_pushed;
        SetPushed(false);
        if (wasPushed) Click();
    } else if (key == VK_RETURN && msg == WM_KEYDOWN && IsPushType()) {
        Click();
    }
}

void Button::OnFocus(bool gained) {
    if (!gained) CancelTracking();
    if (style() & BS_NOTIFY) Command(gained ? BN_SETFOCUS : BN_KILLFOCUS);
    if (Type() == BS_OWNERDRAW)
        DrawOwnerDrawnNow(ODA_FOCUS);
    else
        Invalidate();
}

void Button::SetPushed(bool pushed) {
    if (pushed == m_pushed) return;
    m_pushed = pushed;
    if (Type() == BS_OWNERDRAW)
        DrawOwnerDrawnNow(ODA_SELECT);
    else
        Invalidate();
}

// A checked radio button is the one of its group that Tab reaches.
void Button::SetCheck(UINT check) {
    if (!IsCheckType()) return;
    if (check > BST_INDETERMINATE) check = BST_CHECKED;
    if (check == BST_INDETERMINATE && Type() != BS_3STATE && Type() != BS_AUTO3STATE)
        check = BST_CHECKED;
    if (IsRadio()) {
        const LONG s = GetWindowLong(m_hwnd, GWL_STYLE);
        SetWindowLong(m_hwnd, GWL_STYLE, check ? (s | WS_TABSTOP) : (s & ~WS_TABSTOP));
    }
    if (check == m_check) return;
    m_check = check;
    Invalidate();
}

void Button::SetStyle(DWORD type, bool redraw) {
    const LONG s = GetWindowLong(m_hwnd, GWL_STYLE);
    SetWindowLong(m_hwnd, GWL_STYLE, (s & ~BS_TYPEMASK) | (type & BS_TYPEMASK));
    if (redraw) Invalidate();
}

void Button::Click() {
    switch (Type()) {
        case BS_AUTOCHECKBOX:
            SetCheck(m_check ? BST_UNCHECKED : BST_CHECKED);
            break;
        case BS_AUTO3STATE:
            SetCheck((m_check + 1) % 3);
            break;
        case BS_AUTORADIOBUTTON:
            SetCheck(BST_CHECKED);
            ClearGroup();
            break;
        default:
            break;
    }
    Command(BN_CLICKED);
}

// The group runs from the nearest sibling at or before this button with
// WS_GROUP up to the next one with WS_GROUP.
void Button::ClearGroup() {
    HWND start = m_hwnd;
    while (!(GetWindowLong(start, GWL_STYLE) & WS_GROUP)) {
        HWND previous = GetWindow(start, GW_HWNDPREV);
        if (!previous) break;
        start = previous;
    }
    for (HWND h = start; h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h != start && (GetWindowLong(h, GWL_STYLE) & WS_GROUP)) break;
        if (h == m_hwnd) continue;
        if (SendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
            SendMessage(h, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

std::string Button::Describe() const {
    std::string out;
    if (IsCheckType())
        out += m_check == BST_CHECKED         ? " checked"
               : m_check == BST_INDETERMINATE ? " indeterminate"
                                              : " unchecked";
    if (m_pushed) out += " pressed";
    return out;
}

}  // namespace quorvel::controls
