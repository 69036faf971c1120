#include "platform/backends/HeadlessBackend.h"

#include <cstdio>
#include <filesystem>

#include "platform/base/Clock.h"
#include "platform/device/SoundWave.h"
#include "platform/gdi/Image.h"

namespace quorvel::backends {
namespace {

std::string NumberedName(const std::string& dir, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "screen-%06d.png", number);
    return (std::filesystem::path(dir) / name).string();
}

// A viewer that reloads the file never sees half of it.
bool SaveAtomically(const gdi::Image& image, const std::string& path) {
    const std::string temporary = path + ".part";
    if (!gdi::SavePng(image, temporary)) return false;
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    return !ec;
}

}  // namespace

HeadlessBackend::HeadlessBackend(const BackendOptions& options)
    : m_snapshotDir(options.snapshotDir), m_snapshotIntervalMs(options.snapshotIntervalMs) {
    if (!m_snapshotDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(m_snapshotDir, ec);
    }
}

void HeadlessBackend::Present() {
    if (m_snapshotDir.empty()) return;
    m_snapshotPending = true;
    if (SnapshotDue()) WriteSnapshot();
}

bool HeadlessBackend::SnapshotDue() const {
    return m_snapshots == 0 || ClockNowMs() - m_lastSnapshotMs >= m_snapshotIntervalMs;
}

void HeadlessBackend::WriteSnapshot() {
    const gdi::Image image = gdi::CaptureScreen();
    const int number = m_snapshots + 1;
    if (!SaveAtomically(image, NumberedName(m_snapshotDir, number)) ||
        !SaveAtomically(image, (std::filesystem::path(m_snapshotDir) / "screen.png").string())) {
        std::fprintf(stderr, "quorvel: cannot write snapshots to %s\n", m_snapshotDir.c_str());
        m_snapshotDir.clear();
        return;
    }
    m_snapshots = number;
    m_lastSnapshotMs = ClockNowMs();
    m_snapshotPending = false;
    if (number > kMaxSnapshots) {
        std::error_code ec;
        std::filesystem::remove(NumberedName(m_snapshotDir, number - kMaxSnapshots), ec);
    }
}

// No host input comes in to poll for: the loop sleeps until it is kicked,
// or until a snapshot held back by the interval is due.
uint32_t HeadlessBackend::PollIntervalMs() const {
    if (m_snapshotDir.empty() || !m_snapshotPending) return kNoPoll;
    if (SnapshotDue()) return 0;
    return static_cast<uint32_t>(m_snapshotIntervalMs - (ClockNowMs() - m_lastSnapshotMs));
}

bool HeadlessBackend::WantsPresent() const {
    // A change that came too soon after the last snapshot is written once
    // its interval has passed, even if nothing changes after it.
    return m_snapshotPending && SnapshotDue();
}

void HeadlessBackend::SetLed(int led, bool on) {
    std::lock_guard lock(m_mutex);
    m_leds.push_back({led, on});
}

void HeadlessBackend::PlayWave(const std::vector<uint8_t>& wav, bool async, bool loop) {
    device::WaveInfo info;
    device::ParseWave(wav.data(), wav.size(), &info);
    std::lock_guard lock(m_mutex);
    m_played.push_back({info.durationMs, async, loop});
}

void HeadlessBackend::StopSound() {
    std::lock_guard lock(m_mutex);
    ++m_stops;
}

std::vector<HeadlessBackend::PlayedWave> HeadlessBackend::PlayedWaves() const {
    std::lock_guard lock(m_mutex);
    return m_played;
}

int HeadlessBackend::SoundStops() const {
    std::lock_guard lock(m_mutex);
    return m_stops;
}

std::vector<HeadlessBackend::LedChange> HeadlessBackend::LedChanges() const {
    std::lock_guard lock(m_mutex);
    return m_leds;
}

}  // namespace quorvel::backends
