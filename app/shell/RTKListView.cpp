#include "app/shell/RTKListView.h"

IMPLEMENT_DYNCREATE(CRTKListView, CListView)

BOOL CRTKListView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.lpszClass = WC_LISTVIEW;
    cs.style |= WS_CHILD | WS_VISIBLE | WS_BORDER;
    return CListView::PreCreateWindow(cs);
}

void CRTKListView::OnInitialUpdate() {
    CListView::OnInitialUpdate();
    CListCtrl& list = GetListCtrl();
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const LPCTSTR headings[] = {L"Name", L"City", L"Age", L"Height"};
    for (int i = 0; i < 4; ++i) list.InsertColumn(i, headings[i], LVCFMT_LEFT, 200);
    list.InsertItem(0, L"Li Ming");
    list.SetItemText(0, 1, L"Wuhan");
    list.SetItemText(0, 2, L"20");
    list.SetItemText(0, 3, L"6");
}
