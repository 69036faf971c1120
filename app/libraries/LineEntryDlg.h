// CAddLineDlg (dialog 15146 "增加线") and CEditLineDlg (dialog 15147
// "编辑线"): a design line's start and end points and the start's
// chainage, typed or taken per point from the coordinate library or the
// plan. All values are texts; the names, codes and numbers go into a
// comma-separated file, so a separator in them is refused on OK.
#pragma once

#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class CLineEntryDlg : public CDialog {
  public:
    CString m_strStartName;
    CString m_strStartNorth;
    CString m_strStartEast;
    CString m_strStartHeight;
    CString m_strStartCode;
    CString m_strEndName;
    CString m_strEndNorth;
    CString m_strEndEast;
    CString m_strEndHeight;
    CString m_strEndCode;
    CString m_strChainage;

  protected:
    CLineEntryDlg(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnStartFromLibrary();
    afx_msg void OnEndFromLibrary();
    afx_msg void OnStartFromPlan();
    afx_msg void OnEndFromPlan();
    DECLARE_MESSAGE_MAP()

  private:
    void FromLibrary(CString* fields[5]);
    void FromPlan(CString* fields[5]);

    COwnerDrawButton m_btnStartLibrary;
    COwnerDrawButton m_btnStartPlan;
    COwnerDrawButton m_btnEndLibrary;
    COwnerDrawButton m_btnEndPlan;
};

// Starts with both codes "00000000" and the rest empty.
class CAddLineDlg : public CLineEntryDlg {
  public:
    explicit CAddLineDlg(CWnd* pParent = nullptr);
};

// Starts empty; the caller fills it.
class CEditLineDlg : public CLineEntryDlg {
  public:
    explicit CEditLineDlg(CWnd* pParent = nullptr);
};
