#include "app/screens/GGGView.h"

#include "res/resource.h"

IMPLEMENT_DYNCREATE(CGGGView, CView)

void CGGGView::OnDraw(CDC* pDC) {
    CString banner;
    banner.LoadString(IDS_STRING61638);
    pDC->SetBkMode(OPAQUE);
    pDC->TextOut(75, 150, banner);
}
