// CStaticModeDlg: the parameters of the receiver's static recording
// (template 15197): cut-off angle (degrees), interval (seconds) and the
// PDOP below which recording starts. Its text warns that OK ends the
// program.
#pragma once

#include "platform/framework/Afx.h"

class CStaticModeDlg : public CDialog {
  public:
    explicit CStaticModeDlg(CWnd* pParent = nullptr);

    int m_nCutoff = 10;
    int m_nInterval = 15;
    double m_dPdop = 3.0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
