// The backend without a display: the screen stays in memory, sounds are
// instant and recorded, LED changes recorded, and with a snapshot folder the
// screen is written there as PNG files a person can open: "screen.png" is
// always the latest, "screen-000001.png" ... the history (the newest
// kMaxSnapshots of it).
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/backends/Backend.h"

namespace quorvel::backends {

class HeadlessBackend : public Backend {
  public:
    struct PlayedWave {
        uint32_t durationMs = 0;  // from the RIFF header; 0 when it has none
        bool async = false;
        bool loop = false;
    };
    struct LedChange {
        int led = 0;
        bool on = false;
    };
    static constexpr int kMaxSnapshots = 500;

    explicit HeadlessBackend(const BackendOptions& options);

    bool IsHeadless() const override { return true; }
    void Present() override;
    bool PollEvents() override { return true; }
    void SetLed(int led, bool on) override;
    void PlayWave(const std::vector<uint8_t>& wav, bool async, bool loop = false) override;
    void StopSound() override;
    uint32_t PollIntervalMs() const override;

    std::vector<PlayedWave> PlayedWaves() const;
    int SoundStops() const;
    std::vector<LedChange> LedChanges() const;
    int SnapshotCount() const { return m_snapshots; }

  protected:
    bool WantsPresent() const override;

  private:
    bool SnapshotDue() const;
    void WriteSnapshot();

    std::string m_snapshotDir;
    uint32_t m_snapshotIntervalMs;
    uint64_t m_lastSnapshotMs = 0;
    bool m_snapshotPending = false;
    int m_snapshots = 0;

    mutable std::mutex m_mutex;  // guards what other threads record
    std::vector<PlayedWave> m_played;
    int m_stops = 0;
    std::vector<LedChange> m_leds;
};

}  // namespace quorvel::backends
