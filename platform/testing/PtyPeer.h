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
// The peer keeps a descriptor of the program's end open itself, so the
// program closing and reopening its port is no hang-up here. Beside the
// link it makes an empty "<link>.lines" file: the serial layer reports the
// program's modem lines, open state and power there (platform/serial/
// PortMap.h), which ReadLines returns.
#pragma once

#include <cstddef>
#include <string>

#include "platform/testing/WaitUntil.h"

namespace quorvel::testing {

// What the serial layer last reported of the program's side.
struct LineReport {
    bool known = false;  // the serial layer has written the side file
    bool dtr = false;
    bool rts = false;
    bool powered = true;
    bool open = false;
};

class PtyPeer {
  public:
    PtyPeer() = default;
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    // False with a reason when the pseudo-terminal or the link cannot be
    // made. An existing file at linkPath is replaced; an empty linkPath
    // makes no link.
    bool Open(const std::string& linkPath, std::string& error);
    // Hangs up: the program's port sees its device go away. Removes the
    // link and the side file.
    void Close();
    bool IsOpen() const { return m_master >= 0; }

    // The path to give the program: the link when there is one.
    const std::string& Path() const { return m_linkPath.empty() ? m_slavePath : m_linkPath; }
    const std::string& SlavePath() const { return m_slavePath; }

    // Writes what fits within timeoutMs (a program that does not read
    // fills its side); returns the bytes written.
    size_t Write(const void* data, size_t size, int timeoutMs);
    size_t Write(const std::string& bytes, int timeoutMs = kWaitMs) {
        return Write(bytes.data(), bytes.size(), timeoutMs);
    }
    // Waits up to timeoutMs for bytes from the program and reads what is
    // there; 0 when none came.
    size_t Read(void* buffer, size_t size, int timeoutMs);
    // Everything the program sends until `until` has arrived or timeoutMs
    // have passed, whichever is first.
    std::string ReadUntil(const std::string& until, int timeoutMs = kWaitMs);

    LineReport ReadLines() const;

  private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
    std::string m_linkPath;
};

}  // namespace quorvel::testing
