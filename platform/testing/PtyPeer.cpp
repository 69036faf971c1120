#include "platform/testing/PtyPeer.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace quorvel::testing {
namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

// "DTR=1 RTS=0 POWER=1 OPEN=1"; unknown while the text has no field.
LineReport ParseLines(const std::string& text) {
    LineReport report;
    std::istringstream in(text);
    std::string field;
    while (in >> field) {
        const size_t eq = field.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = field.substr(0, eq);
        const bool on = field.substr(eq + 1) == "1";
        bool* flag = key == "DTR"     ? &report.dtr
                     : key == "RTS"   ? &report.rts
                     : key == "POWER" ? &report.powered
                     : key == "OPEN"  ? &report.open
                                      : nullptr;
        if (flag == nullptr) continue;
        *flag = on;
        report.known = true;
    }
    return report;
}

}  // namespace

PtyPeer::~PtyPeer() {
    Close();
}

bool PtyPeer::Open(const std::string& linkPath, std::string& error) {
    Close();
    // Raw from the start: a cooked terminal would echo the peer's bytes
    // back before the program has set its port up.
    termios raw{};
    cfmakeraw(&raw);
    raw.c_cflag |= CLOCAL | CREAD;
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        m_master = m_slave = -1;
        return false;
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_slavePath = name;
    if (linkPath.empty()) return true;
    unlink(linkPath.c_str());
    if (symlink(m_slavePath.c_str(), linkPath.c_str()) != 0) {
        error = "cannot link " + linkPath + ": " + std::strerror(errno);
        Close();
        return false;
    }
    m_linkPath = linkPath;
    std::ofstream(linkPath + ".lines", std::ios::trunc);
    return true;
}

void PtyPeer::Close() {
    if (!m_linkPath.empty()) {
        unlink(m_linkPath.c_str());
        unlink((m_linkPath + ".lines").c_str());
        m_linkPath.clear();
    }
    if (m_master >= 0) close(m_master);
    if (m_slave >= 0) close(m_slave);
    m_master = m_slave = -1;
}

size_t PtyPeer::Write(const void* data, size_t size, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const char* bytes = static_cast<const char*>(data);
    size_t done = 0;
    while (m_master >= 0 && done < size) {
        const ssize_t n = write(m_master, bytes + done, size - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) break;
        pollfd out{m_master, POLLOUT, 0};
        if (poll(&out, 1, RemainingMs(deadline)) <= 0) break;
    }
    return done;
}

size_t PtyPeer::Read(void* buffer, size_t size, int timeoutMs) {
    if (m_master < 0) return 0;
    pollfd in{m_master, POLLIN, 0};
    if (poll(&in, 1, timeoutMs) <= 0 || (in.revents & POLLIN) == 0) return 0;
    const ssize_t n = read(m_master, buffer, size);
    return n > 0 ? static_cast<size_t>(n) : 0;
}

std::string PtyPeer::ReadUntil(const std::string& until, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string got;
    while (got.find(until) == std::string::npos) {
        const int left = RemainingMs(deadline);
        if (left == 0) break;
        char buffer[512];
        got.append(buffer, Read(buffer, sizeof buffer, left));
    }
    return got;
}

LineReport PtyPeer::ReadLines() const {
    if (m_linkPath.empty()) return {};
    std::ifstream in(m_linkPath + ".lines");
    return ParseLines(
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

}  // namespace quorvel::testing
