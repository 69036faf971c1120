#include "platform/device/SoundWave.h"

#include <cstring>

namespace quorvel::device {
namespace {

uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool IsRiffWave(const uint8_t* image, size_t size) {
    return size >= 12 && std::memcmp(image, "RIFF", 4) == 0 &&
           std::memcmp(image + 8, "WAVE", 4) == 0;
}

bool ReadFormat(const uint8_t* chunk, uint32_t chunkSize, WaveInfo* info) {
    if (chunkSize < 16) return false;
    info->formatTag = Le16(chunk);
    info->channels = Le16(chunk + 2);
    info->sampleRate = Le32(chunk + 4);
    info->bytesPerSecond = Le32(chunk + 8);
    info->blockAlign = Le16(chunk + 12);
    info->bitsPerSample = Le16(chunk + 14);
    return info->channels != 0 && info->sampleRate != 0 && info->blockAlign != 0;
}

uint32_t DurationMs(const WaveInfo& info) {
    // PCM is exact from whole frames; compressed formats only know their
    // average byte rate.
    uint64_t units = info.dataBytes;
    uint64_t perSecond = info.bytesPerSecond;
    if (info.formatTag == 1) {
        units = info.dataBytes / info.blockAlign;
        perSecond = info.sampleRate;
    }
    if (perSecond == 0) return 0;
    return static_cast<uint32_t>((units * 1000 + perSecond - 1) / perSecond);
}

}  // namespace

size_t RiffImageSize(const uint8_t* image) {
    if (image == nullptr || !IsRiffWave(image, 12)) return 0;
    return static_cast<size_t>(Le32(image + 4)) + 8;
}

bool ParseWave(const uint8_t* image, size_t size, WaveInfo* info) {
    *info = WaveInfo{};
    if (image == nullptr || !IsRiffWave(image, size)) return false;
    bool haveFormat = false;
    size_t pos = 12;
    while (pos + 8 <= size) {
        const uint8_t* header = image + pos;
        const uint32_t chunkSize = Le32(header + 4);
        const size_t body = pos + 8;
        const size_t available = size - body;
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (chunkSize > available || !ReadFormat(image + body, chunkSize, info)) return false;
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!haveFormat) return false;
            info->dataOffset = body;
            info->dataBytes = chunkSize <= available ? chunkSize : static_cast<uint32_t>(available);
            info->durationMs = DurationMs(*info);
            return true;
        }
        // Chunks are padded to an even length.
        pos = body + chunkSize + (chunkSize & 1u);
    }
    return false;
}

}  // namespace quorvel::device
