#include "app/link/BtCommandStep.h"

#include "res/resource.h"

namespace {

CString Load(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

BtCommandStep Make(LPCTSTR command, int budget, UINT progress, UINT success, UINT failure) {
    BtCommandStep step;
    step.strCommand = command;
    step.strReply = L"OK";
    step.nBudget = budget;
    if (progress) step.strProgress = Load(progress);
    if (success) step.strSuccess = Load(success);
    if (failure) step.strFailure = Load(failure);
    return step;
}

}  // namespace

BtCommandStep BtCommandStep::Check() {
    return Make(L"AT\r\n", 10, IDS_STRING61814, IDS_STRING61815, IDS_STRING61816);
}

BtCommandStep BtCommandStep::MasterRole() {
    return Make(L"AT+ROLE=1\r\n", 5, IDS_STRING61817, IDS_STRING61818, IDS_STRING61819);
}

BtCommandStep BtCommandStep::Inquiry() {
    return Make(L"AT+INQ\r\n", 30, IDS_STRING61820, IDS_STRING61821, IDS_STRING61822);
}

BtCommandStep BtCommandStep::Cancel() {
    return Make(L"AT+CANCEL\r\n", 10, 0, 0, 0);
}

BtCommandStep BtCommandStep::Connect(const CString& address) {
    return Make(L"AT+RADDR=" + address + L"\r\n", 15, IDS_STRING61827, IDS_STRING61828,
                IDS_STRING61829);
}
