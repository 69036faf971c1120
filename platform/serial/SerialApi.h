// The device's serial-port interface, as the program calls it: CreateFile on
// "COMn:", the control block, time-outs, escape functions, events and purge.
//
// Ports are host terminals named by the port map (see PortMap.h). Reads and
// writes follow the device's time-out rules, measured on the active clock.
// Closing a port from one thread makes a read or a wait blocked on it in
// another thread fail at once with ERROR_OPERATION_ABORTED.
//
// A device that went away while open (the far side of a pseudo-terminal
// closed, a USB adapter unplugged) behaves as a silent line: reads and waits
// run out their time-outs as usual with nothing read, the queue counts
// nothing, writes fail at once with ERROR_DEV_NOT_EXIST. What it sent before
// it went stays in the receive queue, counted and read as usual. Meanwhile
// the port opens its host path again now and then (the same name, so a link
// follows a new device behind it) and, once it is there, gives it the
// port's settings and modem lines and goes on reading: the program needs to
// do nothing. Nothing ever spins on a dead descriptor.
#pragma once

#include "platform/base/WinTypes.h"

// CreateFile access, sharing and creation values.
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define CREATE_NEW 1u
#define CREATE_ALWAYS 2u
#define OPEN_EXISTING 3u
#define OPEN_ALWAYS 4u
#define TRUNCATE_EXISTING 5u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u

// The control block. The flag bits sit in one 32-bit word at offset 8 in
// this order, so that code which writes the flag word directly (0x1013,
// 0x2015) sets the same fields as code that names them.
struct DCB {
    DWORD DCBlength;
    DWORD BaudRate;
    DWORD fBinary : 1;            // 0x0001
    DWORD fParity : 1;            // 0x0002
    DWORD fOutxCtsFlow : 1;       // 0x0004
    DWORD fOutxDsrFlow : 1;       // 0x0008
    DWORD fDtrControl : 2;        // 0x0030
    DWORD fDsrSensitivity : 1;    // 0x0040
    DWORD fTXContinueOnXoff : 1;  // 0x0080
    DWORD fOutX : 1;              // 0x0100
    DWORD fInX : 1;               // 0x0200
    DWORD fErrorChar : 1;         // 0x0400
    DWORD fNull : 1;              // 0x0800
    DWORD fRtsControl : 2;        // 0x3000
    DWORD fAbortOnError : 1;      // 0x4000
    DWORD fDummy2 : 17;
    WORD wReserved;
    WORD XonLim;
    WORD XoffLim;
    BYTE ByteSize;
    BYTE Parity;
    BYTE StopBits;
    char XonChar;
    char XoffChar;
    char ErrorChar;
    char EofChar;
    char EvtChar;
    WORD wReserved1;
};
typedef DCB* LPDCB;

#define DTR_CONTROL_DISABLE 0x00
#define DTR_CONTROL_ENABLE 0x01
#define DTR_CONTROL_HANDSHAKE 0x02
#define RTS_CONTROL_DISABLE 0x00
#define RTS_CONTROL_ENABLE 0x01
#define RTS_CONTROL_HANDSHAKE 0x02
#define RTS_CONTROL_TOGGLE 0x03

#define NOPARITY 0
#define ODDPARITY 1
#define EVENPARITY 2
#define MARKPARITY 3
#define SPACEPARITY 4
#define ONESTOPBIT 0
#define ONE5STOPBITS 1
#define TWOSTOPBITS 2

#define CBR_1200 1200
#define CBR_2400 2400
#define CBR_4800 4800
#define CBR_9600 9600
#define CBR_19200 19200
#define CBR_38400 38400
#define CBR_57600 57600
#define CBR_115200 115200

struct COMMTIMEOUTS {
    DWORD ReadIntervalTimeout;
    DWORD ReadTotalTimeoutMultiplier;
    DWORD ReadTotalTimeoutConstant;
    DWORD WriteTotalTimeoutMultiplier;
    DWORD WriteTotalTimeoutConstant;
};
typedef COMMTIMEOUTS* LPCOMMTIMEOUTS;

struct COMSTAT {
    DWORD fCtsHold : 1;
    DWORD fDsrHold : 1;
    DWORD fRlsdHold : 1;
    DWORD fXoffHold : 1;
    DWORD fXoffSent : 1;
    DWORD fEof : 1;
    DWORD fTxim : 1;
    DWORD fReserved : 25;
    DWORD cbInQue;
    DWORD cbOutQue;
};
typedef COMSTAT* LPCOMSTAT;

// EscapeCommFunction codes.
#define SETXOFF 1
#define SETXON 2
#define SETRTS 3
#define CLRRTS 4
#define SETDTR 5
#define CLRDTR 6

// PurgeComm flags.
#define PURGE_TXABORT 0x0001
#define PURGE_RXABORT 0x0002
#define PURGE_TXCLEAR 0x0004
#define PURGE_RXCLEAR 0x0008

// Comm events (only EV_RXCHAR is ever raised here).
#define EV_RXCHAR 0x0001
#define EV_RXFLAG 0x0002
#define EV_TXEMPTY 0x0004
#define EV_CTS 0x0008
#define EV_DSR 0x0010
#define EV_RLSD 0x0020
#define EV_BREAK 0x0040
#define EV_ERR 0x0080
#define EV_RING 0x0100

// ClearCommError error bits.
#define CE_RXOVER 0x0001
#define CE_OVERRUN 0x0002
#define CE_RXPARITY 0x0004
#define CE_FRAME 0x0008
#define CE_BREAK 0x0010

// Opens "COMn:" or "comn:" (n from 1). Security attributes, flags and the
// template are accepted and ignored; overlapped I/O is not offered. Fails
// with ERROR_FILE_NOT_FOUND for a name that is not a port or a port that
// is not mapped or not there, ERROR_ACCESS_DENIED when the port is already
// open (here or in another process), ERROR_NOT_SUPPORTED when the mapped
// host path is not a terminal.
HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD share, void* security, DWORD creation,
                   DWORD flags, HANDLE templateFile);
#define CreateFile CreateFileW

// `overlapped` must be null.
BOOL ReadFile(HANDLE port, LPVOID buffer, DWORD toRead, LPDWORD read, void* overlapped);
BOOL WriteFile(HANDLE port, LPCVOID buffer, DWORD toWrite, LPDWORD written, void* overlapped);

BOOL GetCommState(HANDLE port, LPDCB dcb);
BOOL SetCommState(HANDLE port, LPDCB dcb);
BOOL GetCommTimeouts(HANDLE port, LPCOMMTIMEOUTS timeouts);
BOOL SetCommTimeouts(HANDLE port, LPCOMMTIMEOUTS timeouts);
BOOL EscapeCommFunction(HANDLE port, DWORD function);
BOOL PurgeComm(HANDLE port, DWORD flags);
BOOL SetupComm(HANDLE port, DWORD inQueue, DWORD outQueue);
BOOL SetCommMask(HANDLE port, DWORD mask);
BOOL GetCommMask(HANDLE port, LPDWORD mask);
// `overlapped` must be null.
BOOL WaitCommEvent(HANDLE port, LPDWORD mask, void* overlapped);
BOOL ClearCommError(HANDLE port, LPDWORD errors, LPCOMSTAT stat);
