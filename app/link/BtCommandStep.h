// BtCommandStep: one command of the dialogue with the built-in Bluetooth
// module, with the reply that ends it, how often it may be repeated and
// the texts shown while it runs, when it succeeds and when it gives up.
#pragma once

#include "platform/base/CString.h"

struct BtCommandStep {
    CString strCommand;  // sent as 8-bit text; empty: no step
    CString strReply;    // a received line holding it ends the step
    // The 2-second ticks the command is repeated for (-1: spent, or no
    // step). The connect step counts down by 2.
    int nBudget = -1;
    CString strProgress;  // an empty text leaves the status line as it is
    CString strSuccess;
    CString strFailure;

    BOOL IsEmpty() const { return strCommand.IsEmpty(); }

    // "AT": does the module answer?
    static BtCommandStep Check();
    // "AT+ROLE=1": the module as the master.
    static BtCommandStep MasterRole();
    // "AT+INQ": search for devices nearby.
    static BtCommandStep Inquiry();
    // "AT+CANCEL": end a search.
    static BtCommandStep Cancel();
    // "AT+RADDR=<address>": the device to connect to.
    static BtCommandStep Connect(const CString& address);
};
