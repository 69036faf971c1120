// CRadioChannelDlg: reads the receiver radio's channel, switches it to
// channel 1 to 4, or starts the radio's own channel search (template
// "电台读取与切换").
//
// Read and switch are requests in the receiver link's mailbox: the dialog
// raises the request with the busy word and polls every second (timer
// 1680) until the link reports the result (m_nRadioState 1 after a read, 2
// after a switch). A request whose busy word is cleared without a result
// (by the no-data watchdog or a new link start) has timed out. Leaving the
// dialog stops the radio search and clears the busy word.
#pragma once

#include "platform/framework/Afx.h"

class CRadioChannelDlg : public CDialog {
  public:
    static constexpr UINT_PTR kTimerId = 1680;

    explicit CRadioChannelDlg(CWnd* pParent = nullptr);

    CString m_strStatus;
    int m_nChannel = -1;  // switch-to selection, channel - 1
    CString m_strCurChannel;
    BOOL m_bPending = 0;  // a read or switch is outstanding

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override;

    afx_msg void OnRead();
    afx_msg void OnSwitch();
    afx_msg void OnAutoSearch();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

  private:
    enum Request { kNone, kRead, kSwitch };
    void ShowReadResult(UINT nStatusId);
    void ShowSwitchResult(UINT nStatusId);
    void EnableButtons(BOOL bEnable);
    void ShowStatus(UINT nStringId);
    // "%d" of a known channel, else "通道未知".
    static CString ChannelText(int nChannel);

    Request m_request = kNone;
};
