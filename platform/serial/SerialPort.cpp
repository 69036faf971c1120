// Opening, closing and waiting; the I/O operations are in SerialPortIo.cpp.
#include "platform/serial/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <map>
#include <utility>

#include "platform/base/Clock.h"
#include "platform/serial/LineState.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/SerialInternal.h"
#include "platform/serial/Termios.h"

namespace quorvel::serial {
namespace {

// Open ports by number; a port is also refused when its host device is
// already open under another number.
std::mutex g_registryMutex;
std::map<int, std::weak_ptr<SerialPort>> g_open;

struct OpenDevice {
    const SerialPort* owner;
    dev_t device;
    ino_t inode;
};
std::vector<OpenDevice> g_devices;

DWORD ErrorFromOpenErrno(int err) {
    switch (err) {
        case ENOENT:
        case ENXIO:
        case ENODEV:
        case ENOTDIR:
            return ERROR_FILE_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EBUSY:
            return ERROR_ACCESS_DENIED;
        case EISDIR:
            return ERROR_NOT_SUPPORTED;
        default:
            return ERROR_GEN_FAILURE;
    }
}

bool InUseLocked(int port, const struct stat& st) {
    auto it = g_open.find(port);
    if (it != g_open.end() && !it->second.expired()) return true;
    return std::any_of(g_devices.begin(), g_devices.end(), [&](const OpenDevice& entry) {
        return entry.device == st.st_dev && entry.inode == st.st_ino;
    });
}

// Opens and checks the host side of port `port` with the given settings and
// modem lines; -1 with the last error set. `quiet` for the retries of a
// device that went away, which are no news.
int OpenHost(int port, const std::string& path, struct stat& st, const DCB& dcb, bool dtr, bool rts,
             bool quiet) {
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        SetLastError(ErrorFromOpenErrno(errno));
        return -1;
    }
    if (!isatty(fd) || fstat(fd, &st) != 0) {
        if (!quiet) {
            std::fprintf(stderr, "quorvel: COM%d: is mapped to %s, which is not a serial device\n",
                         port, path.c_str());
        }
        close(fd);
        SetLastError(ERROR_NOT_SUPPORTED);
        return -1;
    }
    // Another process holding the port keeps it, as the device's
    // exclusive open does.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return -1;
    }
    if (ApplyDcb(fd, dcb) != ERROR_SUCCESS) {
        close(fd);
        SetLastError(ERROR_GEN_FAILURE);
        return -1;
    }
    SetModemLines(fd, dtr, rts);
    // A port starts with an empty queue: what came while nobody had it
    // open was never received.
    tcflush(fd, TCIFLUSH);
    return fd;
}

}  // namespace

SerialPort::SerialPort(int port, int fd, std::string hostPath)
    : m_port(port), m_fd(fd), m_hostPath(std::move(hostPath)), m_dcb(DefaultDcb()) {}

SerialPort::~SerialPort() {
    OnClose();
}

HANDLE SerialPort::Open(LPCWSTR name) {
    int port = SerialPortNumber(name);
    std::string path = port != 0 ? SerialPortHostPath(port) : std::string();
    if (path.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::lock_guard<std::mutex> registry(g_registryMutex);
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && InUseLocked(port, st)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    int fd = OpenHost(port, path, st, DefaultDcb(), true, true, false);
    if (fd < 0) return INVALID_HANDLE_VALUE;
    auto object = std::make_shared<SerialPort>(port, fd, path);
    g_open[port] = object;
    g_devices.push_back({object.get(), st.st_dev, st.st_ino});
    NoteOpen(port, path);
    NoteModemLines(port, true, true);
    return RegisterHandle(object);
}

std::shared_ptr<SerialPort> SerialPort::From(HANDLE handle) {
    auto port = std::dynamic_pointer_cast<SerialPort>(LookupHandle(handle));
    if (!port) SetLastError(ERROR_INVALID_HANDLE);
    return port;
}

std::shared_ptr<SerialPort> SerialPort::OpenPort(int port) {
    std::lock_guard<std::mutex> registry(g_registryMutex);
    auto it = g_open.find(port);
    return it == g_open.end() ? nullptr : it->second.lock();
}

void SerialPort::OnClose() {
    {
        Lock lock(m_mutex);
        if (m_closed) return;
        m_closed = true;
        KickWaitersLocked();
        // Waiters leave at once once kicked; the descriptor must outlive
        // their polls.
        m_waitersGone.wait(lock, [this] { return m_waiters.empty(); });
        if (!m_gone) SetModemLines(m_fd, false, false);
        if (m_fd >= 0) close(m_fd);
        m_fd = -1;
    }
    std::lock_guard<std::mutex> registry(g_registryMutex);
    auto it = g_open.find(m_port);
    if (it != g_open.end() && (it->second.expired() || it->second.lock().get() == this)) {
        g_open.erase(it);
    }
    std::erase_if(g_devices, [this](const OpenDevice& entry) { return entry.owner == this; });
    NoteClosed(m_port);
}

SerialPort::WaitEnd SerialPort::WaitLocked(Lock& lock, short events, uint64_t deadlineMs) {
    if (m_closed) return WaitEnd::kClosed;
    ReviveLocked();
    ThreadSignal& signal = CurrentThreadSignal();
    m_waiters.push_back(&signal);
    const int fd = m_gone ? -1 : m_fd;
    if (fd >= 0) ++m_polling;
    // While the device is away the waiter comes back at the next retry to
    // look for it.
    const uint64_t wakeMs = m_gone ? std::min(deadlineMs, m_reviveAtMs) : deadlineMs;
    lock.unlock();
    ThreadSignal::Result result;
    if (fd >= 0) {
        result = signal.WaitFd(fd, events, wakeMs);
    } else {
        result =
            signal.Wait(wakeMs) ? ThreadSignal::Result::kKicked : ThreadSignal::Result::kDeadline;
    }
    lock.lock();
    if (fd >= 0) --m_polling;
    m_waiters.erase(std::find(m_waiters.begin(), m_waiters.end(), &signal));
    if (m_waiters.empty()) m_waitersGone.notify_all();
    if (m_closed) return WaitEnd::kClosed;
    // A hung-up line polls ready for ever; a descriptor that cannot be
    // polled is as good as gone. Never spin on either.
    if (result == ThreadSignal::Result::kError && fd >= 0) LoseDeviceLocked();
    if (result == ThreadSignal::Result::kFdReady && !m_gone) {
        pollfd probe{m_fd, POLLIN, 0};
        if (poll(&probe, 1, 0) == 1 && (probe.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            LoseDeviceLocked();
        }
    }
    ReleaseDeadLocked();
    if (result != ThreadSignal::Result::kDeadline) return WaitEnd::kWoken;
    // A retry's wake-up is not the caller's deadline.
    return ClockNowMs() >= deadlineMs ? WaitEnd::kDeadline : WaitEnd::kWoken;
}

void SerialPort::LoseDeviceLocked() {
    if (m_gone) return;
    m_gone = true;
    m_reviveAtMs = 0;
    // Those polling the dead descriptor come back to let it go.
    KickWaitersLocked();
    ReleaseDeadLocked();
}

void SerialPort::ReleaseDeadLocked() {
    if (!m_gone || m_fd < 0 || m_polling > 0) return;
    // A USB adapter plugged in again gets its old name only once the old
    // one is free.
    close(m_fd);
    m_fd = -1;
}

bool SerialPort::ReviveLocked() {
    if (!m_gone) return true;
    if (m_closed || m_fd >= 0) return false;
    const uint64_t now = ClockNowMs();
    if (now < m_reviveAtMs) return false;
    m_reviveAtMs = now + kReviveRetryMs;
    struct stat st {};
    const DWORD lastError = GetLastError();
    const int fd = OpenHost(m_port, m_hostPath, st, m_dcb, m_dtr, m_rts, true);
    SetLastError(lastError);  // a retry is nobody's error
    if (fd < 0) return false;
    {
        std::lock_guard<std::mutex> registry(g_registryMutex);
        const bool taken =
            std::any_of(g_devices.begin(), g_devices.end(), [&](const OpenDevice& e) {
                return e.owner != this && e.device == st.st_dev && e.inode == st.st_ino;
            });
        if (taken) {
            close(fd);
            return false;
        }
        for (OpenDevice& entry : g_devices) {
            if (entry.owner == this) entry = {this, st.st_dev, st.st_ino};
        }
    }
    m_fd = fd;
    m_gone = false;
    // A new peer's side file starts empty: it hears the whole state again.
    NoteOpen(m_port, m_hostPath);
    return true;
}

void SerialPort::KickWaitersLocked() {
    for (ThreadSignal* signal : m_waiters) signal->Kick();
}

void SerialPort::FillLocked() {
    if (m_rxHead < m_rx.size() || !ReviveLocked()) return;
    m_rx.resize(kRxBlock);
    m_rxHead = 0;
    for (;;) {
        ssize_t n = read(m_fd, m_rx.data(), m_rx.size());
        if (n > 0 && !IsSerialPortPowered(m_port)) continue;  // drained into the void
        if (n > 0) {
            m_rx.resize(static_cast<size_t>(n));
            return;
        }
        if (n < 0 && errno == EINTR) continue;
        m_rx.clear();
        // EIO from a pseudo-terminal whose other side closed, 0 from a
        // hung-up line; EAGAIN is only an empty line.
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) LoseDeviceLocked();
        return;
    }
}

DWORD SerialPort::ReadAvailableLocked(BYTE* buffer, DWORD count) {
    if (count == 0) return 0;
    FillLocked();
    const DWORD taken = static_cast<DWORD>(std::min<size_t>(count, m_rx.size() - m_rxHead));
    std::copy_n(m_rx.data() + m_rxHead, taken, buffer);
    m_rxHead += taken;
    return taken;
}

void SerialPort::ClearInputLocked() {
    m_rx.clear();
    m_rxHead = 0;
    if (!m_gone && m_fd >= 0) tcflush(m_fd, TCIFLUSH);
}

DWORD SerialPort::QueuedLocked() {
    if (!IsSerialPortPowered(m_port)) {
        ClearInputLocked();
        return 0;
    }
    DWORD queued = static_cast<DWORD>(m_rx.size() - m_rxHead);
    int host = 0;
    if (ReviveLocked() && ioctl(m_fd, FIONREAD, &host) == 0 && host > 0) {
        queued += static_cast<DWORD>(host);
    }
    return queued;
}

void SerialPort::SetLinesLocked(bool dtr, bool rts) {
    m_dtr = dtr;
    m_rts = rts;
    if (!m_gone) SetModemLines(m_fd, dtr, rts);
    NoteModemLines(m_port, dtr, rts);
}

BOOL SerialPort::FailLocked(DWORD error) {
    SetLastError(error);
    return FALSE;
}

void SerialPort::DiscardInput() {
    Lock lock(m_mutex);
    if (!m_closed) ClearInputLocked();
}

int SerialPort::WaiterCount() {
    Lock lock(m_mutex);
    return static_cast<int>(m_waiters.size());
}

void DiscardInput(int port) {
    if (auto open = SerialPort::OpenPort(port)) open->DiscardInput();
}

}  // namespace quorvel::serial

int quorvel::SerialPortWaiters(int port) {
    auto open = serial::SerialPort::OpenPort(port);
    return open ? open->WaiterCount() : 0;
}
