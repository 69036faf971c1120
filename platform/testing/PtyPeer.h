// The device's end of a pseudo-terminal, for tests that talk to the
// program's serial ports: the test plays the receiver, the sounder or the
// modem, writes what the device would send and reads what the program sent.
//
//   PtyPeer peer;
//   ASSERT_TRUE(peer.Open(root.Host("gnss"), error)) << error;
//   MapSerialPort(5, peer.Path());            // the program's COM5:
//   ... the program opens COM5: and writes ...
//   EXPECT_EQ(peer.ReadUntil("\r\n"), "$JOFF\r\n");
//   peer.Write("OK\r\n");
//
// It is the simulators' endpoint (sim/Pty.h) with the tests' patience as
// its waits' default: it keeps a descriptor of the program's end open, so
// the program closing and reopening its port is no hang-up here, and beside
// the link it makes an empty "<link>.lines" file where the serial layer
// reports the program's modem lines, open state and power (ReadLines).
#pragma once

#include <cstddef>
#include <string>

#include "platform/testing/WaitUntil.h"
#include "sim/Pty.h"

namespace quorvel::testing {

// What the serial layer last reported of the program's side.
using sim::LineReport;

class PtyPeer : public sim::PtyEndpoint {
  public:
    using PtyEndpoint::Write;
    size_t Write(const std::string& bytes, int timeoutMs = kWaitMs) {
        return PtyEndpoint::Write(bytes, timeoutMs);
    }
    std::string ReadUntil(const std::string& until, int timeoutMs = kWaitMs) {
        return PtyEndpoint::ReadUntil(until, timeoutMs);
    }
};

}  // namespace quorvel::testing
