// CAddCtrlPointDlg (dialog 129 "增加点(已知坐标)"): the first step of
// adding a control point, its name and known grid coordinates, typed or
// taken from the coordinate library (1038) or the plan (1051). The texts
// go into the comma-separated control-point file, so a separator in them
// is refused on OK.
#pragma once

#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class CAddCtrlPointDlg : public CDialog {
  public:
    explicit CAddCtrlPointDlg(CWnd* pParent = nullptr);

    CString m_strName;
    CString m_strX;
    CString m_strY;
    CString m_strH;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnPickFromLibrary();
    afx_msg void OnPickFromPlan();
    DECLARE_MESSAGE_MAP()

    COwnerDrawButton m_btnLibrary;
    COwnerDrawButton m_btnPlan;
};
