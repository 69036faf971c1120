// The device's end of a pseudo-terminal: the simulators' and the tests'
// (platform/testing/PtyPeer.h). The program opens the other end (the slave)
// as a serial port.
//
// The endpoint keeps a descriptor of the slave open itself, so that the
// program closing and reopening its port is not seen as a hang-up here.
// With a link path the endpoint also makes a symbolic link to the slave and
// an empty "<link>.lines" file beside it: the program's serial layer then
// reports its DTR, RTS, open state and the board's power there (see
// platform/serial/PortMap.h), which ReadLines returns.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstddef>
#include <string>

namespace quorvel::sim {

struct LineReport {
    bool known = false;  // the serial layer has written the side file
    bool dtr = false;
    bool rts = false;
    bool powered = true;
    bool open = false;

    bool operator==(const LineReport&) const = default;
};

// Parses "DTR=1 RTS=0 POWER=1 OPEN=1"; unknown when the text has no field.
LineReport ParseLineReport(const std::string& text);

// Writes to a non-blocking descriptor what fits within timeoutMs (a peer
// that does not read fills its side); returns the bytes written.
size_t WriteWithin(int fd, const void* data, size_t size, int timeoutMs);

class PtyEndpoint {
  public:
    PtyEndpoint() = default;
    ~PtyEndpoint();
    PtyEndpoint(const PtyEndpoint&) = delete;
    PtyEndpoint& operator=(const PtyEndpoint&) = delete;

    // False with a reason when the pseudo-terminal or the link cannot be
    // made. An existing link (or file) at linkPath is replaced.
    bool Open(const std::string& linkPath, std::string& error);
    // Hangs up: the program's port sees its device go away. Removes the
    // link and the side file; Path() still names them.
    void Close();
    bool IsOpen() const { return m_master >= 0; }

    // The path to give the program: the link when there is one, else the
    // slave's own path.
    const std::string& Path() const { return m_linkPath.empty() ? m_slavePath : m_linkPath; }
    const std::string& SlavePath() const { return m_slavePath; }

    // Writes what fits within timeoutMs (see WriteWithin).
    size_t Write(const void* data, size_t size, int timeoutMs) {
        return WriteWithin(m_master, data, size, timeoutMs);
    }
    size_t Write(const std::string& text, int timeoutMs) {
        return Write(text.data(), text.size(), timeoutMs);
    }
    // Waits up to timeoutMs for bytes from the program and reads what is
    // there; 0 when none came.
    size_t Read(void* buffer, size_t size, int timeoutMs);
    // Everything the program sends until `until` has arrived or timeoutMs
    // have passed, whichever is first.
    std::string ReadUntil(const std::string& until, int timeoutMs);

    LineReport ReadLines() const;

  private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
    std::string m_linkPath;
    std::atomic<bool> m_linked{false};  // the link and side file at m_linkPath are ours
};

}  // namespace quorvel::sim
