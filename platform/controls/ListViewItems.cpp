// The list view's columns, rows and states.
#include <algorithm>
#include <cwchar>

#include "platform/controls/ListView.h"
#include "platform/controls/StylePainter.h"

namespace quorvel::controls {
namespace {

void CopyText(const std::wstring& text, LPWSTR out, int room) {
    if (!out || room <= 0) return;
    const size_t n = std::min<size_t>(text.size(), static_cast<size_t>(room) - 1);
    std::wmemcpy(out, text.data(), n);
    out[n] = L'\0';
}

bool IsCallbackText(LPCWSTR text) {
    return reinterpret_cast<intptr_t>(text) == -1;
}

}  // namespace

LRESULT ListView::InsertColumn(long index, const LVCOLUMN* column) {
    if (!column || index < 0) return -1;
    index = std::min<long>(index, static_cast<long>(m_columns.size()));
    Column c;
    if (column->mask & LVCF_WIDTH) c.width = std::max(0, column->cx);
    if (column->mask & LVCF_FMT) c.fmt = column->fmt & LVCFMT_JUSTIFYMASK;
    if ((column->mask & LVCF_TEXT) && column->pszText) c.text = column->pszText;
    m_columns.insert(m_columns.begin() + index, std::move(c));
    for (Row& r : m_rows)
        if (static_cast<long>(r.texts.size()) >= index)
            r.texts.insert(r.texts.begin() + index, std::wstring());
    Relayout();
    Invalidate();
    return index;
}

LRESULT ListView::SetColumn(long index, const LVCOLUMN* column) {
    if (!column || index < 0 || index >= static_cast<long>(m_columns.size())) return FALSE;
    Column& c = m_columns[index];
    if (column->mask & LVCF_WIDTH) c.width = std::max(0, column->cx);
    if (column->mask & LVCF_FMT) c.fmt = column->fmt & LVCFMT_JUSTIFYMASK;
    if ((column->mask & LVCF_TEXT) && column->pszText) c.text = column->pszText;
    Relayout();
    Invalidate();
    return TRUE;
}

LRESULT ListView::GetColumn(long index, LVCOLUMN* column) const {
    if (!column || index < 0 || index >= static_cast<long>(m_columns.size())) return FALSE;
    const Column& c = m_columns[index];
    if (column->mask & LVCF_WIDTH) column->cx = c.width;
    if (column->mask & LVCF_FMT) column->fmt = c.fmt;
    if (column->mask & LVCF_TEXT) CopyText(c.text, column->pszText, column->cchTextMax);
    if (column->mask & LVCF_SUBITEM) column->iSubItem = static_cast<int>(index);
    return TRUE;
}

LRESULT ListView::DeleteColumn(long index) {
    if (index < 0 || index >= static_cast<long>(m_columns.size())) return FALSE;
    m_columns.erase(m_columns.begin() + index);
    for (Row& r : m_rows)
        if (index < static_cast<long>(r.texts.size())) r.texts.erase(r.texts.begin() + index);
    Relayout();
    Invalidate();
    return TRUE;
}

// LVSCW_AUTOSIZE fits the widest text; LVSCW_AUTOSIZE_USEHEADER also the
// heading, and gives the last column the rest of the width.
LRESULT ListView::SetColumnWidth(long index, int width) {
    if (index < 0 || index >= static_cast<long>(m_columns.size())) return FALSE;
    const int asked = width;
    if (asked == LVSCW_AUTOSIZE || asked == LVSCW_AUTOSIZE_USEHEADER) {
        ScratchDc scratch;
        StylePainter painter(scratch.dc, m_font);
        int widest =
            asked == LVSCW_AUTOSIZE_USEHEADER ? painter.TextWidth(m_columns[index].text) : 0;
        for (const Row& r : m_rows)
            if (index < static_cast<long>(r.texts.size()))
                widest = std::max(widest, painter.TextWidth(r.texts[index]));
        width = widest + 12 + (index == 0 ? ImageWidth() : 0);
        if (asked == LVSCW_AUTOSIZE_USEHEADER && index + 1 == static_cast<long>(m_columns.size()))
            width = std::max<int>(width, RowsArea().right - (ColumnLeft(index) + m_scrollX));
    }
    m_columns[index].width = std::max(0, width);
    Relayout();
    Invalidate();
    return TRUE;
}

LRESULT ListView::InsertItem(const LVITEM* item) {
    if (!item || item->iSubItem != 0 || item->iItem < 0) return -1;
    const long index = std::min<long>(item->iItem, Count());
    Row row;
    row.texts.resize(std::max<size_t>(1, m_columns.size()));
    if ((item->mask & LVIF_TEXT) && item->pszText && !IsCallbackText(item->pszText))
        row.texts[0] = item->pszText;
    if (item->mask & LVIF_IMAGE) row.image = item->iImage;
    if (item->mask & LVIF_PARAM) row.param = item->lParam;
    if (item->mask & LVIF_STATE) row.state = item->state & item->stateMask;
    if (item->mask & LVIF_INDENT) row.indent = item->iIndent;
    m_rows.insert(m_rows.begin() + index, std::move(row));
    if (m_mark >= index) ++m_mark;
    if (m_hot >= index) ++m_hot;
    Relayout();
    Invalidate();
    return index;
}

LRESULT ListView::SetItem(const LVITEM* item) {
    if (!item || !Valid(item->iItem) || item->iSubItem < 0) return FALSE;
    Row& row = m_rows[item->iItem];
    if ((item->mask & LVIF_TEXT) && !IsCallbackText(item->pszText)) {
        if (static_cast<size_t>(item->iSubItem) >= row.texts.size())
            row.texts.resize(static_cast<size_t>(item->iSubItem) + 1);
        row.texts[item->iSubItem] = item->pszText ? item->pszText : L"";
    }
    if (item->iSubItem == 0) {
        if (item->mask & LVIF_IMAGE) row.image = item->iImage;
        if (item->mask & LVIF_PARAM) row.param = item->lParam;
        if (item->mask & LVIF_INDENT) row.indent = item->iIndent;
        if (item->mask & LVIF_STATE) SetState(item->iItem, item->state, item->stateMask);
    }
    Invalidate();
    return TRUE;
}

LRESULT ListView::GetItem(LVITEM* item) const {
    if (!item || !Valid(item->iItem)) return FALSE;
    const Row& row = m_rows[item->iItem];
    if (item->mask & LVIF_TEXT) {
        const size_t sub = static_cast<size_t>(std::max(0, item->iSubItem));
        CopyText(sub < row.texts.size() ? row.texts[sub] : std::wstring(), item->pszText,
                 item->cchTextMax);
    }
    if (item->mask & LVIF_IMAGE) item->iImage = row.image;
    if (item->mask & LVIF_PARAM) item->lParam = row.param;
    if (item->mask & LVIF_STATE) item->state = row.state & item->stateMask;
    if (item->mask & LVIF_INDENT) item->iIndent = row.indent;
    return TRUE;
}

LRESULT ListView::GetItemText(long index, LVITEM* item) const {
    if (!item || !Valid(index)) return 0;
    const Row& row = m_rows[index];
    const size_t sub = static_cast<size_t>(std::max(0, item->iSubItem));
    const std::wstring text = sub < row.texts.size() ? row.texts[sub] : std::wstring();
    CopyText(text, item->pszText, item->cchTextMax);
    return static_cast<LRESULT>(std::min<size_t>(text.size(), std::max(0, item->cchTextMax - 1)));
}

LRESULT ListView::DeleteItem(long index) {
    if (!Valid(index)) return FALSE;
    NotifyItem(LVN_DELETEITEM, index, 0, 0, 0);
    if (!Valid(index)) return FALSE;
    m_rows.erase(m_rows.begin() + index);
    if (m_mark == index)
        m_mark = -1;
    else if (m_mark > index)
        --m_mark;
    if (m_hot == index)
        m_hot = -1;
    else if (m_hot > index)
        --m_hot;
    Relayout();
    ScrollTo(m_top, m_scrollX);
    Invalidate();
    return TRUE;
}

// The parent may answer LVN_DELETEALLITEMS with TRUE to do without the
// LVN_DELETEITEM of every row.
LRESULT ListView::DeleteAllItems() {
    LRESULT quiet = 0;
    if (Count() > 0) NotifyItem(LVN_DELETEALLITEMS, -1, 0, 0, 0, &quiet);
    if (!quiet)
        for (long i = 0; i < Count(); ++i) NotifyItem(LVN_DELETEITEM, i, 0, 0, 0);
    m_rows.clear();
    m_top = 0;
    m_mark = m_hot = -1;
    Relayout();
    Invalidate();
    return TRUE;
}

LRESULT ListView::NextItem(long start, UINT flags) const {
    UINT wanted = 0;
    if (flags & LVNI_SELECTED) wanted |= LVIS_SELECTED;
    if (flags & LVNI_FOCUSED) wanted |= LVIS_FOCUSED;
    if (flags & LVNI_CUT) wanted |= LVIS_CUT;
    if (flags & LVNI_DROPHILITED) wanted |= LVIS_DROPHILITED;
    const long step = (flags & LVNI_ABOVE) ? -1 : 1;
    long i = start < 0 ? (step > 0 ? 0 : -1) : start + step;
    for (; i >= 0 && i < Count(); i += step)
        if ((m_rows[i].state & wanted) == wanted) return i;
    return -1;
}

bool ListView::SetState(long index, UINT state, UINT mask) {
    if (!Valid(index)) return false;
    const UINT old = m_rows[index].state;
    UINT now = (old & ~mask) | (state & mask);
    if (SingleSel() && (now & LVIS_SELECTED) && !(old & LVIS_SELECTED)) {
        for (long i = 0; i < Count(); ++i)
            if (i != index) SetState(i, 0, LVIS_SELECTED);
    }
    if ((now & LVIS_FOCUSED) && !(old & LVIS_FOCUSED)) {
        for (long i = 0; i < Count(); ++i)
            if (i != index) SetState(i, 0, LVIS_FOCUSED);
    }
    if (now == old || !Valid(index)) return true;
    LRESULT refused = 0;
    NotifyItem(LVN_ITEMCHANGING, index, old, now, LVIF_STATE, &refused);
    if (refused || !Valid(index)) return false;
    m_rows[index].state = now;
    if ((now & LVIS_SELECTED) && !(old & LVIS_SELECTED)) m_mark = index;
    Invalidate();
    NotifyItem(LVN_ITEMCHANGED, index, old, now, LVIF_STATE);
    return true;
}

void ListView::SelectOnly(long index) {
    for (long i = 0; i < Count(); ++i)
        if (i != index) SetState(i, 0, LVIS_SELECTED | (index >= 0 ? LVIS_FOCUSED : 0));
    if (Valid(index)) SetState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void ListView::NotifyItem(UINT code, long index, UINT oldState, UINT newState, UINT changed,
                          LRESULT* result) {
    NMLISTVIEW nm{};
    nm.iItem = static_cast<int>(index);
    nm.uOldState = oldState;
    nm.uNewState = newState;
    nm.uChanged = changed;
    nm.lParam = Valid(index) ? m_rows[index].param : 0;
    const LRESULT answer = Notify(nm.hdr, code);
    if (result) *result = answer;
}

}  // namespace quorvel::controls
