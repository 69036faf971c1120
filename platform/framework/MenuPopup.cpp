#include "platform/framework/MenuPopup.h"

#include <algorithm>

#include "platform/base/Geometry.h"
#include "platform/framework/BarPainter.h"
#include "platform/win/WinInternal.h"

namespace quorvel::framework {

namespace {

constexpr LPCTSTR kClassName = L"QuorvelMenuPopup";

void RegisterPopupClass(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASS wc{};
        wc.lpfnWndProc = proc;
        wc.cbWndExtra = sizeof(void*);
        wc.lpszClassName = kClassName;
        return RegisterClass(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

std::unique_ptr<MenuPopup> MenuPopup::Open(HWND owner, MenuItem& menu, const RECT& anchor) {
    RegisterPopupClass(&MenuPopup::WndProc);
    std::unique_ptr<MenuPopup> popup(new MenuPopup(menu));
    popup->Measure(anchor);
    const RECT& r = popup->m_screen;
    popup->m_hwnd =
        CreateWindowEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName, L"", WS_POPUP, r.left, r.top,
                       r.right - r.left, r.bottom - r.top, owner, nullptr, nullptr, nullptr);
    if (!popup->m_hwnd) return nullptr;
    SetWindowLongPtr(popup->m_hwnd, 0, reinterpret_cast<LONG_PTR>(popup.get()));
    ShowWindow(popup->m_hwnd, SW_SHOWNOACTIVATE);
    return popup;
}

MenuPopup::~MenuPopup() {
    if (IsWindow(m_hwnd)) {
        SetWindowLongPtr(m_hwnd, 0, 0);
        DestroyWindow(m_hwnd);
    }
}

void MenuPopup::Measure(const RECT& anchor) {
    HDC hdc = GetDC(nullptr);
    int width = 0, y = kBorder;
    for (const MenuItem& item : m_menu.children) {
        const int h = item.separator ? kSeparatorHeight : kItemHeight;
        width = std::max(width, paint::LabelWidth(hdc, item.text));
        m_items.push_back(RECT{kBorder, y, 0, y + h});
        y += h;
    }
    ReleaseDC(nullptr, hdc);
    width += kCheckColumn + kRightMargin + 2 * kBorder;
    width = std::max(width, static_cast<int>(anchor.right - anchor.left));
    for (RECT& r : m_items) r.right = width - kBorder;
    const SIZE screen = win::ScreenSize();
    const int height = y + kBorder;
    const int left = std::max(0, std::min(static_cast<int>(anchor.left), screen.cx - width));
    const int top = std::max(0, std::min(static_cast<int>(anchor.bottom), screen.cy - height));
    m_screen = RECT{left, top, left + width, top + height};
}

bool MenuPopup::Contains(POINT screen) const {
    return PtInRect(&m_screen, screen);
}

int MenuPopup::ItemAt(POINT screen) const {
    if (!Contains(screen)) return -1;
    const POINT p{screen.x - m_screen.left, screen.y - m_screen.top};
    for (size_t i = 0; i < m_items.size(); ++i)
        if (PtInRect(&m_items[i], p)) return static_cast<int>(i);
    return -1;
}

RECT MenuPopup::ItemRect(int index) const {
    RECT r = m_items.at(static_cast<size_t>(index));
    OffsetRect(&r, m_screen.left, m_screen.top);
    return r;
}

void MenuPopup::SetHot(int index) {
    if (index == m_hot) return;
    for (int i : {m_hot, index})
        if (i >= 0) InvalidateRect(m_hwnd, &m_items[static_cast<size_t>(i)], FALSE);
    m_hot = index;
}

void MenuPopup::Paint(HDC hdc) {
    RECT client{0, 0, m_screen.right - m_screen.left, m_screen.bottom - m_screen.top};
    FillRect(hdc, &client, GetSysColorBrush(COLOR_MENU));
    DrawEdge(hdc, &client, EDGE_RAISED, BF_RECT);
    for (size_t i = 0; i < m_items.size(); ++i) PaintItem(hdc, static_cast<int>(i));
}

void MenuPopup::PaintItem(HDC hdc, int index) {
    const MenuItem& item = m_menu.children[static_cast<size_t>(index)];
    const RECT& r = m_items[static_cast<size_t>(index)];
    if (item.separator) {
        paint::EtchedLine(hdc, RECT{r.left + 1, r.top, r.right - 1, r.bottom});
        return;
    }
    const bool hot = index == m_hot && item.enabled;
    FillRect(hdc, &r, GetSysColorBrush(hot ? COLOR_HIGHLIGHT : COLOR_MENU));
    const COLORREF ink = GetSysColor(hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    if (item.checked)
        paint::CheckMark(hdc, RECT{r.left, r.top, r.left + kCheckColumn, r.bottom}, ink);
    const RECT text{r.left + kCheckColumn, r.top, r.right, r.bottom};
    paint::Label(hdc, text, item.text, DT_LEFT, item.enabled, ink);
}

LRESULT CALLBACK MenuPopup::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MenuPopup*>(GetWindowLongPtr(hwnd, 0));
    if (msg == WM_PAINT && self) {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        self->Paint(hdc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;  // the paint covers every pixel
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace quorvel::framework
