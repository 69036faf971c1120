#include "app/link/LinkMailbox.h"

#include "platform/base/Clock.h"
#include "receiver/link/ReceiverFrames.h"

namespace {

// Each network request's own flag and its result flag, in the order a
// request writes the four request flags: its own up, the other three down.
struct NetRow {
    NetRequest request;
    BYTE CGpsComm::*ask;
    BYTE CGpsComm::*ok;
};

constexpr NetRow kNetRows[] = {
    {NetRequest::kRead, &CGpsComm::m_bNetReadReq, &CGpsComm::m_bNetReadOk},
    {NetRequest::kSet, &CGpsComm::m_bNetSetReq, &CGpsComm::m_bNetSetOk},
    {NetRequest::kConnect, &CGpsComm::m_bNetConnectReq, &CGpsComm::m_bNetConnectOk},
    {NetRequest::kDisconnect, &CGpsComm::m_bNetDisconnectReq, &CGpsComm::m_bNetDisconnectOk},
};

const NetRow* FindNetRow(NetRequest request) {
    for (const NetRow& row : kNetRows)
        if (row.request == request) return &row;
    return nullptr;  // NetRequest::kNone
}

// The GSM requests also stop any radio read and forget the radio state.
void ClearRadioState(CGpsComm& link) {
    link.m_bRadioOk = 0;
    link.m_nRadioState = -1;
}

}  // namespace

void RaiseNetRequest(CGpsComm& link, NetRequest request) {
    const NetRow* own = FindNetRow(request);
    if (!own) return;
    link.m_bNetRequest = 1;
    for (const NetRow& row : kNetRows) link.*row.ask = &row == own ? 1 : 0;
    link.*own->ok = 0;
    link.m_nBusy = 1;
}

// Each GSM request lowers its own set of the other flags (a read leaves the
// number setting alone, a number setting the radio read), so they stay
// written out.
void RaiseGsmRequest(CGpsComm& link, GsmRequest request, const CString& newNumber) {
    switch (request) {
        case GsmRequest::kRead:
            link.m_bGsmReadReq = 1;
            link.m_bRadioReadReq = 0;
            link.m_bGsmDialReq = 0;
            link.m_bGsmHangUpReq = 0;
            link.m_bGsmSetReq = 0;
            link.m_strGsmBaseNumber.Empty();
            break;
        case GsmRequest::kSetNumber:
            link.m_bGsmSetReq = 1;
            link.m_bGsmSetNumberReq = 1;
            link.m_strGsmNewNumber = newNumber;
            link.m_bGsmDialReq = 0;
            link.m_bGsmHangUpReq = 0;
            link.m_bGsmReadReq = 0;
            break;
        case GsmRequest::kDial:
            link.m_bGsmDialReq = 1;
            link.m_bGsmHangUpReq = 0;
            link.m_bGsmSetNumberReq = 0;
            link.m_bGsmReadReq = 0;
            link.m_bGsmSetReq = 0;
            break;
        case GsmRequest::kHangUp:
            link.m_bGsmHangUpReq = 1;
            link.m_bGsmDialReq = 0;
            link.m_bGsmSetNumberReq = 0;
            link.m_bGsmReadReq = 0;
            link.m_bGsmSetReq = 0;
            break;
        case GsmRequest::kNone:
            return;
    }
    ClearRadioState(link);
    link.m_nBusy = 1;
}

BOOL NetRequestSucceeded(const CGpsComm& link, NetRequest request) {
    const NetRow* own = FindNetRow(request);
    return own && link.*own->ok != 0;
}

BOOL GsmRequestSucceeded(const CGpsComm& link, GsmRequest request) {
    switch (request) {
        case GsmRequest::kRead:
            return link.m_bGsmReadOk != 0;
        case GsmRequest::kSetNumber:
            return link.m_bGsmSetOk != 0;
        case GsmRequest::kDial:
            return link.m_bGsmDialOk != 0;
        case GsmRequest::kHangUp:
            return link.m_bGsmHangUpOk != 0;
        case GsmRequest::kNone:
            break;
    }
    return FALSE;
}

void ClearNetRequest(CGpsComm& link, NetRequest request) {
    const NetRow* own = FindNetRow(request);
    if (!own) return;
    link.*own->ask = 0;
    link.*own->ok = 0;
    link.m_bNetRequest = 0;
}

void ClearGsmRequest(CGpsComm& link, GsmRequest request) {
    switch (request) {
        case GsmRequest::kRead:
            link.m_bGsmReadReq = 0;
            link.m_bGsmReadOk = 0;
            break;
        case GsmRequest::kSetNumber:
            link.m_bGsmSetReq = 0;
            link.m_bGsmSetNumberReq = 0;
            link.m_bGsmSetOk = 0;
            break;
        case GsmRequest::kDial:
            link.m_bGsmDialReq = 0;
            link.m_bGsmDialOk = 0;
            break;
        case GsmRequest::kHangUp:
            link.m_bGsmHangUpReq = 0;
            link.m_bGsmHangUpOk = 0;
            break;
        case GsmRequest::kNone:
            break;
    }
}

void SendStopSearchTwice(CGpsComm& link) {
    link.SendTypedCommand(RXCMD_STOP_SEARCH, L"C0");
    Sleep(100);
    link.SendTypedCommand(RXCMD_STOP_SEARCH, L"C0");
}
