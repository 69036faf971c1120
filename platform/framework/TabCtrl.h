// CTabCtrl over a "SysTabControl32" control.
#pragma once

#include "platform/controls/CommCtrl.h"
#include "platform/framework/Wnd.h"

class CImageList;

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
  public:
    CTabCtrl() = default;
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
    LONG InsertItem(int nItem, LPCTSTR lpszItem);
    LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    BOOL DeleteItem(int nItem) {
        return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(nItem)));
    }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int nItem) {
        return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(nItem)));
    }
    int GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
    void SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(nItem)); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    // bLarger FALSE: the display area inside a window rectangle.
    void AdjustRect(BOOL bLarger, LPRECT lpRect);
    int HitTest(TCHITTESTINFO* pHitTestInfo) const;
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
};
