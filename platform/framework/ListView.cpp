#include "platform/framework/ListView.h"

#include "platform/framework/MessageMap.h"

IMPLEMENT_DYNCREATE(CListView, CView)

BEGIN_MESSAGE_MAP(CListView, CView)
ON_WM_CREATE()
ON_WM_NCDESTROY()
ON_WM_PAINT()
END_MESSAGE_MAP()

CListView::CListView() = default;

CListView::~CListView() {
    m_list.m_hWnd = nullptr;
}

BOOL CListView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.lpszClass = WC_LISTVIEW;
    cs.style |= LVS_REPORT;
    return CView::PreCreateWindow(cs);
}

int CListView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    m_list.m_hWnd = m_hWnd;
    return CView::OnCreate(lpCreateStruct);
}

void CListView::OnNcDestroy() {
    m_list.m_hWnd = nullptr;
    CView::OnNcDestroy();
}

CListCtrl& CListView::GetListCtrl() const {
    return m_list;
}

// The control paints itself.
void CListView::OnPaint() {
    Default();
}

void CListView::OnDraw(CDC*) {}
