// Where the simulated receiver starts when no --lat/--lon is given.
//
// SITE: keep equal to the default base site of the settings (the base
// position a new job's parameter file starts with), so that a simulated
// survey lands on the program's default grid.
#pragma once

namespace quorvel::sim {

inline constexpr double kDefaultSiteLatDeg = 22.55;   // north
inline constexpr double kDefaultSiteLonDeg = 113.95;  // east
inline constexpr double kDefaultSiteHeightM = 35.0;   // ellipsoidal

}  // namespace quorvel::sim
