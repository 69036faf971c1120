#include "sim/Nmea.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace quorvel::sim {
namespace {

constexpr long long kMinuteUnits = 10000000;  // 1e-7 minute: about 2 mm

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return std::string(buffer, n < 0 ? 0 : std::min<size_t>(n, sizeof buffer - 1));
}

// Degrees and minutes with the minutes rounded once, so that 59.99999999
// carries into the degrees instead of printing "60.0000000".
std::string DegreesMinutes(double deg, int degreeDigits, char positive, char negative) {
    long long units = std::llround(std::fabs(deg) * 60.0 * kMinuteUnits);
    long long wholeDeg = units / (60 * kMinuteUnits);
    long long minuteUnits = units % (60 * kMinuteUnits);
    return Format("%0*lld%02lld.%07lld,%c", degreeDigits, wholeDeg, minuteUnits / kMinuteUnits,
                  minuteUnits % kMinuteUnits, deg < 0 ? negative : positive);
}

std::string Field(double value, int decimals) {
    return Format("%.*f", decimals, value);
}

}  // namespace

std::string NmeaChecksum(const std::string& body) {
    unsigned char sum = 0;
    for (char c : body) sum ^= static_cast<unsigned char>(c);
    return Format("%02X", sum);
}

std::string NmeaSentence(const std::string& body) {
    return "$" + body + "*" + NmeaChecksum(body) + "\r\n";
}

std::string NmeaTime(double secondsOfDay) {
    long long centis = std::llround(secondsOfDay * 100.0) % (86400LL * 100);
    return Format("%02lld%02lld%02lld.%02lld", centis / 360000, centis / 6000 % 60,
                  centis / 100 % 60, centis % 100);
}

std::string NmeaLatitude(double deg) {
    return DegreesMinutes(deg, 2, 'N', 'S');
}

std::string NmeaLongitude(double deg) {
    return DegreesMinutes(deg, 3, 'E', 'W');
}

std::string GgaSentence(const NmeaEpoch& e) {
    int used = 0;
    for (const Satellite& s : e.satellites) used += s.used ? 1 : 0;
    std::string body = "GPGGA," + NmeaTime(e.secondsOfDay) + ",";
    if (e.quality == 0) {
        body += ",,,,0,00,99.9,,M,,M,,";
        return NmeaSentence(body);
    }
    body += NmeaLatitude(e.latDeg) + "," + NmeaLongitude(e.lonDeg) + ",";
    body += Format("%d,%02d,%.1f,", e.quality, used, e.hdop);
    body += Field(e.heightM - e.geoidSepM, 3) + ",M," + Field(e.geoidSepM, 3) + ",M,";
    if (e.quality == 1) {
        body += ",";
    } else {
        body += Format("%.1f,%04d", e.diffAgeS, e.stationId);
    }
    return NmeaSentence(body);
}

std::string GsaSentence(const NmeaEpoch& e) {
    std::string body = Format("GPGSA,A,%d", e.quality == 0 ? 1 : 3);
    int slots = 0;
    for (const Satellite& s : e.satellites) {
        if (!s.used || slots == 12) continue;
        body += Format(",%02d", s.prn);
        ++slots;
    }
    for (; slots < 12; ++slots) body += ",";
    body += Format(",%.1f,%.1f,%.1f", e.pdop, e.hdop, e.vdop);
    return NmeaSentence(body);
}

std::vector<std::string> GsvSentences(const NmeaEpoch& e) {
    const int count = static_cast<int>(e.satellites.size());
    const int total = count == 0 ? 1 : (count + 3) / 4;
    std::vector<std::string> out;
    for (int m = 0; m < total; ++m) {
        std::string body = Format("GPGSV,%d,%d,%02d", total, m + 1, count);
        for (int k = 4 * m; k < count && k < 4 * m + 4; ++k) {
            const Satellite& s = e.satellites[k];
            body += Format(",%02d,%02d,%03d,", s.prn, s.elevation, s.azimuth);
            if (s.snr > 0) body += Format("%02d", s.snr);
        }
        out.push_back(NmeaSentence(body));
    }
    return out;
}

std::string ZdaSentence(const NmeaEpoch& e) {
    return NmeaSentence(Format("GPZDA,%s,%02d,%02d,%04d,00,00", NmeaTime(e.secondsOfDay).c_str(),
                               e.day, e.month, e.year));
}

std::string GstSentence(const NmeaEpoch& e) {
    double major = std::max(e.sigmaLatM, e.sigmaLonM);
    double minor = std::min(e.sigmaLatM, e.sigmaLonM);
    double rms = std::sqrt(e.sigmaLatM * e.sigmaLatM + e.sigmaLonM * e.sigmaLonM);
    return NmeaSentence(Format("GPGST,%s,%.3f,%.3f,%.3f,0.0,%.3f,%.3f,%.3f",
                               NmeaTime(e.secondsOfDay).c_str(), rms, major, minor, e.sigmaLatM,
                               e.sigmaLonM, e.sigmaHeightM));
}

}  // namespace quorvel::sim
