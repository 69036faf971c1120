// The list box's items and messages.
#include "platform/controls/ListBox.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace quorvel::controls {

int CompareListText(const std::wstring& a, const std::wstring& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const wint_t x = std::towlower(a[i]), y = std::towlower(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool ListTextMatches(const std::wstring& text, const std::wstring& prefix, bool whole) {
    if (whole ? text.size() != prefix.size() : text.size() < prefix.size()) return false;
    return CompareListText(text.substr(0, prefix.size()), prefix) == 0;
}

LRESULT ListBox::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCCREATE: {
            const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
            wchar_t cls[16] = {};
            GetClassName(m_hwnd, cls, 16);
            if (std::wstring(cls) == L"ComboLBox" && cs->lpCreateParams) {
                m_combo = static_cast<HWND>(cs->lpCreateParams);
                SetNotifyTarget(m_combo);
            }
            return Default(msg, wParam, lParam);
        }
        case WM_CHAR:
            OnChar(static_cast<wchar_t>(wParam));
            return 0;
        case WM_HSCROLL:
            return Default(msg, wParam, lParam);
        default:
            if (msg >= LB_ADDSTRING && msg <= LB_ITEMFROMPOINT)
                return OnItemMessage(msg, wParam, lParam);
            return Route(msg, wParam, lParam);
    }
}

LRESULT ListBox::OnItemMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto text = reinterpret_cast<LPCTSTR>(lParam);
    const auto asked = static_cast<long>(static_cast<int>(wParam));
    switch (msg) {
        case LB_ADDSTRING:
            return Insert(-2, text);
        case LB_INSERTSTRING:
            return Insert(asked, text);
        case LB_DELETESTRING:
            return Delete(wParam);
        case LB_RESETCONTENT:
            m_items.clear();
            m_sel = -1;
            m_top = 0;
            UpdateScrollBar();
            Invalidate();
            return LB_OKAY;
        case LB_SETCURSEL:
            return SetSelection(asked);
        case LB_GETCURSEL:
            return m_sel;
        case LB_GETCARETINDEX:
            return std::max<long>(m_sel, 0);
        case LB_SETCARETINDEX:
            return ValidIndex(wParam) ? LB_OKAY : LB_ERR;
        case LB_GETSEL:
            return ValidIndex(wParam) ? (asked == m_sel ? 1 : 0) : LB_ERR;
        case LB_SETSEL:
            return LB_ERR;  // single selection only
        case LB_GETCOUNT:
            return static_cast<LRESULT>(m_items.size());
        case LB_GETTEXT: {
            if (!ValidIndex(wParam)) return LB_ERR;
            const std::wstring& t = m_items[wParam].text;
            if (auto* out = reinterpret_cast<LPTSTR>(lParam)) {
                std::wmemcpy(out, t.c_str(), t.size() + 1);
            }
            return static_cast<LRESULT>(t.size());
        }
        case LB_GETTEXTLEN:
            return ValidIndex(wParam) ? static_cast<LRESULT>(m_items[wParam].text.size()) : LB_ERR;
        case LB_GETITEMDATA:
            return ValidIndex(wParam) ? m_items[wParam].data : LB_ERR;
        case LB_SETITEMDATA:
            if (!ValidIndex(wParam)) return LB_ERR;
            m_items[wParam].data = lParam;
            return LB_OKAY;
        case LB_FINDSTRING:
            return Find(asked, text, false);
        case LB_FINDSTRINGEXACT:
            return Find(asked, text, true);
        case LB_SELECTSTRING: {
            const LRESULT found = Find(asked, text, false);
            return found == LB_ERR ? LB_ERR : SetSelection(static_cast<long>(found));
        }
        case LB_GETTOPINDEX:
            return m_top;
        case LB_SETTOPINDEX:
            if (asked >= static_cast<long>(m_items.size()) && asked > 0) return LB_ERR;
            SetTop(asked);
            return LB_OKAY;
        case LB_GETITEMHEIGHT:
            return m_itemHeight;
        case LB_SETITEMHEIGHT:
            if (LOWORD(lParam) == 0 || LOWORD(lParam) > 255) return LB_ERR;
            m_itemHeight = LOWORD(lParam);
            UpdateScrollBar();
            Invalidate();
            return LB_OKAY;
        case LB_GETITEMRECT:
            if (!ValidIndex(wParam) || !lParam) return LB_ERR;
            *reinterpret_cast<RECT*>(lParam) = ItemRect(asked);
            return LB_OKAY;
        case LB_ITEMFROMPOINT: {
            const POINT p = MousePoint(lParam);
            const long at = ItemAt(p);
            const long nearest =
                at >= 0 ? at : std::max<long>(0, static_cast<long>(m_items.size()) - 1);
            return MAKELONG(nearest, at >= 0 ? 0 : 1);
        }
        default:
            return LB_ERR;
    }
}

// index -2: add, in sorted order when the list sorts; -1: at the end.
LRESULT ListBox::Insert(long index, LPCTSTR text) {
    Item item{text ? text : L"", 0};
    const long count = static_cast<long>(m_items.size());
    const bool sorted =
        m_combo ? (GetWindowLong(m_combo, GWL_STYLE) & CBS_SORT) : (style() & LBS_SORT);
    if (index == -2 && sorted) {
        index = 0;
        while (index < count && CompareListText(m_items[index].text, item.text) <= 0) ++index;
    } else if (index < 0) {
        index = count;
    } else if (index > count) {
        return LB_ERR;
    }
    m_items.insert(m_items.begin() + index, std::move(item));
    if (m_sel >= index) ++m_sel;
    UpdateScrollBar();
    Invalidate();
    return index;
}

LRESULT ListBox::Delete(WPARAM index) {
    if (!ValidIndex(index)) return LB_ERR;
    const auto at = static_cast<long>(index);
    m_items.erase(m_items.begin() + at);
    if (m_sel == at)
        m_sel = -1;
    else if (m_sel > at)
        --m_sel;
    SetTop(m_top);
    UpdateScrollBar();
    Invalidate();
    return static_cast<LRESULT>(m_items.size());
}

// Searches after `start` (from the first item for -1) round to `start`.
LRESULT ListBox::Find(long start, LPCTSTR text, bool whole) const {
    const long count = static_cast<long>(m_items.size());
    if (!text || count == 0) return LB_ERR;
    const std::wstring wanted = text;
    if (start < 0 || start >= count) start = -1;
    for (long i = 1; i <= count; ++i) {
        const long at = (start + i) % count;
        if (ListTextMatches(m_items[at].text, wanted, whole)) return at;
    }
    return LB_ERR;
}

LRESULT ListBox::SetSelection(long index) {
    const bool valid = index >= 0 && index < static_cast<long>(m_items.size());
    m_sel = valid ? index : -1;
    if (valid) EnsureVisible(index);
    Invalidate();
    return valid ? index : LB_ERR;
}

void ListBox::OnFocus(bool gained) {
    if (!gained) m_tracking = false;
    Invalidate();
    if (Notifies() && !m_combo) Command(gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
}

std::string ListBox::Describe() const {
    std::string out =
        " sel=" + std::to_string(m_sel) + " top=" + std::to_string(m_top) + " items=[";
    for (size_t i = 0; i < m_items.size(); ++i) out += (i ? "," : "") + Quote(m_items[i].text);
    return out + "]";
}

}  // namespace quorvel::controls
