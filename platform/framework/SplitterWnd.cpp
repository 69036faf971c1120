#include "platform/framework/SplitterWnd.h"

#include <algorithm>

#include "platform/framework/AfxGlobals.h"
#include "platform/framework/Dc.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MessageMap.h"
#include "platform/framework/View.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

// The platform's default metrics: a 7-pixel bar and gap and 2-pixel sunken
// borders, the classic three-dimensional look.
CSplitterWnd::CSplitterWnd()
    : m_cxSplitter(7),
      m_cySplitter(7),
      m_cxSplitterGap(7),
      m_cySplitterGap(7),
      m_cxBorder(2),
      m_cyBorder(2) {}

CSplitterWnd::~CSplitterWnd() = default;

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
    if (!pParentWnd || nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16) return FALSE;
    m_nRows = nRows;
    m_nCols = nCols;
    m_rowInfo.assign(static_cast<size_t>(nRows), CRowColInfo{});
    m_colInfo.assign(static_cast<size_t>(nCols), CRowColInfo{});
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, nullptr, GetSysColorBrush(COLOR_BTNFACE));
    return CreateEx(0, cls, L"", dwStyle | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CSplitterWnd::IdFromRowCol(int row, int col) const {
    return AFX_IDW_PANE_FIRST + row * 16 + col;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
    HWND pane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    return pane ? CWnd::FromHandlePermanent(pane) : nullptr;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) {
    if (!pWnd || ::GetParent(pWnd->m_hWnd) != m_hWnd) return FALSE;
    const int id = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
    if (id < 0 || id / 16 >= m_nRows || id % 16 >= m_nCols) return FALSE;
    if (pRow) *pRow = id / 16;
    if (pCol) *pCol = id % 16;
    return TRUE;
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                              CCreateContext* pContext) {
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || !pViewClass) return FALSE;
    if (GetPane(row, col)) return FALSE;
    m_rowInfo[static_cast<size_t>(row)].nIdealSize = sizeInit.cy;
    m_colInfo[static_cast<size_t>(col)].nIdealSize = sizeInit.cx;
    auto* wnd = static_cast<CWnd*>(pViewClass->CreateObject());
    if (!wnd) return FALSE;
    const CRect rect(CPoint(0, 0), CSize(sizeInit));
    // A view that fails deletes itself with its window.
    if (!wnd->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, rect, this, IdFromRowCol(row, col),
                     pContext))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

void CSplitterWnd::DeleteView(int row, int col) {
    if (CWnd* pane = GetPane(row, col)) pane->DestroyWindow();
    RecalcLayout();
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
    const CRowColInfo& info = m_rowInfo.at(static_cast<size_t>(row));
    cyCur = info.nCurSize;
    cyMin = info.nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
    CRowColInfo& info = m_rowInfo.at(static_cast<size_t>(row));
    info.nIdealSize = cyIdeal;
    info.nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
    const CRowColInfo& info = m_colInfo.at(static_cast<size_t>(col));
    cxCur = info.nCurSize;
    cxMin = info.nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
    CRowColInfo& info = m_colInfo.at(static_cast<size_t>(col));
    info.nIdealSize = cxIdeal;
    info.nMinSize = cxMin;
}

// Sizes along one axis: each but the last its ideal size (as far as there
// is room), the last the rest; none below zero.
void CSplitterWnd::Lay(std::vector<CRowColInfo>& info, int extent, int border, int gap) {
    int room = extent - 2 * border - gap * (static_cast<int>(info.size()) - 1);
    for (size_t i = 0; i < info.size(); ++i) {
        const bool last = i + 1 == info.size();
        const int size = last ? room : std::min(std::max(info[i].nIdealSize, 0), room);
        info[i].nCurSize = std::max(size, 0);
        room = std::max(room - info[i].nCurSize, 0);
    }
}

CRect CSplitterWnd::PaneRect(int row, int col) const {
    int x = m_cxBorder, y = m_cyBorder;
    for (int c = 0; c < col; ++c) x += m_colInfo[static_cast<size_t>(c)].nCurSize + m_cxSplitterGap;
    for (int r = 0; r < row; ++r) y += m_rowInfo[static_cast<size_t>(r)].nCurSize + m_cySplitterGap;
    return CRect(x, y, x + m_colInfo[static_cast<size_t>(col)].nCurSize,
                 y + m_rowInfo[static_cast<size_t>(row)].nCurSize);
}

void CSplitterWnd::RecalcLayout() {
    if (!m_hWnd || m_nRows == 0) return;
    CRect client;
    GetClientRect(&client);
    Lay(m_rowInfo, client.Height(), m_cyBorder, m_cySplitterGap);
    Lay(m_colInfo, client.Width(), m_cxBorder, m_cxSplitterGap);
    for (int r = 0; r < m_nRows; ++r)
        for (int c = 0; c < m_nCols; ++c)
            if (CWnd* pane = GetPane(r, c)) pane->MoveWindow(PaneRect(r, c));
    Invalidate(TRUE);
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CSplitterWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    const int bx = m_cxBorder, by = m_cyBorder;
    if (bx <= 0 && by <= 0) return;
    for (int r = 0; r < m_nRows; ++r)
        for (int c = 0; c < m_nCols; ++c) {
            CRect frame = PaneRect(r, c);
            frame.InflateRect(bx, by);
            if (bx >= 2 && by >= 2)
                ::DrawEdge(dc.m_hDC, &frame, EDGE_SUNKEN, BF_RECT);
            else
                dc.Draw3dRect(&frame, ::GetSysColor(COLOR_BTNSHADOW),
                              ::GetSysColor(COLOR_BTNHIGHLIGHT));
        }
}

int CSplitterWnd::RowBarAt(CPoint point) const {
    for (int r = 0; r + 1 < m_nRows; ++r) {
        const int top = PaneRect(r, 0).bottom, bottom = top + m_cySplitterGap;
        const int grab = std::max(0, (m_cySplitter - m_cySplitterGap) / 2);
        if (point.y >= top - grab && point.y < bottom + grab) return r;
    }
    return -1;
}

int CSplitterWnd::ColBarAt(CPoint point) const {
    for (int c = 0; c + 1 < m_nCols; ++c) {
        const int left = PaneRect(0, c).right, right = left + m_cxSplitterGap;
        const int grab = std::max(0, (m_cxSplitter - m_cxSplitterGap) / 2);
        if (point.x >= left - grab && point.x < right + grab) return c;
    }
    return -1;
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
    m_trackRow = RowBarAt(point);
    m_trackCol = m_trackRow < 0 ? ColBarAt(point) : -1;
    if (m_trackRow >= 0 || m_trackCol >= 0) SetCapture();
}

// The bar follows the stylus: the pane before it takes the new size.
void CSplitterWnd::OnMouseMove(UINT, CPoint point) {
    if (m_trackRow >= 0) {
        CRowColInfo& info = m_rowInfo[static_cast<size_t>(m_trackRow)];
        info.nIdealSize = std::max(point.y - PaneRect(m_trackRow, 0).top, info.nMinSize);
        RecalcLayout();
    } else if (m_trackCol >= 0) {
        CRowColInfo& info = m_colInfo[static_cast<size_t>(m_trackCol)];
        info.nIdealSize = std::max(point.x - PaneRect(0, m_trackCol).left, info.nMinSize);
        RecalcLayout();
    }
}

void CSplitterWnd::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_trackRow < 0 && m_trackCol < 0) return;
    OnMouseMove(nFlags, point);
    m_trackRow = m_trackCol = -1;
    ::ReleaseCapture();
}

void CSplitterWnd::OnCaptureChanged(CWnd*) {
    m_trackRow = m_trackCol = -1;
}
