// Which host device stands behind each of the device's numbered ports.
//
// Two sources, the first that names a port wins:
//   1. mappings made at run time (the program's `--port COMn=/dev/...`
//      option, tests): MapSerialPort;
//   2. the `ports` file in the device root, read afresh at every open: one
//      "COMn=/dev/..." a line; blank lines and lines starting with '#' are
//      ignored, the port name is case-insensitive.
//
// Modem-line side file: when a file named "<host path>.lines" exists, the
// layer rewrites it whenever DTR, RTS, the port's open state or the power of
// the board behind the port changes, with one line
//   "DTR=1 RTS=0 POWER=1 OPEN=1"
// so that a peer on a pseudo-terminal, which carries no modem lines, can see
// them. The peer creates the file to ask for it; nothing is created in its
// absence.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

namespace quorvel {

// Maps port n to `hostPath` for the rest of the run; an empty path removes
// the run-time mapping (the `ports` file applies again).
void MapSerialPort(int n, const std::string& hostPath);
// Takes the argument of the `--port` option, "COMn=/dev/...". False, and
// nothing mapped, when it is malformed.
bool MapSerialPortOption(const std::string& text);
// Removes every run-time mapping (tests).
void ClearSerialPortMappings();

// The host path behind port n, or empty when no source names it.
std::string SerialPortHostPath(int n);

// The port number of a device name "COMn:" or "comn:" (any case, n from 1
// to 255, the colon required); 0 when the name is not a port.
int SerialPortNumber(LPCWSTR name);

}  // namespace quorvel
