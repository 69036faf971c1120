#include "app/DialogViewSavePoint.h"

#include "app/FrameMessages.h"
#include "app/MainFrame.h"

IMPLEMENT_DYNCREATE(CDialogViewSavePoint, CView)

BEGIN_MESSAGE_MAP(CDialogViewSavePoint, CView)
ON_MESSAGE(WM_GPS_POSITION, OnGpsPosition)
END_MESSAGE_MAP()

void CDialogViewSavePoint::OnInitialUpdate() {
    CView::OnInitialUpdate();
    if (auto* frame = DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame())) frame->SetViewWnd(m_hWnd);
}

void CDialogViewSavePoint::OnDraw(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
}

LRESULT CDialogViewSavePoint::OnGpsPosition(WPARAM wParam, LPARAM) {
    if (wParam) m_fix = *reinterpret_cast<const SurveyRecord*>(wParam);
    return 0;
}
