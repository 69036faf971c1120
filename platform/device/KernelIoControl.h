// The handheld's kernel I/O controls that the program uses: the OEM
// peripheral-resource interface (resource table, claims, power switching)
// and the platform-name query.
//
// The emulation's profile comes from "device.conf" in the device root, read
// on the first call (and again after ResetDeviceEmulation):
//   profile = oem    the OEM interface and the platform name (default)
//   profile = name   only the platform name, as on a handheld without it
//   profile = none   neither
// Lines starting with '#' are comments.
//
// Resource table of the OEM interface (index: type, present):
//   0: 2 yes   1: 0 yes   2: 1 yes   3: 0 no
// Slots are the handheld's peripheral slots; slot 70 is the expansion-slot
// receiver board behind "COM5:", whose power reaches the serial layer (an
// unpowered board neither talks nor listens, see platform/serial/LineState.h).
// Every peripheral is powered at start.
//
// Requests (32-bit words):
//   count  0x80192000: out {nonzero, entry count}
//   entry  0x80192004: in {index}; out {type, present}
//   claim  0x80192008: in {1 claim / 0 release, type-0 entry, handle, 1,
//                      slot, ...}; out {handle, status}
//   switch 0x8019200C: in {slot, type-0 entry, handle, 1 on / 0 off};
//                      out {status}
// Status: 0 done, 1 bad request (wrong entry or constant), 3 no such slot,
// 7 not the holder of the slot (release or switch without its claim),
// 8 slot already claimed. A request the emulation understood returns TRUE
// whatever its status; short or missing buffers and unsupported codes
// return FALSE.
//
// Platform name 0x01013FE8: "WORKABOUT PRO" and its terminator as UTF-16
// units, 28 bytes. Note that WCHAR is 4 bytes here: readers compare 16-bit
// units, not WCHARs.
#pragma once

#include <cstdint>

#include "platform/base/WinTypes.h"

inline constexpr DWORD kIoctlResourceCount = 0x80192000u;
inline constexpr DWORD kIoctlResourceEntry = 0x80192004u;
inline constexpr DWORD kIoctlResourceClaim = 0x80192008u;
inline constexpr DWORD kIoctlResourceSwitch = 0x8019200Cu;
inline constexpr DWORD kIoctlPlatformName = 0x01013FE8u;

BOOL KernelIoControl(DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                     LPDWORD returned);

namespace quorvel {

enum class DeviceProfile { kOemInterface, kPlatformNameOnly, kNone };

// Forgets claims, powers every peripheral again and reads device.conf anew
// at the next call (start-up, tests).
void ResetDeviceEmulation();
DeviceProfile CurrentDeviceProfile();
// How many calls reached KernelIoControl since the last reset.
uint64_t KernelIoControlCalls();
bool IsPeripheralPowered(int slot);

}  // namespace quorvel
