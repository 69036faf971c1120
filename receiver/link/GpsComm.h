// CGpsComm: the one serial link between the handheld and its GNSS receiver
// (a single global object for the whole run). It opens the COM port,
// configures the receiver with fixed command lists and runs the reader
// thread that cuts the received bytes into lines at CR and hands each line
// to the notify window (the main frame) with a sent WM_GPS_SENTENCE. It also
// sends the text commands and binary command frames of the rest of the
// program.
//
// Some members also serve as a mailbox: the network, GSM and radio dialogs
// raise request flags here and poll the result flags with one-second
// timers, on the user-interface thread only. Nothing serves the requests.
//
// Threads. The reader is the port's only reader. Close and Start stop any
// reader and wait for it, also one still opening the port or sending the
// link-start list: a stop request ends its pauses at once and aborts its
// pending read or write. The waiting thread keeps serving messages sent to
// it, so a reader blocked in SendMessage to it cannot deadlock. Each send
// holds the send lock for its whole line or frame, so the writes of the
// user-interface thread never interleave with those of the reader. The
// members both threads touch are atomic.
//
// Every member starts at its zero value; the constructor then calls Reset.
// The destructor does not close the port: the main frame has closed it
// when its window went. It only waits for a reader that is still there.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

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

// What the reader thread reads and writes of the document when the link
// starts. The document implements it with atomic values: it is called on
// the reader thread while the user-interface thread runs.
class IGpsLinkHost {
  public:
    virtual ~IGpsLinkHost() = default;
    // SystemParams nRadioFormat: which interface-mode line goes out (0..3).
    virtual int RadioFormat() const = 0;
    // The document's m_nReceiverType: the command family the link set up.
    virtual void SetReceiverType(int nType) = 0;
};

class CGpsComm {
  public:
    // COM port of the receiver board in the handheld's expansion slot; every
    // other port number is an external receiver cable.
    static constexpr int ExpansionSlotPort = 5;
    // m_nReceiverType once a link has started.
    static constexpr int kReceiverTypeStarted = 3;
    // A failed read (device gone, port closed) is tried again this long
    // after the failed attempt began, on the active clock.
    static constexpr DWORD kReadRetryMs = 300;

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
    BOOL IsOpen() const { return m_hPort.load() != INVALID_HANDLE_VALUE; }
    // The document the reader reports the link start to (may be null: the
    // interface mode of format 0 goes out and nothing is reported).
    void SetHost(IGpsLinkHost* pHost) { m_pHost = pHost; }

    // Stops and waits for any reader, closes a port one left open, then
    // starts a new reader: Open, the link-start list, the read loop.
    void Start();
    // Opens and configures the port and sends the output set-up. FALSE,
    // after telling the user, when the port cannot be opened or set up.
    BOOL Open();
    // Stops and waits for the reader; then, when the port is open, drops
    // RTS and DTR, purges, closes it after a second and powers the
    // receiver board off.
    void Close();

    // One byte; non-zero when it went out.
    int WriteByte(char c);
    // The low byte of every character, then CR LF. Write failures are
    // ignored.
    BOOL SendLine(CString text);
    // The same, appending the CR LF to the caller's string, which keeps it.
    void SendText(CString& text);
    // A command frame whose payload is the low bytes of the first nLen
    // characters of payload (characters past its end go as 0). 1 when every
    // byte went out; 0 at the first failed write, which ends the frame, and
    // for a length outside 0..250, when nothing is sent.
    int SendFrame(BYTE id, int nLen, CString payload);
    // A command frame with the payload of the typed tokens (see
    // TypedCommandPayload). Write failures are ignored.
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
    std::atomic<int> m_nBusy{};  // 1 while a mailbox request is outstanding
    int m_nRadioState{};         // -1 idle, 1 read done, 2 switch done
    // ---- The link ----
    HANDLE m_hThread{};  // the reader
    std::atomic<HANDLE> m_hPort{};
    std::atomic<int> m_nReceiverType{};  // 3 once the link has started, -1 before
    BOOL m_bGsmReadReq{};
    BOOL m_bGsmSetReq{};
    int m_nPort{};
    int m_nBaud{};
    char m_cParity{};
    int m_nDataBits{};
    int m_nStopBits{};
    std::atomic<BOOL> m_bRunning{};
    std::atomic<HWND> m_hNotifyWnd{};

    // Reads that failed (not timed out) since the object was made; tests
    // watch the retry pace with it.
    DWORD GetReadFailures() const { return m_nReadFailures.load(); }

    // One reader thread and its stop request (GpsCommReader.cpp).
    struct Reader;

  private:
    static DWORD ThreadProc(LPVOID param);
    void RunReader(Reader& reader);
    BOOL StartLink(Reader& reader);
    void ReadLoop(Reader& reader);
    void Deliver(class CLineCutter& cutter);
    BOOL ConfigurePort(HANDLE port);
    void StartExpansionSlotBoard(HANDLE port);
    void SendOutputSetup();
    BOOL SendBytes(const BYTE* bytes, size_t n, BOOL bStopAtFailure);
    void StopReaders();
    BOOL Pause(DWORD ms);
    BOOL Stopping() const;
    void SwitchReceiverPower(BOOL bOn);

    std::atomic<IGpsLinkHost*> m_pHost{nullptr};
    std::mutex m_sendLock;
    std::shared_ptr<Reader> m_reader;
    // Readers stopped from inside their own message: they end as soon as
    // it returns and are collected by the next stop.
    std::vector<std::shared_ptr<Reader>> m_retired;
    std::atomic<DWORD> m_nReadFailures{0};
};
