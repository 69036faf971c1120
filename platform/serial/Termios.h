// The control block on a host terminal: line settings to termios and the
// modem lines through the modem-control ioctls.
#pragma once

#include "platform/serial/SerialApi.h"

namespace quorvel::serial {

// The control block a port has when it is opened: 9600 baud, 8 data bits,
// no parity, one stop bit, binary, DTR and RTS enabled, no flow control.
DCB DefaultDcb();

// ERROR_SUCCESS, or ERROR_INVALID_PARAMETER for a setting the device does
// not offer (a rate outside 1200..115200 or not a standard one, 1.5 stop
// bits, a byte size outside 5..8, an unknown parity).
DWORD ValidateDcb(const DCB& dcb);
// Puts the line settings on the terminal; ERROR_GEN_FAILURE when the host
// refuses them.
DWORD ApplyDcb(int fd, const DCB& dcb);

// Raises or lowers DTR and RTS. A pseudo-terminal has no modem lines: there
// the request is only recorded (see LineState.h) and succeeds.
bool SetModemLines(int fd, bool dtr, bool rts);

// True for the slave side of a pseudo-terminal (the simulators' ports).
bool IsPseudoTerminal(int fd);

}  // namespace quorvel::serial
