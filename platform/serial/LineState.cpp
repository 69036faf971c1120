#include "platform/serial/LineState.h"

#include <unistd.h>

#include <cstdio>
#include <map>
#include <mutex>
#include <string>

#include "platform/serial/SerialInternal.h"

namespace quorvel {
namespace {

struct PortLines {
    SerialLineState state;
    std::string sidePath;  // "<host path>.lines"; kept after close for power changes
};

// Never destroyed: a port's reader thread may still be opening its port
// while the process ends, and must not meet a destroyed table.
std::mutex& g_mutex = *new std::mutex;
std::map<int, PortLines>& g_ports = *new std::map<int, PortLines>;

// Rewrites the side file whole (a rename, so a peer never reads half a
// line), and only when the peer created it.
void WriteSideFileLocked(const PortLines& lines) {
    if (lines.sidePath.empty() || access(lines.sidePath.c_str(), F_OK) != 0) return;
    const SerialLineState& s = lines.state;
    char text[64];
    int n = std::snprintf(text, sizeof text, "DTR=%d RTS=%d POWER=%d OPEN=%d\n", s.dtr ? 1 : 0,
                          s.rts ? 1 : 0, s.powered ? 1 : 0, s.open ? 1 : 0);
    std::string tmp = lines.sidePath + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "w");
    if (f == nullptr) return;
    bool ok = std::fwrite(text, 1, static_cast<size_t>(n), f) == static_cast<size_t>(n);
    ok = (std::fclose(f) == 0) && ok;
    if (!ok || std::rename(tmp.c_str(), lines.sidePath.c_str()) != 0) std::remove(tmp.c_str());
}

}  // namespace

SerialLineState GetSerialLineState(int port) {
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_ports.find(port);
    return it == g_ports.end() ? SerialLineState{} : it->second.state;
}

void SetSerialPortPower(int port, bool on) {
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        PortLines& lines = g_ports[port];
        if (lines.state.powered == on) return;
        lines.state.powered = on;
        WriteSideFileLocked(lines);
    }
    serial::DiscardInput(port);
}

bool IsSerialPortPowered(int port) {
    return GetSerialLineState(port).powered;
}

void ResetSerialPortPower() {
    std::map<int, PortLines> changed;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        for (auto& [port, lines] : g_ports) {
            if (lines.state.powered) continue;
            lines.state.powered = true;
            WriteSideFileLocked(lines);
            changed[port] = lines;
        }
    }
    for (auto& entry : changed) serial::DiscardInput(entry.first);
}

namespace serial {

void NoteOpen(int port, const std::string& hostPath) {
    std::lock_guard<std::mutex> lock(g_mutex);
    PortLines& lines = g_ports[port];
    lines.sidePath = hostPath + ".lines";
    lines.state.open = true;
    WriteSideFileLocked(lines);
}

void NoteClosed(int port) {
    std::lock_guard<std::mutex> lock(g_mutex);
    PortLines& lines = g_ports[port];
    lines.state.open = false;
    lines.state.dtr = false;
    lines.state.rts = false;
    WriteSideFileLocked(lines);
}

void NoteModemLines(int port, bool dtr, bool rts) {
    std::lock_guard<std::mutex> lock(g_mutex);
    PortLines& lines = g_ports[port];
    if (lines.state.dtr == dtr && lines.state.rts == rts) return;
    lines.state.dtr = dtr;
    lines.state.rts = rts;
    WriteSideFileLocked(lines);
}

}  // namespace serial
}  // namespace quorvel
