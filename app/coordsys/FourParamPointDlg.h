// CFourParamPointDlg: one pair of the four-parameter calculation, its
// name and the grid point before and after, typed or taken from the
// coordinate library (1050 before, 1055 after) or the plan (1051, 1056).
// The texts go into a comma-separated file: a separator is refused.
#pragma once

#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class CFourParamPointDlg : public CDialog {
  public:
    explicit CFourParamPointDlg(CWnd* pParent = nullptr);

    CString m_strName;
    CString m_strNorthBefore;
    CString m_strEastBefore;
    CString m_strNorthAfter;
    CString m_strEastAfter;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnLibraryBefore();
    afx_msg void OnPlanBefore();
    afx_msg void OnLibraryAfter();
    afx_msg void OnPlanAfter();
    DECLARE_MESSAGE_MAP()

    COwnerDrawButton m_btnLibraryBefore;
    COwnerDrawButton m_btnPlanBefore;
    COwnerDrawButton m_btnLibraryAfter;
    COwnerDrawButton m_btnPlanAfter;

  private:
    // A library pick: TRUE with the row's name, north and east texts.
    BOOL PickFromLibrary(CString& strName, CString& strNorth, CString& strEast);
    // A plan pick: TRUE with the name and north and east as "%.4f".
    BOOL PickFromPlan(CString& strName, CString& strNorth, CString& strEast);
};
