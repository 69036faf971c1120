// The program's end of a simulator's pseudo-terminal for the simulators'
// tests: opened raw with plain terminal I/O, as a program with its own
// serial code would see the device.
#pragma once

#include <functional>
#include <string>

namespace quorvel::sim {

// How long a wait may take before it counts as never ending: waits stop as
// soon as what they wait for is there, so this only has to be generous
// enough for a loaded machine.
inline constexpr int kPatienceMs = 20000;

class ProgramSide {
  public:
    ProgramSide() = default;
    ~ProgramSide() { Close(); }
    ProgramSide(const ProgramSide&) = delete;
    ProgramSide& operator=(const ProgramSide&) = delete;

    // False when the terminal cannot be opened.
    bool Open(const std::string& path);
    void Close();
    int Fd() const { return m_fd; }

    // True when all of `bytes` went out at once.
    bool Send(const std::string& bytes);
    // One read: what has arrived within `ms`.
    std::string ReadSome(int ms);
    // Everything that arrives within `ms`; stops early once `until` shows up
    // or the device hangs up.
    std::string ReadFor(int ms, const std::string& until = "");
    // Reads into `heard` until `done` holds; false when it still does not
    // after kPatienceMs.
    bool HearUntil(std::string& heard, const std::function<bool()>& done);

  private:
    int m_fd = -1;
};

}  // namespace quorvel::sim
