// The simulated receiver's binary output besides NMEA: its reply frames,
// frames that are broken on purpose, type-1 "$BIN" blocks, and captures of
// real receivers replayed line by line.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "sim/Nmea.h"

namespace quorvel::sim {

// The reply frame the receiver sends: '$', id, 255 - id, 32-bit length,
// payload, XOR.
std::string ReplyFrame(int id, const std::string& payload);

// Reply frames a program must take as text, each followed by CR LF:
//   a reset reply whose payload holds a CR (the link cuts it in two);
//   a reset reply whose length field is 0xFFFFFFF9 (so that length + 8
//   wraps round to 1 in 32 bits) with nothing after the header.
std::vector<std::string> BrokenReplyFrames();

// A type-1 block: "$BIN", block id 1 and data length 52 (16-bit little-
// endian), the 52 data bytes (age of corrections, satellites used, GPS
// week and seconds, latitude, longitude, height, velocities north, east and
// up, the standard deviation of the residuals, navigation mode, extended
// age), the 16-bit sum of the data bytes, CR LF. The deviation is the float
// 52 bytes after the '$'.
std::string Bin1Block(const NmeaEpoch& e, float sigma);

// A capture of a real receiver, less its "# " header lines, handed out a
// few lines at a time; with crlf, lines ending in a bare LF end in CR LF.
class CaptureReplay {
  public:
    bool Load(const std::string& path, bool crlf, std::string& error);
    // The next `lines` lines; empty once the capture has been sent.
    std::string Next(size_t lines);
    bool Done() const { return m_next >= m_lines.size(); }
    // Every byte the replay sends.
    std::string All() const;

  private:
    std::vector<std::string> m_lines;
    size_t m_next = 0;
};

}  // namespace quorvel::sim
