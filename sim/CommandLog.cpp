#include "sim/CommandLog.h"

#include <cstdio>

namespace quorvel::sim {
namespace {

bool IsFrameStart(const std::string& s) {
    return s.size() >= 3 && s[0] == '$' &&
           static_cast<unsigned char>(s[1]) + static_cast<unsigned char>(s[2]) == 0xFF;
}

}  // namespace

std::string EscapeBytes(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        switch (c) {
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            default:
                if (c >= 0x20 && c < 0x7F) {
                    out += static_cast<char>(c);
                } else {
                    char hex[8];
                    std::snprintf(hex, sizeof hex, "\\x%02x", c);
                    out += hex;
                }
        }
    }
    return out;
}

std::string FormatLogEntry(const LoggedCommand& c) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%10.3f ", c.seconds);
    switch (c.kind) {
        case LoggedCommand::Kind::kText:
            return stamp + std::string("TEXT \"") + EscapeBytes(c.text) + "\"";
        case LoggedCommand::Kind::kLines:
            return stamp + std::string("LINES ") + c.text;
        case LoggedCommand::Kind::kFrame:
            break;
    }
    std::string hex;
    for (unsigned char b : c.payload) {
        char h[4];
        std::snprintf(h, sizeof h, "%02X", b);
        hex += h;
    }
    char head[64];
    std::snprintf(head, sizeof head, "FRAME id=%d len=%zu payload=", c.frameId, c.payload.size());
    return stamp + std::string(head) + hex + (c.checksumOk ? " xor=ok" : " xor=BAD");
}

CommandLog::CommandLog() : m_start(std::chrono::steady_clock::now()) {}

double CommandLog::Now() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
}

bool CommandLog::TakeItem(LoggedCommand& item) {
    if (m_pending.empty()) return false;
    if (m_pending[0] == '$' && m_pending.size() < 3) return false;  // not decided yet
    if (IsFrameStart(m_pending)) {
        if (m_pending.size() < 5) return false;
        size_t length = static_cast<unsigned char>(m_pending[3]) |
                        static_cast<size_t>(static_cast<unsigned char>(m_pending[4])) << 8;
        if (m_pending.size() < 6 + length) return false;
        unsigned char sum = 0;
        for (size_t i = 0; i < 5 + length; ++i) sum ^= static_cast<unsigned char>(m_pending[i]);
        item.kind = LoggedCommand::Kind::kFrame;
        item.frameId = static_cast<unsigned char>(m_pending[1]);
        item.payload = m_pending.substr(5, length);
        item.checksumOk = sum == static_cast<unsigned char>(m_pending[5 + length]);
        m_pending.erase(0, 6 + length);
        return true;
    }
    size_t lf = m_pending.find('\n');
    if (lf == std::string::npos) return false;
    item.kind = LoggedCommand::Kind::kText;
    item.text = m_pending.substr(0, lf + 1);
    m_pending.erase(0, lf + 1);
    return true;
}

void CommandLog::Feed(const char* data, size_t size,
                      const std::function<void(const LoggedCommand&)>& onItem) {
    std::vector<LoggedCommand> fresh;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending.append(data, size);
        LoggedCommand item;
        while (TakeItem(item)) {
            item.seconds = Now();
            m_items.push_back(item);
            fresh.push_back(item);
            item = LoggedCommand{};
        }
    }
    if (!fresh.empty()) m_changed.notify_all();
    if (onItem) {
        for (const LoggedCommand& c : fresh) onItem(c);
    }
}

void CommandLog::NoteLines(const std::string& state) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        LoggedCommand item;
        item.kind = LoggedCommand::Kind::kLines;
        item.seconds = Now();
        item.text = state;
        m_items.push_back(item);
    }
    m_changed.notify_all();
}

std::vector<LoggedCommand> CommandLog::Items() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_items;
}

std::vector<std::string> CommandLog::TextLines() const {
    std::vector<std::string> lines;
    for (const LoggedCommand& c : Items()) {
        if (c.kind != LoggedCommand::Kind::kText) continue;
        std::string line = c.text;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

bool CommandLog::WaitFor(const std::function<bool(const std::vector<LoggedCommand>&)>& ready,
                         int timeoutMs) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return ready(m_items); });
}

void CommandLog::Clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_items.clear();
    m_pending.clear();
}

}  // namespace quorvel::sim
