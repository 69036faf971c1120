// CGpsComm: the members, the port parameters and the senders. The port set-up
// is in GpsCommOpen.cpp, the reader and Close in GpsCommReader.cpp.
#include "receiver/link/GpsComm.h"

#include <string>

#include "platform/serial/SerialApi.h"
#include "receiver/link/PeripheralControl.h"
#include "receiver/link/PortSetting.h"
#include "receiver/link/ReceiverFrames.h"

namespace {

// The low byte of every character, embedded zeros included.
std::string LowBytesOf(const CString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.GetLength()));
    for (int i = 0; i < text.GetLength(); ++i) {
        bytes.push_back(static_cast<char>(static_cast<unsigned>(text.GetAt(i)) & 0xFF));
    }
    return bytes;
}

}  // namespace

CGpsComm::CGpsComm() {
    Reset();
}

CGpsComm::~CGpsComm() {
    StopReaders();
}

void CGpsComm::Reset() {
    m_bNetRequest = 0;
    m_bRadioSwitchReq = 0;
    m_bRadioReadReq = 1;
    m_bGsmSetNumberReq = 0;
    m_strGsmBaseNumber = L"";
    m_bGsmDialReq = 0;
    m_bGsmHangUpReq = 0;
    m_bRadioOk = 0;
    m_nCurChannel = -1;
    m_nRadioTarget = 0;
    m_nBusy = 0;
    m_hThread = INVALID_HANDLE_VALUE;
    // A reader that is still opening owns the port it opens; the next Start
    // or Close takes it back.
    if (!m_reader) m_hPort = INVALID_HANDLE_VALUE;
    m_nReceiverType = -1;
    m_bGsmReadReq = 0;
    m_bGsmSetReq = 0;
    m_nPort = ExpansionSlotPort;
    m_nBaud = 57600;
    m_cParity = 'N';
    m_nDataBits = 8;
    m_nStopBits = 1;
    m_hNotifyWnd = nullptr;
}

void CGpsComm::SetPortParams(int nMode, int nPort, int nBaud, char cParity, int nDataBits,
                             int nStopBits) {
    m_nPort = nMode == 0 ? PortNumberForSetting(nPort) : nPort;
    m_nBaud = nBaud;
    m_cParity = cParity;
    m_nDataBits = nDataBits;
    m_nStopBits = nStopBits;
}

int CGpsComm::WriteByte(char c) {
    DWORD written = 0;
    return WriteFile(m_hPort.load(), &c, 1, &written, nullptr) && written == 1 ? 1 : 0;
}

BOOL CGpsComm::SendBytes(const BYTE* bytes, size_t n, BOOL bStopAtFailure) {
    std::lock_guard<std::mutex> lock(m_sendLock);
    for (size_t i = 0; i < n; ++i) {
        if (!WriteByte(static_cast<char>(bytes[i])) && bStopAtFailure) return FALSE;
    }
    return TRUE;
}

BOOL CGpsComm::SendLine(CString text) {
    SendText(text);
    return TRUE;
}

void CGpsComm::SendText(CString& text) {
    text += L"\r\n";
    const std::string bytes = LowBytesOf(text);
    SendBytes(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(), FALSE);
}

int CGpsComm::SendFrame(BYTE id, int nLen, CString payload) {
    if (nLen < 0 || nLen > ReceiverCommandFrame::kMaxPayload) return 0;
    std::vector<BYTE> bytes(static_cast<size_t>(nLen));
    for (int i = 0; i < nLen; ++i) {
        bytes[static_cast<size_t>(i)] = static_cast<BYTE>(payload.GetAt(i) & 0xFF);
    }
    const std::vector<BYTE> frame = ReceiverCommandFrame::Build(id, bytes.data(), nLen);
    return SendBytes(frame.data(), frame.size(), TRUE) ? 1 : 0;
}

void CGpsComm::SendTypedCommand(BYTE id, CString tokens) {
    const std::vector<BYTE> payload = TypedCommandPayload(tokens);
    if (payload.size() > static_cast<size_t>(ReceiverCommandFrame::kMaxPayload)) return;
    const std::vector<BYTE> frame =
        ReceiverCommandFrame::Build(id, payload.data(), static_cast<int>(payload.size()));
    SendBytes(frame.data(), frame.size(), TRUE);
}

void CGpsComm::SwitchReceiverPower(BOOL bOn) {
    ClaimPeripheral(kReceiverPeripheral, TRUE);
    SwitchPeripheral(kReceiverPeripheral, bOn);
    ClaimPeripheral(kReceiverPeripheral, FALSE);
}
