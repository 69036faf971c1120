// CRoverAntHeightDlg: the rover's antenna height (template 15113), measured
// vertically or slant, and whether the screens show the real ground height.
// A slant height below the antenna's radius (0.0975 m) has no vertical
// height and is refused on OK.
#pragma once

#include "platform/framework/Afx.h"

class CRoverAntHeightDlg : public CDialog {
  public:
    explicit CRoverAntHeightDlg(CWnd* pParent = nullptr);

    double m_szdSourceAntHgt = 0.0;  // metres, as measured
    int m_nAntHgtType = 0;           // 0 vertical, 1 slant
    int m_nUseAntHgt = 0;            // show the real ground height

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};
