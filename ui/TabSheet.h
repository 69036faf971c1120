// CTabSheet: a tab control that hosts up to 16 modeless dialog pages, one
// visible at a time below the tab row. The calculation dialogs and the
// parameter viewer build their pages with it.
//
// Titles are kept by pointer and pages are owned by the caller: both must
// live as long as the sheet.
#pragma once

#include "platform/framework/Afx.h"

class CTabSheet : public CTabCtrl {
  public:
    static constexpr int kMaxPages = 16;

    CTabSheet();

    // FALSE when 16 pages are held already; nothing changes then.
    BOOL AddPage(LPCTSTR title, CDialog* pDialog, UINT nID);
    // Creates every page from its template as a child of the sheet, adds
    // its tab, shows page 0 and places the pages (SetRect).
    void CreatePages();
    // Every page below the tab row, inside the client area.
    void SetRect();
    // The previous index; the index itself when it is the current page; -1
    // for an index outside the pages.
    int SetActivePage(int nIndex);
    // Brings page 1..count-1 forward with the focus; page 0 and the current
    // page are left alone.
    void ActivatePage(int nIndex);
    int GetCurSel();

    int GetPageCount() const { return m_nPageCount; }
    CDialog* GetPage(int nIndex) const;

  protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    LPCTSTR m_titles[kMaxPages];
    UINT m_pageIds[kMaxPages];
    CDialog* m_pages[kMaxPages];
    int m_nPageCount = 0;
    int m_nCurPage = 0;
};
