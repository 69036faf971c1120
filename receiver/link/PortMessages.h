// The messages the port readers send to their windows.
#pragma once

#include "platform/base/WinTypes.h"

// One received byte: wParam = the byte (0..255), lParam = the port number.
#define WM_SOUNDER_CHAR 0x7F0
#define WM_PORTTEST_CHAR 0x407
// A batch of received bytes: wParam = the buffer (BYTE*), lParam = the count.
// The handler owns the buffer: it releases it with delete[] and returns
// nonzero (see CSerialPort).
#define WM_BT_SERIAL_DATA 0x7E7

// The receiver reader's line, sent and waited for: wParam = the CByteBuffer
// with the bytes up to and with the CR and a 0 byte appended, lParam
// kGpsSentenceMark.
#define WM_GPS_SENTENCE 0x1080
// The lParam of every WM_GPS_SENTENCE; the frame does not read it.
constexpr LPARAM kGpsSentenceMark = 7;
// Sent before a line whose type-1 "$BIN" block carries a sigma above 1e-5:
// wParam = the float, lParam 0.
#define WM_GPS_BIN1_SIGMA 0x1081
