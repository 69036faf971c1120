// CEllipsoidDlg (dialog 133 "参考椭球系"): the job's reference ellipsoid.
// It reads the document when it opens; the ellipsoid command takes
// m_nCoord, m_dA and m_dInvF over after IDOK. A preset fills and locks the
// two edits; "用户自定义" proposes 6378388.0 and 297.0 and unlocks them.
#pragma once

#include "platform/framework/Afx.h"

class CEllipsoidDlg : public CDialog {
  public:
    explicit CEllipsoidDlg(CWnd* pParent = nullptr);

    int m_nCoord = 0;      // index of combo 1002
    double m_dA = 0.0;     // semi-major axis, metres
    double m_dInvF = 0.0;  // inverse flattening

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelChangeEllipsoid();
    DECLARE_MESSAGE_MAP()
};
