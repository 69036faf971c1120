#include "sim/ReceiverLogs.h"

#include <cmath>
#include <cstdio>

namespace quorvel::sim {
namespace {

constexpr int kLeapSeconds = 18;
constexpr double kPi = 3.14159265358979323846;

// Days from 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int UsedCount(const NmeaEpoch& e) {
    int used = 0;
    for (const Satellite& s : e.satellites) used += s.used ? 1 : 0;
    return used;
}

std::string Header(const char* name, const NmeaEpoch& e) {
    int week = 0;
    double seconds = 0;
    GpsWeekSeconds(e.year, e.month, e.day, e.secondsOfDay, week, seconds);
    char text[128];
    std::snprintf(text, sizeof text, "%s,COM1,0,60.0,FINESTEERING,%d,%.3f,02000000,b1f6,16248;",
                  name, week, seconds);
    return text;
}

}  // namespace

uint32_t LogCrc32(const std::string& bytes) {
    uint32_t crc = 0;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return crc;
}

std::string AsciiLog(const std::string& body) {
    char crc[16];
    std::snprintf(crc, sizeof crc, "%08x", LogCrc32(body));
    return "#" + body + "*" + crc + "\r\n";
}

void GpsWeekSeconds(int year, int month, int day, double secondsOfDay, int& week, double& seconds) {
    const double total = (DaysFromCivil(year, month, day) - DaysFromCivil(1980, 1, 6)) * 86400.0 +
                         secondsOfDay + kLeapSeconds;
    week = static_cast<int>(std::floor(total / 604800.0));
    seconds = total - week * 604800.0;
}

const char* PositionTypeWord(int quality) {
    switch (quality) {
        case 0:
            return "NONE";
        case 1:
            return "SINGLE";
        case 2:
            return "PSRDIFF";
        case 4:
            return "NARROW_INT";
        default:
            return "NARROW_FLOAT";
    }
}

std::string BestPosLog(const NmeaEpoch& e) {
    const bool fix = e.quality != 0;
    const bool diff = e.quality >= 2;
    char station[16] = "";
    if (diff) std::snprintf(station, sizeof station, "%04d", e.stationId);
    char body[400];
    std::snprintf(body, sizeof body,
                  "%s,%s,%.11f,%.11f,%.4f,%.4f,WGS84,%.4f,%.4f,%.4f,\"%s\",%.3f,0.000,%d,%d,%d,%d,"
                  "00,06,00,33",
                  fix ? "SOL_COMPUTED" : "INSUFFICIENT_OBS", PositionTypeWord(e.quality),
                  fix ? e.latDeg : 0.0, fix ? e.lonDeg : 0.0, fix ? e.heightM - e.geoidSepM : 0.0,
                  fix ? e.geoidSepM : 0.0, e.sigmaLatM, e.sigmaLonM, e.sigmaHeightM, station,
                  diff ? e.diffAgeS : 0.0, static_cast<int>(e.satellites.size()), UsedCount(e),
                  UsedCount(e), UsedCount(e));
    return AsciiLog(Header("BESTPOSA", e) + body);
}

void GeodeticToEcef(double latDeg, double lonDeg, double heightM, double& x, double& y, double& z) {
    const double a = 6378137.0;
    const double f = 1.0 / 298.257223563;
    const double e2 = f * (2 - f);
    const double lat = latDeg * kPi / 180.0;
    const double lon = lonDeg * kPi / 180.0;
    const double n = a / std::sqrt(1 - e2 * std::sin(lat) * std::sin(lat));
    x = (n + heightM) * std::cos(lat) * std::cos(lon);
    y = (n + heightM) * std::cos(lat) * std::sin(lon);
    z = (n * (1 - e2) + heightM) * std::sin(lat);
}

std::string RefStationLog(const NmeaEpoch& timeOf, double baseLatDeg, double baseLonDeg,
                          double baseHeightM) {
    double x = 0, y = 0, z = 0;
    GeodeticToEcef(baseLatDeg, baseLonDeg, baseHeightM, x, y, z);
    char body[200];
    std::snprintf(body, sizeof body, "00000000,%.3f,%.3f,%.3f,0,RTCA,\"%04d\"", x, y, z,
                  timeOf.stationId);
    return AsciiLog(Header("REFSTATIONA", timeOf) + body);
}

}  // namespace quorvel::sim
