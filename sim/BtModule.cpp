#include "sim/BtModule.h"

#include <fcntl.h>
#include <iconv.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace quorvel::sim {
namespace {

constexpr double kStepHz = 50;
constexpr double kSplitGapS = 0.2;
constexpr const char* kResultTag = "+INQRESU:";

std::string CommandName(const std::string& line) {
    return line.substr(0, line.find('='));
}

}  // namespace

std::string Utf8ToGbk(const std::string& utf8) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return utf8;
    std::string out;
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    while (inLeft > 0) {
        char buffer[256];
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            out += '?';
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

BtModuleSimulator::BtModuleSimulator(const BtModuleOptions& options) : m_options(options) {}

BtModuleSimulator::~BtModuleSimulator() {
    Stop();
}

bool BtModuleSimulator::Start(std::string& error) {
    if (!m_pty.Open(m_options.linkPath, error)) return false;
    m_thread.Start(
        kStepHz, [this](int waitMs) { ServeInput(waitMs); },
        [this](int64_t n, double t) { return Step(n, t); });
    return true;
}

void BtModuleSimulator::Stop() {
    m_thread.Stop();
    m_pty.Close();
    if (m_relay >= 0) close(m_relay);
    m_relay = -1;
}

void BtModuleSimulator::Wait() {
    m_thread.Wait();
}

std::string BtModuleSimulator::ConnectAddress() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_connectAddress;
}

void BtModuleSimulator::ServeInput(int waitMs) {
    char buffer[512];
    const size_t got = m_pty.Read(buffer, sizeof buffer, waitMs);
    if (got == 0) return;
    if (m_relaying) {
        WriteWithin(m_relay, buffer, got, 200);
        return;
    }
    // With DTR up and no device connected the bytes go nowhere.
    const LineReport lines = m_pty.ReadLines();
    if (lines.known && lines.dtr) return;
    m_log.Feed(buffer, got, [this](const LoggedCommand& c) { OnCommand(c); });
}

bool BtModuleSimulator::Step(int64_t, double t) {
    m_now = t;
    const LineReport lines = m_pty.ReadLines();
    const bool dtr = lines.known && lines.dtr;
    if (dtr != m_dtr.load()) {
        m_dtr = dtr;
        m_log.NoteLines(dtr ? "DTR=1" : "DTR=0");
    }
    const bool relay = dtr && !ConnectAddress().empty() && OpenRelay();
    if (relay != m_relaying.load()) {
        m_relaying = relay;
        m_pending.clear();
    }
    if (relay) {
        PumpRelay();
        return true;
    }
    while (!m_pending.empty() && m_pending.front().dueS <= t) {
        m_bytesSent += m_pty.Write(m_pending.front().bytes, 200);
        m_pending.erase(m_pending.begin());
    }
    return true;
}

void BtModuleSimulator::Schedule(double afterS, const std::string& text) {
    const double due = m_now + afterS;
    auto at = std::upper_bound(m_pending.begin(), m_pending.end(), due,
                               [](double d, const Pending& p) { return d < p.dueS; });
    m_pending.insert(at, Pending{due, text});
}

void BtModuleSimulator::Reply(const std::string& text) {
    if (!m_options.splitReplies || text.size() < 2) {
        Schedule(0, text);
        return;
    }
    Schedule(0, text.substr(0, 1));
    Schedule(kSplitGapS, text.substr(1));
}

void BtModuleSimulator::CancelInquiry() {
    m_pending.erase(std::remove_if(m_pending.begin(), m_pending.end(),
                                   [](const Pending& p) {
                                       return p.bytes.rfind(kResultTag, 0) == 0 ||
                                              p.bytes.rfind("+INQCOMP", 0) == 0;
                                   }),
                    m_pending.end());
}

void BtModuleSimulator::OnCommand(const LoggedCommand& c) {
    if (c.kind != LoggedCommand::Kind::kText) return;
    std::string line = c.text;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    const std::string name = CommandName(line);
    if (m_options.silent.count("all") || m_options.silent.count(name)) return;
    if (name == "AT" || name == "AT+ROLE") {
        Reply("OK\r\n");
    } else if (name == "AT+CANCEL") {
        CancelInquiry();
        Reply("OK\r\n");
    } else if (name == "AT+RADDR") {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_connectAddress = line.substr(name.size() + 1);
        }
        Reply("OK\r\n");
    } else if (name == "AT+INQ") {
        Reply("OK\r\n");
        const double gap = m_options.resultGapS;
        double after = gap;
        for (const BtDeviceEntry& d : m_options.devices) {
            Schedule(after, kResultTag + d.address + "," + Utf8ToGbk(d.name) + "\r\n");
            after += gap;
        }
        if (m_options.completeInquiry) Schedule(after, "+INQCOMP\r\n");
    } else {
        Reply("ERROR\r\n");
    }
}

bool BtModuleSimulator::OpenRelay() {
    if (m_relay >= 0) return true;
    if (m_options.relayPath.empty()) return false;
    m_relay = open(m_options.relayPath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_relay < 0) return false;
    termios raw{};
    if (tcgetattr(m_relay, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(m_relay, TCSANOW, &raw);
    }
    return true;
}

void BtModuleSimulator::PumpRelay() {
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(m_relay, buffer, sizeof buffer);
        if (n <= 0) return;
        m_bytesSent += m_pty.Write(buffer, static_cast<size_t>(n), 200);
    }
}

}  // namespace quorvel::sim
