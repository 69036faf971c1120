// CSerialPort: a port opened by name whose reader thread sends whatever has
// queued up to a window in one WM_BT_SERIAL_DATA message (wParam = a new
// buffer with the bytes, lParam = their count).
//
// The port handle and the window the reader sends to are process-wide, so
// one CSerialPort port can be open at a time.
//
// The buffer: the window's handler takes the bytes and may release the
// buffer with CSerialPort::ReleaseData (never with delete). Whatever the
// handler has not released when SendMessage returns (a window that is gone
// never sees its message) the reader releases, so no buffer is ever lost or
// released twice.
//
// The reader stops cooperatively: ClosePort raises the stop flag, releases
// the event wait with an empty mask and waits for the reader to end while
// serving messages sent to the closing thread.
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

    // Releases a WM_BT_SERIAL_DATA buffer; TRUE when it was one still held.
    static BOOL ReleaseData(BYTE* buffer);
    // Buffers sent and not yet released (tests).
    static int OutstandingBuffers();

  private:
    static DWORD ReadThread(LPVOID param);
    void ClosePort();

    BOOL m_bOpen = FALSE;
    HANDLE m_hThread = nullptr;
    HWND m_hNotifyWnd = nullptr;
};
