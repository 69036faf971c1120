// The modem lines and the power of each numbered port, as the far side
// would see them.
//
// A pseudo-terminal carries no modem lines, so the layer keeps DTR and RTS
// itself (and sets them on a real terminal too); a peer reads them here
// in-process or from the side file named in PortMap.h.
//
// Power belongs to the board behind a port (the device layer switches the
// expansion-slot receiver on and off). While a port is unpowered it neither
// receives nor sends: received bytes are discarded and written bytes vanish,
// as on a line to a board that is switched off. Both edges of a power change
// discard what is queued for reading. Every port is powered at start.
#pragma once

namespace quorvel {

struct SerialLineState {
    bool open = false;
    bool dtr = false;
    bool rts = false;
    bool powered = true;
};

SerialLineState GetSerialLineState(int port);

void SetSerialPortPower(int port, bool on);
bool IsSerialPortPowered(int port);
// Tests: every port powered again.
void ResetSerialPortPower();

// How many threads wait in a read, a write or an event wait on the open port
// (0 when it is not open): lets a test act once a reader is blocked.
int SerialPortWaiters(int port);

}  // namespace quorvel
