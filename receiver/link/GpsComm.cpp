#include "receiver/link/GpsComm.h"

// The results that Reset leaves alone start at zero.
CGpsComm::CGpsComm() {
    Reset();
}

CGpsComm::~CGpsComm() = default;

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
    m_hPort = INVALID_HANDLE_VALUE;
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
    if (nMode == 0)
        m_nPort = nPort == 0 ? ExpansionSlotPort : 1;
    else
        m_nPort = nPort;
    m_nBaud = nBaud;
    m_cParity = cParity;
    m_nDataBits = nDataBits;
    m_nStopBits = nStopBits;
}

void CGpsComm::Start() {}

void CGpsComm::Close() {}

void CGpsComm::SendTypedCommand(BYTE, CString) {}
