#include "app/link/LinkMailbox.h"

#include "platform/base/Clock.h"
#include "receiver/link/ReceiverFrames.h"

namespace {

// The four network requests share one row layout: their own flag up, the
// other three down, their result flag down.
void SetNetFlags(CGpsComm& link, BYTE read, BYTE set, BYTE connect, BYTE disconnect) {
    link.m_bNetRequest = 1;
    link.m_bNetReadReq = read;
    link.m_bNetSetReq = set;
    link.m_bNetConnectReq = connect;
    link.m_bNetDisconnectReq = disconnect;
}

// The GSM requests also stop any radio read and forget the radio state.
void ClearRadioState(CGpsComm& link) {
    link.m_bRadioOk = 0;
    link.m_nRadioState = -1;
}

}  // namespace

void RaiseNetRequest(CGpsComm& link, NetRequest request) {
    switch (request) {
        case NetRequest::kConnect:
            SetNetFlags(link, 0, 0, 1, 0);
            link.m_bNetConnectOk = 0;
            break;
        case NetRequest::kDisconnect:
            SetNetFlags(link, 0, 0, 0, 1);
            link.m_bNetDisconnectOk = 0;
            break;
        case NetRequest::kRead:
            SetNetFlags(link, 1, 0, 0, 0);
            link.m_bNetReadOk = 0;
            break;
        case NetRequest::kSet:
            SetNetFlags(link, 0, 1, 0, 0);
            link.m_bNetSetOk = 0;
            break;
        case NetRequest::kNone:
            return;
    }
    link.m_nBusy = 1;
}

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
    switch (request) {
        case NetRequest::kConnect:
            return link.m_bNetConnectOk != 0;
        case NetRequest::kDisconnect:
            return link.m_bNetDisconnectOk != 0;
        case NetRequest::kRead:
            return link.m_bNetReadOk != 0;
        case NetRequest::kSet:
            return link.m_bNetSetOk != 0;
        case NetRequest::kNone:
            break;
    }
    return FALSE;
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
    switch (request) {
        case NetRequest::kConnect:
            link.m_bNetConnectReq = 0;
            link.m_bNetConnectOk = 0;
            break;
        case NetRequest::kDisconnect:
            link.m_bNetDisconnectReq = 0;
            link.m_bNetDisconnectOk = 0;
            break;
        case NetRequest::kRead:
            link.m_bNetReadReq = 0;
            link.m_bNetReadOk = 0;
            break;
        case NetRequest::kSet:
            link.m_bNetSetReq = 0;
            link.m_bNetSetOk = 0;
            break;
        case NetRequest::kNone:
            return;
    }
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
