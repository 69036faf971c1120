#include "platform/serial/PortMap.h"

#include <cctype>
#include <map>
#include <mutex>
#include <sstream>

#include "platform/files/DevicePath.h"

namespace quorvel {
namespace {

constexpr int kMaxPort = 255;

std::mutex g_mutex;
std::map<int, std::string> g_runtime;

std::string Trim(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
    return text.substr(first, last - first);
}

// "COMn" in any case, n in 1..255; 0 otherwise.
int ParsePortName(const std::string& name) {
    if (name.size() < 4 || name.size() > 6) return 0;
    for (int i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
    }
    int n = 0;
    for (size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
        n = n * 10 + (name[i] - '0');
    }
    return (n >= 1 && n <= kMaxPort) ? n : 0;
}

// Splits "COMn=path"; false when the line is not a mapping.
bool ParseMapping(const std::string& line, int& n, std::string& path) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    n = ParsePortName(Trim(line.substr(0, eq)));
    path = Trim(line.substr(eq + 1));
    return n != 0 && !path.empty();
}

std::string PathFromPortsFile(int n) {
    // Opened beneath the root like any device file: a "ports" that is a
    // link out of the root is not read.
    std::string text;
    if (ReadDeviceRootFile("ports", text) != ERROR_SUCCESS) return {};
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#') continue;
        int port = 0;
        std::string path;
        if (ParseMapping(line, port, path) && port == n) return path;
    }
    return {};
}

}  // namespace

void MapSerialPort(int n, const std::string& hostPath) {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (hostPath.empty()) {
        g_runtime.erase(n);
    } else {
        g_runtime[n] = hostPath;
    }
}

bool MapSerialPortOption(const std::string& text) {
    int n = 0;
    std::string path;
    if (!ParseMapping(text, n, path)) return false;
    MapSerialPort(n, path);
    return true;
}

void ClearSerialPortMappings() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_runtime.clear();
}

std::string SerialPortHostPath(int n) {
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = g_runtime.find(n);
        if (it != g_runtime.end()) return it->second;
    }
    return PathFromPortsFile(n);
}

int SerialPortNumber(LPCWSTR name) {
    if (name == nullptr) return 0;
    std::string narrow;
    for (const wchar_t* p = name; *p != L'\0'; ++p) {
        if (*p > 0x7F || narrow.size() > 8) return 0;
        narrow += static_cast<char>(*p);
    }
    if (narrow.empty() || narrow.back() != ':') return 0;
    narrow.pop_back();
    return ParsePortName(narrow);
}

}  // namespace quorvel
