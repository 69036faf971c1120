// Code page 936 (GBK) as two lookup tables, built once from the C library's
// iconv converter. Tables make every conversion a per-character lookup, so
// a character that has no GBK form is found and replaced on its own, and the
// converter state of iconv never leaks between calls or threads.
#pragma once

#include <cstdint>

namespace quorvel::detail {

struct GbkTable {
    static constexpr int kLeadFirst = 0x81;
    static constexpr int kLeadLast = 0xFE;
    static constexpr int kTrailFirst = 0x40;
    static constexpr int kTrailLast = 0xFE;
    static constexpr int kTrailCount = kTrailLast - kTrailFirst + 1;
    static constexpr uint16_t kNone = 0xFFFF;

    // Wide character of the single byte 0x80 (the euro sign), 0 when none.
    uint16_t byte80;
    // Wide character of a double-byte code, 0 when the code is unassigned.
    uint16_t decode[(kLeadLast - kLeadFirst + 1) * kTrailCount];
    // GBK code of a BMP character: below 0x100 a single byte, otherwise
    // lead << 8 | trail; kNone when the character has no GBK form.
    uint16_t encode[0x10000];

    static bool IsLead(unsigned char b) { return b >= kLeadFirst && b <= kLeadLast; }
    static bool IsTrail(unsigned char b) {
        return b >= kTrailFirst && b <= kTrailLast && b != 0x7F;
    }
    uint16_t Decode(unsigned char lead, unsigned char trail) const {
        return decode[(lead - kLeadFirst) * kTrailCount + (trail - kTrailFirst)];
    }
};

// The table, built on first use (thread-safe). When the host has no GBK
// converter only ASCII converts; everything else becomes the default char.
const GbkTable& Gbk();

}  // namespace quorvel::detail
