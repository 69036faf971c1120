// CComPort: a numbered port ("com%d:") whose reader thread sends every
// received byte to a window, one synchronous message per byte.
//
// The reader stops cooperatively: Close raises the stop flag and closes the
// port, which fails the reader's pending read, and then waits for the reader
// to end while it keeps serving messages sent to the closing thread (so a
// reader blocked in SendMessage to it cannot deadlock the close). The port
// can be opened again only once the old reader is gone: Open on an open
// port closes it first (and fails when called from inside the old reader's
// own message), and the destructor closes.
#pragma once

#include <atomic>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

class CComPort {
  public:
    // The notify message that means "send nothing".
    static constexpr UINT kNoMessage = 11023;

    CComPort() = default;
    virtual ~CComPort();
    CComPort(const CComPort&) = delete;
    CComPort& operator=(const CComPort&) = delete;

    // Takes effect for the next byte.
    void SetNotify(HWND hWnd, UINT nMessage);
    // 8 data bits, no parity, one stop bit, CTS flow, DTR enabled, RTS
    // handshake; a one-byte read waits for its byte. FALSE, silently, when
    // the port cannot be opened or set up.
    BOOL Open(int nPort, int nBaud);
    BOOL IsOpen() const;
    // Nonzero when the byte went out.
    int WriteByte(BYTE byte);
    // The low 8 bits of each character; nothing appended.
    void WriteString(const CString& text);
    void Close();

  private:
    static DWORD ReadThread(LPVOID param);
    void StartReader();
    void ReadLoop();
    void JoinReader();

    std::atomic<HWND> m_hNotifyWnd{nullptr};
    std::atomic<UINT> m_nNotifyMsg{kNoMessage};
    int m_nPort = 0;
    std::atomic<HANDLE> m_hPort{INVALID_HANDLE_VALUE};
    HANDLE m_hThread = nullptr;
    std::atomic<BYTE> m_bStop{0};
    // The thread the reader is sending a byte to, while it does (0 when
    // not): a Close from inside that very message cannot wait for the
    // reader, which waits for it.
    std::atomic<DWORD> m_nDeliveringTo{0};
};
