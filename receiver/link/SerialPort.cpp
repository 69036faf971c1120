#include "receiver/link/SerialPort.h"

#include <atomic>

#include "platform/base/MessageBox.h"
#include "platform/base/Thread.h"
#include "platform/serial/SerialApi.h"
#include "platform/win/WinApi.h"
#include "receiver/link/PortMessages.h"

namespace {

std::atomic<HANDLE> g_hPort{INVALID_HANDLE_VALUE};
std::atomic<HWND> g_hNotifyWnd{nullptr};
std::atomic<bool> g_bStop{false};
// The reader that is sending a batch, while it does (0 when none).
std::atomic<DWORD> g_nSendingReader{0};

void ShowError(LPCTSTR text, LPCTSTR caption) {
    MessageBox(nullptr, text, caption, MB_OK);
}

// Hands a batch to the window. A handler releases the buffer and returns
// nonzero; 0 with the window gone means that no handler saw the message
// (a window that is destroyed stays destroyed), so the buffer is still ours.
void Deliver(BYTE* buffer, DWORD count) {
    const HWND window = g_hNotifyWnd.load();
    const DWORD self = GetCurrentThreadId();
    g_nSendingReader = self;
    const LRESULT taken = SendMessage(window, WM_BT_SERIAL_DATA, reinterpret_cast<WPARAM>(buffer),
                                      static_cast<LPARAM>(count));
    DWORD sending = self;
    g_nSendingReader.compare_exchange_strong(sending, 0);
    if (taken == 0 && !IsWindow(window)) delete[] buffer;
}

// Reads what has queued and hands it to the window.
void DeliverQueued(HANDLE port) {
    COMSTAT stat = {};
    DWORD errors = 0;
    if (!ClearCommError(port, &errors, &stat) || stat.cbInQue == 0) return;
    BYTE* buffer = new BYTE[stat.cbInQue + 2]();
    DWORD read = 0;
    if (!ReadFile(port, buffer, stat.cbInQue, &read, nullptr)) {
        ShowError(L"Error in read from serial port", L"Read Error");
        delete[] buffer;
        return;
    }
    Deliver(buffer, read);
}

}  // namespace

CSerialPort::~CSerialPort() {
    Close();
}

BOOL CSerialPort::Open(LPCTSTR portName, int nBaud) {
    // One port at a time: an open one is closed first.
    Close();
    g_hNotifyWnd = m_hNotifyWnd;
    HANDLE port =
        CreateFile(portName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        CString text;
        text.Format(L"Unable to open %s, Error No.=%d", portName, static_cast<int>(GetLastError()));
        ShowError(text, L"Error");
        return FALSE;
    }
    g_hPort = port;
    SetCommMask(port, EV_RXCHAR);
    SetupComm(port, 512, 512);
    PurgeComm(port, PURGE_TXCLEAR | PURGE_RXCLEAR);
    if (!Configure(nBaud) || !SetTimeouts()) return FALSE;
    EscapeCommFunction(port, SETDTR);
    EscapeCommFunction(port, SETRTS);
    EscapeCommFunction(port, CLRDTR);
    g_bStop = false;
    m_hThread = CreateThread(nullptr, 0, &CSerialPort::ReadThread, this, 0, &m_nThreadId);
    if (m_hThread == nullptr) {
        ShowError(L"Unable to create the read thread", L"Error");
        return FALSE;
    }
    m_bOpen = TRUE;
    return TRUE;
}

BOOL CSerialPort::Configure(int nBaud) {
    HANDLE port = g_hPort.load();
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    BOOL ok = GetCommState(port, &dcb);
    if (ok) {
        // The low 15 flag bits become exactly 0x1013; the rest stay.
        dcb.fBinary = 1;
        dcb.fParity = 1;
        dcb.fOutxCtsFlow = 0;
        dcb.fOutxDsrFlow = 0;
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        dcb.fDsrSensitivity = 0;
        dcb.fTXContinueOnXoff = 0;
        dcb.fOutX = 0;
        dcb.fInX = 0;
        dcb.fErrorChar = 0;
        dcb.fNull = 0;
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        dcb.fAbortOnError = 0;
        dcb.BaudRate = static_cast<DWORD>(nBaud);
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        ok = SetCommState(port, &dcb);
    }
    if (!ok) ShowError(L"Unable to configure the serial port", L"Error");
    return ok;
}

BOOL CSerialPort::SetTimeouts() {
    HANDLE port = g_hPort.load();
    COMMTIMEOUTS timeouts = {};
    BOOL ok = GetCommTimeouts(port, &timeouts);
    if (ok) {
        timeouts.ReadIntervalTimeout = MAXDWORD;
        timeouts.ReadTotalTimeoutMultiplier = 0;
        timeouts.ReadTotalTimeoutConstant = 0;
        timeouts.WriteTotalTimeoutMultiplier = 10;
        timeouts.WriteTotalTimeoutConstant = 1000;
        ok = SetCommTimeouts(port, &timeouts);
    }
    if (!ok) ShowError(L"Unable to set the time-out parameters", L"Error");
    return ok;
}

int CSerialPort::Write(const BYTE* data, int length) {
    DWORD written = 0;
    if (length <= 0 ||
        !WriteFile(g_hPort.load(), data, static_cast<DWORD>(length), &written, nullptr)) {
        return 0;
    }
    return static_cast<int>(written);
}

BOOL CSerialPort::EscapeFunction(DWORD code) {
    return m_bOpen ? EscapeCommFunction(g_hPort.load(), code) : 0;
}

void CSerialPort::Close() {
    if (g_hPort.load() != INVALID_HANDLE_VALUE) ClosePort();
}

void CSerialPort::ClosePort() {
    m_bOpen = FALSE;
    HANDLE port = g_hPort.load();
    g_bStop = true;
    SetCommMask(port, 0);
    StopReader();
    EscapeCommFunction(port, CLRDTR);
    EscapeCommFunction(port, CLRRTS);
    PurgeComm(port, PURGE_TXCLEAR | PURGE_RXCLEAR);
    CloseHandle(port);
    g_hPort = INVALID_HANDLE_VALUE;
}

// Waits for the reader while serving what it sends. Inside its own message
// the reader waits for this thread, so it is let go instead: it touches
// nothing but the process-wide values and ends once the message returns.
void CSerialPort::StopReader() {
    if (m_hThread == nullptr) return;
    if (!(InSendMessage() && g_nSendingReader.load() == m_nThreadId)) {
        WaitForSingleObject(m_hThread, INFINITE);
    }
    CloseHandle(m_hThread);
    m_hThread = nullptr;
    m_nThreadId = 0;
}

DWORD CSerialPort::ReadThread(LPVOID) {
    const HANDLE port = g_hPort.load();
    if (port == INVALID_HANDLE_VALUE) return 0;
    SetCommMask(port, EV_RXCHAR);
    // Ends with its own port: a reader of an earlier port never serves a
    // later one.
    while (!g_bStop && g_hPort.load() == port) {
        DWORD mask = 0;
        if (!WaitCommEvent(port, &mask, nullptr) || g_bStop) continue;
        if (mask & EV_RXCHAR) DeliverQueued(port);
    }
    return 0;
}
