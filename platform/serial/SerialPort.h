// One open port: the kernel object behind a HANDLE from CreateFile("COMn:").
//
// The host terminal is opened non-blocking; every wait goes through the
// calling thread's ThreadSignal (WaitFd), so that time-outs run on the
// active clock and a close, a purge or a new event mask can wake the
// waiting thread. The descriptor is closed only once no thread polls it.
//
// A device that goes away (a hang-up, a read error) is looked for again at
// the same host path every kReviveRetryMs on the active clock, by whichever
// thread next uses or waits on the port; once it is back it gets the
// port's control block and modem lines, and reads go on as before.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/base/Handle.h"
#include "platform/base/ThreadSignal.h"
#include "platform/serial/SerialApi.h"

namespace quorvel::serial {

class SerialPort : public KernelObject {
  public:
    SerialPort(int port, int fd, std::string hostPath);
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // CreateFile on a port name; sets the last error on failure.
    static HANDLE Open(LPCWSTR name);
    // The port behind a handle, or null (ERROR_INVALID_HANDLE set).
    static std::shared_ptr<SerialPort> From(HANDLE handle);
    // The open port of that number, if any.
    static std::shared_ptr<SerialPort> OpenPort(int port);

    void OnClose() override;

    BOOL Read(BYTE* buffer, DWORD count, DWORD* read);
    BOOL Write(const BYTE* data, DWORD count, DWORD* written);
    BOOL GetState(DCB& dcb);
    BOOL SetState(const DCB& dcb);
    BOOL GetTimeouts(COMMTIMEOUTS& timeouts);
    BOOL SetTimeouts(const COMMTIMEOUTS& timeouts);
    BOOL Escape(DWORD function);
    BOOL Purge(DWORD flags);
    BOOL Setup(DWORD inQueue, DWORD outQueue);
    BOOL SetMask(DWORD mask);
    BOOL GetMask(DWORD& mask);
    BOOL WaitEvent(DWORD& mask);
    BOOL ClearError(DWORD* errors, COMSTAT* stat);

    // The board behind the port was switched on or off.
    void DiscardInput();
    int WaiterCount();

  private:
    enum class WaitEnd { kWoken, kDeadline, kClosed };
    using Lock = std::unique_lock<std::mutex>;

    WaitEnd WaitLocked(Lock& lock, short events, uint64_t deadlineMs);
    void KickWaitersLocked();
    // Takes a block from the host when the receive queue is empty; discards
    // it while the board is unpowered; notices a vanished device.
    void FillLocked();
    // The device went away: its descriptor goes as soon as nobody polls it.
    void LoseDeviceLocked();
    void ReleaseDeadLocked();
    // Opens the host path again when the device is away and the retry time
    // has come; true when the device is there.
    bool ReviveLocked();
    DWORD ReadAvailableLocked(BYTE* buffer, DWORD count);
    void ClearInputLocked();
    DWORD QueuedLocked();
    void SetLinesLocked(bool dtr, bool rts);
    BOOL FailLocked(DWORD error);

    const int m_port;
    int m_fd;
    const std::string m_hostPath;

    std::mutex m_mutex;
    std::condition_variable m_waitersGone;
    std::vector<ThreadSignal*> m_waiters;
    int m_polling = 0;  // waiters polling m_fd
    bool m_closed = false;
    bool m_gone = false;  // the device went away while open
    static constexpr uint64_t kReviveRetryMs = 250;
    uint64_t m_reviveAtMs = 0;
    // Received bytes taken from the host and not yet read: the driver's
    // receive queue. Taking them in blocks keeps the sender from being
    // woken for every byte a byte-wise reader takes.
    static constexpr size_t kRxBlock = 4096;
    std::vector<BYTE> m_rx;
    size_t m_rxHead = 0;
    DCB m_dcb;
    COMMTIMEOUTS m_timeouts{};
    DWORD m_mask = 0;
    bool m_dtr = true;
    bool m_rts = true;
    // Moved by PurgeComm's aborts and SetCommMask to release waiters.
    uint64_t m_rxAbort = 0;
    uint64_t m_txAbort = 0;
    uint64_t m_maskChange = 0;
};

}  // namespace quorvel::serial
