// CReceiverParser: the guards of received text (NMEA checksum, CRC-32 of
// the logs) and the cut at the first "$".
#include <array>
#include <cstring>
#include <cwchar>

#include "receiver/ReceiverParser.h"

namespace {

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return 0;
}

// Eight tables of the reflected polynomial: table 0 is the classic
// byte-at-a-time table, table k the CRC of a byte followed by k zero bytes,
// so that eight bytes are folded in per step with the bit-by-bit result.
using CrcTables = std::array<std::array<uint32_t, 256>, 8>;

constexpr CrcTables MakeCrcTables() {
    CrcTables t{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1u) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        t[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n) {
        for (int k = 1; k < 8; ++k) t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFFu];
    }
    return t;
}

constexpr CrcTables kCrc = MakeCrcTables();

uint32_t Load32(const BYTE* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

CString CReceiverParser::CutAtDollar(const CString& text) {
    const int at = text.Find(L'$');
    return at < 0 ? text : text.Mid(at);
}

BOOL CReceiverParser::VerifyChecksum(const wchar_t* text, int /*mode*/) {
    if (text == nullptr || text[0] != L'$') return FALSE;
    const wchar_t* p = std::wcschr(text, L'*');
    if (p == nullptr) return FALSE;
    // A loop of known length, which the compiler runs in vector code.
    unsigned sum = 0;
    for (const wchar_t* q = text + 1; q < p; ++q) sum ^= static_cast<unsigned>(*q);
    sum &= 0xFFu;
    const int high = HexDigit(p[1]);
    const int low = p[1] == L'\0' ? 0 : HexDigit(p[2]);
    return static_cast<unsigned>(high * 16 + low) == sum ? TRUE : FALSE;
}

uint32_t CReceiverParser::CalcCrc32(const BYTE* bytes, int n) {
    uint32_t crc = 0;
    if (bytes == nullptr) return crc;
    for (; n >= 8; n -= 8, bytes += 8) {
        const uint32_t a = Load32(bytes) ^ crc;
        const uint32_t b = Load32(bytes + 4);
        crc = kCrc[7][a & 0xFFu] ^ kCrc[6][(a >> 8) & 0xFFu] ^ kCrc[5][(a >> 16) & 0xFFu] ^
              kCrc[4][a >> 24] ^ kCrc[3][b & 0xFFu] ^ kCrc[2][(b >> 8) & 0xFFu] ^
              kCrc[1][(b >> 16) & 0xFFu] ^ kCrc[0][b >> 24];
    }
    for (; n > 0; --n, ++bytes) crc = (crc >> 8) ^ kCrc[0][(crc ^ *bytes) & 0xFFu];
    return crc;
}
