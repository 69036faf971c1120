// CNetConnectDlg (dialog 15239 "网络连接"): asks the receiver's modem to
// connect to or disconnect from the network, and opens the network
// settings. The requests go through the link's mailbox (LinkMailbox.h);
// timer 999 polls it every second and shows the outcome.
#pragma once

#include "app/link/LinkMailbox.h"
#include "platform/framework/Afx.h"

class CNetConnectDlg : public CDialog {
  public:
    static constexpr UINT_PTR kTimerId = 999;

    explicit CNetConnectDlg(CWnd* pParent = nullptr);

    CString m_strLink;    // control 1137
    CString m_strStatus;  // control 1005
    CString m_strMode;    // control 1138

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnConnect();
    afx_msg void OnDisconnect();
    afx_msg void OnSettings();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

  private:
    // The link and work mode of the settings, and the buttons the link
    // allows.
    void ShowLinkAndMode();
    void Request(NetRequest request, LPCTSTR waitText);
    void EnableRequests(BOOL bEnable);

    BOOL m_bWaiting = FALSE;
    NetRequest m_pending = NetRequest::kNone;
};
