// CPortTestDlg: opens any COM port on a port object of its own, shows the
// received lines and a byte count, and sends text or hexadecimal bytes
// (template 15256). The received bytes come one by one from the port's
// reader as WM_PORTTEST_CHAR. While the port is open the dialog cannot be
// left: close the port first.
#pragma once

#include "platform/framework/Afx.h"
#include "receiver/link/ComPort.h"

class CPortTestDlg : public CDialog {
  public:
    explicit CPortTestDlg(CWnd* pParent = nullptr);
    ~CPortTestDlg() override;

    int m_nPort = 1;
    int m_nBaud = 1;  // index into 4800, 9600, 19200, 57600, 115200
    CString m_strSend;
    int m_bHex = 0;
    int m_bEnter = 1;
    long m_nReceived = 0;  // bytes since the port was opened
    CString m_strLine;     // the line being received
    BOOL m_bOpen = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override;

    afx_msg void OnOpenPort();
    afx_msg void OnClosePort();
    afx_msg void OnSend();
    afx_msg LRESULT OnPortChar(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

  private:
    void EnableForOpen(BOOL bOpen);
    void SendHex(const CString& text);

    CComPort m_port;
};
