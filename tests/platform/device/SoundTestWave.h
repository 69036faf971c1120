// Builds RIFF/WAVE images for sound tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundtest {

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
inline void PutTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

struct WaveFormat {
    uint16_t channels = 1;
    uint32_t rate = 8000;
    uint16_t bits = 16;
    uint32_t frames = 8000;
    bool extraChunk = false;  // an odd-sized chunk between format and data
};

// A PCM image whose samples are a quiet square wave.
inline std::vector<uint8_t> MakeWave(const WaveFormat& format) {
    const uint16_t align = static_cast<uint16_t>(format.channels * format.bits / 8);
    const uint32_t dataBytes = format.frames * align;
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    Put32(out, 0);  // patched below
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, format.channels);
    Put32(out, format.rate);
    Put32(out, format.rate * align);
    Put16(out, align);
    Put16(out, format.bits);
    if (format.extraChunk) {
        PutTag(out, "LIST");
        Put32(out, 3);
        out.insert(out.end(), {'a', 'b', 'c', 0});  // padded to even
    }
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (uint32_t i = 0; i < dataBytes; ++i) out.push_back((i / 16) % 2 ? 0x10 : 0xF0);
    const uint32_t riffSize = static_cast<uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>(riffSize >> (8 * i));
    return out;
}

// The image as the bytes of a file.
inline std::string FileBytes(const std::vector<uint8_t>& image) {
    return std::string(image.begin(), image.end());
}

}  // namespace soundtest
