#include "platform/controls/TabControl.h"

#include <algorithm>
#include <cwchar>

#include "platform/controls/StylePainter.h"

namespace quorvel::controls {
namespace {

constexpr int kTabPadding = 12;  // text to tab edges, both sides together
constexpr int kSheetEdge = 2;    // the sheet's raised edge

}  // namespace

LRESULT TabControl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            Measure();
            return 0;
        case WM_SETFONT:
            Default(msg, wParam, lParam);
            Measure();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Invalidate();
            return 0;
        case WM_LBUTTONDOWN: {
            if (style() & TCS_FOCUSONBUTTONDOWN) SetFocus(m_hwnd);
            const long tab = TabAt(MousePoint(lParam));
            if (tab >= 0 && tab != m_sel) Choose(tab);
            return 0;
        }
        case WM_KEYDOWN: {
            NMHDR header{};
            Notify(header, TCN_KEYDOWN);
            if (wParam == VK_LEFT && m_sel > 0) Choose(m_sel - 1);
            if (wParam == VK_RIGHT && m_sel + 1 < Count()) Choose(m_sel + 1);
            return 0;
        }
        case WM_PAINT:
            Paint();
            return 0;
        default:
            if (msg >= TCM_FIRST && msg < TCM_FIRST + 0x100)
                return OnTabMessage(msg, wParam, lParam);
            return Default(msg, wParam, lParam);
    }
}

LRESULT TabControl::OnTabMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<long>(static_cast<int>(wParam));
    switch (msg) {
        case TCM_INSERTITEM:
            return Insert(index, reinterpret_cast<const TCITEM*>(lParam));
        case TCM_DELETEITEM:
            return Delete(index);
        case TCM_DELETEALLITEMS:
            m_tabs.clear();
            m_sel = m_focus = -1;
            Measure();
            return TRUE;
        case TCM_GETITEM:
            return GetItem(index, reinterpret_cast<TCITEM*>(lParam));
        case TCM_SETITEM:
            return SetItem(index, reinterpret_cast<const TCITEM*>(lParam));
        case TCM_GETITEMCOUNT:
            return Count();
        case TCM_GETCURSEL:
            return m_sel;
        case TCM_SETCURSEL: {
            if (!Valid(index)) return -1;
            const long old = m_sel;
            m_sel = m_focus = index;
            Invalidate();
            return old;
        }
        case TCM_GETCURFOCUS:
            return m_focus;
        case TCM_SETCURFOCUS:
            if (Valid(index) && index != m_sel) Choose(index);
            return 0;
        case TCM_GETITEMRECT:
            if (!Valid(index) || !lParam) return FALSE;
            *reinterpret_cast<RECT*>(lParam) = TabRect(index);
            return TRUE;
        case TCM_HITTEST: {
            auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
            if (!info) return -1;
            const long tab = TabAt(info->pt);
            info->flags = tab >= 0 ? TCHT_ONITEMLABEL : TCHT_NOWHERE;
            return tab;
        }
        case TCM_ADJUSTRECT:
            AdjustRect(wParam != 0, reinterpret_cast<RECT*>(lParam));
            return 0;
        case TCM_SETIMAGELIST: {
            HIMAGELIST old = m_images;
            m_images = reinterpret_cast<HIMAGELIST>(lParam);
            return reinterpret_cast<LRESULT>(old);
        }
        case TCM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(m_images);
        default:
            return 0;
    }
}

// The first tab put in is the current one.
LRESULT TabControl::Insert(long index, const TCITEM* item) {
    if (!item || index < 0) return -1;
    index = std::min(index, Count());
    Tab tab;
    if ((item->mask & TCIF_TEXT) && item->pszText) tab.text = item->pszText;
    if (item->mask & TCIF_IMAGE) tab.image = item->iImage;
    if (item->mask & TCIF_PARAM) tab.param = item->lParam;
    m_tabs.insert(m_tabs.begin() + index, std::move(tab));
    if (m_sel < 0) {
        m_sel = m_focus = 0;
    } else if (m_sel >= index) {
        ++m_sel;
        m_focus = m_sel;
    }
    Measure();
    return index;
}

LRESULT TabControl::Delete(long index) {
    if (!Valid(index)) return FALSE;
    m_tabs.erase(m_tabs.begin() + index);
    if (m_sel == index)
        m_sel = -1;
    else if (m_sel > index)
        --m_sel;
    m_focus = m_sel;
    Measure();
    return TRUE;
}

LRESULT TabControl::GetItem(long index, TCITEM* item) const {
    if (!item || !Valid(index)) return FALSE;
    const Tab& tab = m_tabs[index];
    if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
        const size_t n = std::min<size_t>(tab.text.size(), item->cchTextMax - 1);
        std::wmemcpy(item->pszText, tab.text.data(), n);
        item->pszText[n] = L'\0';
    }
    if (item->mask & TCIF_IMAGE) item->iImage = tab.image;
    if (item->mask & TCIF_PARAM) item->lParam = tab.param;
    return TRUE;
}

LRESULT TabControl::SetItem(long index, const TCITEM* item) {
    if (!item || !Valid(index)) return FALSE;
    Tab& tab = m_tabs[index];
    if ((item->mask & TCIF_TEXT) && item->pszText) tab.text = item->pszText;
    if (item->mask & TCIF_IMAGE) tab.image = item->iImage;
    if (item->mask & TCIF_PARAM) tab.param = item->lParam;
    Measure();
    return TRUE;
}

// larger FALSE: the sheet's inside for a window rectangle; TRUE: the
// window rectangle for a sheet's inside.
void TabControl::AdjustRect(bool larger, RECT* rect) const {
    if (!rect) return;
    const int top = m_rowHeight + kSheetEdge, side = kSheetEdge;
    const int sign = larger ? -1 : 1;
    rect->left += sign * side;
    rect->top += sign * top;
    rect->right -= sign * side;
    rect->bottom -= sign * side;
}

void TabControl::Measure() {
    ScratchDc scratch;
    StylePainter painter(scratch.dc, m_font);
    m_rowHeight = painter.TextHeight() + 8;
    m_widths.clear();
    for (const Tab& tab : m_tabs)
        m_widths.push_back(std::max(painter.TextWidth(tab.text) + kTabPadding, 24));
    Invalidate();
}

RECT TabControl::TabRect(long index) const {
    int x = kSheetEdge;
    for (long i = 0; i < index; ++i) x += m_widths[i];
    return RECT{x, kSheetEdge, x + m_widths[index], m_rowHeight};
}

long TabControl::TabAt(POINT p) const {
    for (long i = 0; i < Count(); ++i)
        if (Inside(TabRect(i), p)) return i;
    return -1;
}

void TabControl::Choose(long index) {
    NMHDR header{};
    if (Notify(header, TCN_SELCHANGING)) return;
    if (!Valid(index)) return;
    m_sel = m_focus = index;
    Invalidate();
    Notify(header, TCN_SELCHANGE);
}

void TabControl::Paint() {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(m_hwnd, &ps);
    if (!hdc) return;
    const RECT client = clientRect();
    HBRUSH brush = AskColors(WM_CTLCOLORSTATIC, hdc, COLOR_BTNFACE, COLOR_BTNTEXT);
    StylePainter painter(hdc, m_font);
    painter.Fill(RECT{client.left, client.top, client.right, m_rowHeight}, brush);
    painter.TabBody(RECT{client.left, m_rowHeight - 1, client.right, client.bottom});
    for (long i = 0; i < Count(); ++i)
        if (i != m_sel) painter.Tab(TabRect(i), m_tabs[i].text, false, false);
    if (Valid(m_sel)) {
        RECT r = TabRect(m_sel);
        r = RECT{r.left - 2, r.top - 2, r.right + 2, r.bottom};
        painter.Tab(r, m_tabs[m_sel].text, true, focused());
    }
    EndPaint(m_hwnd, &ps);
}

std::string TabControl::Describe() const {
    std::string out = " sel=" + std::to_string(m_sel) + " tabs=[";
    for (size_t i = 0; i < m_tabs.size(); ++i) out += (i ? "," : "") + Quote(m_tabs[i].text);
    return out + "]";
}

}  // namespace quorvel::controls
