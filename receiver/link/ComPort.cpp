#include "receiver/link/ComPort.h"

#include "platform/base/Clock.h"
#include "platform/base/Thread.h"
#include "platform/serial/SerialApi.h"
#include "platform/win/WinApi.h"

CComPort::~CComPort() {
    Close();
}

void CComPort::SetNotify(HWND hWnd, UINT nMessage) {
    m_hNotifyWnd = hWnd;
    m_nNotifyMsg = nMessage;
}

BOOL CComPort::Open(int nPort, int nBaud) {
    // Never a second reader beside the first. Inside the old reader's own
    // message it cannot be waited for yet, so the port stays closed.
    Close();
    if (m_hThread != nullptr) return FALSE;
    m_nPort = nPort;
    CString name;
    name.Format(L"com%d:", nPort);
    HANDLE port =
        CreateFile(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) return FALSE;
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = static_cast<DWORD>(nBaud);
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = 1;
    dcb.fOutxCtsFlow = 1;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    COMMTIMEOUTS timeouts = {10, 0, 0, 0, 5000};
    if (!SetCommState(port, &dcb) || !SetCommTimeouts(port, &timeouts)) {
        CloseHandle(port);
        return FALSE;
    }
    m_hPort = port;
    // Cleared here, not by the reader: a Close right after Open must not
    // have its stop flag wiped by a reader that starts late.
    m_bStop = 0;
    StartReader();
    return TRUE;
}

BOOL CComPort::IsOpen() const {
    return m_hPort.load() != INVALID_HANDLE_VALUE;
}

int CComPort::WriteByte(BYTE byte) {
    DWORD written = 0;
    return WriteFile(m_hPort.load(), &byte, 1, &written, nullptr) && written == 1 ? 1 : 0;
}

void CComPort::WriteString(const CString& text) {
    for (int i = 0; i < text.GetLength(); ++i) {
        WriteByte(static_cast<BYTE>(text.GetAt(i) & 0xFF));
    }
}

void CComPort::Close() {
    m_bStop = 1;
    Sleep(0);
    HANDLE port = m_hPort.exchange(INVALID_HANDLE_VALUE);
    if (port != INVALID_HANDLE_VALUE) CloseHandle(port);
    JoinReader();
}

void CComPort::StartReader() {
    m_hThread = CreateThread(nullptr, 0, &CComPort::ReadThread, this, 0, nullptr);
}

// Waits for the reader to end, serving what it sends meanwhile. Inside the
// reader's own message the wait would never end: the reader then ends by
// itself once the message returns, and a later Close, Open or the
// destructor collects it.
void CComPort::JoinReader() {
    if (m_hThread == nullptr) return;
    if (m_nDeliveringTo.load() == GetCurrentThreadId() && InSendMessage()) return;
    WaitForSingleObject(m_hThread, INFINITE);
    CloseHandle(m_hThread);
    m_hThread = nullptr;
}

DWORD CComPort::ReadThread(LPVOID param) {
    static_cast<CComPort*>(param)->ReadLoop();
    return 0;
}

void CComPort::ReadLoop() {
    const HANDLE port = m_hPort.load();
    while (!m_bStop) {
        BYTE byte = 0;
        DWORD read = 0;
        if (!ReadFile(port, &byte, 1, &read, nullptr) || read != 1) continue;
        const HWND wnd = m_hNotifyWnd.load();
        const UINT message = m_nNotifyMsg.load();
        if (m_bStop || wnd == nullptr || message == kNoMessage) continue;
        HWND target = wnd;
        m_nDeliveringTo = GetWindowThreadProcessId(target, nullptr);
        SendMessage(target, message, byte, m_nPort);
        m_nDeliveringTo = 0;
    }
}
