// CDataView's drawing: the text panel, drawn into a memory bitmap the size
// of the client area and copied to the screen in one go (no flicker).
#include <algorithm>

#include "app/recording/DataView.h"

namespace {

constexpr LPCTSTR kTitlePrefix = L"TITLE:";
constexpr LPCTSTR kContentPrefix = L"CONTENT:";

}  // namespace

void CDataView::OnDraw(CDC* pDC) {
    GetClientRect(&m_rcClient);
    // The scroll bars are children inside the client area: the panel stays
    // out of their way, or each refresh would paint over them.
    const CSize visible = GetVisibleSize();
    if (visible.cx > 0 && visible.cy > 0) {
        m_rcClient.right = std::min<LONG>(m_rcClient.right, visible.cx);
        m_rcClient.bottom = std::min<LONG>(m_rcClient.bottom, visible.cy);
    }
    const int width = m_rcClient.Width();
    const int height = m_rcClient.Height();
    if (width <= 0 || height <= 0) return;
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, width, height))
        return;
    CBitmap* oldBitmap = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, width, height, m_crBack);
    // The panel is laid out in the view's own coordinates; the bitmap shows
    // the part the scroll position puts on screen.
    const CPoint scroll = GetScrollPosition();
    memory.SetViewportOrg(-scroll.x, -scroll.y);
    DrawPanel(memory);
    memory.SetViewportOrg(0, 0);
    pDC->BitBlt(scroll.x, scroll.y, width, height, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(oldBitmap);
}

void CDataView::DrawPanel(CDC& dc) {
    CFont font;
    font.CreatePointFont(m_nFontSize * 10, m_strFontFace, &dc);
    CPen pen(PS_SOLID, 1, m_crLine);
    CFont* oldFont = dc.SelectObject(&font);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.SetBkMode(TRANSPARENT);
    const int titleLength = static_cast<int>(wcslen(kTitlePrefix));
    const int contentLength = static_cast<int>(wcslen(kContentPrefix));
    int top = 0;
    for (int i = 0; i < m_panelRows.GetSize();) {
        const CString& row = m_panelRows[i++];
        if (row.Find(kTitlePrefix) != 0) continue;
        CStringArray labels;
        for (; i < m_panelRows.GetSize() && m_panelRows[i].Find(kContentPrefix) == 0; ++i)
            labels.Add(m_panelRows[i].Mid(contentLength));
        DrawGroup(dc, top, row.Mid(titleLength), labels);
        const int pairs = PairsPerRow(m_rcClient.Width());
        top += (static_cast<int>(labels.GetSize()) + pairs - 1) / pairs * kRowHeight;
    }
    dc.SelectObject(oldPen);
    dc.SelectObject(oldFont);
}

int CDataView::PairsPerRow(int width) {
    return width >= kTitleWidth + 2 * (kLabelWidth + kValueWidth) ? 2 : 1;
}

CSize CDataView::PanelSize(int width) const {
    const int pairs = PairsPerRow(width);
    int rows = 0;
    for (int i = 0; i < m_panelRows.GetSize();) {
        if (m_panelRows[i++].Find(kTitlePrefix) != 0) continue;
        int labels = 0;
        for (; i < m_panelRows.GetSize() && m_panelRows[i].Find(kContentPrefix) == 0; ++i) ++labels;
        rows += (labels + pairs - 1) / pairs;
    }
    return CSize(kTitleWidth + pairs * (kLabelWidth + kValueWidth), rows * kRowHeight);
}

// One group: its title downwards in the title column, its values one or two
// to a row (two only where both pairs lie wholly in the pane: on the
// handheld's screen, 18 + 2 x 117 pixels do not), and the grid of lines
// around the cells.
//
// The pane is a few pixels lower than its rows: a cell cut by the pane's
// edge centres its text in the part that shows, so the last row stays
// readable.
void CDataView::DrawGroup(CDC& dc, int top, const CString& title, const CStringArray& labels) {
    const int pairs = PairsPerRow(m_rcClient.Width());
    const int rows = (static_cast<int>(labels.GetSize()) + pairs - 1) / pairs;
    const int height = rows * kRowHeight;
    const int shownBottom = m_rcClient.bottom + GetScrollPosition().y;
    auto shown = [&](CRect cell) {
        if (cell.bottom > shownBottom && cell.top < shownBottom) cell.bottom = shownBottom;
        return cell;
    };
    const int pairWidth = kLabelWidth + kValueWidth;
    // A lone pair's value cell takes the rest of the row: a latitude (14
    // characters, 84 pixels in the panel font) is longer than 80 pixels.
    const int right = pairs == 1
                          ? std::max(kTitleWidth + pairWidth, static_cast<int>(m_rcClient.Width()))
                          : kTitleWidth + pairs * pairWidth;

    for (int r = 0; r <= rows; ++r) {
        dc.MoveTo(r == 0 || r == rows ? 0 : kTitleWidth, top + r * kRowHeight);
        dc.LineTo(right, top + r * kRowHeight);
    }
    const int columns[] = {kTitleWidth, kTitleWidth + kLabelWidth, kTitleWidth + pairWidth,
                           kTitleWidth + pairWidth + kLabelWidth};
    for (int c = 0; c < 2 * pairs; ++c) {
        dc.MoveTo(columns[c], top);
        dc.LineTo(columns[c], top + height);
    }
    dc.MoveTo(right - 1, top);
    dc.LineTo(right - 1, top + height);

    dc.SetTextColor(m_crTitle);
    const int charHeight = std::max(1, static_cast<int>(dc.GetTextExtent(L"位", 1).cy));
    const int count = title.GetLength();
    const int titleHeight = std::min(top + height, shownBottom) - top;
    int y = top + std::max(0, (titleHeight - count * charHeight) / 2);
    for (int c = 0; c < count; ++c, y += charHeight) {
        CRect cell(0, y, kTitleWidth, y + charHeight);
        dc.DrawText(title.Mid(c, 1), &cell, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }

    dc.SetTextColor(m_crContent);
    for (int i = 0; i < labels.GetSize(); ++i) {
        const int x = kTitleWidth + (i % pairs) * pairWidth;
        const int rowTop = top + (i / pairs) * kRowHeight;
        CRect label = shown(CRect(x, rowTop, x + kLabelWidth, rowTop + kRowHeight));
        dc.DrawText(labels[i], &label, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        const int valueRight = pairs == 1 ? right : x + pairWidth;
        CRect value =
            shown(CRect(x + kLabelWidth + kValueInset, rowTop, valueRight, rowTop + kRowHeight));
        dc.DrawText(ValueOf(labels[i]), &value, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
}
