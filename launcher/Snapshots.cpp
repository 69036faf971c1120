#include "launcher/Snapshots.h"

#include <cstdio>
#include <filesystem>

#include "platform/base/Clock.h"
#include "platform/gdi/Image.h"
#include "platform/win/WinInternal.h"

namespace quorvel::launcher {

bool WriteScreenPng(const std::string& path) {
    const std::string temporary = path + ".part";
    if (!gdi::SavePng(gdi::CaptureScreen(), temporary)) return false;
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) std::filesystem::remove(temporary, ec);
    return !ec;
}

CSnapshotWriter::CSnapshotWriter(std::string dir) : m_dir(std::move(dir)) {
    if (m_dir.empty()) return;
    std::error_code ec;
    m_dir = std::filesystem::absolute(m_dir, ec).lexically_normal().string();
    std::filesystem::create_directories(m_dir, ec);
}

std::string CSnapshotWriter::LatestPath() const {
    return (std::filesystem::path(m_dir) / "latest.png").string();
}

uint32_t CSnapshotWriter::Tick() {
    if (m_dir.empty()) return UINT32_MAX;
    const uint64_t generation = win::ScreenGeneration();
    if (generation == m_generation) return UINT32_MAX;
    const uint64_t now = ClockNowMs();
    if (m_written > 0 && now - m_lastMs < kIntervalMs)
        return static_cast<uint32_t>(kIntervalMs - (now - m_lastMs));
    if (!WriteScreenPng(LatestPath())) {
        std::fprintf(stderr, "quorvel: cannot write %s; no more snapshots\n", LatestPath().c_str());
        m_dir.clear();
        return UINT32_MAX;
    }
    m_generation = generation;
    m_lastMs = now;
    ++m_written;
    return UINT32_MAX;
}

}  // namespace quorvel::launcher
