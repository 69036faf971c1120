// CGpsComm: the one serial link between the handheld and its GNSS receiver
// (a single global object for the whole run). It opens the COM port,
// configures the receiver and runs the reader thread that hands every
// received line to the main frame with a sent WM_GPS_SENTENCE.
//
// Some members also serve as a mailbox: the network, GSM and radio dialogs
// raise request flags here and poll the result flags with one-second
// timers, on the user-interface thread only.
//
// Every member starts at zero (as the static object always did); the
// constructor then calls Reset. The destructor does
// not close the port: the main frame has closed it when its window went.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

// The network parameters of the receiver's modem, as the network settings
// dialogs show and edit them.
struct CNetLinkInfo {
    CString strVersion;  // shown read-only
    CString strReceiverSerial;
    CString strBaseSerial;
    CString strAltNumber;
    CString strDialNumber;
    CString strServerIp;
    CString strServerPort;
    CString strDomain;
    CString strPassword;
    CString strDeviceSerial;  // shown read-only
    CString strUserAccount;
};

class CGpsComm {
  public:
    // COM port of the receiver board in the handheld's expansion slot; every
    // other port number is an external receiver cable.
    static constexpr int ExpansionSlotPort = 5;

    CGpsComm();
    virtual ~CGpsComm();
    CGpsComm(const CGpsComm&) = delete;
    CGpsComm& operator=(const CGpsComm&) = delete;

    // The requests, results and port state back to their start values; the
    // results of the network and GSM requests keep theirs.
    void Reset();
    // nMode 0: nPort is the settings' Port choice (0 the expansion slot,
    // any other value COM1); otherwise nPort is the COM number itself.
    void SetPortParams(int nMode, int nPort, int nBaud, char cParity, int nDataBits, int nStopBits);
    void SetNotifyWindow(HWND hWnd) { m_hNotifyWnd = hWnd; }
    BOOL IsOpen() const { return m_hPort != INVALID_HANDLE_VALUE; }

    // The reader thread and the port: filled in with the link itself.
    void Start();
    void Close();
    // A command frame with the payload of the typed tokens.
    void SendTypedCommand(BYTE id, CString tokens);

    // ---- Mailbox of the network link ----
    BYTE m_bNetRequest{};
    BYTE m_bNetReadReq{};
    BYTE m_bNetSetReq{};
    BYTE m_bNetConnectReq{};
    BYTE m_bNetDisconnectReq{};
    BYTE m_bNetReadOk{};
    BYTE m_bNetSetOk{};
    BYTE m_bNetConnectOk{};
    BYTE m_bNetDisconnectOk{};
    CNetLinkInfo m_linkInfo;
    // ---- Radio and GSM ----
    BYTE m_bRadioSwitchReq{};
    BOOL m_bRadioReadReq{};
    BYTE m_bGsmSetNumberReq{};
    BYTE m_bGsmSetOk{};
    CString m_strGsmBaseNumber;
    BYTE m_bGsmReadOk{};
    CString m_strModemState;  // "CONNECTED", "READY" or "DIALING"
    BYTE m_bGsmDialReq{};
    BYTE m_bGsmHangUpReq{};
    BYTE m_bGsmDialOk{};
    BYTE m_bGsmHangUpOk{};
    CString m_strGsmNewNumber;
    BOOL m_bRadioOk{};
    int m_nCurChannel{};  // 1..4, -1 when unknown
    int m_nRadioTarget{};
    int m_nBusy{};        // 1 while a mailbox request is outstanding
    int m_nRadioState{};  // -1 idle, 1 read done, 2 switch done
    // ---- The link ----
    HANDLE m_hThread{};
    HANDLE m_hPort{};
    int m_nReceiverType{};  // 3 once the link has started, -1 before
    BOOL m_bGsmReadReq{};
    BOOL m_bGsmSetReq{};
    int m_nPort{};
    int m_nBaud{};
    char m_cParity{};
    int m_nDataBits{};
    int m_nStopBits{};
    BOOL m_bRunning{};
    HWND m_hNotifyWnd{};
};
