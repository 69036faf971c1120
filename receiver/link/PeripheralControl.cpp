#include "receiver/link/PeripheralControl.h"

#include <cstring>

#include "platform/device/KernelIoControl.h"

namespace {

constexpr int kDeviceCount = 17;
constexpr int kDeviceSlot[kDeviceCount] = {63, 64, 65, 66, 73, 75, 96, 67, 69,
                                           70, 71, 72, 74, 76, 90, 92, 94};
constexpr int kFirstSwitchable = 7;
constexpr int kLastSwitchable = 16;

constexpr DWORD kClaimInputBytes = 416;
constexpr DWORD kNameBufferBytes = 200;

enum Mode { kModeNone = 0, kModeOem = 1, kModeNameOnly = 2 };

struct PeripheralState {
    BYTE initialised = 0;
    DWORD handles[100] = {};  // resource handle per slot; 0 = not claimed
    BYTE workBlock[88] = {};
    int mode = kModeNone;
    DWORD type0Entry = 0;
    DWORD type1Entry = 0;
    BYTE detected = 0;
};

PeripheralState g_state;

void EnsureInitialised() {
    if (!g_state.initialised) InitPeripheralControl();
}

// The platform's status word; stays at 1 when the call itself fails.
DWORD Request(DWORD code, const DWORD* in, DWORD inBytes, DWORD* out, DWORD outWords) {
    DWORD returned = 0;
    KernelIoControl(code, const_cast<DWORD*>(in), inBytes, out, outWords * sizeof(DWORD),
                    &returned);
    return out[outWords - 1];
}

}  // namespace

void InitPeripheralControl() {
    g_state.initialised = 1;
    std::memset(g_state.handles, 0, sizeof g_state.handles);
    std::memset(g_state.workBlock, 0, sizeof g_state.workBlock);
    DetectPeripheralControl();
}

void DetectPeripheralControl() {
    if (g_state.detected) return;
    g_state.detected = 1;
    DWORD counts[2] = {0, 0};
    DWORD returned = 0;
    if (KernelIoControl(kIoctlResourceCount, nullptr, 0, counts, sizeof counts, &returned) &&
        counts[0] != 0 && counts[1] != 0) {
        g_state.mode = kModeOem;
        for (DWORD i = 0; i < counts[1]; ++i) {
            DWORD entry[2] = {0, 0};
            if (!KernelIoControl(kIoctlResourceEntry, &i, sizeof i, entry, sizeof entry,
                                 &returned) ||
                entry[1] == 0) {
                continue;
            }
            if (entry[0] == 0) g_state.type0Entry = i;
            if (entry[0] == 1) g_state.type1Entry = i;
        }
        return;
    }
    if (IsWorkaboutPro()) g_state.mode = kModeNameOnly;
}

int ClaimPeripheral(int nDevice, BOOL bClaim) {
    EnsureInitialised();
    if (g_state.mode != kModeOem) return 1;
    // A negative device is refused like one above the table.
    if (nDevice < 0 || nDevice >= kDeviceCount) return 2;
    const int slot = kDeviceSlot[nDevice];
    const bool claimed = g_state.handles[slot] != 0;
    if (claimed == (bClaim != FALSE)) return bClaim ? 3 : 2;
    DWORD in[kClaimInputBytes / sizeof(DWORD)] = {};
    in[0] = bClaim ? 1 : 0;
    in[1] = g_state.type0Entry;
    in[2] = g_state.handles[slot];
    in[3] = 1;
    in[4] = static_cast<DWORD>(slot);
    DWORD out[2] = {0, 1};
    switch (Request(kIoctlResourceClaim, in, kClaimInputBytes, out, 2)) {
        case 0:
            g_state.handles[slot] = bClaim ? out[0] : 0;
            return 0;
        case 1:
        case 3:
        case 7:
            return 2;
        case 8:
            return 3;
        default:
            return 1;
    }
}

int SwitchPeripheral(int nDevice, BOOL bOn) {
    EnsureInitialised();
    if (g_state.mode != kModeOem) return 1;
    if (nDevice < kFirstSwitchable || nDevice > kLastSwitchable) return 2;
    const int slot = kDeviceSlot[nDevice];
    const DWORD in[4] = {static_cast<DWORD>(slot), g_state.type0Entry, g_state.handles[slot],
                         bOn ? 1u : 0u};
    DWORD out[1] = {1};
    switch (Request(kIoctlResourceSwitch, in, sizeof in, out, 1)) {
        case 0:
            return 0;
        case 1:
        case 3:
            return 2;
        default:
            return 1;
    }
}

BOOL IsWorkaboutPro() {
    // The platform answers in 16-bit units, whatever the size of WCHAR.
    static const char16_t kName[] = u"WORKABOUT PRO";
    BYTE buffer[kNameBufferBytes] = {};
    DWORD returned = 0;
    if (!KernelIoControl(kIoctlPlatformName, nullptr, 0, buffer, sizeof buffer, &returned)) {
        return FALSE;
    }
    return returned == sizeof kName && std::memcmp(buffer, kName, sizeof kName) == 0;
}

namespace quorvel {

int PeripheralControlMode() {
    return g_state.mode;
}

void ResetPeripheralControl() {
    g_state = PeripheralState{};
}

}  // namespace quorvel
