// CInputRawCoordDlg (dialog 15191 "增加点(原始坐标)"): confirms the source
// coordinates chosen in the previous step, with the antenna height for a
// current point or the base station. A slant height is reduced to the
// vertical on OK; one below 0.0975 m (the antenna's radius) has no
// vertical and is refused.
#pragma once

#include "platform/framework/Afx.h"

class CInputRawCoordDlg : public CDialog {
  public:
    explicit CInputRawCoordDlg(CWnd* pParent = nullptr);

    CString m_strX;
    CString m_strY;
    double m_dH = 0.0;
    double m_dAntHeight = 0.0;
    int m_nHeightType = 0;  // 0 vertical, 1 slant
    int m_nSrcKind = 0;     // as the previous step chose it

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
