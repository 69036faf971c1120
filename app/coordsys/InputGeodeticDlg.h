// CInputGeodeticDlg (dialog 15192 "输入大地坐标"): one geodetic position
// typed as dd.mmssssss (or taken from the lat/long library with button
// 1153). OK with a latitude or longitude of zero asks first.
#pragma once

#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class CInputGeodeticDlg : public CDialog {
  public:
    explicit CInputGeodeticDlg(CWnd* pParent = nullptr);

    double m_dLat = 0.0;  // packed dd.mmssssss
    double m_dLon = 0.0;
    double m_dHeight = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnPickFromLibrary();
    DECLARE_MESSAGE_MAP()

    COwnerDrawButton m_btnLibrary;
};
