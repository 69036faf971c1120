// The RIFF/WAVE header of a sound file: how long the sound lasts is what a
// synchronous playback waits for, so it comes from the header, not from the
// audio output.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorvel::device {

struct WaveInfo {
    uint16_t formatTag = 0;  // 1 = PCM
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t bytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    size_t dataOffset = 0;  // of the sample bytes in the image
    uint32_t dataBytes = 0;
    uint32_t durationMs = 0;  // rounded up, so a waiter never stops short
};

// False when the image is not a RIFF/WAVE with a format chunk before a data
// chunk. A data chunk that claims more than the image holds is cut to what
// is there (files truncated by a copy still play, as far as they go).
bool ParseWave(const uint8_t* image, size_t size, WaveInfo* info);

// The size of a RIFF image from its own header, for sounds given in memory
// without a length; 0 when the bytes do not start a RIFF/WAVE image.
size_t RiffImageSize(const uint8_t* image);

}  // namespace quorvel::device
