// CGraphView: deleting lines and texts inside a stylus rectangle, placing a
// text where the stylus taps, and the hot keys A and B.
#include <algorithm>

#include "app/plan/DrawTextDlg.h"
#include "app/plan/GraphView.h"
#include "app/screens/ViewStoreKeys.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

constexpr COLORREF kSelected = 0xFF;  // red

}  // namespace

// Selected items are shown red while the user decides; No puts each back
// as it was, Yes removes them from the highest index down.
void CGraphView::DeleteInArea(const CRect& band) {
    CGraphLayer* layer = FirstLayer();
    if (layer == nullptr) return;
    auto& lines = layer->m_lines.m_items;
    m_selLines.clear();
    for (size_t i = 0; i < lines.size(); ++i) {
        POINT a = WorldToScreen(lines[i].m_ptStart.m_dX, lines[i].m_ptStart.m_dY);
        POINT b = WorldToScreen(lines[i].m_ptEnd.m_dX, lines[i].m_ptEnd.m_dY);
        int x1 = a.x, y1 = a.y, x2 = b.x, y2 = b.y;
        if (ClipLine(band, x1, y1, x2, y2)) m_selLines.push_back(static_cast<int>(i));
    }
    std::vector<CGraphLine> keptLines;
    for (int i : m_selLines) {
        keptLines.push_back(lines[static_cast<size_t>(i)]);
        lines[static_cast<size_t>(i)].m_crPen = kSelected;
    }
    Invalidate(FALSE);
    UpdateWindow();
    if (!m_selLines.empty()) {
        if (MessageBox(L"是否删除所选线?", L"提示", MB_YESNO) == IDYES) {
            for (auto it = m_selLines.rbegin(); it != m_selLines.rend(); ++it)
                lines.erase(lines.begin() + *it);
        } else {
            for (size_t k = 0; k < m_selLines.size(); ++k)
                lines[static_cast<size_t>(m_selLines[k])] = keptLines[k];
        }
    }
    auto& texts = layer->m_texts.m_items;
    m_selTexts.clear();
    for (size_t i = 0; i < texts.size(); ++i) {
        const POINT p = WorldToScreen(texts[i].m_ptAnchor.m_dX, texts[i].m_ptAnchor.m_dY);
        if (PointInClient(band, p.x, p.y)) m_selTexts.push_back(static_cast<int>(i));
    }
    std::vector<CGraphText> keptTexts;
    for (int i : m_selTexts) {
        keptTexts.push_back(texts[static_cast<size_t>(i)]);
        texts[static_cast<size_t>(i)].m_crColor = kSelected;
    }
    if (!m_selTexts.empty()) {
        Invalidate(FALSE);
        UpdateWindow();
        if (MessageBox(L"是否删除所选文本?", L"提示", MB_YESNO) == IDYES) {
            for (auto it = m_selTexts.rbegin(); it != m_selTexts.rend(); ++it)
                texts.erase(texts.begin() + *it);
        } else {
            for (size_t k = 0; k < m_selTexts.size(); ++k)
                texts[static_cast<size_t>(m_selTexts[k])] = keptTexts[k];
        }
    }
    Invalidate(FALSE);
}

void CGraphView::PlaceText(CPoint at) {
    CDrawTextDlg dialog(this);
    dialog.m_nAngle = 0;
    dialog.m_nSize = 12;
    dialog.m_crColor = 0xFF0063;
    if (dialog.DoModal() != IDOK) {
        m_nTool = 0;
        return;
    }
    CGraphText text;
    text.m_nSize = dialog.m_nSize;
    text.m_dAngle = dialog.m_nAngle;
    text.m_bBold = FALSE;
    text.m_crColor = dialog.m_crColor;
    ScreenToWorld(at.x, at.y, text.m_ptAnchor.m_dX, text.m_ptAnchor.m_dY);
    text.m_strText = dialog.m_strContent;
    text.m_nScreenX = at.x;
    text.m_nScreenY = at.y;
    text.m_bOnScreen = TRUE;
    CGraphLayer* layer = FirstLayer();
    if (layer == nullptr) return;
    layer->m_texts.m_items.push_back(text);
    CClientDC dc(this);
    DrawGraphText(&dc, text);
    m_nTool = 0;
    if (CVendropDoc* doc = Doc()) doc->m_bGraphModified = TRUE;
}

void CGraphView::StoreCurrentPoint() {
    CVendropDoc* doc = Doc();
    if (doc == nullptr) return;
    StoreFixFromView(this, *doc, m_bHaveData, m_fix);
}

void CGraphView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == 'A')
        StoreCurrentPoint();
    else if (nChar == 'B')
        OpenLibraryOnSecondPress(m_nKeyMinute, m_nKeySecond);
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}
