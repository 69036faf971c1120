// Pictures of the screen for a person to open: a file that follows the
// screen (DIR/latest.png, replaced whole, at most once a second while the
// screen changes) and single pictures on request.
#pragma once

#include <cstdint>
#include <string>

namespace quorvel::launcher {

// The screen as PNG at `path`, written beside it first and renamed over it,
// so a viewer never reads half a picture. False when it could not be written.
[[nodiscard]] bool WriteScreenPng(const std::string& path);

class CSnapshotWriter {
  public:
    static constexpr uint32_t kIntervalMs = 1000;

    // `dir` empty: writes nothing.
    explicit CSnapshotWriter(std::string dir);

    // Writes latest.png when the screen changed since the last one and the
    // interval has passed. Returns how long the caller may wait before a
    // change still to be written is due (UINT32_MAX: nothing pending).
    uint32_t Tick();
    std::string LatestPath() const;
    int Written() const { return m_written; }

  private:
    std::string m_dir;
    uint64_t m_generation = UINT64_MAX;  // of the screen last written
    uint64_t m_lastMs = 0;
    int m_written = 0;
};

}  // namespace quorvel::launcher
