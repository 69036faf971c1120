// CSevenParamPointDlg: one common point of the seven-parameter
// calculation: its name, WGS84 position (B, L packed ddd.mmss, H) and
// local grid point with its height, typed or taken from the lat/long
// library (1050), the coordinate library (1055) or the plan (1056). The
// texts go into a comma-separated file: a separator is refused.
#pragma once

#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class CSevenParamPointDlg : public CDialog {
  public:
    explicit CSevenParamPointDlg(CWnd* pParent = nullptr);

    CString m_strName;
    CString m_strLat;
    CString m_strLon;
    CString m_strHeight;
    CString m_strX;
    CString m_strY;
    CString m_strH;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnGeodeticLibrary();
    afx_msg void OnGridLibrary();
    afx_msg void OnGridPlan();
    DECLARE_MESSAGE_MAP()

    COwnerDrawButton m_btnGeodetic;
    COwnerDrawButton m_btnLibrary;
    COwnerDrawButton m_btnPlan;
};
