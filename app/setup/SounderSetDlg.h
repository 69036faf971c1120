// CSounderSetDlg: the echo sounder's port, baud rate, use and type
// (template 15255). FromSettings fills it from the job's settings and
// ToSettings puts its values back: a rate that is not one of the five
// leaves no rate chosen, and OK without a choice keeps the stored rate.
#pragma once

#include "app/settings/SystemParams.h"
#include "platform/framework/Afx.h"

class CSounderSetDlg : public CDialog {
  public:
    explicit CSounderSetDlg(CWnd* pParent = nullptr);

    void FromSettings(const SystemParams& params);
    void ToSettings(SystemParams& params) const;

    int m_nPort = 0;   // COM number
    int m_nBaud = -1;  // index into 4800, 9600, 19200, 57600, 115200
    int m_bUse = 0;    // use the sounding device
    int m_nType = -1;  // SoundType: the framing of the sounder's telegrams

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
