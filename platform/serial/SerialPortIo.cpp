// Reads, writes, line settings, events and purge of an open port.
//
// Read time-outs follow the device's rules:
//   - interval MAXDWORD with both totals 0: return at once with what is
//     queued;
//   - interval MAXDWORD with multiplier MAXDWORD and a constant: wait up to
//     the constant for a first byte, then return what is queued;
//   - otherwise the total time-out is multiplier x count + constant (none
//     when both are 0) and the interval time-out (none when 0) runs between
//     bytes once the first one has come.
// A read that times out succeeds with the bytes it got. Writes time out
// after multiplier x count + constant (none when both are 0) and then also
// succeed with what went out.
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/base/Clock.h"
#include "platform/serial/LineState.h"
#include "platform/serial/SerialPort.h"
#include "platform/serial/Termios.h"

namespace quorvel::serial {
namespace {

constexpr uint64_t kNoDeadline = UINT64_MAX;

uint64_t DeadlineAfter(uint64_t now, uint64_t ms) {
    return ms >= kNoDeadline - now ? kNoDeadline : now + ms;
}

struct ReadPlan {
    bool returnAtOnce = false;        // take what is queued, never wait
    bool returnAfterFirst = false;    // wait for one byte, then take what is queued
    uint64_t deadline = kNoDeadline;  // total time-out
    uint64_t interval = 0;            // 0: no interval time-out
};

ReadPlan PlanRead(const COMMTIMEOUTS& t, DWORD count, uint64_t now) {
    ReadPlan plan;
    const DWORD interval = t.ReadIntervalTimeout;
    const DWORD multiplier = t.ReadTotalTimeoutMultiplier;
    const DWORD constant = t.ReadTotalTimeoutConstant;
    if (interval == MAXDWORD && multiplier == 0 && constant == 0) {
        plan.returnAtOnce = true;
        return plan;
    }
    if (interval == MAXDWORD && multiplier == MAXDWORD && constant != 0 && constant != MAXDWORD) {
        plan.returnAfterFirst = true;
        plan.deadline = DeadlineAfter(now, constant);
        return plan;
    }
    if (multiplier != 0 || constant != 0) {
        plan.deadline = DeadlineAfter(now, uint64_t{multiplier} * count + constant);
    }
    plan.interval = (interval == MAXDWORD) ? 0 : interval;
    return plan;
}

}  // namespace

BOOL SerialPort::Read(BYTE* buffer, DWORD count, DWORD* read) {
    Lock lock(m_mutex);
    if (m_closed) return FailLocked(ERROR_OPERATION_ABORTED);
    // A read that what has come already fills needs no time-outs: a reader
    // taking a line byte by byte finds nearly every byte here.
    DWORD done = ReadAvailableLocked(buffer, count);
    if (count > 0 && done == count) {
        if (read != nullptr) *read = done;
        return TRUE;
    }
    const ReadPlan plan = PlanRead(m_timeouts, count, ClockNowMs());
    const uint64_t abortMark = m_rxAbort;
    uint64_t lastByteMs = done > 0 ? ClockNowMs() : 0;
    while (done < count && !plan.returnAtOnce && !(plan.returnAfterFirst && done > 0)) {
        uint64_t deadline = plan.deadline;
        if (plan.interval != 0 && done > 0) {
            deadline = std::min(deadline, DeadlineAfter(lastByteMs, plan.interval));
        }
        if (ClockNowMs() >= deadline) break;
        WaitEnd end = WaitLocked(lock, POLLIN, deadline);
        if (end == WaitEnd::kClosed || m_rxAbort != abortMark) {
            if (read != nullptr) *read = done;
            return FailLocked(ERROR_OPERATION_ABORTED);
        }
        const DWORD got = ReadAvailableLocked(buffer + done, count - done);
        if (got > 0) {
            done += got;
            lastByteMs = ClockNowMs();
        }
    }
    if (read != nullptr) *read = done;
    return TRUE;
}

BOOL SerialPort::Write(const BYTE* data, DWORD count, DWORD* written) {
    Lock lock(m_mutex);
    if (m_closed) return FailLocked(ERROR_OPERATION_ABORTED);
    if (!ReviveLocked()) return FailLocked(ERROR_DEV_NOT_EXIST);
    if (count == 0 || !IsSerialPortPowered(m_port)) {
        // A board that is switched off takes the bytes and hears nothing.
        if (written != nullptr) *written = count;
        return TRUE;
    }
    const COMMTIMEOUTS& t = m_timeouts;
    const uint64_t total =
        uint64_t{t.WriteTotalTimeoutMultiplier} * count + t.WriteTotalTimeoutConstant;
    const uint64_t deadline = total == 0 ? kNoDeadline : DeadlineAfter(ClockNowMs(), total);
    const uint64_t abortMark = m_txAbort;
    DWORD done = 0;
    while (done < count) {
        ssize_t n = write(m_fd, data + done, count - done);
        if (n > 0) {
            done += static_cast<DWORD>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            LoseDeviceLocked();
            if (written != nullptr) *written = done;
            return FailLocked(ERROR_DEV_NOT_EXIST);
        }
        if (ClockNowMs() >= deadline) break;
        WaitEnd end = WaitLocked(lock, POLLOUT, deadline);
        if (end == WaitEnd::kClosed || m_txAbort != abortMark) {
            if (written != nullptr) *written = done;
            return FailLocked(ERROR_OPERATION_ABORTED);
        }
        if (m_gone) return FailLocked(ERROR_DEV_NOT_EXIST);
    }
    if (written != nullptr) *written = done;
    return TRUE;
}

BOOL SerialPort::GetState(DCB& dcb) {
    Lock lock(m_mutex);
    if (m_closed) return FailLocked(ERROR_INVALID_HANDLE);
    dcb = m_dcb;
    return TRUE;
}

BOOL SerialPort::SetState(const DCB& dcb) {
    Lock lock(m_mutex);
    if (m_closed) return FailLocked(ERROR_INVALID_HANDLE);
    DWORD error = ValidateDcb(dcb);
    if (error == ERROR_SUCCESS && !m_gone) error = ApplyDcb(m_fd, dcb);
    if (error != ERROR_SUCCESS) return FailLocked(error);
    m_dcb = dcb;
    SetLinesLocked(dcb.fDtrControl != DTR_CONTROL_DISABLE, dcb.fRtsControl != RTS_CONTROL_DISABLE);
    return TRUE;
}

BOOL SerialPort::GetTimeouts(COMMTIMEOUTS& timeouts) {
    Lock lock(m_mutex);
    if (m_closed) return FailLocked(ERROR_INVALID_HANDLE);
    timeouts = m_timeouts;
    return TRUE;
}

BOOL SerialPort::SetTimeouts(const COMMTIMEOUTS& timeouts) {
    Lock lock(m_mutex);
    if (m_closed) return FailLocked(ERROR_INVALID_HANDLE);
    m_timeouts = timeouts;
    return TRUE;
}

BOOL SerialPort::Escape(DWORD function) {
    Lock lock(m_mutex);
    if (m_closed) return FailLocked(ERROR_INVALID_HANDLE);
    switch (function) {
        case SETRTS:
            SetLinesLocked(m_dtr, true);
            return TRUE;
        case CLRRTS:
            SetLinesLocked(m_dtr, false);
            return TRUE;
        case SETDTR:
            SetLinesLocked(true, m_rts);
            return TRUE;
        case CLRDTR:
            SetLinesLocked(false, m_rts);
            return TRUE;
        case SETXOFF:
        case SETXON:
            if (!m_gone) tcflow(m_fd, function == SETXOFF ? TCIOFF : TCION);
            return TRUE;
        default:
            return FailLocked(ERROR_INVALID_PARAMETER);
    }
}

BOOL SerialPort::Purge(DWORD flags) {
    Lock lock(m_mutex);
    if (m_closed) return FailLocked(ERROR_INVALID_HANDLE);
    if ((flags & ~DWORD{0x0F}) != 0) return FailLocked(ERROR_INVALID_PARAMETER);
    if (flags & PURGE_RXCLEAR) ClearInputLocked();
    // A pseudo-terminal hands written bytes straight to its peer, so
    // nothing of ours waits to go out: a flush there would throw away what
    // the peer has yet to read, which on a real line went out long ago.
    if (!m_gone && (flags & PURGE_TXCLEAR) && !IsPseudoTerminal(m_fd)) tcflush(m_fd, TCOFLUSH);
    if (flags & PURGE_RXABORT) ++m_rxAbort;
    if (flags & PURGE_TXABORT) ++m_txAbort;
    if (flags & (PURGE_RXABORT | PURGE_TXABORT)) KickWaitersLocked();
    return TRUE;
}

BOOL SerialPort::Setup(DWORD inQueue, DWORD outQueue) {
    Lock lock(m_mutex);
    if (m_closed) return FailLocked(ERROR_INVALID_HANDLE);
    // The host's queues serve; the sizes are only advice on the device too.
    (void)inQueue;
    (void)outQueue;
    return TRUE;
}

BOOL SerialPort::SetMask(DWORD mask) {
    Lock lock(m_mutex);
    if (m_closed) return FailLocked(ERROR_INVALID_HANDLE);
    m_mask = mask;
    ++m_maskChange;
    KickWaitersLocked();
    return TRUE;
}

BOOL SerialPort::GetMask(DWORD& mask) {
    Lock lock(m_mutex);
    if (m_closed) return FailLocked(ERROR_INVALID_HANDLE);
    mask = m_mask;
    return TRUE;
}

// EV_RXCHAR is reported while received bytes wait in the queue. A new mask
// releases the wait with an empty event set.
BOOL SerialPort::WaitEvent(DWORD& mask) {
    Lock lock(m_mutex);
    if (m_closed) return FailLocked(ERROR_OPERATION_ABORTED);
    if (m_mask == 0) return FailLocked(ERROR_INVALID_PARAMETER);
    const uint64_t changeMark = m_maskChange;
    for (;;) {
        if (m_maskChange != changeMark) {
            mask = 0;
            return TRUE;
        }
        if ((m_mask & EV_RXCHAR) != 0 && QueuedLocked() > 0) {
            mask = EV_RXCHAR;
            return TRUE;
        }
        if (WaitLocked(lock, POLLIN, kNoDeadline) == WaitEnd::kClosed) {
            return FailLocked(ERROR_OPERATION_ABORTED);
        }
    }
}

// A device that went away still has what it sent before in the receive
// queue; the count tells of it until it is read, as the event wait does.
// Then the line is silent until the device is back.
BOOL SerialPort::ClearError(DWORD* errors, COMSTAT* stat) {
    Lock lock(m_mutex);
    if (m_closed) return FailLocked(ERROR_INVALID_HANDLE);
    const DWORD queued = QueuedLocked();
    if (errors != nullptr) *errors = 0;
    if (stat != nullptr) {
        *stat = COMSTAT{};
        stat->cbInQue = queued;
        int out = 0;
        if (!m_gone && ioctl(m_fd, TIOCOUTQ, &out) == 0 && out > 0) {
            stat->cbOutQue = static_cast<DWORD>(out);
        }
    }
    return TRUE;
}

}  // namespace quorvel::serial
