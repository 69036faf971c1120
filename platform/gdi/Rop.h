// Raster operations on 0x00RRGGBB pixels, bit by bit as the device does them.
#pragma once

#include <cstdint>

namespace quorvel::gdi {

constexpr uint32_t kPixelMask = 0x00FFFFFFu;

// A binary raster operation (R2_*, 1..16) of pen P and destination D: bit
// (2*P + D) of (rop - 1) is the result for that pair of input bits.
inline uint32_t ApplyRop2(int rop, uint32_t pen, uint32_t dst) {
    const unsigned table = static_cast<unsigned>(rop - 1) & 0xFu;
    uint32_t out = 0;
    if (table & 1u) out |= ~pen & ~dst;
    if (table & 2u) out |= ~pen & dst;
    if (table & 4u) out |= pen & ~dst;
    if (table & 8u) out |= pen & dst;
    return out & kPixelMask;
}

// A ternary raster operation's code byte (bits 16..23 of the ROP value) of
// pattern P, source S and destination D: bit (4*P + 2*S + D) is the result.
inline uint32_t ApplyRop3(unsigned code, uint32_t pat, uint32_t src, uint32_t dst) {
    uint32_t out = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!(code & (1u << i))) continue;
        const uint32_t p = (i & 4u) ? pat : ~pat;
        const uint32_t s = (i & 2u) ? src : ~src;
        const uint32_t d = (i & 1u) ? dst : ~dst;
        out |= p & s & d;
    }
    return out & kPixelMask;
}

constexpr unsigned Rop3Code(uint32_t rop) {
    return (rop >> 16) & 0xFFu;
}
constexpr bool Rop3UsesSource(unsigned code) {
    return ((code >> 2) ^ code) & 0x33u;
}

}  // namespace quorvel::gdi
