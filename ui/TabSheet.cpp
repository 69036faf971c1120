#include "ui/TabSheet.h"

BEGIN_MESSAGE_MAP(CTabSheet, CTabCtrl)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CTabSheet::CTabSheet() {
    for (int i = 0; i < kMaxPages; ++i) {
        m_titles[i] = nullptr;
        m_pageIds[i] = 0;
        m_pages[i] = nullptr;
    }
}

BOOL CTabSheet::AddPage(LPCTSTR title, CDialog* pDialog, UINT nID) {
    if (m_nPageCount == kMaxPages) return FALSE;
    m_titles[m_nPageCount] = title;
    m_pages[m_nPageCount] = pDialog;
    m_pageIds[m_nPageCount] = nID;
    ++m_nPageCount;
    return TRUE;
}

void CTabSheet::CreatePages() {
    for (int i = 0; i < m_nPageCount; ++i) {
        m_pages[i]->Create(m_pageIds[i], this);
        InsertItem(i, m_titles[i]);
    }
    for (int i = 0; i < m_nPageCount; ++i) m_pages[i]->ShowWindow(i == 0 ? SW_SHOW : SW_HIDE);
    SetRect();
}

void CTabSheet::SetRect() {
    CRect client;
    CRect tab;
    GetClientRect(&client);
    GetItemRect(0, &tab);
    const int x = tab.left;
    const int y = tab.bottom + 1;
    const int cx = client.right - tab.left - 2;
    const int cy = client.bottom - tab.bottom - 3;
    for (int i = 0; i < m_nPageCount; ++i)
        m_pages[i]->SetWindowPos(&wndTop, x, y, cx, cy, i == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
}

int CTabSheet::SetActivePage(int nIndex) {
    if (nIndex < 0 || nIndex >= m_nPageCount) return -1;
    if (nIndex == m_nCurPage) return nIndex;
    const int previous = m_nCurPage;
    m_pages[m_nCurPage]->ShowWindow(SW_HIDE);
    m_nCurPage = nIndex;
    m_pages[m_nCurPage]->ShowWindow(SW_SHOW);
    SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(nIndex));
    return previous;
}

void CTabSheet::ActivatePage(int nIndex) {
    if (nIndex < 1 || nIndex >= m_nPageCount || nIndex == m_nCurPage) return;
    SetActivePage(nIndex);
    m_pages[nIndex]->SetFocus();
}

int CTabSheet::GetCurSel() {
    return static_cast<int>(SendMessage(TCM_GETCURSEL));
}

CDialog* CTabSheet::GetPage(int nIndex) const {
    return nIndex >= 0 && nIndex < m_nPageCount ? m_pages[nIndex] : nullptr;
}

// The tab control has moved its selection to the tapped tab already.
void CTabSheet::OnLButtonDown(UINT nFlags, CPoint point) {
    CTabCtrl::OnLButtonDown(nFlags, point);
    SetActivePage(static_cast<int>(SendMessage(TCM_GETCURFOCUS)));
}
