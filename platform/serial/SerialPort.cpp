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

// Opens and checks the host side of port `port`; -1 with the last error set.
int OpenHost(int port, const std::string& path, struct stat& st) {
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        SetLastError(ErrorFromOpenErrno(errno));
        return -1;
    }
    if (!isatty(fd) || fstat(fd, &st) != 0) {
        std::fprintf(stderr, "quorvel: COM%d: is mapped to %s, which is not a serial device\n",
                     port, path.c_str());
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
    if (ApplyDcb(fd, DefaultDcb()) != ERROR_SUCCESS) {
        close(fd);
        SetLastError(ERROR_GEN_FAILURE);
        return -1;
    }
    SetModemLines(fd, true, true);
    // A port starts with an empty queue: what came while nobody had it
    // open was never received.
    tcflush(fd, TCIFLUSH);
    return fd;
}

}  // namespace

SerialPort::SerialPort(int port, int fd) : m_port(port), m_fd(fd), m_dcb(DefaultDcb()) {}

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
    int fd = OpenHost(port, path, st);
    if (fd < 0) return INVALID_HANDLE_VALUE;
    auto object = std::make_shared<SerialPort>(port, fd);
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
        close(m_fd);
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
    ThreadSignal& signal = CurrentThreadSignal();
    m_waiters.push_back(&signal);
    const int fd = m_gone ? -1 : m_fd;
    lock.unlock();
    ThreadSignal::Result result;
    if (fd >= 0) {
        result = signal.WaitFd(fd, events, deadlineMs);
    } else {
        result = signal.Wait(deadlineMs) ? ThreadSignal::Result::kKicked
                                         : ThreadSignal::Result::kDeadline;
    }
    lock.lock();
    m_waiters.erase(std::find(m_waiters.begin(), m_waiters.end(), &signal));
    if (m_waiters.empty()) m_waitersGone.notify_all();
    if (m_closed) return WaitEnd::kClosed;
    // A hung-up line polls ready for ever; a descriptor that cannot be
    // polled is as good as gone. Never spin on either.
    if (result == ThreadSignal::Result::kError) m_gone = true;
    if (result == ThreadSignal::Result::kFdReady && !m_gone) {
        pollfd probe{m_fd, POLLIN, 0};
        if (poll(&probe, 1, 0) == 1 && (probe.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            m_gone = true;
        }
    }
    return result == ThreadSignal::Result::kDeadline ? WaitEnd::kDeadline : WaitEnd::kWoken;
}

void SerialPort::KickWaitersLocked() {
    for (ThreadSignal* signal : m_waiters) signal->Kick();
}

void SerialPort::FillLocked() {
    if (m_rxHead < m_rx.size() || m_gone || m_fd < 0) return;
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
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) m_gone = true;
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
    if (!m_gone && m_fd >= 0 && ioctl(m_fd, FIONREAD, &host) == 0 && host > 0) {
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
