// The receiver's ASCII logs whose lines begin with '#': #BESTPOSA (the best
// position) and #REFSTATIONA (the base station), each closed by "*" and the
// CRC-32 of the bytes strictly between '#' and '*' as 8 hex digits.
//
// The CRC is the reflected polynomial 0xEDB88320, bit by bit, with initial
// value 0 and no final inversion.
#pragma once

#include <cstdint>
#include <string>

#include "sim/Nmea.h"

namespace quorvel::sim {

uint32_t LogCrc32(const std::string& bytes);
// "#" body "*" crc CR LF.
std::string AsciiLog(const std::string& body);

// GPS week and seconds of week of a UTC date and time (leap seconds as of
// 2017 onward: 18).
void GpsWeekSeconds(int year, int month, int day, double secondsOfDay, int& week, double& seconds);

// The position type word for a GGA quality: SINGLE, PSRDIFF, NARROW_FLOAT,
// NARROW_INT (NONE without a fix).
const char* PositionTypeWord(int quality);

std::string BestPosLog(const NmeaEpoch& e);

// WGS84 geodetic (degrees, metres) to geocentric (metres).
void GeodeticToEcef(double latDeg, double lonDeg, double heightM, double& x, double& y, double& z);

std::string RefStationLog(const NmeaEpoch& timeOf, double baseLatDeg, double baseLonDeg,
                          double baseHeightM);

}  // namespace quorvel::sim
