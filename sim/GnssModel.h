// The simulated receiver's world: a boat or a walker running survey lines
// around a start position, satellites drifting across the sky, and a
// solution that moves single -> DGPS -> float -> fixed and back.
//
// Everything is a pure function of the time since the start, so that a
// test can render a minute of output at once and compare it with what a
// decoder reads back.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/DefaultSite.h"
#include "sim/Nmea.h"

namespace quorvel::sim {

enum class Mover { kBoat, kWalker };

struct GnssScenario {
    double startLatDeg = kDefaultSiteLatDeg;
    double startLonDeg = kDefaultSiteLonDeg;
    double startHeightM = kDefaultSiteHeightM;
    double geoidSepM = -3.6;
    Mover mover = Mover::kBoat;
    // Survey lines, centred on the start position; 0 = the mover's default.
    double lineLengthM = 0;  // boat 300, walker 100
    double spacingM = 0;     // boat 20, walker 10
    int lineCount = 5;
    double azimuthDeg = 0;  // direction of the lines, from north towards east
    double speedMps = 0;    // boat 3.0, walker 1.2
    // -1: the solution cycles; otherwise the GGA quality held throughout.
    int fixedQuality = -1;
    // UTC of the start, seconds since 1970.
    int64_t startUnixSeconds = 1717228800;  // 2024-06-01 08:00:00
    uint32_t seed = 1;
};

// The solution cycle: single 10 s, DGPS 10 s, float 15 s, fixed 60 s,
// float 5 s, DGPS 5 s, and again.
int CycleQuality(double t);

// The civil UTC date of a time since 1970.
void CivilFromUnix(int64_t unixSeconds, int& year, int& month, int& day, int& secondsOfDay);

class GnssModel {
  public:
    explicit GnssModel(const GnssScenario& scenario);

    // The epoch at t seconds after the start: position with the solution's
    // noise, quality, accuracy, satellites and time.
    NmeaEpoch EpochAt(double t) const;
    // The noise-free track point at t: latitude, longitude (degrees) and
    // ellipsoidal height.
    void TrackAt(double t, double& latDeg, double& lonDeg, double& heightM) const;

  private:
    void TrackLocal(double t, double& north, double& east) const;
    void LocalToGeodetic(double north, double east, double& latDeg, double& lonDeg) const;

    GnssScenario m_s;
    double m_lineLength;
    double m_spacing;
    double m_speed;
    double m_patternLength;
    // The closed pattern as a polygon in line coordinates: u along the
    // lines, v across them (to the right), metres from the start.
    std::vector<double> m_u;
    std::vector<double> m_v;
};

}  // namespace quorvel::sim
