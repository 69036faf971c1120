#include "tests/sim/ProgramSide.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>

namespace quorvel::sim {
namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

bool ProgramSide::Open(const std::string& path) {
    Close();
    m_fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0) return false;
    termios raw{};
    tcgetattr(m_fd, &raw);
    cfmakeraw(&raw);
    tcsetattr(m_fd, TCSANOW, &raw);
    return true;
}

void ProgramSide::Close() {
    if (m_fd >= 0) close(m_fd);
    m_fd = -1;
}

bool ProgramSide::Send(const std::string& bytes) {
    return write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::string ProgramSide::ReadSome(int ms) {
    pollfd in{m_fd, POLLIN, 0};
    if (poll(&in, 1, ms) <= 0) return "";
    char buffer[4096];
    const ssize_t n = read(m_fd, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : "";
}

std::string ProgramSide::ReadFor(int ms, const std::string& until) {
    std::string got;
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        pollfd in{m_fd, POLLIN, 0};
        if (poll(&in, 1, 10) <= 0) continue;
        char buffer[512];
        const ssize_t n = read(m_fd, buffer, sizeof buffer);
        if (n <= 0) break;
        got.append(buffer, static_cast<size_t>(n));
        if (!until.empty() && got.find(until) != std::string::npos) break;
    }
    return got;
}

bool ProgramSide::HearUntil(std::string& heard, const std::function<bool()>& done) {
    const auto end = Clock::now() + std::chrono::milliseconds(kPatienceMs);
    while (!done()) {
        if (Clock::now() > end) return false;
        pollfd in{m_fd, POLLIN, 0};
        if (poll(&in, 1, 10) <= 0) continue;
        char buffer[512];
        const ssize_t n = read(m_fd, buffer, sizeof buffer);
        if (n > 0) heard.append(buffer, static_cast<size_t>(n));
    }
    return true;
}

}  // namespace quorvel::sim
