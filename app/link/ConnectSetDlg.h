// CConnectSetDlg (dialog 149 "连接设置"): how the handheld reaches its
// receiver: cable, Bluetooth card, the built-in Bluetooth module, or a COM
// number typed in. For the built-in module it drives the module on "COM1:"
// at 9600 baud: checks that it answers, makes it the master, searches for
// devices (kept in "\BluetoothList") and on Connect names the device to
// connect to. The caller takes the link type, connection mode and COM
// number after OK and restarts the receiver link with them.
//
// The module dialogue is a queue of BtCommandStep: the current step's
// command is repeated on timer 1001 (every 2 s) until a received line holds
// its reply or its budget is spent; then the next step runs.
//
// Files: ConnectSetDlg.cpp (controls, buttons, OK and Cancel),
// ConnectSetSteps.cpp (the step queue, the timer and the received lines).
#pragma once

#include <deque>
#include <string>

#include "app/link/BluetoothList.h"
#include "app/link/BtCommandStep.h"
#include "platform/framework/Afx.h"
#include "receiver/link/SerialPort.h"

class CConnectSetDlg : public CDialog {
  public:
    static constexpr UINT_PTR kTimerId = 1001;
    static constexpr int kBuiltInModule = 2;  // the link type of the module
    static constexpr int kScanRange = 80;
    static constexpr int kConnectRange = 15;
    // Received text that grows past this without a line end is dropped.
    static constexpr size_t kMaxPending = 300;

    explicit CConnectSetDlg(CWnd* pParent = nullptr);

    // Set by the caller before DoModal, read after OK.
    int m_nLinkType = -1;  // SystemParams Port: 0 cable, 1 card, 2 built-in
    int m_nComMode = 0;    // SystemParams nComMode: 0 by link type, 1 by COM
    int m_nInputCom = 7;   // SystemParams nInputCom
    CString m_strStatus;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnLinkTypeChange();
    afx_msg void OnModeClicked();
    afx_msg void OnScan();
    afx_msg void OnStopScan();
    afx_msg LRESULT OnSerialData(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

  private:
    // ---- Controls (ConnectSetDlg.cpp) ----
    void EnableByMode();
    void EnableScan(BOOL bScanning);
    void ShowStatus(const CString& text);
    void LoadDeviceList();
    // The module port open with this dialog as its window; the receiver
    // link is closed first (both use COM1). FALSE when it cannot be opened.
    BOOL OpenModulePort();
    void CloseModulePort(BOOL bRaiseDtr);
    void Connect();

    // ---- Steps (ConnectSetSteps.cpp) ----
    void ClearSteps();
    void RunNextStep();
    void SendCurrentCommand();
    void TakeLines();
    void HandleLine(const CString& line);
    void HandleReply();
    // The dialog ends with OK; nothing further of the module is taken.
    void EndWithOk();
    void HandleSearchLine(const CString& line);
    void EndSearch(UINT textId);

    CProgressCtrl m_progress;
    CListBox m_deviceList;
    CSerialPort m_port;
    CString m_strListPath;
    BOOL m_bFirstWrite = FALSE;
    BOOL m_bConnecting = FALSE;
    BOOL m_bSearching = FALSE;
    BOOL m_bEnded = FALSE;
    // Received bytes (code page 936) not yet cut into lines.
    std::string m_received;
    CArray<BtDevice> m_devices;  // in list order
    BtCommandStep m_step;
    std::deque<BtCommandStep> m_queue;
};
