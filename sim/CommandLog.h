// What the program sends to a simulated device, cut into text lines and
// binary command frames and logged with a time stamp.
//
// A command frame is '$', an id, the complement of the id, a 16-bit
// little-endian payload length, the payload and the XOR of everything
// before it. A '$' whose next byte is not followed by its complement starts
// a text line; text lines end at LF and keep their CR (the program's doubled
// line ends stay visible as an empty "\r\n" line).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace quorvel::sim {

struct LoggedCommand {
    enum class Kind { kText, kFrame, kLines };
    Kind kind = Kind::kText;
    double seconds = 0;  // since the log started
    std::string text;    // the line with its line end, or the line state
    int frameId = -1;
    std::string payload;
    bool checksumOk = false;
};

// C-style escapes for CR, LF, tab, backslash, quote and other bytes outside
// printable ASCII ("\x1f").
std::string EscapeBytes(const std::string& bytes);
// One line of the log file.
std::string FormatLogEntry(const LoggedCommand& c);

class CommandLog {
  public:
    CommandLog();

    // Feeds received bytes; complete items are logged, a partial one waits
    // for the rest. `onItem` runs for each complete item (outside the lock).
    void Feed(const char* data, size_t size,
              const std::function<void(const LoggedCommand&)>& onItem = {});
    // Records a change of the program's modem lines or power.
    void NoteLines(const std::string& state);

    std::vector<LoggedCommand> Items() const;
    // The text lines with their line ends stripped (empty lines dropped).
    std::vector<std::string> TextLines() const;
    // Waits up to timeoutMs for `ready` over the items to hold.
    bool WaitFor(const std::function<bool(const std::vector<LoggedCommand>&)>& ready,
                 int timeoutMs) const;
    void Clear();

  private:
    bool TakeItem(LoggedCommand& item);
    double Now() const;

    std::chrono::steady_clock::time_point m_start;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::string m_pending;
    std::vector<LoggedCommand> m_items;
};

}  // namespace quorvel::sim
