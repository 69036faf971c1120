// Encoding and socket plumbing of the cross-process window protocol.
#include "platform/win/InstanceWire.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quorvel::win::detail {
namespace {

constexpr int kReplyLimitMs = 5000;

}  // namespace

std::string HexText(const std::wstring& text) {
    std::string out;
    char buf[9];
    for (wchar_t c : text) {
        std::snprintf(buf, sizeof(buf), "%08x", static_cast<uint32_t>(c));
        out += buf;
    }
    return out;
}

std::wstring FromHexText(const std::string& hex) {
    std::wstring out;
    for (size_t i = 0; i + 8 <= hex.size(); i += 8)
        out += static_cast<wchar_t>(std::stoul(hex.substr(i, 8), nullptr, 16));
    return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == '\t')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

std::string SocketFolder(const std::string& dir) {
    return dir + "/.quorvel";
}

std::string SocketPathFor(const std::string& dir, long pid) {
    return SocketFolder(dir) + "/win-" + std::to_string(pid) + ".sock";
}

bool ReadLine(int fd, std::string* line, int timeoutMs) {
    line->clear();
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0) return false;
        char c;
        const ssize_t n = read(fd, &c, 1);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        if (c == '\n') return true;
        *line += c;
    }
}

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool Ask(const std::string& path, const std::string& request, const std::string& last,
         std::vector<std::string>* reply, bool* stale) {
    sockaddr_un addr{};
    if (path.size() >= sizeof(addr.sun_path)) return false;
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0;
    if (stale) *stale = !connected && (errno == ECONNREFUSED || errno == ENOENT);
    bool ok = connected && WriteAll(fd, request + "\n");
    std::string line;
    while (ok && (ok = ReadLine(fd, &line, kReplyLimitMs))) {
        reply->push_back(line);
        if (last.empty() || line == last) break;
    }
    close(fd);
    return ok;
}

}  // namespace quorvel::win::detail
