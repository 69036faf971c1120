#include "app/GGGView.h"

IMPLEMENT_DYNCREATE(CGGGView, CView)

void CGGGView::OnDraw(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
}
