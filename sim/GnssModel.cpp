#include "sim/GnssModel.h"

#include <algorithm>
#include <cmath>

namespace quorvel::sim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kA = 6378137.0;
constexpr double kE2 = 0.00669437999014;

struct Phase {
    int quality;
    double seconds;
};
constexpr Phase kCycle[] = {{1, 10}, {2, 10}, {5, 15}, {4, 60}, {5, 5}, {2, 5}};

constexpr int kPrns[] = {2, 5, 7, 9, 13, 15, 18, 20, 24, 27, 29, 30};

// A repeatable value in [-1, 1] for (seed, n, channel).
double Noise(uint32_t seed, int64_t n, int channel) {
    uint64_t x = seed * 0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(n) * 0xBF58476D1CE4E5B9ull ^
                 static_cast<uint64_t>(channel) * 0x94D049BB133111EBull;
    x ^= x >> 31;
    x *= 0xD6E8FEB86659FD93ull;
    x ^= x >> 29;
    return static_cast<double>(x >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

double HorizontalSigma(int quality) {
    switch (quality) {
        case 4:
            return 0.010;
        case 5:
            return 0.150;
        case 2:
            return 0.500;
        default:
            return 1.500;
    }
}

std::vector<Satellite> Sky(double t, int quality) {
    std::vector<Satellite> sats;
    const int used = quality == 1 ? 8 : quality == 2 ? 9 : quality == 0 ? 0 : 11;
    for (int i = 0; i < 12; ++i) {
        Satellite s;
        s.prn = kPrns[i];
        s.azimuth = static_cast<int>(std::fmod(i * 30.0 + t * 0.004, 360.0));
        s.elevation = 10 + static_cast<int>(75.0 * std::fabs(std::sin(i * 0.7 + t * 0.0003)));
        s.snr = std::min(51, 28 + s.elevation / 3);
        sats.push_back(s);
    }
    // The highest satellites are the ones used.
    for (int k = 0; k < used; ++k) {
        Satellite* best = nullptr;
        for (Satellite& s : sats) {
            if (!s.used && (best == nullptr || s.elevation > best->elevation)) best = &s;
        }
        best->used = true;
    }
    return sats;
}

}  // namespace

int CycleQuality(double t) {
    double period = 0;
    for (const Phase& p : kCycle) period += p.seconds;
    double at = std::fmod(std::max(t, 0.0), period);
    for (const Phase& p : kCycle) {
        if (at < p.seconds) return p.quality;
        at -= p.seconds;
    }
    return kCycle[0].quality;
}

void CivilFromUnix(int64_t unixSeconds, int& year, int& month, int& day, int& secondsOfDay) {
    int64_t days = unixSeconds >= 0 ? unixSeconds / 86400 : (unixSeconds - 86399) / 86400;
    secondsOfDay = static_cast<int>(unixSeconds - days * 86400);
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

GnssModel::GnssModel(const GnssScenario& scenario) : m_s(scenario) {
    const bool boat = m_s.mover == Mover::kBoat;
    m_lineLength = m_s.lineLengthM > 0 ? m_s.lineLengthM : (boat ? 300.0 : 100.0);
    m_spacing = m_s.spacingM > 0 ? m_s.spacingM : (boat ? 20.0 : 10.0);
    m_speed = m_s.speedMps > 0 ? m_s.speedMps : (boat ? 3.0 : 1.2);
    const int lines = std::max(1, m_s.lineCount);
    for (int i = 0; i < lines; ++i) {
        const double v = (i - (lines - 1) / 2.0) * m_spacing;
        const double from = (i % 2 == 0) ? -m_lineLength / 2 : m_lineLength / 2;
        m_u.push_back(from);
        m_v.push_back(v);
        m_u.push_back(-from);
        m_v.push_back(v);
    }
    m_patternLength = 0;
    for (size_t k = 0; k < m_u.size(); ++k) {
        const size_t next = (k + 1) % m_u.size();
        m_patternLength += std::hypot(m_u[next] - m_u[k], m_v[next] - m_v[k]);
    }
}

void GnssModel::TrackLocal(double t, double& north, double& east) const {
    double s = m_patternLength > 0 ? std::fmod(std::max(t, 0.0) * m_speed, m_patternLength) : 0;
    double u = m_u[0];
    double v = m_v[0];
    for (size_t k = 0; k < m_u.size(); ++k) {
        const size_t next = (k + 1) % m_u.size();
        const double leg = std::hypot(m_u[next] - m_u[k], m_v[next] - m_v[k]);
        if (s <= leg || next == 0) {
            const double f = leg > 0 ? std::min(s / leg, 1.0) : 0;
            u = m_u[k] + f * (m_u[next] - m_u[k]);
            v = m_v[k] + f * (m_v[next] - m_v[k]);
            break;
        }
        s -= leg;
    }
    const double az = m_s.azimuthDeg * kPi / 180.0;
    north = u * std::cos(az) - v * std::sin(az);
    east = u * std::sin(az) + v * std::cos(az);
}

void GnssModel::LocalToGeodetic(double north, double east, double& latDeg, double& lonDeg) const {
    const double lat0 = m_s.startLatDeg * kPi / 180.0;
    const double w = std::sqrt(1 - kE2 * std::sin(lat0) * std::sin(lat0));
    const double meridian = kA * (1 - kE2) / (w * w * w);
    const double normal = kA / w;
    latDeg = m_s.startLatDeg + north / meridian * 180.0 / kPi;
    lonDeg = m_s.startLonDeg + east / (normal * std::cos(lat0)) * 180.0 / kPi;
}

void GnssModel::TrackAt(double t, double& latDeg, double& lonDeg, double& heightM) const {
    double north = 0, east = 0;
    TrackLocal(t, north, east);
    LocalToGeodetic(north, east, latDeg, lonDeg);
    if (m_s.mover == Mover::kWalker) {
        heightM = m_s.startHeightM + 2.0 * std::sin(2 * kPi * north / 80.0);
    } else {
        heightM = m_s.startHeightM + 0.1 * std::sin(2 * kPi * t / 6.0);
    }
}

NmeaEpoch GnssModel::EpochAt(double t) const {
    NmeaEpoch e;
    const int64_t whole = static_cast<int64_t>(std::floor(t));
    int secondsOfDay = 0;
    CivilFromUnix(m_s.startUnixSeconds + whole, e.year, e.month, e.day, secondsOfDay);
    e.secondsOfDay = secondsOfDay + (t - whole);
    e.quality = m_s.fixedQuality >= 0 ? m_s.fixedQuality : CycleQuality(t);
    e.satellites = Sky(t, e.quality);
    const double sigma = HorizontalSigma(e.quality);
    e.sigmaLatM = sigma;
    e.sigmaLonM = sigma * 0.8;
    e.sigmaHeightM = sigma * 1.8;
    e.hdop = e.quality == 4 ? 0.8 : e.quality == 1 ? 1.4 : 1.0;
    e.vdop = e.hdop * 1.5;
    e.pdop = e.hdop * 1.8;
    e.geoidSepM = m_s.geoidSepM;
    e.stationId = 1;
    const int64_t n = std::llround(t * 100);
    e.diffAgeS = e.quality >= 2 ? 1.0 + static_cast<double>((whole % 3 + 3) % 3) : 0.0;
    TrackAt(t, e.latDeg, e.lonDeg, e.heightM);
    double north = 0.5 * sigma * Noise(m_s.seed, n, 0);
    double east = 0.5 * sigma * Noise(m_s.seed, n, 1);
    double lat = 0, lon = 0;
    LocalToGeodetic(north, east, lat, lon);
    e.latDeg += lat - m_s.startLatDeg;
    e.lonDeg += lon - m_s.startLonDeg;
    e.heightM += 0.5 * e.sigmaHeightM * Noise(m_s.seed, n, 2);
    return e;
}

}  // namespace quorvel::sim
