// CGsmSettingsDlg (dialog 15201 "GSM设置"): the receiver modem's GSM base
// number, dialling and hanging up through the link's mailbox, and the
// intervals of the position relay, kept in the job's settings on "退出".
//
// Timer 1880 polls the mailbox every second and reports the one operation
// that is pending.
#pragma once

#include "app/link/LinkMailbox.h"
#include "platform/framework/Afx.h"

class CGsmSettingsDlg : public CDialog {
  public:
    static constexpr UINT_PTR kTimerId = 1880;

    explicit CGsmSettingsDlg(CWnd* pParent = nullptr);

    CString m_strBaseNumber;      // edit 1077
    CString m_strStatus;          // static 1065
    CString m_strModemState;      // static 1079
    double m_dDisInterval = 0.0;  // edit 1086, metres
    int m_nTimeInterval = 0;      // edit 1085, seconds, 0..1000
    CString m_strGga;             // edit 1081, read-only

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // "退出": the intervals stored, the receiver told to stop searching,
    // the mailbox released and the base-station log asked for again.
    void OnCancel() override;

    afx_msg void OnRead();
    afx_msg void OnSetNumber();
    afx_msg void OnDial();
    afx_msg void OnHangUp();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

  private:
    void Request(GsmRequest request, LPCTSTR waitText);
    void EnableButtons(BOOL bEnable);
    // After a read: the base number and the modem state the link holds.
    void ShowReadValues();

    BOOL m_bWaiting = FALSE;
    GsmRequest m_pending = GsmRequest::kNone;
};
