// CInstrumentSetDlg: the receiver's work mode (template 15196), 0 dynamic
// or 1 static.
#pragma once

#include "platform/framework/Afx.h"

class CInstrumentSetDlg : public CDialog {
  public:
    explicit CInstrumentSetDlg(CWnd* pParent = nullptr);

    int m_nMode = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
