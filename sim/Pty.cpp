#include "sim/Pty.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>

namespace quorvel::sim {
namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

}  // namespace

LineReport ParseLineReport(const std::string& text) {
    LineReport report;
    std::istringstream in(text);
    std::string field;
    while (in >> field) {
        size_t eq = field.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = field.substr(0, eq);
        const bool on = field.substr(eq + 1) == "1";
        if (key == "DTR")
            report.dtr = on;
        else if (key == "RTS")
            report.rts = on;
        else if (key == "POWER")
            report.powered = on;
        else if (key == "OPEN")
            report.open = on;
        else
            continue;
        report.known = true;
    }
    return report;
}

size_t WriteWithin(int fd, const void* data, size_t size, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const char* p = static_cast<const char*>(data);
    size_t done = 0;
    while (fd >= 0 && done < size) {
        ssize_t n = write(fd, p + done, size - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) break;
        pollfd out{fd, POLLOUT, 0};
        if (poll(&out, 1, RemainingMs(deadline)) <= 0) break;
    }
    return done;
}

PtyEndpoint::~PtyEndpoint() {
    Close();
}

bool PtyEndpoint::Open(const std::string& linkPath, std::string& error) {
    Close();
    m_linkPath.clear();
    // Raw from the start: a cooked slave would echo our output back to us
    // before the program has set its port up.
    termios raw{};
    cfmakeraw(&raw);
    raw.c_cflag |= CLOCAL | CREAD;
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
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
    m_linked = true;
    std::ofstream(linkPath + ".lines", std::ios::trunc);
    return true;
}

void PtyEndpoint::Close() {
    // The paths stay as Open set them: a hang-up comes on the simulator's
    // thread while its main thread may still print them. The link goes only
    // once, so that a later close cannot take the link of a simulator
    // started again on the same path.
    if (m_linked.exchange(false)) {
        unlink(m_linkPath.c_str());
        unlink((m_linkPath + ".lines").c_str());
    }
    if (m_master >= 0) close(m_master);
    if (m_slave >= 0) close(m_slave);
    m_master = m_slave = -1;
}

size_t PtyEndpoint::Read(void* buffer, size_t size, int timeoutMs) {
    if (m_master < 0) return 0;
    pollfd in{m_master, POLLIN, 0};
    if (poll(&in, 1, timeoutMs) <= 0 || (in.revents & POLLIN) == 0) return 0;
    ssize_t n = read(m_master, buffer, size);
    return n > 0 ? static_cast<size_t>(n) : 0;
}

std::string PtyEndpoint::ReadUntil(const std::string& until, int timeoutMs) {
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

LineReport PtyEndpoint::ReadLines() const {
    if (!m_linked) return {};
    std::ifstream in(m_linkPath + ".lines");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseLineReport(text);
}

}  // namespace quorvel::sim
