#include "app/GraphView.h"

#include "app/FrameMessages.h"
#include "app/shell/MainFrame.h"

IMPLEMENT_DYNCREATE(CGraphView, CView)

BEGIN_MESSAGE_MAP(CGraphView, CView)
ON_MESSAGE(WM_GRAPH_COMMAND, OnGraphCommand)
ON_MESSAGE(WM_GPS_POSITION, OnGpsPosition)
ON_MESSAGE(WM_SOUNDER_DEPTH, OnSounderDepth)
END_MESSAGE_MAP()

void CGraphView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    if (auto* frame = DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame())) {
        frame->m_hGraphView = m_hWnd;
        frame->AddNotifyWnd(m_hWnd);
    }
}

void CGraphView::OnDraw(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, RGB(255, 255, 255));
}

LRESULT CGraphView::OnGraphCommand(WPARAM wParam, LPARAM lParam) {
    if (wParam != kGraphSetOrigin || !lParam) return 0;
    const auto* values = reinterpret_cast<const double*>(lParam);
    m_dOriginNorth = values[0];
    m_dOriginEast = values[1];
    m_dScale = values[2];
    if (auto* frame = DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame())) {
        frame->m_dGraphX = m_dOriginNorth;
        frame->m_dGraphY = m_dOriginEast;
        frame->m_dGraphScale = m_dScale;
    }
    Invalidate();
    return 0;
}

LRESULT CGraphView::OnGpsPosition(WPARAM wParam, LPARAM) {
    if (wParam) m_fix = *reinterpret_cast<const SurveyRecord*>(wParam);
    return 0;
}

LRESULT CGraphView::OnSounderDepth(WPARAM wParam, LPARAM) {
    if (wParam) m_depth = *reinterpret_cast<const SounderDepthBlock*>(wParam);
    return 0;
}
