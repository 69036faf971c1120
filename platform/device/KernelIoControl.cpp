#include "platform/device/KernelIoControl.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <mutex>
#include <sstream>
#include <string>

#include "platform/files/DevicePath.h"
#include "platform/serial/LineState.h"

namespace quorvel {
namespace {

struct ResourceEntry {
    DWORD type;
    DWORD present;
};
constexpr ResourceEntry kEntries[] = {{2, 1}, {0, 1}, {1, 1}, {0, 0}};
constexpr DWORD kPowerEntry = 1;  // the present entry of type 0

constexpr int kSlots[] = {63, 64, 65, 66, 67, 69, 70, 71, 72, 73, 74, 75, 76, 90, 92, 94, 96};
constexpr int kReceiverSlot = 70;
constexpr int kReceiverPort = 5;

enum Status : DWORD { kDone = 0, kBadRequest = 1, kNoSlot = 3, kNotHolder = 7, kClaimed = 8 };

struct Emulation {
    bool loaded = false;
    DeviceProfile profile = DeviceProfile::kOemInterface;
    std::map<int, DWORD> claims;  // slot -> handle
    std::map<int, bool> unpowered;
    DWORD nextHandle = 0x100;
    uint64_t calls = 0;
};

std::mutex g_mutex;
Emulation g_emulation;

std::string Trim(std::string s) {
    auto space = [](unsigned char c) { return std::isspace(c) != 0; };
    s.erase(s.begin(), std::find_if_not(s.begin(), s.end(), space));
    s.erase(std::find_if_not(s.rbegin(), s.rend(), space).base(), s.end());
    return s;
}

DeviceProfile ReadProfile() {
    // Opened beneath the root like any device file.
    std::string text;
    if (ReadDeviceRootFile("device.conf", text) != ERROR_SUCCESS) {
        return DeviceProfile::kOemInterface;
    }
    std::istringstream in(text);
    std::string line;
    DeviceProfile profile = DeviceProfile::kOemInterface;
    while (std::getline(in, line)) {
        line = Trim(line);
        const size_t eq = line.find('=');
        if (line.empty() || line[0] == '#' || eq == std::string::npos) continue;
        if (Trim(line.substr(0, eq)) != "profile") continue;
        const std::string value = Trim(line.substr(eq + 1));
        if (value == "name") profile = DeviceProfile::kPlatformNameOnly;
        if (value == "none") profile = DeviceProfile::kNone;
        if (value == "oem") profile = DeviceProfile::kOemInterface;
    }
    return profile;
}

Emulation& LoadedLocked() {
    if (!g_emulation.loaded) {
        g_emulation.profile = ReadProfile();
        g_emulation.loaded = true;
    }
    return g_emulation;
}

bool KnownSlot(DWORD slot) {
    return std::find(std::begin(kSlots), std::end(kSlots), static_cast<int>(slot)) !=
           std::end(kSlots);
}

void Words(LPVOID buffer, DWORD* words, size_t count) {
    std::memcpy(words, buffer, count * sizeof(DWORD));
}

void PutWords(LPVOID buffer, const DWORD* words, size_t count, LPDWORD returned) {
    std::memcpy(buffer, words, count * sizeof(DWORD));
    if (returned != nullptr) *returned = static_cast<DWORD>(count * sizeof(DWORD));
}

DWORD Claim(Emulation& e, const DWORD* in, DWORD& handle) {
    const DWORD claim = in[0], entry = in[1], held = in[2], one = in[3], slot = in[4];
    if (entry != kPowerEntry || one != 1 || claim > 1) return kBadRequest;
    if (!KnownSlot(slot)) return kNoSlot;
    auto it = e.claims.find(static_cast<int>(slot));
    if (claim == 1) {
        if (it != e.claims.end()) return kClaimed;
        handle = e.nextHandle++;
        e.claims[static_cast<int>(slot)] = handle;
        return kDone;
    }
    if (it == e.claims.end() || it->second != held) return kNotHolder;
    e.claims.erase(it);
    handle = 0;
    return kDone;
}

// Returns the status; `powerChanged` tells the caller to pass the new power
// of the receiver board on once the lock is released.
DWORD Switch(Emulation& e, const DWORD* in, bool& powerChanged) {
    const DWORD slot = in[0], entry = in[1], held = in[2], on = in[3];
    if (entry != kPowerEntry || on > 1) return kBadRequest;
    if (!KnownSlot(slot)) return kNoSlot;
    auto it = e.claims.find(static_cast<int>(slot));
    if (it == e.claims.end() || it->second != held) return kNotHolder;
    e.unpowered[static_cast<int>(slot)] = on == 0;
    powerChanged = static_cast<int>(slot) == kReceiverSlot;
    return kDone;
}

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

BOOL PlatformName(LPVOID out, DWORD outSize, LPDWORD returned) {
    static const char16_t kName[] = u"WORKABOUT PRO";
    if (out == nullptr || outSize < sizeof kName) return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(out, kName, sizeof kName);
    if (returned != nullptr) *returned = sizeof kName;
    return TRUE;
}

// The smallest buffers each request needs.
struct RequestShape {
    DWORD code;
    DWORD inBytes;
    DWORD outBytes;
};
constexpr RequestShape kShapes[] = {{kIoctlResourceCount, 0, 8},
                                    {kIoctlResourceEntry, 4, 8},
                                    {kIoctlResourceClaim, 20, 8},
                                    {kIoctlResourceSwitch, 16, 4}};

BOOL OemRequest(Emulation& e, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                LPDWORD returned, bool& powerChanged) {
    const RequestShape* shape = nullptr;
    for (const RequestShape& s : kShapes) {
        if (s.code == code) shape = &s;
    }
    if (shape == nullptr) return Fail(ERROR_NOT_SUPPORTED);
    if ((shape->inBytes > 0 && (in == nullptr || inSize < shape->inBytes)) || out == nullptr ||
        outSize < shape->outBytes) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    DWORD words[5] = {};
    if (shape->inBytes > 0) Words(in, words, shape->inBytes / sizeof(DWORD));
    DWORD reply[2] = {};
    switch (code) {
        case kIoctlResourceCount:
            reply[0] = 1;
            reply[1] = static_cast<DWORD>(std::size(kEntries));
            break;
        case kIoctlResourceEntry:
            if (words[0] >= std::size(kEntries)) return Fail(ERROR_INVALID_PARAMETER);
            reply[0] = kEntries[words[0]].type;
            reply[1] = kEntries[words[0]].present;
            break;
        case kIoctlResourceClaim:
            reply[1] = Claim(e, words, reply[0]);
            break;
        default:
            reply[0] = Switch(e, words, powerChanged);
            break;
    }
    PutWords(out, reply, shape->outBytes / sizeof(DWORD), returned);
    return TRUE;
}

}  // namespace

void ResetDeviceEmulation() {
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_emulation = Emulation{};
    }
    SetSerialPortPower(kReceiverPort, true);
}

DeviceProfile CurrentDeviceProfile() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return LoadedLocked().profile;
}

uint64_t KernelIoControlCalls() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_emulation.calls;
}

bool IsPeripheralPowered(int slot) {
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_emulation.unpowered.find(slot);
    return it == g_emulation.unpowered.end() || !it->second;
}

}  // namespace quorvel

BOOL KernelIoControl(DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                     LPDWORD returned) {
    using namespace quorvel;
    if (returned != nullptr) *returned = 0;
    bool powerChanged = false;
    BOOL ok = FALSE;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        Emulation& e = LoadedLocked();
        ++e.calls;
        if (code == kIoctlPlatformName) {
            ok = e.profile == DeviceProfile::kNone ? Fail(ERROR_NOT_SUPPORTED)
                                                   : PlatformName(out, outSize, returned);
        } else if (e.profile != DeviceProfile::kOemInterface) {
            ok = Fail(ERROR_NOT_SUPPORTED);
        } else {
            ok = OemRequest(e, code, in, inSize, out, outSize, returned, powerChanged);
        }
    }
    if (powerChanged) SetSerialPortPower(kReceiverPort, IsPeripheralPowered(kReceiverSlot));
    return ok;
}
