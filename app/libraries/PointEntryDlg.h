// CAddPointDlg (dialog 15128 "增加点") and CEditPointDlg (dialog 130
// "编辑点"): one grid point typed, or taken from the coordinate library
// (1050) or the plan (1051). Opened from within a library (the document's
// dialog context 29) the two pick buttons are hidden. The texts go into
// comma-separated files, so a separator in them is refused on OK.
#pragma once

#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class CPointEntryDlg : public CDialog {
  public:
    CString m_strName;
    CString m_strNorth;
    CString m_strEast;
    CString m_strHeight;
    CString m_strCode;

  protected:
    CPointEntryDlg(UINT nIDTemplate, CWnd* pParent, BOOL bMaximised);
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnFromLibrary();
    afx_msg void OnFromPlan();
    DECLARE_MESSAGE_MAP()

  private:
    BOOL m_bMaximised;
    COwnerDrawButton m_btnLibrary;
    COwnerDrawButton m_btnPlan;
};

// Starts as "PT", "0", "0", "0", "00000000", maximised.
class CAddPointDlg : public CPointEntryDlg {
  public:
    explicit CAddPointDlg(CWnd* pParent = nullptr);
};

// Starts empty (the caller fills it), centred.
class CEditPointDlg : public CPointEntryDlg {
  public:
    explicit CEditPointDlg(CWnd* pParent = nullptr);
};
