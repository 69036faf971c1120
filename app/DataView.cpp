#include "app/DataView.h"

#include "app/FrameMessages.h"
#include "app/MainFrame.h"

IMPLEMENT_DYNCREATE(CDataView, CView)

BEGIN_MESSAGE_MAP(CDataView, CView)
ON_MESSAGE(WM_GPS_POSITION, OnGpsPosition)
ON_MESSAGE(WM_SOUNDER_DEPTH, OnSounderDepth)
END_MESSAGE_MAP()

void CDataView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    if (auto* frame = DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame())) {
        frame->m_hDataView = m_hWnd;
        frame->AddNotifyWnd(m_hWnd);
    }
}

void CDataView::OnDraw(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
}

LRESULT CDataView::OnGpsPosition(WPARAM wParam, LPARAM) {
    if (wParam) m_fix = *reinterpret_cast<const SurveyRecord*>(wParam);
    return 0;
}

LRESULT CDataView::OnSounderDepth(WPARAM wParam, LPARAM) {
    if (wParam) m_depth = *reinterpret_cast<const SounderDepthBlock*>(wParam);
    return 0;
}
