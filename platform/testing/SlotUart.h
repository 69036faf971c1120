// The registry value that gives the expansion slot's UART to the receiver
// board (FFUART under HKLM\Drivers\PsionTeklogix\Expansion Slot), as the
// link reads and sets it.
#pragma once

#include "platform/base/WinTypes.h"

namespace quorvel::testing {

void SetFfuart(DWORD value);
// The value, or 0xDEAD when the key or the value is missing.
DWORD Ffuart();

}  // namespace quorvel::testing
