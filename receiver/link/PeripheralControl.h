// Peripheral power: claims and switches the handheld's internal peripheral
// resources through the platform's OEM kernel I/O controls. The receiver
// link powers the expansion-slot receiver (device 9) with it.
//
// Results: 0 done; 1 not supported (no OEM interface, or an answer the
// module does not know); 2 refused; 3 already claimed (claim only).
// Process-wide state, no locks: the callers never overlap.
#pragma once

#include "platform/base/WinTypes.h"

// Sets the initialised flag, clears the handle table and the work block and
// runs the detection. The first claim or switch calls it.
void InitPeripheralControl();
// Finds the interface mode and the resource entries; runs once per run.
void DetectPeripheralControl();
// Claims (bClaim TRUE) or releases a device's slot.
int ClaimPeripheral(int nDevice, BOOL bClaim);
// Powers a claimed device (7..16) on or off.
int SwitchPeripheral(int nDevice, BOOL bOn);
// TRUE when the platform names itself "WORKABOUT PRO".
BOOL IsWorkaboutPro();

// The device used by the receiver link: the expansion-slot receiver board.
inline constexpr int kReceiverPeripheral = 9;

namespace quorvel {

// 0 none, 1 OEM resource interface present, 2 "WORKABOUT PRO" without it.
int PeripheralControlMode();
// Back to the state of a fresh run (tests).
void ResetPeripheralControl();

}  // namespace quorvel
