// Where the simulated receiver starts when no --lat/--lon is given.
//
// Equal to the default base site of the settings (app/settings/DefaultRecords.cpp:
// the base position a new job's parameter file starts with), so that a
// simulated survey lands on the program's default grid.
#pragma once

namespace quorvel::sim {

inline constexpr double kDefaultSiteLatDeg = 48.8583;  // north
inline constexpr double kDefaultSiteLonDeg = 2.2945;   // east
inline constexpr double kDefaultSiteHeightM = 35.0;    // ellipsoidal

}  // namespace quorvel::sim
