// CSerialPort: a port opened by name whose reader thread sends whatever has
// queued up to a window in one WM_BT_SERIAL_DATA message (wParam = a new
// buffer with the bytes, lParam = their count).
//
// The port handle and the window the reader sends to are process-wide, so
// one CSerialPort port can be open at a time.
//
// The buffer (new BYTE[count + 2]) belongs to the window that handles the
// message: the handler takes the bytes, releases it with delete[] and
// returns nonzero. A message that no handler saw (no window was set, or the
// window was destroyed before the message's turn) comes back as 0 with the
// window gone; the buffer is then still the reader's, and the reader
// releases it.
//
// The reader stops cooperatively: ClosePort raises the stop flag, releases
// the event wait with an empty mask and waits for the reader to end while
// serving messages sent to the closing thread. Inside the reader's own
// message it cannot be waited for; it then ends by itself as soon as the
// message returns, finding its port closed.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

class CSerialPort {
  public:
    CSerialPort() = default;
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // The window to send to; set before Open.
    void SetNotifyWindow(HWND hWnd) { m_hNotifyWnd = hWnd; }

    BOOL Open(LPCTSTR portName, int nBaud);
    BOOL Configure(int nBaud);
    BOOL SetTimeouts();
    // The number of bytes written, 0 on failure.
    int Write(const BYTE* data, int length);
    // EscapeCommFunction on the port while it is open; 0 when it is not.
    BOOL EscapeFunction(DWORD code);
    BOOL IsOpen() const { return m_bOpen; }
    void Close();

  private:
    static DWORD ReadThread(LPVOID param);
    void ClosePort();
    void StopReader();

    BOOL m_bOpen = FALSE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadId = 0;
    HWND m_hNotifyWnd = nullptr;
};
