// The command bar: creation, contents, layout and painting. The stylus is
// in CommandBarInput.cpp.
#include "platform/framework/CommandBarControl.h"

#include <algorithm>

#include "platform/base/Collections.h"
#include "platform/base/Geometry.h"
#include "platform/framework/BarPainter.h"
#include "platform/resources/Resources.h"

namespace quorvel::framework {

bool CommandBarControl::Register() {
    static const bool registered = [] {
        WNDCLASS wc{};
        wc.lpfnWndProc = &CommandBarControl::WndProc;
        wc.cbWndExtra = sizeof(void*);
        wc.lpszClassName = kClassName;
        return RegisterClass(&wc) != 0;
    }();
    return registered;
}

HWND CommandBarControl::Create(HWND parent, UINT id, DWORD style) {
    if (!Register() || !parent) return nullptr;
    RECT client{};
    GetClientRect(parent, &client);
    return CreateWindowEx(0, kClassName, L"", style | WS_CHILD, 0, 0, client.right, kRowHeight,
                          parent, reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr,
                          nullptr);
}

CommandBarControl* CommandBarControl::From(HWND hwnd) {
    WCHAR name[32] = {};
    if (!GetClassName(hwnd, name, 32) || lstrcmpiW(name, kClassName) != 0) return nullptr;
    return reinterpret_cast<CommandBarControl*>(GetWindowLongPtr(hwnd, 0));
}

bool CommandBarControl::InsertMenuBar(UINT menuId) {
    if (m_menu) return false;
    m_menu = MenuTree::Load(menuId);
    if (!m_menu) return false;
    HDC hdc = GetDC(m_hwnd);
    int index = 0;
    for (const MenuItem& title : m_menu->Titles()) {
        Item item{Item::Title};
        item.width = paint::LabelWidth(hdc, title.text) + 2 * kTitlePadding;
        item.index = index++;
        m_items.push_back(item);
    }
    ReleaseDC(m_hwnd, hdc);
    Relayout();
    return true;
}

void CommandBarControl::InsertSeparator(int width) {
    Item item{Item::Separator};
    item.width = std::max(0, width);
    m_items.push_back(item);
    Relayout();
}

bool CommandBarControl::AddToolbar(UINT toolbarId) {
    const resources::ToolbarTemplate* t = resources::FindToolbar(toolbarId);
    if (!t || !m_images.Load(toolbarId, t->buttonWidth, t->buttonHeight)) return false;
    int image = 0;
    for (UINT id : t->buttons) {
        Item item{id ? Item::Button : Item::Separator};
        item.width = id ? t->buttonWidth + 2 * kButtonPadding : 6;
        item.id = id;
        item.index = id ? image++ : 0;
        m_items.push_back(item);
    }
    Relayout();
    return true;
}

void CommandBarControl::AddAdornments(DWORD) {
    // Only the close box exists on this device; the help and OK flags have
    // nothing to add.
    m_adornments = true;
    Relayout();
}

const CommandBarControl::Item* CommandBarControl::FindButton(UINT id) const {
    for (const Item& item : m_items)
        if (item.kind == Item::Button && item.id == id) return &item;
    return nullptr;
}

void CommandBarControl::SetButtonState(UINT id, bool enabled, bool checked) {
    for (Item& item : m_items) {
        if (item.kind != Item::Button || item.id != id) continue;
        if (item.enabled == enabled && item.checked == checked) continue;
        item.enabled = enabled;
        item.checked = checked;
        InvalidateItem(item);
    }
}

RECT CommandBarControl::TitleRect(int title) const {
    for (const Item& item : m_items)
        if (item.kind == Item::Title && item.index == title) return item.rect;
    return RECT{};
}

int CommandBarControl::HeightFor(int width) {
    const int saved = m_width;
    Layout(width);
    const int height = m_rows * kRowHeight;
    Layout(saved);
    return height;
}

// Flow layout: items keep their order; one that would cross the right end
// of its row (the close box's left edge on the first row) starts the next
// row, where a leading separator takes no room.
void CommandBarControl::Layout(int width) {
    m_width = width;
    const int closeLeft = m_adornments ? width - kCloseWidth : width;
    m_close = m_adornments ? RECT{closeLeft, 1, width - 1, kRowHeight - 1} : RECT{};
    int row = 0, x = 0;
    for (Item& item : m_items) {
        const int limit = row == 0 ? closeLeft : width;
        if (x > 0 && x + item.width > limit) {
            ++row;
            x = 0;
        }
        const int w = item.kind == Item::Separator && x == 0 ? 0 : item.width;
        const int top = row * kRowHeight;
        item.rect = RECT{x, top, x + w, top + kRowHeight};
        if (item.kind == Item::Button) InflateRect(&item.rect, 0, -1);
        x += w;
    }
    m_rows = row + 1;
}

void CommandBarControl::Relayout() {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    Layout(client.right);
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CommandBarControl::InvalidateItem(const Item& item) {
    InvalidateRect(m_hwnd, &item.rect, FALSE);
}

void CommandBarControl::Paint(HDC hdc) {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
    for (const Item& item : m_items) PaintItem(hdc, item);
    if (m_adornments) paint::CloseBox(hdc, m_close, m_track == Track::Close && m_pressedIn);
}

void CommandBarControl::PaintItem(HDC hdc, const Item& item) {
    if (item.kind == Item::Separator) return;
    const int self = static_cast<int>(&item - m_items.data());
    if (item.kind == Item::Title) {
        const MenuItem& title = m_menu->Titles()[static_cast<size_t>(item.index)];
        const bool open = item.index == m_openTitle;
        if (open) FillRect(hdc, &item.rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        const COLORREF ink = GetSysColor(open ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
        paint::Label(hdc, item.rect, title.text, DT_CENTER, title.enabled, ink);
        return;
    }
    const bool down = m_track == Track::Button && m_pressed == self && m_pressedIn;
    const bool sunken = down || item.checked;
    paint::ButtonFace(hdc, item.rect, sunken);
    const int shift = sunken ? 1 : 0;
    const int x = (item.rect.left + item.rect.right - m_images.Width()) / 2 + shift;
    const int y = (item.rect.top + item.rect.bottom - m_images.Height()) / 2 + shift;
    m_images.Draw(hdc, item.index, x, y, item.enabled);
}

int CommandBarControl::ItemAt(POINT client) const {
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].kind != Item::Separator && PtInRect(&m_items[i].rect, client))
            return static_cast<int>(i);
    return -1;
}

LRESULT CALLBACK CommandBarControl::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CommandBarControl*>(GetWindowLongPtr(hwnd, 0));
    if (msg == WM_NCCREATE) {
        self = new CommandBarControl(hwnd);
        SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProc(hwnd, msg, wParam, lParam);
    const LRESULT result = self->Handle(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtr(hwnd, 0, 0);
        delete self;
    }
    return result;
}

LRESULT CommandBarControl::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(m_hwnd, &ps);
            Paint(hdc);
            EndPaint(m_hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            Layout(LOWORD(lParam));
            InvalidateRect(m_hwnd, nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnDown(p);
            return 0;
        case WM_MOUSEMOVE:
            OnMove(p);
            return 0;
        case WM_LBUTTONUP:
            OnUp(p);
            return 0;
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE:
            OnCaptureLost();
            return 0;
        case WM_DESTROY:
            m_popup.reset();
            break;
        default:
            break;
    }
    return DefWindowProc(m_hwnd, msg, wParam, lParam);
}

}  // namespace quorvel::framework
