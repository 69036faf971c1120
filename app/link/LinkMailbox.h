// The mailbox writes of the network and GSM dialogs: each request sets and
// clears the link's flags as a fixed table says, and the dialog's timer,
// once the link's busy word is back to 0, reads the request's result flag
// and clears what the request used.
//
// Nothing in the program carries the requests out: a request ends when the
// frame's no-data watchdog, the GSM dialog's close or a link start clears
// m_nBusy, and its result flag is then still 0 (the time-out text).
#pragma once

#include "platform/base/CString.h"
#include "receiver/link/GpsComm.h"

enum class NetRequest { kNone, kConnect, kDisconnect, kRead, kSet };
enum class GsmRequest { kNone, kRead, kSetNumber, kDial, kHangUp };

// Sets m_nBusy and the request's flags, clears the others of its row.
void RaiseNetRequest(CGpsComm& link, NetRequest request);
// GsmRequest::kSetNumber also hands the new base number over.
void RaiseGsmRequest(CGpsComm& link, GsmRequest request, const CString& newNumber = CString());

// The request's success flag.
BOOL NetRequestSucceeded(const CGpsComm& link, NetRequest request);
BOOL GsmRequestSucceeded(const CGpsComm& link, GsmRequest request);

// Clears the request's own flags and its result flag once its outcome has
// been shown.
void ClearNetRequest(CGpsComm& link, NetRequest request);
void ClearGsmRequest(CGpsComm& link, GsmRequest request);

// The stop-search frame (53, "C0"), a pause of 100 ms and the frame again:
// the receiver gives up a search and resumes its output.
void SendStopSearchTwice(CGpsComm& link);
