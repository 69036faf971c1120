// CNetSettingsDlg (dialog 15243 "设置"): reads and sets the network
// parameters of the receiver's modem (GSM dial-up or a GPRS connection to a
// correction server) through the link's mailbox, and keeps the link choice,
// work mode and relay intervals in the job's settings when it goes.
//
// Timer 6000 polls the mailbox every second. The parameter fields are
// enabled by link and work mode (EnableFields).
#pragma once

#include "app/link/LinkMailbox.h"
#include "platform/framework/Afx.h"

class CNetSettingsDlg : public CDialog {
  public:
    static constexpr UINT_PTR kTimerId = 6000;

    explicit CNetSettingsDlg(CWnd* pParent = nullptr);

    int m_nLinkChoice = -1;  // combo 1126: 0 GSM, 1 GPRS
    int m_nWorkMode = -1;    // combo 1123: 0 KOVAT, 1 VRS, 2 VRS-NTRIP
    CString m_strStatus;
    CString m_strPassword;
    CString m_strServerPort;
    CString m_strDomain;
    CString m_strServerIp;
    CString m_strUser;
    CString m_strDeviceSerial;  // read-only
    CString m_strVersion;       // read-only
    CString m_strBaseSerial;
    double m_dDisInterval = 0.0;  // metres
    CString m_strDialNumber;
    int m_nTimeInterval = 0;  // seconds

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnChoiceChange();
    afx_msg void OnRead();
    afx_msg void OnSet();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

  private:
    // Every parameter field disabled, then those of the link and work mode
    // enabled.
    void EnableFields();
    void EnableButtons(BOOL bEnable);
    void Request(NetRequest request, LPCTSTR gprsText, LPCTSTR gsmText);
    // The result of the finished request into the status and the fields.
    void ShowResult();
    // The link choice and work mode from their combos only, so that a
    // half-typed number elsewhere raises no prompt.
    void ReadChoices();
    // The member and its control together.
    void ShowField(CString& field, const CString& value, int id);

    BOOL m_bWaiting = FALSE;
    NetRequest m_pending = NetRequest::kNone;
    BOOL m_bPendingGprs = FALSE;  // the link the request was made for
};
