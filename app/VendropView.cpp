#include "app/VendropView.h"

#include "app/FrameMessages.h"
#include "app/MainFrame.h"

IMPLEMENT_DYNCREATE(CVendropView, CView)

BEGIN_MESSAGE_MAP(CVendropView, CView)
ON_MESSAGE(WM_GPS_POSITION, OnGpsPosition)
END_MESSAGE_MAP()

void CVendropView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    if (auto* frame = DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame())) frame->SetViewWnd(m_hWnd);
}

void CVendropView::OnDraw(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
}

LRESULT CVendropView::OnGpsPosition(WPARAM wParam, LPARAM) {
    if (wParam) m_fix = *reinterpret_cast<const SurveyRecord*>(wParam);
    return 0;
}
