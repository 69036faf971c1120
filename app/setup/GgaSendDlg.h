// CGgaSendDlg: the GGA sentence the main frame relays upstream to the
// correction service (template 220). It shows the sentence being relayed,
// takes the latest one, stops the relay, and chooses how the frame decides
// to take a new one (m_nRelayMode, which the opener stores in the frame
// after OK):
//   0 by hand, 1 by space distance, 2 by the latitude and longitude
//   differences, 3 by the distance of those differences.
#pragma once

#include "platform/framework/Afx.h"

class CGgaSendDlg : public CDialog {
  public:
    explicit CGgaSendDlg(CWnd* pParent = nullptr);

    CString m_strStatus;
    CString m_strGga;
    int m_nRelayMode = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnGetGga();
    afx_msg void OnStopSending();
    DECLARE_MESSAGE_MAP()
};
