// CComboBox over a "ComboBox" control.
#pragma once

#include "platform/framework/Wnd.h"

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
  public:
    CComboBox() = default;
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int AddString(LPCTSTR lpszString) { return Send(CB_ADDSTRING, 0, lpszString); }
    int InsertString(int nIndex, LPCTSTR lpszString) {
        return Send(CB_INSERTSTRING, nIndex, lpszString);
    }
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int nSelect) {
        return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect)));
    }
    int GetLBText(int nIndex, LPTSTR lpszText) const;
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const {
        return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)));
    }
    int FindString(int nStartAfter, LPCTSTR lpszString) const {
        return Send(CB_FINDSTRING, nStartAfter, lpszString);
    }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
        return Send(CB_FINDSTRINGEXACT, nIndexStart, lpszFind);
    }
    int SelectString(int nStartAfter, LPCTSTR lpszString) {
        return Send(CB_SELECTSTRING, nStartAfter, lpszString);
    }
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    void ShowDropDown(BOOL bShowIt = TRUE) {
        SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(bShowIt));
    }
    BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
    BOOL LimitText(int nMaxChars) {
        return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars)));
    }
    DWORD GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
    BOOL SetEditSel(int nStartChar, int nEndChar);
    int GetTopIndex() const { return static_cast<int>(SendMessage(CB_GETTOPINDEX)); }
    int SetTopIndex(int nIndex) {
        return static_cast<int>(SendMessage(CB_SETTOPINDEX, static_cast<WPARAM>(nIndex)));
    }

  private:
    int Send(UINT message, int index, LPCTSTR text) const {
        return static_cast<int>(
            SendMessage(message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
    }
};
