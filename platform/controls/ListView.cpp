// The list view's messages.
#include "platform/controls/ListView.h"

#include "platform/controls/StylePainter.h"

namespace quorvel::controls {

LRESULT ListView::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY && !(style() & LVS_SHAREIMAGELISTS)) {
        ImageList_Destroy(m_small);
        ImageList_Destroy(m_normal);
        ImageList_Destroy(m_state);
    }
    if (msg >= LVM_FIRST && msg < LVM_FIRST + 0x100) return OnListMessage(msg, wParam, lParam);
    return Route(msg, wParam, lParam);
}

LRESULT ListView::OnListMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto index = static_cast<long>(static_cast<int>(wParam));
    auto* item = reinterpret_cast<LVITEM*>(lParam);
    auto* column = reinterpret_cast<LVCOLUMN*>(lParam);
    switch (msg) {
        case LVM_INSERTCOLUMN:
            return InsertColumn(index, column);
        case LVM_SETCOLUMN:
            return SetColumn(index, column);
        case LVM_GETCOLUMN:
            return GetColumn(index, column);
        case LVM_DELETECOLUMN:
            return DeleteColumn(index);
        case LVM_GETCOLUMNWIDTH:
            return index >= 0 && index < static_cast<long>(m_columns.size())
                       ? m_columns[index].width
                       : 0;
        case LVM_SETCOLUMNWIDTH:
            return SetColumnWidth(index, static_cast<short>(LOWORD(lParam)));
        case LVM_INSERTITEM:
            return InsertItem(item);
        case LVM_SETITEM:
            return SetItem(item);
        case LVM_GETITEM:
            return GetItem(item);
        case LVM_SETITEMTEXT: {
            if (!item) return FALSE;
            LVITEM text = *item;
            text.mask = LVIF_TEXT;
            text.iItem = index;
            return SetItem(&text);
        }
        case LVM_GETITEMTEXT:
            return GetItemText(index, item);
        case LVM_DELETEITEM:
            return DeleteItem(index);
        case LVM_DELETEALLITEMS:
            return DeleteAllItems();
        case LVM_GETITEMCOUNT:
            return Count();
        case LVM_GETNEXTITEM:
            return NextItem(index, LOWORD(lParam));
        case LVM_SETITEMSTATE: {
            if (!item) return FALSE;
            if (index == -1) {
                for (long i = 0; i < Count(); ++i) SetState(i, item->state, item->stateMask);
                return TRUE;
            }
            return Valid(index) && SetState(index, item->state, item->stateMask);
        }
        case LVM_GETITEMSTATE:
            return Valid(index) ? static_cast<LRESULT>(m_rows[index].state & lParam) : 0;
        case LVM_GETSELECTEDCOUNT: {
            LRESULT n = 0;
            for (const Row& r : m_rows) n += (r.state & LVIS_SELECTED) ? 1 : 0;
            return n;
        }
        case LVM_ENSUREVISIBLE:
            if (!Valid(index)) return FALSE;
            EnsureVisible(index);
            return TRUE;
        case LVM_GETITEMRECT:
            return GetItemRect(index, reinterpret_cast<RECT*>(lParam));
        case LVM_GETSUBITEMRECT:
            return GetSubItemRect(index, reinterpret_cast<RECT*>(lParam));
        case LVM_HITTEST:
            return HitTest(reinterpret_cast<LVHITTESTINFO*>(lParam), false);
        case LVM_SUBITEMHITTEST:
            return HitTest(reinterpret_cast<LVHITTESTINFO*>(lParam), true);
        default:
            return OnViewMessage(msg, wParam, lParam);
    }
}

LRESULT ListView::OnViewMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case LVM_SETEXTENDEDLISTVIEWSTYLE: {
            const DWORD old = m_exStyle;
            const DWORD mask = wParam ? static_cast<DWORD>(wParam) : ~0u;
            m_exStyle = (m_exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
            Invalidate();
            return old;
        }
        case LVM_GETEXTENDEDLISTVIEWSTYLE:
            return m_exStyle;
        case LVM_SETIMAGELIST: {
            HIMAGELIST& slot = wParam == LVSIL_SMALL   ? m_small
                               : wParam == LVSIL_STATE ? m_state
                                                       : m_normal;
            HIMAGELIST old = slot;
            slot = reinterpret_cast<HIMAGELIST>(lParam);
            Measure();
            return reinterpret_cast<LRESULT>(old);
        }
        case LVM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(wParam == LVSIL_SMALL   ? m_small
                                             : wParam == LVSIL_STATE ? m_state
                                                                     : m_normal);
        case LVM_GETTOPINDEX:
            return m_top;
        case LVM_GETCOUNTPERPAGE:
            return VisibleRows();
        case LVM_SCROLL:
            ScrollTo(m_top + static_cast<long>(lParam) / std::max(1, m_rowHeight),
                     m_scrollX + static_cast<int>(static_cast<int>(wParam)));
            return TRUE;
        case LVM_REDRAWITEMS:
        case LVM_UPDATE:
            Invalidate();
            return TRUE;
        case LVM_GETHEADER:
            return 0;
        case LVM_GETSELECTIONMARK:
            return m_mark;
        case LVM_SETSELECTIONMARK: {
            const long old = m_mark;
            m_mark = static_cast<long>(lParam);
            return old;
        }
        case LVM_GETSTRINGWIDTH: {
            ScratchDc scratch;
            const auto* text = reinterpret_cast<LPCTSTR>(lParam);
            return text ? StylePainter(scratch.dc, m_font).TextWidth(text) : 0;
        }
        default:
            return OnColorMessage(msg, lParam);
    }
}

LRESULT ListView::OnColorMessage(UINT msg, LPARAM lParam) {
    const auto color = static_cast<COLORREF>(lParam);
    switch (msg) {
        case LVM_GETBKCOLOR:
            return m_bk == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : m_bk;
        case LVM_SETBKCOLOR:
            m_bk = color;
            break;
        case LVM_GETTEXTCOLOR:
            return m_text == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : m_text;
        case LVM_SETTEXTCOLOR:
            m_text = color;
            break;
        case LVM_GETTEXTBKCOLOR:
            return m_textBk;
        case LVM_SETTEXTBKCOLOR:
            m_textBk = color;
            break;
        default:
            return 0;
    }
    Invalidate();
    return TRUE;
}

std::string ListView::Describe() const {
    std::string out = " columns=[";
    for (size_t c = 0; c < m_columns.size(); ++c)
        out += (c ? "," : "") + Quote(m_columns[c].text) + ":" + std::to_string(m_columns[c].width);
    out += "] rows=[";
    for (size_t r = 0; r < m_rows.size(); ++r) {
        out += r ? "," : "";
        out += "[";
        for (size_t c = 0; c < m_rows[r].texts.size(); ++c)
            out += (c ? "," : "") + Quote(m_rows[r].texts[c]);
        out += "]";
        if (m_rows[r].state & LVIS_SELECTED) out += "*";
        if (m_rows[r].state & LVIS_FOCUSED) out += "^";
    }
    return out + "] top=" + std::to_string(m_top);
}

}  // namespace quorvel::controls
