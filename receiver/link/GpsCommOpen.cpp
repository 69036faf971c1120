// CGpsComm::Open: the expansion-slot registry value, the port, its line
// settings and time-outs, the RTS pulse, the receiver's power and the output
// set-up of the receiver.
#include <cstring>

#include "platform/base/Clock.h"
#include "platform/base/Handle.h"
#include "platform/base/MessageBox.h"
#include "platform/files/Registry.h"
#include "platform/serial/SerialApi.h"
#include "receiver/link/GpsComm.h"
#include "receiver/link/ReceiverFrames.h"

namespace {

// The receiver's output set-up, sent after every opening, with the pause
// after each line.
struct TimedLine {
    const wchar_t* text;
    DWORD pauseMs;
};

const TimedLine kOutputSetup[] = {
    {L"$JOFF\r\n", 20},         {L"$JDIFF,NONE\r\n", 20},
    {L"$JDIFF,WAAS\r\n", 20},   {L"$JWAASPRN,129,137\r\n", 20},
    {L"$JMASK,0\r\n", 20},      {L"$JBAUD,9600,OTHER\r\n", 200},
    {L"$JASC,GPGGA,1\r\n", 20}, {L"$JASC,GPZDA,1\r\n", 20},
    {L"$JASC,GPGST,1\r\n", 20}, {L"$JASC,GPGSA,1\r\n", 20},
    {L"$JASC,GPGSV,1\r\n", 20}, {L"$JBIN,1,1\r\n", 20},
    {L"$JBIN,2,1\r\n", 20},     {L"$JBIN,99,0.2\r\n", 20},
    {L"$JSAVE\r\n", 0},
};

// The flag word of the control block sits at offset 8; its low 15 bits are
// the line's flags.
constexpr size_t kDcbFlagsOffset = 8;
constexpr DWORD kLowFlagsMask = 0x7FFF;
// Binary, parity checking, DTR enabled, RTS enabled.
constexpr DWORD kLinkFlags = 0x1013;

void ShowPortError(LPCTSTR format) {
    CString text;
    text.Format(format, GetLastError());
    MessageBox(nullptr, text, L"Error", MB_OK);
}

// Forces the expansion slot's UART to the receiver board. TRUE when the
// key could be opened.
BOOL ForceExpansionSlotUart() {
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"Drivers\\PsionTeklogix\\Expansion Slot", 0,
                       const_cast<LPTSTR>(L""), 0, 0, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        AfxMessageBox(L"Open Communication Port Failed!");
        return FALSE;
    }
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    const LONG read =
        RegQueryValueEx(key, L"FFUART", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    const DWORD one = 1;
    // A value that did not stick reads as unset on the next start, which
    // asks for the restart again.
    (void)RegSetValueEx(key, L"FFUART", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                        sizeof one);
    RegCloseKey(key);
    const BOOL wasOne =
        read == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value && value == 1;
    if (!wasOne) AfxMessageBox(L"已经修改GPS串口配置，请将手持机热启动！");
    return TRUE;
}

}  // namespace

BOOL CGpsComm::Open() {
    if (!ForceExpansionSlotUart()) return FALSE;
    const HANDLE old = m_hPort.exchange(INVALID_HANDLE_VALUE);
    if (old != INVALID_HANDLE_VALUE) {
        CloseHandle(old);
        Pause(10);
    }
    CString name;
    name.Format(L"COM%d:", m_nPort);
    const HANDLE port =
        CreateFile(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        ShowPortError(L"无法打开串口,错误码%u");
        return FALSE;
    }
    m_hPort = port;
    if (m_nPort != ExpansionSlotPort) {
        if (!ConfigurePort(port)) return FALSE;
    } else {
        // A board switched off (by the Close of a reconnection) hears
        // nothing: it is powered before it is told its rate, as it is at the
        // first start, when it has been on since the handheld started.
        SwitchReceiverPower(TRUE);
        StartExpansionSlotBoard(port);
    }
    COMMTIMEOUTS timeouts{};
    GetCommTimeouts(port, &timeouts);
    timeouts.ReadIntervalTimeout = 10;
    timeouts.ReadTotalTimeoutMultiplier = 300;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 100;
    SetCommTimeouts(port, &timeouts);
    // The receiver takes an RTS pulse as the sign that a controller is there.
    EscapeCommFunction(port, CLRRTS);
    if (!Pause(500)) return FALSE;
    EscapeCommFunction(port, SETRTS);
    if (!Pause(500)) return FALSE;
    EscapeCommFunction(port, CLRRTS);
    EscapeCommFunction(port, CLRRTS);
    SwitchReceiverPower(TRUE);
    SendOutputSetup();
    return !Stopping();
}

BOOL CGpsComm::ConfigurePort(HANDLE port) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(port, &dcb);
    DWORD flags = 0;
    std::memcpy(&flags, reinterpret_cast<BYTE*>(&dcb) + kDcbFlagsOffset, sizeof flags);
    flags = (flags & ~kLowFlagsMask) | kLinkFlags;
    std::memcpy(reinterpret_cast<BYTE*>(&dcb) + kDcbFlagsOffset, &flags, sizeof flags);
    dcb.BaudRate = static_cast<DWORD>(m_nBaud);
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    if (!SetCommState(port, &dcb)) {
        ShowPortError(L"无法配置串口,错误码%u");
        return FALSE;
    }
    return TRUE;
}

// The board in the expansion slot starts at 57600 baud: it is told to go
// to 9600 and the port follows it. Its answers are not checked.
void CGpsComm::StartExpansionSlotBoard(HANDLE port) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(port, &dcb);
    dcb.BaudRate = 57600;
    SetCommState(port, &dcb);
    SendFrame(RXCMD_LINK_START, 0, L"");
    SendFrame(RXCMD_LINK_START, 0, L"");
    if (!Pause(1000)) return;
    SendLine(L"com,9600\r\n");
    SendLine(L"com,9600\r\n");
    if (!Pause(1000)) return;
    GetCommState(port, &dcb);
    dcb.BaudRate = 9600;
    dcb.ByteSize = static_cast<BYTE>(m_nDataBits);
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    SetCommState(port, &dcb);
}

void CGpsComm::SendOutputSetup() {
    for (const TimedLine& line : kOutputSetup) {
        if (Stopping()) return;
        SendLine(line.text);
        if (line.pauseMs != 0 && !Pause(line.pauseMs)) return;
    }
}
