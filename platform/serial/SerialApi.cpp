#include "platform/serial/SerialApi.h"

#include "platform/serial/SerialPort.h"

using quorvel::serial::SerialPort;

namespace {

BOOL InvalidParameter() {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

}  // namespace

HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD share, void* security, DWORD creation,
                   DWORD flags, HANDLE templateFile) {
    // A port is opened for reading and writing, exclusively, whatever was
    // asked: that is what the device's serial driver does.
    (void)access;
    (void)share;
    (void)security;
    (void)creation;
    (void)flags;
    (void)templateFile;
    return SerialPort::Open(name);
}

BOOL ReadFile(HANDLE port, LPVOID buffer, DWORD toRead, LPDWORD read, void* overlapped) {
    if (read != nullptr) *read = 0;
    if (overlapped != nullptr || (buffer == nullptr && toRead != 0)) return InvalidParameter();
    auto p = SerialPort::From(port);
    return p ? p->Read(static_cast<BYTE*>(buffer), toRead, read) : FALSE;
}

BOOL WriteFile(HANDLE port, LPCVOID buffer, DWORD toWrite, LPDWORD written, void* overlapped) {
    if (written != nullptr) *written = 0;
    if (overlapped != nullptr || (buffer == nullptr && toWrite != 0)) return InvalidParameter();
    auto p = SerialPort::From(port);
    return p ? p->Write(static_cast<const BYTE*>(buffer), toWrite, written) : FALSE;
}

BOOL GetCommState(HANDLE port, LPDCB dcb) {
    if (dcb == nullptr) return InvalidParameter();
    auto p = SerialPort::From(port);
    return p ? p->GetState(*dcb) : FALSE;
}

BOOL SetCommState(HANDLE port, LPDCB dcb) {
    if (dcb == nullptr) return InvalidParameter();
    auto p = SerialPort::From(port);
    return p ? p->SetState(*dcb) : FALSE;
}

BOOL GetCommTimeouts(HANDLE port, LPCOMMTIMEOUTS timeouts) {
    if (timeouts == nullptr) return InvalidParameter();
    auto p = SerialPort::From(port);
    return p ? p->GetTimeouts(*timeouts) : FALSE;
}

BOOL SetCommTimeouts(HANDLE port, LPCOMMTIMEOUTS timeouts) {
    if (timeouts == nullptr) return InvalidParameter();
    auto p = SerialPort::From(port);
    return p ? p->SetTimeouts(*timeouts) : FALSE;
}

BOOL EscapeCommFunction(HANDLE port, DWORD function) {
    auto p = SerialPort::From(port);
    return p ? p->Escape(function) : FALSE;
}

BOOL PurgeComm(HANDLE port, DWORD flags) {
    auto p = SerialPort::From(port);
    return p ? p->Purge(flags) : FALSE;
}

BOOL SetupComm(HANDLE port, DWORD inQueue, DWORD outQueue) {
    auto p = SerialPort::From(port);
    return p ? p->Setup(inQueue, outQueue) : FALSE;
}

BOOL SetCommMask(HANDLE port, DWORD mask) {
    auto p = SerialPort::From(port);
    return p ? p->SetMask(mask) : FALSE;
}

BOOL GetCommMask(HANDLE port, LPDWORD mask) {
    if (mask == nullptr) return InvalidParameter();
    auto p = SerialPort::From(port);
    return p ? p->GetMask(*mask) : FALSE;
}

BOOL WaitCommEvent(HANDLE port, LPDWORD mask, void* overlapped) {
    if (mask == nullptr || overlapped != nullptr) return InvalidParameter();
    *mask = 0;
    auto p = SerialPort::From(port);
    return p ? p->WaitEvent(*mask) : FALSE;
}

BOOL ClearCommError(HANDLE port, LPDWORD errors, LPCOMSTAT stat) {
    auto p = SerialPort::From(port);
    return p ? p->ClearError(errors, stat) : FALSE;
}
