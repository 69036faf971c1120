// The combo box's drop-down, keys, stylus and drawing.
#include <algorithm>

#include "platform/controls/ComboBox.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/StylePainter.h"

namespace quorvel::controls {

RECT ComboBox::ButtonRect() const {
    const RECT r = clientRect();
    const int right = r.right - 2;
    return RECT{std::max<LONG>(2, right - GetSystemMetrics(SM_CXVSCROLL)), 2, right, r.bottom - 2};
}

// Below the field when it fits, else above; when neither fits, on the
// roomier side, cut to the screen.
RECT ComboBox::DropRect() const {
    RECT field{};
    GetWindowRect(m_hwnd, &field);
    const int itemHeight = static_cast<int>(SendMessage(m_list, LB_GETITEMHEIGHT, 0, 0));
    const int count = static_cast<int>(SendMessage(m_list, LB_GETCOUNT, 0, 0));
    const int most = std::max(m_dropHeight - 2, itemHeight);
    const int want = std::clamp(count * itemHeight, itemHeight, most) + 2;
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    const int width = field.right - field.left;
    const int below = screenH - field.bottom, above = field.top;
    int top = field.bottom, height = want;
    if (want > below) {
        if (want <= above) {
            top = field.top - want;
        } else if (below >= above) {
            height = below;
        } else {
            top = 0;
            height = above;
        }
    }
    const int left = std::clamp<int>(field.left, 0, std::max(0, screenW - width));
    return RECT{left, top, left + width, top + height};
}

void ComboBox::Open() {
    Command(CBN_DROPDOWN);  // the parent may fill the list now
    if (!IsWindow(m_hwnd)) return;
    m_selBeforeDrop = Selection();
    const RECT r = DropRect();
    SetWindowPos(m_list, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (m_selBeforeDrop >= 0) SendMessage(m_list, LB_SETCURSEL, m_selBeforeDrop, 0);
    m_dropped = true;
    SetCapture(m_hwnd);
    Invalidate();
}

// The list closes before anyone hears of the choice, so a handler of
// CBN_SELCHANGE works on a closed combo box.
void ComboBox::Close(bool accept) {
    if (!m_dropped) return;
    m_dropped = false;
    ShowWindow(m_list, SW_HIDE);
    if (GetCapture() == m_hwnd) ReleaseCapture();
    const long chosen = Selection();
    if (accept)
        ShowSelectionText();
    else
        SendMessage(m_list, LB_SETCURSEL, static_cast<WPARAM>(m_selBeforeDrop), 0);
    Invalidate();
    Command(CBN_CLOSEUP);
    Command(accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (accept && chosen != m_selBeforeDrop) Command(CBN_SELCHANGE);
}

void ComboBox::OnButtonDown(POINT p) {
    HWND target = m_edit ? m_edit : m_hwnd;
    if (GetFocus() != target) SetFocus(target);
    if (!IsWindow(m_hwnd) || !enabled()) return;
    if (m_dropped)
        Close(false);
    else if (!m_edit || Inside(ButtonRect(), p))
        Open();
}

void ComboBox::ForwardToList(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT p = MousePoint(lParam);
    MapWindowPoints(m_hwnd, m_list, &p, 1);
    SendMessage(m_list, msg, wParam, MAKELPARAM(p.x, p.y));
}

void ComboBox::Step(long delta) {
    const long count = static_cast<long>(SendMessage(m_list, LB_GETCOUNT, 0, 0));
    if (count == 0) return;
    const long sel = Selection();
    const long next = std::clamp<long>(sel < 0 ? 0 : sel + delta, 0, count - 1);
    if (next == sel) return;
    SendMessage(m_list, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
    if (m_dropped) return;  // chosen when the list closes
    ShowSelectionText();
    Command(CBN_SELCHANGE);
}

bool ComboBox::OnKeyDown(UINT key) {
    switch (key) {
        case VK_UP:
            Step(-1);
            return true;
        case VK_DOWN:
            Step(1);
            return true;
        case VK_F4:
            if (m_dropped)
                Close(true);
            else
                Open();
            return true;
        case VK_RETURN:
            if (!m_dropped) return false;
            Close(true);
            return true;
        case VK_ESCAPE:
            if (!m_dropped) return false;
            Close(false);
            return true;
        default:
            return false;
    }
}

// In a drop-down list a character picks the next item it begins.
void ComboBox::OnChar(wchar_t ch) {
    if (m_edit || ch < L' ') return;
    const wchar_t prefix[2] = {ch, L'\0'};
    const LRESULT found = SendMessage(m_list, LB_FINDSTRING, static_cast<WPARAM>(Selection()),
                                      reinterpret_cast<LPARAM>(prefix));
    if (found != LB_ERR) Step(static_cast<long>(found) - std::max(0L, Selection()));
}

void ComboBox::Paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    if (!hdc) return;
    RowLook field;
    field.selected = !m_edit && focused() && !m_dropped;
    field.disabled = !enabled();
    StylePainter(hdc, m_font)
        .ComboBox(clientRect(), ItemText(Selection()), field, m_dropped, m_edit == nullptr);
    EndPaint(m_hwnd, &ps);
}

}  // namespace quorvel::controls
